// The waveform part, run headless: the pattern history and its ownership.
#include <gtest/gtest.h>

#include <set>

#include "audio/audio_support.h"
#include "demo_support.h"
#include "list.h"
#include "music.h"
#include "parts.h"
#include "samdraw.h"

namespace {

struct Waveform : testing::Test {
  void SetUp() override {
    start_demo();
    headless::reset();
    DemoState& s = TORQ6150_state;
    s.control = 0;
    s.muted = 0;
    // The music as at start: no pattern yet, so the first step composes one.
    if (s.music->pattern != nullptr) SAMPLE_free(&s.music->pattern);
    s.music->countdown = 0;
    s.fps->frame_count = 0;
  }
};

SAMDRAW* scope(std::int32_t i) { return static_cast<SAMDRAW*>(LIST_get(TORQ6150_state.scopes, i)); }
const SAMPLE* held(std::int32_t i) { return scope(i)->source->sample; }
// Every grid scope holds its own copy of the music's pattern.
void expect_grid_of_copies() {
  std::set<const SAMPLE*> distinct;
  for (std::int32_t i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    ASSERT_NE(held(i), nullptr);
    EXPECT_EQ(values(*held(i)), values(*TORQ6150_state.music->pattern));
    distinct.insert(held(i));
  }
  EXPECT_EQ(distinct.size(), 12u);
}

}  // namespace

TEST_F(Waveform, FirstShiftFillsScopeElevenAloneAndMutedMusicShiftsEveryFrame) {
  DemoState& s = TORQ6150_state;
  ASSERT_EQ(s.scopes, nullptr);
  // Frame 1 composes the first pattern; frame 2 shifts a copy of it into
  // scope 11 before the countdown first moves.
  run_part_frames(TORQ6150_waveform_part, 3);
  ASSERT_EQ(s.scopes->count, 13);
  for (std::int32_t i = 0; i < 11; ++i) EXPECT_EQ(held(i), nullptr) << i;
  ASSERT_NE(held(11), nullptr);
  EXPECT_NE(held(11), s.music->pattern);
  EXPECT_EQ(values(*held(11)), values(*s.music->pattern));
  EXPECT_EQ(held(12), s.music->output);
  EXPECT_EQ(s.music->countdown, 254);
  EXPECT_EQ(pixels(scope(10)->target), std::vector<std::uint32_t>(64 * 64, scope(10)->background));
  EXPECT_NE(pixels(scope(11)->target), std::vector<std::uint32_t>(64 * 64, scope(11)->background));

  // Muted at countdown 0 the countdown stands: twelve frames fill the grid,
  // and twenty more free each copy shifted out (the sanitizer run checks).
  s.music->countdown = 0;
  s.muted = 1;
  run_part_frames(TORQ6150_waveform_part, 12);
  expect_grid_of_copies();
  run_part_frames(TORQ6150_waveform_part, 20);
  expect_grid_of_copies();
  EXPECT_EQ(s.music->countdown, 0);
}
