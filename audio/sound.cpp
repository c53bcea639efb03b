#include "sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "rng.h"
#include "wrap.h"

SAMPLE* SOUND_CYCLE = nullptr;

Module SOUND_module{MODULE_record("SOUND   "), "SOUND Error.", 0, 0};

void SOUND_error() { MODULE_report(SOUND_module); }

namespace {

constexpr std::int32_t RATE = 44100;             // values per second
constexpr std::int64_t RATE_FIXED = 0x56220000;  // 44100 * 32768: one second in 17.15

bool usable(const SAMPLE* buffer) { return buffer != nullptr && buffer->data != nullptr; }

// Builds SOUND_CYCLE: the first quarter from the sine, the rest by mirroring.
bool build_cycle() {
  SAMPLE* cycle = SAMPLE_new();
  if (cycle == nullptr) return false;
  SAMPLE_set_length(cycle, RATE);
  if (cycle->length != RATE) {
    SAMPLE_free(&cycle);
    return false;
  }
  // pi / 2 rounded to single precision lies slightly above pi / 2, so the
  // quarter ends on sin just below 1 and its peak is 32766.
  const double quarter = static_cast<double>(static_cast<float>(std::numbers::pi / 2));
  std::int32_t* d = cycle->data.get();
  for (std::int32_t i = 0; i <= 11025; ++i) {
    const double x = i * quarter / 11025;
    const auto v = static_cast<std::int32_t>(std::sin(x) * 32767);  // truncated toward zero
    d[i] = v;
    d[22050 - i] = v;
    d[22050 + i] = -v;
    if (i > 0) d[RATE - i] = -v;
  }
  SOUND_CYCLE = cycle;
  return true;
}

// The fade ramp of the last length faded, kept so that repeated fades of one
// length (the score fades its instruments up to six times in a row, the
// sequencer fades its loop once per copy) do not rebuild it every time.
SAMPLE* fade_ramp = nullptr;
std::int32_t fade_ramp_length = -1;  // the length the ramp was built for; -1: none yet

const SAMPLE* ramp_for(std::int32_t length) {
  if (fade_ramp == nullptr) fade_ramp = SAMPLE_new();
  if (fade_ramp == nullptr) return nullptr;
  if (fade_ramp_length != length) {
    fade_ramp_length = -1;
    SAMPLE_set_length(fade_ramp, length);
    if (fade_ramp->length != length) return nullptr;  // the growth failed and was reported
    SAMPLE_ramp(fade_ramp, 0, 32767, length - 1, 0);
    fade_ramp_length = length;
  }
  return fade_ramp;
}

}  // namespace

void SOUND_sine(SAMPLE* buffer, std::int32_t f) {
  if (!usable(buffer) || (SOUND_CYCLE == nullptr && !build_cycle())) {
    SOUND_error();
    return;
  }
  // The 17.15 phase of the table walk is always a whole index, so the walk is
  // kept as that index: it grows by f and wraps at 44100.
  std::int32_t step = f % RATE;
  if (step < 0) step += RATE;
  // Four interleaved walks, each four steps at a time, so that the four
  // wrapping additions do not wait for one another.
  const std::int32_t* table = SOUND_CYCLE->data.get();
  std::int32_t* d = buffer->data.get();
  const std::int32_t n = buffer->length;
  const auto advance = [](std::int32_t index, std::int32_t by) {
    index += by;
    return index >= RATE ? index - RATE : index;
  };
  const std::int32_t step4 = static_cast<std::int32_t>(std::int64_t{4} * step % RATE);
  std::int32_t k0 = 0, k1 = advance(k0, step), k2 = advance(k1, step), k3 = advance(k2, step);
  std::int32_t i = 0;
  for (; i + 3 < n; i += 4) {
    d[i] = table[k0];
    d[i + 1] = table[k1];
    d[i + 2] = table[k2];
    d[i + 3] = table[k3];
    k0 = advance(k0, step4);
    k1 = advance(k1, step4);
    k2 = advance(k2, step4);
    k3 = advance(k3, step4);
  }
  for (; i < n; ++i) {
    d[i] = table[k0];
    k0 = advance(k0, step);
  }
}

void SOUND_square(SAMPLE* buffer, std::int32_t f) {
  if (!usable(buffer)) {
    SOUND_error();
    return;
  }
  if (f < 1) return;
  // Positions in 17.15, in 64 bits so that buffers of any length work.
  const std::int64_t period = RATE_FIXED / f;
  if (period < 1) return;
  const std::int64_t half = period / 2;
  const std::int64_t length = buffer->length;
  const std::int64_t periods = length * 32768 / period;
  std::int32_t* d = buffer->data.get();
  std::int64_t phase = 0;
  for (std::int64_t w = 0; w < periods; ++w, phase += period) {
    // a <= m <= e <= length: the runs lie inside; the single stores at m and
    // after it may fall one or two past the end when a period is under a sample.
    const std::int64_t a = phase >> 15, m = (phase + half) >> 15, e = (phase + period) >> 15;
    std::fill(d + a, d + std::max(a, m), 32767);
    if (m < length) d[m] = 0;
    if (e - 2 >= m + 1) std::fill(d + m + 1, d + e - 1, -32768);
    const std::int64_t last = std::max(m + 1, e - 1);
    if (last < length) d[last] = 0;
  }
}

void SOUND_noise(SAMPLE* buffer, std::int32_t f) {
  if (!usable(buffer)) {
    SOUND_error();
    return;
  }
  const auto draw = [] { return (RNG_rand() & 0xffff) - 32768; };
  std::int32_t held = draw();
  // 64 bits: with f far above 44100 the counter keeps falling.
  std::int64_t counter = 22050;
  std::int32_t* d = buffer->data.get();
  for (std::int32_t i = buffer->length - 1; i >= 0; --i) {
    counter -= f;
    if (counter < 0) {
      counter += RATE;
      held = draw();
    }
    d[i] = held;
  }
}

void SOUND_fade_out(SAMPLE* buffer) {
  if (!usable(buffer)) {
    SOUND_error();
    return;
  }
  if (buffer->length == 0) return;
  const SAMPLE* ramp = ramp_for(buffer->length);
  if (ramp == nullptr) {
    SOUND_error();
    return;
  }
  // The product of the value and the ramp (32767 .. 0), wrapped, then >> 15.
  // The length is read once: a store through d could otherwise change it,
  // for all the compiler knows, and the loop would not be vectorised.
  const std::int32_t* r = ramp->data.get();
  std::int32_t* d = buffer->data.get();
  const std::int32_t n = buffer->length;
  for (std::int32_t i = 0; i < n; ++i) d[i] = wrap_mul(d[i], r[i]) >> 15;
}
