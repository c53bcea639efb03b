#!/bin/sh
# Makes the README's stills with the offline capture: one PNG per frame
# number given (default: one frame in each part of the cycle as it stands),
# as doc/stills/frameNNNNN.png. Frames count from start-up at 50 per second;
# the show runs without keys.
set -eu
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- 400 1150 2000 2900 3650 4400 5050 5650 6400 7150
frames=$(echo "$@" | tr ' ' ',')
last=0
for f in "$@"; do [ "$f" -gt "$last" ] && last=$f; done
cmake --preset release >/dev/null
cmake --build --preset release --target torq6150-capture
mkdir -p doc/stills
build/release/tools/capture/torq6150-capture --quiet --frames $((last + 1)) \
  --png doc/stills/frame%05d.png --png-frames "$frames"
ls doc/stills
