#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "img.h"

namespace {

struct FreeImage {
  void operator()(IMG* image) const { IMG_free(&image); }
};
using Image = std::unique_ptr<IMG, FreeImage>;

// Parses a copy of the bytes in a heap block of exactly their size, so that
// AddressSanitizer catches any read past the end.
Image parse(const std::string& text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  if (bytes.empty()) return Image(IMG_parse_pnm(reinterpret_cast<const std::uint8_t*>(""), 0));
  return Image(IMG_parse_pnm(bytes.data(), bytes.size()));
}

std::vector<std::uint32_t> pixels_of(const IMG* image) {
  return std::vector<std::uint32_t>(image->pixels.get(),
                                    image->pixels.get() + image->width * image->height);
}

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

// The eight pixels of one bitmap byte, most significant bit first, 1 white.
std::vector<std::uint32_t> bits(int byte) {
  std::vector<std::uint32_t> out;
  for (int bit = 7; bit >= 0; --bit) out.push_back((byte >> bit) & 1 ? 0xFFFFFFu : 0u);
  return out;
}

std::vector<std::uint32_t> concat(std::initializer_list<std::vector<std::uint32_t>> parts) {
  std::vector<std::uint32_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

struct Case {
  const char* name;
  std::string data;
  std::int32_t width, height;
  std::vector<std::uint32_t> pixels;
};

void expect_cases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::uint32_t errors = IMG_module.errors;
    Image image = parse(c.data);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(IMG_module.errors, errors);
    EXPECT_EQ(image->x, 0);
    EXPECT_EQ(image->y, 0);
    EXPECT_EQ(image->width, c.width);
    EXPECT_EQ(image->height, c.height);
    if (image->width == c.width && image->height == c.height) {
      EXPECT_EQ(pixels_of(image.get()), c.pixels);
    }
  }
}

void expect_refused(const char* name, const std::string& data) {
  SCOPED_TRACE(name);
  const std::uint32_t errors = IMG_module.errors;
  EXPECT_EQ(parse(data), nullptr);
  EXPECT_EQ(IMG_module.errors, errors + 1);
}

// The reader written plainly from its description, for well-formed data:
// header flags, one separator byte, then the samples of the kind.
struct Plain {
  std::int32_t width, height;
  std::vector<std::uint32_t> pixels;
};

std::optional<Plain> plain_parse(const std::string& d) {
  std::size_t i = 0;
  auto at = [&](std::size_t k) { return k < d.size() ? static_cast<unsigned char>(d[k]) : 0; };
  auto digit = [&](std::size_t k) { return at(k) >= '0' && at(k) <= '9'; };
  bool magic = false, width_seen = false, height_seen = false, maximum_seen = false;
  int kind = 0;
  std::int64_t width = 0, height = 0;
  while (!(magic && width_seen && height_seen && maximum_seen)) {
    if (i >= d.size()) return std::nullopt;
    if (at(i) < 33 || at(i) > 126) {
      ++i;
    } else if (at(i) == 'P' && !magic) {
      kind = at(i + 1) - '0';
      i += 2;
      if (kind < 1 || kind > 6) return std::nullopt;
      magic = true;
      if (kind == 1 || kind == 4) maximum_seen = true;
    } else if (at(i) == '#') {
      while (i < d.size() && at(i) != '\n') ++i;
      ++i;
    } else {
      std::int64_t n = 0;
      while (digit(i)) n = n * 10 + (at(i++) - '0');
      if (!width_seen) {
        width = (kind == 1 || kind == 4) ? (n + 7) / 8 * 8 : n;
        width_seen = true;
      } else if (!height_seen) {
        height = n;
        height_seen = true;
      } else {
        maximum_seen = true;
      }
    }
  }
  ++i;
  if (width == 0 || height == 0) return std::nullopt;
  Plain out{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), {}};
  auto number = [&]() {
    while (!digit(i)) ++i;
    std::uint32_t n = 0;
    while (digit(i)) n = n * 10 + (at(i++) - '0');
    return n;
  };
  for (std::int64_t p = 0; p < width * height; ++p) {
    std::uint32_t colour = 0;
    switch (kind) {
      case 1:
        while (!digit(i)) ++i;
        colour = at(i++) == '0' ? 0 : 0xFFFFFF;
        break;
      case 2: {
        const std::uint32_t v = number();
        colour = (v << 16) + (v << 8) + v;
        break;
      }
      case 3: {
        const std::uint32_t r = number(), g = number(), b = number();
        colour = (r << 16) + (g << 8) + b;
        break;
      }
      case 4:
        colour = (at(i + p / 8) >> (7 - p % 8)) & 1 ? 0xFFFFFF : 0;
        break;
      case 5:
        colour = at(i + p) * 0x010101u;
        break;
      default:
        colour = (at(i + 3 * p) << 16) | (at(i + 3 * p + 1) << 8) | at(i + 3 * p + 2);
        break;
    }
    out.pixels.push_back(colour);
  }
  return out;
}

}  // namespace

