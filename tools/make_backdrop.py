#!/usr/bin/env python3
"""Writes assets/backdrop.ppm: a 128 x 64 emblem, its header without comment.

A striped evening sun behind a range of mountains, over a glowing floor of
grid lines running to the horizon. The picture is drawn over the scroller
with black skipped, so everything around and between its shapes is exact
black and lets the show through.
"""

import math
import sys

sys.dont_write_bytecode = True  # keeps tools/ free of __pycache__

import assetlib

WIDTH, HEIGHT = 128, 64
HORIZON = 44
SUN_X, SUN_Y, SUN_R = 64.0, 25.0, 21.0


def sun(x, y):
    """The sun's colour at (x, y), or None outside it or in one of its gaps."""
    dx, dy = x + 0.5 - SUN_X, y + 0.5 - SUN_Y
    if dx * dx + dy * dy > SUN_R * SUN_R:
        return None
    t = (y + 0.5 - (SUN_Y - SUN_R)) / (2 * SUN_R)  # 0 at the top, 1 at the bottom
    # Gaps across the lower half, wider toward the horizon.
    if t > 0.5:
        band = (t - 0.5) * 2  # 0 to 1 over the lower half
        period = 6
        gap = 1 + int(band * 3.5)
        if (y - int(SUN_Y)) % period < gap:
            return None
    top, middle, bottom = (255, 244, 120), (255, 150, 60), (235, 40, 120)
    if t < 0.5:
        return assetlib.mix(top, middle, t * 2)
    return assetlib.mix(middle, bottom, (t - 0.5) * 2)


def ridge(x):
    """Height of the mountains above the horizon at column x: two ranges of
    overlapping peaks, the nearer one lower and darker."""
    far = max(0.0, 13 - abs(x - 20) * 0.8, 9 - abs(x - 40) * 0.65, 7 - abs(x - 84) * 0.5,
              15 - abs(x - 108) * 0.9)
    near = max(0.0, 6 - abs(x - 6) * 0.45, 7 - abs(x - 66) * 0.6, 5 - abs(x - 124) * 0.5)
    return far, near


def mountain(x, y):
    far, near = ridge(x + 0.5)
    up = HORIZON - (y + 0.5)
    if up < 0:
        return None
    if up <= near:
        lit = near - up < 1.2
        return (140, 60, 190) if lit else (62, 22, 96)
    if up <= far:
        lit = far - up < 1.2
        # A lit side facing the sun, a shaded side away from it.
        slope = ridge(x + 1.5)[0] - ridge(x - 0.5)[0]
        if lit:
            return (230, 120, 210)
        return (110, 40, 150) if slope > 0 else (84, 30, 124)
    return None


def draw_floor(rows):
    """Grid lines on the ground below the horizon, in perspective: cross lines
    closer together toward the horizon, and lines running to a vanishing point
    in the middle of it. Both fade toward the horizon."""
    bottom = HEIGHT - 1

    def fade(y):
        return min(1.0, 0.4 + (y - HORIZON) / 14.0)

    for depth in (2, 4, 7, 11, 16):
        y = HORIZON + depth
        if y <= bottom:
            for x in range(WIDTH):
                rows[y][x] = assetlib.scale((255, 60, 200), fade(y))
    for j in range(-6, 7):
        foot = SUN_X + j * 24.0  # where the line leaves the bottom edge
        # Sample finely along the line so shallow ones have no gaps.
        steps = 400
        for i in range(steps + 1):
            t = i / float(steps)
            y = HORIZON + 3 + t * (bottom - HORIZON - 3)
            x = SUN_X + (foot - SUN_X) * (y - HORIZON) / (bottom - HORIZON)
            px, py = int(math.floor(x)), int(round(y))
            if 0 <= px < WIDTH and HORIZON < py <= bottom:
                rows[py][px] = assetlib.scale((60, 220, 255), fade(py))


def stars(rows):
    rand = assetlib.Random(6150)
    placed = 0
    while placed < 14:
        x, y = rand.below(WIDTH), rand.below(HORIZON - 20)
        if rows[y][x] != (0, 0, 0):
            continue
        dx, dy = x + 0.5 - SUN_X, y + 0.5 - SUN_Y
        if dx * dx + dy * dy < (SUN_R + 4) ** 2:
            continue
        rows[y][x] = (200, 210, 255) if placed % 3 else (255, 255, 255)
        placed += 1


def make_picture():
    rows = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            c = mountain(x, y) or sun(x, y)
            row.append(c if c else (0, 0, 0))
        rows.append(row)
    draw_floor(rows)
    # The horizon itself: a bright line across the whole picture.
    for x in range(WIDTH):
        rows[HORIZON][x] = (255, 140, 235)
    rows = [[assetlib.to_pixel(c) for c in row] for row in rows]
    stars(rows)
    return rows


def main():
    assetlib.write_ppm(assetlib.asset_path("backdrop.ppm"), make_picture())


if __name__ == "__main__":
    main()
