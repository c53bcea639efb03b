# Without a usable display the program stops at once with a message on
# standard error, exit status 1 and nothing on standard output.
. "$(dirname "$0")/lib.sh"

# A display that no server answers.
DISPLAY=:31999 start_program
wait_program 10
[ "$STATUS" = 1 ] || fail "exit status $STATUS without a server"
grep -q 'cannot open X display ":31999"' "$WORK/err" || fail "stderr: $(cat "$WORK/err")"
[ ! -s "$WORK/out" ] || fail "stdout: $(cat "$WORK/out")"

# A 16-bit display cannot take the frames' 32-bit words.
start_xvfb 16
start_program
wait_program 10
[ "$STATUS" = 1 ] || fail "exit status $STATUS on a 16-bit display"
grep -q 'TrueColor' "$WORK/err" || fail "stderr: $(cat "$WORK/err")"
[ ! -s "$WORK/out" ] || fail "stdout: $(cat "$WORK/out")"
xwininfo -root -children | grep -q '256x256' && fail "a window was opened on the 16-bit display"
echo "no display: refused with status 1 and a message on stderr"
