// SINELINE: a chain of points, each the sum of three sine waves per axis,
// drawn as filled circles; recomputed every frame from six moving phases.
//
// Every operation given no record reports "SINELINE error" and does nothing.
#pragma once

#include <cstdint>
#include <memory>

#include "img.h"
#include "module.h"

// One (x, y, z) member per axis; only x and y take part, z stays 0.
struct SinelineTriple {
  std::int32_t x, y, z;
};

// A point of the chain, in pixels.
struct SinelinePoint {
  std::int32_t x, y;
};

struct SINELINE {
  std::int32_t x, y, z;                // position triple, not read
  std::int32_t width, height, depth;   // the area the chain moves in, centred on its middle
  SinelineTriple phase[3];      // table index at which each wave starts this frame, 0..1023
  SinelineTriple speed[3];      // phase change per frame, in table entries
  SinelineTriple step[3];       // index change from one point to the next
  SinelineTriple amplitude[3];  // multiplier of each wave: half, quarter, eighth of the area
  std::uint32_t color;          // colour of the first circle
  std::int32_t count;           // points in the chain
  std::unique_ptr<SinelinePoint[]> points;  // written by SINELINE_update
};

extern Module SINELINE_module;

// Reports an error of the SINELINE module ("SINELINE error").
void SINELINE_error();

// A new 256 x 256 chain of 16 points coloured from 0xFF0000, randomized; none
// (reported) when memory runs out.
SINELINE* SINELINE_new();
// Replaces the points by n zeroed ones (n > 0) and randomizes; a count below
// 1 is reported and changes nothing; a failed allocation leaves no points.
void SINELINE_set_count(SINELINE* line, std::int32_t n);
// Draws new phases, speeds and steps (18 RNG_rand() calls, in a fixed order) and
// sets the amplitudes from the area. A record without points is reported.
void SINELINE_randomize(SINELINE* line);
// Computes every point for this frame and advances the phases.
void SINELINE_update(SINELINE* line);
// Draws count - 1 filled circles, growing with the distance from the centre;
// circle k has colour `color` + 8k.
void SINELINE_draw_circles(const SINELINE* line, IMG* target);
