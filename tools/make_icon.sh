#!/bin/sh
# Writes assets/torq6150.png: the 256 x 256 menu icon, made from the start-up
# logo as the loading screen shows it (white letters on the window's blue),
# drawn at twice its size in the middle of a blue square. Needs netpbm; the
# output is the same on every run (no time stamp is written into the PNG).
set -eu
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# In logo.pbm a set bit reads as black and is the blue of the screen.
pnmenlarge 2 assets/logo.pbm | pgmtoppm rgb:00/80/ff-rgb:ff/ff/ff >"$work/logo.ppm"
ppmmake rgb:00/80/ff 256 256 >"$work/square.ppm"
pamcomp -align=center -valign=middle "$work/logo.ppm" "$work/square.ppm" |
  pnmtopng -compression 9 >assets/torq6150.png
