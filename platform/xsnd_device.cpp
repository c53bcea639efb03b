// The sound device of Linux: the OSS device "/dev/dsp" or, where it cannot be
// opened or set up, ALSA's "default" PCM through libasound, loaded at run time.
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/soundcard.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstring>

#include "xsnd_p.h"

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

static_assert(AFMT_S16_LE == 16, "the record's format code is OSS's");

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
  return XSND_set_block(sound, XSND_alsa_block_size);
}

// Opens the OSS device at oss_path or, failing that, the ALSA PCM
// alsa_name; false when neither could be set up.
bool open_device(XSND* sound, const char* oss_path, const char* alsa_name) {
  sound->path = oss_path;
  // O_WRONLY | O_APPEND | O_DSYNC, blocking: a write waits while the device is full.
  sound->fd = oss_path == nullptr ? -1 : open(oss_path, O_WRONLY | O_APPEND | O_DSYNC);
  if (sound->fd >= 0) {
    if (configure_oss(sound) && XSND_set_block(sound, sound->block_size)) return true;
    // A device that refuses its set-up counts as missing: closed, and the
    // next output is asked for the format afresh.
    close(sound->fd);
    XSND_ask_format(sound);
  }
  return alsa_name != nullptr && open_alsa(sound, alsa_name);
}

}  // namespace

bool XSND_device_open(XSND* sound) { return open_device(sound, XSND_oss_path, XSND_alsa_name); }

// A short or failed write is not retried; only an ALSA underrun or suspend,
// which the OSS device would not have refused, is recovered and the block
// written again.
void XSND_device_write(XSND* sound, std::int32_t n) {
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

void XSND_device_close(XSND* sound) {
  if (sound->pcm != nullptr) {
    const AlsaApi* api = alsa_api();
    api->pcm_drain(sound->pcm);
    api->pcm_close(sound->pcm);
    sound->pcm = nullptr;
  }
  if (sound->fd >= 0) close(sound->fd);
  sound->fd = -1;
}

XSND* XSND_open(const char* oss_path, const char* alsa_name) {
  XSND* sound = XSND_make_record();
  if (sound == nullptr) return nullptr;
  if (!open_device(sound, oss_path, alsa_name)) XSND_error();
  return sound;
}

XSND* XSND_new_on_fd(int fd, std::int32_t block_size) {
  XSND* sound = XSND_make_record();
  if (sound == nullptr) return nullptr;
  sound->fd = fd;
  if (!XSND_set_block(sound, block_size)) XSND_error();
  return sound;
}
