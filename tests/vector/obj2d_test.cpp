#include "obj2d.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "assets.h"

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

// The built-in texts parse without a report into white objects on the 16 x 16
// grid with their documented segment counts: the wire font's glyphs named by
// their printable codes, the icons in ascending name order.
TEST(OBJ2D, BuiltInTextsParseToTheirNamedWhiteObjects) {
  // The icon names in text order, separated by blanks.
  const std::string icon_names =
      "3octaves.2D CD-2.2D CD-3.2D CD.2D CEGAE-2.2D CEGAE-3.2D CEGAE.2D EG.2D G-2.2D G.2D "
      "GCEA-2.2D GCEA-3.2D GCEA-4.2D GCEA-5.2D GCEA.2D GDB.2D LP.2D drum-2.2D drum.2D "
      "ear.2D guitar-2.2D guitar-3.2D guitar.2D hextime.2D hextimes2.2D "
      "instrumentString-2.2D instrumentString-3.2D instrumentString-4.2D "
      "instrumentString.2D keyboard-2.2D keyboard.2D metronome-3.2D metronome.2D "
      "microphone-2.2D microphone-3.2D microphone-4.2D microphone-5.2D microphone.2D "
      "mix.2D noteSilence.2D noteSilenceNote.2D notes2-2.2D notes2-3.2D notes2-4.2D "
      "notes2-5.2D notes2.2D notes2silence-2.2D notes2silence-3.2D notes2silence.2D "
      "notes3-2.2D notes3-3.2D notes3-4.2D notes3-5.2D notes3-6.2D notes3-7.2D notes3-8.2D "
      "notes3-9.2D notes3-a.2D notes3-b.2D notes3-c.2D notes3-d.2D notes3-e.2D notes3-f.2D "
      "notes3-g.2D notes3-h.2D notes3-i.2D notes3-j.2D notes3-k.2D notes3.2D octave.2D "
      "octaves2.2D one.2D pentagram-2.2D pentagram.2D quarter.2D scaleE-2.2D scaleE-3.2D "
      "scaleE.2D scaleG-2.2D scaleG-3.2D scaleG-4.2D scaleG-5.2D scaleG-6.2D scaleG-7.2D "
      "scaleG-8.2D scaleG-9.2D scaleG.2D second-2.2D second.2D silence1.2D silence2.2D "
      "silence4.2D speaker-2.2D speaker-3.2D speaker.2D synth-2.2D synth.2D third-2.2D "
      "third.2D three.2D trumpet.2D waffle.2D";
  const struct {
    const char* name;
    const Asset& asset;
    std::int32_t count, least, most, total;
  } rows[] = {{"wire font", ASSET_wire_font, 256, 0, 16, 447},
              {"icons", ASSET_icons, 102, 5, 74, 1850}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const std::uint32_t errors = OBJ2D_module.errors;
    LIST* objects = OBJ2D_parse(r.asset.data, r.asset.size);
    EXPECT_EQ(OBJ2D_module.errors, errors);
    ASSERT_EQ(objects->count, r.count);
    std::int32_t total = 0;
    std::string joined;
    for (std::int32_t i = 0; i < r.count; ++i) {
      const OBJ2D* o = object_at(objects, i);
      ASSERT_NE(o, nullptr) << i;
      total += o->segments->count;
      EXPECT_GE(o->segments->count, r.least) << i;
      EXPECT_LE(o->segments->count, r.most) << i;
      for (std::int32_t j = 0; j < o->points->count; ++j) {
        const auto* p = static_cast<const VEC2D*>(LIST_get(o->points, j));
        EXPECT_TRUE(p->colour == 0xFFFFFF && p->x >= 0 && p->x <= 15 && p->y >= 0 && p->y <= 15)
            << i;
      }
      if (r.count == 256) {
        EXPECT_EQ(o->name, i == 32    ? "space"
                           : i == 127 ? "esc"
                           : i > 32 && i < 127 ? std::string(1, static_cast<char>(i))
                                               : "");
        EXPECT_EQ(o->segments->count == 0, i <= 32 || i >= 128) << i;
      } else {
        joined += (i == 0 ? "" : " ") + o->name;
      }
    }
    EXPECT_EQ(total, r.total);
    if (r.count == 102) {
      EXPECT_EQ(joined, icon_names);
    }
    OBJ2D_free_list(&objects);
  }
}
