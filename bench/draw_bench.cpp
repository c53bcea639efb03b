// Raster primitives as the benchmark parts draw them, on a 256 x 256 image:
// filled circles of radius (rand() AND 63) at random centres, and one-pixel,
// two-colour and thick lines (thickness 1 to 15) between random points.
//
// Each benchmark times three versions of one primitive over the same 1024
// random cases, one after the other inside every iteration, so that all
// three see the same load on the machine (each timed on the thread's CPU
// clock, so time the thread spends preempted by other work is not counted):
//   fast  - the optimised primitive;
//   plain - the per-pixel reference of the tests;
//   bound - the same final pixels written as cheaply as the hardware allows,
//           from work precomputed outside the timing: a disc as one
//           wmemset (glibc's vectorised fill) per row it covers, a line as
//           one 32-bit store per distinct pixel it leaves, from a list of
//           offsets, with the colour held in a register.
// The counters give nanoseconds per primitive, fast / bound and the most that
// fast / bound should be. Run with
// --benchmark_repetitions=N and read the medians.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstdint>
#include <cwchar>
#include <vector>

#include "image/draw_reference.h"
#include "img.h"
#include "imgfx.h"
#include "rng.h"

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
  RNG_srand(4242 + kind);
  std::vector<Args> args(kCases);
  const auto random = [] { return static_cast<std::uint32_t>(RNG_rand()); };
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

// A pixel store recorded from the plain version.
struct Store {
  std::uint32_t index;
  std::uint32_t colour;
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

// Pixels of one colour: for a line, `count` offsets from `first` of the
// offset list; for a disc, `count` rows, each a first pixel and a length.
struct Group {
  std::uint32_t colour;
  std::size_t first;
  std::size_t count;
};

// The precomputed work of the bound for every case.
struct Bound {
  std::vector<std::uint32_t> offsets;  // lines: pixel; discs: pixel, length
  std::vector<Group> groups;
  std::vector<std::size_t> start;  // kCases + 1 offsets into groups
};

Bound make_bound(Kind kind, const std::vector<Args>& args) {
  Bound bound;
  std::vector<std::int64_t> last(kSize * kSize, -1);  // last store to each pixel
  for (const Args& a : args) {
    bound.start.push_back(bound.groups.size());
    std::vector<Store> stores;
    draw_plain(kind, RecordTarget{&stores}, a);
    // The final colour of every pixel touched, once each.
    std::vector<Store> final_pixels;
    for (std::size_t n = 0; n < stores.size(); ++n) {
      last[stores[n].index] = static_cast<std::int64_t>(n);
    }
    for (std::size_t n = 0; n < stores.size(); ++n) {
      if (last[stores[n].index] == static_cast<std::int64_t>(n)) final_pixels.push_back(stores[n]);
    }
    for (const Store& s : stores) last[s.index] = -1;
    // Grouped by colour, in address order.
    std::sort(final_pixels.begin(), final_pixels.end(), [](const Store& p, const Store& q) {
      return p.colour != q.colour ? p.colour < q.colour : p.index < q.index;
    });
    for (std::size_t n = 0; n < final_pixels.size();) {
      Group group{final_pixels[n].colour, bound.offsets.size(), 0};
      for (; n < final_pixels.size() && final_pixels[n].colour == group.colour; ++n) {
        const std::uint32_t index = final_pixels[n].index;
        if (kind != kCircle) {
          bound.offsets.push_back(index);
          ++group.count;
        } else if (group.count > 0 && index % kSize != 0 &&
                   bound.offsets[bound.offsets.size() - 2] + bound.offsets.back() == index) {
          ++bound.offsets.back();  // the pixel extends the run on its row
        } else {
          bound.offsets.push_back(index);
          bound.offsets.push_back(1);
          ++group.count;
        }
      }
      bound.groups.push_back(group);
    }
  }
  bound.start.push_back(bound.groups.size());
  return bound;
}

// Draws case c of the bound.
void draw_bound(Kind kind, const Bound& bound, std::size_t c, std::uint32_t* pixels) {
  for (std::size_t g = bound.start[c]; g < bound.start[c + 1]; ++g) {
    const Group& group = bound.groups[g];
    const std::uint32_t* o = bound.offsets.data() + group.first;
    if (kind == kCircle) {
      const auto colour = static_cast<wchar_t>(group.colour);
      for (std::size_t row = 0; row < group.count; ++row, o += 2) {
        std::wmemset(reinterpret_cast<wchar_t*>(pixels + o[0]), colour, o[1]);
      }
    } else {
      const std::uint32_t colour = group.colour;
      for (const std::uint32_t* end = o + group.count; o != end; ++o) pixels[*o] = colour;
    }
  }
}

// CPU time of the calling thread, in nanoseconds.
double thread_ns() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// Times the fast, plain and bound versions of one primitive over all cases
// in every iteration; the iteration time is the sum of the three.
void BM_draw(benchmark::State& state, Kind kind, double target) {
  static_assert(sizeof(wchar_t) == sizeof(std::uint32_t), "wmemset fills colour words");
  const std::vector<Args> args = make_args(kind);
  const Bound bound = make_bound(kind, args);
  IMG* image = frame();
  const ref::ImageTarget plain_target{image};
  std::uint32_t* pixels = image->pixels.get();
  double fast = 0, plain = 0, bounded = 0;
  for (auto _ : state) {
    const double t0 = thread_ns();
    for (const Args& a : args) {
      draw_fast(kind, image, a);
      benchmark::ClobberMemory();
    }
    const double t1 = thread_ns();
    for (std::size_t c = 0; c < kCases; ++c) {
      draw_bound(kind, bound, c, pixels);
      benchmark::ClobberMemory();
    }
    const double t2 = thread_ns();
    for (const Args& a : args) {
      draw_plain(kind, plain_target, a);
      benchmark::ClobberMemory();
    }
    const double t3 = thread_ns();
    fast += t1 - t0;
    bounded += t2 - t1;
    plain += t3 - t2;
  }
  const double draws = static_cast<double>(state.iterations()) * kCases;
  state.counters["fast_ns"] = fast / draws;
  state.counters["plain_ns"] = plain / draws;
  state.counters["bound_ns"] = bounded / draws;
  state.counters["fast/bound"] = fast / bounded;
  state.counters["target"] = target;
}

BENCHMARK_CAPTURE(BM_draw, circle, kCircle, 2.0);
BENCHMARK_CAPTURE(BM_draw, line, kLine, 1.5);
BENCHMARK_CAPTURE(BM_draw, bicolor_line, kBicolor, 2.0);
BENCHMARK_CAPTURE(BM_draw, thick_line, kThick, 2.5);
BENCHMARK_CAPTURE(BM_draw, thick_bicolor_line, kThickBicolor, 2.5);

}  // namespace
