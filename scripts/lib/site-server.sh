# shellcheck shell=bash
# The local stand-in for the vendor's web site (tests/site_server.py), one per
# state directory. Source it; safe under `set -euo pipefail`.

_ss_say() { echo "site-server: $*" >&2; }

# shellcheck source=processes.sh
source "$(dirname "${BASH_SOURCE[0]}")/processes.sh"

# Python rather than curl: the server needs it anyway.
_ss_answers() {
    [ "$("$1" -c 'import sys, urllib.request
print(urllib.request.urlopen("http://127.0.0.1:%s/__mode" % sys.argv[1], timeout=2).read().decode())' "$2" 2>/dev/null || true)" = "$3" ]
}

# site_server_start DIR [MODE]: starts the server on a free port of 127.0.0.1,
# waits until it answers, writes DIR/site.pid and DIR/site.port and exports
# TORVANE_SITE_PORT.
site_server_start() {
    local dir="${1:-}" mode="${2:-normal}" root py pid port=""
    if [ -z "$dir" ]; then
        _ss_say "usage: site_server_start DIR [normal|nomarker|hang]"
        return 2
    fi
    mkdir -p "$dir" || return 1
    dir="$(cd "$dir" && pwd -P)" || return 1
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd -P)" || return 1
    py="$(command -v python3 2>/dev/null || true)"
    if [ -z "$py" ]; then
        _ss_say "python3 not found"
        return 1
    fi
    site_server_stop "$dir"
    rm -f "$dir/site.port"
    # Closed fds as for the Wine daemons: a caller's pipe must not stay open.
    # A session of its own keeps it out of the scheduling group of whatever
    # builds beside it, so its answers keep their pace.
    (
        proc_close_fds
        exec setsid "$py" "$root/tests/site_server.py" --port "${TORVANE_SITE_FIXED_PORT:-0}" --port-file "$dir/site.port" \
            --root "$root/site" --mode "$mode"
    ) </dev/null >"$dir/site.log" 2>&1 &
    pid=$!
    echo "$pid" >"$dir/site.pid"
    for _ in $(seq 100); do
        if ! proc_alive "$pid"; then
            _ss_say "server exited at start (log: $dir/site.log)"
            rm -f "$dir/site.pid"
            return 1
        fi
        if [ -z "$port" ] && [ -s "$dir/site.port" ]; then
            port="$(tr -d ' \n' <"$dir/site.port")"
        fi
        if [ -n "$port" ] && _ss_answers "$py" "$port" "$mode"; then
            export TORVANE_SITE_PORT="$port"
            return 0
        fi
        sleep 0.05
    done
    _ss_say "server did not answer (log: $dir/site.log)"
    site_server_stop "$dir"
    return 1
}

# site_server_stop DIR: ends the server started for DIR, by its PID; does
# nothing when none runs.
site_server_stop() {
    local dir="${1:-}" pid
    [ -n "$dir" ] && [ -f "$dir/site.pid" ] || return 0
    pid="$(cat "$dir/site.pid" 2>/dev/null || true)"
    # The command-line check guards against a recycled PID.
    if [ -n "$pid" ] && proc_is "$pid" site_server.py; then
        proc_term_wait_kill "$pid" || _ss_say "pid $pid survived SIGKILL"
    fi
    rm -f "$dir/site.pid" "$dir/site.port"
    if [ "${TORVANE_SITE_PORT:-}" ]; then unset TORVANE_SITE_PORT; fi
    return 0
}
