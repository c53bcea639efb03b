#include "backmove.h"

#include <new>

#include "rng.h"
#include "wrap.h"

Module BACKMOVE_module{MODULE_record("BACKMOVE"), "BACKMOVE error", 0, 0};

void BACKMOVE_error() { MODULE_report(BACKMOVE_module); }

namespace {

// The offset moved by the speed, brought back into (-step, 0]: the remainder
// takes the sign of the dividend, and a positive one is moved down one step.
std::int32_t slide(std::int32_t offset, std::int32_t speed, std::int32_t step) {
  std::int32_t moved = wrap_add(offset, speed) % step;
  if (moved > 0) moved -= step;
  return moved;
}

// One rand() draw; on a 1 in 256 chance a second draw gives a speed of -3 to +4.
void maybe_new_speed(std::int32_t& speed) {
  if ((RNG_rand() & 255) == 0) speed = (RNG_rand() & 7) - 3;
}

bool usable(const BACKMOVE* mover) {
  return mover != nullptr && mover->tile != nullptr && mover->target != nullptr;
}

}  // namespace

BACKMOVE* BACKMOVE_new() {
  BACKMOVE* mover = new (std::nothrow) BACKMOVE{};
  if (mover == nullptr) {
    BACKMOVE_error();
    return nullptr;
  }
  mover->width = 256;
  mover->height = 256;
  mover->depth = 256;
  mover->step_x = 16;
  mover->step_y = 16;
  BACKMOVE_randomize(mover);
  return mover;
}

void BACKMOVE_free(BACKMOVE** handle) { MODULE_free_record(BACKMOVE_module, handle); }

void BACKMOVE_randomize(BACKMOVE* mover) {
  if (mover == nullptr) {
    BACKMOVE_error();
    return;
  }
  mover->speed_x = RNG_rand() % 9 - 4;
  mover->speed_y = RNG_rand() % 9 - 4;
}

void BACKMOVE_move(BACKMOVE* mover) {
  // A step of 0 would divide by zero; negative steps have no grid.
  if (!usable(mover) || mover->step_x < 1 || mover->step_y < 1) {
    BACKMOVE_error();
    return;
  }
  mover->offset_x = slide(mover->offset_x, mover->speed_x, mover->step_x);
  mover->offset_y = slide(mover->offset_y, mover->speed_y, mover->step_y);
  maybe_new_speed(mover->speed_x);
  maybe_new_speed(mover->speed_y);
}

void BACKMOVE_draw(BACKMOVE* mover) {
  if (!usable(mover)) {
    BACKMOVE_error();
    return;
  }
  IMG* tile = mover->tile;
  if (mover->step_x < tile->width) mover->step_x = tile->width;
  if (mover->step_y < tile->height) mover->step_y = tile->height;
  // A step below 1 would never leave the row or the column.
  if (mover->step_x < 1 || mover->step_y < 1) {
    BACKMOVE_error();
    return;
  }
  const IMG* target = mover->target;
  // Positions are counted in 64 bits so that a step near the int32 limit ends the loop.
  for (std::int64_t ry = mover->offset_y; ry < target->height; ry += mover->step_y) {
    for (std::int64_t rx = mover->offset_x; rx < target->width; rx += mover->step_x) {
      tile->x = static_cast<std::int32_t>(rx);
      tile->y = static_cast<std::int32_t>(ry);
      IMG_blit_at(tile, mover->target);
    }
  }
}
