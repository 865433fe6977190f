# shellcheck shell=bash
# One Xvfb + one persistent wineserver per state directory, for test scripts.
# Source it; safe under `set -euo pipefail` (every failure is handled here and
# reported through the return code, never by tripping errexit).

# shellcheck source=processes.sh
source "$(dirname "${BASH_SOURCE[0]}")/processes.sh"

_ws_say() { echo "wine-session: $*" >&2; }

# Prefer the wine64 loader itself: Debian's /usr/bin/wine wrapper nags about
# wine32 on stderr.
_ws_resolve_wine() {
    local w="${WINE:-}" d
    if [ -n "$w" ]; then
        w="$(command -v "$w" 2>/dev/null || true)"
    elif [ -x /usr/lib/wine/wine64 ]; then
        w=/usr/lib/wine/wine64
    else
        w="$(command -v wine64 2>/dev/null || command -v wine 2>/dev/null || true)"
    fi
    if [ -z "$w" ] || [ ! -x "$w" ]; then
        _ws_say "no wine loader found (run scripts/lib/install-deps.sh)"
        return 1
    fi
    WINE="$w"
    # The server must be the one matching the loader's protocol version.
    d="$(dirname "$(readlink -f "$w")")"
    if [ -n "${WINESERVER:-}" ] && [ -x "$WINESERVER" ]; then
        :
    elif [ -x "$d/wineserver64" ]; then
        WINESERVER="$d/wineserver64"
    elif [ -x "$d/wineserver" ]; then
        WINESERVER="$d/wineserver"
    else
        WINESERVER="$(command -v wineserver 2>/dev/null || true)"
    fi
    if [ -z "$WINESERVER" ]; then
        _ws_say "no wineserver next to $WINE"
        return 1
    fi
}

_ws_term_wait_kill() {
    proc_term_wait_kill "$1" || { _ws_say "pid $1 survived SIGKILL"; return 1; }
}

# Background start with clean stdio; the PID lands in _WS_PID.
_ws_spawn() {
    local log="$1"
    shift
    (proc_close_fds; exec "$@") </dev/null >>"$log" 2>&1 &
    _WS_PID=$!
}

_ws_display_ok() {
    [ -n "${1:-}" ] && timeout 5 xdpyinfo -display "$1" >/dev/null 2>&1
}

_ws_start_xvfb() {
    local dir="$1" n pid lockpid
    if ! command -v Xvfb >/dev/null 2>&1; then
        _ws_say "Xvfb not installed (run scripts/lib/install-deps.sh)"
        return 1
    fi
    : >"$dir/xvfb.log"
    for n in $(seq 90 199); do
        if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then
            continue
        fi
        _ws_spawn "$dir/xvfb.log" Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp -noreset
        pid=$_WS_PID
        for _ in $(seq 100); do
            proc_alive "$pid" || break
            # The lock check makes sure we reached our own server, not a racer's.
            lockpid="$({ tr -d ' \n' <"/tmp/.X$n-lock"; } 2>/dev/null || true)"
            if [ "$lockpid" = "$pid" ] && _ws_display_ok ":$n"; then
                echo "$pid" >"$dir/xvfb.pid"
                export DISPLAY=":$n"
                return 0
            fi
            sleep 0.05
        done
        # Lost a race for :$n or too slow; try the next number.
        _ws_term_wait_kill "$pid" || true
    done
    _ws_say "could not start Xvfb on :90-:199 (log: $dir/xvfb.log)"
    return 1
}

_ws_start_server() {
    local dir="$1" pid cwd
    # A server someone else left on this prefix would hold its lock.
    "$WINESERVER" -k >/dev/null 2>&1 || true
    # -f keeps it from forking, so $! is the server itself.
    _ws_spawn "$dir/wineserver.log" "$WINESERVER" -f -p
    pid=$_WS_PID
    for _ in $(seq 200); do
        if ! proc_alive "$pid"; then
            _ws_say "wineserver exited at start (log: $dir/wineserver.log)"
            return 1
        fi
        cwd="$(readlink "/proc/$pid/cwd" 2>/dev/null || true)"
        if [[ "$cwd" == */server-* ]] && [ -S "$cwd/socket" ]; then
            echo "$pid" >"$dir/wineserver.pid"
            return 0
        fi
        sleep 0.05
    done
    _ws_say "wineserver socket never appeared (log: $dir/wineserver.log)"
    _ws_term_wait_kill "$pid" || true
    return 1
}

