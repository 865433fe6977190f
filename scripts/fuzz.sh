#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with clang into build/fuzz and runs
# them over a copy of their seed corpus, so the repository's corpus is left as
# it is.
#   scripts/fuzz.sh [SECONDS]       each target for SECONDS (default 30) in
#                                   turn; stops at the first that finds a crash
#   scripts/fuzz.sh --short SECONDS every target's seed corpus replayed, then
#                                   all targets side by side for SECONDS in
#                                   total (the test command's run)
#   scripts/fuzz.sh --build         only builds the targets
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

usage() { echo "usage: scripts/fuzz.sh [SECONDS] | --short SECONDS | --build" >&2; exit 2; }
mode=long
case "${1:-}" in
    --short) mode=short; seconds="${2:-}" ;;
    --build) mode=build; seconds=1 ;;
    *) seconds="${1:-30}" ;;
esac
case "$seconds" in
    ''|*[!0-9]*|0) usage ;;
esac
targets=(setting_value ad_text access_key format_filesize trim_null ini_read http_head ledger_text)
out="$root/build/fuzz"

# clang and its libFuzzer runtime come with the rest of the tools.
bash scripts/lib/install-deps.sh

build() {
    echo "== fuzz: building targets in build/fuzz"
    mkdir -p "$out"
    CC=clang CXX=clang++ cmake -S fuzz -B "$out" >"$out/configure.log" 2>&1 \
        || { cat "$out/configure.log" >&2; return 1; }
    cmake --build "$out" -j "$(nproc)" >"$out/build.log" 2>&1 \
        || { cat "$out/build.log" >&2; return 1; }
}
build
[ "$mode" != build ] || exit 0

# A sanitizer report must end the run as a crash libFuzzer records.
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:abort_on_error=1:print_stacktrace=1}"

# fuzz NAME SECONDS: runs one target over a fresh copy of its seeds.
fuzz() {
    local name="$1" secs="$2" corpus="$out/corpus-$1" artifacts="$out/artifacts-$1"
    rm -rf "$corpus"
    mkdir -p "$artifacts"
    cp -r "fuzz/corpus/$name" "$corpus"
    "$out/torvane_fuzz_$name" -max_total_time="$secs" -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" >"$out/log-$name.txt" 2>&1
}

report_crash() {
    local name="$1" status="$2" log="$out/log-$1.txt" crash
    tail -n 60 "$log"
    crash="$(grep -o 'Test unit written to .*' "$log" | tail -n 1 | sed 's/^Test unit written to //')"
    echo "fuzz: $name FAILED (exit $status); input: ${crash:-none written}; log: $log"
}

report_ok() {
    local name="$1" secs="$2" runs units
    runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$out/log-$name.txt" | grep -o '[0-9]*$' || true)"
    units="$(find "$out/corpus-$name" -type f | wc -l)"
    echo "fuzz: $name ok: ${runs:-?} runs in ${secs}s, corpus $units inputs"
}

passed=0
failed=0
if [ "$mode" = long ]; then
    for name in "${targets[@]}"; do
        status=0
        fuzz "$name" "$seconds" || status=$?
        if [ "$status" -ne 0 ]; then
            failed=$((failed + 1))
            report_crash "$name" "$status"
            break
        fi
        passed=$((passed + 1))
        report_ok "$name" "$seconds"
    done
else
    # Every seed once, as given: a seed that crashes fails here whatever the
    # fuzzing below happens to try.
    for name in "${targets[@]}"; do
        seeds=("fuzz/corpus/$name"/*)
        if ! "$out/torvane_fuzz_$name" "${seeds[@]}" >"$out/replay-$name.txt" 2>&1; then
            tail -n 60 "$out/replay-$name.txt"
            echo "fuzz: $name FAILED replaying its ${#seeds[@]} seeds; log: $out/replay-$name.txt"
            exit 1
        fi
    done
    echo "fuzz: every target's seeds replayed"
    pids=()
    for name in "${targets[@]}"; do
        fuzz "$name" "$seconds" &
        pids+=($!)
    done
    for i in "${!targets[@]}"; do
        status=0
        wait "${pids[$i]}" || status=$?
        if [ "$status" -ne 0 ]; then
            failed=$((failed + 1))
            report_crash "${targets[$i]}" "$status"
        else
            passed=$((passed + 1))
            report_ok "${targets[$i]}" "$seconds"
        fi
    done
fi

echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
