// SEG2D: a line segment between two coloured points.
//
// Every operation handed a missing segment (or offset, factors or image)
// reports "SEG2D error" and does nothing.
#pragma once

#include <cstdint>

#include "img.h"
#include "module.h"
#include "vec2d.h"

struct SEG2D {
  VEC2D a;  // start point; its colour is the line's colour
  VEC2D b;  // end point
};

extern Module SEG2D_module;

// Reports an error of the SEG2D module ("SEG2D error").
void SEG2D_error();

// A new segment from (0, 0) to (1, 1), both points white, or none (reported)
// when memory runs out.
SEG2D* SEG2D_new();
// Frees the segment and sets the caller's handle to none; an absent handle is reported.
void SEG2D_free(SEG2D** handle);
// Copies both points of the source into the destination.
void SEG2D_copy(const SEG2D* source, SEG2D* destination);
// Moves both points by the offset.
void SEG2D_translate(SEG2D* segment, const VEC2D* offset);
// Multiplies both points component-wise by the factors.
void SEG2D_scale(SEG2D* segment, const VEC2D* factors);
// Turns both points about the origin by the angle (see VEC2D_rotate).
void SEG2D_rotate(SEG2D* segment, std::int32_t angle);
// Draws a line from a to b, both ends included, in a's colour.
void SEG2D_draw(const SEG2D* segment, IMG* image);
