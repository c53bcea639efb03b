#include "sam.h"

#include <cstdlib>
#include <new>

Module SAM_module{MODULE_record("SAM     "), "SAM error.", 0, 0};

void SAM_error() { MODULE_report(SAM_module); }

SAM* SAM_new() {
  SAM* holder = new (std::nothrow) SAM{};
  if (holder == nullptr) {
    SAM_error();
    std::exit(-1);
  }
  return holder;
}

void SAM_free(SAM** handle) { MODULE_free_record(SAM_module, handle); }

void SAM_set_sample(SAM* holder, SAMPLE* sample) {
  if (holder == nullptr || sample == nullptr) {
    SAM_error();
    return;
  }
  holder->sample = sample;
}
