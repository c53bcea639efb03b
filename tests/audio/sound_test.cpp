#include "sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

using Values = std::vector<std::int32_t>;

// A buffer of the given length and value; freed at the end of the scope.
struct Buffer {
  SAMPLE* s = SAMPLE_new();
  Buffer(std::int32_t length, std::int32_t value) {
    SAMPLE_set_length(s, length);
    std::fill_n(s->data.get(), length, value);
  }
  ~Buffer() { SAMPLE_free(&s); }
  Values values(std::int32_t n = -1) const {
    return {s->data.get(), s->data.get() + (n < 0 ? s->length : n)};
  }
};

// The square as its algorithm reads, every store checked like SAMPLE_set.
void reference_square(Values& out, std::int64_t f) {
  const std::int64_t p = 0x56220000 / f, n = static_cast<std::int64_t>(out.size());
  const auto store = [&](std::int64_t i, std::int32_t v) {
    if (i >= 0 && i < n) out[i] = v;
  };
  for (std::int64_t w = 0, phase = 0; w < n * 32768 / p; ++w, phase += p) {
    const std::int64_t a = phase / 32768, m = (phase + p / 2) / 32768, e = (phase + p) / 32768;
    for (std::int64_t i = a; i <= m - 1; ++i) store(i, 32767);
    store(m, 0);
    for (std::int64_t i = m + 1; i <= e - 2; ++i) store(i, -32768);
    store(std::max(m + 1, e - 1), 0);
  }
}

}  // namespace

TEST(SOUND, SineWalksTheOneSecondCycle) {
  Buffer s(44100, 5);
  SOUND_sine(s.s, 1);  // builds the cycle and reproduces it
  ASSERT_NE(SOUND_CYCLE, nullptr);
  const std::int32_t* c = SOUND_CYCLE->data.get();
  EXPECT_EQ(s.values(), Values(c, c + 44100));
  EXPECT_EQ(Values({c[0], c[1], c[11025], c[22050], c[33075], c[44099]}),
            Values({0, 4, 32766, 0, -32766, -4}));  // 32767 * sin(pi / 22050) = 4.67, truncated
  EXPECT_EQ(SAMPLE_max(SOUND_CYCLE), 32766);
  SOUND_sine(s.s, 11025);
  for (int i = 0; i < 44100; ++i) ASSERT_EQ(s.s->data[i], c[(i % 4) * 11025]) << i;

  Buffer aliased(500, 1), low(500, 1);
  SOUND_sine(aliased.s, 44103);  // frequencies are taken modulo 44100
  SOUND_sine(low.s, 3);
  EXPECT_EQ(aliased.values(), low.values());
  SOUND_sine(low.s, 0);
  EXPECT_EQ(low.values(), Values(500, 0));

  // Against the 17.15 phase walk.
  std::srand(77);
  for (int round = 0; round < 100; ++round) {
    const std::int32_t f = 1 + std::rand() % 44099;
    Buffer t(std::rand() % 3000, 9);
    SOUND_sine(t.s, f);
    std::int64_t phase = 0;
    for (std::int32_t i = 0; i < t.s->length; ++i) {
      ASSERT_EQ(t.s->data[i], c[phase / 32768]) << f;
      phase += std::int64_t{f} * 32768;
      if (phase > 0x5621ffff) phase -= 0x56220000;
    }
  }
}

TEST(SOUND, SquareDrawsWholePeriodsOnly) {
  Buffer s(44100, 5);
  SOUND_square(s.s, 441);  // 441 periods of 100 samples
  for (int i = 0; i < 44100; ++i) {
    const int j = i % 100;
    ASSERT_EQ(s.s->data[i], j < 50 ? 32767 : (j == 50 || j == 99) ? 0 : -32768) << i;
  }
  Buffer high(11025, 5);
  SOUND_square(high.s, 28160);  // under two samples per period: no negative values
  EXPECT_EQ(high.values(9), (Values{0, 32767, 0, 0, 32767, 0, 32767, 32767, 0}));
  Buffer shorter(99, 5);
  SOUND_square(shorter.s, 441);
  SOUND_square(shorter.s, 0);
  EXPECT_EQ(shorter.values(), Values(99, 5));

  std::srand(78);
  for (int round = 0; round < 200; ++round) {
    const std::int32_t f = 1 + std::rand() % (round % 2 ? 60000 : 2000);
    Buffer t(std::rand() % 5000, 5);
    Values expected = t.values();
    reference_square(expected, f);
    SOUND_square(t.s, f);
    ASSERT_EQ(t.values(), expected) << f;
  }
}

TEST(SOUND, NoiseFillsBackwardsAndHolds) {
  const std::int32_t rows[][2] = {{1, 44100}, {7, 30000}, {22050, 101}, {44100, 100}, {100000, 50}};
  for (const auto& [f, length] : rows) {
    Buffer s(length, 5);
    std::srand(31337);
    SOUND_noise(s.s, f);
    const int next = std::rand();
    std::srand(31337);  // replay the draws
    Values expected(length);
    std::int32_t held = (std::rand() & 0xffff) - 32768;
    for (std::int32_t i = length - 1, counter = 22050; i >= 0; --i) {
      counter -= f;
      if (counter < 0) counter += 44100, held = (std::rand() & 0xffff) - 32768;
      expected[i] = held;
    }
    EXPECT_EQ(s.values(), expected) << f;
    EXPECT_EQ(std::rand(), next) << f;  // no draw more or less
    if (f == 1) {  // the first value covers indices 44099 down to 22050
      EXPECT_EQ(s.s->data[22050], s.s->data[44099]);
      EXPECT_NE(s.s->data[22049], s.s->data[22050]);
    }
  }
}

TEST(SOUND, FadeOutIsTheRampProduct) {
  Buffer s(44100, 32767);
  SOUND_fade_out(s.s);
  EXPECT_EQ(s.s->data[0], 32766);
  EXPECT_EQ(s.s->data[44099], 0);

  // Against ramp, multiply and shift, with lengths in turn so that the kept
  // ramp is rebuilt and reused.
  std::srand(79);
  for (const std::int32_t length : {22050, 22050, 3, 11025, 1, 132300, 2, 44100}) {
    Buffer t(length, 0), ramp(length, 0);
    for (std::int32_t i = 0; i < length; ++i) t.s->data[i] = std::rand() - RAND_MAX / 2;
    SAMPLE* expected = SAMPLE_clone(t.s);
    SAMPLE_ramp(ramp.s, 0, 32767, length - 1, 0);
    SAMPLE_mul_sample(expected, ramp.s);
    SAMPLE_shr(expected, 15);
    SOUND_fade_out(t.s);
    EXPECT_EQ(t.values(), Values(expected->data.get(), expected->data.get() + length)) << length;
    SAMPLE_free(&expected);
  }

  const auto before = SOUND_module.errors;
  SOUND_fade_out(nullptr);
  SOUND_sine(nullptr, 1);
  SOUND_square(nullptr, 1);
  SOUND_noise(nullptr, 1);
  EXPECT_EQ(SOUND_module.errors, before + 4);
}
