// The per-frame music step: when it composes, blends, feeds the device, and
// that muting stops all of it.
#include <gtest/gtest.h>

#include <string_view>

#include "demo_support.h"

#include "headless.h"
#include "list.h"
#include "music.h"
#include "rng.h"
#include "sample.h"
#include "xsnd.h"

namespace {

std::uint64_t hash(const SAMPLE* buffer) {
  if (buffer == nullptr) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(buffer->data.get()),
                               static_cast<std::size_t>(buffer->length) * sizeof(std::int32_t));
  return std::hash<std::string_view>{}(bytes);
}

std::vector<std::int32_t> values(const SAMPLE* buffer) {
  if (buffer == nullptr) return {};
  return {buffer->data.get(), buffer->data.get() + buffer->length};
}

}  // namespace

// Each frame against its own reference: the compose that rand() AND 1 picks
// (1 plain, 0 faded) from the same seed, the blend by 128 computed here, and
// no change on the other frames.
TEST(MusicStep, ComposesEveryPeriodAndBlendsEveryEighthFrame) {
  const auto events = in_child([] {
    start_demo();
    DemoState& s = TORQ6150_state;
    MUSIC* m = s.music;
    s.muted = 0;
    std::vector<std::uint64_t> out;  // per frame 0: as expected, else which check failed
    for (std::int32_t f = 0; f <= 512; ++f) {
      const std::vector<std::int32_t> output = values(m->output), pattern = values(m->pattern);
      s.fps->frame_count = f;
      RNG_srand(static_cast<unsigned>(f));
      TORQ6150_music_step();
      if (f % 256 == 0) {
        const std::vector<std::int32_t> composed = values(m->pattern);
        RNG_srand(static_cast<unsigned>(f));
        const bool plain = (RNG_rand() & 1) != 0;
        (plain ? MUSIC_compose : MUSIC_compose_faded)(m);
        out.push_back(composed != values(m->pattern) || values(m->output) != output ? 1 : 0);
      } else if (f % 8 == 0) {
        std::vector<std::int32_t> blended = output;
        for (std::size_t i = 0; i < blended.size(); ++i)
          blended[i] = (output[i] * 127 + pattern[i]) / 128;
        out.push_back(values(m->output) != blended || values(m->pattern) != pattern ? 2 : 0);
      } else {
        out.push_back(values(m->output) != output || values(m->pattern) != pattern ? 3 : 0);
      }
    }
    out.push_back(static_cast<std::uint64_t>(m->countdown));
    out.push_back(static_cast<std::uint64_t>(s.sound_device->queue->count));
    return out;
  });
  ASSERT_EQ(events.size(), 513u + 2u);
  for (std::int32_t f = 0; f <= 512; ++f) EXPECT_EQ(events[f], 0u) << f;
  // 512 ticks since the first pattern: 255 after the first, 0 after the 256th
  // and again after the 512th.
  EXPECT_EQ(events[513], 0u);
  EXPECT_EQ(events[514], 4u);  // the device holds the loop four times
}

TEST(MusicStep, MutedStepsChangeNothing) {
  const auto values = in_child([] {
    start_demo();
    DemoState& s = TORQ6150_state;
    s.fps->frame_count = 0;
    TORQ6150_music_step();  // composes the first pattern
    s.muted = 1;
    const std::uint64_t before[] = {hash(s.music->pattern), hash(s.music->output),
                                    static_cast<std::uint64_t>(s.music->countdown),
                                    static_cast<std::uint64_t>(s.sound_device->queue->count)};
    for (std::int32_t f = 1; f <= 300; ++f) {
      s.fps->frame_count = f;
      TORQ6150_music_step();
    }
    const std::uint64_t after[] = {hash(s.music->pattern), hash(s.music->output),
                                   static_cast<std::uint64_t>(s.music->countdown),
                                   static_cast<std::uint64_t>(s.sound_device->queue->count)};
    return std::vector<std::uint64_t>{before[0] == after[0], before[1] == after[1],
                                      before[2] == after[2], before[3] == after[3]};
  });
  EXPECT_EQ(values, (std::vector<std::uint64_t>{1, 1, 1, 1}));
}
