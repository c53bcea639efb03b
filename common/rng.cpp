#include "rng.h"

namespace {

constexpr int kDegree = 31;      // words in the table
constexpr int kSeparation = 3;   // distance between the two words added

struct State {
  std::uint32_t table[kDegree];
  int front;  // the word that receives the sum and gives the output
  int rear;   // the word added to it
};

constexpr std::int32_t next(State& s) {
  s.table[s.front] += s.table[s.rear];
  const auto result = static_cast<std::int32_t>(s.table[s.front] >> 1);
  s.front = (s.front + 1) % kDegree;
  s.rear = (s.rear + 1) % kDegree;
  return result;
}

constexpr State seeded(std::uint32_t seed) {
  State s{};
  if (seed == 0) seed = 1;
  // The seed is taken as a signed 32-bit word, so seeds of 2^31 and more
  // start from a negative one, as the C library's do.
  auto word = static_cast<std::int32_t>(seed);
  s.table[0] = seed;
  for (int i = 1; i < kDegree; ++i) {
    // 16807 x word modulo 2^31 - 1, without overflowing 32 bits (Schrage).
    const std::int32_t hi = word / 127773;
    const std::int32_t lo = word % 127773;
    word = 16807 * lo - 2836 * hi;
    if (word < 0) word += 2147483647;
    s.table[i] = static_cast<std::uint32_t>(word);
  }
  s.front = kSeparation;
  s.rear = 0;
  for (int i = 0; i < 10 * kDegree; ++i) next(s);
  return s;
}

State state = seeded(1);

}  // namespace

void RNG_srand(std::uint32_t seed) { state = seeded(seed); }

std::int32_t RNG_rand() { return next(state); }
