#!/usr/bin/env python3
"""Writes assets/sprites.ppm: a 16 x 256 strip of sixteen 16 x 16 sprites.

Cells 0 and 1 are a silver and a dark glass ball, cells 2 to 11 shaded balls
in ten hues around the colour circle (the sprite chain uses these), cells 12
to 15 cut gems. Black is the transparent background; every pixel of a sprite
is kept away from 0 so that no hole shows through it.
"""

import math
import sys

sys.dont_write_bytecode = True  # keeps tools/ free of __pycache__

import assetlib

LIGHT = (-0.45, -0.55, 0.70)  # from the upper left, toward the viewer


def normalise(v):
    n = math.sqrt(sum(c * c for c in v))
    return tuple(c / n for c in v)


L = normalise(LIGHT)
HALF = normalise((L[0], L[1], L[2] + 1.0))  # halfway between light and viewer


def shade(normal, base, shine=1.0):
    """Diffuse and specular light on a surface of colour `base`."""
    diffuse = max(0.0, sum(a * b for a, b in zip(normal, L)))
    specular = max(0.0, sum(a * b for a, b in zip(normal, HALF))) ** 24 * shine
    colour = assetlib.add(assetlib.scale(base, 0.22 + 0.85 * diffuse), (255 * specular,) * 3)
    return colour


def ball(base, shine=1.0, radius=7.3):
    cell = []
    for y in range(16):
        row = []
        for x in range(16):
            # Four samples per pixel smooth the rim.
            total = (0.0, 0.0, 0.0)
            hits = 0
            for sy in (0.25, 0.75):
                for sx in (0.25, 0.75):
                    dx, dy = (x + sx - 8) / radius, (y + sy - 8) / radius
                    d2 = dx * dx + dy * dy
                    if d2 > 1.0:
                        continue
                    n = (dx, dy, math.sqrt(1.0 - d2))
                    total = assetlib.add(total, shade(n, base, shine))
                    hits += 1
            row.append(finish(total, hits))
        cell.append(row)
    return cell


def gem(base, sides=8, radius=7.4, table=0.45):
    """A cut stone seen from above: a flat table in the middle and sloping
    facets around it, each lit by its own slope."""
    cell = []
    for y in range(16):
        row = []
        for x in range(16):
            total = (0.0, 0.0, 0.0)
            hits = 0
            for sy in (0.25, 0.75):
                for sx in (0.25, 0.75):
                    dx, dy = x + sx - 8, y + sy - 8
                    angle = math.atan2(dy, dx)
                    facet = math.floor((angle + math.pi / sides) / (2 * math.pi / sides))
                    middle = facet * 2 * math.pi / sides
                    # Distance toward the facet's outer edge.
                    along = dx * math.cos(middle) + dy * math.sin(middle)
                    edge = radius * math.cos(math.pi / sides)
                    if along > edge:
                        continue
                    if along < edge * table:
                        n = (0.0, 0.0, 1.0)
                    else:
                        n = normalise((math.cos(middle), math.sin(middle), 1.1))
                    total = assetlib.add(total, shade(n, base, 1.4))
                    hits += 1
            row.append(finish(total, hits))
        cell.append(row)
    return cell


def finish(total, hits):
    """Averages the samples over the whole pixel; a pixel that shows part of
    the sprite is never black."""
    if hits == 0:
        return (0, 0, 0)
    c = assetlib.to_pixel(assetlib.scale(total, 1.0 / 4))
    if hits == 1:
        c = assetlib.to_pixel(assetlib.scale(c, 0.6))  # the faintest rim pixels
    if c == (0, 0, 0):
        c = (1, 1, 1)
    return c


def make_strip():
    cells = [ball((200, 205, 215), 1.2), ball((60, 70, 90), 1.5)]
    for k in range(10):
        cells.append(ball(assetlib.hsv(k / 10.0, 0.85, 1.0)))
    cells.append(gem((255, 40, 60)))
    cells.append(gem((40, 230, 90)))
    cells.append(gem((60, 120, 255), sides=6))
    cells.append(gem((255, 200, 40), sides=6))
    return [row for cell in cells for row in cell]


def main():
    assetlib.write_ppm(assetlib.asset_path("sprites.ppm"), make_strip(),
                       "TORQ6150 sprite strip, 16 cells of 16 x 16, black is transparent")


if __name__ == "__main__":
    main()
