# The offline capture, driven as a user would: deterministic output, sound in
# step with the frames, and bad input refused without leaving files.
set -u
CAPTURE=$1
SLOW_FFMPEG=$2               # reads the frames slowly and keeps them as they came
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
size() { stat -c %s "$1"; }
FRAME=262144                 # bytes of one raw frame
WAV_HEADER=44
SLOT=1764                    # bytes of sound per frame: 882 16-bit samples
# Prints how many bytes of the WAV's sound from frame $2 on, for $3 frames, are not zero.
loud_bytes() {
  tail -c +$((WAV_HEADER + $2 * SLOT + 1)) "$1" | head -c $(($3 * SLOT)) | tr -d '\000' | wc -c
}

# Determinism: the same script twice, once with the frames on standard output.
SCRIPT=space@300,5@400
"$CAPTURE" --quiet --frames 600 --keys $SCRIPT --raw - --wav a.wav >a.raw || fail "capture a"
"$CAPTURE" --quiet --frames 600 --keys $SCRIPT --raw b.raw --wav b.wav || fail "capture b"
cmp -s a.raw b.raw || fail "the frames differ between two runs"
cmp -s a.wav b.wav || fail "the sound differs between two runs"
[ "$(size a.raw)" = $((600 * FRAME)) ] || fail "raw size $(size a.raw)"
# 882 samples for every frame, at 50 and at 25 frames per second alike.
[ "$(size a.wav)" = $((WAV_HEADER + 600 * SLOT)) ] || fail "WAV size $(size a.wav)"

# The show's pictures and sound, pinned: every part once and the first again,
# with the keys of each (overlay, speeds, background, fading, blur, glare,
# statistics, rays, frame rate, mute, pause). Any change of a pixel or a
# sample shows here; the unit tests tell where.
GOLDEN=8@20,space@100,u@120,w@130,i@150,w@170,space@200,f@220,b@240,g@250,s@280,space@300
GOLDEN=$GOLDEN,s@320,space@360,z@380,x@390,x@395,k@400,l@410,l@415,space@460,5@470,6@490
GOLDEN=$GOLDEN,space@520,b@540,g@560,space@620,space@680,z@700,space@760,o@780,space@820,o@850
GOLDEN=$GOLDEN,p@870,p@880
line=$("$CAPTURE" --quiet --frames 900 --keys $GOLDEN --raw g.raw --hash)
[ "$line" = "frames=900 video=c808401948baae84 audio=d1d7fa0f9ee1b2f7" ] ||
  fail "the show's pictures or sound changed: $line"
# The first second shows what the window shows: its blue background until
# the loading screen, which is on screen at the end of frame 50.
colours() { tail -c +$(($1 * FRAME + 1)) g.raw | head -c $FRAME | od -An -v -tx4 | tr -s ' ' '\n' | sort -u | grep -c .; }
[ "$(colours 0)" = 1 ] && [ "$(colours 49)" = 1 ] || fail "frames 0 and 49 are not one colour"
[ "$(od -An -tx4 -N4 g.raw)" = " 000080ff" ] || fail "frame 0 is not the window's blue"
[ "$(colours 50)" -gt 1 ] || fail "frame 50 is not the loading screen"

# Muting with "o" at frame 380 (music playing): silent from frame 381 on.
"$CAPTURE" --quiet --frames 450 --keys space@300,o@380 --wav m.wav || fail "capture m"
cmp -s -n $((381 * SLOT)) m.wav a.wav $WAV_HEADER $WAV_HEADER || fail "sound before the mute changed"
[ "$(loud_bytes m.wav 380 1)" -gt 0 ] || fail "frame 380 is silent before the mute"
[ "$(loud_bytes m.wav 381 69)" = 0 ] || fail "sound after the mute"

# A quit key ends the show; the files are complete and of one length.
"$CAPTURE" --quiet --frames 600 --keys q@100 --raw q.raw --wav q.wav || fail "capture q"
frames=$(($(size q.raw) / FRAME))
[ "$frames" -gt 100 ] && [ "$frames" -lt 110 ] || fail "$frames frames after q at 100"
[ "$(size q.wav)" = $((WAV_HEADER + frames * SLOT)) ] || fail "WAV of $(size q.wav) for $frames frames"

# A still is a PNG of its frame's pixels.
mkdir stills
"$CAPTURE" --quiet --frames 360 --keys space@300 --png stills/f%04d.png --png-frames 350,0 \
  --raw s.raw || fail "capture stills"
[ "$(ls -A stills)" = "$(printf 'f0000.png\nf0350.png')" ] || fail "stills: $(ls -A stills)"
pngtopnm stills/f0350.png | tail -c $((FRAME / 4 * 3)) >still.rgb || fail "not a PNG"
# Raw words 0x00RRGGBB are the bytes B G R 0.
tail -c +$((350 * FRAME + 1)) s.raw | head -c $FRAME | perl -0777 -pe 's/(.)(.)(.)./$3$2$1/gs' >frame.rgb
cmp -s still.rgb frame.rgb || fail "the still is not frame 350"
[ "$(tr -d '\000' <still.rgb | wc -c)" -gt 1000 ] || fail "frame 350 is black"

# A signal during the stills leaves no temporary file behind.
mkdir signalled
for delay in 0.4 0.6 0.8; do
  "$CAPTURE" --quiet --frames 100000 --png signalled/%d.png &
  sleep $delay
  kill -TERM $!
  wait $!
  [ $? = 143 ] || fail "status after SIGTERM"
  [ "$(ls -A signalled | grep -c -v '^[0-9]*\.png$')" = 0 ] || fail "left after SIGTERM: $(ls -A signalled)"
done

