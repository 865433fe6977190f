# shellcheck shell=bash
# Process helpers for the daemons the scripts start and stop by PID (Xvfb,
# the wineserver, the local site server). Source it.

# Zombies count as gone: PID 1 on these machines can be slow to reap them.
proc_alive() {
    local st
    st="$(cat "/proc/$1/stat" 2>/dev/null)" || return 1
    st="${st##*) }"
    [ "${st:0:1}" != Z ]
}

# Guards a kill against a recycled PID: true when PID's command line holds TEXT.
proc_is() {
    grep -qzF -- "$2" "/proc/$1/cmdline" 2>/dev/null
}

# TERM, up to 5 s to end, then KILL, up to 2 s; false when it outlived both.
proc_term_wait_kill() {
    local pid="$1"
    proc_alive "$pid" || return 0
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        proc_alive "$pid" || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
    for _ in $(seq 20); do
        proc_alive "$pid" || return 0
        sleep 0.1
    done
    return 1
}

# Daemons inherit every open fd; a stray pipe (a caller's `| tee`, CTest's
# output pipe) held open by them would make that reader wait forever. Call it
# in the subshell that then execs the daemon.
proc_close_fds() {
    local f n
    for f in "/proc/$BASHPID"/fd/*; do
        n="${f##*/}"
        if [ "$n" -gt 2 ] 2>/dev/null; then
            eval "exec $n>&-" 2>/dev/null || true
        fi
    done
}
