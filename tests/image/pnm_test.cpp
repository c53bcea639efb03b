#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "image/image_support.h"

namespace {

// Parses a copy of the bytes in a heap block of exactly their size, so that
// AddressSanitizer catches any read past the end.
Image parse(const std::string& text) {
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  static const std::uint8_t nothing = 0;
  return Image(IMG_parse_pnm(bytes.empty() ? &nothing : bytes.data(), bytes.size()));
}

std::string bytes(std::initializer_list<int> values) {
  return std::string(values.begin(), values.end());
}

// The pixels of bitmap bytes, most significant bit first, 1 white.
std::vector<std::uint32_t> bits(std::initializer_list<int> values) {
  std::vector<std::uint32_t> out;
  for (const int byte : values) {
    for (int bit = 7; bit >= 0; --bit) out.push_back((byte >> bit) & 1 ? 0xFFFFFFu : 0u);
  }
  return out;
}

}  // namespace

// Each row is read as it is and with a comment line after the magic; every
// shorter piece of an accepted row gives no image or, for the text kinds, one
// of the same size.
TEST(PNM, ParsesOrRefuses) {
  const std::string x64(64, 'x');
  const std::uint32_t w = 0xFFFFFF;
  const struct {
    const char* name;
    std::string data;
    std::int32_t width, height;  // 0: refused and reported
    std::vector<std::uint32_t> pixels = {};
  } rows[] = {
      {"P1", "P1\n8 1\n1 0 1 0 0 0 0 1\n", 8, 1, bits({0xA1})},
      {"P1 digits run together", "P1\n8 1\n01100001", 8, 1, bits({0x61})},
      {"P1 any non-zero digit is white", "P1\n8 1\n02345678", 8, 1, bits({0x7F})},
      {"P2", "P2\n2 1\n255\n 7,9", 2, 1, {0x070707, 0x090909}},
      {"P3", "P3\n2 1\n255\n1 2 3\n4 5 6\n", 2, 1, {0x010203, 0x040506}},
      {"P4", "P4\n16 1\n" + bytes({0x81, 0x7E}), 16, 1, bits({0x81, 0x7E})},
      {"P5", "P5\n3 1\n255\n" + bytes({0x10, 0x80, 0xFF}), 3, 1, {0x101010, 0x808080, 0xFFFFFF}},
      {"P6", "P6\n2 1\n255\n" + bytes({0xFF, 0, 0, 1, 2, 3}), 2, 1, {0xFF0000, 0x010203}},
      // Bitmap widths round up to whole bytes, the padding becoming pixels.
      {"P1 width 3", "P1\n3 2\n11100000 00000001", 8, 2, bits({0xE0, 0x01})},
      {"P4 width 1", "P4\n1 1\n" + bytes({0x80}), 8, 1, bits({0x80})},
      {"P4 of 12 rows", "P4\n8 12\n" + bytes({1, 2, 4, 8, 16, 32, 64, 128, 3, 5, 7, 9}), 8, 12,
       bits({1, 2, 4, 8, 16, 32, 64, 128, 3, 5, 7, 9})},
      {"P4 width 10", "P4\n10 2\n" + bytes({0xA5, 0x3C, 0xFF, 0x01}), 16, 2,
       bits({0xA5, 0x3C, 0xFF, 0x01})},
      {"P5 width 3 is not rounded", "P5 3 1 255 " + bytes({1, 2, 3}), 3, 1,
       {0x010101, 0x020202, 0x030303}},
      // Exactly one byte, whatever it is, separates the header from the data.
      {"second line feed is a sample", "P5\n2 1\n255\n\n" + bytes({7}), 2, 1, {0x0A0A0A, 0x070707}},
      {"CR LF leaves the LF as data", "P5\r\n1 1\r\n255\r\n", 1, 1, {0x0A0A0A}},
      {"any byte separates", "P5 1 1 255x" + bytes({9}), 1, 1, {0x090909}},
      {"a bitmap header ends at its height", "P4\n8 1 #", 8, 1, bits({'#'})},
      // Numbers before the magic: the width is not rounded, nine bits fill 3 x 3.
      {"numbers before the magic", "3 3 P4\n" + bytes({0xC3, 0x80}), 3, 3,
       {w, w, 0, 0, 0, 0, w, w, w}},
      // After the magic a P is a number 0 (here the maximum, then the separator).
      {"a second P", "P5 1 1 P6", 1, 1, {0x363636}},
      {"bytes above 126 separate", "P5" + bytes({0xFF, '1', 0x80, '1', 0x7F}) + "255 " + bytes({7}),
       1, 1, {0x070707}},
      // Text samples are neither scaled nor clamped: above 255 they carry
      // into the channel above, wrapping at 32 bits.
      {"grey 300", "P2 1 1 255 300", 1, 1, {0x012D2D2C}},
      {"grey 511", "P2 1 1 255 511", 1, 1, {0x020100FF}},
      {"green 256", "P3 1 1 255 0 256 0", 1, 1, {0x010000}},
      {"red 255 green 256", "P3 1 1 255 255 256 0", 1, 1, {0x01000000}},
      {"blue 2^32 + 1", "P3 1 1 255 0 0 4294967297", 1, 1, {0x000001}},
      {"maximum 15", "P5 1 1 15 " + bytes({15}), 1, 1, {0x0F0F0F}},
      // Refused.
      {"empty", "", 0, 0},
      {"kind 7", "P7\n1 1\n255\n111", 0, 0},
      {"kind 0", "P0\n1 1\n255\n" + bytes({0, 0, 0}), 0, 0},
      {"zero width", "P5\n0 1\n255\n" + bytes({0}), 0, 0},
      {"zero height", "P6\n1 0\n255\n" + bytes({0, 0, 0}), 0, 0},
      {"header that never ends", "1 2 3 x" + std::string(20, ' '), 0, 0},
      {"comment without line feed", "P5\n# no end", 0, 0},
      {"no separator", "P5\n1 1\n255", 0, 0},
      {"99999 x 99999", "P5\n99999 99999\n255\n" + x64, 0, 0},
      {"just over 2^26 pixels", "P6\n8193 8192\n255\n" + x64, 0, 0},
      {"bitmap width rounding past 2^31", "P4\n2147483647 1\n" + x64, 0, 0},
      {"width beyond 32 bits", "P5\n4294967297 1\n255\n" + x64, 0, 0},
      {"twenty-digit height", "P5\n1 99999999999999999999\n255\nx", 0, 0},
      {"text shorter than announced", "P2\n10000 1000\n255\n" + std::string(4096, '1'), 0, 0},
  };
  for (const auto& r : rows) {
    for (const bool comment : {false, true}) {
      std::string data = r.data;
      if (comment && data.size() > 2 && data[0] == 'P' && data[2] == '\n') {
        data.insert(3, "# comment 12 P5\n");
      }
      SCOPED_TRACE(testing::Message() << r.name << (comment ? " with comment" : ""));
      const std::uint32_t errors = IMG_module.errors;
      const Image image = parse(data);
      EXPECT_EQ(IMG_module.errors, errors + (r.width == 0 ? 1 : 0));
      ASSERT_EQ(image == nullptr, r.width == 0);
      if (image == nullptr) continue;
      ASSERT_EQ(image->width, r.width);
      ASSERT_EQ(image->height, r.height);
      EXPECT_EQ(image.all(), r.pixels);
      const bool text = data[data.find('P') + 1] < '4';
      for (std::size_t n = 0; n < data.size(); ++n) {
        const std::uint32_t before = IMG_module.errors;
        const Image piece = parse(data.substr(0, n));
        EXPECT_EQ(IMG_module.errors, before + (piece == nullptr ? 1 : 0)) << n;
        if (piece == nullptr) continue;
        EXPECT_TRUE(text) << "a binary image from " << n << " bytes";
        EXPECT_EQ(std::make_pair(piece->width, piece->height), std::make_pair(r.width, r.height));
      }
    }
  }
  const std::uint32_t errors = IMG_module.errors;
  EXPECT_EQ(IMG_parse_pnm(nullptr, 10), nullptr);
  EXPECT_EQ(IMG_module.errors, errors + 1);
}
