#include "lstar.h"

#include <new>

#include "imgfx.h"
#include "sine_table.h"
#include "wrap.h"

Module LSTAR_module{MODULE_record("LSTAR   "), "LSTAR error", 0, 0};

void LSTAR_error() { MODULE_report(LSTAR_module); }

namespace {

struct Point {
  std::int32_t x, y;
};

// The tip of a ray of the given length at the 16.16 angle about (cx, cy):
// angle 0 points straight down, a quarter turn to the right.
Point tip(std::int32_t cx, std::int32_t cy, std::int32_t length, std::int32_t angle) {
  const std::int32_t i = (angle >> 16) & 1023;
  return {wrap_add(cx, wrap_mul(SINE_TABLE[i], length) >> 15),
          wrap_add(cy, wrap_mul(SINE_TABLE[(i + 256) & 1023], length) >> 15)};
}

// The angle moved on by half a ray spacing, wrapped into one turn.
std::int32_t half_turned(std::int32_t angle, std::int32_t spacing) {
  return wrap_add(angle, spacing / 2) & LRADIAL_ANGLE_MASK;
}

bool complete(const LSTAR* star) {
  return star != nullptr && star->radial_a != nullptr && star->radial_b != nullptr;
}

}  // namespace

LSTAR* LSTAR_new() {
  LSTAR* star = new (std::nothrow) LSTAR{};
  if (star == nullptr) {
    LSTAR_error();
    return nullptr;
  }
  star->x = 128;
  star->y = 128;
  star->width = 256;
  star->height = 256;
  star->radial_a = LRADIAL_new();
  star->radial_b = LRADIAL_new();
  LSTAR_set_count(star, 8);
  return star;
}

void LSTAR_free(LSTAR** handle) {
  MODULE_free_record(LSTAR_module, handle, [](LSTAR& star) {
    if (star.radial_a != nullptr) LRADIAL_free(&star.radial_a);
    if (star.radial_b != nullptr) LRADIAL_free(&star.radial_b);
  });
}

void LSTAR_set_count(LSTAR* star, std::int32_t n) {
  if (star == nullptr || n <= 0) {
    LSTAR_error();
    return;
  }
  // A missing ray set is reported by LRADIAL; the other one still changes.
  LRADIAL_set_count(star->radial_a, n);
  LRADIAL_set_count(star->radial_b, n);
  LRADIAL* b = star->radial_b;
  if (b != nullptr) b->angle = half_turned(b->angle, b->spacing);
}

void LSTAR_sync(LSTAR* star) {
  if (!complete(star)) {
    LSTAR_error();
    return;
  }
  LRADIAL* b = star->radial_b;
  b->spin = star->radial_a->spin;
  b->angle = half_turned(star->radial_a->angle, b->spacing);
}

void LSTAR_turn(LSTAR* star) {
  if (!complete(star)) {
    LSTAR_error();
    return;
  }
  LRADIAL_turn(star->radial_a);
  LRADIAL_turn(star->radial_b);
}

void LSTAR_draw(const LSTAR* star, IMG* target, std::int32_t thickness) {
  if (!complete(star) || target == nullptr) {
    LSTAR_error();
    return;
  }
  const LRADIAL& ra = *star->radial_a;
  const LRADIAL& rb = *star->radial_b;
  std::int32_t a = ra.angle;
  std::int32_t b = rb.angle;
  Point pa = tip(star->x, star->y, ra.length, a);
  for (std::int32_t k = 0; k < ra.count; ++k) {
    const Point pb = tip(star->x, star->y, rb.length, b);
    IMGFX_thick_bicolor_line(target, pa.x, pa.y, ra.color, pb.x, pb.y, rb.color, thickness);
    a = wrap_add(a, ra.spacing) & LRADIAL_ANGLE_MASK;
    b = wrap_add(b, rb.spacing) & LRADIAL_ANGLE_MASK;
    pa = tip(star->x, star->y, ra.length, a);
    IMGFX_thick_bicolor_line(target, pb.x, pb.y, rb.color, pa.x, pa.y, ra.color, thickness);
  }
}
