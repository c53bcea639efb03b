// Helpers shared by the IMG and IMGFX rectangle operations.
#pragma once

#include <cstdint>

#include "img.h"

// A rectangle copy after clipping: source corner, destination corner, size.
struct ClippedRect {
  std::int32_t sx, sy, dx, dy, w, h;
};

// Clips the copy of the w x h rectangle at (sx, sy) of a source of size
// (sw, sh) to (dx, dy) of a destination of size (dw, dh). Returns false when
// nothing is left to draw; otherwise the result lies inside both images.
bool IMG_clip_rect(std::int32_t sw, std::int32_t sh, std::int32_t dw, std::int32_t dh,
                   std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy,
                   std::int32_t w, std::int32_t h, ClippedRect& out);

// True when the image exists and has its pixel array.
inline bool IMG_has_pixels(const IMG* image) {
  return image != nullptr && image->pixels != nullptr;
}

// The rectangle copies: checks both images (calling `report` when one is
// missing), clips the rectangle, then sets each destination pixel to
// combine(source pixel, destination pixel), rows from the top and pixels from
// the left.
template <typename Report, typename Combine>
void IMG_combine_rect(const IMG* source, IMG* destination, std::int32_t sx, std::int32_t sy,
                      std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h,
                      Report report, Combine combine) {
  if (!IMG_has_pixels(source) || !IMG_has_pixels(destination)) {
    report();
    return;
  }
  ClippedRect r;
  if (!IMG_clip_rect(source->width, source->height, destination->width, destination->height,
                     sx, sy, dx, dy, w, h, r)) {
    return;
  }
  for (std::int32_t j = 0; j < r.h; ++j) {
    const std::uint32_t* s =
        &source->pixels[static_cast<std::ptrdiff_t>(r.sy + j) * source->width + r.sx];
    std::uint32_t* d =
        &destination->pixels[static_cast<std::ptrdiff_t>(r.dy + j) * destination->width + r.dx];
    for (std::int32_t i = 0; i < r.w; ++i) d[i] = combine(s[i], d[i]);
  }
}

// Number of pixels of an image, as an index type.
inline std::ptrdiff_t IMG_pixel_count(const IMG& image) {
  return static_cast<std::ptrdiff_t>(image.width) * image.height;
}
