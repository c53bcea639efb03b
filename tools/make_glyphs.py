#!/usr/bin/env python3
"""Writes assets/glyphs.pgm: the 256 x 256 glyph sheet of the bitmap font.

256 cells of 16 x 16 in character-code order, 16 per row. Codes 32 to 126
hold a bold face drawn on a 7-row grid (lower case repeats the capitals);
codes 1 to 15 hold small seamless patterns that also serve as background
tiles. Everything else is 0, which the font draws as transparent.

Each design is doubled with edge smoothing (so diagonals come out as slopes,
not stairs), thickened by one pixel to the right, shaded from bright at the
top to a little darker at the bottom, and given a dark shadow one pixel down
and right.
"""

import math
import sys

sys.dont_write_bytecode = True  # keeps tools/ free of __pycache__

import assetlib

# The face, drawn for this program. '#' is ink.
DESIGNS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "J": ["....#", "....#", "....#", "....#", "#...#", "#...#", ".###."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "#.#..", "..#..", "..#..", "..#..", "#####"],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."],
    "!": ["#", "#", "#", "#", "#", ".", "#"],
    '"': ["#.#", "#.#", "...", "...", "...", "...", "..."],
    "#": [".#.#.", ".#.#.", "#####", ".#.#.", "#####", ".#.#.", ".#.#."],
    "$": ["..#..", ".####", "#.#..", ".###.", "..#.#", "####.", "..#.."],
    "%": ["##..#", "##..#", "...#.", "..#..", ".#...", "#..##", "#..##"],
    "&": [".##..", "#..#.", "#.#..", ".#...", "#.#.#", "#..#.", ".##.#"],
    "'": ["#", "#", ".", ".", ".", ".", "."],
    "(": ["..#", ".#.", "#..", "#..", "#..", ".#.", "..#"],
    ")": ["#..", ".#.", "..#", "..#", "..#", ".#.", "#.."],
    "*": [".....", "#.#.#", ".###.", "#####", ".###.", "#.#.#", "....."],
    "+": [".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."],
    ",": ["..", "..", "..", "..", "..", ".#", "#."],
    "-": [".....", ".....", ".....", "#####", ".....", ".....", "....."],
    ".": [".", ".", ".", ".", ".", ".", "#"],
    "/": ["....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."],
    ":": [".", ".", "#", ".", ".", ".", "#"],
    ";": ["..", "..", ".#", "..", "..", ".#", "#."],
    "<": ["...#", "..#.", ".#..", "#...", ".#..", "..#.", "...#"],
    "=": [".....", ".....", "#####", ".....", "#####", ".....", "....."],
    ">": ["#...", ".#..", "..#.", "...#", "..#.", ".#..", "#..."],
    "?": [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."],
    "@": [".###.", "#...#", "#.###", "#.#.#", "#.###", "#....", ".####"],
    "[": ["###", "#..", "#..", "#..", "#..", "#..", "###"],
    "\\": ["#....", "#....", ".#...", "..#..", "...#.", "....#", "....#"],
    "]": ["###", "..#", "..#", "..#", "..#", "..#", "###"],
    "^": ["..#..", ".#.#.", "#...#", ".....", ".....", ".....", "....."],
    "_": [".....", ".....", ".....", ".....", ".....", ".....", "#####"],
    "`": ["#.", ".#", "..", "..", "..", "..", ".."],
    "{": ["..##", ".#..", ".#..", "#...", ".#..", ".#..", "..##"],
    "|": ["#", "#", "#", "#", "#", "#", "#"],
    "}": ["##..", "..#.", "..#.", "...#", "..#.", "..#.", "##.."],
    "~": [".....", ".....", ".#...", "#.#.#", "...#.", ".....", "....."],
}

SHADOW = 40  # grey of the drop shadow: dark, but not 0 (which is transparent)


def design_grid(rows):
    return [[ch == "#" for ch in row] for row in rows]


def smooth_double(grid):
    """Doubles the grid; where two ink pixels touch only at a corner, the
    quarter pixels beside that corner are inked too, so slopes come out as
    slopes. Ink is never taken away, so square corners stay square."""
    h, w = len(grid), len(grid[0])

    def at(x, y):
        return grid[y][x] if 0 <= x < w and 0 <= y < h else False

    out = [[False] * (2 * w) for _ in range(2 * h)]
    for y in range(h):
        for x in range(w):
            p = grid[y][x]
            up, right, left, down = at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)
            e0 = p or (left == up and left != down and up != right and up)
            e1 = p or (up == right and up != left and right != down and right)
            e2 = p or (down == left and down != right and left != up and left)
            e3 = p or (right == down and right != up and down != left and down)
            out[2 * y][2 * x] = e0
            out[2 * y][2 * x + 1] = e1
            out[2 * y + 1][2 * x] = e2
            out[2 * y + 1][2 * x + 1] = e3
    return out


