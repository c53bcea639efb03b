// The pictures the program carries, embedded into it at build time from the
// data files beside this header. Each asset is the complete file, header and
// data, ready for IMG_parse_pnm.
#pragma once

#include <cstddef>
#include <cstdint>

struct Asset {
  const std::uint8_t* data;
  std::size_t size;  // bytes
};

// P4, 128 x 64: the start-up logo; a set bit reads as white, so the picture is
// inverted before it is added onto the loading screen.
extern const Asset ASSET_logo;
// P5, 256 x 256, maximum 255: the glyph sheet, 16 x 16 cells in code order;
// codes 1 to 15 are seamless pattern tiles, codes 32 to 126 the face.
extern const Asset ASSET_glyphs;
// P6, 16 x 256, maximum 255: sixteen 16 x 16 sprites stacked, black transparent.
extern const Asset ASSET_sprites;
// P6, 128 x 64, maximum 255, header without comment: the backdrop emblem,
// black transparent.
extern const Asset ASSET_backdrop;
// P6, 64 x 256, maximum 255: four seamless 64 x 64 star tiles stacked.
extern const Asset ASSET_stars;
