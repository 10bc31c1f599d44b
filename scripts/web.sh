#!/usr/bin/env bash
# Builds the web version and serves it on this machine, printing the address.
#   scripts/web.sh            build, then serve on port 8016 (PORT=... for another)
#   scripts/web.sh build      build only; the site is in $ZANDROVE_WEB_BUILD_DIR (build-web/)
# Needs Debian's emscripten (scripts/setup.sh web-packages installs it) and the
# native build's asset generator, which makes the pictures and sounds.
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
cmake --build "$native" -j"$(nproc)" --target assets

# emscripten's JavaScript optimizer uses Debian's acorn, which a node that is
# not Debian's own does not find by itself.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
if [ ! -f "$web/CMakeCache.txt" ]; then
    emcmake cmake -S "$root/web" -B "$web" -DCMAKE_BUILD_TYPE=Release -DZANDROVE_ASSET_DIR="$native/bin" >/dev/null
fi
cmake --build "$web" -j"$(nproc)"
site="$web/site"
mkdir -p "$site"
cp "$web"/index.html "$web"/zandrove-page.js "$web"/zandrove.js "$web"/zandrove.wasm "$web"/zandrove.data "$site/"

[ "${1:-serve}" = build ] && exit 0
echo "Zandrove in the browser: http://localhost:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
