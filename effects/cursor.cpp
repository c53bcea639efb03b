#include "cursor.h"

#include <new>

Module CURSOR_module{MODULE_record("CURSOR  "), "CURSOR Error.", 0, 0};

void CURSOR_error() { MODULE_report(CURSOR_module); }

CURSOR* CURSOR_new() {
  CURSOR* cursor = new (std::nothrow) CURSOR{0, 1, 4, "TORQ", 0};
  if (cursor == nullptr) CURSOR_error();
  return cursor;
}

void CURSOR_free(CURSOR** handle) { MODULE_free_record(CURSOR_module, handle); }

void CURSOR_set(CURSOR* cursor, const char* text, std::int32_t length, std::int32_t step) {
  if (cursor == nullptr) {
    CURSOR_error();
    return;
  }
  cursor->text = text;
  cursor->length = length;
  cursor->step = step;
  cursor->position = 0;
}

void CURSOR_advance(CURSOR* cursor) {
  if (cursor == nullptr || cursor->length <= 0) {
    CURSOR_error();
    return;
  }
  // Widened so that position + step never overflows; % keeps the dividend's sign.
  std::int64_t p = (static_cast<std::int64_t>(cursor->position) + cursor->step) % cursor->length;
  if (p < 0) p += cursor->length;
  cursor->position = static_cast<std::int32_t>(p);
}

void CURSOR_save(CURSOR* cursor) {
  if (cursor == nullptr) {
    CURSOR_error();
    return;
  }
  cursor->saved = cursor->position;
}

void CURSOR_restore(CURSOR* cursor) {
  if (cursor == nullptr) {
    CURSOR_error();
    return;
  }
  cursor->position = cursor->saved;
}
