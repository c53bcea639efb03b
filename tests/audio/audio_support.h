// Sample buffers built and read in the sound tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "sample.h"

using Values = std::vector<std::int32_t>;

// A buffer of exactly these values.
inline SAMPLE make(const Values& v) {
  const auto n = static_cast<std::int32_t>(v.size());
  SAMPLE s{n, n, ZEROED_array<std::int32_t>(v.size())};
  std::copy(v.begin(), v.end(), s.data.get());
  return s;
}

// The values of a buffer, up to its length.
inline Values values(const SAMPLE& s) { return {s.data.get(), s.data.get() + s.length}; }
