// The PNM reader of the IMG module: the six kinds P1 to P6, read from bytes in
// memory into a new image. Nothing is ever read past the given size.
#include <cstddef>
#include <cstdint>

#include "img.h"
#include "img_p.h"

namespace {

// The largest image the reader makes, in pixels (256 MiB of pixel words). A
// header announcing more is taken for damaged data.
constexpr std::int64_t max_pixels = std::int64_t{1} << 26;
// Header numbers are counted up to just past the largest 32-bit size; longer
// digit runs stay at this value, which every size check rejects.
constexpr std::int64_t too_large = std::int64_t{INT32_MAX} + 1;

constexpr bool is_digit(std::uint8_t c) { return c >= '0' && c <= '9'; }
// Printable bytes are 33 to 126; everything else (blanks, line ends) separates.
constexpr bool is_printable(std::uint8_t c) { return c >= 33 && c <= 126; }
// The bitmap kinds have no maximum in their header and pack their rows in bytes.
constexpr bool is_bitmap(int kind) { return kind == 1 || kind == 4; }

// The colour word of a grey sample: the same value in all three channels,
// added without masking so that samples above 255 carry into the channel above.
constexpr std::uint32_t grey(std::uint32_t v) { return (v << 16) + (v << 8) + v; }
// The colour word of three samples, added without masking as for grey.
constexpr std::uint32_t colour(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return (r << 16) + (g << 8) + b;
}

struct Header {
  int kind = 0;
  std::int64_t width = 0;   // 0 to too_large
  std::int64_t height = 0;  // 0 to too_large
  bool magic_seen = false;
  bool width_seen = false;
  bool height_seen = false;
  bool maximum_seen = false;
};

// A walk over the input bytes; `pos` never passes `size`.
struct Cursor {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;

  // Moves to the next digit; false when the data ends first.
  bool skip_to_digit() {
    while (pos < size && !is_digit(data[pos])) ++pos;
    return pos < size;
  }

  // A header number from the consecutive digits at the cursor (none gives 0
  // and leaves the cursor in place), held at too_large once it gets there.
  std::int64_t header_number() {
    std::int64_t n = 0;
    while (pos < size && is_digit(data[pos])) {
      if (n < too_large) n = n * 10 + (data[pos] - '0');
      if (n > too_large) n = too_large;
      ++pos;
    }
    return n;
  }

