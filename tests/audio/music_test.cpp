#include "music.h"

#include <gtest/gtest.h>

#include "audio_support.h"
#include "rng.h"
#include "wrap.h"

namespace {

constexpr std::int32_t L = 132300;

// The pattern as the algorithm reads, from the draws replayed from the seed: the
// instrument, the offset choices and k; per copy add, fade if faded, turn; weigh; turn.
Values plain_compose(unsigned seed, SAMPLE* const bank[], bool faded) {
  RNG_srand(seed);
  const SAMPLE* source = bank[RNG_rand() % 2];
  std::int32_t offset = 0;
  for (const std::int32_t w : {L / 2, L / 4, L / 16, L / 8}) offset += w * (RNG_rand() % 2);
  const std::int32_t k = RNG_rand() % 4;
  Values p(L, 0);
  for (std::int32_t j = 0; j < 1 << k; ++j) {
    for (std::int32_t i = 0; i < source->length; ++i) p[i] = wrap_add(p[i], source->data[i]);
    for (std::int32_t i = 0; faded && i < L; ++i) p[i] = wrap_mul(p[i], bank[2]->data[i]) >> 15;
    std::rotate(p.begin(), p.end() - (L >> k), p.end());
  }
  for (std::int32_t i = 0; !faded && i < L; ++i) p[i] = wrap_mul(p[i], 4 - k) >> 2;
  std::rotate(p.begin(), p.end() - offset, p.end());
  return p;
}

}  // namespace

TEST(MUSIC, EmptyBankTickAndBlend) {
  MUSIC* music = MUSIC_new();
  music->period = 256;
  MUSIC_tick(music);  // no pattern yet: stands still
  MUSIC_blend(music, 2);
  EXPECT_EQ(music->countdown, 0);
  RNG_srand(1);
  MUSIC_compose(music);  // an empty bank: six draws each, a silent pattern
  MUSIC_compose_faded(music);
  EXPECT_EQ(values(*music->pattern), Values(L, 0));
  const int next = RNG_rand();
  RNG_srand(1);
  for (int i = 0; i < 12; ++i) RNG_rand();
  EXPECT_EQ(RNG_rand(), next);
  for (const auto& [ticks, countdown] : {std::pair{1, 255}, {255, 0}, {1, 255}}) {
    for (int i = 0; i < ticks; ++i) MUSIC_tick(music);
    EXPECT_EQ(music->countdown, countdown);
  }
  // Output values at 0, at the pattern's last index and past its length (no
  // pattern value there): (o x (n - 1) + p) / n wrapping, toward zero; n <= 1: nothing.
  SAMPLE_set_length(music->pattern, L - 1000);
  const std::int32_t at[] = {0, L - 1001, L - 1000};
  for (const auto& [n, expected] : {std::pair{1, Values{INT32_MAX, -7, 9}},
                                    {2, Values{-1073741823, -1, 4}}, {3, Values{0, -3, 6}}}) {
    const Values o{INT32_MAX, -7, 9}, p{2, 4, 100};
    for (int i = 0; i < 3; ++i) music->output->data[at[i]] = o[i], music->pattern->data[at[i]] = p[i];
    MUSIC_blend(music, n);
    EXPECT_EQ((Values{music->output->data[at[0]], music->output->data[at[1]],
                      music->output->data[at[2]]}), expected) << n;
  }
  MUSIC_tick(nullptr);  // missing records: nothing
  MUSIC_compose(nullptr);
  MUSIC_blend(nullptr, 2);
  MUSIC_free(&music);
}

TEST(MUSIC, ComposeLaysWeightedCopiesEvenlyFromTheOffset) {
  MUSIC* music = MUSIC_new();
  SAMPLE* bank[] = {SAMPLE_new(), SAMPLE_new(), SAMPLE_new()};  // two instruments, the fade ramp
  RNG_srand(5);
  for (int b = 0; b < 3; ++b) {
    SAMPLE_set_length(bank[b], b == 0 ? 11025 : b == 1 ? 44100 : L);
    for (std::int32_t i = 0; i < bank[b]->length; ++i) bank[b]->data[i] = RNG_rand() - (1 << 30);
    if (b < 2) MUSIC_add(music, bank[b]);
  }
  SAMPLE_ramp(bank[2], 0, 32767, L - 1, 0);
  for (unsigned seed = 1; seed <= 20; ++seed) {  // every k and both instruments
    RNG_srand(seed);
    MUSIC_compose(music);
    ASSERT_EQ(values(*music->pattern), plain_compose(seed, bank, false)) << seed;
    RNG_srand(seed);
    MUSIC_compose_faded(music);
    ASSERT_EQ(values(*music->pattern), plain_compose(seed, bank, true)) << seed;
  }
  for (SAMPLE*& s : bank) SAMPLE_free(&s);
  MUSIC_free(&music);
}
