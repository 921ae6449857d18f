# Sourced by the scripts that run Windows programs. Picks the Wine loader for
# the architecture of the programs under test (EL_WINE_ARCH: win32 or win64)
# and the environment the programs are made for: code page 932, quiet logs.

# Whether this machine can run 32-bit Wine at all: some kernels are booted
# without 32-bit process support, and then only the 64-bit loader starts.
# EL_TEST_TWIN=1 takes the other path on purpose, to try it where 32-bit runs.
el_can_run_win32() {
    [ "${EL_TEST_TWIN:-0}" != 1 ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

el_wine_setup() {
    : "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
    export WINEPREFIX
    export WINEDEBUG="${WINEDEBUG:--all}"
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    # No Mono or Gecko install prompts in a fresh prefix.
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
    if [ "${EL_WINE_ARCH:-win32}" = win64 ]; then
        EL_WINE=/usr/lib/wine/wine64
        export WINELOADER=$EL_WINE WINEARCH=win64
    else
        EL_WINE=/usr/lib/wine/wine
        export WINEARCH=win32
    fi
    EL_WINESERVER=/usr/lib/wine/wineserver
}
