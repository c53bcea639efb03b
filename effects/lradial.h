// LRADIAL: a set of evenly spaced rays turning about a centre. Angles are
// sine-table indexes in 16.16 fixed point (1024 entries per turn), always
// kept within 0..0x3FFFFFF.
//
// Every operation given no record reports "LRADIAL error" and does nothing.
#pragma once

#include <cstdint>

#include "module.h"

// The mask that keeps a 16.16 angle within one turn of the table.
inline constexpr std::int32_t LRADIAL_ANGLE_MASK = 0x3FFFFFF;

struct LRADIAL {
  std::int32_t x, y, z;               // x, y: centre of the rays; z unused
  std::int32_t width, height, depth;  // size triple; depth unused
  std::uint32_t color;                // colour of the rays
  std::int32_t count;                 // number of rays
  std::int32_t angle;                 // 16.16 angle of the first ray
  std::int32_t spin;                  // 16.16 angle added per turn
  std::int32_t spacing;               // 16.16 angle between neighbouring rays
  std::int32_t length;                // ray length in pixels
};

extern Module LRADIAL_module;

// Reports an error of the LRADIAL module ("LRADIAL error").
void LRADIAL_error();

// A new set of 16 rays centred on a 256 x 256 area, with spin, length and
// colour drawn from RNG_rand() in that order; none (reported) when memory runs out.
LRADIAL* LRADIAL_new();
// Frees the ray set and sets the caller's handle to none; an absent handle is reported.
void LRADIAL_free(LRADIAL** handle);
// Sets the number of rays and their spacing, a whole turn divided by n
// (truncating); a count of 0 or less is reported and changes nothing.
void LRADIAL_set_count(LRADIAL* radial, std::int32_t n);
// Moves the angle on by the spin, wrapped into one turn.
void LRADIAL_turn(LRADIAL* radial);
