// The waveform part, run headless: the pattern history, its ownership, and
// what the set-up draws and tints.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "demo_support.h"
#include "font.h"
#include "list.h"
#include "music.h"
#include "parts.h"
#include "rng.h"
#include "samdraw.h"

namespace {

struct Waveform : testing::Test {
  void SetUp() override {
    start_demo();
    headless::reset();
    DemoState& s = TORQ6150_state;
    s.control = 0;
    s.muted = 0;
    // The music as at start: no pattern yet, so the first step composes one.
    if (s.music->pattern != nullptr) SAMPLE_free(&s.music->pattern);
    s.music->countdown = 0;
    s.fps->frame_count = 0;
  }
};

SAMDRAW* scope(std::int32_t i) { return static_cast<SAMDRAW*>(LIST_get(TORQ6150_state.scopes, i)); }
const SAMPLE* held(std::int32_t i) { return scope(i)->source->sample; }
std::vector<std::int32_t> values(const SAMPLE* b) {
  return {b->data.get(), b->data.get() + b->length};
}
// Every grid scope holds its own copy of the music's pattern.
void expect_grid_of_copies() {
  std::set<const SAMPLE*> distinct;
  for (std::int32_t i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    ASSERT_NE(held(i), nullptr);
    EXPECT_EQ(values(held(i)), values(TORQ6150_state.music->pattern));
    distinct.insert(held(i));
  }
  EXPECT_EQ(distinct.size(), 12u);
}

}  // namespace

TEST_F(Waveform, FirstShiftFillsScopeElevenAloneAndMutedMusicShiftsEveryFrame) {
  DemoState& s = TORQ6150_state;
  ASSERT_EQ(s.scopes, nullptr);
  // Frame 1 composes the first pattern; frame 2 shifts a copy of it into
  // scope 11 before the countdown first moves.
  run_part_frames(TORQ6150_waveform_part, 3);
  ASSERT_EQ(s.scopes->count, 13);
  for (std::int32_t i = 0; i < 11; ++i) EXPECT_EQ(held(i), nullptr) << i;
  ASSERT_NE(held(11), nullptr);
  EXPECT_NE(held(11), s.music->pattern);
  EXPECT_EQ(values(held(11)), values(s.music->pattern));
  EXPECT_EQ(held(12), s.music->output);
  EXPECT_EQ(s.music->countdown, 254);
  EXPECT_EQ(pixels(scope(10)->target), std::vector<std::uint32_t>(64 * 64, scope(10)->background));
  EXPECT_NE(pixels(scope(11)->target), std::vector<std::uint32_t>(64 * 64, scope(11)->background));

  // Muted at countdown 0 the countdown stands: twelve frames fill the grid,
  // and twenty more free each copy shifted out (the sanitizer run checks).
  s.music->countdown = 0;
  s.muted = 1;
  run_part_frames(TORQ6150_waveform_part, 12);
  expect_grid_of_copies();
  run_part_frames(TORQ6150_waveform_part, 20);
  expect_grid_of_copies();
  EXPECT_EQ(s.music->countdown, 0);
}

TEST_F(Waveform, SecondVisitKeepsTheGridAndShowsEveryScopeInItsPlace) {
  DemoState& s = TORQ6150_state;
  run_part_frames(TORQ6150_waveform_part, 2);
  const LIST* list = s.scopes;
  std::vector<const SAMDRAW*> records;
  std::vector<const SAMPLE*> buffers;
  std::vector<std::vector<std::uint32_t>> grid;
  for (std::int32_t i = 0; i < 12; ++i) {
    records.push_back(scope(i));
    buffers.push_back(held(i));
    grid.push_back(pixels(scope(i)->target));
  }
  s.music->countdown = 100;  // no shift during the next visit
  headless::reset();
  run_part_frames(TORQ6150_waveform_part, 2);
  ASSERT_EQ(s.scopes, list);
  ASSERT_EQ(s.scopes->count, 13);
  // One more frame drawn without the text layers, which would cover parts of it.
  TORQ6150_waveform_part.render();
  std::vector<std::uint32_t> want(256 * 256);
  for (std::int32_t i = 0; i < 13; ++i) {
    SCOPED_TRACE(i);
    const IMG* target = scope(i)->target;
    if (i < 12) {
      EXPECT_EQ(scope(i), records[i]);
      EXPECT_EQ(held(i), buffers[i]);
      EXPECT_EQ(pixels(target), grid[i]);  // new colours, the old picture
    }
    // The live scope across the top, the grid's rows a quarter further down.
    const std::int32_t x = i < 12 ? 64 * (i % 4) : 0, y = i < 12 ? 64 + 64 * (i / 4) : 0;
    for (std::int32_t r = 0; r < target->height; ++r) {
      std::copy_n(&target->pixels[r * target->width], target->width, &want[(y + r) * 256 + x]);
    }
  }
  EXPECT_TRUE(std::equal(want.begin(), want.end(), s.frame->pixels.get()));
}

TEST_F(Waveform, SetupDrawsGreyDiscardsThreeThenStepsTheHueAndTintsTheFont) {
  const auto seen = in_child([] {
    DemoState& s = TORQ6150_state;
    IMG* sheet = s.sheet_font->sheet;
    const std::uint32_t black_grey_white[] = {0, 0x808080, 0xFFFFFF};
    for (std::int32_t x = 0; x < 3; ++x) IMG_set_pixel(sheet, x, 0, black_grey_white[x]);
    RNG_srand(77);
    TORQ6150_waveform_part.setup();
    std::vector<std::uint64_t> v{TORQ6150_settings.fade_colour, s.blur_on, s.glare_on,
                                 TORQ6150_settings.fade_on};
    for (std::int32_t i = 0; i < 13; ++i) {
      v.insert(v.end(), {scope(i)->colour, scope(i)->background, scope(i)->marker});
    }
    for (std::int32_t x = 0; x < 3; ++x) v.push_back(IMG_get_pixel(sheet, x, 0));
    TORQ6150_waveform_part.finish();
    for (std::int32_t x = 0; x < 3; ++x) v.push_back(IMG_get_pixel(sheet, x, 0));
    return v;
  });
  RNG_srand(77);
  std::vector<std::uint64_t> want{(RNG_rand() & 63) * 0x010101u + 0x404040u, 0, 0, 0};
  RNG_rand(), RNG_rand(), RNG_rand();
  const std::int32_t r = RNG_rand() % 1536;
  for (std::int32_t i = 0; i < 13; ++i) {
    const auto colour =
        static_cast<std::uint32_t>(SAMPLE_get(TORQ6150_state.palette, (i * 128 + r) % 1536));
    want.insert(want.end(), {colour, (colour & 0xf8f8f8) >> 3, 0xddeeff});
  }
  // Black, grey and white under the tint, then after undoing it: only grey comes back.
  want.insert(want.end(), {0x000020, 0x3030A0, 0xAFAFFF, 0x505000, 0x808080, 0xFFFFDF});
  EXPECT_EQ(seen, want);
}
