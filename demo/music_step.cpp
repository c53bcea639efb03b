
#include "demo.h"
#include "list.h"
#include "music.h"
#include "rng.h"
#include "xsnd.h"

// Once per frame of the parts that carry the music: a new pattern every
// `period` frames, a blend step toward it every eighth frame, and one device
// block. While muted nothing moves: the device runs dry and the countdown stands.
void TORQ6150_music_step() {
  DemoState& s = TORQ6150_state;
  if (s.muted) return;
  MUSIC* music = s.music;
  if (music == nullptr) return;
  MUSIC_tick(music);
  const std::int32_t frame = s.fps->frame_count;
  const std::int32_t period = music->period;
  if (period > 0 && frame % period == 0) {
    if (RNG_rand() & 1) {
      MUSIC_compose(music);
    } else {
      MUSIC_compose_faded(music);
    }
    ++s.loop_changes;
  } else if (frame % 8 == 0) {
    MUSIC_blend(music, period / 2);
    ++s.loop_changes;
  }
  XSND* device = s.sound_device;
  if (device == nullptr) return;
  // The same loop stands in the queue up to four times; blending changes it
  // in place, so the device plays every change from its next block on.
  if (device->queue != nullptr && device->queue->count < 4) LIST_append(device->queue, music->output);
  XSND_play(device);
}
