// Running the demo's own code on the headless platform in tests.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "demo.h"
#include "headless.h"
#include "rng.h"

// Runs the program's start-up once per test process and returns the first
// random number drawn after it.
inline int start_demo() {
  static const int first_draw = [] {
    headless::reset();
    TORQ6150_startup();
    return RNG_rand();
  }();
  return first_draw;
}

// The pixels of an image, row after row.
inline std::vector<std::uint32_t> pixels(const IMG* image) {
  return {image->pixels.get(), image->pixels.get() + image->width * image->height};
}

// Runs a part for at most `frames` frames: the key script is empty for
// frames - 1 frames and ends the part with SPACE in the last one.
inline void run_part_frames(const DemoPart& part, int frames) {
  headless::press(std::string(static_cast<std::size_t>(frames - 1), '\0') + " ");
  TORQ6150_run_part(part);
}

// Runs `work` in a child process, so that it starts from the state of this
// process and leaves it untouched, and returns the values the child produced.
inline std::vector<std::uint64_t> in_child(const std::function<std::vector<std::uint64_t>()>& work) {
  int fds[2];
  if (pipe(fds) != 0) std::abort();
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    const std::vector<std::uint64_t> values = work();
    const auto* bytes = reinterpret_cast<const char*>(values.data());
    std::size_t left = values.size() * sizeof(std::uint64_t);
    while (left > 0) {
      const ssize_t n = write(fds[1], bytes, left);
      if (n <= 0) _exit(1);
      bytes += n;
      left -= static_cast<std::size_t>(n);
    }
    _exit(0);
  }
  close(fds[1]);
  std::vector<std::uint64_t> values;
  std::uint64_t value;
  while (read(fds[0], &value, sizeof value) == static_cast<ssize_t>(sizeof value)) values.push_back(value);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) values.clear();
  return values;
}
