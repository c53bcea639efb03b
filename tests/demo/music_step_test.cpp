// The per-frame music step: when it composes, blends, feeds the device, and
// that muting stops all of it.
#include <gtest/gtest.h>

#include <string_view>

#include "demo_support.h"

#include "headless.h"
#include "list.h"
#include "music.h"
#include "sample.h"
#include "xsnd.h"

namespace {

std::uint64_t hash(const SAMPLE* buffer) {
  if (buffer == nullptr) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(buffer->data.get()),
                               static_cast<std::size_t>(buffer->length) * sizeof(std::int32_t));
  return std::hash<std::string_view>{}(bytes);
}

}  // namespace

TEST(MusicStep, ComposesEveryPeriodAndBlendsEveryEighthFrame) {
  const auto events = in_child([] {
    start_demo();
    DemoState& s = TORQ6150_state;
    s.muted = 0;
    std::vector<std::uint64_t> out;
    std::uint64_t pattern = hash(s.music->pattern);
    std::uint64_t output = hash(s.music->output);
    for (std::int32_t f = 0; f <= 512; ++f) {
      s.fps->frame_count = f;
      TORQ6150_music_step();
      const std::uint64_t p = hash(s.music->pattern), o = hash(s.music->output);
      // 1: a new pattern, 2: the loop moved toward it.
      out.push_back((p != pattern ? 1 : 0) | (o != output ? 2 : 0));
      pattern = p;
      output = o;
    }
    out.push_back(static_cast<std::uint64_t>(s.music->countdown));
    out.push_back(static_cast<std::uint64_t>(s.sound_device->queue->count));
    return out;
  });
  ASSERT_EQ(events.size(), 513u + 2u);
  for (std::int32_t f = 0; f <= 512; ++f) {
    SCOPED_TRACE(f);
    const std::uint64_t expected = f % 256 == 0 ? 1 : f % 8 == 0 ? 2 : 0;
    // A blend that meets a loop already equal to the pattern may change nothing.
    if (expected == 2) {
      EXPECT_LE(events[f], 2u);
    } else {
      EXPECT_EQ(events[f], expected);
    }
  }
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
