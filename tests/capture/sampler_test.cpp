// Cutting presents and sound blocks into 50 frames per second, by hand and on
// the headless demo itself.
#include <gtest/gtest.h>

#include <algorithm>

#include "demo/demo_support.h"
#include "parts.h"
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

// The demo's presents with their times, and the sampler fed the same.
SAMPLER demo_sampler;
std::vector<std::pair<std::int64_t, std::uint64_t>> presents;
std::vector<std::uint64_t> sampled;
void sample_hash(std::int32_t, const std::vector<std::uint32_t>& picture, const std::int16_t*) {
  sampled.push_back(headless::hash_pixels(picture.data(), picture.size()));
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

TEST(Sampler, EveryFrameOfTheHeadlessDemo) {
  // Start-up and two parts on the headless twin under the work meter, at 50
  // and 25 frames per second; frame N must be the demo's last present at or
  // before (N + 1) x 20 ms.
  const auto mismatches = in_child([] {
    demo_sampler = SAMPLER_make(256 * 256, sample_hash);
    headless::on_clock([](std::int64_t now) { SAMPLER_clock(&demo_sampler, now); });
    headless::on_present([](const std::vector<std::uint32_t>& pixels) {
      SAMPLER_present(&demo_sampler, pixels);
      presents.emplace_back(headless::now_us(), headless::hash_pixels(pixels.data(), pixels.size()));
    });
    start_demo();
    run_part_frames(TORQ6150_arch_path_part, 100);
    headless::press_at('5', headless::now_us() + 500000);
    run_part_frames(TORQ6150_sine_line_part, 100);
    std::vector<std::uint64_t> bad{sampled.size()};
    std::size_t p = 0;
    for (std::size_t n = 0; n < sampled.size(); ++n) {
      const std::int64_t end = static_cast<std::int64_t>(n + 1) * SAMPLER_slot_us;
      while (p < presents.size() && presents[p].first <= end) ++p;
      const std::uint64_t on_screen = p == 0 ? headless::hash_pixels(std::vector<std::uint32_t>(256 * 256).data(), 256 * 256)
                                             : presents[p - 1].second;
      if (sampled[n] != on_screen) bad.push_back(n);
    }
    return bad;
  });
  ASSERT_FALSE(mismatches.empty());
  // One second of start-up, about 96 frames at 50 per second and 75 at 25, repeated.
  EXPECT_GT(mismatches[0], 50u + 96u + 140u);
  EXPECT_EQ(mismatches.size(), 1u) << "first frame that differs: " << mismatches[1];
}

namespace {

// FNV-1a over the captured frames (each pixel's 0x00RRGGBB as 4 little-endian
// bytes) and their sound (each value as 2 little-endian bytes), as a raw and
// a WAV capture would hold them.
std::uint64_t capture_hash = 0xcbf29ce484222325ull;
// Of frames 0, 49 and 50: pixel (0, 0), and how many pixels differ from it.
std::vector<std::uint64_t> firsts;
void fnv(std::uint32_t value, int bytes) {
  for (int b = 0; b < bytes; ++b) {
    capture_hash ^= (value >> (8 * b)) & 0xFF;
    capture_hash *= 0x100000001b3ull;
  }
}
void hash_slot(std::int32_t slot, const std::vector<std::uint32_t>& picture,
               const std::int16_t* sound) {
  for (const std::uint32_t pixel : picture) fnv(pixel & 0xFFFFFF, 4);
  for (std::int32_t i = 0; i < SAMPLER_slot_samples; ++i)
    fnv(static_cast<std::uint16_t>(sound[i]), 2);
  if (slot == 0 || slot == 49 || slot == 50) {
    firsts.push_back(picture[0]);
    const auto same = std::count(picture.begin(), picture.end(), picture[0]);
    firsts.push_back(picture.size() - static_cast<std::size_t>(same));
  }
}

}  // namespace

// The capture of start-up and of every part for 75 frames (SPACE ends each),
// then of the waveform part again, with the sound: any change of a pixel, a
// sample or the timing of either changes the hash. The first second shows the
// window's blue background, then the loading screen.
TEST(Capture, EveryPartWithItsSoundIsPinned) {
  auto values = in_child([] {
    demo_sampler = SAMPLER_make(256 * 256, hash_slot);
    headless::on_clock([](std::int64_t now) { SAMPLER_clock(&demo_sampler, now); });
    headless::on_present(
        [](const std::vector<std::uint32_t>& pixels) { SAMPLER_present(&demo_sampler, pixels); });
    XSND_use_capture([](const std::int16_t* block, std::int32_t count, std::int64_t start_us) {
      SAMPLER_sound(&demo_sampler, block, count, start_us);
    });
    start_demo();
    const DemoPart* const* cycle = TORQ6150_cycle();
    for (int step = 0; step <= 10; ++step) run_part_frames(*cycle[step % 10], 75);
    SAMPLER_finish(&demo_sampler, headless::now_us());
    firsts.push_back(static_cast<std::uint64_t>(demo_sampler.next_slot));
    firsts.push_back(capture_hash);
    return firsts;
  });
  // Frames 0 and 49 all blue, frame 50 blue with the logo; 869 frames.
  const std::vector<std::uint64_t> expected{0x0080FF, 0, 0x0080FF, 0, 0x0080FF, 0,
                                            869,      5792384606941201055u};
  ASSERT_EQ(values.size(), expected.size());
  EXPECT_GT(values[5], 1000u);
  values[5] = 0;
  EXPECT_EQ(values, expected);
}
