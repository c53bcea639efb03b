#include "rng.h"
#include "score.h"

#include <gtest/gtest.h>


namespace {

const SAMPLE* at(const MUSIC* music, std::int32_t i) {
  return static_cast<const SAMPLE*>(music->instruments->items[i]);
}

std::uint64_t build_and_hash(MUSIC** music) {  // FNV-1a over every length and value, in bank order
  RNG_srand(273880913);
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
    const bool hiss = i >= 72 && i < 84;
    EXPECT_EQ(at(music, i)->length, i < 48 ? 44100 : i < 72 ? 22050 : hiss ? 11025 : 44100) << i;
  }
  TORQ6150_free_score(&music);
  EXPECT_EQ(music, nullptr);
  EXPECT_EQ(build_and_hash(&music), hash);  // a second build in the same process
  TORQ6150_free_score(&music);
}
