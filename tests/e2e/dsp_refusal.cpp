// Preloaded into the program in front of the alsa-oss emulation: "/dev/dsp"
// fails at its open (TORQ_DSP_FAIL=0) or at its n-th ioctl request
// (TORQ_DSP_FAIL=n); everything else passes through untouched.
#include <dlfcn.h>
#include <fcntl.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

int device = -1;  // the open "/dev/dsp", or -1
int requests = 0;  // ioctl calls on it so far

int fail_at() {
  const char* value = std::getenv("TORQ_DSP_FAIL");
  return value == nullptr ? -1 : std::atoi(value);
}

template <typename F>
F next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if ((flags & (O_CREAT | O_TMPFILE)) != 0) {
    va_list rest;
    va_start(rest, flags);
    mode = va_arg(rest, mode_t);
    va_end(rest);
  }
  const int fd = std::strcmp(path, "/dev/dsp") == 0 && fail_at() == 0
                     ? (errno = ENOENT, -1)
                     : next<int (*)(const char*, int, ...)>("open")(path, flags, mode);
  if (fd >= 0 && std::strcmp(path, "/dev/dsp") == 0) {
    device = fd;
    requests = 0;
  }
  return fd;
}

extern "C" int ioctl(int fd, unsigned long request, ...) {
  va_list rest;
  va_start(rest, request);
  void* argument = va_arg(rest, void*);
  va_end(rest);
  if (fd >= 0 && fd == device && ++requests == fail_at()) {
    errno = EINVAL;
    return -1;
  }
  return next<int (*)(int, unsigned long, ...)>("ioctl")(fd, request, argument);
}

extern "C" int close(int fd) {
  if (fd == device) device = -1;
  return next<int (*)(int)>("close")(fd);
}
