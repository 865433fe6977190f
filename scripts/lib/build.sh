# shellcheck shell=bash
# Configures and builds one of the two trees: `native` (the portable logic and
# its tests, with sanitizers) or `win64` (Torvane.exe and everything that runs
# under Wine). Source it, then: torvane_build native|win64 [target...]
#   TORVANE_TREE=NAME          build in build/NAME instead of build/<kind>
#   TORVANE_VENDOR_PORT=PORT   point the program at the local site on that port
#                              (otherwise the tree keeps the host it has)
#   TORVANE_BUILD_JOBS=N       compile jobs (default: the core count)
torvane_configure() {
    local kind="$1"
    local root dir
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
    dir="$root/build/${TORVANE_TREE:-$kind}"
    local args=(-S "$root" -B "$dir")
    case "$kind" in
        native) args+=(-DTORVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
        win64) args+=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake") ;;
        *) echo "torvane_build: native or win64, not '$kind'" >&2; return 1 ;;
    esac
    if [ -n "${TORVANE_VENDOR_PORT:-}" ]; then
        args+=(-DTORVANE_VENDOR_HOST="127.0.0.1:$TORVANE_VENDOR_PORT"
               -DTORVANE_VENDOR_WEB_ADDRESS="http://127.0.0.1:$TORVANE_VENDOR_PORT/")
    fi
    mkdir -p "$root/build"
    cmake "${args[@]}" >"$root/build/${TORVANE_TREE:-$kind}-configure.log" 2>&1 \
        || { cat "$root/build/${TORVANE_TREE:-$kind}-configure.log" >&2; return 1; }
}

torvane_build() {
    local kind="$1"
    shift
    local root
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
    torvane_configure "$kind" || return 1
    local targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build "$root/build/${TORVANE_TREE:-$kind}" -j "${TORVANE_BUILD_JOBS:-$(nproc)}" "${targets[@]}"
}

# The port of the local site a configured tree's program talks to; empty
# when the tree is not configured or names another host.
torvane_tree_site_port() {
    local cache="$1/CMakeCache.txt"
    [ -f "$cache" ] || return 0
    sed -n 's/^TORVANE_VENDOR_HOST:[A-Z]*=127\.0\.0\.1:\([0-9][0-9]*\)$/\1/p' "$cache"
}
