# Installs the build into a staging folder (DESTDIR) under a prefix of its own
# and checks what a desktop gets: exactly the expected files, a menu entry that
# desktop-file-validate accepts and that names the installed program and icon,
# a 256 x 256 icon, and manual pages that man finds and formats without
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
  echo "$PREFIX/games/torq6150"
  [ "$CAPTURE" = 1 ] && echo "$PREFIX/games/torq6150-capture"
  echo "$PREFIX/share/applications/torq6150.desktop"
  echo "$PREFIX/share/icons/hicolor/256x256/apps/torq6150.png"
  echo "$PREFIX/share/man/man6/torq6150.6.gz"
  [ "$CAPTURE" = 1 ] && echo "$PREFIX/share/man/man6/torq6150-capture.6.gz"
  echo "$PREFIX/share/metainfo/torq6150.metainfo.xml"
  echo "$PREFIX/share/doc/torq6150/copyright"
  echo "$PREFIX/share/doc/torq6150/changelog.gz"
} | sort >"$WORK/expected"
(cd "$ROOT" && find . -type f | sed 's/^\.//' | sort) >"$WORK/files"
diff "$WORK/expected" "$WORK/files" >"$WORK/diff" || fail "installed files differ: $(cat "$WORK/diff")"
for program in "$ROOT$PREFIX"/games/*; do
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

# Every installed program has a manual page that man finds and formats cleanly.
for program in "$ROOT$PREFIX"/games/*; do
  name=$(basename "$program")
  page=$ROOT$PREFIX/share/man/man6/$name.6.gz
  [ "$(MANPATH=$ROOT$PREFIX/share/man man -w "$name")" = "$page" ] ||
    fail "man does not find $name in the installed tree"
  MANWIDTH=80 man --warnings -l "$page" >"$WORK/page" 2>"$WORK/warnings" ||
    fail "man failed on $name: $(cat "$WORK/warnings")"
  [ ! -s "$WORK/warnings" ] || fail "man warnings on $name: $(cat "$WORK/warnings")"
  grep -q 'EXIT STATUS' "$WORK/page" || fail "the manual page of $name was not formatted"
done
echo "install: files, menu entry, icon and manual pages as expected"
