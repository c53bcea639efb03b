// IMGFX: image effects, fills and line primitives on IMG images.
//
// Operations handed a missing image or pixel array do nothing and report
// through IMGFX_error ("IMGFX error"), except where a comment says otherwise.
#pragma once

#include <cstdint>

#include "img.h"

extern Module IMGFX_module;

// Reports an error of the IMGFX module.
void IMGFX_error();

// Code paths of the filters and of the fade (IMG_sub_color), from the plainest
// to the fastest; all give the same pixels. At start the fastest one that the
// build and the processor have is in use.
enum IMGFX_Path { IMGFX_PORTABLE, IMGFX_SSE2, IMGFX_AVX2 };
// Puts `path` in use and returns true, or returns false and changes nothing
// where the build or the processor lacks it. Tests and benchmarks use it to
// run every path.
bool IMGFX_use_path(IMGFX_Path path);

// IMG_fill_rect, reporting through IMGFX_error.
void IMGFX_fill_rect(IMG* image, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, std::uint32_t colour);

// Rectangle copy clipped as IMG_blit (parts outside either image are dropped
// silently); each destination pixel becomes the per-channel sum of itself and
// the source pixel, saturated at 255, with the top byte 0. A missing image or
// pixel array is reported and draws nothing.
void IMGFX_add_blit(const IMG* source, IMG* destination, std::int32_t sx, std::int32_t sy,
                    std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);
// Rectangle copy clipped as IMG_blit; where the source pixel is not 0 the
// destination becomes s / 2 + d / 2 per channel, halves rounded down, top byte
// 0, and black source pixels leave it unchanged. A missing image or pixel
// array is reported and draws nothing.
void IMGFX_blend_blit(const IMG* source, IMG* destination, std::int32_t sx, std::int32_t sy,
                      std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);
// Every pixel becomes its bitwise complement in the three colour channels, with
// the top byte 0; a missing image or pixel array is reported.
void IMGFX_invert(IMG* image);
// Horizontal box blur: each channel of each source pixel becomes the average,
// rounded down, of the 2r + 1 pixels around it in its row (r being that
// channel's radius, black beyond the row ends), written to the same position
// of the destination where that lies inside it. A negative radius returns at
// once, drawing and reporting nothing even when images are missing; otherwise
// a missing image or pixel array, or one image given as both source and
// destination, is reported and draws nothing.
void IMGFX_hblur(const IMG* source, IMG* destination, std::int32_t red_radius,
                 std::int32_t green_radius, std::int32_t blue_radius);
// Horizontal five-tap glow: each channel adds its four horizontal neighbours,
// each shifted right by `shift`, saturating at 255 (black beyond the row ends,
// destination clipped as IMGFX_hblur). Shifts are meant to be 0 to 15; any other
// value is taken modulo 32, so 8 to 31 (and -1) add nothing. Missing images, or
// one image as both source and destination, are reported and draw nothing.
void IMGFX_glare(const IMG* source, IMG* destination, std::int32_t shift);

// Bresenham line, the same pixels as IMG_line; a missing image is reported
// once through IMG_error.
void IMGFX_line(IMG* image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                std::uint32_t colour);
// Pixels ya..yb of column x, the ends in either order; reports through IMG_error.
void IMGFX_vspan(IMG* image, std::int32_t x, std::int32_t ya, std::int32_t yb,
                 std::uint32_t colour);
// The path of IMG_line, each pixel colour 1 or colour 2 by a dither that
// moves from colour 1 at the first end to colour 2 at the other; a single
// point takes colour 1. A missing image is reported once through IMG_error.
void IMGFX_bicolor_line(IMG* image, std::int32_t x1, std::int32_t y1, std::uint32_t colour1,
                        std::int32_t x2, std::int32_t y2, std::uint32_t colour2);
// Line of the given thickness made of parallel one-pixel strokes, side by
// side for steep lines, stacked for shallow ones and in offset pairs for
// diagonal ones (a diagonal line of thickness 1 is the plain line). A
// thickness below 1 or a missing image draws nothing and reports nothing.
void IMGFX_thick_line(IMG* image, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                      std::int32_t y2, std::uint32_t colour, std::int32_t thickness);
// IMGFX_thick_line built from IMGFX_bicolor_line strokes, each running from
// the left end point (with its colour) to the right one.
void IMGFX_thick_bicolor_line(IMG* image, std::int32_t x1, std::int32_t y1,
                              std::uint32_t colour1, std::int32_t x2, std::int32_t y2,
                              std::uint32_t colour2, std::int32_t thickness);
