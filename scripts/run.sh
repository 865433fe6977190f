#!/usr/bin/env bash
# Installs what is missing, builds Torvane and runs it under Wine from out/Torvane.
# With a display it runs there until you end it (Ctrl+C). Without one it runs
# on Xvfb, switches the foreground between two windows so that a boost
# happens, and leaves screenshots and the config.ini it wrote in out/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/lib/install-deps.sh
mkdir -p build out/Torvane
# shellcheck source=lib/build.sh
source scripts/lib/build.sh
# A tree of its own, pointed at the port its site is served on below: the test
# command's tree points at a port of its own, so that both can run at once.
TORVANE_TREE=win64-run TORVANE_VENDOR_PORT=18765 \
    torvane_build win64 Torvane tv_test_window tv_foreground tv_click >/dev/null
cp build/win64-run/Torvane.exe build/win64-run/tv.ico out/Torvane/

# shellcheck source=lib/wine-session.sh
source scripts/lib/wine-session.sh
# shellcheck source=lib/site-server.sh
source scripts/lib/site-server.sh
state="$root/out/wine"
trap 'site_server_stop "$state"; wine_session_stop "$state"' EXIT
# The vendor's site the build points at, served locally from site/.
TORVANE_SITE_FIXED_PORT=18765 site_server_start "$state"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 && [ "${TORVANE_XVFB:-0}" != 1 ]; then
    wine_session_start "$state"
    echo "Torvane is running from out/Torvane on $DISPLAY; press Ctrl+C to end it."
    "$WINE" out/Torvane/Torvane.exe
    exit 0
fi

TORVANE_XVFB=1 wine_session_start "$state"
# The first run turns speed-up and recording on, and keeps the window on top,
# so that there is a boost to see.
if [ ! -f out/Torvane/config.ini ]; then
    printf '[Normal]\r\nEnableSpeed=1\r\nAlwaysTop=1\r\n[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\nRecordCount=300\r\n' \
        > out/Torvane/config.ini
fi
(cd out/Torvane && exec "$WINE" Torvane.exe) >out/torvane.log 2>&1 &
sleep 4
wine_session_screenshot out/01-started.png

tools=build/win64-run/tests/tools
"$WINE" "$tools/tv_test_window.exe" "记事本 - 演示甲" >/dev/null 2>&1 &
"$WINE" "$tools/tv_test_window.exe" "画图 - 演示乙" >/dev/null 2>&1 &
sleep 3
for title in "记事本 - 演示甲" "画图 - 演示乙"; do
    "$WINE" "$tools/tv_foreground.exe" "$title" || echo "could not bring '$title' to the front" >&2
    sleep 2.5
done
wine_session_screenshot out/02-boosted.png
# The other pages, opened by a click on their tabs (control ids 111, 112, 118, 125).
"$WINE" "$tools/tv_click.exe" 111 && sleep 1.5 && wine_session_screenshot out/03-records.png
"$WINE" "$tools/tv_click.exe" 112 && sleep 1.5 && wine_session_screenshot out/04-settings.png
"$WINE" "$tools/tv_click.exe" 118 && sleep 1.5 && wine_session_screenshot out/05-about.png
"$WINE" "$tools/tv_click.exe" 125 && sleep 1.5 && wine_session_screenshot out/06-exclusions.png

echo "Screenshots: $root/out/0[1-6]-*.png"
echo "config.ini:  $root/out/Torvane/config.ini"
iconv -f GBK -t UTF-8 out/Torvane/config.ini 2>/dev/null | sed 's/^/    /' || true
