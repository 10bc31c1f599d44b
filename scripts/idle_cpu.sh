#!/usr/bin/env bash
# How much of one core the game takes while a level waits in edit mode with
# nothing happening: each game given is started in its own window of one
# virtual X display, left alone, and its CPU time (user + system, from
# /proc) is read over the measured seconds. Games given together run side
# by side, so a busy machine weighs on them alike.
#   scripts/idle_cpu.sh [SECONDS] [GAME...]    default 20 s and build/bin/zandrove
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shift || true
games=("$@")
[ ${#games[@]} -gt 0 ] || games=("${ZANDROVE_BUILD_DIR:-$root/build}/bin/zandrove")

game_binary=${games[0]}
# shellcheck source=../tests/game/xvfb/harness.sh
source "$root/tests/game/xvfb/harness.sh"
start_display

pids=()
for g in "${games[@]}"; do
    "$g" 2>/dev/null >/dev/null </dev/null &
    pids+=($!)
done
sleep 3  # started, assets loaded, the first frames shown

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
before=()
for p in "${pids[@]}"; do before+=("$(ticks "$p")"); done
sleep "$seconds"
for i in "${!pids[@]}"; do
    used=$(( $(ticks "${pids[$i]}") - before[i] ))
    awk -v t="$used" -v hz="$hz" -v s="$seconds" -v g="${games[$i]}" \
        'BEGIN { printf "%6.2f %% of one core idle in edit mode (%.2f s of CPU in %d s): %s\n", 100 * t / hz / s, t / hz, s, g }'
    kill "${pids[$i]}" 2>/dev/null || true
done
for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
