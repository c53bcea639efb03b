#include "sample.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "wrap.h"

Module SAMPLE_module{MODULE_record("SAMPLE  "), "SAMPLE error", 0, 0};

void SAMPLE_error() { MODULE_report(SAMPLE_module); }

namespace {

bool usable(const SAMPLE* buffer) { return buffer != nullptr && buffer->data != nullptr; }

ZeroedArray<std::int32_t> allocate_values(std::int32_t count) {
  return ZEROED_array<std::int32_t>(static_cast<std::size_t>(count));
}

// Runs op over every value of the buffer, in place.
template <typename Op>
void for_each_value(SAMPLE* buffer, Op op) {
  std::int32_t* d = buffer->data.get();
  const std::int32_t n = buffer->length;
  for (std::int32_t i = 0; i < n; ++i) d[i] = op(d[i]);
}

// Runs op(v, source value) over the indices both buffers hold, in place.
template <typename Op>
void for_each_pair(SAMPLE* destination, const SAMPLE* source, Op op) {
  std::int32_t* d = destination->data.get();
  const std::int32_t* s = source->data.get();
  const std::int32_t n = std::min(destination->length, source->length);
  for (std::int32_t i = 0; i < n; ++i) d[i] = op(d[i], s[i]);
}

// Index of the first value that wins against every earlier one; 0 when empty.
template <typename Better>
std::int32_t extreme_index(const SAMPLE* buffer, Better better) {
  if (!usable(buffer)) {
    SAMPLE_error();
    return 0;
  }
  const std::int32_t* d = buffer->data.get();
  std::int32_t best = 0;
  for (std::int32_t i = 1; i < buffer->length; ++i)
    if (better(d[i], d[best])) best = i;
  return best;
}

}  // namespace

SAMPLE* SAMPLE_new() {
  SAMPLE* buffer = new (std::nothrow) SAMPLE{};
  if (buffer == nullptr) {
    SAMPLE_error();
    return nullptr;
  }
  buffer->data = allocate_values(32);
  if (buffer->data == nullptr) {
    delete buffer;
    SAMPLE_error();
    return nullptr;
  }
  buffer->capacity = 32;
  return buffer;
}

void SAMPLE_free(SAMPLE** handle) { MODULE_free_record(SAMPLE_module, handle); }

SAMPLE* SAMPLE_clone(const SAMPLE* source) {
  if (!usable(source)) {
    SAMPLE_error();
    return nullptr;
  }
  SAMPLE* copy = SAMPLE_new();
  if (copy == nullptr) return nullptr;
  SAMPLE_reserve(copy, source->length);  // an empty source is reported here
  if (copy->capacity < source->length) {  // the allocation failed and was reported
    SAMPLE_free(&copy);
    return nullptr;
  }
  copy->length = source->length;
  std::copy_n(source->data.get(), source->length, copy->data.get());
  return copy;
}

void SAMPLE_reserve(SAMPLE* buffer, std::int32_t capacity) {
  if (!usable(buffer) || capacity <= 0) {
    SAMPLE_error();
    return;
  }
  auto data = allocate_values(capacity);
  if (data == nullptr) {
    SAMPLE_error();
    return;
  }
  buffer->length = std::min(buffer->length, capacity);
  std::copy_n(buffer->data.get(), buffer->length, data.get());
  buffer->data = std::move(data);
  buffer->capacity = capacity;
}

void SAMPLE_set_length(SAMPLE* buffer, std::int32_t length) {
  if (!usable(buffer) || length < 0) {
    SAMPLE_error();
    return;
  }
  if (buffer->capacity < length) {
    SAMPLE_reserve(buffer, length);
    if (buffer->capacity < length) return;  // reported by SAMPLE_reserve
  }
  buffer->length = length;
}

std::int32_t SAMPLE_get(const SAMPLE* buffer, std::int32_t index) {
  if (!usable(buffer) || index < 0 || index >= buffer->length) {
    SAMPLE_error();
    return 0;
  }
  return buffer->data[index];
}

void SAMPLE_set(SAMPLE* buffer, std::int32_t index, std::int32_t value) {
  if (!usable(buffer) || index < 0 || index >= buffer->length) {
    SAMPLE_error();
    return;
  }
  buffer->data[index] = value;
}

