# Builds the Debian package from the build's install rules into a temporary
# folder and checks it: exactly the expected files with their modes and
# owners, the control fields with the library dependencies dpkg-shlibdeps read
# from the binaries (the ALSA library only recommended: the program loads it
# at run time), the same version throughout, no lintian error, a valid
# software-centre entry and menu entry, and the packaged program, unpacked
# into a throwaway root, starting under Xvfb and ending with status 0 on q.
# Arguments: cpack, the build folder, 1 when the build has the capture tool
# (else 0), and the project's version.
. "$(dirname "$0")/../e2e/lib.sh" ""
CPACK=$1
BUILD=$2
CAPTURE=$3
VERSION=$4
export TMPDIR=$WORK # lintian leaves its scratch files there

"$CPACK" --config "$BUILD/CPackConfig.cmake" -B "$WORK/deb" >"$WORK/log" 2>&1 || fail "cpack: $(cat "$WORK/log")"
DEB=$WORK/deb/torq6150_${VERSION}_$(dpkg --print-architecture).deb
[ -f "$DEB" ] || fail "no $(basename "$DEB") among: $(ls "$WORK/deb")"

{
  echo "-rwxr-xr-x root/root ./usr/games/torq6150"
  [ "$CAPTURE" = 1 ] && echo "-rwxr-xr-x root/root ./usr/games/torq6150-capture"
  for file in applications/torq6150.desktop doc/torq6150/changelog.gz doc/torq6150/copyright \
              icons/hicolor/256x256/apps/torq6150.png man/man6/torq6150.6.gz metainfo/torq6150.metainfo.xml; do
    echo "-rw-r--r-- root/root ./usr/share/$file"
  done
  [ "$CAPTURE" = 1 ] && echo "-rw-r--r-- root/root ./usr/share/man/man6/torq6150-capture.6.gz"
} | sort -k 3 >"$WORK/expected"
dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ {print $1, $2, $6}' | sort -k 3 >"$WORK/files"
diff "$WORK/expected" "$WORK/files" >"$WORK/diff" || fail "packaged files differ: $(cat "$WORK/diff")"

dpkg-deb -I "$DEB" >"$WORK/info"
field() { sed -n "s/^ $1: //p" "$WORK/info"; }
[ "$(field Package) $(field Version) $(field Section)" = "torq6150 $VERSION games" ] ||
  fail "control fields: $(cat "$WORK/info")"
DEPENDS=$(field Depends)
NEEDED="libc6 libstdc++6 libx11-6"
[ "$CAPTURE" = 1 ] && NEEDED="$NEEDED libpng16-16 libsndfile1"
for package in $NEEDED; do
  case ", $DEPENDS" in *", $package"*) ;; *) fail "Depends lacks $package: $DEPENDS" ;; esac
done
case "$DEPENDS" in *libasound*) fail "Depends names ALSA: $DEPENDS" ;; esac
RECOMMENDS=libasound2
[ "$CAPTURE" = 1 ] && RECOMMENDS="$RECOMMENDS, ffmpeg"
[ "$(field Recommends)" = "$RECOMMENDS" ] || fail "Recommends is '$(field Recommends)'"
[ "$(dpkg-deb -f "$DEB" Description | wc -l)" -ge 4 ] || fail "no long description: $(cat "$WORK/info")"

lintian --fail-on error "$DEB" >"$WORK/lintian" 2>&1 || fail "lintian: $(cat "$WORK/lintian")"
grep '^W:' "$WORK/lintian"

ROOT=$WORK/root
dpkg -x "$DEB" "$ROOT"
METAINFO=$ROOT/usr/share/metainfo/torq6150.metainfo.xml
appstreamcli validate --no-net "$METAINFO" >"$WORK/appstream" 2>&1 || fail "metainfo: $(cat "$WORK/appstream")"
desktop-file-validate "$ROOT/usr/share/applications/torq6150.desktop" >"$WORK/validate" 2>&1 &&
  [ ! -s "$WORK/validate" ] || fail "desktop file: $(cat "$WORK/validate")"
LAUNCHABLE=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$METAINFO")
[ -f "$ROOT/usr/share/applications/$LAUNCHABLE" ] || fail "the metainfo launches '$LAUNCHABLE', not packaged"
RELEASE=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$METAINFO" | head -n 1)
CHANGELOG=$(zcat "$ROOT/usr/share/doc/torq6150/changelog.gz" | sed -n '1s/^torq6150 (\([^)]*\)).*/\1/p')
[ "$RELEASE $CHANGELOG" = "$VERSION $VERSION" ] ||
  fail "newest release $RELEASE in the metainfo, $CHANGELOG in the change log, package $VERSION"

PROGRAM=$ROOT/usr/games/torq6150
start_xvfb 24
start_program
WINDOW=$(ready_window) || fail "the packaged program's window never became ready: $(cat "$WORK/err")"
xdotool key --window "$WINDOW" q
wait_program 20
[ "$STATUS" = 0 ] || fail "the packaged program ended with status $STATUS: $(cat "$WORK/err")"
echo "package: $(basename "$DEB") with the expected files and fields, lintian clean, starts and quits"
