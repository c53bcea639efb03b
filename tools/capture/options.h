// OPTIONS: the command line of torq6150-capture and its key script.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One key of the script: the character the show receives and the video
// frame (a 20 ms slot of virtual time) from whose start on it is delivered.
struct ScriptKey {
  char key;
  std::int32_t frame;
};

// Most frames one capture makes: 2,000,000 (11 hours), whose sound still
// fits the 4 GB a WAV file can hold.
inline constexpr std::int32_t OPTIONS_max_frames = 2000000;

// What the command line asks for. Empty texts: that output is not made.
struct CaptureOptions {
  std::int32_t frames = 3000;          // video frames to make, 50 per second of the show
  std::vector<ScriptKey> keys;         // the key script, ordered by frame (stable)
  std::string raw;                     // raw 0x00RRGGBB frames: a file name, or "-" for standard output
  std::string png;                     // name pattern of the PNG stills, one %d (or %0Nd) for the frame
  std::vector<std::int32_t> png_frames;  // frames written as stills; empty: every frame
  std::string wav;                     // the sound: 16-bit mono WAV at 44100 per second
  std::string mp4;                     // H.264/AAC video through ffmpeg
  bool upscale = false;                // the MP4 at 1024 x 1024, nearest-neighbour
  bool hash = false;                   // print the capture's hash line (STREAMHASH) at the end
  bool quiet = false;                  // no progress line
  bool help = false;                   // --help: print the usage and do nothing else
};

// The usage text of --help.
extern const char* const OPTIONS_usage;

// Parses a key script such as "space@500,o@900": entries KEY@FRAME separated
// by commas, KEY one printable character other than ',' and '@', or a name
// (space, esc, tab, enter); FRAME decimal digits, at most OPTIONS_max_frames.
// Returns false with a message naming the faulty entry.
bool OPTIONS_parse_script(std::string_view text, std::vector<ScriptKey>* keys, std::string* error);
// Parses the arguments after the program name; false with a message on the
// first fault (unknown option, missing or malformed value).
bool OPTIONS_parse(const std::vector<std::string_view>& args, CaptureOptions* options,
                   std::string* error);
// The still's file name for a frame: the pattern with its conversion replaced
// by the frame number and "%%" by "%".
std::string OPTIONS_png_name(std::string_view pattern, std::int32_t frame);
