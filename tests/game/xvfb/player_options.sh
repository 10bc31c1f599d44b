#!/usr/bin/env bash
# The player's options in the real game, in a virtual X display.
#   player_options.sh scale2   BIN_DIR   --scale 2 --mute: a 1280 x 960 window; a scaled click on a slot takes the bomb;
#                                        the options are for that run: a plain start after it opens 640 x 480
#   player_options.sh level7   BIN_DIR   --level 7 starts at level 7: its kept solution, placed by hand, completes it
#   player_options.sh more12   BIN_DIR   --level 12 more.pak extra: level 12 of the second set, its recorded solution
#                                        placed by hand; the word after the pack ignored, named on stderr
#   player_options.sh hard     BIN_DIR   hard.pak --level N: a level of the third set whose recorded solution takes
#                                        two bombs, each dragged from its slot and its fuse set with the buttons
#   player_options.sh progress BIN_DIR   level 1 solved at --scale 2 (scaled drag and clicks) writes the progress file
#   player_options.sh fullscreen BIN_DIR --fullscreen on 1600 x 1200: the picture at scale 2, centred, black
#                                        around it, a click on a slot mapped back; F11 back to the window
#   player_options.sh f11still BIN_DIR   F11 with the mouse still, the level left alone: the picture is shown
#                                        at once, in full screen and back in the window, never a black screen
set -euo pipefail

mode=$1
bin=$(cd "$2" && pwd)
game_binary="$bin/zandrove"
XVFB_SCREEN=1600x1200x24
source "$(dirname "$0")/harness.sh"
case_name=$mode
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
progress="$XDG_DATA_HOME/zandrove/progress.txt"

shot() { import -window "$window" "$work/$1.png"; }
move() { xdotool mousemove --window "$window" "$1" "$2"; sleep 0.2; }
press() { xdotool mousedown 1; sleep 0.2; }
release() { xdotool mouseup 1; sleep 0.2; }
click() { move "$1" "$2"; press; release; }
key() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; sleep 0.2; }
area_differs() {
    convert "$work/$2.png" -crop "$1" +repage "$work/crop-a.png"
    convert "$work/$3.png" -crop "$1" +repage "$work/crop-b.png"
    local n
    n=$(compare -metric AE "$work/crop-a.png" "$work/crop-b.png" null: 2>&1 || true)
    [ "${n%%.*}" -gt 0 ]
}

# Places the one bomb of a level at game pixel (x, y), its fuse stepped down
# from 60 frames with the minus button, all at scale s, then runs the level.
place_and_run() {
    local s=$1 x=$2 y=$3 minus=$4
    click $((120 * s)) $((412 * s))            # slot 0: the bomb lands at (320, 240)
    move $((320 * s)) $((240 * s))
    press
    for step in 1 2 3 4 5 6; do move $(((320 + (x - 320) * step / 6) * s)) $(((240 + (y - 240) * step / 6) * s)); done
    release
    for _ in $(seq "$minus"); do click $((368 * s)) $((422 * s)); done
    move $((600 * s)) $((20 * s))
    key space
}

# Takes the bomb of slot k (from 0) out of the inventory, drags it to game
# pixel (x, y) and sets its fuse from 60 frames: n clicks on minus, or -n on
# plus. Scale 1.
place_bomb() {
    local k=$1 x=$2 y=$3 n=$4
    click $((120 + 40 * k)) 412                # the bomb lands at (320, 240)
    move 320 240
    press
    for step in 1 2 3 4 5 6; do move $((320 + (x - 320) * step / 6)) $((240 + (y - 240) * step / 6)); done
    release
    if [ "$n" -ge 0 ]; then
        for _ in $(seq "$n"); do click 368 422; done
    else
        for _ in $(seq $((-n))); do click 480 422; done
    fi
}

# Waits up to 20 s for the progress file to hold the line.
expect_progress() {
    for _ in $(seq 200); do
        grep -q -- "$1" "$progress" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "progress file: wanted '$1', have: $(cat "$progress" 2>/dev/null || echo none)"
}

quit() {
    key F10
    wait_for_exit
    [ "$status" -eq 0 ] || fail "exit status $status after F10"
}

start_display
case "$mode" in
scale2)
    start_game --scale 2 --mute
    window=$(find_window) || exit 1
    sleep 0.5
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = "1280x960" ] || fail "window of $geometry, not 1280x960"
    move 1200 80
    shot start
    click 240 824              # slot 0 (game pixel 120, 412), scaled by two
    move 1200 80
    shot taken
    area_differs 64x64+208+812 start taken || fail "the scaled click left the slot as it was"
    area_differs 64x64+608+448 start taken || fail "no bomb in the middle of the play-field"
    # Every game pixel is a 2 x 2 square: the picture halved and doubled again is the same.
    convert "$work/taken.png" -sample 640x480 -sample 1280x960 "$work/resampled.png"
    n=$(compare -metric AE "$work/taken.png" "$work/resampled.png" null: 2>&1 || true)
    [ "${n%%.*}" -eq 0 ] || fail "$n pixels are not part of a 2 x 2 square"
    quit
    [ ! -e "$XDG_CONFIG_HOME/zandrove/settings.txt" ] || fail "the options were written: $(cat "$XDG_CONFIG_HOME/zandrove/settings.txt")"
    start_game
    window=$(find_window) || exit 1
    sleep 0.5
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = "640x480" ] || fail "a plain start after --scale 2 opened $geometry, not 640x480"
    move 600 40  # keys go to the window under the pointer
    quit
    ;;
