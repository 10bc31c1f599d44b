#!/usr/bin/env bash
# The pictures of the player's edition in docs/playing.md, taken from the
# real game (zandrove --menu) in a virtual display with a fresh progress
# folder: the title screen, its Levels' menu of the sets (the pointer on the
# third), level 1 at its start (its name over the field,
# the help line, the level in the HUD's corner) and level 1's result after
# its kept solution is placed by hand.
#   scripts/edition_screenshots.sh [BUILD-DIR] [OUT-DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build}/bin" && pwd)
out=$(mkdir -p "${2:-$root/docs}" && cd "${2:-$root/docs}" && pwd)
game_binary="$bin/zandrove"
source "$root/tests/game/xvfb/harness.sh"

move() { xdotool mousemove --window "$window" "$1" "$2"; sleep 0.2; }
click() { move "$1" "$2"; xdotool mousedown 1; sleep 0.2; xdotool mouseup 1; sleep 0.2; }
key() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; sleep 0.3; }

start_display
start_game --menu --mute
window=$(find_window) || exit 1
sleep 0.5
move 322 186          # over Continue
sleep 0.3
import -window "$window" "$out/edition-title.png"
click 322 210         # Levels: the sets
move 320 254          # over the third
sleep 0.3
import -window "$window" "$out/edition-sets.png"
key Escape            # back to the title
click 322 186         # Continue: level 1
sleep 0.6
move 600 300
import -window "$window" "$out/edition-level.png"
# Level 1's kept solution: the bomb out of slot 1, dragged to (56, 112),
# its fuse clicked down to the shortest, then run.
click 120 412
move 320 240
xdotool mousedown 1; sleep 0.2
for step in 1 2 3 4 5 6; do move $((320 + (56 - 320) * step / 6)) $((240 + (112 - 240) * step / 6)); done
xdotool mouseup 1; sleep 0.2
for _ in 1 2 3 4; do click 368 422; done
move 600 300
key space
sleep 12               # 351 frames of the run, two seconds of the banner, time to spare: the result waits
import -window "$window" "$out/edition-result.png"
key F10
key F10
key F10
wait_for_exit
[ "$status" -eq 0 ] || fail "exit status $status"
echo "wrote $out/edition-title.png $out/edition-sets.png $out/edition-level.png $out/edition-result.png"
