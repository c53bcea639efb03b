// Raster primitives of IMG and IMGFX: Bresenham lines, spans, filled circles,
// two-colour (dithered) lines and thick lines made of parallel strokes.
//
// Every primitive is clipped once per line or per row: the steps of a line
// that fall outside the image are skipped by arithmetic on the error term and
// the rest are stored through a running index with no call and no bounds
// check per pixel; the runs of a circle and the rows of a thick line are
// clipped row by row and filled as whole spans.
// The stored pixels are exactly those of the plain per-pixel algorithms,
// including for coordinates anywhere in the signed 32-bit range; all
// coordinate arithmetic is done in 64 bits (128 bits where products of two
// line lengths are needed) so that nothing overflows.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <utility>

#include "img.h"
#include "img_p.h"
#include "imgfx.h"
#include "work.h"

namespace {

using std::int64_t;

// Products of two line lengths of up to 2^32 each need more than 64 bits.
__extension__ typedef __int128 Wide;


// Stores the colour in `count` consecutive pixels. The C library's wide-character
// fill stores 32-bit words with the widest vector stores the machine has,
// where a plain loop here compiles to one store at a time.
void fill(std::uint32_t* p, int64_t count, std::uint32_t colour) {
  static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
  std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(colour),
               static_cast<std::size_t>(count));
}

int64_t sign(int64_t v) { return (v > 0) - (v < 0); }

// Division rounding toward plus infinity, for a non-negative numerator and a
// positive denominator.
template <typename T>
T ceil_div(T n, T d) {
  return (n + d - 1) / d;
}

// A Bresenham line reduced to the steps that land inside the image.
//
// Step j of the line (0 = the first end point) moves j pixels along the major
// axis and c(j) pixels along the minor axis, where with major length M >= 2,
// minor length m and start error e0 = M >> 1:
//   c(j) = floor((j * m + M - e0) / M)
// and the error term before storing pixel j is M - ((j * m + M - e0) mod M).
// (Each step subtracts m from the error term and adds M back when it drops to
// 0 or below, which keeps it within 1..M, so the count of minor steps and the
// error term follow from j alone.) c(j) never decreases, so the steps inside
// the image form one interval that is found with a few divisions.
struct Run {
  std::ptrdiff_t index;       // pixel of the first step inside the image
  std::ptrdiff_t major_step;  // index change of every step
  std::ptrdiff_t minor_step;  // further index change when the error term wraps
  int64_t error;              // error term before the first step inside
  int64_t major;              // M: the longer of |dx| and |dy|
  int64_t minor;              // m: the shorter one
  int64_t first;              // number j of the first step inside
  int64_t count;              // number of steps inside, at least 1
};

// Narrows steps [j_lo, j_hi] to those whose minor coordinate q + s * c(j) lies
// in 0..length - 1, for M >= 2 and m >= 1. T is wide enough for j * m.
template <typename T>
bool clip_minor(int64_t q, int64_t s, int64_t length, int64_t M, int64_t m, int64_t e0,
                int64_t& j_lo, int64_t& j_hi) {
  // Allowed minor step counts c, from the coordinate range.
  int64_t c_lo = s > 0 ? -q : q - (length - 1);
  int64_t c_hi = s > 0 ? length - 1 - q : q;
  c_lo = std::max<int64_t>(c_lo, 0);
  c_hi = std::min(c_hi, m);
  if (c_lo > c_hi) return false;
  // c(j) >= C  <=>  j * m >= (C - 1) * M + e0.
  if (c_lo > 0) {
    const T n = static_cast<T>(c_lo - 1) * M + e0;
    j_lo = std::max(j_lo, static_cast<int64_t>(ceil_div<T>(n, m)));
  }
  // c(j) <= C  <=>  j * m <= C * M + e0 - 1.
  if (c_hi < m) {
    const T n = static_cast<T>(c_hi) * M + e0 - 1;
    j_hi = std::min(j_hi, static_cast<int64_t>(n / m));
  }
  return j_lo <= j_hi;
}

// Minor step count c(j) and the error term before pixel j, for M >= 2.
template <typename T>
void step_state(int64_t j, int64_t M, int64_t m, int64_t e0, int64_t& c, int64_t& error) {
  const T t = static_cast<T>(j) * m + (M - e0);
  c = static_cast<int64_t>(t / M);
  error = M - static_cast<int64_t>(t % M);
}