# Debian's Wine 8 looks for its own fonts in "<datadir>\../fonts", which
# never resolves; without Marlett, caption buttons and check marks draw as
# letters. The prefix's Fonts folder is always scanned. Placed before the
# boot so explorer.exe, started by it, has it too.
_ws_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" src
    src="$(dirname "$(readlink -f "$WINE")")/../../share/wine/fonts/marlett.ttf"
    [ -f "$src" ] || src=/usr/share/wine/fonts/marlett.ttf
    if [ -f "$src" ] && [ ! -e "$fonts/marlett.ttf" ]; then
        { mkdir -p "$fonts" && cp "$src" "$fonts/marlett.ttf"; } 2>/dev/null || true
    fi
}

# The first client of a new server runs `wineboot --init` by itself (a full
# prefix update when the prefix is new) and waits for it, so one small program
# is the whole boot; an explicit `wineboot -i` would run it a second time.
# Doing it here, with stdio on a log, also keeps services.exe and friends from
# inheriting some later caller's pipes.
# That program imports X11 options. With no window manager (a bare Xvfb):
# Decorated=N so Wine draws title bars itself, Managed=N so hiding or
# destroying a window does not stall 2 s waiting for one. With one (a real
# desktop) the defaults (Y) are right; the prefix may serve both.
_ws_boot() {
    local dir="$1" rc=0 v=N
    if grep -q 'window id' <<<"$(xprop -display "$DISPLAY" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)"; then
        v=Y
    fi
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="%s"\r\n"Managed"="%s"\r\n' \
        "$v" "$v" >"$dir/x11.reg" || return 1
    (proc_close_fds; exec "$WINE" regedit.exe /S "Z:${dir//\//\\}\\x11.reg") \
        </dev/null >>"$dir/wineboot.log" 2>&1 || rc=$?
    if [ "$rc" -ne 0 ]; then
        _ws_say "wine boot failed with $rc (log: $dir/wineboot.log)"
        return 1
    fi
    if [ ! -d "$WINEPREFIX/drive_c/windows/system32" ]; then
        _ws_say "prefix not populated after boot (log: $dir/wineboot.log)"
        return 1
    fi
}

_ws_stop_server() {
    local dir="$1" pid
    pid="$(cat "$dir/wineserver.pid" 2>/dev/null || true)"
    if [ -n "$pid" ] && proc_alive "$pid" && proc_is "$pid" wineserver; then
        # -k ends every process of this prefix's server, then the server,
        # which saves the registry on the way out.
        if [ -n "${WINESERVER:-}" ]; then
            WINEPREFIX="$dir/prefix" timeout 10 "$WINESERVER" -k >/dev/null 2>&1 || true
        fi
        _ws_term_wait_kill "$pid" || true
    fi
    rm -f "$dir/wineserver.pid"
}

