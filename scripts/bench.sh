#!/usr/bin/env bash
# How fast and how light Torvane is.
#   scripts/bench.sh          native + wine
#   scripts/bench.sh native   instruction counts under callgrind, and a
#                             million ticks and samples under ASan/LSan
#   scripts/bench.sh wine     Torvane beside the plain floor and the feature
#                             floor under Wine, each with its own wineserver:
#                             CPU (schedstat, everything measured on one core
#                             once started), peak memory, launch to visible,
#                             boost latency
#   scripts/bench.sh wine3    the same three times, and the table of all three
#                             (TORVANE_BENCH_RUNS=N for another count)
#   scripts/bench.sh control  wine3 with a second plain floor in Torvane's
#                             place: how far the gauge moves for two programs
#                             that are the same (result: control.json)
#   scripts/bench.sh trace    where the CPU time goes: each program's threads,
#                             and its wineserver requests per second by type
#   scripts/bench.sh soak     3 minutes under Wine with boosts every 2 s:
#                             handles, GDI, USER and memory must stay flat
#   scripts/bench.sh all      native, wine and soak
# Tables are printed; figures land in build/bench/*.json. Exit status 1 when
# a target is missed.
# The local site is served on a free port and the Torvane measured is built
# for it (build/bench-torvane/); TORVANE_BENCH_SITE=0 leaves it unreachable,
# as on a machine offline. TORVANE_BENCH_SOURCE=DIR measures the Torvane of
# another source tree (a worktree with a change to try);
# TORVANE_BENCH_SECONDS sets how long each program's CPU is measured
# (default 100 s, in 5-s windows taken in turn, the other programs stopped
# meanwhile: the CPU targets hold for the whole run and for its median
# window, which leaves out a burst the host charges to one program).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
mode="${1:-default}"
case "$mode" in
    default) steps=(native wine) ;;
    all) steps=(native wine soak) ;;
    native | wine | soak | trace) steps=("$mode") ;;
    wine3) steps=(wine); : "${TORVANE_BENCH_RUNS:=3}" ;;
    control) steps=(wine); control=1; : "${TORVANE_BENCH_RUNS:=3}" ;;
    *) echo "usage: scripts/bench.sh [all|native|wine|wine3|control|trace|soak]" >&2; exit 2 ;;
esac
mkdir -p build/bench build/bench-native
status=0

# The native programs, built by bench/native/CMakeLists.txt against the
# program's portable library (cmake/logic_sources.cmake), once for both.
native_build() {
    local out=build/bench-native
    [ -z "${native_built:-}" ] || return 0
    cmake -S bench/native -B "$out" >"$out/configure.log" 2>&1 \
        || { cat "$out/configure.log" >&2; return 1; }
    cmake --build "$out" -j "$(nproc)" >"$out/build.log" 2>&1 \
        || { cat "$out/build.log" >&2; return 1; }
    native_built=1
}

instructions() {
    local out=build/bench-native cg=build/bench-native/callgrind t0
    t0=$(date +%s)
    echo "== instruction counts (valgrind --tool=callgrind, g++ -O2)"
    native_build
    # Bare first: the program checks that each measured call did its work.
    "$out/instructions"
    rm -rf "$cg" && mkdir -p "$cg"
    timeout 300 valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$cg/out" \
        "$out/instructions" >"$cg/valgrind.log" 2>&1 || { cat "$cg/valgrind.log" >&2; return 1; }
    # One dump per measured call: its name is in "desc: Trigger", its count
    # in "totals:".
    awk '
        FNR == 1 { name = "" }
        /^desc: Trigger: Client Request: / { name = $NF }
        /^totals: / && name != "" { count[name] = $2 }
        END {
            limit["booster_tick"] = 20000
            limit["monitor_redraw"] = 1000000
            for (s = 1; s <= 5; s++) limit["button_paint_style_" s] = 300000
            n = split("booster_tick monitor_redraw monitor_redraw_without_pixels button_paint_style_1 button_paint_style_2 button_paint_style_3 button_paint_style_4 button_paint_style_5", order, " ")
            printf "%-32s %12s %12s  %s\n", "measured call", "instructions", "target", "result"
            json = "{"
            bad = 0
            for (i = 1; i <= n; i++) {
                k = order[i]
                if (!(k in count)) { printf "%-32s %12s\n", k, "missing"; bad = 1; continue }
                if (k in limit) {
                    ok = count[k] <= limit[k]
                    bad = bad || !ok
                    printf "%-32s %12d %12d  %s\n", k, count[k], limit[k], ok ? "PASS" : "FAIL"
                } else {
                    printf "%-32s %12d %12s  %s\n", k, count[k], "-", "(for comparison)"
                }
                json = json sprintf("%s\"%s\": %d", i > 1 ? ", " : "", k, count[k])
            }
            print json "}" > "build/bench/instructions.json"
            exit bad
        }' "$cg"/out.* || status=1
    echo "(native instruction counts: $(( $(date +%s) - t0 )) s)"
}

