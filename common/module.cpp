#include "module.h"

#include <cstdio>

void MODULE_report(Module& module) {
  ++module.errors;
  if (module.debug != 0 && module.error_text != nullptr) std::puts(module.error_text);
}
