#!/usr/bin/env bash
# Builds the Debian package, zandrove_VERSION_ARCH.deb, into the top directory
# of the tree, installing what is missing and building what changed first.
#   scripts/package.sh
# Then install it with  apt install ./zandrove_*.deb  (as root, or with sudo).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZANDROVE_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" package
rm -rf "$build/package"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build/package" >"$build/cpack.log" 2>&1 ||
    { cat "$build/cpack.log" >&2; exit 1; }
for deb in "$build"/package/zandrove_*.deb; do
    mv "$deb" "$root/"
    echo "$root/$(basename "$deb")"
done
