#include "options.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

const char* const OPTIONS_usage =
    "usage: torq6150-capture [options]\n"
    "Renders the show offline on a virtual clock, frame by frame, as a 50 frames\n"
    "per second video with its sound; no display or sound device is needed.\n"
    "\n"
    "  --frames N        video frames to make (default 3000: one minute)\n"
    "  --seconds S       the same in seconds of the show (S x 50 frames, rounded)\n"
    "  --keys SCRIPT     keys for the show: KEY@FRAME entries separated by commas,\n"
    "                    such as \"space@500,o@900\"; each key reaches the show at its\n"
    "                    first key step from the start of that frame on. KEY is one\n"
    "                    printable character other than ',' and '@', or one of the\n"
    "                    names space, esc, tab, enter\n"
    "  --raw FILE        frames as raw 0x00RRGGBB words (\"-\": standard output); for\n"
    "                    ffmpeg: -f rawvideo -pix_fmt bgr0 -s 256x256 -r 50 -i FILE\n"
    "  --png PATTERN     PNG stills named by PATTERN, whose %d (or %05d etc.) is the\n"
    "                    frame number, such as stills/frame%05d.png\n"
    "  --png-frames LIST the frames written as stills, such as 500,1250 (default:\n"
    "                    every frame)\n"
    "  --wav FILE        the sound: 16-bit mono WAV at 44100 per second, 882 samples\n"
    "                    per frame\n"
    "  --mp4 FILE        an H.264/AAC MP4 made by ffmpeg, which must be installed\n"
    "                    (x264 with the veryfast preset, CRF 18)\n"
    "  --upscale         the MP4 at 1024x1024, nearest-neighbour scaled\n"
    "  --hash            print \"frames=N video=H audio=H\" when done: 64-bit FNV-1a\n"
    "                    hashes of the frames (each pixel AND 0xFFFFFF, 4 bytes,\n"
    "                    little-endian) and of the sound (2 bytes per value)\n"
    "  --quiet           no progress line on standard error\n"
    "  --help            this text\n"
    "\n"
    "Frame k shows what the window shows at the end of the k-th fiftieth of a\n"
    "second of the show, from start-up on. The capture ends after the frames, or\n"
    "when a quit key of the script ends the show. Exit status: 0 when done, 1 when\n"
    "writing failed or ffmpeg is missing, 2 for a bad command line or an output\n"
    "that cannot be written.\n";

namespace {

// Named keys of the script, for those the comma list cannot hold or show.
struct KeyName {
  std::string_view name;
  char key;
};
constexpr KeyName kKeyNames[] = {{"space", ' '}, {"esc", '\x1b'}, {"tab", '\t'}, {"enter", '\r'}};

// A whole decimal number from 0 to `most`; false for anything else.
bool parse_count(std::string_view text, std::int32_t most, std::int32_t* value) {
  if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  std::int64_t v = 0;
  for (const char c : text) {
    v = v * 10 + (c - '0');
    if (v > most) return false;
  }
  *value = static_cast<std::int32_t>(v);
  return true;
}

bool parse_key(std::string_view text, char* key) {
  if (text.size() == 1 && text[0] > ' ' && text[0] < 127 && text[0] != ',' && text[0] != '@') {
    *key = text[0];
    return true;
  }
  for (const KeyName& k : kKeyNames) {
    if (k.name == text) {
      *key = k.key;
      return true;
    }
  }
  return false;
}

// Splits on commas, keeping empty pieces.
std::vector<std::string_view> split(std::string_view text) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    pieces.push_back(text.substr(start, comma - start));
    if (comma == std::string_view::npos) return pieces;
    start = comma + 1;
  }
}

// The position and width of the pattern's one conversion (%d or %0Nd with N
// from 1 to 9); false when it has none, more than one, or another '%'.
bool find_conversion(std::string_view pattern, std::size_t* at, std::size_t* length) {
  int found = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') continue;
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    if (j + 1 < pattern.size() && pattern[j] == '0' && pattern[j + 1] >= '1' && pattern[j + 1] <= '9')
      j += 2;
    if (j >= pattern.size() || pattern[j] != 'd') return false;
    *at = i;
    *length = j + 1 - i;
    ++found;
    i = j;
  }
  return found == 1;
}

}  // namespace

bool OPTIONS_parse_script(std::string_view text, std::vector<ScriptKey>* keys, std::string* error) {
  keys->clear();
  for (const std::string_view entry : split(text)) {
    const std::string quoted = "key script entry \"" + std::string(entry) + "\": ";
    const std::size_t at = entry.rfind('@');
    if (at == std::string_view::npos) {
      *error = quoted + "no '@' between the key and the frame";
      return false;
    }
    ScriptKey key{};
    if (!parse_key(entry.substr(0, at), &key.key)) {
      *error = quoted + "the key is not one printable character other than ',' and '@' "
                        "nor one of space, esc, tab, enter";
      return false;
    }
    if (!parse_count(entry.substr(at + 1), OPTIONS_max_frames, &key.frame)) {
      *error = quoted + "the frame is not a whole number from 0 to " +
               std::to_string(OPTIONS_max_frames);
      return false;
    }
    keys->push_back(key);
  }
  std::stable_sort(keys->begin(), keys->end(),
                   [](const ScriptKey& a, const ScriptKey& b) { return a.frame < b.frame; });
  return true;
}

