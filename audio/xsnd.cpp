#include "xsnd.h"

#include <algorithm>
#include <new>

#include "os.h"
#include "xsnd_device.h"

Module XSND_module{MODULE_record("XSND    ", "LINUX   "), "XSND error", 0, 0};

void XSND_error() { MODULE_report(XSND_module); }

namespace {

// The sample format code of signed 16-bit little-endian values (OSS's AFMT_S16_LE).
constexpr std::int32_t kFormatS16Le = 16;

// The silent output stands for a device of 44100 values per second with a
// buffer of 100 ms (as much as the ALSA output asks for), and counts one
// block of 882 values (one fiftieth of a second, a frame at 50 frames per
// second) per call.
constexpr std::int64_t kSilentBufferUs = 100000;
constexpr std::int64_t kSilentBlockUs = std::int64_t{882} * 1000000 / 44100;
static_assert(kSilentBlockUs == 20000);

// The capture output's block: one fiftieth of a second, 882 values, which
// divides the 132300 values of the music's loop, so no block is ever short.
constexpr std::int32_t kCaptureBlockSamples = 882;
constexpr std::int64_t kCaptureBlockUs = 20000;

// The sink XSND_new hands to the records it makes, or none for a device.
XSND_sink capture_sink = nullptr;

// Copies n values into the block, keeping the low 16 bits of each.
void cut_to_block(const std::int32_t* source, std::int16_t* block, std::int32_t n) {
  for (std::int32_t i = 0; i < n; ++i) block[i] = static_cast<std::int16_t>(source[i]);
}

// Plays the first n values of the block on the capture output: waits while
// the previous block plays, then starts the block on the 20 ms grid, never
// before the previous one has ended.
void play_captured(XSND* sound, std::int32_t n) {
  std::int64_t now = OS_now_us();
  if (now < sound->capture_end_us) {
    OS_usleep(static_cast<std::uint32_t>(sound->capture_end_us - now));
    now = OS_now_us();
  }
  const std::int64_t start = std::max(sound->capture_end_us, now - now % kCaptureBlockUs);
  sound->capture(sound->block.get(), n, start);
  sound->capture_end_us = start + kCaptureBlockUs;
}

// Hands the first n values of the block to the output.
void write_block(XSND* sound, std::int32_t n) {
  if (n <= 0) return;
  if (sound->capture != nullptr) {
    play_captured(sound, n);
  } else {
    XSND_device_write(sound, n);
  }
}

}  // namespace

void XSND_ask_format(XSND* sound) {
  sound->rate = 44100;
  sound->format = kFormatS16Le;
  sound->stereo = 0;
  sound->fd = -1;
  sound->block_size = 0;
}

XSND* XSND_make_record() {
  XSND* sound = new (std::nothrow) XSND{};
  if (sound == nullptr) {
    XSND_error();
    return nullptr;
  }
  XSND_ask_format(sound);
  sound->queue = LIST_new();
  return sound;
}

bool XSND_set_block(XSND* sound, std::int32_t block_size) {
  sound->block_size = block_size;
  if (block_size < 2 || block_size > XSND_max_block_size) return false;
  const std::int32_t samples = block_size / 2;
  sound->block.reset(new (std::nothrow) std::int16_t[static_cast<std::size_t>(samples)]());
  if (sound->block == nullptr) return false;
  sound->block_samples = samples;
  return true;
}

// Without an output, one block is counted as played and the call waits as a
// blocking write to a full device would: only for what the blocks counted
// stand more than the buffer ahead of the clock. A device that ran dry (the
// show was slow, paused, muted or in a part without music) starts afresh, so
// that idle time is never owed afterwards; so does one whose clock stepped
// back, rather than waiting out the step.
void XSND_keep_silent_time(XSND* sound) {
  const std::int64_t now = OS_now_us();
  const std::int64_t ahead = sound->silent_due_us - now;
  if (ahead < 0 || ahead > kSilentBufferUs) sound->silent_due_us = now;
  sound->silent_due_us += kSilentBlockUs;
  const std::int64_t wait = sound->silent_due_us - now - kSilentBufferUs;
  if (wait > 0) OS_usleep(static_cast<std::uint32_t>(wait));
}

XSND* XSND_new() {
  XSND* sound = XSND_make_record();
  if (sound == nullptr) return nullptr;
  if (capture_sink != nullptr) {
    sound->capture = capture_sink;
    if (XSND_set_block(sound, kCaptureBlockSamples * 2)) return sound;
    sound->capture = nullptr;  // plays silently, like a device that could not be set up
  } else if (XSND_device_open(sound)) {
    return sound;
  }
  XSND_error();
  return sound;
}

void XSND_use_capture(XSND_sink sink) { capture_sink = sink; }

void XSND_play(XSND* sound) {
  if (sound == nullptr) {
    XSND_error();
    return;
  }
  if (sound->queue == nullptr) {
    sound->queue = LIST_new();
    return;
  }
  if (sound->queue->count <= 0) return;
  sound->current = static_cast<SAMPLE*>(LIST_get(sound->queue, 0));
  const SAMPLE* current = sound->current;
  if (current == nullptr || current->data == nullptr) {
    // Not a buffer: it cannot be played, so it leaves the queue.
    XSND_error();
    LIST_remove(sound->queue, 0);
    sound->current = nullptr;
    sound->position = 0;
    return;
  }
  // Without an output the head of the queue is never used up.
  if (sound->block == nullptr) {
    XSND_keep_silent_time(sound);
    return;
  }

  const std::int32_t length = current->length;
  // A position outside the buffer (it was shortened meanwhile) is held to it.
  const std::int32_t start = std::clamp(sound->position, 0, length);
  std::int32_t n;
  if (length - start >= sound->block_samples) {
    n = sound->block_samples;
    sound->position = start + n;
  } else {
    // The rest of the buffer, alone: the next buffer starts with the next call.
    LIST_remove(sound->queue, 0);
    n = length - start;
    sound->position = 0;
  }
  cut_to_block(current->data.get() + start, sound->block.get(), n);
  write_block(sound, n);
}

void XSND_free(XSND** handle) {
  MODULE_free_record(XSND_module, handle, [](XSND& sound) {
    if (sound.capture == nullptr) XSND_device_close(&sound);
    if (sound.queue != nullptr) LIST_free(&sound.queue);
  });
}
