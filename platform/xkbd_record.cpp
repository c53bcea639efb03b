// The keyboard record, the same for the X11 platform and its headless twin.
#include <new>

#include "xkbd.h"

Module XKBD_module{MODULE_record("XKBD    ", "XWINDOWS"), "XKBD error", 0, 0};

void XKBD_error() { MODULE_report(XKBD_module); }

XKBD* XKBD_new() {
  static XKBD* keyboard = nullptr;
  if (keyboard != nullptr) return keyboard;
  keyboard = new (std::nothrow) XKBD{};
  if (keyboard == nullptr) {
    XKBD_error();
    return nullptr;
  }
  keyboard->key_buffer.reset(new (std::nothrow) char[8]());
  if (keyboard->key_buffer == nullptr) {
    delete keyboard;
    keyboard = nullptr;
    XKBD_error();
  }
  return keyboard;
}
