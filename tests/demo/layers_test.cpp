// The text layers, run headless on test glyphs of single pixels.
#include "layers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "demo_support.h"
#include "lfont.h"
#include "obj2d.h"
#include "rng.h"
#include "sample.h"

namespace {

// `count` white glyphs of one pixel each: glyph c at (c mod 16, c div 16) of
// its cell, or at (c, 0) when `in_row`.
LIST* pixel_glyphs(int count, bool in_row) {
  std::string text = "color $ffffff\n";
  for (int c = 0; c < count; ++c) {
    const std::string xy = in_row ? std::to_string(c) + " 0"
                                  : std::to_string(c % 16) + " " + std::to_string(c / 16);
    text += "{ s " + xy + " " + xy + " }\n";
  }
  return OBJ2D_parse(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

struct Layers : testing::Test {
  DemoState& s = TORQ6150_state;
  LIST* wire_glyphs = pixel_glyphs(128, false);
  LIST* icon_glyphs = pixel_glyphs(5, true);
  LIST* saved_wire = nullptr;
  LIST* saved_icons = nullptr;

  void SetUp() override {
    start_demo();
    headless::reset();
    saved_wire = s.wire_font->glyphs;
    saved_icons = s.icon_font->glyphs;
    s.wire_font->glyphs = wire_glyphs;
    s.icon_font->glyphs = icon_glyphs;
    IMG_fill_rect(s.frame, 0, 0, 256, 256, 0);
  }
  void TearDown() override {
    s.wire_font->glyphs = saved_wire;
    s.icon_font->glyphs = saved_icons;
    OBJ2D_free_list(&wire_glyphs);
    OBJ2D_free_list(&icon_glyphs);
    s.show_fps = 0;
  }
  std::uint32_t pixel(std::int32_t x, std::int32_t y) const { return IMG_get_pixel(s.frame, x, y); }
  int lit() const {
    return static_cast<int>(256 * 256 - std::count(&s.frame->pixels[0], &s.frame->pixels[65536], 0u));
  }
  // The codes drawn in `cells` cells of the text row at y.
  std::string row(std::int32_t y, int cells) const {
    std::string out;
    for (int k = 0; k < cells; ++k)
      for (int i = 0; i < 256; ++i)
        if (pixel(16 * k + i % 16, y + i / 16) != 0) out += static_cast<char>(i);
    return out;
  }
};

}  // namespace

TEST_F(Layers, FrameRateOverlayShowsRateAndCountInHex) {
  s.fps->frame_count = 0x1A2B3C4D;
  TORQ6150_fps_overlay();  // off: nothing drawn, no random number drawn
  EXPECT_EQ(lit(), 0);
  s.show_fps = 1;
  for (const auto& [rate, digits] : {std::pair{50, "32"}, std::pair{25, "19"}}) {
    SCOPED_TRACE(rate);
    s.fps->target_fps = rate;
    FPS_frame_start(s.fps);
    FPS_frame_end(s.fps);
    FPS_wait(s.fps);  // a frame with time to spare shows the target rate
    s.fps->frame_count = 0x1A2B3C4D;
    IMG_fill_rect(s.frame, 0, 0, 256, 256, 0);
    TORQ6150_fps_overlay();
    EXPECT_EQ(row(0, 3), digits);
    EXPECT_EQ(row(16, 9), "1A2B3C4D");
  }
  s.fps->target_fps = 50;
}

TEST_F(Layers, BouncingLettersAtFrameZero) {
  s.fps->frame_count = 0;
  TORQ6150_bouncing_letters();
  // Pens at x = 192 + 16k, hops S[96 - 32k] >> 10 = 17, 12, 6, 0 above
  // y = 240; colours are palette entries 192, 128, 64 and 0.
  const struct {
    char letter;
    std::int32_t x, y;
    std::uint32_t colour;
  } rows[] = {{'T', 192, 223, 0x00FFC0}, {'O', 208, 228, 0x00FF80},
              {'R', 224, 234, 0x00FF40}, {'Q', 240, 240, 0x00FF00}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.letter);
    EXPECT_EQ(pixel(r.x + r.letter % 16, r.y + r.letter / 16), r.colour);
  }
  EXPECT_EQ(lit(), 4);
}

TEST_F(Layers, IconRainDrawsInTheDocumentedOrder) {
  // Seed 7 at frame 0 chooses a new icon; frame 5 keeps it; the last seed
  // is the first to give the biggest icon, whose moduli are 0.
  unsigned biggest = 0;
  do {
    RNG_srand(++biggest);
    for (int i = 0; i < 4; ++i) RNG_rand();  // icon, colour, x, y
  } while (RNG_rand() % 16 != 15);
  const struct {
    unsigned seed;
    std::int32_t frame;
  } rows[] = {{7, 0}, {7, 5}, {biggest, 0}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.seed);
    IMG_fill_rect(s.frame, 0, 0, 256, 256, 0);
    TORQ6150_settings.icon_choice = 3;
    s.fps->frame_count = r.frame;
    RNG_srand(r.seed);
    const std::int32_t icon = r.frame == 0 ? RNG_rand() % 5 : 3;
    const auto colour = static_cast<std::uint32_t>(SAMPLE_get(s.palette, RNG_rand() % 1536));
    const std::int32_t x = RNG_rand() % 240, y = RNG_rand() % 240;
    const std::int32_t size = RNG_rand() % 16 + 1;
    const std::int32_t span = 256 - 16 * size;
    const std::int32_t x0 = RNG_rand() % (span == 0 ? 1 : span);
    const std::int32_t y0 = RNG_rand() % (span == 0 ? 1 : span);
    const int after = RNG_rand();
    RNG_srand(r.seed);
    TORQ6150_icon_rain();
    EXPECT_EQ(RNG_rand(), after);
    EXPECT_EQ(TORQ6150_settings.icon_choice, icon);
    // Glyph i is a pixel at (i, 0) of its cell: the small icon, then the big
    // one with 1, 2 or 4 diagonal copies.
    EXPECT_EQ(pixel(x + icon, y), colour);
    const int copies = size <= 3 ? 1 : size <= 7 ? 2 : 4;
    for (int d = 0; d < copies; ++d) EXPECT_EQ(pixel(x0 + d + icon * size, y0 + d), colour) << d;
    if (r.seed == biggest) {
      EXPECT_EQ(x0 + y0, 0);
    }
    EXPECT_LE(lit(), 1 + copies);
  }
}
