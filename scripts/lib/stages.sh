# shellcheck shell=bash
# Stages of a long command: each prints its time, and stage_table ends the
# command with one line per stage (result, seconds). Source it.
#   stage NAME CMD...        runs CMD now
#   stage_start NAME CMD...  runs CMD beside what follows, its output kept
#   stage_start_idle NAME CMD...  the same at the lowest priority
#   stage_unidle NAME...     gives such stages the normal priority back
#   stage_finish NAME        waits for it, then shows its output (the end of
#                            a long one that passed) and time
#   stage_skip NAME          notes a stage that did not run
# Background stages run in a process group of their own, which
# stage_stop_all ends (by its id) when the command stops early.

_st_names=()
_st_results=()
_st_seconds=()
declare -A _st_pid=() _st_t0=() _st_log=()
_st_t_start=$(date +%s%N)
_st_logs="${STAGE_LOGS:-${TMPDIR:-/tmp}}"

_st_now() { date +%s%N; }
_st_secs() { awk -v ns="$1" 'BEGIN { printf "%.1f", ns / 1e9 }'; }

_st_record() {
    _st_names+=("$1")
    _st_results+=("$2")
    _st_seconds+=("$3")
}

stage() {
    local name="$1" t0 status=0 secs
    shift
    echo "== $name"
    t0=$(_st_now)
    "$@" || status=$?
    secs=$(_st_secs $(($(_st_now) - t0)))
    _st_result "$name" "$status" "$secs"
}

stage_start() {
    _st_start "" "$@"
}

# As stage_start, at the lowest priority: it gets what the others leave idle.
stage_start_idle() {
    _st_start idle "$@"
}

_st_start() {
    local idle="$1" name="$2" log
    shift 2
    mkdir -p "$_st_logs"
    log="$_st_logs/stage-${name//[^A-Za-z0-9_-]/_}.log"
    echo "== $name (started beside what follows; output in $log)"
    _st_t0[$name]=$(_st_now)
    _st_log[$name]="$log"
    rm -f "$log.end"
    # setsid: a group of its own, so that an early stop ends its children
    # too. The end time is kept: it may be long before stage_finish is called.
    # A session of its own is a scheduling group of its own too, whose weight
    # nice alone does not lower: an idle stage sets the group's as well.
    setsid --wait bash -c '
        if [ "$1" = idle ]; then
            echo 19 >/proc/self/autogroup 2>/dev/null || true
            renice -n 19 -p $$ >/dev/null
        fi
        shift
        "$@"
        status=$?
        date +%s%N >"$0.end"
        exit "$status"' "$log" "$idle" "$@" </dev/null >"$log" 2>&1 &
    _st_pid[$name]=$!
}

stage_finish() {
    local name="$1" status=0 secs
    wait "${_st_pid[$name]}" || status=$?
    unset "_st_pid[$name]"
    local end
    end="$(cat "${_st_log[$name]}.end" 2>/dev/null || _st_now)"
    secs=$(_st_secs $((end - _st_t0[$name])))
    echo "== $name (output)"
    # A long log that ended well is shown by its end; a failure whole.
    if [ "$status" -ne 0 ] || [ "$(wc -l <"${_st_log[$name]}")" -le 40 ]; then
        cat "${_st_log[$name]}"
    else
        echo "[... $(wc -l <"${_st_log[$name]}") lines in ${_st_log[$name]}]"
        tail -n 5 "${_st_log[$name]}"
    fi
    _st_result "$name" "$status" "$secs"
}

# stage_unidle NAME...: running stages started idle get the normal priority
# back, once nothing waits for them to stay out of the way (it needs root;
# otherwise they keep the lowest).
stage_unidle() {
    local name pid task
    for name in "$@"; do
        pid="${_st_pid[$name]:-}"
        [ -n "$pid" ] || continue
        echo 0 >"/proc/$pid/autogroup" 2>/dev/null || continue
        # Nice is per thread, and a child takes its creator's.
        for pid in $(ps -o pid= -s "$pid" 2>/dev/null); do
            for task in /proc/"$pid"/task/*; do
                renice -n 0 -p "${task##*/}" >/dev/null 2>&1 || true
            done
        done
    done
}

# _st_result NAME STATUS SECS: says how a stage ended, records it, and
# returns its status.
_st_result() {
    if [ "$2" -eq 0 ]; then
        echo "-- $1: passed in $3 s"
        _st_record "$1" pass "$3"
    else
        echo "-- $1: FAILED (exit $2) after $3 s"
        _st_record "$1" FAIL "$3"
    fi
    return "$2"
}

stage_skip() {
    _st_record "$1" "not run" "-"
}

stage_stop_all() {
    local name pid
    for name in "${!_st_pid[@]}"; do
        pid="${_st_pid[$name]}"
        kill -TERM -- "-$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        _st_record "$name" stopped "$(_st_secs $(($(_st_now) - _st_t0[$name])))"
        unset "_st_pid[$name]"
    done
}

stage_table() {
    local i overall=pass
    for i in "${!_st_results[@]}"; do
        [ "${_st_results[$i]}" = pass ] || overall=FAIL
    done
    echo
    printf '%-28s %-8s %8s\n' stage result seconds
    printf '%-28s %-8s %8s\n' ---------------------------- -------- --------
    for i in "${!_st_names[@]}"; do
        printf '%-28s %-8s %8s\n' "${_st_names[$i]}" "${_st_results[$i]}" "${_st_seconds[$i]}"
    done
    printf '%-28s %-8s %8s\n' ---------------------------- -------- --------
    printf '%-28s %-8s %8s\n' total "$overall" "$(_st_secs $(($(_st_now) - _st_t_start)))"
}
