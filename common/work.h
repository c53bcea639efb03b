// WORK: a deterministic meter of drawing work.
//
// The raster primitives the benchmark parts draw count themselves here, one
// call each. The headless platform twin turns the counts into time at every
// present, with the fixed costs below, so that a run on the virtual clock
// (tests, offline capture) sees frames take about as long as on a current
// desktop: the benchmark parts, which adapt their counts to the time left of
// each frame, then settle near realistic counts instead of climbing for ever,
// and the result is the same on every machine. The X11 platform ignores the
// meter: there the wall clock measures the work itself.
#pragma once

#include <cstdint>

#include "module.h"

// The kinds of metered work.
enum WorkKind : std::int32_t {
  WORK_CIRCLE,              // IMG_filled_circle
  WORK_LINE,                // IMG_line, IMGFX_line
  WORK_BICOLOR_LINE,        // IMGFX_bicolor_line
  WORK_THICK_LINE,          // IMGFX_thick_line
  WORK_THICK_BICOLOR_LINE,  // IMGFX_thick_bicolor_line
  WORK_SCORE,               // composing the demo's score at start-up
  WORK_KINDS
};

// Cost of one call of each kind, in nanoseconds: the time the optimised
// primitive takes on a current desktop for the shapes the benchmark parts
// draw (filled circles of radius 0 to 63, lines between random points of
// the 256 x 256 frame, thickness 1 to 15), as bench/draw_bench measures it,
// rounded (processor time of the fastest of three runs on a two-core
// virtual machine). One call costs the same whatever its size. At 50 frames
// per second the benchmark counts settle where the calls fill what the
// present leaves of the 20 ms: about 22,000 circles, 116,000 lines, 104,000
// two-colour lines, 16,500 thick and 12,000 thick two-colour lines; they
// climb by one (ten) per frame, so they get there over many cycles, as on
// such a desktop.
inline constexpr std::int64_t WORK_cost_ns[WORK_KINDS] = {
    900,   // filled circle
    170,   // line
    190,   // two-colour line
    1200,  // thick line
    1650,  // thick two-colour line
    // The score's instrument bank, composed once at start-up while the
    // loading screen is up: about what the composition and the rest of the
    // start-up's building take together on the same machine, so that the
    // loading screen stays on the virtual clock's screen for a frame or two,
    // as it does in the window.
    25000000,
};

// Cost of presenting one frame, in nanoseconds: the two full-frame passes of
// the post-processing chain (glare and blur together take about 80 us, the
// copies much less), the copy into the server image and its transfer to the
// X server, on the same desktop.
inline constexpr std::int64_t WORK_present_ns = 200000;

// The counts since they were last taken, process-wide.
struct WORK {
  std::int64_t count[WORK_KINDS];  // calls of each kind
};

extern WORK WORK_meter;
extern Module WORK_module;

// Reports an error of the WORK module ("WORK error").
void WORK_error();

// Counts one call of the given kind; an unknown kind is reported and not counted.
void WORK_charge(WorkKind kind);
// The cost of the calls counted since the last take, in nanoseconds, with
// every count set back to 0.
std::int64_t WORK_take_ns();
