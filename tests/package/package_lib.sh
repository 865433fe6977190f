# What the package tests share: the project's version, a clock for their
# log, and a scratch folder with a Wine session of its own, both gone when
# the test ends, pass or fail.
#
#   source tests/package/package_lib.sh NAME   sets root, version, tmp, state
#   package_session_start                      a new prefix in the scratch
#                                              folder (the caller's fail()
#                                              reports a session that fails)
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
_package_test_name="$1"

version="$(sed -n 's/^project(Torvane VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
[ -n "$version" ] || { echo "$_package_test_name: no version in CMakeLists.txt" >&2; exit 1; }

t_start=$(date +%s%N)
elapsed() { echo "$(( ($(date +%s%N) - t_start) / 1000000 )) ms"; }

tmp="$(mktemp -d "${TMPDIR:-/tmp}/torvane-$_package_test_name.XXXXXX")"
state="$tmp/wine"
session=0
cleanup() {
    if [ "$session" = 1 ]; then
        wine_session_stop "$state"
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT

# shellcheck source=../../scripts/lib/wine-session.sh
source "$root/scripts/lib/wine-session.sh"

package_session_start() {
    session=1
    wine_session_start "$state" || fail "could not start a Wine session"
    [ "$WINEPREFIX" = "$state/prefix" ] || fail "the session is not on the new prefix"
}
