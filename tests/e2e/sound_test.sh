# The music as the sound device receives it, captured without a sound card:
# through the OSS device emulated by alsa-oss, and through ALSA's "default"
# device where there is no OSS device.
. "$(dirname "$0")/lib.sh"

capture_sound

# Runs the program for a few seconds of music, mutes it, checks that the
# stream stops growing, and measures what was captured.
check_stream() {
  local capture=$1
  WINDOW=$(ready_window) || fail "the window never became ready for keys"
  sleep 4
  xdotool key --window "$WINDOW" o
  sleep 0.5
  local muted
  muted=$(size "$capture")
  sleep 1
  local later
  later=$(size "$capture")
  [ "$((later - muted))" -le 16384 ] || fail "the stream kept flowing while muted ($muted -> $later bytes)"
  xdotool key --window "$WINDOW" q
  wait_program 10
  [ "$STATUS" = 0 ] || fail "exit status $STATUS"
  [ "$(size "$capture")" -ge 88200 ] || fail "less than a second of sound captured: $(size "$capture") bytes"
  sox -t raw -r 44100 -e signed -b 16 -c 1 -L "$capture" -n stat 2>"$WORK/stat"
  local rms
  rms=$(awk '/RMS +amplitude/ {print $3}' "$WORK/stat")
  awk -v r="$rms" 'BEGIN {exit !(r > 0.001)}' || fail "the capture is silent: $(cat "$WORK/stat")"
  awk '/Rough +frequency/ {f = $3} END {exit !(f > 20 && f < 20000)}' "$WORK/stat" ||
    fail "no audible frequency: $(cat "$WORK/stat")"
}

start_xvfb 24
LD_PRELOAD=$AOSS start_program
check_stream "$WORK/oss.raw"
echo "OSS: $(size "$WORK/oss.raw") bytes, $(awk '/RMS +amplitude/ {print "RMS " $3}' "$WORK/stat")"

if [ -e /dev/dsp ]; then
  echo "ALSA path skipped: this machine has /dev/dsp"
else
  start_program
  check_stream "$WORK/alsa.raw"
  echo "ALSA: $(size "$WORK/alsa.raw") bytes, $(awk '/RMS +amplitude/ {print "RMS " $3}' "$WORK/stat")"
fi
