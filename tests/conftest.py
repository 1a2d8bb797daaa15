"""The end-to-end and release tests' fixtures: for each test process (an
xdist worker) a session of its own (a display and a copy of the Wine prefix
prepared once for the run), the program started there, and the probe."""

import os
import sys

import pytest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "e2e"))

import wine  # noqa: E402
from probe import Probe  # noqa: E402
from program import Program  # noqa: E402


@pytest.fixture(scope="session")
def session(testrun_uid):
    wine.prepare_prefix_once(testrun_uid)
    session = wine.Session()
    yield session
    session.close()


@pytest.fixture(scope="session")
def probe(session):
    probe = Probe(session)
    yield probe
    probe.close()


@pytest.fixture(scope="session")
def program(session, probe):
    program = Program(session, probe)
    yield program
    program.close()


def pytest_collection_modifyitems(items):
    """Whole countdowns first, so that none is left to hold up the run's end.
    xdist hands each worker two tests to start with: each pair gets one of
    them and one shorter test."""
    long = [item for item in items if item.get_closest_marker("whole_countdown")]
    short = [item for item in items if not item.get_closest_marker("whole_countdown")]
    paired = []
    for index, item in enumerate(long):
        paired += [item] + short[index:index + 1]
    items[:] = paired + short[len(long):]
