#include "obj2d.h"

#include <new>

#include "wrap.h"

Module OBJ2D_module{MODULE_record("OBJ2D   "), "OBJ2D error", 0, 0};

void OBJ2D_error() { MODULE_report(OBJ2D_module); }

namespace {

SEG2D* segment_at(const OBJ2D& object, std::int32_t index) {
  return static_cast<SEG2D*>(LIST_get(object.segments, index));
}

// Releases the segments an object owns and its two lists.
void release(OBJ2D& object) {
  if (object.segments != nullptr) {
    for (std::int32_t i = 0; i < object.segments->count; ++i) {
      SEG2D* segment = segment_at(object, i);
      SEG2D_free(&segment);
    }
    LIST_free(&object.segments);
  }
  if (object.points != nullptr) LIST_free(&object.points);
}

// Visits a copy of every segment, last to first, scaled, rotated about the
// object's origin and moved by its position, in that order.
template <typename Visit>
void for_each_transformed(const OBJ2D& object, Visit visit) {
  for (std::int32_t i = object.segments->count - 1; i >= 0; --i) {
    SEG2D moved{};
    SEG2D_copy(segment_at(object, i), &moved);
    SEG2D_scale(&moved, &object.scale);
    SEG2D_rotate(&moved, object.angle);
    SEG2D_translate(&moved, &object.position);
    visit(moved);
  }
}

// Bytes that separate tokens (and end words): blanks and control bytes, 127
// and above, the comma and the semicolon.
constexpr bool is_separator(std::uint8_t c) { return c <= 32 || c >= 127 || c == ',' || c == ';'; }
// Printable bytes that are neither letters nor digits; each is a token of its own.
constexpr bool is_punctuation(std::uint8_t c) {
  return (c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) ||
         (c >= 123 && c <= 126);
}
constexpr bool is_digit(std::uint8_t c) { return c >= '0' && c <= '9'; }
constexpr std::uint8_t lower(std::uint8_t c) { return c >= 'A' && c <= 'Z' ? static_cast<std::uint8_t>(c + 32) : c; }
// The value of a hexadecimal digit, or -1 for any other byte.
constexpr int hex_digit(std::uint8_t c) {
  if (is_digit(c)) return c - '0';
  if (lower(c) >= 'a' && lower(c) <= 'f') return lower(c) - 'a' + 10;
  return -1;
}

// The longest word; a longer run of word bytes goes on as the next token.
constexpr std::size_t max_word = 255;

enum class Key { none, name, version, author, type };

// A stretch of the text.
struct Span {
  std::size_t start;
  std::size_t length;
};

// The parse of one text: a cursor that never passes `end`, and the state
// that numbers and keys act on.
struct Parser {
  const std::uint8_t* text;
  std::size_t end;  // the first NUL or the size, whichever comes first
  std::size_t pos;
  LIST* objects;
  OBJ2D* open;        // the object between "{" and "}", or none
  SEG2D* filling;     // the segment the next numbers go into, or none
  int coordinate;     // which of the four numbers of a segment comes next
  std::uint32_t colour;
  bool colour_pending;
  bool minus_pending;

  // The next token. False at the end of the text, and also for a token that
  // runs up to the end: the last token of a text is dropped.
  bool next(Span& token) {
    while (pos < end && is_separator(text[pos])) ++pos;
    if (pos >= end) return false;
    token.start = pos;
    if (is_punctuation(text[pos])) {
      ++pos;
    } else {
      while (pos < end && !is_separator(text[pos]) && pos - token.start < max_word) ++pos;
    }
    token.length = pos - token.start;
    return pos < end;
  }

  // The rest of a "$" token: the word bytes joined to it, up to the word
  // length in all. False when they run up to the end of the text.
  bool joined(Span& rest) {
    rest.start = pos;
    while (pos < end && !is_separator(text[pos]) && pos - rest.start < max_word - 1) ++pos;
    rest.length = pos - rest.start;
    return pos < end;
  }

  void skip_line() {
    while (pos < end && text[pos] != '\n') ++pos;
  }

  // A key's value from the cursor to the end of the line.
  Span line_from_here() {
    const std::size_t start = pos;
    skip_line();
    return Span{start, pos - start};
  }

  Key key(const Span& word) const {
    static constexpr struct {
      const char* text;
      Key key;
    } keys[] = {{"name", Key::name}, {"version", Key::version}, {"author", Key::author},
                {"type", Key::type}};
    for (const auto& k : keys) {
      std::size_t i = 0;
      while (i < word.length && k.text[i] != '\0' && lower(text[word.start + i]) == k.text[i]) ++i;
      if (i == word.length) return k.key;  // every byte matched: a leading part of the key
    }
    return Key::none;
  }

  // The value of the hexadecimal digits at the start of the span; 0 without any.
  std::int32_t hex(const Span& digits) const {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < digits.length; ++i) {
      const int d = hex_digit(text[digits.start + i]);
      if (d < 0) break;
      value = value << 4 | static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(value);
  }

  void hex_number(std::int32_t value) {
    if (!colour_pending) return;
    colour = static_cast<std::uint32_t>(value);
    colour_pending = false;
  }

  // A decimal number goes into the next coordinate of the segment being filled.
  void decimal_number(const Span& word) {
    std::int32_t value = 0;
    for (std::size_t i = 0; i < word.length && is_digit(text[word.start + i]); ++i) {
      value = wrap_add(wrap_mul(value, 10), text[word.start + i] - '0');
    }
    if (minus_pending) value = wrap_neg(value);
    minus_pending = false;
    if (filling == nullptr) return;
    switch (coordinate) {
      case 0: filling->a.x = value; break;
      case 1: filling->a.y = value; filling->a.colour = colour; break;
      case 2: filling->b.x = value; break;
      default: filling->b.y = value; filling->b.colour = colour; break;
    }
    coordinate = (coordinate + 1) & 3;
    if (coordinate != 0) return;
    const std::int32_t count = open == nullptr ? 0 : open->segments->count;
    OBJ2D_add_segment(open, filling);  // reported when no object is open
    if (open == nullptr || open->segments->count == count) SEG2D_free(&filling);
    filling = nullptr;
  }

