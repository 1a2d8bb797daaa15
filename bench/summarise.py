"""Summarises a make bench run: the median and interquartile range of
KESTRANE's per-round ratios against the designed-controls floor (the same
ten controls, fonts and colours and nothing else), the floor KESTRANE is
held to, and, for information, KESTRANE's, the floor's and the plain bare
window's ratios against the themed, painted bare window; for time to
visible, time to input idle and working set; the load average during the
run; and whether the run was disturbed.

usage: summarise.py RUN_FOLDER KESTRANE_EXE CORES
Exits 3 when the run was disturbed, so that nobody mistakes it for good.
"""
import json
import os
import statistics
import sys

THEMED, BARE, FLOOR, OURS = "themed_window.exe", "bare_window.exe", "designed_controls.exe", "KESTRANE.exe"
PROGRAMS = (THEMED, BARE, FLOOR, OURS)
# KESTRANE's goals against the designed-controls floor.
MEASURES = (("visible_ms", "time to visible", 1.05),
            ("idle_ms", "time to input idle", 1.10),
            ("working_set_kib", "working set", 1.05))
LEAST_ROUNDS = 15
SIZE_GOAL_KIB = 600
# The floor's own times vary by more than this share of their median only
# when something else competes for the processor.
MOST_SPREAD = 0.25


def quartiles(values):
    """(lower quartile, median, upper quartile) by linear interpolation."""
    ordered = sorted(values)
    def at(share):
        position = share * (len(ordered) - 1)
        low = int(position)
        high = min(low + 1, len(ordered) - 1)
        return ordered[low] + (ordered[high] - ordered[low]) * (position - low)
    return at(0.25), at(0.5), at(0.75)


def main():
    folder, exe, cores = sys.argv[1], sys.argv[2], int(sys.argv[3])
    starts = [json.loads(line) for line in open(os.path.join(folder, "starts.jsonl")) if line.strip()]
    loads = [float(line.split()[1]) for line in open(os.path.join(folder, "load.txt")) if line.strip()]
    disturbances = []

    failed = [s for s in starts if s.get("failed")]
    if failed:
        disturbances.append("%d start(s) failed or never showed a window" % len(failed))
    rounds = {}
    for s in starts:
        if s["round"] > 0 and not s.get("failed"):
            rounds.setdefault(s["round"], {})[s["program"]] = s
    complete = [r for r in rounds.values() if all(p in r for p in PROGRAMS)]
    if len(complete) < LEAST_ROUNDS:
        disturbances.append("only %d complete rounds (at least %d are needed)" % (len(complete), LEAST_ROUNDS))
    if not complete:
        print("make bench: no complete round; see %s" % folder)
        return 3

    if loads and max(loads) > cores:
        disturbances.append("1-minute load average reached %.2f on %d cores: other work was running"
                            % (max(loads), cores))
    for key, label, _ in MEASURES[:2]:
        for yardstick in (THEMED, FLOOR):
            low, middle, high = quartiles([r[yardstick][key] for r in complete])
            if (high - low) > MOST_SPREAD * middle:
                disturbances.append("%s's own %s varied by %.0f%% (interquartile range / median)"
                                    % (yardstick, label, 100 * (high - low) / middle))

    print("make bench: %d rounds under Wine after a warm-up, programs alternated" % len(complete))
    print()
    print("%-26s %18s %18s %18s" % ("absolute (median)", "visible", "input idle", "working set"))
    for program, name in ((THEMED, "themed bare window"), (BARE, "plain bare window"),
                          (FLOOR, "designed controls (floor)"), (OURS, "KESTRANE")):
        v, i, w = (quartiles([r[program][key] for r in complete])[1] for key, _, _ in MEASURES)
        print("%-26s %15.1f ms %15.1f ms %14.0f KiB" % (name, v, i, w))

    def ratio_rows(title, yardstick, programs):
        print()
        print("%-26s %18s %18s %18s" % (title, "visible", "input idle", "working set"))
        print("%-26s %18s %18s %18s" % ("(median [IQR] per round)", "", "", ""))
        for program, name in programs:
            cells = []
            for key, _, _ in MEASURES:
                low, middle, high = quartiles([r[program][key] / r[yardstick][key] for r in complete])
                cells.append("%.2f [%.2f-%.2f]" % (middle, low, high))
            print("%-26s %18s %18s %18s" % (name, *cells))

    ratio_rows("ratio to the floor", FLOOR, ((OURS, "KESTRANE"),))
    print("%-26s %18s %18s %18s" % ("goal for KESTRANE", *("<= %.2f" % goal for _, _, goal in MEASURES)))
    ratio_rows("ratio to the themed window", THEMED,
               ((BARE, "plain bare window"), (FLOOR, "designed controls"), (OURS, "KESTRANE")))
    print()
    size_kib = os.path.getsize(exe) // 1024
    print("KESTRANE.exe size: %d KiB (goal <= %d KiB)" % (size_kib, SIZE_GOAL_KIB))
    if loads:
        print("1-minute load average during the run: %.2f to %.2f (median %.2f) on %d cores"
              % (min(loads), max(loads), statistics.median(loads), cores))
    print()
    if disturbances:
        print("DISTURBED RUN - the ratios above are not trustworthy:")
        for reason in disturbances:
            print("  - " + reason)
        return 3
    print("Quiet run: the ratios above can be trusted.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
