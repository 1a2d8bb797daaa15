#!/usr/bin/env bash
# Regenerates docs/kestrane.png, the picture of the running window in the
# README: the program on a private virtual display, two seconds in.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
folder=$build/screenshot
mkdir -p "$folder" "$root/docs"
cp "$build/win/KESTRANE.exe" "$root/examples/KESTRANE.BAT" "$folder/"

source "$root/scripts/private-display.sh"
start_private_display
prepare_prefix
wine reg delete 'HKCU\Software\KESTRANE' /f >/dev/null 2>&1 || true

(cd "$folder" && wine KESTRANE.exe >/dev/null 2>&1 &)
window=$(xdotool search --sync --onlyvisible --name '^KESTRANE$' | head -n1)
sleep 2.3
eval "$(xdotool getwindowgeometry --shell "$window")"
import -display "$DISPLAY" -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$root/docs/kestrane.png"
echo "Wrote docs/kestrane.png (${WIDTH}x${HEIGHT})"
