"""Whether anything outside a make bench run competed for the processor
while it ran: the load average, and the processor time that other
processes took, which is all the machine's busy time less the run's own.
How long each start of the programs took is no sign: under Wine a start's
time spreads by a quarter of its median with nothing else running."""

# Other processes may keep this share of one processor busy, on average
# over the run, before the run counts as disturbed: a quiet machine's own
# housekeeping takes a few hundredths.
MOST_OTHER_SHARE = 0.10


def machine_samples(path):
    """[(seconds since the epoch, 1-minute load, the machine's busy ticks,
    the run's own processor seconds or None)], one a second."""
    samples = []
    for line in open(path):
        fields = line.split()
        if len(fields) == 4:
            own = None if fields[3] == "-" else int(fields[3]) / 1e9
            samples.append((float(fields[0]), float(fields[1]), int(fields[2]), own))
    return samples


def disturbances(samples, cores, ticks_per_second=100):
    """The signs of competition, in words (none on a quiet run), and the
    processor seconds other processes took (None when the run's own could
    not be told apart)."""
    signs = []
    loads = [sample[1] for sample in samples]
    if loads and max(loads) > cores:
        signs.append("the 1-minute load average reached %.2f on %d cores" % (max(loads), cores))
    other = None
    if len(samples) >= 2 and samples[0][3] is not None and samples[-1][3] is not None:
        (begun, _, busy_then, own_then), (ended, _, busy_now, own_now) = samples[0], samples[-1]
        wall = ended - begun
        other = max((busy_now - busy_then) / ticks_per_second - (own_now - own_then), 0.0)
        if wall > 0 and other > MOST_OTHER_SHARE * wall:
            signs.append("other processes took %.0f s of processor time in %.0f s (%.0f%% of a processor)"
                         % (other, wall, 100 * other / wall))
    return signs, other
