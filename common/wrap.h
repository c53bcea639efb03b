// Wrapping 32-bit integer arithmetic, defined for every input.
#pragma once

#include <cstdint>

// Signed 32-bit sum, difference and product that wrap around on overflow,
// computed through unsigned arithmetic so that overflow is never undefined.
constexpr std::int32_t wrap_add(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr std::int32_t wrap_sub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
constexpr std::int32_t wrap_mul(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}
// Negation that maps INT32_MIN onto itself instead of overflowing.
constexpr std::int32_t wrap_neg(std::int32_t a) {
  return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(a));
}

static_assert(wrap_add(INT32_MAX, 1) == INT32_MIN);
static_assert(wrap_sub(INT32_MIN, 1) == INT32_MAX);
static_assert(wrap_mul(65536, 65536) == 0);
static_assert(wrap_neg(INT32_MIN) == INT32_MIN);
