#include "sampler.h"

#include <algorithm>

namespace {

// Emits the next slot with the sound written for it and drops that sound.
void emit_slot(SAMPLER* s) {
  if (s->sound.size() < static_cast<std::size_t>(SAMPLER_slot_samples))
    s->sound.resize(SAMPLER_slot_samples, 0);
  const std::int32_t slot = s->next_slot++;
  s->emit(slot, s->picture, s->sound.data());
  s->sound.erase(s->sound.begin(), s->sound.begin() + SAMPLER_slot_samples);
}

}  // namespace

SAMPLER SAMPLER_make(std::int32_t count, SAMPLER_emit emit) {
  return SAMPLER{emit, 0, std::vector<std::uint32_t>(static_cast<std::size_t>(count), 0), {}};
}

void SAMPLER_clock(SAMPLER* sampler, std::int64_t now_us) {
  // Slot k is over once the clock has passed (k + 1) x 20 ms: a picture
  // presented exactly at its end still belongs to it.
  while ((sampler->next_slot + std::int64_t{1}) * SAMPLER_slot_us < now_us) emit_slot(sampler);
}

void SAMPLER_present(SAMPLER* sampler, const std::vector<std::uint32_t>& picture) {
  sampler->picture = picture;
}

void SAMPLER_sound(SAMPLER* sampler, const std::int16_t* block, std::int32_t count,
                   std::int64_t start_us) {
  std::int64_t offset = start_us / SAMPLER_slot_us * SAMPLER_slot_samples -
                        std::int64_t{sampler->next_slot} * SAMPLER_slot_samples;
  std::int32_t skip = 0;
  if (offset < 0) {
    skip = static_cast<std::int32_t>(std::min<std::int64_t>(-offset, count));
    offset = 0;
  }
  if (skip == count) return;
  const auto at = static_cast<std::size_t>(offset);
  const auto n = static_cast<std::size_t>(count - skip);
  if (sampler->sound.size() < at + n) sampler->sound.resize(at + n, 0);
  std::copy(block + skip, block + count, sampler->sound.begin() + static_cast<std::ptrdiff_t>(at));
}

void SAMPLER_finish(SAMPLER* sampler, std::int64_t now_us) {
  while (std::int64_t{sampler->next_slot} * SAMPLER_slot_us < now_us) emit_slot(sampler);
}
