#include "sine_table.h"

#include <cmath>
#include <numbers>

namespace {

// The first quarter is computed in single precision (angle, sine and product)
// and rounded to the nearest integer with halves rounded up; the second quarter
// mirrors it (entry i equals entry 511 - i) and the second half negates the first.
SineTable build_sine_table() {
  SineTable table{};
  table.mask = 1023;
  table.size = 1024;
  for (int i = 0; i < 256; ++i) {
    const float angle = 2.0f * std::numbers::pi_v<float> * static_cast<float>(i) / 1024.0f;
    const float sine = std::sin(angle);
    const float product = 32767.0f * sine;
    table.values[i] = static_cast<std::int16_t>(std::floor(product + 0.5f));
  }
  for (int i = 256; i < 512; ++i) table.values[i] = table.values[511 - i];
  for (int i = 512; i < 1024; ++i) {
    table.values[i] = static_cast<std::int16_t>(-table.values[i - 512]);
  }
  return table;
}

}  // namespace

const SineTable SINE_TABLE = build_sine_table();
