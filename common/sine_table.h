// The shared sine table: one full turn of 1024 steps, amplitude 32767.
#pragma once

#include <cstdint>

struct SineTable {
  std::int16_t values[1024];
  std::int32_t mask;  // 1023: an index AND mask stays inside the table
  std::int32_t size;  // 1024 entries per turn

  constexpr std::int32_t operator[](std::int32_t index) const { return values[index]; }
};

// Entry i is 32767 * sin(2 * pi * i / 1024), built once at program start.
extern const SineTable SINE_TABLE;
