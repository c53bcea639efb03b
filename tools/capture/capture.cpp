// torq6150-capture: renders the show offline into a video with its sound.
//
// The show runs unchanged on the headless platform twin: the same start-up,
// parts, keys and music as the demo, on a virtual clock that sleeping, key
// waits and the metered work of each frame move (common/work.h), so a capture
// is the same on every run and every machine with the same C library. The
// sound device is replaced by the capture output of XSND, whose blocks arrive
// with the virtual time they play at. The sampler cuts both into 50 frames
// per second, and each finished frame goes to the outputs asked for.
//
// Outputs are written under a temporary name beside their own and renamed
// when complete, so that a failed or interrupted capture leaves no partial
// file under an output's name. A symbolic link is followed: the file it names
// is replaced, the link stays.
#include <fcntl.h>
#include <png.h>
#include <poll.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "demo.h"
#include "headless.h"
#include "options.h"
#include "sampler.h"
#include "streamhash.h"
#include "xsnd.h"

namespace {

constexpr int kSide = 256;
constexpr std::size_t kPixels = kSide * kSide;

// A file made under a temporary name and renamed to its own when complete.
struct Output {
  std::string name;   // the output's name as given; empty: not asked for
  std::string file;   // the file it names, symbolic links followed
  std::string temp;   // where it is written meanwhile; `name` when written directly
};

// Temporary names a signal handler may remove: fixed buffers, since it may
// not allocate.
constexpr int kMaxTemps = 4;
char temp_paths[kMaxTemps][4096];
volatile sig_atomic_t temp_count = 0;

CaptureOptions options;
SAMPLER sampler;
STREAMHASH stream_hash = STREAMHASH_make();
Output raw_out, wav_out, mp4_out;
bool stdout_closed = false;  // standard output was closed at start
int raw_fd = -1;        // the raw frames, a temporary file or standard output's duplicate
SNDFILE* wav = nullptr;
pid_t ffmpeg = -1;
// A pipe to ffmpeg with what it has not yet taken. ffmpeg reads its two
// inputs in an order of its own, so neither pipe is ever waited on alone:
// what a full pipe cannot take waits in memory, up to a bound.
//
// The frames go into their pipe by reference (vmsplice): the pipe holds the
// pages of the capture's own frame buffers, and ffmpeg's read copies them
// out, so no frame is copied into the kernel. A buffer given to the pipe is
// thus written again only once ffmpeg must have read it: when more bytes than
// the pipe can hold have been given after it.
struct Chunk {
  std::unique_ptr<char[], decltype(&std::free)> bytes{nullptr, &std::free};
  std::size_t size = 0;
  std::uint64_t end = 0;  // bytes given to the pipe up to this chunk's last, once given
};
struct Pipe {
  int fd = -1;
  bool by_reference = false;  // chunks are spliced, not written
  std::uint64_t capacity = 0; // bytes the pipe holds at most
  std::uint64_t given = 0;    // bytes the pipe has taken in all
  std::deque<Chunk> pending;  // chunks not wholly taken yet, oldest first
  std::size_t taken = 0;      // bytes of the oldest that the pipe has taken
  std::size_t left = 0;       // bytes pending in all
  std::deque<Chunk> in_pipe;  // spliced chunks ffmpeg may not have read yet
  std::vector<Chunk> spare;   // chunks free for the next bytes
};
Pipe video_pipe;  // ffmpeg's standard input: the frames
Pipe audio_pipe;  // ffmpeg's descriptor 3: the sound, signed 16-bit mono
// Bytes held for ffmpeg beyond which the capture waits for it to take some:
// 8 frames. ffmpeg reads each input on a thread of its own once it has
// opened both, which its options make it do after a few bytes of each, so it
// never needs much of one before more of the other. A larger hold only
// fills with frames whenever the encoder is slower than the show, and every
// fresh page of it costs a fault.
constexpr std::size_t kMaxPending = std::size_t{2} << 20;
bool done = false;      // the outputs are closed
std::chrono::steady_clock::time_point started;

void remove_temps() {
  for (int i = 0; i < temp_count; ++i) unlink(temp_paths[i]);
}

void on_signal(int signal) {
  if (ffmpeg > 0) kill(ffmpeg, SIGTERM);
  remove_temps();
  _exit(128 + signal);
}

// A capture that cannot go on: the message, no partial output, status 1.
[[noreturn]] void fail_run(const std::string& message) {
  std::fprintf(stderr, "\ntorq6150-capture: %s\n", message.c_str());
  if (ffmpeg > 0) kill(ffmpeg, SIGTERM);
  remove_temps();
  _exit(1);
}

// A command line or output that cannot be used: the message, status 2.
[[noreturn]] void refuse(const std::string& message) {
  std::fprintf(stderr, "torq6150-capture: %s\n", message.c_str());
  remove_temps();
  std::_Exit(2);
}

// The file that writing `name` reaches: its folder made absolute and
// symbolic links followed, to a file that need not exist yet. Sets `direct`
// when the way leads through /proc (/dev/stdout, /dev/fd/N): a descriptor
// already open, whose file only writing through the name reaches.
std::string resolve(std::string name, bool* direct) {
  for (int links = 0; links < 40; ++links) {
    const std::size_t slash = name.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : name.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    char real[PATH_MAX];
    if (realpath(folder.c_str(), real) == nullptr) return name;  // creating it will fail
    const std::string dir = std::string(real) == "/" ? "" : real;
    name = dir + "/" + base;
    if (dir.starts_with("/proc/")) *direct = true;
    char link[PATH_MAX];
    const ssize_t n = readlink(name.c_str(), link, sizeof link - 1);
    if (*direct || n < 0) return name;
    link[n] = '\0';
    name = link[0] == '/' ? std::string(link) : dir + "/" + link;
    if (name.starts_with("/proc/")) *direct = true;
  }
  return name;
}

// Fills in where `out` is written: ".BASE.partPID" beside the file its name
// reaches. An existing file that is not a regular one (a device such as
// /dev/null, a named pipe) or an open descriptor's is written directly:
// renaming over it would replace it.
void place(Output& out, const std::string& name) {
  bool direct = false;
  out.name = name;
  out.file = resolve(name, &direct);
  struct stat st{};
  if (direct || (stat(out.file.c_str(), &st) == 0 && !S_ISREG(st.st_mode))) {
    out.temp = out.file = name;
    return;
  }
  const std::size_t slash = out.file.rfind('/');
  out.temp = out.file.substr(0, slash + 1) + "." + out.file.substr(slash + 1) + ".part" +
             std::to_string(getpid());
}

// Remembers a temporary file for removal on every way out; forget_temp()
// drops the latest again.
void remember_temp(const std::string& temp) {
  if (temp.size() >= sizeof temp_paths[0] || temp_count == kMaxTemps)
    refuse("output name too long: " + temp);
  std::strcpy(temp_paths[temp_count], temp.c_str());
  temp_count = temp_count + 1;  // only now may a signal handler see it
}
void forget_temp() { temp_count = temp_count - 1; }

// Places `out` and remembers its temporary file.
void plan(Output& out, const std::string& name) {
  place(out, name);
  if (out.temp != name) remember_temp(out.temp);
}

// Creates the temporary file of `out` for writing, or refuses the output.
int create(const Output& out, const char* what) {
  const int fd = open(out.temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) refuse("cannot write the " + std::string(what) + " \"" + out.name + "\": " + std::strerror(errno));
  return fd;
}

// Renames a complete output to its own name.
void publish(const Output& out) {
  if (out.temp != out.name && rename(out.temp.c_str(), out.file.c_str()) != 0)
    fail_run("cannot rename \"" + out.temp + "\" to \"" + out.file + "\": " + std::strerror(errno));
}

void write_all(int fd, const void* data, std::size_t size, const std::string& what) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) fail_run("cannot write " + what + ": " + std::strerror(errno));
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
}

