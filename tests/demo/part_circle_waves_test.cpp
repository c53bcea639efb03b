// The circle-wave part, headless.
#include <gtest/gtest.h>

#include "backmove.h"
#include "demo_support.h"
#include "font.h"
#include "parts.h"
#include "rng.h"

namespace {

struct CircleWaves : testing::Test {
  void SetUp() override {
    start_demo();
    headless::reset();
    TORQ6150_state.control = 0;
  }
};

}  // namespace

TEST_F(CircleWaves, SetUpDrawsItsNumbersInOrderAndFinishFreesTheMover) {
  DemoState& s = TORQ6150_state;
  RNG_srand(3);
  std::vector<int> r(16);
  for (int& value : r) value = RNG_rand();
  RNG_srand(3);
  TORQ6150_circle_wave_part.setup();
  EXPECT_EQ(TORQ6150_settings.fade_colour, (r[0] & 63) * 0x010101u + 0x404040u);
  const std::uint32_t phase[] = {r[1] & 1023u, r[4] & 1023u, r[7] & 1023u};
  const std::uint32_t frame_step[] = {(r[2] & 15u) + 1, (r[5] & 15u) + 1, (r[8] & 15u) + 1};
  // r[9] is discarded; the radius wave's group step is the larger one.
  const std::uint32_t circle_step[] = {(r[3] & 7u) + 7, (r[6] & 7u) + 7, (r[10] & 15u) + 16};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(s.wave_phase[i], phase[i]);
    EXPECT_EQ(s.wave_frame_step[i], frame_step[i]);
    EXPECT_EQ(s.wave_circle_step[i], circle_step[i]);
  }
  EXPECT_EQ(s.wave_radius, (r[11] & 31) + 32);
  EXPECT_EQ(s.wave_colour_step, r[12] & 15);
  ASSERT_NE(s.wave_mover, nullptr);
  EXPECT_EQ(s.wave_mover->speed_x, r[13] % 9 - 4);
  EXPECT_EQ(s.wave_mover->speed_y, r[14] % 9 - 4);
  const int cell = r[15] % 6 + 1;
  const IMG* bar = s.bar_font->sheet;
  for (int xy = 0; xy < 16; ++xy) {
    EXPECT_EQ(IMG_get_pixel(s.wave_mover->tile, xy, 15 - xy),
              IMG_get_pixel(bar, 16 * cell + xy, 15 - xy));
  }
  EXPECT_EQ(s.wave_mover->target, s.frame);
  TORQ6150_circle_wave_part.finish();
  EXPECT_EQ(s.wave_mover, nullptr);
}

TEST_F(CircleWaves, EachEightCirclesMakeOneMirroredGroup) {
  DemoState& s = TORQ6150_state;
  TORQ6150_settings.bench_stats_on = 0;
  RNG_srand(4);
  TORQ6150_circle_wave_part.setup();
  const BACKMOVE mover = *s.wave_mover;
  // Phases giving x offset 127, y offset 90 and radius 40 x 3212 >> 15 = 3:
  // the first centre is (128 + 127 - 1, 128 + 90 - 1).
  const auto render = [&](std::int32_t count) {
    *s.wave_mover = mover;
    s.wave_phase[0] = 256;
    s.wave_phase[1] = 128;
    s.wave_phase[2] = 16;
    s.wave_radius = 40;
    s.wave_colour_step = 5;
    TORQ6150_settings.circle_count = count;
    RNG_srand(9);
    TORQ6150_circle_wave_part.render();
    return pixels(s.frame);
  };
  IMG* expected = IMG_new();
  IMG_set_size(expected, 256, 256);
  const auto background = render(0);
  std::copy(background.begin(), background.end(), expected->pixels.get());
  struct Circle {
    std::int32_t x, y;
    std::uint32_t colour;  // palette 5, 197, 389, ... 1349: k = 1 x 5, an eighth of 1536 apart
  };
  for (const Circle c :
       {Circle{254, 217, 0x00FF05}, Circle{2, 217, 0x00FFC5}, Circle{2, 39, 0x007AFF},
        Circle{254, 39, 0x4500FF}, Circle{217, 254, 0xFF00FA}, Circle{217, 2, 0xFF003A},
        Circle{39, 2, 0xFF8500}, Circle{39, 254, 0xBAFF00}}) {
    IMG_filled_circle(expected, c.x, c.y, 3, c.colour);
  }
  for (const std::int32_t count : {7, 8, 15}) {
    SCOPED_TRACE(count);
    EXPECT_EQ(render(count), count < 8 ? background : pixels(expected));
  }
  EXPECT_EQ(s.wave_phase[0], 256 + s.wave_frame_step[0]);
  IMG_free(&expected);
  TORQ6150_circle_wave_part.finish();
  TORQ6150_settings.bench_stats_on = 1;
}