  // A sample number from the consecutive digits at the cursor, wrapping
  // around at 2^32 as a 32-bit accumulator does.
  std::uint32_t sample_number() {
    std::uint32_t n = 0;
    while (pos < size && is_digit(data[pos])) {
      n = n * 10u + static_cast<std::uint32_t>(data[pos] - '0');
      ++pos;
    }
    return n;
  }
};

// Reads the header: the magic, width, height and maximum in any order,
// between blanks and comment lines. Leaves the cursor after the last item read.
// False for a kind outside 1 to 6, for data that ends inside the header, and
// for a header that can make no more progress.
bool read_header(Cursor& c, Header& h) {
  while (!(h.magic_seen && h.width_seen && h.height_seen && h.maximum_seen)) {
    while (c.pos < c.size && !is_printable(c.data[c.pos])) ++c.pos;
    if (c.pos >= c.size) return false;
    const std::uint8_t byte = c.data[c.pos];
    if (byte == 'P' && !h.magic_seen) {
      if (c.pos + 1 >= c.size) return false;
      h.kind = c.data[c.pos + 1] - '0';
      c.pos += 2;
      if (h.kind < 1 || h.kind > 6) return false;
      h.magic_seen = true;
      if (is_bitmap(h.kind)) h.maximum_seen = true;
    } else if (byte == '#') {
      while (c.pos < c.size && c.data[c.pos] != '\n') ++c.pos;
      if (c.pos >= c.size) return false;
      ++c.pos;
    } else {
      const std::size_t start = c.pos;
      const std::int64_t n = c.header_number();
      if (!h.width_seen) {
        // Bitmap rows start on byte boundaries: the padding becomes pixels.
        h.width = is_bitmap(h.kind) && n < too_large ? (n + 7) & ~std::int64_t{7} : n;
        h.width_seen = true;
      } else if (!h.height_seen) {
        h.height = n;
        h.height_seen = true;
      } else if (!h.maximum_seen) {
        h.maximum_seen = true;  // read and ignored: samples are taken as they are
      } else if (c.pos == start) {
        // Every number is in, the magic is still missing and nothing here can
        // be read: the header would never end.
        return false;
      }
    }
  }
  return true;
}

// The fewest data bytes that can hold `pixels` pixels of the kind: the exact
// count for the binary kinds, a lower bound (one digit per sample, one
// separator between numbers) for the text kinds.
std::int64_t least_data_bytes(int kind, std::int64_t pixels) {
  switch (kind) {
    case 1: return pixels;
    case 2: return 2 * pixels - 1;
    case 3: return 6 * pixels - 1;
    case 4: return (pixels + 7) / 8;
    case 5: return pixels;
    default: return 3 * pixels;
  }
}

// Fills the pixels from the data at the cursor. False when text data ends
// before every pixel has its samples.
bool read_pixels(Cursor& c, int kind, std::uint32_t* p, std::ptrdiff_t n) {
  const std::uint8_t* s = c.data + c.pos;
  switch (kind) {
    case 6:
      for (std::ptrdiff_t i = 0; i < n; ++i, s += 3) p[i] = colour(s[0], s[1], s[2]);
      return true;
    case 5:
      for (std::ptrdiff_t i = 0; i < n; ++i) p[i] = grey(s[i]);
      return true;
    case 4: {
      // Eight pixels per byte, the most significant bit first; a last byte
      // that overhangs the image gives only the pixels that are left.
      std::ptrdiff_t i = 0;
      for (; i + 8 <= n; i += 8, ++s) {
        const std::uint32_t byte = *s;
        for (int bit = 0; bit < 8; ++bit) p[i + bit] = (byte >> (7 - bit)) & 1u ? 0xFFFFFFu : 0u;
      }
      for (int bit = 0; i < n; ++i, ++bit) p[i] = (*s >> (7 - bit)) & 1u ? 0xFFFFFFu : 0u;
      return true;
    }
    case 3:
      for (std::ptrdiff_t i = 0; i < n; ++i) {
        if (!c.skip_to_digit()) return false;
        const std::uint32_t r = c.sample_number();
        if (!c.skip_to_digit()) return false;
        const std::uint32_t g = c.sample_number();
        if (!c.skip_to_digit()) return false;
        p[i] = colour(r, g, c.sample_number());
      }
      return true;
    case 2:
      for (std::ptrdiff_t i = 0; i < n; ++i) {
        if (!c.skip_to_digit()) return false;
        p[i] = grey(c.sample_number());
      }
      return true;
    default:
      // One digit is one pixel, so "01" written without a blank is two pixels.
      for (std::ptrdiff_t i = 0; i < n; ++i) {
        if (!c.skip_to_digit()) return false;
        p[i] = c.data[c.pos++] == '0' ? 0u : 0xFFFFFFu;
      }
      return true;
  }
}

}  // namespace

IMG* IMG_parse_pnm(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr) {
    IMG_error();
    return nullptr;
  }
  Cursor c{data, size, 0};
  Header h;
  if (!read_header(c, h) || h.width == 0 || h.height == 0 || h.width >= too_large ||
      h.height >= too_large || h.width * h.height > max_pixels) {
    IMG_error();
    return nullptr;
  }
  // Exactly one separator byte lies between the header and the pixel data.
  const std::int64_t pixels = h.width * h.height;
  if (c.pos >= c.size ||
      static_cast<std::int64_t>(c.size - c.pos - 1) < least_data_bytes(h.kind, pixels)) {
    IMG_error();
    return nullptr;
  }
  ++c.pos;

  IMG* image = IMG_new();
  if (image == nullptr) return nullptr;
  const std::uint32_t* unsized = image->pixels.get();
  IMG_set_size(image, static_cast<std::int32_t>(h.width), static_cast<std::int32_t>(h.height));
  if (image->pixels.get() == unsized) {  // the sizing failed and has said so
    IMG_free(&image);
    return nullptr;
  }
  if (!read_pixels(c, h.kind, image->pixels.get(), IMG_pixel_count(*image))) {
    IMG_free(&image);
    IMG_error();
    return nullptr;
  }
  return image;
}
