#!/usr/bin/env bash
# How forgiving the hints are, level by level, for both sets: the bombs a
# hint showed before it looked for forgiving solutions (the first solution
# the search found) against the bombs it shows now (zandrove-sim --hint, the
# game's own hint search, 20 s), each as how many of the 49 placements within
# 3 pixels of each bomb still complete the level, and how long the hint took.
#   scripts/hint_figures.sh [BUILD-DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-${ZANDROVE_BUILD_DIR:-$root/build}}/bin" && pwd)
sim="$bin/zandrove-sim"

bomb_options() { sed -E 's/ complete frame=.*//' <<<"$1"; }

row() {
    local set=$1 level=$2 pack=()
    [ "$set" = more ] && pack=(--pack "$bin/more.pak")
    local first before hint after seconds
    first=$("$sim" "${pack[@]}" --level "$level" --solve --solutions 1 | grep -m1 -- '^--bomb' || true)
    before=-
    # shellcheck disable=SC2046
    [ -n "$first" ] && before=$("$sim" "${pack[@]}" --level "$level" $(bomb_options "$first") --forgiveness |
        sed -E 's/forgiveness: ([0-9 ]+) \(.*/\1/')
    hint=$("$sim" "${pack[@]}" --level "$level" --hint || true)
    seconds=$(grep '^searched' <<<"$hint" | sed -E 's/.* in ([0-9.]+ s):.*/\1/')
    after=$(grep '^most forgiving' <<<"$hint" | sed -E 's/.*these complete: ([0-9 ]+)\)/\1/' || true)
    [ -n "$after" ] || after="no hint"
    printf '| %s %d | %s | %s | %s |\n' "$set" "$level" "$before" "$after" "$seconds"
}

echo "| level | first solution found | hint now | hint's time |"
echo "|---|---|---|---|"
for level in $(seq 1 10); do row built-in "$level"; done
for level in $(seq 1 21); do row more "$level"; done
