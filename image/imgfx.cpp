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
// The AVX2 versions are built into every x86 build and chosen at run time
// where the processor has AVX2.
#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))
#define IMGFX_HAVE_AVX2 1
#define IMGFX_AVX2_CODE __attribute__((target("avx2")))
#include <immintrin.h>
#else
#define IMGFX_HAVE_AVX2 0
#endif

namespace {

// The fastest path of this build on this processor, and the one in use.
IMGFX_Path fastest_path() {
#if IMGFX_HAVE_AVX2
  __builtin_cpu_init();  // this may run before the library's own start-up code
  if (__builtin_cpu_supports("avx2")) return IMGFX_AVX2;
#endif
#if defined(__SSE2__)
  return IMGFX_SSE2;
#else
  return IMGFX_PORTABLE;
#endif
}

const IMGFX_Path kFastestPath = fastest_path();
IMGFX_Path path_in_use = kFastestPath;

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

#if IMGFX_HAVE_AVX2

// The AVX2 blur: the lanes of blur_row_vector twice over, one step covering
// eight columns. Each 128-bit half of a register works on four of them as the
// SSE2 code does; only the running total crosses between the halves.

template <bool OneRadius, bool Shift>
IMGFX_AVX2_CODE inline __m256i blur_divide8(__m256i sums, __m256i pre, __m256i magic,
                                            __m128i post) {
  if constexpr (!OneRadius) sums = _mm256_mullo_epi16(sums, pre);
  const __m256i q = _mm256_mulhi_epu16(sums, magic);
  if constexpr (Shift) return _mm256_srl_epi16(q, post);
  return q;
}

// Eight colour words like blur_tap4, the columns entering the windows of
// columns x .. x + 7 or, when `entering` is false, those leaving them.
template <bool OneRadius>
IMGFX_AVX2_CODE inline __m256i blur_tap8(const std::uint32_t* row, std::int64_t x,
                                         const BlurChannel (&ch)[3], const __m256i (&select)[3],
                                         bool entering) {
  const auto at = [&](std::int64_t r) {
    return reinterpret_cast<const __m256i*>(row + x + (entering ? r + 1 : -r));
  };
  if constexpr (OneRadius) {
    return _mm256_loadu_si256(at(ch[0].radius));
  } else {
    __m256i v = _mm256_setzero_si256();
    for (int c = 0; c < 3; ++c) {
      v = _mm256_or_si256(v, _mm256_and_si256(_mm256_loadu_si256(at(ch[c].radius)), select[c]));
    }
    return v;
  }
}

// Blurs columns from x on, eight at a time, while every column read lies
// inside the row (x >= r_max on entry); `base` holds the sums of column x as
// in blur_row_vector and is moved along. Returns the first column not done.
template <bool OneRadius, bool Shift>
IMGFX_AVX2_CODE std::int64_t blur_row_avx2(const std::uint32_t* row, std::int64_t w,
                                           std::uint32_t* out, std::int64_t n_out,
                                           std::int64_t x, std::int64_t r_max,
                                           const BlurChannel (&ch)[3], const BlurVector& k,
                                           __m128i& base_sums) {
  const __m256i pre = _mm256_broadcastsi128_si256(k.pre);
  const __m256i magic = _mm256_broadcastsi128_si256(k.magic);
  const __m256i select[3] = {_mm256_broadcastsi128_si256(k.select[0]),
                             _mm256_broadcastsi128_si256(k.select[1]),
                             _mm256_broadcastsi128_si256(k.select[2])};
  const __m256i zero = _mm256_setzero_si256();
  __m256i base = _mm256_broadcastsi128_si256(base_sums);  // the sums of column x, four times
  for (; x + 7 < n_out && x + r_max + 8 < w; x += 8) {
    const __m256i in = blur_tap8<OneRadius>(row, x, ch, select, true);
    const __m256i gone = blur_tap8<OneRadius>(row, x, ch, select, false);
    // Changes of the sums from column x + i to x + i + 1, as [d0 d1 | d4 d5]
    // and [d2 d3 | d6 d7] (| parts the 128-bit halves); the first half is
    // followed here, the second does the same with d4 .. d7.
    const __m256i da = _mm256_sub_epi16(_mm256_unpacklo_epi8(in, zero),
                                        _mm256_unpacklo_epi8(gone, zero));
    const __m256i db = _mm256_sub_epi16(_mm256_unpackhi_epi8(in, zero),
                                        _mm256_unpackhi_epi8(gone, zero));
    const __m256i ea = _mm256_slli_si256(da, 8);                           // [0 d0]
    const __m256i eb = _mm256_slli_si256(db, 8);                           // [0 d2]
    const __m256i ha = _mm256_shuffle_epi32(_mm256_add_epi16(da, ea), 0xEE);  // [d0+d1 d0+d1]
    const __m256i sb = _mm256_add_epi16(ha, eb);                           // [d0+d1 d0+d1+d2]
    // Total of the half, d0 + ... + d3, in both of its places.
    const __m256i t = _mm256_add_epi16(ha, _mm256_shuffle_epi32(_mm256_add_epi16(db, eb), 0xEE));
    // The second half starts from the first half's total.
    const __m256i start = _mm256_add_epi16(base, _mm256_permute2x128_si256(t, t, 0x08));
    const __m256i qa = blur_divide8<OneRadius, Shift>(_mm256_add_epi16(start, ea), pre, magic,
                                                      k.post);
    const __m256i qb = blur_divide8<OneRadius, Shift>(_mm256_add_epi16(start, sb), pre, magic,
                                                      k.post);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_packus_epi16(qa, qb));
    base = _mm256_add_epi16(base, _mm256_add_epi16(t, _mm256_permute2x128_si256(t, t, 0x01)));
  }
  base_sums = _mm256_castsi256_si128(base);
  return x;
}

