// The demo program: its settings and state, the part cycle, the frame
// pipeline and the key commands.
#pragma once

#include <cstdint>

#include "fps.h"
#include "img.h"
#include "xdpy.h"
#include "xkbd.h"

struct BACKMOVE;
struct FONT;
struct LFONT;
struct LIST;
struct LSTAR;
struct MUSIC;
struct RASTER;
struct SAMPLE;
struct SCROLL;
struct XSND;

// Settings with their values at start; the keys change some of them.
struct DemoSettings {
  std::int32_t frame_width = 256;     // width of the frame image and the window
  std::int32_t frame_height = 256;    // height of the frame image and the window
  std::uint8_t fade_on = 1;           // 1: fade the frame by fade_colour instead of clearing it
  std::uint8_t bench_stats_on = 1;    // statistics overlay of the benchmark parts
  std::uint32_t fade_colour = 0x010101;  // subtracted from every pixel per frame while fade_on
  std::int32_t sparkle_mask = 1;      // mask of the sparkle letters' random test
  std::int32_t icon_choice = 32;      // icon drawn by the icon rain
  std::int32_t circle_count = 100;    // published by the circle benchmark
};

// Bits of DemoState::control.
inline constexpr std::uint8_t CONTROL_QUIT = 1;       // the program is ending
inline constexpr std::uint8_t CONTROL_NEXT_PART = 2;  // the running part ends after this frame

// Run-time state, zero at start.
struct DemoState {
  std::uint8_t control;
  std::uint8_t show_fps;  // bit 0: frame-rate overlay on
  std::uint8_t blur_on;
  std::uint8_t glare_on;
  std::uint8_t paused;
  std::uint8_t muted;
  std::uint8_t white_background;
  std::uint32_t background_colour;  // what the frame is cleared to when fading is off
  XDPY* display;
  XKBD* keyboard;
  XSND* sound_device;
  IMG* frame;        // the image every part draws into
  IMG* glare_frame;  // work images of the post-processing chain
  IMG* blur_frame;
  FPS* fps;
  SAMPLE* palette;   // 1536 colours once around the hue circle
  MUSIC* music;
  std::uint32_t loop_changes;  // blends and compositions of the music's output loop so far

  // Fonts and pictures built at start-up from the data the program carries.
  IMG* logo_image;      // shown once on the loading screen
  FONT* sheet_font;     // the main 16 x 16 bitmap font
  FONT* bar_font;       // a 256 x 16 strip of pattern tiles
  FONT* sprite_font;    // a strip of sixteen coloured sprites
  LIST* wire_glyphs;    // OBJ2D line glyphs of the wire font, by character code
  LFONT* wire_font;     // draws wire_glyphs into the frame
  LIST* icon_objects;   // OBJ2D icons of the icon collection, by position
  LFONT* icon_font;     // draws icon_objects; its target is set where it draws
  IMG* star_image;      // four 64 x 64 background tiles
  IMG* backdrop_image;  // a picture drawn centred by the scroller part

  // Objects the parts keep from one visit to the next.
  LIST* sine_lines;  // SINELINE records of the sine-line part
  LIST* arch_paths;  // ARCHPATH records of the arch-path part, made and freed per visit
  LIST* scopes;      // 13 SAMDRAW records of the waveform part: the history grid, then the live scope
  LSTAR* star_bursts[4];  // made anew at each visit of the star-burst part, kept for the ray keys
  BACKMOVE* star_mover;   // the star-burst part's background and its tile, only during the part
  RASTER* bars;       // the scroller part's 1536 bar colours
  IMG* big_glyphs;    // its 128 letters of 256 x 256 stacked vertically, the sheet of big_font
  FONT* big_font;     // its font of 256 x 256 cells
  SCROLL* scroller;   // its text, in big_font; keys "u" and "i" change its speed
  std::int32_t chain_phase_x1, chain_phase_y1;  // sine-table phases of the sprite chain
  std::int32_t chain_phase_x2, chain_phase_y2;
  std::int32_t bounce_phase;    // vertical bounce of the text, used AND 511
  std::int32_t backdrop_phase;  // vertical wobble of the backdrop
  std::uint8_t backdrop_armed;  // the backdrop is drawn from the part's second frame ever on

