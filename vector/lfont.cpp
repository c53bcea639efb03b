#include "lfont.h"

#include <new>

#include "obj2d.h"
#include "wrap.h"

Module LFONT_module{MODULE_record("LFONT   "), "LFONT Error.", 0, 0};

void LFONT_error() { MODULE_report(LFONT_module); }

LFONT* LFONT_new() {
  LFONT* font = new (std::nothrow) LFONT{{0, 0, 0xFFFFFF}, {16, 16, 0xFFFFFF}, 0,
                                         {1, 1, 0xFFFFFF}, 0, nullptr, nullptr};
  if (font == nullptr) LFONT_error();
  return font;
}

void LFONT_free(LFONT** handle) { MODULE_free_record(LFONT_module, handle); }

void LFONT_draw_char(LFONT* font) {
  if (font == nullptr || font->glyphs == nullptr || font->code < 0 ||
      font->code >= font->glyphs->count) {
    LFONT_error();
    return;
  }
  auto* glyph = static_cast<OBJ2D*>(LIST_get(font->glyphs, font->code));
  if (glyph == nullptr) {
    LFONT_error();
    return;
  }
  VEC2D_copy(&font->scale, &glyph->scale);
  glyph->angle = font->angle;
  VEC2D_copy(&font->position, &glyph->position);
  OBJ2D_draw(glyph, font->target);
  font->position.x = wrap_add(font->position.x, wrap_mul(font->scale.x, font->cell.x));
}

void LFONT_draw_hex8(LFONT* font, std::uint8_t value) {
  if (font == nullptr) {
    LFONT_error();
    return;
  }
  for (const int v : {value >> 4, value & 15}) {
    font->code = v <= 9 ? v + '0' : v + 'A' - 10;
    LFONT_draw_char(font);
  }
}

void LFONT_draw_hex16(LFONT* font, std::uint16_t value) {
  LFONT_draw_hex8(font, static_cast<std::uint8_t>(value >> 8));
  LFONT_draw_hex8(font, static_cast<std::uint8_t>(value));
}

void LFONT_draw_hex32(LFONT* font, std::uint32_t value) {
  LFONT_draw_hex16(font, static_cast<std::uint16_t>(value >> 16));
  LFONT_draw_hex16(font, static_cast<std::uint16_t>(value));
}

void LFONT_set_colour(LFONT* font, std::uint32_t colour) {
  if (font == nullptr || font->glyphs == nullptr) {
    LFONT_error();
    return;
  }
  for (std::int32_t i = font->glyphs->count - 1; i >= 0; --i) {
    OBJ2D_set_colour(static_cast<OBJ2D*>(LIST_get(font->glyphs, i)), colour);
  }
}
