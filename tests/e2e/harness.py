"""The base of the end-to-end test cases: the test process's session, the
program and the probe (fixtures of conftest.py), with clean settings for
each test, and what the tests share in reading a look."""

import unittest

import pytest


class ProgramTestCase(unittest.TestCase):

    @pytest.fixture(autouse=True)
    def _session_program_and_probe(self, session, program, probe):
        self.session, self.program, self.probe = session, program, probe

    def setUp(self):
        self.session.clear_settings()

    def tearDown(self):
        self.program.kill()

    def control(self, seen, name):
        return seen["by_name"][name]

    def screen_point(self, seen, name, dx=None, dy=None):
        """A point inside the named control, in screen coordinates (its centre by default)."""
        left, top, width, height = self.control(seen, name)["rect"]
        origin = seen["window"]["client"]
        return (origin[0] + left + (width // 2 if dx is None else dx),
                origin[1] + top + (height // 2 if dy is None else dy))

    def screen_rect(self, seen, name, inset=0):
        """The named control's rectangle on the screen, inset on every side."""
        left, top, width, height = self.control(seen, name)["rect"]
        origin = seen["window"]["client"]
        return origin[0] + left + inset, origin[1] + top + inset, width - 2 * inset, height - 2 * inset

    def point_to(self, seen, name):
        """Moves the pointer onto the named control; keys go where the pointer is."""
        self.session.move_pointer(*self.screen_point(seen, name))

    def click(self, seen, name, times=1, button=1):
        self.point_to(seen, name)
        if times == 1:
            self.session.xdotool("click", button)
        else:
            self.session.xdotool("click", "--repeat", times, "--delay", 120, button)

    def key(self, name):
        self.session.xdotool("key", name)


def distinct(values):
    """The values with repeats in a row left out: what a user saw change."""
    return [v for i, v in enumerate(values) if i == 0 or v != values[i - 1]]
