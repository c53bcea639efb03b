// The parts of the show.
#pragma once

#include "demo.h"

extern const DemoPart TORQ6150_arch_path_part;
extern const DemoPart TORQ6150_sine_line_part;

// The scroller part's text: 71 lines of upper-case letters, digits, blanks
// and punctuation, each ended by a line feed.
extern const char TORQ6150_scroll_text[];
