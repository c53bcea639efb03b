// The scroller part: a giant text of thick two-coloured wire letters, one per
// screen width, bouncing over raster bars, with a swinging chain of sprites
// and the backdrop picture wobbling in the centre.

#include "font.h"
#include "imgfx.h"
#include "layers.h"
#include "list.h"
#include "obj2d.h"
#include "parts.h"
#include "raster.h"
#include "rgb888.h"
#include "rng.h"
#include "sample.h"
#include "scroll.h"
#include "sine_table.h"
#include "wrap.h"

namespace {

constexpr std::int32_t kBarColours = 1536;  // 48 bars of 32 rows
constexpr std::int32_t kSprites = 48;

// A grey highlight: dark at the bar's edges, white in its middle.
constexpr std::uint32_t kGrey[32] = {
    0x404040, 0x606060, 0x707070, 0x808080, 0x909090, 0xA0A0A0, 0xA8A8A8, 0xC0C0C0,
    0xC8C8C8, 0xD0D0D0, 0xD8D8D8, 0xE0E0E0, 0xE8E8E8, 0xF0F0F0, 0xF8F8F8, 0xFFFFFF,
    0xFFFFFF, 0xF8F8F8, 0xF0F0F0, 0xE8E8E8, 0xE0E0E0, 0xD8D8D8, 0xD0D0D0, 0xC8C8C8,
    0xC0C0C0, 0xA8A8A8, 0xA0A0A0, 0x909090, 0x808080, 0x707070, 0x606060, 0x404040};

std::uint32_t palette_at(std::int32_t index) {
  return static_cast<std::uint32_t>(SAMPLE_get(TORQ6150_state.palette, index));
}

// (sine of the phase x amplitude) >> shift, in 32-bit arithmetic.
std::int32_t swing(std::int32_t phase, std::int32_t amplitude, int shift) {
  return wrap_mul(SINE_TABLE[phase & 1023], amplitude) >> shift;
}

// The bars: each of the 48 a grey highlight tinted by its stretch of the hue
// circle, darkened so that the grey shows through.
RASTER* build_bars() {
  RASTER* bars = RASTER_new();
  RASTER_set_size(bars, kBarColours);
  if (bars == nullptr || bars->color_count != kBarColours) return bars;
  for (std::int32_t i = 0; i < kBarColours; ++i) {
    bars->colors[i] = RGB888_average(kGrey[i % 32], RGB888_darken(palette_at(i), 128));
  }
  return bars;
}

void setup() {
  DemoState& s = TORQ6150_state;
  TORQ6150_set_post_processing(TORQ6150_random_grey(), 0, 0, 0);
  if (s.bars == nullptr) {
    s.bars = build_bars();
    s.chain_phase_x2 = 200;
    s.chain_phase_y2 = 100;
  }
  if (s.bars != nullptr) s.bars->speed = 131072;  // 16.16: two rows per frame
  if (s.scroller == nullptr) {
    s.big_glyphs = TORQ6150_build_big_glyphs(s.wire_glyphs, s.palette);
    s.big_font = FONT_new();
    if (s.big_font != nullptr) {
      s.big_font->glyph_width = 256;
      s.big_font->glyph_height = 256;
      s.big_font->sheet = s.big_glyphs;
      s.big_font->target = s.frame;
    }
    s.scroller = SCROLL_new();
    SCROLL_set(s.scroller, TORQ6150_scroll_text, s.big_font, s.frame);
    if (s.scroller != nullptr) s.scroller->speed = 24;
  }
  RNG_rand();  // drawn and discarded
  // Tint the main font for this part; the finish takes the tint off again.
  TORQ6150_tint_font(0x000020, 0x505000);
}

// 48 sprites along a Lissajous path, each a little further along it.
void draw_sprite_chain() {
  DemoState& s = TORQ6150_state;
  const DemoSettings& c = TORQ6150_settings;
  FONT* sprites = s.sprite_font;
  std::int32_t a = s.chain_phase_x1, b = s.chain_phase_y1;
  std::int32_t d1 = s.chain_phase_x2, d2 = s.chain_phase_y2;
  for (std::int32_t k = 0; k < kSprites; ++k) {
    sprites->code = k % 10 + 2;  // cells 2 to 11 of the colour strip
    sprites->x = (c.frame_width - 16) / 2 + swing(a, 256, 16) + swing(d1, 128, 16);
    sprites->y = (c.frame_height - 16) / 2 + swing(b, 128, 16) + swing(d2, 128, 16);
    FONT_putc(sprites);
    a = (a + 24) & 1023;
    b = (b + 18) & 1023;
    d1 = (d1 + 20) & 1023;
    d2 = (d2 + 16) & 1023;
  }
}

// The backdrop wobbles up and down in the centre, drawn over everything else
// from the part's second frame ever on.
void draw_backdrop() {
  DemoState& s = TORQ6150_state;
  const DemoSettings& c = TORQ6150_settings;
  if (s.backdrop_armed == 0) {
    s.backdrop_armed = 1;
    return;
  }
  IMG* backdrop = s.backdrop_image;
  if (backdrop == nullptr) return;
  backdrop->x = (c.frame_width - backdrop->width) / 2;
  backdrop->y = (c.frame_height - backdrop->height) / 2 + swing(s.backdrop_phase, 128, 16);
  IMG_blit_at(backdrop, s.frame);
}

void render() {
  DemoState& s = TORQ6150_state;
  // The bars repaint the whole frame, so fading and clearing never show here.
  RASTER_advance(s.bars);
  RASTER_draw(s.bars, s.frame);
  s.chain_phase_x1 = (s.chain_phase_x1 + 20) & 1023;
  s.chain_phase_y1 = (s.chain_phase_y1 + 14) & 1023;
  s.chain_phase_x2 = (s.chain_phase_x2 + 8) & 1023;
  s.chain_phase_y2 = (s.chain_phase_y2 + 10) & 1023;
  draw_sprite_chain();
  SCROLL_step(s.scroller);
  SCROLL_draw(s.scroller);
  // The bounce for the next frame: the positive half-wave, y from 32 up to -31.
  if (s.scroller != nullptr) {
    s.scroller->y = 32 - (wrap_mul(64, SINE_TABLE[s.bounce_phase & 511]) >> 15);
  }
  s.bounce_phase = wrap_add(s.bounce_phase, 40);
  s.backdrop_phase = (s.backdrop_phase + 20) & 1023;
  draw_backdrop();
}

// Takes the set-up's tint off the main font, as far as saturation allows.
void finish() { TORQ6150_tint_font(0x505000, 0x000020); }

// The frame-rate overlay, then the circling letters.
void text_layers() {
  TORQ6150_fps_overlay();
  TORQ6150_circling_letters();
}

}  // namespace

