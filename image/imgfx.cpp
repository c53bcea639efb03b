#include "imgfx.h"

Module IMGFX_module{MODULE_record("IMGFX   "), "IMGFX error", 0, 0};

void IMGFX_error() { MODULE_report(IMGFX_module); }

void IMGFX_fill_rect(IMG* image, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, std::uint32_t colour) {
  if (image == nullptr || image->pixels == nullptr || x < 0 || y < 0 || x >= image->width ||
      y >= image->height || width <= 0 || height <= 0 ||
      static_cast<std::int64_t>(x) + width > image->width ||
      static_cast<std::int64_t>(y) + height > image->height) {
    IMGFX_error();
    return;
  }
  // The rectangle is known to be inside, so IMG_fill_rect will not report.
  IMG_fill_rect(image, x, y, width, height, colour);
}

// Blits, inversion and the two post-processing filters.

#include <algorithm>
#include <cstddef>

#include "img_p.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint32_t channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFFu; }

// Bit positions of red, green and blue in a colour word, in that order.
constexpr int kChannelShift[3] = {16, 8, 0};

// Checks the images of a filter. The filters read the source while they write
// the destination, so both must be distinct images with pixel arrays.
bool filter_images_ok(const IMG* source, const IMG* destination) {
  if (!IMG_has_pixels(source) || !IMG_has_pixels(destination) || source == destination) {
    IMGFX_error();
    return false;
  }
  return true;
}

// ---- Horizontal box blur ----

struct BlurChannel {
  std::int64_t radius;
  std::uint32_t divisor;  // 2 * radius + 1, at most 2^32 - 1
  int shift;              // position of the channel in the colour word
};

// Window sums of column 0: columns 0 to radius of the row.
void blur_first_window(const std::uint32_t* row, std::int64_t w, const BlurChannel (&ch)[3],
                       std::uint32_t (&sum)[3]) {
  for (int c = 0; c < 3; ++c) {
    sum[c] = 0;
    const std::int64_t last = std::min(ch[c].radius, w - 1);
    for (std::int64_t i = 0; i <= last; ++i) sum[c] += channel(row[i], ch[c].shift);
  }
}

// Blurs columns 0 .. n_out - 1 of one row of width w with 32-bit running sums,
// one column at a time; columns outside the row read 0. Serves any radius.
void blur_row_scalar(const std::uint32_t* row, std::int64_t w, std::uint32_t* out,
                     std::int64_t n_out, const BlurChannel (&ch)[3]) {
  std::uint32_t sum[3];
  blur_first_window(row, w, ch, sum);
  for (std::int64_t x = 0; x < n_out; ++x) {
    std::uint32_t pixel = 0;
    for (int c = 0; c < 3; ++c) pixel |= (sum[c] / ch[c].divisor) << ch[c].shift;
    out[x] = pixel;
    for (int c = 0; c < 3; ++c) {
      const std::int64_t enter = x + ch[c].radius + 1;  // never negative
      const std::int64_t leave = x - ch[c].radius;      // always left of w
      const std::uint32_t in = enter < w ? channel(row[enter], ch[c].shift) : 0;
      const std::uint32_t gone = leave >= 0 ? channel(row[leave], ch[c].shift) : 0;
      sum[c] = sum[c] - gone + in;
    }
  }
}

#if defined(__SSE2__)

// The vector blur keeps the window sums of a column in 16-bit lanes, one lane
// per byte of a colour word: [B G R X | B G R X], X being the unused top byte
// (both halves alike, or two neighbouring columns). A window of
// d <= kMaxVectorDivisor columns sums to at most 255 * d < 2^16, so the lanes
// hold the unsigned 32-bit sums exactly.
//
// Each lane's sum n is divided as ((n * pre) mulhi magic) >> post, mulhi
// keeping the top 16 bits of the 32-bit product; the X lanes get pre = magic
// = 0. A magic number m = (2^k + e) / d slightly above 2^k / d gives
// floor(n * m / 2^k) = floor(n / d) whenever n * e < 2^k (the excess then
// stays below the distance to the next multiple of d).
//
// Windows of at most kMaxShortDivisor columns: k = 16, magic = ceil(2^16 / d),
// pre = 1 and no shift; e < d <= 15 and n <= 255 d keep n * e below 2^16.
// A divisor of 1 takes pre = magic = 2^8.
//
// Wider windows: for d let s = ceil(log2 d) - 1, so 2^s < d < 2^(s + 1), and
// k = 16 + s: magic = ceil(2^(16 + s) / d) lies in 2^15 .. 2^16 - 1 and
// n * e < 255 d * d <= 2^15 d < 2^(16 + s) for d <= 127. One right shift
// `post`, the largest s, serves all lanes: each sum is first multiplied by
// pre = 2^(post - s), which keeps n * pre below 2^16 since post <= 6. A divisor
// of 1 takes magic = 2^15 and s = -1.
constexpr std::uint32_t kMaxShortDivisor = 15;
constexpr std::uint32_t kMaxVectorDivisor = 127;

