#!/usr/bin/env bash
# Runs the real game in a virtual X display and plays it as a player would.
#   game_in_window.sh play    BIN_DIR SEND_CLOSE   take, drag and time a bomb, run, quit with F10
#   game_in_window.sh close   BIN_DIR SEND_CLOSE   quit with the window's close button, then with Ctrl-C
#   game_in_window.sh missing BIN_DIR SEND_CLOSE   a copy without one asset must refuse to start
set -euo pipefail

mode=$1
bin=$(cd "$2" && pwd)
send_close=$3
title="Zandrove - By Tobrandel"

work=$(mktemp -d)
game_pid=""
xvfb_pid=""
cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then kill -9 "$game_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
    if [ -n "${KEEP_SHOTS:-}" ]; then cp "$work"/*.png "$KEEP_SHOTS"/ 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/stderr" ] && sed 's/^/  game stderr: /' "$work/stderr" >&2
    exit 1
}

start_game() {
    "$1" 2>"$work/stderr" >/dev/null </dev/null &
    game_pid=$!
}

# Sets status to the game's exit status; fails if it still runs after 20 seconds.
wait_for_exit() {
    for _ in $(seq 200); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$game_pid" 2>/dev/null && fail "the game did not exit"
    status=0
    wait "$game_pid" || status=$?
    game_pid=""
}

find_window() {
    local w=""
    for _ in $(seq 200); do
        w=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1 || true)
        [ -n "$w" ] && break
        kill -0 "$game_pid" 2>/dev/null || fail "the game exited before opening its window"
        sleep 0.1
    done
    [ -n "$w" ] || fail "no window titled \"$title\""
    echo "$w"
}

# A virtual display of our own. Xvfb picks a free display number itself
# (-displayfd), so runs in parallel, here or in another build, cannot collide
# as xvfb-run -a can; it writes the number once it accepts connections.
# -noreset: by default the server resets when its last client leaves, and a
# game connecting during that reset is turned away ("cannot start Allegro").
start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    local n=""
    for _ in $(seq 100); do
        n=$(head -n 1 "$work/display" 2>/dev/null || true)
        [[ "$n" =~ ^[0-9]+$ ]] && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
        sleep 0.1
    done
    [[ "$n" =~ ^[0-9]+$ ]] || fail "Xvfb did not report its display"
    export DISPLAY=":$n"
    unset XAUTHORITY
}

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
    start_game "$bin/zandrove"
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
    ;;
close)
    start_game "$bin/zandrove"
    window=$(find_window) || exit 1
    sleep 0.5
    "$send_close" "$window" || fail "could not ask the window to close"
    wait_for_exit
    [ "$status" -eq 0 ] || fail "exit status $status after the close button"
    # Ctrl-C in the terminal ends it the same way.
    start_game "$bin/zandrove"
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
    start_game "$work/game/zandrove"
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
