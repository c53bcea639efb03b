// The parts of the show.
#pragma once

#include "demo.h"

extern const DemoPart TORQ6150_arch_path_part;
extern const DemoPart TORQ6150_sine_line_part;
extern const DemoPart TORQ6150_waveform_part;
extern const DemoPart TORQ6150_star_burst_part;

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
