#!/usr/bin/env bash
# Installs the game as a player's system would have it and checks that the
# installed copy works, then builds the Debian package and checks it.
#   scripts/install_check.sh
#   1. cmake --install into a temporary DESTDIR (prefix /usr);
#   2. the installed game in a virtual display: the window appears, F10 exits
#      0; the same through a symlink in another folder found on PATH; a
#      relative level pack name read from the current directory; nothing
#      written into the installed tree;
#   3. the installed zandrove-sim plays level 3 with its recorded solution and
#      zandrove-pack dumps the built-in levels, directly and through symlinks;
#   4. cpack -G DEB: its file list is exactly what should be installed (the
#      game, the tools, the 38 assets, menu entry, icons, metainfo, gzipped
#      manual pages, copyright, changelog), its dependencies name Allegro's
#      runtime library, and lintian finds no error.
# Uses the build in ZANDROVE_BUILD_DIR (default build), building what is missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZANDROVE_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" test
source "$root/tests/game/xvfb/harness.sh"   # work, fail, start_display, start_game, ...

dest=$work/dest
echo "--- installing into $dest"
DESTDIR=$dest cmake --install "$build" --prefix /usr >"$work/install.log"
game=$dest/usr/games/zandrove
pack=$dest/usr/bin/zandrove-pack
sim=$dest/usr/bin/zandrove-sim
for f in "$game" "$pack" "$sim"; do [ -x "$f" ] || fail "not installed: $f"; done
# A listing with times: after the runs below it must be unchanged.
snapshot() { find "$dest" -printf '%p %s %T@\n' | sort; }
snapshot >"$work/before"

# Symlinks in a folder of their own, found through PATH; runs start in yet another.
mkdir "$work/elsewhere" "$work/cwd"
ln -s "$game" "$work/elsewhere/zandrove"
ln -s "$sim" "$work/elsewhere/zandrove-sim"
ln -s "$pack" "$work/elsewhere/zandrove-pack"
cd "$work/cwd"

echo "--- the tools"
tools_run() {
    local how=$1 sim_cmd=$2 pack_cmd=$3 out
    case_name="zandrove-sim, $how"
    out=$("$sim_cmd" --level 3 --bomb 228,404,6 2>"$work/stderr") || fail "exit status $?"
    [ "$(tail -n 1 <<<"$out")" = "complete frame=342" ] || fail "printed: $out"
    case_name="zandrove-pack dump --builtin, $how"
    out=$("$pack_cmd" dump --builtin 2>"$work/stderr") || fail "exit status $?"
    [ "$(grep -c '^level "' <<<"$out")" -eq 10 ] || fail "did not print ten levels"
}
tools_run "installed" "$sim" "$pack"
for set in more hard; do
    case_name="the installed level set $set.pak"
    out=$("$pack" check "$dest/usr/share/zandrove/$set.pak" 2>&1) || fail "check: $out"
    grep -q 'no problems found' <<<"$out" || fail "check: $out"
done
PATH="$work/elsewhere:$PATH" tools_run "a symlink on PATH" zandrove-sim zandrove-pack
tools_run "a relative symlink" ../elsewhere/zandrove-sim ../elsewhere/zandrove-pack

echo "--- the game in a virtual display"
start_display
case_name="installed game"
game_binary=$game
play_then_f10
case_name="the game through a symlink on PATH"
game_binary=zandrove
PATH="$work/elsewhere:$PATH" play_then_f10
# A pack of one level with nothing to bring home: complete at once, then the
# game ends by itself. The built-in levels would keep it running.
case_name="a relative pack name, read from the current directory"
printf 'level "Empty"\nblock 310 470\n' >"$work/empty.txt"
"$pack" build "$work/empty.txt" -o empty.pak >/dev/null
game_binary=$game
start_game empty.pak
find_window >/dev/null
wait_for_exit
[ "$status" -eq 0 ] || fail "exit status $status after its one level"

case_name="the installed tree"
snapshot >"$work/after"
diff "$work/before" "$work/after" >&2 || fail "the runs changed the installed files"
cd "$root"

echo "--- the Debian package"
case_name="cpack"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(echo "$work"/pkg/zandrove_*.deb)
[ -f "$deb" ] || fail "no package in $work/pkg"
case_name="the package's files"
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' | sort >"$work/files"
{
    echo usr/games/zandrove
    echo usr/bin/zandrove-pack
    echo usr/bin/zandrove-sim
    grep -oE '"[A-Za-z0-9]+\.(bmp|wav)"' "$root/src/game/asset_files.h" | tr -d '"' | sed 's|^|usr/share/zandrove/|'
    echo usr/share/zandrove/more.pak
    echo usr/share/zandrove/hard.pak
    echo usr/share/applications/zandrove.desktop
    for size in 48 128 256; do echo "usr/share/icons/hicolor/${size}x${size}/apps/zandrove.png"; done
    echo usr/share/metainfo/invalid.zandrove.Zandrove.metainfo.xml
    echo usr/share/man/man6/zandrove.6.gz
    echo usr/share/man/man1/zandrove-pack.1.gz
    echo usr/share/man/man1/zandrove-sim.1.gz
    echo usr/share/doc/zandrove/copyright
    echo usr/share/doc/zandrove/changelog.gz
} | sort >"$work/expected"
[ "$(grep -cE '^usr/share/zandrove/.*\.(bmp|wav)$' "$work/expected")" -eq 38 ] || fail "expected 38 assets"
diff "$work/expected" "$work/files" >&2 || fail "the package's files differ from the expected ones (< missing, > extra)"
dpkg-deb -x "$deb" "$work/unpacked"
for page in "$work"/unpacked/usr/share/man/man*/*.gz; do
    gzip -t "$page" || fail "$page is not gzipped"
done
case_name="the package's dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'liballegro4\.4' <<<"$depends" || fail "does not depend on Allegro's runtime: $depends"
grep -q 'zlib1g' <<<"$depends" || fail "does not depend on zlib (share links): $depends"
! grep -qE -- '-dev|libpng' <<<"$depends" || fail "depends on a build-time package: $depends"
case_name="lintian"
lintian_status=0
lintian --fail-on error "$deb" >"$work/lintian" 2>&1 || lintian_status=$?
grep -v 'running with root privileges' "$work/lintian" || true
[ "$lintian_status" -eq 0 ] || fail "lintian reports errors (status $lintian_status)"

echo "ok: installed game, tools and package ($(basename "$deb"), $(wc -l <"$work/files") files, Installed-Size $(dpkg-deb -f "$deb" Installed-Size) KiB)"
