#!/usr/bin/env bash
# The difficulty of every level of a pack, measured by the solver: one row
# per level with its name, the bombs of the first solution against the
# inventory, the placements tried, the solutions found among them, when the
# first came, and the difficulty number
#   D = 10 x bombs + 10 x log10(placements / solutions) + 10 x log10(1 + 10 x first seconds)
# (more bombs, rarer solutions and a longer hunt each make a level harder),
# as the solver computes it (src/solve/difficulty.h) and prints it.
# A level the solver calls too easy, or cannot solve, says so in its row.
#   scripts/level_difficulty.sh PACK [BUDGET-SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pack=$1
budget=${2:-60}
bin=${ZANDROVE_BUILD_DIR:-$root/build}/bin
mapfile -t names < <("$bin/zandrove-pack" dump "$pack" | sed -nE 's/^level "(.*)"$/\1/p')
echo '| level | name | bombs | placements | solutions | first after | difficulty | note |'
echo '|---|---|---|---|---|---|---|---|'
for i in "${!names[@]}"; do
    level=$((i + 1))
    out=$("$bin/zandrove-sim" --pack "$pack" --level "$level" --solve --solutions 1 --budget "$budget" || true)
    inventory=$(sed -nE 's/^searching: .*, ([0-9]+) bomb\(s\) to place.*/\1/p' <<<"$out")
    first=$(grep -m 1 '^--bomb' <<<"$out" || true)
    bombs=$(grep -o -- '--bomb' <<<"$first" | wc -l)
    summary=$(grep '^searched' <<<"$out")
    # searched N placements in T s: K solutions, the first after F s (...)
    placements=$(sed -E 's/^searched ([0-9]+) placements?.*/\1/' <<<"$summary")
    count=$(sed -E 's/.*: ([0-9]+) solutions?.*/\1/; s/.*no solution.*/0/' <<<"$summary")
    seconds=$(sed -E 's/.*the first after ([0-9.]+) s.*/\1/; t; s/.*/-/' <<<"$summary")
    note=$(grep '^warning:' <<<"$out" | sed 's/^warning: //' | paste -sd ';' || true)
    if [ "$count" -eq 0 ]; then
        printf '| %d | %s | - / %s | %s | 0 | - | - | no solution found |\n' "$level" "${names[$i]}" "$inventory" "$placements"
        continue
    fi
    difficulty=$(sed -nE 's/^difficulty: //p' <<<"$out")
    printf '| %d | %s | %d / %s | %s | %s | %s s | %s | %s |\n' "$level" "${names[$i]}" "$bombs" "$inventory" \
        "$placements" "$count" "$seconds" "$difficulty" "$note"
done
