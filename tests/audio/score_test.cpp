#include "score.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

const SAMPLE* at(const MUSIC* music, std::int32_t i) {
  return static_cast<const SAMPLE*>(music->instruments->items[i]);
}

std::int64_t peak(const SAMPLE* s) {
  return std::max(-std::int64_t{SAMPLE_min(s)}, std::int64_t{SAMPLE_max(s)});
}

std::uint64_t build_and_hash(MUSIC** music) {  // FNV-1a over every length and value, in bank order
  std::srand(273880913);
  *music = TORQ6150_build_score();
  std::uint64_t h = 14695981039346656037ull;
  for (std::int32_t i = 0; i < (*music)->instruments->count; ++i)
    for (std::int32_t j = -1, n = at(*music, i)->length; j < n; ++j) {
      const auto word = static_cast<std::uint32_t>(j < 0 ? n : at(*music, i)->data[j]);
      for (int b = 0; b < 32; b += 8) h = (h ^ (word >> b & 0xff)) * 1099511628211ull;
    }
  return h;
}

}  // namespace

TEST(SCORE, BankOfNinetySixInFiveGroups) {
  MUSIC* music = nullptr;
  const std::uint64_t hash = build_and_hash(&music);
  EXPECT_EQ(hash, 0xeca00474fa2c13d5ull);  // in every build of the program
  ASSERT_EQ(music->instruments->count, 96);
  for (std::int32_t i = 0; i < 96; ++i) {
    const SAMPLE* s = at(music, i);
    const bool hiss = i >= 72 && i < 84;
    ASSERT_EQ(s->length, i < 48 ? 44100 : i < 72 ? 22050 : hiss ? 11025 : 44100) << i;
    // Every last fade ends on 0, but the ramp over 11025 values ends on 1: -1 is left there.
    EXPECT_GE(s->data[s->length - 1], hiss ? -1 : 0) << i;
    EXPECT_LE(s->data[s->length - 1], 0) << i;
    EXPECT_LE(peak(s), hiss ? 8000 : 32767) << i;
  }
  // Position 0 (32 Hz) rises at full level; position 47 is normalised to -133, inverted.
  EXPECT_GE(peak(at(music, 0)), 32000);
  EXPECT_GT(at(music, 0)->data[100], 0);
  EXPECT_LE(peak(at(music, 47)), 133);
  EXPECT_GE(peak(at(music, 47)), 128);
  EXPECT_LT(at(music, 47)->data[100], 0);
  TORQ6150_free_score(&music);
  EXPECT_EQ(music, nullptr);
  EXPECT_EQ(build_and_hash(&music), hash);  // a second build in the same process
  TORQ6150_free_score(&music);
}
