// XDPY in a web page: the window is the page's canvas. Each present turns the
// frame's 0x00RRGGBB words into RGBA bytes for one putImageData. On the
// virtual clock, frames go to the headless twin and only every 50th (one
// second of the show) is drawn, with a turn for the browser.
#include "xdpy.h"

#include <new>
#include <vector>

#include "headless.h"
#include "web.h"
#include "web_p.h"

Module XDPY_module{MODULE_record("XDPY    ", "XWINDOWS"), "XDPY error", 0, 0};

void XDPY_error() { MODULE_report(XDPY_module); }

namespace {

constexpr std::int32_t kCanvasSide = 256;
constexpr int kWindowBackground = 0x0080FF;  // what a new window shows until the first present

XDPY* the_display = nullptr;
std::vector<std::uint32_t> rgba;  // the frame in the canvas's byte order

// Draws the frame on the canvas: R, G, B and an opaque alpha, in that byte
// order, which on a little-endian machine is the word 0xFFBBGGRR.
void draw(const std::uint32_t* pixels, std::size_t count) {
  rgba.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t p = pixels[i];
    rgba[i] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
  }
  web_present(rgba.data());
}

}  // namespace

XDPY* XDPY_new() {
  if (the_display != nullptr) return the_display;
  the_display = new (std::nothrow) XDPY{};
  if (the_display == nullptr) {
    XDPY_error();
    return nullptr;
  }
  XDPY_set_size(the_display, kCanvasSide, kCanvasSide);
  return the_display;
}

// The canvas has one size; another is reported and changes nothing.
void XDPY_set_size(XDPY* display, std::int32_t width, std::int32_t height) {
  if (display == nullptr || width != kCanvasSide || height != kCanvasSide) {
    XDPY_error();
    return;
  }
  display->depth = 24;
  display->width = width;
  display->height = height;
  if (web::virtual_clock()) {
    headless::show_window(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  } else {
    web_fill(kWindowBackground);
  }
}

void XDPY_present(XDPY* display, const IMG* image) {
  if (display == nullptr || image == nullptr || image->pixels == nullptr ||
      image->width != display->width || image->height != display->height) {
    XDPY_error();
    return;
  }
  const std::uint32_t* pixels = image->pixels.get();
  const std::size_t count = static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height);
  if (web::virtual_clock()) {
    headless::present(pixels, count);
    if (headless::presents() % 50 == 0) {
      draw(pixels, count);
      web_yield();
    }
    return;
  }
  draw(pixels, count);
  if (!web::yielded) web_yield();
  web::yielded = false;
}

unsigned long XDPY_window_id() { return the_display != nullptr ? 1 : 0; }
