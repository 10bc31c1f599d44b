# Shared by the scripts that run the real game in a virtual X display; they
# source it after setting game_binary (what start_game runs).
# Provides: work (a scratch directory), fail, start_display, start_game,
# wait_for_exit (sets status), find_window, play_then_f10. Set case_name to
# have failures name the case, XVFB_SCREEN for another screen than 1024x768x24,
# KEEP_SHOTS to keep the screenshots in that
# directory.
title="Zandrove - By Tobrandel"
work=$(mktemp -d)
# The player's own progress and settings are neither read nor changed: a kept
# scale or full screen would change the window these runs expect.
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
game_pid=""
xvfb_pid=""
case_name=""
cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then kill -9 "$game_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
    if [ -n "${KEEP_SHOTS:-}" ]; then cp "$work"/*.png "$KEEP_SHOTS"/ 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL${case_name:+ ($case_name)}: $*" >&2
    [ -f "$work/stderr" ] && grep -v '^ALSA lib' "$work/stderr" | sed 's/^/  game stderr: /' >&2
    exit 1
}

# A virtual display of our own. Xvfb picks a free display number itself
# (-displayfd), so runs in parallel, here or in another build, cannot collide
# as xvfb-run -a can; it writes the number once it accepts connections.
# -noreset: by default the server resets when its last client leaves, and a
# game connecting during that reset is turned away ("cannot start Allegro").
start_display() {
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
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

# Starts game_binary with the given arguments in the background.
start_game() {
    "$game_binary" "$@" 2>"$work/stderr" >/dev/null </dev/null &
    game_pid=$!
}

# Sets status to the game's exit status; fails if it still runs after 30 seconds.
wait_for_exit() {
    for _ in $(seq 300); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$game_pid" 2>/dev/null && fail "the game did not exit"
    status=0
    wait "$game_pid" || status=$?
    game_pid=""
}

# Prints the game's window id once it is open.
find_window() {
    local w=""
    for _ in $(seq 300); do
        w=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1 || true)
        [ -n "$w" ] && break
        kill -0 "$game_pid" 2>/dev/null || fail "the game exited before opening its window"
        sleep 0.1
    done
    [ -n "$w" ] || fail "no window titled \"$title\""
    echo "$w"
}

# The game must open its window and play until F10, then exit 0.
play_then_f10() {
    start_game "$@"
    find_window >/dev/null
    sleep 0.5
    kill -0 "$game_pid" 2>/dev/null || fail "exited while playing"
    xdotool keydown F10
    sleep 0.3
    xdotool keyup F10
    wait_for_exit
    [ "$status" -eq 0 ] || fail "exit status $status after F10"
}
