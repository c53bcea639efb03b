#include "sample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

namespace {

using Values = std::vector<std::int32_t>;

// A buffer holding exactly the given values; freed at the end of the scope.
struct Buffer {
  SAMPLE* s = SAMPLE_new();
  explicit Buffer(const Values& v) {
    SAMPLE_set_length(s, static_cast<std::int32_t>(v.size()));
    std::copy(v.begin(), v.end(), s->data.get());
  }
  ~Buffer() { SAMPLE_free(&s); }
  Values values() const { return {s->data.get(), s->data.get() + s->length}; }
};

// The ramp as its algorithm reads: the inner step loop, and a store per index
// that is skipped outside the buffer.
void reference_ramp(Values& out, long x0, long v0, long x1, long v1) {
  if (x0 > x1) std::swap(x0, x1), std::swap(v0, v1);
  const long dx = x1 - x0, dy = std::labs(v1 - v0), s = (v1 > v0) - (v1 < v0);
  long v = v0, e = dx > dy ? dx / 2 : dy / 2;
  for (long i = x0; i <= x1; ++i) {
    if (i >= 0 && i < static_cast<long>(out.size())) out[i] = static_cast<std::int32_t>(v);
    if (dx == 0) break;
    if (dx > dy) {
      e -= dy;
      if (e < 1) e += dx, v += s;
    } else {
      while (e > 0) v += s, e -= dx;
      e += dy;
    }
  }
}

}  // namespace

TEST(SAMPLE, StorageKeepsValuesAndReportsBadArguments) {
  Buffer b({});
  EXPECT_EQ(b.s->capacity, 32);
  for (int i = 1; i <= 10; ++i) SAMPLE_append(b.s, i);
  SAMPLE_set_length(b.s, 5);
  SAMPLE_set_length(b.s, 12);  // inside the capacity: values 5..9 survive, unused slots read 0
  EXPECT_EQ(b.values(), (Values{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0}));
  const auto before = SAMPLE_module.errors;
  EXPECT_EQ(SAMPLE_get(b.s, 12), 0);
  SAMPLE_set(b.s, -1, 7);
  SAMPLE_set_length(b.s, -1);
  SAMPLE_shr(b.s, 33);
  SAMPLE_div(b.s, 0);
  SAMPLE_copy_range(b.s, b.s, 2, 11, 0);  // runs past the source
  SAMPLE_copy_range(b.s, b.s, -1, 0, 0);
  EXPECT_EQ(SAMPLE_module.errors, before + 7);
  EXPECT_EQ(b.values(), (Values{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0}));

  Buffer empty({});
  SAMPLE* clone = SAMPLE_clone(empty.s);  // reported once, still an empty buffer
  EXPECT_EQ(clone->capacity, 32);
  SAMPLE_free(&clone);
  // Empty-buffer queries, rotation and normalisation are defined and silent.
  EXPECT_EQ(SAMPLE_min(empty.s) | SAMPLE_max(empty.s) | SAMPLE_min_index(empty.s), 0);
  SAMPLE_rotate(empty.s, 3);
  SAMPLE_normalize(empty.s, 100);
  EXPECT_EQ(SAMPLE_module.errors, before + 8);
}

TEST(SAMPLE, CopyRangeIsSafeForOverlapsInBothDirections) {
  const struct {
    std::int32_t count, from, to;
    Values expected;
  } rows[] = {{3, 0, 2, {1, 2, 1, 2, 3, 6}},   // forward overlap: copied last to first
              {3, 2, 0, {3, 4, 5, 4, 5, 6}},   // backward overlap: first to last
              {2, 0, 4, {1, 2, 3, 4, 1, 2}},
              {0, 6, 6, {1, 2, 3, 4, 5, 6}}};  // nothing at the very end
  for (const auto& row : rows) {
    Buffer b({1, 2, 3, 4, 5, 6});
    SAMPLE_copy_range(b.s, b.s, row.count, row.from, row.to);
    EXPECT_EQ(b.values(), row.expected) << row.from << " to " << row.to;
  }
  Buffer a({1, 2, 3}), b({7, 8, 9, 10});
  SAMPLE_copy_range(a.s, b.s, 2, 1, 2);
  EXPECT_EQ(b.values(), (Values{7, 8, 2, 3}));
}

