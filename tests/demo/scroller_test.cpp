// The scroller part and its text, run headless.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "demo_support.h"
#include "parts.h"
#include "raster.h"
#include "rng.h"
#include "sample.h"
#include "scroll.h"
#include "sine_table.h"

TEST(ScrollText, MakeUp) {
  const std::string text = TORQ6150_scroll_text;
  ASSERT_EQ(text.size(), 1181u);
  ASSERT_EQ(text.back(), '\n');
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 71u);
  EXPECT_EQ(std::count_if(text.begin(), text.end(), [](unsigned char c) { return std::islower(c); }), 0);
  EXPECT_EQ(lines[0] + lines[1], "");
  EXPECT_EQ(lines[2].rfind("TORQ 6150", 0), 0u);
  EXPECT_EQ(lines[69].rfind("!\"#$%&'()*+,-./0123456789", 0), 0u);
  EXPECT_TRUE(!lines[70].empty() && lines[70].find_first_not_of(' ') == std::string::npos);
  const std::string help =
      "PRESS KEYS: \n5: 25 F.P.S.  \n6: 50 F.P.S.  \n8: FRAMES PER SECOND (F.P.S.)  \n"
      "S: STATS ON/OFF  \nESC,Q: EXIT  \nSPACE: NEXT PART  \nF: FADE ON/OFF  \n"
      "B: BLURR ON/OFF  \nG: GLARE ON/OFF  \nZ,X: LESS,MORE RAYS  \nK,L: RAYS LENGTH  \n"
      "O: MUTE MUSIC  \nP: PAUSE DEMO  \nW: WHITE/BLACK BACKGROUND  \n";
  EXPECT_NE(text.find("  \n" + help + "  "), std::string::npos);
}

namespace {

struct ScrollerPart : testing::Test {
  void SetUp() override {
    start_demo();
    headless::reset();
    TORQ6150_state.control = 0;
  }
  static IMG* frame() { return TORQ6150_state.frame; }
};

}  // namespace

TEST_F(ScrollerPart, SetupDrawsTwoNumbersFirstAndOneLaterAndTintsTheMainFont) {
  const auto values = in_child([] {
    DemoState& s = TORQ6150_state;
    s.bars = nullptr;  // as on the first visit
    IMG* sheet = s.sheet_font->sheet;
    std::vector<std::uint64_t> v;
    for (const bool first : {true, false}) {
      RNG_srand(17);
      const auto fade = static_cast<std::uint32_t>(RNG_rand());
      if (first) RNG_rand();  // the bars' speed
      RNG_rand();             // discarded
      const int next = RNG_rand();
      IMG_set_pixel(sheet, 0, 0, 0x000000);
      RNG_srand(17);
      TORQ6150_scroller_part.setup();
      v.push_back(RNG_rand() == next);
      v.push_back(TORQ6150_settings.fade_colour == (fade & 63) * 0x010101u + 0x404040);
      v.push_back(IMG_get_pixel(sheet, 0, 0));
      TORQ6150_scroller_part.finish();
      v.push_back(IMG_get_pixel(sheet, 0, 0));
    }
    for (const int i : {0, 15, 800, 1535}) v.push_back(s.bars->colors[i]);
    v.push_back(static_cast<std::uint64_t>(s.bars->speed));
    v.push_back(static_cast<std::uint64_t>(s.scroller->speed));
    return v;
  });
  EXPECT_EQ(values, (std::vector<std::uint64_t>{1, 1, 0x000020, 0x505000, 1, 1, 0x000020, 0x505000,
                                                0x205F20, 0x7FBF7F, 0x5F204F, 0x205F20, 131072,
                                                24}));
}

TEST_F(ScrollerPart, BigLettersFillTheirCellsInTwoHues) {
  const auto values = in_child([] {
    TORQ6150_scroller_part.setup();
    const IMG* big = TORQ6150_state.big_glyphs;
    // "!" (code 33): (8, 0)-(8, 9) and (8, 12)-(8, 13) times 15, moved to
    // (16, 16) of its cell: 32 columns 120 to 151, rows 16 to 151 and 196 to 211.
    const std::int32_t top = 33 * 256;
    std::vector<std::uint64_t> v{static_cast<std::uint64_t>(big->width),
                                 static_cast<std::uint64_t>(big->height)};
    for (const std::int32_t y : {16, 151, 152, 195, 196, 211, 212}) {
      for (const std::int32_t x : {119, 120, 151, 152}) v.push_back(IMG_get_pixel(big, x, top + y));
    }
    // The line feed's cell is empty.
    v.push_back(std::all_of(&big->pixels[10 * 256 * 256], &big->pixels[11 * 256 * 256],
                            [](std::uint32_t p) { return p == 0; }));
    return v;
  });
  const auto c1 = static_cast<std::uint64_t>(SAMPLE_get(TORQ6150_state.palette, 456));
  const auto c2 = static_cast<std::uint64_t>(SAMPLE_get(TORQ6150_state.palette, 552));
  EXPECT_EQ(values, (std::vector<std::uint64_t>{256, 32768,  //
                                                0, c1, c1, 0, 0, c2, c2, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                0, c1, c1, 0, 0, c2, c2, 0, 0, 0, 0, 0, 1}));
}

