// Fuzz target of the PNM reader: any bytes must give either no image or a
// complete image of a sane size, without reading outside the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "img.h"

// Where the pixel sum goes, so that the reads cannot be left out.
volatile std::uint32_t pnm_fuzz_sink;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::uint32_t errors = IMG_module.errors;
  IMG* image = IMG_parse_pnm(data, size);
  if (image == nullptr) {
    if (IMG_module.errors == errors) std::abort();  // a refusal is always reported
    return 0;
  }
  if (image->width <= 0 || image->height <= 0 || image->x != 0 || image->y != 0 ||
      static_cast<std::int64_t>(image->width) * image->height > (std::int64_t{1} << 26)) {
    std::abort();
  }
  // Touch every pixel so that a short pixel array shows up under ASan.
  std::uint32_t sum = 0;
  const std::int64_t n = static_cast<std::int64_t>(image->width) * image->height;
  for (std::int64_t i = 0; i < n; ++i) sum += image->pixels[static_cast<std::size_t>(i)];
  pnm_fuzz_sink = sum;
  IMG_free(&image);
  return 0;
}
