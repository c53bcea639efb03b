#include "demo.h"

const DemoPart* const* TORQ6150_cycle() {
  static const DemoPart* const cycle[10] = {};
  return cycle;
}

void TORQ6150_run_cycle() {
  const DemoPart* const* cycle = TORQ6150_cycle();
  bool any = false;
  for (;;) {
    for (int step = 0; step < 10; ++step) {
      if (cycle[step] == nullptr) continue;
      any = true;
      TORQ6150_run_part(*cycle[step]);
    }
    if (!any) {
      // Nothing to show yet: keep the loading screen up and wait for a key or
      // the window's close request without using the processor.
      XKBD* keyboard = TORQ6150_state.keyboard;
      keyboard->key_buffer[0] = 0;
      XKBD_poll(keyboard);
      TORQ6150_key(static_cast<std::int8_t>(keyboard->key_buffer[0]));
      XKBD_wait(keyboard, 1000);
    }
  }
}
