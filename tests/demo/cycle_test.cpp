// The whole cycle of ten parts, run headless.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "demo_support.h"
#include "xsnd_p.h"

namespace {

// Runs steps `first` to `last` of the cycle (counted from 0), with SPACE
// pressed in frame `space_frame` of step `space_step` (none when negative),
// writes the frames each step counted to standard error and exits. Run as a
// death test, it starts from the state of this process and leaves it untouched.
[[noreturn]] void run_steps(int first, int last, int space_step, int space_frame) {
  start_demo();
  headless::reset();
  DemoState& s = TORQ6150_state;
  XSND_free(&s.sound_device);
  s.sound_device = XSND_open(nullptr, nullptr);
  const DemoPart* const* cycle = TORQ6150_cycle();
  for (int step = first; step <= last; ++step) {
    if (step == space_step) headless::press(std::string(space_frame - 1, '\0') + " ");
    const std::int32_t before = s.fps->frame_count;
    TORQ6150_run_part(*cycle[step]);
    std::fprintf(stderr, " %d", s.fps->frame_count - before);
  }
  std::exit(0);
}

}  // namespace

// The ten parts, each for its budget: 7500 frames in all when no key is
// pressed. (Their order shows in the capture's pinned run.)
TEST(Cycle, TenPartsWithTheirBudgets) {
  EXPECT_EXIT(run_steps(0, 9, -1, 0), testing::ExitedWithCode(0),
              "^ 750 750 1000 750 750 750 500 750 750 750$");
}

// SPACE in the 100th frame of the arch-path part ends that part alone: the
// frame it was pressed in is not counted, and the next part runs in full.
TEST(Cycle, OneSpaceSkipsExactlyOnePart) {
  EXPECT_EXIT(run_steps(2, 3, 2, 100), testing::ExitedWithCode(0), "^ 99 750$");
}
