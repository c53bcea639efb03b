// The parts of the show.
#pragma once

#include "demo.h"

extern const DemoPart TORQ6150_arch_path_part;
extern const DemoPart TORQ6150_scroller_part;
extern const DemoPart TORQ6150_sine_line_part;

// The scroller part's text: 71 lines of upper-case letters, digits, blanks
// and punctuation, each ended by a line feed.
extern const char TORQ6150_scroll_text[];

// The scroller part's 256 x 32768 sheet of big letters: glyphs 0 to 127 of
// the list, scaled 15 times into their 256 x 256 cells and drawn with
// 32-pixel two-colour strokes in hues from the palette.
IMG* TORQ6150_build_big_glyphs(LIST* glyphs, const SAMPLE* palette);
