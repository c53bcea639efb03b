#include "assets.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "img.h"

namespace {

struct FreeImage {
  void operator()(IMG* image) const { IMG_free(&image); }
};
using Image = std::unique_ptr<IMG, FreeImage>;

Image parse(const Asset& asset) { return Image(IMG_parse_pnm(asset.data, asset.size)); }

// Number of non-zero pixels in the w x h rectangle at (x, y).
int ink(const IMG* image, int x, int y, int w, int h) {
  int count = 0;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) count += IMG_get_pixel(image, i, j) != 0;
  return count;
}

}  // namespace

TEST(Assets, EveryPictureParsesToItsKindAndSize) {
  const struct {
    const char* name;
    const Asset& asset;
    const char* magic;
    int comment_lines;
    int width, height;
  } rows[] = {
      {"logo", ASSET_logo, "P4", 1, 128, 64},
      {"glyphs", ASSET_glyphs, "P5", 1, 256, 256},
      {"sprites", ASSET_sprites, "P6", 1, 16, 256},
      {"backdrop", ASSET_backdrop, "P6", 0, 128, 64},
      {"stars", ASSET_stars, "P6", 1, 64, 256},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    ASSERT_GT(r.asset.size, 2u);
    const std::string head(reinterpret_cast<const char*>(r.asset.data), 2);
    EXPECT_EQ(head, r.magic);
    // The comment, where there is one, is the line right after the magic.
    EXPECT_EQ(r.asset.data[3] == '#', r.comment_lines == 1);
    const std::uint32_t errors = IMG_module.errors;
    Image image = parse(r.asset);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(IMG_module.errors, errors);
    EXPECT_EQ(image->width, r.width);
    EXPECT_EQ(image->height, r.height);
    // Every pixel was stored, and the data holds nothing after the last one.
    const std::size_t bytes_per_row = r.magic[1] == '4' ? r.width / 8
                                      : r.magic[1] == '5' ? r.width
                                                          : 3 * r.width;
    EXPECT_GT(r.asset.size, bytes_per_row * r.height);
    Image shorter(IMG_parse_pnm(r.asset.data, r.asset.size - 1));
    EXPECT_EQ(shorter, nullptr);
  }
}

TEST(Assets, GlyphSheetHasTheFaceAndThePatternTiles) {
  Image sheet = parse(ASSET_glyphs);
  ASSERT_NE(sheet, nullptr);
  const auto cell_ink = [&](int code) {
    return ink(sheet.get(), code % 16 * 16, code / 16 * 16, 16, 16);
  };
  EXPECT_EQ(cell_ink(32), 0) << "the blank must stay transparent";
  for (int code = 33; code <= 126; ++code) EXPECT_GT(cell_ink(code), 0) << "code " << code;
  for (int code = 1; code <= 15; ++code) EXPECT_GT(cell_ink(code), 0) << "pattern " << code;
  // Grey throughout, as a P5 sheet is.
  for (int i = 0; i < 256 * 256; ++i) {
    const std::uint32_t p = sheet->pixels[i];
    ASSERT_EQ(p, (p & 0xFF) * 0x010101u) << i;
  }
}

TEST(Assets, PicturesHaveContentAndTransparency) {
  Image sprites = parse(ASSET_sprites);
  ASSERT_NE(sprites, nullptr);
  for (int cell = 0; cell < 16; ++cell) {
    SCOPED_TRACE(cell);
    const int lit = ink(sprites.get(), 0, cell * 16, 16, 16);
    EXPECT_GT(lit, 100);
    EXPECT_LT(lit, 256) << "a sprite keeps a transparent surround";
  }
  Image backdrop = parse(ASSET_backdrop);
  ASSERT_NE(backdrop, nullptr);
  const int lit = ink(backdrop.get(), 0, 0, 128, 64);
  EXPECT_GT(lit, 128 * 64 / 4);
  EXPECT_LT(lit, 128 * 64);
  // The logo shows white and blue once inverted: both bit values occur.
  Image logo = parse(ASSET_logo);
  ASSERT_NE(logo, nullptr);
  const int white = ink(logo.get(), 0, 0, 128, 64);
  EXPECT_GT(white, 128 * 64 / 2);
  EXPECT_LT(white, 128 * 64);
}
