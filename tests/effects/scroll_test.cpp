#include "scroll.h"

#include <gtest/gtest.h>

#include <string>

#include "image/image_support.h"

namespace {

// A scroller over `text` with a font of w-pixel cells on a strip whose cell
// c is filled with the colour c, drawing into a target of `width` x w pixels.
struct Scroller {
  SCROLL* scroll = SCROLL_new();
  FONT* font = FONT_new();
  Image target;
  Scroller(const char* text, std::int32_t w, std::int32_t width) : target(width, w) {
    font->glyph_width = font->glyph_height = w;
    font->sheet = IMG_new();
    IMG_set_size(font->sheet, w, w * 128);
    for (std::int32_t c = 0; c < 128; ++c) IMG_fill_rect(font->sheet, 0, c * w, w, w, c);
    SCROLL_set(scroll, text, font, target);
  }
  ~Scroller() {
    SCROLL_free(&scroll);
    FONT_free(&font);
  }
  // The top row of the target as characters.
  std::string drawn() {
    SCROLL_draw(scroll);
    std::string out;
    for (std::int32_t x = 0; x < target->width; ++x) {
      out += static_cast<char>(IMG_get_pixel(target, x, 0));
    }
    return out;
  }
};

}  // namespace

TEST(SCROLL, StepsMoveTheCursorByWholeGlyphs) {
  const struct {
    const char* name;
    std::int32_t speed, steps, offset, position;
  } rows[] = {
      {"24 ten times", 24, 10, 240, 0},
      {"24 eleven times", 24, 11, 8, 1},
      {"-1 back over the start", -1, 1, 255, 4},
      {"600 once", 600, 1, 88, 2},
      {"-512 lands on a whole glyph", -512, 1, 256, 2},
      {"-512 then back into range", -512, 2, 256, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    SCROLL* s = SCROLL_new();
    FONT font{0, 0, 256, 256, 0, nullptr, nullptr};  // stepping needs only the cell width
    IMG target{0, 0, 256, 256, nullptr};
    SCROLL_set(s, "HELLO", &font, &target);
    s->speed = r.speed;
    for (int i = 0; i < r.steps; ++i) SCROLL_step(s);
    EXPECT_EQ(s->offset, r.offset);
    EXPECT_EQ(s->cursor->position, r.position);
    SCROLL_free(&s);
  }
}

TEST(SCROLL, ShortTextRepeatsAndDrawingLeavesTheCursor) {
  Scroller s("AB\n", 4, 18);  // 18 / 4 + 2 = 6 glyphs
  EXPECT_EQ(s.scroll->width, 18);
  EXPECT_EQ(s.drawn(), "AAAABBBB\n\n\n\nAAAABB");
  s.scroll->speed = 5;
  SCROLL_step(s.scroll);
  EXPECT_EQ(s.scroll->cursor->position, 1);
  EXPECT_EQ(s.drawn(), "BBB\n\n\n\nAAAABBBB\n\n\n");
  EXPECT_EQ(s.scroll->cursor->position, 1);
  EXPECT_EQ(s.scroll->cursor->step, 1);
  // Six glyphs cover the width at the largest offset, and bytes above 127
  // are negative codes, which lie outside the sheet and draw nothing.
  Scroller t("\x80" "C", 4, 18);
  t.scroll->offset = 3;
  EXPECT_EQ(t.drawn(), std::string(1, '\0') + "CCCC" + std::string(4, '\0') + "CCCC" +
                           std::string(4, '\0') + "C");
}

TEST(SCROLL, MissingPartsAreReported) {
  const std::uint32_t errors = SCROLL_module.errors;
  SCROLL* s = SCROLL_new();
  SCROLL_step(s);  // no text yet
  Scroller t("", 4, 16);
  SCROLL_draw(t.scroll);  // an empty text has nothing to repeat
  t.font->glyph_width = 0;
  SCROLL_step(t.scroll);  // no cell width to divide by
  SCROLL_set(s, "A", nullptr, t.target);
  SCROLL_free(&s);
  EXPECT_EQ(SCROLL_module.errors, errors + 4);
}

TEST(SCROLL, AFontWithoutSheetRunsTheLoopAndDrawsNothing) {
  Scroller s("AB", 4, 18);
  IMG_free(&s.font->sheet);
  s.scroll->x = 7;
  s.scroll->y = 2;
  s.scroll->offset = 3;
  const std::uint32_t scroll_errors = SCROLL_module.errors, font_errors = FONT_module.errors;
  EXPECT_EQ(s.drawn(), std::string(18, '\0'));
  EXPECT_EQ(SCROLL_module.errors, scroll_errors);
  EXPECT_EQ(FONT_module.errors, font_errors + 6);  // one report per glyph of the loop
  EXPECT_EQ(s.font->x, 4);  // the pen never moves without a sheet
  EXPECT_EQ(s.font->y, 2);
  EXPECT_EQ(s.font->target, s.target);
}