million() {
    local out=build/bench-native t0 log=build/bench-native/million.log
    t0=$(date +%s)
    echo "== a million booster ticks and monitor samples (AddressSanitizer, LeakSanitizer, UBSan)"
    native_build
    export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
    # The leak checker must be live: a deliberate leak has to be reported.
    if "$out/million" canary >"$out/canary.log" 2>&1 || ! grep -q "LeakSanitizer: detected memory leaks" "$out/canary.log"; then
        echo "LeakSanitizer did not report a deliberate leak; the run below would prove nothing (see $out/canary.log)"
        status=1
        return
    fi
    if timeout 600 "$out/million" >"$log" 2>&1 && ! grep -q "Sanitizer" "$log"; then
        cat "$log"
        echo "PASS: no AddressSanitizer, LeakSanitizer or UBSan report (a deliberate leak is caught: checker live)"
    else
        cat "$log"
        echo "FAIL: see $log"
        status=1
    fi
    echo "(million: $(( $(date +%s) - t0 )) s, build included)"
}

# Torvane as the source tree has it, built for the bench's site: the news
# fetch must reach the same site the feature floor asks once.
bench_torvane() {
    local src="${TORVANE_BENCH_SOURCE:-$root}" host dir
    src="$(cd "$src" && pwd -P)"
    host="127.0.0.1:${TORVANE_SITE_PORT:-9}"
    dir="$root/build/bench-torvane/$(printf %s "$src" | md5sum | cut -c1-8)"
    mkdir -p "$dir"
    cmake -S "$src" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTORVANE_TESTS=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
        -DTORVANE_VENDOR_HOST="$host" -DTORVANE_VENDOR_WEB_ADDRESS="http://$host/" >"$dir/configure.log" 2>&1 \
        || { cat "$dir/configure.log" >&2; return 1; }
    cmake --build "$dir" -j "$(nproc)" --target Torvane >"$dir/build.log" 2>&1 \
        || { cat "$dir/build.log" >&2; return 1; }
    torvane_exe="$dir/Torvane.exe"
    echo "Torvane from $src ($(git -C "$src" describe --always --dirty 2>/dev/null || echo "no git")), site $host"
}

# One session per program, each with a copy of the same template prefix and a
# wineserver of its own, started the same way; one Xvfb for all three. The
# HID bus driver stays off: under Wine 8 here its thread polls at about 1.5 %
# of a core in every prefix, noise that no program causes.
bench_sessions=(floor feature torvane)
bench_overrides="${WINEDLLOVERRIDES:-}"
bench_sessions_start() {
    local template="$root/build/bench/wine-template" key dir xvfb=1
    if [ ! -f "$template/prefix/system.reg" ]; then
        TORVANE_XVFB=1 wine_session_start "$template" || return 1
        wine_session_stop "$template"
    fi
    for key in "${bench_sessions[@]}"; do
        dir="$root/build/bench/wine-$key"
        wine_session_stop "$dir"
        rm -rf "$dir/prefix"
        mkdir -p "$dir"
        cp -a "$template/prefix" "$dir/prefix"
        WINEDLLOVERRIDES="winebus.sys=d${bench_overrides:+;$bench_overrides}"
        TORVANE_XVFB=$xvfb wine_session_start "$dir" || return 1
        xvfb=0
    done
}

