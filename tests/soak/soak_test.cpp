// Three whole cycles of the show on the headless twin's virtual clock, with
// keys in every part: nothing may crash, hang, or keep memory from one cycle
// to the next.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string_view>

#include "demo/demo_support.h"
#include "list.h"
#include "sam.h"
#include "samdraw.h"
#include "sample.h"
#include "xsnd.h"

namespace {

// Keys of each step of the cycle, one per second of virtual time from the
// part's start; the parts whose keys end with SPACE end early. Toggles come
// in pairs, so every cycle starts from the same settings.
constexpr std::string_view kKeys[10] = {
    "8oopp568",    // waveform: overlay, mute and back, pause, 25 and 50 frames per second
    "uuiiwfwf ",   // scroller: faster, slower, background and fading
    "bgbgppss",    // arch paths: blur, glare, pause, statistics
    "ssw56w ",     // thick two-colour lines
    "zxxkllzk",    // star bursts: rays and their lengths
    "fwfw88",      // thick lines
    "bgbgoo56 ",   // sine lines (10 seconds)
    "spps",        // filled circles
    "zk8bg8bgxl",  // circle waves
    "wfoowf ",     // thin two-colour lines
};

#ifdef __SANITIZE_ADDRESS__
constexpr bool kQuarantine = true;
#else
constexpr bool kQuarantine = false;
#endif

void discard(const std::int16_t*, std::int32_t, std::int64_t) {}

// Resident memory of this process in KiB.
long resident_kib() {
  long pages = 0, resident = 0;
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (f == nullptr || std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = -1;
  if (f != nullptr) std::fclose(f);
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// KiB of the pattern copies in the waveform part's history grid. It keeps
// the last twelve patterns, one per 300 frames of music, so it only fills
// over the first five visits of the part: growth the soak must not count.
long history_kib() {
  long bytes = 0;
  for (int i = 0; i < 12; ++i) {
    const auto* scope = static_cast<const SAMDRAW*>(LIST_get(TORQ6150_state.scopes, i));
    if (scope != nullptr && scope->source->sample != nullptr)
      bytes += scope->source->sample->capacity * static_cast<long>(sizeof(std::int32_t));
  }
  return bytes / 1024;
}

}  // namespace

TEST(Soak, ThreeCyclesWithKeysInEveryPart) {
  XSND_use_capture(discard);  // the sound plays on the virtual clock, into nothing
  start_demo();
  const DemoPart* const* cycle = TORQ6150_cycle();
  long resident[3];
  for (int round = 0; round < 3; ++round) {
    const auto started = std::chrono::steady_clock::now();
    for (int step = 0; step < 10; ++step) {
      SCOPED_TRACE(testing::Message() << "cycle " << round + 1 << ", step " << step + 1);
      const std::int64_t start = headless::now_us();
      for (std::size_t i = 0; i < kKeys[step].size(); ++i)
        headless::press_at(kKeys[step][i], start + static_cast<std::int64_t>(i + 1) * 1000000);
      const std::int32_t before = TORQ6150_state.fps->frame_count;
      TORQ6150_run_part(*cycle[step]);
      const std::int32_t frames = TORQ6150_state.fps->frame_count - before;
      EXPECT_EQ(headless::pending_keys(), 0u);
      if (kKeys[step].back() == ' ')
        EXPECT_LT(frames, cycle[step]->budget);
      else
        EXPECT_EQ(frames, cycle[step]->budget);
    }
    resident[round] = resident_kib() - history_kib();
    std::printf("cycle %d: %.1f s, resident %ld KiB, pattern history %ld KiB\n", round + 1,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(),
                resident_kib(), history_kib());
  }
  // Resident memory besides the history; the sanitizer's quarantine keeps
  // freed memory resident, so it is measured without it.
  if (kQuarantine) return;
  EXPECT_NEAR(resident[1], resident[0], 1024);
  EXPECT_NEAR(resident[2], resident[0], 1024);
}