void SAMPLE_append(SAMPLE* buffer, std::int32_t value) {
  if (!usable(buffer) || buffer->length == INT32_MAX) {
    SAMPLE_error();
    return;
  }
  if (buffer->length >= buffer->capacity) {
    const std::int64_t doubled = std::max<std::int64_t>(2 * std::int64_t{buffer->capacity}, 1);
    SAMPLE_reserve(buffer, static_cast<std::int32_t>(std::min<std::int64_t>(doubled, INT32_MAX)));
    if (buffer->length >= buffer->capacity) return;  // reported by SAMPLE_reserve
  }
  buffer->data[buffer->length] = value;
  ++buffer->length;
}

void SAMPLE_clear(SAMPLE* buffer) {
  if (!usable(buffer)) {
    SAMPLE_error();
    return;
  }
  std::fill_n(buffer->data.get(), buffer->length, 0);
}

void SAMPLE_copy_range(const SAMPLE* source, SAMPLE* destination, std::int32_t count,
                       std::int32_t source_index, std::int32_t destination_index) {
  if (!usable(source) || !usable(destination) || count < 0 || source_index < 0 ||
      destination_index < 0 || std::int64_t{source_index} + count > source->length ||
      std::int64_t{destination_index} + count > destination->length) {
    SAMPLE_error();
    return;
  }
  // memmove gives what the element copy gives in its documented direction:
  // last to first when the destination starts inside the source range of the
  // same buffer, first to last otherwise.
  if (count > 0) {
    std::memmove(destination->data.get() + destination_index, source->data.get() + source_index,
                 static_cast<std::size_t>(count) * sizeof(std::int32_t));
  }
}

void SAMPLE_add(SAMPLE* destination, const SAMPLE* source) {
  if (!usable(destination) || !usable(source)) {
    SAMPLE_error();
    return;
  }
  for_each_pair(destination, source, [](std::int32_t v, std::int32_t s) { return wrap_add(v, s); });
}

void SAMPLE_mul_sample(SAMPLE* destination, const SAMPLE* source) {
  if (!usable(destination) || !usable(source)) {
    SAMPLE_error();
    return;
  }
  for_each_pair(destination, source, [](std::int32_t v, std::int32_t s) { return wrap_mul(v, s); });
}

void SAMPLE_mul(SAMPLE* buffer, std::int32_t k) {
  if (!usable(buffer)) {
    SAMPLE_error();
    return;
  }
  for_each_value(buffer, [k](std::int32_t v) { return wrap_mul(v, k); });
}

void SAMPLE_div(SAMPLE* buffer, std::int32_t k) {
  if (!usable(buffer) || k == 0) {
    SAMPLE_error();
    return;
  }
  if (k == -1) {  // the one quotient that overflows: INT32_MIN / -1 wraps to INT32_MIN
    for_each_value(buffer, [](std::int32_t v) { return wrap_neg(v); });
    return;
  }
  for_each_value(buffer, [k](std::int32_t v) { return v / k; });
}

void SAMPLE_shr(SAMPLE* buffer, std::int32_t n) {
  if (!usable(buffer) || n < 0 || n > 32) {
    SAMPLE_error();
    return;
  }
  const std::int32_t shift = n % 32;
  if (shift == 0) return;
  for_each_value(buffer, [shift](std::int32_t v) { return v >> shift; });
}

void SAMPLE_normalize(SAMPLE* buffer, std::int32_t target) {
  if (!usable(buffer)) {
    SAMPLE_error();
    return;
  }
  const std::int32_t* d = buffer->data.get();
  std::int32_t low = 0, high = 0;
  if (buffer->length > 0) low = high = d[0];
  for (std::int32_t i = 1; i < buffer->length; ++i) {
    low = std::min(low, d[i]);
    high = std::max(high, d[i]);
  }
  // Taken in 64 bits: the magnitude of INT32_MIN is 2^31.
  const std::int64_t peak = std::max(std::abs(std::int64_t{low}), std::abs(std::int64_t{high}));
  if (peak == 0) return;  // silence: nothing to scale
  // 32.32 factor; target * 2^32 lies within the 64-bit range for every target.
  const std::int64_t factor = std::int64_t{target} * (std::int64_t{1} << 32) / peak;
  // The upper half of the 64-bit product, taken from its wrapped unsigned form:
  // the same bits as the signed product shifted right by 32, and defined even
  // where factor * v would leave the signed range.
  const std::uint64_t f = static_cast<std::uint64_t>(factor);
  for_each_value(buffer, [f](std::int32_t v) {
    const std::uint64_t product = f * static_cast<std::uint64_t>(std::int64_t{v});
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(product >> 32));
  });
}

