#!/usr/bin/env python3
"""Writes assets/wire_font.2d: the wire font as 2D-object text.

256 objects in character-code order. Codes 0 to 31 and 128 to 255 are blank
"{ }" objects; 32 is "space" without segments, 127 "esc"; 33 to 126 are line
drawings named after their character, lower case repeating the capitals.

The glyphs sit on a 16 x 16 grid: capitals and digits fill x 2 to 14 and
y 0 to 13 (rows 14 and 15 are for the tails of "," ";" "Q" "_" "|"), so the
pen's 16-pixel step leaves a gap between letters. Round strokes are cut at
45 degrees, three units in, which keeps the letters open when the scroller
draws them fifteen times as large with strokes two units thick.

Also the shared writer of the 2D-object text, used by make_icons.py.
"""

import sys

sys.dont_write_bytecode = True  # keeps tools/ free of __pycache__

import assetlib

# Each glyph is a list of strokes; a stroke is a polyline "x,y x,y ...".
GLYPHS = {
    "!": ["8,0 8,9", "8,12 8,13"],
    '"': ["5,0 5,4", "11,0 11,4"],
    "#": ["5,1 5,12", "11,1 11,12", "2,4 14,4", "2,9 14,9"],
    "$": ["14,2 4,2 2,4 4,6 12,7 14,9 12,11 2,11", "8,0 8,13"],
    "%": ["14,0 2,13", "2,0 5,0 5,3 2,3 2,0", "11,10 14,10 14,13 11,13 11,10"],
    "&": ["14,13 4,3 6,0 9,0 11,3 2,9 2,11 4,13 9,13 14,8"],
    "'": ["8,0 8,4"],
    "(": ["10,0 6,4 6,9 10,13"],
    ")": ["6,0 10,4 10,9 6,13"],
    "*": ["8,2 8,12", "3,4 13,10", "13,4 3,10"],
    "+": ["8,2 8,12", "3,7 13,7"],
    ",": ["8,11 8,13 6,15"],
    "-": ["3,7 13,7"],
    ".": ["8,12 8,13"],
    "/": ["14,0 2,13"],
    "0": ["5,0 11,0 14,3 14,10 11,13 5,13 2,10 2,3 5,0", "12,2 4,11"],
    "1": ["5,3 8,0 8,13", "5,13 11,13"],
    "2": ["2,3 5,0 11,0 14,3 14,5 2,13 14,13"],
    "3": ["2,0 14,0 8,5 11,5 14,8 14,10 11,13 5,13 2,10"],
    "4": ["10,13 10,0 2,9 14,9"],
    "5": ["14,0 2,0 2,5 11,5 14,8 14,10 11,13 2,13"],
    "6": ["13,0 6,0 2,4 2,10 5,13 11,13 14,10 14,8 11,5 2,5"],
    "7": ["2,0 14,0 6,13"],
    "8": ["5,0 11,0 14,3 14,4 2,9 2,10 5,13 11,13 14,10 14,9 2,4 2,3 5,0"],
    "9": ["3,13 10,13 14,9 14,3 11,0 5,0 2,3 2,5 5,8 14,8"],
    ":": ["8,3 8,4", "8,10 8,11"],
    ";": ["8,3 8,4", "8,10 8,12 6,14"],
    "<": ["13,1 3,7 13,13"],
    "=": ["3,4 13,4", "3,9 13,9"],
    ">": ["3,1 13,7 3,13"],
    "?": ["2,3 5,0 11,0 14,3 14,4 8,8 8,9", "8,12 8,13"],
    "@": ["11,9 11,4 5,4 5,9 14,9 14,3 11,0 5,0 2,3 2,10 5,13 13,13"],
    "A": ["2,13 2,4 6,0 10,0 14,4 14,13", "2,8 14,8"],
    "B": ["2,0 2,13 11,13 14,10 14,9 11,6 2,6", "2,0 10,0 13,3 10,6"],
    "C": ["14,3 11,0 5,0 2,3 2,10 5,13 11,13 14,10"],
    "D": ["2,0 2,13 10,13 14,9 14,4 10,0 2,0"],
    "E": ["14,0 2,0 2,13 14,13", "2,6 11,6"],
    "F": ["14,0 2,0 2,13", "2,6 11,6"],
    "G": ["14,3 11,0 5,0 2,3 2,10 5,13 11,13 14,10 14,7 9,7"],
    "H": ["2,0 2,13", "14,0 14,13", "2,6 14,6"],
    "I": ["5,0 11,0", "8,0 8,13", "5,13 11,13"],
    "J": ["9,0 14,0 14,10 11,13 5,13 2,10"],
    "K": ["2,0 2,13", "14,0 2,7 14,13"],
    "L": ["2,0 2,13 14,13"],
    "M": ["2,13 2,0 8,7 14,0 14,13"],
    "N": ["2,13 2,0 14,13 14,0"],
    "O": ["5,0 11,0 14,3 14,10 11,13 5,13 2,10 2,3 5,0"],
    "P": ["2,13 2,0 11,0 14,3 14,4 11,7 2,7"],
    "Q": ["5,0 11,0 14,3 14,10 11,13 5,13 2,10 2,3 5,0", "9,9 14,14"],
    "R": ["2,13 2,0 11,0 14,3 14,4 11,7 2,7", "7,7 14,13"],
    "S": ["14,3 11,0 5,0 2,3 5,6 11,6 14,9 14,10 11,13 5,13 2,10"],
    "T": ["2,0 14,0", "8,0 8,13"],
    "U": ["2,0 2,10 5,13 11,13 14,10 14,0"],
    "V": ["2,0 8,13 14,0"],
    "W": ["2,0 4,13 8,6 12,13 14,0"],
    "X": ["2,0 14,13", "14,0 2,13"],
    "Y": ["2,0 8,6 14,0", "8,6 8,13"],
    "Z": ["2,0 14,0 2,13 14,13"],
    "[": ["10,0 6,0 6,13 10,13"],
    "\\": ["2,0 14,13"],
    "]": ["6,0 10,0 10,13 6,13"],
    "^": ["4,4 8,0 12,4"],
    "_": ["2,15 14,15"],
    "`": ["6,0 9,3"],
    "{": ["11,0 8,0 8,5 5,7 8,9 8,13 11,13"],
    "|": ["8,0 8,15"],
    "}": ["5,0 8,0 8,5 11,7 8,9 8,13 5,13"],
    "~": ["2,8 4,6 6,6 10,8 12,8 14,6"],
}

