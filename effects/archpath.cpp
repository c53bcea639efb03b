#include "archpath.h"

#include <new>

#include "rng.h"
#include "sine_table.h"
#include "wrap.h"

Module ARCHPATH_module{MODULE_record("ARCHPATH"), "ARCHPATH error", 0, 0};

void ARCHPATH_error() { MODULE_report(ARCHPATH_module); }

namespace {

// (length * sine of the table index) >> 15: an offset along one axis.
std::int32_t offset(std::int32_t length, std::int32_t index) {
  return wrap_mul(length, SINE_TABLE[index & 1023]) >> 15;
}

// Brings a coordinate back into 0..size - 1 when it has left by less than one size.
std::int32_t wrap_once(std::int32_t v, std::int32_t size) {
  if (v >= size) return wrap_sub(v, size);
  if (v < 0) return wrap_add(v, size);
  return v;
}

}  // namespace

ARCHPATH* ARCHPATH_new() {
  ARCHPATH* path = new (std::nothrow) ARCHPATH{};
  if (path == nullptr) {
    ARCHPATH_error();
    return nullptr;
  }
  path->width = 256;
  path->height = 256;
  path->depth = 256;
  ARCHPATH_randomize(path);
  return path;
}

void ARCHPATH_free(ARCHPATH** handle) { MODULE_free_record(ARCHPATH_module, handle); }

void ARCHPATH_randomize(ARCHPATH* path) {
  if (path == nullptr || path->width <= 0 || path->height <= 0) {
    ARCHPATH_error();
    return;
  }
  path->x = RNG_rand() % path->width;
  path->y = RNG_rand() % path->height;
  path->angle = RNG_rand() & 1023;
  path->speed = (RNG_rand() & 3) + 1;
  // The first arc covers 256 to 1023 table entries: a quarter to a whole turn.
  path->steps = (RNG_rand() % 768 + 256) / path->speed;
  path->radius = (RNG_rand() & 31) + 16;
  path->steps_done = 0;
  // Each channel 128 to 255.
  path->color = static_cast<std::uint32_t>((RNG_rand() & 0x7F7F7F) + 0x808080);
}

void ARCHPATH_advance(ARCHPATH* path) {
  if (path == nullptr) {
    ARCHPATH_error();
    return;
  }
  path->angle = wrap_add(path->angle, path->speed) & 1023;
  path->steps_done = wrap_add(path->steps_done, 1);
  if (path->steps_done < path->steps) return;
  // Switch arcs: the new circle touches the old one at the current point, on
  // the far side of it, so the centre moves by the sum of the two radii.
  const std::int32_t r2 = (RNG_rand() & 15) + 8;
  const std::int32_t reach = wrap_add(path->radius, r2);
  path->x = wrap_once(wrap_add(path->x, offset(reach, path->angle)), path->width);
  path->y = wrap_once(wrap_add(path->y, offset(reach, path->angle + 256)), path->height);
  path->radius = r2;
  // Later arcs cover 2048 to 4095 table entries: two to four whole turns.
  const std::int32_t divisor = path->speed != 0 ? path->speed : 1;
  path->steps = (RNG_rand() % 2048 + 2048) / divisor;
  if (path->steps < 0) path->steps = -path->steps;
  path->steps_done = 0;
  path->angle = (path->angle + 512) & 1023;  // the same point seen from the new centre
  path->speed = wrap_neg(path->speed);       // turning the other way keeps the direction
}

void ARCHPATH_plot(const ARCHPATH* path, IMG* target) {
  if (path == nullptr || target == nullptr) {
    ARCHPATH_error();
    return;
  }
  const std::int32_t px = wrap_add(path->x, offset(path->radius, path->angle));
  const std::int32_t py = wrap_add(path->y, offset(path->radius, path->angle + 256));
  IMG_set_pixel(target, wrap_once(px, path->width), wrap_once(py, path->height), path->color);
}
