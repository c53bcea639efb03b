// FPS: frame pacing and frame counting.
#pragma once

#include <cstdint>

#include "module.h"

struct FPS {
  std::int32_t target_fps;   // frames per second aimed at
  std::int32_t shown_fps;    // target_fps, copied whenever a frame had time to spare
  std::int32_t spare_us;     // microseconds left of the last frame period
  std::int64_t start_us;     // when the current frame started
  std::int64_t end_us;       // when the current frame's work ended
  std::int64_t work_us;      // duration of the frame's work
  std::int32_t frame_count;  // frames ended since the record was made
};

extern Module FPS_module;

// Counts an error of the FPS module; it never prints anything.
void FPS_error();

// A zeroed record, or none when memory runs out.
FPS* FPS_new();
// Marks the start of a frame's work.
void FPS_frame_start(FPS* fps);
// Counts the frame and measures its work.
void FPS_frame_end(FPS* fps);
// Sleeps out what is left of the frame period, if anything.
void FPS_wait(FPS* fps);
// Wall-clock time of day in microseconds.
std::int64_t FPS_now_us();
