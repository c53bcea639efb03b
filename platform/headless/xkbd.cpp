// XKBD without a display: key presses come from the script of headless::press.
#include "xkbd.h"

#include "headless.h"

std::int32_t XKBD_poll(XKBD* keyboard) {
  if (keyboard == nullptr) {
    XKBD_error();
    return 0;
  }
  const int key = headless::poll_key();
  if (key < 0) return 0;
  keyboard->key_buffer[0] = static_cast<char>(key);
  return 1;
}

void XKBD_wait(XKBD* keyboard, std::int32_t timeout_ms) {
  if (keyboard == nullptr) {
    XKBD_error();
    return;
  }
  headless::wait_ms(timeout_ms);
}
