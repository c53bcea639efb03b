#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "xsnd.h"
#include "xsnd_p.h"

namespace {

// The 16-bit sample a value becomes: the value modulo 65536, read as signed.
std::int16_t cut16(std::int32_t v) {
  const std::int32_t low = v & 0xFFFF;
  return static_cast<std::int16_t>(low >= 32768 ? low - 65536 : low);
}

// Little-endian 16-bit samples from raw bytes.
std::vector<std::int16_t> samples_of(const std::vector<unsigned char>& bytes) {
  std::vector<std::int16_t> out;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    out.push_back(static_cast<std::int16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  return out;
}

// A pipe whose write end is handed to an XSND record and whose non-blocking
// read end the test empties after each play (a block stays far below the
// pipe's 64 KiB).
struct Pipe {
  int fds[2] = {-1, -1};
  Pipe() {
    EXPECT_EQ(pipe(fds), 0);
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
  }
  ~Pipe() { close(fds[0]); }
  // Every sample written since the last read.
  std::vector<std::int16_t> read_all() {
    std::vector<unsigned char> bytes;
    unsigned char chunk[4096];
    ssize_t n;
    while ((n = read(fds[0], chunk, sizeof chunk)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    return samples_of(bytes);
  }
};

struct Buffer {
  SAMPLE* s = SAMPLE_new();
  explicit Buffer(const std::vector<std::int32_t>& values) {
    SAMPLE_set_length(s, static_cast<std::int32_t>(values.size()));
    std::copy(values.begin(), values.end(), s->data.get());
  }
  ~Buffer() { SAMPLE_free(&s); }
};

struct Sound {
  XSND* x;
  explicit Sound(XSND* sound) : x(sound) {}
  ~Sound() { if (x != nullptr) XSND_free(&x); }
};

std::vector<std::int32_t> random_values(std::size_t n) {
  std::vector<std::int32_t> v(n);
  for (auto& value : v) value = std::rand() - RAND_MAX / 2;  // far outside 16 bits
  return v;
}

// The expected samples of values [first, first + n).
std::vector<std::int16_t> cut_range(const std::vector<std::int32_t>& v, std::size_t first,
                                    std::size_t n) {
  std::vector<std::int16_t> out;
  for (std::size_t i = first; i < first + n; ++i) out.push_back(cut16(v[i]));
  return out;
}

}  // namespace

TEST(XSND, PlaysOneBlockPerCallAndNeverJoinsBuffers) {
  std::srand(6150);
  const auto a = random_values(132300), b = random_values(3000);
  Buffer ba(a), bb(b);
  Pipe p;
  Sound sound(XSND_new_on_fd(p.fds[1], 2048));
  ASSERT_EQ(sound.x->block_samples, 1024);
  LIST_append(sound.x->queue, ba.s);
  LIST_append(sound.x->queue, bb.s);
  for (std::size_t k = 0; k < 129; ++k) {
    XSND_play(sound.x);
    ASSERT_EQ(p.read_all(), cut_range(a, k * 1024, 1024)) << "block " << k;
  }
  EXPECT_EQ(sound.x->queue->count, 2);
  XSND_play(sound.x);  // the 204 values left, alone
  EXPECT_EQ(p.read_all(), cut_range(a, 129 * 1024, 204));
  EXPECT_EQ(sound.x->queue->count, 1);
  EXPECT_EQ(sound.x->position, 0);
  EXPECT_EQ(ba.s->length, 132300);  // removed, not freed
  XSND_play(sound.x);
  EXPECT_EQ(p.read_all(), cut_range(b, 0, 1024));
  XSND_play(sound.x);
  XSND_play(sound.x);
  EXPECT_EQ(p.read_all(), cut_range(b, 1024, 1976));
  XSND_play(sound.x);  // queue empty: nothing
  EXPECT_TRUE(p.read_all().empty());
  XSND_free(&sound.x);
  char c;
  EXPECT_EQ(read(p.fds[0], &c, 1), 0);  // the record closed its end of the pipe
}

TEST(XSND, BufferOfWholeBlocksLeavesOnAnEmptyCall) {
  const std::vector<std::int32_t> v = {1, 2, 3, 4, 5, 6, 7, 8};
  Buffer buf(v);
  Pipe p;
  Sound sound(XSND_new_on_fd(p.fds[1], 8));
  LIST_append(sound.x->queue, buf.s);
  XSND_play(sound.x);
  XSND_play(sound.x);
  EXPECT_EQ(p.read_all(), cut_range(v, 0, 8));
  EXPECT_EQ(sound.x->queue->count, 1);
  XSND_play(sound.x);  // the remainder is 0 values: removed, nothing written
  EXPECT_TRUE(p.read_all().empty());
  EXPECT_EQ(sound.x->queue->count, 0);
}

TEST(XSND, KeepsTheLow16BitsWithoutClipping) {
  const std::vector<std::int32_t> v = {40000, -40000, 32767, 32768, -32768, -32769,
                                       65536, INT32_MIN, INT32_MAX};
  const std::vector<std::int16_t> want = {-25536, 25536, 32767, -32768, -32768, 32767, 0, 0, -1};
  Buffer buf(v);
  Pipe p;
  Sound sound(XSND_new_on_fd(p.fds[1], 2 * 9));
  LIST_append(sound.x->queue, buf.s);
  XSND_play(sound.x);
  EXPECT_EQ(p.read_all(), want);
}

TEST(XSND, SameBufferQueuedTwicePlaysFromItsStartEachTime) {
  Buffer buf({1, 2, 3, 4, 5});
  Pipe p;
  Sound sound(XSND_new_on_fd(p.fds[1], 8));
  for (int i = 0; i < 3; ++i) LIST_append(sound.x->queue, buf.s);
  const std::vector<std::int16_t> head = {1, 2, 3, 4}, tail = {5};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    XSND_play(sound.x);
    EXPECT_EQ(p.read_all(), head);
    XSND_play(sound.x);
    EXPECT_EQ(p.read_all(), tail);
    EXPECT_EQ(sound.x->queue->count, 2 - i);
  }
  // A change to a queued buffer is heard from the next block on.
  LIST_append(sound.x->queue, buf.s);
  XSND_play(sound.x);
  buf.s->data[4] = 40000;
  XSND_play(sound.x);
  EXPECT_EQ(p.read_all(), (std::vector<std::int16_t>{1, 2, 3, 4, -25536}));
}

TEST(XSND, WithoutADeviceRunsSilentAndReportsOnce) {
  // A device that is missing, and one that opens but refuses the first request.
  for (const char* path : {"/nonexistent/torq-dsp", "/dev/null"}) {
    SCOPED_TRACE(path);
    const std::uint32_t before = XSND_module.errors;
    Sound sound(XSND_open(path, "torq_no_such_pcm"));
    ASSERT_NE(sound.x, nullptr);
    EXPECT_EQ(XSND_module.errors, before + 1);
    EXPECT_STREQ(sound.x->path, path);
    EXPECT_EQ(sound.x->rate, 44100);
    EXPECT_EQ(sound.x->format, 16);
    EXPECT_EQ(sound.x->stereo, 0);
    EXPECT_EQ(sound.x->fd >= 0, path[1] == 'd');
    EXPECT_EQ(sound.x->pcm, nullptr);
    EXPECT_EQ(sound.x->block_samples, 0);
    EXPECT_EQ(sound.x->block, nullptr);
    Buffer buf({1, 2, 3});
    for (int i = 0; i < 4; ++i) LIST_append(sound.x->queue, buf.s);
    for (int i = 0; i < 10; ++i) XSND_play(sound.x);
    EXPECT_EQ(XSND_module.errors, before + 1);
    EXPECT_EQ(sound.x->queue->count, 4);  // the head is never used up
    EXPECT_EQ(sound.x->current, buf.s);
  }

  // The program's own opening: here (no /dev/dsp, no sound card) it is silent too.
  const std::uint32_t before_new = XSND_module.errors;
  Sound real(XSND_new());
  ASSERT_NE(real.x, nullptr);
  EXPECT_STREQ(real.x->path, "/dev/dsp");
  const bool silent = real.x->fd < 0 && real.x->pcm == nullptr;
  EXPECT_EQ(XSND_module.errors - before_new, silent ? 1u : 0u);
  EXPECT_EQ(real.x->block_samples == 0, silent);
}

TEST(XSND, RefusesBlockSizesOutsideTheSaneRange) {
  struct Row { std::int32_t block_size, samples; };
  const Row rows[] = {{0, 0}, {-2, 0}, {1, 0}, {XSND_max_block_size + 2, 0}, {INT32_MAX, 0},
                      {2, 1}, {3, 1}, {XSND_max_block_size, XSND_max_block_size / 2}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.block_size);
    Buffer buf({7, 8, 9});
    Pipe p;
    const std::uint32_t before = XSND_module.errors;
    Sound sound(XSND_new_on_fd(p.fds[1], row.block_size));
    EXPECT_EQ(XSND_module.errors - before, row.samples == 0 ? 1u : 0u);
    EXPECT_EQ(sound.x->block_samples, row.samples);
    LIST_append(sound.x->queue, buf.s);
    XSND_play(sound.x);
    EXPECT_EQ(p.read_all().size(), row.samples == 0 ? 0u : std::min<std::size_t>(row.samples, 3));
  }
}

TEST(XSND, ReportsMissingRecordHandleAndBuffer) {
  std::uint32_t before = XSND_module.errors;
  XSND_play(nullptr);
  XSND_free(nullptr);
  XSND* none = nullptr;
  XSND_free(&none);
  EXPECT_EQ(XSND_module.errors, before + 3);

  Pipe p;
  Sound sound(XSND_new_on_fd(p.fds[1], 4));
  LIST_free(&sound.x->queue);
  before = XSND_module.errors;
  XSND_play(sound.x);  // a record without a queue gets one, silently
  ASSERT_NE(sound.x->queue, nullptr);
  EXPECT_EQ(XSND_module.errors, before);
  Buffer buf({5, 6});
  LIST_append(sound.x->queue, nullptr);
  LIST_append(sound.x->queue, buf.s);
  XSND_play(sound.x);  // not a buffer: reported and dropped
  EXPECT_EQ(XSND_module.errors, before + 1);
  EXPECT_EQ(sound.x->queue->count, 1);
  XSND_play(sound.x);
  EXPECT_EQ(p.read_all(), (std::vector<std::int16_t>{5, 6}));
}

TEST(XSND, AlsaOutputWritesTheSameStream) {
  void* library = dlopen("libasound.so.2", RTLD_NOW);
  if (library == nullptr) GTEST_SKIP() << "libasound.so.2 is not installed";
  dlclose(library);
  const std::filesystem::path alsa_conf = "/usr/share/alsa/alsa.conf";
  if (!std::filesystem::exists(alsa_conf)) GTEST_SKIP() << "no ALSA configuration";

  char dir_template[] = "/tmp/xsnd-test-XXXXXX";
  ASSERT_NE(mkdtemp(dir_template), nullptr);
  const std::filesystem::path dir = dir_template, capture = dir / "cap.raw";
  std::ofstream(dir / "alsa.conf") << "pcm.!default { type file slave.pcm \"null\" file \""
                                   << capture.string() << "\" format \"raw\" }\n";
  const std::string config = alsa_conf.string() + ":" + (dir / "alsa.conf").string();
  setenv("ALSA_CONFIG_PATH", config.c_str(), 1);

  std::srand(8175);
  const auto v = random_values(2000);
  Buffer buf(v);
  XSND* sound = XSND_open("/nonexistent/torq-dsp", "default");
  ASSERT_NE(sound->pcm, nullptr);
  EXPECT_LT(sound->fd, 0);
  EXPECT_EQ(sound->block_samples, 896);
  LIST_append(sound->queue, buf.s);
  for (int i = 0; i < 4; ++i) XSND_play(sound);  // 896, 896, 208, nothing
  XSND_free(&sound);
  unsetenv("ALSA_CONFIG_PATH");

  std::ifstream in(capture, std::ios::binary);
  const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(samples_of(bytes), cut_range(v, 0, 2000));
  std::filesystem::remove_all(dir);
}