// Sets up the run of the line from (x1, y1) to (x2, y2) on the image, or
// returns false when no pixel of it lands inside.
bool clip_line(const IMG& image, int64_t x1, int64_t y1, int64_t x2, int64_t y2, Run& run) {
  const int64_t width = image.width, height = image.height;
  const auto inside = [&](int64_t x, int64_t y) {
    return x >= 0 && y >= 0 && x < width && y < height;
  };
  const int64_t dx = x2 - x1, dy = y2 - y1;
  const int64_t sx = sign(dx), sy = sign(dy);
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool x_major = adx > ady;
  const int64_t M = x_major ? adx : ady;
  const int64_t m = x_major ? ady : adx;
  const int64_t e0 = M >> 1;
  run.major = M;
  run.minor = m;
  run.major_step = static_cast<std::ptrdiff_t>(x_major ? sx : sy * width);
  run.minor_step = static_cast<std::ptrdiff_t>(x_major ? sy * width : sx);

  const bool start_inside = inside(x1, y1);
  const bool end_inside = inside(x2, y2);
  if (start_inside && end_inside) {
    // Every pixel of a line lies in the box spanned by its end points.
    run.index = static_cast<std::ptrdiff_t>(y1 * width + x1);
    run.error = e0;
    run.first = 0;
    run.count = M + 1;
    return true;
  }
  if (M < 2) {
    // At most two pixels, the end points themselves; the error term of a
    // two-pixel line starts at 0 and wraps on the first step.
    if (!start_inside && !end_inside) return false;
    run.index = static_cast<std::ptrdiff_t>(start_inside ? y1 * width + x1 : y2 * width + x2);
    run.error = 0;
    run.first = start_inside ? 0 : M;
    run.count = 1;
    return true;
  }

  const int64_t p = x_major ? x1 : y1, q = x_major ? y1 : x1;
  const int64_t s_major = x_major ? sx : sy, s_minor = x_major ? sy : sx;
  const int64_t major_length = x_major ? width : height;
  const int64_t minor_length = x_major ? height : width;

  // Steps whose major coordinate p + s_major * j lies inside.
  int64_t j_lo = s_major > 0 ? -p : p - (major_length - 1);
  int64_t j_hi = s_major > 0 ? major_length - 1 - p : p;
  j_lo = std::max<int64_t>(j_lo, 0);
  j_hi = std::min(j_hi, M);
  if (j_lo > j_hi) return false;

  // Steps whose minor coordinate lies inside (all of them when both ends'
  // minor coordinates are inside).
  const bool narrow = M <= INT32_MAX;  // then j * m and C * M fit in 64 bits
  const int64_t q_end = q + s_minor * m;
  if (m == 0) {
    if (q < 0 || q >= minor_length) return false;
  } else if (q >= 0 && q < minor_length && q_end >= 0 && q_end < minor_length) {
    // Nothing to narrow.
  } else if (narrow ? !clip_minor<int64_t>(q, s_minor, minor_length, M, m, e0, j_lo, j_hi)
                    : !clip_minor<Wide>(q, s_minor, minor_length, M, m, e0, j_lo, j_hi)) {
    return false;
  }

  int64_t c = 0, error = 0;
  if (narrow) {
    step_state<int64_t>(j_lo, M, m, e0, c, error);
  } else {
    step_state<Wide>(j_lo, M, m, e0, c, error);
  }
  const int64_t major_at = p + s_major * j_lo, minor_at = q + s_minor * c;
  const int64_t x = x_major ? major_at : minor_at, y = x_major ? minor_at : major_at;
  run.index = static_cast<std::ptrdiff_t>(y * width + x);
  run.error = error;
  run.first = j_lo;
  run.count = j_hi - j_lo + 1;
  return true;
}

// A position on a run: the pixel and the error term before it is stored.
struct Cursor {
  std::ptrdiff_t index;
  int64_t error;
};

// Moves the cursor one step along the run. Written with a mask rather than a
// branch: on most slopes whether the error term wraps follows no pattern that
// a branch predictor could learn. The loops below copy the run's fields into
// locals first, so that everything stays in registers.
inline void step(Cursor& at, int64_t M, int64_t m, std::ptrdiff_t major_step,
                 std::ptrdiff_t minor_step) {
  at.error -= m;
  const int64_t wrap = (at.error - 1) >> 63;  // all ones when the error term is at most 0
  at.error += M & wrap;
  at.index += major_step + (minor_step & wrap);
}

// The cursor `steps` steps further on, computed without walking: the error
// term wraps once for every major length that the steps take from it (it
// lies within 1..M on every step but the first of a line of major length 1,
// whose run has a single pixel).
Cursor advance(Cursor at, const Run& run, int64_t steps) {
  // Below 2^62: a run lies inside the image, so it has fewer than 2^31 steps.
  const int64_t taken = steps * run.minor;
  const int64_t wraps = taken < at.error ? 0 : (taken - at.error) / run.major + 1;
  // The pixel lies inside the image, so its index fits.
  return Cursor{static_cast<std::ptrdiff_t>(at.index + steps * run.major_step +
                                            wraps * run.minor_step),
                at.error - taken + wraps * run.major};
}

// Runs shorter than this are stored in one go; longer ones in two halves side
// by side, whose steps form two independent chains that the processor
// overlaps. A line never visits a pixel twice, so the order of its stores
// does not matter.
constexpr int64_t kSplitRun = 16;

