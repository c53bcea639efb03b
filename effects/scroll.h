// SCROLL: a line of bitmap-font text scrolling horizontally through an image
// by a pixel speed per step. The text repeats without end; line feeds and
// other control bytes are drawn as whatever glyph the font has for them.
//
// Every operation given no record, or without a part it needs, reports
// "SCROLL error" and does nothing.
#pragma once

#include <cstdint>

#include "cursor.h"
#include "font.h"
#include "img.h"
#include "module.h"

struct SCROLL {
  std::int32_t x, y;    // top-left corner of the scroller on the target, in pixels
  std::int32_t width;   // visible width in pixels
  std::int32_t speed;   // pixels per step; negative scrolls the other way
  std::int32_t offset;  // pixels the first glyph is shifted left, normally 0..glyph width - 1
  const char* text;     // NUL-terminated text, not owned
  CURSOR* cursor;       // owned; its position is the first visible character
  FONT* font;           // not owned; its pen, code and target are overwritten while drawing
  IMG* target;          // not owned
};

extern Module SCROLL_module;

// Reports an error of the SCROLL module ("SCROLL error").
void SCROLL_error();

// A new scroller at (0, 0) with speed 1, offset 0, no text, font or target,
// and a cursor over "A scroll's default text. "; none (reported) when memory
// runs out.
SCROLL* SCROLL_new();
// Frees the scroller and its cursor and sets the caller's handle to none; an
// absent handle is reported.
void SCROLL_free(SCROLL** handle);
// Starts the scroller over the text from its first character, with the font
// drawing into the target: position (0, 0), the target's width; speed and
// offset are kept. All three must be present, else nothing changes.
void SCROLL_set(SCROLL* scroller, const char* text, FONT* font, IMG* target);
// Moves the text by `speed` pixels, the cursor by whole glyphs as the offset
// passes a glyph width either way. Needs the text, the cursor and a font with
// cells at least one pixel wide.
void SCROLL_step(SCROLL* scroller);
// Draws enough glyphs from the cursor on to cover the width at any offset;
// the cursor ends where it started. Needs the text, a cursor over at least
// one character, the target and a font with cells at least one pixel wide; a
// font without a sheet draws nothing (each glyph is reported by FONT) and its
// pen stays where the drawing set it.
void SCROLL_draw(SCROLL* scroller);
