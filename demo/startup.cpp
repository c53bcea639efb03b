#include <cstdio>
#include <cstdlib>

#include "assets.h"
#include "demo.h"
#include "font.h"
#include "imgfx.h"
#include "lfont.h"
#include "obj2d.h"
#include "os.h"
#include "rng.h"
#include "sample.h"
#include "score.h"
#include "xsnd.h"

DemoSettings TORQ6150_settings;
DemoState TORQ6150_state;

namespace {

// Makes a frame-sized image.
IMG* new_frame_image(std::int32_t width, std::int32_t height) {
  IMG* image = IMG_new();
  IMG_set_size(image, width, height);
  return image;
}

IMG* parse(const Asset& asset) { return IMG_parse_pnm(asset.data, asset.size); }

// The blue loading screen with the logo in its centre, shown once while the
// rest of start-up runs. The logo's set bits read as white, so it is
// inverted first: its ink then adds white onto the blue.
void show_loading_screen() {
  DemoState& s = TORQ6150_state;
  const DemoSettings& c = TORQ6150_settings;
  IMGFX_fill_rect(s.frame, 0, 0, c.frame_width, c.frame_height, 0x0080FF);
  s.logo_image = parse(ASSET_logo);
  IMGFX_invert(s.logo_image);
  if (s.logo_image != nullptr) {
    const IMG& logo = *s.logo_image;
    IMGFX_add_blit(&logo, s.frame, 0, 0, (c.frame_width - logo.width) / 2,
                   (c.frame_height - logo.height) / 2, logo.width, logo.height);
  }
  XDPY_present(s.display, s.frame);
}

// A font of 16 x 16 cells on the given sheet, drawing into the frame.
FONT* new_font(IMG* sheet) {
  FONT* font = FONT_new();
  if (font == nullptr) return nullptr;
  font->glyph_width = 16;
  font->glyph_height = 16;
  font->sheet = sheet;
  font->target = TORQ6150_state.frame;
  return font;
}

// The bar font's sheet: the glyph sheet's top row of pattern cells laid over
// a light cyan strip and lightened.
IMG* build_bar_sheet(const IMG* glyphs) {
  IMG* bar = IMG_new();
  IMG_set_size(bar, 256, 16);
  IMG_fill_rect(bar, 0, 0, 256, 16, 0x44EEFF);
  IMG_blit(glyphs, bar, 0, 0, 0, 0, 256, 16);
  IMG_add_color(bar, 0x808080);
  return bar;
}

void build_fonts() {
  DemoState& s = TORQ6150_state;
  IMG* glyphs = parse(ASSET_glyphs);
  s.sheet_font = new_font(glyphs);
  s.bar_font = new_font(build_bar_sheet(glyphs));
  s.sprite_font = new_font(parse(ASSET_sprites));
}

// A line font of 16 x 16 cells on the glyphs, drawing into the target.
LFONT* new_line_font(LIST* glyphs, IMG* target) {
  LFONT* font = LFONT_new();
  if (font == nullptr) return nullptr;
  font->cell = VEC2D{16, 16, font->cell.colour};
  font->glyphs = glyphs;
  font->target = target;
  return font;
}

void build_line_fonts() {
  DemoState& s = TORQ6150_state;
  s.wire_glyphs = OBJ2D_parse(ASSET_wire_font.data, ASSET_wire_font.size);
  s.wire_font = new_line_font(s.wire_glyphs, s.frame);
  s.icon_objects = OBJ2D_parse(ASSET_icons.data, ASSET_icons.size);
  s.icon_font = new_line_font(s.icon_objects, nullptr);
}

}  // namespace

SAMPLE* TORQ6150_build_palette() {
  SAMPLE* palette = SAMPLE_new();
  SAMPLE_set_length(palette, 1536);
  for (std::int32_t i = 0; i < 256; ++i) {
    SAMPLE_set(palette, i, 0x00FF00 + i);
    SAMPLE_set(palette, 256 + i, 0x00FFFF - 256 * i);
    SAMPLE_set(palette, 512 + i, (i << 16) | 0x0000FF);
    SAMPLE_set(palette, 768 + i, 0xFF00FF - i);
    SAMPLE_set(palette, 1024 + i, 0xFF0000 + 256 * i);
    SAMPLE_set(palette, 1280 + i, 0xFFFF00 - (i << 16));
  }
  return palette;
}

namespace {

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
  s.sound_device = XSND_new();  // without a device the show runs silent
  XDPY_set_size(s.display, c.frame_width, c.frame_height);
  s.frame = new_frame_image(s.display->width, s.display->height);
  OS_sleep(1);
  RNG_srand(8175);
  show_loading_screen();
  s.glare_frame = new_frame_image(c.frame_width, c.frame_height);
  s.blur_frame = new_frame_image(c.frame_width, c.frame_height);
  RNG_srand(273880913);
  RNG_rand();  // the first number of the show's sequence is discarded
  build_fonts();
  build_line_fonts();
  s.star_image = parse(ASSET_stars);
  s.palette = TORQ6150_build_palette();
  s.backdrop_image = parse(ASSET_backdrop);
  s.background_colour = 0;
  s.music = TORQ6150_build_score();
  s.fps = FPS_new();
  if (s.fps != nullptr) s.fps->target_fps = 50;
  return set_window_title();
}