// Stores the run in one colour.
void fill_run(std::uint32_t* pixels, const Run& run, std::uint32_t colour) {
  const int64_t M = run.major, m = run.minor;
  const std::ptrdiff_t major_step = run.major_step, minor_step = run.minor_step;
  Cursor a{run.index, run.error};
  if (run.count < kSplitRun) {
    for (int64_t n = run.count; n > 0; --n) {
      pixels[a.index] = colour;
      step(a, M, m, major_step, minor_step);
    }
    return;
  }
  const int64_t half = run.count / 2;
  Cursor b = advance(a, run, half);
  for (int64_t n = half; n > 0; --n) {
    pixels[a.index] = colour;
    pixels[b.index] = colour;
    step(a, M, m, major_step, minor_step);
    step(b, M, m, major_step, minor_step);
  }
  if (run.count % 2 != 0) pixels[b.index] = colour;
}

// The two-colour dither before pixel j of a line of major length M: its
// counter has lost 0 + 1 + ... + (j - 1) and regained M for every colour-2
// pixel, and it always stays within 1..M, so it is M minus that triangular
// number modulo M. It is kept one below its value, so that "at most 0" is the
// sign bit.
int64_t dither_before(int64_t M, int64_t j) {
  if (j < 2) return M - 1;
  const std::uint64_t u = static_cast<std::uint64_t>(j);
  // j (j - 1) / 2 without overflow: halve the even factor first.
  const std::uint64_t triangle = (u % 2 == 0) ? (u / 2) * (u - 1) : u * ((u - 1) / 2);
  const std::uint64_t mod = static_cast<std::uint64_t>(M);
  // The 32-bit division is the quicker one, and lines near the image need no more.
  const std::uint64_t rest =
      (triangle | mod) >> 32 == 0
          ? static_cast<std::uint32_t>(triangle) % static_cast<std::uint32_t>(mod)
          : triangle % mod;
  return M - static_cast<int64_t>(rest) - 1;
}

// Moves the dither counter past pixel j and returns that pixel's colour, from
// the two colours in order. The colour is looked up rather than chosen by a
// branch, for the same reason as in step, and from memory rather than
// registers, which the loops need for their counters.
inline std::uint32_t dither_colour(int64_t& f_less_1, int64_t j, int64_t M,
                                   const std::uint32_t (&colours)[2]) {
  f_less_1 -= j;
  const int64_t second = f_less_1 >> 63;  // all ones for colour 2
  f_less_1 += M & second;
  return colours[second & 1];
}

// Stores the run with the two-colour dither, in two halves like fill_run.
// This loop has the most state to keep in registers; pointers rather than
// indices save one (each stays within the image: neither moves past the last
// pixel of its half).
void dither_run(std::uint32_t* pixels, const Run& run, std::uint32_t colour1,
                std::uint32_t colour2) {
  const int64_t M = run.major, m = run.minor;
  const std::ptrdiff_t major_step = run.major_step, minor_step = run.minor_step;
  const std::uint32_t colours[2] = {colour1, colour2};
  Cursor a{run.index, run.error};
  int64_t fa = dither_before(M, run.first);
  int64_t j = run.first;
  if (run.count < kSplitRun) {
    for (const int64_t end = j + run.count; j != end; ++j) {
      pixels[a.index] = dither_colour(fa, j, M, colours);
      step(a, M, m, major_step, minor_step);
    }
    return;
  }
  const int64_t half = run.count / 2;
  const Cursor b = advance(a, run, half);
  // Pixel j of the first half goes with pixel jb = j + half of the second.
  int64_t jb = j + half, fb = dither_before(M, jb);
  std::uint32_t *pa = pixels + a.index, *pb = pixels + b.index;
  int64_t ea = a.error, eb = b.error;
  const auto move = [&](std::uint32_t*& p, int64_t& e) {
    e -= m;
    const int64_t wrap = (e - 1) >> 63;  // as in step
    e += M & wrap;
    p += major_step + (minor_step & wrap);
  };
  for (const int64_t last = jb - 1; j != last; ++j, ++jb) {
    *pa = dither_colour(fa, j, M, colours);
    *pb = dither_colour(fb, jb, M, colours);
    move(pa, ea);
    move(pb, eb);
  }
  *pa = dither_colour(fa, j, M, colours);
  *pb = dither_colour(fb, jb, M, colours);
  if (run.count % 2 != 0) {
    move(pb, eb);
    *pb = dither_colour(fb, jb + 1, M, colours);
  }
}

// The one-pixel line, on an image known to have pixels.
void line(IMG& image, int64_t x1, int64_t y1, int64_t x2, int64_t y2, std::uint32_t colour) {
  Run run;
  if (clip_line(image, x1, y1, x2, y2, run)) fill_run(image.pixels.get(), run, colour);
}

