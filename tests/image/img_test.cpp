#include "img.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

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

// Each call is reported once and changes nothing; stores and reads outside
// an image are silent.
TEST(IMG, InvalidArgumentsAreReportedAndChangeNothing) {
  Owned a{filled(4, 3, 0x55)}, b{filled(3, 4, 0x77)};
  IMG* none = nullptr;
  const std::function<void()> calls[] = {
      [&] { IMG_free(&none); },
      [&] { IMG_free(nullptr); },
      [&] { IMG_set_size(a.image, -1, 4); },
      [&] { IMG_set_size(nullptr, 4, 4); },
      [&] { IMG_copy(a.image, b.image); },
      [&] { EXPECT_EQ(IMG_get_pixel(nullptr, 0, 0), 0u); },
      [&] { IMG_set_pixel(nullptr, 0, 0, 1); },
      [&] { IMG_blit_at(nullptr, a.image); },
      [&] { IMG_blit_at(a.image, nullptr); },
      [&] { IMG_blit(a.image, nullptr, 0, 0, 0, 0, 1, 1); },
      [&] { IMG_add_color(nullptr, 1); },
      [&] { IMG_scale_color(a.image, 1, 0); },
  };
  for (const auto& call : calls) {
    const auto before = IMG_module.errors;
    call();
    EXPECT_EQ(IMG_module.errors, before + 1) << &call - calls;
  }
  const auto before = IMG_module.errors;
  IMG_set_pixel(a.image, 4, 0, 0xFF);
  IMG_set_pixel(a.image, -1, 0, 0xFF);
  EXPECT_EQ(IMG_get_pixel(a.image, 0, -1), 0u);
  EXPECT_EQ(IMG_module.errors, before);
  EXPECT_EQ(a.image->width, 4);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(a.image->pixels[i], 0x55u);
  EXPECT_EQ(IMG_get_pixel(b.image, 2, 3), 0x77u);
}

TEST(IMG, BlitAtUsesImagePosition) {
  Owned s{filled(2, 2, 0)}, d{filled(4, 4, 0)};
  IMG_set_pixel(s.image, 0, 1, 0x020001);
  s.image->x = 3;
  s.image->y = -1;
  IMG_blit_at(s.image, d.image);
  EXPECT_EQ(IMG_get_pixel(d.image, 3, 0), 0x020001u);
  EXPECT_EQ(IMG_get_pixel(d.image, 2, 0), 0u);
}

TEST(IMG, FillRectIsAcceptedOrRejectedWhole) {
  Owned o{filled(256, 256, 0x010203)};
  const auto before = IMG_module.errors;
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
    Owned o{filled(3, 2, c.pixel)};
    c.op(o.image);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(o.image->pixels[i], c.expected);
  }
}
