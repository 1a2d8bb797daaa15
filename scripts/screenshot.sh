#!/usr/bin/env bash
# Regenerates docs/kestrane.png, the picture of the running window in the
# README: the program on a private virtual display, two seconds in.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
folder=$build/screenshot
mkdir -p "$folder" "$root/docs"
cp "$build/win/KESTRANE.exe" "$root/examples/KESTRANE.BAT" "$folder/"

export WINEPREFIX=$build/wineprefix-run WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null > "$build/screenshot-display" &
xvfb=$!
for _ in $(seq 50); do [ -s "$build/screenshot-display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$build/screenshot-display")"
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
[ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
wine reg delete 'HKCU\Software\KESTRANE' /f >/dev/null 2>&1 || true

(cd "$folder" && wine KESTRANE.exe >/dev/null 2>&1 &)
window=$(xdotool search --sync --onlyvisible --name '^KESTRANE$' | head -n1)
sleep 2.3
eval "$(xdotool getwindowgeometry --shell "$window")"
import -display "$DISPLAY" -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$root/docs/kestrane.png"
echo "Wrote docs/kestrane.png (${WIDTH}x${HEIGHT})"
