#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of the build's own, headless and quiet:
#   wine-run.sh PREFIX PROGRAM [ARGS...]    run one program (CMake's cross-compiling emulator)
#   wine-run.sh PREFIX --start              start the prefix's wineserver and services
#   wine-run.sh PREFIX --stop               stop them (wineserver -k)
# Wine's server and services are started once, detached from the caller's pipes: started by a
# program whose output CTest reads, they would hold that pipe open and the test would wait for
# them (600 s). Started here, the server stays up while it is used and ends after two idle
# minutes by itself.
set -euo pipefail

prefix=$(realpath -m "$1")
shift
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko in the prefix: nothing here needs them, and installing them wants a network.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
unset DISPLAY WAYLAND_DISPLAY

kIdleSeconds=120
pidFile=$prefix/stakewise-wineserver.pid

server_running() {
    [[ -s $pidFile ]] && kill -0 "$(<"$pidFile")" 2>/dev/null
}

start_server() {
    mkdir -p "$prefix"
    exec 9>"$prefix.lock"
    flock 9
    if ! server_running; then
        # Neither may keep the lock (fd 9): the next call would wait for the server to end.
        setsid wineserver -f -p"$kIdleSeconds" </dev/null >/dev/null 2>&1 9>&- &
        echo $! >"$pidFile"
        # The first program of a new prefix creates it and starts Wine's services.
        setsid wine cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
    fi
    exec 9>&-
}

case ${1:-} in
    --start)
        start_server
        ;;
    --stop)
        if server_running; then wineserver -k || true; fi
        rm -f "$pidFile"
        ;;
    *)
        start_server
        exec wine "$@"
        ;;
esac
