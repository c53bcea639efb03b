#include "img.h"

#include <gtest/gtest.h>

#include <vector>

#include "img_p.h"

namespace {

// An image of the given size whose pixel at (x, y) is 0x010000 * (y + 1) + x + 1:
// every pixel is distinct and none is 0.
IMG* numbered(std::int32_t w, std::int32_t h) {
  IMG* image = IMG_new();
  IMG_set_size(image, w, h);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) IMG_set_pixel(image, x, y, 0x010000u * (y + 1) + x + 1);
  return image;
}

IMG* filled(std::int32_t w, std::int32_t h, std::uint32_t colour) {
  IMG* image = IMG_new();
  IMG_set_size(image, w, h);
  IMG_fill_rect(image, 0, 0, w, h, colour);
  return image;
}

struct Owned {
  IMG* image;
  ~Owned() {
    if (image != nullptr) IMG_free(&image);
  }
};

// The rectangle copy written pixel by pixel: every pair whose source and
// destination positions both lie inside their images is combined.
std::vector<std::uint32_t> reference_blit(const IMG* s, const IMG* d, int sx, int sy, int dx,
                                          int dy, int w, int h, bool skip_black) {
  std::vector<std::uint32_t> out(d->pixels.get(), d->pixels.get() + d->width * d->height);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const int x = sx + i, y = sy + j, tx = dx + i, ty = dy + j;
      if (x < 0 || y < 0 || x >= s->width || y >= s->height) continue;
      if (tx < 0 || ty < 0 || tx >= d->width || ty >= d->height) continue;
      const std::uint32_t p = s->pixels[y * s->width + x];
      if (skip_black && p == 0) continue;
      out[ty * d->width + tx] = p;
    }
  return out;
}

}  // namespace

TEST(IMG, NewImageIsSixteenSquareBlackAtOrigin) {
  Owned o{IMG_new()};
  ASSERT_NE(o.image, nullptr);
  EXPECT_EQ(o.image->width, 16);
  EXPECT_EQ(o.image->height, 16);
  EXPECT_EQ(o.image->x, 0);
  EXPECT_EQ(o.image->y, 0);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(o.image->pixels[i], 0u);
  o.image->x = 7;
  o.image->y = -3;
  IMG_fill_rect(o.image, 0, 0, 16, 16, 0x123456);
  IMG_set_size(o.image, 16, 320);
  EXPECT_EQ(o.image->x, 7);
  EXPECT_EQ(o.image->y, -3);
  for (int i = 0; i < 16 * 320; ++i) ASSERT_EQ(o.image->pixels[i], 0u);
}

TEST(IMG, FreeNullsHandleAndReportsAbsentOne) {
  IMG* image = IMG_new();
  const auto before = IMG_module.errors;
  IMG_free(&image);
  EXPECT_EQ(image, nullptr);
  EXPECT_EQ(IMG_module.errors, before);
  IMG_free(&image);
  IMG_free(nullptr);
  EXPECT_EQ(IMG_module.errors, before + 2);
}

TEST(IMG, InvalidArgumentsAreReportedAndChangeNothing) {
  Owned a{numbered(4, 3)}, b{filled(3, 4, 0x77)};
  const auto before = IMG_module.errors;
  IMG_set_size(a.image, -1, 4);
  IMG_set_size(nullptr, 4, 4);
  IMG_copy(a.image, b.image);  // sizes differ
  EXPECT_EQ(IMG_get_pixel(nullptr, 0, 0), 0u);
  IMG_set_pixel(nullptr, 0, 0, 1);
  EXPECT_EQ(IMG_module.errors, before + 5);
  EXPECT_EQ(a.image->width, 4);
  EXPECT_EQ(IMG_get_pixel(b.image, 0, 0), 0x77u);
  // Outside the image: stores ignored, reads 0, nothing reported.
  IMG_set_pixel(a.image, 4, 0, 0xFF);
  IMG_set_pixel(a.image, -1, 0, 0xFF);
  EXPECT_EQ(IMG_get_pixel(a.image, 0, -1), 0u);
  EXPECT_EQ(IMG_get_pixel(a.image, 3, 2), 0x030004u);
  EXPECT_EQ(IMG_module.errors, before + 5);
}

// Every copy operation against the pixel-by-pixel rule, with rectangles
// crossing each edge of the source and of the destination, negative corners
// and rectangles wholly outside.
TEST(IMG, BlitClipsToBothImagesOnEveryEdge) {
  struct Case {
    int sx, sy, dx, dy, w, h;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 5, 4},     {-2, -1, 1, 1, 5, 4},  {3, 2, 0, 0, 5, 4},
      {0, 0, -3, -2, 5, 4},   {0, 0, 4, 3, 5, 4},    {-3, 1, -1, -2, 9, 9},
      {1, 1, 5, 0, 3, 3},     {0, 0, 0, 6, 3, 3},    {5, 0, 0, 0, 3, 3},
      {0, -9, 0, 0, 3, 3},    {-4, -4, 0, 0, 3, 3},  {0, 0, -4, 0, 3, 3},
      {2, 2, 2, 2, 0, 3},     {2, 2, 2, 2, 3, -1},   {1, 0, 2, 1, 100, 100},
      {-100, -100, -100, -100, 300, 300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sx << "," << c.sy << " -> " << c.dx << "," << c.dy
                                    << " " << c.w << "x" << c.h);
    Owned s{numbered(5, 4)};
    IMG_set_pixel(s.image, 1, 1, 0);  // one transparent pixel
    for (bool skip : {true, false}) {
      Owned d{filled(6, 5, 0xABCDEF)};
      const auto expected = reference_blit(s.image, d.image, c.sx, c.sy, c.dx, c.dy, c.w, c.h, skip);
      const auto before = IMG_module.errors;
      (skip ? IMG_blit : IMG_blit_opaque)(s.image, d.image, c.sx, c.sy, c.dx, c.dy, c.w, c.h);
      EXPECT_EQ(IMG_module.errors, before);
      EXPECT_EQ(std::vector<std::uint32_t>(d.image->pixels.get(), d.image->pixels.get() + 30),
                expected);
    }
  }
}