  // Counts of the benchmark parts, never reset: each visit goes on from the last.
  std::int32_t filled_circle_count;  // circles per frame of the filled-circle benchmark, minus one
  std::int32_t bicolor_thick_count;  // lines per frame of the thick two-colour line benchmark
  std::int32_t thick_line_count;     // lines per frame of the thick-line benchmark
  std::int32_t bicolor_line_count;   // lines per frame of the two-colour line benchmark

  // The circle-wave part: its waves, drawn anew at every set-up, and its background.
  std::uint32_t wave_phase[3];        // sine indices of the x, y and radius waves, first group
  std::uint32_t wave_frame_step[3];   // added to each phase after every frame
  std::uint32_t wave_circle_step[3];  // added to each working phase after every group
  std::int32_t wave_radius;           // amplitude of the radius wave, 32 to 63
  std::int32_t wave_colour_step;      // palette distance between successive groups, 0 to 15
  BACKMOVE* wave_mover;               // the sliding tiled background, made and freed per visit
};

extern DemoSettings TORQ6150_settings;
extern DemoState TORQ6150_state;

// One part of the show: what differs between the parts around the common loop.
struct DemoPart {
  std::int32_t budget;      // frames at most
  void (*setup)();          // run at every start of the part, before its opening fade
  void (*render)();         // draws one frame into `frame`
  void (*text_layers)();    // draws the part's text layers over it, or none
  void (*finish)();         // run when the part ends, or none
  bool music;               // the part advances the music
  bool paced;               // the part sleeps out the rest of each frame period
};

// Builds everything the show needs, in order, and returns the status of the
// window-title command. Stops the program with status 1 when the display or
// the keyboard cannot be had.
int TORQ6150_startup();

// The ten steps of the show, in order; parts not built into this program are absent.
const DemoPart* const* TORQ6150_cycle();

// Runs the part cycle for ever.
[[noreturn]] void TORQ6150_run_cycle();

// Runs one part: set-up, opening fade, the frame loop, finish.
void TORQ6150_run_part(const DemoPart& part);

// Post-processing, presentation and the next frame's background.
void TORQ6150_post_present();
// Its three steps: glare and blur as switched on, giving the image to show;
// and the next frame's start, faded or cleared to the background.
IMG* TORQ6150_post_process();
void TORQ6150_start_next_frame();
// 32 times: darken the frame by 0x808080 and present it, without pacing.
void TORQ6150_fade_out();
// Applies the key command for one character; 0 and unknown characters do nothing.
void TORQ6150_key(std::int8_t key);
// Waits, taking key commands, while the show is paused.
void TORQ6150_pause();
// Advances the music by one frame and feeds the sound device, unless muted.
void TORQ6150_music_step();
// A random grey from 0x404040 to 0x7F7F7F: (rand() AND 63) x 0x010101 + 0x404040.
std::uint32_t TORQ6150_random_grey();
// A dark random grey from 0x101010 to 0x2F2F2F: (rand() AND 31) x 0x010101 + 0x101010.
std::uint32_t TORQ6150_random_dark_grey();
// The post-processing state a part's set-up establishes; keys change it afterwards.
void TORQ6150_set_post_processing(std::uint32_t fade_colour, std::uint8_t blur_on,
                                  std::uint8_t glare_on, std::uint8_t fade_on);
// Colours the main font by changing its sheet in place: adds one colour, then
// subtracts the other, per channel with saturation, so the opposite pair does
// not restore the sheet exactly (channels pushed to 0 or 255 stay changed).
void TORQ6150_tint_font(std::uint32_t add, std::uint32_t subtract);
// 1536 colours once around the hue circle, in six ramps of 256: green, cyan,
// blue, magenta, red, yellow and back to green.
SAMPLE* TORQ6150_build_palette();