// Gives the pipe what it takes now of the bytes, without waiting; returns
// how many it took.
std::size_t offer(Pipe& p, const char* bytes, std::size_t size) {
  std::size_t taken = 0;
  while (taken < size) {
    iovec span{const_cast<char*>(bytes + taken), size - taken};
    const ssize_t n = p.by_reference ? vmsplice(p.fd, &span, 1, SPLICE_F_NONBLOCK)
                                     : write(p.fd, span.iov_base, span.iov_len);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) break;
    if (n < 0 && p.by_reference && (errno == ENOSYS || errno == EINVAL)) {
      p.by_reference = false;  // a system without vmsplice: written instead
      continue;
    }
    if (n <= 0) fail_run("ffmpeg stopped taking the capture: " + std::string(std::strerror(errno)));
    taken += static_cast<std::size_t>(n);
  }
  p.given += taken;
  return taken;
}

// Hands ffmpeg what its pipes take now; with `wait`, first waits until
// one of the pipes with pending bytes can take some.
void pump(bool wait) {
  pollfd fds[2] = {{video_pipe.fd, POLLOUT, 0}, {audio_pipe.fd, POLLOUT, 0}};
  Pipe* pipes[2] = {&video_pipe, &audio_pipe};
  for (int i = 0; i < 2; ++i)
    if (pipes[i]->left == 0) fds[i].fd = -1;
  if (wait && poll(fds, 2, -1) < 0 && errno != EINTR)
    fail_run("cannot wait for ffmpeg: " + std::string(std::strerror(errno)));
  for (Pipe* p : pipes) {
    while (p->left > 0) {
      Chunk& oldest = p->pending.front();
      const std::size_t n = offer(*p, oldest.bytes.get() + p->taken, oldest.size - p->taken);
      p->taken += n;
      p->left -= n;
      if (p->taken < oldest.size) break;  // the pipe is full
      oldest.end = p->given;
      if (p->by_reference)
        p->in_pipe.push_back(std::move(oldest));
      else
        p->spare.push_back(std::move(oldest));
      p->pending.pop_front();
      p->taken = 0;
    }
  }
}

