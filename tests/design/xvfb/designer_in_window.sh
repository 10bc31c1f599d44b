#!/usr/bin/env bash
# The level designer in a virtual X display, used as a player would: a level
# drawn with the mouse and keys into a new pack, saved with Ctrl+S, the game
# quit with F10, the pack checked by zandrove-pack; then unsaved work kept in
# the recovery file when the game is ended with SIGTERM.
#   designer_in_window.sh BIN_DIR SEND_CLOSE
set -euo pipefail

bin=$(cd "$1" && pwd)
send_close=$2
game_binary="$bin/zandrove"
source "$(dirname "$0")/../../game/xvfb/harness.sh"

# Every press is held for several frames: the game samples once a frame.
move() { xdotool mousemove --window "$window" "$1" "$2"; sleep 0.2; }
drag() {
    move "$1" "$2"
    xdotool mousedown 1; sleep 0.2
    move $((($1 + $3) / 2)) $((($2 + $4) / 2))
    move "$3" "$4"
    xdotool mouseup 1; sleep 0.2
}
click() { drag "$1" "$2" "$1" "$2"; }
key() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; sleep 0.2; }
ctrl_key() { xdotool keydown ctrl; sleep 0.1; key "$1"; xdotool keyup ctrl; sleep 0.2; }

start_display
pack="$work/NEW.pak"
start_game --design "$pack"
window=$(find_window) || exit 1
sleep 0.5
key b
drag 210 370 370 370    # the floor
key h
click 240 348           # a hamster standing on it
key x
drag 300 320 359 359    # the exit beside it
key i                   # one bomb for the player
ctrl_key s
[ -f "$pack" ] || fail "Ctrl+S wrote no file"
key F10
wait_for_exit
[ "$status" -eq 0 ] || fail "exit status $status after F10"
"$bin/zandrove-pack" check "$pack" >"$work/check" || fail "zandrove-pack check: $(cat "$work/check")"
"$bin/zandrove-pack" dump "$pack" >"$work/dump"
for line in "block row y=370 x=210..370" "hamster 240 344" "exit 300 320 60 40" "bomb"; do
    grep -qx "$line" "$work/dump" || fail "the saved level lacks '$line': $(cat "$work/dump")"
done
[ ! -e "$pack.autosave" ] || fail "a recovery file was left after the save"

# Unsaved work, then a polite kill: the recovery file is written before the exit.
start_game --design "$pack"
window=$(find_window) || exit 1
sleep 0.5
key i
kill -TERM "$game_pid"
wait_for_exit
[ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
[ -f "$pack.autosave" ] || fail "SIGTERM left no recovery file"
[ "$(grep -cx bomb < <("$bin/zandrove-pack" dump "$pack.autosave"))" -eq 2 ] || fail "the recovery lacks the second bomb"
# It reopens as the newer work; the close button asks once, F10 then quits.
start_game --design "$pack"
window=$(find_window) || exit 1
sleep 0.5
"$send_close" "$window" || fail "could not ask the window to close"
sleep 0.5
kill -0 "$game_pid" 2>/dev/null || fail "closing with unsaved (recovered) work quit without asking"
key F10
wait_for_exit
[ "$status" -eq 0 ] || fail "exit status $status after the second F10"
echo "ok: designer"
