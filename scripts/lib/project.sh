# Sourced by every script: where the sources and the build folders are, and
# which build runs under this machine's Wine.
#   el_root        the repository
#   el_build_root  the build folders (EL_BUILD_ROOT, default build/ in the repository)
el_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
el_build_root=${EL_BUILD_ROOT:-$el_root/build}

# Whether this machine can run 32-bit Wine at all: some kernels are booted
# without 32-bit process support, and then only the 64-bit loader starts.
# EL_TEST_TWIN=1 takes the other path on purpose, to try it where 32-bit runs.
el_can_run_win32() {
    [ "${EL_TEST_TWIN:-0}" != 1 ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The build whose programs run here: the shipping 32-bit one, or the 64-bit
# twin of the same sources where 32-bit Wine cannot run. Sets EL_WINE_ARCH
# (exported, for wine.sh and the tools) and el_build, el_bin.
el_choose_build() {
    if el_can_run_win32; then
        export EL_WINE_ARCH=win32
        el_build=$el_build_root/windows
    else
        export EL_WINE_ARCH=win64
        el_build=$el_build_root/windows-x64
    fi
    el_bin=$el_build/bin
}
