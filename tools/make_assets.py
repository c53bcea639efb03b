#!/usr/bin/env python3
"""Regenerates every built-in picture in assets/ from the generators beside
this script. The output depends on nothing but the scripts themselves."""

import sys

sys.dont_write_bytecode = True  # keeps tools/ free of __pycache__

import make_backdrop
import make_glyphs
import make_logo
import make_sprites
import make_stars


def main():
    for module in (make_glyphs, make_logo, make_sprites, make_backdrop, make_stars):
        module.main()


if __name__ == "__main__":
    main()