wine_session_start() {
    local dir="${1:-}" t0 new=0
    if [ -z "$dir" ]; then
        _ws_say "usage: wine_session_start DIR"
        return 2
    fi
    t0=$(date +%s%N)
    if ! mkdir -p "$dir" || ! dir="$(cd "$dir" && pwd -P)"; then
        _ws_say "cannot use $1"
        return 1
    fi
    if ! grep -qixE 'zh_CN\.utf-?8' <<<"$(locale -a 2>/dev/null)"; then
        _ws_say "zh_CN.UTF-8 locale missing (run scripts/lib/install-deps.sh)"
        return 1
    fi
    # A session left running in DIR would fight over the prefix and display.
    wine_session_stop "$dir"

    _ws_resolve_wine || return 1
    export WINE WINESERVER
    export WINEPREFIX="$dir/prefix" WINEARCH=win64 WINEDEBUG=-all
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    export WINEDLLOVERRIDES="mscoree=;mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
    export WINE_SESSION_DIR="$dir"

    if [ "${TORVANE_XVFB:-0}" = 1 ] || ! _ws_display_ok "${DISPLAY:-}"; then
        _ws_start_xvfb "$dir" || { wine_session_stop "$dir"; return 1; }
    fi

    # The registry reaches disk only when the server saves it; a prefix
    # without it (server killed early) would boot half-empty, so rebuild it.
    if [ -d "$WINEPREFIX" ] && [ ! -f "$WINEPREFIX/system.reg" ]; then
        rm -rf "$WINEPREFIX"
    fi
    [ -d "$WINEPREFIX" ] || new=1
    mkdir -p "$WINEPREFIX" || { wine_session_stop "$dir"; return 1; }

    _ws_fonts
    if ! _ws_start_server "$dir" || ! _ws_boot "$dir"; then
        wine_session_stop "$dir"
        return 1
    fi
    # A new prefix gets one restart: explorer.exe was started before the X11
    # options existed (its tray window would still stall), and stopping the
    # server writes the registry to disk, so a later crash cannot leave the
    # prefix half-made.
    if [ "$new" = 1 ]; then
        _ws_stop_server "$dir"
        if [ ! -f "$WINEPREFIX/system.reg" ] || ! _ws_start_server "$dir" || ! _ws_boot "$dir"; then
            _ws_say "restart after creating the prefix failed (logs in $dir)"
            wine_session_stop "$dir"
            return 1
        fi
    fi
    _ws_say "DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX ($([ "$new" = 1 ] && echo new || echo existing) prefix, $(( ($(date +%s%N) - t0) / 1000000 )) ms)"
}

wine_session_stop() {
    local dir="${1:-}" pid f n
    [ -n "$dir" ] && [ -d "$dir" ] || return 0
    dir="$(cd "$dir" && pwd -P)" || return 0
    local WINE="${WINE:-}" WINESERVER="${WINESERVER:-}"
    _ws_resolve_wine 2>/dev/null || true

    _ws_stop_server "$dir"

    # Anything still running from this prefix's loader (only if the server
    # died under it); matched on loader binary + exact WINEPREFIX, since the
    # caller's own children carry that WINEPREFIX too. -ef keeps it builtin.
    if [ -n "$WINE" ] && [ -d "$dir/prefix" ]; then
        for f in /proc/[0-9]*; do
            if [ "$f/exe" -ef "$WINE" ] || [ "$f/exe" -ef "$WINESERVER" ]; then
                if grep -qzxF "WINEPREFIX=$dir/prefix" "$f/environ" 2>/dev/null; then
                    _ws_term_wait_kill "${f#/proc/}" || true
                fi
            fi
        done
    fi

    pid="$(cat "$dir/xvfb.pid" 2>/dev/null || true)"
    if [ -n "$pid" ] && proc_alive "$pid" && proc_is "$pid" Xvfb; then
        _ws_term_wait_kill "$pid" || true
    fi
    if [ -n "$pid" ]; then
        # A killed Xvfb leaves its lock and socket behind.
        for f in /tmp/.X*-lock; do
            [ -f "$f" ] || continue
            if [ "$({ tr -d ' \n' <"$f"; } 2>/dev/null)" = "$pid" ] && ! proc_alive "$pid"; then
                n="${f#/tmp/.X}"
                n="${n%-lock}"
                rm -f "$f" "/tmp/.X11-unix/X$n"
            fi
        done
    fi
    rm -f "$dir/xvfb.pid"
    return 0
}

wine_session_screenshot() {
    local out="${1:-}"
    if [ -z "$out" ] || [ -z "${DISPLAY:-}" ]; then
        _ws_say "usage: wine_session_screenshot FILE.png (inside a session)"
        return 2
    fi
    if ! import -display "$DISPLAY" -window root "$out" 2>/dev/null; then
        _ws_say "screenshot of $DISPLAY failed"
        return 1
    fi
}
