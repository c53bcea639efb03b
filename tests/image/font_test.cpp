#include "font.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

IMG* new_image(std::int32_t w, std::int32_t h) {
  IMG* image = IMG_new();
  IMG_set_size(image, w, h);
  return image;
}

// A sheet whose every pixel is distinct and not 0: 0x01000000 + y * 65536 + x.
IMG* numbered_sheet(std::int32_t w, std::int32_t h) {
  IMG* sheet = new_image(w, h);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) IMG_set_pixel(sheet, x, y, 0x01000000u + y * 65536u + x);
  return sheet;
}

// A 256 x 256 sheet of 16 x 16 cells, each filled with its code + 1.
IMG* code_sheet() {
  IMG* sheet = new_image(256, 256);
  for (std::uint32_t code = 0; code < 256; ++code)
    IMG_fill_rect(sheet, code % 16 * 16, code / 16 * 16, 16, 16, code + 1);
  return sheet;
}

struct Fixture {
  FONT* font;
  IMG* target;
  Fixture(IMG* sheet, std::int32_t target_w, std::int32_t target_h, std::int32_t cell = 16)
      : font(FONT_new()), target(new_image(target_w, target_h)) {
    font->glyph_width = cell;
    font->glyph_height = cell;
    font->sheet = sheet;
    font->target = target;
  }
  ~Fixture() {
    FONT_free(&font);
    IMG_free(&target);
  }
  // The codes drawn along the top row of the target, read back from a code sheet.
  std::string drawn_codes(int count) const {
    std::string out;
    for (int i = 0; i < count; ++i)
      out += static_cast<char>(IMG_get_pixel(target, i * font->glyph_width, 0) - 1);
    return out;
  }
};

// The glyph of a code written pixel by pixel from the cell rule: offset
// n = code x cell width, column n mod sheet width, row (n div sheet width) x
// cell height; pixels outside either image and sheet pixels of 0 are skipped.
void reference_putc(const IMG* sheet, std::vector<std::uint32_t>& target, std::int32_t tw,
                    std::int32_t th, std::int32_t code, std::int32_t x, std::int32_t y,
                    std::int32_t gw, std::int32_t gh) {
  const std::int64_t n = static_cast<std::int64_t>(code) * gw;
  const std::int64_t column = n % sheet->width, row = n / sheet->width * gh;
  for (std::int32_t j = 0; j < gh; ++j)
    for (std::int32_t i = 0; i < gw; ++i) {
      const std::int64_t sx = column + i, sy = row + j, tx = x + i, ty = y + j;
      if (sx < 0 || sy < 0 || sx >= sheet->width || sy >= sheet->height) continue;
      if (tx < 0 || ty < 0 || tx >= tw || ty >= th) continue;
      const std::uint32_t p = sheet->pixels[sy * sheet->width + sx];
      if (p != 0) target[ty * tw + tx] = p;
    }
}

}  // namespace

TEST(FONT, NewFontHasSixPixelCellsAndNothingAttached) {
  FONT* font = FONT_new();
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->x, 0);
  EXPECT_EQ(font->y, 0);
  EXPECT_EQ(font->glyph_width, 6);
  EXPECT_EQ(font->glyph_height, 6);
  EXPECT_EQ(font->sheet, nullptr);
  EXPECT_EQ(font->target, nullptr);
  FONT_free(&font);
  EXPECT_EQ(font, nullptr);
}

