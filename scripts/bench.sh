#!/usr/bin/env bash
# How fast and how light Torvane is.
#   scripts/bench.sh          native + wine (about 2 minutes)
#   scripts/bench.sh native   instruction counts under callgrind, and a
#                             million ticks and samples under ASan/LSan
#   scripts/bench.sh wine     Torvane beside a floor program under Wine for
#                             60 s: CPU, peak memory, launch to visible
#   scripts/bench.sh soak     3 minutes under Wine with boosts every 2 s:
#                             handles, GDI, USER and memory must stay flat
#   scripts/bench.sh all      all three
# Tables are printed; figures land in build/bench/*.json. Exit status 1 when
# a target is missed. TORVANE_BENCH_SITE=1 serves the vendor's site locally
# during the Wine runs (by default it is unreachable, as on a machine
# offline, and Torvane retries its news fetch every 5 s).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
mode="${1:-default}"
case "$mode" in
    default) steps=(native wine) ;;
    all) steps=(native wine soak) ;;
    native | wine | soak) steps=("$mode") ;;
    *) echo "usage: scripts/bench.sh [all|native|wine|soak]" >&2; exit 2 ;;
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

wine_steps() {
    # shellcheck source=lib/build.sh
    source scripts/lib/build.sh
    echo "== building Torvane and the benchmark's Windows programs"
    torvane_build win64 Torvane tv_test_window tv_foreground >build/bench/build-win64.log 2>&1 \
        || { cat build/bench/build-win64.log >&2; return 1; }
    cmake -S bench -B build/bench-win64 -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >build/bench/bench-configure.log 2>&1 \
        || { cat build/bench/bench-configure.log >&2; return 1; }
    cmake --build build/bench-win64 -j "$(nproc)" >build/bench/bench-build.log 2>&1 \
        || { cat build/bench/bench-build.log >&2; return 1; }

    # shellcheck source=lib/wine-session.sh
    source scripts/lib/wine-session.sh
    # shellcheck source=lib/site-server.sh
    source scripts/lib/site-server.sh
    local state="$root/build/bench/wine" step t0
    trap 'site_server_stop "$state"; wine_session_stop "$state"' EXIT
    TORVANE_XVFB=1 wine_session_start "$state"
    if [ "${TORVANE_BENCH_SITE:-0}" = 1 ]; then
        TORVANE_SITE_FIXED_PORT=18765 site_server_start "$state"
    fi
    for step in "$@"; do
        t0=$(date +%s)
        if [ "$step" = wine ]; then
            echo "== Torvane beside the floor program under Wine"
            timeout 300 python3 bench/wine_bench.py bench || status=1
        else
            echo "== soak: 3 minutes, foreground switching every 2 s"
            timeout 600 python3 bench/wine_bench.py soak || status=1
        fi
        echo "($step: $(( $(date +%s) - t0 )) s)"
    done
    site_server_stop "$state"
    wine_session_stop "$state"
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
