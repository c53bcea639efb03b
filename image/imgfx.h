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

// IMG_fill_rect, reporting through IMGFX_error.
void IMGFX_fill_rect(IMG* image, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, std::uint32_t colour);

// Rectangle copy clipped as IMG_blit; each destination pixel becomes the
// per-channel saturated sum of itself and the source pixel.
void IMGFX_add_blit(const IMG* source, IMG* destination, std::int32_t sx, std::int32_t sy,
                    std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);
// Rectangle copy clipped as IMG_blit; where the source pixel is not 0 the
// destination becomes the average s / 2 + d / 2 per channel, halves rounded down.
void IMGFX_blend_blit(const IMG* source, IMG* destination, std::int32_t sx, std::int32_t sy,
                      std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);
// Every pixel becomes its bitwise complement in the three colour channels.
void IMGFX_invert(IMG* image);
// Horizontal box blur with a radius per channel; black beyond the row ends.
// A negative radius draws nothing and reports nothing.
void IMGFX_hblur(const IMG* source, IMG* destination, std::int32_t red_radius,
                 std::int32_t green_radius, std::int32_t blue_radius);
// Horizontal five-tap glow: each channel adds its four horizontal neighbours
// shifted right by `shift`, saturating at 255.
void IMGFX_glare(const IMG* source, IMG* destination, std::int32_t shift);

// Bresenham line, the same pixels as IMG_line.
void IMGFX_line(IMG* image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                std::uint32_t colour);
// Pixels ya..yb of column x, the ends in either order; reports through IMG_error.
void IMGFX_vspan(IMG* image, std::int32_t x, std::int32_t ya, std::int32_t yb,
                 std::uint32_t colour);
// Bresenham line whose pixels are dithered from colour 1 at the first end to
// colour 2 at the other.
void IMGFX_bicolor_line(IMG* image, std::int32_t x1, std::int32_t y1, std::uint32_t colour1,
                        std::int32_t x2, std::int32_t y2, std::uint32_t colour2);
// Line of the given thickness made of parallel one-pixel strokes; a thickness
// below 1 or a missing image draws nothing and reports nothing.
void IMGFX_thick_line(IMG* image, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                      std::int32_t y2, std::uint32_t colour, std::int32_t thickness);
// IMGFX_thick_line built from two-colour strokes.
void IMGFX_thick_bicolor_line(IMG* image, std::int32_t x1, std::int32_t y1,
                              std::uint32_t colour1, std::int32_t x2, std::int32_t y2,
                              std::uint32_t colour2, std::int32_t thickness);
