// XKBD without a display: key presses come from the script of headless::press.
#include "xkbd.h"

#include "headless_p.h"

std::int32_t XKBD_poll(XKBD* keyboard) {
  if (keyboard == nullptr) {
    XKBD_error();
    return 0;
  }
  auto& keys = headless::state().keys;
  if (keys.empty() || keys.front().not_before_us > headless::state().now_us) return 0;
  const int key = keys.front().key;
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
  headless::advance(static_cast<std::int64_t>(timeout_ms) * 1000);
}
