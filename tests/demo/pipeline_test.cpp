// The frame pipeline, the key commands and start-up, on the headless platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <regex>

#include "demo_support.h"
#include "imgfx.h"
#include "rng.h"
#include "sample.h"
#include "score.h"

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

TEST_F(Pipeline, StartupBuildsPaletteTitleAndSeed) {
  // Between the second seed and the first part only the discarded number and
  // the score's noise are drawn.
  const auto expected = in_child([] {
    RNG_srand(273880913);
    RNG_rand();
    TORQ6150_build_score();
    return std::vector<std::uint64_t>{static_cast<std::uint64_t>(RNG_rand())};
  });
  ASSERT_EQ(expected.size(), 1u);
  EXPECT_EQ(static_cast<std::uint64_t>(start_demo()), expected[0]);
  const SAMPLE* palette = TORQ6150_state.palette;
  ASSERT_EQ(palette->length, 1536);
  const std::int32_t colour[] = {0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF, 0xFF0000, 0xFFFF00};
  for (int i = 0; i < 12; ++i) {  // each sixth runs from one colour to the next
    const std::int32_t index = 256 * (i / 2) + 255 * (i % 2);
    EXPECT_EQ(SAMPLE_get(palette, index), colour[(i / 2 + i % 2) % 6]) << index;
  }
}

TEST(Startup, LoadingScreenAndTitleCommand) {
  // A fresh process: the start-up's own presents and commands are seen whole.
  const auto values = in_child([] {
    headless::reset();
    TORQ6150_startup();
    const auto& frame = headless::last_frame();
    const std::regex title("xprop -id 0x[0-9a-f]+ -set WM_NAME TORQ6150");
    // The loading screen presented once, mostly blue; one command, the title; a one-second pause.
    return std::vector<std::uint64_t>{
        headless::presents(), headless::commands().size(),
        std::count(frame.begin(), frame.end(), 0x0080FFu) > 50000,
        std::regex_match(headless::commands()[0], title), static_cast<std::uint64_t>(headless::now_us())};
  });
  // The one-second pause and the loading screen's metered present.
  EXPECT_EQ(values, (std::vector<std::uint64_t>{1, 1, 1, 1, 1000200}));
}

TEST_F(Pipeline, PresentsFrameOrEffectResultForEachSwitchCombination) {
  IMG_set_pixel(frame(), 100, 50, 0xFFFFFF);
  IMG_set_pixel(frame(), 0, 0, 0x804020);
  IMG *copy = blank(), *glared = blank(), *blurred = blank(), *glared_blurred = blank();
  IMG_copy(frame(), copy);
  IMGFX_glare(copy, glared, 3);
  IMGFX_hblur(copy, blurred, 2, 2, 2);
  IMGFX_hblur(glared, glared_blurred, 2, 2, 2);
  struct Case {
    std::uint8_t glare, blur;
    const IMG* expected;
  };
  TORQ6150_settings.fade_on = 1;
  TORQ6150_settings.fade_colour = 0;  // the frame stays as it is between the cases
  for (const Case c : {Case{0, 0, copy}, Case{1, 0, glared}, Case{0, 1, blurred},
                       Case{1, 1, glared_blurred}}) {
    SCOPED_TRACE(testing::Message() << "glare " << int(c.glare) << " blur " << int(c.blur));
    TORQ6150_state.glare_on = c.glare;
    TORQ6150_state.blur_on = c.blur;
    TORQ6150_post_present();
    EXPECT_EQ(headless::last_frame(), pixels(c.expected));
    EXPECT_EQ(pixels(frame()), pixels(copy));  // the effects never touch the frame
  }
  for (IMG* image : {copy, glared, blurred, glared_blurred}) IMG_free(&image);
}

TEST_F(Pipeline, NextFrameIsFadedClearedOrWhite) {
  IMG_fill_rect(frame(), 0, 0, 256, 256, 0x405060);
  TORQ6150_settings.fade_on = 1;
  TORQ6150_settings.fade_colour = 0x101010;
  TORQ6150_state.white_background = 1;  // no effect while fading
  TORQ6150_post_present();
  EXPECT_EQ(IMG_get_pixel(frame(), 9, 9), 0x304050u);
  TORQ6150_settings.fade_on = 0;
  TORQ6150_post_present();
  EXPECT_EQ(TORQ6150_state.background_colour, 0xFFFFFFu);
  EXPECT_EQ(IMG_get_pixel(frame(), 255, 255), 0xFFFFFFu);
  TORQ6150_state.white_background = 0;
  TORQ6150_post_present();
  EXPECT_EQ(TORQ6150_state.background_colour, 0u);
  EXPECT_EQ(IMG_get_pixel(frame(), 0, 0), 0u);
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

TEST_F(Pipeline, EveryKeyOfTheTable) {
  DemoState& s = TORQ6150_state;
  DemoSettings& c = TORQ6150_settings;
  TORQ6150_key(' ');
  EXPECT_EQ(s.control, CONTROL_NEXT_PART);
  s.control = 0;
  TORQ6150_key('5');
  EXPECT_EQ(s.fps->target_fps, 25);
  TORQ6150_key('6');
  EXPECT_EQ(s.fps->target_fps, 50);
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