// A chunk for `size` bytes, the size of every send to the pipe: a spare
// one, one that ffmpeg has surely read, or a new one, page-aligned so that
// each of its pages fills a slot of the pipe. Reusing chunks spares fresh
// memory and its page faults.
Chunk take_chunk(Pipe& p, std::size_t size) {
  while (!p.in_pipe.empty() && p.in_pipe.front().end + p.capacity <= p.given) {
    p.spare.push_back(std::move(p.in_pipe.front()));
    p.in_pipe.pop_front();
  }
  if (!p.spare.empty()) {
    Chunk chunk = std::move(p.spare.back());
    p.spare.pop_back();
    return chunk;
  }
  constexpr std::size_t kPage = 4096;
  Chunk chunk;
  chunk.bytes.reset(static_cast<char*>(std::aligned_alloc(kPage, (size + kPage - 1) / kPage * kPage)));
  if (!chunk.bytes) fail_run("out of memory for what ffmpeg has not taken yet");
  chunk.size = size;
  return chunk;
}

// Hands ffmpeg the bytes behind those pending. Written bytes that the pipe
// takes at once go straight in, and only the rest is copied to wait; spliced
// bytes are always copied first, since the pipe keeps referring to them.
void send(Pipe& p, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  const std::size_t n = p.left == 0 && !p.by_reference ? offer(p, bytes, size) : 0;
  if (n == size) return;
  Chunk chunk = take_chunk(p, size);
  std::memcpy(chunk.bytes.get() + n, bytes + n, size - n);
  if (n > 0) p.taken = n;  // then nothing else is pending
  p.pending.push_back(std::move(chunk));
  p.left += size - n;
}

// Writes one still: 8-bit RGB PNG, under a temporary name first.
void write_png(std::int32_t frame, const std::vector<std::uint32_t>& picture) {
  std::vector<std::uint8_t> rgb(kPixels * 3);
  for (std::size_t i = 0; i < kPixels; ++i) {
    rgb[3 * i] = static_cast<std::uint8_t>(picture[i] >> 16);
    rgb[3 * i + 1] = static_cast<std::uint8_t>(picture[i] >> 8);
    rgb[3 * i + 2] = static_cast<std::uint8_t>(picture[i]);
  }
  Output still;
  plan(still, OPTIONS_png_name(options.png, frame));
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = kSide;
  image.height = kSide;
  image.format = PNG_FORMAT_RGB;
  if (png_image_write_to_file(&image, still.temp.c_str(), 0, rgb.data(), 0, nullptr) == 0)
    fail_run("cannot write the still \"" + still.name + "\": " + image.message);
  publish(still);
  if (still.temp != still.name) forget_temp();
}