  void name(const Span& value) {
    if (open == nullptr) return;  // the collection's own name is not kept
    try {
      open->name.assign(reinterpret_cast<const char*>(text + value.start), value.length);
    } catch (const std::bad_alloc&) {
      OBJ2D_error();
    }
  }

  void word(const Span& w) {
    const std::uint8_t first = text[w.start];
    switch (key(w)) {
      case Key::name:
        while (pos < end && (text[pos] < 33 || text[pos] > 126)) ++pos;
        name(line_from_here());
        return;
      case Key::version:
      case Key::author:
      case Key::type:
        while (pos < end && is_separator(text[pos])) ++pos;
        skip_line();
        return;
      case Key::none:
        break;
    }
    if (is_digit(first)) {
      decimal_number(w);
    } else if (lower(first) == 'x' || lower(first) == 'h') {
      hex_number(hex(Span{w.start + 1, w.length - 1}));
    } else if (lower(first) == 'c') {
      colour_pending = true;
    } else if (lower(first) == 's') {
      if (filling == nullptr) filling = SEG2D_new();
    }
  }

  // Handles one token; false when the token needs more text than is left.
  bool token(const Span& t) {
    if (t.length > 1 || !is_punctuation(text[t.start])) {
      word(t);
      return true;
    }
    switch (text[t.start]) {
      case '#':
        skip_line();
        break;
      case '{':
        if (open == nullptr) open = OBJ2D_new();
        break;
      case '}': {
        const std::int32_t count = objects->count;
        LIST_append(objects, open);  // an empty slot when no object was open
        if (objects->count == count && open != nullptr) OBJ2D_free(&open);  // reported by LIST
        open = nullptr;
        break;
      }
      case '-':
        minus_pending = true;
        break;
      case '$': {
        Span rest{};
        if (!joined(rest)) return false;
        hex_number(hex(rest));
        break;
      }
      default:
        break;  // quotes, "=" and the rest of the punctuation mean nothing
    }
    return true;
  }
};

}  // namespace

OBJ2D* OBJ2D_new() {
  OBJ2D* object = new (std::nothrow) OBJ2D{};
  if (object == nullptr) {
    OBJ2D_error();
    return nullptr;
  }
  object->position = VEC2D{0, 0, 0xFFFFFF};
  object->scale = VEC2D{1, 1, 0xFFFFFF};
  object->points = LIST_new();
  object->segments = LIST_new();
  if (object->points == nullptr || object->segments == nullptr) {
    OBJ2D_free(&object);
    OBJ2D_error();
  }
  return object;
}

void OBJ2D_free(OBJ2D** handle) { MODULE_free_record(OBJ2D_module, handle, release); }

void OBJ2D_free_list(LIST** handle) {
  if (handle == nullptr || *handle == nullptr) {
    OBJ2D_error();
    return;
  }
  LIST* objects = *handle;
  for (std::int32_t i = 0; i < objects->count; ++i) {
    auto* object = static_cast<OBJ2D*>(LIST_get(objects, i));
    if (object != nullptr) OBJ2D_free(&object);
  }
  LIST_free(handle);
}

LIST* OBJ2D_parse(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr) {
    OBJ2D_error();
    return nullptr;
  }
  LIST* objects = LIST_new();
  if (objects == nullptr) return nullptr;
  std::size_t end = 0;
  while (end < size && data[end] != 0) ++end;
  Parser p{data, end, 0, objects, nullptr, nullptr, 0, 0, false, false};
  Span t{};
  while (p.next(t) && p.token(t)) {
  }
  // An object never closed and a segment never completed are not kept.
  if (p.open != nullptr) OBJ2D_free(&p.open);
  if (p.filling != nullptr) SEG2D_free(&p.filling);
  return objects;
}

void OBJ2D_add_segment(OBJ2D* object, SEG2D* segment) {
  if (object == nullptr || segment == nullptr) {
    OBJ2D_error();
    return;
  }
  const std::int32_t count = object->segments->count;
  LIST_append(object->segments, segment);
  if (object->segments->count == count) return;  // reported by LIST; the caller frees it
  LIST_append(object->points, &segment->a);
  LIST_append(object->points, &segment->b);
}

void OBJ2D_set_colour(OBJ2D* object, std::uint32_t colour) {
  if (object == nullptr) {
    OBJ2D_error();
    return;
  }
  for (std::int32_t i = 0; i < object->points->count; ++i) {
    static_cast<VEC2D*>(LIST_get(object->points, i))->colour = colour;
  }
}

void OBJ2D_draw(const OBJ2D* object, IMG* image) {
  if (object == nullptr || image == nullptr) {
    OBJ2D_error();
    return;
  }
  for_each_transformed(*object, [image](const SEG2D& s) { SEG2D_draw(&s, image); });
}

void OBJ2D_export(const OBJ2D* object, SAMPLE* buffer) {
  if (object == nullptr || buffer == nullptr) {
    OBJ2D_error();
    return;
  }
  for_each_transformed(*object, [buffer](const SEG2D& s) {
    SAMPLE_append(buffer, s.a.x);
    SAMPLE_append(buffer, s.a.y);
    SAMPLE_append(buffer, s.b.x);
    SAMPLE_append(buffer, s.b.y);
  });
}