// The two-colour line, on an image known to have pixels.
void bicolor_line(IMG& image, int64_t x1, int64_t y1, std::uint32_t colour1, int64_t x2,
                  int64_t y2, std::uint32_t colour2) {
  if (x1 == x2 && y1 == y2) {
    // A single point has no gradient: it takes colour 1.
    if (x1 >= 0 && y1 >= 0 && x1 < image.width && y1 < image.height) {
      image.pixels[static_cast<std::ptrdiff_t>(y1 * image.width + x1)] = colour1;
    }
    return;
  }
  Run run;
  if (clip_line(image, x1, y1, x2, y2, run)) dither_run(image.pixels.get(), run, colour1, colour2);
}

// Division rounding toward minus infinity, for a positive denominator.
template <typename T>
T floor_div(T n, T d) {
  const T q = n / d;
  return (n % d != 0 && n < 0) ? q - 1 : q;
}

// Narrows the offsets lo..hi of a thick line's strokes to those that can
// reach the image. The stroke at offset i is the line from (x1, y1) to
// (x2, y2) moved by i times a fixed vector, plus up to (1, 0) more for the
// second of a diagonal pair. Measured by h(x, y) = (x - x1) dy - (y - y1) dx,
// which is 0 along the line, the pixels of the line itself have |h| <= M (they
// stray less than one pixel across it), the move adds i * k, and the extra
// column adds dy; the image spans the values of h at its corners. Offsets
// whose strokes cannot come that close are dropped; without this, a long line
// of absurd thickness would set up billions of strokes that all miss. T holds
// products of coordinate differences.
template <typename T>
void clip_offsets(const IMG& image, int64_t x1, int64_t y1, int64_t dx, int64_t dy, int64_t k,
                  int64_t& lo, int64_t& hi) {
  if (k == 0) return;
  const auto h = [&](int64_t x, int64_t y) {
    return static_cast<T>(x - x1) * dy - static_cast<T>(y - y1) * dx;
  };
  const int64_t right = image.width - 1, bottom = image.height - 1;
  const T corners[4] = {h(0, 0), h(right, 0), h(0, bottom), h(right, bottom)};
  const T h_min = *std::min_element(corners, corners + 4);
  const T h_max = *std::max_element(corners, corners + 4);
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const T slack = static_cast<T>(2) * std::max(adx, ady) + ady + 2;
  // Need h_min - slack <= i * k <= h_max + slack.
  T low = h_min - slack, high = h_max + slack, step = k;
  if (step < 0) {
    std::swap(low, high);
    low = -low;
    high = -high;
    step = -step;
  }
  lo = std::max(lo, static_cast<int64_t>(-floor_div<T>(-low, step)));
  hi = std::min(hi, static_cast<int64_t>(floor_div<T>(high, step)));
}

// Draws the strokes of a thick line from (x1, y1) to (x2, y2), x1 <= x2,
// calling stroke(ax, ay, bx, by) for each, offsets ascending and the two of a
// diagonal pair in turn (where two-colour strokes cross, the later one's
// colour stays). Strokes that cannot reach the image are left out, which
// changes no pixel.
template <typename Stroke>
void thick_strokes(const IMG& image, int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t t,
                   Stroke stroke) {
  const int64_t width = image.width, height = image.height;
  if (width <= 0 || height <= 0) return;
  const int64_t dx = x2 - x1, dy = y2 - y1;
  const int64_t ady = dy < 0 ? -dy : dy;
  // Products of coordinate differences fit in 64 bits for coordinates
  // within +-2^28 (the image itself is smaller than 2^31 a side).
  const int64_t reach = std::max({-x1, x2, -std::min(y1, y2), std::max(y1, y2), width, height});
  const bool narrow = reach < (int64_t{1} << 28);
  const auto clip = [&](int64_t k, int64_t& lo, int64_t& hi) {
    if (narrow) {
      clip_offsets<int64_t>(image, x1, y1, dx, dy, k, lo, hi);
    } else {
      clip_offsets<Wide>(image, x1, y1, dx, dy, k, lo, hi);
    }
  };
  if (2 * dx <= ady) {
    // Steep: strokes side by side, offsets -(t / 2) .. (t + 1) / 2 - 1.
    int64_t lo = std::max(-(t / 2), -x2);
    int64_t hi = std::min((t + 1) / 2 - 1, width - 1 - x1);
    clip(dy, lo, hi);
    for (int64_t i = lo; i <= hi; ++i) stroke(x1 + i, y1, x2 + i, y2);
  } else if ((dx >> 1) > ady) {
    // Shallow: strokes stacked vertically.
    int64_t lo = std::max(-(t / 2), -std::max(y1, y2));
    int64_t hi = std::min((t + 1) / 2 - 1, height - 1 - std::min(y1, y2));
    clip(-dx, lo, hi);
    for (int64_t i = lo; i <= hi; ++i) stroke(x1, y1 + i, x2, y2 + i);
  } else if (t == 1) {
    // A diagonal line of thickness 1 is the plain line.
    stroke(x1, y1, x2, y2);
  } else {
    // Diagonal: pairs of strokes offset across the line's direction, the
    // second of each pair one pixel to the right to close the gaps between
    // diagonal neighbours; three pairs for every four of thickness.
    const int64_t u = (3 * t) / 4;
    const int64_t across = dy > 0 ? -1 : 1;
    int64_t lo = std::max(-(u / 2), -x2 - 1);
    int64_t hi = std::min((u + 1) / 2 - 1, width - 1 - x1);
    clip(dy - across * dx, lo, hi);
    for (int64_t i = lo; i <= hi; ++i) {
      stroke(x1 + i, y1 + across * i, x2 + i, y2 + across * i);
      stroke(x1 + i + 1, y1 + across * i, x2 + i + 1, y2 + across * i);
    }
  }
}

