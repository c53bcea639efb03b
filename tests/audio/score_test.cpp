#include "score.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

const SAMPLE* at(const MUSIC* music, std::int32_t position) {
  return static_cast<const SAMPLE*>(music->instruments->items[position]);
}

std::int64_t peak(const SAMPLE* s) {
  return std::max(std::labs(SAMPLE_min(s)), std::labs(SAMPLE_max(s)));
}

// FNV-1a over every instrument's length and values, in bank order.
std::uint64_t bank_hash(const MUSIC* music) {
  std::uint64_t h = 14695981039346656037ull;
  const auto mix = [&h](std::int32_t word) {
    const auto bits = static_cast<std::uint32_t>(word);
    for (int b = 0; b < 32; b += 8) h = (h ^ ((bits >> b) & 0xff)) * 1099511628211ull;
  };
  for (std::int32_t i = 0; i < music->instruments->count; ++i) {
    mix(at(music, i)->length);
    for (std::int32_t j = 0; j < at(music, i)->length; ++j) mix(at(music, i)->data[j]);
  }
  return h;
}

}  // namespace

TEST(SCORE, BankOfNinetySixInFiveGroups) {
  std::srand(273880913);
  MUSIC* music = TORQ6150_build_score();
  ASSERT_NE(music, nullptr);
  EXPECT_EQ(music->period, 256);
  ASSERT_EQ(music->instruments->count, 96);
  for (std::int32_t i = 0; i < 96; ++i) {
    const SAMPLE* s = at(music, i);
    const bool hiss = i >= 72 && i < 84;  // group D
    ASSERT_EQ(s->length, i < 48 ? 44100 : i < 72 ? 22050 : hiss ? 11025 : 44100) << i;
    // The last fade ends on 0, except that the ramp over 11025 values ends on
    // 1, which leaves -1 where group D's sound is negative.
    EXPECT_GE(s->data[s->length - 1], hiss ? -1 : 0) << i;
    EXPECT_LE(s->data[s->length - 1], 0) << i;
    EXPECT_LE(peak(s), hiss ? 8000 : 32767) << i;
  }
  // Position 0, the 32 Hz tone, rises over its first quarter period; position
  // 47 is normalised to -133: inverted and nearly silent.
  EXPECT_LE(peak(at(music, 0)), 32767);
  EXPECT_GE(peak(at(music, 0)), 32000);
  EXPECT_LE(peak(at(music, 47)), 133);
  EXPECT_GE(peak(at(music, 47)), 128);
  EXPECT_GT(at(music, 0)->data[100], 0);
  EXPECT_LT(at(music, 47)->data[100], 0);

  // The same seed builds the same bank, here and in every build of the program.
  const std::uint64_t first = bank_hash(music);
  TORQ6150_free_score(&music);
  EXPECT_EQ(music, nullptr);
  std::srand(273880913);
  music = TORQ6150_build_score();
  EXPECT_EQ(bank_hash(music), first);
  EXPECT_EQ(first, 0xeca00474fa2c13d5ull);
  TORQ6150_free_score(&music);
}