bool wants_still(std::int32_t frame) {
  if (options.png.empty()) return false;
  if (options.png_frames.empty()) return true;
  for (const std::int32_t f : options.png_frames)
    if (f == frame) return true;
  return false;
}

void show_progress(std::int32_t frames_done) {
  if (options.quiet) return;
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::fprintf(stderr, "\rframe %d of %d, %.0f frames per second", frames_done, options.frames,
               seconds > 0 ? frames_done / seconds : 0.0);
}

// Closes every output and gives each its own name; ffmpeg must have ended well.
void close_outputs() {
  if (done) return;
  done = true;
  show_progress(sampler.next_slot);
  if (!options.quiet) std::fputc('\n', stderr);
  if (raw_fd >= 0) {
    if (close(raw_fd) != 0) fail_run("cannot write the raw frames: " + std::string(std::strerror(errno)));
    if (!raw_out.name.empty()) publish(raw_out);
  }
  if (wav != nullptr) {
    if (sf_close(wav) != 0) fail_run("cannot write the WAV file \"" + wav_out.name + "\"");
    publish(wav_out);
  }
  if (ffmpeg > 0) {
    while (video_pipe.left > 0 || audio_pipe.left > 0) pump(true);
    close(video_pipe.fd);
    close(audio_pipe.fd);
    int status = 0;
    waitpid(ffmpeg, &status, 0);
    ffmpeg = -1;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) fail_run("ffmpeg failed to make \"" + mp4_out.name + "\"");
    publish(mp4_out);
  }
  if (options.hash && (std::printf("%s\n", STREAMHASH_line(stream_hash).c_str()) < 0 || std::fflush(stdout) != 0))
    fail_run("cannot write the hash line: " + std::string(std::strerror(errno)));
}

// One finished frame of the sampler, to every output; the capture ends after
// the last frame asked for.
void emit(std::int32_t slot, const std::vector<std::uint32_t>& picture, const std::int16_t* sound) {
  if (done || slot >= options.frames) return;
  const std::size_t picture_bytes = kPixels * sizeof(std::uint32_t);
  const std::size_t sound_bytes = SAMPLER_slot_samples * sizeof(std::int16_t);
  if (options.hash) STREAMHASH_add(&stream_hash, picture.data(), kPixels, sound, SAMPLER_slot_samples);
  if (raw_fd >= 0) write_all(raw_fd, picture.data(), picture_bytes, "the raw frames");
  if (wants_still(slot)) write_png(slot, picture);
  if (wav != nullptr && sf_write_short(wav, sound, SAMPLER_slot_samples) != SAMPLER_slot_samples)
    fail_run("cannot write the WAV file \"" + wav_out.name + "\": " + sf_strerror(wav));
  if (ffmpeg > 0) {
    send(video_pipe, picture.data(), picture_bytes);
    send(audio_pipe, sound, sound_bytes);
    pump(false);
    while (video_pipe.left + audio_pipe.left > kMaxPending) pump(true);
  }
  if ((slot + 1) % 50 == 0) show_progress(slot + 1);
  if (slot + 1 == options.frames) {
    close_outputs();
    std::exit(0);
  }
}

void on_clock(std::int64_t now_us) { SAMPLER_clock(&sampler, now_us); }

void on_present(const std::vector<std::uint32_t>& pixels) { SAMPLER_present(&sampler, pixels); }

void on_sound(const std::int16_t* block, std::int32_t count, std::int64_t start_us) {
  SAMPLER_sound(&sampler, block, count, start_us);
}

// The show ended itself (a quit key of the script): the frames up to now.
void at_exit() {
  if (done) return;
  SAMPLER_finish(&sampler, headless::now_us());
  close_outputs();
}

// Whether an executable named `program` is on PATH.
bool on_path(const char* program) {
  const char* path = std::getenv("PATH");
  std::string_view dirs = path == nullptr ? "/usr/bin:/bin" : path;
  for (;;) {
    const std::size_t colon = dirs.find(':');
    std::string_view dir = dirs.substr(0, colon);
    if (dir.empty()) dir = ".";
    char file[4096];
    std::snprintf(file, sizeof file, "%.*s/%s", static_cast<int>(dir.size()), dir.data(), program);
    if (access(file, X_OK) == 0) return true;
    if (colon == std::string_view::npos) return false;
    dirs.remove_prefix(colon + 1);
  }
}

