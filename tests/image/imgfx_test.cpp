#include "imgfx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "image/image_support.h"
#include "image/imgfx_reference.h"
#include "rng.h"

namespace {

std::uint32_t random_word() {
  return (static_cast<std::uint32_t>(RNG_rand()) << 16) ^ static_cast<std::uint32_t>(RNG_rand());
}

// A black row of `width` pixels with `values` from column `first` on.
std::vector<std::uint32_t> row(int first, std::vector<std::uint32_t> values, int width = 15) {
  std::vector<std::uint32_t> out(width, 0);
  std::copy(values.begin(), values.end(), out.begin() + first);
  return out;
}

using Op = std::function<void(IMG* source, IMG* destination)>;
Op blur(int r, int g, int b) { return [=](IMG* s, IMG* d) { IMGFX_hblur(s, d, r, g, b); }; }
Op glare(int shift) { return [=](IMG* s, IMG* d) { IMGFX_glare(s, d, shift); }; }
const Op add = [](IMG* s, IMG* d) { IMGFX_add_blit(s, d, 0, 0, 0, 0, 1, 1); };
const Op blend = [](IMG* s, IMG* d) { IMGFX_blend_blit(s, d, 0, 0, 0, 0, 1, 1); };
const Op invert = [](IMG*, IMG* d) { IMGFX_invert(d); };

}  // namespace

TEST(IMGFX, HandComputedRows) {
  const std::uint32_t g = 0x1F1F1F, h = 0x808080;
  const std::uint32_t w = 0xFFFFFF, x = 0xDEADBEEF;
  // One-row images: the source, the destination afterwards, and what the
  // destination held before (0xDEADBEEF where not given).
  const struct {
    Op op;
    std::vector<std::uint32_t> in, out, before = {};
  } rows[] = {
      // A negative radius draws nothing.
      {blur(-1, 1, 1), {w, w}, {x, x}},
      {blur(1, INT_MIN, 1), {w, w}, {x, x}},
      {blur(1, 1, -1), {w, w}, {x, x}},
      // Glare shifts are taken modulo 32; from 8 on the neighbours add nothing.
      {glare(35), row(3, {w}, 7), {0, g, g, w, g, g, 0}},
      {glare(-1), row(2, {w, 0xFF808080}, 7), row(2, {w, h}, 7)},
      {glare(INT_MIN), row(1, {w}, 7), row(0, {w, w, w, w}, 7)},
      // Blits and inversion, per channel with the top byte cleared.
      {add, {0x80FF01}, {0xFFFF02}, {0x90FF01}},
      {add, {0}, {0x102030}, {0xAB102030}},
      {blend, {0xFFFFFF}, {0x7F7F7F}, {0x000001}},
      {blend, {0}, {0xAB102030}, {0xAB102030}},  // black is transparent
      {blend, {2}, {0x000001}, {0xAB000000}},
      {invert, {0}, {0xFF00FF}, {0x00FF00}},
      {invert, {0}, {0xFFFFFF}, {0xAB000000}},
  };
  int n = 0;
  for (const auto& r : rows) {
    SCOPED_TRACE(n++);
    const int width = static_cast<int>(r.in.size());
    Image s(width, 1), d(width, 1, x);
    std::copy(r.in.begin(), r.in.end(), s.begin());
    std::copy(r.before.begin(), r.before.end(), d.begin());
    const std::uint32_t errors = IMGFX_module.errors;
    r.op(s, d);
    EXPECT_EQ(d.all(), r.out);
    EXPECT_EQ(IMGFX_module.errors, errors);
  }
}

