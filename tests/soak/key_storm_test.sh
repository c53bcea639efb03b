# Ten thousand random printable keys (never a quit key) sent to the real
# window in batches, SPACE among them so that they reach every part: between
# batches the program must be alive and still presenting frames, and at the
# end "q" must still end it with status 0 and nothing on standard output.
# STORM_SEED=N replays a run. It takes about 3 minutes: the keys go 30 ms
# apart, and the program takes one per frame, so those sent faster than its
# frames wait their turn.
. "$(dirname "$0")/../e2e/lib.sh"
SEED=${STORM_SEED:-$(date +%s)}
echo "key storm seed $SEED (replay with STORM_SEED=$SEED)"
BATCHES=20
BATCH=500

start_xvfb 24
start_program
WINDOW=$(ready_window) || fail "the window never became ready for keys"

# One line per batch: printable ASCII without q and Q, SPACE included.
awk -v seed="$SEED" -v batches=$BATCHES -v size=$BATCH 'BEGIN {
  srand(seed)
  for (i = 32; i < 127; i++) if (i != 81 && i != 113) keys[n++] = sprintf("%c", i)
  for (b = 0; b < batches; b++) {
    line = ""
    for (k = 0; k < size; k++) line = line keys[int(rand() * n)]
    print line
  }
}' >"$WORK/storm"

# Whether the window's picture changes within a few seconds.
presenting() {
  xwd -id "$WINDOW" -silent -nobdrs >"$WORK/a.xwd" || return 1
  for _ in $(seq 20); do
    sleep 0.25
    xwd -id "$WINDOW" -silent -nobdrs >"$WORK/b.xwd" || return 1
    cmp -s "$WORK/a.xwd" "$WORK/b.xwd" || return 0
  done
  return 1
}

PAUSES=0
batch=0
while IFS= read -r keys; do
  batch=$((batch + 1))
  # xdotool warns on every key that no window has the focus: there is no
  # window manager, and the keys go to the window directly.
  xdotool type --window "$WINDOW" --delay 30 -- "$keys" 2>"$WORK/xdotool.err" ||
    fail "xdotool could not type batch $batch: $(tail -n 1 "$WORK/xdotool.err")"
  # An odd number of p so far leaves the show paused: one more resumes it.
  PAUSES=$((PAUSES + $(printf '%s' "$keys" | tr -cd p | wc -c)))
  [ $((PAUSES % 2)) = 1 ] && { xdotool key --window "$WINDOW" p 2>/dev/null; PAUSES=$((PAUSES + 1)); }
  kill -0 "$PROGRAM_PID" 2>/dev/null || { wait "$PROGRAM_PID"; fail "the program ended in batch $batch with status $?"; }
  presenting || fail "no new frame after batch $batch"
done <"$WORK/storm"

xdotool key --window "$WINDOW" q 2>/dev/null
wait_program 300
[ "$STATUS" = 0 ] || fail "q ended the program with status $STATUS"
[ ! -s "$WORK/out" ] || fail "stdout: $(head -c 500 "$WORK/out")"
echo "key storm: $((BATCHES * BATCH)) keys, $(tr -cd ' ' <"$WORK/storm" | wc -c) of them SPACE; the program kept presenting and quit with status 0"
