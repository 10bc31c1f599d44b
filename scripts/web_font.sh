#!/usr/bin/env bash
# Writes src/raster/text_glyphs.inc again from the native game's own text
# font (tools/font_table): the web build writes the screens' text with it.
# A test (test_raster) fails when the table and the native font part.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${ZANDROVE_BUILD_DIR:-$root/build}
cmake --build "$native" --target zandrove-font-table
"$native/bin/zandrove-font-table" > "$root/src/raster/text_glyphs.inc.new"
mv "$root/src/raster/text_glyphs.inc.new" "$root/src/raster/text_glyphs.inc"
echo "web_font.sh: src/raster/text_glyphs.inc written"