TEST(FONT, CellAddressingOnASheetAndOnAStrip) {
  struct Row {
    const char* name;
    std::int32_t sheet_w, sheet_h, code;
    bool drawn;
    std::int32_t column, row;
  };
  const Row rows[] = {
      {"A on a sheet", 256, 256, 65, true, 16, 64},
      {"255 on a sheet", 256, 256, 255, true, 240, 240},
      {"256 below a sheet", 256, 256, 256, false, 0, 0},
      {"3 on a strip", 16, 256, 3, true, 0, 48},
      {"16 below a strip", 16, 256, 16, false, 0, 0},
      {"-1 above a strip", 16, 256, -1, false, 0, 0},
      {"-1 left of a sheet row", 256, 256, -1, false, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Fixture f(numbered_sheet(r.sheet_w, r.sheet_h), 40, 40);
    f.font->x = 5;
    f.font->y = 7;
    f.font->code = r.code;
    FONT_putc(f.font);
    EXPECT_EQ(f.font->x, 21);  // the pen always moves on by one cell
    EXPECT_EQ(f.font->y, 7);
    for (std::int32_t y = 0; y < 40; ++y)
      for (std::int32_t x = 0; x < 40; ++x) {
        const bool inside = r.drawn && x >= 5 && x < 21 && y >= 7 && y < 23;
        const std::uint32_t want =
            inside ? IMG_get_pixel(f.font->sheet, r.column + x - 5, r.row + y - 7) : 0u;
        ASSERT_EQ(IMG_get_pixel(f.target, x, y), want) << x << "," << y;
      }
  }
}

TEST(FONT, PrintStopsAtLineFeedOrNul) {
  Fixture f(code_sheet(), 256, 16);
  FONT_print(f.font, "CIRCLES\nMORE");
  EXPECT_EQ(f.font->x, 112);
  EXPECT_EQ(f.drawn_codes(7), "CIRCLES");
  EXPECT_EQ(IMG_get_pixel(f.target, 112, 0), 0u);

  f.font->x = 0;
  FONT_print(f.font, "\nABC");
  EXPECT_EQ(f.font->x, 0);
  FONT_print(f.font, "");
  EXPECT_EQ(f.font->x, 0);

  // Bytes above 127 select cells 128 to 255, not negative codes.
  IMG_fill_rect(f.target, 0, 0, 256, 16, 0);
  FONT_print(f.font, "\xC8");
  EXPECT_EQ(f.font->code, 200);
  EXPECT_EQ(IMG_get_pixel(f.target, 0, 0), 201u);
}

TEST(FONT, PrintNumberDrawsTenDigits) {
  const struct {
    std::uint32_t value;
    const char* digits;
  } rows[] = {
      {100, "0000000100"},
      {4294967295u, "4294967295"},
      {0, "0000000000"},
      {1234567890, "1234567890"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.digits);
    Fixture f(code_sheet(), 256, 16);
    FONT_print_number(f.font, r.value);
    EXPECT_EQ(f.font->x, 160);
    EXPECT_EQ(f.drawn_codes(10), r.digits);
  }
}

TEST(FONT, TextRunsOffTheTargetPixelExactly) {
  Fixture f(numbered_sheet(256, 256), 20, 10);
  f.font->x = 12;
  f.font->y = 3;
  FONT_print(f.font, "AB");
  EXPECT_EQ(f.font->x, 44);
  // Only the top-left 8 x 7 of the A's cell (column 16, row 64) lands.
  for (std::int32_t y = 0; y < 10; ++y)
    for (std::int32_t x = 0; x < 20; ++x) {
      const bool inside = x >= 12 && y >= 3;
      const std::uint32_t want = inside ? 0x01000000u + (64 + y - 3) * 65536u + 16 + x - 12 : 0u;
      ASSERT_EQ(IMG_get_pixel(f.target, x, y), want) << x << "," << y;
    }
}

TEST(FONT, MatchesPixelReferenceOnRandomGlyphs) {
  std::srand(6150);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    const std::int32_t sw = 1 + std::rand() % 70, sh = 1 + std::rand() % 70;
    const std::int32_t gw = 1 + std::rand() % 12, gh = 1 + std::rand() % 12;
    IMG* sheet = new_image(sw, sh);
    for (std::int32_t i = 0; i < sw * sh; ++i)
      sheet->pixels[i] = std::rand() % 3 == 0 ? 0u : static_cast<std::uint32_t>(1 + std::rand());
    Fixture f(sheet, 48, 40);
    f.font->glyph_width = gw;
    f.font->glyph_height = gh;
    std::vector<std::uint32_t> expected(48 * 40, 0);
    for (int k = 0; k < 5; ++k) {
      const std::int32_t code = std::rand() % 400 - 100;
      const std::int32_t x = std::rand() % 80 - 20, y = std::rand() % 60 - 15;
      f.font->code = code;
      f.font->x = x;
      f.font->y = y;
      FONT_putc(f.font);
      EXPECT_EQ(f.font->x, x + gw);
      reference_putc(sheet, expected, 48, 40, code, x, y, gw, gh);
    }
    ASSERT_EQ(std::vector<std::uint32_t>(f.target->pixels.get(), f.target->pixels.get() + 48 * 40),
              expected);
  }
}

TEST(FONT, TintPairIsNotAnExactInverse) {
  // The parts colour the sheet with a saturating add and subtract and undo it
  // with the opposite pair; pixels pushed against 0 or 255 stay changed, and a
  // transparent 0 comes back as a coloured box.
  const std::uint32_t start[] = {0x000000, 0x101010, 0x808080, 0xFFFFFF};
  const struct {
    const char* name;
    std::uint32_t up, down;
    std::uint32_t tinted[4], restored[4];
  } rows[] = {
      {"blue tint", 0x000020, 0x505000,
       {0x000020, 0x000030, 0x3030A0, 0xAFAFFF},
       {0x505000, 0x505010, 0x808080, 0xFFFFDF}},
      {"reverse pair", 0x505000, 0x000020,
       {0x505000, 0x606000, 0xD0D060, 0xFFFFDF},
       {0x000020, 0x101020, 0x808080, 0xAFAFFF}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    IMG* sheet = new_image(4, 1);
    for (int i = 0; i < 4; ++i) IMG_set_pixel(sheet, i, 0, start[i]);
    IMG_add_color(sheet, r.up);
    IMG_sub_color(sheet, r.down);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(IMG_get_pixel(sheet, i, 0), r.tinted[i]) << i;
    IMG_add_color(sheet, r.down);
    IMG_sub_color(sheet, r.up);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(IMG_get_pixel(sheet, i, 0), r.restored[i]) << i;

    // The once-transparent pixel now draws: the glyph gets a box behind it.
    Fixture f(sheet, 4, 1, 4);
    f.font->glyph_height = 1;
    f.font->code = 0;
    FONT_putc(f.font);
    EXPECT_EQ(IMG_get_pixel(f.target, 0, 0), r.restored[0]);
  }
}

TEST(FONT, ReportsMissingFontSheetAndText) {
  const std::uint32_t errors = FONT_module.errors;
  FONT_putc(nullptr);
  FONT_print(nullptr, "A");
  FONT_print_number(nullptr, 7);
  FONT* font = FONT_new();
  FONT_putc(font);  // no sheet: nothing happens, the pen stays
  EXPECT_EQ(font->x, 0);
  FONT_print(font, nullptr);
  FONT* none = nullptr;
  FONT_free(&none);
  FONT_free(nullptr);
  EXPECT_EQ(FONT_module.errors, errors + 7);

  // A missing target is the rectangle copy's to report; the pen still moves.
  font->sheet = code_sheet();
  font->glyph_width = 16;
  const std::uint32_t img_errors = IMG_module.errors;
  FONT_putc(font);
  EXPECT_EQ(IMG_module.errors, img_errors + 1);
  EXPECT_EQ(font->x, 16);
  EXPECT_EQ(FONT_module.errors, errors + 7);
  FONT_free(&font);
}
