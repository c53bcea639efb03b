#include "vec2d.h"

#include <gtest/gtest.h>

#include "image/image_support.h"
#include "seg2d.h"

TEST(VEC2D, RotationShrinksSlightlyAndRoundsDown) {
  // Sine-table entries: S[0] = 0, S[256] = 32766, S[512] = 0, S[768] = -32766.
  const struct {
    std::int32_t angle, x, y;
  } rows[] = {
      {0, 100, 0},       // skipped: no shrinking
      {256, 0, 99},      // 100 x 32766 / 32768 rounds down
      {1024, 99, 0},     // a whole turn still runs the arithmetic
      {-256, 0, -100},   // -99.99 rounds toward minus infinity
      {512, -100, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.angle);
    VEC2D p{100, 0, 0x123456};
    VEC2D_rotate(&p, r.angle);
    EXPECT_EQ(p.x, r.x);
    EXPECT_EQ(p.y, r.y);
    EXPECT_EQ(p.colour, 0x123456u);
  }
  // An eighth of a turn: sine S[128] = 23170, cosine S[384] = S[127] = 23027.
  VEC2D q{100, 50, 0};
  VEC2D_rotate(&q, 128);
  EXPECT_EQ(q.x, 34);   // (100 x 23027 - 50 x 23170) >> 15 = 34.9
  EXPECT_EQ(q.y, 105);  // (100 x 23170 + 50 x 23027) >> 15 = 105.8
}

TEST(SEG2D, DrawsInTheColourOfItsFirstPoint) {
  const Image image(3, 1);
  const SEG2D segment{{0, 0, 0xFF0000}, {2, 0, 0x00FF00}};
  SEG2D_draw(&segment, image);
  EXPECT_EQ(image.all(), std::vector<std::uint32_t>(3, 0xFF0000));
}

TEST(VEC2D, AddTakesTheOffsetFirstAndErrorsArePrinted) {
  VEC2D offset{1, 2, 0xFF0000}, point{10, 20, 0x0000FF};
  VEC2D_add(&offset, &point);
  EXPECT_EQ(point.x, 11);
  EXPECT_EQ(point.y, 22);
  EXPECT_EQ(point.colour, 0x0000FFu);
  EXPECT_EQ(offset.x, 1);
  VEC2D_add(&point, &offset);  // reversed: the other record moves
  EXPECT_EQ(offset.x, 12);
  EXPECT_EQ(offset.y, 24);
  EXPECT_EQ(offset.colour, 0xFF0000u);

  testing::internal::CaptureStdout();
  VEC2D_add(nullptr, &point);
  VEC2D_rotate(nullptr, 0);  // reported whatever the angle
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "VEC2D error\nVEC2D error\n");
  EXPECT_EQ(point.x, 11);
}
