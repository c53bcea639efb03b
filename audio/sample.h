// SAMPLE: a growable array of signed 32-bit values with whole-buffer
// arithmetic; audio at 44100 values per second, and the program's general
// integer array.
//
// Every operation checks its arguments first; a failed check is reported
// through SAMPLE_error, changes nothing and yields 0 or none. A missing buffer
// or one without its array fails every check. Arithmetic wraps on overflow and
// never saturates.
#pragma once

#include <cstdint>
#include <memory>

#include "module.h"
#include "zeroed.h"

struct SAMPLE {
  std::int32_t length;                     // values in use
  std::int32_t capacity;                   // allocated slots, never below length
  ZeroedArray<std::int32_t> data;          // allocated zero-filled
};

extern Module SAMPLE_module;

// Reports an error of the SAMPLE module ("SAMPLE error").
void SAMPLE_error();

// A new buffer of length 0 and capacity 32, or none (reported) when memory
// runs out for the record or its array.
SAMPLE* SAMPLE_new();
// Frees the buffer and sets the caller's handle to none; an absent handle or
// buffer is reported.
void SAMPLE_free(SAMPLE** handle);
// A new buffer holding a copy of the source's values, capacity equal to its
// length; an empty source is reported (it cannot reserve 0 slots) and still
// yields an empty buffer of capacity 32.
SAMPLE* SAMPLE_clone(const SAMPLE* source);
// Reallocates to exactly n slots (n > 0), cutting the length to n if larger;
// n <= 0 is reported, and a failed allocation is reported and keeps the old array.
void SAMPLE_reserve(SAMPLE* buffer, std::int32_t capacity);
// Sets the length (n >= 0), growing the capacity to exactly n when needed;
// values kept between a shorter and a longer length survive. A negative
// length or a failed growth is reported and changes nothing.
void SAMPLE_set_length(SAMPLE* buffer, std::int32_t length);
// The value at the index (0 <= index < length); any other index is reported and yields 0.
std::int32_t SAMPLE_get(const SAMPLE* buffer, std::int32_t index);
// Stores the value at the index (0 <= index < length); any other index is reported.
void SAMPLE_set(SAMPLE* buffer, std::int32_t index, std::int32_t value);
// Appends a value, doubling the capacity when full; a failed growth is
// reported and drops the value.
void SAMPLE_append(SAMPLE* buffer, std::int32_t value);
// Sets values 0 to length - 1 to 0.
void SAMPLE_clear(SAMPLE* buffer);
// Copies count values; safe for overlapping ranges of one buffer. A negative
// count or index, or a range past the length of either buffer, is reported.
void SAMPLE_copy_range(const SAMPLE* source, SAMPLE* destination, std::int32_t count,
                       std::int32_t source_index, std::int32_t destination_index);

// v += source value at the same index, over the shorter length (a buffer
// added to itself doubles).
void SAMPLE_add(SAMPLE* destination, const SAMPLE* source);
// v *= source value at the same index, over the shorter length.
void SAMPLE_mul_sample(SAMPLE* destination, const SAMPLE* source);
// v *= k.
void SAMPLE_mul(SAMPLE* buffer, std::int32_t k);
// v /= k, truncating toward zero; INT32_MIN / -1 wraps to INT32_MIN; k = 0 is reported.
void SAMPLE_div(SAMPLE* buffer, std::int32_t k);
// v >>= n, arithmetic; the count is taken modulo 32 (32 changes nothing), and
// a negative n or n above 32 is reported.
void SAMPLE_shr(SAMPLE* buffer, std::int32_t n);
// Scales so that the peak magnitude lands on |target| or one below; a
// negative target inverts. The factor is (target * 2^32) / peak in 64 bits and
// each value becomes the upper half of factor * v. Silence (peak 0) and an
// empty buffer are left as they are, unreported.
void SAMPLE_normalize(SAMPLE* buffer, std::int32_t target);
// Circular delay by n places: value i moves to (i + n) mod length, the
// remainder taken as floored modulo, so a negative n rotates the other way.
// An empty buffer is left as it is, unreported.
void SAMPLE_rotate(SAMPLE* buffer, std::int32_t n);
// Straight integer line from (first index, first value) to (last index, last
// value), stepped with integer error terms. With dx = last - first index and
// dy = |last - first value|: when dx > dy the error starts at dx / 2, loses dy
// after each store, and whenever it falls below 1 gets dx back while the value
// steps by one; otherwise it starts at dy / 2 and after each store the value
// steps while the error is above 0, each step taking dx from it, and then dy
// is added. The first index receives the first value exactly; the second
// form stores before it steps, so its last value may fall short of the last
// value (32767 to 0 over 11025 indices ends on 1; over two indices the line
// stops halfway). Ends given in reverse order (first index above the last)
// draw the line with the ends swapped; equal indices store the first value
// there. Indices outside the buffer are skipped (the line keeps its course
// through them) and reported once per call.
void SAMPLE_ramp(SAMPLE* buffer, std::int32_t first_index, std::int32_t first_value,
                 std::int32_t last_index, std::int32_t last_value);

// The smallest and largest values, and the lowest index of each; an empty
// buffer yields 0 for all four, unreported.
std::int32_t SAMPLE_min(const SAMPLE* buffer);
std::int32_t SAMPLE_max(const SAMPLE* buffer);
std::int32_t SAMPLE_min_index(const SAMPLE* buffer);
std::int32_t SAMPLE_max_index(const SAMPLE* buffer);
