#!/usr/bin/env bash
# Builds the web version and plays it in Debian's Chromium, headless
# (web/test/browser_test.mjs): level 7's first frame against the simulator's
# screenshot, level 1 played with its recorded solution through the page.
# Playwright comes from npm without a browser of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${ZANDROVE_BUILD_DIR:-$root/build}
web=${ZANDROVE_WEB_BUILD_DIR:-$root/build-web}

"$root/scripts/web.sh" build
cmake --build "$native" -j"$(nproc)" --target zandrove-sim zandrove-pack
cd "$root/web/test"
PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
node browser_test.mjs "$web/site" "$native/bin" "$root/tests/data/solutions.txt"
