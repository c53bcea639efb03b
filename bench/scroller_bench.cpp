// The scroller part's sheet of big letters, built once during its first
// set-up, where its cost shows as a pause before the opening fade; and the
// blank 32 MiB sheet alone, to tell allocation from drawing.
#include <benchmark/benchmark.h>

#include "assets.h"
#include "demo.h"
#include "list.h"
#include "obj2d.h"
#include "parts.h"
#include "sample.h"

namespace {

void BM_BigGlyphSheet(benchmark::State& state) {
  LIST* glyphs = OBJ2D_parse(ASSET_wire_font.data, ASSET_wire_font.size);
  SAMPLE* palette = TORQ6150_build_palette();
  for (auto _ : state) {
    IMG* sheet = TORQ6150_build_big_glyphs(glyphs, palette);
    benchmark::DoNotOptimize(sheet->pixels.get());
    IMG_free(&sheet);
  }
  SAMPLE_free(&palette);
  OBJ2D_free_list(&glyphs);
}
BENCHMARK(BM_BigGlyphSheet)->Unit(benchmark::kMillisecond);

void BM_BlankSheet(benchmark::State& state) {
  for (auto _ : state) {
    IMG* sheet = IMG_new();
    IMG_set_size(sheet, 256, 32768);
    benchmark::DoNotOptimize(sheet->pixels.get());
    IMG_free(&sheet);
  }
}
BENCHMARK(BM_BlankSheet)->Unit(benchmark::kMillisecond);

}  // namespace
