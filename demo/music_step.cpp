#include "demo.h"

void TORQ6150_music_step() {
  if (TORQ6150_state.muted) return;
}