# The escape sign: a ring open at the top left with an arrow leaving through
# the gap.
ESC = ["3,4 3,10 5,12 8,13 11,12 13,10 14,7 13,4 11,2 8,1 5,2", "9,8 2,1", "2,5 2,1 6,1 2,5"]


def segments(strokes):
    """The segments (x1, y1, x2, y2) of a list of polylines "x,y x,y ..."."""
    result = []
    for stroke in strokes:
        points = [tuple(int(v) for v in p.split(",")) for p in stroke.split()]
        for a, b in zip(points, points[1:]):
            result.append(a + b)
    return result


def object_text(name=None, segs=(), colour=None):
    """One object in braces; an object with neither name nor segments is "{ }"."""
    if name is None and not segs:
        return "{ }\n"
    lines = ["{"]
    if name is not None:
        lines.append("name " + name)
    if colour is not None:
        lines.append("color $%08x" % colour)
    lines.extend("s %d,%d %d,%d" % s for s in segs)
    lines.append("}")
    return "\n".join(lines) + "\n"


def check(segs, where):
    for s in segs:
        if not all(0 <= v <= 15 for v in s):
            raise ValueError("%s: segment %s leaves the 16 x 16 grid" % (where, s))


def write_text(name, text):
    """Writes an asset text file with Unix line ends; the text ends in a line
    end so that its last token, the closing brace, is read."""
    assert text.endswith("\n")
    with open(assetlib.asset_path(name), "w", encoding="ascii", newline="\n") as f:
        f.write(text)


def main():
    out = [
        "# The wire font: 256 line glyphs on a 16 x 16 grid in character-code order.\n",
        "# Codes 0 to 31 and 128 to 255 are blank. Written by tools/make_wire_font.py.\n",
        "name font 16x16 wire\n",
        "version 20120515\n",
        "author Vantorik\n",
        "type 2D\n",
    ]
    out += ["{ }\n"] * 32
    out.append(object_text("space"))
    total = 0
    for code in range(33, 127):
        char = chr(code)
        segs = segments(GLYPHS[char.upper()])
        check(segs, char)
        total += len(segs)
        # The first drawn glyph sets the colour for all that follow.
        out.append(object_text(char, segs, 0x00FFFFFF if code == 33 else None))
    segs = segments(ESC)
    check(segs, "esc")
    total += len(segs)
    out.append(object_text("esc", segs))
    out += ["{ }\n"] * 128
    write_text("wire_font.2d", "".join(out))
    return total


if __name__ == "__main__":
    print("wire font: %d segments" % main())
