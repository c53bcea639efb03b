# Shared by the browser tests: the site, a local server and headless browsers,
# all removed again on exit. The tests are skipped (status 77) with a message
# where the site was not built or no browser can be installed.
WEB_DIR=${WEB_DIR:-$(cd "$(dirname "$0")" && pwd)}
WORK=$(mktemp -d)
SERVER_PID=
cleanup() {
  [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
skip() {
  echo "SKIPPED: $*" >&2
  exit 77
}

# Skips unless the site in $1 was built and Chromium is installed.
need_site() {
  [ -f "$1/torq6150.wasm" ] ||
    skip "no browser build in $1 (emscripten missing? 'cmake --preset web && cmake --build --preset web' makes it)"
  command -v chromium >/dev/null || skip "Chromium is not installed (Debian's package chromium)"
}

# Serves the site in $1 on a free port of 127.0.0.1: sets PORT.
start_server() {
  python3 "$WEB_DIR/serve.py" "$1" "$WORK/posted" >"$WORK/port" 2>"$WORK/server.log" &
  SERVER_PID=$!
  for _ in $(seq 50); do
    PORT=$(head -n 1 "$WORK/port")
    [ -n "$PORT" ] && return
    sleep 0.1
  done
  fail "the test server did not start: $(cat "$WORK/server.log")"
}

# Headless Chromium as a test may run it here: no sandbox (root), no GPU, no
# connections of its own, and a fresh profile in the work folder.
CHROMIUM_FLAGS="--headless --no-sandbox --disable-gpu --disable-quic --no-first-run
  --disable-background-networking --disable-component-update --disable-sync
  --disable-default-apps --mute-audio"
new_profile() { mktemp -d "$WORK/profile.XXXXXX"; }

# The result line of the page for the query $1, run on Chromium's virtual time.
virtual_result() {
  timeout 300 chromium $CHROMIUM_FLAGS --user-data-dir="$(new_profile)" --virtual-time-budget=100000000 \
    --dump-dom "http://127.0.0.1:$PORT/?$1" 2>>"$WORK/chromium.log" |
    sed -n 's|.*<pre id="result">\([^<]*\)</pre>.*|\1|p'
}
