#include "music.h"

#include <algorithm>
#include <new>

#include "rng.h"
#include "sound.h"
#include "wrap.h"

Module MUSIC_module{MODULE_record("MUSIC   "), "MUSIC ERROR", 0, 0};

void MUSIC_error() { MODULE_report(MUSIC_module); }

namespace {

constexpr std::int32_t LOOP_LENGTH = 132300;  // 3 seconds at 44100 values per second

bool usable(const SAMPLE* buffer) { return buffer != nullptr && buffer->data != nullptr; }

// Makes sure the record has a pattern of the output's length; false when it
// cannot have one.
bool prepare_pattern(MUSIC* music, std::int32_t length) {
  if (music->pattern != nullptr && music->pattern->length != length) SAMPLE_free(&music->pattern);
  if (music->pattern == nullptr) {
    music->pattern = SAMPLE_new();
    if (music->pattern == nullptr) return false;
    SAMPLE_set_length(music->pattern, length);
    if (music->pattern->length != length) {
      SAMPLE_free(&music->pattern);
      return false;
    }
  }
  return true;
}

void compose(MUSIC* music, bool faded) {
  if (music == nullptr || !usable(music->output) || music->instruments == nullptr) return;
  const std::int32_t length = music->output->length;
  if (!prepare_pattern(music, length)) return;
  SAMPLE* pattern = music->pattern;
  SAMPLE_clear(pattern);

  // The draws, in this order; an empty bank takes no remainder of the first.
  const std::int32_t count = music->instruments->count;
  const std::int32_t drawn = RNG_rand();
  const std::int32_t b1 = RNG_rand() % 2;
  const std::int32_t b2 = RNG_rand() % 2;
  const std::int32_t b3 = RNG_rand() % 2;
  const std::int32_t b4 = RNG_rand() % 2;
  const std::int32_t k = RNG_rand() % 4;
  // The third choice weighs a sixteenth, the fourth an eighth.
  const std::int32_t offset =
      b1 * (length / 2) + b2 * (length / 4) + b3 * (length / 16) + b4 * (length / 8);
  const std::int32_t repetitions = 1 << k;

  if (count <= 0) return;  // no instrument: the pattern stays silent
  const auto* instrument = static_cast<const SAMPLE*>(music->instruments->items[drawn % count]);
  if (instrument == nullptr) return;

  for (std::int32_t r = 0; r < repetitions; ++r) {
    SAMPLE_add(pattern, instrument);
    if (faded) SOUND_fade_out(pattern);
    SAMPLE_rotate(pattern, length / repetitions);
  }
  if (!faded) {  // 1, 2, 4 and 8 copies weigh 1, 3/4, 1/2 and 1/4
    SAMPLE_mul(pattern, 4 - k);
    SAMPLE_shr(pattern, 2);
  }
  SAMPLE_rotate(pattern, offset);
}

}  // namespace

MUSIC* MUSIC_new() {
  MUSIC* music = new (std::nothrow) MUSIC{};
  if (music == nullptr) {
    MUSIC_error();
    return nullptr;
  }
  music->period = 300;
  music->output = SAMPLE_new();
  SAMPLE_set_length(music->output, LOOP_LENGTH);
  music->instruments = LIST_new();
  return music;
}

void MUSIC_free(MUSIC** handle) {
  MODULE_free_record(MUSIC_module, handle, [](MUSIC& music) {
    if (music.output != nullptr) SAMPLE_free(&music.output);
    if (music.pattern != nullptr) SAMPLE_free(&music.pattern);
    if (music.instruments != nullptr) LIST_free(&music.instruments);
  });
}

void MUSIC_tick(MUSIC* music) {
  if (music == nullptr || music->output == nullptr || music->pattern == nullptr) return;
  if (music->countdown < 1) music->countdown = music->period;
  music->countdown = wrap_sub(music->countdown, 1);
}

void MUSIC_add(MUSIC* music, SAMPLE* instrument) {
  if (music == nullptr || music->instruments == nullptr || instrument == nullptr) return;
  LIST_append(music->instruments, instrument);
}

void MUSIC_compose(MUSIC* music) { compose(music, false); }

void MUSIC_compose_faded(MUSIC* music) { compose(music, true); }

void MUSIC_blend(MUSIC* music, std::int32_t n) {
  if (music == nullptr || !usable(music->output) || !usable(music->pattern) || n <= 1) return;
  // One pass doing what multiply by n - 1, add the pattern and divide by n do
  // in three; n > 1, so the quotient never overflows.
  std::int32_t* d = music->output->data.get();
  const std::int32_t* p = music->pattern->data.get();
  const std::int32_t length = music->output->length;
  const std::int32_t shared = std::min(length, music->pattern->length);
  const std::int32_t keep = n - 1;
  for (std::int32_t i = 0; i < shared; ++i) d[i] = wrap_add(wrap_mul(d[i], keep), p[i]) / n;
  for (std::int32_t i = shared; i < length; ++i) d[i] = wrap_mul(d[i], keep) / n;
}
