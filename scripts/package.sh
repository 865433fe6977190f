#!/usr/bin/env bash
# Builds Torvane.exe and packs it, its icon and the read-me files into
# build/package/Torvane-<version>-win64.zip under one folder of the same name,
# and into the per-user installer build/package/Torvane-<version>-win64.msi.
# The same program gives the same zip and the same installer. Prints the
# zip's path on stdout, then the installer's.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/lib/install-deps.sh
mkdir -p build
# shellcheck source=lib/build.sh
source scripts/lib/build.sh
torvane_build win64 Torvane >build/package-build.log 2>&1 \
    || { cat build/package-build.log >&2; echo "package: build failed" >&2; exit 1; }

cache_value() {
    sed -n "s/^$1:[A-Z]*=//p" build/win64/CMakeCache.txt
}
# The version project() in CMakeLists.txt gave the tree just built.
version="$(cache_value CMAKE_PROJECT_VERSION)"
if ! [[ "$version" =~ ^[0-9]+(\.[0-9]+)*$ ]]; then
    echo "package: no project version in build/win64/CMakeCache.txt" >&2
    exit 1
fi
# The tree's defaults point the news line and the links at the local test site.
case "$(cache_value TORVANE_VENDOR_HOST)" in
    127.* | localhost*)
        echo "package: note: this build's vendor site is $(cache_value TORVANE_VENDOR_HOST) (the local test site)" >&2 ;;
esac

name="Torvane-$version-win64"
zip="$root/build/package/$name.zip"
python3 scripts/lib/make_package.py "$zip" "$name" \
    build/win64/Torvane.exe build/win64/tv.ico package/README-zh.txt package/README-en.txt
msi="$root/build/package/$name.msi"
python3 scripts/lib/make_msi.py "$msi" "$version" package/Torvane.wxs \
    build/win64/Torvane.exe build/win64/tv.ico package/README-zh.txt package/README-en.txt
echo "$zip"
echo "$msi"
