#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "image/draw_reference.h"
#include "img.h"
#include "imgfx.h"

namespace {

namespace ref = draw_reference;
using std::int64_t;

constexpr std::uint32_t kInk = 0xFF00FF;
constexpr std::uint32_t kInk2 = 0x00FF00;

IMG* make_image(std::int32_t width, std::int32_t height) {
  IMG* image = IMG_new();
  IMG_set_size(image, width, height);
  return image;
}

// The (x, y) positions of the image that hold `colour`, row by row.
std::vector<std::pair<int, int>> pixels_of(const IMG* image, std::uint32_t colour) {
  std::vector<std::pair<int, int>> out;
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      if (IMG_get_pixel(image, x, y) == colour) out.emplace_back(x, y);
    }
  }
  return out;
}

bool same_pixels(const IMG* a, const IMG* b) {
  return a->width == b->width && a->height == b->height &&
         std::memcmp(a->pixels.get(), b->pixels.get(),
                     sizeof(std::uint32_t) * static_cast<std::size_t>(a->width) *
                         static_cast<std::size_t>(a->height)) == 0;
}

// A pair of images of one size, filled with the same random background so
// that every store shows, for comparing a primitive with its reference.
struct Pair {
  IMG* fast;
  IMG* plain;
  Pair(std::int32_t width, std::int32_t height)
      : fast(make_image(width, height)), plain(make_image(width, height)) {
    const std::uint32_t salt = static_cast<std::uint32_t>(std::rand());
    std::uint32_t* f = fast->pixels.get();
    std::uint32_t* p = plain->pixels.get();
    for (int64_t i = 0; i < static_cast<int64_t>(width) * height; ++i) {
      f[i] = p[i] = (static_cast<std::uint32_t>(i) * 2654435761u) ^ salt;
    }
  }
  ~Pair() {
    IMG_free(&fast);
    IMG_free(&plain);
  }
  Pair(const Pair&) = delete;
  Pair& operator=(const Pair&) = delete;
  ref::ImageTarget target() const { return ref::ImageTarget{plain}; }
};

const std::vector<std::pair<std::int32_t, std::int32_t>> kSizes = {
    {1, 1}, {7, 300}, {300, 7}, {256, 256}, {33, 17}};

int64_t random_in(int64_t lo, int64_t hi) {
  const std::uint64_t r = (static_cast<std::uint64_t>(std::rand()) << 31) ^
                          static_cast<std::uint64_t>(std::rand());
  return lo + static_cast<int64_t>(r % static_cast<std::uint64_t>(hi - lo + 1));
}

std::uint32_t random_colour() {
  return static_cast<std::uint32_t>(std::rand()) ^ (static_cast<std::uint32_t>(std::rand()) << 1);
}

// End points of a random line around a width x height image: near it, far
// away, or a long line through a point of it.
void random_ends(std::int32_t width, std::int32_t height, int64_t far, std::int32_t e[4]) {
  switch (std::rand() % 8) {
    case 0:
    case 1:
    case 2:
    case 3:
      e[0] = static_cast<std::int32_t>(random_in(-20, width + 20));
      e[1] = static_cast<std::int32_t>(random_in(-20, height + 20));
      e[2] = static_cast<std::int32_t>(random_in(-20, width + 20));
      e[3] = static_cast<std::int32_t>(random_in(-20, height + 20));
      break;
    case 4:
      for (int i = 0; i < 4; ++i) e[i] = static_cast<std::int32_t>(random_in(-far, far));
      break;
    default: {
      // Through (px, py): ends on opposite sides, often far outside.
      const int64_t px = random_in(0, width - 1), py = random_in(0, height - 1);
      const int64_t limit = std::rand() % 2 ? far / 100 : 10;
      const int64_t dx = random_in(-limit, limit), dy = random_in(-limit, limit);
      const int64_t k1 = random_in(0, 100), k2 = random_in(0, 100);
      e[0] = static_cast<std::int32_t>(px + k1 * dx);
      e[1] = static_cast<std::int32_t>(py + k1 * dy);
      e[2] = static_cast<std::int32_t>(px - k2 * dx);
      e[3] = static_cast<std::int32_t>(py - k2 * dy);
      break;
    }
  }
}

