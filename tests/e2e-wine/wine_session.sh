# shellcheck shell=bash disable=SC2034  # wine_zh_cn is read by the caller
# Sourced after tests/support/xvfb.sh by the scripts that run Windows programs
# under Wine on the X display: a prefix of the build's own for Wine's X11
# driver (never the null-driver prefix of the headless tests), its server
# started first and ended on every exit path.
#
#   wine_session_start BUILD_DIR  after x_session_start: the prefix, its
#                                 server, WINE* variables, the exit trap
#   wine_zh_cn_locale BUILD_DIR   a zh_CN.UTF-8 locale for Wine; the
#                                 variables to pass in the array wine_zh_cn
#
# The prefix is <BUILD_DIR>/wineprefix-x11, booted once and marked ready.

wine_zh_cn=()

wine_server() {
    timeout 30 wineserver "$@" </dev/null >/dev/null 2>&1
}

# Ends every Wine process of the prefix, then what xvfb.sh started; the
# script's own status survives both.
wine_session_end() {
    local status=$?
    set +e
    wine_server -k
    wine_server -w
    (exit "$status")
    x_session_end
}

# A fresh prefix, booted on this display, with X11 named as its graphics
# driver so that a null-driver setting never leaks in. The driver is taken
# when the desktop starts again, so the server is restarted afterwards.
wine_boot_prefix() {
    local ready=$WINEPREFIX/.orvelin-x11-ready
    [[ -e $ready ]] && return 0
    echo "booting the Wine prefix $WINEPREFIX"
    wine_server -k || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wine_server -p
    # Without the 32-bit Wine, wineboot reports a failure; the 64-bit
    # prefix is complete all the same.
    timeout 120 wine wineboot --init </dev/null >"$X_WORK/wineboot.log" 2>&1 || true
    timeout 30 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f \
        </dev/null >>"$X_WORK/wineboot.log" 2>&1 || x_fail "Wine's registry did not take the X11 driver"
    wine_server -k
    wine_server -w || x_fail "the Wine server did not end within 30 s after the boot"
    touch "$ready"
}

wine_session_start() {
    export WINEPREFIX=$1/wineprefix-x11 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    trap wine_session_end EXIT
    wine_boot_prefix
    # Started first, so that no helper process of Wine holds a caller's
    # output open; persistent until wine_session_end.
    wine_server -p || x_fail "the Wine server did not start within 30 s"
}

# Wine reads the system code page from the locale: zh_CN gives 936, as on a
# Chinese Windows. Generated once into the build folder.
wine_zh_cn_locale() {
    local locale_dir=$1/locale
    if [[ ! -e $locale_dir/zh_CN.UTF-8/LC_CTYPE ]]; then
        command -v localedef >/dev/null || x_fail "localedef is not installed (package locales)"
        mkdir -p "$locale_dir"
        timeout 60 localedef -i zh_CN -f UTF-8 "$locale_dir/zh_CN.UTF-8" >"$X_WORK/localedef.log" 2>&1 ||
            x_fail "localedef did not make zh_CN.UTF-8 within 60 s"
    fi
    wine_zh_cn=("LOCPATH=$locale_dir" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8)
}
