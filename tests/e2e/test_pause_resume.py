"""Pause and resume with real mouse and keyboard input, and the flashing
message band seen on screen."""

import time

from elements import BOX, BUTTON, CREATOR, MARKS, MESSAGE, TITLE, box, message, paused, resumed
from harness import ProgramTestCase
from probe import holds
from screen import black_ink, red_ink

GREEN, BLACK, RED = (0, 255, 0), (0, 0, 0), (255, 0, 0)


def number(text):
    return int(text) if text.isdigit() else None


class PauseAndResume(ProgramTestCase):

    def until(self, predicate, timeout=15.0):
        return self.probe.wait_for(predicate, timeout=timeout, interval=0.1)

    def ground(self, seen, name, shot):
        """The colour just inside the named control's top-left corner, clear of text and border."""
        return shot.pixel(*self.screen_point(seen, name, dx=6, dy=6))

    def until_painted(self, seen, expected, timeout=15.0):
        """Screenshots until every named control's ground has its expected colour."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.session.screenshot()
            grounds = {name: self.ground(seen, name, shot) for name in expected}
            if grounds == expected or time.monotonic() > deadline:
                self.assertEqual(grounds, expected)
                return shot

    def test_the_button_pauses_a_click_on_the_box_continues_and_a_double_click_restarts(self):
        seen = self.program.start()
        # Values are compared as numbers, never waited for exactly: on a busy
        # machine one look at the window can take longer than a tick.
        seen = self.until(lambda s: number(box(s)) <= 27, timeout=30)
        self.click(seen, BUTTON)
        seen = self.until(paused)
        frozen = box(seen)
        # Frozen where the click found it; on a busy machine that may be later than "27".
        self.assertRegex(frozen, r"^(2[0-7]|1\d)$")
        # A disabled button cannot keep the focus: the countdown box takes it.
        self.assertFalse(seen["by_name"][BUTTON]["focused"])
        self.assertTrue(seen["by_name"][BOX]["focused"])

        # A click on the disabled button, and a press on the box released
        # outside it, are no clicks. A double-click on the credit line after
        # them shows once the window has handled all three.
        self.click(seen, BUTTON)
        self.point_to(seen, BOX)
        self.session.xdotool("mousedown", 1)
        self.point_to(seen, TITLE)
        self.session.xdotool("mouseup", 1)
        self.click(seen, CREATOR, times=2)

        def shows_address(state):
            return "@" in state["by_name"][CREATOR]["text"]

        states = self.probe.watch_until(shows_address, timeout=15)
        self.assertTrue(holds(shows_address, states[-1]), states[-1].get("controls"))
        for state in states:
            if state["window"] is None or None in (box(state), message(state)):
                continue  # a look that could not read the window shows nothing either way
            self.assertTrue(paused(state), state["controls"])
            self.assertEqual(box(state), frozen)

        self.click(seen, BOX)
        seen = self.until(resumed)
        seen = self.until(lambda s: number(box(s)) < int(frozen))

        watcher = self.probe.stream("watch", 40000)
        self.addCleanup(watcher.close)
        self.click(seen, BOX, times=2)
        # Only a restart counts up; it shows for a few seconds at most.
        watcher.until(lambda c: number(c["box"]) > int(frozen), timeout=20)

    def test_space_on_the_button_and_enter_and_escape_in_the_countdown_box_pause(self):
        seen = self.program.start()
        self.point_to(seen, TITLE)
        self.key("space")  # the button holds the focus at start
        seen = self.until(paused)
        self.click(seen, MESSAGE)
        seen = self.until(resumed)

        self.click(seen, BOX)  # a continue while counting: harmless, and the box takes the focus
        seen = self.until(lambda s: s["by_name"][BOX]["focused"])
        self.key("Return")
        seen = self.until(paused)
        self.assertRegex(box(seen), r"^(\d\d|--\r\n)$")  # Enter never reached the box

        self.click(seen, MESSAGE)
        seen = self.until(lambda s: not paused(s) and message(s) == "COUNTDOWN RESUMING...")
        self.until(lambda s: box(s).isdigit())
        self.click(seen, BOX)
        self.until(lambda s: s["by_name"][BOX]["focused"])
        self.key("Escape")
        seen = self.until(paused)
        self.assertIsNotNone(seen["window"], "Esc must not close the window")
        self.assertRegex(box(seen), r"^\d\d$")

    def test_the_band_and_the_marks_flash_green_and_black_and_turn_red_when_paused(self):
        seen = self.program.start()
        # Before the first tick: the box black with red dashes, the button green.
        shot = self.until_painted(seen, {BOX: BLACK, BUTTON: GREEN})
        inside = self.screen_rect(seen, BOX, inset=3)
        self.assertGreater(shot.extent(inside, red_ink)[0], 0, "no red text in the countdown box")

        # Screenshots until both phases have been seen twice, whatever the
        # machine's speed; each sample is the band's and the marks' ground.
        samples = []
        deadline = time.monotonic() + 40
        while time.monotonic() < deadline:
            shot = self.session.screenshot()
            samples.append(tuple(self.ground(seen, name, shot) for name in (MESSAGE,) + MARKS))
            bands = [sample[0] for sample in samples]
            changes = sum(1 for a, b in zip(bands, bands[1:]) if a != b)
            if bands.count(GREEN) >= 2 and bands.count(BLACK) >= 2 and changes >= 3:
                break
        bands = [sample[0] for sample in samples]
        self.assertGreaterEqual(bands.count(GREEN), 2, samples)
        self.assertGreaterEqual(bands.count(BLACK), 2, samples)
        self.assertGreaterEqual(sum(1 for a, b in zip(bands, bands[1:]) if a != b), 3, samples)
        for index in (1, 2):
            self.assertIn((GREEN, GREEN), [(s[0], s[index]) for s in samples], samples)
            self.assertIn((BLACK, BLACK), [(s[0], s[index]) for s in samples], samples)
        self.assertTrue(set(s for sample in samples for s in sample) <= {GREEN, BLACK}, samples)

        self.click(seen, BUTTON)
        self.until(paused)
        shot = self.until_painted(seen, {MESSAGE: RED, MARKS[0]: RED, MARKS[1]: RED, BOX: RED, BUTTON: BLACK})
        self.assertGreater(shot.extent(inside, black_ink)[0], 0, "no black digits on the red box")
