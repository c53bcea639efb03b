// The waveform part: a live oscilloscope of the music's output loop across
// the top quarter, and below it a three-by-four grid holding the last twelve
// composed patterns, each frozen in its own small scope, the newest at the
// bottom right.

#include "demo.h"
#include "font.h"
#include "layers.h"
#include "list.h"
#include "music.h"
#include "parts.h"
#include "rng.h"
#include "sample.h"
#include "samdraw.h"

namespace {

constexpr std::int32_t GRID_SCOPES = 12;  // history scopes 0 to 11, row-major, 4 per row
constexpr std::int32_t LIVE_SCOPE = 12;   // the scope of the output loop

SAMDRAW* scope_at(std::int32_t index) {
  return static_cast<SAMDRAW*>(LIST_get(TORQ6150_state.scopes, index));
}

// A scope drawing into a new image of the given size at (x, y), from its own empty holder.
SAMDRAW* new_scope(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  SAMDRAW* scope = SAMDRAW_new();
  scope->source = SAM_new();
  scope->target = IMG_new();
  IMG_set_size(scope->target, width, height);
  if (scope->target != nullptr) {
    scope->target->x = x;
    scope->target->y = y;
  }
  return scope;
}

void create_scopes() {
  const DemoSettings& c = TORQ6150_settings;
  LIST* scopes = LIST_new();
  if (scopes == nullptr) return;  // reported; the part draws no scopes
  TORQ6150_state.scopes = scopes;
  for (std::int32_t r = 0; r < 3; ++r) {
    for (std::int32_t col = 0; col < 4; ++col) {
      LIST_append(scopes, new_scope(c.frame_width * col / 4, c.frame_height * r / 4,
                                    c.frame_width / 4, c.frame_height / 4));
    }
  }
  LIST_append(scopes, new_scope(0, c.frame_height * 3 / 4, c.frame_width, c.frame_height / 4));
}

void setup() {
  DemoState& s = TORQ6150_state;
  TORQ6150_set_post_processing(TORQ6150_random_grey(), 0, 0, 0);
  RNG_rand();
  RNG_rand();
  RNG_rand();
  if (s.scopes == nullptr) create_scopes();
  // Successive scopes step a twelfth of the hue circle; each background is
  // its colour at an eighth of the brightness.
  const std::int32_t r = RNG_rand() % 1536;
  for (std::int32_t i = 0; i <= LIVE_SCOPE; ++i) {
    SAMDRAW* scope = scope_at(i);
    if (scope == nullptr) continue;
    scope->colour = static_cast<std::uint32_t>(SAMPLE_get(s.palette, (i * 128 + r) % 1536));
    scope->background = (scope->colour & 0xf8f8f8) >> 3;
    scope->marker = 0xddeeff;
  }
  // Blue lifted by 32, red and green lowered by 80.
  TORQ6150_tint_font(0x000020, 0x505000);
}

// Draws the waveform over the whole of the buffer the scope's holder holds.
void draw_whole(SAMDRAW* scope) {
  const SAMPLE* held = scope->source->sample;
  scope->first = 0;
  scope->last = held != nullptr ? held->length - 1 : 0;
  SAMDRAW_draw(scope);
}

// The waveform and the markers of its extremes.
void redraw(SAMDRAW* scope) {
  if (scope == nullptr) return;
  draw_whole(scope);
  SAMDRAW_draw_extremes(scope);
}

// The oldest pattern is freed, every other moves one scope back, and the
// newest scope gets a copy of the music's pattern. Each history buffer has
// exactly one holder, which owns it.
void shift_history(const MUSIC* music) {
  SAMDRAW* oldest = scope_at(0);
  if (oldest == nullptr) return;
  if (oldest->source->sample != nullptr) SAMPLE_free(&oldest->source->sample);
  for (std::int32_t i = 0; i < GRID_SCOPES - 1; ++i) {
    SAMDRAW* scope = scope_at(i);
    const SAMDRAW* next = scope_at(i + 1);
    if (scope == nullptr || next == nullptr) return;
    scope->source->sample = next->source->sample;
    next->source->sample = nullptr;
    redraw(scope);
  }
  SAMDRAW* newest = scope_at(GRID_SCOPES - 1);
  if (newest == nullptr) return;
  if (music->pattern != nullptr) SAM_set_sample(newest->source, SAMPLE_clone(music->pattern));
  redraw(newest);
}

// The extremes of the music's output loop, kept between the frames that
// change it: finding them scans its 132,300 values twice, more than all the
// rest of the part's drawing, while the loop changes only on the music's
// blend and compose steps.
struct LoopExtremes {
  const SAMPLE* loop;          // the loop they were found in; none: not yet found
  std::int32_t length;
  std::uint32_t loop_changes;  // DemoState's count when they were found
  std::int32_t max_index, min_index;
};
LoopExtremes extremes{};

// The live scope: the music's output loop and the markers of its extremes.
void draw_live(SAMDRAW* live, SAMPLE* output) {
  SAM_set_sample(live->source, output);
  const SAMPLE* loop = live->source->sample;
  if (loop == nullptr || loop->length == 0) {
    redraw(live);
    return;
  }
  draw_whole(live);
  const std::uint32_t changes = TORQ6150_state.loop_changes;
  if (extremes.loop != loop || extremes.length != loop->length || extremes.loop_changes != changes)
    extremes = LoopExtremes{loop, loop->length, changes, SAMPLE_max_index(loop),
                            SAMPLE_min_index(loop)};
  SAMDRAW_draw_marker(live, extremes.max_index);
  SAMDRAW_draw_marker(live, extremes.min_index);
}

void render() {
  DemoState& s = TORQ6150_state;
  const DemoSettings& c = TORQ6150_settings;
  if (s.scopes == nullptr) return;
  for (std::int32_t i = 0; i < GRID_SCOPES; ++i) {
    const SAMDRAW* scope = scope_at(i);
    if (scope == nullptr || scope->target == nullptr) continue;
    scope->target->x = c.frame_width * (i % 4) / 4;
    scope->target->y = c.frame_height / 4 + c.frame_height * (i / 4) / 4;  // below the live scope
  }
  SAMDRAW* live = scope_at(LIVE_SCOPE);
  if (live != nullptr && live->target != nullptr) {
    live->target->x = 0;
    live->target->y = 0;
  }
  // The countdown reads 0 once per pattern; muted at that moment, the
  // music stands and the grid shifts on every frame.
  if (s.music != nullptr && s.music->countdown == 0) shift_history(s.music);
  if (live != nullptr && s.music != nullptr) draw_live(live, s.music->output);
  for (std::int32_t i = 0; i <= LIVE_SCOPE; ++i) {
    const SAMDRAW* scope = scope_at(i);
    if (scope != nullptr && scope->target != nullptr) IMG_blit_at(scope->target, s.frame);
  }
}

// Undoes the tint; channels it pushed against 0 or 255 do not come back exactly.
void finish() { TORQ6150_tint_font(0x505000, 0x000020); }

void text_layers() {
  TORQ6150_fps_overlay();
  TORQ6150_bouncing_letters();
  TORQ6150_icon_rain();
}

}  // namespace

const DemoPart TORQ6150_waveform_part{750, setup, render, text_layers, finish, true, true};
