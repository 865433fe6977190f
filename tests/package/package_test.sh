#!/usr/bin/env bash
# The portable zip as a user gets it: checks what it holds, unpacks it into a
# new folder (a Chinese name with a space, as a Chinese user's Downloads
# folder has), and starts Torvane.exe there in a new, empty Wine prefix with
# its own wineserver, as on a machine that never ran it. Passes when the
# main window is on screen and the first-start config.ini is beside the
# program; then ends that prefix's wineserver and checks nothing of it runs.
#
#   tests/package/package_test.sh [ZIP]
#
# ZIP defaults to build/package/Torvane-<version>-win64.zip (scripts/package.sh).
# Uses the X display in DISPLAY, or a private Xvfb when there is none or
# TORVANE_XVFB=1.
set -euo pipefail
# shellcheck source=package_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/package_lib.sh" package-test
folder="Torvane-$version-win64"
zip="$(realpath -m "${1:-$root/build/package/$folder.zip}")"
window_timeout="${TORVANE_PACKAGE_TIMEOUT:-30}"

fail() {
    echo "package_test: FAIL: $*" >&2
    exit 1
}

[ -f "$zip" ] || fail "no zip at $zip (run scripts/package.sh)"

echo "== contents of $zip"
# The read-mes name the program's captions in quotes; each must be one the
# program shows, or the instructions lead nowhere. The Chinese one also names
# Windows' own priority levels and where an installed program shows up.
python3 - "$zip" "$folder" "$version" <<'EOF' || fail "the zip's contents are wrong"
import re, struct, sys, zipfile

path, folder, version = sys.argv[1:]
problems = []
files = ["README-en.txt", "README-zh.txt", "Torvane.exe", "tv.ico"]
expected = [folder + "/"] + [f"{folder}/{name}" for name in files]
try:
    archive = zipfile.ZipFile(path)
except zipfile.BadZipFile as error:
    sys.exit(f"not a zip: {error}")
entries = archive.infolist()
names = [e.filename for e in entries]
for name in expected:
    if name not in names:
        problems.append(f"lacks {name}")
for name in names:
    if name not in expected:
        problems.append(f"holds unexpected {name}")
bad = archive.testzip()
if bad:
    problems.append(f"{bad} is damaged")
if names != sorted(names) or len({e.date_time for e in entries}) != 1:
    problems.append("entries not sorted or not all of one time stamp")
for e in entries:
    if not e.filename.isascii() or e.flag_bits & 0x800:
        problems.append(f"{e.filename!r}: name not plain ASCII")

def read(name):
    full = f"{folder}/{name}"
    return archive.read(full) if full in names else None

exe = read("Torvane.exe")
if exe is not None:
    pe = struct.unpack_from("<I", exe, 0x3C)[0] if exe[:2] == b"MZ" and len(exe) > 0x40 else 0
    if not pe or exe[pe:pe + 4] != b"PE\0\0":
        problems.append("Torvane.exe is not a Windows program")
    else:
        machine = struct.unpack_from("<H", exe, pe + 4)[0]
        subsystem = struct.unpack_from("<H", exe, pe + 24 + 68)[0]
        if machine != 0x8664 or subsystem != 2:
            problems.append(f"Torvane.exe: machine {machine:#x}, subsystem {subsystem}; want x64 GUI")
    # The version resource's fixed part: signature, struct version, then the file version.
    at = exe.find(struct.pack("<II", 0xFEEF04BD, 0x00010000))
    if at < 0:
        problems.append("Torvane.exe has no version resource")
    else:
        ms, ls = struct.unpack_from("<II", exe, at + 8)
        found = [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF]
        want = [int(x) for x in version.split(".")]
        want += [0] * (4 - len(want))
        if found != want:
            problems.append(f"Torvane.exe says version {'.'.join(map(str, found))}, the zip {version}")

icon = read("tv.ico")
if icon is not None and (len(icon) < 22 or icon[:4] != b"\0\0\1\0" or struct.unpack_from("<H", icon, 4)[0] < 1):
    problems.append("tv.ico is not an icon file")

windows_terms = {"高", "实时", "标准", "低于标准", "开始", "应用和功能", "程序和功能"}
for name in ("README-en.txt", "README-zh.txt"):
    data = read(name)
    if data is None:
        continue
    if not data.startswith(b"\xef\xbb\xbf"):
        problems.append(f"{name}: no UTF-8 BOM")
    if data.count(b"\n") != data.count(b"\r\n") or data.count(b"\r") != data.count(b"\r\n"):
        problems.append(f"{name}: line ends not all CRLF")
    try:
        text = data.decode("utf-8-sig")
    except UnicodeDecodeError:
        problems.append(f"{name}: not UTF-8")
        continue
    if "config.ini" not in text:
        problems.append(f"{name}: does not say where the settings are")
    quoted = re.findall(r'["“]([\u3400-\u9fff]+)["”]', text)
    if not quoted:
        problems.append(f"{name}: names none of the program's captions")
    for caption in quoted:
        if caption not in windows_terms and exe is not None and caption.encode("utf-16-le") not in exe:
            problems.append(f"{name}: quotes “{caption}”, which Torvane.exe never shows")

