#!/usr/bin/env bash
# Quitting the real game and designer in a virtual X display in the ways that
# are not F10: Ctrl-\ (SIGQUIT), a closed terminal (SIGHUP), the X server
# going away, and SIGTERM with work that cannot be kept. Each ends cleanly,
# and the designer's unsaved work is in its recovery file or said lost.
#   quitting.sh sigquit|sighup|lost-display|lost-work BIN_DIR
set -euo pipefail

mode=$1
bin=$(cd "$2" && pwd)
game_binary="$bin/zandrove"
case_name=$mode
source "$(dirname "$0")/../../game/xvfb/harness.sh"

key() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; sleep 0.2; }
bombs() { "$bin/zandrove-pack" dump "$1" | grep -cx bomb || true; }
# The designer on a new pack, one inventory bomb added and not saved.
design_one_change() {
    start_game --design "$1"
    find_window >/dev/null
    sleep 0.5
    key i
}

start_display
case $mode in
sigquit)
    start_game
    find_window >/dev/null
    sleep 0.5
    kill -QUIT "$game_pid"
    wait_for_exit
    [ "$status" -eq 0 ] || fail "exit status $status after SIGQUIT"
    ;;
sighup)
    design_one_change "$work/hup.pak"
    kill -HUP "$game_pid"
    wait_for_exit
    [ "$status" -eq 0 ] || fail "exit status $status after SIGHUP"
    [ "$(bombs "$work/hup.pak.autosave")" -eq 1 ] || fail "SIGHUP left no recovery of the change"
    ;;
lost-display)
    design_one_change "$work/lost.pak"
    kill "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
    wait_for_exit
    [ "$status" -eq 1 ] || fail "exit status $status after the display went away"
    grep -q "^zandrove: the display was lost; unsaved work kept in $work/lost.pak.autosave\$" "$work/stderr" ||
        fail "the loss was not said"
    [ "$(bombs "$work/lost.pak.autosave")" -eq 1 ] || fail "no recovery of the change"
    ;;
lost-work)
    long="$work/$(printf 'n%.0s' {1..246}).pak"  # 250 bytes: the recovery file's name is too long
    design_one_change "$long"
    kill -TERM "$game_pid"
    wait_for_exit
    [ "$status" -eq 1 ] || fail "exit status $status with the work lost"
    grep -q "^zandrove: unsaved changes lost: cannot write '$long.autosave': file name too long\$" "$work/stderr" ||
        fail "the loss was not said"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
echo "ok: $mode"
