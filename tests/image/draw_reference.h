// Plain per-pixel versions of the raster primitives, written step by step
// from their algorithm descriptions, for comparison with the optimised ones.
//
// Each primitive draws into a Target, which has width(), height() and
// plot(x, y, colour). ImageTarget stores through IMG_set_pixel, which clips
// per pixel; the benchmark uses other targets to record the stores. All
// coordinates are 64-bit so that no step overflows.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>

#include "img.h"

namespace draw_reference {

using std::int64_t;

// Stores into an image through IMG_set_pixel. Positions outside the image,
// which IMG_set_pixel would ignore, are dropped before the call (this keeps
// the long lines of the tests affordable and covers positions beyond the
// 32-bit range).
struct ImageTarget {
  IMG* image;
  int64_t width() const { return image->width; }
  int64_t height() const { return image->height; }
  void plot(int64_t x, int64_t y, std::uint32_t colour) const {
    if (x < 0 || y < 0 || x >= image->width || y >= image->height) return;
    IMG_set_pixel(image, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), colour);
  }
};

inline int64_t sign(int64_t v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }
inline int64_t magnitude(int64_t v) { return v < 0 ? -v : v; }

// Bresenham line from (x1, y1) to (x2, y2), both ends included.
template <typename Target>
void line(const Target& target, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
          std::uint32_t colour) {
  const int64_t dx = x2 - x1, dy = y2 - y1;
  const int64_t sx = sign(dx), sy = sign(dy);
  const int64_t adx = magnitude(dx), ady = magnitude(dy);
  int64_t x = x1, y = y1;
  if (adx > ady) {
    int64_t e = adx >> 1;
    for (int64_t n = 0; n < adx + 1; ++n) {
      target.plot(x, y, colour);
      x += sx;
      e -= ady;
      if (e <= 0) {
        e += adx;
        y += sy;
      }
    }
  } else {
    int64_t e = ady >> 1;
    for (int64_t n = 0; n < ady + 1; ++n) {
      target.plot(x, y, colour);
      y += sy;
      e -= adx;
      if (e <= 0) {
        e += ady;
        x += sx;
      }
    }
  }
}

template <typename Target>
void hspan(const Target& target, int64_t y, int64_t xa, int64_t xb, std::uint32_t colour) {
  if (xa > xb) std::swap(xa, xb);
  if (y < 0 || y > target.height() - 1) return;
  xa = std::max<int64_t>(xa, 0);
  xb = std::min<int64_t>(xb, target.width() - 1);
  for (int64_t x = xa; x <= xb; ++x) target.plot(x, y, colour);
}

template <typename Target>
void vspan(const Target& target, int64_t x, int64_t ya, int64_t yb, std::uint32_t colour) {
  if (ya > yb) std::swap(ya, yb);
  if (x < 0 || x > target.width() - 1) return;
  ya = std::max<int64_t>(ya, 0);
  yb = std::min<int64_t>(yb, target.height() - 1);
  for (int64_t y = ya; y <= yb; ++y) target.plot(x, y, colour);
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
    const int64_t e1 = magnitude(a + q - r2), e2 = magnitude(b + q - r2);
    if (e2 < e1) {
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
  const int64_t dx = x2 - x1, dy = y2 - y1;
  const int64_t sx = sign(dx), sy = sign(dy);
  const int64_t adx = magnitude(dx), ady = magnitude(dy);
  if (adx == 0 && ady == 0) {
    target.plot(x1, y1, colour1);
    return;
  }
  const int64_t major = adx > ady ? adx : ady;
  int64_t x = x1, y = y1, f = major, k = 0;
  if (adx > ady) {
    int64_t e = adx >> 1;
    for (int64_t n = 0; n < adx + 1; ++n) {
      f = f - k;
      k = k + 1;
      if (f > 0) {
        target.plot(x, y, colour1);
      } else {
        target.plot(x, y, colour2);
        f = f + major;
      }
      x += sx;
      e -= ady;
      if (e <= 0) {
        e += adx;
        y += sy;
      }
    }
  } else {
    int64_t e = ady >> 1;
    for (int64_t n = 0; n < ady + 1; ++n) {
      f = f - k;
      k = k + 1;
      if (f > 0) {
        target.plot(x, y, colour1);
      } else {
        target.plot(x, y, colour2);
        f = f + major;
      }
      y += sy;
      e -= adx;
      if (e <= 0) {
        e += ady;
        x += sx;
      }
    }
  }
}

// The strokes of a thick line, in order; stroke(ax, ay, bx, by, swapped).
// A diagonal line of thickness 1 is drawn as the plain line.
template <typename Stroke>
void thick_strokes(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t t, Stroke stroke) {
  if (t < 1) return;
  bool swapped = false;
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
    swapped = true;
  }
  const int64_t dx = x2 - x1, dy = y2 - y1, ady = magnitude(dy);
  if (2 * dx <= ady) {
    for (int64_t i = -(t / 2); i <= (t + 1) / 2 - 1; ++i) stroke(x1 + i, y1, x2 + i, y2, swapped);
  } else if ((dx >> 1) > ady) {
    for (int64_t i = -(t / 2); i <= (t + 1) / 2 - 1; ++i) stroke(x1, y1 + i, x2, y2 + i, swapped);
  } else if (t == 1) {
    stroke(x1, y1, x2, y2, swapped);
  } else {
    const int64_t u = (3 * t) / 4;
    for (int64_t i = -(u / 2); i <= (u + 1) / 2 - 1; ++i) {
      if (dy > 0) {
        stroke(x1 + i, y1 - i, x2 + i, y2 - i, swapped);
        stroke(x1 + i + 1, y1 - i, x2 + i + 1, y2 - i, swapped);
      } else {
        stroke(x1 + i, y1 + i, x2 + i, y2 + i, swapped);
        stroke(x1 + i + 1, y1 + i, x2 + i + 1, y2 + i, swapped);
      }
    }
  }
}

template <typename Target>
void thick_line(const Target& target, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                std::uint32_t colour, int64_t t) {
  thick_strokes(x1, y1, x2, y2, t, [&](int64_t ax, int64_t ay, int64_t bx, int64_t by, bool) {
    line(target, ax, ay, bx, by, colour);
  });
}

template <typename Target>
void thick_bicolor_line(const Target& target, int64_t x1, int64_t y1, std::uint32_t colour1,
                        int64_t x2, int64_t y2, std::uint32_t colour2, int64_t t) {
  thick_strokes(x1, y1, x2, y2, t,
                [&](int64_t ax, int64_t ay, int64_t bx, int64_t by, bool swapped) {
                  bicolor_line(target, ax, ay, swapped ? colour2 : colour1, bx, by,
                               swapped ? colour1 : colour2);
                });
}

}  // namespace draw_reference
