#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with clang and runs each for SECONDS
# (default 30) over a copy of its seed corpus, so the repository's corpus is
# left as it is. Stops at the first target that finds a crash.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

seconds="${1:-30}"
case "$seconds" in
    ''|*[!0-9]*|0) echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2 ;;
esac
targets=(setting_value ad_text access_key format_filesize trim_null ini_read http_head)
out="$root/build/fuzz"

# clang and its libFuzzer runtime, installed quietly when missing.
fuzzer_rt_present() {
    command -v clang++ >/dev/null 2>&1 || return 1
    [ -f "$(clang++ -print-resource-dir)/lib/linux/libclang_rt.fuzzer-x86_64.a" ]
}
if ! fuzzer_rt_present || ! command -v cmake >/dev/null 2>&1; then
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null 2>&1 || { echo "fuzz: clang missing; run as root to install it" >&2; exit 1; }
        sudo_cmd=(sudo env DEBIAN_FRONTEND=noninteractive)
    fi
    log="${TMPDIR:-/tmp}/torvane-fuzz-deps.log"
    export DEBIAN_FRONTEND=noninteractive
    if ! "${sudo_cmd[@]}" apt-get update >"$log" 2>&1 \
        || ! "${sudo_cmd[@]}" apt-get install -y -q clang libclang-rt-14-dev cmake >>"$log" 2>&1; then
        echo "fuzz: installing clang failed (log: $log)" >&2
        exit 1
    fi
fi

echo "== fuzz: building targets in build/fuzz"
mkdir -p "$out"
CC=clang CXX=clang++ cmake -S fuzz -B "$out" >"$out/configure.log" 2>&1 \
    || { cat "$out/configure.log" >&2; exit 1; }
cmake --build "$out" -j "$(nproc)" >"$out/build.log" 2>&1 \
    || { cat "$out/build.log" >&2; exit 1; }

# A sanitizer report must end the run as a crash libFuzzer records.
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:abort_on_error=1:print_stacktrace=1}"

passed=0
failed=0
for name in "${targets[@]}"; do
    corpus="$out/corpus-$name"
    artifacts="$out/artifacts-$name"
    log="$out/log-$name.txt"
    rm -rf "$corpus"
    mkdir -p "$artifacts"
    cp -r "fuzz/corpus/$name" "$corpus"
    status=0
    "$out/torvane_fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        failed=$((failed + 1))
        tail -n 60 "$log"
        crash="$(grep -o 'Test unit written to .*' "$log" | tail -n 1 | sed 's/^Test unit written to //')"
        echo "fuzz: $name FAILED (exit $status); input: ${crash:-none written}; log: $log"
        break
    fi
    runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)"
    units="$(find "$corpus" -type f | wc -l)"
    passed=$((passed + 1))
    echo "fuzz: $name ok: ${runs:-?} runs in ${seconds}s, corpus $units inputs"
done

echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