// Starts ffmpeg with the frames on its standard input and the sound on its
// descriptor 3, writing the MP4's temporary file.
void start_ffmpeg() {
  int video[2], audio[2];
  if (pipe2(video, O_CLOEXEC) != 0 || pipe2(audio, O_CLOEXEC) != 0)
    refuse("cannot make pipes for ffmpeg: " + std::string(std::strerror(errno)));
  // Both inputs are fully described, so ffmpeg need not look ahead into
  // them: probing one pipe for seconds while the other fills would stall
  // both ends, since the frames and their sound are written in step.
  std::vector<std::string> args = {
      "ffmpeg", "-hide_banner", "-loglevel", "error", "-y",
      "-probesize", "32", "-analyzeduration", "0", "-thread_queue_size", "64",
      "-f", "rawvideo", "-pix_fmt", "bgr0", "-s", "256x256", "-r", "50", "-i", "pipe:0",
      "-probesize", "32", "-analyzeduration", "0", "-thread_queue_size", "64",
      "-f", "s16le", "-ar", "44100", "-ac", "1", "-i", "pipe:3"};
  // Scaled before the colour subsampling, each pixel stays one flat colour.
  if (options.upscale) args.insert(args.end(), {"-vf", "scale=1024:1024:flags=neighbor"});
  // x264's "veryfast" preset takes about half the processor time of its
  // default and keeps up with the show at 1024 x 1024, for files about 14%
  // larger, with no loss to be seen at quality 18.
  args.insert(args.end(), {"-c:v", "libx264", "-preset", "veryfast", "-pix_fmt", "yuv420p", "-crf",
                           "18", "-c:a", "aac", "-b:a", "192k", "-f", "mp4", mp4_out.temp});
  ffmpeg = fork();
  if (ffmpeg < 0) refuse("cannot start ffmpeg: " + std::string(std::strerror(errno)));
  if (ffmpeg == 0) {
    // Out of the way of 0 and 3 first, whatever numbers the pipes got.
    const int v = fcntl(video[0], F_DUPFD, 10), a = fcntl(audio[0], F_DUPFD, 10);
    dup2(v, 0);
    dup2(a, 3);
    dup2(2, 1);
    std::vector<char*> argv;
    for (std::string& s : args) argv.push_back(s.data());
    argv.push_back(nullptr);
    execvp("ffmpeg", argv.data());
    _exit(127);
  }
  close(video[0]);
  close(audio[0]);
  video_pipe.fd = video[1];
  audio_pipe.fd = audio[1];
  fcntl(video_pipe.fd, F_SETFL, O_NONBLOCK);
  fcntl(audio_pipe.fd, F_SETFL, O_NONBLOCK);
  // Four frames per pipe buffer rather than a quarter of one: fewer writes
  // and wake-ups. Where the system allows less, the default stays.
  fcntl(video_pipe.fd, F_SETPIPE_SZ, 1 << 20);
  const int capacity = fcntl(video_pipe.fd, F_GETPIPE_SZ);
  video_pipe.by_reference = capacity > 0;
  video_pipe.capacity = static_cast<std::uint64_t>(capacity);
}

// Opens every output asked for, or refuses; nothing of the show has run yet.
void open_outputs() {
  if (options.raw == "-") {
    if (stdout_closed) refuse("cannot use standard output for the frames: it is closed");
    // The frames keep standard output to themselves: module error lines,
    // which the modules print there, go to standard error instead.
    raw_fd = fcntl(1, F_DUPFD_CLOEXEC, 3);
    if (raw_fd < 0 || dup2(2, 1) < 0) refuse("cannot use standard output for the frames");
  } else if (!options.raw.empty()) {
    plan(raw_out, options.raw);
    raw_fd = create(raw_out, "raw frames");
  }
  if (!options.wav.empty()) {
    plan(wav_out, options.wav);
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    wav = sf_open_fd(create(wav_out, "WAV file"), SFM_WRITE, &info, SF_TRUE);
    if (wav == nullptr) refuse("cannot write the WAV file \"" + wav_out.name + "\": " + sf_strerror(nullptr));
  }
  if (!options.png.empty()) {
    // The stills' folder must take files: one is made there and removed.
    Output probe;
    plan(probe, OPTIONS_png_name(options.png, 0));
    if (probe.temp != probe.name) {
      close(create(probe, "PNG still"));
      unlink(probe.temp.c_str());
      forget_temp();
    }
  }
  if (!options.mp4.empty()) {
    plan(mp4_out, options.mp4);
    close(create(mp4_out, "MP4 file"));
    start_ffmpeg();
  }
}

