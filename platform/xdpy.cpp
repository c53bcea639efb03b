#include "xdpy.h"

#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "xdpy_p.h"

Module XDPY_module{MODULE_record("XDPY    ", "XWINDOWS"), "XDPY error", 0, 0};

void XDPY_error() { MODULE_report(XDPY_module); }

XdpyConnection& XDPY_connection() {
  static XdpyConnection connection{};
  return connection;
}

namespace {

// Bits per pixel of the images the server makes at the given depth, 0 if none.
int bits_per_pixel(Display* display, int depth) {
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  int bits = 0;
  for (int i = 0; i < count; ++i) {
    if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
  }
  if (formats != nullptr) XFree(formats);
  return bits;
}

// True when 0x00RRGGBB words in this machine's byte order can be copied into
// the display's images unchanged; otherwise explains why on standard error.
bool visual_takes_words(Display* display, int screen) {
  const Visual* visual = DefaultVisual(display, screen);
  const int depth = DefaultDepth(display, screen);
  const int bits = bits_per_pixel(display, depth);
  const std::uint32_t one = 1;
  const bool little_endian = *reinterpret_cast<const unsigned char*>(&one) == 1;
  const int host_order = little_endian ? LSBFirst : MSBFirst;
  if (visual->c_class == TrueColor && depth == 24 && bits == 32 &&
      visual->red_mask == 0xFF0000 && visual->green_mask == 0x00FF00 &&
      visual->blue_mask == 0x0000FF && ImageByteOrder(display) == host_order) {
    return true;
  }
  std::fprintf(stderr,
               "torq6150: display \"%s\" cannot show this program's frames: it needs a "
               "24-bit TrueColor default visual with 32 bits per pixel and masks "
               "ff0000/00ff00/0000ff in this machine's byte order, and has depth %d, "
               "%d bits per pixel, masks %lx/%lx/%lx\n",
               DisplayString(display), depth, bits, visual->red_mask, visual->green_mask,
               visual->blue_mask);
  return false;
}

// Tells window managers and menus the program's class ("torq6150",
// "Torq6150"; its menu entry names the same class), and fixes the window at
// its size: the frame is never scaled, so a stretched window would only show
// its background around the frame.
void describe_window(Display* display, Window window, int width, int height) {
  char name[] = "torq6150";
  char class_name[] = "Torq6150";
  XClassHint class_hint{name, class_name};
  XSetClassHint(display, window, &class_hint);
  XSizeHints size{};
  size.flags = PMinSize | PMaxSize | PBaseSize;
  size.min_width = size.max_width = size.base_width = width;
  size.min_height = size.max_height = size.base_height = height;
  XSetWMNormalHints(display, window, &size);
}

}  // namespace

XDPY* XDPY_new() {
  XdpyConnection& x = XDPY_connection();
  if (x.record != nullptr) return x.record;
  if (x.display == nullptr) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
      std::fprintf(stderr, "torq6150: cannot open X display \"%s\"\n", XDisplayName(nullptr));
      return nullptr;
    }
    if (!visual_takes_words(display, DefaultScreen(display))) {
      XCloseDisplay(display);
      return nullptr;
    }
    x.display = display;
  }
  x.record = new (std::nothrow) XDPY{};
  if (x.record == nullptr) {
    XDPY_error();
    return nullptr;
  }
  x.screen = DefaultScreen(x.display);
  x.root = RootWindow(x.display, x.screen);
  x.gc = DefaultGC(x.display, x.screen);
  x.visual = DefaultVisual(x.display, x.screen);
  x.wm_delete = XInternAtom(x.display, "WM_DELETE_WINDOW", False);
  XSynchronize(x.display, False);
  XDPY_set_size(x.record, 256, 256);
  return x.record;
}

void XDPY_set_size(XDPY* display, std::int32_t width, std::int32_t height) {
  XdpyConnection& x = XDPY_connection();
  // X has no windows of width or height 0.
  if (display == nullptr || x.display == nullptr || width < 1 || height < 1) {
    XDPY_error();
    return;
  }
  if (x.window != 0) {
    XDestroyWindow(x.display, x.window);
    x.window = 0;
  }
  const Window window = XCreateSimpleWindow(x.display, x.root, 0, 0,
                                            static_cast<unsigned>(width),
                                            static_cast<unsigned>(height), 2, 0x00FF00, 0x0080FF);
  if (window == 0) {
    XDPY_error();
    return;
  }
  x.window = window;
  describe_window(x.display, window, width, height);
  // Ask the window manager to send its close request instead of killing the connection.
  XSetWMProtocols(x.display, window, &x.wm_delete, 1);
  XMapWindow(x.display, window);
  XRaiseWindow(x.display, window);
  XFlush(x.display);
  // A server image of another size would be overrun by the next present.
  if (x.image != nullptr && (width != display->width || height != display->height)) {
    XDestroyImage(x.image);
    x.image = nullptr;
  }
  display->depth = DefaultDepthOfScreen(ScreenOfDisplay(x.display, 0));
  display->width = width;
  display->height = height;
}

void XDPY_present(XDPY* display, const IMG* image) {
  XdpyConnection& x = XDPY_connection();
  if (display == nullptr || image == nullptr || image->pixels == nullptr || x.window == 0 ||
      image->width != display->width || image->height != display->height) {
    XDPY_error();
    return;
  }
  const std::size_t bytes = static_cast<std::size_t>(display->width) *
                            static_cast<std::size_t>(display->height) * 4;
  if (x.image == nullptr) {
    // Xlib frees the data of an image with free(), so it is allocated with malloc.
    char* data = static_cast<char*>(std::malloc(bytes));
    if (data == nullptr) {
      XDPY_error();
      return;
    }
    x.image = XCreateImage(x.display, x.visual, 24, ZPixmap, 0, data,
                           static_cast<unsigned>(display->width),
                           static_cast<unsigned>(display->height), 32, display->width * 4);
    if (x.image == nullptr) {
      std::free(data);
      XDPY_error();
      return;
    }
  }
  std::memcpy(x.image->data, image->pixels.get(), bytes);
  XPutImage(x.display, x.window, x.gc, x.image, 0, 0, 0, 0, static_cast<unsigned>(display->width),
            static_cast<unsigned>(display->height));
  XFlush(x.display);
}

unsigned long XDPY_window_id() { return XDPY_connection().window; }
