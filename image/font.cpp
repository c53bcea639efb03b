#include "font.h"

#include <new>

#include "wrap.h"

Module FONT_module{MODULE_record("FONT    "), "FONT Error.", 0, 0};

void FONT_error() { MODULE_report(FONT_module); }

FONT* FONT_new() {
  FONT* font = new (std::nothrow) FONT{0, 0, 6, 6, 0, nullptr, nullptr};
  if (font == nullptr) FONT_error();
  return font;
}

void FONT_free(FONT** handle) {
  MODULE_free_record(FONT_module, handle, [](FONT& font) {
    if (font.sheet != nullptr) IMG_free(&font.sheet);
  });
}

void FONT_putc(FONT* font) {
  if (font == nullptr || font->sheet == nullptr) {
    FONT_error();
    return;
  }
  const IMG* sheet = font->sheet;
  // The cell starts n = code x cell width pixels along the sheet's rows of
  // cells: column n mod sheet width, row (n div sheet width) x cell height,
  // with C's truncating division. A sheet without columns has no cells, and
  // the copy from (0, 0) clips away whole.
  std::int32_t column = 0, row = 0;
  if (sheet->width > 0) {
    const std::int32_t n = wrap_mul(font->code, font->glyph_width);
    column = n % sheet->width;
    row = wrap_mul(n / sheet->width, font->glyph_height);
  }
  IMG_blit(sheet, font->target, column, row, font->x, font->y, font->glyph_width,
           font->glyph_height);
  font->x = wrap_add(font->x, font->glyph_width);
}

void FONT_print(FONT* font, const char* text) {
  if (font == nullptr || text == nullptr) {
    FONT_error();
    return;
  }
  for (const char* p = text; *p != '\0' && *p != '\n'; ++p) {
    font->code = static_cast<unsigned char>(*p);
    FONT_putc(font);
  }
}

void FONT_print_number(FONT* font, std::uint32_t value) {
  if (font == nullptr) {
    FONT_error();
    return;
  }
  for (std::uint32_t divisor = 1000000000; divisor != 0; divisor /= 10) {
    const std::uint32_t digit = value / divisor;
    value -= digit * divisor;
    font->code = static_cast<std::int32_t>(48 + digit);
    FONT_putc(font);
  }
}
