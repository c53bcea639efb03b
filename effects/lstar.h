// LSTAR: a star burst made of two ray sets with the same number of rays. Its
// outline is a closed zigzag from a tip of the first set to a tip of the
// second, on to the next tip of the first, and so on around the centre, each
// stroke shaded from the first set's colour to the second's. The two sets keep
// their own lengths and spins, so the points and notches wander and twist.
//
// Every operation given no record reports "LSTAR error" and does nothing.
#pragma once

#include <cstdint>

#include "img.h"
#include "lradial.h"
#include "module.h"

struct LSTAR {
  std::int32_t x, y, z;               // x, y: centre of the star; z unused
  std::int32_t width, height, depth;  // size triple; depth unused
  LRADIAL* radial_a;                  // the first ray set, owned
  LRADIAL* radial_b;                  // the second ray set, owned
};

extern Module LSTAR_module;

// Reports an error of the LSTAR module ("LSTAR error").
void LSTAR_error();

// A new star of 8 rays centred at (128, 128): two new ray sets, the first
// made first, then LSTAR_set_count with 8. None (reported) when memory runs out.
LSTAR* LSTAR_new();
// Frees the star with its ray sets and sets the caller's handle to none; an
// absent handle is reported.
void LSTAR_free(LSTAR** handle);
// Gives both ray sets n rays, then moves the second set's angle on by half
// its spacing, on every call, even when n does not change. A count of 0 or
// less is reported and changes nothing.
void LSTAR_set_count(LSTAR* star, std::int32_t n);
// The second set takes the first set's angle and spin and then moves on by
// half its own spacing: both turn together, the second set's rays halfway
// between the first set's. A star without both ray sets is reported.
void LSTAR_sync(LSTAR* star);
// Turns the first ray set, then the second. A star without both ray sets is
// reported and does not turn.
void LSTAR_turn(LSTAR* star);
// Draws the closed zigzag of 2 x count thick two-colour strokes about the
// star's own centre. A star without both ray sets, or no target, is reported
// and draws nothing; a thickness below 1 draws nothing.
void LSTAR_draw(const LSTAR* star, IMG* target, std::int32_t thickness);
