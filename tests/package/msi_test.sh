#!/usr/bin/env bash
# The installer as a user meets it, in a new, empty Wine prefix with its own
# wineserver: a silent install, Torvane started from the Start menu
# shortcut's target, an upgrade to a newer package built on the spot while
# Torvane runs, a refused downgrade, the same version installed again (the
# same file and a rebuild), and an uninstall while Torvane runs. After each,
# the files, the shortcut, the installed-programs entries, the user's
# config.ini and Logs.txt, the "TV" start-with-system value and the Torvane
# processes are checked from outside.
#
#   tests/package/msi_test.sh [MSI]
#
# MSI defaults to build/package/Torvane-<version>-win64.msi (scripts/package.sh);
# the newer package is built from package/Torvane.wxs and the same inputs.
# Uses the X display in DISPLAY, or a private Xvfb when there is none or
# TORVANE_XVFB=1.
set -euo pipefail
# shellcheck source=package_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/package_lib.sh" msi-test
msi="$(realpath -m "${1:-$root/build/package/Torvane-$version-win64.msi}")"
newer_version=99.0.0
exe_in="$root/build/win64/Torvane.exe"
ico_in="$root/build/win64/tv.ico"
readme_zh="$root/package/README-zh.txt"
readme_en="$root/package/README-en.txt"
downgrade_message="已安装更新的版本的 Torvane。"
window_timeout="${TORVANE_PACKAGE_TIMEOUT:-20}"

failures=()
fail() {
    echo "msi_test: FAIL: $*" >&2
    exit 1
}
# A check whose failure leaves the rest worth running; the test fails at the end.
check() {
    local what="$1"
    shift
    if "$@"; then
        echo "   ok: $what"
    else
        echo "   FAIL: $what" >&2
        failures+=("$what")
    fi
}

for f in "$msi" "$exe_in" "$ico_in" "$readme_zh" "$readme_en"; do
    [ -f "$f" ] || fail "no $f (run scripts/package.sh)"
done
command -v msiinfo >/dev/null || fail "msiinfo not found (run scripts/lib/install-deps.sh)"

make_msi() {
    python3 "$root/scripts/lib/make_msi.py" "$1" "$2" "$root/package/Torvane.wxs" \
        "$3" "$ico_in" "$readme_zh" "$readme_en"
}

echo "== the package, read without installing"
# msiinfo prints a table as text, in UTF-8 with CRLF line ends.
msi_table() { LC_ALL=C.UTF-8 msiinfo export "$1" "$2" | tr -d '\r'; }
property() { msi_table "$msi" Property | awk -F '\t' -v k="$1" '$1 == k { print $2 }'; }
check "ProductVersion is the project's $version" [ "$(property ProductVersion)" = "$version" ]
check "package language is Simplified Chinese (2052)" [ "$(property ProductLanguage)" = 2052 ]
check "per-user: no ALLUSERS" [ -z "$(property ALLUSERS)" ]
summary="$(msiinfo suminfo "$msi")"
check "summary template x64;2052" grep -qx 'Template: x64;2052' <<<"$summary"
# Word count bit 8: no elevation asked for.
source_bits="$(sed -n 's/^Source: \([0-9]*\).*/\1/p' <<<"$summary")"
check "summary source bits include 8 (no elevation)" [ $(( ${source_bits:-0} & 8 )) -ne 0 ]
check "the downgrade message is in the package, in Chinese" \
    grep -qF "$downgrade_message" <<<"$(msi_table "$msi" LaunchCondition)"
# Under Wine these conditions cannot be seen at work: its RemoveExistingProducts
# never sets UPGRADINGPRODUCTCODE, so there the old copy's removal is a full
# uninstall. Windows sets it. wixl placed the actions; check where.
sequence_right() {
    python3 - "$(msi_table "$msi" InstallExecuteSequence; msi_table "$msi" CustomAction)" <<'EOF'
import sys
rows = [line.split("\t") for line in sys.argv[1].splitlines()]
seq = {r[0]: (r[1], int(r[2])) for r in rows if len(r) == 3 and r[2].isdigit()}
ca = {r[0]: r[1:4] for r in rows if len(r) >= 4 and r[1].isdigit()}
def runs(action, flag, condition):
    # 18: the program of a File row, +64: its exit code ignored; synchronous.
    return (ca.get(action) == ["82", "Torvane.exe", flag] and action in seq
            and seq[action][0] == condition and seq[action][1] < seq["InstallValidate"][1])
ok = (runs("CloseForUninstall", "/uninstall", 'REMOVE="ALL" AND NOT UPGRADINGPRODUCTCODE')
      and runs("CloseForUpgrade", "/exit", 'REMOVE="ALL" AND UPGRADINGPRODUCTCODE')
      and seq["InstallValidate"][1] < seq["RemoveExistingProducts"][1] < seq["InstallInitialize"][1])
sys.exit(0 if ok else 1)
EOF
}
check "Torvane.exe run with /uninstall (full uninstall) or /exit (upgrade) before InstallValidate; the old version removed before the new is installed" sequence_right
echo "   ($(elapsed))"

