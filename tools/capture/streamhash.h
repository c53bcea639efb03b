// STREAMHASH: one line that identifies a capture, to compare two renderings
// of the show (the capture tool's and the browser's) frame for frame.
//
// The line is "frames=N video=H audio=H": N frames, and two 64-bit FNV-1a
// hashes as 16 lower-case hex digits, one of the frames in order (each pixel
// AND 0xFFFFFF as 4 little-endian bytes: a canvas keeps no top byte) and one
// of their sound (each value as 2 little-endian bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct STREAMHASH {
  std::int32_t frames;
  std::uint64_t video;
  std::uint64_t audio;
};

STREAMHASH STREAMHASH_make();
// Adds one frame of `pixels` pixels and its `samples` values of sound.
void STREAMHASH_add(STREAMHASH* hash, const std::uint32_t* picture, std::size_t pixels,
                    const std::int16_t* sound, std::size_t samples);
std::string STREAMHASH_line(const STREAMHASH& hash);
