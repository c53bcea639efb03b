// State shared by the files of the headless twin.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace headless {

// A queued close request; key characters are bytes, so it cannot collide.
inline constexpr int kCloseRequest = 256;

struct State {
  std::deque<int> keys;
  std::int64_t now_us = 0;
  std::int64_t slept_us = 0;
  std::int64_t last_sleep_us = 0;
  std::vector<std::uint64_t> hashes;
  std::vector<std::uint32_t> last;
  std::vector<std::vector<std::uint32_t>> frames;
  bool keep = false;
  std::vector<std::string> commands;
};

State& state();

}  // namespace headless