TEST(IMGFX, InvalidArgumentsAreReported) {
  Image s(4, 2, 0x808080), d(4, 2, 0x123456);
  IMG bare{};  // no pixel array
  const std::uint32_t errors = IMGFX_module.errors;
  // Each pair is reported by the two filters and the two (empty) blits, but
  // for one image as both, which only the filters refuse.
  for (const auto& [source, destination] : std::initializer_list<std::pair<const IMG*, IMG*>>{
           {nullptr, d}, {s, nullptr}, {&bare, d}, {s, &bare}, {d, d}}) {
    IMGFX_hblur(source, destination, 2, 2, 2);
    IMGFX_glare(source, destination, 3);
    IMGFX_add_blit(source, destination, 0, 0, 0, 0, 0, 0);
    IMGFX_blend_blit(source, destination, 0, 0, 0, 0, 0, 0);
  }
  IMGFX_invert(nullptr);
  IMGFX_invert(&bare);
  IMGFX_hblur(nullptr, nullptr, -1, 0, 0);  // a negative radius returns before any check
  EXPECT_EQ(IMGFX_module.errors, errors + 4 * 4 + 2 + 2);
  EXPECT_EQ(d.all(), std::vector<std::uint32_t>(8, 0x123456));
}

// The four rectangle copies against their pixel rules, applied one pixel at a
// time to the pairs inside both images: rectangles inside, past each edge of
// the source, then of the destination, wholly outside one of them, empty, and
// extreme corners and sizes. Never reported.
TEST(IMGFX, BlitsOfBothModulesClipToBothImages) {
  using Blit = void (*)(const IMG*, IMG*, int, int, int, int, int, int);
  const Blit blits[] = {IMG_blit, IMG_blit_opaque, IMGFX_add_blit, IMGFX_blend_blit};
  const std::function<void(int, std::uint32_t, std::uint32_t&)> rules[] = {
      [](int, std::uint32_t s, std::uint32_t& d) { d = s != 0 ? s : d; },
      [](int, std::uint32_t s, std::uint32_t& d) { d = s; },
      [](int k, std::uint32_t s, std::uint32_t& d) {
        Image one(1, 1, s), other(1, 1, d);
        (k == 2 ? IMGFX_add_blit : IMGFX_blend_blit)(one, other, 0, 0, 0, 0, 1, 1);
        d = *other.begin();
      }};
  struct Case {
    int sx, sy, dx, dy, w, h;
  };
  const Case cases[] = {
      {1, 1, 2, 2, 3, 3},   {-2, -1, 0, 0, 5, 4},  {5, 4, 0, 0, 10, 10}, {0, 0, -3, -2, 6, 5},
      {0, 0, 6, 5, 10, 10}, {-3, 2, 8, -1, 20, 3}, {0, 0, 10, 0, 4, 4},  {0, 0, -5, 0, 4, 4},
      {0, 0, 0, 7, 4, 4},   {0, 0, 0, -5, 4, 4},   {8, 0, 0, 0, 4, 4},   {-9, 0, 0, 0, 4, 4},
      {0, -9, 0, 0, 4, 4},  {0, 6, 0, 0, 4, 4},    {0, 0, 0, 0, -3, 4},  {2, 2, 2, 2, 3, 0},
      {-100, -100, -100, -100, 300, 300},          {INT_MIN, 0, 0, 0, INT_MAX, 2},
      {0, 0, 0, 0, INT_MAX, INT_MAX},              {0, 0, INT_MAX, 0, INT_MAX, 1},
      {INT_MIN + 5, 0, INT_MIN + 5, 0, INT_MAX, 4}, {0, 0, 0, 0, INT_MIN, INT_MIN},
      {1, 1, 2, 2, INT_MAX, INT_MAX},
  };
  for (int k = 0; k < 4; ++k) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << k << ": " << c.sx << ' ' << c.sy << ' ' << c.dx << ' '
                                      << c.dy << ' ' << c.w << ' ' << c.h);
      Image s(8, 6), d(10, 7), expected(10, 7);
      for (int i = 0; i < 48; ++i) s.begin()[i] = 0x0B0502u * (i % 9);  // some black
      for (int i = 0; i < 70; ++i) d.begin()[i] = expected.begin()[i] = 0x010309u * i;
      for (int t = 0; t < 70; ++t) {
        const long long i = t % 10 - static_cast<long long>(c.dx), x = c.sx + i;
        const long long j = t / 10 - static_cast<long long>(c.dy), y = c.sy + j;
        if (i < 0 || j < 0 || i >= c.w || j >= c.h || x < 0 || y < 0 || x >= 8 || y >= 6) continue;
        rules[std::min(k, 2)](k, s.begin()[y * 8 + x], expected.begin()[t]);
      }
      const std::uint32_t errors = IMG_module.errors + IMGFX_module.errors;
      blits[k](s, d, c.sx, c.sy, c.dx, c.dy, c.w, c.h);
      EXPECT_EQ(d.all(), expected.all());
      EXPECT_EQ(IMG_module.errors + IMGFX_module.errors, errors);
    }
  }
}

