#!/usr/bin/env bash
# The pictures of the level designer in docs/designer.md, drawn by its own
# frame in its headless tests and converted to PNG.
#   scripts/design_screenshots.sh [BUILD-DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${ZANDROVE_BUILD_DIR:-$root/build}}
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
ZANDROVE_SHOT_DIR=$shots "$build/bin/test_design" \
    --gtest_filter='DesignerSession.TestPlayCompletes*:DesignerSession.DrawsTheLevel*:Editing.ASelection*' >/dev/null
for name in designer designer-help designer-select; do
    convert "$shots/$name.bmp" "$root/docs/$name.png"
    echo "docs/$name.png"
done
