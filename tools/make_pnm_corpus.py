#!/usr/bin/env python3
"""Writes the seed corpus of the PNM reader's fuzz target into
tests/fuzz/corpus/pnm/: small valid images of every kind, with and without a
comment line, and truncated and damaged variants of them."""

import os

CORPUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "fuzz",
                      "corpus", "pnm")

VALID = {
    "p1_plain": b"P1\n8 2\n0 1 0 1 1 0 1 0\n1 1 1 1 0 0 0 0\n",
    "p1_packed_comment": b"P1\n# digits without blanks\n8 1\n01101001\n",
    "p2_plain": b"P2\n2 1\n255\n 7,9",
    "p2_comment_spill": b"P2\n# samples above the maximum\n3 1\n255\n0 256 65536\n",
    "p3_plain": b"P3\n1 1\n255\n12 34 56\n",
    "p3_comment": b"P3\n# two pixels\n2 1\n255\n255 0 0 0 0 255\n",
    "p4_rounded": b"P4\n10 2\n" + bytes([0xA5, 0x3C, 0xFF, 0x01]),
    "p4_comment": b"P4\n# a row of eight\n8 1\n" + bytes([0x81]),
    "p5_comment": b"P5\n# three greys\n3 1\n255\n" + bytes([0x10, 0x80, 0xFF]),
    "p5_square": b"P5 2 2 255 " + bytes([1, 2, 3, 4]),
    "p6_plain": b"P6\n2 1\n255\n" + bytes([0xFF, 0, 0, 0, 0, 0xFF]),
    "p6_comment": b"P6\n# one pixel\n1 1\n255\n" + bytes([1, 2, 3]),
}

DAMAGED = {
    "kind7": b"P7\n1 1\n255\n\x00\x00\x00",
    "zero_width": b"P5\n0 1\n255\n\x00",
    "huge": b"P5\n99999 99999\n255\n\x00",
    "overflow_width": b"P4\n2147483647 1\n\x00",
    "numbers_first": b"8 1 P4\n\xff",
    "comment_no_end": b"P5\n# no line feed",
    "magic_only": b"P",
    "no_separator": b"P5\n1 1\n255",
}


def main():
    os.makedirs(CORPUS, exist_ok=True)
    files = dict(DAMAGED)
    for name, data in VALID.items():
        files[name] = data
        files[name + "_cut_header"] = data[: len(data) // 3]
        files[name + "_cut_data"] = data[:-1]
    for name, data in sorted(files.items()):
        with open(os.path.join(CORPUS, name + ".pnm"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
