// OBJ2D: a named line drawing made of coloured segments, drawn with a
// position, scale and rotation, and the forgiving text format collections of
// such drawings are written in.
//
// Every operation handed a missing object, segment, image or buffer reports
// "OBJ2D error" and does nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "img.h"
#include "list.h"
#include "module.h"
#include "sample.h"
#include "seg2d.h"
#include "vec2d.h"

struct OBJ2D {
  std::string name;     // the value of the object's name line; empty for none
  VEC2D position;       // added to every point when drawn or exported
  VEC2D scale;          // multiplies every point component-wise when drawn or exported
  std::int32_t angle;   // rotation in sine-table steps when drawn or exported
  LIST* points;         // VEC2D: both points of every segment, in the order added
  LIST* segments;       // SEG2D: the segments, in the order added; owned
};

extern Module OBJ2D_module;

// Reports an error of the OBJ2D module ("OBJ2D error").
void OBJ2D_error();

// A new empty object: no name, position (0, 0), scale (1, 1), angle 0, no
// segments; none (reported) when memory runs out.
OBJ2D* OBJ2D_new();
// Frees the object with its segments and sets the caller's handle to none; an
// absent handle is reported.
void OBJ2D_free(OBJ2D** handle);
// Frees every object of a collection (empty slots are skipped) and the list,
// and sets the caller's handle to none; an absent handle is reported.
void OBJ2D_free_list(LIST** handle);

// Parses `size` bytes of object text into a new list of objects, in the order
// of their closing braces. The text ends at its first NUL byte or after
// `size` bytes, whichever comes first; nothing past either is read, and any
// bytes are accepted: what is not understood is skipped. Missing data is
// reported and yields none.
LIST* OBJ2D_parse(const std::uint8_t* data, std::size_t size);

// Appends the segment and its two points; the object takes ownership. A
// missing object or segment is reported and the caller keeps the segment.
void OBJ2D_add_segment(OBJ2D* object, SEG2D* segment);
// Gives every point the colour, so every segment draws in it.
void OBJ2D_set_colour(OBJ2D* object, std::uint32_t colour);
// Draws the segments, last to first, each scaled, then rotated about the
// object's origin, then moved by the position; the stored segments stay as they are.
void OBJ2D_draw(const OBJ2D* object, IMG* image);
// Appends start x, start y, end x and end y of every segment, transformed as
// for drawing and in the same order, to the buffer.
void OBJ2D_export(const OBJ2D* object, SAMPLE* buffer);
