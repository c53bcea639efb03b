#!/usr/bin/env python3
"""Writes assets/stars.ppm: four 64 x 64 star tiles stacked into 64 x 256.

Each tile is a wisp of nebula in its own colours with stars over it. Both the
nebula (noise whose lattice repeats every 64 pixels) and the stars (drawn
with wrap-around) continue seamlessly across the tile's edges, so the tile
can be repeated over the whole screen.
"""

import math
import sys

sys.dont_write_bytecode = True  # keeps tools/ free of __pycache__

import assetlib

TILE = 64

# Per tile: the nebula's dark and bright colours and the random seed.
TILES = [
    ((20, 10, 70), (90, 120, 255), 11),    # blue and violet
    ((60, 8, 20), (255, 120, 60), 22),     # red and amber
    ((0, 40, 40), (60, 230, 170), 33),     # teal
    ((50, 0, 60), (240, 90, 230), 44),     # magenta
]


class TileNoise:
    """Value noise on lattices of 4, 8 and 16 cells across the tile, each
    lattice wrapping at the tile's edge, summed with halving weights."""

    def __init__(self, seed):
        rand = assetlib.Random(seed)
        self.octaves = []
        for cells in (4, 8, 16):
            values = [[rand.unit() for _ in range(cells)] for _ in range(cells)]
            self.octaves.append((cells, values))

    def at(self, x, y):
        total, weight, norm = 0.0, 1.0, 0.0
        for cells, values in self.octaves:
            size = TILE / cells
            gx, gy = x / size, y / size
            ix, iy = int(math.floor(gx)), int(math.floor(gy))
            fx, fy = gx - ix, gy - iy
            sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
            v00 = values[iy % cells][ix % cells]
            v10 = values[iy % cells][(ix + 1) % cells]
            v01 = values[(iy + 1) % cells][ix % cells]
            v11 = values[(iy + 1) % cells][(ix + 1) % cells]
            top = v00 + (v10 - v00) * sx
            bottom = v01 + (v11 - v01) * sx
            total += (top + (bottom - top) * sy) * weight
            norm += weight
            weight *= 0.5
        return total / norm


def make_tile(dark, bright, seed):
    noise = TileNoise(seed)
    tile = []
    for y in range(TILE):
        row = []
        for x in range(TILE):
            d = noise.at(x + 0.5, y + 0.5)
            # Only the denser parts glow; the rest is near-black sky.
            glow = max(0.0, (d - 0.42) / 0.58) ** 1.6
            c = assetlib.mix((2, 2, 8), dark, min(1.0, glow * 3))
            c = assetlib.mix(c, bright, glow)
            row.append(c)
        tile.append(row)

    rand = assetlib.Random(seed * 7919)

    def light(x, y, amount, tint):
        x %= TILE
        y %= TILE
        tile[y][x] = assetlib.add(tile[y][x], assetlib.scale(tint, amount))

    for _ in range(70):  # faint and middling stars
        x, y = rand.below(TILE), rand.below(TILE)
        light(x, y, 0.25 + 0.6 * rand.unit(), (255, 250, 240))
    for _ in range(5):  # bright stars with a cross of light, wrapping at the edges
        x, y = rand.below(TILE), rand.below(TILE)
        tint = assetlib.mix((255, 255, 255), bright, 0.3)
        light(x, y, 1.0, (255, 255, 255))
        for r, amount in ((1, 0.7), (2, 0.35), (3, 0.15)):
            for dx, dy in ((r, 0), (-r, 0), (0, r), (0, -r)):
                light(x + dx, y + dy, amount, tint)
    return [[assetlib.to_pixel(c) for c in row] for row in tile]


def make_picture():
    rows = []
    for dark, bright, seed in TILES:
        rows += make_tile(dark, bright, seed)
    return rows


def main():
    assetlib.write_ppm(assetlib.asset_path("stars.ppm"), make_picture(),
                       "TORQ6150 star tiles, four seamless 64 x 64 squares")


if __name__ == "__main__":
    main()
