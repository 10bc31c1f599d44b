#!/usr/bin/env bash
# Fetches Debian 12's own Node.js (its nodejs and libnode108 packages, the
# version apt offers) from Debian's archive into a folder, unpacked, not
# installed, and prints the name of a program that runs it. The browser test
# runs on it where the machine's own node is another (CI's carries a newer
# one), so that the Node a newcomer gets is the one tested:
#   ZANDROVE_NODE=$(scripts/debian_node.sh) scripts/web_test.sh
#   scripts/debian_node.sh [DIR]     default: build-web/debian-node
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-${ZANDROVE_WEB_BUILD_DIR:-$root/build-web}/debian-node}

"$root/scripts/setup.sh" debian-node-packages >&2
# libnode108 is Debian's alone (Node 18's library): its version is Debian's node.
version=$(apt-cache policy libnode108 | awk '$1 == "Candidate:" { print $2 }')
if [ -z "$version" ] || [ "$version" = "(none)" ]; then
    echo "debian_node.sh: apt offers no libnode108: Debian 12's lists are needed (apt-get update)" >&2
    exit 1
fi

if [ ! -x "$dir/node" ] || [ "$(cat "$dir/version" 2>/dev/null)" != "$version" ]; then
    rm -rf "$dir"
    mkdir -p "$dir/debs"
    fetch() { (cd "$dir/debs" && apt-get download -qq "nodejs=$version" "libnode108=$version"); }
    # apt fetches as its own user where it can; lists older than the archive
    # (a newer security update) are read again once.
    [ "$(id -u)" -ne 0 ] || chown _apt "$dir/debs" 2>/dev/null || true
    if ! fetch 2>/dev/null; then
        as_root=()
        [ "$(id -u)" -eq 0 ] || as_root=(sudo)
        "${as_root[@]}" apt-get update -qq
        fetch
    fi
    for deb in "$dir"/debs/*.deb; do dpkg-deb -x "$deb" "$dir/root"; done
    lib=$(dirname "$(find "$dir/root" -name 'libnode.so.*' | head -n 1)")
    cat > "$dir/node" <<WRAPPER
#!/bin/sh
# Debian's node $version, unpacked here, with its libnode beside it.
LD_LIBRARY_PATH="$lib\${LD_LIBRARY_PATH:+:\$LD_LIBRARY_PATH}" exec "$dir/root/usr/bin/node" "\$@"
WRAPPER
    chmod +x "$dir/node"
    echo "$version" >"$dir/version"
fi
echo "$dir/node"