// Thick lines row by row.
//
// Every stroke of a thick line is the line from (x1, y1) to (x2, y2) moved by
// a fixed vector (a Bresenham path does not depend on where it starts), so
// the strokes' pixels on any row come from a few rows of that one base line.
// On each row the base line covers one run of columns (one pixel when it is
// y-major), and the runs of successive rows follow each other without gap.
// Stacked strokes (shallow lines) join the runs of neighbouring base rows,
// side-by-side strokes (steep lines) widen a single pixel, and a diagonal
// pair's second stroke closes the gap between its first and the next pair's:
// in every case the strokes fill one unbroken span per row. The base line is
// walked once; each row is then filled directly. Where two-colour strokes
// overlap (only within a diagonal pair, and between neighbouring pairs of a
// y-major line) the later stroke's colour is stored last, as when they are
// drawn one after the other.

// Longest base line (major length) drawn row by row; its rows and colours
// are kept on the stack. Longer lines are drawn stroke by stroke.
constexpr int64_t kRowLineMax = 511;

// The base line of a thick line, from its left end (x1, y1) to (x2, y2),
// x1 <= x2, with its rows numbered from the top one, row r being y = top + r.
// For two-colour strokes it also holds the colour of every step and the
// colours of a row of diagonal pairs (see thick_rows).
template <bool dither>
struct BaseLine {
  int64_t top, rows;  // rows: |dy| + 1
  bool rising;        // dy < 0: later steps lie on higher rows
  std::int32_t first[kRowLineMax + 1];  // leftmost column of each row, from x1
  std::int32_t last[kRowLineMax + 1];   // rightmost column of each row, from x1
  std::uint32_t colour[dither ? kRowLineMax + 1 : 1];     // by step
  std::uint32_t paired[dither ? 2 * kRowLineMax + 2 : 1];  // by column of a pair row

  // Number of the row counted along the line (0 for the row of (x1, y1)).
  int64_t along(int64_t r) const { return rising ? rows - 1 - r : r; }
};

// Walks the Bresenham path of the base line once, recording each row's run
// and, for two-colour strokes, the colours.
//
// A row of diagonal pairs holds, left to right, the pairs of successive base
// rows, pair i being the row's run moved right by i and by i + 1, the second
// stroke stored last. For an x-major line each pair is the run's first colour
// followed by the run's colours; for a y-major line each pair is its step's
// colour twice, and where the next pair starts only one column further on, it
// overwrites the second. Both make one sequence, `paired`, in which the pair
// of row r starts at first[r] + along(r); a row of pairs is a slice of it,
// except that the last pair of a y-major row keeps its second pixel.
template <bool dither>
void walk_base(BaseLine<dither>& base, int64_t dx, int64_t y1, int64_t y2, std::uint32_t colour1,
               std::uint32_t colour2) {
  const int64_t dy = y2 - y1, ady = dy < 0 ? -dy : dy;
  base.top = std::min(y1, y2);
  base.rows = ady + 1;
  base.rising = dy < 0;
  const int64_t M = std::max(dx, ady), m = std::min(dx, ady);
  const int64_t row_step = dy >= 0 ? 1 : -1;
  int64_t r = dy >= 0 ? 0 : ady;
  int64_t error = M >> 1;
  // The two-colour dither: counter f, kept one below its value so that "at
  // most 0" is the sign bit, and the step k subtracted from it.
  int64_t f_less_1 = M - 1;
  const std::uint32_t flip = colour1 ^ colour2;
  const auto colour_at = [&](int64_t k) {
    f_less_1 -= k;
    const int64_t second = f_less_1 >> 63;  // all ones for colour 2
    f_less_1 += M & second;
    return colour1 ^ (flip & static_cast<std::uint32_t>(second));
  };
  std::uint32_t* paired = base.paired;
  if (M == 0) {
    // A single point takes colour 1.
    base.first[0] = base.last[0] = 0;
    if constexpr (dither) base.colour[0] = base.paired[0] = base.paired[1] = colour1;
  } else if (dx <= ady) {
    // One pixel per row; the column moves right when the error term wraps.
    std::int32_t x = 0;
    const std::int32_t x_step = dx > 0;
    for (int64_t n = 0; n <= M; ++n, r += row_step) {
      base.first[r] = base.last[r] = x;
      error -= m;
      const bool wrap = error <= 0;
      if (wrap) error += M;
      if constexpr (dither) {
        const std::uint32_t c = colour_at(n);
        base.colour[n] = c;
        *paired++ = c;
        *paired = c;
        paired += wrap && x_step;
      }
      if (wrap) x += x_step;
    }
  } else {
    // One run per row; a new row starts where the error term wraps.
    base.first[r] = 0;
    if constexpr (dither) {
      const std::uint32_t c = colour_at(0);
      base.colour[0] = paired[0] = paired[1] = c;
      paired += 2;
    }
    for (std::int32_t n = 1; n <= M; ++n) {
      // A level line (one pixel long) wraps the error term without a row step.
      error -= m;
      const bool wrap = error <= 0 && m > 0;
      if (wrap) {
        error += M;
        base.last[r] = n - 1;
        r += row_step;
        base.first[r] = n;
      }
      if constexpr (dither) {
        const std::uint32_t c = colour_at(n);
        base.colour[n] = c;
        *paired++ = c;
        *paired = c;
        paired += wrap;
      }
    }
    base.last[r] = static_cast<std::int32_t>(M);
  }
}

