// The fade and the two post-processing filters on a 256 x 256 frame, by each
// code path, against their per-pixel reference versions and against a plain
// copy of the frame.
//
// Each benchmark times three things one after the other inside every
// iteration (the first two several times over), so that all three see the
// same load on the machine (each timed on the thread's CPU clock, so time the
// thread spends preempted by other work is not counted):
//   fast  - the operation by the path named in the benchmark;
//   plain - the per-pixel reference of the tests;
//   bound - one memcpy of the frame (the fade's target and the filters' are
//           set as multiples of it).
// The fade is timed as the frame pipeline's work of one frame on a copy:
// a memcpy of the frame and IMG_sub_color of the copy. The counters give
// microseconds per frame and fast / bound. Run with --benchmark_repetitions=N
// and read the medians.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <vector>

#include "image/imgfx_reference.h"
#include "imgfx.h"
#include "rng.h"

namespace {

constexpr int kSide = 256;
constexpr std::size_t kFrameBytes = 256 * 1024;  // 256 x 256 colour words

IMG* new_frame() {
  IMG* image = IMG_new();
  IMG_set_size(image, kSide, kSide);
  return image;
}

// A frame of random colour words, the same in every run.
IMG* random_frame() {
  RNG_srand(6150);
  IMG* image = new_frame();
  for (int i = 0; i < kSide * kSide; ++i) {
    image->pixels[i] = (static_cast<std::uint32_t>(RNG_rand()) << 16) ^
                       static_cast<std::uint32_t>(RNG_rand());
  }
  return image;
}

// CPU time of the calling thread, in nanoseconds.
double thread_ns() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

enum Work { kFade, kGlare, kBlur };

// The C library's copy slows down many times over on some processors when the
// destination lies a few bytes past a 4 KiB multiple from the source. Every
// copy here goes from `words`, a copy of the source frame placed at the same
// offset within a 4 KiB page as the destination frame.
struct Frames {
  IMG* source = random_frame();
  IMG* destination = new_frame();
  std::vector<std::uint32_t> buffer = std::vector<std::uint32_t>(kSide * kSide + 1024);
  const std::uint32_t* words = nullptr;
  Frames() {
    const auto page_offset = [](const void* p) {
      return reinterpret_cast<std::uintptr_t>(p) % 4096;
    };
    std::uint32_t* w = buffer.data();
    while (page_offset(w) != page_offset(destination->pixels.get())) ++w;
    std::memcpy(w, source->pixels.get(), kFrameBytes);
    words = w;
  }
  Frames(const Frames&) = delete;
  Frames& operator=(const Frames&) = delete;
  ~Frames() {
    IMG_free(&source);
    IMG_free(&destination);
  }
  void copy() { std::memcpy(destination->pixels.get(), words, kFrameBytes); }
};

// The frame pipeline's settings: fade colour 0x010101, glare shift 3, blur radii 2.
void fast(Work work, Frames& f) {
  switch (work) {
    case kFade:
      f.copy();
      IMG_sub_color(f.destination, 0x010101);
      break;
    case kGlare: IMGFX_glare(f.source, f.destination, 3); break;
    case kBlur: IMGFX_hblur(f.source, f.destination, 2, 2, 2); break;
  }
}

void plain(Work work, Frames& f) {
  switch (work) {
    case kFade:
      f.copy();
      imgfx_reference::sub_color(f.destination, 0x010101);
      break;
    case kGlare: imgfx_reference::glare(f.source, f.destination, 3); break;
    case kBlur: imgfx_reference::hblur(f.source, f.destination, 2, 2, 2); break;
  }
}

// Runs of the fast version and of the copy per run of the plain one: both are
// timed with the frames already in the cache, as in the frame loop.
constexpr int kRepeat = 16;

void BM_frame(benchmark::State& state, Work work, IMGFX_Path path, double target) {
  if (!IMGFX_use_path(path)) {
    state.SkipWithError("this processor lacks the path");
    return;
  }
  Frames frames;
  double fast_ns = 0, plain_ns = 0, bound_ns = 0;
  for (auto _ : state) {
    const double t0 = thread_ns();
    for (int i = 0; i < kRepeat; ++i) {
      fast(work, frames);
      benchmark::ClobberMemory();
    }
    const double t1 = thread_ns();
    for (int i = 0; i < kRepeat; ++i) {
      frames.copy();
      benchmark::ClobberMemory();
    }
    const double t2 = thread_ns();
    plain(work, frames);
    benchmark::ClobberMemory();
    const double t3 = thread_ns();
    fast_ns += (t1 - t0) / kRepeat;
    bound_ns += (t2 - t1) / kRepeat;
    plain_ns += t3 - t2;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["fast_us"] = fast_ns / n / 1e3;
  state.counters["plain_us"] = plain_ns / n / 1e3;
  state.counters["memcpy_us"] = bound_ns / n / 1e3;
  state.counters["fast/memcpy"] = fast_ns / bound_ns;
  state.counters["target"] = target;
  // Back to the fastest path.
  for (const IMGFX_Path p : {IMGFX_PORTABLE, IMGFX_SSE2, IMGFX_AVX2}) IMGFX_use_path(p);
}

BENCHMARK_CAPTURE(BM_frame, fade_sse2, kFade, IMGFX_SSE2, 3.5);
BENCHMARK_CAPTURE(BM_frame, fade_portable, kFade, IMGFX_PORTABLE, 3.5);
BENCHMARK_CAPTURE(BM_frame, glare_avx2, kGlare, IMGFX_AVX2, 7.5);
BENCHMARK_CAPTURE(BM_frame, glare_sse2, kGlare, IMGFX_SSE2, 7.5);
BENCHMARK_CAPTURE(BM_frame, glare_portable, kGlare, IMGFX_PORTABLE, 7.5);
BENCHMARK_CAPTURE(BM_frame, blur_avx2, kBlur, IMGFX_AVX2, 7.5);
BENCHMARK_CAPTURE(BM_frame, blur_sse2, kBlur, IMGFX_SSE2, 7.5);
BENCHMARK_CAPTURE(BM_frame, blur_portable, kBlur, IMGFX_PORTABLE, 7.5);

}  // namespace