TEST(PNM, WorkedExamplesOfEveryKind) {
  expect_cases({
      {"P6", "P6\n2 1\n255\n" + bytes({0xFF, 0, 0, 0, 0, 0xFF}), 2, 1, {0xFF0000, 0x0000FF}},
      {"P6 with comment", "P6\n# two\n2 1\n255\n" + bytes({1, 2, 3, 4, 5, 6}), 2, 1,
       {0x010203, 0x040506}},
      {"P5 with comment", "P5\n# grey\n3 1\n255\n" + bytes({0x10, 0x80, 0xFF}), 3, 1,
       {0x101010, 0x808080, 0xFFFFFF}},
      {"P5", "P5\n3 1\n255\n" + bytes({0, 1, 2}), 3, 1, {0, 0x010101, 0x020202}},
      {"P4 rounded to 16", "P4\n10 2\n" + bytes({0xA5, 0x3C, 0xFF, 0x01}), 16, 2,
       concat({bits(0xA5), bits(0x3C), bits(0xFF), bits(0x01)})},
      {"P4 with comment", "P4\n# eight\n8 1\n" + bytes({0x81}), 8, 1, bits(0x81)},
      {"P3", "P3\n1 1\n255\n12 34 56", 1, 1, {0x0C2238}},
      {"P3 with comment", "P3\n# two\n2 1\n255\n1 2 3\n4 5 6\n", 2, 1, {0x010203, 0x040506}},
      {"P2", "P2\n2 1\n255\n 7,9", 2, 1, {0x070707, 0x090909}},
      {"P2 with comment", "P2\n# c\n2 1\n255\n7 9\n", 2, 1, {0x070707, 0x090909}},
      {"P1", "P1\n8 1\n1 0 1 0 0 0 0 1\n", 8, 1, bits(0xA1)},
      {"P1 digits run together", "P1\n# packed\n8 1\n01100001", 8, 1, bits(0x61)},
      {"P1 any non-zero digit is white", "P1\n8 1\n02345678", 8, 1, bits(0x7F)},
  });
}

TEST(PNM, BitmapWidthsAreRoundedUpToBytes) {
  // P1 rows take the rounded width of digits, so a 3-wide header reads eight
  // digits per row; P4 padding bits become real pixels at the right.
  expect_cases({
      {"P1 width 3", "P1\n3 2\n11100000 00000001", 8, 2, concat({bits(0xE0), bits(0x01)})},
      {"P4 width 1", "P4\n1 1\n" + bytes({0x80}), 8, 1, bits(0x80)},
      {"P4 width 8", "P4\n8 1\n" + bytes({0x0F}), 8, 1, bits(0x0F)},
      {"P4 width 9", "P4\n9 1\n" + bytes({0xFF, 0x80}), 16, 1, concat({bits(0xFF), bits(0x80)})},
      {"P5 width 3 is not rounded", "P5 3 1 255 " + bytes({1, 2, 3}), 3, 1,
       {0x010101, 0x020202, 0x030303}},
  });
}

