// CURSOR: a position in a text that wraps around at both ends, moved by a
// signed number of characters per advance.
//
// Every operation given no record reports "CURSOR Error." and does nothing.
#pragma once

#include <cstdint>

#include "module.h"

struct CURSOR {
  std::int32_t position;  // index of the current character, kept in 0..length - 1
  std::int32_t step;      // characters moved by one advance; may be negative
  std::int32_t length;    // characters in the text
  const char* text;       // the text, not owned
  std::int32_t saved;     // position remembered by CURSOR_save
};

extern Module CURSOR_module;

// Reports an error of the CURSOR module ("CURSOR Error.").
void CURSOR_error();

// A new cursor at the start of "TORQ" with step 1; none (reported) when memory runs out.
CURSOR* CURSOR_new();
// Frees the cursor and sets the caller's handle to none; an absent handle is reported.
void CURSOR_free(CURSOR** handle);
// Runs the cursor over `length` characters of the text with the given step, from position 0.
void CURSOR_set(CURSOR* cursor, const char* text, std::int32_t length, std::int32_t step);
// Moves the position by the step, wrapping around either end of the text; a
// text without characters is reported and the cursor stays.
void CURSOR_advance(CURSOR* cursor);
// Remembers the position.
void CURSOR_save(CURSOR* cursor);
// Goes back to the remembered position.
void CURSOR_restore(CURSOR* cursor);
