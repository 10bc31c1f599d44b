#!/usr/bin/env bash
# Times `zandrove-pack check` on the two inputs that once made it run for
# hours and print hundreds of megabytes, and prints the time, the peak memory
# and the size of the output of each:
#  - a pack of BLOCKS blocks on one centre (default 4,194,301: with a hamster,
#    an exit and the terminator, the most records the game reads from a pack);
#  - a 32 KB level text of 1,050 rows of 3,276 blocks, all on one line.
#   scripts/check_time.sh [BLOCKS]
# Uses zandrove-pack of ZANDROVE_BUILD_DIR (default build); ZANDROVE_PACK names
# another one to time (the pack is always built with the build's own).
set -euo pipefail

blocks=${1:-4194301}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZANDROVE_BUILD_DIR:-$root/build}
cmake --build "$build" --target zandrove-pack >/dev/null
pack_tool=${ZANDROVE_PACK:-$build/bin/zandrove-pack}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

{
    printf 'level "stacked"\nhamster 300 84\nexit 280 60 40 40\n'
    head -n "$blocks" < <(yes 'block 100 100')
} >"$work/stacked.txt"
"$build/bin/zandrove-pack" build "$work/stacked.txt" -o "$work/stacked.pak" >/dev/null
{
    printf 'level "rows"\n'
    head -n 1050 < <(yes 'block row y=10 x=-32750..32750')
} >"$work/rows.txt"

measure() {
    local what=$1 file=$2 status=0
    /usr/bin/time -f '%e %M' -o "$work/time" "$pack_tool" check "$file" >"$work/out" 2>/dev/null || status=$?
    [ "$status" -le 1 ] || { echo "check of $what failed with status $status" >&2; exit 1; }
    local seconds kib
    read -r seconds kib < <(tail -n 1 "$work/time")
    printf '%s (%s bytes): %s s, peak %s MiB, %s lines (%s bytes) of output\n' "$what" "$(stat -c %s "$file")" \
        "$seconds" "$((kib / 1024))" "$(wc -l <"$work/out")" "$(stat -c %s "$work/out")"
}
measure "$blocks stacked blocks" "$work/stacked.pak"
measure "1,050 rows of 3,276 blocks" "$work/rows.txt"
