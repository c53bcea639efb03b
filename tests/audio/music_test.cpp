#include "music.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "wrap.h"

namespace {

using Values = std::vector<std::int32_t>;
constexpr std::int32_t L = 132300;

struct Draws {
  std::int32_t index, offset, copies, k;
};

// Replays the six draws of one compose from the seed.
Draws replay(unsigned seed, std::int32_t bank_size) {
  std::srand(seed);
  const std::int32_t index = std::rand() % bank_size;
  std::int32_t offset = 0;
  for (const std::int32_t weight : {66150, 33075, 8268, 16537})
    offset += weight * (std::rand() % 2);
  const std::int32_t k = std::rand() % 4;
  return {index, offset, 1 << k, k};
}

Values values(const SAMPLE* s) { return {s->data.get(), s->data.get() + s->length}; }

// A record whose bank holds an instrument of 11025 values and one of 44100.
struct Fixture {
  MUSIC* music = MUSIC_new();
  SAMPLE* bank[2] = {SAMPLE_new(), SAMPLE_new()};
  Fixture() {
    for (int b = 0; b < 2; ++b) {
      SAMPLE_set_length(bank[b], b == 0 ? 11025 : 44100);
      for (std::int32_t i = 0; i < bank[b]->length; ++i)
        bank[b]->data[i] = (i % 977 - 488) * (40 - 10 * b);
      MUSIC_add(music, bank[b]);
    }
  }
  ~Fixture() {
    for (SAMPLE*& s : bank) SAMPLE_free(&s);
    MUSIC_free(&music);
  }
};

}  // namespace

TEST(MUSIC, NewRecordEmptyBankAndTickReload) {
  MUSIC* music = MUSIC_new();
  ASSERT_NE(music, nullptr);
  EXPECT_EQ(music->countdown, 0);
  EXPECT_EQ(music->period, 300);
  EXPECT_EQ(values(music->output), Values(L, 0));
  EXPECT_EQ(music->instruments->count, 0);
  EXPECT_EQ(music->pattern, nullptr);
  MUSIC_tick(music);  // no pattern yet: stands still
  EXPECT_EQ(music->countdown, 0);

  music->period = 256;
  std::srand(1);
  MUSIC_compose(music);  // an empty bank: the six draws, a silent pattern
  MUSIC_compose_faded(music);
  EXPECT_EQ(values(music->pattern), Values(L, 0));
  const int after = std::rand();
  std::srand(1);
  for (int i = 0; i < 12; ++i) std::rand();
  EXPECT_EQ(std::rand(), after);

  MUSIC_tick(music);
  EXPECT_EQ(music->countdown, 255);
  for (int i = 1; i < 256; ++i) MUSIC_tick(music);
  EXPECT_EQ(music->countdown, 0);
  MUSIC_tick(music);
  EXPECT_EQ(music->countdown, 255);
  MUSIC_tick(nullptr);  // missing records: nothing, silently
  MUSIC_compose(nullptr);
  MUSIC_blend(nullptr, 2);
  MUSIC_free(&music);
  EXPECT_EQ(music, nullptr);
}

TEST(MUSIC, ComposeLaysCopiesEvenlyFromTheOffset) {
  Fixture f;
  std::set<std::int32_t> exponents;
  for (unsigned seed = 1; seed <= 24; ++seed) {
    const Draws d = replay(seed, 2);
    exponents.insert(d.k);
    const SAMPLE* source = f.bank[d.index];
    // Copy j lands at j * (L / copies) from the offset, the weight is (4 - k) / 4.
    Values expected(L, 0);
    for (std::int32_t j = 1; j <= d.copies; ++j)
      for (std::int32_t i = 0; i < source->length; ++i) {
        std::int32_t& v = expected[(j * (L / d.copies) + d.offset + i) % L];
        v = wrap_add(v, source->data[i]);
      }
    for (auto& v : expected) v = wrap_mul(v, 4 - d.k) >> 2;
    std::srand(seed);
    MUSIC_compose(f.music);
    ASSERT_EQ(values(f.music->pattern), expected) << seed;
    if (d.copies == 8 && d.index == 0) {  // eight copies 16537 apart at a quarter level
      for (std::int32_t j = 1; j <= 8; ++j)
        EXPECT_EQ(f.music->pattern->data[(d.offset + j * 16537 + 5) % L], (5 - 488) * 40 / 4);
      exponents.insert(8);
    }
  }
  EXPECT_EQ(exponents, (std::set<std::int32_t>{0, 1, 2, 3, 8}));

  // Faded: add at the front, fade the whole loop, turn it; the offset last.
  SAMPLE* ramp = SAMPLE_new();
  SAMPLE_set_length(ramp, L);
  SAMPLE_ramp(ramp, 0, 32767, L - 1, 0);
  for (unsigned seed = 30; seed < 38; ++seed) {
    const Draws d = replay(seed, 2);
    const SAMPLE* source = f.bank[d.index];
    Values expected(L, 0);
    for (std::int32_t j = 0; j < d.copies; ++j) {
      for (std::int32_t i = 0; i < source->length; ++i)
        expected[i] = wrap_add(expected[i], source->data[i]);
      for (std::int32_t i = 0; i < L; ++i) expected[i] = wrap_mul(expected[i], ramp->data[i]) >> 15;
      std::rotate(expected.begin(), expected.end() - L / d.copies, expected.end());
    }
    std::rotate(expected.begin(), expected.end() - d.offset, expected.end());
    std::srand(seed);
    MUSIC_compose_faded(f.music);
    ASSERT_EQ(values(f.music->pattern), expected) << seed;
  }
  SAMPLE_free(&ramp);
}

TEST(MUSIC, BlendMovesOutputTowardPattern) {
  Fixture f;
  MUSIC_blend(f.music, 128);  // no pattern yet: nothing
  std::srand(3);
  MUSIC_compose(f.music);
  std::fill_n(f.music->pattern->data.get(), L, 128);
  MUSIC_blend(f.music, 1);  // n <= 1: nothing
  EXPECT_EQ(values(f.music->output), Values(L, 0));
  MUSIC_blend(f.music, 128);
  EXPECT_EQ(values(f.music->output), Values(L, 1));  // (0 * 127 + 128) / 128

  // Against the three whole-buffer steps, with a shorter pattern and wrapping products.
  for (const std::int32_t n : {2, 128, 100000}) {
    for (std::int32_t i = 0; i < L; ++i) {
      f.music->output->data[i] = std::rand() - RAND_MAX / 2;
      f.music->pattern->data[i] = std::rand() - RAND_MAX / 2;
    }
    SAMPLE_set_length(f.music->pattern, L - 1000);
    SAMPLE* expected = SAMPLE_clone(f.music->output);
    SAMPLE_mul(expected, n - 1);
    SAMPLE_add(expected, f.music->pattern);
    SAMPLE_div(expected, n);
    MUSIC_blend(f.music, n);
    EXPECT_EQ(values(f.music->output), values(expected)) << n;
    SAMPLE_free(&expected);
    SAMPLE_set_length(f.music->pattern, L);
  }
}
