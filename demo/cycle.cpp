#include "demo.h"
#include "parts.h"

const DemoPart* const* TORQ6150_cycle() {
  static const DemoPart* const cycle[10] = {
      &TORQ6150_waveform_part,       // 1 waveform
      &TORQ6150_scroller_part,       // 2 scroller
      &TORQ6150_arch_path_part,      // 3 arch paths
      &TORQ6150_bicolor_thick_part,  // 4 thick two-colour line benchmark
      &TORQ6150_star_burst_part,     // 5 star bursts
      &TORQ6150_thick_line_part,     // 6 thick line benchmark
      &TORQ6150_sine_line_part,      // 7 sine lines
      &TORQ6150_filled_circle_part,  // 8 filled-circle benchmark
      &TORQ6150_circle_wave_part,    // 9 circle waves
      &TORQ6150_bicolor_line_part,   // 10 two-colour line benchmark
  };
  return cycle;
}

void TORQ6150_run_cycle() {
  const DemoPart* const* cycle = TORQ6150_cycle();
  for (;;) {
    for (int step = 0; step < 10; ++step) {
      if (cycle[step] != nullptr) TORQ6150_run_part(*cycle[step]);
    }
  }
}