for p in problems:
    print(f"  {p}", file=sys.stderr)
sys.exit(1 if problems else 0)
EOF
echo "   ok: $folder/ with Torvane.exe, tv.ico, README-en.txt, README-zh.txt ($(elapsed))"

unpacked="$tmp/我的 下载"
mkdir -p "$unpacked"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$unpacked" \
    || fail "could not unpack the zip"
program_dir="$unpacked/$folder"

echo "== first start in a new Wine prefix"
package_session_start

(cd "$program_dir" && exec "$WINE" Torvane.exe) </dev/null >"$tmp/torvane.log" 2>&1 &
pid=$!

# Zombies count as ended.
running() { proc_alive "$1"; }

# Wine names the X window after the title and tags it with the process id.
# It exists from CreateWindow on; it is mapped once the load has finished.
# $1: the window tree.
main_window() {
    local id
    for id in $(awk '$2 == "\"Torvane\":" { print $1 }' <<<"$1"); do
        if [ "$(xprop -id "$id" _NET_WM_PID 2>/dev/null | awk '{ print $NF }')" = "$pid" ] \
            && xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# Wine's crash dialog, from a process of this prefix: the display may be
# shared with other prefixes. $1: the window tree.
crash_dialog() {
    local id owner
    for id in $(awk '/\("winedbg\.exe"/ { print $1 }' <<<"$1"); do
        owner="$(xprop -id "$id" _NET_WM_PID 2>/dev/null | awk '{ print $NF }')"
        if [ -n "$owner" ] && grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$owner/environ" 2>/dev/null; then
            return 0
        fi
    done
    return 1
}

deadline=$(( $(date +%s) + window_timeout ))
window=""
while :; do
    tree="$(xwininfo -root -tree 2>/dev/null || true)"
    window="$(main_window "$tree")" && break
    if ! running "$pid"; then
        wait "$pid" && rc=0 || rc=$?
        tail -n 20 "$tmp/torvane.log" >&2 || true
        fail "Torvane.exe ended at start with exit code $rc"
    fi
    if crash_dialog "$tree"; then
        fail "Torvane.exe crashed at start (Wine's crash dialog is up)"
    fi
    if [ "$(date +%s)" -ge "$deadline" ]; then
        echo "  named top-level X windows:" >&2
        grep -E '^ +0x[0-9a-f]+ "' <<<"$tree" | sed 's/^ */    /' | head -n 20 >&2 || true
        fail "no visible \"Torvane\" window of process $pid within ${window_timeout} s"
    fi
    sleep 0.2
done
echo "   ok: main window $window \"Torvane\" on $DISPLAY, process $pid ($(elapsed))"

# The first start stores the controls that its load changed: speed-up off,
# the level 疯狂提速 (2).
config="$program_dir/config.ini"
stored() {
    python3 - "$config" <<'EOF'
import configparser, sys
ini = configparser.ConfigParser(strict=False, interpolation=None)
ini.optionxform = str
try:
    ini.read(sys.argv[1], encoding="gbk")
except configparser.Error:
    sys.exit(1)
ok = ini.get("Speed", "SpeedLevel", fallback=None) == "2" and ini.get("Normal", "EnableSpeed", fallback=None) == "0"
sys.exit(0 if ok else 1)
EOF
}
for _ in $(seq 50); do
    stored && break
    sleep 0.1
done
if ! stored; then
    [ -f "$config" ] && sed 's/^/    /' "$config" >&2
    fail "no first-start config.ini (SpeedLevel=2, EnableSpeed=0) beside Torvane.exe"
fi
running "$pid" || fail "Torvane.exe ended after showing its window"
echo "   ok: config.ini written beside Torvane.exe ($(elapsed))"

echo "== end of the prefix's wineserver"
server="$(cat "$state/wineserver.pid")"
wine_session_stop "$state"
session=0
# Torvane.exe, the server, and any Wine program on this prefix; zombies
# aside. One pass in Python: a fork per process is slow on a busy machine.
left="$(python3 - "WINEPREFIX=$state/prefix" "$pid" "$server" <<'EOF'
import os, sys
prefix, ours = sys.argv[1].encode(), set(sys.argv[2:])
left = []
for n in filter(str.isdigit, os.listdir("/proc")):
    try:
        with open(f"/proc/{n}/stat", "rb") as f:
            if f.read().rsplit(b") ", 1)[1][:1] == b"Z":
                continue
        if n in ours:
            left.append(n)
            continue
        exe = os.path.basename(os.readlink(f"/proc/{n}/exe"))
        with open(f"/proc/{n}/environ", "rb") as f:
            if exe.startswith("wine") and prefix in f.read().split(b"\0"):
                left.append(n)
    except OSError:
        continue
print(" ".join(left))
EOF
)"
[ -z "$left" ] || fail "still running after the wineserver ended: $left"
echo "   ok: Torvane.exe, the wineserver and the prefix's processes ended ($(elapsed))"
echo "package_test: PASS ($(elapsed))"
