#!/usr/bin/env bash
# Benchmark (not a test): start-up time to a shown window against a bare
# window built by the same toolchain, the executable's size, and its working
# set after 10 s. Runs under Wine on a private virtual display.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
runs=${RUNS:-5}
folder=$build/bench-run
mkdir -p "$folder"
cp "$build/win/KESTRANE.exe" "$build/win/bench/bare_window.exe" "$folder/"

source "$root/scripts/private-display.sh"
start_private_display
prepare_prefix
wine reg delete 'HKCU\Software\KESTRANE' /f >/dev/null 2>&1 || true

measure() {  # program, seconds before reading the working set
  (cd "$folder" && wine "$build/win/bench/startup_timer.exe" "$1" "$2" 2>/dev/null)
}

measure bare_window.exe 0 >/dev/null  # warm Wine's caches first
for _ in $(seq "$runs"); do
  measure bare_window.exe 0
  measure KESTRANE.exe 0
done > "$folder/startup.jsonl"
measure KESTRANE.exe 10 > "$folder/memory.json"

python3 - "$folder" "$build/win/KESTRANE.exe" <<'PY'
import json, os, statistics, sys
folder, exe = sys.argv[1], sys.argv[2]
lines = [json.loads(l) for l in open(os.path.join(folder, "startup.jsonl"))]
bare = statistics.median(l["shown_ms"] for l in lines[0::2])
ours = statistics.median(l["shown_ms"] for l in lines[1::2])
memory = json.load(open(os.path.join(folder, "memory.json")))
rows = [
    ("start-up to window shown, bare window (median)", "%.1f ms" % bare),
    ("start-up to window shown, KESTRANE (median)", "%.1f ms" % ours),
    ("start-up ratio KESTRANE / bare", "%.2f" % (ours / bare)),
    ("KESTRANE.exe size", "%d KiB" % (os.path.getsize(exe) // 1024)),
    ("working set after 10 s", "%d KiB" % memory["working_set_kib"]),
]
width = max(len(r[0]) for r in rows)
print("%-*s  %s" % (width, "measure (%d runs, under Wine)" % (len(lines) // 2), "value"))
print("-" * (width + 12))
for name, value in rows:
    print("%-*s  %s" % (width, name, value))
PY
