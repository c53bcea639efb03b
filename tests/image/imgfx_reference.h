// Plain per-pixel versions of the IMGFX filters and the fade, written straight from their
// description: every read goes through IMG_get_pixel and every write through
// IMG_set_pixel. The tests compare the fast versions with them pixel for pixel,
// and the benchmarks measure them as the baseline.
#pragma once

#include <algorithm>
#include <cstdint>

#include "img.h"

namespace imgfx_reference {

inline std::uint32_t channel(const IMG* s, int x, int y, int shift) {
  return (IMG_get_pixel(s, x, y) >> shift) & 0xFFu;
}

constexpr int kShift[3] = {16, 8, 0};  // red, green, blue

// The blur computed on its own for every output: the average of the 2r + 1
// columns around it, rounded down, with no running sum.
inline void hblur(const IMG* s, IMG* d, int red_radius, int green_radius, int blue_radius) {
  const int r[3] = {red_radius, green_radius, blue_radius};
  if (r[0] < 0 || r[1] < 0 || r[2] < 0) return;
  for (int y = 0; y < s->height; ++y) {
    for (int x = 0; x < s->width; ++x) {
      std::uint32_t pixel = 0;
      for (int c = 0; c < 3; ++c) {
        std::uint32_t total = 0;
        for (int i = x - r[c]; i <= x + r[c]; ++i) total += channel(s, i, y, kShift[c]);
        pixel |= total / static_cast<std::uint32_t>(2 * r[c] + 1) << kShift[c];
      }
      IMG_set_pixel(d, x, y, pixel);
    }
  }
}

// The five-tap glare; `shift` must be 0 to 31.
inline void glare(const IMG* s, IMG* d, int shift) {
  for (int y = 0; y < s->height; ++y) {
    for (int x = 0; x < s->width; ++x) {
      std::uint32_t pixel = 0;
      for (const int c : kShift) {
        std::uint32_t v = channel(s, x, y, c);
        for (const int i : {-2, -1, 1, 2}) v += channel(s, x + i, y, c) >> shift;
        pixel |= std::min(v, 255u) << c;
      }
      IMG_set_pixel(d, x, y, pixel);
    }
  }
}

// The fade: every channel less the colour's, stopping at 0.
inline void sub_color(IMG* image, std::uint32_t colour) {
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      std::uint32_t pixel = 0;
      for (const int c : kShift) {
        const std::uint32_t v = channel(image, x, y, c), k = (colour >> c) & 0xFFu;
        pixel |= (v > k ? v - k : 0) << c;
      }
      IMG_set_pixel(image, x, y, pixel);
    }
  }
}

}  // namespace imgfx_reference
