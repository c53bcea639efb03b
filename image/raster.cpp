#include "raster.h"
#include "rng.h"

#include <algorithm>
#include <new>

Module RASTER_module{MODULE_record("RASTER  "), "RASTER error", 0, 0};

void RASTER_error() { MODULE_report(RASTER_module); }

namespace {

// Entries a 16.16 position can address: count x 65536 must not pass 2^31.
constexpr std::int32_t kMaxEntries = 32768;

std::unique_ptr<std::uint32_t[]> allocate_table(std::int32_t n) {
  return std::unique_ptr<std::uint32_t[]>(new (std::nothrow)
                                              std::uint32_t[static_cast<std::size_t>(n)]());
}

bool has_table(const RASTER* raster) {
  return raster != nullptr && raster->colors != nullptr && raster->color_count > 0;
}

}  // namespace

RASTER* RASTER_new() {
  RASTER* raster = new (std::nothrow) RASTER{};
  if (raster != nullptr) raster->colors = allocate_table(256);
  if (raster == nullptr || raster->colors == nullptr) {
    delete raster;
    RASTER_error();
    return nullptr;
  }
  raster->color_count = 256;
  raster->speed = RNG_rand() % 1048575 + 65536;
  return raster;
}

void RASTER_free(RASTER** handle) { MODULE_free_record(RASTER_module, handle); }

void RASTER_set_size(RASTER* raster, std::int32_t n) {
  if (raster == nullptr || n < 1 || n > kMaxEntries) {
    RASTER_error();
    return;
  }
  auto colors = allocate_table(n);
  if (colors == nullptr) {
    RASTER_error();
    return;
  }
  raster->colors = std::move(colors);
  raster->color_count = n;
  raster->position = 0;
}

void RASTER_advance(RASTER* raster) {
  if (!has_table(raster)) {
    RASTER_error();
    return;
  }
  // Widened: the sum of two 16.16 values may pass the 32-bit range.
  const std::int64_t limit = static_cast<std::int64_t>(raster->color_count) * 65536;
  std::int64_t p = static_cast<std::int64_t>(raster->position) + raster->speed;
  if (p >= limit) p %= limit;
  if (p < 0) p = p % limit + limit;
  // A result of exactly -k x limit comes back as limit itself; that is entry 0 again.
  if (p == limit) p = 0;
  raster->position = static_cast<std::int32_t>(p);
}

void RASTER_draw(const RASTER* raster, IMG* image) {
  if (!has_table(raster) || image == nullptr || image->pixels == nullptr) {
    RASTER_error();
    return;
  }
  const std::int64_t n = raster->color_count;
  const std::int64_t base = raster->position >> 16;  // 16.16 to whole entries
  std::uint32_t* row = image->pixels.get();
  for (std::int32_t y = 0; y < image->height; ++y, row += image->width) {
    const std::int64_t index = ((base + y) % n + n) % n;
    std::fill_n(row, image->width, raster->colors[static_cast<std::size_t>(index)]);
  }
}
