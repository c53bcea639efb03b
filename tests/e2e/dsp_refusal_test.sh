# "/dev/dsp" (emulated by alsa-oss) failing at its open or at any one of its
# six requests is handled as a missing device: the music goes to ALSA's
# "default" device, nothing reaches the OSS device, nothing is printed, and q
# still quits with status 0. $2 is the preloaded library that makes it fail.
. "$(dirname "$0")/lib.sh"
SHIM=$2

capture_sound

start_xvfb 24
for n in 0 1 2 3 4 5 6; do
  rm -f "$WORK/oss.raw" "$WORK/alsa.raw"
  TORQ_DSP_FAIL=$n LD_PRELOAD="$SHIM $AOSS" start_program
  WINDOW=$(ready_window) || fail "step $n: the window never became ready for keys"
  sleep 1
  xdotool key --window "$WINDOW" q
  wait_program 10
  [ "$STATUS" = 0 ] || fail "step $n: exit status $STATUS"
  [ "$(size "$WORK/oss.raw")" = 0 ] || fail "step $n: $(size "$WORK/oss.raw") bytes reached the OSS device"
  [ "$(size "$WORK/alsa.raw")" -gt 0 ] || fail "step $n: nothing reached ALSA"
  [ ! -s "$WORK/out" ] || fail "step $n: stdout: $(cat "$WORK/out")"
  [ ! -s "$WORK/err" ] || fail "step $n: stderr: $(cat "$WORK/err")"
  echo "failing at step $n: $(size "$WORK/alsa.raw") bytes through ALSA"
done