void SAMPLE_rotate(SAMPLE* buffer, std::int32_t n) {
  if (!usable(buffer)) {
    SAMPLE_error();
    return;
  }
  const std::int32_t length = buffer->length;
  if (length == 0) return;
  std::int32_t r = n % length;
  if (r < 0) r += length;
  if (r == 0) return;
  std::int32_t* d = buffer->data.get();
  std::rotate(d, d + (length - r), d + length);  // the last r values move to the front
}

void SAMPLE_ramp(SAMPLE* buffer, std::int32_t first_index, std::int32_t first_value,
                 std::int32_t last_index, std::int32_t last_value) {
  if (!usable(buffer)) {
    SAMPLE_error();
    return;
  }
  if (first_index > last_index) {
    std::swap(first_index, last_index);
    std::swap(first_value, last_value);
  }
  const std::int64_t x0 = first_index;
  const std::int64_t dx = std::int64_t{last_index} - first_index;  // 0 .. 2^32 - 1
  const std::int64_t delta = std::int64_t{last_value} - first_value;
  const std::int64_t dy = delta < 0 ? -delta : delta;               // 0 .. 2^32 - 1
  const std::int64_t s = delta < 0 ? -1 : (delta > 0 ? 1 : 0);
  if (first_index < 0 || last_index >= buffer->length) SAMPLE_error();  // once per call
  const std::int64_t lo = std::max<std::int64_t>(first_index, 0);
  const std::int64_t hi = std::min<std::int64_t>(last_index, std::int64_t{buffer->length} - 1);
  if (lo > hi) return;
  std::int32_t* d = buffer->data.get();
  // k0 indices of the line lie before the buffer (at most 2^31); the loop state
  // at index lo is computed in closed form so that skipping them costs nothing.
  // Every product below stays under 2^63.
  const std::int64_t k0 = lo - x0;
  std::int64_t v = first_value;  // stays between the two end values
  if (dx > dy) {
    // e starts at dx / 2; at each index: store v, e -= dy, and when e < 1,
    // e += dx and v steps. After k >= 1 indices v has stepped c times, the
    // least c with e0 - k * dy + c * dx >= 1, and e is that expression.
    std::int64_t e = dx / 2;
    if (k0 > 0) {
      const std::int64_t need = k0 * dy + 1 - e;
      if (need <= 0) {
        e = 1 - need;
      } else {
        const std::int64_t c = (need - 1) / dx + 1;
        v += s * c;
        e = dx - (need - 1) % dx;
      }
    }
    for (std::int64_t i = lo; i <= hi; ++i) {
      d[i] = static_cast<std::int32_t>(v);
      e -= dy;
      if (e < 1) {
        e += dx;
        v += s;
      }
    }
  } else if (dx == 0) {
    d[lo] = first_value;  // a single index receives the first value
  } else {
    // e starts at dy / 2; at each index: store v, then while e > 0 step v and
    // e -= dx, then e += dy. Before the store at index k >= 1, v has stepped
    // c = ceil((e0 + (k - 1) * dy) / dx) times and e = e0 + k * dy - c * dx.
    // The inner loop is taken in one division: with dy far above dx it
    // would step billions of times.
    std::int64_t e = dy / 2;
    if (k0 > 0) {
      const std::int64_t before = e + (k0 - 1) * dy;
      const std::int64_t c = (before + dx - 1) / dx;
      v += s * c;
      e = dy - (c * dx - before);
    }
    for (std::int64_t i = lo; i <= hi; ++i) {
      d[i] = static_cast<std::int32_t>(v);
      if (e > 0) {
        const std::int64_t steps = (e - 1) / dx + 1;
        v += s * steps;
        e -= steps * dx;
      }
      e += dy;
    }
  }
}

std::int32_t SAMPLE_min(const SAMPLE* buffer) {
  if (!usable(buffer)) {
    SAMPLE_error();
    return 0;
  }
  const std::int32_t* d = buffer->data.get();
  return buffer->length == 0 ? 0 : *std::min_element(d, d + buffer->length);
}

std::int32_t SAMPLE_max(const SAMPLE* buffer) {
  if (!usable(buffer)) {
    SAMPLE_error();
    return 0;
  }
  const std::int32_t* d = buffer->data.get();
  return buffer->length == 0 ? 0 : *std::max_element(d, d + buffer->length);
}

std::int32_t SAMPLE_min_index(const SAMPLE* buffer) {
  return extreme_index(buffer, [](std::int32_t a, std::int32_t b) { return a < b; });
}

std::int32_t SAMPLE_max_index(const SAMPLE* buffer) {
  return extreme_index(buffer, [](std::int32_t a, std::int32_t b) { return a > b; });
}
