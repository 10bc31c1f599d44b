#!/usr/bin/env bash
# How often a guess completes each level of a pack: RUNS (default 2000)
# single bombs, each on a random free pixel within 80 px of a hamster where
# the mouse can put it, with a random fuse the HUD sets, drawn from SEED
# (default 1) by zandrove-sim --random-share. One row per level; a level
# that a guess completes in 0.5 % of the runs or more is marked "guessable".
#   scripts/random_share.sh PACK [RUNS] [SEED]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pack=$1
runs=${2:-2000}
seed=${3:-1}
bin=${ZANDROVE_BUILD_DIR:-$root/build}/bin
mapfile -t names < <("$bin/zandrove-pack" dump "$pack" | sed -nE 's/^level "(.*)"$/\1/p')
echo '| level | name | complete | random share | note |'
echo '|---|---|---|---|---|'
for i in "${!names[@]}"; do
    level=$((i + 1))
    line=$("$bin/zandrove-sim" --pack "$pack" --level "$level" --random-share "$runs" --seed "$seed" --solutions 0 |
        grep '^random share:')
    # random share: K of N random single bombs complete the level (P %), ...
    complete=$(sed -E 's/^random share: ([0-9]+) of ([0-9]+) .*/\1 of \2/' <<<"$line")
    percent=$(sed -E 's/.*\(([0-9.]+) %\).*/\1/' <<<"$line")
    k=${complete%% *}
    note=
    # below 0.5 %: 200 k < runs
    [ $((200 * k)) -lt "$runs" ] || note=guessable
    printf '| %d | %s | %s | %s %% | %s |\n' "$level" "${names[$i]}" "$complete" "$percent" "$note"
done
