// BACKMOVE: a moving wallpaper. Copies of one small tile cover the whole
// target on a regular grid that slides a few pixels per move, in a direction
// that changes now and then at random.
//
// The mover owns neither image: the part that uses it makes the tile, stores
// it and the target here, and frees the tile itself before freeing the mover.
#pragma once

#include <cstdint>

#include "img.h"
#include "module.h"

struct BACKMOVE {
  std::int32_t x, y, z;               // position triple of every effect; not read
  std::int32_t width, height, depth;  // size triple of every effect; not read
  std::int32_t offset_x, offset_y;    // where the grid starts, kept in (-step, 0]
  std::int32_t speed_x, speed_y;      // pixels added to the offsets per move
  std::int32_t step_x, step_y;        // distance between grid columns and rows
  IMG* tile;                          // the image laid on the grid, not owned
  IMG* target;                        // the image covered, not owned
};

extern Module BACKMOVE_module;

// Reports an error of the BACKMOVE module ("BACKMOVE error").
void BACKMOVE_error();

// A new mover with 16 x 16 steps and random speeds, or none (reported) when
// memory runs out.
BACKMOVE* BACKMOVE_new();
// Frees the mover (not its images) and sets the caller's handle to none; an
// absent handle is reported.
void BACKMOVE_free(BACKMOVE** handle);
// Speeds from -4 to +4: two RNG_rand() draws, x first.
void BACKMOVE_randomize(BACKMOVE* mover);
// Slides the grid by the speeds, keeping each offset in (-step, 0], then gives
// each speed a 1 in 256 chance of a new value from -3 to +4. A mover without
// tile or target, or with a step below 1, is reported and does not move.
void BACKMOVE_move(BACKMOVE* mover);
// Raises the steps to at least the tile's size, then covers the target with
// copies of the tile, rows top to bottom, each left to right; black tile
// pixels are transparent. A mover without tile or target, or whose steps stay
// below 1, is reported and draws nothing.
void BACKMOVE_draw(BACKMOVE* mover);
