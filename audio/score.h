// The demo's score: the table of note frequencies and the bank of 96
// instruments the sequencer plays from.
#pragma once

#include <cstdint>

#include "music.h"

// Whole-hertz frequencies of eight octaves of twelve semitones, from the C at
// about 32.7 Hz (index 0) to the B at about 7902 Hz (index 95), with their count.
struct NoteTable {
  std::int32_t values[96];
  std::int32_t count;

  // The frequency at the index taken modulo the count (floored).
  constexpr std::int32_t operator[](std::int32_t index) const {
    const std::int32_t i = index % count;
    return values[i < 0 ? i + count : i];
  }
};

// The values are fixed, not computed: most are rounded, some truncated.
inline constexpr NoteTable NOTE_TABLE{
    {32,   34,   36,   39,   41,   44,   46,   49,   52,   55,   58,   62,
     65,   69,   73,   78,   82,   87,   93,   98,   104,  110,  117,  123,
     131,  139,  147,  156,  165,  175,  185,  196,  208,  220,  233,  247,
     262,  277,  294,  311,  330,  349,  370,  392,  415,  440,  466,  494,
     523,  554,  587,  622,  659,  698,  740,  784,  831,  880,  932,  988,
     1046, 1109, 1174, 1244, 1318, 1397, 1480, 1568, 1661, 1760, 1864, 1975,
     2093, 2217, 2349, 2489, 2637, 2793, 2960, 3135, 3322, 3520, 3729, 3951,
     4186, 4434, 4698, 4978, 5274, 5587, 5920, 6272, 6645, 7040, 7458, 7902},
    96};

static_assert(NOTE_TABLE[45] == 440);
static_assert(NOTE_TABLE[96 + 45] == 440 && NOTE_TABLE[-51] == 440);

// Creates the music record with period 256 and synthesises its 96
// instruments in the groups A to E, drawing the noise from RNG_rand(); none when
// the record cannot be created (reported by MUSIC_new).
MUSIC* TORQ6150_build_score();
// Frees every instrument of the bank and then the record, and sets the
// caller's handle to none; an absent handle or record is reported by MUSIC_free.
void TORQ6150_free_score(MUSIC** handle);