struct BlurVector {
  bool shift;  // whether the wide-window constants are in use
  __m128i pre;
  __m128i magic;
  __m128i post;
  __m128i select[3];  // the bytes of each channel in four colour words
};

BlurVector blur_vector(const BlurChannel (&ch)[3]) {
  BlurVector v;
  v.shift = std::max({ch[0].divisor, ch[1].divisor, ch[2].divisor}) > kMaxShortDivisor;
  int s[3];
  std::uint32_t pre[3], magic[3];
  int post = 0;
  for (int c = 0; c < 3; ++c) {
    const std::uint32_t d = ch[c].divisor;
    if (!v.shift) {
      pre[c] = d == 1 ? 1u << 8 : 1;
      magic[c] = d == 1 ? 1u << 8 : ((1u << 16) + d - 1) / d;
      continue;
    }
    if (d == 1) {
      s[c] = -1;
      magic[c] = 1u << 15;
    } else {
      int bits = 0;  // ceil(log2 d)
      while ((1u << bits) < d) ++bits;
      s[c] = bits - 1;
      magic[c] = ((1u << (16 + s[c])) + d - 1) / d;
    }
    post = std::max(post, s[c]);
  }
  if (v.shift) {
    for (int c = 0; c < 3; ++c) pre[c] = 1u << (post - s[c]);
  }
  const auto lane = [](std::uint32_t x) { return static_cast<short>(x); };
  const short pr = lane(pre[0]), pg = lane(pre[1]), pb = lane(pre[2]);
  const short mr = lane(magic[0]), mg = lane(magic[1]), mb = lane(magic[2]);
  // _mm_set_epi16 lists lanes from the highest to the lowest: X R G B X R G B.
  v.pre = _mm_set_epi16(0, pr, pg, pb, 0, pr, pg, pb);
  v.magic = _mm_set_epi16(0, mr, mg, mb, 0, mr, mg, mb);
  v.post = _mm_cvtsi32_si128(post);
  for (int c = 0; c < 3; ++c) v.select[c] = _mm_set1_epi32(static_cast<int>(0xFFu << ch[c].shift));
  return v;
}

// The lanes of every channel divided by its window size. With one radius of
// at least 1 for all channels every pre factor is 1 and the multiply is
// skipped; `Shift` tells whether the wide-window constants are in use.
template <bool OneRadius, bool Shift>
inline __m128i blur_divide(__m128i sums, const BlurVector& k) {
  if constexpr (!OneRadius) sums = _mm_mullo_epi16(sums, k.pre);
  const __m128i q = _mm_mulhi_epu16(sums, k.magic);
  if constexpr (Shift) return _mm_srl_epi16(q, k.post);
  return q;
}

