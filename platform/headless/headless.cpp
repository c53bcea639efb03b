#include "headless.h"

#include "headless_p.h"
#include "work.h"

namespace headless {

State& state() {
  static State s;
  return s;
}

void reset() {
  State& s = state();
  s.keys.clear();
  s.now_us = 0;
  s.slept_us = 0;
  s.last_sleep_us = 0;
  s.presents = 0;
  s.last.clear();
  s.frames.clear();
  s.keep = false;
  s.commands.clear();
  s.work_ns = 0;
  WORK_take_ns();
}

void advance(std::int64_t microseconds) {
  State& s = state();
  s.now_us += microseconds;
  if (s.clock_hook != nullptr) s.clock_hook(s.now_us);
}

void press(std::string_view keys) {
  for (char c : keys) state().keys.push_back(Key{c, 0});
}

void press_at(char key, std::int64_t not_before_us) {
  state().keys.push_back(Key{key, not_before_us});
}

void request_close() { state().keys.push_back(Key{kCloseRequest, 0}); }

std::size_t pending_keys() { return state().keys.size(); }

std::int64_t now_us() { return state().now_us; }

void advance_us(std::int64_t microseconds) { advance(microseconds); }

std::int64_t slept_us() { return state().slept_us; }

std::int64_t last_sleep_us() { return state().last_sleep_us; }

std::size_t presents() { return state().presents; }

const std::vector<std::uint32_t>& last_frame() { return state().last; }

void keep_frames(bool keep) { state().keep = keep; }

const std::vector<std::vector<std::uint32_t>>& frames() { return state().frames; }

const std::vector<std::string>& commands() { return state().commands; }

void on_clock(void (*hook)(std::int64_t now_us)) { state().clock_hook = hook; }

void on_present(void (*hook)(const std::vector<std::uint32_t>& pixels)) {
  state().present_hook = hook;
}

std::uint64_t hash_pixels(const std::uint32_t* pixels, std::size_t count) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (std::size_t i = 0; i < count; ++i) {
    for (int b = 0; b < 4; ++b) {
      hash ^= (pixels[i] >> (8 * b)) & 0xFF;
      hash *= 0x100000001b3ull;
    }
  }
  return hash;
}

void sleep_us(std::uint32_t microseconds) {
  State& s = state();
  s.slept_us += microseconds;
  s.last_sleep_us = microseconds;
  advance(microseconds);
}

void present(const std::uint32_t* pixels, std::size_t count) {
  State& s = state();
  // The frame is on screen once its drawing and presentation are done; the
  // nanoseconds short of a whole microsecond carry over to the next present.
  s.work_ns += WORK_take_ns() + WORK_present_ns;
  advance(s.work_ns / 1000);
  s.work_ns %= 1000;
  s.last.assign(pixels, pixels + count);
  ++s.presents;
  if (s.keep) s.frames.push_back(s.last);
  if (s.present_hook != nullptr) s.present_hook(s.last);
}

int poll_key() {
  State& s = state();
  if (s.keys.empty() || s.keys.front().not_before_us > s.now_us) return -1;
  const int key = s.keys.front().key;
  s.keys.pop_front();
  return key == kCloseRequest ? '\x1b' : key;
}

void show_window(std::size_t count) {
  constexpr std::uint32_t kBackground = 0x0080FF;
  const State& s = state();
  if (s.present_hook != nullptr) s.present_hook(std::vector<std::uint32_t>(count, kBackground));
}

void wait_ms(std::int32_t timeout_ms) { advance(static_cast<std::int64_t>(timeout_ms) * 1000); }

}  // namespace headless
