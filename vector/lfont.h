// LFONT: text drawn with 2D objects as glyphs. The glyph of character code c
// is the object at position c of a glyph list; it is drawn at the pen with the
// font's scale and rotation, and the pen then moves one cell to the right.
//
// A missing font, a font without glyphs, a code outside the list or an empty
// slot is reported as "LFONT Error." and nothing is drawn.
#pragma once

#include <cstdint>

#include "img.h"
#include "list.h"
#include "module.h"
#include "vec2d.h"

struct LFONT {
  VEC2D position;       // the pen: where the next glyph's origin goes
  VEC2D cell;           // cell width and height before scaling
  std::int32_t code;    // character code the next draw uses
  VEC2D scale;          // component-wise glyph scale
  std::int32_t angle;   // glyph rotation in sine-table steps
  LIST* glyphs;         // OBJ2D glyphs indexed by code; not owned
  IMG* target;          // image drawn into; not owned
};

extern Module LFONT_module;

// Reports an error of the LFONT module ("LFONT Error.").
void LFONT_error();

// A new font: pen (0, 0), 16 x 16 cells, scale (1, 1), angle 0, no glyphs and
// no target; none (reported) when memory runs out.
LFONT* LFONT_new();
// Frees the font (not its glyphs or target) and sets the caller's handle to
// none; an absent handle is reported.
void LFONT_free(LFONT** handle);
// Draws the glyph of `code` at the pen, turned about its own origin, and
// moves the pen right by scale.x x cell.x. Without a target the glyph's
// drawing is reported by OBJ2D and the pen still moves.
void LFONT_draw_char(LFONT* font);
// Two upper-case hexadecimal digits, the high one first.
void LFONT_draw_hex8(LFONT* font, std::uint8_t value);
// Four hexadecimal digits: the high byte, then the low byte.
void LFONT_draw_hex16(LFONT* font, std::uint16_t value);
// Eight hexadecimal digits: the high half, then the low half.
void LFONT_draw_hex32(LFONT* font, std::uint32_t value);
// Gives every glyph of the list the colour, last to first; every font that
// shares the list then draws in it.
void LFONT_set_colour(LFONT* font, std::uint32_t colour);
