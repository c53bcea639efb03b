// SOUND: waveforms and shaping for sample buffers at 44100 values per second.
//
// Every operation works on the buffer's current length, takes whole hertz,
// and reports through SOUND_error and does nothing when it is given no buffer
// (or one without its array).
#pragma once

#include <cstdint>

#include "module.h"
#include "sample.h"

// One period of a sine, 44100 values of amplitude 32766 (index i holds the
// phase i / 44100 of a turn); none until the first SOUND_sine builds it, then
// shared by the whole program and never freed.
extern SAMPLE* SOUND_CYCLE;

extern Module SOUND_module;

// Reports an error of the SOUND module ("SOUND Error.").
void SOUND_error();

// Fills the whole buffer with an f-hertz sine from phase 0: value i is the
// cycle's value at (i * f) modulo 44100. Any f is taken that way (modulo
// 44100, floored), so 0 and 44100 give silence and a negative f inverts.
void SOUND_sine(SAMPLE* buffer, std::int32_t f);
// Draws the whole periods of an f-hertz square wave that fit, from index 0:
// each period is a run of 32767, one 0, a run of -32768 and one 0, the period
// being 44100 * 32768 / f in 1/32768ths of a sample. Values after the last
// whole period are left unchanged; an f below 1 or above 44100 * 32768 (no
// period) changes nothing.
void SOUND_square(SAMPLE* buffer, std::int32_t f);
// Fills the whole buffer, from the last index down, with values drawn by
// (RNG_rand() AND 0xffff) - 32768 and each held for 44100 / f values; the first
// value is drawn before the fill starts. An f of 0 or below holds the first value.
void SOUND_noise(SAMPLE* buffer, std::int32_t f);
// Multiplies the buffer by the ramp from 32767 at index 0 to 0 at the last
// index and shifts each product right by 15. A single value is scaled by
// 32767 (its one ramp index receives the first value), an empty buffer is
// left as it is; a failed allocation of the ramp is reported and changes nothing.
void SOUND_fade_out(SAMPLE* buffer);
