// Operations on 0x00RRGGBB colour words.
#pragma once

#include <cstdint>

#include "module.h"

inline Module RGB888_module{MODULE_record("RGB888  "), "RGB888 error", 0, 0};

namespace rgb888_detail {
constexpr std::uint32_t red(std::uint32_t c) { return (c >> 16) & 0xFF; }
constexpr std::uint32_t green(std::uint32_t c) { return (c >> 8) & 0xFF; }
constexpr std::uint32_t blue(std::uint32_t c) { return c & 0xFF; }
constexpr std::uint32_t pack(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return (r << 16) | (g << 8) | b;
}
constexpr std::uint32_t sub_channel(std::uint32_t a, std::uint32_t b) { return a > b ? a - b : 0; }
}  // namespace rgb888_detail

// Per channel max(a - b, 0); the top byte of the result is 0.
constexpr std::uint32_t RGB888_sub(std::uint32_t a, std::uint32_t b) {
  using namespace rgb888_detail;
  return pack(sub_channel(red(a), red(b)), sub_channel(green(a), green(b)),
              sub_channel(blue(a), blue(b)));
}

// Per channel (a + b) / 2 rounded down; the top byte of the result is 0.
constexpr std::uint32_t RGB888_average(std::uint32_t a, std::uint32_t b) {
  using namespace rgb888_detail;
  return pack((red(a) + red(b)) >> 1, (green(a) + green(b)) >> 1, (blue(a) + blue(b)) >> 1);
}

// The colour darkened by the grey (level, level, level); level is 0 to 255.
constexpr std::uint32_t RGB888_darken(std::uint32_t colour, std::uint32_t level) {
  return RGB888_sub(colour, level * 0x010101u);
}

static_assert(RGB888_average(0xFF0001, 0x010001) == 0x800001);
static_assert(RGB888_darken(0x102030, 0x18) == 0x000818);
static_assert(RGB888_sub(0xAB4060FF, 0x505000) == 0x0010FF);
