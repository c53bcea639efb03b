# The offline capture, driven as a user would: deterministic output, sound in
# step with the frames, and bad input refused without leaving files.
set -u
CAPTURE=$1
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

# A still is a PNG file.
mkdir stills
"$CAPTURE" --quiet --frames 360 --keys space@300 --png stills/f%04d.png --png-frames 350,0 ||
  fail "capture stills"
[ "$(ls stills)" = "$(printf 'f0000.png\nf0350.png')" ] || fail "stills: $(ls stills)"
head -c 8 stills/f0350.png | od -An -c | grep -q 'P   N   G' || fail "not a PNG"

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
  [ "$(ls -A | grep -v -x -e out -e err)" = "" ] || fail "left behind for $*: $(ls -A)"
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

# Without ffmpeg the MP4 is refused with the way to install it.
PATH=/nonexistent "$CAPTURE" --quiet --frames 10 --mp4 v.mp4 2>err
[ $? = 1 ] || fail "status without ffmpeg"
grep -q 'apt-get install ffmpeg' err || fail "message without ffmpeg: $(cat err)"
[ ! -e v.mp4 ] || fail "an MP4 without ffmpeg"
if command -v ffmpeg >/dev/null; then
  "$CAPTURE" --quiet --frames 100 --mp4 v.mp4 --upscale || fail "MP4"
  [ "$(size v.mp4)" -gt 1000 ] || fail "MP4 of $(size v.mp4) bytes"
  [ "$(ls -A | grep -c part)" = 0 ] || fail "temporary files left: $(ls -A)"
fi
echo "capture: deterministic, in step, bad input refused"
