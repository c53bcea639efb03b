#include "scroll.h"

#include <cstring>
#include <new>

#include "wrap.h"

Module SCROLL_module{MODULE_record("SCROLL  "), "SCROLL error", 0, 0};

void SCROLL_error() { MODULE_report(SCROLL_module); }

namespace {

constexpr const char* kDefaultText = "A scroll's default text. ";

// The glyph width of a usable font, or 0.
std::int32_t glyph_width(const FONT* font) {
  return font != nullptr && font->glyph_width > 0 ? font->glyph_width : 0;
}

}  // namespace

SCROLL* SCROLL_new() {
  SCROLL* scroller = new (std::nothrow) SCROLL{0, 0, 0, 1, 0, nullptr, nullptr, nullptr, nullptr};
  if (scroller != nullptr) scroller->cursor = CURSOR_new();
  if (scroller == nullptr || scroller->cursor == nullptr) {
    delete scroller;
    SCROLL_error();
    return nullptr;
  }
  CURSOR_set(scroller->cursor, kDefaultText, static_cast<std::int32_t>(std::strlen(kDefaultText)),
             1);
  return scroller;
}

void SCROLL_free(SCROLL** handle) {
  MODULE_free_record(SCROLL_module, handle, [](SCROLL& scroller) {
    if (scroller.cursor != nullptr) CURSOR_free(&scroller.cursor);
  });
}

void SCROLL_set(SCROLL* scroller, const char* text, FONT* font, IMG* target) {
  if (scroller == nullptr || text == nullptr || font == nullptr || target == nullptr) {
    SCROLL_error();
    return;
  }
  CURSOR* cursor = CURSOR_new();
  if (cursor == nullptr) {
    SCROLL_error();
    return;
  }
  if (scroller->cursor != nullptr) CURSOR_free(&scroller->cursor);
  scroller->cursor = cursor;
  scroller->text = text;
  CURSOR_set(cursor, text, static_cast<std::int32_t>(std::strlen(text)), 1);
  scroller->font = font;
  scroller->target = target;
  scroller->x = 0;
  scroller->y = 0;
  scroller->width = target->width;
}

void SCROLL_step(SCROLL* scroller) {
  if (scroller == nullptr || scroller->text == nullptr || scroller->cursor == nullptr ||
      glyph_width(scroller->font) == 0) {
    SCROLL_error();
    return;
  }
  const std::int32_t w = scroller->font->glyph_width;
  CURSOR* cursor = scroller->cursor;
  scroller->offset = wrap_add(scroller->offset, scroller->speed);
  if (scroller->offset >= w) {
    cursor->step = scroller->offset / w;
    CURSOR_advance(cursor);
    scroller->offset %= w;
  } else if (scroller->offset < 0) {
    // An offset of exactly -k x w becomes w after k + 1 characters back: the
    // same picture, and the next step brings it back into range.
    cursor->step = scroller->offset / w - 1;
    CURSOR_advance(cursor);
    scroller->offset = scroller->offset % w + w;
  }
}

void SCROLL_draw(SCROLL* scroller) {
  if (scroller == nullptr || scroller->text == nullptr || scroller->cursor == nullptr ||
      scroller->cursor->text == nullptr || scroller->cursor->length <= 0 ||
      scroller->target == nullptr || glyph_width(scroller->font) == 0) {
    SCROLL_error();
    return;
  }
  FONT* font = scroller->font;
  CURSOR* cursor = scroller->cursor;
  font->x = wrap_sub(scroller->x, scroller->offset);
  font->y = scroller->y;
  font->target = scroller->target;
  // Enough glyphs to cover the width at any offset.
  const std::int32_t n = scroller->width / font->glyph_width + 2;
  CURSOR_save(cursor);
  cursor->step = 1;
  for (std::int32_t i = 0; i < n; ++i) {
    font->code = static_cast<std::int8_t>(cursor->text[cursor->position]);
    FONT_putc(font);
    CURSOR_advance(cursor);
  }
  CURSOR_restore(cursor);
}
