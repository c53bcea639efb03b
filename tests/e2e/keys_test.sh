# Keys sent to the real window: pause, SPACE to the next part, q to quit, and
# the window manager's close request.
. "$(dirname "$0")/lib.sh"
WM_CLOSE=$2

start_xvfb 24
start_program
WINDOW=$(ready_window) || fail "the window never became ready for keys"

# Paused, the picture stands still.
xdotool key --window "$WINDOW" p
sleep 0.5
PAUSED=$(lit_percent "$WINDOW")
sleep 0.5
[ "$(lit_percent "$WINDOW")" = "$PAUSED" ] || fail "the picture changed while paused"

# SPACE while paused takes effect when the pause ends; "p p" then pauses the
# next part in its first frame. The first part of this cycle is the arch-path
# part; the two after it are line benchmarks, whose first frames show their
# titles (opaque 16 x 16 cells at y 32) over the black of the opening fade.
# Should the arch paths have run out before the first pause, the first of
# the two is the thick-line benchmark, titled as well.
first_frame_of_next_part() {
  xdotool key --delay 0 --window "$WINDOW" space p p
  sleep 1
  xwd -id "$WINDOW" -silent -nobdrs | xwdtopnm 2>/dev/null >"$WORK/frame.ppm"
  sleep 0.5
  cmp -s <(xwd -id "$WINDOW" -silent -nobdrs | xwdtopnm 2>/dev/null) "$WORK/frame.ppm" ||
    fail "the next part did not stay paused in its first frame"
  # Lit percentage of the first title's first eleven cells.
  pamcut -left 0 -top 32 -width 176 -height 16 "$WORK/frame.ppm" | pnmtoplainpnm |
    awk 'NR > 3 {for (i = 1; i <= NF; i++) {sum += $i; if (++k % 3 == 0) {n++; if (sum > 0) lit++; sum = 0}}}
         END {print int(100 * lit / n)}'
}
A=$(first_frame_of_next_part)
[ "$A" -ge 90 ] || fail "SPACE did not lead to a titled benchmark: $A% of its title lit"
cp "$WORK/frame.ppm" "$WORK/first.ppm"
first_frame_of_next_part >/dev/null
cmp -s "$WORK/frame.ppm" "$WORK/first.ppm" && fail "a second SPACE did not change the part"

xdotool key --window "$WINDOW" p q
wait_program 10
[ "$STATUS" = 0 ] || fail "q ended the program with status $STATUS"

# Closing the window from the window manager quits the same way.
start_program
WINDOW=$(ready_window) || fail "the window never became ready for keys"
"$WM_CLOSE" "$WINDOW" || fail "could not send the close request"
wait_program 10
[ "$STATUS" = 0 ] || fail "the close request ended the program with status $STATUS"
[ ! -s "$WORK/out" ] || fail "stdout: $(cat "$WORK/out")"
echo "keys: pause, SPACE, q and the close request work on the real window"
