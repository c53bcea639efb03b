# The browser build renders the same frames and sound as the capture tool:
# the page's virtual-clock mode gives the capture's hash line for the same
# frames and keys, in headless Chromium (and Firefox where installed); and a
# malformed query gives an error line and runs nothing.
set -u
SITE=$1
CAPTURE=$2
. "$(dirname "$0")/lib.sh"
need_site "$SITE"
start_server "$SITE"

# Start-up and the first two parts; SPACE through all ten parts and back to
# the first; and the keys, each in a part where it shows.
STARTUP=""
CYCLE=space@150,space@300,space@450,space@600,space@750,space@900,space@1050,space@1200,space@1350,space@1500
KEYS=8@100,5@150,6@250,o@300,o@350,space@400,u@450,i@500,u@520,space@600,f@650,w@700,f@750,space@800
KEYS=$KEYS,space@850,z@900,x@950,x@960,k@1000,l@1050,space@1100,space@1150,b@1200,g@1250,b@1300

# Prints the capture's hash line for $1 frames and the key script $2.
capture_line() { "$CAPTURE" --quiet --hash --frames "$1" ${2:+--keys "$2"}; }
query() { echo "virtual=1&frames=$1${2:+&keys=$2}"; }

for run in "startup 1600 $STARTUP" "cycle 1650 $CYCLE" "keys 1400 $KEYS"; do
  set -- $run
  want=$(capture_line "$2" "${3:-}")
  got=$(virtual_result "$(query "$2" "${3:-}")")
  [ "$got" = "$want" ] || fail "$1: the page says '$got', the capture '$want'"
  echo "$1: $got"
done

check_error() {
  got=$(virtual_result "$1")
  [ "$got" = "error=$2" ] || fail "query '$1': '$got' instead of 'error=$2'"
}
check_error "virtual=1" "frames is missing"
check_error "virtual=1&frames=0" "frames must be a whole number from 1 to 2000000"
check_error "frames=5&virtual=1&keys=q5" \
  "key script entry \"q5\": no '@' between the key and the frame"
check_error "virtual=1&frames=5&speed=2" "unknown parameter \"speed\""

# Firefox has no DOM dump: the page posts its line to the test server.
FIREFOX=$(command -v firefox-esr || command -v firefox)
if [ -n "$FIREFOX" ]; then
  profile=$(new_profile)
  # No updates, reports or other connections of its own.
  cat >"$profile/user.js" <<'PREFS'
user_pref("app.update.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("browser.shell.checkDefaultBrowser", false);
PREFS
  timeout 300 "$FIREFOX" --headless --no-remote --profile "$profile" \
    "http://127.0.0.1:$PORT/?$(query 1650 "$CYCLE")&post=1" >"$WORK/firefox.log" 2>&1 &
  firefox_pid=$!
  for _ in $(seq 2400); do
    [ -f "$WORK/posted" ] && break
    kill -0 $firefox_pid 2>/dev/null || break
    sleep 0.1
  done
  kill $firefox_pid 2>/dev/null
  wait $firefox_pid 2>/dev/null
  got=$(cat "$WORK/posted" 2>/dev/null)
  want=$(capture_line 1650 "$CYCLE")
  [ "$got" = "$want" ] || fail "Firefox: the page says '$got', the capture '$want'"
  echo "Firefox cycle: $got"
else
  echo "Firefox is not installed: the Firefox run is skipped"
fi
