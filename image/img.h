// IMG: 32-bit 0x00RRGGBB image buffers and their core operations.
//
// Every operation that is handed a missing image (or, where it needs one, a
// missing pixel array) does nothing, returns 0 or none, and reports through
// IMG_error. Pixel stores outside an image are ignored and reads outside
// return 0, silently: shapes clip per pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "module.h"
#include "zeroed.h"

struct IMG {
  std::int32_t x;       // position on a target, used by IMG_blit_at
  std::int32_t y;
  std::int32_t width;   // columns
  std::int32_t height;  // rows
  ZeroedArray<std::uint32_t> pixels;  // row-major, no gap between rows
};

extern Module IMG_module;

// Reports an error of the IMG module ("IMG error").
void IMG_error();

// A new 16 x 16 black image at (0, 0), or none (reported) when memory runs out.
IMG* IMG_new();
// Frees the image and sets the caller's handle to none; an absent handle is reported.
void IMG_free(IMG** handle);
// Replaces the pixels by width x height black ones; x and y keep their values.
// A negative size or a failed allocation is reported and changes nothing.
void IMG_set_size(IMG* image, std::int32_t width, std::int32_t height);
// Copies every pixel; both images must exist and have the same size.
void IMG_copy(const IMG* source, IMG* destination);

// Parses PNM data (kinds P1 to P6) of `size` bytes into a new image at (0, 0).
// Bitmap kinds map bit 1 to white; P1 and P4 widths are rounded up to a
// multiple of 8. Missing or malformed data, a kind outside 1..6, a zero or
// absurd size, or data shorter than the header announces is reported and
// yields none; nothing is read past `size` bytes.
IMG* IMG_parse_pnm(const std::uint8_t* data, std::size_t size);

// Stores the colour when (x, y) lies inside the image.
void IMG_set_pixel(IMG* image, std::int32_t x, std::int32_t y, std::uint32_t colour);
// The pixel at (x, y), or 0 outside the image.
std::uint32_t IMG_get_pixel(const IMG* image, std::int32_t x, std::int32_t y);

// Copies the w x h rectangle at (sx, sy) of the source to (dx, dy) of the
// destination, clipped to both images; black source pixels are skipped.
void IMG_blit(const IMG* source, IMG* destination, std::int32_t sx, std::int32_t sy,
              std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);
// As IMG_blit, but black source pixels are copied too.
void IMG_blit_opaque(const IMG* source, IMG* destination, std::int32_t sx, std::int32_t sy,
                     std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);
// IMG_blit of the whole image to its own (x, y) on the destination.
void IMG_blit_at(const IMG* image, IMG* destination);

// Fills the rectangle, which must lie wholly inside the image; any other
// rectangle is rejected whole and reported.
void IMG_fill_rect(IMG* image, std::int32_t x, std::int32_t y, std::int32_t width,
                   std::int32_t height, std::uint32_t colour);
// Every pixel, per channel: min(channel + colour's channel, 255).
void IMG_add_color(IMG* image, std::uint32_t colour);
// Every pixel, per channel: max(channel - colour's channel, 0).
void IMG_sub_color(IMG* image, std::uint32_t colour);
// Every pixel, per channel: channel * numerator / denominator (truncating),
// kept within 0..255. A denominator of 0 is reported and changes nothing.
void IMG_scale_color(IMG* image, std::int32_t numerator, std::int32_t denominator);

// Raster primitives. Everything is clipped to the image; positions outside
// it, anywhere in the 32-bit range, are never reported.

// Bresenham line from (x1, y1) to (x2, y2), both ends included (x-major when
// |dx| > |dy|, error term starting at half the major length). A missing image
// is reported once and nothing is drawn.
void IMG_line(IMG* image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
              std::uint32_t colour);
// Pixels xa..xb of row y, the ends in either order; a missing image is reported.
void IMG_hspan(IMG* image, std::int32_t y, std::int32_t xa, std::int32_t xb, std::uint32_t colour);
// Filled disc of radius |radius| made of horizontal runs, its outline the
// points whose squared distance is nearest to radius squared. A missing image,
// or a disc wholly beyond one edge of the image, is reported and nothing is drawn.
void IMG_filled_circle(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t radius,
                       std::uint32_t colour);
