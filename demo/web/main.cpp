// TORQ6150 in a web page. The page passes its query string as the one
// argument. Without one, the show runs in real time on the page's clock,
// keys and sound. With "virtual=1&frames=N&keys=SCRIPT" it runs on the
// virtual clock exactly as torq6150-capture does (the same sampler of 50
// frames per second, each with its 882 values of sound) and writes the
// capture's hash line of the N frames into the page, or "error=..." for a
// malformed query, in which case nothing runs.
#include <charconv>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "demo.h"
#include "headless.h"
#include "options.h"
#include "sampler.h"
#include "streamhash.h"
#include "web.h"
#include "xsnd.h"

namespace {

struct VirtualRun {
  std::int32_t frames = 0;
  std::vector<ScriptKey> keys;
};

// The value of a query parameter with its %XX escapes decoded; false for a
// malformed escape.
bool decode(std::string_view text, std::string* value) {
  value->clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      value->push_back(text[i]);
      continue;
    }
    unsigned byte = 0;
    if (text.size() - i < 3) return false;
    const auto [end, ec] = std::from_chars(text.data() + i + 1, text.data() + i + 3, byte, 16);
    if (ec != std::errc() || end != text.data() + i + 3) return false;
    value->push_back(static_cast<char>(byte));
    i += 2;
  }
  return true;
}

bool parse_query(std::string_view query, VirtualRun* run, std::string* error) {
  bool is_virtual = false;
  bool has_frames = false;
  while (!query.empty()) {
    const std::size_t amp = query.find('&');
    const std::string_view item = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view{} : query.substr(amp + 1);
    if (item.empty()) continue;
    const std::size_t eq = item.find('=');
    const std::string_view name = item.substr(0, eq);
    std::string value;
    if (eq == std::string_view::npos || !decode(item.substr(eq + 1), &value)) {
      *error = "\"" + std::string(item) + "\" is not NAME=VALUE";
      return false;
    }
    if (name == "virtual") {
      if (value != "1") {
        *error = "virtual must be 1";
        return false;
      }
      is_virtual = true;
    } else if (name == "frames") {
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), run->frames);
      if (ec != std::errc() || end != value.data() + value.size() || run->frames < 1 ||
          run->frames > OPTIONS_max_frames) {
        *error = "frames must be a whole number from 1 to " + std::to_string(OPTIONS_max_frames);
        return false;
      }
      has_frames = true;
    } else if (name == "keys") {
      if (!OPTIONS_parse_script(value, &run->keys, error)) return false;
    } else {
      *error = "unknown parameter \"" + std::string(name) + "\"";
      return false;
    }
  }
  if (!is_virtual) *error = "virtual=1 is missing";
  else if (!has_frames) *error = "frames is missing";
  return is_virtual && has_frames;
}

VirtualRun run;
SAMPLER sampler;
STREAMHASH hash = STREAMHASH_make();
bool reported = false;
bool exiting = false;

void report() {
  if (reported) return;
  reported = true;
  web_result(STREAMHASH_line(hash).c_str());
}

void emit(std::int32_t slot, const std::vector<std::uint32_t>& picture, const std::int16_t* sound) {
  if (reported || slot >= run.frames) return;
  STREAMHASH_add(&hash, picture.data(), picture.size(), sound, SAMPLER_slot_samples);
  if (slot + 1 < run.frames) return;
  report();
  if (!exiting) std::exit(0);
}

void on_clock(std::int64_t now_us) { SAMPLER_clock(&sampler, now_us); }

void on_present(const std::vector<std::uint32_t>& pixels) { SAMPLER_present(&sampler, pixels); }

void on_sound(const std::int16_t* block, std::int32_t count, std::int64_t start_us) {
  SAMPLER_sound(&sampler, block, count, start_us);
}

// The show ended itself (a quit key of the script): the frames up to now.
void at_exit() {
  exiting = true;
  SAMPLER_finish(&sampler, headless::now_us());
  report();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view query = argc > 1 ? argv[1] : "";
  if (!query.empty()) {
    std::string error;
    if (!parse_query(query, &run, &error)) {
      web_result(("error=" + error).c_str());
      return 0;
    }
    sampler = SAMPLER_make(256 * 256, emit);
    headless::reset();
    headless::on_clock(on_clock);
    headless::on_present(on_present);
    for (const ScriptKey& key : run.keys) headless::press_at(key.key, key.frame * SAMPLER_slot_us);
    XSND_use_capture(on_sound);
    web::use_virtual_clock();
    std::atexit(at_exit);
  }
  TORQ6150_startup();
  TORQ6150_run_cycle();
}
