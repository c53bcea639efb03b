#!/bin/sh
# The capture tool's own processor time for 1500 frames from start-up, raw
# frames to /dev/null against MP4 (256 x 256, and 1024 x 1024 as the README's
# recipe makes it): user, system and their sum from the kernel's run time of
# the tool alone (ffmpeg's is not counted), minor page faults, and the MP4's
# time beyond the raw one. Medians of RUNS runs. Then the wall-clock frames
# per second of the README's MP4 recipe over its first 1500 frames.
# Usage: sh bench/capture_bench.sh [CAPTURE [RUNS]]
#        (default build/release/tools/capture/torq6150-capture, 7 runs)
set -eu
cd "$(dirname "$0")/.."
CAPTURE=${1:-build/release/tools/capture/torq6150-capture}
RUNS=${2:-7}
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT

python3 - "$CAPTURE" "$RUNS" "$OUT" <<'EOF'
import os, statistics, subprocess, sys, time
capture, runs, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]

def own(args):
    """Runs the capture; its own user and system seconds, run time, faults."""
    p = subprocess.Popen([capture, "--quiet", "--frames", "1500"] + args)
    # Waits without reaping, so that /proc still shows the finished tool.
    os.waitid(os.P_PID, p.pid, os.WEXITED | os.WNOWAIT)
    stat = open(f"/proc/{p.pid}/stat").read().rsplit(")", 1)[1].split()
    run_ns = int(open(f"/proc/{p.pid}/schedstat").read().split()[0])
    if p.wait() != 0:
        sys.exit(f"capture {' '.join(args)} failed")
    tick = os.sysconf("SC_CLK_TCK")
    return int(stat[11]) / tick, int(stat[12]) / tick, run_ns / 1e9, int(stat[7])

def median_of(args):
    rows = [own(args) for _ in range(runs)]
    return [statistics.median(column) for column in zip(*rows)]

raw = median_of(["--raw", "/dev/null"])
print(f"{'1500 frames':22} {'user':>6} {'system':>6} {'total':>6} {'faults':>7} {'beyond raw':>14}")
for name, args in (("raw to /dev/null", ["--raw", "/dev/null"]),
                   ("MP4 256 x 256", ["--mp4", f"{out}/a.mp4"]),
                   ("MP4 1024 x 1024", ["--mp4", f"{out}/a.mp4", "--upscale"])):
    user, system, total, faults = raw if args[0] == "--raw" else median_of(args)
    beyond = f"{total - raw[2]:+.3f} s {100 * (total - raw[2]) / raw[2]:3.0f}%" if args[0] != "--raw" else ""
    print(f"{name:22} {user:6.2f} {system:6.2f} {total:6.3f} {faults:7.0f} {beyond:>14}")

start = time.monotonic()
subprocess.run([capture, "--quiet", "--frames", "1500", "--keys", "space@3000", "--mp4",
                f"{out}/r.mp4", "--upscale"], check=True)
print(f"README recipe: {1500 / (time.monotonic() - start):.0f} frames per second (wall clock)")
EOF
echo "machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)"
