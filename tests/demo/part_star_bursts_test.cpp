// The star-burst part and its ray keys, run headless.
#include <gtest/gtest.h>

#include <array>

#include "backmove.h"
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

// The set-up's draws, in order: the grey, the four stars (six each), the
// count, the two spin signs, the sync choice, the mover's speeds, the square.
TEST_F(StarBursts, SetupDrawsInItsDocumentedOrder) {
  bool seen_sync = false, seen_free = false;
  for (unsigned seed = 1; seed < 20 && !(seen_sync && seen_free); ++seed) {
    SCOPED_TRACE(seed);
    RNG_srand(seed);
    std::array<int, 36> d;
    for (int& v : d) v = RNG_rand();
    RNG_srand(seed);
    TORQ6150_star_burst_part.setup();
    const DemoState& s = TORQ6150_state;
    EXPECT_EQ(TORQ6150_settings.fade_colour, static_cast<std::uint32_t>(d[0] & 31) * 0x010101 + 0x101010);
    EXPECT_EQ(TORQ6150_settings.fade_on, 1);
    EXPECT_EQ(s.blur_on | s.glare_on, 0);
    const std::int32_t n = d[25] % 17 + 13, sa = (d[26] & 1) * 2 - 1, sb = (d[27] & 1) * 2 - 1;
    const bool sync = (d[28] & 1) == 1;
    (sync ? seen_sync : seen_free) = true;
    for (int i = 0; i < 4; ++i) {
      const int* a = &d[1 + 6 * i];
      const int* b = a + 3;
      EXPECT_EQ(set_a(i)->count, n);
      EXPECT_EQ(set_b(i)->count, n);
      EXPECT_EQ(set_a(i)->spin, ((a[0] & 0x7FFFF) + 0x8000) * sa);
      EXPECT_EQ(set_a(i)->length, a[1] % 128 + 32);
      EXPECT_EQ(set_b(i)->length, b[1] % 128 + 32);
      EXPECT_EQ(set_b(i)->color, static_cast<std::uint32_t>((b[2] & 0x7F7F7F) + 0x808080));
      EXPECT_EQ(set_b(i)->spin, sync ? set_a(i)->spin : ((b[0] & 0x7FFFF) + 0x8000) * sb);
      const std::int32_t half = 67108864 / n / 2;
      EXPECT_EQ(set_b(i)->angle, sync ? half : 0x400000 + half);
    }
    const std::int32_t square = (d[31] % 4) * 64;
    for (const auto [x, y] : {std::array{0, 0}, std::array{63, 63}, std::array{17, 40}}) {
      const std::uint32_t p = IMG_get_pixel(s.star_image, x, square + y);
      EXPECT_EQ(IMG_get_pixel(s.star_mover->tile, x, y), (p >> 1) & 0x7F7F7F);
    }
    EXPECT_EQ(RNG_rand(), d[32]);
    TORQ6150_star_burst_part.finish();
    EXPECT_EQ(s.star_mover, nullptr);
  }
  EXPECT_TRUE(seen_sync && seen_free);
}

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
