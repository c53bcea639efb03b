#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "image/draw_reference.h"
#include "image/image_support.h"
#include "img.h"
#include "imgfx.h"
#include "rng.h"

namespace {

namespace ref = draw_reference;
using std::int64_t;

constexpr std::uint32_t A = 0xFF00FF, B = 0x00FF00;

// The image as text: rows joined by '|', '.' for 0, 'a' and 'b' for the two inks.
std::string picture(const IMG* image) {
  std::string out;
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      const std::uint32_t p = IMG_get_pixel(image, x, y);
      out += p == 0 ? '.' : p == A ? 'a' : p == B ? 'b' : '?';
    }
    if (y + 1 < image->height) out += '|';
  }
  return out;
}

int64_t random_in(int64_t lo, int64_t hi) {
  const std::uint64_t r = (static_cast<std::uint64_t>(RNG_rand()) << 31) ^
                          static_cast<std::uint64_t>(RNG_rand());
  return lo + static_cast<int64_t>(r % static_cast<std::uint64_t>(hi - lo + 1));
}

// Ends of a random line for a w x h image: near it, anywhere within +-far,
// through one of its pixels with the ends up to about `far` away, or a few
// pixels apart (every short slope and direction).
void random_ends(std::int32_t w, std::int32_t h, int64_t far, std::int32_t e[4]) {
  const int mode = RNG_rand() % 10;
  const int64_t px = random_in(0, w - 1), py = random_in(0, h - 1);
  const int64_t limit = RNG_rand() % 2 ? far / 100 : 10;
  const int64_t dx = random_in(-limit, limit), dy = random_in(-limit, limit);
  const int64_t k1 = random_in(0, 100), k2 = random_in(0, 100);
  for (int i = 0; i < 4; ++i) {
    const int64_t through = (i % 2 ? py : px) + (i < 2 ? k1 : -k2) * (i % 2 ? dy : dx);
    e[i] = static_cast<std::int32_t>(mode < 4    ? random_in(-20, (i % 2 ? h : w) + 20)
                                     : mode == 4 ? random_in(-far, far)
                                     : mode < 8  ? through
                                                 : i < 2 ? random_in(-8, (i % 2 ? h : w) + 8)
                                                         : e[i - 2] + random_in(-5, 5));
  }
}

}  // namespace

