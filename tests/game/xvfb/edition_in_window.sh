#!/usr/bin/env bash
# The player's edition in the real game, in a virtual X display, with a
# fresh progress folder: `zandrove --menu` shows the title screen (its name
# in big amber letters), Continue (Enter) starts level 1 (the window's title
# names it), F10 goes back to the title and F10 there quits with status 0.
#   edition_in_window.sh BIN_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
game_binary="$bin/zandrove"
source "$(dirname "$0")/harness.sh"
case_name="--menu"

key() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; sleep 0.2; }
# The window's title, once it is the one wanted (within 10 s).
expect_title() {
    local name=""
    for _ in $(seq 100); do
        name=$(xdotool getwindowname "$window" 2>/dev/null || true)
        [ "$name" = "$1" ] && return 0
        sleep 0.1
    done
    fail "window title \"$name\", not \"$1\""
}
# r g b of the window's pixel at (x, y).
pixel() {
    import -window "$window" "$work/shot.png"
    convert "$work/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}
amber() { local r g b; read -r r g b <<<"$1"; [ "$r" -gt 200 ] && [ "$g" -gt 150 ] && [ "$g" -lt 225 ] && [ "$b" -lt 130 ]; }

start_display
start_game --menu --mute
window=$(find_window) || exit 1
sleep 0.5
xdotool mousemove --window "$window" 600 30
# The Z of the title: its first square's face.
amber "$(pixel 135 39)" || fail "no title screen: the pixel at 135,39 is $(pixel 135 39)"
key Return
expect_title "$title - Level 1"
sleep 0.3
amber "$(pixel 135 39)" && fail "level 1 does not show: the title's letters are still there"
key F10
expect_title "$title"
sleep 0.3
amber "$(pixel 135 39)" || fail "F10 in the level did not bring the title back"
key F10
wait_for_exit
[ "$status" -eq 0 ] || fail "exit status $status after F10 on the title"
[ ! -e "$XDG_DATA_HOME/zandrove/progress.txt" ] || fail "a progress file was written without a level solved"
echo "ok: the player's edition in a window"
