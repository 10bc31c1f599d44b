#!/usr/bin/env bash
# The layers of src/, bottom to top, and the one rule between them: a file
# may include its own folder and the folders of lower layers, never a higher
# one. The simulation (objects, levels), the packs and the game's own drawing
# (raster) must not include Allegro at all.
#   scripts/check_layers.sh [SOURCE-DIR]
set -euo pipefail
shopt -s nullglob
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}

declare -A rank=([files]=0 [objects]=1 [levels]=2 [packs]=3 [progress]=3 [raster]=3 [play]=4 [shell]=5 [solve]=6 [design]=7 [choose]=7 [app]=8 [web]=8)

status=0
declare -A pairs=()
for file in "$root"/src/*/*.h "$root"/src/*/*.cpp; do
    folder=$(basename "$(dirname "$file")")
    if [ -z "${rank[$folder]+set}" ]; then
        echo "$file: the folder '$folder' has no layer in scripts/check_layers.sh"
        status=1
        continue
    fi
    while IFS= read -r line; do
        number=${line%%:*}
        included=$(sed -E 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$line")
        [ "$included" = "$line" ] && continue  # no folder in the name
        pairs["$folder -> $included"]=$(( ${pairs["$folder -> $included"]:-0} + 1 ))
        if [ -z "${rank[$included]+set}" ]; then
            echo "${file#$root/}:$number: includes '$included/', which is not a layer"
            status=1
        elif [ "${rank[$included]}" -gt "${rank[$folder]}" ]; then
            echo "${file#$root/}:$number: $folder includes $included/, a higher layer"
            status=1
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
    if [ "${rank[$folder]}" -le "${rank[packs]}" ] && grep -nqE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<allegro' "$file"; then
        echo "${file#$root/}: the simulation includes Allegro"
        status=1
    fi
done

# The include graph between the folders, for the record.
for pair in "${!pairs[@]}"; do echo "${pairs[$pair]} $pair"; done | sort -k2
[ $status -eq 0 ] && echo "layers: every include points down"
exit $status
