#include "score.h"

#include "sound.h"
#include "work.h"

namespace {

// k passes of the fade-out: the k-th power of the linear ramp.
void fade(SAMPLE* buffer, int passes) {
  for (int i = 0; i < passes; ++i) SOUND_fade_out(buffer);
}

SAMPLE* new_instrument(std::int32_t length) {
  SAMPLE* s = SAMPLE_new();
  SAMPLE_set_length(s, length);
  return s;
}

// Group A: a sine with its two upper octaves, the louder the lower; the target
// level falls by 700 per semitone and turns negative (inverted) at n = 47.
void sine_tone(SAMPLE* s, SAMPLE* t, std::int32_t n) {
  const std::int32_t f = NOTE_TABLE[n];
  SOUND_sine(s, f);
  SAMPLE_shr(s, f / 512);
  SOUND_sine(t, 2 * f);
  SAMPLE_shr(t, f / 1024);
  SAMPLE_add(s, t);
  SOUND_sine(t, 4 * f);
  SAMPLE_shr(t, f / 2048);
  SAMPLE_add(s, t);
  SAMPLE_shr(s, 2);
  SAMPLE_normalize(s, 32767 - 700 * n);
  fade(s, 1);
}

// Two layers of noise at 8 and 16 times the note's rate, each faded, added to s.
void add_noise_layers(SAMPLE* s, SAMPLE* t, std::int32_t rate, int passes) {
  SOUND_noise(t, 8 * rate);
  fade(t, passes);
  SAMPLE_add(s, t);
  SOUND_noise(t, 16 * rate);
  fade(t, passes);
  SAMPLE_add(s, t);
}

// Group B: a low sine under two noise layers.
void noisy_sine(SAMPLE* s, SAMPLE* t, std::int32_t n) {
  const std::int32_t f = NOTE_TABLE[n - 48];
  SOUND_sine(s, f);
  fade(s, 1);
  SAMPLE_shr(s, f / 512);
  add_noise_layers(s, t, f, 6);
  SAMPLE_shr(s, 2);
  SAMPLE_normalize(s, 32767);
  fade(s, 1);
}

// Group C: a doubled square under two noise layers.
void noisy_square(SAMPLE* s, SAMPLE* t, std::int32_t n) {
  const std::int32_t f = NOTE_TABLE[n - 24];
  SOUND_square(s, f);
  SAMPLE_add(s, s);
  fade(s, 5);
  SAMPLE_shr(s, f / 512);
  add_noise_layers(s, t, f, 5);
  SAMPLE_shr(s, 2);
  SAMPLE_normalize(s, 32767 - 100 * n);
  fade(s, 5);
}

// Group D: a square above half the sample rate (an irregular click train)
// under white noise and noise held for two values.
void hiss(SAMPLE* s, SAMPLE* t) {
  SOUND_square(s, 28160);
  fade(s, 5);
  SOUND_noise(t, 44100);
  fade(t, 5);
  SAMPLE_add(s, t);
  SOUND_noise(t, 22050);
  fade(t, 5);
  SAMPLE_add(s, t);
  SAMPLE_shr(s, 2);
  SAMPLE_normalize(s, 8000);
  fade(s, 5);
}

// Group E: a square with its two upper octaves. The squares draw whole
// periods only, so what t held past them from earlier groups enters the sum.
void square_tone(SAMPLE* s, SAMPLE* t, std::int32_t n) {
  const std::int32_t f = NOTE_TABLE[n - 84];
  SOUND_square(s, f);
  SOUND_square(t, 2 * f);
  SAMPLE_add(s, t);
  SOUND_square(t, 4 * f);
  SAMPLE_add(s, t);
  SAMPLE_shr(s, 2);
  SAMPLE_normalize(s, 24000);
  fade(s, 1);
}

}  // namespace

MUSIC* TORQ6150_build_score() {
  MUSIC* music = MUSIC_new();
  if (music == nullptr) return nullptr;
  music->period = 256;
  // One scratch buffer for every group; its capacity stays 44100, so values
  // past a shorter length survive into the next longer one.
  SAMPLE* t = new_instrument(44100);
  for (std::int32_t n = 0; n <= 47; ++n) {
    SAMPLE* s = new_instrument(44100);
    sine_tone(s, t, n);
    MUSIC_add(music, s);
  }
  SAMPLE_set_length(t, 22050);
  for (std::int32_t n = 48; n <= 59; ++n) {
    SAMPLE* s = new_instrument(22050);
    noisy_sine(s, t, n);
    MUSIC_add(music, s);
  }
  for (std::int32_t n = 60; n <= 71; ++n) {
    SAMPLE* s = new_instrument(22050);
    noisy_square(s, t, n);
    MUSIC_add(music, s);
  }
  SAMPLE_set_length(t, 11025);
  for (std::int32_t n = 84; n <= 95; ++n) {
    SAMPLE* s = new_instrument(11025);
    hiss(s, t);
    MUSIC_add(music, s);
  }
  SAMPLE_set_length(t, 44100);
  for (std::int32_t n = 96; n <= 107; ++n) {
    SAMPLE* s = new_instrument(44100);
    square_tone(s, t, n);
    MUSIC_add(music, s);
  }
  // Nothing reads the scratch buffer after the bank is built.
  if (t != nullptr) SAMPLE_free(&t);
  WORK_charge(WORK_SCORE);
  return music;
}

void TORQ6150_free_score(MUSIC** handle) {
  if (handle != nullptr && *handle != nullptr && (*handle)->instruments != nullptr) {
    LIST* bank = (*handle)->instruments;
    while (bank->count > 0) {
      auto* instrument = static_cast<SAMPLE*>(LIST_pop(bank));
      if (instrument != nullptr) SAMPLE_free(&instrument);
    }
  }
  MUSIC_free(handle);
}
