#include "assets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "img.h"

TEST(Assets, EveryPictureParsesToItsKindAndSize) {
  const struct {
    const char* name;
    const Asset& asset;
    const char* magic;
    int width, height;
  } rows[] = {
      {"logo", ASSET_logo, "P4", 128, 64},        {"glyphs", ASSET_glyphs, "P5", 256, 256},
      {"sprites", ASSET_sprites, "P6", 16, 256},  {"backdrop", ASSET_backdrop, "P6", 128, 64},
      {"stars", ASSET_stars, "P6", 64, 256},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const auto* data = reinterpret_cast<const char*>(r.asset.data);
    EXPECT_EQ(std::string(data, std::min<std::size_t>(r.asset.size, 2)), r.magic);
    const std::uint32_t errors = IMG_module.errors;
    IMG* image = IMG_parse_pnm(r.asset.data, r.asset.size);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(IMG_module.errors, errors);
    EXPECT_EQ(image->width, r.width);
    EXPECT_EQ(image->height, r.height);
    IMG_free(&image);
  }
}

TEST(Assets, GlyphSheetHasEveryPrintableCell) {
  IMG* sheet = IMG_parse_pnm(ASSET_glyphs.data, ASSET_glyphs.size);
  ASSERT_NE(sheet, nullptr);
  // Codes 1 to 15 are the pattern tiles, 33 to 126 the face; 32 stays blank.
  for (int code = 1; code < 127; ++code) {
    int ink = 0;
    for (int i = 0; i < 256; ++i) {
      ink += IMG_get_pixel(sheet, code % 16 * 16 + i % 16, code / 16 * 16 + i / 16) != 0;
    }
    EXPECT_EQ(ink > 0, code != 32 && (code < 16 || code > 32)) << "code " << code;
  }
  IMG_free(&sheet);
}
