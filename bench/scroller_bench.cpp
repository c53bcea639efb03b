// The scroller part's sheet of big letters, built once during its first
// set-up, where its cost shows as a pause before the opening fade; and the
// blank 32 MiB sheet alone, to tell allocation from drawing.
#include <benchmark/benchmark.h>

#include "assets.h"
#include "list.h"
#include "obj2d.h"
#include "parts.h"
#include "sample.h"

namespace {

// A hue circle of 1536 colours like the program's palette.
SAMPLE* hue_circle() {
  SAMPLE* palette = SAMPLE_new();
  SAMPLE_set_length(palette, 1536);
  for (std::int32_t i = 0; i < 256; ++i) {
    SAMPLE_set(palette, i, 0x00FF00 + i);
    SAMPLE_set(palette, 256 + i, 0x00FFFF - 256 * i);
    SAMPLE_set(palette, 512 + i, (i << 16) | 0x0000FF);
    SAMPLE_set(palette, 768 + i, 0xFF00FF - i);
    SAMPLE_set(palette, 1024 + i, 0xFF0000 + 256 * i);
    SAMPLE_set(palette, 1280 + i, 0xFFFF00 - (i << 16));
  }
  return palette;
}

void BM_BigGlyphSheet(benchmark::State& state) {
  LIST* glyphs = OBJ2D_parse(ASSET_wire_font.data, ASSET_wire_font.size);
  SAMPLE* palette = hue_circle();
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
