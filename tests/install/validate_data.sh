#!/usr/bin/env bash
# Checks the files installed beside the programs.
#   validate_data.sh man SOURCE_DIR ZANDROVE_PACK ZANDROVE_SIM
#       every manual page reads without a warning, and the tools' pages name
#       every command and option their --help names
#   validate_data.sh desktop SOURCE_DIR
#       the menu entry and the AppStream data pass their validators, and the
#       AppStream data's newest release is the package's version
set -euo pipefail

mode=$1
src=$2
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

case "$mode" in
man)
    pack=$3
    sim=$4
    for page in "$src"/docs/man/*.[16]; do
        # As lintian reads them: any warning of man or groff fails.
        warnings=$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null || echo "man failed")
        [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
    done
    # Options and commands as the usage text gives them, looked up in the
    # page's source, where each '-' is written '\-'.
    documents() {
        local page=$1 tool=$2 words
        words=$( ("$tool" --help || true) | grep -oE -- '(^|[^a-zA-Z])--?[a-z][a-z-]*|^  [a-z]+ ' |
                 sed -E 's/^[^-a-z]*//; s/ $//' | sort -u)
        [ -n "$words" ] || fail "$tool --help names nothing"
        for w in $words; do
            grep -qF -- "${w//-/\\-}" "$page" || fail "$(basename "$page") does not mention $w"
        done
    }
    documents "$src/docs/man/zandrove-pack.1" "$pack"
    documents "$src/docs/man/zandrove-sim.1" "$sim"
    ;;
desktop)
    out=$(desktop-file-validate "$src/data/zandrove.desktop" 2>&1) || fail "desktop-file-validate: $out"
    [ -z "$out" ] || fail "desktop-file-validate: $out"
    metainfo=$(echo "$src"/data/*.metainfo.xml)
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
    version=$(sed -n '1s/^zandrove (\([^)]*\)).*/\1/p' "$src/data/changelog")
    release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
    [ "$version" = "$release" ] || fail "data/changelog is at $version but the newest release in the metainfo is $release"
    ;;
*)
    echo "unknown mode: $mode" >&2
    exit 2
    ;;
esac
[ "$failed" -eq 0 ] && echo "ok: $mode"
exit "$failed"
