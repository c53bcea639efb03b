// Raster primitives as the benchmark parts draw them, on a 256 x 256 image:
// filled circles of radius (rand() AND 63) at random centres, and one-pixel,
// two-colour and thick lines (thickness 1 to 15) between random points.
//
// Every primitive is measured three ways: the optimised one, the plain
// per-pixel reference of the tests, and a bound that stores exactly the same
// pixels as cheaply as possible (std::fill over the circle's final runs,
// single stores at the recorded addresses of the lines' stores).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image/draw_reference.h"
#include "img.h"
#include "imgfx.h"

namespace {

namespace ref = draw_reference;

constexpr int kSize = 256;
constexpr std::size_t kCases = 1024;  // a power of two

struct Args {
  std::int32_t x1, y1, x2, y2;
  std::uint32_t colour1, colour2;
  std::int32_t thickness;  // the radius, for circles
};

enum Kind { kCircle, kLine, kBicolor, kThick, kThickBicolor };

// Random arguments drawn once, in the order the benchmark parts draw them.
std::vector<Args> make_args(Kind kind) {
  std::srand(4242 + kind);
  std::vector<Args> args(kCases);
  const auto random = [] { return static_cast<std::uint32_t>(std::rand()); };
  for (Args& a : args) {
    a = Args{};
    switch (kind) {
      case kCircle:
        a.x1 = static_cast<std::int32_t>(random() % kSize);
        a.y1 = static_cast<std::int32_t>(random() % kSize);
        a.thickness = static_cast<std::int32_t>(random() & 63);
        a.colour1 = random() & 0xFFFFFF;
        break;
      case kLine:
      case kThick:
        a.x1 = static_cast<std::int32_t>(random() % kSize);
        a.y1 = static_cast<std::int32_t>(random() % kSize);
        a.x2 = static_cast<std::int32_t>(random() % kSize);
        a.y2 = static_cast<std::int32_t>(random() % kSize);
        a.colour1 = random();
        a.thickness = static_cast<std::int32_t>(random() % 15 + 1);
        break;
      case kBicolor:
        a.x1 = static_cast<std::int32_t>(random() % kSize);
        a.y1 = static_cast<std::int32_t>(random() % kSize);
        a.colour1 = random();
        a.x2 = static_cast<std::int32_t>(random() % kSize);
        a.y2 = static_cast<std::int32_t>(random() % kSize);
        a.colour2 = random();
        break;
      case kThickBicolor:
        a.x1 = static_cast<std::int32_t>(random() % kSize);
        a.y1 = static_cast<std::int32_t>(random() % kSize);
        a.x2 = static_cast<std::int32_t>(random() % kSize);
        a.y2 = static_cast<std::int32_t>(random() % kSize);
        a.colour1 = random();
        a.colour2 = random();
        a.thickness = static_cast<std::int32_t>(random() % 15 + 1);
        break;
    }
  }
  return args;
}

IMG* frame() {
  static IMG* image = [] {
    IMG* i = IMG_new();
    IMG_set_size(i, kSize, kSize);
    return i;
  }();
  return image;
}

// Optimised and plain versions of one primitive, drawing `a` on `image`.
void draw_fast(Kind kind, IMG* image, const Args& a) {
  switch (kind) {
    case kCircle: IMG_filled_circle(image, a.x1, a.y1, a.thickness, a.colour1); break;
    case kLine: IMG_line(image, a.x1, a.y1, a.x2, a.y2, a.colour1); break;
    case kBicolor:
      IMGFX_bicolor_line(image, a.x1, a.y1, a.colour1, a.x2, a.y2, a.colour2);
      break;
    case kThick: IMGFX_thick_line(image, a.x1, a.y1, a.x2, a.y2, a.colour1, a.thickness); break;
    case kThickBicolor:
      IMGFX_thick_bicolor_line(image, a.x1, a.y1, a.colour1, a.x2, a.y2, a.colour2, a.thickness);
      break;
  }
}

template <typename Target>
void draw_plain(Kind kind, const Target& target, const Args& a) {
  switch (kind) {
    case kCircle: ref::filled_circle(target, a.x1, a.y1, a.thickness, a.colour1); break;
    case kLine: ref::line(target, a.x1, a.y1, a.x2, a.y2, a.colour1); break;
    case kBicolor: ref::bicolor_line(target, a.x1, a.y1, a.colour1, a.x2, a.y2, a.colour2); break;
    case kThick: ref::thick_line(target, a.x1, a.y1, a.x2, a.y2, a.colour1, a.thickness); break;
    case kThickBicolor:
      ref::thick_bicolor_line(target, a.x1, a.y1, a.colour1, a.x2, a.y2, a.colour2, a.thickness);
      break;
  }
}

// One precomputed store of the bound: pixel index and colour, or for a
// circle run its first pixel index and length.
struct Store {
  std::uint32_t index;
  std::uint32_t value;
};

// Records the stores of the plain version that land inside the image.
struct RecordTarget {
  std::vector<Store>* stores;
  std::int64_t width() const { return kSize; }
  std::int64_t height() const { return kSize; }
  void plot(std::int64_t x, std::int64_t y, std::uint32_t colour) const {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize) return;
    stores->push_back(Store{static_cast<std::uint32_t>(y * kSize + x), colour});
  }
};

