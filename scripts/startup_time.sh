#!/usr/bin/env bash
# Times the real game from launch to its window appearing and to the first
# frame shown in it, in a virtual X display, a few times over.
#   scripts/startup_time.sh [RUNS]      default 5
# Uses the game and zandrove-startup-probe of ZANDROVE_BUILD_DIR (default build).
set -euo pipefail

runs=${1:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZANDROVE_BUILD_DIR:-$root/build}
cmake --build "$build" --target zandrove zandrove-startup-probe assets >/dev/null

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    n=$(head -n 1 "$work/display" 2>/dev/null || true)
    [[ "$n" =~ ^[0-9]+$ ]] && break
    sleep 0.1
done
[[ "$n" =~ ^[0-9]+$ ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$n"
unset XAUTHORITY

for i in $(seq "$runs"); do
    "$build/bin/zandrove-startup-probe" "$build/bin/zandrove" 2>/dev/null | tee -a "$work/runs"
done
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
window=$(sed 's/.*window_ms=\([^ ]*\).*/\1/' "$work/runs" | median)
frame=$(sed 's/.*first_frame_ms=\([^ ]*\).*/\1/' "$work/runs" | median)
echo "median of $runs: window $window ms, first frame $frame ms"
