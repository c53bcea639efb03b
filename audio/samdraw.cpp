#include "samdraw.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>
#include <utility>

#include "imgfx.h"

Module SAMDRAW_module{MODULE_record("SAMDRAW "), "SAMDRAW error.", 0, 0};

void SAMDRAW_error() { MODULE_report(SAMDRAW_module); }

namespace {

// True when the record has a holder and a target with pixels to draw on.
bool drawable(const SAMDRAW* scope) {
  return scope != nullptr && scope->source != nullptr && scope->target != nullptr &&
         scope->target->pixels != nullptr && scope->target->width > 0 && scope->target->height > 0;
}

// The holder's buffer when it has its values, otherwise none.
const SAMPLE* held(const SAMDRAW* scope) {
  const SAMPLE* buffer = scope->source->sample;
  return buffer != nullptr && buffer->data != nullptr ? buffer : nullptr;
}

// A negative first index becomes 0, a last index at or past the end the last one.
void clamp_range(SAMDRAW* scope, std::int32_t length) {
  if (scope->first < 0) scope->first = 0;
  if (scope->last >= length) scope->last = length - 1;
}

// The row a bar from the centre row reaches for the value: the 16-bit range
// spans the rows 0 to 2 * centre - 1, positive values downward. Computed in 64
// bits so that a value far outside that range still lands beyond the edge it
// points at, where the bar is clipped.
std::int32_t row_of(std::int32_t value, std::int32_t centre) {
  const std::int64_t row = ((static_cast<std::int64_t>(value) * centre) >> 15) + centre;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(row, INT32_MIN, INT32_MAX));
}

}  // namespace

SAMDRAW* SAMDRAW_new() {
  SAMDRAW* scope = new (std::nothrow) SAMDRAW{};
  if (scope == nullptr) {
    SAMDRAW_error();
    std::exit(-1);
  }
  scope->background = 0x808080;
  scope->colour = 0xffffff;
  scope->marker = 0;
  return scope;
}

void SAMDRAW_free(SAMDRAW** handle) { MODULE_free_record(SAMDRAW_module, handle); }

void SAMDRAW_draw(SAMDRAW* scope) {
  if (!drawable(scope)) {
    SAMDRAW_error();
    return;
  }
  IMG* target = scope->target;
  const std::int32_t width = target->width;
  IMGFX_fill_rect(target, 0, 0, width, target->height, scope->background);
  const SAMPLE* buffer = held(scope);
  if (buffer == nullptr) {
    SAMDRAW_error();
    return;
  }
  const std::int32_t length = buffer->length;
  if (length == 0) return;  // nothing to show, and no index to clamp to
  clamp_range(scope, length);
  if (scope->first > scope->last) std::swap(scope->first, scope->last);
  // A range wholly outside the buffer has one end outside still; it comes to
  // the buffer's nearest end, so that only values of the buffer are read.
  clamp_range(scope, length);

  // 16.16 values per column, from the whole buffer: a buffer longer than the
  // image advances by the whole number of values per column only, so its
  // tail beyond width * (length / width) values is never shown.
  const std::int64_t step = length <= width ? (std::int64_t{length} << 16) / width
                                            : std::int64_t{length / width} << 16;
  const std::int32_t centre = target->height >> 1;
  const std::int32_t* values = buffer->data.get();
  std::int64_t index = scope->first;
  std::int64_t fraction = 0;  // 16.16, below one value
  for (std::int32_t x = 0; x < width && index <= scope->last; ++x) {
    IMGFX_vspan(target, x, centre, row_of(values[index], centre), scope->colour);
    fraction += step;
    index += fraction >> 16;
    fraction &= 0xFFFF;
  }
}

void SAMDRAW_draw_extremes(SAMDRAW* scope) {
  if (!drawable(scope) || held(scope) == nullptr) {
    SAMDRAW_error();
    return;
  }
  const SAMPLE* buffer = held(scope);
  const std::int32_t length = buffer->length;
  if (length == 0) return;  // no extremes to mark
  clamp_range(scope, length);
  SAMDRAW_draw_marker(scope, SAMPLE_max_index(buffer));
  SAMDRAW_draw_marker(scope, SAMPLE_min_index(buffer));
}

void SAMDRAW_draw_marker(SAMDRAW* scope, std::int32_t index) {
  if (!drawable(scope) || held(scope) == nullptr || index < 0 || index >= held(scope)->length) {
    SAMDRAW_error();
    return;
  }
  const SAMPLE* buffer = held(scope);
  IMG* target = scope->target;
  const std::int32_t centre = target->height >> 1;
  // In 64 bits: a wide image times a long buffer passes the 32-bit range.
  const auto x = static_cast<std::int32_t>(std::int64_t{target->width} * index / buffer->length);
  IMGFX_vspan(target, x, centre, row_of(buffer->data[index], centre), scope->marker);
}
