#!/usr/bin/env bash
# The layers of src/, bottom to top, and the one rule between them: a file
# may include its own folder and the folders of lower layers, never a higher
# one. A platform's folder (src/platform/NAME) is the only code that includes
# that platform: the layers below it include no Allegro and no emscripten.
#   scripts/check_layers.sh [SOURCE-DIR]
set -euo pipefail
shopt -s nullglob
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}

declare -A rank=(
    [files]=0                         # files on disk
    [sim]=1                           # the simulation: the World and its Step
    [packs]=2 [raster]=2              # levels and packs; the game's own drawing
    [progress]=3 [solve]=3            # what the player keeps; the solver
    [game]=4                          # one frame: HUD, drawing, level sequence, assets
    [features]=5 [design]=5           # chooser, hints, watching a run; the level designer
    [edition]=6                       # the player's edition: title, settings, results, assists
    [platform/allegro]=7 [platform/web]=7  # each platform, the only code that includes it
    [app]=8                           # the programs
)
# The platforms' own headers, which only their folders may include.
platform_include='^[[:space:]]*#[[:space:]]*include[[:space:]]*<(allegro|emscripten)'

status=0
declare -A pairs=()
for file in "$root"/src/*/*.h "$root"/src/*/*.cpp "$root"/src/platform/*/*.h "$root"/src/platform/*/*.cpp; do
    folder=${file#$root/src/}
    folder=${folder%/*}
    [ "$folder" = platform ] && continue
    if [ -z "${rank[$folder]+set}" ]; then
        echo "$file: the folder '$folder' has no layer in scripts/check_layers.sh"
        status=1
        continue
    fi
    while IFS= read -r line; do
        number=${line%%:*}
        included=$(sed -E 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)\/[^/"]+".*/\1/' <<<"$line")
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
    if [[ $folder != platform/* ]] && grep -nqE "$platform_include" "$file"; then
        echo "${file#$root/}: includes a platform's own header outside src/platform"
        status=1
    fi
done

# The include graph between the folders, for the record.
for pair in "${!pairs[@]}"; do echo "${pairs[$pair]} $pair"; done | sort -k2
[ $status -eq 0 ] && echo "layers: every include points down"
exit $status
