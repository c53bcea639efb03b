#include "imgfx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <span>
#include <vector>

#include "image/imgfx_reference.h"

namespace {

// An owned w x h image filled with one colour word.
struct Image {
  IMG* image;
  Image(int w, int h, std::uint32_t colour = 0) : image(IMG_new()) {
    IMG_set_size(image, w, h);
    std::fill(span().begin(), span().end(), colour);
  }
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  ~Image() { IMG_free(&image); }
  IMG* operator->() const { return image; }
  operator IMG*() const { return image; }  // NOLINT: passed to the IMGFX calls
  std::uint32_t& at(int x, int y) const { return image->pixels[y * image->width + x]; }
  std::vector<std::uint32_t> row(int y) const {
    return {&at(0, y), &at(0, y) + image->width};
  }
  std::span<std::uint32_t> span() const {
    return {image->pixels.get(), static_cast<std::size_t>(image->width * image->height)};
  }
  std::vector<std::uint32_t> all() const { return {span().begin(), span().end()}; }
};

std::uint32_t random_word() {
  return (static_cast<std::uint32_t>(std::rand()) << 16) ^ static_cast<std::uint32_t>(std::rand());
}

// Random colour words; some images use only black and white, which saturate.
void fill_random(const Image& image) {
  const bool extremes = std::rand() % 4 == 0;
  for (std::uint32_t& p : image.span()) {
    p = extremes ? (std::rand() % 2 == 0 ? 0u : 0xFFFFFFFFu) : random_word();
  }
}

}  // namespace

