// The four benchmark parts: random thick two-colour lines, thick lines,
// filled circles and thin two-colour lines, as many per frame as still fit in
// the frame period. Each count climbs by its step after a frame with time to
// spare and falls by it after one without, and is printed under its titles.

#include "demo.h"
#include "font.h"
#include "imgfx.h"
#include "layers.h"
#include "parts.h"
#include "rng.h"
#include "sample.h"
#include "wrap.h"

namespace {

// What tells one benchmark from another.
struct Benchmark {
  std::int32_t* count;             // shapes per frame (the circles draw one more), never reset
  std::int32_t step;               // how far the count moves per frame
  std::uint8_t white_background;   // set-up's background: 1 white, 0 black
  std::uint32_t tint_up;           // added to the main font's sheet at set-up
  std::uint32_t tint_down;         // then subtracted from it; the finish does the opposite
  const char* title1;              // printed at the top and again above the label
  const char* title2;
  const char* label;               // printed above the count
  void (*draw)(std::int32_t count);  // draws one frame's shapes, drawing every random number
};

std::int32_t random_x() { return RNG_rand() % TORQ6150_settings.frame_width; }
std::int32_t random_y() { return RNG_rand() % TORQ6150_settings.frame_height; }
// A line colour: a raw random number, stored as it is; only its low three bytes show.
std::uint32_t random_colour() { return static_cast<std::uint32_t>(RNG_rand()); }
std::int32_t random_thickness() { return RNG_rand() % 15 + 1; }

// Every random number is taken into a local first, so that the draws keep
// their order whatever order the compiler evaluates call arguments in.
void draw_thick_bicolor_lines(std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t x1 = random_x(), y1 = random_y(), x2 = random_x(), y2 = random_y();
    const std::uint32_t colour1 = random_colour(), colour2 = random_colour();
    const std::int32_t thickness = random_thickness();
    IMGFX_thick_bicolor_line(TORQ6150_state.frame, x1, y1, colour1, x2, y2, colour2, thickness);
  }
}

void draw_thick_lines(std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t x1 = random_x(), y1 = random_y(), x2 = random_x(), y2 = random_y();
    const std::uint32_t colour = random_colour();
    const std::int32_t thickness = random_thickness();
    IMGFX_thick_line(TORQ6150_state.frame, x1, y1, x2, y2, colour, thickness);
  }
}

void draw_bicolor_lines(std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t x1 = random_x(), y1 = random_y();
    const std::uint32_t colour1 = random_colour();
    const std::int32_t x2 = random_x(), y2 = random_y();
    const std::uint32_t colour2 = random_colour();
    IMGFX_bicolor_line(TORQ6150_state.frame, x1, y1, colour1, x2, y2, colour2);
  }
}

// One circle more than the count, so that even a count of 0 draws something.
void draw_filled_circles(std::int32_t count) {
  const DemoState& s = TORQ6150_state;
  for (std::int64_t i = 0; i <= count; ++i) {
    const std::int32_t x = random_x(), y = random_y();
    const std::int32_t radius = RNG_rand() & 63;
    const auto colour = static_cast<std::uint32_t>(SAMPLE_get(s.palette, RNG_rand() % 1536));
    IMG_filled_circle(s.frame, x, y, radius, colour);
  }
}

constexpr Benchmark BENCHMARKS[] = {
    {&TORQ6150_state.bicolor_thick_count, 1, 1, 0x005000, 0x500050, "BICOLOR, THICK\n",
     "LINES BENCHMARK\n", "LINES PER FRAME:\n", draw_thick_bicolor_lines},
    {&TORQ6150_state.thick_line_count, 1, 1, 0x000050, 0x505000, "THICK LINES\n", "BENCHMARK\n",
     "PER FRAME:\n", draw_thick_lines},
    {&TORQ6150_state.filled_circle_count, 1, 1, 0x000020, 0x505000, "FILLED CIRCLES\n",
     "BENCHMARK\n", "PER FRAME:\n", draw_filled_circles},
    {&TORQ6150_state.bicolor_line_count, 10, 0, 0x000050, 0x505000, "BICOLOR LINES\n",
     "BENCHMARK\n", "PER FRAME:\n", draw_bicolor_lines},
};
enum { BICOLOR_THICK, THICK_LINES, FILLED_CIRCLES, BICOLOR_LINES };

void print_at(std::int32_t y, const char* text) {
  FONT* font = TORQ6150_state.sheet_font;
  if (font == nullptr) return;
  font->x = 0;
  font->y = y;
  FONT_print(font, text);
}

template <int N>
void setup() {
  const Benchmark& b = BENCHMARKS[N];
  DemoState& s = TORQ6150_state;
  TORQ6150_set_post_processing(TORQ6150_random_grey(), 0, 0, 0);
  s.white_background = b.white_background;
  TORQ6150_tint_font(b.tint_up, b.tint_down);
  RNG_rand();
  RNG_rand();
  RNG_rand();
}

// The count adapts to the time the frame before had left over; the printed
// count is the adapted one.
template <int N>
void render() {
  const Benchmark& b = BENCHMARKS[N];
  DemoState& s = TORQ6150_state;
  DemoSettings& c = TORQ6150_settings;
  std::int32_t& count = *b.count;
  b.draw(count);
  count = wrap_add(count, s.fps->spare_us < 1 ? -b.step : b.step);
  if (count < 0) count = 0;
  if (c.bench_stats_on) {
    print_at(32, b.title1);
    print_at(48, b.title2);
    print_at(c.frame_height - 64, b.title1);
    print_at(c.frame_height - 48, b.label);
    if (s.sheet_font != nullptr) {
      s.sheet_font->x = 0;
      s.sheet_font->y = c.frame_height - 32;
      FONT_print_number(s.sheet_font, static_cast<std::uint32_t>(count));
    }
  }
  // The circle-wave part draws as many circles as this benchmark last managed.
  if constexpr (N == FILLED_CIRCLES) c.circle_count = count;
}

template <int N>
void finish() {
  TORQ6150_tint_font(BENCHMARKS[N].tint_down, BENCHMARKS[N].tint_up);
}

// The frame-rate overlay first, then the group name: sparkling over the thick
// two-colour lines, circling over the thick lines, bouncing over the others.
template <int N>
void text_layers() {
  TORQ6150_fps_overlay();
  if constexpr (N == BICOLOR_THICK) {
    TORQ6150_sparkle_letters();
  } else if constexpr (N == THICK_LINES) {
    TORQ6150_circling_letters();
  } else {
    TORQ6150_bouncing_letters();
  }
}

template <int N>
constexpr DemoPart benchmark_part() {
  return {750, setup<N>, render<N>, text_layers<N>, finish<N>, false, true};
}

}  // namespace

const DemoPart TORQ6150_bicolor_thick_part = benchmark_part<BICOLOR_THICK>();
const DemoPart TORQ6150_thick_line_part = benchmark_part<THICK_LINES>();
const DemoPart TORQ6150_filled_circle_part = benchmark_part<FILLED_CIRCLES>();
const DemoPart TORQ6150_bicolor_line_part = benchmark_part<BICOLOR_LINES>();
