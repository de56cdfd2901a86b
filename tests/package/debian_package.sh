#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it as users and
# developers meet it: lintian, where installed, finds no error or warning;
# unpacked into a scratch root it holds the programs with their library beside
# them, their command names, the man pages, the library's header, CMake
# package and pkg-config file, the desktop entry and icons; the installed
# programs start and compute there; and a C program from outside the project
# builds against the unpacked tree through find_package and through
# pkg-config, and computes through the library.
#   debian_package.sh BUILD_DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
# The first block of the FIPS 81 CBC example.
fips81_block=E5C7CDDE872BF27C
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

make_package() {
    (cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) ||
        { cat "$work/cpack.log"; fail "cpack could not build the package"; }
    deb=$(find "$work/out" -maxdepth 1 -name '*.deb' | head -n 1)
    [[ -n $deb ]] || fail "cpack made no .deb"
    echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
    local depends
    depends=$(dpkg-deb -f "$deb" Depends)
    [[ $depends == *libqt6widgets6* ]] || fail "Depends lacks the Qt widgets library: '$depends'"
    [[ $depends == *libc6* ]] || fail "Depends lacks the C library: '$depends'"
}

# Debian's own check, errors and warnings; informational notes pass.
check_lintian() {
    if ! command -v lintian >/dev/null; then
        echo "lintian: not installed, not run"
        return
    fi
    lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
        { cat "$work/lintian.log"; fail "lintian found errors or warnings"; }
    echo "lintian: no error, no warning"
}

unpack() {
    root=$work/root
    dpkg-deb -x "$deb" "$root"
    multiarch=$(cc -print-multiarch)
    local path
    for path in usr/lib/orvelin/Orvelin usr/lib/orvelin/libTAVIK_ALG.so usr/bin/Orvelin \
        usr/bin/orvelin usr/lib/orvelin/tavik usr/bin/tavik usr/share/man/man1/tavik.1.gz \
        usr/share/man/man1/orvelin.1.gz usr/share/man/man1/Orvelin.1.gz \
        usr/share/doc/orvelin/copyright usr/share/doc/orvelin/changelog.gz \
        usr/include/tavik_alg.h "usr/lib/$multiarch/cmake/TAVIK_ALG/TAVIK_ALGConfig.cmake" \
        "usr/lib/$multiarch/pkgconfig/TAVIK_ALG.pc" usr/share/applications/orvelin.desktop \
        usr/share/icons/hicolor/32x32/apps/orvelin.png usr/share/icons/hicolor/16x16/apps/orvelin.png; do
        [[ -e $root/$path ]] || fail "the package lacks $path"
    done
    [[ $(readlink -f "$root/usr/bin/orvelin") == "$root/usr/lib/orvelin/Orvelin" ]] ||
        fail "usr/bin/orvelin does not lead to the program"
    # The browser page, where the build was given one (scripts/package).
    if grep -q '^ORVELIN_WEB_PAGE:FILEPATH=.' "$build/CMakeCache.txt"; then
        [[ -s $root/usr/share/orvelin/orvelin.html ]] || fail "the package lacks the browser page"
    fi
}

# A program that cannot bind its library ends at once with status 255; one
# that binds it stays in its window until it is closed.
start_program() {
    QT_QPA_PLATFORM=offscreen "$root/usr/bin/orvelin" >"$work/program.log" 2>&1 &
    program=$!
    for _ in $(seq 20); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    if ! kill -0 "$program" 2>/dev/null; then
        local status=0
        wait "$program" || status=$?
        program=
        cat "$work/program.log"
        fail "the installed program ended with status $status instead of showing its window"
    fi
    echo "the installed program started and bound its library"
}

# tavik finds the same private library beside itself.
run_tavik() {
    local crc mac
    crc=$("$root/usr/bin/tavik" crc16 313233343536373839)
    [[ $crc == 05BF ]] || fail "the installed tavik gave '$crc' for the CRC_A check value"
    mac=$("$root/usr/bin/tavik" cmac --cipher aes --key 2b7e151628aed2a6abf7158809cf4f3c "")
    [[ $mac == BB1D6929E95937287FA37D129B756746* ]] ||
        fail "the installed tavik gave '$mac' for the RFC 4493 empty-message MAC"
    echo "the installed tavik computed through its library"
}

# A library built with the sanitizers needs their runtime first in the
# program that links it, so the outside program is built the same way.
consumer_flags() {
    consumer_cflags=()
    if readelf -d "$root/usr/lib/orvelin/libTAVIK_ALG.so" | grep -q 'libasan'; then
        consumer_cflags=("-fsanitize=address,undefined")
    fi
}

expect_block() { # PROGRAM HOW
    local out
    out=$("$1") || fail "the program built through $2 failed: $out"
    [[ $out == "$fips81_block" ]] || fail "the program built through $2 printed '$out'"
}

# find_package(TAVIK_ALG) from the unpacked tree; the link records the
# library's folder, so the program runs as built.
consumer_cmake() {
    local folder=$work/consumer-cmake
    CFLAGS="${consumer_cflags[*]}" LDFLAGS="${consumer_cflags[*]}" \
        cmake -S "$here/consumer" -B "$folder" -DCMAKE_PREFIX_PATH="$root/usr" \
        -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >"$work/consumer-cmake.log" 2>&1 ||
        { cat "$work/consumer-cmake.log"; fail "find_package(TAVIK_ALG) failed on the unpacked tree"; }
    grep -q "TAVIK_ALG from $root/usr/lib/$multiarch/cmake/TAVIK_ALG" "$work/consumer-cmake.log" ||
        fail "find_package(TAVIK_ALG) found another copy: $(grep 'TAVIK_ALG from' "$work/consumer-cmake.log")"
    cmake --build "$folder" >>"$work/consumer-cmake.log" 2>&1 ||
        { cat "$work/consumer-cmake.log"; fail "the program did not build through find_package"; }
    expect_block "$folder/consumer" find_package
    echo "find_package(TAVIK_ALG): built, linked and computed $fips81_block"
}

# pkg-config: installed, the flags link from the private folder and record
# it as the run path; over the unpacked tree as its root, they name the tree,
# where the program then runs as built.
consumer_pkg_config() {
    local flags program=$work/consumer-pkg-config
    local PKG_CONFIG_LIBDIR="$root/usr/lib/$multiarch/pkgconfig" PKG_CONFIG_PATH=
    export PKG_CONFIG_LIBDIR PKG_CONFIG_PATH
    flags=$(pkg-config --libs TAVIK_ALG) || fail "pkg-config does not know TAVIK_ALG"
    [[ " $flags " == *" -L/usr/lib/orvelin -Wl,-rpath,/usr/lib/orvelin "* ]] ||
        fail "pkg-config's flags do not link from /usr/lib/orvelin: $flags"
    flags=$(PKG_CONFIG_SYSROOT_DIR="$root" PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 \
        pkg-config --cflags --libs TAVIK_ALG)
    # shellcheck disable=SC2086 # the flags are separate words
    cc -std=c99 -Wall -Wextra -Wpedantic -Werror "${consumer_cflags[@]}" \
        "$here/consumer/consumer.c" $flags -o "$program" >"$work/consumer-pc.log" 2>&1 ||
        { cat "$work/consumer-pc.log"; fail "the program did not build with pkg-config's flags: $flags"; }
    expect_block "$program" pkg-config
    echo "pkg-config TAVIK_ALG: built, linked and computed $fips81_block"
}

make_package
check_lintian
unpack
start_program
run_tavik
consumer_flags
consumer_cmake
consumer_pkg_config
echo "1 passed, 0 failed"