// Stores colour in columns a..b of the row, clipped to its width.
inline void solid_span(std::uint32_t* row, int64_t width, int64_t a, int64_t b,
                       std::uint32_t colour) {
  a = std::max<int64_t>(a, 0);
  b = std::min(b, width - 1);
  for (int64_t x = a; x <= b; ++x) row[x] = colour;
}

// Stores colours[0], colours[1], ... in columns a..b of the row, clipped to its width.
inline void colour_span(std::uint32_t* row, int64_t width, int64_t a, int64_t b,
                        const std::uint32_t* colours) {
  const int64_t from = std::max<int64_t>(a, 0), to = std::min(b, width - 1);
  for (int64_t x = from; x <= to; ++x) row[x] = colours[x - a];
}

// Draws the thick line from (x1, y1) to (x2, y2), x1 <= x2, of thickness
// t >= 2 and major length at most kRowLineMax row by row. The strokes are
// those of thick_strokes: with `dither` each is a two-colour line from
// colour1 to colour2, otherwise all pixels take colour1.
template <bool dither>
void thick_rows(IMG& image, int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t t,
                std::uint32_t colour1, std::uint32_t colour2) {
  const int64_t dx = x2 - x1;
  BaseLine<dither> base;
  walk_base(base, dx, y1, y2, colour1, colour2);
  const int64_t ady = base.rows - 1, top = base.top, bottom = top + ady;
  const int64_t width = image.width, height = image.height;
  std::uint32_t* const pixels = image.pixels.get();
  const auto row_of = [&](int64_t y) { return pixels + y * width; };

  if (2 * dx <= ady) {
    // Steep: strokes side by side; row y holds base row y widened to
    // offsets lo..hi, every pixel in the colour of that row's step.
    const int64_t lo = -(t / 2), hi = (t + 1) / 2 - 1;
    for (int64_t y = std::max<int64_t>(top, 0), end = std::min(bottom, height - 1); y <= end; ++y) {
      const int64_t r = y - top, x = x1 + base.first[r];
      solid_span(row_of(y), width, x + lo, x + hi, dither ? base.colour[base.along(r)] : colour1);
    }
  } else if ((dx >> 1) > ady) {
    // Shallow: strokes stacked; row y joins the runs of base rows y - hi to
    // y - lo (those that exist). Column x is step x - x1 of every stroke.
    const int64_t lo = -(t / 2), hi = (t + 1) / 2 - 1;
    for (int64_t y = std::max<int64_t>(top + lo, 0), end = std::min(bottom + hi, height - 1);
         y <= end; ++y) {
      const int64_t upper = std::max(y - hi, top) - top, lower = std::min(y - lo, bottom) - top;
      const int64_t a = base.rising ? base.first[lower] : base.first[upper];
      const int64_t b = base.rising ? base.last[upper] : base.last[lower];
      if constexpr (dither) {
        colour_span(row_of(y), width, x1 + a, x1 + b, base.colour + a);
      } else {
        solid_span(row_of(y), width, x1 + a, x1 + b, colour1);
      }
    }
  } else {
    // Diagonal: pair i is base row y - across * i moved right by i and by
    // i + 1; the pairs on row y are those whose base row exists.
    const int64_t u = (3 * t) / 4, lo = -(u / 2), hi = (u + 1) / 2 - 1;
    const int64_t across = y2 > y1 ? -1 : 1;
    const int64_t first_y = across > 0 ? top + lo : top - hi;
    const int64_t last_y = across > 0 ? bottom + hi : bottom - lo;
    for (int64_t y = std::max<int64_t>(first_y, 0), end = std::min(last_y, height - 1); y <= end;
         ++y) {
      const int64_t i_lo = std::max(lo, across > 0 ? y - bottom : top - y);
      const int64_t i_hi = std::min(hi, across > 0 ? y - top : bottom - y);
      const int64_t r_lo = y - across * i_lo - top, r_hi = y - across * i_hi - top;
      const int64_t a = x1 + base.first[r_lo] + i_lo, b = x1 + base.last[r_hi] + i_hi + 1;
      std::uint32_t* const row = row_of(y);
      if constexpr (dither) {
        colour_span(row, width, a, b, base.paired + base.first[r_lo] + base.along(r_lo));
        if (dx <= ady && b >= 0 && b < width) row[b] = base.colour[base.along(r_hi)];
      } else {
        solid_span(row, width, a, b, colour1);
      }
    }
  }
}

