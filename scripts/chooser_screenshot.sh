#!/usr/bin/env bash
# The picture of the level chooser in docs/playing.md, taken from the real
# game in a virtual display: a progress file with some levels solved, L pressed.
#   scripts/chooser_screenshot.sh [BUILD-DIR] [OUT.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build}/bin" && pwd)
out=${2:-$root/docs/chooser.png}
game_binary="$bin/zandrove"
source "$root/tests/game/xvfb/harness.sh"
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_DATA_HOME/zandrove"

# The hash of each built-in level as the progress file names it: FNV-1a 64
# over its records, the terminator included (src/packs/level_hash.cpp).
"$bin/zandrove-pack" dump --builtin -o "$work/builtin.txt"
"$bin/zandrove-pack" build "$work/builtin.txt" -o "$work/builtin.pak"
level_hash() {
    python3 - "$work/builtin.pak" "$1" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
at, wanted = 1424, int(sys.argv[2])
for level in range(1, wanted + 1):
    at += 128
    start = at
    while int.from_bytes(data[at:at + 2], 'little') != 0:
        at += 16
    at += 16
h = 0xcbf29ce484222325
for b in data[start:at]:
    h = ((h ^ b) * 0x100000001b3) & 0xffffffffffffffff
print('%016x' % h)
PY
}

# Levels 1, 2, 3 and 6 solved with their recorded solutions, 6 after a hint.
echo "zandrove-progress 1" >"$XDG_DATA_HOME/zandrove/progress.txt"
start_display
for level in 1 2 3 6; do
    line=$(grep -E "^$level " "$root/tests/data/solutions.txt")
    read -r _ frame _ bombs <<<"$line"
    h=$(level_hash "$level")
    state=solved
    [ "$level" = 6 ] && state=hinted
    text="level $h $state frame $frame"
    slot=1
    for b in $bombs; do IFS=, read -r x y f <<<"$b"; text+=" bomb $slot $x $y $f"; slot=$((slot + 1)); done
    echo "$text" >>"$XDG_DATA_HOME/zandrove/progress.txt"
done
start_game --level 4
window=$(find_window) || exit 1
sleep 0.5
xdotool mousemove --window "$window" 420 128
xdotool keydown l; sleep 0.2; xdotool keyup l; sleep 0.3
xdotool keydown Down; sleep 0.2; xdotool keyup Down; sleep 0.3
import -window "$window" "$out"
xdotool keydown F10; sleep 0.3; xdotool keyup F10
wait_for_exit
echo "wrote $out"
