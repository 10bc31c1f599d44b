#!/usr/bin/env bash
# The real game, in a virtual X display, given broken assets and broken level
# pack files. Broken assets must stop it with one message naming the file and
# a non-zero status; a broken pack must never stop it: it plays what the pack
# holds whole (or the built-in levels) and quits cleanly on F10.
#   bad_input.sh BIN_DIR
set -euo pipefail

bin=$(cd "$1" && pwd)
source "$(dirname "$0")/harness.sh"
game_binary="$work/game/zandrove"

# A copy of the game and its assets to damage; the build's own files stay.
fresh_copy() {
    rm -rf "$work/game"
    mkdir "$work/game"
    cp "$bin/zandrove" "$bin"/*.bmp "$bin"/*.wav "$work/game/"
}

# The game must refuse to start, naming the file.
expect_refusal() {
    local file=$1
    start_game
    wait_for_exit
    [ "$status" -ne 0 ] || fail "started anyway"
    [ "$status" -lt 128 ] || fail "crashed (status $status)"
    grep -q "\"$file\"" "$work/stderr" || fail "stderr does not name $file"
}

# Level pack bytes: le16 prints one little-endian 16-bit value, record eight.
le16() { local v=$(($1 & 0xFFFF)); printf "\\x$(printf %02x $((v & 0xFF)))\\x$(printf %02x $((v >> 8)))"; }
record() {
    local fields=("$@" 0 0 0 0 0 0 0 0)
    for v in "${fields[@]:0:8}"; do le16 "$v"; done
}
zeros() { head -c "$1" /dev/zero; }

# No display to open: one line that says so and names DISPLAY, status 1.
fresh_copy
case_name="DISPLAY unset"
env -u DISPLAY "$game_binary" 2>"$work/stderr" >/dev/null </dev/null & game_pid=$!
wait_for_exit
[ "$status" -eq 1 ] || fail "exit status $status"
grep -qx 'zandrove: cannot start Allegro: no display could be opened: DISPLAY is not set' "$work/stderr" ||
    fail "no reason given"
case_name="a display that is not there"
DISPLAY=:65000 "$game_binary" 2>"$work/stderr" >/dev/null </dev/null & game_pid=$!
wait_for_exit
[ "$status" -eq 1 ] || fail "exit status $status"
grep -qx 'zandrove: cannot start Allegro: no display could be opened: DISPLAY is ":65000"' "$work/stderr" ||
    fail "no reason given"

start_display

# Every asset missing in turn.
for file in "$bin"/*.bmp "$bin"/*.wav; do
    name=$(basename "$file")
    [ "$name" = DesignBar.bmp ] && continue  # the designer's alone: below
    case_name="missing $name"
    fresh_copy
    rm "$work/game/$name"
    expect_refusal "$name"
done
[ "$(ls "$bin"/*.bmp "$bin"/*.wav | wc -l)" -eq 38 ] || { case_name="asset count"; fail "expected 38 asset files"; }
# The designer's bar is needed by the designer only.
case_name="missing DesignBar.bmp, designing"
fresh_copy
rm "$work/game/DesignBar.bmp"
start_game --design "$work/new.pak"
wait_for_exit
[ "$status" -eq 1 ] || fail "exit status $status"
grep -q '"DesignBar.bmp"' "$work/stderr" || fail "stderr does not name DesignBar.bmp"

# Pictures smaller than what the game cuts or copies from them.
case_name="a strip sheet of three frames"
fresh_copy
convert -size 16x48 xc:orange "BMP3:$work/game/Flare.bmp"
expect_refusal Flare.bmp
case_name="a time font one glyph short"
fresh_copy
convert -size 12x312 xc:white "BMP3:$work/game/TimeFont.bmp"
expect_refusal TimeFont.bmp
case_name="a background smaller than the window"
fresh_copy
convert -size 320x240 xc:navy "BMP3:$work/game/Background.bmp"
expect_refusal Background.bmp
case_name="an asset that is not a picture"
fresh_copy
printf 'BM not really a bitmap' >"$work/game/Hud.bmp"
expect_refusal Hud.bmp

# Ctrl-C while the assets load: a background this large takes a moment, and
# the window is open before loading starts. The game must quit cleanly.
case_name="Ctrl-C during start-up"
fresh_copy
convert -size 4000x3000 xc:navy "BMP3:$work/game/Background.bmp"
start_game
for _ in $(seq 300); do
    xdotool search --name "^$title\$" >/dev/null 2>&1 && break
    kill -0 "$game_pid" 2>/dev/null || fail "exited before opening its window"
    sleep 0.02
done
kill -INT "$game_pid"
wait_for_exit
[ "$status" -eq 0 ] || fail "exit status $status after Ctrl-C during start-up"

fresh_copy
packs="$work/packs"
mkdir "$packs"

# No level to play: refused in one line, the built-in levels played.
case_name="an empty pack"
: >"$packs/empty.zpk"
play_then_f10 "$packs/empty.zpk"
grep -qx "zandrove: '$packs/empty.zpk' refused: no complete level in it; the built-in levels are played" "$work/stderr" ||
    fail "stderr does not say the pack was refused"

case_name="a directory as the pack"
play_then_f10 "$packs"

case_name="a pack that does not exist"
play_then_f10 "$packs/no such pack.zpk"
# One line names it and says why; the built-in levels are played.
said=$(grep -c "^zandrove: '$packs/no such pack.zpk' refused: .*; the built-in levels are played$" "$work/stderr" || true)
[ "$said" = 1 ] || fail "the pack that cannot be opened is not named in one line"

# Nothing ever writes to it: opening it to read would wait for ever, before
# the window opens. Only a regular file is a pack; the built-in levels play.
case_name="a FIFO as the pack"
mkfifo "$packs/fifo.zpk"
play_then_f10 "$packs/fifo.zpk"

case_name="forty hamsters"
{
    zeros 1424; zeros 128
    for x in $(seq 10 20 630); do record 1 "$x" 470; done
    for k in $(seq 0 39); do record 3 $((15 + 15 * k)) 444; done
    record 7 0 400 640 80
    record 0
} >"$packs/hamsters.zpk"
play_then_f10 "$packs/hamsters.zpk"

case_name="a pack cut inside its second level"
{
    zeros 1424; zeros 128
    record 4 -2048 -2048 0 0 4; record 3 100 104; record 1 90 130; record 1 110 130; record 7 500 100 40 40
    record 0
    zeros 128
    record 1 10 10; record 2 30 10
} | head -c -7 >"$packs/cut.zpk"
play_then_f10 "$packs/cut.zpk"

case_name="fields at the 16-bit limits"
{
    zeros 1424; zeros 128
    record 4 -32768 32767 32767 -32768 -32768
    record 3 32767 32767; record 3 -32768 -32768; record 3 300 200
    record 5 310 210 0 0 -32768; record 5 32767 32767 0 0 32767
    record 7 -32768 -32768 32767 32767; record 7 0 0 -32768 32767
    record 0
} >"$packs/limits.zpk"
play_then_f10 "$packs/limits.zpk"

echo "ok: bad input"
