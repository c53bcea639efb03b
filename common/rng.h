// RNG: the show's random numbers, the same on every C library.
//
// The sequence is the GNU C library's rand()/random() (which share one
// state): an additive feedback generator over a table of 31 words,
// r[i] = r[i-3] + r[i-31] modulo 2^32, each output being r[i] >> 1.
// Seeding sets r[0] to the seed (0 counts as 1) and each further word to
// 16807 times the one before modulo 2^31 - 1, then drops the first 310
// outputs. Before any seeding it runs as if seeded with 1. Every pixel of
// the show after its first random choice depends on this exact sequence,
// so the program carries its own generator instead of the C library's.
#pragma once

#include <cstdint>

// Largest value RNG_rand returns.
inline constexpr std::int32_t RNG_max = 2147483647;

// Starts the sequence afresh from the seed.
void RNG_srand(std::uint32_t seed);
// The next number of the sequence, 0 to RNG_max.
std::int32_t RNG_rand();
