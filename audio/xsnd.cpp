#include "xsnd.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <linux/soundcard.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "os.h"
#include "xsnd_p.h"

Module XSND_module{MODULE_record("XSND    ", "LINUX   "), "XSND error", 0, 0};

void XSND_error() { MODULE_report(XSND_module); }

namespace {

// The few libasound functions the ALSA output needs, declared here with the
// PCM as an opaque pointer so that neither the ALSA headers nor a link to
// libasound are needed: the library is loaded when the OSS device is missing.
struct AlsaApi {
  using ErrorHandler = void (*)(const char* file, int line, const char* function, int err,
                                const char* fmt, ...);
  int (*pcm_open)(void** pcm, const char* name, int stream, int mode);
  int (*pcm_set_params)(void* pcm, int format, int access, unsigned channels, unsigned rate,
                        int soft_resample, unsigned latency_us);
  long (*pcm_writei)(void* pcm, const void* buffer, unsigned long frames);
  int (*pcm_recover)(void* pcm, int err, int silent);
  int (*pcm_drain)(void* pcm);
  int (*pcm_close)(void* pcm);
  int (*lib_error_set_handler)(ErrorHandler handler);
};

// Values of libasound's enumerations.
constexpr int kPcmStreamPlayback = 0;
constexpr int kPcmFormatS16Le = 2;
constexpr int kPcmAccessRwInterleaved = 3;

// Latency asked of ALSA: a buffer of about 100 ms (about five blocks), small
// enough that the writes block once it is full and so pace the frame loop.
constexpr unsigned kAlsaLatencyUs = 100000;

// The silent output stands for such a device: 44100 values per second, the
// same 100 ms of buffer, and one block of 882 values (one fiftieth of a
// second, a frame at 50 frames per second) counted per call.
constexpr std::int64_t kSilentBufferUs = kAlsaLatencyUs;
constexpr std::int64_t kSilentBlockUs = std::int64_t{882} * 1000000 / 44100;
static_assert(kSilentBlockUs == 20000);

// The capture output's block: one fiftieth of a second, 882 values, which
// divides the 132300 values of the music's loop, so no block is ever short.
constexpr std::int32_t kCaptureBlockSamples = 882;
constexpr std::int64_t kCaptureBlockUs = 20000;

// The sink XSND_new hands to the records it makes, or none for a device.
XSND_sink capture_sink = nullptr;

// Looks a symbol up into a function pointer; false when it is missing.
template <typename F>
bool load_symbol(void* library, const char* name, F& function) {
  void* symbol = dlsym(library, name);
  if (symbol == nullptr) return false;
  static_assert(sizeof(F) == sizeof(symbol));
  std::memcpy(&function, &symbol, sizeof(function));
  return true;
}

// ALSA prints its own complaints on standard error; the program's only
// messages are its module error lines, so they are dropped.
void alsa_silent(const char*, int, const char*, int, const char*, ...) {}

// libasound, loaded once on first use and kept for the life of the process;
// none when it is not installed or lacks a function.
const AlsaApi* alsa_api() {
  static const AlsaApi* api = [] () -> const AlsaApi* {
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return nullptr;
    static AlsaApi loaded{};
    if (!load_symbol(library, "snd_pcm_open", loaded.pcm_open) ||
        !load_symbol(library, "snd_pcm_set_params", loaded.pcm_set_params) ||
        !load_symbol(library, "snd_pcm_writei", loaded.pcm_writei) ||
        !load_symbol(library, "snd_pcm_recover", loaded.pcm_recover) ||
        !load_symbol(library, "snd_pcm_drain", loaded.pcm_drain) ||
        !load_symbol(library, "snd_pcm_close", loaded.pcm_close) ||
        !load_symbol(library, "snd_lib_error_set_handler", loaded.lib_error_set_handler)) {
      dlclose(library);
      return nullptr;
    }
    loaded.lib_error_set_handler(alsa_silent);
    return &loaded;
  }();
  return api;
}

// Sets the format asked of every device, which a device may have overwritten,
// and marks the record as having no device and no block size.
void ask_format(XSND* sound) {
  sound->rate = 44100;
  sound->format = AFMT_S16_LE;
  sound->stereo = 0;
  sound->fd = -1;
  sound->block_size = 0;
}

// Allocates the zero-filled record with the format asked of every device and
// an empty queue; none, reported, when memory runs out. No output is open yet.
XSND* make_record() {
  XSND* sound = new (std::nothrow) XSND{};
  if (sound == nullptr) {
    XSND_error();
    return nullptr;
  }
  ask_format(sound);
  sound->queue = LIST_new();
  return sound;
}

// Takes the block size the output grants and allocates the block; false
// (nothing allocated, block_samples 0) for a size outside 2..max or when
// memory runs out.
bool set_block(XSND* sound, std::int32_t block_size) {
  sound->block_size = block_size;
  if (block_size < 2 || block_size > XSND_max_block_size) return false;
  const std::int32_t samples = block_size / 2;
  sound->block.reset(new (std::nothrow) std::int16_t[static_cast<std::size_t>(samples)]());
  if (sound->block == nullptr) return false;
  sound->block_samples = samples;
  return true;
}

// The OSS requests that set up an open device, in order; false at the first
// request the device refuses, leaving the rest undone.
bool configure_oss(XSND* sound) {
  const int fd = sound->fd;
  int format = AFMT_S16_LE;
  return ioctl(fd, SNDCTL_DSP_RESET) >= 0 && ioctl(fd, SNDCTL_DSP_SETFMT, &format) >= 0 &&
         ioctl(fd, SNDCTL_DSP_SETFMT, &sound->format) >= 0 &&
         ioctl(fd, SNDCTL_DSP_STEREO, &sound->stereo) >= 0 &&
         ioctl(fd, SNDCTL_DSP_SPEED, &sound->rate) >= 0 &&
         ioctl(fd, SNDCTL_DSP_GETBLKSIZE, &sound->block_size) >= 0;
}

// Opens the ALSA PCM for blocking 16-bit mono output at the record's rate
// and sets the ALSA block size; false, with no PCM kept, when libasound or
// the PCM is missing or refuses the format.
bool open_alsa(XSND* sound, const char* name) {
  const AlsaApi* api = alsa_api();
  if (api == nullptr) return false;
  void* pcm = nullptr;
  if (api->pcm_open(&pcm, name, kPcmStreamPlayback, 0) < 0) return false;
  if (api->pcm_set_params(pcm, kPcmFormatS16Le, kPcmAccessRwInterleaved, 1,
                          static_cast<unsigned>(sound->rate), 1, kAlsaLatencyUs) < 0) {
    api->pcm_close(pcm);
    return false;
  }
  sound->pcm = pcm;
  return set_block(sound, XSND_alsa_block_size);
}

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

// Hands the first n values of the block to the output. A short or failed
// write is not retried; only an ALSA underrun or suspend, which the OSS
// device would not have refused, is recovered and the block written again.
void write_block(XSND* sound, std::int32_t n) {
  if (n <= 0) return;
  if (sound->capture != nullptr) {
    play_captured(sound, n);
    return;
  }
  if (sound->pcm != nullptr) {
    const AlsaApi* api = alsa_api();
    const unsigned long frames = static_cast<unsigned long>(n);
    const long written = api->pcm_writei(sound->pcm, sound->block.get(), frames);
    if (written < 0 && api->pcm_recover(sound->pcm, static_cast<int>(written), 1) == 0) {
      api->pcm_writei(sound->pcm, sound->block.get(), frames);
    }
    return;
  }
  if (sound->fd < 0) return;
  [[maybe_unused]] const ssize_t written =
      write(sound->fd, sound->block.get(), static_cast<std::size_t>(n) * sizeof(std::int16_t));
}

// Without an output, one block is counted as played and the call waits as a
// blocking write to a full device would: only for what the blocks counted
// stand more than the buffer ahead of the clock. A device that ran dry (the
// show was slow, paused, muted or in a part without music) starts afresh, so
// that idle time is never owed afterwards; so does one whose clock stepped
// back, rather than waiting out the step.
void keep_silent_time(XSND* sound) {
  const std::int64_t now = OS_now_us();
  const std::int64_t ahead = sound->silent_due_us - now;
  if (ahead < 0 || ahead > kSilentBufferUs) sound->silent_due_us = now;
  sound->silent_due_us += kSilentBlockUs;
  const std::int64_t wait = sound->silent_due_us - now - kSilentBufferUs;
  if (wait > 0) OS_usleep(static_cast<std::uint32_t>(wait));
}

}  // namespace

