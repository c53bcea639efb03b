// XDPY without a display: presented frames are kept in memory, and each
// present moves the clock by the work metered since the last one. The
// present hook also sees the background of every new window.
#include "xdpy.h"

#include <new>

#include "headless.h"

Module XDPY_module{MODULE_record("XDPY    ", "XWINDOWS"), "XDPY error", 0, 0};

void XDPY_error() { MODULE_report(XDPY_module); }

namespace {
XDPY* the_display = nullptr;
unsigned long window_id = 0;
}  // namespace

XDPY* XDPY_new() {
  if (the_display != nullptr) return the_display;
  the_display = new (std::nothrow) XDPY{};
  if (the_display == nullptr) {
    XDPY_error();
    return nullptr;
  }
  XDPY_set_size(the_display, 256, 256);
  return the_display;
}

void XDPY_set_size(XDPY* display, std::int32_t width, std::int32_t height) {
  if (display == nullptr || width < 1 || height < 1) {
    XDPY_error();
    return;
  }
  ++window_id;  // every new window has a new identifier
  display->depth = 24;
  display->width = width;
  display->height = height;
  headless::show_window(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

void XDPY_present(XDPY* display, const IMG* image) {
  if (display == nullptr || image == nullptr || image->pixels == nullptr ||
      image->width != display->width || image->height != display->height) {
    XDPY_error();
    return;
  }
  headless::present(image->pixels.get(), static_cast<std::size_t>(image->width) *
                                             static_cast<std::size_t>(image->height));
}

unsigned long XDPY_window_id() { return window_id; }
