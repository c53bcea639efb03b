// The parts of the show.
#pragma once

#include "demo.h"

extern const DemoPart TORQ6150_arch_path_part;
extern const DemoPart TORQ6150_sine_line_part;
extern const DemoPart TORQ6150_bicolor_thick_part;
extern const DemoPart TORQ6150_thick_line_part;
extern const DemoPart TORQ6150_filled_circle_part;
extern const DemoPart TORQ6150_circle_wave_part;
extern const DemoPart TORQ6150_bicolor_line_part;