echo "== the newer package ($newer_version), built twice"
# The newer Torvane.exe differs from the installed one by a tail the loader
# ignores, so the test can tell which of the two is installed.
newer_exe="$tmp/Torvane.exe"
cp "$exe_in" "$newer_exe"
printf 'msi_test newer build\n' >>"$newer_exe"
newer="$tmp/Torvane-$newer_version.msi"
make_msi "$newer" "$newer_version" "$newer_exe" || fail "could not build the newer package"
# Same inputs at another time, in another time zone, with other file times.
touch -d '2001-02-03 04:05:06' "$newer_exe"
sleep 1
TZ=Asia/Shanghai make_msi "$tmp/again.msi" "$newer_version" "$newer_exe" || fail "could not build it again"
check "same inputs, same bytes" cmp -s "$newer" "$tmp/again.msi"
# A rebuild of the same version that is not the same file: another package.
SOURCE_DATE_EPOCH=1700000000 make_msi "$tmp/rebuilt.msi" "$newer_version" "$newer_exe" \
    || fail "could not rebuild it"
differ() { ! cmp -s "$1" "$2"; }
check "a rebuild at another time is another file" differ "$newer" "$tmp/rebuilt.msi"
echo "   ($(elapsed))"

echo "== a new Wine prefix"
# Shortcuts would otherwise reach the desktop's menus through winemenubuilder.
export WINEDLLOVERRIDES="winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
package_session_start

# C:\... to the Unix path.
unix_path() {
    local p="${1//\\//}"
    [[ "$p" =~ ^[Cc]:/ ]] || { echo "$WINEPREFIX/not-on-c/$p"; return; }
    echo "$WINEPREFIX/drive_c/${p:3}"
}
folders="$("$WINE" cmd.exe /c 'echo %LOCALAPPDATA%&echo %APPDATA%' | tr -d '\r')"
local_appdata="$(sed -n 1p <<<"$folders")"
install_win="$local_appdata\\Programs\\Torvane"
install_dir="$(unix_path "$install_win")"
shortcut="$(unix_path "$(sed -n 2p <<<"$folders")")/Microsoft/Windows/Start Menu/Programs/Torvane.lnk"
if [ -z "$local_appdata" ] || [ ! -d "$(unix_path "$local_appdata")" ]; then
    fail "no %LOCALAPPDATA% in the prefix"
fi
echo "   ($(elapsed))"