# A write that fails (a file size limit here) leaves no file behind.
mkdir limited
(cd limited && ulimit -f 200 && "$CAPTURE" --quiet --frames 100 --raw r.raw 2>err) && fail "no write failure"
grep -q 'cannot write the raw frames' limited/err || fail "message: $(cat limited/err)"
(cd limited && ulimit -f 100 && "$CAPTURE" --quiet --frames 100 --wav w.wav 2>err) && fail "no WAV failure"
grep -q 'cannot write the WAV file' limited/err || fail "message: $(cat limited/err)"
[ "$(ls -A limited)" = err ] || fail "left after a write failure: $(ls -A limited)"

# Outputs through symbolic links and open descriptors are written, never replaced.
ln -s linked.raw link.raw
ln -s /proc/self/fd/1 stdout.raw
: >fd.wav
: >fd.raw
inodes="$(stat -c %i fd.wav fd.raw)"
"$CAPTURE" --quiet --frames 2 --raw link.raw --wav /dev/fd/1 >fd.wav || fail "capture through links"
[ -L link.raw ] && [ "$(size linked.raw)" = $((2 * FRAME)) ] || fail "the link was replaced"
[ "$(size fd.wav)" = $((WAV_HEADER + 2 * SLOT)) ] || fail "$(size fd.wav) bytes of WAV on /dev/fd/1"
"$CAPTURE" --quiet --frames 2 --raw stdout.raw >fd.raw || fail "capture into a link to standard output"
[ -L stdout.raw ] && [ "$(size fd.raw)" = $((2 * FRAME)) ] || fail "standard output's link was replaced"
[ "$(stat -c %i fd.wav fd.raw)" = "$inodes" ] || fail "standard output's file was replaced, not written"

# The frames on standard output need no standard error; the usage fails
# when it cannot be written.
"$CAPTURE" --frames 2 --raw - >closed.raw 2>&- || fail "--raw - without standard error"
[ "$(size closed.raw)" = $((2 * FRAME)) ] || fail "$(size closed.raw) bytes without standard error"
"$CAPTURE" --help >help.txt && grep -q -- --png-frames help.txt || fail "--help"
"$CAPTURE" --help >/dev/full 2>err
[ $? = 1 ] && grep -q 'cannot write the usage' err || fail "--help into a full device"
"$CAPTURE" --help >&- 2>err
[ $? = 1 ] && grep -q 'cannot write the usage' err || fail "--help without standard output"

# An output that is no regular file (a named pipe here, /dev/null alike) is
# written, not replaced.
mkfifo pipe
cat pipe >piped.raw &
"$CAPTURE" --quiet --frames 60 --raw pipe || fail "capture into a named pipe"
wait
[ -p pipe ] || fail "the named pipe was replaced"
[ "$(size piped.raw)" = $((60 * FRAME)) ] || fail "$(size piped.raw) bytes through the pipe"

# Bad input: status 2, a message naming the fault, nothing left behind.
rm -rf ./* ./.[!.]*
bad() {
  expected=$1
  shift
  "$CAPTURE" --quiet --frames 10 --wav w.wav --raw r.raw "$@" >out 2>err
  status=$?
  [ "$status" = 2 ] || fail "status $status for $*"
  grep -q -- "$expected" err || fail "message for $*: $(cat err)"
  [ "$(ls -A | grep -v -x -e out -e err -e link.raw)" = "" ] || fail "left behind for $*: $(ls -A)"
}
bad 'no .@.' --keys space500
bad 'no .@.' --keys space@5,,o@6
bad 'the key' --keys @500
bad 'the key' --keys spacebar@5
bad 'the frame' --keys o@
bad 'the frame' --keys o@-3
bad 'the frame' --keys o@9x
bad 'unknown option' --fast
bad 'cannot write the WAV file "no/such/dir/w.wav"' --wav no/such/dir/w.wav
bad 'cannot write the raw frames "no/such/dir/r.raw"' --raw no/such/dir/r.raw
bad 'cannot write the PNG still' --png no/such/dir/%d.png
bad '"r.raw" and --wav "r.raw" name the same file' --wav r.raw
bad 'name the same file' --wav ./r.raw
bad 'name the same file' --raw x.mp4 --mp4 x.mp4
bad 'name the same file' --raw - --wav /dev/stdout
bad 'name the same file' --png %d.raw --png-frames 5,7 --raw 7.raw
bad 'beyond the last frame, 9' --png %d.png --png-frames 10
ln -s w.wav link.raw
bad 'name the same file' --raw link.raw

# Without ffmpeg the MP4 is refused with the way to install it.
PATH=/nonexistent "$CAPTURE" --quiet --frames 10 --mp4 v.mp4 2>err
[ $? = 1 ] || fail "status without ffmpeg"
grep -q 'apt-get install ffmpeg' err || fail "message without ffmpeg: $(cat err)"
[ ! -e v.mp4 ] || fail "an MP4 without ffmpeg"
# The frames reach ffmpeg as they are, however slowly it reads them.
mkdir slow && ln -s "$SLOW_FFMPEG" slow/ffmpeg
PATH=$PWD/slow:$PATH "$CAPTURE" --quiet --frames 100 --raw s.raw --mp4 s.mp4 || fail "capture to a slow ffmpeg"
cmp -s s.raw s.mp4 || fail "the frames ffmpeg read differ from the raw frames"
if command -v ffmpeg >/dev/null; then
  "$CAPTURE" --quiet --frames 100 --mp4 v.mp4 --upscale || fail "MP4"
  [ "$(size v.mp4)" -gt 1000 ] || fail "MP4 of $(size v.mp4) bytes"
  [ "$(ls -A | grep -c part)" = 0 ] || fail "temporary files left: $(ls -A)"
fi
echo "capture: deterministic, in step, bad input refused"
