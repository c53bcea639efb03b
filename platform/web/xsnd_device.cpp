// The sound device of a web page: blocks of one frame's 882 values go to the
// page's Web Audio player. Until the page's sound runs (a browser starts it
// only after a click or key) the blocks are counted as played, as the silent
// output does, so that the show keeps its pace. Pacing follows the player's
// clock, as with a blocking device: after a block is posted, the show waits
// while more than 100 ms are queued.
#include "web.h"
#include "web_p.h"
#include "xsnd_device.h"

namespace {

constexpr std::int32_t kBlockSamples = 882;    // one fiftieth of a second
constexpr std::int32_t kMostQueued = 4410;     // 100 ms at 44100 values per second

}  // namespace

bool XSND_device_open(XSND* sound) { return XSND_set_block(sound, kBlockSamples * 2); }

void XSND_device_write(XSND* sound, std::int32_t n) {
  if (!web_sound_running()) {
    XSND_keep_silent_time(sound);
    return;
  }
  if (web_sound_post(sound->block.get(), n) > kMostQueued) {
    web_sound_wait();
    web::yielded = true;
  }
}

// The page closes its player when the show ends.
void XSND_device_close(XSND*) {}
