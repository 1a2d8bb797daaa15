#!/usr/bin/env bash
# Starts the countdown window under Wine from a folder holding the example
# KESTRANE.BAT. With a display it opens there; without one it runs on a
# private virtual display, reports what the countdown box shows, when the
# batch file ran, and leaves a screenshot in build/.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
folder=$build/run
mkdir -p "$folder"
cp "$build/win/KESTRANE.exe" "$root/examples/KESTRANE.BAT" "$folder/"
rm -f "$folder/launched.log"

source "$root/scripts/private-display.sh"

report_launch() {
  if [ -f "$folder/launched.log" ]; then
    echo "The batch file ran: $(tr -d '\r' < "$folder/launched.log")"
  else
    echo "The batch file did not run."
  fi
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  prepare_prefix
  echo "KESTRANE is counting down on $DISPLAY; close its window to stop it."
  status=0
  (cd "$folder" && wine KESTRANE.exe) || status=$?
  echo "KESTRANE ended with exit code $status."
  report_launch
  exit 0
fi

# No display: a private one, watched from outside.
start_private_display
prepare_prefix
echo "No display found: KESTRANE runs on the private display $DISPLAY."
(cd "$folder" && wine KESTRANE.exe >/dev/null 2>&1; echo $? > "$folder/exit-code") &
program=$!
# The watcher starts once the window is on the display: two Wine processes
# starting at the same moment can hold each other up.
xdotool search --sync --onlyvisible --name '^KESTRANE$' >/dev/null 2>&1 || true
(sleep 4 && import -display "$DISPLAY" -window root -crop 760x420+60+60 "$build/run-screenshot.png" 2>/dev/null) &
screenshot=$!

wine "$build/win/kestrane_probe.exe" watch 60000 2>/dev/null | python3 -c '
import json, sys
for line in sys.stdin:
    seen = json.loads(line)
    if seen.get("ready"):
        continue
    if seen.get("busy"):
        print("%5.1f s  the window is busy and does not answer" % (seen["t"] / 1000.0))
    elif "gone" in seen:
        print("%5.1f s  %s" % (seen["t"] / 1000.0, "the window closed" if seen["gone"] else "still open; stopped watching"))
    else:
        # The box is a multi-line box: its first line is what the user sees.
        shown = seen["box"].split("\r\n")[0]
        print("%5.1f s  countdown box shows %-4s  message: %s" % (
            seen["t"] / 1000.0, "\"%s\"" % shown, seen["message"]))
    sys.stdout.flush()
'
wait "$program" "$screenshot"
echo "KESTRANE ended with exit code $(cat "$folder/exit-code")."
report_launch
echo "Screenshot of the running window: $build/run-screenshot.png"
