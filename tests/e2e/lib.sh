# Shared steps of the end-to-end tests: a private Xvfb, the program under
# test, and reading its window back. Sourced by each test script, which gets
# the program's path as $1.

set -u
PROGRAM=$1
WORK=$(mktemp -d)
XVFB_PID=
PROGRAM_PID=

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cleanup() {
  [ -n "$PROGRAM_PID" ] && kill -9 "$PROGRAM_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

# Starts an Xvfb of the given screen depth on a free display and exports DISPLAY.
start_xvfb() {
  local depth=${1:-24}
  setsid Xvfb -displayfd 3 -screen 0 "640x480x$depth" -nolisten tcp -noreset \
    3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$WORK/display" ] && break
    sleep 0.1
  done
  [ -s "$WORK/display" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
  export DISPLAY=":$(cat "$WORK/display")"
}

# Starts the program in the background with its output in $WORK/out and $WORK/err.
start_program() {
  "$PROGRAM" >"$WORK/out" 2>"$WORK/err" &
  PROGRAM_PID=$!
}

# Waits up to $2 seconds (default 20) for the program to end; sets STATUS.
wait_program() {
  local limit=${1:-20}
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
      wait "$PROGRAM_PID"
      STATUS=$?
      PROGRAM_PID=
      return 0
    fi
    sleep 0.1
  done
  fail "the program did not end within $limit seconds"
}

# Prints the id of the top-level window of the given size once it exists.
find_window() {
  local size=${1:-256x256}
  for _ in $(seq 100); do
    local id
    id=$(xwininfo -root -children 2>/dev/null | awk -v s="${size}+" 'index($0, s) {print $1; exit}')
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Prints the id of the program's titled window once it has asked for key
# presses, which it does in the first frame of the first part. (The first
# window start-up makes is replaced at once, so a window found by its size
# alone may already be gone.)
ready_window() {
  for _ in $(seq 300); do
    for id in $(xdotool search --name '^TORQ6150$' 2>/dev/null); do
      xwininfo -id "$id" -events 2>/dev/null | sed -n '/Someone wants/,/Do not propagate/p' |
        grep -q KeyPress && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# Prints the window's title.
window_title() {
  xprop -id "$1" WM_NAME 2>/dev/null | sed -n 's/^WM_NAME(STRING) = "\(.*\)"$/\1/p'
}

# Saves a screenshot of the window, border included, as a PPM file.
screenshot() {
  xwd -id "$1" -silent | xwdtopnm 2>/dev/null | pnmtoplainpnm >"$2" 2>/dev/null
}

# Prints the colour at (x, y) of a plain PPM file as six hex digits.
pixel() {
  pamcut -left "$2" -top "$3" -width 1 -height 1 "$1" 2>/dev/null | pnmtoplainpnm 2>/dev/null |
    awk 'NR > 3 {for (i = 1; i <= NF; i++) v[n++] = $i}
         END {printf "%02x%02x%02x\n", v[0], v[1], v[2]}'
}

# Prints the percentage of pixels of the window's content that are not black.
lit_percent() {
  xwd -id "$1" -silent -nobdrs | xwdtopnm 2>/dev/null | pnmtoplainpnm 2>/dev/null |
    awk 'NR > 3 {for (i = 1; i <= NF; i++) {sum += $i; if (++k % 3 == 0) {n++; if (sum > 0) lit++; sum = 0}}}
         END {if (n == 0) print -1; else print int(100 * lit / n)}'
}

# Captures the sound without a sound card: sets AOSS to the alsa-oss library
# that emulates "/dev/dsp" in-process, and routes that device to
# $WORK/oss.raw and ALSA's "default" device to $WORK/alsa.raw.
capture_sound() {
  AOSS=$(ls /usr/lib/*/libaoss.so.0 2>/dev/null | head -n 1)
  [ -n "$AOSS" ] || fail "alsa-oss is not installed"
  cat >"$WORK/capture.conf" <<CONF
pcm.!dsp0 { type file slave.pcm "null" file "$WORK/oss.raw" format "raw" }
pcm.!default { type file slave.pcm "null" file "$WORK/alsa.raw" format "raw" }
CONF
  export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$WORK/capture.conf"
}

# Size of a file in bytes, 0 when it is missing.
size() { stat -c %s "$1" 2>/dev/null || echo 0; }
