// State shared by the files of the headless twin.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace headless {

// A queued close request; key characters are bytes, so it cannot collide.
inline constexpr int kCloseRequest = 256;

// A queued key and the virtual time before which no poll takes it.
struct Key {
  int key;
  std::int64_t not_before_us;
};

struct State {
  std::deque<Key> keys;
  std::int64_t now_us = 0;
  std::int64_t slept_us = 0;
  std::int64_t last_sleep_us = 0;
  std::size_t presents = 0;
  std::vector<std::uint32_t> last;
  std::vector<std::vector<std::uint32_t>> frames;
  bool keep = false;
  std::vector<std::string> commands;
  std::int64_t work_ns = 0;  // metered work not yet a whole microsecond on the clock
  void (*clock_hook)(std::int64_t now_us) = nullptr;
  void (*present_hook)(const std::vector<std::uint32_t>& pixels) = nullptr;
};

State& state();

// Moves the clock forward and tells the clock hook.
void advance(std::int64_t microseconds);

}  // namespace headless
