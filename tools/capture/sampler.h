// SAMPLER: turns what the show presents and plays on the virtual clock into a
// 50 frames-per-second stream of frames, each with its fiftieth of a second
// of sound.
//
// Frame k is the picture on screen at the end of the k-th 20 ms slot: the
// last one presented at or before (k + 1) x 20 ms. Pictures presented in no
// time (the opening and closing fades) are thus superseded, a frame that
// takes two slots (25 frames per second, a slow frame) is repeated, and
// before the first present the screen is black. Its sound is the 882 values
// (44100 per second) that play in the slot, silence where no block plays.
#pragma once

#include <cstdint>
#include <vector>

// Values of sound per slot, and the slot's length in microseconds.
inline constexpr std::int32_t SAMPLER_slot_samples = 882;
inline constexpr std::int64_t SAMPLER_slot_us = 20000;

// Takes one finished slot: its number, its picture and its sound.
using SAMPLER_emit = void (*)(std::int32_t slot, const std::vector<std::uint32_t>& picture,
                              const std::int16_t* sound);

struct SAMPLER {
  SAMPLER_emit emit;                  // where finished slots go
  std::int32_t next_slot;             // the first slot not yet emitted
  std::vector<std::uint32_t> picture;  // on screen now
  std::vector<std::int16_t> sound;    // the sound from next_slot on, as far as written
};

// A sampler whose screen is black (count pixels) and that emits to `emit`.
SAMPLER SAMPLER_make(std::int32_t count, SAMPLER_emit emit);
// The clock reached now_us: emits every slot that ended before it.
void SAMPLER_clock(SAMPLER* sampler, std::int64_t now_us);
// A picture was presented at the current time.
void SAMPLER_present(SAMPLER* sampler, const std::vector<std::uint32_t>& picture);
// A block of sound starts to play at start_us (a slot boundary); parts of
// it in slots already emitted are dropped.
void SAMPLER_sound(SAMPLER* sampler, const std::int16_t* block, std::int32_t count,
                   std::int64_t start_us);
// The show ends at now_us: emits every slot that began before it.
void SAMPLER_finish(SAMPLER* sampler, std::int64_t now_us);
