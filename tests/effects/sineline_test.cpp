#include "sineline.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "image/image_support.h"
#include "rng.h"
#include "sine_table.h"

namespace {

std::unique_ptr<SINELINE> new_line() { return std::unique_ptr<SINELINE>(SINELINE_new()); }

}  // namespace

TEST(SINELINE, RandomizeDrawOrder) {
  auto line = new_line();
  RNG_srand(4242);
  SINELINE_randomize(line.get());
  const int next = RNG_rand();
  RNG_srand(4242);
  int r[19];
  for (int& v : r) v = RNG_rand();
  const SinelineTriple* p = line->phase;
  const SinelineTriple* v = line->speed;
  const SinelineTriple* s = line->step;
  const int expected[18][2] = {
      {p[0].x, r[0] % 1024},      {p[0].y, r[1] % 1024},      {v[0].x, r[2] % 16 + 3},
      {v[0].y, r[3] % 16 + 3},    {s[0].x, r[4] % 8 + 5},     {s[0].y, r[5] % 8 + 6},
      {p[1].x, r[6] % 1024},      {p[1].y, r[7] % 1024},      {v[1].x, -2 - r[8] % 8},
      {v[1].y, -2 - r[9] % 8},    {s[1].x, -6 - r[10] % 16},  {s[1].y, -7 - r[11] % 16},
      {p[2].x, r[12] % 1024},     {p[2].y, r[13] % 1024},     {v[2].x, r[14] % 4 + 1},
      {v[2].y, r[15] % 4 + 1},    {s[2].x, r[16] % 32 + 7},   {s[2].y, r[17] % 32 + 8},
  };
  for (int i = 0; i < 18; ++i) EXPECT_EQ(expected[i][0], expected[i][1]) << "draw " << i + 1;
  EXPECT_EQ(next, r[18]);  // exactly eighteen draws
}

TEST(SINELINE, UpdateWrapsRunningIndexesAndPhases) {
  auto line = new_line();
  SINELINE_set_count(line.get(), 2);
  for (auto& t : line->phase) t = {0, 0, 0};
  for (auto& t : line->step) t = {0, 0, 0};
  for (auto& t : line->speed) t = {0, 0, 0};
  line->phase[1].x = 3;
  line->step[1].x = -21;  // 3 - 21 wraps to 1006
  line->phase[0].y = 1020;
  line->speed[0].y = 9;  // 1020 + 9 wraps to 5
  line->phase[2].y = 200;
  line->step[2].y = 300;
  SINELINE_update(line.get());
  // Point 0: every term 0 except wave 1's x at index 3, wave 0's y at 1020
  // and wave 2's y at 200; the terms are summed before the shift.
  EXPECT_EQ(line->points[0].x, ((SINE_TABLE[3] * 64) >> 16) + 128);
  EXPECT_EQ(line->points[0].y, ((SINE_TABLE[1020] * 128 + SINE_TABLE[200] * 32) >> 16) + 128);
  EXPECT_EQ(line->points[1].x, ((SINE_TABLE[1006] * 64) >> 16) + 128);
  EXPECT_EQ(line->points[1].y, ((SINE_TABLE[1020] * 128 + SINE_TABLE[500] * 32) >> 16) + 128);
  EXPECT_EQ(line->phase[0].y, 5);
  EXPECT_EQ(line->phase[1].x, 3);
}

TEST(SINELINE, DrawsCountMinusOneCirclesWithCarryingColours) {
  auto line = new_line();
  SINELINE_set_count(line.get(), 128);
  for (int k = 0; k < 128; ++k) line->points[k] = {-1000, -1000};
  line->points[126] = {10, 10};   // radius (118 + 118) >> 3 = 29
  line->points[127] = {200, 60};  // the last point gets no circle
  line->points[0] = {128, 128};   // the centre: radius 0, one pixel
  line->color = 0x00FF80;
  const Image image(256, 256);
  SINELINE_draw_circles(line.get(), image);
  EXPECT_EQ(IMG_get_pixel(image, 10, 10), 0x010370u);  // 0x00FF80 + 8 * 126
  EXPECT_EQ(IMG_get_pixel(image, 10 + 29, 10), 0x010370u);
  EXPECT_EQ(IMG_get_pixel(image, 10 + 30, 10), 0u);
  EXPECT_EQ(IMG_get_pixel(image, 200, 60), 0u);
  EXPECT_EQ(IMG_get_pixel(image, 128, 128), 0x00FF80u);
  EXPECT_EQ(IMG_get_pixel(image, 129, 128), 0u);

  SINELINE_set_count(line.get(), 1);
  IMG_fill_rect(image, 0, 0, 256, 256, 0);
  SINELINE_update(line.get());
  SINELINE_draw_circles(line.get(), image);
  EXPECT_EQ(image.all(), std::vector<std::uint32_t>(256 * 256, 0));
}

TEST(SINELINE, InvalidArgumentsAreReportedAndChangeNothing) {
  auto line = new_line();
  const auto before = SINELINE_module.errors;
  SINELINE_set_count(line.get(), 0);
  SINELINE_set_count(line.get(), -5);
  SINELINE_update(nullptr);
  SINELINE_draw_circles(line.get(), nullptr);
  EXPECT_EQ(SINELINE_module.errors, before + 4);
  EXPECT_EQ(line->count, 16);
}
