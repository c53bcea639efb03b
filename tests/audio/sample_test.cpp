#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "audio_support.h"
#include "rng.h"

namespace {

// The ramp as its algorithm reads: a store per index (skipped outside), then the step.
void plain_ramp(Values& out, long x0, long v0, long x1, long v1) {
  if (x0 > x1) std::swap(x0, x1), std::swap(v0, v1);
  const long dx = x1 - x0, dy = std::labs(v1 - v0), s = (v1 > v0) - (v1 < v0);
  long v = v0, e = dx > dy ? dx / 2 : dy / 2;
  for (long i = x0; i <= x1; ++i) {
    if (i >= 0 && i < static_cast<long>(out.size())) out[i] = static_cast<std::int32_t>(v);
    if (dx > dy) {
      if ((e -= dy) < 1) e += dx, v += s;
    } else if (dx > 0) {
      while (e > 0) v += s, e -= dx;
      e += dy;
    }
  }
}

}  // namespace

TEST(SAMPLE, BadArgumentsAreReportedAndChangeNothing) {
  SAMPLE b = make({}), empty = make({});
  for (int i = 1; i <= 10; ++i) SAMPLE_append(&b, i);
  SAMPLE_set_length(&b, 5);  // 6..10 stay in the slots past the length
  const auto before = SAMPLE_module.errors;
  EXPECT_EQ(SAMPLE_get(&b, 5), 0);  // never the stale 6
  EXPECT_EQ(SAMPLE_get(&b, -1), 0);
  SAMPLE_set(&b, 5, 7);
  SAMPLE_set_length(&b, -1);
  SAMPLE_shr(&b, 33);
  SAMPLE_div(&b, 0);
  SAMPLE_copy_range(&b, &b, 2, 4, 0);
  SAMPLE_copy_range(&b, &b, -1, 1, 0);
  SAMPLE* clone = SAMPLE_clone(&empty);  // reported, and still a buffer
  EXPECT_EQ(clone->capacity, 32);
  SAMPLE_free(&clone);
  SAMPLE_rotate(&empty, 3);  // empty buffers: silent
  SAMPLE_normalize(&empty, 100);
  EXPECT_EQ(SAMPLE_module.errors, before + 9);
  SAMPLE_set_length(&b, 12);  // inside the capacity: the values past 5 come back
  EXPECT_EQ(values(b), (Values{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0}));
}

TEST(SAMPLE, ArithmeticCopiesRotationsAndNormalizing) {
  SAMPLE a = make({INT32_MAX, -7, 7, 5}), b = make({1, 2}), m = make({INT32_MIN, 6});
  SAMPLE_add(&a, &b);  // over the shorter length, wrapping
  SAMPLE_add(&a, &a);  // itself: doubles
  SAMPLE_mul_sample(&a, &b);
  SAMPLE_div(&a, -4);  // toward zero
  SAMPLE_shr(&a, 1);   // toward minus infinity
  SAMPLE_shr(&a, 32);  // modulo 32: nothing
  SAMPLE_div(&m, -1);
  EXPECT_EQ(values(a), (Values{0, 2, -2, -1}));
  EXPECT_EQ(values(m), (Values{INT32_MIN, -6}));
  const SAMPLE q = make({5, 1, 1});
  EXPECT_EQ(SAMPLE_min_index(&q), 1);
  SAMPLE forward = make({1, 2, 3, 4, 5}), backward = make({1, 2, 3, 4, 5});
  SAMPLE_copy_range(&forward, &forward, 3, 0, 2);  // overlapping ranges of one buffer
  SAMPLE_copy_range(&backward, &backward, 3, 2, 0);
  EXPECT_EQ(values(forward), (Values{1, 2, 1, 2, 3}));
  EXPECT_EQ(values(backward), (Values{3, 4, 5, 4, 5}));
  for (const auto& [n, expected] : {std::pair{1, Values{4, 1, 2, 3}}, {5, Values{4, 1, 2, 3}},
                                    {4, Values{1, 2, 3, 4}}, {-5, Values{2, 3, 4, 1}}}) {
    SAMPLE r = make({1, 2, 3, 4});
    SAMPLE_rotate(&r, n);
    EXPECT_EQ(values(r), expected) << n;
  }
  // The peak is the larger magnitude of either sign; a 32.32 factor, truncated.
  for (const auto& [in, target, expected] :
       {std::tuple{Values{100, -200}, 1000, Values{500, -1000}}, {Values{3, -1}, 1, Values{0, -1}},
        {Values{0, 0}, 5, Values{0, 0}}, {Values{-4, 2}, -8, Values{8, -4}}}) {
    SAMPLE z = make(in);
    SAMPLE_normalize(&z, target);
    EXPECT_EQ(values(z), expected) << target;
  }
}

TEST(SAMPLE, RampMatchesItsPlainVersion) {
  SAMPLE s = make({7, 7});  // extreme lines finish at once and stay inside 64 bits
  SAMPLE_ramp(&s, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  EXPECT_EQ(values(s), (Values{0, 1}));
  SAMPLE_ramp(&s, 0, INT32_MIN, 1, INT32_MAX);
  EXPECT_EQ(values(s), (Values{INT32_MIN, -1}));
  SAMPLE_normalize(&s, INT32_MIN);  // -2^32 * -2^31 leaves 64 bits: wraps
  EXPECT_EQ(values(s), (Values{INT32_MIN, 1}));
  RNG_srand(1234);
  for (int round = 0; round < 2000; ++round) {
    const int size = 1 + RNG_rand() % 40, x0 = RNG_rand() % 60 - 10, x1 = RNG_rand() % 60 - 10;
    const int scale = round % 3 == 0 ? 10 : 100000;  // both forms of the line
    const int v0 = RNG_rand() % (2 * scale) - scale, v1 = RNG_rand() % (2 * scale) - scale;
    Values ramped(size, -1);
    plain_ramp(ramped, x0, v0, x1, v1);
    SAMPLE r = make(Values(size, -1));
    const auto before = SAMPLE_module.errors;
    SAMPLE_ramp(&r, x0, v0, x1, v1);
    ASSERT_EQ(SAMPLE_module.errors - before, std::min(x0, x1) < 0 || std::max(x0, x1) >= size);
    ASSERT_EQ(values(r), ramped) << x0 << " " << v0 << " " << x1 << " " << v1;
  }
}
