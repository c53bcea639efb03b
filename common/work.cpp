#include "work.h"

WORK WORK_meter{};

Module WORK_module{MODULE_record("WORK    "), "WORK error", 0, 0};

void WORK_error() { MODULE_report(WORK_module); }

void WORK_charge(WorkKind kind) {
  if (kind < 0 || kind >= WORK_KINDS) {
    WORK_error();
    return;
  }
  ++WORK_meter.count[kind];
}

std::int64_t WORK_take_ns() {
  std::int64_t total = 0;
  for (std::int32_t kind = 0; kind < WORK_KINDS; ++kind) {
    total += WORK_meter.count[kind] * WORK_cost_ns[kind];
    WORK_meter.count[kind] = 0;
  }
  return total;
}