TEST(SAMPLE, ArithmeticWrapsAndQueriesPickLowestIndex) {
  Buffer a({INT32_MAX, INT32_MIN, -7, 7, 5}), b({1, 1, 2});
  SAMPLE_add(a.s, b.s);  // over the shorter length
  EXPECT_EQ(a.values(), (Values{INT32_MIN, INT32_MIN + 1, -5, 7, 5}));
  SAMPLE_add(a.s, a.s);  // a buffer added to itself doubles
  SAMPLE_mul_sample(a.s, b.s);
  SAMPLE_mul(a.s, -3);
  EXPECT_EQ(a.values(), (Values{0, -6, 60, -42, -30}));
  SAMPLE_div(a.s, 4);  // toward zero
  SAMPLE_shr(a.s, 1);  // toward minus infinity
  SAMPLE_shr(a.s, 32);  // modulo 32: no change
  EXPECT_EQ(a.values(), (Values{0, -1, 7, -5, -4}));
  Buffer m({INT32_MIN, 6});
  SAMPLE_div(m.s, -1);
  EXPECT_EQ(m.values(), (Values{INT32_MIN, -6}));

  Buffer q({5, 1, 1, 9, 9});
  EXPECT_EQ(SAMPLE_min_index(q.s), 1);
  EXPECT_EQ(SAMPLE_max_index(q.s), 3);
  EXPECT_EQ(SAMPLE_min(q.s) * 10 + SAMPLE_max(q.s), 19);

  const struct {
    std::int32_t n;
    Values expected;
  } rotations[] = {{1, {4, 1, 2, 3}}, {5, {4, 1, 2, 3}}, {4, {1, 2, 3, 4}}, {-1, {2, 3, 4, 1}}};
  for (const auto& row : rotations) {
    Buffer r({1, 2, 3, 4});
    SAMPLE_rotate(r.s, row.n);
    EXPECT_EQ(r.values(), row.expected) << row.n;
  }
}

TEST(SAMPLE, NormalizeLandsOnTargetOrOneBelow) {
  Buffer a({0, -100}), silent({0, 0}), extreme({INT32_MIN, 1});
  SAMPLE_normalize(a.s, 1000);
  SAMPLE_normalize(silent.s, 1000);
  SAMPLE_normalize(extreme.s, INT32_MIN);  // -2^32 * -2^31 leaves 64 bits: wraps
  EXPECT_EQ(a.values(), (Values{0, -1000}));
  EXPECT_EQ(silent.values(), (Values{0, 0}));
  EXPECT_EQ(extreme.values(), (Values{INT32_MIN, -1}));

  std::srand(99);
  for (int round = 0; round < 200; ++round) {
    Values init(50);
    const int range = 1 + std::rand() % 100000;
    for (auto& v : init) v = std::rand() % (2 * range + 1) - range;
    const std::int64_t target = std::rand() % 65536 - 32768;
    Buffer s(init);
    SAMPLE_normalize(s.s, static_cast<std::int32_t>(target));
    std::int64_t peak = 0, peak_after = 0;
    for (auto v : init) peak = std::max<std::int64_t>(peak, std::labs(v));
    for (int i = 0; i < 50; ++i) {
      // factor * v / 2^32 toward minus infinity; |factor * v| <= |target| * 2^32 here.
      const std::int64_t factor = target * 4294967296LL / std::max<std::int64_t>(peak, 1);
      ASSERT_EQ(s.s->data[i], static_cast<std::int32_t>(factor * init[i] >> 32)) << round;
      peak_after = std::max<std::int64_t>(peak_after, std::labs(s.s->data[i]));
    }
    ASSERT_LE(peak_after, std::labs(target));
    ASSERT_GE(peak_after, peak > 0 ? std::labs(target) - 1 : 0);
  }
}

TEST(SAMPLE, RampMatchesItsStepLoop) {
  Buffer fade(Values(44100));
  SAMPLE_ramp(fade.s, 0, 32767, 44099, 0);
  EXPECT_EQ(fade.s->data[0], 32767);
  EXPECT_EQ(fade.s->data[13500], 32767 - 10031);  // one unit about every 1.35 indices
  EXPECT_EQ(fade.s->data[44099], 0);

  std::srand(1234);
  for (int round = 0; round < 2000; ++round) {
    const int length = 1 + std::rand() % 40, x0 = std::rand() % 60 - 10, x1 = std::rand() % 60 - 10;
    const int scale = round % 3 == 0 ? 10 : 100000;  // both forms of the line
    const int v0 = std::rand() % (2 * scale) - scale, v1 = std::rand() % (2 * scale) - scale;
    Values expected(length, -1);
    reference_ramp(expected, x0, v0, x1, v1);
    Buffer s(Values(length, -1));
    const auto before = SAMPLE_module.errors;
    SAMPLE_ramp(s.s, x0, v0, x1, v1);
    ASSERT_EQ(s.values(), expected) << x0 << " " << v0 << " " << x1 << " " << v1;
    const bool outside = std::min(x0, x1) < 0 || std::max(x0, x1) >= length;
    ASSERT_EQ(SAMPLE_module.errors, before + (outside ? 1 : 0));  // once per call
  }
  // Extreme lines finish at once: skipped indices and inner steps are not walked.
  Buffer s({7, 7});
  SAMPLE_ramp(s.s, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);  // one unit per index
  EXPECT_EQ(s.values(), (Values{0, 1}));
  SAMPLE_ramp(s.s, 0, INT32_MIN, 1, INT32_MAX);  // stores, then takes 2^31 - 1 steps
  EXPECT_EQ(s.values(), (Values{INT32_MIN, -1}));
}
