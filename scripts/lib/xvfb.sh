# Sourced by the scripts that show windows on a private X server.
#   el_start_xvfb [WIDTHxHEIGHT]   starts one (default 1280x1024), exports DISPLAY
#   el_stop_xvfb                   ends it; harmless when none runs
el_xvfb_pid=

el_start_xvfb() {
    local size=${1:-1280x1024} number
    exec 3< <(Xvfb -displayfd 1 -screen 0 "${size}x24" -nolisten tcp -noreset 2>/dev/null & echo "pid $!")
    read -r _ el_xvfb_pid <&3
    if ! read -r -t 20 number <&3; then
        echo "$(basename "$0"): Xvfb did not start" >&2
        exit 1
    fi
    export DISPLAY=":$number"
}

el_stop_xvfb() {
    [ -z "$el_xvfb_pid" ] || kill "$el_xvfb_pid" 2>/dev/null || true
    el_xvfb_pid=
}
