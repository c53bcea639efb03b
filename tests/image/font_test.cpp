#include "font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "image/image_support.h"

namespace {

IMG* new_image(std::int32_t w, std::int32_t h) {
  IMG* image = IMG_new();
  IMG_set_size(image, w, h);
  return image;
}

// A font of 16 x 16 cells on the sheet, drawing into its own w x h target.
struct Fixture {
  FONT* font = FONT_new();
  Image target;
  Fixture(IMG* sheet, std::int32_t w, std::int32_t h) : target(w, h) {
    *font = FONT{0, 0, 16, 16, 0, sheet, target};
  }
  ~Fixture() { FONT_free(&font); }
};

}  // namespace

TEST(FONT, CellAddressingOnASheetAndOnAStrip) {
  // Cells 16 high; the cell of a code starts code x cell width pixels along
  // the sheet's rows. Codes outside the sheet (column -1 here) draw nothing,
  // but the pen moves on.
  const struct {
    const char* name;
    std::int32_t sheet_w, sheet_h, cell_w, code, pen_x, pen_y, column, row;
  } rows[] = {
      {"A on a sheet", 256, 256, 16, 65, 5, 7, 16, 64},
      {"255 on a sheet", 256, 256, 16, 255, 5, 7, 240, 240},
      {"A running off the target", 256, 256, 16, 65, 30, 33, 16, 64},
      {"A in cells 8 wide", 256, 256, 8, 65, 5, 7, 8, 32},
      {"256 below a sheet", 256, 256, 16, 256, 5, 7, -1, 0},
      {"3 on a strip", 16, 256, 16, 3, 5, 7, 0, 48},
      {"16 below a strip", 16, 256, 16, 16, 5, 7, -1, 0},
      {"-1 above a strip", 16, 256, 16, -1, 5, 7, -1, 0},
      {"-1 left of a sheet row", 256, 256, 16, -1, 5, 7, -1, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    IMG* sheet = new_image(r.sheet_w, r.sheet_h);  // every third pixel 0 (clear), the rest distinct
    for (std::int32_t i = 0; i < r.sheet_w * r.sheet_h; ++i)
      sheet->pixels[i] = i % 3 == 0 ? 0 : 0x01000000u + i;
    Fixture f(sheet, 40, 40);
    std::fill(f.target.begin(), f.target.end(), 0xABCDEF);
    *f.font = FONT{r.pen_x, r.pen_y, r.cell_w, 16, r.code, sheet, f.target};
    FONT_putc(f.font);
    EXPECT_EQ(f.font->x, r.pen_x + r.cell_w);
    EXPECT_EQ(f.font->y, r.pen_y);
    for (std::int32_t y = 0; y < 40; ++y) {
      for (std::int32_t x = 0; x < 40; ++x) {
        const std::int32_t i = x - r.pen_x, j = y - r.pen_y;
        const bool inside = r.column >= 0 && i >= 0 && i < r.cell_w && j >= 0 && j < 16;
        const std::uint32_t ink = inside ? IMG_get_pixel(sheet, r.column + i, r.row + j) : 0u;
        ASSERT_EQ(IMG_get_pixel(f.target, x, y), ink != 0 ? ink : 0xABCDEFu)
            << x << "," << y;
      }
    }
  }
}

TEST(FONT, PrintAndPrintNumber) {
  IMG* sheet = new_image(256, 256);  // 16 x 16 cells, each filled with its code + 1
  for (std::uint32_t code = 0; code < 256; ++code) {
    IMG_fill_rect(sheet, code % 16 * 16, code / 16 * 16, 16, 16, code + 1);
  }
  Fixture f(sheet, 256, 16);
  const auto drawn = [&](int count) {  // the codes along the top row
    std::string out;
    for (int i = 0; i < count; ++i) {
      out += static_cast<char>(IMG_get_pixel(f.target, 16 * i, 0) - 1);
    }
    return out;
  };
  FONT_print(f.font, "CIRCLES\nMORE");
  EXPECT_EQ(f.font->x, 112);
  EXPECT_EQ(drawn(7), "CIRCLES");
  EXPECT_EQ(IMG_get_pixel(f.target, 112, 0), 0u);
  f.font->x = 0;
  FONT_print(f.font, "\xC8");  // bytes above 127 are codes 128 to 255
  EXPECT_EQ(drawn(1), "\xC8");
  for (const auto& [value, digits] : {std::pair<std::uint32_t, const char*>{0, "0000000000"},
                                      {100, "0000000100"},
                                      {1234567890, "1234567890"},
                                      {4294967295u, "4294967295"}}) {
    f.font->x = 0;
    FONT_print_number(f.font, value);
    EXPECT_EQ(f.font->x, 160);
    EXPECT_EQ(drawn(10), digits);
  }
}

TEST(FONT, InvalidArgumentsAreReported) {
  const std::uint32_t errors = FONT_module.errors, img_errors = IMG_module.errors;
  FONT_putc(nullptr);
  FONT_print(nullptr, "A");
  FONT_print_number(nullptr, 7);
  FONT_free(nullptr);
  FONT* font = FONT_new();
  FONT_putc(font);  // no sheet: the pen stays
  FONT_print(font, nullptr);
  EXPECT_EQ(font->x, 0);
  font->sheet = new_image(16, 16);
  FONT_putc(font);  // a missing target is the rectangle copy's to report; the pen moves
  EXPECT_EQ(font->x, 6);
  EXPECT_EQ(IMG_module.errors, img_errors + 1);
  FONT_free(&font);
  FONT_free(&font);
  EXPECT_EQ(font, nullptr);
  EXPECT_EQ(FONT_module.errors, errors + 7);
}