TEST(PNM, ExactlyOneSeparatorByteBeforeTheData) {
  expect_cases({
      {"second line feed is a sample", "P5\n2 1\n255\n\n" + bytes({7}), 2, 1, {0x0A0A0A, 0x070707}},
      {"CR LF leaves the LF as data", "P5\r\n1 1\r\n255\r\n", 1, 1, {0x0A0A0A}},
      {"blank separator", "P5 1 1 255 " + bytes({9}), 1, 1, {0x090909}},
      {"any byte separates", "P5 1 1 255x" + bytes({9}), 1, 1, {0x090909}},
      // A bitmap header ends with its height: a comment after it is data.
      {"comment after a bitmap height", "P4\n8 1 #", 8, 1, bits('#')},
  });
}

TEST(PNM, HeaderItemsMayComeInAnyOrder) {
  expect_cases({
      // The width is read before the kind is known, so it is not rounded and
      // one byte's eight pixels fill both rows.
      {"numbers before the magic", "4 2 P4\n" + bytes({0xC3}), 4, 2, bits(0xC3)},
      {"maximum without digits", "P5 1 1 x" + bytes({5}), 1, 1, {0x050505}},
      {"comment between numbers", "P2 2#w\n1 9 3 4", 2, 1, {0x030303, 0x040404}},
  });
}

TEST(PNM, TextSamplesAboveTheMaximumSpillIntoTheChannelAbove) {
  // The maximum is ignored and samples are not clamped: each is shifted into
  // place and added, wrapping at 32 bits.
  expect_cases({
      {"grey 256", "P2 1 1 255 256", 1, 1, {0x01010100}},
      {"grey 300", "P2 1 1 255 300", 1, 1, {0x012D2D2C}},
      {"grey 65536", "P2 1 1 255 65536", 1, 1, {0x01010000}},
      {"grey 511 carries, not merges", "P2 1 1 255 511", 1, 1, {0x020100FF}},
      {"green 256 carries into red", "P3 1 1 255 0 256 0", 1, 1, {0x010000}},
      {"red 255 green 256 carries into the top byte", "P3 1 1 255 255 256 0", 1, 1, {0x01000000}},
      {"red 256", "P3 1 1 255 256 0 0", 1, 1, {0x01000000}},
      {"blue 2^32 + 1 wraps to 1", "P3 1 1 255 0 0 4294967297", 1, 1, {0x000001}},
      {"maximum 15 does not scale", "P5 1 1 15 " + bytes({15}), 1, 1, {0x0F0F0F}},
  });
}

TEST(PNM, RefusesBadKindsSizesAndData) {
  const std::uint32_t errors = IMG_module.errors;
  EXPECT_EQ(IMG_parse_pnm(nullptr, 10), nullptr);
  EXPECT_EQ(IMG_module.errors, errors + 1);
  expect_refused("empty", "");
  expect_refused("kind 7", "P7\n1 1\n255\n" + bytes({0, 0, 0}));
  expect_refused("kind 0", "P0\n1 1\n255\n" + bytes({0, 0, 0}));
  expect_refused("kind letter", "Px 1 1 255 abc");
  expect_refused("zero width", "P5\n0 1\n255\n" + bytes({0}));
  expect_refused("zero height", "P6\n1 0\n255\n" + bytes({0, 0, 0}));
  expect_refused("no digits for the width", "P5 x");
  expect_refused("header that never ends", "1 2 3 x" + std::string(20, ' '));
  expect_refused("comment without line feed", "P5\n# no end");
  expect_refused("no separator", "P5\n1 1\n255");
  expect_refused("no magic", "1 1 255 abc");
}

