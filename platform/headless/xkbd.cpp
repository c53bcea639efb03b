// XKBD without a display: key presses come from the script of headless::press.
#include "xkbd.h"

#include <new>

#include "headless_p.h"

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

std::int32_t XKBD_poll(XKBD* keyboard) {
  if (keyboard == nullptr) {
    XKBD_error();
    return 0;
  }
  auto& keys = headless::state().keys;
  if (keys.empty()) return 0;
  const int key = keys.front();
  keys.pop_front();
  keyboard->key_buffer[0] = key == headless::kCloseRequest ? '\x1b' : static_cast<char>(key);
  return 1;
}

void XKBD_wait(XKBD* keyboard, std::int32_t timeout_ms) {
  if (keyboard == nullptr) {
    XKBD_error();
    return;
  }
  // A wait is modelled as its whole timeout passing.
  headless::state().now_us += static_cast<std::int64_t>(timeout_ms) * 1000;
}
