#!/usr/bin/env python3
"""Writes assets/logo.pbm: the 128 x 64 start-up logo.

The program reads a set bit as white, inverts the picture and adds it onto
its blue loading screen, so a set bit shows the blue and a clear bit shows
white. This script draws in screen terms (True = white on screen) and clears
exactly those bits. In an ordinary PBM viewer (set bit = black) the file
therefore looks like the screen with black in place of the blue.

The design: the word TORQ in bold, rounded, slanted letters built from a few
geometric shapes, with a thin contour around them and two chrome-style cuts
across their lower half, over a bar that carries the number 6150 cut out of
it, with speed lines to its left.
"""

import sys

sys.dont_write_bytecode = True  # keeps tools/ free of __pycache__

import assetlib
import make_glyphs

WIDTH, HEIGHT = 128, 64
LETTER_W, LETTER_H = 24, 32
STROKE = 7
SLANT = 0.25  # pixels to the right per row up


def rounded_rect(x0, y0, x1, y1, r):
    """Test for points inside a rectangle with corners rounded to radius r."""
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def capsule(ax, ay, bx, by, r):
    """Test for points within r of the segment from (ax, ay) to (bx, by)."""
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / float(dx * dx + dy * dy)
        t = min(max(t, 0.0), 1.0)
        return (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= r * r
    return inside


# Each letter: shapes added (+) and taken away (-) in order, in a 24 x 32 box.
S = STROKE
RING = [("+", rounded_rect(0, 0, 24, 32, 9)), ("-", rounded_rect(S, S, 24 - S, 32 - S, 3))]
LETTERS = {
    "T": [("+", rounded_rect(0, 0, 24, S, 1.5)),
          ("+", rounded_rect(12 - S / 2.0, 0, 12 + S / 2.0, 32, 1.5))],
    "O": RING,
    "R": [("+", rounded_rect(0, 0, 24, 19, 8)),
          ("-", rounded_rect(S, S - 1, 24 - S, 19 - S + 1, 2.5)),
          ("+", rounded_rect(0, 0, S, 32, 1.5)),
          ("+", capsule(12.5, 16, 20.5, 28.5, S / 2.0))],
    "Q": RING + [("+", capsule(14, 21, 24.5, 33, S / 2.0 - 0.5))],
}


def draw_word(top):
    """TORQ, slanted and centred across the picture: the mask of the letters."""
    wide = WIDTH + 32
    word = [[False] * wide for _ in range(HEIGHT)]
    for i, ch in enumerate("TORQ"):
        draw_letter_into(LETTERS[ch], word, wide, 4 + i * (LETTER_W + 6), top)
    columns = [x for x in range(wide) if any(word[y][x] for y in range(HEIGHT))]
    shift = (WIDTH - 1 - columns[-1] - columns[0]) // 2
    return [[0 <= x - shift < wide and word[y][x - shift] for x in range(WIDTH)]
            for y in range(HEIGHT)]


def draw_letter_into(shapes, word, wide, left, top):
    """Sets the pixels whose centres, unslanted, fall inside the letter."""
    for py in range(max(0, top - 2), min(HEIGHT, top + LETTER_H + 3)):
        y = py - top + 0.5
        for px in range(max(0, left - 2), min(wide, left + LETTER_W + 14)):
            x = px - left + 0.5 - (LETTER_H - y) * SLANT
            on = False
            for op, inside in shapes:
                if inside(x, y):
                    on = op == "+"
            if on:
                word[py][px] = True


def outside(mask):
    """The pixels not in the mask that can be reached from the picture's edge
    without crossing it: everything but the holes of the letters."""
    seen = [[False] * WIDTH for _ in range(HEIGHT)]
    todo = [(x, y) for x in range(WIDTH) for y in (0, HEIGHT - 1)]
    todo += [(x, y) for y in range(HEIGHT) for x in (0, WIDTH - 1)]
    while todo:
        x, y = todo.pop()
        if not (0 <= x < WIDTH and 0 <= y < HEIGHT) or seen[y][x] or mask[y][x]:
            continue
        seen[y][x] = True
        todo += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    return seen


def grow(mask, steps):
    """The mask widened by `steps` pixels in the eight directions."""
    out = [row[:] for row in mask]
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if mask[y][x]:
                for dy in range(-steps, steps + 1):
                    for dx in range(-steps, steps + 1):
                        if 0 <= y + dy < HEIGHT and 0 <= x + dx < WIDTH:
                            out[y + dy][x + dx] = True
    return out


def draw_bar(screen, left, top, width, height, text):
    """A white bar with rounded ends and the text cut out of it in the small
    face of the glyph sheet, drawn single size and one pixel bolder."""
    radius = height / 2.0
    for y in range(height):
        for x in range(width):
            dx = 0.0
            if x < radius:
                dx = radius - x - 0.5
            elif x >= width - radius:
                dx = x + 0.5 - (width - radius)
            dy = y + 0.5 - radius
            if dx * dx + dy * dy <= radius * radius:
                screen[top + y][left + x] = True
    glyphs = [make_glyphs.embolden(make_glyphs.design_grid(make_glyphs.DESIGNS[c])) for c in text]
    text_width = sum(len(g[0]) for g in glyphs) + 2 * (len(glyphs) - 1)
    x = left + (width - text_width) // 2
    y0 = top + (height - 7) // 2
    for g in glyphs:
        for y, row in enumerate(g):
            for dx, on in enumerate(row):
                if on:
                    screen[y0 + y][x + dx] = False
        x += len(g[0]) + 2


def make_screen():
    top = 6
    word = draw_word(top)
    near, far = grow(word, 1), grow(word, 2)
    open_space = outside(near)
    screen = [[False] * WIDTH for _ in range(HEIGHT)]
    for y in range(HEIGHT):
        for x in range(WIDTH):
            # The letters and a thin contour one pixel away around them (not
            # inside their holes); two cuts run across the lower half of both.
            if y - top in (20, 26):
                continue
            screen[y][x] = word[y][x] or (far[y][x] and open_space[y][x])
    draw_bar(screen, 62, 46, 60, 13, "6150")
    # Speed lines left of the bar, shorter the further they are from its middle.
    for y, (start, end) in {48: (30, 58), 50: (18, 58), 52: (6, 58), 54: (18, 58),
                            56: (30, 58)}.items():
        for x in range(start, end):
            screen[y][x] = True
    return screen


def main():
    screen = make_screen()
    bits = [[0 if white else 1 for white in row] for row in screen]
    assetlib.write_pbm(assetlib.asset_path("logo.pbm"), bits,
                       "TORQ6150 start-up logo: a set bit is white before inversion")


if __name__ == "__main__":
    main()
