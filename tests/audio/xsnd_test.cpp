#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "headless.h"
#include "xsnd_p.h"

namespace {

using Values = std::vector<std::int32_t>;
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

SAMPLE make(const Values& v) {  // a buffer of exactly these values
  const auto n = static_cast<std::int32_t>(v.size());
  SAMPLE s{n, n, std::make_unique<std::int32_t[]>(v.size())};
  std::copy(v.begin(), v.end(), s.data.get());
  return s;
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

Values random_values(std::size_t n) {  // far outside 16 bits
  Values v(n);
  std::generate(v.begin(), v.end(), [] { return std::rand() - RAND_MAX / 2; });
  return v;
}

}  // namespace

TEST(XSND, PlaysOneBlockPerCallAndNeverJoinsBuffers) {
  std::srand(6150);
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

TEST(XSND, BadArgumentsAndMissingDevicesAreReportedOnce) {
  auto before = XSND_module.errors;
  XSND_play(nullptr);
  EXPECT_EQ(XSND_module.errors, before + 1);
  SAMPLE buf = make({7, 8, 9});
  for (const auto& [block_size, samples] :  // sizes outside 2..max: silent
       {std::pair{0, 0}, {1, 0}, {XSND_max_block_size + 2, 0}, {3, 1}, {XSND_max_block_size, 3}}) {
    before = XSND_module.errors;
    Piped p(block_size);
    LIST_append(p.x->queue, &buf);
    EXPECT_EQ(p.play().size(), static_cast<std::size_t>(samples)) << block_size;
    EXPECT_EQ(XSND_module.errors - before, samples == 0 ? 1u : 0u) << block_size;
  }
  for (const char* path : {"/nonexistent/torq-dsp", "/dev/null"}) {  // missing; refuses the setup
    before = XSND_module.errors;
    XSND* x = XSND_open(path, "torq_no_such_pcm");
    LIST_append(x->queue, nullptr);  // not a buffer: reported and dropped
    LIST_append(x->queue, &buf);
    for (int i = 0; i < 5; ++i) XSND_play(x);
    EXPECT_EQ(XSND_module.errors, before + 2) << path;
    EXPECT_EQ(x->queue->count, 1) << path;  // silent: the head is never used up
    XSND_free(&x);
  }
}

TEST(XSND, AlsaOutputWritesTheSameStream) {
  void* library = dlopen("libasound.so.2", RTLD_NOW);
  if (library != nullptr) dlclose(library);
  const std::string conf = "/usr/share/alsa/alsa.conf";
  if (library == nullptr || !std::filesystem::exists(conf)) GTEST_SKIP() << "no libasound";
  char dir[] = "/tmp/xsnd-test-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string own = std::string(dir) + "/alsa.conf", capture = std::string(dir) + "/cap.raw";
  std::ofstream(own) << "pcm.!default { type file slave.pcm \"null\" file \"" << capture
                     << "\" format \"raw\" }\n";
  setenv("ALSA_CONFIG_PATH", (conf + ":" + own).c_str(), 1);
  std::srand(8175);
  SAMPLE buf = make(random_values(2000));
  XSND* x = XSND_open("/nonexistent/torq-dsp", "default");
  ASSERT_NE(x->pcm, nullptr);
  LIST_append(x->queue, &buf);
  for (int i = 0; i < 4; ++i) XSND_play(x);  // 896, 896, 208, nothing
  XSND_free(&x);
  unsetenv("ALSA_CONFIG_PATH");
  const int fd = open(capture.c_str(), O_RDONLY);
  EXPECT_EQ(drain(fd), cut(&buf, 0, 2000));
  close(fd);
  std::filesystem::remove_all(dir);
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

namespace {
std::vector<std::pair<std::int64_t, std::int32_t>> captured;  // start time and first value of each block
void capture_sink(const std::int16_t* block, std::int32_t count, std::int64_t start_us) {
  EXPECT_EQ(count, 882);
  captured.emplace_back(start_us, block[0]);
}
}  // namespace

TEST(XSND, CaptureOutputPlaysBlocksOnTheTwentyMillisecondGrid) {
  headless::reset();
  captured.clear();
  XSND_use_capture(capture_sink);
  XSND* x = XSND_new();
  XSND_use_capture(nullptr);
  ASSERT_EQ(x->block_samples, 882);
  Values v(882 * 150);
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = static_cast<std::int32_t>(i / 882);
  SAMPLE loop = make(v);
  LIST_append(x->queue, &loop);
  // Room for one block: a write waits until the previous block has played;
  // a block starts at that end or at the write's time rounded down to 20 ms.
  const struct {
    std::int64_t work_us, sleep_us, start_us;
    const char* why;
  } rows[] = {
      {25000, 0, 20000, "rounded down"},
      {5000, 10000, 40000, "waits for the previous block"},
      {0, 20000, 60000, "written at once: waits a whole block"},
      {75000, 0, 120000, "after a gap: silence between"},
      {10000, 0, 140000, "the previous block has played"}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].why);
    headless::advance_us(rows[i].work_us);
    const std::int64_t before = headless::slept_us();
    XSND_play(x);
    EXPECT_EQ(headless::slept_us() - before, rows[i].sleep_us);
    ASSERT_EQ(captured.size(), i + 1);
    EXPECT_EQ(captured[i].first, rows[i].start_us);
    EXPECT_EQ(captured[i].second, static_cast<std::int32_t>(i));  // the loop in order
  }
  XSND_free(&x);
}
