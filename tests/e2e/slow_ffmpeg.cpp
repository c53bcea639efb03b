// Stands in for ffmpeg as the capture runs it: takes the frames on standard
// input and the sound on descriptor 3, and writes the frames unchanged into
// the file named last on its command line. It reads the frames slowly, a page
// at a time, so that the capture's pipe stays full while the capture goes on
// reusing its frame buffers: a frame changed before it was read shows as a
// difference from the raw frames of the same capture.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const int out = open(argv[argc - 1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0) return 1;
  pollfd inputs[2] = {{0, POLLIN, 0}, {3, POLLIN, 0}};
  char page[4096];
  while (inputs[0].fd >= 0 || inputs[1].fd >= 0) {
    if (poll(inputs, 2, -1) < 0) return 1;
    for (pollfd& input : inputs) {
      if (input.fd < 0 || input.revents == 0) continue;
      const ssize_t n = read(input.fd, page, sizeof page);
      if (n < 0) return 1;
      if (n == 0) input.fd = -1;
      if (n > 0 && input.fd == 0 && write(out, page, static_cast<std::size_t>(n)) != n) return 1;
    }
    usleep(100);
  }
  return close(out) == 0 ? 0 : 1;
}
