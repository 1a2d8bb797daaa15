"""The always-on-top keeper in the real program: once a second, whatever other
window is in the foreground loses its always-on-top place to KESTRANE."""

import subprocess
import time

from elements import BUTTON, counting, paused
from harness import ProgramTestCase, distinct
from wine import PROBE


class KeepsItselfOnTop(ProgramTestCase):

    def open_other(self, topmost, hang_ms=0):
        """Opens the probe's "Other" window in the foreground, which then
        answers nothing for hang_ms; returns its handle. A probe that ends
        without a word never got to open it (as Probe.report allows for): it
        tries once more."""
        args = ["wine", PROBE, "other"] + (["topmost"] if topmost else []) + (["hang", str(hang_ms)] if hang_ms else [])
        for attempt in (1, 2):
            process = subprocess.Popen(args, env=self.session.env, stdout=subprocess.PIPE,
                                       stderr=subprocess.DEVNULL, text=True)
            handle = process.stdout.readline().strip()
            self.addCleanup(self.close_other, process, handle)
            if handle:
                break
        self.assertRegex(handle, r"^\d+$", "the Other window did not open")
        return handle

    def close_other(self, process, handle):
        if process.poll() is None:
            self.probe("dismiss", handle)
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        process.stdout.close()

    def other_is_topmost(self, handle):
        answer = self.probe("topmost", handle).strip()
        self.assertIn(answer, ("true", "false"), "the Other window is gone")
        return answer == "true"

    def is_above(self, handle):
        """Whether KESTRANE comes before that window in the z-order."""
        answer = self.probe("above", handle).strip()
        self.assertIn(answer, ("true", "false"), "a window is gone")
        return answer == "true"

    def watch_states(self, seconds):
        """The program's window as seen every fraction of a second for that long."""
        seen = []
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            state = self.probe.state()
            self.assertIsNotNone(state["window"], "the window went away")
            seen.append(state["window"])
            time.sleep(0.1)
        return seen

    def test_another_always_on_top_window_in_front_loses_its_place_to_kestrane(self):
        # The Other window really is always on top while nothing takes it away.
        self.assertTrue(self.other_is_topmost(self.open_other(topmost=True)))
        self.doCleanups()

        seen = self.program.start()
        self.assertFalse(seen["window"]["topmost"])
        placed = seen["window"]["rect"]
        other = self.open_other(topmost=True)
        # The keeper ticks once a second; the time-out leaves room for a busy machine.
        in_front = time.monotonic()
        while self.other_is_topmost(other) and time.monotonic() - in_front < 20:
            time.sleep(0.05)
        self.assertFalse(self.other_is_topmost(other))
        seen = self.probe.wait_for(lambda s: s["window"]["topmost"], timeout=20)
        # In front of the window in the foreground. Whether it also takes the
        # foreground is the system's to decide: Windows may refuse a program
        # in the background and flash its taskbar button instead.
        self.assertTrue(self.is_above(other))
        self.assertEqual(seen["window"]["rect"], placed)  # raised where it was, at its size

    def test_kestrane_in_the_foreground_is_left_as_it_is(self):
        seen = self.program.start()
        self.assertFalse(seen["window"]["topmost"])
        self.probe.wait_for(lambda s: s["window"]["foreground"], timeout=20)
        for window in self.watch_states(2.5):  # two ticks and more
            self.assertTrue(window["foreground"])
            self.assertFalse(window["topmost"])

    def test_a_minimised_kestrane_is_put_on_top_and_stays_minimised(self):
        self.program.start()
        self.probe.act("minimize")
        self.probe.wait_for(lambda s: s["window"]["minimized"], timeout=20)

        other = self.open_other(topmost=False)
        seen = self.probe.wait_for(lambda s: s["window"]["topmost"], timeout=20, interval=0.1)
        self.assertTrue(seen["window"]["minimized"])
        for window in self.watch_states(2.5):  # raised, yet not restored
            self.assertTrue(window["minimized"])
            self.assertTrue(window["topmost"])
        self.assertFalse(self.other_is_topmost(other))
        self.assertTrue(self.is_above(other))

    def test_a_program_in_front_that_stops_answering_stops_neither_the_countdown_nor_the_abort_button(self):
        seen = self.program.start()
        self.probe.wait_for(counting, timeout=20)
        watcher = self.probe.stream("watch", 60000, 1000)
        self.addCleanup(watcher.close)
        self.open_other(topmost=False, hang_ms=20000)
        hung = time.monotonic()
        # Ten seconds of the hang: a new value each second, and never a
        # second without an answer. Whether the hung window is demoted
        # meanwhile is the system's to decide.
        changes = watcher.until(lambda change: change["arrived"] - hung >= 10, timeout=30)
        self.assertEqual([c for c in changes if c.get("busy")], [], "the window stopped answering")
        boxes = [b for b in distinct([c["box"] for c in changes if "box" in c]) if b.isdigit()]
        self.assertGreaterEqual(len(boxes), 9, boxes)
        self.assertEqual([int(a) - int(b) for a, b in zip(boxes, boxes[1:])], [1] * (len(boxes) - 1), boxes)

        self.click(seen, BUTTON)
        seen = self.probe.wait_for(paused, timeout=5)
        self.assertLess(time.monotonic() - hung, 20, "paused only once the other program answered again")
