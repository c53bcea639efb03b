// SAMPLE: a growable array of signed 32-bit values with whole-buffer
// arithmetic; audio at 44100 values per second, and the program's general
// integer array.
//
// Every operation checks its arguments first; a failed check is reported
// through SAMPLE_error, changes nothing and yields 0 or none. Arithmetic wraps
// on overflow and never saturates.
#pragma once

#include <cstdint>
#include <memory>

#include "module.h"

struct SAMPLE {
  std::int32_t length;                     // values in use
  std::int32_t capacity;                   // allocated slots, never below length
  std::unique_ptr<std::int32_t[]> data;    // allocated zero-filled
};

extern Module SAMPLE_module;

// Reports an error of the SAMPLE module ("SAMPLE error").
void SAMPLE_error();

// A new buffer of length 0 and capacity 32, or none (reported).
SAMPLE* SAMPLE_new();
// Frees the buffer and sets the caller's handle to none.
void SAMPLE_free(SAMPLE** handle);
// A new buffer holding a copy of the source's values, capacity equal to its length.
SAMPLE* SAMPLE_clone(const SAMPLE* source);
// Reallocates to exactly n slots (n > 0), cutting the length to n if larger.
void SAMPLE_reserve(SAMPLE* buffer, std::int32_t capacity);
// Sets the length (n >= 0), growing the capacity to exactly n when needed.
void SAMPLE_set_length(SAMPLE* buffer, std::int32_t length);
// The value at the index (0 <= index < length).
std::int32_t SAMPLE_get(const SAMPLE* buffer, std::int32_t index);
// Stores the value at the index (0 <= index < length).
void SAMPLE_set(SAMPLE* buffer, std::int32_t index, std::int32_t value);
// Appends a value, doubling the capacity when full.
void SAMPLE_append(SAMPLE* buffer, std::int32_t value);
// Sets values 0 to length - 1 to 0.
void SAMPLE_clear(SAMPLE* buffer);
// Copies count values; safe for overlapping ranges of one buffer.
void SAMPLE_copy_range(const SAMPLE* source, SAMPLE* destination, std::int32_t count,
                       std::int32_t source_index, std::int32_t destination_index);

// v += source value at the same index, over the shorter length.
void SAMPLE_add(SAMPLE* destination, const SAMPLE* source);
// v *= source value at the same index, over the shorter length.
void SAMPLE_mul_sample(SAMPLE* destination, const SAMPLE* source);
// v *= k.
void SAMPLE_mul(SAMPLE* buffer, std::int32_t k);
// v /= k, truncating toward zero; k = 0 is reported.
void SAMPLE_div(SAMPLE* buffer, std::int32_t k);
// v >>= n, arithmetic; the count is taken modulo 32, n above 32 is reported.
void SAMPLE_shr(SAMPLE* buffer, std::int32_t n);
// Scales so that the peak magnitude lands on |target| or one below; a
// negative target inverts.
void SAMPLE_normalize(SAMPLE* buffer, std::int32_t target);
// Circular delay by n places: value i moves to (i + n) mod length.
void SAMPLE_rotate(SAMPLE* buffer, std::int32_t n);
// Straight integer line from (first index, first value) to (last index, last value).
void SAMPLE_ramp(SAMPLE* buffer, std::int32_t first_index, std::int32_t first_value,
                 std::int32_t last_index, std::int32_t last_value);

// The smallest and largest values, and the lowest index of each.
std::int32_t SAMPLE_min(const SAMPLE* buffer);
std::int32_t SAMPLE_max(const SAMPLE* buffer);
std::int32_t SAMPLE_min_index(const SAMPLE* buffer);
std::int32_t SAMPLE_max_index(const SAMPLE* buffer);
