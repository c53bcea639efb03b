# The real program in a real X server: its window, border, loading screen and title.
. "$(dirname "$0")/lib.sh"

start_xvfb 24

# A stand-in for xprop that holds start-up at its very last step, so that the
# loading screen can be read before the first part begins, and then sets the
# title with the real tool.
mkdir -p "$WORK/bin"
cat >"$WORK/bin/xprop" <<SCRIPT
#!/bin/sh
echo "\$@" >"$WORK/xprop.args"
for i in \$(seq 300); do [ -e "$WORK/release" ] && break; sleep 0.1; done
exec $(command -v xprop) "\$@"
SCRIPT
chmod +x "$WORK/bin/xprop"

PATH="$WORK/bin:$PATH" start_program
WINDOW=$(find_window 256x256) || fail "no 256x256 window appeared"
for _ in $(seq 100); do [ -s "$WORK/xprop.args" ] && break; sleep 0.1; done
[ -s "$WORK/xprop.args" ] || fail "start-up never ran the title command"

# The window that is titled is the one that stays: the first one is replaced.
WINDOW=$(find_window 256x256)
xwininfo -id "$WINDOW" >"$WORK/info"
grep -q 'Width: 256' "$WORK/info" || fail "window width: $(cat "$WORK/info")"
grep -q 'Height: 256' "$WORK/info" || fail "window height: $(cat "$WORK/info")"
grep -q 'Border width: 2' "$WORK/info" || fail "border: $(cat "$WORK/info")"

screenshot "$WINDOW" "$WORK/loading.ppm"
for xy in "0 0" "1 1" "259 259" "130 0"; do
  [ "$(pixel "$WORK/loading.ppm" $xy)" = 00ff00 ] || fail "border pixel $xy is not green"
done
for xy in "2 2" "257 257" "2 257" "257 2"; do
  [ "$(pixel "$WORK/loading.ppm" $xy)" = 0080ff ] || fail "loading screen pixel $xy is not blue"
done
# The logo's ink, added onto the blue, lies wholly inside the centred 128 x 64
# rectangle (frame columns 64 to 191, rows 96 to 159; the border adds 2).
pamcut -left 2 -top 2 -width 256 -height 256 "$WORK/loading.ppm" | pnmtoplainpnm |
  awk 'NR > 3 {for (i = 1; i <= NF; i++) {c[k % 3] = $i;
         if (++k % 3 == 0) {p = k / 3 - 1; x = p % 256; y = int(p / 256);
           if (c[0] != 0 || c[1] != 128 || c[2] != 255) {
             if (x < 64 || x > 191 || y < 96 || y > 159) out++; else ink++;
             if (x < minx || minx == "") minx = x; if (x > maxx) maxx = x;
           }}}}
       END {printf "%d %d %d %d\n", ink, out, minx, maxx}' >"$WORK/logo"
read -r INK OUTSIDE MINX MAXX <"$WORK/logo"
[ "$OUTSIDE" = 0 ] || fail "$OUTSIDE non-blue pixels outside the logo's rectangle"
[ "$INK" -ge 500 ] || fail "the logo is missing ($INK pixels of ink)"
[ $((MINX - 64)) -le 8 ] && [ $((191 - MAXX)) -le 8 ] ||
  fail "the logo is not centred: ink from column $MINX to $MAXX"

ARGS=$(cat "$WORK/xprop.args")
[ "$ARGS" = "-id $WINDOW -set WM_NAME TORQ6150" ] || fail "title command was: $ARGS (window $WINDOW)"
touch "$WORK/release"
for _ in $(seq 50); do [ "$(window_title "$WINDOW")" = TORQ6150 ] && break; sleep 0.1; done
[ "$(window_title "$WINDOW")" = TORQ6150 ] || fail "title is '$(window_title "$WINDOW")'"
[ ! -s "$WORK/out" ] || fail "standard output is not empty: $(cat "$WORK/out")"
[ -n "${TORQ_E2E_KEEP:-}" ] && cp "$WORK/loading.ppm" "$TORQ_E2E_KEEP"
echo "startup: window, border, loading screen with its logo, and title as expected"
