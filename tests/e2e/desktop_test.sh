# The window as window managers and menus see it: the class that the menu
# entry's StartupWMClass names, and size hints that fix it at 256 x 256.
. "$(dirname "$0")/lib.sh"
DESKTOP_FILE=$2

start_xvfb 24
start_program
WINDOW=$(ready_window) || fail "the titled window did not appear"

CLASS=$(sed -n 's/^StartupWMClass=//p' "$DESKTOP_FILE")
[ "$(xprop -id "$WINDOW" WM_CLASS)" = "WM_CLASS(STRING) = \"torq6150\", \"$CLASS\"" ] ||
  fail "$(xprop -id "$WINDOW" WM_CLASS), the menu entry names '$CLASS'"
xprop -id "$WINDOW" WM_NORMAL_HINTS >"$WORK/hints"
for size in minimum maximum base; do
  grep -q "program specified $size size: 256 by 256" "$WORK/hints" ||
    fail "no fixed $size size: $(cat "$WORK/hints")"
done
echo "desktop: window class and fixed size hints as expected"
