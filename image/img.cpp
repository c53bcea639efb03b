#include "img.h"

#include <algorithm>
#include <new>

#include "img_p.h"

Module IMG_module{MODULE_record("IMG     "), "IMG error", 0, 0};

void IMG_error() { MODULE_report(IMG_module); }

namespace {

ZeroedArray<std::uint32_t> allocate_pixels(std::int64_t count) {
  return ZEROED_array<std::uint32_t>(static_cast<std::size_t>(count));
}

// Runs combine over every pixel of the image, in place.
template <typename Combine>
void for_each_pixel(IMG* image, Combine combine) {
  std::uint32_t* p = image->pixels.get();
  const std::ptrdiff_t n = IMG_pixel_count(*image);
  for (std::ptrdiff_t i = 0; i < n; ++i) p[i] = combine(p[i]);
}

}  // namespace

bool IMG_clip_rect(std::int32_t sw, std::int32_t sh, std::int32_t dw, std::int32_t dh,
                   std::int32_t sx0, std::int32_t sy0, std::int32_t dx0, std::int32_t dy0,
                   std::int32_t w0, std::int32_t h0, ClippedRect& out) {
  // Widened so that corner plus size never overflows.
  std::int64_t sx = sx0, sy = sy0, dx = dx0, dy = dy0, w = w0, h = h0;
  if (dx >= dw || dx + w < 0 || dy >= dh || dy + h < 0) return false;
  if (sx >= sw || sx + w < 0 || sy >= sh || sy + h < 0) return false;
  if (sx < 0) { w += sx; dx -= sx; sx = 0; }
  if (sy < 0) { h += sy; dy -= sy; sy = 0; }
  if (sx + w > sw) w = sw - sx;
  if (sy + h > sh) h = sh - sy;
  if (dx < 0) { w += dx; sx -= dx; dx = 0; }
  if (dy < 0) { h += dy; sy -= dy; dy = 0; }
  if (dx + w > dw) w = dw - dx;
  if (dy + h > dh) h = dh - dy;
  if (w <= 0 || h <= 0) return false;
  out = ClippedRect{static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy),
                    static_cast<std::int32_t>(dx), static_cast<std::int32_t>(dy),
                    static_cast<std::int32_t>(w),  static_cast<std::int32_t>(h)};
  return true;
}

IMG* IMG_new() {
  IMG* image = new (std::nothrow) IMG{};
  if (image == nullptr) {
    IMG_error();
    return nullptr;
  }
  image->pixels = allocate_pixels(16 * 16);
  if (image->pixels == nullptr) {
    delete image;
    IMG_error();
    return nullptr;
  }
  image->width = 16;
  image->height = 16;
  return image;
}

void IMG_free(IMG** handle) { MODULE_free_record(IMG_module, handle); }

void IMG_set_size(IMG* image, std::int32_t width, std::int32_t height) {
  if (image == nullptr || width < 0 || height < 0) {
    IMG_error();
    return;
  }
  auto pixels = allocate_pixels(static_cast<std::int64_t>(width) * height);
  if (pixels == nullptr) {
    IMG_error();
    return;
  }
  image->pixels = std::move(pixels);
  image->width = width;
  image->height = height;
}

void IMG_copy(const IMG* source, IMG* destination) {
  if (!IMG_has_pixels(source) || !IMG_has_pixels(destination) || source->width != destination->width ||
      source->height != destination->height) {
    IMG_error();
    return;
  }
  std::copy_n(source->pixels.get(), IMG_pixel_count(*source), destination->pixels.get());
}

void IMG_set_pixel(IMG* image, std::int32_t x, std::int32_t y, std::uint32_t colour) {
  if (!IMG_has_pixels(image)) {
    IMG_error();
    return;
  }
  if (x < 0 || y < 0 || x >= image->width || y >= image->height) return;
  image->pixels[static_cast<std::ptrdiff_t>(y) * image->width + x] = colour;
}

std::uint32_t IMG_get_pixel(const IMG* image, std::int32_t x, std::int32_t y) {
  if (!IMG_has_pixels(image)) {
    IMG_error();
    return 0;
  }
  if (x < 0 || y < 0 || x >= image->width || y >= image->height) return 0;
  return image->pixels[static_cast<std::ptrdiff_t>(y) * image->width + x];
}

void IMG_blit(const IMG* source, IMG* destination, std::int32_t sx, std::int32_t sy,
              std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h) {
  IMG_combine_rect(source, destination, sx, sy, dx, dy, w, h, IMG_error,
                   [](std::uint32_t s, std::uint32_t d) { return s != 0 ? s : d; });
}

void IMG_blit_opaque(const IMG* source, IMG* destination, std::int32_t sx, std::int32_t sy,
                     std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h) {
  IMG_combine_rect(source, destination, sx, sy, dx, dy, w, h, IMG_error,
                   [](std::uint32_t s, std::uint32_t) { return s; });
}

void IMG_blit_at(const IMG* image, IMG* destination) {
  if (image == nullptr || destination == nullptr) {
    IMG_error();
    return;
  }
  IMG_blit(image, destination, 0, 0, image->x, image->y, image->width, image->height);
}

void IMG_fill_rect(IMG* image, std::int32_t x, std::int32_t y, std::int32_t width,
                   std::int32_t height, std::uint32_t colour) {
  if (!IMG_has_pixels(image) || x < 0 || y < 0 || x >= image->width || y >= image->height ||
      width <= 0 || height <= 0 || static_cast<std::int64_t>(x) + width > image->width ||
      static_cast<std::int64_t>(y) + height > image->height) {
    IMG_error();
    return;
  }
  for (std::int32_t row = y; row < y + height; ++row) {
    std::uint32_t* p = &image->pixels[static_cast<std::ptrdiff_t>(row) * image->width + x];
    std::fill_n(p, width, colour);
  }
}

void IMG_add_color(IMG* image, std::uint32_t colour) {
  if (!IMG_has_pixels(image)) {
    IMG_error();
    return;
  }
  const std::uint32_t r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
  for_each_pixel(image, [=](std::uint32_t p) {
    const std::uint32_t pr = std::min(((p >> 16) & 0xFF) + r, 255u);
    const std::uint32_t pg = std::min(((p >> 8) & 0xFF) + g, 255u);
    const std::uint32_t pb = std::min((p & 0xFF) + b, 255u);
    return (pr << 16) | (pg << 8) | pb;
  });
}

void IMG_scale_color(IMG* image, std::int32_t numerator, std::int32_t denominator) {
  if (!IMG_has_pixels(image) || denominator == 0) {
    IMG_error();
    return;
  }
  // 64-bit products: no channel times numerator can overflow.
  const auto scale = [=](std::uint32_t channel) {
    const std::int64_t v = static_cast<std::int64_t>(channel) * numerator / denominator;
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(v, 0, 255));
  };
  for_each_pixel(image, [&](std::uint32_t p) {
    return (scale((p >> 16) & 0xFF) << 16) | (scale((p >> 8) & 0xFF) << 8) | scale(p & 0xFF);
  });
}
