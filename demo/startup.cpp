#include <cstdio>
#include <cstdlib>

#include "demo.h"
#include "imgfx.h"
#include "os.h"

DemoSettings TORQ6150_settings;
DemoState TORQ6150_state;

namespace {

// Makes a frame-sized image.
IMG* new_frame_image(std::int32_t width, std::int32_t height) {
  IMG* image = IMG_new();
  IMG_set_size(image, width, height);
  return image;
}

// The blue loading screen, shown once while the rest of start-up runs.
void show_loading_screen() {
  DemoState& s = TORQ6150_state;
  const DemoSettings& c = TORQ6150_settings;
  IMGFX_fill_rect(s.frame, 0, 0, c.frame_width, c.frame_height, 0x0080FF);
  XDPY_present(s.display, s.frame);
}

// Names the window through the xprop tool; without it the title stays the default.
int set_window_title() {
  char command[64];
  std::snprintf(command, sizeof command, "xprop -id 0x%lx -set WM_NAME TORQ6150",
                XDPY_window_id());
  return OS_system(command);
}

}  // namespace

int TORQ6150_startup() {
  DemoState& s = TORQ6150_state;
  const DemoSettings& c = TORQ6150_settings;
  s.display = XDPY_new();
  if (s.display == nullptr) std::exit(1);  // XDPY_new has said why on standard error
  s.keyboard = XKBD_new();
  if (s.keyboard == nullptr) {
    std::fputs("torq6150: out of memory for the keyboard\n", stderr);
    std::exit(1);
  }
  XDPY_set_size(s.display, c.frame_width, c.frame_height);
  s.frame = new_frame_image(s.display->width, s.display->height);
  OS_sleep(1);
  std::srand(8175);
  show_loading_screen();
  s.glare_frame = new_frame_image(c.frame_width, c.frame_height);
  s.blur_frame = new_frame_image(c.frame_width, c.frame_height);
  std::srand(273880913);
  std::rand();  // the first number of the show's sequence is discarded
  s.background_colour = 0;
  s.fps = FPS_new();
  if (s.fps != nullptr) s.fps->target_fps = 50;
  return set_window_title();
}
