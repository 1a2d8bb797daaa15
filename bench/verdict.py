"""The verdict on one measure of KESTRANE against its floor: the median of
the per-round ratios with a 95 % bootstrap interval, and whether that
interval lies under the goal, above it, or across it."""

import math
import random
import statistics

MEETS, OVER, UNDECIDED = "meets the goal", "over the goal", "cannot tell yet"
RESAMPLES = 4000


def median_interval(ratios, resamples=RESAMPLES, seed=1):
    """(median, low, high): the rounds' median ratio and the 2.5 and 97.5
    percentiles of the medians of as many rounds drawn again, with
    replacement (a fixed seed: the same rounds give the same interval)."""
    draw = random.Random(seed)
    medians = sorted(statistics.median(draw.choices(ratios, k=len(ratios))) for _ in range(resamples))
    return statistics.median(ratios), medians[int(0.025 * resamples)], medians[int(0.975 * resamples) - 1]


def verdict(median, low, high, goal, rounds):
    """The verdict, and for "cannot tell yet" about how many more rounds
    would narrow the interval (as one over the square root of the rounds)
    to the median's distance from the goal; None when the median is so near
    the goal that it would take more than twenty times the rounds."""
    if high <= goal:
        return MEETS, 0
    if low > goal:
        return OVER, 0
    distance = abs(median - goal)
    if distance * math.sqrt(20) < (high - low) / 2:
        return UNDECIDED, None
    needed = math.ceil(rounds * ((high - low) / 2 / distance) ** 2)
    return UNDECIDED, max(needed - rounds, 1)


def describe(verdict_and_more):
    said, more = verdict_and_more
    if said != UNDECIDED:
        return said
    if more is None:
        return said + " (the median is about on the goal: no number of rounds will decide soon)"
    return "%s (about %d more rounds would decide)" % (said, more)
