#!/usr/bin/env bash
# Benchmark (never a test): how KESTRANE starts against the window of its
# designed controls alone, with two bare windows for information. One timer
# process under Wine starts the four programs in turn, round after round in
# alternating order, and the summary compares each round's KESTRANE start
# with the same round's designed-controls window. Everything the run
# starts (the display, Wine and the programs) shares one processor: spread
# over two, each start's time varied from round to round by a third to a
# half of its median with nothing else running, as the processes woke one
# another across processors; on one, by under a tenth. The machine's load
# average is sampled throughout; a disturbed run is flagged.
#   BENCH_ROUNDS (default 15) rounds after one warm-up start of each program;
#   BENCH_SETTLE (default 10) seconds from start to the working-set reading.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
rounds=${BENCH_ROUNDS:-15}
settle=${BENCH_SETTLE:-10}
folder=$build/bench-run
cmake --build "$build/win" --target bare_window themed_window designed_controls startup_timer >/dev/null
rm -rf "$folder"
mkdir -p "$folder"
# The last processor this run may use, away from the first's interrupts.
cores=$(nproc)
last_processor=$(sed -n 's/^Cpus_allowed_list:[[:space:]]*//p' /proc/self/status | tr ',' '\n' | tail -n1)
taskset -cp "${last_processor##*-}" $$ >/dev/null
cp "$build/win/KESTRANE.exe" "$build/win/bench/bare_window.exe" "$build/win/bench/themed_window.exe" \
  "$build/win/bench/designed_controls.exe" "$folder/"

source "$root/scripts/private-display.sh"
start_private_display
prepare_prefix
wine reg delete 'HKCU\Software\KESTRANE' /f >/dev/null 2>&1 || true

# One line "seconds-since-epoch 1-minute-load" a second, until stopped.
(while :; do echo "$(date +%s) $(cut -d' ' -f1 /proc/loadavg)"; sleep 1; done) > "$folder/load.txt" &
sampler=$!
(cd "$folder" && wine "$build/win/bench/startup_timer.exe" "$rounds" "$settle" \
  themed_window.exe bare_window.exe designed_controls.exe KESTRANE.exe 2>/dev/null) > "$folder/starts.jsonl" || true
kill "$sampler" 2>/dev/null || true
wait "$sampler" 2>/dev/null || true

python3 "$root/bench/summarise.py" "$folder" "$build/win/KESTRANE.exe" "$cores"
