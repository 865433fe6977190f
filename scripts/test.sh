#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: every
# source again through clang with warnings as errors, the logic natively with
# sanitizers, a short fuzzing run of the text rules, then the
# same tests, the Win32 side and the end-to-end tests of Torvane.exe under
# Wine on a private Xvfb display, with a local web server playing the
# vendor's site.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/lib/install-deps.sh
mkdir -p build
# shellcheck source=lib/build.sh
source scripts/lib/build.sh
torvane_build native
torvane_build win64

echo "== layers (<windows.h> only in win_* files, window classes and main.cpp; app/ on top)"
python3 scripts/check-layers.py

echo "== second compiler (clang for x86_64-w64-mingw32, warnings as errors)"
bash scripts/clang-check.sh

echo "== native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
(cd build/native && ctest --output-on-failure)

echo "== fuzzing (libFuzzer, 30 s per target)"
bash scripts/fuzz.sh 30

# shellcheck source=lib/wine-session.sh
source scripts/lib/wine-session.sh
# shellcheck source=lib/site-server.sh
source scripts/lib/site-server.sh
state="$root/build/wine-test"
trap 'site_server_stop "$state"; wine_session_stop "$state"' EXIT
TORVANE_XVFB=1 wine_session_start "$state"
# The vendor's site, played by a local server on 127.0.0.1 at the port the
# build's vendor host names; pages "opened in the browser" are noted here.
TORVANE_SITE_FIXED_PORT=18765 site_server_start "$state"
export TORVANE_BROWSER_LOG="$state/browser.log"

echo "== Windows tests under Wine"
(cd build/win64 && ctest --output-on-failure)

echo "== portable package, started in a new Wine prefix"
bash scripts/package.sh >/dev/null
bash tests/package/package_test.sh
bash tests/package/msi_test.sh
