# Sourced by the scripts that run Windows programs. Picks the Wine loader for
# the architecture of the programs under test (EL_WINE_ARCH: win32 or win64)
# and the environment the programs are made for: code page 932, quiet logs.
source "$(dirname "${BASH_SOURCE[0]}")/project.sh"

el_wine_setup() {
    : "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
    export WINEPREFIX
    export WINEDEBUG="${WINEDEBUG:--all}"
    # Bash itself warns when the locale is missing (before the bootstrap has
    # made it); only the Windows programs need it.
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 2>/dev/null
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