TEST_F(ScrollerPart, FirstFrameEverHasNoBackdropAndLaterFramesShowItOnTop) {
  const auto values = in_child([] {
    DemoState& s = TORQ6150_state;
    // A backdrop of one colour found nowhere else in the part.
    IMG* backdrop = s.backdrop_image;
    IMG_fill_rect(backdrop, 0, 0, backdrop->width, backdrop->height, 0x010203);
    s.backdrop_armed = 0;
    headless::keep_frames(true);
    run_part_frames(TORQ6150_scroller_part, 3);
    std::vector<std::uint64_t> v;
    for (std::size_t i = 32; i < 35; ++i) {
      const auto& f = headless::frames()[i];
      v.push_back(static_cast<std::uint64_t>(std::count(f.begin(), f.end(), 0x010203u)));
    }
    // The third frame: phase 60, so (128 x S[60]) >> 16 rows below the centre.
    const auto& third = headless::frames()[34];
    const auto first = std::find(third.begin(), third.end(), 0x010203u) - third.begin();
    v.push_back(static_cast<std::uint64_t>(first));
    return v;
  });
  const std::int32_t wobble = (128 * SINE_TABLE[60]) >> 16;
  const auto corner = static_cast<std::uint64_t>((96 + wobble) * 256 + 64);
  EXPECT_EQ(values, (std::vector<std::uint64_t>{0, 128 * 64, 128 * 64, corner}));
}

TEST_F(ScrollerPart, LineFeedsAreBlankScreenWidthsAndTheTextWrapsWithoutAGap) {
  const auto values = in_child([] {
    DemoState& s = TORQ6150_state;
    TORQ6150_scroller_part.setup();
    SCROLL* scroller = s.scroller;
    std::vector<std::uint64_t> v;
    // The line feed after "TORQ 6150  " fills the screen; half a glyph on,
    // the next line's "6" comes in on the right half only.
    for (const std::int32_t offset : {0, 128}) {
      IMG_fill_rect(frame(), 0, 0, 256, 256, 0);
      scroller->cursor->position = 13;
      scroller->offset = offset;
      scroller->y = 0;
      SCROLL_draw(scroller);
      std::uint64_t left = 0, right = 0;
      for (std::int32_t y = 0; y < 256; ++y) {
        for (std::int32_t x = 0; x < 256; ++x) {
          (x < 128 ? left : right) += IMG_get_pixel(frame(), x, y) != 0;
        }
      }
      v.push_back(left);
      v.push_back(right > 1000);
    }
    // Across the end of the text the cursor moves on one character at a time.
    scroller->cursor->position = 1175;
    scroller->offset = 0;
    std::int32_t before = scroller->cursor->position;
    std::uint64_t gaps = 0, wraps = 0;
    for (int frame_index = 0; frame_index < 120; ++frame_index) {
      TORQ6150_scroller_part.render();
      const std::int32_t now = scroller->cursor->position;
      gaps += now != before && now != (before + 1) % 1181;
      wraps += before == 1180 && now == 0;
      before = now;
    }
    v.push_back(gaps);
    v.push_back(wraps);
    return v;
  });
  EXPECT_EQ(values, (std::vector<std::uint64_t>{0, 0, 0, 1, 0, 1}));
}

TEST_F(ScrollerPart, KeysUAndIChangeTheSpeedStoppingAndReversingTheText) {
  const auto values = in_child([] {
    TORQ6150_scroller_part.setup();
    SCROLL* scroller = TORQ6150_state.scroller;
    scroller->offset = 100;
    std::vector<std::uint64_t> v;
    // Each render steps the text once; record where it stands after each.
    const auto frames = [&](int n) {
      for (int i = 0; i < n; ++i) {
        TORQ6150_scroller_part.render();
        const std::int32_t at = scroller->cursor->position * 1000 + scroller->offset;
        v.push_back(static_cast<std::uint64_t>(at));
      }
    };
    for (const auto& [keys, n] : {std::pair{std::string(24, 'i'), 2}, {"i", 2}, {"uuu", 1}}) {
      for (const char key : keys) TORQ6150_key(key);
      frames(n);
    }
    v.push_back(static_cast<std::uint64_t>(scroller->speed));
    return v;
  });
  EXPECT_EQ(values, (std::vector<std::uint64_t>{100, 100, 99, 98, 100, 2}));
}
