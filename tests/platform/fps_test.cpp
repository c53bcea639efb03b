#include "fps.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// Frames in a row: each sleeps its spare time; an overrun sleeps nothing and
// leaves the shown rate; a new rate is shown from the first frame on time.
TEST_F(FpsTest, SleepsTheSpareTimeAndShowsTheRateOfFramesOnTime) {
  const struct {
    std::int32_t target_fps;
    std::int64_t work_us, spare_us;
    std::int32_t shown_fps;
  } frames[] = {
      {50, 30000, -10000, 0},  // over the 20,000 us period: no rate shown yet
      {50, 20000, 0, 0},       // exactly the period: no time to spare either
      {50, 5000, 15000, 50},
      {25, 45000, -5000, 50},  // over the 40,000 us period: 25 is not shown yet
      {25, 10000, 30000, 25},
      {50, 10000, 10000, 50},
  };
  for (const auto& f : frames) {
    SCOPED_TRACE(&f - frames);
    fps->target_fps = f.target_fps;
    const std::int64_t slept = headless::slept_us();
    frame(f.work_us);
    EXPECT_EQ(fps->work_us, f.work_us);
    EXPECT_EQ(fps->spare_us, f.spare_us);
    EXPECT_EQ(headless::slept_us() - slept, std::max<std::int64_t>(f.spare_us, 0));
    EXPECT_EQ(fps->shown_fps, f.shown_fps);
  }
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
