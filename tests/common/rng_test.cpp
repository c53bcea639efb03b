#include "rng.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

// The show's generator draws the GNU C library's sequence: a million draws
// after each seed, from rand and random in turn (one shared state), with the
// library re-seeded through srand and srandom alike.
TEST(Rng, DrawsTheCLibrarySequence) {
  const std::uint32_t seeds[] = {0, 1, 2, 8175, 273880913, 2147483647u, 2147483648u, 4294967295u};
  bool through_srandom = false;
  for (const std::uint32_t seed : seeds) {
    if (through_srandom) {
      srandom(seed);
    } else {
      std::srand(seed);
    }
    through_srandom = !through_srandom;
    RNG_srand(seed);
    for (int i = 0; i < 1000000; ++i) {
      const long expected = i % 3 == 0 ? random() : std::rand();
      const std::int32_t got = RNG_rand();
      if (got != expected) FAIL() << "seed " << seed << ", draw " << i << ": " << got << " != " << expected;
    }
  }
}
