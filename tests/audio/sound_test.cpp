#include "sound.h"

#include <gtest/gtest.h>

#include <string>

#include "audio_support.h"
#include "rng.h"

TEST(SOUND, SineWalksTheCycleAndSquareDrawsWholePeriods) {
  SAMPLE s = make(Values(44100, 5)), high = make(Values(11025, 5));
  SOUND_sine(&s, 1);
  const std::int32_t* c = SOUND_CYCLE->data.get();
  EXPECT_EQ(values(s), Values(c, c + 44100));
  EXPECT_EQ(Values({c[0], c[1], c[11025], c[22050], c[33075], c[44099]}),
            Values({0, 4, 32766, 0, -32766, -4}));  // 32767 * sin(pi / 22050) = 4.67, truncated
  EXPECT_EQ(SAMPLE_max(SOUND_CYCLE), 32766);
  SOUND_sine(&s, 11025);
  for (int i = 0; i < 44100; ++i) ASSERT_EQ(s.data[i], c[(i % 4) * 11025]) << i;
  RNG_srand(5);  // random frequencies and lengths: value i is the cycle at i x f, modulo 44100
  for (int k = 0; k < 40; ++k) {
    const std::int64_t f = RNG_rand() % 200001 - 100000, step = (f % 44100 + 44100) % 44100;
    SAMPLE r = make(Values(RNG_rand() % 999 + 1, 5));
    SOUND_sine(&r, static_cast<std::int32_t>(f));
    for (std::int32_t i = 0; i < r.length; ++i)
      ASSERT_EQ(r.data[i], c[i * step % 44100]) << f << " " << i;
  }

  SOUND_square(&s, 441);  // 441 periods of 100 values
  for (int i = 0, j = 0; i < 44100; ++i, j = i % 100)
    ASSERT_EQ(s.data[i], j < 50 ? 32767 : j == 50 || j == 99 ? 0 : -32768) << i;
  SOUND_square(&high, 28160);  // under two values per period: no negative ones
  EXPECT_EQ(Values(high.data.get(), high.data.get() + 9),
            (Values{0, 32767, 0, 0, 32767, 0, 32767, 32767, 0}));
  SAMPLE shorter = make(Values(99, 5));
  SOUND_square(&shorter, 441);  // not one whole period
  EXPECT_EQ(values(shorter), Values(99, 5));
}

TEST(SOUND, NoiseFillsBackwardsAndFadeOutIsTheRampProduct) {
  // Draw 0 first; from the last value back, the counter (22050) loses f per
  // value and a new draw is held whenever it falls below 0 (then + 44100 once).
  for (const auto& [f, held] : {std::pair{22050, "22110"}, {100000, "321"}}) {
    RNG_srand(31337);
    std::vector<std::int32_t> d(5);
    for (auto& v : d) v = (RNG_rand() & 0xffff) - 32768;
    const std::string order = held;
    SAMPLE s = make(Values(order.size(), 5));
    RNG_srand(31337);
    SOUND_noise(&s, f);
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(s.data[i], d[order[i] - '0']) << f;
    EXPECT_EQ((RNG_rand() & 0xffff) - 32768, d[order[0] - '0' + 1]) << f;  // no draw more or less
  }
  RNG_srand(79);  // lengths in turn so that the kept ramp is rebuilt and reused
  for (const std::int32_t length : {22050, 22050, 3, 1, 132300, 2, 44100}) {
    SAMPLE t = make(Values(length)), expected = make(Values(length)), ramp = make(Values(length));
    for (std::int32_t i = 0; i < length; ++i)
      t.data[i] = expected.data[i] = RNG_rand() - (1 << 30);
    SAMPLE_ramp(&ramp, 0, 32767, length - 1, 0);
    SAMPLE_mul_sample(&expected, &ramp);
    SAMPLE_shr(&expected, 15);
    SOUND_fade_out(&t);
    EXPECT_EQ(values(t), values(expected)) << length;
  }
  const auto before = SOUND_module.errors;
  SOUND_fade_out(nullptr);
  SOUND_sine(nullptr, 1);
  SOUND_square(nullptr, 1);
  SOUND_noise(nullptr, 1);
  EXPECT_EQ(SOUND_module.errors, before + 4);
}
