#!/usr/bin/env bash
# A tree configured where tavik's man page cannot be made (help2man taken as
# missing): configure must say so, and cpack must refuse the Debian package
# with the same reason instead of making one without the page.
#   package_refused.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
reason="tavik's man page cannot be made: help2man is not installed"

cmake -S "$source_dir" -B "$work/build" -DTAVIK_HELP2MAN= >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; fail "configure failed"; }
tr -s ' \n' ' ' <"$work/configure.log" | grep -qF "$reason" ||
    { cat "$work/configure.log"; fail "configure did not say why the package will be refused"; }
if (cd "$work/build" && cpack -G DEB -B "$work/out") >"$work/cpack.log" 2>&1; then
    fail "cpack made a package without tavik's man page"
fi
tr -s ' \n' ' ' <"$work/cpack.log" | grep -qF "The Debian package is refused: $reason" ||
    { cat "$work/cpack.log"; fail "cpack refused without the reason"; }
[[ -z $(find "$work/out" -name '*.deb' 2>/dev/null) ]] || fail "cpack left a .deb behind"
echo "configure warned and cpack refused: $reason"
echo "1 passed, 0 failed"
