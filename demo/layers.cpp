#include "layers.h"


#include "demo.h"
#include "lfont.h"
#include "rng.h"
#include "sample.h"
#include "sine_table.h"
#include "wrap.h"

namespace {

// The group name the letter layers draw.
constexpr char group_name[] = "TORQ";

std::int32_t frame_count() { return TORQ6150_state.fps->frame_count; }

// The palette colour at the index, taken modulo the palette's 1536 entries.
std::uint32_t palette_colour(std::int32_t index) {
  const std::int32_t i = index % 1536;
  return static_cast<std::uint32_t>(SAMPLE_get(TORQ6150_state.palette, i < 0 ? i + 1536 : i));
}

// rand() modulo m, a modulus of 0 taken as 1 so that nothing divides by 0.
std::int32_t rand_mod(std::int32_t m) { return RNG_rand() % (m == 0 ? 1 : m); }

// The wire font upright at its natural size, or none before start-up made it.
LFONT* upright_wire_font() {
  LFONT* font = TORQ6150_state.wire_font;
  if (font == nullptr || TORQ6150_state.fps == nullptr) return nullptr;
  font->angle = 0;
  font->scale.x = 1;
  font->scale.y = 1;
  return font;
}

// Letter k of the group name in its palette colour with its pen at (x, y).
void draw_coloured_letter(LFONT* font, std::int32_t k, std::int32_t x, std::int32_t y) {
  LFONT_set_colour(font, palette_colour(wrap_add(frame_count(), 192 - 64 * k)));
  font->position.x = x;
  font->position.y = y;
  font->code = group_name[k];
  LFONT_draw_char(font);
}

}  // namespace

void TORQ6150_fps_overlay() {
  DemoState& s = TORQ6150_state;
  if ((s.show_fps & 1) == 0) return;
  LFONT* font = upright_wire_font();
  if (font == nullptr) return;
  font->target = s.frame;
  font->position.x = 0;
  font->position.y = 0;
  LFONT_draw_hex8(font, static_cast<std::uint8_t>(s.fps->shown_fps & 0xFF));
  font->position.x = 0;
  font->position.y = 16;
  LFONT_draw_hex32(font, static_cast<std::uint32_t>(frame_count()));
}

void TORQ6150_bouncing_letters() {
  const DemoSettings& c = TORQ6150_settings;
  LFONT* font = upright_wire_font();
  if (font == nullptr) return;
  const std::int32_t f = frame_count();
  for (std::int32_t k = 0; k < 4; ++k) {
    // Indexes within the positive half-wave: hops of 0 to 31 pixels.
    const std::int32_t hop = SINE_TABLE[wrap_add(wrap_mul(17, f), 96 - 32 * k) & 511] >> 10;
    draw_coloured_letter(font, k, c.frame_width - 64 + 16 * k, c.frame_height - 16 - hop);
  }
}

void TORQ6150_circling_letters() {
  const DemoSettings& c = TORQ6150_settings;
  LFONT* font = upright_wire_font();
  if (font == nullptr) return;
  const std::int32_t f = frame_count();
  for (std::int32_t k = 0; k < 4; ++k) {
    // Up to 8 pixels either way around the letter's place.
    const std::int32_t dx = SINE_TABLE[wrap_add(wrap_mul(23, f), 500 - 50 * k) & 1023] >> 12;
    const std::int32_t dy = SINE_TABLE[wrap_add(wrap_mul(17, f), 800 - 200 * k) & 1023] >> 12;
    draw_coloured_letter(font, k, c.frame_width - 72 + 16 * k + dx, c.frame_height - 24 + dy);
  }
}

void TORQ6150_sparkle_letters() {
  const DemoSettings& c = TORQ6150_settings;
  if ((RNG_rand() & c.sparkle_mask) != 0) return;
  LFONT* font = upright_wire_font();
  if (font == nullptr) return;
  font->scale.x = RNG_rand() % 4 + 1;
  font->scale.y = RNG_rand() % 4 + 1;
  // The word is roughly centred on the random point.
  font->position.y = RNG_rand() % c.frame_height - 16 * font->scale.y / 2;
  font->position.x = RNG_rand() % c.frame_width - 64 * font->scale.x / 2;
  for (std::int32_t k = 0; k < 4; ++k) {
    font->code = group_name[k];
    LFONT_draw_char(font);
  }
}

void TORQ6150_icon_rain() {
  DemoState& s = TORQ6150_state;
  DemoSettings& c = TORQ6150_settings;
  LFONT* font = s.icon_font;
  if (font == nullptr || s.fps == nullptr) return;
  if ((frame_count() & 15) == 0) {
    c.icon_choice = rand_mod(font->glyphs == nullptr ? 0 : font->glyphs->count);
  }
  LFONT_set_colour(font, palette_colour(RNG_rand() % 1536));
  font->target = s.frame;
  font->code = c.icon_choice;
  font->angle = 0;
  font->scale.x = 1;
  font->scale.y = 1;
  font->position.x = rand_mod(c.frame_width - 16);
  font->position.y = rand_mod(c.frame_height - 16);
  LFONT_draw_char(font);

  const std::int32_t size = RNG_rand() % 16 + 1;
  font->scale.x = size;
  font->scale.y = size;
  const std::int32_t x0 = rand_mod(c.frame_width - 16 * size);
  const std::int32_t y0 = rand_mod(c.frame_height - 16 * size);
  // Diagonal copies thicken the lines of the bigger icons.
  const std::int32_t copies = size <= 3 ? 1 : size <= 7 ? 2 : 4;
  for (std::int32_t d = 0; d < copies; ++d) {
    font->position.x = x0 + d;
    font->position.y = y0 + d;
    LFONT_draw_char(font);
  }
}
