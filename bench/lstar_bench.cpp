// One frame of the star-burst part's drawing on a 256 x 256 frame: four
// bursts of 13 to 29 rays drawn with strokes 16, 12, 8 and 4 pixels thick,
// and the tiled background under them. The frame budget at 50 frames per
// second is 20 ms.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "backmove.h"
#include "img.h"
#include "lstar.h"
#include "rng.h"

namespace {

void BM_FourBursts(benchmark::State& state) {
  RNG_srand(5);
  IMG* frame = IMG_new();
  IMG_set_size(frame, 256, 256);
  LSTAR* star[4];
  for (LSTAR*& s : star) {
    s = LSTAR_new();
    LSTAR_set_count(s, static_cast<std::int32_t>(state.range(0)));
  }
  constexpr std::int32_t thickness[4] = {16, 12, 8, 4};
  for (auto _ : state) {
    for (int i = 0; i < 4; ++i) LSTAR_turn(star[i]);
    for (int i = 0; i < 4; ++i) LSTAR_draw(star[i], frame, thickness[i]);
    benchmark::DoNotOptimize(frame->pixels.get());
  }
  for (LSTAR*& s : star) LSTAR_free(&s);
  IMG_free(&frame);
}
BENCHMARK(BM_FourBursts)->Arg(13)->Arg(29)->Arg(64)->Unit(benchmark::kMicrosecond);

void BM_StarBackground(benchmark::State& state) {
  RNG_srand(6);
  IMG* frame = IMG_new();
  IMG_set_size(frame, 256, 256);
  BACKMOVE* mover = BACKMOVE_new();
  mover->target = frame;
  mover->tile = IMG_new();
  IMG_set_size(mover->tile, 64, 64);
  IMG_fill_rect(mover->tile, 0, 0, 64, 64, 0x402030);
  for (auto _ : state) {
    BACKMOVE_move(mover);
    BACKMOVE_draw(mover);
    benchmark::DoNotOptimize(frame->pixels.get());
  }
  IMG_free(&mover->tile);
  BACKMOVE_free(&mover);
  IMG_free(&frame);
}
BENCHMARK(BM_StarBackground)->Unit(benchmark::kMicrosecond);

}  // namespace
