#include "raster.h"

#include <gtest/gtest.h>

#include <vector>

#include "image/image_support.h"

namespace {

constexpr std::uint32_t A = 0xA, B = 0xB, C = 0xC, D = 0xD;

struct Bars {
  RASTER* raster = RASTER_new();
  Image image;
  explicit Bars(std::int32_t n) : image(3, n == 4 ? 6 : 256) { RASTER_set_size(raster, n); }
  ~Bars() { RASTER_free(&raster); }
  // The colour of each row, checked to fill the row.
  std::vector<std::uint32_t> rows() {
    RASTER_draw(raster, image);
    std::vector<std::uint32_t> out;
    for (std::int32_t y = 0; y < image->height; ++y) {
      const std::uint32_t c = IMG_get_pixel(image, 0, y);
      for (std::int32_t x = 1; x < image->width; ++x) EXPECT_EQ(IMG_get_pixel(image, x, y), c);
      out.push_back(c);
    }
    return out;
  }
};

}  // namespace

TEST(RASTER, FourEntriesScrollEitherWay) {
  const struct {
    const char* name;
    std::int32_t speed, advances, position;
    std::vector<std::uint32_t> rows;
  } cases[] = {
      {"1.5 once", 98304, 1, 98304, {B, C, D, A, B, C}},
      {"1.5 twice", 98304, 2, 196608, {D, A, B, C, D, A}},
      {"-1.0 once", -65536, 1, 196608, {D, A, B, C, D, A}},
      {"lands on 4.0", 131072, 2, 0, {A, B, C, D, A, B}},
      {"lands on -4.0", -262144, 1, 0, {A, B, C, D, A, B}},
      {"-9.5 once", -622592, 1, 163840, {C, D, A, B, C, D}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bars b(4);
    for (int i = 0; i < 4; ++i) b.raster->colors[i] = A + static_cast<std::uint32_t>(i);
    b.raster->speed = c.speed;
    for (int i = 0; i < c.advances; ++i) RASTER_advance(b.raster);
    EXPECT_EQ(b.raster->position, c.position);
    EXPECT_EQ(b.rows(), c.rows);
  }
}

TEST(RASTER, FullFrameOverTheBarTableAndWrapOfALargeTable) {
  Bars b(1536);
  for (std::uint32_t i = 0; i < 1536; ++i) b.raster->colors[i] = i;
  std::vector<std::uint32_t> expected(256);
  for (std::uint32_t i = 0; i < 256; ++i) expected[i] = i;
  EXPECT_EQ(b.rows(), expected);
  // 1530.0 + 10.0 wraps to 4.0; the rows past the table's end continue at 0.
  b.raster->position = 1530 * 65536;
  b.raster->speed = 10 * 65536;
  RASTER_advance(b.raster);
  EXPECT_EQ(b.raster->position, 4 * 65536);
  b.raster->position = 1530 * 65536;
  EXPECT_EQ(b.rows()[6], 0u);
  b.raster->position = -65536;  // set by hand below 0: still an entry of the table
  EXPECT_EQ(b.rows()[0], 1535u);
  // The largest table: the position and the sum stay defined.
  RASTER_set_size(b.raster, 32768);
  b.raster->position = 32767 * 65536 + 65535;
  b.raster->speed = INT32_MAX;
  RASTER_advance(b.raster);
  EXPECT_EQ(b.raster->position, 32767 * 65536 + 65534);
}

TEST(RASTER, InvalidArgumentsAreReported) {
  const std::uint32_t errors = RASTER_module.errors;
  Bars b(4);
  RASTER_set_size(b.raster, 0);      // no table to take entries from
  RASTER_set_size(b.raster, 32769);  // beyond what a 16.16 position addresses
  EXPECT_EQ(b.raster->color_count, 4);
  RASTER_advance(nullptr);
  RASTER_draw(b.raster, nullptr);
  EXPECT_EQ(RASTER_module.errors, errors + 4);
}
