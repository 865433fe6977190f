#!/usr/bin/env bash
# Runs one CTest entry under Wine: CTest's command for the Windows tests.
#   wine-lane.sh EMULATOR PROGRAM [ARGS...]
# With a resources file (scripts/test.sh writes one) CTest hands each entry a
# lane, one Xvfb display, Wine prefix, wineserver and site server that no
# other entry uses at the same time; its settings are in
# $TORVANE_LANES/lane-<id>/lane.env. Without one the entry runs in the
# caller's session, one at a time per session.
set -euo pipefail

lane="${CTEST_RESOURCE_GROUP_0_LANE:-}"
if [ -n "$lane" ]; then
    # "id:a,slots:1"
    id="${lane#id:}"
    id="${id%%,*}"
    env_file="${TORVANE_LANES:?TORVANE_LANES names no lane folder}/lane-$id/lane.env"
    [ -f "$env_file" ] || { echo "wine-lane: lane $id not started ($env_file missing)" >&2; exit 1; }
    # shellcheck source=/dev/null
    source "$env_file"
    exec "$@"
fi
if [ -n "${WINE_SESSION_DIR:-}" ] && command -v flock >/dev/null 2>&1; then
    exec flock "$WINE_SESSION_DIR/ctest.lock" "$@"
fi
exec "$@"
