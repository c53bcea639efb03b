// The X11 connection state that XDPY owns and XKBD reads.
#pragma once

#include <X11/Xlib.h>

struct XDPY;

struct XdpyConnection {
  Display* display;   // opened once, never closed
  Window window;      // the current window, or 0
  Window root;        // root window of the default screen
  int screen;         // default screen number
  GC gc;              // default graphics context of the default screen
  Visual* visual;     // default visual, checked at start
  XImage* image;      // server image of the window's size, made at the first present
  Atom wm_delete;     // WM_DELETE_WINDOW, the window manager's close request
  XDPY* record;       // the one record
};

// The program-wide connection state, zero until XDPY_new runs.
XdpyConnection& XDPY_connection();
