#!/bin/sh
# Installs what is missing on a Debian or Ubuntu machine, builds, and then
# runs the demo (`setup.sh demo`), runs every test (`setup.sh test`), serves
# the show's web page on this machine (`setup.sh web`) or makes the Debian
# package (`setup.sh deb`).
set -eu
mode=${1:-demo}
cd "$(dirname "$0")/.."

# To build and run: a compiler, CMake, Ninja, Xlib, and xprop for the title.
packages="cmake ninja-build g++ libx11-dev x11-utils"
if [ "$mode" = test ]; then
  # Unit tests and benchmarks, the X server and tools the end-to-end tests
  # drive the real program with, the sound emulation they capture with, the
  # checkers of the installed menu entry and manual page, the libraries and
  # encoder of the offline capture, and the packaging tools and checkers.
  packages="$packages clang libclang-rt-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool
            x11-apps netpbm sox alsa-oss libasound2 desktop-file-utils man-db groff-base
            pkg-config libpng-dev libsndfile1-dev ffmpeg dpkg-dev file lintian appstream"
fi
if [ "$mode" = deb ]; then
  # The capture tool's libraries, and the tools that read the package's
  # library dependencies from its binaries.
  packages="$packages pkg-config libpng-dev libsndfile1-dev dpkg-dev file"
fi
# The browser build and its tests: emscripten, and the browsers and Node.js
# that the tests drive. Ubuntu ships Chromium only as a snap; where these
# cannot be installed the browser build and its tests are skipped.
web_packages="emscripten python3"
[ "$mode" = test ] && web_packages="$web_packages chromium firefox-esr nodejs"
[ "$mode" = web ] && packages="cmake ninja-build"

sudo=
[ "$(id -u)" = 0 ] || sudo=sudo
# Installs the packages of $* that are missing; fails when apt-get does.
install_missing() {
  missing=
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
      missing="$missing $package"
  done
  [ -z "$missing" ] && return 0
  [ -n "$updated" ] || $sudo apt-get update
  updated=yes
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
}
updated=
install_missing $packages
if { [ "$mode" = test ] || [ "$mode" = web ]; } && ! install_missing $web_packages; then
  [ "$mode" = web ] && { echo "emscripten could not be installed, so the page cannot be built" >&2; exit 1; }
  echo "The browser build's packages could not be installed: its tests will be skipped." >&2
fi

# Builds the web page into build/web/site when emscripten is there.
build_site() {
  command -v em++ >/dev/null || return 0
  cmake --preset web
  cmake --build --preset web
}

case "$mode" in
  demo)
    cmake --preset release -DTORQ_TESTS=OFF -DTORQ_BENCH=OFF
    cmake --build --preset release --target torq6150
    status=0
    build/release/torq6150 || status=$?
    if [ "$status" = 1 ]; then
      # The program has said why on standard error: no usable X display.
      echo "No X display could be opened here (DISPLAY=${DISPLAY:-unset}), so the demo" \
           "cannot show its window. README.md, \"Without a display\", makes the show" \
           "into a video instead." >&2
    fi
    exit "$status"
    ;;
  test)
    # Every test on the optimised build, a minute of fuzzing the picture
    # reader and the 2D object parser, and the unit tests under the sanitizers.
    build_site
    cmake --preset release -DTORQ_TESTS=ON -DTORQ_BENCH=ON
    cmake --build --preset release
    ctest --preset release
    sh tools/fuzz.sh 60
    cmake --preset asan
    cmake --build --preset asan
    ctest --preset asan
    ;;
  web)
    build_site
    port=${PORT:-8150}
    echo "The show is at http://127.0.0.1:$port/ (Ctrl-C stops the server)"
    exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
    ;;
  deb)
    # torq6150_<version>_<arch>.deb in build/release, from the install rules.
    cmake --preset release -DTORQ_TESTS=OFF -DTORQ_BENCH=OFF
    cmake --build --preset release --target package
    ;;
  *)
    echo "usage: $0 demo|test|web|deb" >&2
    exit 2
    ;;
esac
