#!/usr/bin/env bash
# Runs the real game in a virtual X display and plays it as a player would.
#   game_in_window.sh play    BIN_DIR SEND_CLOSE   take, drag and time a bomb, run, quit with F10
#   game_in_window.sh close   BIN_DIR SEND_CLOSE   quit with the window's close button, then with Ctrl-C
#   game_in_window.sh missing BIN_DIR SEND_CLOSE   a copy without one asset must refuse to start
set -euo pipefail

mode=$1
bin=$(cd "$2" && pwd)
send_close=$3
game_binary="$bin/zandrove"
source "$(dirname "$0")/harness.sh"

shot() { import -window "$window" "$work/$1.png"; }

# Number of differing pixels of one area of two screenshots.
area_differs() {
    local geometry=$1 a=$2 b=$3
    convert "$work/$a.png" -crop "$geometry" +repage "$work/crop-a.png"
    convert "$work/$b.png" -crop "$geometry" +repage "$work/crop-b.png"
    local n
    n=$(compare -metric AE "$work/crop-a.png" "$work/crop-b.png" null: 2>&1 || true)
    [ "${n%%.*}" -gt 0 ]
}

# The game samples the mouse and keys once a frame, so every press is held
# for several frames, as a player's would be; xdotool's click and key are too
# quick to be seen.
move() { xdotool mousemove --window "$window" "$1" "$2"; sleep 0.2; }
press() { xdotool mousedown 1; sleep 0.2; }
release() { xdotool mouseup 1; sleep 0.2; }
click() { move "$1" "$2"; press; release; }
key() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; sleep 0.2; }

start_display
case "$mode" in
play)
    start_game
    window=$(find_window) || exit 1
    sleep 0.5
    move 600 40
    shot start
    # Inventory slot 0 lies at x 105..136, y 9..40 of the HUD, which starts at y 398
    # (480 minus its 82 rows).
    click 120 412
    move 320 240
    press
    for step in 1 2 3 4 5; do move $((320 - 30 * step)) $((240 - 20 * step)); done
    release
    click 480 422          # the plus button, y 17..32 of the HUD
    move 600 40
    shot placed
    area_differs 32x32+104+406 start placed || fail "taking the bomb left its inventory slot unchanged"
    area_differs 40x40+150+120 start placed || fail "the dragged bomb is not where it was dropped"
    key space
    sleep 0.3
    shot running
    colours=$(identify -format '%k' "$work/running.png")
    [ "$colours" -gt 8 ] || fail "the window looks blank ($colours colours)"
    area_differs 640x41+0+398 placed running || fail "the HUD did not drop in run mode"
    key space
    key F10
    wait_for_exit
    [ "$status" -eq 0 ] || fail "exit status $status after F10"
    # A machine without a sound card (as here) gets one line saying so, not
    # the sound library's own complaints.
    lines=$(wc -l <"$work/stderr")
    [ "$lines" -le 1 ] || fail "$lines lines on stderr: $(head -c 300 "$work/stderr")"
    if [ "$lines" -eq 1 ]; then grep -q '^zandrove: sound is off: .*playing silently$' "$work/stderr" || fail "stderr: $(cat "$work/stderr")"; fi
    ;;
close)
    start_game
    window=$(find_window) || exit 1
    sleep 0.5
    "$send_close" "$window" || fail "could not ask the window to close"
    wait_for_exit
    [ "$status" -eq 0 ] || fail "exit status $status after the close button"
    # Ctrl-C in the terminal ends it the same way.
    start_game
    window=$(find_window) || exit 1
    sleep 0.5
    kill -INT "$game_pid"
    wait_for_exit
    [ "$status" -eq 0 ] || fail "exit status $status after SIGINT"
    ;;
missing)
    # A copy of the game and its assets; the build's own files are left alone.
    mkdir "$work/game"
    cp "$bin/zandrove" "$bin"/*.bmp "$bin"/*.wav "$work/game/"
    rm "$work/game/Slider.bmp"
    game_binary="$work/game/zandrove"
    start_game
    wait_for_exit
    [ "$status" -ne 0 ] || fail "started without Slider.bmp"
    grep -q 'Slider.bmp' "$work/stderr" || fail "stderr does not name Slider.bmp"
    ;;
*)
    echo "unknown mode: $mode" >&2
    exit 2
    ;;
esac
echo "ok: $mode"