// The precomputed work of the bound: per case, a range of stores (lines) or
// of runs (circles).
struct Bound {
  std::vector<Store> stores;
  std::vector<std::size_t> start;  // kCases + 1 offsets into stores
};

Bound make_bound(Kind kind, const std::vector<Args>& args) {
  Bound bound;
  for (const Args& a : args) {
    bound.start.push_back(bound.stores.size());
    if (kind != kCircle) {
      draw_plain(kind, RecordTarget{&bound.stores}, a);
      continue;
    }
    // The final runs of the disc, one per row it covers.
    std::vector<Store> touched;
    draw_plain(kind, RecordTarget{&touched}, a);
    std::vector<bool> set(kSize * kSize);
    for (const Store& s : touched) set[s.index] = true;
    for (std::uint32_t row = 0; row < kSize; ++row) {
      for (std::uint32_t x = 0; x < kSize; ++x) {
        if (!set[row * kSize + x]) continue;
        std::uint32_t end = x;
        while (end < kSize && set[row * kSize + end]) ++end;
        bound.stores.push_back(Store{row * kSize + x, end - x});
        x = end;
      }
    }
  }
  bound.start.push_back(bound.stores.size());
  return bound;
}

void BM_fast(benchmark::State& state, Kind kind) {
  const std::vector<Args> args = make_args(kind);
  IMG* image = frame();
  std::size_t n = 0;
  for (auto _ : state) {
    draw_fast(kind, image, args[n++ & (kCases - 1)]);
    benchmark::ClobberMemory();
  }
}

void BM_plain(benchmark::State& state, Kind kind) {
  const std::vector<Args> args = make_args(kind);
  const ref::ImageTarget target{frame()};
  std::size_t n = 0;
  for (auto _ : state) {
    draw_plain(kind, target, args[n++ & (kCases - 1)]);
    benchmark::ClobberMemory();
  }
}

void BM_bound(benchmark::State& state, Kind kind) {
  const std::vector<Args> args = make_args(kind);
  const Bound bound = make_bound(kind, args);
  std::uint32_t* pixels = frame()->pixels.get();
  std::size_t n = 0;
  for (auto _ : state) {
    const std::size_t c = n++ & (kCases - 1);
    const Store* s = bound.stores.data() + bound.start[c];
    const Store* end = bound.stores.data() + bound.start[c + 1];
    if (kind == kCircle) {
      const std::uint32_t colour = args[c].colour1;
      for (; s != end; ++s) std::fill_n(pixels + s->index, s->value, colour);
    } else {
      for (; s != end; ++s) pixels[s->index] = s->value;
    }
    benchmark::ClobberMemory();
  }
}

// The fastest of the repetitions is the least disturbed by other work on
// the machine: run with --benchmark_repetitions=N to get it.
double fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

#define DRAW_BENCH(kind_name, kind)                                               \
  BENCHMARK_CAPTURE(BM_fast, kind_name, kind)->ComputeStatistics("min", fastest);  \
  BENCHMARK_CAPTURE(BM_plain, kind_name, kind)->ComputeStatistics("min", fastest); \
  BENCHMARK_CAPTURE(BM_bound, kind_name, kind)->ComputeStatistics("min", fastest)

DRAW_BENCH(circle, kCircle);
DRAW_BENCH(line, kLine);
DRAW_BENCH(bicolor_line, kBicolor);
DRAW_BENCH(thick_line, kThick);
DRAW_BENCH(thick_bicolor_line, kThickBicolor);

}  // namespace
