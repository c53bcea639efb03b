#include "obj2d.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

LIST* parse(std::string_view text) {
  return OBJ2D_parse(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

OBJ2D* object_at(const LIST* objects, std::int32_t i) {
  return static_cast<OBJ2D*>(LIST_get(objects, i));
}

// One line per slot: "null", or the name in quotes and each segment as
// "x,y/colour" of its two points, the colour in hex.
std::string describe(const LIST* objects) {
  std::string out;
  for (std::int32_t i = 0; i < objects->count; ++i) {
    const OBJ2D* o = object_at(objects, i);
    if (o == nullptr) {
      out += "null\n";
      continue;
    }
    out += '"' + o->name + '"';
    for (std::int32_t j = 0; j < o->segments->count; ++j) {
      const auto* s = static_cast<const SEG2D*>(LIST_get(o->segments, j));
      char text[80];
      std::snprintf(text, sizeof text, " %d,%d/%x-%d,%d/%x", s->a.x, s->a.y, s->a.colour, s->b.x,
                    s->b.y, s->b.colour);
      out += text;
    }
    out += '\n';
  }
  return out;
}

}  // namespace

TEST(OBJ2D, ParsesTheForgivingFormat) {
  const std::string long_word(255, 'q');
  const struct {
    const char* name;
    std::string text;
    const char* objects;
  } rows[] = {
      {"empty object", "{ }\n", "\"\"\n"},
      {"unmatched brace", "}\n", "null\n"},
      {"segment carried over", "{ s 1 2 3 } { s 4 5 6 7 }\n", "\"\"\n\"\" 1,2/0-3,4/0\n"},
      {"colours", "{ color $ff0000 s 0,0,1,1 color $00ff00 s 2,2,3,3 }\n",
       "\"\" 0,0/ff0000-1,1/ff0000 2,2/ff00-3,3/ff00\n"},
      {"colour per point", "{ s 0,0 color $ff 1,1 }\n", "\"\" 0,0/0-1,1/ff\n"},
      {"minus forms", "{ s - 5 -5 1,-2 } { s 1,-2,3,4 }\n",
       "\"\" -5,-5/0-1,-2/0\n\"\" 1,-2/0-3,4/0\n"},
      {"hex keeps the minus", "{ c -$ff s 5 6 7 8 }\n", "\"\" -5,6/ff-7,8/ff\n"},
      {"hex words", "{ c h1F s 1 1 1 1 c XaZ9 s 2 2 2 2 }\n",
       "\"\" 1,1/1f-1,1/1f 2,2/a-2,2/a\n"},
      {"last token dropped", "{ s 1 2 3 4 }", ""},
      {"text ends at NUL", std::string("{ }\n\0{ }\n", 9), "\"\"\n"},
      {"keys by leading part", "{ s v 1 2 3\n au 9\n T 9\n 4 5 6 7 }\n", "\"\" 4,5/0-6,7/0\n"},
      {"name value", "N coll\n{ NA\n  x, y\r \n}\n{ names 1 }\n", "\"x, y\r \"\n\"\"\n"},
      {"comment", "# { s 1 2 3 4 }\n{ }\n", "\"\"\n"},
      {"segment outside objects", "s 1 2 3 4 { }\n", "\"\"\n"},
      {"255-byte word", "{ s 0 0 0 " + long_word + "9 }\n", "\"\" 0,0/0-0,9/0\n"},
      {"254-byte word", "{ s 0 0 0 " + long_word.substr(1) + "9 }\n", "\"\"\n"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    LIST* objects = parse(r.text);
    ASSERT_NE(objects, nullptr);
    EXPECT_EQ(describe(objects), r.objects);
    OBJ2D_free_list(&objects);
  }
}

TEST(OBJ2D, TransformsScaleRotateTranslateVisitingLastToFirst) {
  LIST* objects = parse("{ s 1 0 0 1 s 2 2 3 1 }\n");
  OBJ2D* o = object_at(objects, 0);
  o->scale = VEC2D{2, 3, 0};
  o->angle = 256;
  o->position = VEC2D{10, 20, 0};
  SAMPLE* out = SAMPLE_new();
  OBJ2D_export(o, out);
  // (2,2)-(3,1) scaled to (4,6)-(6,3), turned a quarter (x' = -y, y' = x,
  // each shrunk by 32766/32768 and rounded down), moved; then (1,0)-(0,1).
  const std::int32_t expected[] = {4, 23, 7, 25, 10, 21, 7, 20};
  ASSERT_EQ(out->length, 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(SAMPLE_get(out, i), expected[i]) << i;
  EXPECT_EQ(describe(objects), "\"\" 1,0/0-0,1/0 2,2/0-3,1/0\n");  // stored segments kept
  SAMPLE_free(&out);
  OBJ2D_free_list(&objects);
}
