// VEC2D: a coloured integer point, the geometry of the 2D objects.
//
// Every operation handed a missing point reports "VEC2D error" and does
// nothing. Unlike the other modules, this one prints its report: its debug
// switch starts on.
#pragma once

#include <cstdint>

#include "module.h"

struct VEC2D {
  std::int32_t x;         // pixels, growing to the right
  std::int32_t y;         // pixels, growing downward
  std::uint32_t colour;   // 0x00RRGGBB; a segment is drawn in its start point's colour
};

extern Module VEC2D_module;

// Reports an error of the VEC2D module ("VEC2D error").
void VEC2D_error();

// A new white point at (0, 0), or none (reported) when memory runs out.
VEC2D* VEC2D_new();
// Frees the point and sets the caller's handle to none; an absent handle is reported.
void VEC2D_free(VEC2D** handle);
// Copies x, y and colour from the source to the destination.
void VEC2D_copy(const VEC2D* source, VEC2D* destination);
// Moves the point by the offset, which comes first; the point keeps its colour.
void VEC2D_add(const VEC2D* offset, VEC2D* point);
// Multiplies the point's x and y by the factors' x and y.
void VEC2D_mul(VEC2D* point, const VEC2D* factors);
// Turns the point about the origin by the angle in sine-table steps (1024 a
// turn, clockwise on screen); each coordinate is the 32-bit sum of products
// shifted right by 15, so it shrinks very slightly and rounds down. Only an
// angle of exactly 0 leaves the point untouched.
void VEC2D_rotate(VEC2D* point, std::int32_t angle);
