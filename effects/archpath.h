// ARCHPATH: a point moving along a path of circular arcs that switches, now
// and then, to a new touching circle turning the other way: a meandering
// snake on an area that wraps around at its edges.
//
// Every operation given no record reports "ARCHPATH error" and does nothing.
#pragma once

#include <cstdint>

#include "img.h"
#include "module.h"
#include "rng.h"

struct ARCHPATH {
  std::int32_t x, y, z;               // centre of the current arc, kept inside the area; z unused
  std::int32_t width, height, depth;  // the area over which positions wrap; depth unused
  std::int32_t angle;       // table index of the moving point on its arc, 0..1023
  std::int32_t speed;       // table entries per step; the sign flips at every arc switch
  std::int32_t radius;      // radius of the current arc in pixels
  std::int32_t steps;       // steps the current arc lasts
  std::int32_t steps_done;  // steps taken on the current arc
  std::uint32_t color;      // colour of the plotted pixels
};

extern Module ARCHPATH_module;

// Reports an error of the ARCHPATH module ("ARCHPATH error").
void ARCHPATH_error();

// A new randomized path on a 256 x 256 area; none (reported) when memory runs out.
ARCHPATH* ARCHPATH_new();
// Frees the path and sets the caller's handle to none; an absent handle is reported.
void ARCHPATH_free(ARCHPATH** handle);
// New centre, angle, speed, arc length, radius and colour from RNG_rand(), in
// that order. An area without width or height is reported
// and changes nothing.
void ARCHPATH_randomize(ARCHPATH* path);
// One step along the path, switching to a new touching arc when the current
// one is used up. A speed of 0 counts as 1 when the new arc's length is worked out.
void ARCHPATH_advance(ARCHPATH* path);
// Stores `color` at the moving point, wrapped once into the area.
void ARCHPATH_plot(const ARCHPATH* path, IMG* target);
