#!/bin/sh
# Builds the PNM reader's fuzz target with the fuzz preset (clang) and runs it
# for the given number of seconds (default 60) on a copy of the seed corpus in
# a temporary folder, so the committed corpus stays as it is. Exits non-zero
# when the fuzzer finds a crash, a leak or undefined behaviour; the input that
# caused it is kept in the build folder as crash-*, leak-* or timeout-*.
#
#   tools/fuzz-pnm.sh [seconds]      build folder: $TORQ_FUZZ_BUILD or build/fuzz
set -eu
seconds=${1:-60}
cd "$(dirname "$0")/.."
build=${TORQ_FUZZ_BUILD:-build/fuzz}

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --target pnm_fuzz -j2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
cp tests/fuzz/corpus/* "$work/"

"$build/tests/fuzz/pnm_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$build/" "$work"