def embolden(mask):
    """Every ink pixel also inks its right neighbour."""
    h, w = len(mask), len(mask[0])
    out = [[False] * (w + 1) for _ in range(h)]
    for y in range(h):
        for x in range(w):
            if mask[y][x]:
                out[y][x] = True
                out[y][x + 1] = True
    return out


def glyph_cell(rows):
    """A 16 x 16 cell of grey values for one design."""
    mask = embolden(smooth_double(design_grid(rows)))
    h, w = len(mask), len(mask[0])
    cell = [[0] * 16 for _ in range(16)]
    left = (15 - w) // 2 + (1 if w <= 13 else 0)
    top = 1
    # Shadow first, then the ink over it.
    for y in range(h):
        for x in range(w):
            if mask[y][x]:
                cell[top + y + 1][left + x + 1] = SHADOW
    for y in range(h):
        for x in range(w):
            if not mask[y][x]:
                continue
            v = 255 - 5 * y  # bright at the top, a little darker below
            if x == 0 or not mask[y][x - 1]:
                v = 255  # lit left edge of every stroke
            elif x == w - 1 or not mask[y][x + 1]:
                v -= 40  # shaded right edge
            cell[top + y][left + x] = v
    return cell


# Patterns for codes 1 to 15: shapes that repeat seamlessly every 16 pixels
# in both directions, embossed: a white edge where light falls from the upper
# left, a dark edge on the far side, a grey face. 0 stays transparent.

def shape(code, x, y):
    """True where pattern `code` has its shape; x and y may lie outside 0..15
    and repeat every 16."""
    x %= 16
    y %= 16
    cx, cy = x - 7.5, y - 7.5
    lx, ly = x % 8, y % 8
    if code == 1:  # quilted diamonds
        return abs(cx) + abs(cy) <= 7
    if code == 2:  # round buttons
        return math.hypot(cx, cy) <= 6.2
    if code == 3:  # bricks
        offset = 0 if y < 8 else 8
        return ly != 7 and (x + offset) % 16 != 15
    if code == 4:  # diagonal stripes
        return (x + y) % 16 < 8
    if code == 5:  # square studs
        return 1 <= lx <= 6 and 1 <= ly <= 6
    if code == 6:  # waves
        wave = 6 + 3 * math.sin(2 * math.pi * x / 16)
        return wave <= y < wave + 4
    if code == 7:  # small round dots
        return math.hypot(lx - 3.5, ly - 3.5) <= 2.2
    if code == 8:  # lattice of thin bars
        return lx in (0, 1) or ly in (0, 1)
    if code == 9:  # chevrons
        return (y + abs(cx)) % 8 < 4
    if code == 10:  # four-pointed stars
        return abs(cx) ** 0.5 + abs(cy) ** 0.5 <= 3.0
    if code == 11:  # basket weave
        across = (x // 8 + y // 8) % 2 == 0
        return (ly if across else lx) % 4 < 3
    if code == 12:  # nested squares
        return int(max(abs(cx), abs(cy))) % 4 < 2
    if code == 13:  # crosses
        return (abs(cx) < 1.5 and abs(cy) < 6) or (abs(cy) < 1.5 and abs(cx) < 6)
    if code == 14:  # little pyramids
        return abs(lx - 3.5) <= ly / 2.0
    if code == 15:  # checkerboard
        return (x // 8 + y // 8) % 2 == 0
    return False


def pattern(code, x, y):
    if not shape(code, x, y):
        return 0
    if not shape(code, x - 1, y) or not shape(code, x, y - 1):
        return 255
    if not shape(code, x + 1, y) or not shape(code, x, y + 1):
        return 28
    return 110


def make_sheet():
    sheet = [[0] * 256 for _ in range(256)]

    def put(code, cell):
        ox, oy = (code % 16) * 16, (code // 16) * 16
        for y in range(16):
            for x in range(16):
                sheet[oy + y][ox + x] = cell[y][x]

    for code in range(1, 16):
        put(code, [[pattern(code, x, y) for x in range(16)] for y in range(16)])
    for ch, rows in DESIGNS.items():
        cell = glyph_cell(rows)
        put(ord(ch), cell)
        if "A" <= ch <= "Z":
            put(ord(ch.lower()), cell)
    return sheet


def main():
    assetlib.write_pgm(assetlib.asset_path("glyphs.pgm"), make_sheet(),
                       "TORQ6150 glyph sheet, 16 x 16 cells in code order")


if __name__ == "__main__":
    main()
