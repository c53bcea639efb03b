// Cutting presents and sound blocks into 50 frames per second.
#include <gtest/gtest.h>

#include "sampler.h"
#include "xsnd.h"

namespace {

struct Slot {
  std::uint32_t pixel;  // the picture's first pixel
  std::vector<std::int16_t> sound;
};
std::vector<Slot> slots;
void keep(std::int32_t slot, const std::vector<std::uint32_t>& picture, const std::int16_t* sound) {
  EXPECT_EQ(slot, static_cast<std::int32_t>(slots.size()));
  slots.push_back({picture[0], {sound, sound + SAMPLER_slot_samples}});
}

}  // namespace

TEST(Sampler, FrameIsTheLastPresentAtOrBeforeTheSlotsEnd) {
  slots.clear();
  SAMPLER s = SAMPLER_make(4, keep);
  const std::vector<std::int16_t> block(882, 7);
  SAMPLER_clock(&s, 20000);  // slot 0 may still get a present at 20 ms
  EXPECT_TRUE(slots.empty());
  SAMPLER_present(&s, std::vector<std::uint32_t>(4, 1));
  SAMPLER_sound(&s, block.data(), 882, 20000);  // plays in slot 1
  SAMPLER_clock(&s, 20001);
  SAMPLER_present(&s, std::vector<std::uint32_t>(4, 2));
  SAMPLER_present(&s, std::vector<std::uint32_t>(4, 3));  // supersedes 2 in no time
  SAMPLER_sound(&s, block.data(), 441, 80000);  // half a block in slot 4
  SAMPLER_clock(&s, 70000);
  SAMPLER_finish(&s, 80001);  // the show ends early in slot 4
  const struct {
    std::uint32_t pixel;
    std::int16_t first, last;
  } expected[] = {{1, 0, 0}, {3, 7, 7}, {3, 0, 0}, {3, 0, 0}, {3, 7, 0}};
  ASSERT_EQ(slots.size(), std::size(expected));
  for (std::size_t i = 0; i < slots.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(slots[i].pixel, expected[i].pixel);
    EXPECT_EQ(slots[i].sound.front(), expected[i].first);
    EXPECT_EQ(slots[i].sound.back(), expected[i].last);
  }
  EXPECT_EQ(slots[4].sound[440], 7);
  EXPECT_EQ(slots[4].sound[441], 0);
}
