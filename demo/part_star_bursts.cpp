// The star-burst part: four nested star bursts, thick to thin, turning and
// twisting over a dimmed, slowly drifting star tile. The bursts stay after
// the part for the ray keys, which act on them in every later part.

#include "backmove.h"
#include "demo.h"
#include "layers.h"
#include "lstar.h"
#include "parts.h"
#include "rng.h"
#include "wrap.h"

namespace {

// Stroke thickness of bursts 0 to 3: thinner bursts are drawn over thicker ones.
constexpr std::int32_t THICKNESS[4] = {16, 12, 8, 4};

constexpr std::int32_t MIN_RAYS = 5;
constexpr std::int32_t MAX_RAYS = 64;
constexpr std::int32_t MIN_LENGTH = 8;
constexpr std::int32_t MAX_LENGTH = 512;

LSTAR** bursts() { return TORQ6150_state.star_bursts; }

// Four new bursts, replacing those of an earlier visit, all with the same
// random number of rays; each ray set family turns one random way.
void make_bursts() {
  LSTAR** star = bursts();
  for (int i = 0; i < 4; ++i) {
    if (star[i] != nullptr) LSTAR_free(&star[i]);
    star[i] = LSTAR_new();
  }
  const std::int32_t n = RNG_rand() % 17 + 13;
  for (int i = 0; i < 4; ++i) LSTAR_set_count(star[i], n);
  const std::int32_t sa = (RNG_rand() & 1) * 2 - 1;
  const std::int32_t sb = (RNG_rand() & 1) * 2 - 1;
  for (int i = 0; i < 4; ++i) {
    if (star[i] == nullptr) continue;
    if (star[i]->radial_a != nullptr) star[i]->radial_a->spin = wrap_mul(star[i]->radial_a->spin, sa);
    if (star[i]->radial_b != nullptr) star[i]->radial_b->spin = wrap_mul(star[i]->radial_b->spin, sb);
  }
  if ((RNG_rand() & 1) == 1) {
    for (int i = 0; i < 4; ++i) LSTAR_sync(star[i]);
  }
}

// The drifting background: one of the four 64 x 64 star squares at half brightness.
void make_mover() {
  DemoState& s = TORQ6150_state;
  s.star_mover = BACKMOVE_new();
  if (s.star_mover == nullptr) return;
  s.star_mover->target = s.frame;
  s.star_mover->tile = IMG_new();
  // Raised to the tile's 64 at the first draw.
  s.star_mover->step_x = 32;
  s.star_mover->step_y = 32;
  IMG_set_size(s.star_mover->tile, 64, 64);
  IMG_blit_opaque(s.star_image, s.star_mover->tile, 0, (RNG_rand() % 4) * 64, 0, 0, 64, 64);
  IMG_scale_color(s.star_mover->tile, 1, 2);
}

void setup() {
  TORQ6150_set_post_processing(TORQ6150_random_dark_grey(), 0, 0, 1);
  make_bursts();
  make_mover();
}

void render() {
  DemoState& s = TORQ6150_state;
  BACKMOVE_move(s.star_mover);
  BACKMOVE_draw(s.star_mover);
  for (int i = 0; i < 4; ++i) LSTAR_turn(bursts()[i]);
  for (int i = 0; i < 4; ++i) LSTAR_draw(bursts()[i], s.frame, THICKNESS[i]);
}

// The background goes with the part; the bursts stay.
void finish() {
  BACKMOVE*& mover = TORQ6150_state.star_mover;
  if (mover == nullptr) return;
  if (mover->tile != nullptr) IMG_free(&mover->tile);
  BACKMOVE_free(&mover);
}

// The second ray set of burst i, when the burst has one.
LRADIAL* second_set(int i) { return bursts()[i] != nullptr ? bursts()[i]->radial_b : nullptr; }

bool bursts_made() { return bursts()[0] != nullptr; }

void text_layers() {
  TORQ6150_fps_overlay();
  TORQ6150_bouncing_letters();
}

}  // namespace

const DemoPart TORQ6150_star_burst_part{750, setup, render, text_layers, finish, true, true};

void TORQ6150_stars_set_rays(std::int32_t n) {
  if (!bursts_made()) return;
  if (n < MIN_RAYS) n = MIN_RAYS;
  if (n > MAX_RAYS) n = MAX_RAYS;
  for (int i = 0; i < 4; ++i) LSTAR_set_count(bursts()[i], n);
}

void TORQ6150_stars_more_rays() {
  if (!bursts_made() || bursts()[0]->radial_a == nullptr) return;
  TORQ6150_stars_set_rays(wrap_add(bursts()[0]->radial_a->count, 1));
}

void TORQ6150_stars_fewer_rays() {
  if (!bursts_made() || bursts()[0]->radial_a == nullptr) return;
  TORQ6150_stars_set_rays(wrap_sub(bursts()[0]->radial_a->count, 1));
}

void TORQ6150_stars_longer() {
  if (!bursts_made()) return;
  for (int i = 0; i < 4; ++i) {
    LRADIAL* b = second_set(i);
    if (b == nullptr) continue;
    b->length = wrap_add(b->length, i + 1);
    if (b->length > MAX_LENGTH) b->length = MAX_LENGTH;
  }
}

void TORQ6150_stars_shorter() {
  if (!bursts_made()) return;
  for (int i = 0; i < 4; ++i) {
    LRADIAL* b = second_set(i);
    if (b == nullptr) continue;
    b->length = wrap_sub(b->length, i + 1);
    if (b->length < MIN_LENGTH) b->length = MIN_LENGTH;
  }
}
