#include "streamhash.h"

#include <cstdio>

namespace {

constexpr std::uint64_t kOffsetBasis = 0xcbf29ce484222325ull;
constexpr std::uint64_t kPrime = 0x100000001b3ull;

// Hashes the low `bytes` bytes of a value, lowest first.
std::uint64_t add_bytes(std::uint64_t hash, std::uint32_t value, int bytes) {
  for (int b = 0; b < bytes; ++b) {
    hash ^= (value >> (8 * b)) & 0xFF;
    hash *= kPrime;
  }
  return hash;
}

}  // namespace

STREAMHASH STREAMHASH_make() { return STREAMHASH{0, kOffsetBasis, kOffsetBasis}; }

void STREAMHASH_add(STREAMHASH* hash, const std::uint32_t* picture, std::size_t pixels,
                    const std::int16_t* sound, std::size_t samples) {
  std::uint64_t video = hash->video;
  for (std::size_t i = 0; i < pixels; ++i) video = add_bytes(video, picture[i] & 0xFFFFFF, 4);
  std::uint64_t audio = hash->audio;
  for (std::size_t i = 0; i < samples; ++i)
    audio = add_bytes(audio, static_cast<std::uint16_t>(sound[i]), 2);
  hash->video = video;
  hash->audio = audio;
  ++hash->frames;
}

std::string STREAMHASH_line(const STREAMHASH& hash) {
  char line[80];
  std::snprintf(line, sizeof line, "frames=%d video=%016llx audio=%016llx", hash.frames,
                static_cast<unsigned long long>(hash.video), static_cast<unsigned long long>(hash.audio));
  return line;
}