#endif  // IMGFX_HAVE_AVX2

// Blurs columns 0 .. n_out - 1 of one row of width w. Eight columns at a time
// with AVX2 when `wide`, then four at a time, wherever every column read lies
// inside the row; one at a time near the ends.
template <bool OneRadius, bool Shift>
void blur_row_vector(const std::uint32_t* row, std::int64_t w, std::uint32_t* out,
                     std::int64_t n_out, std::int64_t r_max, const BlurChannel (&ch)[3],
                     const BlurVector& k, [[maybe_unused]] bool wide) {
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
#if IMGFX_HAVE_AVX2
  if (wide) x = blur_row_avx2<OneRadius, Shift>(row, w, out, n_out, x, r_max, ch, k, base);
#endif
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

#if IMGFX_HAVE_AVX2

IMGFX_AVX2_CODE inline __m256i glare_tap8(const std::uint32_t* p, __m128i count, __m256i keep) {
  return _mm256_and_si256(
      _mm256_srl_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)), count), keep);
}

// The glare of glare_row eight pixels at a time, from column x >= 2 on while
// all five taps lie inside the row. Returns the first column not done.
IMGFX_AVX2_CODE std::int64_t glare_row_avx2(const std::uint32_t* row, std::int64_t w,
                                            std::uint32_t* out, std::int64_t n_out,
                                            std::int64_t x, unsigned shift) {
  const __m128i count = _mm_cvtsi32_si128(static_cast<int>(shift));
  const __m256i keep = _mm256_set1_epi8(static_cast<char>(0xFFu >> shift));
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF);
  for (; x + 7 < n_out && x + 9 < w; x += 8) {
    const std::uint32_t* p = row + x;
    __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    v = _mm256_adds_epu8(v, glare_tap8(p - 2, count, keep));
    v = _mm256_adds_epu8(v, glare_tap8(p - 1, count, keep));
    v = _mm256_adds_epu8(v, glare_tap8(p + 1, count, keep));
    v = _mm256_adds_epu8(v, glare_tap8(p + 2, count, keep));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_and_si256(v, rgb));
  }
  return x;
}

#endif  // IMGFX_HAVE_AVX2

#if defined(__SSE2__)