inline __m128i load4(const std::uint32_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// The colour word made of each channel of the pixel at x + offset(r), r being
// that channel's radius; 0 where that column lies outside the row.
template <bool OneRadius, typename Offset>
inline std::uint32_t blur_tap(const std::uint32_t* row, std::int64_t w, std::int64_t x,
                              const BlurChannel (&ch)[3], Offset offset) {
  if constexpr (OneRadius) {
    const std::int64_t i = x + offset(ch[0].radius);
    return i >= 0 && i < w ? row[i] : 0;
  } else {
    std::uint32_t pixel = 0;
    for (const BlurChannel& c : ch) {
      const std::int64_t i = x + offset(c.radius);
      if (i >= 0 && i < w) pixel |= row[i] & (0xFFu << c.shift);
    }
    return pixel;
  }
}

// Four colour words like blur_tap for columns x .. x + 3, all inside the row.
template <bool OneRadius, typename Offset>
inline __m128i blur_tap4(const std::uint32_t* row, std::int64_t x, const BlurChannel (&ch)[3],
                         const BlurVector& k, Offset offset) {
  if constexpr (OneRadius) {
    return load4(row + x + offset(ch[0].radius));
  } else {
    __m128i v = _mm_setzero_si128();
    for (int c = 0; c < 3; ++c) {
      v = _mm_or_si128(v, _mm_and_si128(load4(row + x + offset(ch[c].radius)), k.select[c]));
    }
    return v;
  }
}

// Blurs columns 0 .. n_out - 1 of one row of width w. Four columns at a time
// wherever every column read lies inside the row, one at a time near the ends.
template <bool OneRadius, bool Shift>
void blur_row_vector(const std::uint32_t* row, std::int64_t w, std::uint32_t* out,
                     std::int64_t n_out, std::int64_t r_max, const BlurChannel (&ch)[3],
                     const BlurVector& k) {
  const auto entering = [](std::int64_t r) { return r + 1; };
  const auto leaving = [](std::int64_t r) { return -r; };
  const __m128i zero = _mm_setzero_si128();
  const auto widen = [&](std::uint32_t pixel) {
    return _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(pixel)), zero);
  };
  std::uint32_t sum[3];
  blur_first_window(row, w, ch, sum);
  // The sums of column x in both halves.
  __m128i base = _mm_set_epi16(0, static_cast<short>(sum[0]), static_cast<short>(sum[1]),
                               static_cast<short>(sum[2]), 0, static_cast<short>(sum[0]),
                               static_cast<short>(sum[1]), static_cast<short>(sum[2]));
  const auto one_column = [&](std::int64_t x) {
    out[x] = static_cast<std::uint32_t>(
        _mm_cvtsi128_si32(_mm_packus_epi16(blur_divide<OneRadius, Shift>(base, k), zero)));
    base = _mm_add_epi16(base, _mm_sub_epi16(widen(blur_tap<OneRadius>(row, w, x, ch, entering)),
                                             widen(blur_tap<OneRadius>(row, w, x, ch, leaving))));
  };
  std::int64_t x = 0;
  for (; x < n_out && x < r_max; ++x) one_column(x);
  // From here on x >= r_max, so every column read is at least 0.
  for (; x + 3 < n_out && x + r_max + 4 < w; x += 4) {
    const __m128i in = blur_tap4<OneRadius>(row, x, ch, k, entering);
    const __m128i gone = blur_tap4<OneRadius>(row, x, ch, k, leaving);
    // Changes of the sums from column x + i to x + i + 1: [d0 d1] and [d2 d3].
    const __m128i d01 = _mm_sub_epi16(_mm_unpacklo_epi8(in, zero), _mm_unpacklo_epi8(gone, zero));
    const __m128i d23 = _mm_sub_epi16(_mm_unpackhi_epi8(in, zero), _mm_unpackhi_epi8(gone, zero));
    const __m128i d0 = _mm_slli_si128(d01, 8);                             // [0 d0]
    const __m128i d2 = _mm_slli_si128(d23, 8);                             // [0 d2]
    const __m128i s2 = _mm_shuffle_epi32(_mm_add_epi16(d01, d0), 0xEE);    // [d0+d1 d0+d1]
    const __m128i s3 = _mm_add_epi16(s2, d2);                              // [d0+d1 d0+d1+d2]
    const __m128i s4 = _mm_add_epi16(s2, _mm_shuffle_epi32(_mm_add_epi16(d23, d2), 0xEE));
    const __m128i q01 = blur_divide<OneRadius, Shift>(_mm_add_epi16(base, d0), k);
    const __m128i q23 = blur_divide<OneRadius, Shift>(_mm_add_epi16(base, s3), k);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(q01, q23));
    base = _mm_add_epi16(base, s4);
  }
  for (; x < n_out; ++x) one_column(x);
}

#endif  // __SSE2__

// ---- Glare ----

// One glare pixel, reading neighbours outside the row as 0.
inline std::uint32_t glare_pixel(const std::uint32_t* row, std::int64_t w, std::int64_t x,
                                 unsigned shift) {
  const std::uint32_t l2 = x >= 2 ? row[x - 2] : 0, l1 = x >= 1 ? row[x - 1] : 0;
  const std::uint32_t r1 = x + 1 < w ? row[x + 1] : 0, r2 = x + 2 < w ? row[x + 2] : 0;
  std::uint32_t pixel = 0;
  for (const int c : kChannelShift) {
    const std::uint32_t v = channel(row[x], c) + (channel(l2, c) >> shift) +
                            (channel(l1, c) >> shift) + (channel(r1, c) >> shift) +
                            (channel(r2, c) >> shift);
    pixel |= std::min(v, 255u) << c;
  }
  return pixel;
}

// Glare of columns 0 .. n_out - 1 of one row of width w.
void glare_row(const std::uint32_t* row, std::int64_t w, std::uint32_t* out, std::int64_t n_out,
               unsigned shift) {
  std::int64_t x = 0;
#if defined(__SSE2__)
  // Four pixels at a time wherever all five taps lie inside the row. Saturating
  // byte sums equal min(255, total) because every term is non-negative; the
  // 16-bit shift drags bits of the next byte in, which the mask removes.
  for (; x < std::min<std::int64_t>(2, n_out); ++x) out[x] = glare_pixel(row, w, x, shift);
  const __m128i count = _mm_cvtsi32_si128(static_cast<int>(shift));
  const __m128i keep = _mm_set1_epi8(static_cast<char>(0xFFu >> shift));
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
  const auto tap = [&](const std::uint32_t* p) {
    return _mm_and_si128(_mm_srl_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), count),
                         keep);
  };
  for (; x >= 2 && x + 3 < n_out && x + 5 < w; x += 4) {
    const std::uint32_t* p = row + x;
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    v = _mm_adds_epu8(v, tap(p - 2));
    v = _mm_adds_epu8(v, tap(p - 1));
    v = _mm_adds_epu8(v, tap(p + 1));
    v = _mm_adds_epu8(v, tap(p + 2));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_and_si128(v, rgb));
  }
