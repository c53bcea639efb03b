// The capture's command line and key script.
#include <gtest/gtest.h>

#include "options.h"

TEST(Options, KeyScriptEntriesInFrameOrder) {
  std::vector<ScriptKey> keys;
  std::string error;
  ASSERT_TRUE(OPTIONS_parse_script("o@900,space@500,esc@2000000,5@500,Q@0,tab@1,enter@2", &keys, &error));
  const std::vector<std::pair<char, std::int32_t>> expected = {
      {'Q', 0}, {'\t', 1}, {'\r', 2}, {' ', 500}, {'5', 500}, {'o', 900}, {'\x1b', 2000000}};
  ASSERT_EQ(keys.size(), expected.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].key, expected[i].first) << i;
    EXPECT_EQ(keys[i].frame, expected[i].second) << i;
  }
}

TEST(Options, MalformedScriptsNameTheEntry) {
  const struct {
    const char* script;
    const char* message;
  } rows[] = {{"", "\"\": no '@'"}, {"a@1,,b@2", "\"\": no '@'"}, {"a500", "\"a500\": no '@'"},
              {"@500", "\"@500\": the key"}, {"foo@5", "\"foo@5\": the key"}, {" @5", "the key"},
              {"a@", "\"a@\": the frame"}, {"a@x5", "the frame"}, {"a@-1", "the frame"},
              {"a@5.5", "the frame"}, {"a@2000001", "the frame"}, {"a@99999999999999999999", "the frame"},
              {"a@5,", "\"\": no '@'"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.script);
    std::vector<ScriptKey> keys;
    std::string error;
    EXPECT_FALSE(OPTIONS_parse_script(row.script, &keys, &error));
    EXPECT_NE(error.find(row.message), std::string::npos) << error;
  }
}

TEST(Options, CommandLine) {
  CaptureOptions o;
  std::string error;
  ASSERT_TRUE(OPTIONS_parse({"--seconds", "1.5", "--raw", "-", "--png", "s/f%04d.png", "--png-frames",
                             "3,10", "--wav", "a.wav", "--mp4", "a.mp4", "--upscale", "--quiet"},
                            &o, &error));
  EXPECT_EQ(o.frames, 75);
  EXPECT_EQ(o.raw, "-");
  EXPECT_EQ(o.png_frames, (std::vector<std::int32_t>{3, 10}));
  EXPECT_TRUE(o.upscale && o.quiet && !o.help);
  EXPECT_EQ(OPTIONS_png_name(o.png, 42), "s/f0042.png");
  EXPECT_EQ(OPTIONS_png_name("%%x%d%%", 12345), "%x12345%");
  // Seconds round to the nearest frame.
  for (const auto& [seconds, frames] : {std::pair{"0.01", 1}, {"0.37", 19}, {"40000.009", 2000000}}) {
    ASSERT_TRUE(OPTIONS_parse({"--seconds", seconds}, &o, &error)) << seconds;
    EXPECT_EQ(o.frames, frames) << seconds;
  }
  const struct {
    std::vector<std::string_view> args;
    const char* message;
  } bad[] = {{{"--frames", "0"}, "--frames \"0\""}, {{"--frames", "1e3"}, "--frames"},
             {{"--seconds", "0.0099"}, "\"0.0099\": not a number of seconds from 0.01 to 40000"},
             {{"--seconds", "40000.01"}, "--seconds"}, {{"--seconds", "nan"}, "--seconds"},
             {{"--frames"}, "--frames needs a value"}, {{"--wav", ""}, "--wav needs a value"},
             {{"-x"}, "unknown option \"-x\""}, {{"--png", "f.png"}, "exactly one %d"},
             {{"--png", "%d%d.png"}, "exactly one"}, {{"--png", "%s%d"}, "exactly one"},
             {{"--png-frames", "1"}, "--png-frames needs --png"},
             {{"--png-frames", "5,10", "--png", "%d", "--frames", "10"}, "frame 10 is beyond the last frame, 9"},
             {{"--upscale"}, "needs --mp4"},
             {{"--keys", "a5"}, "no '@'"}};
  for (const auto& row : bad) {
    SCOPED_TRACE(row.message);
    EXPECT_FALSE(OPTIONS_parse(row.args, &o, &error));
    EXPECT_NE(error.find(row.message), std::string::npos) << error;
  }
}
