// The pictures and line drawings the program carries, embedded into it at
// build time from the data files beside this header. Each asset is the
// complete file: a picture with its header, ready for IMG_parse_pnm, or a
// 2D-object text.
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
// 2D-object text, 256 objects in character-code order: the wire font, line
// glyphs on a 16 x 16 grid, white. The text carries no terminating NUL.
extern const Asset ASSET_wire_font;
// 2D-object text, 102 named objects: the icon collection, line drawings of
// notes and instruments on a 16 x 16 grid, white. No terminating NUL.
extern const Asset ASSET_icons;