TEST(PNM, RefusesAbsurdSizes) {
  expect_refused("99999 x 99999", "P5\n99999 99999\n255\n" + std::string(64, 'x'));
  expect_refused("just over 2^26 pixels", "P6\n8193 8192\n255\n" + std::string(64, 'x'));
  expect_refused("bitmap width rounding past 2^31", "P4\n2147483647 1\n" + std::string(64, 'x'));
  expect_refused("width beyond 32 bits", "P5\n4294967297 1\n255\n" + std::string(64, 'x'));
  expect_refused("twenty-digit height", "P5\n1 99999999999999999999\n255\nx");
  expect_refused("text kind announcing more than its data",
                 "P2\n10000 1000\n255\n" + std::string(4096, '1'));
}

TEST(PNM, EveryPrefixGivesNoImageOrACompleteOne) {
  const std::vector<std::string> files = {
      "P1\n# c\n8 2\n0 1 0 1 1 0 1 0\n1 1 1 1 0 0 0 0\n",
      "P2\n# c\n3 2\n255\n1 22 255\n0 300 7\n",
      "P3\n# c\n2 2\n255\n1 2 3 4 5 6\n7 8 9 10 11 12\n",
      "P4\n# c\n12 3\n" + bytes({0xA5, 0x5A, 0xFF, 0x00, 0x81, 0x18}),
      "P5\n# c\n3 3\n255\n" + bytes({1, 2, 3, 4, 5, 6, 7, 8, 9}),
      "P6\n# c\n2 2\n255\n" + bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}),
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(file.substr(0, 2));
    Image full = parse(file);
    ASSERT_NE(full, nullptr);
    const bool binary = file[1] >= '4';
    for (std::size_t n = 0; n < file.size(); ++n) {
      SCOPED_TRACE(n);
      Image image = parse(file.substr(0, n));
      if (image == nullptr) continue;
      EXPECT_FALSE(binary) << "a binary image needs all of its data";
      EXPECT_EQ(image->width, full->width);
      EXPECT_EQ(image->height, full->height);
    }
  }
}

TEST(PNM, MatchesPlainReaderOnRandomFiles) {
  std::srand(2205);
  const char* blanks[] = {" ", "\n", "\t", "\r\n", "  ", "\n# a comment 12 P5\n"};
  for (int round = 0; round < 400; ++round) {
    SCOPED_TRACE(round);
    const int kind = 1 + std::rand() % 6;
    const int width = 1 + std::rand() % 20, height = 1 + std::rand() % 5;
    const bool bitmap = kind == 1 || kind == 4;
    const int stored = bitmap ? (width + 7) / 8 * 8 : width;
    std::string file = "P" + std::to_string(kind);
    std::vector<std::string> numbers = {std::to_string(width), std::to_string(height)};
    if (!bitmap) numbers.push_back(std::to_string(1 + std::rand() % 65535));
    for (const std::string& n : numbers) file += blanks[std::rand() % 6] + n;
    file += " \n\t"[std::rand() % 3];
    const int samples = stored * height;
    const auto separator = [&] {
      const int count = 1 + std::rand() % 2;
      return std::string(count, " ,\n;"[std::rand() % 4]);
    };
    switch (kind) {
      case 1:
        for (int i = 0; i < samples; ++i) {
          if (std::rand() % 2 != 0) file += ' ';
          const int digit = std::rand() % 10;
          file += static_cast<char>('0' + digit);
        }
        break;
      case 2:
      case 3:
        for (int i = 0; i < samples * (kind == 3 ? 3 : 1); ++i) {
          if (i > 0) file += separator();
          file += std::to_string(std::rand() % 300);
        }
        break;
      case 4:
        for (int i = 0; i < samples / 8; ++i) file += static_cast<char>(std::rand() % 256);
        break;
      default:
        for (int i = 0; i < samples * (kind == 6 ? 3 : 1); ++i)
          file += static_cast<char>(std::rand() % 256);
        break;
    }
    const std::optional<Plain> expected = plain_parse(file);
    ASSERT_TRUE(expected.has_value());
    Image image = parse(file);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, expected->width);
    EXPECT_EQ(image->height, expected->height);
    EXPECT_EQ(pixels_of(image.get()), expected->pixels);
  }
}

