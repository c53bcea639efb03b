// The star-burst part and its ray keys, run headless.
#include <gtest/gtest.h>

#include <array>

#include "demo_support.h"
#include "lstar.h"
#include "parts.h"
#include "rng.h"

namespace {

struct StarBursts : testing::Test {
  void SetUp() override {
    start_demo();
    headless::reset();
    TORQ6150_state.control = 0;
  }
  // Back to a fresh start, where the ray keys do nothing.
  void TearDown() override {
    for (LSTAR*& star : TORQ6150_state.star_bursts) {
      if (star != nullptr) LSTAR_free(&star);
    }
  }
};

LRADIAL* set_a(int i) { return TORQ6150_state.star_bursts[i]->radial_a; }
LRADIAL* set_b(int i) { return TORQ6150_state.star_bursts[i]->radial_b; }

// Everything a visit leaves in the four bursts.
std::vector<std::int64_t> burst_values() {
  std::vector<std::int64_t> values;
  for (int i = 0; i < 4; ++i) {
    for (const LRADIAL* r : {set_a(i), set_b(i)}) {
      values.insert(values.end(), {r->color, r->count, r->angle, r->spin, r->spacing, r->length});
    }
  }
  return values;
}

}  // namespace

// After a visit the keys act on all four bursts: counts clamped to 5..64
// (the second sets still move on by half a spacing at the limits), second
// lengths changed by 1, 2, 3 and 4 within 8..512.
TEST_F(StarBursts, KeysClampRaysAndLengthsAfterAVisit) {
  RNG_srand(21);
  run_part_frames(TORQ6150_star_burst_part, 3);
  struct Case {
    char key;
    std::int32_t count, expected_count;
    std::array<std::int32_t, 4> length, expected_length;
  };
  for (const Case c : {Case{'x', 64, 64, {}, {}}, Case{'x', 20, 21, {}, {}}, Case{'z', 5, 5, {}, {}},
                       Case{'z', 6, 5, {}, {}},
                       Case{'l', 16, 16, {100, 200, 300, 510}, {101, 202, 303, 512}},
                       Case{'k', 16, 16, {8, 9, 11, 100}, {8, 8, 8, 96}}}) {
    SCOPED_TRACE(testing::Message() << c.key << " " << c.count);
    TORQ6150_stars_set_rays(c.count);
    std::array<std::int32_t, 4> angle;
    for (int i = 0; i < 4; ++i) {
      angle[i] = set_b(i)->angle;
      set_b(i)->length = c.length[i];
    }
    TORQ6150_key(c.key);
    const bool rays = c.key == 'x' || c.key == 'z';
    const std::int32_t shift = rays ? 67108864 / c.expected_count / 2 : 0;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(set_a(i)->count, c.expected_count);
      EXPECT_EQ(set_b(i)->count, c.expected_count);
      EXPECT_EQ(set_b(i)->angle, (angle[i] + shift) & 0x3FFFFFF);
      EXPECT_EQ(set_b(i)->length, c.expected_length[i]);
    }
  }
}

// The keys keep working in later parts, and the next visit draws everything
// anew: the same seed gives the same bursts whatever the keys did. Replaced
// bursts and each visit's background are released (the sanitizer run shows it).
TEST_F(StarBursts, NewVisitForgetsKeyChanges) {
  RNG_srand(31);
  run_part_frames(TORQ6150_star_burst_part, 4);
  EXPECT_EQ(TORQ6150_state.star_mover, nullptr);
  const std::vector<std::int64_t> first = burst_values();
  // Every frame turns each set once: angle 0 plus four spins.
  EXPECT_EQ(set_a(0)->angle, (4 * set_a(0)->spin) & 0x3FFFFFF);

  const std::int32_t count = set_a(0)->count, length = set_b(3)->length;
  headless::press("xll ");
  TORQ6150_run_part(TORQ6150_sine_line_part);
  EXPECT_EQ(set_b(2)->count, count + 1);
  EXPECT_EQ(set_b(3)->length, length + 8);

  RNG_srand(31);
  run_part_frames(TORQ6150_star_burst_part, 4);
  EXPECT_EQ(burst_values(), first);
}