TEST(IMGFX, BlurSpreadsOnePixelOverItsWindow) {
  // One pixel in row 1 of a black 15 x 3 image, radii red, green, blue.
  struct Case {
    int column, red, green, blue;
    std::uint32_t colour;
    std::vector<std::uint32_t> row;
  };
  const std::uint32_t g2 = 0x020202;
  const Case cases[] = {
      {10, 2, 2, 2, 0x0A0A0A, {0, 0, 0, 0, 0, 0, 0, 0, g2, g2, g2, g2, g2, 0, 0}},
      {0, 2, 2, 2, 0x0A0A0A, {g2, g2, g2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {5, 0, 1, 3, 0x1E1E1E, {0, 0, 4, 4, 0x000A04, 0x1E0A04, 0x000A04, 4, 4, 0, 0, 0, 0, 0, 0}},
      {5, 1, 0, 0, 0x3C0000, {0, 0, 0, 0, 0x140000, 0x140000, 0x140000, 0, 0, 0, 0, 0, 0, 0, 0}},
      {5, 0, 0, 1, 0x00003C, {0, 0, 0, 0, 0x000014, 0x000014, 0x000014, 0, 0, 0, 0, 0, 0, 0, 0}},
      {14, 2, 0, 1, 0xAB0F0F0F, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x030000, 0x030005, 0x030F05}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.column);
    Image s(15, 3), d(15, 3, 0xDEADBEEF);
    s.at(c.column, 1) = c.colour;
    IMGFX_hblur(s, d, c.red, c.green, c.blue);
    EXPECT_EQ(d.row(1), c.row);
    EXPECT_EQ(d.row(0), std::vector<std::uint32_t>(15, 0));
    EXPECT_EQ(d.row(2), std::vector<std::uint32_t>(15, 0));
  }
}

TEST(IMGFX, BlurDarkensBothEndsAndWritesTheLastColumn) {
  Image s(8, 2, 0xAB646464), d(8, 2, 0xFFFFFFFF);
  IMGFX_hblur(s, d, 2, 2, 2);  // 100 per channel: 3, 4 or 5 columns of the window in the row
  EXPECT_EQ(d.row(1), (std::vector<std::uint32_t>{0x3C3C3C, 0x505050, 0x646464, 0x646464,
                                                  0x646464, 0x646464, 0x505050, 0x3C3C3C}));
  IMGFX_hblur(s, d, 0, 0, 0);
  EXPECT_EQ(d.all(), std::vector<std::uint32_t>(16, 0x646464));
}

TEST(IMGFX, BlurWithANegativeRadiusDoesNothingSilently) {
  Image s(4, 2, 0x808080), d(4, 2, 0x123456);
  const std::uint32_t errors = IMGFX_module.errors;
  for (const int r : {-1, INT_MIN}) {
    IMGFX_hblur(s, d, r, 1, 1);
    IMGFX_hblur(s, d, 1, r, 1);
    IMGFX_hblur(s, d, 1, 1, r);
    IMGFX_hblur(nullptr, nullptr, r, 0, 0);
  }
  EXPECT_EQ(d.all(), std::vector<std::uint32_t>(8, 0x123456));
  EXPECT_EQ(IMGFX_module.errors, errors);
}

TEST(IMGFX, GlareAddsShiftedNeighboursAndSaturates) {
  struct Case { int shift; std::vector<std::uint32_t> in, out; };
  const std::uint32_t w = 0xFFFFFF, g = 0x1F1F1F, h = 0x808080;
  const Case cases[] = {
      {3, {0, 0, 0, w, 0, 0, 0}, {0, g, g, w, g, g, 0}},
      {3, {w, 0, 0, 0, 0, 0, w}, {w, g, g, 0, g, g, w}},
      {1, {0, 0, 0x804010, 0, 0, 0, 0}, {0x402008, 0x402008, 0x804010, 0x402008, 0x402008, 0, 0}},
      {0, {0, 0, h, h, 0, 0, 0}, {h, w, w, w, w, h, 0}},
      {2, {0xFF000000, 0xAB000010, 0, 0, 0, 0, 0}, {4, 0x10, 4, 4, 0, 0, 0}},
      // Shifts outside 0..15 are taken modulo 32; from 8 on the neighbours add nothing.
      {35, {0, 0, 0, w, 0, 0, 0}, {0, g, g, w, g, g, 0}},
      {-29, {0, 0, 0, w, 0, 0, 0}, {0, g, g, w, g, g, 0}},
      {16, {0, 0, w, 0xFF808080, 0, 0, 0}, {0, 0, w, h, 0, 0, 0}},
      {-1, {0, 0, w, 0xFF808080, 0, 0, 0}, {0, 0, w, h, 0, 0, 0}},
      {INT_MIN, {0, w, 0, 0, 0, 0, 0}, {w, w, w, w, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shift);
    Image s(7, 1), d(7, 1, 0xDEADBEEF);
    std::copy(c.in.begin(), c.in.end(), &s.at(0, 0));
    IMGFX_glare(s, d, c.shift);
    EXPECT_EQ(d.row(0), c.out);
  }
}

TEST(IMGFX, FiltersReportMissingOrSharedImages) {
  Image s(4, 2, 0x808080), d(4, 2, 0x123456);
  IMG bare{};  // no pixel array
  const struct { const IMG* source; IMG* destination; } cases[] = {
      {nullptr, d}, {s, nullptr}, {&bare, d}, {s, &bare}, {d, d}};
  for (const auto& c : cases) {
    const std::uint32_t errors = IMGFX_module.errors;
    IMGFX_hblur(c.source, c.destination, 2, 2, 2);
    EXPECT_EQ(IMGFX_module.errors, errors + 1);
    IMGFX_glare(c.source, c.destination, 3);
    EXPECT_EQ(IMGFX_module.errors, errors + 2);
  }
  EXPECT_EQ(d.all(), std::vector<std::uint32_t>(8, 0x123456));
}

TEST(IMGFX, BlitsCombinePerChannel) {
  struct Case { bool blend; std::uint32_t source, destination, result; };
  const Case cases[] = {
      {false, 0x80FF01, 0x90FF01, 0xFFFF02}, {false, 0, 0xAB102030, 0x102030},
      {true, 0xFFFFFF, 0x000001, 0x7F7F7F},  {true, 0, 0xAB102030, 0xAB102030},
      {true, 0x000002, 0xAB000000, 0x000001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    Image s(1, 1, c.source), d(1, 1, c.destination);
    (c.blend ? IMGFX_blend_blit : IMGFX_add_blit)(s, d, 0, 0, 0, 0, 1, 1);
    EXPECT_EQ(d.at(0, 0), c.result);
  }
}

TEST(IMGFX, BlitsClipToBothImages) {
  struct Case { int sx, sy, dx, dy, w, h; };
  const Case cases[] = {
      // Inside; source corner left of and above the source; source rectangle past
      // its right and bottom edges; destination past each of its four edges.
      {1, 1, 2, 2, 3, 3}, {-2, -1, 0, 0, 5, 4}, {5, 4, 0, 0, 10, 10}, {0, 0, -3, -2, 6, 5},
      {0, 0, 6, 5, 10, 10}, {-3, 2, 8, -1, 20, 3},
      // Wholly outside one of the images, or empty: nothing drawn, nothing reported.
      {0, 0, 10, 0, 4, 4}, {0, 0, -5, 0, 4, 4}, {0, 0, 0, 7, 4, 4}, {0, 0, 0, -5, 4, 4},
      {8, 0, 0, 0, 4, 4}, {-9, 0, 0, 0, 4, 4}, {0, -9, 0, 0, 4, 4}, {0, 6, 0, 0, 4, 4},
      {0, 0, 0, 0, -3, 4},
      // Extreme corners and sizes.
      {INT_MIN, 0, 0, 0, INT_MAX, 2}, {0, 0, 0, 0, INT_MAX, INT_MAX},
  };
  for (const bool blend : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << blend << ": " << c.sx << ' ' << c.sy << ' ' << c.dx
                                      << ' ' << c.dy << ' ' << c.w << ' ' << c.h);
      Image s(8, 6), d(10, 7);
      for (int i = 0; i < 48; ++i) s->pixels[i] = 0x0B0502u * (i % 9);  // some black
      for (int i = 0; i < 70; ++i) d->pixels[i] = 0x010309u * i;
      // The combination written pixel by pixel over the pairs inside both images.
      std::vector<std::uint32_t> expected = d.all();
      for (int ty = 0; ty < 7; ++ty) {
        for (int tx = 0; tx < 10; ++tx) {
          const long long i = tx - static_cast<long long>(c.dx), x = c.sx + i;
          const long long j = ty - static_cast<long long>(c.dy), y = c.sy + j;
          if (i < 0 || j < 0 || i >= c.w || j >= c.h || x < 0 || y < 0 || x >= 8 || y >= 6) {
            continue;
          }
          const std::uint32_t p = s.at(static_cast<int>(x), static_cast<int>(y));
          std::uint32_t& q = expected[ty * 10 + tx];
          std::uint32_t sum = 0;
          for (const int k : {16, 8, 0}) {
            sum |= std::min(((p >> k) & 255) + ((q >> k) & 255), 255u) << k;
          }
          q = blend ? (p != 0 ? ((p >> 1) & 0x7F7F7F) + ((q >> 1) & 0x7F7F7F) : q) : sum;
        }
      }
      const std::uint32_t errors = IMGFX_module.errors;
      (blend ? IMGFX_blend_blit : IMGFX_add_blit)(s, d, c.sx, c.sy, c.dx, c.dy, c.w, c.h);
      EXPECT_EQ(d.all(), expected);
      EXPECT_EQ(IMGFX_module.errors, errors);
    }
  }
}

TEST(IMGFX, BlitsAndInversionReportMissingImages) {
  Image image(2, 2, 0x00FF00);
  IMG bare{};
  const std::uint32_t errors = IMGFX_module.errors;
  IMGFX_add_blit(nullptr, image, 0, 0, 0, 0, 2, 2);
  IMGFX_add_blit(image, &bare, 0, 0, 0, 0, 2, 2);
  IMGFX_blend_blit(&bare, image, 0, 0, 0, 0, 2, 2);
  IMGFX_blend_blit(image, nullptr, 0, 0, 0, 0, 2, 2);
  IMGFX_invert(nullptr);
  IMGFX_invert(&bare);
  EXPECT_EQ(IMGFX_module.errors, errors + 6);
  image.at(1, 1) = 0xAB000000;
  IMGFX_invert(image);
  EXPECT_EQ(image.all(), (std::vector<std::uint32_t>{0xFF00FF, 0xFF00FF, 0xFF00FF, 0xFFFFFF}));
}

// The fast filters against the per-pixel versions on random images of random
// sizes, destinations sometimes smaller or larger than the source.
TEST(IMGFX, FiltersMatchPerPixelVersionsOnRandomImages) {
  std::srand(61501);
  for (int n = 0; n < 3000; ++n) {
    const int w = n < 1000 ? 1 + n % 5 : 1 + std::rand() % (n < 2000 ? 24 : 300);
    const int h = 1 + std::rand() % 3;
    const bool same = std::rand() % 4 != 0;
    const int dw = same ? w : 1 + std::rand() % (w + 6), dh = same ? h : 1 + std::rand() % (h + 2);
    Image s(w, h), fast(dw, dh), slow(dw, dh);
    fill_random(s);
    fill_random(fast);
    std::copy(fast.span().begin(), fast.span().end(), slow.span().begin());
    int r[3] = {std::rand() % 9, std::rand() % 9, std::rand() % 9};
    if (std::rand() % 2 == 0) r[1] = r[2] = r[0];
    SCOPED_TRACE(testing::Message() << n << ": " << w << 'x' << h << " -> " << dw << 'x' << dh
                                    << " radii " << r[0] << ' ' << r[1] << ' ' << r[2]);
    IMGFX_hblur(s, fast, r[0], r[1], r[2]);
    imgfx_reference::hblur_direct(s, slow, r[0], r[1], r[2]);
    ASSERT_EQ(fast.all(), slow.all());
    imgfx_reference::hblur_running(s, slow, r[0], r[1], r[2]);
    ASSERT_EQ(fast.all(), slow.all());
    const int shift = std::rand() % 16;
    IMGFX_glare(s, fast, shift);
    imgfx_reference::glare(s, slow, shift);
    ASSERT_EQ(fast.all(), slow.all()) << "shift " << shift;
  }
}

// Rows whose channel values climb by one every 2r + 1 columns: the window sums
// then take every value from 0 up to 255 (2r + 1), so every quotient the blur
// can meet is checked, for radii on both sides of its vector limit.
TEST(IMGFX, BlurDividesEveryWindowSumExactly) {
  for (int r = 0; r <= 70; ++r) {
    for (const bool mixed : {false, true}) {
      const int radius[3] = {r, mixed ? (r * 7 + 3) % 71 : r, mixed ? (r * 13 + 5) % 71 : r};
      SCOPED_TRACE(testing::Message() << radius[0] << ' ' << radius[1] << ' ' << radius[2]);
      const int w = 256 * (2 * 70 + 1) + 2 * 70 + 2;
      Image s(w, 1), d(w, 1);
      std::vector<std::uint32_t> expected(w, 0);
      for (int c = 0; c < 3; ++c) {
        const int shift = 16 - 8 * c, size = 2 * radius[c] + 1;
        std::vector<long long> prefix(w + 1, 0);  // prefix[i]: sum of columns 0 .. i - 1
        for (int i = 0; i < w; ++i) {
          const int v = std::min(i / size, 255);
          s.at(i, 0) |= static_cast<std::uint32_t>(v) << shift;
          prefix[i + 1] = prefix[i] + v;
        }
        for (int x = 0; x < w; ++x) {
          const long long sum =
              prefix[std::min(x + radius[c], w - 1) + 1] - prefix[std::max(x - radius[c], 0)];
          expected[x] |= static_cast<std::uint32_t>(sum / size) << shift;
        }
      }
      IMGFX_hblur(s, d, radius[0], radius[1], radius[2]);
      ASSERT_EQ(d.row(0), expected);
    }
  }
}
