#!/usr/bin/env bash
# How long the solver takes on each level: for each zandrove-sim given
# (default: the build's), one row per level with when it found the first
# solution, when the search ended and how many solutions it counted. Several
# binaries are run level by level in turns, so a busy machine weighs on them
# alike. The built-in levels, or those of the pack in ZANDROVE_SOLVE_PACK.
#   scripts/solve_times.sh [ZANDROVE-SIM...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sims=("$@")
[ ${#sims[@]} -gt 0 ] || sims=("${ZANDROVE_BUILD_DIR:-$root/build}/bin/zandrove-sim")

printf '| level |'
for s in "${sims[@]}"; do printf ' %s: first / ended / solutions |' "$s"; done
printf '\n|---|'
for _ in "${sims[@]}"; do printf '%s' '---|'; done
printf '\n'
pack=${ZANDROVE_SOLVE_PACK:-}
levels=10
if [ -n "$pack" ]; then
    levels=$("$(dirname "${sims[0]}")/zandrove-pack" dump "$pack" | grep -c '^level ')
fi
for level in $(seq "$levels"); do
    printf '| %d |' "$level"
    for s in "${sims[@]}"; do
        summary=$("$s" ${pack:+--pack "$pack"} --level "$level" --solve --solutions 1 | grep "^searched")
        # searched N placements in T s: K solutions, the first after F s (...)
        ended=$(sed -E 's/.* in ([0-9.]+ s):.*/\1/' <<<"$summary")
        count=$(sed -E 's/.*: ([0-9]+) solutions?.*/\1/; s/.*no solution.*/0/' <<<"$summary")
        first=$(sed -E 's/.*the first after ([0-9.]+ s).*/\1/; t; s/.*/-/' <<<"$summary")
        printf ' %s / %s / %s |' "$first" "$ended" "$count"
    done
    printf '\n'
done
