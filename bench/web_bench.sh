#!/bin/sh
# The browser build's speed, in headless Chromium on this machine: the
# virtual-clock mode's frames per second (each frame of the show is about one
# present), measured as the difference of a short and a long run so that
# start-up does not count; the real-time figures of tests/web/realtime.mjs
# (the time from the starting key to the loading screen, the sound reaching
# the player, frames per second); and the size of the .wasm.
# Usage: sh bench/web_bench.sh [SITE]   (default build/web/site)
set -u
cd "$(dirname "$0")/.."
SITE=$(cd "${1:-build/web/site}" && pwd)
WEB_DIR=$PWD/tests/web
. tests/web/lib.sh
need_site "$SITE"
start_server "$SITE"

# Milliseconds one virtual-clock run of $1 frames takes.
run_for() {
  start=$(date +%s%N)
  virtual_result "virtual=1&frames=$1" >/dev/null
  echo $((($(date +%s%N) - start) / 1000000))
}
short=$(run_for 100)
long=$(run_for 3100)
echo "virtual clock: $((3000 * 1000 / (long - short))) frames per second (3000 frames in $((long - short)) ms)"
node --experimental-websocket tests/web/realtime.mjs "http://127.0.0.1:$PORT/" "$(new_profile)" chromium $CHROMIUM_FLAGS
echo "torq6150.wasm: $(($(stat -c %s "$SITE/torq6150.wasm") / 1024)) KiB"