bool OPTIONS_parse(const std::vector<std::string_view>& args, CaptureOptions* options,
                   std::string* error) {
  CaptureOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool takes_value = arg == "--frames" || arg == "--seconds" || arg == "--keys" ||
                             arg == "--raw" || arg == "--png" || arg == "--png-frames" ||
                             arg == "--wav" || arg == "--mp4";
    if (arg == "--help") {
      o.help = true;
    } else if (arg == "--hash") {
      o.hash = true;
    } else if (arg == "--quiet") {
      o.quiet = true;
    } else if (arg == "--upscale") {
      o.upscale = true;
    } else if (!takes_value) {
      *error = "unknown option \"" + std::string(arg) + "\"";
      return false;
    } else if (i + 1 == args.size() || args[i + 1].empty()) {
      *error = std::string(arg) + " needs a value";
      return false;
    } else {
      const std::string_view value = args[++i];
      const std::string in = std::string(arg) + " \"" + std::string(value) + "\": ";
      if (arg == "--frames") {
        if (!parse_count(value, OPTIONS_max_frames, &o.frames) || o.frames < 1) {
          *error = in + "not a whole number from 1 to " + std::to_string(OPTIONS_max_frames);
          return false;
        }
      } else if (arg == "--seconds") {
        // A plain decimal number, such as 2.5 or 1e2: no sign of its own,
        // spaces, hexadecimal digits or names (strtod would take them).
        const std::string text(value);
        char* end = nullptr;
        const bool plain = text.find_first_not_of("0123456789.eE+-") == std::string::npos &&
                           text[0] != '+' && text[0] != '-';
        const double seconds = plain ? std::strtod(text.c_str(), &end) : 0;
        const double frames = std::round(seconds * 50);
        if (!plain || end != text.c_str() + text.size() || !(frames >= 1) ||
            frames > OPTIONS_max_frames) {
          *error = in + "not a number of seconds from 0.01 to " +
                   std::to_string(OPTIONS_max_frames / 50);
          return false;
        }
        o.frames = static_cast<std::int32_t>(frames);
      } else if (arg == "--keys") {
        if (!OPTIONS_parse_script(value, &o.keys, error)) return false;
      } else if (arg == "--png") {
        std::size_t at = 0, length = 0;
        if (!find_conversion(value, &at, &length)) {
          *error = in + "the pattern needs exactly one %d (or %0Nd) for the frame number, "
                        "and %% for a '%'";
          return false;
        }
        o.png = value;
      } else if (arg == "--png-frames") {
        o.png_frames.clear();
        for (const std::string_view piece : split(value)) {
          std::int32_t frame = 0;
          if (!parse_count(piece, OPTIONS_max_frames, &frame)) {
            *error = in + "\"" + std::string(piece) + "\" is not a frame number";
            return false;
          }
          o.png_frames.push_back(frame);
        }
      } else if (arg == "--raw") {
        o.raw = value;
      } else if (arg == "--wav") {
        o.wav = value;
      } else {
        o.mp4 = value;
      }
    }
  }
  if (!o.png_frames.empty() && o.png.empty()) {
    *error = "--png-frames needs --png";
    return false;
  }
  for (const std::int32_t frame : o.png_frames) {
    if (frame >= o.frames) {
      *error = "--png-frames: frame " + std::to_string(frame) + " is beyond the last frame, " +
               std::to_string(o.frames - 1);
      return false;
    }
  }
  if (o.upscale && o.mp4.empty()) {
    *error = "--upscale needs --mp4";
    return false;
  }
  if (o.hash && o.raw == "-") {
    *error = "--hash and --raw - cannot both write to standard output";
    return false;
  }
  *options = o;
  return true;
}

std::string OPTIONS_png_name(std::string_view pattern, std::int32_t frame) {
  std::size_t at = 0, length = 0;
  if (!find_conversion(pattern, &at, &length)) return std::string(pattern);
  const std::size_t width = length == 2 ? 0 : static_cast<std::size_t>(pattern[at + 2] - '0');
  std::string number = std::to_string(frame);
  if (number.size() < width) number.insert(0, width - number.size(), '0');
  std::string name;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (i == at) {
      name += number;
      i += length - 1;
    } else if (pattern[i] == '%') {
      name += '%';
      ++i;  // the second '%' of "%%"
    } else {
      name += pattern[i];
    }
  }
  return name;
}
