// The text layers: line-font text and icons drawn over a part's picture into
// `frame`, after the part has rendered and before post-processing. Animation
// time is the frame count of `fps`.
#pragma once

// The frame rate (two hexadecimal digits) and the frame count (eight) in the
// top left corner with the wire font, while bit 0 of show_fps is set; no
// colour of its own.
void TORQ6150_fps_overlay();
// The group name hopping along the bottom edge, each letter in its own colour.
void TORQ6150_bouncing_letters();
// The group name wobbling in small circles in the bottom right corner.
void TORQ6150_circling_letters();
// Now and then (when rand() AND sparkle_mask is 0) the group name at a random
// place and size, in the wire font's current colour.
void TORQ6150_sparkle_letters();
// Two random icons per frame in a random palette colour: a small one and a
// big one thickened by diagonal copies; the icon changes every 16 frames.
void TORQ6150_icon_rain();
