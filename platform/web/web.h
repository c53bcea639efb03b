// Controls of the browser twin, and the page's side of it.
//
// The twin implements XDPY, XKBD, the OS services and the sound device in a
// web page: frames go to a canvas, keys come from the page, time is the
// page's clock, and sound goes to Web Audio. Sleeping and waiting yield to
// the browser (the program is built with Asyncify, so the show's blocking
// frame loop runs unchanged). With the virtual clock chosen, it runs on the
// headless twin's clock, work meter and key script instead, as the capture
// tool does, drawing only now and then.
#pragma once

namespace web {

// Runs everything from now on on the virtual clock with scripted keys; the
// sound device is left to XSND's capture output.
void use_virtual_clock();
bool virtual_clock();

}  // namespace web

// The page's functions (platform/web/library.js), which call into the page
// script (page.js). Those that yield to the browser are the program's
// Asyncify imports.
extern "C" {
// The page's clock, in microseconds.
double web_now_us();
// Yields to the browser for at least the given time (0: just once).
void web_sleep_us(double microseconds);
// Yields until a key is pressed or the timeout has passed.
void web_wait_key(int timeout_ms);
// Yields to the browser once.
void web_yield();
// Shows 256 x 256 RGBA pixels on the canvas.
void web_present(const void* rgba);
// Fills the canvas with one 0xRRGGBB colour, as a new window shows its background.
void web_fill(int rgb);
// The next key pressed on the page, or -1.
int web_poll_key();
// Whether Web Audio is running, so that posted sound is heard.
int web_sound_running();
// Posts n values of sound to the page's player; returns how many values are
// queued there, not yet played.
int web_sound_post(const void* values, int n);
// Yields until the player has no more than 100 ms queued.
void web_sound_wait();
// Writes the result line of a virtual-clock run into the page.
void web_result(const char* line);
}
