#!/usr/bin/env python3
"""Regenerates every built-in picture and line drawing in assets/ from the
generators beside this script. The output depends on nothing but the scripts
themselves."""

import sys

sys.dont_write_bytecode = True  # keeps tools/ free of __pycache__

import make_backdrop
import make_glyphs
import make_icons
import make_logo
import make_sprites
import make_stars
import make_wire_font


def main():
    for module in (make_glyphs, make_logo, make_sprites, make_backdrop, make_stars,
                   make_wire_font, make_icons):
        module.main()


if __name__ == "__main__":
    main()
