// The four benchmark parts, headless, with frames that cost virtual time.
#include <gtest/gtest.h>

#include "demo_support.h"
#include "font.h"
#include "imgfx.h"
#include "parts.h"
#include "rng.h"
#include "sample.h"

namespace {

std::int32_t rx() { return RNG_rand() % 256; }
std::uint32_t rc() { return static_cast<std::uint32_t>(RNG_rand()); }

// One shape of each benchmark, its random numbers drawn in the documented order.
void one_thick_bicolor(IMG* f) {
  const int x1 = rx(), y1 = rx(), x2 = rx(), y2 = rx();
  const std::uint32_t c1 = rc(), c2 = rc();
  IMGFX_thick_bicolor_line(f, x1, y1, c1, x2, y2, c2, RNG_rand() % 15 + 1);
}
void one_thick(IMG* f) {
  const int x1 = rx(), y1 = rx(), x2 = rx(), y2 = rx();
  const std::uint32_t c = rc();
  IMGFX_thick_line(f, x1, y1, x2, y2, c, RNG_rand() % 15 + 1);
}
void one_circle(IMG* f) {
  const int x = rx(), y = rx(), r = RNG_rand() & 63;
  const std::int32_t colour = SAMPLE_get(TORQ6150_state.palette, RNG_rand() % 1536);
  IMG_filled_circle(f, x, y, r, static_cast<std::uint32_t>(colour));
}
void one_bicolor(IMG* f) {
  const int x1 = rx(), y1 = rx();
  const std::uint32_t c1 = rc();
  const int x2 = rx(), y2 = rx();
  IMGFX_bicolor_line(f, x1, y1, c1, x2, y2, rc());
}

struct Row {
  const DemoPart* part;
  std::int32_t* count;
  std::int32_t step;
  std::int32_t one;  // the count that draws a single shape
  std::uint32_t tint_up, tint_down;
  const char* text[5];  // at y 32, 48, 192, 208 and 224
  void (*draw_one)(IMG*);
};
DemoState& S = TORQ6150_state;
const Row ROWS[] = {
    {&TORQ6150_bicolor_thick_part, &S.bicolor_thick_count, 1, 1, 0x005000, 0x500050,
     {"BICOLOR, THICK", "LINES BENCHMARK", "BICOLOR, THICK", "LINES PER FRAME:", "0000000002"},
     one_thick_bicolor},
    {&TORQ6150_thick_line_part, &S.thick_line_count, 1, 1, 0x000050, 0x505000,
     {"THICK LINES", "BENCHMARK", "THICK LINES", "PER FRAME:", "0000000002"}, one_thick},
    {&TORQ6150_filled_circle_part, &S.filled_circle_count, 1, 0, 0x000020, 0x505000,
     {"FILLED CIRCLES", "BENCHMARK", "FILLED CIRCLES", "PER FRAME:", "0000000001"}, one_circle},
    {&TORQ6150_bicolor_line_part, &S.bicolor_line_count, 10, 1, 0x000050, 0x505000,
     {"BICOLOR LINES", "BENCHMARK", "BICOLOR LINES", "PER FRAME:", "0000000011"}, one_bicolor},
};

// A part whose frames cost the listed microseconds of work each, besides the
// metered present and the few shapes, which take well under a millisecond.
const Row* timed;
std::vector<std::int32_t> counts, published;
constexpr std::int64_t COST[] = {0, 0, 20000, 19000, 30000, 30000, 30000, 30000, 0};
void timed_render() {
  timed->part->render();
  headless::advance_us(COST[counts.size()]);
  counts.push_back(*timed->count);
  published.push_back(TORQ6150_settings.circle_count);
}

struct Benchmarks : testing::Test {
  void SetUp() override {
    start_demo();
    headless::reset();
    TORQ6150_state.control = 0;
    TORQ6150_state.fps->target_fps = 50;
  }
};

}  // namespace

TEST_F(Benchmarks, CountFollowsTheSpareTimeOfTheFrameBefore) {
  for (const Row& row : ROWS) {
    SCOPED_TRACE(row.text[0]);
    timed = &row;
    counts.clear();
    published.clear();
    *row.count = 0;
    TORQ6150_state.fps->spare_us = 1;  // the frame before the part had a microsecond left
    TORQ6150_run_part({9, row.part->setup, timed_render, nullptr, row.part->finish, false, true});
    // A frame that uses its whole period (20000 us) or more lowers the next frame's count.
    const std::vector<std::int32_t> steps{1, 2, 3, 2, 3, 2, 1, 0, 0};
    for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(counts[i], steps[i] * row.step) << i;
    if (row.count == &S.filled_circle_count) {
      EXPECT_EQ(published, counts);
    }
  }
  // Below the step, an overrun still ends at 0.
  S.bicolor_line_count = 3;
  S.fps->spare_us = 0;
  TORQ6150_bicolor_line_part.render();
  EXPECT_EQ(S.bicolor_line_count, 0);
}

TEST_F(Benchmarks, DrawsInOrderPrintsTheAdaptedCountAndTintsTheFont) {
  DemoSettings& c = TORQ6150_settings;
  FONT* font = S.sheet_font;
  IMG* expected = blank();
  IMG* sheet = blank();  // the glyph sheet is 256 x 256 too
  for (const Row& row : ROWS) {
    SCOPED_TRACE(row.text[0]);
    IMG_copy(font->sheet, sheet);
    row.part->setup();
    IMG_add_color(sheet, row.tint_up);
    IMG_sub_color(sheet, row.tint_down);
    EXPECT_EQ(pixels(font->sheet), pixels(sheet));
    EXPECT_EQ(S.white_background, row.step == 1 ? 1 : 0);  // the two-colour lines run on black
    // One shape with the same numbers, then the five texts with the adapted count.
    IMG_fill_rect(expected, 0, 0, 256, 256, 0);
    RNG_srand(21);
    row.draw_one(expected);
    const int next = RNG_rand();
    font->target = expected;
    for (int i = 0; i < 5; ++i) {
      font->x = 0;
      font->y = 32 + 16 * i + (i >= 2 ? 128 : 0);
      FONT_print(font, row.text[i]);
    }
    font->target = S.frame;
    *row.count = row.one;
    S.fps->spare_us = 1;
    c.bench_stats_on = 1;
    IMG_fill_rect(S.frame, 0, 0, 256, 256, 0);
    RNG_srand(21);
    row.part->render();
    EXPECT_EQ(RNG_rand(), next);
    EXPECT_EQ(pixels(S.frame), pixels(expected));
    row.part->finish();
    IMG_add_color(sheet, row.tint_down);
    IMG_sub_color(sheet, row.tint_up);
    EXPECT_EQ(pixels(font->sheet), pixels(sheet));
  }
  IMG_free(&expected);
  IMG_free(&sheet);
}
