// XDPY: the program's X11 window and frame presentation.
#pragma once

#include <cstdint>

#include "img.h"
#include "module.h"

// The one display record.
struct XDPY {
  std::int32_t width;   // window width in pixels
  std::int32_t height;  // window height in pixels
  std::int32_t depth;   // root depth of the display's first screen
};

extern Module XDPY_module;

// Reports an error of the XDPY module ("XDPY error").
void XDPY_error();

// Opens the display (once) and a first 256 x 256 window, and returns the one
// record. When the display cannot be opened, or its default visual cannot show
// 0x00RRGGBB words unchanged (24-bit TrueColor, 32 bits per pixel, masks
// 0xFF0000, 0x00FF00, 0x0000FF), says why on standard error and returns none.
XDPY* XDPY_new();

// Replaces the window by a new mapped and raised one of the given size, with a
// 2-pixel green border, a blue background, the class "torq6150"/"Torq6150" and
// that size fixed for the window manager. A missing record or a size below 1
// is reported and changes nothing.
void XDPY_set_size(XDPY* display, std::int32_t width, std::int32_t height);

// Shows the image in the window: one copy into the server image and one
// XPutImage. The image must have the window's size; anything else is reported
// and shows nothing.
void XDPY_present(XDPY* display, const IMG* image);

// The X identifier of the current window, 0 when there is none.
unsigned long XDPY_window_id();
