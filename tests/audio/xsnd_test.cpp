#include <dlfcn.h>
#include <linux/soundcard.h>
#include <sys/ioctl.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio_support.h"
#include "headless.h"
#include "rng.h"
#include "xsnd_p.h"

namespace {

using Samples = std::vector<std::int16_t>;

// Values [first, first + n) as 16-bit samples: each modulo 65536, read as signed.
Samples cut(const SAMPLE* s, std::int32_t first, std::int32_t n) {
  Samples out;
  for (std::int32_t v : Values(s->data.get() + first, s->data.get() + first + n))
    out.push_back(static_cast<std::int16_t>((v & 0xffff) - ((v & 0x8000) << 1)));
  return out;
}

Samples drain(int fd) {  // all a file or non-blocking pipe holds (little-endian host)
  Samples out;
  std::int16_t chunk[2048];
  for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;)
    out.insert(out.end(), chunk, chunk + n / 2);
  return out;
}

struct Piped {  // a record writing into a pipe; play() returns what one XSND_play wrote
  int fds[2] = {-1, -1};
  XSND* x = nullptr;
  explicit Piped(std::int32_t block_size) {
    EXPECT_EQ(pipe2(fds, O_NONBLOCK), 0);
    x = XSND_new_on_fd(fds[1], block_size);
  }
  ~Piped() {
    if (x != nullptr) XSND_free(&x);
    close(fds[0]);
  }
  Samples play() {
    XSND_play(x);
    return drain(fds[0]);
  }
};

// A fake OSS device behind the path kFakeDsp: open, ioctl and close of this binary
// stand in front of the C library's, note the open flags and each request with
// the value its argument holds, notice its close, and refuse call number fail_at (0: the open,
// 1 to 6: the requests). The device is the write end of a pipe.
constexpr const char* kFakeDsp = "/torq-fake/dsp";
struct FakeDsp {
  int open_flags = -1, fail_at = -1, calls = 0, fds[2] = {-1, -1};
  std::vector<std::pair<unsigned long, int>> requests;  // request, argument (-1: none)
} fake;

