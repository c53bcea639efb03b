// RASTER: raster bars, horizontal bands of colour taken from a table that
// scrolls vertically by a fixed-point speed per advance.
//
// Every operation given no record (or, where it needs one, no table, image or
// pixel array) reports "RASTER error" and does nothing.
#pragma once

#include <cstdint>
#include <memory>

#include "img.h"
#include "module.h"

struct RASTER {
  std::int32_t position;     // 16.16 scroll offset in table entries; the integer part
                             // is the entry of image row 0, kept in 0..color_count x 65536
  std::int32_t speed;        // 16.16 entries added per advance; negative scrolls back
  std::int32_t color_count;  // entries in colors
  std::unique_ptr<std::uint32_t[]> colors;  // the table; entry i paints rows i, i + count, ...
};

extern Module RASTER_module;

// Reports an error of the RASTER module ("RASTER error").
void RASTER_error();

// A new record with a black table of 256 entries, position 0 and a speed of
// 1.0 to just under 17.0 entries per advance from one RNG_rand() draw; none
// (reported) when memory runs out.
RASTER* RASTER_new();
// Frees the record and its table and sets the caller's handle to none; an
// absent handle is reported.
void RASTER_free(RASTER** handle);
// Replaces the table by n black entries and sets position 0, keeping the
// speed. A count below 1, above the 32768 entries a 16.16 position can
// address, or a failed allocation is reported and changes nothing.
void RASTER_set_size(RASTER* raster, std::int32_t n);
// Adds the speed to the position and wraps it into 0..color_count x 65536,
// either way round.
void RASTER_advance(RASTER* raster);
// Paints every row of the image, top to bottom, with its table entry:
// (integer part of position + row) mod color_count, taken non-negative.
void RASTER_draw(const RASTER* raster, IMG* image);
