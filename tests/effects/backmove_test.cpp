#include "backmove.h"
#include "rng.h"

#include <gtest/gtest.h>

#include <vector>

#include "image/image_support.h"

namespace {

// A mover over a 256 x 256 target with a tile of the given size.
struct Mover {
  BACKMOVE* mover = BACKMOVE_new();
  Image tile, target{256, 256};
  Mover(std::int32_t tile_width, std::int32_t tile_height) : tile(tile_width, tile_height) {
    mover->tile = tile;
    mover->target = target;
  }
  ~Mover() { BACKMOVE_free(&mover); }
};

}  // namespace

// Offsets stay in (-step, 0]: remainders keep the dividend's sign and positive
// ones move down a step. rand() is reseeded to a value whose next draws are
// not 0 modulo 256, so no speed changes during the sequence.
TEST(BACKMOVE, OffsetSequencesStayWithinOneStep) {
  struct Case {
    std::int32_t speed;
    std::vector<std::int32_t> offsets;
  };
  for (const Case& c : {Case{-3, {-3, -6, -9, -12, -15, -2, -5}}, Case{-4, {-4, -8, -12, 0, -4}},
                        Case{3, {-13, -10, -7, -4, -1, -14}}}) {
    SCOPED_TRACE(c.speed);
    Mover m(16, 16);
    m.mover->speed_x = c.speed;
    m.mover->speed_y = 0;
    RNG_srand(1);
    for (std::int32_t expected : c.offsets) {
      BACKMOVE_move(m.mover);
      ASSERT_EQ(m.mover->speed_x, c.speed) << "a speed change drew in this seed";
      EXPECT_EQ(m.mover->offset_x, expected);
      EXPECT_EQ(m.mover->offset_y, 0);
    }
  }
}

// Each move draws one number per axis, and a second one only when the first
// is 0 modulo 256: the new speed is (second AND 7) - 3.
TEST(BACKMOVE, SpeedChangesDrawTheirExtraNumber) {
  RNG_srand(7);
  std::vector<int> draws(20000);
  for (int& d : draws) d = RNG_rand();
  std::size_t i = 0;
  Mover m(16, 16);
  RNG_srand(7);
  int changes = 0;
  for (int move = 0; move < 5000; ++move) {
    std::int32_t expected_x = m.mover->speed_x;
    std::int32_t expected_y = m.mover->speed_y;
    if ((draws[i++] & 255) == 0) expected_x = (draws[i++] & 7) - 3, ++changes;
    if ((draws[i++] & 255) == 0) expected_y = (draws[i++] & 7) - 3, ++changes;
    BACKMOVE_move(m.mover);
    ASSERT_EQ(m.mover->speed_x, expected_x);
    ASSERT_EQ(m.mover->speed_y, expected_y);
  }
  EXPECT_GT(changes, 10);
  EXPECT_EQ(RNG_rand(), draws[i]);
}

// A negative offset needs a 17th column and row of copies to cover the
// right and bottom edges; offset 0 needs 16. The tile keeps the position of
// the last copy drawn, the bottom right one.
TEST(BACKMOVE, DrawCoversTheTargetWithClippedCopies) {
  for (const std::int32_t offset : {-5, 0}) {
    SCOPED_TRACE(offset);
    Mover m(16, 16);
    IMG_fill_rect(m.tile, 0, 0, 16, 16, 0xABCDEF);
    m.mover->offset_x = offset;
    m.mover->offset_y = offset;
    BACKMOVE_draw(m.mover);
    int covered = 0;
    for (int i = 0; i < 256 * 256; ++i) covered += m.target->pixels[i] == 0xABCDEF;
    EXPECT_EQ(covered, 256 * 256);
    const std::int32_t last = offset + 16 * (offset < 0 ? 16 : 15);
    EXPECT_EQ(m.tile->x, last);
    EXPECT_EQ(m.tile->y, last);
  }
}

// Steps smaller than the tile are raised to its size and keep the new value;
// black tile pixels leave the target as it was.
TEST(BACKMOVE, StepsAreRaisedToTheTileSize) {
  Mover m(64, 64);
  m.tile->pixels[0] = 0x112233;  // only the top left pixel of each copy is coloured
  m.mover->step_x = 32;
  m.mover->step_y = 32;
  IMG_fill_rect(m.target, 0, 0, 256, 256, 0x777777);
  BACKMOVE_draw(m.mover);
  EXPECT_EQ(m.mover->step_x, 64);
  EXPECT_EQ(m.mover->step_y, 64);
  EXPECT_EQ(IMG_get_pixel(m.target, 64, 128), 0x112233u);
  EXPECT_EQ(IMG_get_pixel(m.target, 32, 0), 0x777777u);
  EXPECT_EQ(IMG_get_pixel(m.target, 1, 0), 0x777777u);
}

// Missing parts and steps that could never advance are reported, not used.
TEST(BACKMOVE, UnusableMoversAreReported) {
  const std::uint32_t before = BACKMOVE_module.errors;
  BACKMOVE_move(nullptr);
  BACKMOVE_draw(nullptr);
  BACKMOVE_randomize(nullptr);
  Mover m(0, 0);
  m.mover->step_x = 0;
  BACKMOVE_move(m.mover);  // would divide by zero
  BACKMOVE_draw(m.mover);  // would never leave the first row
  m.mover->tile = nullptr;
  BACKMOVE_draw(m.mover);
  EXPECT_EQ(BACKMOVE_module.errors - before, 6u);
  EXPECT_EQ(m.mover->offset_x, 0);
}