# Silent msiexec; its exit code on stdout. A custom action that never ends
# would hang it: bounded.
msiexec() {
    local rc=0 t0
    t0=$(date +%s%N)
    timeout 30 "$WINE" msiexec "$@" /qn </dev/null >>"$tmp/msiexec.log" 2>&1 || rc=$?
    echo "   msiexec $1 $(basename "${2//\\//}"): exit code $rc, $(( ($(date +%s%N) - t0) / 1000000 )) ms" >&2
    echo "$rc"
}
win() { local p="${1//\//\\}"; echo "Z:$p"; }

# Every installed-programs entry, product registration and "TV" value as
# one JSON object; reg.exe prints in code page 936. One cmd.exe for all five
# keys: each Wine process start costs more than the query.
registry() {
    local out="$tmp/reg.txt" query="" key
    for key in 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
               'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
               'HKCU\Software\Microsoft\Installer\Products' \
               'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' \
               'HKCU\Software\Microsoft\Windows\CurrentVersion\Run'; do
        query+="${query:+ & }reg query $key /s"
    done
    "$WINE" cmd.exe /c "$query" >"$out" 2>/dev/null || true
    python3 - "$out" <<'EOF'
import json, re, sys
keys, current = {}, None
for line in open(sys.argv[1], "rb").read().decode("gbk", "replace").splitlines():
    if line.startswith("HKEY_"):
        current = keys.setdefault(line.strip(), {})
        continue
    m = re.match(r"^    (.*?)    (REG_\w+)    ?(.*)$", line)
    if m and current is not None:
        current[m.group(1)] = m.group(3)
uninstall = {k: v for k, v in keys.items()
             if "\\CurrentVersion\\Uninstall\\" in k and v.get("DisplayName") == "Torvane"}
products = {k: v for k, v in keys.items()
            if k.count("\\Installer\\Products\\") and k.count("\\") == 5 and v.get("ProductName") == "Torvane"}
run = {k.split("\\")[0]: v["TV"] for k, v in keys.items() if k.endswith("\\CurrentVersion\\Run") and "TV" in v}
print(json.dumps({"uninstall": uninstall, "products": products, "run": run}))
EOF
}
# $1: registry JSON, $2: Python expression over u (entries), p (products), r (Run values).
reg_is() {
    python3 -c 'import json, sys
d = json.loads(sys.argv[1]); u, p, r = d["uninstall"], d["products"], d["run"]
sys.exit(0 if eval(sys.argv[2]) else 1)' "$1" "$2"
}
show_entries() {
    python3 -c 'import json, sys
d = json.loads(sys.argv[1])
for k, v in d["uninstall"].items():
    print("   entry", k.rsplit(chr(92), 1)[-1] + ":", v.get("DisplayVersion"))' "$1"
}

# Torvane processes of this prefix (Wine names them by the program), zombies aside.
torvane_pids() {
    python3 - "WINEPREFIX=$WINEPREFIX" <<'EOF'
import os, sys
prefix = sys.argv[1].encode()
for n in filter(str.isdigit, os.listdir("/proc")):
    try:
        with open(f"/proc/{n}/stat", "rb") as f:
            if f.read().rsplit(b") ", 1)[1][:1] == b"Z":
                continue
        with open(f"/proc/{n}/cmdline", "rb") as f:
            if b"torvane.exe" not in f.read().lower():
                continue
        with open(f"/proc/{n}/environ", "rb") as f:
            if prefix in f.read().split(b"\0"):
                print(n)
    except (OSError, IndexError):
        continue
EOF
}
no_torvane() { [ -z "$(torvane_pids)" ]; }
# Up to 5 s for a Torvane that was asked to end.
torvane_ends() {
    local deadline=$(( $(date +%s%N) + 5000000000 ))
    until no_torvane; do
        [ "$(date +%s%N)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# The shortcut's target and working folder, from its LinkInfo and StringData.
read_shortcut() {
    python3 - "$shortcut" <<'EOF'
import struct, sys
data = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", data, 0x14)[0]
at = 0x4C
if flags & 1:
    at += 2 + struct.unpack_from("<H", data, at)[0]
target = ""
if flags & 2:
    size, header, _, _, local = struct.unpack_from("<IIIII", data, at)[:5]
    if local:
        end = data.index(b"\0", at + local)
        target = data[at + local:end].decode("gbk")
    at += size
unicode = flags & 0x80
def string():
    global at
    n = struct.unpack_from("<H", data, at)[0]
    at += 2
    width = 2 if unicode else 1
    raw = data[at:at + n * width]
    at += n * width
    return raw.decode("utf-16-le" if unicode else "gbk")
fields = {}
for bit, name in ((4, "name"), (8, "relative"), (0x10, "workdir"), (0x20, "args"), (0x40, "icon")):
    if flags & bit:
        fields[name] = string()
print(target)
print(fields.get("workdir", ""))
EOF
}

# Wine names the X window after the title and tags it with the process id;
# it is mapped once the load has finished.
torvane_window() {
    local tree id owner pids
    pids=" $(torvane_pids | tr '\n' ' ') "
    tree="$(xwininfo -root -tree 2>/dev/null || true)"
    for id in $(awk '$2 == "\"Torvane\":" { print $1 }' <<<"$tree"); do
        owner="$(xprop -id "$id" _NET_WM_PID 2>/dev/null | awk '{ print $NF }')"
        if [ -n "$owner" ] && [[ "$pids" == *" $owner "* ]] \
            && xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# Starts the shortcut's target in its working folder, as the Start menu
# does, unless a Torvane of this prefix already runs; waits for its window.
start_from_shortcut() {
    local target workdir exe deadline
    { read -r target; read -r workdir; } < <(read_shortcut)
    exe="$(unix_path "$target")"
    [ -f "$exe" ] || fail "the shortcut's target $target is not there"
    if no_torvane; then
        (cd "$(unix_path "${workdir:-$install_win}")" && exec "$WINE" "$target") </dev/null >>"$tmp/torvane.log" 2>&1 &
    fi
    deadline=$(( $(date +%s) + window_timeout ))
    until torvane_window >/dev/null; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "no visible \"Torvane\" window within ${window_timeout} s"
        sleep 0.2
    done
}

none_of() {
    local f
    for f in "$@"; do
        [ ! -e "$install_dir/$f" ] || return 1
    done
}
files_are() {
    # $1 exe to expect; the rest are the same in every package.
    cmp -s "$install_dir/Torvane.exe" "$1" && cmp -s "$install_dir/tv.ico" "$ico_in" \
        && cmp -s "$install_dir/README-zh.txt" "$readme_zh" && cmp -s "$install_dir/README-en.txt" "$readme_en"
}

echo "== 1. install $(basename "$msi")"
known=${#failures[@]}
check "msiexec /i exits 0" [ "$(msiexec /i "$(win "$msi")")" = 0 ]
check "Torvane.exe, tv.ico and both read-mes in $install_win" files_are "$exe_in"
check "Start menu shortcut Torvane.lnk" [ -f "$shortcut" ]
if [ -f "$shortcut" ]; then
    shortcut_target="$(read_shortcut | sed -n 1p)"
    check "the shortcut points at $install_win\\Torvane.exe" [ "$shortcut_target" = "$install_win\\Torvane.exe" ]
fi
reg="$(registry)"
show_entries "$reg"
check "one installed-programs entry" reg_is "$reg" 'len(u) == 1'
check "its version $version, publisher Torvane" \
    reg_is "$reg" "all(v.get('DisplayVersion') == '$version' and v.get('Publisher') == 'Torvane' for v in u.values())"
check "its install folder" reg_is "$reg" "all(v.get('InstallLocation', '').rstrip(chr(92)) == r'''$install_win''' for v in u.values())"
check "one per-user product registration" reg_is "$reg" 'len(p) == 1'
# Windows Installer keeps ARPPRODUCTICON as the product's icon; the list shows it.
icon_win="$(python3 -c 'import json, sys; print(next(iter(json.loads(sys.argv[1])["products"].values()), {}).get("ProductIcon", ""))' "$reg")"
check "its icon is tv.ico" cmp -s "$(unix_path "$icon_win")" "$ico_in"
# The steps after this one make sense only on a sound install.
[ "${#failures[@]}" -eq "$known" ] || fail "the install is wrong: ${failures[*]:$known}"
echo "   ($(elapsed))"

echo "== 2. start Torvane from the shortcut's target"
start_from_shortcut
first_pids="$(torvane_pids | tr '\n' ' ')"
echo "   ok: main window \"Torvane\", process $first_pids"
config="$install_dir/config.ini"
for _ in $(seq 50); do
    [ -s "$config" ] && break
    sleep 0.1
done
check "config.ini written beside the installed Torvane.exe" [ -s "$config" ]
# The user's own data from here on: a setting of theirs and a saved record.
printf '[Test]\r\nKept=1\r\n' >>"$config"
printf '用户的记录\r\n' | iconv -f utf-8 -t gbk >"$install_dir/Logs.txt"
cp "$config" "$tmp/config.before"
cp "$install_dir/Logs.txt" "$tmp/logs.before"
user_data_kept() { cmp -s "$config" "$tmp/config.before" && cmp -s "$install_dir/Logs.txt" "$tmp/logs.before"; }
echo "   ($(elapsed))"

echo "== 3. upgrade to $newer_version while Torvane runs"
# The checks marked [flags] need Torvane.exe's /exit and /uninstall (under
# Wine the old copy's removal runs /uninstall, see above): a program still
# running keeps its file, and msiexec then ends with 3010, reboot needed.
check "msiexec /i exits 0 [flags]" [ "$(msiexec /i "$(win "$newer")")" = 0 ]
reg="$(registry)"
show_entries "$reg"
check "one installed-programs entry, version $newer_version" \
    reg_is "$reg" "len(u) == 1 and all(v.get('DisplayVersion') == '$newer_version' for v in u.values())"
check "one product registration" reg_is "$reg" 'len(p) == 1'
check "config.ini and Logs.txt unchanged" user_data_kept
check "the shortcut is there" [ -f "$shortcut" ]
check "the running Torvane was asked to end [flags]" torvane_ends
check "the newer Torvane.exe is installed [flags]" files_are "$newer_exe"
cp "$install_dir/Torvane.exe" "$tmp/installed.exe"
echo "   ($(elapsed))"

echo "== 4. install the older package over the newer"
rc="$(msiexec /i "$(win "$msi")")"
check "refused (msiexec exit code $rc)" [ "$rc" != 0 ]
reg="$(registry)"
show_entries "$reg"
check "still one entry, version $newer_version" \
    reg_is "$reg" "len(u) == 1 and all(v.get('DisplayVersion') == '$newer_version' for v in u.values())"
check "Torvane.exe untouched" cmp -s "$install_dir/Torvane.exe" "$tmp/installed.exe"
echo "   ($(elapsed))"

echo "== 5. install $newer_version again: the same file, then a rebuild"
msiexec /i "$(win "$newer")" >/dev/null
reg="$(registry)"
check "one entry after the same file" reg_is "$reg" 'len(u) == 1 and len(p) == 1'
# Windows refuses this one (1638); either way no second entry.
msiexec /i "$(win "$tmp/rebuilt.msi")" >/dev/null
reg="$(registry)"
show_entries "$reg"
check "one entry after a rebuild, version $newer_version" \
    reg_is "$reg" "len(u) == 1 and len(p) == 1 and all(v.get('DisplayVersion') == '$newer_version' for v in u.values())"
check "config.ini and Logs.txt unchanged" user_data_kept
echo "   ($(elapsed))"

echo "== 6. uninstall while Torvane runs"
start_from_shortcut
echo "   Torvane running: process $(torvane_pids | tr '\n' ' ')"
cp "$config" "$tmp/config.before"
# Torvane sets or clears "TV" at start; set after that, it is what a user
# with "伴机启动" ticked has.
"$WINE" reg.exe add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v TV /t REG_SZ \
    /d "\"$install_win\\Torvane.exe\"" /f >/dev/null 2>&1 || fail "could not set the Run value"
check "msiexec /x exits 0" [ "$(msiexec /x "$(win "$newer")")" = 0 ]
reg="$(registry)"
check "no installed-programs entry, no product registration" reg_is "$reg" 'not u and not p'
check "the shortcut is gone" [ ! -e "$shortcut" ]
check "tv.ico and the read-mes are gone" none_of tv.ico README-zh.txt README-en.txt
check "config.ini and Logs.txt left as they were" user_data_kept
check "no Torvane process left [flags]" torvane_ends
check "Torvane.exe is gone [flags]" [ ! -e "$install_dir/Torvane.exe" ]
check "no \"TV\" value naming this install is left [flags]" \
    reg_is "$reg" "all(v.lower() != r'''\"$install_win\\Torvane.exe\"'''.lower() for v in r.values())"
echo "   ($(elapsed))"

echo "== 7. a \"TV\" value naming another copy survives an uninstall"
check "msiexec /i exits 0 [flags, in step 6]" [ "$(msiexec /i "$(win "$newer")")" = 0 ]
start_from_shortcut
cp "$config" "$tmp/config.before"
elsewhere='"C:\Portable\Torvane\Torvane.exe"'
"$WINE" reg.exe add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v TV /t REG_SZ \
    /d "$elsewhere" /f >/dev/null 2>&1 || fail "could not set the Run value"
check "msiexec /x exits 0" [ "$(msiexec /x "$(win "$newer")")" = 0 ]
reg="$(registry)"
check "the other copy's \"TV\" value is kept" reg_is "$reg" "r.get('HKEY_CURRENT_USER') == r'''$elsewhere'''"
check "no installed-programs entry" reg_is "$reg" 'not u and not p'
check "config.ini and Logs.txt still there" user_data_kept
echo "   ($(elapsed))"

if [ "${#failures[@]}" -gt 0 ]; then
    printf 'msi_test: FAIL: %s\n' "${failures[@]}" >&2
    echo "msi_test: FAIL, ${#failures[@]} check(s) ($(elapsed))" >&2
    exit 1
fi
echo "msi_test: PASS ($(elapsed))"
