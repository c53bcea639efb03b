#include "lfont.h"

#include <gtest/gtest.h>

#include <string>

#include "image/image_support.h"
#include "obj2d.h"

namespace {

// 71 glyphs (codes 0 to 70): glyph c is one pixel at (c mod 16, c div 16) of
// its cell, except 32, a line from (0, 0) to (3, 0); slot 71 is empty.
LIST* glyph_list() {
  std::string text = "color $ffffff\n";
  for (int c = 0; c < 71; ++c) {
    const int x = c % 16, y = c / 16;
    text += c == 32 ? "{ s 0 0 3 0 }\n" : "{ s " + std::to_string(x) + " " + std::to_string(y) +
                                              " " + std::to_string(x) + " " + std::to_string(y) + " }\n";
  }
  text += "}\n";
  return OBJ2D_parse(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

struct LFONTTest : testing::Test {
  LIST* glyphs = glyph_list();
  const Image target{128, 32};
  LFONT* font = LFONT_new();
  void SetUp() override {
    font->glyphs = glyphs;
    font->target = target;
  }
  void TearDown() override {
    LFONT_free(&font);
    OBJ2D_free_list(&glyphs);
  }
  // The codes drawn in the cells along the top row, from the lit pixel of each.
  std::string codes(int cells) const {
    std::string out;
    for (int k = 0; k < cells; ++k)
      for (int i = 0; i < 256; ++i)
        if (IMG_get_pixel(target, 16 * k + i % 16, i / 16) != 0) out += static_cast<char>(i);
    return out;
  }
};

}  // namespace

TEST_F(LFONTTest, BadCodesAndEmptySlotsLeaveThePen) {
  for (const std::int32_t code : {71, 72, 256, -1}) {
    SCOPED_TRACE(code);
    const std::uint32_t errors = LFONT_module.errors;
    font->position = VEC2D{5, 6, 0};
    font->code = code;
    LFONT_draw_char(font);
    EXPECT_EQ(LFONT_module.errors, errors + 1);
    EXPECT_EQ(font->position.x, 5);
  }
  font->target = nullptr;  // reported by the glyph, but the pen moves on
  font->code = 1;
  LFONT_draw_char(font);
  EXPECT_EQ(font->position.x, 21);
}

TEST_F(LFONTTest, ScaleStretchesAndMirrors) {
  const struct {
    std::int32_t sx, first, last, pen;
  } rows[] = {{1, 20, 23, 36}, {2, 20, 26, 52}, {-1, 17, 20, 4}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.sx);
    IMG_fill_rect(target, 0, 0, 128, 32, 0);
    font->position = VEC2D{20, 5, 0};
    font->scale = VEC2D{r.sx, 1, 0};
    font->code = 32;
    LFONT_draw_char(font);
    EXPECT_EQ(font->position.x, r.pen);
    EXPECT_EQ(font->position.y, 5);
    for (int x = 0; x < 128; ++x)
      EXPECT_EQ(IMG_get_pixel(target, x, 5) != 0, x >= r.first && x <= r.last) << x;
  }
}

TEST_F(LFONTTest, HexDigitsHighFirst) {
  LFONT_draw_hex16(font, 0x1A2B);
  EXPECT_EQ(font->position.x, 64);
  LFONT_draw_hex8(font, 0xF0);
  EXPECT_EQ(codes(6), "1A2BF0");
  IMG_fill_rect(target, 0, 0, 128, 32, 0);
  font->position = VEC2D{0, 0, 0};
  LFONT_draw_hex32(font, 0x9C3E5D07);
  EXPECT_EQ(codes(8), "9C3E5D07");
}

TEST_F(LFONTTest, ColourIsSharedByFontsOfOneList) {
  LFONT* other = LFONT_new();
  other->glyphs = glyphs;
  other->target = target;
  LFONT_set_colour(font, 0x00FF00);  // the glyphs were white
  for (const std::int32_t code : {1, 32}) {
    other->code = code;
    LFONT_draw_char(other);
  }
  EXPECT_EQ(IMG_get_pixel(target, 1, 0), 0x00FF00u);
  EXPECT_EQ(IMG_get_pixel(target, 19, 0), 0x00FF00u);
  LFONT_free(&other);
}
