#include "seg2d.h"

#include <new>

Module SEG2D_module{MODULE_record("SEG2D   "), "SEG2D error", 0, 0};

void SEG2D_error() { MODULE_report(SEG2D_module); }

SEG2D* SEG2D_new() {
  SEG2D* segment = new (std::nothrow) SEG2D{{0, 0, 0xFFFFFF}, {1, 1, 0xFFFFFF}};
  if (segment == nullptr) SEG2D_error();
  return segment;
}

void SEG2D_free(SEG2D** handle) { MODULE_free_record(SEG2D_module, handle); }

void SEG2D_copy(const SEG2D* source, SEG2D* destination) {
  if (source == nullptr || destination == nullptr) {
    SEG2D_error();
    return;
  }
  VEC2D_copy(&source->a, &destination->a);
  VEC2D_copy(&source->b, &destination->b);
}

void SEG2D_translate(SEG2D* segment, const VEC2D* offset) {
  if (segment == nullptr || offset == nullptr) {
    SEG2D_error();
    return;
  }
  VEC2D_add(offset, &segment->a);
  VEC2D_add(offset, &segment->b);
}

void SEG2D_scale(SEG2D* segment, const VEC2D* factors) {
  if (segment == nullptr || factors == nullptr) {
    SEG2D_error();
    return;
  }
  VEC2D_mul(&segment->a, factors);
  VEC2D_mul(&segment->b, factors);
}

void SEG2D_rotate(SEG2D* segment, std::int32_t angle) {
  if (segment == nullptr) {
    SEG2D_error();
    return;
  }
  VEC2D_rotate(&segment->a, angle);
  VEC2D_rotate(&segment->b, angle);
}

void SEG2D_draw(const SEG2D* segment, IMG* image) {
  if (segment == nullptr || image == nullptr) {
    SEG2D_error();
    return;
  }
  IMG_line(image, segment->a.x, segment->a.y, segment->b.x, segment->b.y, segment->a.colour);
}