std::string ends_text(const std::int32_t e[4]) {
  std::ostringstream text;
  text << "(" << e[0] << ", " << e[1] << ") - (" << e[2] << ", " << e[3] << ")";
  return text.str();
}

// --- Lines ---------------------------------------------------------------

TEST(IMG, LineHandComputedPixels) {
  struct Row {
    const char* name;
    std::int32_t x1, y1, x2, y2;
    std::vector<std::pair<int, int>> expected;  // row by row
  };
  const std::vector<Row> rows = {
      // The two directions of the same segment cover different pixels.
      {"forward", 0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
      {"backward", 4, 2, 0, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
      {"point", 5, 5, 5, 5, {{5, 5}}},
      // e starts at 1 and reaches 0 on the first step, which already moves x.
      {"steep", 1, 0, 2, 3, {{1, 0}, {2, 1}, {2, 2}, {2, 3}}},
      {"diagonal", 6, 0, 3, 3, {{6, 0}, {5, 1}, {4, 2}, {3, 3}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    IMG* image = make_image(8, 8);
    IMG_line(image, row.x1, row.y1, row.x2, row.y2, kInk);
    EXPECT_EQ(pixels_of(image, kInk), row.expected);
    IMG_free(&image);
  }
}

TEST(IMG, LineClipsFarEnds) {
  // Lines reaching far beyond the image, up to the limits of the coordinates.
  // The last row was worked out from the error term: the one minor step of
  // the x-major line falls exactly on column 0.
  struct Row {
    const char* name;
    std::int32_t x1, y1, x2, y2;
    std::function<bool(int, int)> on;  // which pixels of a 256 x 256 image are set
  };
  const std::vector<Row> rows = {
      {"row 3", -10, 3, 300, 3, [](int, int y) { return y == 3; }},
      {"row 5 end to end", INT32_MIN, 5, INT32_MAX, 5, [](int, int y) { return y == 5; }},
      {"column 7 end to end", 7, INT32_MAX, 7, INT32_MIN, [](int x, int) { return x == 7; }},
      {"main diagonal", INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX,
       [](int x, int y) { return x == y; }},
      {"step at column 0", INT32_MAX, 0, INT32_MIN, 1,
       [](int x, int y) { return (y == 0 && x >= 1) || (y == 1 && x == 0); }},
      {"step left of the image", INT32_MIN, 1, INT32_MAX, 0, [](int, int y) { return y == 0; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    IMG* image = make_image(256, 256);
    IMG_line(image, row.x1, row.y1, row.x2, row.y2, kInk);
    std::vector<std::pair<int, int>> expected;
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        if (row.on(x, y)) expected.emplace_back(x, y);
      }
    }
    EXPECT_EQ(pixels_of(image, kInk), expected);
    IMG_free(&image);
  }
}

TEST(IMG, LineOnMissingImageReportsOnce) {
  // Stepping a long line over a missing image would report once per pixel;
  // the line reports once and stops.
  const std::uint32_t before = IMG_module.errors;
  IMG_line(nullptr, 0, 0, 100000, 3, kInk);
  EXPECT_EQ(IMG_module.errors, before + 1);
  IMGFX_line(nullptr, 0, 0, 100000, 3, kInk);
  EXPECT_EQ(IMG_module.errors, before + 2);
  IMGFX_bicolor_line(nullptr, 0, 0, kInk, 5, 5, kInk2);
  EXPECT_EQ(IMG_module.errors, before + 3);
  IMG* image = make_image(4, 4);
  IMG_line(image, -1000, -1000, 1000, 1000, kInk);  // clipped positions are not errors
  EXPECT_EQ(IMG_module.errors, before + 3);
  IMG_free(&image);
}

// --- Spans -----------------------------------------------------------------

TEST(IMG, SpansClipAndAcceptEitherOrder) {
  IMG* image = make_image(256, 256);
  IMG_hspan(image, 10, 300, -5, kInk);
  IMG_hspan(image, 256, 0, 255, kInk);   // row below the image
  IMG_hspan(image, -1, 0, 255, kInk);    // row above it
  IMG_hspan(image, 20, INT32_MAX, INT32_MIN, kInk2);
  IMG_hspan(image, 30, 7, 7, kInk2);
  IMG_hspan(image, 31, -9, -1, kInk2);   // run left of the image
  std::vector<std::pair<int, int>> ink, ink2;
  for (int x = 0; x < 256; ++x) ink.emplace_back(x, 10);
  for (int x = 0; x < 256; ++x) ink2.emplace_back(x, 20);
  ink2.emplace_back(7, 30);
  EXPECT_EQ(pixels_of(image, kInk), ink);
  EXPECT_EQ(pixels_of(image, kInk2), ink2);

  IMG* column = make_image(5, 9);
  IMGFX_vspan(column, 2, 100, 4, kInk);
  IMGFX_vspan(column, 5, 0, 8, kInk);    // column right of the image
  IMGFX_vspan(column, 0, INT32_MIN, 0, kInk2);
  EXPECT_EQ(pixels_of(column, kInk), (std::vector<std::pair<int, int>>{
                                         {2, 4}, {2, 5}, {2, 6}, {2, 7}, {2, 8}}));
  EXPECT_EQ(pixels_of(column, kInk2), (std::vector<std::pair<int, int>>{{0, 0}}));

  const std::uint32_t before = IMG_module.errors;
  IMG_hspan(nullptr, 0, 0, 1, kInk);
  IMGFX_vspan(nullptr, 0, 0, 1, kInk);
  EXPECT_EQ(IMG_module.errors, before + 2);
  IMG_free(&image);
  IMG_free(&column);
}

// --- Circles ---------------------------------------------------------------

TEST(IMG, FilledCircleSmallRadii) {
  IMG* image = make_image(16, 16);
  IMG_filled_circle(image, 5, 5, 0, kInk);
  EXPECT_EQ(pixels_of(image, kInk), (std::vector<std::pair<int, int>>{{5, 5}}));
  IMG_filled_circle(image, 10, 10, 1, kInk2);
  EXPECT_EQ(pixels_of(image, kInk2),
            (std::vector<std::pair<int, int>>{{10, 9}, {9, 10}, {10, 10}, {11, 10}, {10, 11}}));

  // A negative radius draws as its magnitude.
  IMG* plus = make_image(16, 16);
  IMG* minus = make_image(16, 16);
  IMG_filled_circle(plus, 7, 6, 3, kInk);
  IMG_filled_circle(minus, 7, 6, -3, kInk);
  EXPECT_TRUE(same_pixels(plus, minus));
  // Radius 3: rows of half width 1, 2, 3, 3, 3, 2, 1 (the outline keeps the
  // points nearest to distance 3).
  const int half[7] = {1, 2, 3, 3, 3, 2, 1};
  std::vector<std::pair<int, int>> disc;
  for (int dy = -3; dy <= 3; ++dy) {
    for (int dx = -half[dy + 3]; dx <= half[dy + 3]; ++dx) disc.emplace_back(7 + dx, 6 + dy);
  }
  std::sort(disc.begin(), disc.end(),
            [](auto a, auto b) { return a.second != b.second ? a.second < b.second : a < b; });
  EXPECT_EQ(pixels_of(plus, kInk), disc);
  IMG_free(&image);
  IMG_free(&plus);
  IMG_free(&minus);
}

TEST(IMG, FilledCircleBeyondAnEdgeIsReported) {
  struct Row {
    const char* name;
    std::int32_t cx, cy, r;
    bool drawn;
  };
  const std::vector<Row> rows = {
      {"left", -10, 50, 5, false},   {"touching left", -5, 50, 5, true},
      {"above", 50, -6, -5, false},  {"right", 261, 50, 5, false},
      {"touching right", 260, 50, 5, true}, {"below", 50, 256, 0, false},
      {"huge radius", 100, 100, INT32_MIN, true}, {"far and huge", INT32_MIN, 0, INT32_MAX, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    IMG* image = make_image(256, 256);
    const std::uint32_t before = IMG_module.errors;
    IMG_filled_circle(image, row.cx, row.cy, row.r, kInk);
    EXPECT_EQ(IMG_module.errors, before + (row.drawn ? 0 : 1));
    EXPECT_EQ(pixels_of(image, kInk).empty(), !row.drawn);
    IMG_free(&image);
  }
  const std::uint32_t before = IMG_module.errors;
  IMG_filled_circle(nullptr, 0, 0, 5, kInk);
  EXPECT_EQ(IMG_module.errors, before + 1);
}

// --- Two-colour lines ------------------------------------------------------

TEST(IMGFX, BicolorLineDitherSequence) {
  IMG* image = make_image(16, 4);
  IMGFX_bicolor_line(image, 0, 0, kInk, 10, 0, kInk2);
  const std::uint32_t expected[11] = {kInk, kInk, kInk, kInk, kInk2, kInk,
                                      kInk2, kInk, kInk2, kInk2, kInk2};
  for (int x = 0; x <= 10; ++x) {
    SCOPED_TRACE(x);
    EXPECT_EQ(IMG_get_pixel(image, x, 0), expected[x]);
  }
  // Drawn from the other end the sequence runs from x = 10 down to 0.
  IMGFX_bicolor_line(image, 10, 1, kInk, 0, 1, kInk2);
  for (int x = 0; x <= 10; ++x) EXPECT_EQ(IMG_get_pixel(image, 10 - x, 1), expected[x]);
  // The same sequence when the first pixels lie outside: the dither counts
  // from the first end, not from the image edge.
  IMGFX_bicolor_line(image, -4, 2, kInk, 6, 2, kInk2);
  for (int x = 0; x <= 6; ++x) EXPECT_EQ(IMG_get_pixel(image, x, 2), expected[x + 4]);
  // A single point takes colour 1; two pixels are one of each.
  IMGFX_bicolor_line(image, 12, 3, kInk, 12, 3, kInk2);
  IMGFX_bicolor_line(image, 14, 3, kInk, 15, 3, kInk2);
  EXPECT_EQ(IMG_get_pixel(image, 12, 3), kInk);
  EXPECT_EQ(IMG_get_pixel(image, 14, 3), kInk);
  EXPECT_EQ(IMG_get_pixel(image, 15, 3), kInk2);
  IMG_free(&image);
}

// --- Thick lines -----------------------------------------------------------

TEST(IMGFX, ThickLineNothingForZeroThicknessOrMissingImage) {
  IMG* image = make_image(32, 32);
  const std::uint32_t before = IMG_module.errors + IMGFX_module.errors;
  IMGFX_thick_line(image, 0, 0, 20, 5, kInk, 0);
  IMGFX_thick_line(image, 0, 0, 20, 5, kInk, INT32_MIN);
  IMGFX_thick_bicolor_line(image, 0, 0, kInk, 20, 5, kInk2, -1);
  IMGFX_thick_line(nullptr, 0, 0, 20, 5, kInk, 3);
  IMGFX_thick_bicolor_line(nullptr, 0, 0, kInk, 20, 5, kInk2, 3);
  EXPECT_TRUE(pixels_of(image, 0).size() == 32 * 32);
  EXPECT_EQ(IMG_module.errors + IMGFX_module.errors, before);

  IMGFX_thick_line(image, 10, 10, 20, 10, kInk, 3);
  std::vector<std::pair<int, int>> rows;
  for (int y = 9; y <= 11; ++y) {
    for (int x = 10; x <= 20; ++x) rows.emplace_back(x, y);
  }
  EXPECT_EQ(pixels_of(image, kInk), rows);
  IMG_free(&image);
}

TEST(IMGFX, ThickLineStrokeOffsets) {
  // Each row lists the offsets of the strokes; the expected image is those
  // strokes drawn as one-pixel lines. Steep strokes shift right by the
  // offset, shallow ones down; a diagonal pair at offset i is the stroke
  // shifted by (i, -i) for a falling line ((i, i) for a rising one) and its
  // copy one pixel to the right.
  enum Kind { kSteep, kShallow, kFalling, kRising };
  struct Row {
    const char* name;
    Kind kind;
    std::int32_t x1, y1, x2, y2, t;
    std::vector<int> offsets;
  };
  const std::vector<Row> rows = {
      {"steep 1", kSteep, 30, 10, 34, 50, 1, {0}},
      {"steep 2", kSteep, 30, 10, 34, 50, 2, {-1, 0}},
      {"steep 3", kSteep, 34, 50, 30, 10, 3, {-1, 0, 1}},
      {"steep 15", kSteep, 30, 10, 34, 50, 15, {-7, -6, -5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7}},
      {"shallow 2", kShallow, 10, 30, 50, 27, 2, {-1, 0}},
      {"shallow 3", kShallow, 50, 27, 10, 30, 3, {-1, 0, 1}},
      {"shallow 15", kShallow, 10, 30, 50, 27, 15, {-7, -6, -5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7}},
      {"falling 1", kFalling, 20, 20, 40, 35, 1, {}},
      {"falling 2", kFalling, 20, 20, 40, 35, 2, {0}},
      {"falling 3", kFalling, 40, 35, 20, 20, 3, {-1, 0}},
      {"falling 15", kFalling, 20, 20, 40, 35, 15, {-5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5}},
      {"rising 2", kRising, 20, 40, 40, 25, 2, {0}},
      {"rising 3", kRising, 20, 40, 40, 25, 3, {-1, 0}},
      {"rising 15", kRising, 40, 25, 20, 40, 15, {-5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    IMG* image = make_image(64, 64);
    IMG* expected = make_image(64, 64);
    IMGFX_thick_line(image, row.x1, row.y1, row.x2, row.y2, kInk, row.t);
    if (row.offsets.empty()) IMG_line(expected, row.x1, row.y1, row.x2, row.y2, kInk);
    // Strokes run from the left end point to the right one.
    const bool left_first = row.x1 <= row.x2;
    const std::int32_t lx = left_first ? row.x1 : row.x2, ly = left_first ? row.y1 : row.y2;
    const std::int32_t rx = left_first ? row.x2 : row.x1, ry = left_first ? row.y2 : row.y1;
    for (int i : row.offsets) {
      switch (row.kind) {
        case kSteep:
          IMG_line(expected, lx + i, ly, rx + i, ry, kInk);
          break;
        case kShallow:
          IMG_line(expected, lx, ly + i, rx, ry + i, kInk);
          break;
        case kFalling:
        case kRising: {
          const int across = row.kind == kFalling ? -i : i;
          IMG_line(expected, lx + i, ly + across, rx + i, ry + across, kInk);
          IMG_line(expected, lx + i + 1, ly + across, rx + i + 1, ry + across, kInk);
          break;
        }
      }
    }
    EXPECT_TRUE(same_pixels(image, expected));
    IMG_free(&image);
    IMG_free(&expected);
  }
}

TEST(IMGFX, ThickLineOffsetsBeyondTheCoordinateRange) {
  // The offset strokes of a line ending at a corner of the coordinate range
  // reach past it; they are computed exactly, so they stay parallel to the
  // line (a 45-degree line steps diagonally however long it is).
  struct Row {
    const char* name;
    std::int32_t x1, y1, x2, y2, t;
    std::int32_t near[4];  // a shorter piece of the same line around the image
  };
  const std::vector<Row> rows = {
      {"falling t 3", 100, 100, INT32_MAX, INT32_MAX, 3, {100, 100, 1000, 1000}},
      {"falling t 15", INT32_MAX - 100, INT32_MAX, 50, 150, 15, {1000, 1100, 50, 150}},
      {"rising t 15", INT32_MIN + 300, INT32_MAX, 150, 149, 15, {-1000, 1299, 150, 149}},
      {"row t 3", INT32_MIN, 10, INT32_MAX, 10, 3, {-10, 10, 300, 10}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    IMG* image = make_image(256, 256);
    IMG* expected = make_image(256, 256);
    IMGFX_thick_bicolor_line(image, row.x1, row.y1, kInk, row.x2, row.y2, kInk, row.t);
    IMGFX_thick_line(expected, row.near[0], row.near[1], row.near[2], row.near[3], kInk, row.t);
    EXPECT_TRUE(same_pixels(image, expected));
    EXPECT_FALSE(pixels_of(image, kInk).empty());
    IMG_free(&image);
    IMG_free(&expected);
  }
}

TEST(IMGFX, AbsurdThicknessDrawsLikeAnyThatCoversTheImage) {
  // Only strokes within a few hundred offsets of these lines can reach a
  // 256 x 256 image, so thickness 2001 and the largest thickness draw alike
  // (and the largest does not step through a billion strokes).
  const std::int32_t rows[][4] = {
      {10, 20, 40, 200},                            // steep
      {-50, 100, 300, 140},                         // shallow
      {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},  // diagonal through the image
      {INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN},  // the other diagonal, just missing it
      {5, INT32_MIN, 200, INT32_MAX},               // steep, end to end
      {INT32_MIN, 0, INT32_MAX, 255},                // shallow, end to end
  };
  for (const auto& e : rows) {
    SCOPED_TRACE(ends_text(e));
    IMG* absurd = make_image(256, 256);
    IMG* enough = make_image(256, 256);
    IMGFX_thick_bicolor_line(absurd, e[0], e[1], kInk, e[2], e[3], kInk2, INT32_MAX);
    IMGFX_thick_bicolor_line(enough, e[0], e[1], kInk, e[2], e[3], kInk2, 2001);
    EXPECT_TRUE(same_pixels(absurd, enough));
    IMG_free(&absurd);
    IMG_free(&enough);
  }
}

// --- Randomized comparison with the plain versions ---------------------------

// Runs `cases` random cases on every image size; draw(pair, description)
// draws one case into both images. Stops at the first few mismatches.
void compare_random(unsigned seed, int cases,
                    const std::function<void(Pair&, std::int32_t, std::int32_t, std::string&)>& draw) {
  std::srand(seed);
  int failures = 0;
  for (int n = 0; n < cases && failures < 5; ++n) {
    const auto [width, height] = kSizes[static_cast<std::size_t>(n) % kSizes.size()];
    Pair pair(width, height);
    std::string what;
    draw(pair, width, height, what);
    if (!same_pixels(pair.fast, pair.plain)) {
      ADD_FAILURE() << "case " << n << " on " << width << " x " << height << ": " << what;
      ++failures;
    }
  }
}

TEST(IMG, LinesMatchPlainVersion) {
  compare_random(1101, 3000, [](Pair& p, std::int32_t w, std::int32_t h, std::string& what) {
    std::int32_t e[4];
    random_ends(w, h, 100000, e);
    const std::uint32_t c = random_colour();
    what = ends_text(e);
    if (std::rand() % 2) {
      IMG_line(p.fast, e[0], e[1], e[2], e[3], c);
    } else {
      IMGFX_line(p.fast, e[0], e[1], e[2], e[3], c);
    }
    ref::line(p.target(), e[0], e[1], e[2], e[3], c);
  });
}

TEST(IMGFX, BicolorLinesMatchPlainVersion) {
  compare_random(1202, 3000, [](Pair& p, std::int32_t w, std::int32_t h, std::string& what) {
    std::int32_t e[4];
    random_ends(w, h, 100000, e);
    const std::uint32_t c1 = random_colour(), c2 = random_colour();
    what = ends_text(e);
    IMGFX_bicolor_line(p.fast, e[0], e[1], c1, e[2], e[3], c2);
    ref::bicolor_line(p.target(), e[0], e[1], c1, e[2], e[3], c2);
  });
}

TEST(IMG, LinesFromAboutTwoToThe30MatchPlainVersion) {
  // Two lines between about +-2^30 and the image, one per major axis; the
  // plain version steps through all of their 2^30 pixels. The two-colour
  // line starts far away, so its dither has run for 2^30 pixels when it
  // enters the image.
  std::srand(1303);
  const int64_t far = int64_t{1} << 30;
  Pair p(256, 256);
  const std::int32_t a[4] = {static_cast<std::int32_t>(far - random_in(0, 1000)),
                             static_cast<std::int32_t>(random_in(-far / 2, far / 2)),
                             static_cast<std::int32_t>(random_in(0, 255)),
                             static_cast<std::int32_t>(random_in(0, 255))};
  SCOPED_TRACE(ends_text(a));
  IMGFX_bicolor_line(p.fast, a[0], a[1], kInk, a[2], a[3], kInk2);
  ref::bicolor_line(p.target(), a[0], a[1], kInk, a[2], a[3], kInk2);
  EXPECT_TRUE(same_pixels(p.fast, p.plain));

  const std::int32_t b[4] = {static_cast<std::int32_t>(random_in(0, 255)),
                             static_cast<std::int32_t>(random_in(0, 255)),
                             static_cast<std::int32_t>(random_in(-far / 2, far / 2)),
                             static_cast<std::int32_t>(-far)};
  SCOPED_TRACE(ends_text(b));
  IMG_line(p.fast, b[0], b[1], b[2], b[3], kInk);
  ref::line(p.target(), b[0], b[1], b[2], b[3], kInk);
  EXPECT_TRUE(same_pixels(p.fast, p.plain));
}

TEST(IMGFX, ThickLinesMatchPlainVersion) {
  compare_random(1404, 2500, [](Pair& p, std::int32_t w, std::int32_t h, std::string& what) {
    std::int32_t e[4];
    random_ends(w, h, std::rand() % 8 ? 3000 : 100000, e);
    const std::int32_t t = std::rand() % 8 ? 1 + std::rand() % 15 : std::rand() % 600 - 5;
    const std::uint32_t c1 = random_colour(), c2 = random_colour();
    what = ends_text(e) + " thickness " + std::to_string(t);
    if (std::rand() % 2) {
      IMGFX_thick_line(p.fast, e[0], e[1], e[2], e[3], c1, t);
      ref::thick_line(p.target(), e[0], e[1], e[2], e[3], c1, t);
    } else {
      IMGFX_thick_bicolor_line(p.fast, e[0], e[1], c1, e[2], e[3], c2, t);
      ref::thick_bicolor_line(p.target(), e[0], e[1], c1, e[2], e[3], c2, t);
    }
  });
}

TEST(IMG, SpansMatchPlainVersion) {
  compare_random(1505, 3000, [](Pair& p, std::int32_t w, std::int32_t h, std::string& what) {
    const int64_t far = std::rand() % 2 ? 30 : INT32_MAX;
    const auto pick = [&](std::int32_t size) {
      return static_cast<std::int32_t>(random_in(std::max<int64_t>(-far, INT32_MIN), size + far));
    };
    const std::uint32_t c = random_colour();
    if (std::rand() % 2) {
      const std::int32_t y = pick(h), xa = pick(w), xb = pick(w);
      what = "hspan " + std::to_string(y) + " " + std::to_string(xa) + " " + std::to_string(xb);
      IMG_hspan(p.fast, y, xa, xb, c);
      ref::hspan(p.target(), y, xa, xb, c);
    } else {
      const std::int32_t x = pick(w), ya = pick(h), yb = pick(h);
      what = "vspan " + std::to_string(x) + " " + std::to_string(ya) + " " + std::to_string(yb);
      IMGFX_vspan(p.fast, x, ya, yb, c);
      ref::vspan(p.target(), x, ya, yb, c);
    }
  });
}

TEST(IMG, FilledCirclesMatchPlainVersion) {
  compare_random(1606, 4000, [](Pair& p, std::int32_t w, std::int32_t h, std::string& what) {
    std::int32_t cx, cy, r;
    if (std::rand() % 8) {
      // Radii up to 300 (either sign) around the image.
      r = static_cast<std::int32_t>(random_in(-300, 300));
      if (std::rand() % 4 == 0) r = static_cast<std::int32_t>(random_in(-3, 3));
      cx = static_cast<std::int32_t>(random_in(-320, w + 320));
      cy = static_cast<std::int32_t>(random_in(-320, h + 320));
    } else {
      // Large circles whose edge, or the part near its diagonals, crosses the
      // image: most of their steps lie outside.
      r = static_cast<std::int32_t>(random_in(300, 100000));
      const int64_t dx = random_in(-r - 10, r + 10);
      const int64_t dy = std::rand() % 2 ? r - random_in(-10, 40) : random_in(-r - 10, r + 10);
      cx = static_cast<std::int32_t>(w / 2 + (std::rand() % 2 ? dx : -dx));
      cy = static_cast<std::int32_t>(h / 2 + (std::rand() % 2 ? dy : -dy));
      if (std::rand() % 2) std::swap(cx, cy);
    }
    const std::uint32_t c = random_colour();
    std::ostringstream text;
    text << "circle (" << cx << ", " << cy << ") r " << r;
    what = text.str();
    const std::uint32_t before = IMG_module.errors;
    IMG_filled_circle(p.fast, cx, cy, r, c);
    const bool drawn = ref::filled_circle(p.target(), cx, cy, r, c);
    if (IMG_module.errors != before + (drawn ? 0 : 1)) ADD_FAILURE() << "report differs: " << what;
  });
}

}  // namespace
