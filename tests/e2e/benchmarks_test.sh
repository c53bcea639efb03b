# The benchmark parts in the real window: the three on white show a count
# that climbs while frames have time to spare, and the two-colour line
# benchmark draws thin lines on black. The parts are found by what they show,
# so the test does not depend on which other parts the cycle holds. Every
# part's first frame is drawn over the black of its opening fade; a
# benchmark's shows its titles and count on at least a quarter of black.
# Once running, a white background tells the three white benchmarks from the
# two-colour line benchmark.
. "$(dirname "$0")/lib.sh"

start_xvfb 24
start_program
WINDOW=$(ready_window) || fail "the window never became ready for keys"
xdotool key --window "$WINDOW" p

# The window's content as a plain PPM file.
grab() {
  xwd -id "$WINDOW" -silent -nobdrs | xwdtopnm 2>/dev/null | pnmtoplainpnm 2>/dev/null >"$1"
}

# Reads a 256 x 256 plain PPM file into px[0..65535] and runs the given END
# block: "kind" prints white (a twentieth or more: even a few circles of the
# filled-circle benchmark may cover most of the frame), bench (the titles and count of a benchmark on
# mostly black) or other; "cells" prints the ten 16 x 16 cells of the count
# line (y 224) one per line; "lines" prints the lit, black and interior
# pixels (all four neighbours lit) of rows 64 to 191.
inspect() {
  awk -v mode="$1" '
    NR > 3 { for (i = 1; i <= NF; i++) { c[k % 3] = $i; if (++k % 3 == 0) px[k / 3 - 1] = c[0] * 65536 + c[1] * 256 + c[2] } }
    END {
      if (mode == "kind") {
        for (n = 0; n < 65536; n++) {
          y = int(n / 256); x = n % 256
          if (px[n] == 16777215) white++
          if (px[n] == 0) black++
          if (y >= 32 && y < 48 && x < 176 && px[n] != 0) title++
          if (y >= 224 && y < 240 && x < 160 && px[n] != 0) count++
        }
        if (white >= 3277) print "white"
        else if (black >= 16384 && title >= 2534 && count >= 2304) print "bench"
        else print "other"
      } else if (mode == "cells") {
        for (cell = 0; cell < 10; cell++) {
          s = ""
          for (y = 224; y < 240; y++) for (x = 16 * cell; x < 16 * cell + 16; x++) s = s " " px[y * 256 + x]
          print s
        }
      } else {
        for (y = 64; y < 192; y++) for (x = 1; x < 255; x++) {
          n = y * 256 + x
          if (px[n] == 0) { black++; continue }
          lit++
          if (px[n - 1] && px[n + 1] && px[n - 256] && px[n + 256]) inner++
        }
        print lit + 0, black + 0, inner + 0
      }
    }' "$2"
}

# Leading cells of the count in $1 equal to the zero digit in the first cell of $2.
leading_zeros() {
  awk 'NR == FNR { if (FNR == 1) zero = $0; next } $0 == zero && !done { n++; next } { done = 1 } END { print n + 0 }' \
    <(inspect cells "$2") <(inspect cells "$1")
}

# A white benchmark met in $1, a frame early in the part: a count of 0 to 9
# that reaches 10 or more after two seconds of running. Each is counted once:
# SPACE steps through the cycle of ten parts, so the step tells them apart.
# One met again in the second round starts from its earlier count and is
# left alone.
white_benchmark() {
  case "$WHITE_STEPS" in *" $((STEP % 10)) "*) return ;; esac
  [ "$(leading_zeros "$1" "$1")" -ge 9 ] || return 0
  WHITE_STEPS="$WHITE_STEPS $((STEP % 10)) "
  WHITE=$((WHITE + 1))
  xdotool key --window "$WINDOW" p
  sleep 2
  xdotool key --window "$WINDOW" p
  sleep 0.5
  grab "$WORK/later.ppm"
  [ "$(leading_zeros "$WORK/later.ppm" "$1")" -le 8 ] ||
    fail "white benchmark $WHITE: the count did not reach 10 in two seconds"
  [ -n "${TORQ_E2E_KEEP:-}" ] && cp "$WORK/later.ppm" "$TORQ_E2E_KEEP.white$WHITE.ppm"
}

# Two rounds of the cycle at most, so that a part whose first frames were
# missed is met again. A loaded machine may take the second "p" a few frames
# late: a white benchmark is then already white when first seen.
WHITE=0
WHITE_STEPS=
LINES=0
for STEP in $(seq 22); do
  # SPACE while paused ends the part once the pause ends; the next part then
  # pauses in its first frame.
  xdotool key --delay 0 --window "$WINDOW" space p p
  sleep 1
  grab "$WORK/first.ppm"
  case "$(inspect kind "$WORK/first.ppm")" in
    white) white_benchmark "$WORK/first.ppm" ;;
    bench)
      # A few frames, resumed for 150 ms and paused again: at most eight
      # frames, whose count of two-colour lines climbs ten lines per frame from 0.
      for _ in $(seq 5); do
        xdotool key --delay 150 --window "$WINDOW" p p
        sleep 0.5
        grab "$WORK/now.ppm"
        if [ "$(inspect kind "$WORK/now.ppm")" = white ]; then
          white_benchmark "$WORK/first.ppm"
          break
        fi
        # A frame paused on counts as an overrun, so a frame may show no lines.
        read -r LIT BLACK INNER <<<"$(inspect lines "$WORK/now.ppm")"
        if [ "$LIT" -ge 200 ]; then
          LINES=$((LINES + 1))
          [ "$BLACK" -gt "$LIT" ] || fail "the lines are not on black: $LIT lit, $BLACK black"
          [ $((INNER * 4)) -lt "$LIT" ] ||
            fail "the lines are not thin: $INNER of $LIT lit pixels inside"
          [ -n "${TORQ_E2E_KEEP:-}" ] && cp "$WORK/now.ppm" "$TORQ_E2E_KEEP.lines.ppm"
          break
        fi
      done
      ;;
  esac
  [ "$WHITE" -ge 3 ] && [ "$LINES" -ge 1 ] && break
done
[ "$WHITE" -ge 3 ] || fail "found $WHITE white benchmarks in the cycle, not 3"
[ "$LINES" -ge 1 ] || fail "found no benchmark of thin lines on black"

xdotool key --window "$WINDOW" q
wait_program 10
[ "$STATUS" = 0 ] || fail "q ended the program with status $STATUS"
echo "benchmarks: three white benchmarks with climbing counts, thin lines on black"
