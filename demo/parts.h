// The parts of the show.
#pragma once

#include "demo.h"

extern const DemoPart TORQ6150_arch_path_part;
extern const DemoPart TORQ6150_sine_line_part;
extern const DemoPart TORQ6150_waveform_part;
