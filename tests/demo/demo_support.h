// Running the demo's own code on the headless platform in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demo.h"
#include "headless.h"
#include "rng.h"

// Runs the program's start-up once per test process and returns the first
// random number drawn after it.
inline int start_demo() {
  static const int first_draw = [] {
    headless::reset();
    TORQ6150_startup();
    return RNG_rand();
  }();
  return first_draw;
}

// The pixels of an image, row after row.
inline std::vector<std::uint32_t> pixels(const IMG* image) {
  return {image->pixels.get(), image->pixels.get() + image->width * image->height};
}

// Runs a part for at most `frames` frames: the key script is empty for
// frames - 1 frames and ends the part with SPACE in the last one.
inline void run_part_frames(const DemoPart& part, int frames) {
  headless::press(std::string(static_cast<std::size_t>(frames - 1), '\0') + " ");
  TORQ6150_run_part(part);
}
