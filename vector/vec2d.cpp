#include "vec2d.h"

#include <new>

#include "sine_table.h"
#include "wrap.h"

Module VEC2D_module{MODULE_record("VEC2D   "), "VEC2D error", 1, 0};

void VEC2D_error() { MODULE_report(VEC2D_module); }

VEC2D* VEC2D_new() {
  VEC2D* point = new (std::nothrow) VEC2D{0, 0, 0xFFFFFF};
  if (point == nullptr) VEC2D_error();
  return point;
}

void VEC2D_free(VEC2D** handle) { MODULE_free_record(VEC2D_module, handle); }

void VEC2D_copy(const VEC2D* source, VEC2D* destination) {
  if (source == nullptr || destination == nullptr) {
    VEC2D_error();
    return;
  }
  *destination = *source;
}

void VEC2D_add(const VEC2D* offset, VEC2D* point) {
  if (offset == nullptr || point == nullptr) {
    VEC2D_error();
    return;
  }
  point->x = wrap_add(point->x, offset->x);
  point->y = wrap_add(point->y, offset->y);
}

void VEC2D_mul(VEC2D* point, const VEC2D* factors) {
  if (point == nullptr || factors == nullptr) {
    VEC2D_error();
    return;
  }
  point->x = wrap_mul(point->x, factors->x);
  point->y = wrap_mul(point->y, factors->y);
}

void VEC2D_rotate(VEC2D* point, std::int32_t angle) {
  if (point == nullptr) {
    VEC2D_error();
    return;
  }
  if (angle == 0) return;
  const std::int32_t s = SINE_TABLE[angle & SINE_TABLE.mask];
  const std::int32_t c = SINE_TABLE[wrap_add(angle, 256) & SINE_TABLE.mask];
  const std::int32_t x = point->x, y = point->y;
  point->x = wrap_sub(wrap_mul(x, c), wrap_mul(y, s)) >> 15;
  point->y = wrap_add(wrap_mul(x, s), wrap_mul(y, c)) >> 15;
}
