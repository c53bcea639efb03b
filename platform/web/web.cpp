#include "web.h"

#include "web_p.h"

namespace web {

bool yielded = false;

namespace {
bool use_virtual = false;
}  // namespace

void use_virtual_clock() { use_virtual = true; }

bool virtual_clock() { return use_virtual; }

}  // namespace web
