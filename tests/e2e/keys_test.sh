# Keys sent to the real window: pause, SPACE to the next part, q to quit, and
# the window manager's close request.
. "$(dirname "$0")/lib.sh"
WM_CLOSE=$2

start_xvfb 24
start_program
WINDOW=$(ready_window) || fail "the window never became ready for keys"

# Paused, the picture stands still. The first part is the waveform part,
# whose scopes cover the whole window with their tinted backgrounds.
xdotool key --window "$WINDOW" p
sleep 0.5
PAUSED=$(lit_percent "$WINDOW")
sleep 0.5
[ "$(lit_percent "$WINDOW")" = "$PAUSED" ] || fail "the picture changed while paused"
[ "$PAUSED" -ge 99 ] || fail "the first part does not show the scopes: $PAUSED% lit"

# SPACE while paused takes effect when the pause ends; "p p" then pauses the
# next part in its first frame, of which the band where the benchmarks print
# their first title is measured. After the waveform part come the scroller
# part, whose raster bars cover the band, the arch-path part, whose first
# frames hold only a few trail pixels on black (a loaded machine may take the
# pause a few frames late), a line benchmark with its title in opaque cells,
# and the star-burst part, whose tiled background covers the band.
first_frame_of_next_part() {
  xdotool key --delay 0 --window "$WINDOW" space p p
  sleep 1
  xwd -id "$WINDOW" -silent -nobdrs | xwdtopnm 2>/dev/null >"$WORK/frame.ppm"
  sleep 0.5
  cmp -s <(xwd -id "$WINDOW" -silent -nobdrs | xwdtopnm 2>/dev/null) "$WORK/frame.ppm" ||
    fail "the next part did not stay paused in its first frame"
  # Lit percentage of the band of the first title's first eleven cells.
  pamcut -left 0 -top 32 -width 176 -height 16 "$WORK/frame.ppm" | pnmtoplainpnm |
    awk 'NR > 3 {for (i = 1; i <= NF; i++) {sum += $i; if (++k % 3 == 0) {n++; if (sum > 0) lit++; sum = 0}}}
         END {print int(100 * lit / n)}'
}
SCROLL=$(first_frame_of_next_part)
ARCH=$(first_frame_of_next_part)
BENCH=$(first_frame_of_next_part)
STARS=$(first_frame_of_next_part)
[ "$SCROLL" -ge 99 ] && [ "$ARCH" -le 50 ] && [ "$BENCH" -ge 90 ] && [ "$STARS" -ge 99 ] ||
  fail "SPACE did not step through the cycle: $SCROLL%, $ARCH%, $BENCH% and $STARS% of the title band lit"

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
