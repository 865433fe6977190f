#!/usr/bin/env bash
# CTest's fixtures for the Windows tests (tests/CMakeLists.txt), so that
# `ctest` in the win64 tree runs them with nothing started beforehand:
#   ctest-fixture.sh lanes-start DIR ID...  the lanes DIR/lane-ID: each an Xvfb
#                                           display, a Wine prefix with its
#                                           wineserver, and a site server
#   ctest-fixture.sh lanes-stop DIR ID...   ends them, by process id
#   ctest-fixture.sh site-start DIR PORT    the vendor's site the build names
#   ctest-fixture.sh site-stop DIR
# What they start writes to logs in DIR, never to CTest's pipes: CTest waits
# for those to close, and the daemons live on after the fixture's end.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=lanes.sh
source "$here/lanes.sh"

action="$1" dir="$2"
shift 2
mkdir -p "$dir"
log="$dir/$action.log"
case "$action" in
    lanes-start)
        # A lane left by a run that was cut short goes first.
        for id in "$@"; do lane_stop "$dir/lane-$id"; done
        lanes_start "$dir" "$@" </dev/null >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
        ;;
    lanes-stop)
        for id in "$@"; do lane_stop "$dir/lane-$id"; done
        ;;
    site-start)
        TORVANE_SITE_FIXED_PORT="$1" site_server_start "$dir" </dev/null >"$log" 2>&1 \
            || { cat "$log" >&2; echo "ctest-fixture: the build's site port $1 is not free" >&2; exit 1; }
        ;;
    site-stop)
        site_server_stop "$dir"
        ;;
    *)
        echo "usage: ctest-fixture.sh lanes-start|lanes-stop|site-start|site-stop DIR ..." >&2
        exit 2
        ;;
esac
