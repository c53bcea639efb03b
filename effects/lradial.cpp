#include "lradial.h"

#include <new>

#include "rng.h"
#include "wrap.h"

Module LRADIAL_module{MODULE_record("LRADIAL "), "LRADIAL error", 0, 0};

void LRADIAL_error() { MODULE_report(LRADIAL_module); }

LRADIAL* LRADIAL_new() {
  LRADIAL* radial = new (std::nothrow) LRADIAL{};
  if (radial == nullptr) {
    LRADIAL_error();
    return nullptr;
  }
  radial->width = 256;
  radial->height = 256;
  radial->x = radial->width / 2;
  radial->y = radial->height / 2;
  // 16.16: half a table entry to about 8.5 entries per turn.
  radial->spin = (RNG_rand() & 0x7FFFF) + 0x8000;
  radial->length = RNG_rand() % (radial->width / 2) + 32;
  // Each channel 128 to 255.
  radial->color = static_cast<std::uint32_t>((RNG_rand() & 0x7F7F7F) + 0x808080);
  LRADIAL_set_count(radial, 16);
  return radial;
}

void LRADIAL_free(LRADIAL** handle) { MODULE_free_record(LRADIAL_module, handle); }

void LRADIAL_set_count(LRADIAL* radial, std::int32_t n) {
  if (radial == nullptr || n <= 0) {
    LRADIAL_error();
    return;
  }
  radial->count = n;
  radial->spacing = (1024 * 65536) / n;  // 16.16: one turn of the table
}

void LRADIAL_turn(LRADIAL* radial) {
  if (radial == nullptr) {
    LRADIAL_error();
    return;
  }
  radial->angle = wrap_add(radial->angle, radial->spin) & LRADIAL_ANGLE_MASK;
}
