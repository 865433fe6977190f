#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: the
# layering check; under Wine (CTest starts the Xvfb displays, Wine prefixes and
# the local web server playing the vendor's site as fixtures) the unit tests,
# the Win32 side, the end-to-end tests of Torvane.exe and the packages; the
# logic natively with sanitizers; every source again through clang with
# warnings as errors; and last a short fuzzing run of the text rules. Each
# stage prints its time; a table of them ends the run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
mkdir -p build

export STAGE_LOGS="$root/build/test-logs"
# shellcheck source=lib/stages.sh
source scripts/lib/stages.sh
# shellcheck source=lib/build.sh
source scripts/lib/build.sh
# The long fuzzing runs are scripts/fuzz.sh's; here all targets side by side.
fuzz_seconds=30

finish() {
    local status=$?
    trap - EXIT
    stage_stop_all
    # CTest's fixtures stop these; a run cut short leaves them to this.
    bash scripts/lib/ctest-fixture.sh lanes-stop build/win64/wine-lanes a b 2>/dev/null || true
    bash scripts/lib/ctest-fixture.sh site-stop build/win64/vendor-site 2>/dev/null || true
    stage_table
    exit "$status"
}
trap finish EXIT

stage deps bash scripts/lib/install-deps.sh || exit 1

# The vendor's site is a port of 127.0.0.1 the win64 tree is built to ask (so
# the run command's site on 18765 can run at the same time); CTest's fixture
# serves it there. The port the tree names already is kept when it is free,
# which saves rebuilding.
site_port() {
    python3 - "$(torvane_tree_site_port build/win64)" <<'PY'
import socket, sys
def free(port):
    with socket.socket() as s:
        try:
            s.bind(("127.0.0.1", port))
        except OSError:
            return None
        return s.getsockname()[1]
known = int(sys.argv[1]) if sys.argv[1] and sys.argv[1] != "18765" else 0
print((known and free(known)) or free(0))
PY
}
TORVANE_VENDOR_PORT="$(site_port)"
export TORVANE_VENDOR_PORT
echo "local site: 127.0.0.1:$TORVANE_VENDOR_PORT"

configure() {
    local status=0
    env -u TORVANE_VENDOR_PORT bash -c 'source scripts/lib/build.sh && torvane_configure native' &
    local native=$!
    torvane_configure win64 || status=1
    wait "$native" || status=1
    return "$status"
}
stage configure configure || exit 1
stage layers python3 scripts/check-layers.py || exit 1
stage "unity names" python3 scripts/check-unity-names.py build/native build/win64 || exit 1

# The Windows tests wait for the win64 tree, so it is made first. The work
# they do not wait for (the native tree,
# the second compiler over the configured win64 tree, the fuzz targets) runs
# at the lowest priority: it takes what the builds and the Windows tests
# leave idle, without slowing them.
jobs="$(nproc)"
stage_start_idle "build native" cmake --build build/native -j "$jobs"
stage_start_idle "second compiler" bash scripts/clang-check.sh
stage_start_idle "fuzz build" bash scripts/fuzz.sh --build

# The links tests wait out the program's five-second news attempts and need
# the local site to themselves: they run while the rest of the tree builds.
stage "build win64 (program, e2e)" \
    cmake --build build/win64 -j "$jobs" --target Torvane torvane_e2e_tests || exit 1
stage_start "windows tests: links" ctest --test-dir build/win64 -R '^e2e_links$' --output-on-failure
stage "build win64 (the rest)" cmake --build build/win64 -j "$jobs" || exit 1
stage_finish "windows tests: links" || exit 1
stage "windows tests" ctest --test-dir build/win64 -E '^e2e_links$' -j 2 --output-on-failure || exit 1

stage_unidle "build native" "second compiler" "fuzz build"
stage_finish "build native" || exit 1
stage "native tests" bash -c 'cd build/native && ctest --output-on-failure' || exit 1
stage_finish "second compiler" || exit 1
stage_finish "fuzz build" || exit 1
stage fuzzing bash scripts/fuzz.sh --short "$fuzz_seconds" || exit 1
