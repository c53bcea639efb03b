#include "lstar.h"
#include "rng.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "image/image_support.h"

namespace {

struct Owned {
  LSTAR* star = LSTAR_new();
  ~Owned() { LSTAR_free(&star); }
};

// Distance from (px, py) to the segment from (ax, ay) to (bx, by).
double segment_distance(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
  t = std::fmax(0.0, std::fmin(1.0, t));
  return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

}  // namespace

// Every count change moves the second set on by another half spacing, even
// when the count stays; the first set keeps its angle.
TEST(LSTAR, SetCountShiftsTheSecondSetByHalfASpacing) {
  RNG_srand(11);
  Owned o;
  EXPECT_EQ(o.star->radial_a->angle, 0);
  EXPECT_EQ(o.star->radial_b->angle, 0x400000);  // LSTAR_new's own count of 8
  struct Step {
    std::int32_t n, angle;
  };
  for (const Step s : {Step{8, 0x800000}, Step{8, 0xC00000}, Step{13, 0xC00000 + 2581110},
                       Step{0, 0xC00000 + 2581110}}) {
    SCOPED_TRACE(s.n);
    LSTAR_set_count(o.star, s.n);
    EXPECT_EQ(o.star->radial_b->angle, s.angle);
    EXPECT_EQ(o.star->radial_a->angle, 0);
  }
  EXPECT_EQ(o.star->radial_b->count, 13);
  o.star->radial_b->angle = 0x3FFFFFF;
  LSTAR_set_count(o.star, 2);  // half of 0x2000000, wrapped
  EXPECT_EQ(o.star->radial_b->angle, 0xFFFFFF);
}

// After a sync the second set's rays lie halfway between the first set's and
// stay there while both turn, through the wrap of the angle.
TEST(LSTAR, SyncKeepsTheSecondSetHalfwayWhileTurning) {
  RNG_srand(12);
  Owned o;
  LSTAR_set_count(o.star, 13);
  LRADIAL* a = o.star->radial_a;
  LRADIAL* b = o.star->radial_b;
  a->angle = 0x3F00000;
  a->spin = -0x7FFFF;
  LSTAR_sync(o.star);
  EXPECT_EQ(b->spin, a->spin);
  for (int turn = 0; turn < 300; ++turn) {
    ASSERT_EQ(b->angle, (a->angle + 5162220 / 2) & 0x3FFFFFF) << turn;
    LSTAR_turn(o.star);
  }
}

// A synchronised star with equal lengths is a regular polygon of 2 x count
// corners: every drawn pixel lies on its outline and the whole outline is drawn,
// the last stroke closing back onto the first tip within the table's rounding
// (13 spacings fall four units short of a turn, one table entry back).
TEST(LSTAR, EqualLengthZigzagClosesIntoARegularPolygon) {
  RNG_srand(13);
  Owned o;
  LSTAR_set_count(o.star, 13);
  o.star->radial_a->angle = 0;
  o.star->radial_b->length = o.star->radial_a->length = 100;
  LSTAR_sync(o.star);
  const Image image(256, 256);
  LSTAR_draw(o.star, image, 1);
  // Corner k at k / 26 of a turn from straight down, turning towards the right.
  double cx[27], cy[27];
  for (int k = 0; k <= 26; ++k) {
    const double t = 2 * std::numbers::pi * k / 26;
    cx[k] = 128 + 100 * std::sin(t);
    cy[k] = 128 + 100 * std::cos(t);
  }
  for (int i = 0; i < 256 * 256; ++i) {
    if (image->pixels[i] == 0) continue;
    double nearest = 1e9;
    for (int k = 0; k < 26; ++k) {
      const double d = segment_distance(i % 256, i / 256, cx[k], cy[k], cx[k + 1], cy[k + 1]);
      nearest = std::fmin(nearest, d);
    }
    ASSERT_LE(nearest, 1.5) << i % 256 << "," << i / 256;
  }
  // Points along every edge, corners included, have a drawn pixel within one step.
  for (int k = 0; k < 26 * 8; ++k) {
    const int e = k / 8;
    const double f = (k % 8) / 8.0;
    const int px = static_cast<int>(std::lround(cx[e] + (cx[e + 1] - cx[e]) * f));
    const int py = static_cast<int>(std::lround(cy[e] + (cy[e + 1] - cy[e]) * f));
    int drawn = 0;
    for (int d = 0; d < 9; ++d) drawn += IMG_get_pixel(image, px + d % 3 - 1, py + d / 3 - 1) != 0;
    EXPECT_GT(drawn, 0) << "edge " << e << " at " << k % 8 << "/8";
  }
}

// A star missing a ray set, or drawn without a target, is reported and left alone.
TEST(LSTAR, IncompleteStarsAreReported) {
  RNG_srand(14);
  Owned o;
  LRADIAL_free(&o.star->radial_b);
  const std::int32_t angle = o.star->radial_a->angle;
  const std::uint32_t before = LSTAR_module.errors;
  LSTAR_turn(o.star);
  LSTAR_sync(o.star);
  LSTAR_draw(o.star, nullptr, 4);
  LSTAR_set_count(nullptr, 8);
  LSTAR_set_count(o.star, 9);  // the first set still changes; LRADIAL reports the missing one
  EXPECT_EQ(LSTAR_module.errors - before, 4u);
  EXPECT_EQ(o.star->radial_a->angle, angle);
  EXPECT_EQ(o.star->radial_a->count, 9);
}

// Angle 0 points down and a quarter turn to the right; each line starts in
// the colour of its own end. Tips: (S[i] x length) >> 15 across and
// (S[i + 256] x length) >> 15 down from the centre (20, 20), so 9 and -10
// for length 10, 5 and -6 for length 6.
TEST(LSTAR, RaysPointDownThenRightInTheirOwnColours) {
  constexpr std::uint32_t A = 0xFF0000, B = 0x0000FF;
  for (const std::int32_t count : {1, 2}) {
    SCOPED_TRACE(count);
    Owned o;
    const Image image(40, 40);
    o.star->x = o.star->y = 20;
    LSTAR_set_count(o.star, count);
    LRADIAL &a = *o.star->radial_a, &b = *o.star->radial_b;
    a.angle = 0;
    b.angle = 256 << 16;
    a.length = 10;
    b.length = 6;
    a.color = A;
    b.color = B;
    LSTAR_draw(o.star, image, 1);
    EXPECT_EQ(IMG_get_pixel(image, 20, 29), A);  // the first ray, down
    EXPECT_EQ(IMG_get_pixel(image, 25, 20), B);  // the second, right
    // One ray each: nothing above; two: the first set's second ray, up.
    EXPECT_EQ(IMG_get_pixel(image, 20, count == 1 ? 11 : 10), count == 1 ? 0 : A);
  }
}