TEST(IMG, ClipKeepsExtremeArgumentsInsideBothImages) {
  ClippedRect r;
  EXPECT_FALSE(IMG_clip_rect(4, 4, 4, 4, 0, 0, INT32_MAX, 0, INT32_MAX, 1, r));
  ASSERT_TRUE(IMG_clip_rect(4, 4, 4, 4, INT32_MIN + 5, 0, INT32_MIN + 5, 0, INT32_MAX, 4, r));
  EXPECT_EQ(r.dx, 0);
  EXPECT_EQ(r.sx, 0);
  EXPECT_EQ(r.w, 4);
  EXPECT_FALSE(IMG_clip_rect(4, 4, 4, 4, 0, 0, 0, 0, INT32_MIN, INT32_MIN, r));
}

TEST(IMG, BlitAtUsesImagePositionAndReportsMissingImages) {
  Owned s{numbered(2, 2)}, d{filled(4, 4, 0)};
  s.image->x = 3;
  s.image->y = -1;
  IMG_blit_at(s.image, d.image);
  EXPECT_EQ(IMG_get_pixel(d.image, 3, 0), 0x020001u);
  EXPECT_EQ(IMG_get_pixel(d.image, 2, 0), 0u);
  const auto before = IMG_module.errors;
  IMG_blit_at(nullptr, d.image);
  IMG_blit_at(s.image, nullptr);
  IMG_blit(s.image, nullptr, 0, 0, 0, 0, 1, 1);
  EXPECT_EQ(IMG_module.errors, before + 3);
}

TEST(IMG, FillRectIsAcceptedOrRejectedWhole) {
  Owned o{filled(256, 256, 0)};
  const auto before = IMG_module.errors;
  IMG_fill_rect(o.image, 0, 0, 256, 256, 0x010203);
  EXPECT_EQ(IMG_module.errors, before);
  EXPECT_EQ(IMG_get_pixel(o.image, 255, 255), 0x010203u);
  struct Rect {
    int x, y, w, h;
  };
  for (const Rect r : {Rect{1, 0, 256, 256}, Rect{-1, 0, 2, 2}, Rect{0, 256, 1, 1},
                       Rect{0, 0, 0, 5}, Rect{0, 0, 5, -1}, Rect{200, 0, INT32_MAX, 1}}) {
    IMG_fill_rect(o.image, r.x, r.y, r.w, r.h, 0xFFFFFF);
  }
  EXPECT_EQ(IMG_module.errors, before + 6);
  for (int i = 0; i < 256 * 256; ++i) ASSERT_EQ(o.image->pixels[i], 0x010203u);
  IMG_fill_rect(o.image, 10, 20, 3, 2, 0xFFFFFF);
  EXPECT_EQ(IMG_get_pixel(o.image, 12, 21), 0xFFFFFFu);
  EXPECT_EQ(IMG_get_pixel(o.image, 13, 21), 0x010203u);
  EXPECT_EQ(IMG_get_pixel(o.image, 12, 22), 0x010203u);
}

TEST(IMG, ColourArithmeticSaturatesPerChannelAndClearsTopByte) {
  struct Case {
    std::uint32_t pixel;
    void (*op)(IMG*);
    std::uint32_t expected;
  };
  const Case cases[] = {
      {0x90A010, [](IMG* i) { IMG_add_color(i, 0x808080); }, 0xFFFF90},
      {0x4060FF, [](IMG* i) { IMG_sub_color(i, 0x505000); }, 0x0010FF},
      {0x030303, [](IMG* i) { IMG_scale_color(i, 1, 2); }, 0x010101},
      {0xFF8004, [](IMG* i) { IMG_scale_color(i, 1, 4); }, 0x3F2001},
      {0x806040, [](IMG* i) { IMG_scale_color(i, 3, 1); }, 0xFFFFC0},
      {0xAB123456, [](IMG* i) { IMG_add_color(i, 0); }, 0x123456},
      {0xAB123456, [](IMG* i) { IMG_sub_color(i, 0xFF000000); }, 0x123456},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.pixel << " -> " << c.expected);
    Owned o{filled(3, 2, c.pixel)};
    c.op(o.image);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(o.image->pixels[i], c.expected);
  }
  const auto before = IMG_module.errors;
  Owned o{filled(1, 1, 0x808080)};
  IMG_scale_color(o.image, 1, 0);
  IMG_add_color(nullptr, 1);
  EXPECT_EQ(IMG_module.errors, before + 2);
  EXPECT_EQ(o.image->pixels[0], 0x808080u);
}
