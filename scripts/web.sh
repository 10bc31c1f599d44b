#!/usr/bin/env bash
# Builds the web version and serves it on this machine, printing the address.
#   scripts/web.sh            build, then serve on port 8016 (PORT=... for another)
#   scripts/web.sh build      build only; the site is in $ZANDROVE_WEB_BUILD_DIR (build-web/),
#                             and each file's size is printed, plain and gzipped
# Installs what building and serving need (scripts/setup.sh: the play packages,
# Debian's emscripten and python3); the native build's asset generator makes
# the pictures and sounds, its pack tool the shipped sets of levels.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${ZANDROVE_BUILD_DIR:-$root/build}
web=${ZANDROVE_WEB_BUILD_DIR:-$root/build-web}
port=${PORT:-8016}

"$root/scripts/setup.sh" play-packages
"$root/scripts/setup.sh" web-packages
if [ ! -f "$native/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$native" -j"$(nproc)" --target assets more-pack hard-pack

# emscripten's JavaScript optimizer uses Debian's acorn, which a node that is
# not Debian's own does not find by itself.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
if [ ! -f "$web/CMakeCache.txt" ]; then
    emcmake cmake -S "$root/web" -B "$web" -DCMAKE_BUILD_TYPE=Release -DZANDROVE_ASSET_DIR="$native/bin" \
        -DZANDROVE_ICON_DIR="$native/icons" >/dev/null
fi
cmake --build "$web" -j"$(nproc)"
# The two builds of the game package the same assets: the page loads one file for both.
if ! cmp -s "$web/zandrove.data" "$web/zandrove-simd.data"; then
    echo "web.sh: zandrove.data and zandrove-simd.data differ; the page loads one for both" >&2
    exit 1
fi
site="$web/site"
files=(index.html zandrove-page.js favicon.ico zandrove.js zandrove.wasm zandrove-simd.js zandrove-simd.wasm
       zandrove.data zandrove-solver-worker.js zandrove-solver.js zandrove-solver.wasm)
rm -rf "$site"
mkdir -p "$site"
for f in "${files[@]}"; do cp "$web/$f" "$site/"; done

if [ "${1:-serve}" = build ]; then
    # What a web server sends: the figures come from here, not from a document.
    echo "The site, in $site (bytes; gzip -9 as a server may send them):"
    all=0 all_gz=0
    for f in "${files[@]}"; do
        size=$(stat -c %s "$site/$f") gz=$(gzip -9 -c "$site/$f" | wc -c)
        printf '  %-26s %10d %10d\n' "$f" "$size" "$gz"
        all=$((all + size)) all_gz=$((all_gz + gz))
    done
    printf '  %-26s %10d %10d\n' all "$all" "$all_gz"
    exit 0
fi
echo "Zandrove in the browser: http://localhost:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
