#include "assets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>

#include "img.h"

TEST(Assets, EveryPictureParsesToItsKindAndSize) {
  const struct {
    const char* name;
    const Asset& asset;
    const char* magic;
    int width, height;
  } rows[] = {
      {"logo", ASSET_logo, "P4", 128, 64},        {"glyphs", ASSET_glyphs, "P5", 256, 256},
      {"sprites", ASSET_sprites, "P6", 16, 256},  {"backdrop", ASSET_backdrop, "P6", 128, 64},
      {"stars", ASSET_stars, "P6", 64, 256},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const auto* data = reinterpret_cast<const char*>(r.asset.data);
    EXPECT_EQ(std::string(data, std::min<std::size_t>(r.asset.size, 2)), r.magic);
    const std::uint32_t errors = IMG_module.errors;
    IMG* image = IMG_parse_pnm(r.asset.data, r.asset.size);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(IMG_module.errors, errors);
    EXPECT_EQ(image->width, r.width);
    EXPECT_EQ(image->height, r.height);
    IMG_free(&image);
  }
}

TEST(Assets, GlyphSheetHasEveryPrintableCell) {
  IMG* sheet = IMG_parse_pnm(ASSET_glyphs.data, ASSET_glyphs.size);
  ASSERT_NE(sheet, nullptr);
  // Codes 1 to 15 are the pattern tiles, 33 to 126 the face; 32 stays blank.
  for (int code = 1; code < 127; ++code) {
    int ink = 0;
    for (int i = 0; i < 256; ++i) {
      ink += IMG_get_pixel(sheet, code % 16 * 16 + i % 16, code / 16 * 16 + i / 16) != 0;
    }
    EXPECT_EQ(ink > 0, code != 32 && (code < 16 || code > 32)) << "code " << code;
  }
  IMG_free(&sheet);
}

// The 2D-object texts at the level of their lines: the parser drops a token
// that ends the text, so the text must end in a line feed; a carriage return
// or tab would become part of a name; every object is "{ }" or a "{" line up
// to a "}" line, and every segment line holds four grid coordinates. The wire
// font has 447 segments, the icons 1850, 5 to 74 each.
TEST(Assets, ObjectTextsAreWellFormed) {
  const struct {
    const char* name;
    const Asset& asset;
    int objects, least, most, total;
  } rows[] = {{"wire_font", ASSET_wire_font, 256, 0, 16, 447},
              {"icons", ASSET_icons, 102, 5, 74, 1850}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const std::string text(reinterpret_cast<const char*>(r.asset.data), r.asset.size);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    EXPECT_TRUE(std::all_of(text.begin(), text.end(),
                            [](char c) { return c == '\n' || (c >= ' ' && c <= '~'); }));
    int objects = 0, segments = 0, total = 0, colours = 0;
    bool open = false;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      SCOPED_TRACE(line);
      if (line == "{ }" || line == "}") {
        EXPECT_EQ(open, line == "}");
        EXPECT_GE(segments, r.least);
        EXPECT_LE(segments, r.most);
        open = false;
        total += segments;
        segments = 0;
        ++objects;
      } else if (line == "{") {
        EXPECT_FALSE(open);
        open = true;
      } else if (line.rfind("s ", 0) == 0) {
        int c[4];
        char tail;
        EXPECT_TRUE(open);
        ASSERT_EQ(std::sscanf(line.c_str(), "s %d,%d %d,%d%c", &c[0], &c[1], &c[2], &c[3], &tail), 4);
        EXPECT_TRUE(std::all_of(c, c + 4, [](int v) { return v >= 0 && v <= 15; }));
        ++segments;
      } else {
        colours += line == "color $00ffffff";
      }
    }
    EXPECT_FALSE(open);
    EXPECT_EQ(objects, r.objects);
    EXPECT_EQ(colours, 1);
    EXPECT_EQ(total, r.total);
  }
}
