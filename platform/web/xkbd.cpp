// XKBD in a web page: the keys pressed on the page, or the headless twin's
// key script on the virtual clock.
#include "xkbd.h"

#include "headless.h"
#include "web.h"
#include "web_p.h"

std::int32_t XKBD_poll(XKBD* keyboard) {
  if (keyboard == nullptr) {
    XKBD_error();
    return 0;
  }
  const int key = web::virtual_clock() ? headless::poll_key() : web_poll_key();
  if (key < 0) return 0;
  keyboard->key_buffer[0] = static_cast<char>(key);
  return 1;
}

void XKBD_wait(XKBD* keyboard, std::int32_t timeout_ms) {
  if (keyboard == nullptr) {
    XKBD_error();
    return;
  }
  if (web::virtual_clock()) {
    headless::wait_ms(timeout_ms);
    return;
  }
  web_wait_key(timeout_ms);
  web::yielded = true;
}