XSND* XSND_open(const char* oss_path, const char* alsa_name) {
  XSND* sound = make_record();
  if (sound == nullptr) return nullptr;
  sound->path = oss_path;
  bool ready = false;
  // O_WRONLY | O_APPEND | O_DSYNC, blocking: a write waits while the device is full.
  sound->fd = oss_path == nullptr ? -1 : open(oss_path, O_WRONLY | O_APPEND | O_DSYNC);
  if (sound->fd >= 0) {
    ready = configure_oss(sound) && set_block(sound, sound->block_size);
    if (!ready) {
      // A device that refuses its set-up counts as missing: closed, and the
      // next output is asked for the format afresh.
      close(sound->fd);
      ask_format(sound);
    }
  }
  if (!ready) ready = alsa_name != nullptr && open_alsa(sound, alsa_name);
  if (!ready) XSND_error();
  return sound;
}

XSND* XSND_new() {
  if (capture_sink == nullptr) return XSND_open(XSND_oss_path, XSND_alsa_name);
  XSND* sound = make_record();
  if (sound == nullptr) return nullptr;
  sound->capture = capture_sink;
  if (!set_block(sound, kCaptureBlockSamples * 2)) {
    sound->capture = nullptr;  // plays silently, like a device that could not be set up
    XSND_error();
  }
  return sound;
}

void XSND_use_capture(XSND_sink sink) { capture_sink = sink; }

XSND* XSND_new_on_fd(int fd, std::int32_t block_size) {
  XSND* sound = make_record();
  if (sound == nullptr) return nullptr;
  sound->fd = fd;
  if (!set_block(sound, block_size)) XSND_error();
  return sound;
}

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
    keep_silent_time(sound);
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
    if (sound.pcm != nullptr) {
      const AlsaApi* api = alsa_api();
      api->pcm_drain(sound.pcm);
      api->pcm_close(sound.pcm);
    }
    if (sound.fd >= 0) close(sound.fd);
    if (sound.queue != nullptr) LIST_free(&sound.queue);
  });
}
