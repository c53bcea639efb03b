#include "xkbd.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include "xdpy_p.h"

std::int32_t XKBD_poll(XKBD* keyboard) {
  if (keyboard == nullptr) {
    XKBD_error();
    return 0;
  }
  const XdpyConnection& x = XDPY_connection();
  if (x.display == nullptr || x.window == 0) return 0;
  XEvent event;
  // Client messages reach the window whatever it selects; the close request
  // becomes the escape key so that closing the window quits like ESC.
  if (XCheckTypedWindowEvent(x.display, x.window, ClientMessage, &event)) {
    if (event.xclient.format == 32 &&
        static_cast<Atom>(event.xclient.data.l[0]) == x.wm_delete) {
      keyboard->key_buffer[0] = 27;
      return 1;
    }
    return 0;
  }
  XSelectInput(x.display, x.window, KeyPressMask);
  if (!XCheckWindowEvent(x.display, x.window, KeyPressMask, &event)) return 0;
  return XLookupString(&event.xkey, keyboard->key_buffer.get(), 8, nullptr, nullptr);
}

void XKBD_wait(XKBD* keyboard, std::int32_t timeout_ms) {
  if (keyboard == nullptr) {
    XKBD_error();
    return;
  }
  const XdpyConnection& x = XDPY_connection();
  if (x.display == nullptr) return;
  XFlush(x.display);
  // Events Xlib has already read are taken by the next poll; this only waits
  // for new ones to reach the connection.
  pollfd connection{ConnectionNumber(x.display), POLLIN, 0};
  poll(&connection, 1, timeout_ms);
}
