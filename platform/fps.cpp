#include "fps.h"

#include <new>

#include "os.h"

// The FPS module has no error text: its reports are counted, never printed.
Module FPS_module{MODULE_record("FPS     "), nullptr, 0, 0};

void FPS_error() { MODULE_report(FPS_module); }

FPS* FPS_new() {
  FPS* fps = new (std::nothrow) FPS{};
  if (fps == nullptr) FPS_error();
  return fps;
}

void FPS_frame_start(FPS* fps) {
  if (fps == nullptr) return;
  fps->start_us = FPS_now_us();
}

void FPS_frame_end(FPS* fps) {
  if (fps == nullptr) return;
  ++fps->frame_count;
  fps->end_us = FPS_now_us();
  // The difference of the low 32 bits, read as signed.
  fps->work_us = static_cast<std::int32_t>(static_cast<std::uint32_t>(fps->end_us) -
                                           static_cast<std::uint32_t>(fps->start_us));
}

void FPS_wait(FPS* fps) {
  if (fps == nullptr) return;
  if (fps->target_fps <= 0) {
    FPS_error();
    return;
  }
  const std::int32_t period = 1000000 / fps->target_fps;
  fps->spare_us = static_cast<std::int32_t>(static_cast<std::uint32_t>(period) -
                                            static_cast<std::uint32_t>(fps->work_us));
  if (fps->spare_us > 0) {
    OS_usleep(static_cast<std::uint32_t>(fps->spare_us));
    fps->shown_fps = fps->target_fps;
  }
}

std::int64_t FPS_now_us() { return OS_now_us(); }
