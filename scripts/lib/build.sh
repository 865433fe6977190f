# shellcheck shell=bash
# Configures and builds one of the two trees: `native` (the portable logic and
# its tests, with sanitizers) or `win64` (Torvane.exe and everything that runs
# under Wine). Source it, then: torvane_build native|win64 [target...]
torvane_build() {
    local kind="$1"
    shift
    local root dir
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
    dir="$root/build/$kind"
    local args=(-S "$root" -B "$dir")
    case "$kind" in
        native) args+=(-DTORVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
        win64) args+=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake") ;;
        *) echo "torvane_build: native or win64, not '$kind'" >&2; return 1 ;;
    esac
    cmake "${args[@]}" >"$root/build/$kind-configure.log" 2>&1 \
        || { cat "$root/build/$kind-configure.log" >&2; return 1; }
    local targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
}
