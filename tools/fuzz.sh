#!/bin/sh
# Builds the fuzz targets with the fuzz preset (clang) and runs each of them
# for its share of the given number of seconds (default 60 in all), on a copy
# of its seed corpus tests/fuzz/corpus/<name>/ in a temporary folder, so the
# committed corpus stays as it is. Exits non-zero when a fuzzer finds a crash,
# a leak or undefined behaviour; the input that caused it is kept in the build
# folder as <name>-crash-*, <name>-leak-* or <name>-timeout-*.
#
#   tools/fuzz.sh [seconds]      build folder: $TORQ_FUZZ_BUILD or build/fuzz
set -eu
seconds=${1:-60}
cd "$(dirname "$0")/.."
build=${TORQ_FUZZ_BUILD:-build/fuzz}
targets="pnm obj2d"

cmake --preset fuzz -B "$build" >/dev/null
for name in $targets; do
  cmake --build "$build" --target "${name}_fuzz" -j2
done

share=$((seconds / $(echo $targets | wc -w)))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
for name in $targets; do
  mkdir "$work/$name"
  cp tests/fuzz/corpus/"$name"/* "$work/$name/"
  "$build/tests/fuzz/${name}_fuzz" -max_total_time="$share" -print_final_stats=1 \
    -artifact_prefix="$build/$name-" "$work/$name"
done
