// Controls of the headless platform twin, for tests and offline rendering.
//
// The twin implements XDPY, XKBD and the OS services without X: presenting
// keeps the frame in memory, key presses come from a script, and time is a
// virtual clock that only sleeping and advance_us move forward.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace headless {

// Forgets presented frames, queued keys, commands and metered work, and sets
// the clock to 0; the hooks stay.
// The display and keyboard records stay what they are.
void reset();

// Queues key characters; each poll takes one, in order.
void press(std::string_view keys);
// Queues one key character that no poll takes before the clock reaches the
// given time; keys behind it in the queue wait for it.
void press_at(char key, std::int64_t not_before_us);
// Queues the window manager's close request.
void request_close();
// Key characters and close requests not yet polled.
std::size_t pending_keys();

// The virtual clock, in microseconds.
std::int64_t now_us();
// Moves the clock forward, as work done between two readings of it would.
void advance_us(std::int64_t microseconds);
// Total time slept since the last reset, and the length of the last sleep.
std::int64_t slept_us();
std::int64_t last_sleep_us();

// Number of frames presented since the last reset.
std::size_t presents();
// The pixels of the last presented frame (empty before the first).
const std::vector<std::uint32_t>& last_frame();
// Keeps a copy of every presented frame from now on, until the next reset.
void keep_frames(bool keep);
const std::vector<std::vector<std::uint32_t>>& frames();

// The commands run since the last reset.
const std::vector<std::string>& commands();

// Calls the hook, when one is set (none: no hook), with the new time after
// every move of the clock.
void on_clock(void (*hook)(std::int64_t now_us));
// Calls the hook, when one is set, with the pixels of every presented frame,
// after the clock has moved by the frame's work, and with the background of
// every new window.
void on_present(void (*hook)(const std::vector<std::uint32_t>& pixels));

// A 64-bit FNV-1a hash of the pixels, each as 4 little-endian bytes.
std::uint64_t hash_pixels(const std::uint32_t* pixels, std::size_t count);

// The platform services on the virtual clock, which the headless platform
// files and the browser twin's virtual mode are made of.
// Sleeping: moves the clock and records the sleep.
void sleep_us(std::uint32_t microseconds);
// Presenting a frame of `count` pixels: moves the clock by the work metered
// since the last present and keeps the pixels.
void present(const std::uint32_t* pixels, std::size_t count);
// The next queued key whose time has come (the close request as escape), or
// -1 when there is none.
int poll_key();
// Waiting for a key: the whole timeout passes.
void wait_ms(std::int32_t timeout_ms);
// A new window of `count` pixels: the present hook sees its background, the
// X11 window's 0x0080FF, until the first present. It is no present of the
// program's and takes no time.
void show_window(std::size_t count);

}  // namespace headless
