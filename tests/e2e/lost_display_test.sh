# The X server killed under the running show ends the program within a second,
# with a message on standard error and nothing on standard output.
. "$(dirname "$0")/lib.sh"

start_xvfb 24
start_program
ready_window >/dev/null || fail "the window never became ready for keys"
sleep 1
KILLED=$(date +%s%N)
{ kill -9 "$XVFB_PID"; wait "$XVFB_PID"; } 2>/dev/null
XVFB_PID=
wait_program 5
ENDED_MS=$((($(date +%s%N) - KILLED) / 1000000))
[ "$STATUS" != 0 ] || fail "the lost display ended the program with status 0"
[ "$ENDED_MS" -le 1000 ] || fail "the program ran on for $ENDED_MS ms after the server died"
grep -q . "$WORK/err" || fail "no message on stderr"
[ ! -s "$WORK/out" ] || fail "stdout: $(cat "$WORK/out")"
echo "lost display: ended $ENDED_MS ms after the server was killed, status $STATUS: $(head -c 200 "$WORK/err")"
