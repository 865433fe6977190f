#!/usr/bin/env bash
# Runs one CTest entry under Wine: CTest's command for the Windows tests.
#   wine-lane.sh EMULATOR PROGRAM [ARGS...]
# The lanes in $TORVANE_LANES (CTest's fixture starts them) are one Xvfb
# display, Wine prefix, wineserver and site server each; an entry takes the
# first lane no other entry holds and holds it until its program ends, so
# `ctest -jN` runs as many at once as there are lanes. With no lanes the
# entry runs in the caller's session.
set -euo pipefail

dir="${TORVANE_LANES:-}"
if [ -n "$dir" ] && compgen -G "$dir/lane-*/lane.env" >/dev/null; then
    # A lane's settings are in its lane.env; flock -o keeps the lock out of
    # the programs the entry starts.
    for _ in $(seq 6000); do
        for env_file in "$dir"/lane-*/lane.env; do
            set +e
            flock -n -E 75 -o "${env_file%/lane.env}/run.lock" \
                bash -c 'source "$1"; shift; exec "$@"' _ "$env_file" "$@"
            status=$?
            set -e
            [ "$status" -eq 75 ] || exit "$status"
        done
        sleep 0.1
    done
    echo "wine-lane: no lane came free in 10 minutes" >&2
    exit 1
fi
exec "$@"