// The glare four pixels at a time, from column x >= 2 on while all five taps
// lie inside the row. Returns the first column not done.
std::int64_t glare_row_sse2(const std::uint32_t* row, std::int64_t w, std::uint32_t* out,
                            std::int64_t n_out, std::int64_t x, unsigned shift) {
  const __m128i count = _mm_cvtsi32_si128(static_cast<int>(shift));
  const __m128i keep = _mm_set1_epi8(static_cast<char>(0xFFu >> shift));
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
  const auto tap = [&](const std::uint32_t* p) {
    return _mm_and_si128(_mm_srl_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), count),
                         keep);
  };
  for (; x + 3 < n_out && x + 5 < w; x += 4) {
    const std::uint32_t* p = row + x;
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    v = _mm_adds_epu8(v, tap(p - 2));
    v = _mm_adds_epu8(v, tap(p - 1));
    v = _mm_adds_epu8(v, tap(p + 1));
    v = _mm_adds_epu8(v, tap(p + 2));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_and_si128(v, rgb));
  }
  return x;
}

#endif  // __SSE2__

// Glare of columns 0 .. n_out - 1 of one row of width w, by the given path.
// The vector versions take eight (AVX2), then four pixels at a time: their
// saturating byte sums equal min(255, total) because every term is
// non-negative, and the bits that their 16-bit shifts drag in from the next
// byte are masked off.
void glare_row(const std::uint32_t* row, std::int64_t w, std::uint32_t* out, std::int64_t n_out,
               unsigned shift, [[maybe_unused]] IMGFX_Path path) {
  std::int64_t x = 0;
#if defined(__SSE2__)
  if (path >= IMGFX_SSE2 && n_out > 2) {
    for (; x < 2; ++x) out[x] = glare_pixel(row, w, x, shift);
#if IMGFX_HAVE_AVX2
    if (path == IMGFX_AVX2) x = glare_row_avx2(row, w, out, n_out, x, shift);
#endif
    x = glare_row_sse2(row, w, out, n_out, x, shift);
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
  [[maybe_unused]] const IMGFX_Path path = path_in_use;
#if defined(__SSE2__)
  const std::int64_t r_max = std::max({ch[0].radius, ch[1].radius, ch[2].radius});
  const bool use_vector = path >= IMGFX_SSE2 && 2 * r_max + 1 <= kMaxVectorDivisor;
  const bool wide = path == IMGFX_AVX2;
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
                                                                             r_max, ch, k, wide);
      } else {
        (k.shift ? blur_row_vector<false, true> : blur_row_vector<false, false>)(
            row, w, out, n_out, r_max, ch, k, wide);
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
  const IMGFX_Path path = path_in_use;
  for (std::int32_t y = 0; y < rows && n_out > 0; ++y) {
    glare_row(&source->pixels[static_cast<std::ptrdiff_t>(y) * w], w,
              &destination->pixels[static_cast<std::ptrdiff_t>(y) * destination->width], n_out, s,
              path);
  }
}

bool IMGFX_use_path(IMGFX_Path path) {
  // Every path up to the fastest one is built in as well.
  if (path < IMGFX_PORTABLE || path > kFastestPath) return false;
  path_in_use = path;
  return true;
}

// The fade of the frame pipeline, with the filters for its vector code.
void IMG_sub_color(IMG* image, std::uint32_t colour) {
  if (!IMG_has_pixels(image)) {
    IMG_error();
    return;
  }
  std::uint32_t* p = image->pixels.get();
  const std::ptrdiff_t n = IMG_pixel_count(*image);
  // Each byte of a pixel loses the same byte of `sub`, stopping at 0; the top
  // byte loses 255, which clears it.
  const std::uint32_t sub = colour | 0xFF000000u;
  std::ptrdiff_t i = 0;
#if defined(__SSE2__)
  if (path_in_use >= IMGFX_SSE2) {
    const __m128i k = _mm_set1_epi32(static_cast<int>(sub));
    for (; i + 4 <= n; i += 4) {
      __m128i* q = reinterpret_cast<__m128i*>(p + i);
      _mm_storeu_si128(q, _mm_subs_epu8(_mm_loadu_si128(q), k));
    }
  }
#endif
  for (; i < n; ++i) {
    std::uint32_t pixel = 0;
    for (const int c : kChannelShift) {
      pixel |= (std::max(channel(p[i], c), channel(sub, c)) - channel(sub, c)) << c;
    }
    p[i] = pixel;
  }
}
