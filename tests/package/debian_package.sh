#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a scratch root
# and starts the installed program there, offscreen: the package must hold
# the program with its library beside it, the header, the desktop entry and
# the icons, and declare what the program needs of the system.
#   debian_package.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
program=
cleanup() {
    if [[ -n $program ]]; then
        kill "$program" 2>/dev/null || true
        wait "$program" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack could not build the package"; }
deb=$(find "$work/out" -maxdepth 1 -name '*.deb' | head -n 1)
[[ -n $deb ]] || fail "cpack made no .deb"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* ]] || fail "Depends lacks the Qt widgets library: '$depends'"
[[ $depends == *libc6* ]] || fail "Depends lacks the C library: '$depends'"

root=$work/root
dpkg-deb -x "$deb" "$root"
for path in usr/lib/orvelin/Orvelin usr/lib/orvelin/libTAVIK_ALG.so usr/bin/Orvelin \
    usr/lib/orvelin/tavik usr/bin/tavik usr/share/man/man1/tavik.1 \
    usr/include/tavik_alg.h usr/share/applications/orvelin.desktop \
    usr/share/icons/hicolor/32x32/apps/orvelin.png usr/share/icons/hicolor/16x16/apps/orvelin.png; do
    [[ -e $root/$path ]] || fail "the package lacks $path"
done

# A program that cannot bind its library ends at once with status 255; one
# that binds it stays in its window until it is closed.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/Orvelin" >"$work/program.log" 2>&1 &
program=$!
for _ in $(seq 20); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
if ! kill -0 "$program" 2>/dev/null; then
    status=0
    wait "$program" || status=$?
    program=
    cat "$work/program.log"
    fail "the installed program ended with status $status instead of showing its window"
fi
echo "the installed program started and bound its library"

# tavik finds the same private library beside itself.
crc=$("$root/usr/bin/tavik" crc16 313233343536373839)
[[ $crc == 05BF ]] || fail "the installed tavik gave '$crc' for the CRC_A check value"
mac=$("$root/usr/bin/tavik" cmac --cipher aes --key 2b7e151628aed2a6abf7158809cf4f3c "")
[[ $mac == BB1D6929E95937287FA37D129B756746* ]] ||
    fail "the installed tavik gave '$mac' for the RFC 4493 empty-message MAC"
echo "1 passed, 0 failed"
