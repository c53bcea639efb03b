// XKBD: key presses on the program's window, turned into characters.
#pragma once

#include <cstdint>
#include <memory>

#include "module.h"

// The one keyboard record.
struct XKBD {
  std::unique_ptr<char[]> key_buffer;  // 8 bytes: the characters of the last key press
};

extern Module XKBD_module;

// Reports an error of the XKBD module ("XKBD error").
void XKBD_error();

// The one keyboard record, made zeroed by the first call; none when memory runs out.
XKBD* XKBD_new();

// Takes at most one pending key press on the window, without waiting, and
// stores its characters in key_buffer; returns how many were stored (0 when
// there was none, and then the buffer is left untouched). A request from the
// window manager to close the window is delivered as the escape character.
std::int32_t XKBD_poll(XKBD* keyboard);

// Waits until input may have arrived for the window, or timeout_ms has passed,
// without using the processor. Loops that poll repeatedly call it in between.
void XKBD_wait(XKBD* keyboard, std::int32_t timeout_ms);
