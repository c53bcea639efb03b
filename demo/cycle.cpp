#include "demo.h"
#include "parts.h"

const DemoPart* const* TORQ6150_cycle() {
  static const DemoPart* const cycle[10] = {
      &TORQ6150_waveform_part,   // 1 waveform
      &TORQ6150_scroller_part,   // 2 scroller
      &TORQ6150_arch_path_part,  // 3 arch paths
      nullptr,                   // 4 thick two-colour line benchmark
      &TORQ6150_star_burst_part,  // 5 star bursts
      nullptr,                   // 6 thick line benchmark
      &TORQ6150_sine_line_part,  // 7 sine lines
      nullptr,                   // 8 filled-circle benchmark
      nullptr,                   // 9 circle waves
      nullptr,                   // 10 two-colour line benchmark
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
