# Installs the build into a staging folder (DESTDIR) under a prefix of its own
# and checks what a desktop gets: exactly the expected files, a menu entry that
# desktop-file-validate accepts and that names the installed program and icon,
# a 256 x 256 icon, and a manual page that man finds and formats without
# warnings. Arguments: cmake, the build folder, and 1 when the build has the
# capture tool (else 0).
set -u
CMAKE=$1
BUILD=$2
CAPTURE=$3
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

ROOT=$WORK/root
PREFIX=/opt/torq
DESTDIR=$ROOT "$CMAKE" --install "$BUILD" --prefix "$PREFIX" >"$WORK/log" 2>&1 ||
  fail "install: $(cat "$WORK/log")"

{
  echo "$PREFIX/bin/torq6150"
  [ "$CAPTURE" = 1 ] && echo "$PREFIX/bin/torq6150-capture"
  echo "$PREFIX/share/applications/torq6150.desktop"
  echo "$PREFIX/share/icons/hicolor/256x256/apps/torq6150.png"
  echo "$PREFIX/share/man/man6/torq6150.6"
} | sort >"$WORK/expected"
(cd "$ROOT" && find . -type f | sed 's/^\.//' | sort) >"$WORK/files"
diff "$WORK/expected" "$WORK/files" >"$WORK/diff" || fail "installed files differ: $(cat "$WORK/diff")"
for program in "$ROOT$PREFIX"/bin/*; do
  [ -x "$program" ] || fail "$program is not executable"
done

DESKTOP=$ROOT$PREFIX/share/applications/torq6150.desktop
desktop-file-validate "$DESKTOP" >"$WORK/validate" 2>&1 || fail "desktop file: $(cat "$WORK/validate")"
[ ! -s "$WORK/validate" ] || fail "desktop file: $(cat "$WORK/validate")"
entry() { sed -n "s/^$1=//p" "$DESKTOP"; }
[ "$(entry Exec)" = torq6150 ] || fail "Exec is '$(entry Exec)'"
[ "$(entry Icon)" = torq6150 ] || fail "Icon is '$(entry Icon)'"

pngtopam "$ROOT$PREFIX/share/icons/hicolor/256x256/apps/torq6150.png" | pamfile >"$WORK/icon" 2>&1
grep -q '256 by 256' "$WORK/icon" || fail "icon: $(cat "$WORK/icon")"

[ "$(MANPATH=$ROOT$PREFIX/share/man man -w torq6150)" = "$ROOT$PREFIX/share/man/man6/torq6150.6" ] ||
  fail "man does not find torq6150 in the installed tree"
MANWIDTH=80 man --warnings -l "$ROOT$PREFIX/share/man/man6/torq6150.6" >"$WORK/page" 2>"$WORK/warnings" ||
  fail "man failed: $(cat "$WORK/warnings")"
[ ! -s "$WORK/warnings" ] || fail "man warnings: $(cat "$WORK/warnings")"
grep -q 'EXIT STATUS' "$WORK/page" || fail "the manual page was not formatted"
echo "install: files, menu entry, icon and manual page as expected"
