#include "fps.h"

#include <gtest/gtest.h>

#include <memory>

#include "headless.h"

namespace {

struct FpsTest : testing::Test {
  FPS* fps = nullptr;
  void SetUp() override {
    headless::reset();
    fps = FPS_new();
    fps->target_fps = 50;
  }
  void TearDown() override { delete fps; }

  // One frame whose work takes the given time on the virtual clock.
  void frame(std::int64_t work_us) {
    FPS_frame_start(fps);
    headless::advance_us(work_us);
    FPS_frame_end(fps);
    FPS_wait(fps);
  }
};

}  // namespace

TEST_F(FpsTest, SleepsExactlyTheSpareTime) {
  frame(5000);
  EXPECT_EQ(fps->work_us, 5000);
  EXPECT_EQ(fps->spare_us, 15000);
  EXPECT_EQ(headless::slept_us(), 15000);
  EXPECT_EQ(fps->shown_fps, 50);
  EXPECT_EQ(headless::now_us(), 20000);  // the frame lasted exactly one period
}

TEST_F(FpsTest, OverrunNeitherSleepsNorUpdatesShownRate) {
  frame(30000);
  EXPECT_EQ(fps->spare_us, -10000);
  EXPECT_EQ(headless::slept_us(), 0);
  EXPECT_EQ(fps->shown_fps, 0);
  frame(20000);  // exactly the period: no time to spare either
  EXPECT_EQ(fps->spare_us, 0);
  EXPECT_EQ(headless::slept_us(), 0);
  EXPECT_EQ(fps->shown_fps, 0);
}

TEST_F(FpsTest, RateSwitchTakesEffectAtTheNextWait) {
  frame(1000);
  EXPECT_EQ(fps->shown_fps, 50);
  fps->target_fps = 25;
  frame(45000);  // over the 40,000 us period: 25 is not shown yet
  EXPECT_EQ(fps->spare_us, -5000);
  EXPECT_EQ(fps->shown_fps, 50);
  frame(10000);
  EXPECT_EQ(headless::last_sleep_us(), 30000);
  EXPECT_EQ(fps->shown_fps, 25);
  fps->target_fps = 50;
  frame(10000);
  EXPECT_EQ(headless::last_sleep_us(), 10000);
}

TEST_F(FpsTest, CountsEndedFramesOnlyAndMeasuresAcrossTheLow32BitWrap) {
  FPS_frame_start(fps);  // a frame that never ends (left by a key) is not counted
  frame(100);
  frame(100);
  EXPECT_EQ(fps->frame_count, 2);
  headless::advance_us(0xFFFFFFFFll - headless::now_us() - 1000);
  FPS_frame_start(fps);
  headless::advance_us(3000);
  FPS_frame_end(fps);
  EXPECT_EQ(fps->work_us, 3000);
}

TEST_F(FpsTest, MissingRecordIsIgnoredAndErrorsNeverPrint) {
  FPS_frame_start(nullptr);
  FPS_frame_end(nullptr);
  FPS_wait(nullptr);
  fps->target_fps = 0;
  FPS_module.debug = 1;
  testing::internal::CaptureStdout();
  FPS_wait(fps);  // no rate: reported, nothing slept, nothing divided by zero
  FPS_error();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  FPS_module.debug = 0;
  EXPECT_EQ(headless::slept_us(), 0);
}
