#include "lradial.h"

#include <gtest/gtest.h>

// The spacing truncates: 13 rays fall four units short of a whole turn.
// Counts of 0 or less are reported and change nothing.
TEST(LRADIAL, SpacingDividesOneTurn) {
  const struct {
    std::int32_t n, count, spacing;
  } rows[] = {{13, 13, 5162220}, {8, 8, 0x800000}, {64, 64, 0x100000}, {0, 16, 0x400000},
              {-3, 16, 0x400000}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.n);
    LRADIAL* radial = LRADIAL_new();
    const std::uint32_t before = LRADIAL_module.errors;
    LRADIAL_set_count(radial, r.n);
    EXPECT_EQ(radial->count, r.count);
    EXPECT_EQ(radial->spacing, r.spacing);
    EXPECT_EQ(LRADIAL_module.errors - before, r.n > 0 ? 0u : 1u);
    LRADIAL_free(&radial);
  }
}

// Turning wraps into 0..0x3FFFFFF in both directions.
TEST(LRADIAL, TurnWrapsAroundTheTable) {
  const struct {
    std::int32_t angle, spin, turned;
  } rows[] = {{0x3FF0000, 0x20000, 0x10000}, {0x10000, -0x20000, 0x3FF0000},
              {0x123456, 0x8000, 0x12B456}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.angle);
    LRADIAL* radial = LRADIAL_new();
    radial->angle = r.angle;
    radial->spin = r.spin;
    LRADIAL_turn(radial);
    EXPECT_EQ(radial->angle, r.turned);
    LRADIAL_free(&radial);
  }
}
