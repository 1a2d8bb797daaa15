#!/usr/bin/env bash
# Benchmark (never a test): how KESTRANE starts against the window of its
# designed controls alone, with two bare windows for information. One timer
# process under Wine starts the four programs in turn, round after round in
# alternating order, and the summary compares each round's KESTRANE start
# with the same round's designed-controls window (docs/benchmark.md).
#
# Two phases: many short rounds time each start (to visible, to input
# idle), then a few rounds read each program's working set BENCH_SETTLE
# seconds after it began. Everything the run starts shares one processor:
# spread over two, the processes woke one another across processors and
# each start's time varied far more. The run's own processor time is kept
# apart from the machine's (a processor-accounting group of its own, where
# the system lets one be made), so that other work can be told from it.
#   BENCH_ROUNDS (default 60) short rounds after one warm-up start of each;
#   BENCH_MEMORY_ROUNDS (default 5) working-set rounds after a warm-up;
#   BENCH_SETTLE (default 10) seconds from start to the working-set reading.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
rounds=${BENCH_ROUNDS:-60}
memory_rounds=${BENCH_MEMORY_ROUNDS:-5}
settle=${BENCH_SETTLE:-10}
folder=$build/bench-run
programs=(themed_window.exe bare_window.exe designed_controls.exe KESTRANE.exe)

# The statistics first: a wrong interval would make every verdict wrong.
python3 -m unittest discover -s "$root/bench" -p 'verdict_test.py' 2>&1 | tail -n 1

cmake --build "$build/win" --target bare_window themed_window designed_controls startup_timer >/dev/null
rm -rf "$folder"
mkdir -p "$folder"
cores=$(nproc)
# The last processor this run may use, away from the first's interrupts.
last_processor=$(sed -n 's/^Cpus_allowed_list:[[:space:]]*//p' /proc/self/status | tr ',' '\n' | tail -n1)
taskset -cp "${last_processor##*-}" $$ >/dev/null
cp "$build/win/KESTRANE.exe" "$build/win/bench/bare_window.exe" "$build/win/bench/themed_window.exe" \
  "$build/win/bench/designed_controls.exe" "$folder/"

# The run's own group: this script and all it starts from here on. Its
# processor time, in nanoseconds, or "-" where no group could be made.
own_group=
for group in /sys/fs/cgroup/cpuacct/kestrane-bench /sys/fs/cgroup/unified/kestrane-bench; do
  if mkdir -p "$group" 2>/dev/null && echo $$ > "$group/cgroup.procs" 2>/dev/null; then
    own_group=$group
    break
  fi
done
own_nanoseconds() {
  if [ -f "$own_group/cpuacct.usage" ]; then
    cat "$own_group/cpuacct.usage"
  elif [ -f "$own_group/cpu.stat" ]; then
    awk '$1 == "usage_usec" { printf "%d000\n", $2 }' "$own_group/cpu.stat"
  else
    echo -
  fi
}

source "$root/scripts/private-display.sh"
start_private_display
prepare_prefix
wine reg delete 'HKCU\Software\KESTRANE' /f >/dev/null 2>&1 || true

# A line a second: seconds since the epoch, the 1-minute load, the
# machine's busy ticks (all but idle and waiting for the disk) and the
# run's own processor nanoseconds; until stopped.
(while :; do
   echo "$(date +%s.%N) $(cut -d' ' -f1 /proc/loadavg)" \
        "$(awk '$1 == "cpu" { print $2 + $3 + $4 + $7 + $8 + $9; exit }' /proc/stat) $(own_nanoseconds)"
   sleep 1
 done) > "$folder/machine.txt" &
sampler=$!
timer() {
  (cd "$folder" && wine "$build/win/bench/startup_timer.exe" "$@" "${programs[@]}" 2>/dev/null) || true
}
timer "$rounds" 0 > "$folder/starts.jsonl"
timer "$memory_rounds" "$settle" > "$folder/memory.jsonl"
sleep 1  # one more sample, after the last start
kill "$sampler" 2>/dev/null || true
wait "$sampler" 2>/dev/null || true

python3 "$root/bench/summarise.py" "$folder" "$build/win/KESTRANE.exe" "$cores"