#endif
  for (; x < n_out; ++x) out[x] = glare_pixel(row, w, x, shift);
}

}  // namespace

void IMGFX_add_blit(const IMG* source, IMG* destination, std::int32_t sx, std::int32_t sy,
                    std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h) {
  IMG_combine_rect(source, destination, sx, sy, dx, dy, w, h, IMGFX_error,
                   [](std::uint32_t s, std::uint32_t d) {
    std::uint32_t pixel = 0;
    for (const int c : kChannelShift) pixel |= std::min(channel(s, c) + channel(d, c), 255u) << c;
    return pixel;
  });
}

void IMGFX_blend_blit(const IMG* source, IMG* destination, std::int32_t sx, std::int32_t sy,
                      std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h) {
  IMG_combine_rect(source, destination, sx, sy, dx, dy, w, h, IMGFX_error,
                   [](std::uint32_t s, std::uint32_t d) {
    return s != 0 ? ((s >> 1) & 0x7F7F7Fu) + ((d >> 1) & 0x7F7F7Fu) : d;
  });
}

void IMGFX_invert(IMG* image) {
  if (!IMG_has_pixels(image)) {
    IMGFX_error();
    return;
  }
  std::uint32_t* p = image->pixels.get();
  const std::ptrdiff_t n = IMG_pixel_count(*image);
  for (std::ptrdiff_t i = 0; i < n; ++i) p[i] = ~p[i] & 0xFFFFFFu;
}

void IMGFX_hblur(const IMG* source, IMG* destination, std::int32_t red_radius,
                 std::int32_t green_radius, std::int32_t blue_radius) {
  if (red_radius < 0 || green_radius < 0 || blue_radius < 0) return;
  if (!filter_images_ok(source, destination)) return;
  const std::int64_t w = source->width;
  const std::int64_t n_out = std::min<std::int64_t>(w, destination->width);
  const std::int32_t rows = std::min(source->height, destination->height);
  if (n_out <= 0) return;
  const std::int32_t radius[3] = {red_radius, green_radius, blue_radius};
  BlurChannel ch[3];
  for (int c = 0; c < 3; ++c) {
    ch[c] = BlurChannel{radius[c], 2u * static_cast<std::uint32_t>(radius[c]) + 1u,
                        kChannelShift[c]};
  }
#if defined(__SSE2__)
  const std::int64_t r_max = std::max({ch[0].radius, ch[1].radius, ch[2].radius});
  const bool use_vector = 2 * r_max + 1 <= kMaxVectorDivisor;
  const bool one_radius = red_radius == green_radius && green_radius == blue_radius && r_max > 0;
  const BlurVector k = use_vector ? blur_vector(ch) : BlurVector{};
#endif
  for (std::int32_t y = 0; y < rows; ++y) {
    const std::uint32_t* row = &source->pixels[static_cast<std::ptrdiff_t>(y) * w];
    std::uint32_t* out = &destination->pixels[static_cast<std::ptrdiff_t>(y) * destination->width];
#if defined(__SSE2__)
    if (use_vector) {
      if (one_radius) {
        (k.shift ? blur_row_vector<true, true> : blur_row_vector<true, false>)(row, w, out, n_out,
                                                                             r_max, ch, k);
      } else {
        (k.shift ? blur_row_vector<false, true> : blur_row_vector<false, false>)(
            row, w, out, n_out, r_max, ch, k);
      }
      continue;
    }
#endif
    blur_row_scalar(row, w, out, n_out, ch);
  }
}

void IMGFX_glare(const IMG* source, IMG* destination, std::int32_t shift) {
  if (!filter_images_ok(source, destination)) return;
  const std::int64_t w = source->width;
  const std::int64_t n_out = std::min<std::int64_t>(w, destination->width);
  const std::int32_t rows = std::min(source->height, destination->height);
  // Shift counts are taken modulo 32, as a 32-bit shift instruction does.
  const unsigned s = static_cast<unsigned>(shift) & 31u;
  for (std::int32_t y = 0; y < rows && n_out > 0; ++y) {
    glare_row(&source->pixels[static_cast<std::ptrdiff_t>(y) * w], w,
              &destination->pixels[static_cast<std::ptrdiff_t>(y) * destination->width], n_out, s);
  }
}
