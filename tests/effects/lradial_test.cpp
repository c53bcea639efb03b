#include "lradial.h"

#include <gtest/gtest.h>

namespace {

struct Owned {
  LRADIAL* radial = LRADIAL_new();
  ~Owned() { LRADIAL_free(&radial); }
};

}  // namespace

// The spacing truncates: 13 rays fall four units short of a whole turn.
// Counts of 0 or less are reported and change nothing.
TEST(LRADIAL, SpacingDividesOneTurn) {
  struct Case {
    std::int32_t n, count, spacing;
  };
  for (const Case c : {Case{13, 13, 5162220}, Case{8, 8, 0x800000}, Case{64, 64, 0x100000},
                       Case{0, 16, 0x400000}, Case{-3, 16, 0x400000}}) {
    SCOPED_TRACE(c.n);
    Owned o;
    const std::uint32_t before = LRADIAL_module.errors;
    LRADIAL_set_count(o.radial, c.n);
    EXPECT_EQ(o.radial->count, c.count);
    EXPECT_EQ(o.radial->spacing, c.spacing);
    EXPECT_EQ(LRADIAL_module.errors - before, c.n > 0 ? 0u : 1u);
  }
  EXPECT_EQ(13 * 5162220, 0x4000000 - 4);
}

// Turning wraps into 0..0x3FFFFFF in both directions.
TEST(LRADIAL, TurnWrapsAroundTheTable) {
  struct Case {
    std::int32_t angle, spin, turned;
  };
  for (const Case c : {Case{0x3FF0000, 0x20000, 0x10000}, Case{0x10000, -0x20000, 0x3FF0000},
                       Case{0x123456, 0x8000, 0x12B456}}) {
    SCOPED_TRACE(c.angle);
    Owned o;
    o.radial->angle = c.angle;
    o.radial->spin = c.spin;
    LRADIAL_turn(o.radial);
    EXPECT_EQ(o.radial->angle, c.turned);
  }
}
