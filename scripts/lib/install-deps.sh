#!/usr/bin/env bash
# Installs what the cross build, the Wine test runs and the fuzzing need; a
# no-op when all of it is there already.
set -euo pipefail

# fonts-wine is only a Recommends of wine, yet without its Marlett the caption
# buttons and check marks draw as plain letters. wixl builds the installer;
# msitools' msibuild gives it the code page for its Chinese text. clang is the
# second compiler and the fuzzing compiler (its runtime below).
PKGS=(cmake g++ libgtest-dev libgmock-dev googletest g++-mingw-w64-x86-64-posix
      wine64 wine fonts-wine xvfb xauth fonts-wqy-microhei locales imagemagick
      x11-utils python3 clang wixl msitools)
LOG="${TMPDIR:-/tmp}/torvane-install-deps.log"

die() { echo "install-deps: $*" >&2; exit 1; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo env DEBIAN_FRONTEND=noninteractive "$@"
    else
        die "not root and no sudo; run as root: $*"
    fi
}

missing=()
# One dpkg-query for all keeps the already-installed case well under a second.
status="$(dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${PKGS[@]}" 2>/dev/null || true)"
for p in "${PKGS[@]}"; do
    grep -qxF "$p ii " <<<"$status" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
    [ "$(id -u)" -eq 0 ] || echo "install-deps: not root; using sudo to install: ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    : >"$LOG"
    as_root apt-get update >>"$LOG" 2>&1 \
        || die "apt-get update failed (log: $LOG)"
    as_root apt-get install -y "${missing[@]}" >>"$LOG" 2>&1 \
        || die "apt-get install ${missing[*]} failed (log: $LOG)"
fi

for t in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-gcc-posix; do
    command -v "$t" >/dev/null 2>&1 || die "$t not found after installing g++-mingw-w64-x86-64-posix"
done

# The libFuzzer runtime (scripts/fuzz.sh) comes in a package named for the
# clang version, so it is looked for where that clang keeps its runtimes and,
# when missing, installed for the version found.
fuzzer_runtime() {
    local dir
    dir="$(clang++ -print-resource-dir 2>/dev/null)" || return 1
    [ -f "$dir/lib/linux/libclang_rt.fuzzer-x86_64.a" ] || [ -f "$dir/lib/x86_64-pc-linux-gnu/libclang_rt.fuzzer.a" ] \
        || [ -f "$dir/lib/x86_64-unknown-linux-gnu/libclang_rt.fuzzer.a" ]
}
command -v clang++ >/dev/null 2>&1 || die "clang++ not found after installing clang"
if ! fuzzer_runtime; then
    major="$(clang++ -dumpversion 2>/dev/null)"
    major="${major%%.*}"
    [ -n "$major" ] || die "cannot tell the version of clang++"
    : >>"$LOG"
    as_root apt-get install -y "libclang-rt-$major-dev" >>"$LOG" 2>&1 \
        || { as_root apt-get update >>"$LOG" 2>&1 && as_root apt-get install -y "libclang-rt-$major-dev" >>"$LOG" 2>&1; } \
        || die "apt-get install libclang-rt-$major-dev failed (log: $LOG)"
    fuzzer_runtime || die "no libFuzzer runtime for clang $major after installing libclang-rt-$major-dev"
fi

# glibc spells the generated name zh_CN.utf8.
if ! grep -qixE 'zh_CN\.utf-?8' <<<"$(locale -a 2>/dev/null)"; then
    : >>"$LOG"
    # Listing it in locale.gen keeps it alive when a later locale-gen rebuilds the archive.
    if [ -f /etc/locale.gen ] && ! grep -qE '^[[:space:]]*zh_CN\.UTF-8[[:space:]]+UTF-8' /etc/locale.gen; then
        as_root sed -i -E 's/^#[[:space:]]*(zh_CN\.UTF-8[[:space:]]+UTF-8)/\1/' /etc/locale.gen >>"$LOG" 2>&1 || true
        grep -qE '^[[:space:]]*zh_CN\.UTF-8[[:space:]]+UTF-8' /etc/locale.gen \
            || as_root sh -c 'echo "zh_CN.UTF-8 UTF-8" >> /etc/locale.gen' >>"$LOG" 2>&1 || true
    fi
    # localedef builds just this one (locale-gen would rebuild every listed
    # locale); it exits 1 on mere warnings, so judge by locale -a instead.
    as_root localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 >>"$LOG" 2>&1 || true
    if ! grep -qixE 'zh_CN\.utf-?8' <<<"$(locale -a 2>/dev/null)"; then
        as_root locale-gen >>"$LOG" 2>&1 || true
        grep -qixE 'zh_CN\.utf-?8' <<<"$(locale -a 2>/dev/null)" \
            || die "could not generate the zh_CN.UTF-8 locale (log: $LOG)"
    fi
fi
exit 0
