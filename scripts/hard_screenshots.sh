#!/usr/bin/env bash
# The pictures of every tenth level of the hard set in docs/levels.md, drawn
# by the game itself (zandrove-sim --screenshot, the frame in which a run
# would start, no bomb placed: what the player is given), as PNG.
#   scripts/hard_screenshots.sh [BUILD-DIR] [OUT-DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build}/bin" && pwd)
out=${2:-$root/docs}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
count=$("$bin/zandrove-pack" dump "$bin/hard.pak" | grep -c '^level "')
for ((level = 10; level <= count; level += 10)); do
    "$bin/zandrove-sim" --pack "$bin/hard.pak" --level "$level" --screenshot "$work/shot.bmp" --at 0 >/dev/null
    # -strip: no time stamps, so an unchanged level gives the same file.
    convert "$work/shot.bmp" -strip "$out/hard-$level.png"
    echo "$out/hard-$level.png"
done
