// MUSIC: the sequencer. A bank of instrument buffers and a three-second
// output loop; every `period` steps a new rhythmic pattern is composed at
// random from one instrument, and the loop is blended toward it step by step.
//
// A missing record, or one without its output or instrument list, makes the
// operations do nothing, silently.
#pragma once

#include <cstdint>

#include "list.h"
#include "module.h"
#include "sample.h"

struct MUSIC {
  std::int32_t countdown;  // steps left until the next reload; 0 when created
  std::int32_t period;     // steps between two patterns: 300 when created
  SAMPLE* output;          // the loop played, 132300 values (3 s), owned
  LIST* instruments;       // the bank of SAMPLE buffers; the list is owned, the buffers are not
  SAMPLE* pattern;         // the latest pattern, owned; none until the first compose
};

extern Module MUSIC_module;

// Reports an error of the MUSIC module ("MUSIC ERROR").
void MUSIC_error();

// A record with countdown 0, period 300, a silent output loop of 132300
// values, an empty bank and no pattern; none (reported) when the record cannot
// be allocated. A failed allocation of its parts leaves that part none.
MUSIC* MUSIC_new();
// Frees the record with its output, pattern and list (not the instruments) and
// sets the caller's handle to none; an absent handle or record is reported.
void MUSIC_free(MUSIC** handle);
// With both output and pattern present: reloads countdown to period when it is
// below 1, then counts it down by one. Without a pattern it does nothing.
void MUSIC_tick(MUSIC* music);
// Appends the instrument buffer to the bank; none is ignored.
void MUSIC_add(MUSIC* music, SAMPLE* instrument);
// Composes a new pattern the length of output: draws with RNG_rand() the
// instrument index, four offset choices and the repetition exponent k, lays
// 2^k copies evenly around the loop, weights them by (4 - k) / 4 and rotates
// the pattern by the drawn offset. An empty bank makes the six draws all the
// same and leaves the pattern cleared (silent).
void MUSIC_compose(MUSIC* music);
// As MUSIC_compose, but without weighting: after adding each copy the whole
// pattern is faded out, so earlier copies die away like echoes.
void MUSIC_compose_faded(MUSIC* music);
// output = (output * (n - 1) + pattern) / n, value by value, wrapping, the
// pattern taken over the shorter length and the quotient truncated toward
// zero; nothing without a pattern or with n <= 1.
void MUSIC_blend(MUSIC* music, std::int32_t n);
