// The start-up build of the instrument bank and the sequencer's per-pattern
// and per-blend work on the three-second loop.
#include <benchmark/benchmark.h>


#include "music.h"
#include "rng.h"
#include "score.h"

namespace {

constexpr unsigned SEED = 273880913;

// One score built for the sequencer benchmarks, with a first pattern.
MUSIC* shared_score() {
  static MUSIC* music = [] {
    RNG_srand(SEED);
    MUSIC* m = TORQ6150_build_score();
    MUSIC_compose(m);
    return m;
  }();
  return music;
}

void BM_BuildScore(benchmark::State& state) {
  for (auto _ : state) {
    RNG_srand(SEED);
    MUSIC* music = TORQ6150_build_score();
    benchmark::DoNotOptimize(music);
    TORQ6150_free_score(&music);
  }
}
BENCHMARK(BM_BuildScore)->Unit(benchmark::kMillisecond);

// The draws vary the instrument and the number of copies, as in the show.
void BM_Compose(benchmark::State& state) {
  MUSIC* music = shared_score();
  RNG_srand(SEED);
  for (auto _ : state) {
    MUSIC_compose(music);
    benchmark::DoNotOptimize(music->pattern->data.get());
  }
}
BENCHMARK(BM_Compose)->Unit(benchmark::kMicrosecond);

void BM_ComposeFaded(benchmark::State& state) {
  MUSIC* music = shared_score();
  RNG_srand(SEED);
  for (auto _ : state) {
    MUSIC_compose_faded(music);
    benchmark::DoNotOptimize(music->pattern->data.get());
  }
}
BENCHMARK(BM_ComposeFaded)->Unit(benchmark::kMicrosecond);

void BM_Blend(benchmark::State& state) {
  MUSIC* music = shared_score();
  for (auto _ : state) {
    MUSIC_blend(music, music->period / 2);
    benchmark::DoNotOptimize(music->output->data.get());
  }
}
BENCHMARK(BM_Blend)->Unit(benchmark::kMicrosecond);

}  // namespace
