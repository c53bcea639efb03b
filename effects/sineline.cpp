#include "sineline.h"

#include <cstdlib>
#include <new>

#include "rng.h"
#include "sine_table.h"
#include "wrap.h"

Module SINELINE_module{MODULE_record("SINELINE"), "SINELINE error", 0, 0};

void SINELINE_error() { MODULE_report(SINELINE_module); }

namespace {

// Index moved on by a step and wrapped into the table: 0..1023.
std::int32_t wrap_index(std::int32_t index, std::int32_t step) {
  std::int32_t i = wrap_add(index, step) % 1024;
  if (i < 0) i += 1024;
  return i;
}

// A wave's term: table entry times amplitude, wrapping like 32-bit hardware.
std::int32_t term(std::int32_t index, std::int32_t amplitude) {
  return wrap_mul(SINE_TABLE[index & 1023], amplitude);
}

bool has_points(const SINELINE* line) { return line != nullptr && line->points != nullptr; }

}  // namespace

SINELINE* SINELINE_new() {
  SINELINE* line = new (std::nothrow) SINELINE{};
  if (line == nullptr) {
    SINELINE_error();
    return nullptr;
  }
  line->width = 256;
  line->height = 256;
  line->depth = 256;
  SINELINE_set_count(line, 16);
  line->color = 0xFF0000;
  SINELINE_randomize(line);
  return line;
}

void SINELINE_set_count(SINELINE* line, std::int32_t n) {
  if (line == nullptr || n < 1) {
    SINELINE_error();
    return;
  }
  line->points.reset();
  line->count = 0;
  line->points.reset(new (std::nothrow) SinelinePoint[static_cast<std::size_t>(n)]());
  if (line->points == nullptr) {
    SINELINE_error();
    return;
  }
  line->count = n;
  SINELINE_randomize(line);
}

void SINELINE_randomize(SINELINE* line) {
  if (!has_points(line)) {
    SINELINE_error();
    return;
  }
  SinelineTriple* phase = line->phase;
  SinelineTriple* speed = line->speed;
  SinelineTriple* step = line->step;
  phase[0].x = RNG_rand() % 1024;
  phase[0].y = RNG_rand() % 1024;
  speed[0].x = RNG_rand() % 16 + 3;
  speed[0].y = RNG_rand() % 16 + 3;
  step[0].x = RNG_rand() % 8 + 5;
  step[0].y = RNG_rand() % 8 + 6;
  line->amplitude[0] = {line->width / 2, line->height / 2, 0};
  phase[1].x = RNG_rand() % 1024;
  phase[1].y = RNG_rand() % 1024;
  speed[1].x = -2 - RNG_rand() % 8;
  speed[1].y = -2 - RNG_rand() % 8;
  step[1].x = -6 - RNG_rand() % 16;
  step[1].y = -7 - RNG_rand() % 16;
  line->amplitude[1] = {line->width / 4, line->height / 4, 0};
  phase[2].x = RNG_rand() % 1024;
  phase[2].y = RNG_rand() % 1024;
  speed[2].x = RNG_rand() % 4 + 1;
  speed[2].y = RNG_rand() % 4 + 1;
  step[2].x = RNG_rand() % 32 + 7;
  step[2].y = RNG_rand() % 32 + 8;
  line->amplitude[2] = {line->width / 8, line->height / 8, 0};
}

void SINELINE_update(SINELINE* line) {
  if (!has_points(line)) {
    SINELINE_error();
    return;
  }
  SinelineTriple* a = line->amplitude;
  a[0] = {line->width >> 1, line->height >> 1, 0};
  a[1] = {line->width >> 2, line->height >> 2, 0};
  a[2] = {line->width >> 3, line->height >> 3, 0};
  const std::int32_t cx = line->width >> 1;
  const std::int32_t cy = line->height >> 1;
  std::int32_t i0x = line->phase[0].x, i0y = line->phase[0].y;
  std::int32_t i1x = line->phase[1].x, i1y = line->phase[1].y;
  std::int32_t i2x = line->phase[2].x, i2y = line->phase[2].y;
  const SinelineTriple* step = line->step;
  for (std::int32_t k = 0; k < line->count; ++k) {
    const std::int32_t sx = wrap_add(wrap_add(term(i0x, a[0].x), term(i1x, a[1].x)), term(i2x, a[2].x));
    const std::int32_t sy = wrap_add(wrap_add(term(i0y, a[0].y), term(i1y, a[1].y)), term(i2y, a[2].y));
    line->points[k] = {wrap_add(sx >> 16, cx), wrap_add(sy >> 16, cy)};
    i0x = wrap_index(i0x, step[0].x);
    i0y = wrap_index(i0y, step[0].y);
    i1x = wrap_index(i1x, step[1].x);
    i1y = wrap_index(i1y, step[1].y);
    i2x = wrap_index(i2x, step[2].x);
    i2y = wrap_index(i2y, step[2].y);
  }
  for (int w = 0; w < 3; ++w) {
    line->phase[w].x = wrap_index(line->phase[w].x, line->speed[w].x);
    line->phase[w].y = wrap_index(line->phase[w].y, line->speed[w].y);
  }
}

void SINELINE_draw_circles(const SINELINE* line, IMG* target) {
  if (!has_points(line) || target == nullptr) {
    SINELINE_error();
    return;
  }
  const std::int64_t cx = line->width / 2;
  const std::int64_t cy = line->height / 2;
  for (std::int32_t k = 0; k + 1 < line->count; ++k) {
    const SinelinePoint p = line->points[k];
    const std::int64_t dx = std::llabs(p.x - cx);
    const std::int64_t dy = std::llabs(p.y - cy);
    const auto radius = static_cast<std::int32_t>((dx + dy) >> 3);
    const std::uint32_t colour = line->color + 8u * static_cast<std::uint32_t>(k);
    IMG_filled_circle(target, p.x, p.y, radius, colour);
  }
}