namespace {

bool have_netpbm() {
  return std::system("command -v pbmmake pgmramp ppmpat pnmtoplainpnm >/dev/null 2>&1") == 0;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Reads a plain (text) PNM dump the simple way: whitespace-separated tokens,
// comments dropped, bitmap digits one by one. Bitmaps map 1 to white, as ours do.
Plain read_plain_dump(const std::string& text) {
  std::string clean;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '#') {
      while (i < text.size() && text[i] != '\n') ++i;
    }
    clean += i < text.size() ? text[i] : '\n';
  }
  std::istringstream in(clean);
  std::string magic;
  int width = 0, height = 0, maximum = 1;
  in >> magic >> width >> height;
  if (magic != "P1") in >> maximum;
  Plain out{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    if (magic == "P1") {
      char c = ' ';
      while (in >> c && c != '0' && c != '1') {}
      out.pixels.push_back(c == '1' ? 0xFFFFFF : 0);
    } else if (magic == "P2") {
      std::uint32_t v = 0;
      in >> v;
      out.pixels.push_back(v * 0x010101u);
    } else {
      std::uint32_t r = 0, g = 0, b = 0;
      in >> r >> g >> b;
      out.pixels.push_back(r << 16 | g << 8 | b);
    }
  }
  return out;
}

}  // namespace

TEST(PNM, AgreesWithNetpbmPlainDumps) {
  if (!have_netpbm()) GTEST_SKIP() << "netpbm tools are not installed";
  char folder_template[] = "/tmp/pnm_testXXXXXX";
  const char* folder = mkdtemp(folder_template);
  ASSERT_NE(folder, nullptr);
  const std::string dir = folder;
  const char* commands[] = {
      "pbmmake -g 13 4", "pbmmake -g 16 3", "pgmramp -lr 37 5", "pgmramp -ellipse 20 9",
      "ppmpat -gingham3 -randomseed 7 23 7", "ppmpat -madras -randomseed 3 30 20",
  };
  for (const char* command : commands) {
    SCOPED_TRACE(command);
    const std::string raw = dir + "/raw.pnm", plain = dir + "/plain.pnm";
    ASSERT_EQ(std::system((std::string(command) + " >" + raw + " 2>/dev/null").c_str()), 0);
    ASSERT_EQ(std::system(("pnmtoplainpnm " + raw + " >" + plain).c_str()), 0);
    const std::string raw_bytes = read_file(raw), plain_text = read_file(plain);
    const Plain truth = read_plain_dump(plain_text);

    Image image = parse(raw_bytes);
    ASSERT_NE(image, nullptr);
    const bool bitmap = raw_bytes[1] == '4';
    EXPECT_EQ(image->width, bitmap ? (truth.width + 7) / 8 * 8 : truth.width);
    ASSERT_EQ(image->height, truth.height);
    for (int y = 0; y < truth.height; ++y)
      for (int x = 0; x < image->width; ++x) {
        const std::uint32_t want = x < truth.width ? truth.pixels[y * truth.width + x] : 0u;
        ASSERT_EQ(IMG_get_pixel(image.get(), x, y), want) << x << "," << y;
      }

    // The plain dump itself, where its rows are whole bytes wide.
    if (!bitmap || truth.width % 8 == 0) {
      Image text = parse(plain_text);
      ASSERT_NE(text, nullptr);
      EXPECT_EQ(pixels_of(text.get()), truth.pixels);
    }
  }
  std::filesystem::remove_all(dir);
}