// Draws a thick line in one or two colours: a plain line for thickness 1,
// row by row where the line is short enough, otherwise stroke by stroke.
template <bool dither>
void thick_line(IMG& image, int64_t x1, int64_t y1, std::uint32_t colour1, int64_t x2,
                int64_t y2, std::uint32_t colour2, int64_t t) {
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
    std::swap(colour1, colour2);
  }
  const auto draw_stroke = [&](int64_t ax, int64_t ay, int64_t bx, int64_t by) {
    if constexpr (dither) {
      bicolor_line(image, ax, ay, colour1, bx, by, colour2);
    } else {
      line(image, ax, ay, bx, by, colour1);
    }
  };
  const int64_t ady = y2 > y1 ? y2 - y1 : y1 - y2;
  if (t == 1) {
    draw_stroke(x1, y1, x2, y2);
  } else if (std::max(x2 - x1, ady) <= kRowLineMax) {
    thick_rows<dither>(image, x1, y1, x2, y2, t, colour1, colour2);
  } else {
    thick_strokes(image, x1, y1, x2, y2, t, draw_stroke);
  }
}

// Fills the part of row `row` from x - half to x + half that lies inside.
void circle_row(IMG& image, int64_t row, int64_t x, int64_t half, std::uint32_t colour) {
  if (row < 0 || row >= image.height) return;
  const int64_t lo = std::max<int64_t>(x - half, 0);
  const int64_t hi = std::min<int64_t>(x + half, image.width - 1);
  if (lo > hi) return;
  fill(&image.pixels[static_cast<std::ptrdiff_t>(row * image.width + lo)], hi - lo + 1, colour);
}

// Floor of the square root of a value from 0 to 2^62.
int64_t isqrt(int64_t v) {
  int64_t s = static_cast<int64_t>(std::sqrt(static_cast<double>(v)));
  while (s > 0 && s * s > v) --s;
  while ((s + 1) * (s + 1) <= v) ++s;
  return s;
}

// The y that the circle's decision keeps at column x as long as it has never
// had to lag: the integer whose square is nearest to r^2 - x^2, that is the y
// with y (y - 1) < r^2 - x^2 <= y (y + 1).
int64_t circle_nearest_y(int64_t r2, int64_t x) {
  const int64_t g = r2 - x * x;
  const int64_t s = isqrt(g);
  return g > s * (s + 1) ? s + 1 : s;
}

}  // namespace

void IMG_line(IMG* image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
              std::uint32_t colour) {
  WORK_charge(WORK_LINE);
  if (!IMG_has_pixels(image)) {
    IMG_error();
    return;
  }
  line(*image, x1, y1, x2, y2, colour);
}

void IMGFX_line(IMG* image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                std::uint32_t colour) {
  WORK_charge(WORK_LINE);
  if (!IMG_has_pixels(image)) {
    IMG_error();
    return;
  }
  line(*image, x1, y1, x2, y2, colour);
}

void IMG_hspan(IMG* image, std::int32_t y, std::int32_t xa, std::int32_t xb,
               std::uint32_t colour) {
  if (!IMG_has_pixels(image)) {
    IMG_error();
    return;
  }
  if (y < 0 || y >= image->height) return;
  const std::int32_t lo = std::max(std::min(xa, xb), 0);
  const std::int32_t hi = std::min(std::max(xa, xb), image->width - 1);
  if (lo > hi) return;
  fill(&image->pixels[static_cast<std::ptrdiff_t>(y) * image->width + lo], hi - lo + 1, colour);
}

