// FONT: text drawn with fixed-size glyphs cut from a glyph sheet image.
//
// Cells of glyph_width x glyph_height pixels are numbered from 0 in reading
// order across the sheet; the cell of code c starts c x glyph_width pixels
// along the sheet's rows. Sheet pixels equal to 0 are transparent.
#pragma once

#include <cstdint>

#include "img.h"
#include "module.h"

struct FONT {
  std::int32_t x;             // pen: left edge of the next glyph on the target
  std::int32_t y;             // pen: top edge of the next glyph
  std::int32_t glyph_width;   // cell width in pixels, also the pen advance
  std::int32_t glyph_height;  // cell height in pixels
  std::int32_t code;          // character code of the glyph FONT_putc draws
  IMG* sheet;                 // glyph sheet, owned by the font
  IMG* target;                // image the text is drawn into, not owned
};

extern Module FONT_module;

// Reports an error of the FONT module ("FONT Error.").
void FONT_error();

// A new font with 6 x 6 cells, the pen at (0, 0) and no sheet or target, or
// none (reported) when memory runs out.
FONT* FONT_new();
// Frees the font and its sheet and sets the caller's handle to none; an absent
// handle is reported.
void FONT_free(FONT** handle);

// Draws the glyph of `code` at the pen with a transparent rectangle copy and
// moves the pen right by one cell; a code whose cell lies outside the sheet
// draws nothing but still moves the pen. A missing font or sheet is reported
// and nothing happens; a missing target is reported by the copy.
void FONT_putc(FONT* font);
// FONT_putc of each byte (0 to 255) of the text up to the first NUL or line
// feed; the pen stays after the last glyph. A missing font or text is reported.
void FONT_print(FONT* font, const char* text);
// Draws the value as exactly ten decimal digits, leading zeros included; a
// missing font is reported.
void FONT_print_number(FONT* font, std::uint32_t value);
