// The frame pipeline and the key commands, on the headless platform.
#include <gtest/gtest.h>

#include <cstring>

#include "demo_support.h"

namespace {

struct Pipeline : testing::Test {
  void SetUp() override {
    start_demo();
    headless::reset();
    DemoState& s = TORQ6150_state;
    s.control = 0;
    s.blur_on = s.glare_on = s.paused = s.muted = s.white_background = 0;
    s.show_fps = 0;
    TORQ6150_settings.fade_on = 0;
    TORQ6150_settings.bench_stats_on = 1;
    s.fps->target_fps = 50;
    IMG_fill_rect(s.frame, 0, 0, 256, 256, 0);
  }
  static IMG* frame() { return TORQ6150_state.frame; }
};

// A part whose frames record the switches as the key commands left them.
std::vector<std::string> seen;
void record_switches() {
  const DemoState& s = TORQ6150_state;
  seen.push_back(std::string() + char('0' + s.blur_on) + char('0' + s.glare_on) +
                 char('0' + TORQ6150_settings.fade_on));
}
void no_setup() {}
void work_5ms() { headless::advance_us(5000); }

}  // namespace

// Fading darkens the next frame even on a white background. (Clearing to
// black or white, and the fading itself, show in the capture's pinned run.)
TEST_F(Pipeline, FadingWinsOverTheWhiteBackground) {
  IMG_fill_rect(frame(), 0, 0, 256, 256, 0x405060);
  TORQ6150_settings.fade_on = 1;
  TORQ6150_settings.fade_colour = 0x101010;
  TORQ6150_state.white_background = 1;
  TORQ6150_post_present();
  EXPECT_EQ(IMG_get_pixel(frame(), 9, 9), 0x304050u);
}

TEST_F(Pipeline, FadeOutDarkensToBlackInTwoPasses) {
  IMG_fill_rect(frame(), 0, 0, 256, 256, 0xFFC080);
  headless::keep_frames(true);
  TORQ6150_fade_out();
  ASSERT_EQ(headless::frames().size(), 32u);
  EXPECT_EQ(headless::frames()[0][1234], 0x7F4000u);
  for (std::size_t i = 1; i < 32; ++i) EXPECT_EQ(headless::frames()[i][1234], 0u) << i;
  EXPECT_EQ(headless::slept_us(), 0);  // not paced
}

// Every switch of the key table turns on and off. (SPACE and the frame
// rates, each pressed once, show in the capture's pinned run.)
TEST_F(Pipeline, EverySwitchKeyTurnsOnAndOff) {
  DemoState& s = TORQ6150_state;
  DemoSettings& c = TORQ6150_settings;
  for (const auto& [key, byte] : {std::pair{'8', &s.show_fps}, {'b', &s.blur_on}, {'g', &s.glare_on},
                                  {'f', &c.fade_on}, {'o', &s.muted}, {'s', &c.bench_stats_on},
                                  {'w', &s.white_background}}) {
    SCOPED_TRACE(key);
    const std::uint8_t before = *byte;
    TORQ6150_key(key);
    EXPECT_EQ(*byte, before ^ 1);
    TORQ6150_key(key);
    EXPECT_EQ(*byte, before);
  }
}

TEST_F(Pipeline, UpperCaseAndUnknownKeysDoNothing) {
  DemoState before;
  DemoSettings settings_before;
  std::memcpy(static_cast<void*>(&before), &TORQ6150_state, sizeof before);
  std::memcpy(static_cast<void*>(&settings_before), &TORQ6150_settings, sizeof settings_before);
  for (const char key : std::string("SBGFPOW5X\t\r\n0u1izxkl~")) TORQ6150_key(key);
  TORQ6150_key(0);
  TORQ6150_key(-27);
  EXPECT_EQ(std::memcmp(&before, &TORQ6150_state, sizeof before), 0);
  EXPECT_EQ(std::memcmp(&settings_before, &TORQ6150_settings, sizeof settings_before), 0);
}

TEST_F(Pipeline, QuitKeysFadeAndExitWithStatusZero) {
  for (const char key : {'\x1b', 'q', 'Q'}) EXPECT_EXIT(TORQ6150_key(key), testing::ExitedWithCode(0), "");
  EXPECT_EXIT(
      {
        headless::request_close();
        XKBD_poll(TORQ6150_state.keyboard);
        TORQ6150_key(TORQ6150_state.keyboard->key_buffer[0]);
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(Pipeline, PauseTakesKeysUntilResumedAndWaitsBetweenPolls) {
  headless::press(std::string("b") + '\0' + "g p");
  TORQ6150_key('p');
  DemoState& s = TORQ6150_state;
  EXPECT_EQ(s.paused, 0);
  EXPECT_EQ(s.blur_on, 1);
  EXPECT_EQ(s.glare_on, 1);
  EXPECT_EQ(s.control, CONTROL_NEXT_PART);  // SPACE waits for the pause to end
  EXPECT_EQ(headless::presents(), 0u);
  EXPECT_EQ(headless::now_us(), 10000);  // one wait, for the empty poll
  EXPECT_EXIT(
      {
        headless::press("q");
        TORQ6150_key('p');
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(Pipeline, KeyBurstIsAppliedOneKeyPerFrame) {
  seen.clear();
  const DemoPart part{6, no_setup, record_switches, nullptr, nullptr, false, true};
  headless::press("bgfb");
  TORQ6150_run_part(part);
  // Each frame renders before its key is taken: the first sees none applied.
  EXPECT_EQ(seen, (std::vector<std::string>{"000", "100", "110", "111", "011", "011"}));
  EXPECT_EQ(headless::pending_keys(), 0u);
}

TEST_F(Pipeline, PartLoopPacesAndCountsCompletedFramesOnly) {
  FPS* fps = TORQ6150_state.fps;
  const DemoPart paced{4, no_setup, work_5ms, nullptr, nullptr, false, true};
  const std::int32_t count = fps->frame_count;
  TORQ6150_run_part(paced);
  EXPECT_EQ(fps->frame_count, count + 4);
  // Each frame: 5 ms of work and the present's metered 200 us.
  EXPECT_EQ(headless::slept_us(), 4 * 14800);
  EXPECT_EQ(headless::presents(), 32u + 4u);  // the opening fade, then the frames

  headless::reset();
  headless::press(std::string("\0\0 ", 3));
  TORQ6150_run_part(paced);
  EXPECT_EQ(fps->frame_count, count + 6);  // the third frame, ended by SPACE, is not counted
  EXPECT_EQ(headless::slept_us(), 2 * 14800);
  EXPECT_EQ(TORQ6150_state.control & CONTROL_NEXT_PART, 0);

  headless::reset();
  const DemoPart unpaced{3, no_setup, work_5ms, nullptr, nullptr, false, false};
  TORQ6150_run_part(unpaced);
  EXPECT_EQ(fps->frame_count, count + 9);
  EXPECT_EQ(headless::slept_us(), 0);
}
