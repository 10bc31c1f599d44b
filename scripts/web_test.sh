#!/usr/bin/env bash
# Builds the web version and plays it in Debian's Chromium, headless
# (web/test/browser_test.mjs): level 7's first frame against the simulator's
# screenshot, bad packs and links refused, a natively shared level played,
# the page's layout, a search in the solver's worker, the builds with and
# without SIMD, level 1 played with its recorded solution through the page.
# Playwright comes from npm without a browser of its own. The test runs on
# the node that ZANDROVE_NODE names (default: node); CI names Debian 12's
# own, unpacked by scripts/debian_node.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${ZANDROVE_BUILD_DIR:-$root/build}
web=${ZANDROVE_WEB_BUILD_DIR:-$root/build-web}
node=${ZANDROVE_NODE:-node}

"$root/scripts/setup.sh" web-test-packages
# Before the long build: a node too old for the test's npm packages, or a
# package that Debian 12's node cannot run, is said here in one line.
if ! node=$(command -v "$node"); then
    echo "web_test.sh: no node program '$node' (ZANDROVE_NODE)" >&2
    exit 1
fi
case "$node" in /*) ;; *) node=$PWD/$node ;; esac
"$node" "$root/web/test/engines.mjs" "$node"
(cd "$root/web/test" &&
    PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --engine-strict --no-audit --no-fund --no-update-notifier --loglevel=warn)

"$root/scripts/web.sh" build
cmake --build "$native" -j"$(nproc)" --target zandrove-sim zandrove-pack
echo "The browser test on Node.js $("$node" --version) ($node)"
cd "$root/web/test"
"$node" browser_test.mjs "$web/site" "$native/bin" "$root/tests/data/solutions.txt"