TEST(IMG, PrimitivesDrawHandComputedPixels) {
  struct Row {
    const char* name;
    std::function<void(IMG*)> draw;
    std::string picture;    // also gives the image size
    std::uint32_t reports;  // IMG and IMGFX errors
  };
  const Row rows[] = {
      {"row and column end to end",
       [](IMG* i) {
         IMG_line(i, INT_MIN, 1, INT_MAX, 1, A);
         IMGFX_line(i, 2, INT_MAX, 2, INT_MIN, B);
       },
       "..b.|aaba|..b.", 0},
      // The one minor step of these lines falls on column 0, or on column -1.
      {"far lines stepping on column 0 and left of the image",
       [](IMG* i) {
         IMG_line(i, INT_MAX, 0, INT_MIN, 1, A);
         IMG_line(i, INT_MIN, 3, INT_MAX, 2, B);
       },
       ".aaaaa|a.....|bbbbbb|......", 0},
      {"missing images are reported once per call, clipped pixels never",
       [](IMG* i) {
         IMG_line(nullptr, 0, 0, 100000, 3, A); IMGFX_line(nullptr, 0, 0, 100000, 3, A);
         IMGFX_bicolor_line(nullptr, 0, 0, A, 5, 5, B); IMG_hspan(nullptr, 0, 0, 5, A);
         IMGFX_vspan(nullptr, 0, 0, 5, A); IMG_filled_circle(nullptr, 0, 0, 5, A);
         IMG_line(i, -1000, -1000, 1000, 1000, A);
       },
       "a.|.a", 6},
      {"spans clip and take either order",  // row 3 lies just below the image
       [](IMG* i) {
         IMG_hspan(i, 1, 300, -5, A); IMG_hspan(i, 3, 0, 5, A); IMG_hspan(i, -1, 0, 5, A);
         IMG_hspan(i, 0, -9, -1, A); IMG_hspan(i, 0, 7, 6, A); IMG_hspan(i, 0, INT_MAX, 5, B);
         IMG_hspan(i, 0, INT_MIN, 0, B); IMG_hspan(i, 2, 4, 4, B);
         IMGFX_vspan(i, 2, INT_MAX, INT_MIN, B); IMGFX_vspan(i, 6, 0, 2, B);
         IMGFX_vspan(i, -1, 0, 2, B); IMGFX_vspan(i, 3, 3, 9, B);
       },
       "b.b..b|aabaaa|..b.b.", 0},
      {"circles beyond an edge are reported",
       [](IMG* i) {
         IMG_filled_circle(i, -3, 1, 2, A); IMG_filled_circle(i, 1, -3, -2, A);
         IMG_filled_circle(i, 6, 1, 2, A); IMG_filled_circle(i, 1, 4, 0, A);
         IMG_filled_circle(i, INT_MIN, 0, INT_MAX, A);
       },
       "....|....|....|....", 5},
      {"circle of the largest radius", [](IMG* i) { IMG_filled_circle(i, 100, 100, INT_MIN, A); },
       "aaa|aaa", 0},
      {"thick lines, none below thickness 1 or without image",
       [](IMG* i) {
         IMGFX_thick_line(i, 1, 2, 6, 2, A, 3); IMGFX_thick_line(i, 0, 0, 7, 4, A, 0);
         IMGFX_thick_line(i, 0, 0, 7, 4, A, INT_MIN); IMGFX_thick_line(nullptr, 0, 0, 7, 4, A, 3);
         IMGFX_thick_bicolor_line(i, 0, 0, A, 7, 4, B, -1);
         IMGFX_thick_bicolor_line(nullptr, 0, 0, A, 7, 4, B, 3);
       },
       "........|.aaaaaa.|.aaaaaa.|.aaaaaa.|........", 0},
      // Strokes reaching past the coordinate range stay parallel to the line,
      // and an absurd thickness is cut down to the strokes that can reach.
      {"thick diagonal to the corner of the range",
       [](IMG* i) { IMGFX_thick_bicolor_line(i, 0, 0, A, INT_MAX, INT_MAX, A, 3); },
       "aa....|aaa...|aaaa..|.aaaa.|..aaaa|...aaa", 0},
      {"thick row end to end", [](IMG* i) { IMGFX_thick_line(i, INT_MIN, 1, INT_MAX, 1, A, 3); },
       "aaaa|aaaa|aaaa|....", 0},
      {"absurd thickness, steep",
       [](IMG* i) { IMGFX_thick_bicolor_line(i, 5, INT_MIN, A, 200, INT_MAX, A, INT_MAX); },
       "aaaa|aaaa|aaaa", 0},
      {"absurd thickness, diagonal",
       [](IMG* i) { IMGFX_thick_line(i, INT_MIN, INT_MAX, INT_MAX, INT_MIN, A, INT_MAX); },
       "aaaa|aaaa|aaaa", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto height = std::count(row.picture.begin(), row.picture.end(), '|') + 1;
    const auto width = std::min(row.picture.find('|'), row.picture.size());
    const Image image(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
    const std::uint32_t before = IMG_module.errors + IMGFX_module.errors;
    row.draw(image);
    EXPECT_EQ(picture(image), row.picture);
    EXPECT_EQ(IMG_module.errors + IMGFX_module.errors - before, row.reports);
  }
}

// Every primitive against its plain version on random cases: ends near the
// image or far beyond it (now and then around +-2^20), all directions, zero
// and negative radii and thicknesses, and a few odd image sizes.
TEST(IMG, PrimitivesMatchPlainVersions) {
  const std::int32_t sizes[][2] = {{1, 1}, {7, 300}, {300, 7}, {96, 64}, {33, 17}};
  RNG_srand(1101);
  int failures = 0;
  for (int n = 0; n < 15000 && failures < 5; ++n) {
    const std::int32_t w = sizes[n % 5][0], h = sizes[n % 5][1];
    const Image fast(w, h), plain(w, h);
    auto background = static_cast<std::uint32_t>(RNG_rand());  // shows every store
    for (std::uint32_t& p : fast) p = background += 2654435761u;
    std::copy(fast.begin(), fast.end(), plain.begin());
    const ref::ImageTarget target{plain};
    const auto c1 = static_cast<std::uint32_t>(random_in(0, UINT32_MAX));
    const auto c2 = static_cast<std::uint32_t>(random_in(0, UINT32_MAX));
    const bool other = RNG_rand() % 2;
    const auto both = [&](auto fast_draw, auto plain_draw, auto... arguments) {
      fast_draw(fast, arguments...);
      plain_draw(target, arguments...);
    };
    using T = ref::ImageTarget;
    std::int32_t e[4] = {}, t = 0;
    const int kind = n / 5 % 5;
    if (kind < 2) {
      random_ends(w, h, RNG_rand() % 128 ? 30000 : 1 << 20, e);
      if (kind == 0) both(other ? IMG_line : IMGFX_line, ref::line<T>, e[0], e[1], e[2], e[3], c1);
      if (kind == 1) both(IMGFX_bicolor_line, ref::bicolor_line<T>, e[0], e[1], c1, e[2], e[3], c2);
    } else if (kind == 2) {
      const bool wide = RNG_rand() % 8 == 0;
      t = wide ? RNG_rand() % 300 - 5 : 1 + RNG_rand() % 15;
      random_ends(w, h, !wide && RNG_rand() % 16 == 0 ? 20000 : 300, e);
      if (other) {
        both(IMGFX_thick_line, ref::thick_line<T>, e[0], e[1], e[2], e[3], c1, t);
      } else {
        both(IMGFX_thick_bicolor_line, ref::thick_bicolor_line<T>, e[0], e[1], c1, e[2], e[3], c2,
             t);
      }
    } else if (kind == 3) {  // a span: row or column e[0], from e[1] to e[2]
      const int64_t reach = RNG_rand() % 2 ? 30 : INT_MAX;
      for (int i = 0; i < 3; ++i) {
        const int64_t size = (i == 0) == other ? w : h;
        e[i] = static_cast<std::int32_t>(random_in(std::max<int64_t>(-reach, INT_MIN),
                                                   std::min<int64_t>(size + reach, INT_MAX)));
      }
      if (other) both(IMGFX_vspan, ref::vspan<T>, e[0], e[1], e[2], c1);
      if (!other) both(IMG_hspan, ref::hspan<T>, e[0], e[1], e[2], c1);
    } else {
      // Mostly radii up to 300 around the image or the benchmark's radii up
      // to 63 across its edges; now and then a large circle whose edge
      // crosses it, most of its steps lying outside.
      const bool small = RNG_rand() % 2;
      int64_t r = small ? random_in(0, 63) : RNG_rand() % 4 ? random_in(-300, 300) : random_in(-3, 3);
      const int64_t reach = small ? 64 : 320;
      int64_t cx = random_in(-reach, w + reach), cy = random_in(-reach, h + reach);
      if (RNG_rand() % 8 == 0) {
        r = random_in(300, 30000);
        cx = w / 2 + random_in(-r - 10, r + 10);
        const int64_t dy = RNG_rand() % 2 ? r - random_in(-10, 40) : random_in(-r - 10, r + 10);
        cy = h / 2 + (RNG_rand() % 2 ? dy : -dy);
        if (other) std::swap(cx, cy);
      }
      e[0] = static_cast<std::int32_t>(cx), e[1] = static_cast<std::int32_t>(cy);
      e[2] = static_cast<std::int32_t>(r);
      const std::uint32_t before = IMG_module.errors;
      IMG_filled_circle(fast, e[0], e[1], e[2], c1);
      const bool drawn = ref::filled_circle(target, e[0], e[1], e[2], c1);
      EXPECT_EQ(IMG_module.errors - before, drawn ? 0u : 1u) << e[0] << ' ' << e[1] << ' ' << e[2];
    }
    if (fast.all() != plain.all()) {
      ADD_FAILURE() << "case " << n << " kind " << kind << " on " << w << " x " << h << ": "
                    << e[0] << ' ' << e[1] << ' ' << e[2] << ' ' << e[3] << " t " << t
                    << (other ? " (other variant)" : "");
      ++failures;
    }
  }
}
