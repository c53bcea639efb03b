#include <cstdlib>

#include "demo.h"
#include "parts.h"
#include "scroll.h"
#include "wrap.h"

void TORQ6150_key(std::int8_t key) {
  DemoState& s = TORQ6150_state;
  DemoSettings& c = TORQ6150_settings;
  switch (key) {
    case 27:
    case 'q':
    case 'Q':
      s.control |= CONTROL_QUIT;
      TORQ6150_fade_out();
      std::exit(0);
    case ' ':
      s.control |= CONTROL_NEXT_PART;
      break;
    case '5':
      s.fps->target_fps = 25;
      break;
    case '6':
      s.fps->target_fps = 50;
      break;
    case '8':
      s.show_fps ^= 1;
      break;
    case 'u':
      if (s.scroller != nullptr) s.scroller->speed = wrap_add(s.scroller->speed, 1);
      break;
    case 'i':
      if (s.scroller != nullptr) s.scroller->speed = wrap_sub(s.scroller->speed, 1);
      break;
    case 'b':
      s.blur_on ^= 1;
      break;
    case 'g':
      s.glare_on ^= 1;
      break;
    case 'f':
      c.fade_on ^= 1;
      break;
    case 'p':
      s.paused ^= 1;
      TORQ6150_pause();
      break;
    case 'o':
      s.muted ^= 1;
      break;
    case 's':
      c.bench_stats_on ^= 1;
      break;
    case 'w':
      s.white_background ^= 1;
      break;
    case 'z':
      TORQ6150_stars_fewer_rays();
      break;
    case 'x':
      TORQ6150_stars_more_rays();
      break;
    case 'k':
      TORQ6150_stars_shorter();
      break;
    case 'l':
      TORQ6150_stars_longer();
      break;
    default:
      break;
  }
}

void TORQ6150_pause() {
  DemoState& s = TORQ6150_state;
  while (s.paused == 1) {
    s.keyboard->key_buffer[0] = 0;
    XKBD_poll(s.keyboard);
    const auto key = static_cast<std::int8_t>(s.keyboard->key_buffer[0]);
    TORQ6150_key(key);
    // Wait for input between polls rather than spinning a processor core.
    if (key == 0) XKBD_wait(s.keyboard, 10);
  }
}