level7)
    start_game --level 7
    window=$(find_window) || exit 1
    sleep 0.5
    place_and_run 1 476 204 3      # fuse 60 -> 15 frames
    expect_progress " solved frame 298 bomb 1 476 204 15\$"
    quit
    ;;
more12)
    # A pack made by zandrove-pack, its levels named in its headers.
    start_game --level 12 more.pak extra
    window=$(find_window) || exit 1
    grep -qx "zandrove: ignored: extra" "$work/stderr" || fail "stderr does not name the ignored word"
    sleep 0.5
    place_and_run 1 36 388 4       # fuse 60 -> 6 frames
    expect_progress " solved frame 379 bomb 1 36 388 6\$"
    quit
    ;;
hard)
    # The level's recorded solution, as the tests replay it; every bomb of
    # the hard set lies where the mouse reaches, so no key nudges it.
    level=12
    line=$(grep -E "^$level " "$(dirname "$0")/../../data/hard_solutions.txt")
    read -r _ frame _ bombs <<<"$line"
    start_game --level "$level" hard.pak
    window=$(find_window) || exit 1
    sleep 0.5
    k=0 want=""
    for b in $bombs; do
        IFS=, read -r x y fuse <<<"$b"
        if [ "$fuse" -eq 6 ]; then n=4; else n=$(((60 - fuse) / 15)); fi
        place_bomb "$k" "$x" "$y" "$n"
        k=$((k + 1))
        want="$want bomb $k $x $y $fuse"
    done
    move 600 20
    key space
    expect_progress " solved frame $frame$want\$"
    quit
    ;;
progress)
    start_game --scale 2
    window=$(find_window) || exit 1
    sleep 0.5
    place_and_run 2 56 112 4       # fuse 60 -> 6 frames
    expect_progress " solved frame 351 bomb 1 56 112 6\$"
    head -n 1 "$progress" | grep -qx "zandrove-progress 1" || fail "no version line"
    quit
    ;;
fullscreen)
    start_game --fullscreen
    find_window >/dev/null
    window=root
    sleep 2
    xdotool mousemove 1400 100; sleep 0.3
    shot start
    xdotool mousemove $((160 + 240)) $((120 + 824)); sleep 0.2; press; release   # slot 0, scaled, offset
    xdotool mousemove 1400 100; sleep 0.3
    shot taken
    area_differs 64x64+368+932 start taken || fail "the click did not take the bomb"
    convert "$work/taken.png" -crop 160x1200+0+0 +repage -format '%k' info: >"$work/colours"
    [ "$(cat "$work/colours")" -eq 1 ] || fail "not black left of the picture"
    convert "$work/taken.png" -crop 1280x960+160+120 +repage "$work/picture.png"
    convert "$work/picture.png" -sample 640x480 -sample 1280x960 "$work/resampled.png"
    n=$(compare -metric AE "$work/picture.png" "$work/resampled.png" null: 2>&1 || true)
    [ "${n%%.*}" -eq 0 ] || fail "$n pixels are not part of a 2 x 2 square"
    key F11
    sleep 1
    xdotool mousemove 300 300  # keys go to the window under the pointer
    geometry=$(xdotool getwindowgeometry "$(find_window)" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = "640x480" ] || fail "F11 gave a window of $geometry, not 640x480"
    quit
    grep -qx "fullscreen no" "$XDG_CONFIG_HOME/zandrove/settings.txt" || fail "the window was not remembered"
    ;;
f11still)
    start_game
    window=$(find_window) || exit 1
    sleep 0.5
    # A new screen mode puts the pointer in its middle, which is where it
    # already is: nothing the frame reads changes with the switch.
    move 320 240
    sleep 0.5
    key F11
    window=root
    shot full
    convert "$work/full.png" -crop 1280x960+160+120 +repage -format '%k' info: >"$work/colours"
    [ "$(cat "$work/colours")" -gt 8 ] || fail "full screen shows $(cat "$work/colours") colours, not the level"
    key F11
    window=$(find_window) || exit 1
    shot windowed
    colours=$(identify -format '%k' "$work/windowed.png")
    [ "$colours" -gt 8 ] || fail "back in the window it shows $colours colours, not the level"
    move 600 40  # keys go to the window under the pointer
    quit
    ;;
esac
