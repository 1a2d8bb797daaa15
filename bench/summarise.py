"""Summarises a make bench run: for time to visible, time to input idle and
working set, the median of KESTRANE's per-round ratios against the
designed-controls floor (the same ten controls, fonts and colours and
nothing else) with its 95 % bootstrap interval and the verdict against the
goal; for information, the medians against the themed, painted bare
window; the size of the exe; and whether anything else competed for the
processor meanwhile.

usage: summarise.py RUN_FOLDER KESTRANE_EXE CORES
Exits 3 when the run was disturbed or incomplete, 4 when a measure is over
its goal, and 0 otherwise, "cannot tell yet" included.
"""
import json
import os
import statistics
import sys

from competition import disturbances, machine_samples
from verdict import OVER, describe, median_interval, verdict

THEMED, BARE, FLOOR, OURS = "themed_window.exe", "bare_window.exe", "designed_controls.exe", "KESTRANE.exe"
PROGRAMS = (THEMED, BARE, FLOOR, OURS)
NAMES = {THEMED: "themed bare window", BARE: "plain bare window", FLOOR: "designed controls (floor)",
         OURS: "KESTRANE"}
# Under Wine every start of KESTRANE also loads COM and the accessibility
# libraries and makes the annotation service, to mark its live region:
# Wine always says an accessibility client listens for live regions
# (IsWinEventHookInstalled), where Windows says so only while one runs.
# Measured: 0.026 of the floor's working set (docs/benchmark.md).
WINE_LIVE_REGION_SHARE = 0.026
# KESTRANE's goals against the floor: (file, key, measure, goal).
MEASURES = (("starts.jsonl", "visible_ms", "time to visible", 1.05),
            ("starts.jsonl", "idle_ms", "time to input idle", 1.10),
            ("memory.jsonl", "working_set_kib", "working set", 1.05 + WINE_LIVE_REGION_SHARE))
LEAST_ROUNDS = {"starts.jsonl": 30, "memory.jsonl": 3}
SIZE_GOAL_KIB = 600


def complete_rounds(path):
    """The rounds after the warm-up in which every program started; and how
    many starts failed or never showed a window."""
    starts = [json.loads(line) for line in open(path) if line.strip()] if os.path.exists(path) else []
    rounds = {}
    for start in starts:
        if start["round"] > 0 and not start.get("failed"):
            rounds.setdefault(start["round"], {})[start["program"]] = start
    return [r for r in rounds.values() if all(p in r for p in PROGRAMS)], sum(1 for s in starts if s.get("failed"))


def main():
    folder, exe, cores = sys.argv[1], sys.argv[2], int(sys.argv[3])
    rounds, problems = {}, []
    for name, least in LEAST_ROUNDS.items():
        rounds[name], failed = complete_rounds(os.path.join(folder, name))
        if failed:
            problems.append("%d start(s) in %s failed or never showed a window" % (failed, name))
        if len(rounds[name]) < least:
            problems.append("only %d complete rounds in %s (at least %d are needed)" % (len(rounds[name]), name, least))
    samples = machine_samples(os.path.join(folder, "machine.txt"))
    signs, other = disturbances(samples, cores, os.sysconf("SC_CLK_TCK"))

    over = False
    print("make bench: %d rounds of start times and %d of working sets under Wine, after a warm-up,"
          " programs alternated" % (len(rounds["starts.jsonl"]), len(rounds["memory.jsonl"])))
    if rounds["starts.jsonl"] and rounds["memory.jsonl"]:
        print()
        print("%-26s %14s %14s %14s" % ("absolute (median)", "visible", "input idle", "working set"))
        for program in PROGRAMS:
            v, i, w = (statistics.median(r[program][key] for r in rounds[file]) for file, key, _, _ in MEASURES)
            print("%-26s %11.1f ms %11.1f ms %10.0f KiB" % (NAMES[program], v, i, w))
        print()
        print("KESTRANE against the floor: median per-round ratio [95% interval], goal, verdict")
        for file, key, label, goal in MEASURES:
            ratios = [r[OURS][key] / r[FLOOR][key] for r in rounds[file]]
            median, low, high = median_interval(ratios)
            said = verdict(median, low, high, goal, len(ratios))
            over = over or said[0] == OVER
            print("  %-18s %.3f [%.3f-%.3f]  <= %.3f  %s" % (label, median, low, high, goal, describe(said)))
        print("  The working-set goal allows %.3f for what only Wine makes KESTRANE pay: it always reports an\n"
              "  accessibility client, so every start loads COM to mark the live region; Windows with no\n"
              "  accessibility client running does not." % WINE_LIVE_REGION_SHARE)
        print()
        print("median per-round ratio to the themed window: %s" % ", ".join(
            "%s %s" % (NAMES[p], "/".join("%.2f" % statistics.median(r[p][key] / r[THEMED][key] for r in rounds[file])
                                          for file, key, _, _ in MEASURES)) for p in (BARE, FLOOR, OURS)))
        print("  (visible/input idle/working set)")
    print()
    print("KESTRANE.exe size: %d KiB (goal <= %d KiB)" % (os.path.getsize(exe) // 1024, SIZE_GOAL_KIB))
    if samples:
        loads = [s[1] for s in samples]
        print("1-minute load average: %.2f to %.2f (median %.2f) on %d cores; other processes' processor time: %s"
              % (min(loads), max(loads), statistics.median(loads), cores,
                 "%.1f s in %.0f s" % (other, samples[-1][0] - samples[0][0]) if other is not None
                 else "unknown (no processor-accounting group could be made: only the load average is judged)"))
    print()
    if problems or signs:
        print("DISTURBED RUN - the verdicts above are not trustworthy:" if signs else "INCOMPLETE RUN:")
        for reason in signs + problems:
            print("  - " + reason)
        return 3
    print("Quiet run: nothing else competed for the processor.")
    return 4 if over else 0


if __name__ == "__main__":
    sys.exit(main())
