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
