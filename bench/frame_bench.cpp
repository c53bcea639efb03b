// The whole show on the headless platform twin, frame by frame: start-up and
// the scroller's first set-up with their page faults, then every part of the
// cycle over its whole budget, each frame's processor time split into the
// part's drawing, its text layers, the post-processing (glare or copy, blur or
// copy, then the fade or clear of the next frame), the present's copy and the
// music step; last, the process's peak resident memory after the cycle.
//
// The benchmark parts draw fixed counts (their adaptation follows the virtual
// clock, not this machine), and the circle waves draw 100 circles. The runs
// depend on one another, so they run once each, in order, in one process.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <vector>

#include "demo.h"
#include "headless.h"
#include "imgfx.h"
#include "parts.h"

namespace {

// Processor time of this thread, in microseconds: the machine is shared, and
// another process's work must not count.
double cpu_us() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

long minor_faults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

// Runs `work` once and reports its processor time and minor page faults.
template <typename Work>
void once(benchmark::State& state, Work work) {
  for (auto _ : state) {
    const long faults = minor_faults();
    const double start = cpu_us();
    work();
    const double took = cpu_us() - start;
    state.SetIterationTime(took / 1e6);
    state.counters["cpu_ms"] = took / 1e3;
    state.counters["minor_faults"] = static_cast<double>(minor_faults() - faults);
  }
}

void BM_Startup(benchmark::State& state) {
  once(state, [] {
    headless::reset();
    TORQ6150_startup();
  });
}
BENCHMARK(BM_Startup)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// The scroller's set-up builds its 32 MiB sheet of big letters the first time only.
void BM_ScrollerFirstSetup(benchmark::State& state) {
  once(state, [] {
    TORQ6150_scroller_part.setup();
    TORQ6150_scroller_part.finish();  // takes the font's tint off again
  });
}
BENCHMARK(BM_ScrollerFirstSetup)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

enum Phase { DRAW, TEXT, POST, PRESENT, MUSIC_STEP, PHASES };
constexpr const char* kPhaseNames[PHASES] = {"draw", "text", "post", "present", "music"};

// Shapes per frame of the benchmark parts.
constexpr std::int32_t kThickBicolorLines = 2000, kThickLines = 2000, kCircles = 2000,
                       kBicolorLines = 10000;

void fix_counts() {
  DemoState& s = TORQ6150_state;
  s.bicolor_thick_count = kThickBicolorLines;
  s.thick_line_count = kThickLines;
  s.filled_circle_count = kCircles;
  s.bicolor_line_count = kBicolorLines;
  TORQ6150_settings.circle_count = 100;
}

// One visit of the part at the given step of the cycle: the frame loop of the
// show with no key pressed, each stage timed on its own.
void BM_Part(benchmark::State& state) {
  const DemoPart& part = *TORQ6150_cycle()[state.range(0)];
  DemoState& s = TORQ6150_state;
  std::array<std::vector<double>, PHASES> times;
  std::vector<double> totals;
  for (auto _ : state) {
    fix_counts();
    part.setup();
    TORQ6150_fade_out();
    for (std::int32_t n = 0; n < part.budget; ++n) {
      fix_counts();
      FPS_frame_start(s.fps);
      double t[PHASES + 2];
      t[0] = cpu_us();
      part.render();
      t[1] = cpu_us();
      if (part.text_layers != nullptr) part.text_layers();
      t[2] = cpu_us();
      // TORQ6150_post_present, with the present timed apart.
      IMG* shown = TORQ6150_post_process();
      const double before_present = cpu_us();
      XDPY_present(s.display, shown);
      const double after_present = cpu_us();
      TORQ6150_start_next_frame();
      t[3] = cpu_us();
      if (part.music) TORQ6150_music_step();
      t[4] = cpu_us();
      times[DRAW].push_back(t[1] - t[0]);
      times[TEXT].push_back(t[2] - t[1]);
      times[PRESENT].push_back(after_present - before_present);
      times[POST].push_back(t[3] - t[2] - times[PRESENT].back());
      times[MUSIC_STEP].push_back(t[4] - t[3]);
      totals.push_back(t[4] - t[0]);
      FPS_frame_end(s.fps);
      if (part.paced) FPS_wait(s.fps);
    }
    if (part.finish != nullptr) part.finish();
    double sum = 0;
    for (const double v : totals) sum += v;
    state.SetIterationTime(sum / 1e6);
  }
  // Mean, 99th percentile and worst of each stage and of the whole frame, in microseconds.
  const auto report = [&state](const std::string& name, std::vector<double> v) {
    double sum = 0;
    for (const double x : v) sum += x;
    std::sort(v.begin(), v.end());
    state.counters[name + "_mean"] = sum / static_cast<double>(v.size());
    state.counters[name + "_p99"] = v[v.size() * 99 / 100];
    state.counters[name + "_max"] = v.back();
  };
  report("frame", totals);
  for (int p = 0; p < PHASES; ++p) report(kPhaseNames[p], times[p]);
}
BENCHMARK(BM_Part)
    ->DenseRange(0, 9)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The largest resident set of the process so far: start-up and a whole cycle.
void BM_PeakResidentAfterCycle(benchmark::State& state) {
  for (auto _ : state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  }
}
BENCHMARK(BM_PeakResidentAfterCycle)->Iterations(1);

}  // namespace