IMG* TORQ6150_build_big_glyphs(LIST* glyphs, const SAMPLE* palette) {
  IMG* sheet = IMG_new();
  IMG_set_size(sheet, 256, 128 * 256);
  for (std::int32_t i = 0; i < 128 && glyphs != nullptr && i < glyphs->count; ++i) {
    auto* glyph = static_cast<OBJ2D*>(LIST_get(glyphs, i));
    if (glyph == nullptr) continue;
    // A 16 x 16 glyph fills its 256 x 256 cell but for a 16-pixel margin.
    glyph->position.x = 16;
    glyph->position.y = 256 * i + 16;
    glyph->scale.x = 15;
    glyph->scale.y = 15;
    glyph->angle = 0;
    SAMPLE* ends = SAMPLE_new();
    if (ends == nullptr) continue;
    OBJ2D_export(glyph, ends);
    // Each glyph in its own pair of hues.
    const auto c1 = static_cast<std::uint32_t>(SAMPLE_get(palette, 200 * i % 1536));
    const auto c2 = static_cast<std::uint32_t>(SAMPLE_get(palette, (200 * i + 96) % 1536));
    for (std::int32_t j = 0; j + 3 < ends->length; j += 4) {
      IMGFX_thick_bicolor_line(sheet, ends->data[j], ends->data[j + 1], c1, ends->data[j + 2],
                               ends->data[j + 3], c2, 32);
    }
    SAMPLE_free(&ends);
  }
  return sheet;
}

const DemoPart TORQ6150_scroller_part{750, setup, render, text_layers, finish, true, true};
