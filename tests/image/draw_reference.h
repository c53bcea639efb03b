// Plain per-pixel versions of the raster primitives, written step by step
// from their algorithm descriptions, for comparison with the optimised ones.
// A Target has width(), height() and plot(x, y, colour); coordinates are
// 64-bit so that no step overflows.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>

#include "img.h"

namespace draw_reference {

using std::int64_t;

// Stores through IMG_set_pixel, dropping positions outside the image first
// (they may lie beyond the 32-bit range).
struct ImageTarget {
  IMG* image;
  int64_t width() const { return image->width; }
  int64_t height() const { return image->height; }
  void plot(int64_t x, int64_t y, std::uint32_t colour) const {
    if (x < 0 || y < 0 || x >= image->width || y >= image->height) return;
    IMG_set_pixel(image, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), colour);
  }
};

inline int64_t magnitude(int64_t v) { return v < 0 ? -v : v; }

// Calls step(x, y) for every pixel of the Bresenham line, both ends included.
template <typename Step>
void bresenham(int64_t x1, int64_t y1, int64_t x2, int64_t y2, Step step) {
  const int64_t sx = (x2 > x1) - (x2 < x1), sy = (y2 > y1) - (y2 < y1);
  const int64_t adx = magnitude(x2 - x1), ady = magnitude(y2 - y1);
  const bool x_major = adx > ady;
  const int64_t major = x_major ? adx : ady, minor = x_major ? ady : adx;
  int64_t x = x1, y = y1, e = major >> 1;
  for (int64_t n = 0; n < major + 1; ++n) {
    step(x, y);
    (x_major ? x : y) += x_major ? sx : sy;
    e -= minor;
    if (e <= 0) {
      e += major;
      (x_major ? y : x) += x_major ? sy : sx;
    }
  }
}

template <typename Target>
void line(const Target& target, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
          std::uint32_t colour) {
  bresenham(x1, y1, x2, y2, [&](int64_t x, int64_t y) { target.plot(x, y, colour); });
}

template <typename Target>
void hspan(const Target& target, int64_t y, int64_t xa, int64_t xb, std::uint32_t colour) {
  if (y < 0 || y > target.height() - 1) return;
  const int64_t first = std::max<int64_t>(std::min(xa, xb), 0);
  const int64_t last = std::min(std::max(xa, xb), target.width() - 1);
  for (int64_t x = first; x <= last; ++x) target.plot(x, y, colour);
}

template <typename Target>
void vspan(const Target& target, int64_t x, int64_t ya, int64_t yb, std::uint32_t colour) {
  if (x < 0 || x > target.width() - 1) return;
  const int64_t first = std::max<int64_t>(std::min(ya, yb), 0);
  const int64_t last = std::min(std::max(ya, yb), target.height() - 1);
  for (int64_t y = first; y <= last; ++y) target.plot(x, y, colour);
}

// Returns false where the circle is skipped (the optimised one reports there).
template <typename Target>
bool filled_circle(const Target& target, int64_t cx, int64_t cy, int64_t radius,
                   std::uint32_t colour) {
  const int64_t r = magnitude(radius);
  if (!(cx + r >= 0 && cy + r >= 0 && cx - r < target.width() && cy - r < target.height())) {
    return false;
  }
  const int64_t r2 = r * r;
  int64_t y = r, a = r * r, b = (r - 1) * (r - 1), x = 0;
  while (y >= x) {
    hspan(target, cy + y, cx - x, cx + x, colour);
    hspan(target, cy - y, cx - x, cx + x, colour);
    hspan(target, cy + x, cx - y, cx + y, colour);
    hspan(target, cy - x, cx - y, cx + y, colour);
    x = x + 1;
    const int64_t q = x * x;
    if (magnitude(b + q - r2) < magnitude(a + q - r2)) {
      y = y - 1;
      a = b;
      b = (y - 1) * (y - 1);
    }
  }
  return true;
}

// The path of line() with the two-colour dither.
template <typename Target>
void bicolor_line(const Target& target, int64_t x1, int64_t y1, std::uint32_t colour1, int64_t x2,
                  int64_t y2, std::uint32_t colour2) {
  if (x1 == x2 && y1 == y2) return target.plot(x1, y1, colour1);
  const int64_t major = std::max(magnitude(x2 - x1), magnitude(y2 - y1));
  int64_t f = major, k = 0;
  bresenham(x1, y1, x2, y2, [&](int64_t x, int64_t y) {
    f = f - k;
    k = k + 1;
    if (f > 0) {
      target.plot(x, y, colour1);
    } else {
      target.plot(x, y, colour2);
      f = f + major;
    }
  });
}

// The strokes of a thick line, in order; stroke(ax, ay, bx, by, swapped).
template <typename Stroke>
void thick_strokes(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t t, Stroke stroke) {
  if (t < 1) return;
  const bool swapped = x1 > x2;
  if (swapped) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const int64_t dx = x2 - x1, dy = y2 - y1, ady = magnitude(dy);
  if (2 * dx <= ady) {
    for (int64_t i = -(t / 2); i <= (t + 1) / 2 - 1; ++i) stroke(x1 + i, y1, x2 + i, y2, swapped);
  } else if ((dx >> 1) > ady) {
    for (int64_t i = -(t / 2); i <= (t + 1) / 2 - 1; ++i) stroke(x1, y1 + i, x2, y2 + i, swapped);
  } else if (t == 1) {
    stroke(x1, y1, x2, y2, swapped);
  } else {
    const int64_t u = (3 * t) / 4, across = dy > 0 ? -1 : 1;
    for (int64_t i = -(u / 2); i <= (u + 1) / 2 - 1; ++i) {
      stroke(x1 + i, y1 + across * i, x2 + i, y2 + across * i, swapped);
      stroke(x1 + i + 1, y1 + across * i, x2 + i + 1, y2 + across * i, swapped);
    }
  }
}

template <typename Target>
void thick_bicolor_line(const Target& target, int64_t x1, int64_t y1, std::uint32_t colour1,
                        int64_t x2, int64_t y2, std::uint32_t colour2, int64_t t) {
  thick_strokes(x1, y1, x2, y2, t, [&](int64_t ax, int64_t ay, int64_t bx, int64_t by, bool sw) {
    bicolor_line(target, ax, ay, sw ? colour2 : colour1, bx, by, sw ? colour1 : colour2);
  });
}

template <typename Target>
void thick_line(const Target& target, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                std::uint32_t colour, int64_t t) {
  thick_strokes(x1, y1, x2, y2, t, [&](int64_t ax, int64_t ay, int64_t bx, int64_t by, bool) {
    line(target, ax, ay, bx, by, colour);
  });
}

}  // namespace draw_reference
