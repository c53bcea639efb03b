// The circle-wave part: as many circles as the filled-circle benchmark last
// managed, in groups of eight mirrored about the centre of the square frame,
// following three sine waves over a sliding tiled background.

#include "backmove.h"
#include "demo.h"
#include "font.h"
#include "layers.h"
#include "parts.h"
#include "rng.h"
#include "sample.h"
#include "sine_table.h"
#include "wrap.h"

namespace {

// A colour a given distance around the hue circle.
std::uint32_t hue(std::int64_t index) {
  const auto wrapped = static_cast<std::int32_t>(index % 1536);
  return static_cast<std::uint32_t>(SAMPLE_get(TORQ6150_state.palette, wrapped));
}

void print_at(std::int32_t x, std::int32_t y, const char* text) {
  FONT* font = TORQ6150_state.sheet_font;
  if (font == nullptr) return;
  font->x = x;
  font->y = y;
  FONT_print(font, text);
}

void setup() {
  DemoState& s = TORQ6150_state;
  TORQ6150_set_post_processing(TORQ6150_random_grey(), 0, 0, 0);
  // Phases, then the per-frame and per-group steps, wave by wave; the radius
  // wave's group step is drawn after one discarded number, and is larger.
  for (int wave = 0; wave < 3; ++wave) {
    s.wave_phase[wave] = static_cast<std::uint32_t>(RNG_rand() & 1023);
    s.wave_frame_step[wave] = static_cast<std::uint32_t>((RNG_rand() & 15) + 1);
    if (wave < 2) {
      s.wave_circle_step[wave] = static_cast<std::uint32_t>((RNG_rand() & 7) + 7);
    } else {
      RNG_rand();
      s.wave_circle_step[wave] = static_cast<std::uint32_t>((RNG_rand() & 15) + 16);
    }
  }
  s.wave_radius = (RNG_rand() & 31) + 32;
  s.wave_colour_step = RNG_rand() & 15;
  // Red lifted by 80, green and blue lowered by 80.
  TORQ6150_tint_font(0x500000, 0x005050);
  // The background: one of the bar font's cells 1 to 6, chosen at random.
  s.wave_mover = BACKMOVE_new();
  if (s.wave_mover == nullptr) return;
  s.wave_mover->target = s.frame;
  IMG* tile = IMG_new();
  IMG_set_size(tile, 16, 16);
  const std::int32_t cell = RNG_rand() % 6 + 1;
  IMG_blit_opaque(s.bar_font != nullptr ? s.bar_font->sheet : nullptr, tile, 16 * cell, 0, 0, 0, 16,
                  16);
  s.wave_mover->tile = tile;
}

// Group g of the frame's waves: one point and its seven mirror images, with
// colours an eighth of the hue circle apart.
void draw_group(std::int32_t g, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  DemoState& s = TORQ6150_state;
  const std::int32_t w = TORQ6150_settings.frame_width, h = TORQ6150_settings.frame_height;
  const std::int32_t r = (s.wave_radius * SINE_TABLE[static_cast<std::int32_t>(c)]) >> 15;
  const std::int32_t ox = SINE_TABLE[static_cast<std::int32_t>(a)] >> 8;  // -128 to 127
  const std::int32_t oy = SINE_TABLE[static_cast<std::int32_t>(b)] >> 8;
  const std::int32_t px = w / 2 + ox - r / 2, py = h / 2 + oy - r / 2;
  const std::int64_t k = std::int64_t{g} * s.wave_colour_step;
  // Mirrored left-right and top-bottom, then the same four across the diagonal.
  const std::int32_t centres[8][2] = {{px, py},         {w - px, py},     {w - px, h - py},
                                      {px, h - py},     {py, px},         {py, w - px},
                                      {h - py, w - px}, {h - py, px}};
  for (int i = 0; i < 8; ++i) {
    IMG_filled_circle(s.frame, centres[i][0], centres[i][1], r, hue(k + 192 * i));
  }
}

void render() {
  DemoState& s = TORQ6150_state;
  const DemoSettings& c = TORQ6150_settings;
  BACKMOVE_move(s.wave_mover);
  BACKMOVE_draw(s.wave_mover);
  std::uint32_t a = s.wave_phase[0], b = s.wave_phase[1], r = s.wave_phase[2];
  for (std::int32_t g = c.circle_count / 8; g >= 1; --g) {
    draw_group(g, a, b, r);
    a = (a + s.wave_circle_step[0]) & 1023;
    b = (b + s.wave_circle_step[1]) & 1023;
    r = (r + s.wave_circle_step[2]) & 1023;
  }
  for (int wave = 0; wave < 3; ++wave) {
    s.wave_phase[wave] = (s.wave_phase[wave] + s.wave_frame_step[wave]) & 1023;
  }
  // Two words swinging far across and beyond the frame in opposite phase.
  if (c.bench_stats_on) {
    const std::int32_t frame = s.fps->frame_count;
    print_at(SINE_TABLE[frame & 1023] >> 5, 32, "CIRCLES\n");
    print_at(SINE_TABLE[wrap_add(frame, 512) & 1023] >> 5, c.frame_height - 32, "WAVES\n");
  }
}

void finish() {
  DemoState& s = TORQ6150_state;
  TORQ6150_tint_font(0x005050, 0x500000);
  if (s.wave_mover == nullptr) return;
  IMG_free(&s.wave_mover->tile);
  BACKMOVE_free(&s.wave_mover);
}

// Here the letters come before the frame-rate overlay, which therefore takes
// the colour of this frame's last letter.
void text_layers() {
  TORQ6150_bouncing_letters();
  TORQ6150_fps_overlay();
}

}  // namespace

const DemoPart TORQ6150_circle_wave_part{750, setup, render, text_layers, finish, true, true};