bench_sessions_stop() {
    local i
    # The first session owns the display: it goes last.
    for ((i = ${#bench_sessions[@]} - 1; i >= 0; i--)); do
        wine_session_stop "$root/build/bench/wine-${bench_sessions[i]}"
    done
}

wine_steps() {
    echo "== building the benchmark's Windows programs and Torvane"
    cmake -S bench -B build/bench-win64 -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >build/bench/bench-configure.log 2>&1 \
        || { cat build/bench/bench-configure.log >&2; return 1; }
    cmake --build build/bench-win64 -j "$(nproc)" >build/bench/bench-build.log 2>&1 \
        || { cat build/bench/bench-build.log >&2; return 1; }

    # shellcheck source=lib/wine-session.sh
    source scripts/lib/wine-session.sh
    # shellcheck source=lib/site-server.sh
    source scripts/lib/site-server.sh
    local state="$root/build/bench/wine" step t0 run runs=() sessions=()
    trap 'bench_sessions_stop; site_server_stop "$state"; wine_session_stop "$state"' EXIT
    if [ "${TORVANE_BENCH_SITE:-1}" = 1 ]; then
        site_server_start "$state" || return 1
    else
        unset TORVANE_SITE_PORT
    fi
    bench_torvane || return 1
    for step in "$@"; do
        t0=$(date +%s)
        if [ "$step" = wine ]; then
            echo "== Torvane beside the plain floor and the feature floor under Wine"
            for key in "${bench_sessions[@]}"; do sessions+=(--session "$key=$root/build/bench/wine-$key"); done
            for ((run = 1; run <= ${TORVANE_BENCH_RUNS:-1}; run++)); do
                rm -f "build/bench/run-$run.json"
                echo "-- run $run of ${TORVANE_BENCH_RUNS:-1} (load: $(cut -d' ' -f1-3 /proc/loadavg))"
                bench_sessions_start || { status=1; break; }
                timeout 900 python3 bench/wine_bench.py bench --torvane "$torvane_exe" "${sessions[@]}" \
                    --seconds "${TORVANE_BENCH_SECONDS:-100}" ${control:+--control} \
                    --out "build/bench/run-$run.json" || status=1
                bench_sessions_stop
                [ ! -f "build/bench/run-$run.json" ] || runs+=("build/bench/run-$run.json")
            done
            if [ "${#runs[@]}" -gt 0 ]; then
                local result=build/bench/result.json
                [ -z "${control:-}" ] || result=build/bench/control.json
                python3 bench/wine_bench.py report --out "$result" "${runs[@]}" || status=1
            fi
        elif [ "$step" = trace ]; then
            echo "== where the CPU time goes"
            for key in "${bench_sessions[@]}"; do sessions+=(--session "$key=$root/build/bench/wine-$key"); done
            bench_sessions_start || return 1
            timeout 900 python3 bench/wine_bench.py trace --torvane "$torvane_exe" "${sessions[@]}" \
                --seconds "${TORVANE_BENCH_SECONDS:-30}" || status=1
            bench_sessions_stop
        else
            echo "== soak: 3 minutes, foreground switching every 2 s"
            TORVANE_XVFB=1 wine_session_start "$state" || return 1
            timeout 600 python3 bench/wine_bench.py soak --torvane "$torvane_exe" || status=1
            wine_session_stop "$state"
        fi
        echo "($step: $(( $(date +%s) - t0 )) s)"
    done
    site_server_stop "$state"
    trap - EXIT
}

wine_wanted=()
for step in "${steps[@]}"; do
    case "$step" in
        native) instructions; million ;;
        *) wine_wanted+=("$step") ;;
    esac
done
if [ "${#wine_wanted[@]}" -gt 0 ]; then
    wine_steps "${wine_wanted[@]}" || status=1
fi
exit "$status"
