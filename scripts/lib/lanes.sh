# shellcheck shell=bash
# Lanes for the Windows tests: each its own Xvfb display, Wine prefix with its
# own wineserver, and a site server of its own for the tests that name its
# port (TORVANE_SITE_PORT). CTest's fixture starts and stops them
# (scripts/lib/ctest-fixture.sh); scripts/lib/wine-lane.sh runs an entry in a
# free one. Source it.

# shellcheck source=wine-session.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-session.sh"
# shellcheck source=site-server.sh
source "$(dirname "${BASH_SOURCE[0]}")/site-server.sh"

# lane_start DIR: starts the lane and writes DIR/lane.env, the settings a
# test in it runs with. Run it in a subshell: it sets the session's
# variables in the shell it runs in.
lane_start() {
    local dir="$1" v
    mkdir -p "$dir" && dir="$(cd "$dir" && pwd -P)" || return 1
    rm -f "$dir/lane.env"
    TORVANE_XVFB=1 wine_session_start "$dir" || return 1
    site_server_start "$dir" || return 1
    : >"$dir/browser.log"
    export TORVANE_BROWSER_LOG="$dir/browser.log"
    {
        for v in WINE WINESERVER WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES LANG LC_ALL DISPLAY \
                 WINE_SESSION_DIR TORVANE_SITE_PORT TORVANE_BROWSER_LOG; do
            printf 'export %s=%q\n' "$v" "${!v}"
        done
    } >"$dir/lane.env.new" && mv "$dir/lane.env.new" "$dir/lane.env"
}

# lane_stop DIR: ends the lane's site server, wineserver and Xvfb, by PID.
lane_stop() {
    local dir="$1"
    [ -d "$dir" ] || return 0
    rm -f "$dir/lane.env"
    site_server_stop "$dir"
    wine_session_stop "$dir"
}

# lanes_start DIR ID...: starts the lanes DIR/lane-ID; false when any did
# not start. A new prefix takes a full Wine boot, so only the first lane
# makes one; the others start from a copy of it.
lanes_start() {
    local dir="$1" first="$2" id pid status=0
    shift
    (lane_start "$dir/lane-$first") || return 1
    local pids=()
    for id in "${@:2}"; do
        if [ ! -f "$dir/lane-$id/prefix/system.reg" ]; then
            rm -rf "$dir/lane-$id/prefix"
            mkdir -p "$dir/lane-$id"
            cp -a "$dir/lane-$first/prefix" "$dir/lane-$id/prefix" || return 1
        fi
        (lane_start "$dir/lane-$id") &
        pids+=($!)
    done
    for pid in "${pids[@]}"; do
        wait "$pid" || status=1
    done
    return "$status"
}
