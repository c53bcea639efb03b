// SAMDRAW: a sample buffer drawn as an oscilloscope picture.
//
// The picture is a background, one vertical bar per image column from the
// centre row to the value the column shows (positive values downward), and two
// marker bars at the buffer's largest and smallest values. The caller sets the
// fields directly, then calls SAMDRAW_draw and SAMDRAW_draw_extremes.
#pragma once

#include <cstdint>

#include "img.h"
#include "module.h"
#include "sam.h"

struct SAMDRAW {
  SAM* source;               // holder of the buffer drawn, not owned
  IMG* target;               // the image drawn into, not owned
  std::uint32_t background;  // fills the image first: 0x808080 when created
  std::uint32_t colour;      // the waveform's bars: 0xffffff when created
  std::uint32_t marker;      // the two extreme-value bars: 0 when created
  std::int32_t first;        // first buffer index drawn
  std::int32_t last;         // last buffer index drawn
};

extern Module SAMDRAW_module;

// Reports an error of the SAMDRAW module ("SAMDRAW error.").
void SAMDRAW_error();

// A new record with the colours above, no source or target and the range 0..0;
// when memory runs out it reports and ends the process with status -1.
SAMDRAW* SAMDRAW_new();
// Frees the record (not its source or target) and sets the caller's handle to
// none; an absent handle or record is reported.
void SAMDRAW_free(SAMDRAW** handle);
// Fills the target with the background, then draws one bar per column: the
// range is clamped into the buffer (and its ends exchanged when reversed),
// stored back, and walked from `first` by a 16.16 step per column taken from
// the whole buffer's length (length / width values, only its whole part when
// the buffer is longer than the image), stopping past `last`. A missing
// record, holder or target, or a target without pixels, is reported and draws
// nothing; a holder without a buffer is reported after the background.
void SAMDRAW_draw(SAMDRAW* scope);
// Draws the marker bars of the largest and then the smallest value, each at
// the lowest index holding it, in the column of the index's share of the whole
// buffer; the range is clamped and stored back but not used. A missing record,
// holder, buffer or target, or a target without pixels, is reported and draws
// nothing.
void SAMDRAW_draw_extremes(SAMDRAW* scope);
// Draws one marker bar as SAMDRAW_draw_extremes does, for the value at the
// given index of the buffer, without clamping the range. An index outside the
// buffer, or a missing record, holder, buffer or target, or a target without
// pixels, is reported and draws nothing.
void SAMDRAW_draw_marker(SAMDRAW* scope, std::int32_t index);
