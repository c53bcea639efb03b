// The parts of the show.
#pragma once

#include "demo.h"

// In the order of the cycle.
extern const DemoPart TORQ6150_waveform_part;
extern const DemoPart TORQ6150_scroller_part;
extern const DemoPart TORQ6150_arch_path_part;
extern const DemoPart TORQ6150_bicolor_thick_part;
extern const DemoPart TORQ6150_star_burst_part;
extern const DemoPart TORQ6150_thick_line_part;
extern const DemoPart TORQ6150_sine_line_part;
extern const DemoPart TORQ6150_filled_circle_part;
extern const DemoPart TORQ6150_circle_wave_part;
extern const DemoPart TORQ6150_bicolor_line_part;

// Key commands on the star bursts; each does nothing before the star-burst
// part has first made them.
// Gives all four bursts n rays, n clamped to 5..64 (their second ray sets
// also move on by half a spacing, even when the count stays).
void TORQ6150_stars_set_rays(std::int32_t n);
// One ray more than burst 0 has, for all four.
void TORQ6150_stars_more_rays();
// One ray fewer than burst 0 has, for all four.
void TORQ6150_stars_fewer_rays();
// Lengthens the second ray sets of bursts 0 to 3 by 1, 2, 3 and 4, to at most 512.
void TORQ6150_stars_longer();
// Shortens the second ray sets of bursts 0 to 3 by 1, 2, 3 and 4, to at least 8.
void TORQ6150_stars_shorter();

// The scroller part's text: 71 lines of upper-case letters, digits, blanks
// and punctuation, each ended by a line feed.
extern const char TORQ6150_scroll_text[];

// The scroller part's 256 x 32768 sheet of big letters: glyphs 0 to 127 of
// the list, scaled 15 times into their 256 x 256 cells and drawn with
// 32-pixel two-colour strokes in hues from the palette.
IMG* TORQ6150_build_big_glyphs(LIST* glyphs, const SAMPLE* palette);