void IMGFX_vspan(IMG* image, std::int32_t x, std::int32_t ya, std::int32_t yb,
                 std::uint32_t colour) {
  if (!IMG_has_pixels(image)) {
    IMG_error();
    return;
  }
  if (x < 0 || x >= image->width) return;
  const std::int32_t lo = std::max(std::min(ya, yb), 0);
  const std::int32_t hi = std::min(std::max(ya, yb), image->height - 1);
  const std::ptrdiff_t stride = image->width;
  std::uint32_t* p = image->pixels.get();
  for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(lo) * stride + x,
                      end = static_cast<std::ptrdiff_t>(hi) * stride + x;
       i <= end; i += stride) {
    p[i] = colour;
  }
}

void IMG_filled_circle(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t radius,
                       std::uint32_t colour) {
  WORK_charge(WORK_CIRCLE);
  if (!IMG_has_pixels(image)) {
    IMG_error();
    return;
  }
  const int64_t r = radius < 0 ? -static_cast<int64_t>(radius) : radius;
  const int64_t width = image->width, height = image->height;
  if (cx + r < 0 || cy + r < 0 || cx - r >= width || cy - r >= height) {
    IMG_error();
    return;
  }

  // Row offsets d from the centre for which row cy + d or cy - d is inside:
  // one interval d_min..d_max.
  int64_t d_min = 0, d_max = 0;
  if (cy < 0) {
    d_min = -static_cast<int64_t>(cy);
    d_max = height - 1 - cy;
  } else if (cy >= height) {
    d_min = cy - height + 1;
    d_max = cy;
  } else {
    d_max = std::max<int64_t>(cy, height - 1 - cy);
  }
  const auto fill_rows = [&](int64_t d, int64_t half) {
    circle_row(*image, cy + d, cx, half, colour);
    if (d != 0) circle_row(*image, cy - d, cx, half, colour);
  };

  const int64_t r2 = r * r;
  int64_t x = 0, y = r;
  // Far circles: skip the first steps, whose rows cy +- x (x below d_min) and
  // cy +- y (y above d_max) are all outside. While y stays at least x + 2 the
  // decision never has to drop y by more than one per step, so it keeps the
  // nearest y and the state at the new start column follows without stepping.
  // The condition is monotone in x, so a binary search finds the last such
  // column.
  {
    const auto skippable = [&](int64_t column) {
      const int64_t ny = circle_nearest_y(r2, column);
      return ny >= d_max && ny >= column + 2;
    };
    int64_t lo = 0, hi = std::min(d_min, r);
    if (hi > 0 && skippable(0)) {
      while (lo < hi) {
        const int64_t mid = lo + (hi - lo + 1) / 2;
        if (skippable(mid)) {
          lo = mid;
        } else {
          hi = mid - 1;
        }
      }
      x = lo;
      y = circle_nearest_y(r2, x);
    }
  }

  // The runs of rows cy +- y grow with every step that keeps y; only the
  // widest, at the last x before y drops, is filled. Rows cy +- x are filled
  // once each. The rows where the two kinds meet are filled twice, as in the
  // plain algorithm.
  int64_t a = y * y, b = (y - 1) * (y - 1);
  bool pending = false;  // row pair y has a run of half width x - 1 to fill
  while (y >= x) {
    // Once y is below d_min or x above d_max no later row can be inside.
    if (y < d_min || x > d_max) break;
    fill_rows(x, y);
    pending = true;
    ++x;
    const int64_t q = x * x;
    const int64_t e1 = (a - r2) + q, e2 = (b - r2) + q;
    if ((e2 < 0 ? -e2 : e2) < (e1 < 0 ? -e1 : e1)) {
      fill_rows(y, x - 1);
      pending = false;
      --y;
      a = b;
      b = (y - 1) * (y - 1);
    }
  }
  if (pending) fill_rows(y, x - 1);
}

void IMGFX_bicolor_line(IMG* image, std::int32_t x1, std::int32_t y1, std::uint32_t colour1,
                        std::int32_t x2, std::int32_t y2, std::uint32_t colour2) {
  WORK_charge(WORK_BICOLOR_LINE);
  if (!IMG_has_pixels(image)) {
    IMG_error();
    return;
  }
  bicolor_line(*image, x1, y1, colour1, x2, y2, colour2);
}

void IMGFX_thick_line(IMG* image, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                      std::int32_t y2, std::uint32_t colour, std::int32_t thickness) {
  WORK_charge(WORK_THICK_LINE);
  if (!IMG_has_pixels(image) || thickness < 1) return;
  thick_line<false>(*image, x1, y1, colour, x2, y2, colour, thickness);
}

void IMGFX_thick_bicolor_line(IMG* image, std::int32_t x1, std::int32_t y1,
                              std::uint32_t colour1, std::int32_t x2, std::int32_t y2,
                              std::uint32_t colour2, std::int32_t thickness) {
  WORK_charge(WORK_THICK_BICOLOR_LINE);
  if (!IMG_has_pixels(image) || thickness < 1) return;
  thick_line<true>(*image, x1, y1, colour1, x2, y2, colour2, thickness);
}