// The fast filters and the fade against the per-pixel versions, by every
// path this processor has, on random images of random sizes: every radius
// triple 0 to 7 and every shift first (rows of up to 40, so that the vector
// steps meet both ends), then widths 1 to 5, then radii up to 70 (past the
// vector limit); destinations sometimes smaller or larger than the source.
TEST(IMGFX, FiltersMatchPerPixelVersionsOnRandomImages) {
  for (const IMGFX_Path path : {IMGFX_PORTABLE, IMGFX_SSE2, IMGFX_AVX2}) {
    if (!IMGFX_use_path(path)) continue;  // the last one taken is the fastest
    RNG_srand(61501);
    for (int n = 0; n < 2500; ++n) {
      const int w = n < 512    ? 1 + RNG_rand() % 40
                    : n < 1000 ? 1 + n % 5
                               : 1 + RNG_rand() % (n < 1700 ? 24 : 300);
      const int h = 1 + RNG_rand() % 3;
      const bool same = RNG_rand() % 4 != 0;
      const int dw = same ? w : 1 + RNG_rand() % (w + 6), dh = same ? h : 1 + RNG_rand() % (h + 2);
      int r[3] = {n / 64 % 8, n / 8 % 8, n % 8};
      for (int& v : r) v = n < 512 ? v : RNG_rand() % 3 ? RNG_rand() % 9 : RNG_rand() % 71;
      if (n >= 512 && RNG_rand() % 2 == 0) r[1] = r[2] = r[0];
      // Random words, black and white only, or channels falling by one every
      // 2r + 1 columns from white or from any level: their window sums run
      // through consecutive values up to the largest each divisor meets.
      const int fill = RNG_rand() % 3;
      unsigned start[3];
      for (int c = 0; c < 3; ++c) start[c] = RNG_rand() % 2 ? 0 : RNG_rand() % (512 * r[c] + 256);
      Image s(w, h), fast(dw, dh), slow(dw, dh);
      for (int i = 0; i < w * h; ++i) {
        std::uint32_t& p = s.begin()[i];
        p = fill == 0 ? random_word() : fill == 1 && RNG_rand() % 2 ? 0xFFFFFFFF : 0;
        for (int c = 0; c < 3 && fill == 2; ++c) {
          p |= (255u - std::min(255u, (start[c] + i % w) / (2u * r[c] + 1u)))
               << imgfx_reference::kShift[c];
        }
      }
      for (std::uint32_t& p : fast) p = random_word();
      std::copy(fast.begin(), fast.end(), slow.begin());
      SCOPED_TRACE(testing::Message() << "path " << path << ", " << n << ": " << w << 'x' << h
                                      << " -> " << dw << 'x' << dh << " radii " << r[0] << ' '
                                      << r[1] << ' ' << r[2]);
      IMGFX_hblur(s, fast, r[0], r[1], r[2]);
      imgfx_reference::hblur(s, slow, r[0], r[1], r[2]);
      ASSERT_EQ(fast.all(), slow.all());
      const int shift = n < 512 ? n % 32 : RNG_rand() % 32;
      IMGFX_glare(s, fast, shift);
      imgfx_reference::glare(s, slow, shift);
      ASSERT_EQ(fast.all(), slow.all()) << "shift " << shift;
      const std::uint32_t fade = random_word();
      Image faded(w, h);
      std::copy(s.begin(), s.end(), faded.begin());
      IMG_sub_color(s, fade);
      imgfx_reference::sub_color(faded, fade);
      ASSERT_EQ(s.all(), faded.all()) << "fade " << fade;
    }
  }
}