template <typename F>
F next_symbol(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int open(const char* path, int flags, ...) {
  unsigned mode = 0;
  if ((flags & (O_CREAT | O_TMPFILE)) != 0) {
    va_list rest;
    va_start(rest, flags);
    mode = va_arg(rest, unsigned);
    va_end(rest);
  }
  if (std::strcmp(path, kFakeDsp) != 0)
    return next_symbol<int (*)(const char*, int, ...)>("open")(path, flags, mode);
  fake.open_flags = flags;
  if (fake.calls++ == fake.fail_at) return -1;
  EXPECT_EQ(pipe2(fake.fds, O_NONBLOCK), 0);
  return fake.fds[1];
}

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept {
  va_list rest;
  va_start(rest, request);
  int* argument = va_arg(rest, int*);
  va_end(rest);
  if (fd != fake.fds[1] || fd < 0)
    return next_symbol<int (*)(int, unsigned long, ...)>("ioctl")(fd, request, argument);
  fake.requests.emplace_back(request, request == SNDCTL_DSP_RESET ? -1 : *argument);
  if (fake.calls++ == fake.fail_at) return -1;
  if (request == SNDCTL_DSP_SPEED) *argument = 48000;  // grants another rate
  if (request == SNDCTL_DSP_GETBLKSIZE) *argument = 4096;
  return 0;
}

extern "C" int close(int fd) {
  if (fd == fake.fds[1]) fake.fds[1] = -1;  // its number may now be reused
  return next_symbol<int (*)(int)>("close")(fd);
}

namespace {

XSND* open_fake(int fail_at, const char* alsa_name) {
  if (fake.fds[0] >= 0) close(fake.fds[0]);
  fake = FakeDsp{};
  fake.fail_at = fail_at;
  return XSND_open(kFakeDsp, alsa_name);
}
bool fake_closed() { return fake.fds[1] < 0; }

// Points ALSA's "default" PCM at a file in a new folder for as long as it lives.
struct AlsaCapture {
  bool ok = false;
  std::string dir = "/tmp/xsnd-test-XXXXXX", file;
  AlsaCapture() {
    void* library = dlopen("libasound.so.2", RTLD_NOW);
    if (library != nullptr) dlclose(library);
    const std::string conf = "/usr/share/alsa/alsa.conf";
    if (library == nullptr || !std::filesystem::exists(conf) || mkdtemp(dir.data()) == nullptr)
      return;
    file = dir + "/cap.raw";
    std::ofstream(dir + "/alsa.conf")
        << "pcm.!default { type file slave.pcm \"null\" file \"" << file << "\" format \"raw\" }\n";
    setenv("ALSA_CONFIG_PATH", (conf + ":" + dir + "/alsa.conf").c_str(), 1);
    ok = true;
  }
  ~AlsaCapture() {
    unsetenv("ALSA_CONFIG_PATH");
    if (ok) std::filesystem::remove_all(dir);
  }
};

Values random_values(std::size_t n) {  // far outside 16 bits
  Values v(n);
  std::generate(v.begin(), v.end(), [] { return RNG_rand() - RNG_max / 2; });
  return v;
}

}  // namespace

TEST(XSND, PlaysOneBlockPerCallAndNeverJoinsBuffers) {
  RNG_srand(6150);
  SAMPLE a = make(random_values(132300));
  SAMPLE b = make({40000, -40000, 32767, 32768, -32769, 65536, INT32_MIN, INT32_MAX});
  SAMPLE_set_length(&b, 1024);  // one whole block
  EXPECT_EQ(cut(&b, 0, 8), (Samples{-25536, 25536, 32767, -32768, 32767, 0, 0, -1}));
  Piped p(2048);
  LIST_append(p.x->queue, &a);
  for (int i = 0; i < 3; ++i) LIST_append(p.x->queue, &b);
  for (std::int32_t k = 0; k < 129; ++k) ASSERT_EQ(p.play(), cut(&a, k * 1024, 1024)) << k;
  EXPECT_EQ(p.play(), cut(&a, 129 * 1024, 204));  // the rest, alone; removed, not freed
  for (int i = 0; i < 3; ++i) {  // the same buffer, from 0 each time
    EXPECT_EQ(p.play(), cut(&b, 0, 1024)) << i;
    EXPECT_TRUE(p.play().empty()) << i;  // whole blocks: the buffer leaves on a call of its own
    EXPECT_EQ(p.x->queue->count, 2 - i);
  }
  XSND_free(&p.x);
  char c;
  EXPECT_EQ(read(p.fds[0], &c, 1), 0);  // the record closed its end of the pipe
}

TEST(XSND, BadArgumentsAndBlockSizesAreReported) {
  auto before = XSND_module.errors;
  XSND_play(nullptr);
  XSND* x = XSND_open(nullptr, nullptr);
  LIST_append(x->queue, nullptr);  // not a buffer: reported and dropped
  XSND_play(x);
  EXPECT_EQ(x->queue->count, 0);
  XSND_free(&x);
  EXPECT_EQ(XSND_module.errors, before + 3);  // and the missing output
  SAMPLE buf = make({7, 8, 9});
  for (const auto& [block_size, samples] :  // sizes outside 2..max: silent
       {std::pair{0, 0}, {1, 0}, {XSND_max_block_size + 2, 0}, {3, 1}, {XSND_max_block_size, 3}}) {
    before = XSND_module.errors;
    Piped p(block_size);
    LIST_append(p.x->queue, &buf);
    EXPECT_EQ(p.play().size(), static_cast<std::size_t>(samples)) << block_size;
    EXPECT_EQ(XSND_module.errors - before, samples == 0 ? 1u : 0u) << block_size;
  }
}

// Blocking, the six requests in order; a device refusing its open or any
// request is closed and taken for a missing one: ALSA where there is one,
// else silence with one report. The fake device grants the rate 48000.
TEST(XSND, OpensInOrderAndTakesARefusingDeviceForAMissingOne) {
  const std::vector<std::pair<unsigned long, int>> asked = {
      {SNDCTL_DSP_RESET, -1},  {SNDCTL_DSP_SETFMT, AFMT_S16_LE}, {SNDCTL_DSP_SETFMT, AFMT_S16_LE},
      {SNDCTL_DSP_STEREO, 0},  {SNDCTL_DSP_SPEED, 44100},        {SNDCTL_DSP_GETBLKSIZE, 0}};
  AlsaCapture alsa;
  for (int fail_at = -1; fail_at <= 6; ++fail_at) {  // none, the open, each request
    for (const bool with_alsa : {false, true}) {
      SCOPED_TRACE(testing::Message() << fail_at << (with_alsa ? " with ALSA" : ""));
      if (with_alsa && !alsa.ok) continue;
      const auto before = XSND_module.errors;
      XSND* x = open_fake(fail_at, with_alsa ? "default" : "torq_no_such_pcm");
      EXPECT_EQ(fake.open_flags, O_WRONLY | O_APPEND | O_DSYNC);  // no O_NONBLOCK
      const auto made = asked.begin() + (fail_at < 0 ? 6 : fail_at);
      EXPECT_EQ(fake.requests, decltype(asked)(asked.begin(), made));
      EXPECT_EQ(fake_closed(), fail_at >= 0);
      EXPECT_EQ(x->pcm != nullptr, fail_at >= 0 && with_alsa);
      EXPECT_EQ(x->block_samples, fail_at < 0 ? 2048 : with_alsa ? 896 : 0);
      EXPECT_EQ(x->rate, fail_at < 0 ? 48000 : 44100);  // asked afresh of the next output
      EXPECT_EQ(XSND_module.errors - before, x->block_samples == 0 ? 1u : 0u);
      XSND_free(&x);
      EXPECT_TRUE(fake_closed());
    }
  }
}

TEST(XSND, AlsaOutputWritesTheSameStream) {
  AlsaCapture alsa;
  if (!alsa.ok) GTEST_SKIP() << "no libasound";
  RNG_srand(8175);
  SAMPLE buf = make(random_values(2000));
  XSND* x = XSND_open("/nonexistent/torq-dsp", "default");
  ASSERT_NE(x->pcm, nullptr);
  LIST_append(x->queue, &buf);
  for (int i = 0; i < 4; ++i) XSND_play(x);  // 896, 896, 208, nothing
  XSND_free(&x);
  const int fd = open(alsa.file.c_str(), O_RDONLY);
  EXPECT_EQ(drain(fd), cut(&buf, 0, 2000));
  close(fd);
}

TEST(XSND, WithoutAnOutputKeepsTheTimeOfADevice) {
  headless::reset();
  XSND* x = XSND_open(nullptr, nullptr);  // no device at all
  SAMPLE buf = make({1, 2, 3});
  LIST_append(x->queue, &buf);
  // Each call counts 20 ms of sound; the device holds 100 ms of it ahead of the clock.
  const struct {
    std::int64_t work_us, sleep_us;
    const char* ahead;
  } rows[] = {
      {0, 0, "20 ms"}, {0, 0, "40"}, {0, 0, "60"}, {0, 0, "80"}, {0, 0, "100: full"},
      {0, 20000, "120: one block's wait"}, {5000, 15000, "115"},
      {30000, 0, "90: a slow frame is not made slower"}, {0, 10000, "110"},
      {1000000, 0, "ran dry: afresh at 20"}, {0, 0, "40"}, {0, 0, "60"}, {0, 0, "80"},
      {0, 0, "100"}, {0, 20000, "120"}, {-5000000, 0, "the clock stepped back: afresh at 20"},
      {0, 0, "40"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ahead);
    headless::advance_us(row.work_us);
    const std::int64_t before = headless::slept_us();
    XSND_play(x);
    EXPECT_EQ(headless::slept_us() - before, row.sleep_us);
  }
  EXPECT_EQ(x->queue->count, 1);  // nothing was played
  XSND_free(&x);
}
