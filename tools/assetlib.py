"""Small helpers shared by the asset generators: PNM writers, a repeatable
random sequence and colour arithmetic. Python 3 standard library only."""

import colorsys
import os

ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets")


def asset_path(name):
    return os.path.normpath(os.path.join(ASSETS, name))


def write_pbm(path, rows, comment):
    """Binary bitmap (P4): rows of 0/1 values, 1 = bit set, rows padded to bytes."""
    height = len(rows)
    width = len(rows[0])
    data = bytearray()
    for row in rows:
        for x in range(0, width, 8):
            byte = 0
            for bit in range(8):
                if x + bit < width and row[x + bit]:
                    byte |= 0x80 >> bit
            data.append(byte)
    header = "P4\n# %s\n%d %d\n" % (comment, width, height)
    _write(path, header.encode("ascii") + bytes(data))


def write_pgm(path, rows, comment):
    """Binary grey map (P5), maximum 255: rows of 0..255 values."""
    height = len(rows)
    width = len(rows[0])
    data = bytes(clamp8(v) for row in rows for v in row)
    header = "P5\n# %s\n%d %d\n255\n" % (comment, width, height)
    _write(path, header.encode("ascii") + data)


def write_ppm(path, rows, comment=None):
    """Binary colour map (P6), maximum 255: rows of (r, g, b) tuples.
    Without a comment the header has no comment line."""
    height = len(rows)
    width = len(rows[0])
    data = bytes(clamp8(c) for row in rows for pixel in row for c in pixel)
    header = "P6\n"
    if comment is not None:
        header += "# %s\n" % comment
    header += "%d %d\n255\n" % (width, height)
    _write(path, header.encode("ascii") + data)


def _write(path, content):
    with open(path, "wb") as f:
        f.write(content)


def clamp8(v):
    v = int(round(v))
    return 0 if v < 0 else 255 if v > 255 else v


class Random:
    """xorshift32: the same numbers on every machine and Python version."""

    def __init__(self, seed):
        self.state = (seed & 0xFFFFFFFF) or 1

    def next(self):
        s = self.state
        s ^= (s << 13) & 0xFFFFFFFF
        s ^= s >> 17
        s ^= (s << 5) & 0xFFFFFFFF
        self.state = s
        return s

    def below(self, n):
        return self.next() % n

    def unit(self):
        return self.next() / 4294967296.0


def hsv(h, s, v):
    """Colour from hue (turns), saturation and value, as 0..255 floats."""
    r, g, b = colorsys.hsv_to_rgb(h % 1.0, s, v)
    return (r * 255.0, g * 255.0, b * 255.0)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def scale(c, k):
    return tuple(x * k for x in c)


def add(a, b):
    return tuple(x + y for x, y in zip(a, b))


def to_pixel(c):
    return tuple(clamp8(x) for x in c)


def is_black(c):
    return all(clamp8(x) == 0 for x in c)