// A key that every name of one file shares: the device and inode of an
// existing file, else the file its name reaches; empty for a character
// device, which any number of outputs may share (/dev/null).
std::string identity(const std::string& name) {
  struct stat st{};
  if (name == "-" ? fstat(1, &st) == 0 : stat(name.c_str(), &st) == 0)
    return S_ISCHR(st.st_mode) ? "" : std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
  bool direct = false;
  return resolve(name, &direct);
}

// Refuses two outputs that name the same file: their writes would mix.
void refuse_shared_files() {
  std::vector<std::pair<std::string, std::string>> outputs;  // option, name
  if (!options.raw.empty()) outputs.emplace_back("--raw", options.raw);
  if (!options.wav.empty()) outputs.emplace_back("--wav", options.wav);
  if (!options.mp4.empty()) outputs.emplace_back("--mp4", options.mp4);
  for (const std::int32_t frame : options.png_frames)
    outputs.emplace_back("--png", OPTIONS_png_name(options.png, frame));
  std::vector<std::string> keys;
  for (const auto& [option, name] : outputs) keys.push_back(identity(name));
  for (std::size_t i = 0; i < outputs.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (!keys[i].empty() && keys[i] == keys[j] && outputs[i].first != outputs[j].first)
        refuse(outputs[j].first + " \"" + outputs[j].second + "\" and " + outputs[i].first + " \"" +
               outputs[i].second + "\" name the same file");
}

}  // namespace

int main(int argc, char** argv) {
  // A closed standard descriptor would be taken by the first output opened,
  // and messages or module error lines would land in it: /dev/null stands in.
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
      if (fd == 1) stdout_closed = true;
      if (open("/dev/null", O_RDWR) != fd) return 2;
    }
  }
  std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string error;
  if (!OPTIONS_parse(args, &options, &error)) {
    std::fprintf(stderr, "torq6150-capture: %s\n(torq6150-capture --help shows the options)\n", error.c_str());
    return 2;
  }
  if (options.help) {
    if (stdout_closed || std::fputs(OPTIONS_usage, stdout) == EOF || std::fflush(stdout) != 0) {
      std::fprintf(stderr, "torq6150-capture: cannot write the usage: %s\n",
                   stdout_closed ? "standard output is closed" : std::strerror(errno));
      return 1;
    }
    return 0;
  }
  refuse_shared_files();
  if (!options.mp4.empty() && !on_path("ffmpeg")) {
    std::fputs("torq6150-capture: --mp4 needs ffmpeg, which is not installed (not on PATH);\n"
               "install it with: sudo apt-get install ffmpeg\n", stderr);
    return 1;
  }
  std::signal(SIGPIPE, SIG_IGN);  // a write to a closed pipe fails and is reported
  std::signal(SIGINT, on_signal);
  std::signal(SIGTERM, on_signal);
  std::signal(SIGHUP, on_signal);
  std::signal(SIGQUIT, on_signal);
  std::signal(SIGXFSZ, SIG_IGN);  // a file too large fails its write, which is reported
  open_outputs();

  sampler = SAMPLER_make(kSide * kSide, emit);
  headless::reset();
  headless::on_clock(on_clock);
  headless::on_present(on_present);
  for (const ScriptKey& key : options.keys) headless::press_at(key.key, key.frame * SAMPLER_slot_us);
  XSND_use_capture(on_sound);
  std::atexit(at_exit);
  started = std::chrono::steady_clock::now();
  TORQ6150_startup();
  TORQ6150_run_cycle();
}
