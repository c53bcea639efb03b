# The page in real time in headless Chromium (realtime.mjs says what it checks).
set -u
SITE=$1
. "$(dirname "$0")/lib.sh"
need_site "$SITE"
node --experimental-websocket -e 'new WebSocket("ws://127.0.0.1:1").onerror = () => {}' 2>/dev/null ||
  skip "this Node.js has no WebSocket (version 20 or later is needed)"
start_server "$SITE"
# The show's sound must run in a page that has not been clicked: a key
# pressed through the protocol counts as the user's.
node --experimental-websocket "$WEB_DIR/realtime.mjs" "http://127.0.0.1:$PORT/" "$(new_profile)" \
  chromium $CHROMIUM_FLAGS
