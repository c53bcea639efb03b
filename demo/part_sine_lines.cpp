// The sine-line part: one to three chains of discs writhing over black,
// softened by glare and blur.

#include "demo.h"
#include "layers.h"
#include "list.h"
#include "parts.h"
#include "rng.h"
#include "sample.h"
#include "sineline.h"

namespace {

SINELINE* line_at(std::int32_t index) {
  return static_cast<SINELINE*>(LIST_get(TORQ6150_state.sine_lines, index));
}

void setup() {
  DemoState& s = TORQ6150_state;
  DemoSettings& c = TORQ6150_settings;
  // The number of lines is chosen once per run of the program.
  if (s.sine_lines == nullptr) {
    s.sine_lines = LIST_new();
    const int n = RNG_rand() % 3;
    for (int i = 0; i <= n; ++i) LIST_append(s.sine_lines, SINELINE_new());
  }
  for (std::int32_t i = s.sine_lines->count - 1; i >= 0; --i) {
    SINELINE* line = line_at(i);
    SINELINE_set_count(line, c.frame_width / 2);
    SINELINE_randomize(line);
    // Fixed point steps: random phases and speeds, always the same shape family.
    line->step[0] = {5, 7, 0};
    line->step[1] = {11, 13, 0};
    line->step[2] = {17, 19, 0};
    line->width = c.frame_width;
    line->height = c.frame_height;
    line->color = static_cast<std::uint32_t>(SAMPLE_get(s.palette, RNG_rand() % 1536));
  }
  TORQ6150_set_post_processing(0x101010, 1, 1, 0);
  s.white_background = 0;
}

// The line at index 0 is drawn last, on top.
void render() {
  DemoState& s = TORQ6150_state;
  for (std::int32_t i = s.sine_lines->count - 1; i >= 0; --i) {
    SINELINE_update(line_at(i));
    SINELINE_draw_circles(line_at(i), s.frame);
  }
}

void text_layers() {
  TORQ6150_fps_overlay();
  TORQ6150_circling_letters();
}

}  // namespace

const DemoPart TORQ6150_sine_line_part{500, setup, render, text_layers, nullptr, true, true};
