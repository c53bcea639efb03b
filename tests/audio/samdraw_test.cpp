#include "samdraw.h"

#include <gtest/gtest.h>

#include <climits>

#include "audio_support.h"

namespace {

using Picture = std::vector<std::uint32_t>;
constexpr std::uint32_t BG = 0x101010, INK = 0xAABBCC, MARK = 0xDDEEFF;

// A drawing of the values v onto a black width x height image, with the range 0..length-1.
struct Scope {
  SAMPLE buffer;
  SAM holder{&buffer};
  IMG image;
  SAMDRAW scope;

  Scope(const Values& v, std::int32_t width, std::int32_t height)
      : buffer{make(v)},
        image{0, 0, width, height, ZEROED_array<std::uint32_t>(width * height)},
        scope{&holder, &image, BG, INK, MARK, 0, buffer.length - 1} {}
  Picture picture() const {
    return {image.pixels.get(), image.pixels.get() + image.width * image.height};
  }
};

// Rows from..to (either order) of column x in the colour.
void bar(Picture& p, std::int32_t width, std::int32_t x, std::int32_t from, std::int32_t to,
         std::uint32_t colour) {
  for (std::int32_t y = std::min(from, to); y <= std::max(from, to); ++y) p[y * width + x] = colour;
}

}  // namespace

TEST(SAMDRAW, LongBuffersStepByWholeValuesAndShortOnesSpreadOverColumns) {
  // Value i lies on row i mod 256 (centre 128). 132300 / 256 = 516.8: column x
  // shows value 516 x, so 132096 to 132299 are never shown; 128 values take two
  // columns each.
  for (const auto& [length, step] : {std::pair{132300, 516.0}, {128, 0.5}}) {
    SCOPED_TRACE(length);
    Values values(length);
    for (std::int32_t i = 0; i < length; ++i) values[i] = (i % 256 - 128) * 256;
    Scope s(values, 256, 256);
    SAMDRAW_draw(&s.scope);
    Picture want(256 * 256, BG);
    for (std::int32_t x = 0; x < 256; ++x)
      bar(want, 256, x, 128, static_cast<std::int32_t>(step * x) % 256, INK);
    EXPECT_EQ(s.picture(), want);
  }
}

TEST(SAMDRAW, RangeIsClampedExchangedAndStoredBack) {
  Values values(16);
  for (std::int32_t i = 0; i < 16; ++i) values[i] = i * 1024;  // row 32 + i
  struct Row {
    std::int32_t first, last, want_first, want_last;
  };
  // The last two rows lie wholly outside the buffer: only its nearest end is read.
  for (const Row r :
       {Row{10, 5, 5, 10}, Row{-3, 99, 0, 15}, Row{3, 16, 3, 15}, Row{200, 300, 15, 15},
        Row{0, -5, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << r.first << ".." << r.last);
    Scope s(values, 16, 64);
    s.scope.first = r.first;
    s.scope.last = r.last;
    SAMDRAW_draw(&s.scope);
    EXPECT_EQ(s.scope.first, r.want_first);
    EXPECT_EQ(s.scope.last, r.want_last);
    Picture want(16 * 64, BG);
    for (std::int32_t x = 0; x <= r.want_last - r.want_first; ++x) {
      bar(want, 16, x, 32, 32 + r.want_first + x, INK);
    }
    EXPECT_EQ(s.picture(), want);
  }
}

TEST(SAMDRAW, ValuesBeyondSixteenBitsAreClippedAtTheEdgeTheyPointTo) {
  Scope s({40000, -40000, INT32_MAX, INT32_MIN}, 4, 64);
  SAMDRAW_draw(&s.scope);
  Picture want(4 * 64, BG);
  for (std::int32_t x = 0; x < 4; ++x) bar(want, 4, x, 32, x % 2 == 0 ? 63 : 0, INK);
  EXPECT_EQ(s.picture(), want);
}

TEST(SAMDRAW, MarkersStandAtTheLowestIndexOfEachExtreme) {
  Values values(132300, 0);
  values[60000] = values[131999] = 20000;
  values[1000] = values[100000] = -20000;
  Scope s(values, 256, 256);
  s.scope.first = -7;
  s.scope.last = 1000000;
  SAMDRAW_draw_extremes(&s.scope);
  EXPECT_EQ(s.scope.first, 0);
  EXPECT_EQ(s.scope.last, 132299);
  Picture want(256 * 256, 0);
  bar(want, 256, 256 * 60000 / 132300, 128, 128 + 78, MARK);  // 20000 * 128 / 32768 = 78.1
  bar(want, 256, 256 * 1000 / 132300, 128, 128 - 79, MARK);   // -78.1 rounds down
  EXPECT_EQ(s.picture(), want);
  Scope flat(Values(100, 0), 4, 4);  // silence: both at index 0, on the centre row only
  SAMDRAW_draw_extremes(&flat.scope);
  EXPECT_EQ(flat.picture(), (Picture{0, 0, 0, 0, 0, 0, 0, 0, MARK, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(SAMDRAW, MissingPartsAreReportedAndDrawNothing) {
  Scope s({1000, -1000}, 4, 4);
  const auto errors = SAMDRAW_module.errors;
  SAMDRAW_draw_marker(&s.scope, -1);  // indices outside the buffer
  SAMDRAW_draw_marker(&s.scope, 2);
  SAMDRAW no_target{&s.holder, nullptr, BG, INK, MARK, 0, 1};
  SAMDRAW no_holder{nullptr, &s.image, BG, INK, MARK, 0, 1};
  for (SAMDRAW* scope : {static_cast<SAMDRAW*>(nullptr), &no_target, &no_holder}) {
    SAMDRAW_draw(scope);
    SAMDRAW_draw_extremes(scope);
  }
  const auto sam_errors = SAM_module.errors;
  SAM_set_sample(&s.holder, nullptr);  // reported, and the holder keeps its buffer
  EXPECT_EQ(s.holder.sample, &s.buffer);
  EXPECT_EQ(SAM_module.errors, sam_errors + 1);
  s.holder.sample = nullptr;
  SAMDRAW_draw_extremes(&s.scope);
  EXPECT_EQ(s.picture(), Picture(16, 0));
  SAMDRAW_draw(&s.scope);  // without a buffer: the background only
  EXPECT_EQ(s.picture(), Picture(16, BG));
  EXPECT_EQ(SAMDRAW_module.errors, errors + 10);
}
