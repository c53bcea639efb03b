// The waveform part's per-frame scope: the three-second loop drawn on a
// 256 x 64 image with its two markers.
#include <benchmark/benchmark.h>


#include "rng.h"
#include "samdraw.h"

namespace {

void BM_LiveScope(benchmark::State& state) {
  RNG_srand(1);
  SAMPLE* loop = SAMPLE_new();
  SAMPLE_set_length(loop, 132300);
  for (std::int32_t i = 0; i < loop->length; ++i) loop->data[i] = (RNG_rand() & 0xffff) - 32768;
  SAMDRAW* scope = SAMDRAW_new();
  scope->source = SAM_new();
  SAM_set_sample(scope->source, loop);
  scope->target = IMG_new();
  IMG_set_size(scope->target, 256, 64);
  for (auto _ : state) {
    scope->first = 0;
    scope->last = loop->length - 1;
    SAMDRAW_draw(scope);
    SAMDRAW_draw_extremes(scope);
    benchmark::DoNotOptimize(scope->target->pixels.get());
  }
  IMG_free(&scope->target);
  SAM_free(&scope->source);
  SAMDRAW_free(&scope);
  SAMPLE_free(&loop);
}
BENCHMARK(BM_LiveScope)->Unit(benchmark::kMicrosecond);

}  // namespace
