
#include "demo.h"
#include "font.h"
#include "imgfx.h"
#include "rng.h"

IMG* TORQ6150_post_process() {
  DemoState& s = TORQ6150_state;
  if (s.glare_on) {
    IMGFX_glare(s.frame, s.glare_frame, 3);
  } else {
    IMG_copy(s.frame, s.glare_frame);
  }
  if (s.blur_on) {
    IMGFX_hblur(s.glare_frame, s.blur_frame, 2, 2, 2);
  } else {
    IMG_copy(s.glare_frame, s.blur_frame);
  }
  return (s.blur_on || s.glare_on) ? s.blur_frame : s.frame;
}

void TORQ6150_start_next_frame() {
  DemoState& s = TORQ6150_state;
  const DemoSettings& c = TORQ6150_settings;
  if (c.fade_on) {
    IMG_sub_color(s.frame, c.fade_colour);
  } else {
    s.background_colour = s.white_background == 1 ? 0xFFFFFF : 0;
    IMG_fill_rect(s.frame, 0, 0, c.frame_width, c.frame_height, s.background_colour);
  }
}

void TORQ6150_post_present() {
  XDPY_present(TORQ6150_state.display, TORQ6150_post_process());
  TORQ6150_start_next_frame();
}

void TORQ6150_fade_out() {
  DemoState& s = TORQ6150_state;
  for (int i = 0; i < 32; ++i) {
    IMG_sub_color(s.frame, 0x808080);
    XDPY_present(s.display, s.frame);
  }
}

// Takes at most one key press and applies it; the buffer is cleared after.
static void take_key() {
  XKBD* keyboard = TORQ6150_state.keyboard;
  XKBD_poll(keyboard);
  TORQ6150_key(static_cast<std::int8_t>(keyboard->key_buffer[0]));
  keyboard->key_buffer[0] = 0;
}

void TORQ6150_run_part(const DemoPart& part) {
  DemoState& s = TORQ6150_state;
  part.setup();
  TORQ6150_fade_out();
  for (std::int32_t n = 0; n < part.budget; ++n) {
    FPS_frame_start(s.fps);
    part.render();
    if (part.text_layers != nullptr) part.text_layers();
    TORQ6150_post_present();
    if (part.music) TORQ6150_music_step();
    take_key();
    if (s.control & CONTROL_NEXT_PART) break;  // neither counted nor paced
    FPS_frame_end(s.fps);
    if (part.paced) FPS_wait(s.fps);
  }
  s.control &= static_cast<std::uint8_t>(~CONTROL_NEXT_PART);
  if (part.finish != nullptr) part.finish();
}

std::uint32_t TORQ6150_random_grey() {
  return static_cast<std::uint32_t>(RNG_rand() & 63) * 0x010101u + 0x404040u;
}

std::uint32_t TORQ6150_random_dark_grey() {
  return static_cast<std::uint32_t>(RNG_rand() & 31) * 0x010101u + 0x101010u;
}

void TORQ6150_set_post_processing(std::uint32_t fade_colour, std::uint8_t blur_on,
                                  std::uint8_t glare_on, std::uint8_t fade_on) {
  TORQ6150_settings.fade_colour = fade_colour;
  TORQ6150_state.blur_on = blur_on;
  TORQ6150_state.glare_on = glare_on;
  TORQ6150_settings.fade_on = fade_on;
}

void TORQ6150_tint_font(std::uint32_t add, std::uint32_t subtract) {
  const FONT* font = TORQ6150_state.sheet_font;
  if (font == nullptr || font->sheet == nullptr) return;
  IMG_add_color(font->sheet, add);
  IMG_sub_color(font->sheet, subtract);
}
