#include "img.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "image/image_support.h"

TEST(IMG, NewImageIsSixteenSquareBlackAtOrigin) {
  Image o(IMG_new());
  ASSERT_NE(o.get(), nullptr);
  EXPECT_EQ(std::make_tuple(o->width, o->height, o->x, o->y), std::make_tuple(16, 16, 0, 0));
  EXPECT_EQ(o.all(), std::vector<std::uint32_t>(256, 0));
  o->x = 7;
  o->y = -3;
  IMG_fill_rect(o, 0, 0, 16, 16, 0x123456);
  IMG_set_size(o, 16, 320);
  EXPECT_EQ(std::make_pair(o->x, o->y), std::make_pair(7, -3));
  EXPECT_EQ(o.all(), std::vector<std::uint32_t>(16 * 320, 0));
}

// Each call is reported once and changes nothing; stores and reads outside
// an image are silent.
TEST(IMG, InvalidArgumentsAreReportedAndChangeNothing) {
  Image a(4, 3, 0x55), b(3, 4, 0x77);
  IMG* none = nullptr;
  const std::function<void()> calls[] = {
      [&] { IMG_free(&none); },
      [&] { IMG_free(nullptr); },
      [&] { IMG_set_size(a, -1, 4); },
      [&] { IMG_set_size(nullptr, 4, 4); },
      [&] { IMG_copy(a, b); },
      [&] { EXPECT_EQ(IMG_get_pixel(nullptr, 0, 0), 0u); },
      [&] { IMG_set_pixel(nullptr, 0, 0, 1); },
      [&] { IMG_blit_at(nullptr, a); },
      [&] { IMG_blit_at(a, nullptr); },
      [&] { IMG_blit(a, nullptr, 0, 0, 0, 0, 1, 1); },
      [&] { IMG_add_color(nullptr, 1); },
      [&] { IMG_scale_color(a, 1, 0); },
  };
  for (const auto& call : calls) {
    const auto before = IMG_module.errors;
    call();
    EXPECT_EQ(IMG_module.errors, before + 1) << &call - calls;
  }
  const auto before = IMG_module.errors;
  IMG_set_pixel(a, 4, 0, 0xFF);
  IMG_set_pixel(a, -1, 0, 0xFF);
  EXPECT_EQ(IMG_get_pixel(a, 0, -1), 0u);
  EXPECT_EQ(IMG_module.errors, before);
  EXPECT_EQ(a->width, 4);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(a->pixels[i], 0x55u);
  EXPECT_EQ(IMG_get_pixel(b, 2, 3), 0x77u);
}

TEST(IMG, BlitAtUsesImagePosition) {
  Image s(2, 2), d(4, 4);
  IMG_set_pixel(s, 0, 1, 0x020001);
  s->x = 3;
  s->y = -1;
  IMG_blit_at(s, d);
  EXPECT_EQ(IMG_get_pixel(d, 3, 0), 0x020001u);
  EXPECT_EQ(IMG_get_pixel(d, 2, 0), 0u);
}

TEST(IMG, FillRectIsAcceptedOrRejectedWhole) {
  Image o(256, 256);
  const auto before = IMG_module.errors;
  IMG_fill_rect(o, 0, 0, 256, 256, 0x010203);  // the whole image, exactly
  EXPECT_EQ(IMG_get_pixel(o, 255, 255), 0x010203u);
  struct Rect {
    int x, y, w, h;
  };
  for (const Rect r : {Rect{1, 0, 256, 256}, Rect{-1, 0, 2, 2}, Rect{0, 256, 1, 1},
                       Rect{0, 0, 0, 5}, Rect{0, 0, 5, -1}, Rect{200, 0, INT32_MAX, 1}}) {
    IMG_fill_rect(o, r.x, r.y, r.w, r.h, 0xFFFFFF);
  }
  EXPECT_EQ(IMG_module.errors, before + 6);
  for (int i = 0; i < 256 * 256; ++i) ASSERT_EQ(o->pixels[i], 0x010203u);
  IMG_fill_rect(o, 10, 20, 3, 2, 0xFFFFFF);
  EXPECT_EQ(IMG_get_pixel(o, 12, 21), 0xFFFFFFu);
  EXPECT_EQ(IMG_get_pixel(o, 13, 21), 0x010203u);
  EXPECT_EQ(IMG_get_pixel(o, 12, 22), 0x010203u);
}

TEST(IMG, ColourArithmeticSaturatesPerChannelAndClearsTopByte) {
  const struct {
    std::uint32_t pixel;
    void (*op)(IMG*);
    std::uint32_t expected;
  } cases[] = {
      {0x90A010, [](IMG* i) { IMG_add_color(i, 0x806040); }, 0xFFFF50},
      {0x4060FF, [](IMG* i) { IMG_sub_color(i, 0x505000); }, 0x0010FF},
      {0x030303, [](IMG* i) { IMG_scale_color(i, 1, 2); }, 0x010101},
      {0xFF8004, [](IMG* i) { IMG_scale_color(i, 1, 4); }, 0x3F2001},
      {0x806040, [](IMG* i) { IMG_scale_color(i, 3, 1); }, 0xFFFFC0},
      {0xAB123456, [](IMG* i) { IMG_add_color(i, 0); }, 0x123456},
      {0xAB123456, [](IMG* i) { IMG_sub_color(i, 0xFF000000); }, 0x123456},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.pixel << " -> " << c.expected);
    Image o(3, 2, c.pixel);
    c.op(o);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(o->pixels[i], c.expected);
  }
}
