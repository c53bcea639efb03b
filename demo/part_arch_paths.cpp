// The arch-path part: three glowing meandering trails fading slowly on a
// dark frame, unpaced.

#include "archpath.h"
#include "demo.h"
#include "layers.h"
#include "list.h"
#include "parts.h"
#include "rng.h"

namespace {

ARCHPATH* path_at(std::int32_t index) {
  return static_cast<ARCHPATH*>(LIST_get(TORQ6150_state.arch_paths, index));
}

void setup() {
  DemoState& s = TORQ6150_state;
  if (s.arch_paths == nullptr) s.arch_paths = LIST_new();
  const int n = RNG_rand() % 63 + 32;
  for (int i = 0; i <= n; ++i) {
    ARCHPATH* path = ARCHPATH_new();
    if (path == nullptr) continue;
    path->steps *= 8;  // the first arc lasts two to eight whole turns
    RNG_rand();
    RNG_rand();
    LIST_append(s.arch_paths, path);
  }
  // Synchronised, every path turns like the one made last until its first switch.
  if ((RNG_rand() & 1) == 1) {
    const ARCHPATH* last = path_at(s.arch_paths->count - 1);
    for (std::int32_t i = s.arch_paths->count - 1; i >= 0; --i) {
      ARCHPATH* path = path_at(i);
      path->angle = last->angle;
      path->speed = last->speed;
      path->steps = last->steps;
      path->steps_done = last->steps_done;
    }
  }
  RNG_rand();
  TORQ6150_set_post_processing(0x010101, 1, 1, 1);
}

// Only the paths at indexes 2, 1 and 0 are drawn: 64 steps each per frame.
void render() {
  DemoState& s = TORQ6150_state;
  for (std::int32_t i = 2; i >= 0; --i) {
    ARCHPATH* path = path_at(i);
    if (path == nullptr) continue;
    for (int step = 0; step < 64; ++step) {
      ARCHPATH_advance(path);
      ARCHPATH_plot(path, s.frame);
    }
  }
}

// The sparkle letters show about one frame in 64 from this part on.
void text_layers() {
  TORQ6150_settings.sparkle_mask = 63;
  TORQ6150_sparkle_letters();
}

// Every path made by the set-up is freed, whichever way the part ended.
void finish() {
  LIST* paths = TORQ6150_state.arch_paths;
  while (paths->count > 0) {
    auto* path = static_cast<ARCHPATH*>(LIST_pop(paths));
    ARCHPATH_free(&path);
  }
}

}  // namespace

const DemoPart TORQ6150_arch_path_part{1000, setup, render, text_layers, finish, true, false};
