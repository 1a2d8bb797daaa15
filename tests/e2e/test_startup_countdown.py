"""The program from start to end: placement from the registry, the countdown,
the launch of KESTRANE.BAT at "00", and what is saved when it closes."""

import json
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

from harness import EXE, PLANTED_DLLS, SCREEN, SLOW_LAUNCH_EXE, ProgramTestCase, Watcher, distinct

# A batch file that adds a line for every time it runs.
COUNTING_BATCH = "@echo off\r\necho launched>> \"%~dp0launched.txt\"\r\n"


class CountdownToLaunch(ProgramTestCase):

    def test_untouched_window_counts_down_launches_the_batch_file_and_saves_its_position(self):
        watcher = self.session.watch(150000)  # sees the window from its creation on
        seen = self.session.start()
        self.assertEqual(seen["window"]["title"], "KESTRANE")
        # Every visible element has its control; the other children only speak to screen readers.
        self.assertEqual(len([c for c in seen["controls"] if c["name"] != "?"]), 10)
        # Each text box has its naming label just before it from the start,
        # before any accessibility client has asked.
        names = [c["name"] for c in seen["controls"]]
        for box in ("KESTRANE_COUNTDOWN_TEXTBOX", "KESTRANE_EX_POINT_TEXTBOX_LEFT", "KESTRANE_EX_POINT_TEXTBOX_RIGHT"):
            label = seen["controls"][names.index(box) - 1]
            self.assertEqual((label["name"], label["class"]), ("?", "Static"), box)
            self.assertTrue(label["text"], box)
        self.assertEqual(self.control(seen, "KESTRANE_COUNTDOWN_MESSAGE")["text"], "COUNTDOWN STARTED")
        self.assertTrue(self.control(seen, "KESTRANE_ABORT_BUTTON")["focused"])

        code = self.session.wait_exit(timeout=120)
        changes = [json.loads(line) for line in watcher.stdout]
        watcher.wait()

        # What the box showed, each value once; "00" shows only for as long
        # as the launch takes, so the watcher may miss it.
        boxes = distinct([c["box"] for c in changes if "box" in c])
        self.assertEqual(boxes[0], "--\r\n")
        counted = [b for b in boxes[1:] if b != "00"]
        self.assertEqual(counted, ["%02d" % n for n in range(30, 0, -1)])
        self.assertIn(boxes[-1], ("01", "00"))
        ticks = [c["t"] for c in changes if c.get("box") in ("30", "01")]
        # A second a tick, with room for a busy machine.
        self.assertAlmostEqual((ticks[1] - ticks[0]) / 1000.0, 29.0, delta=5.0)
        self.assertTrue(changes[-1]["gone"])

        self.assertEqual(code, 0)
        self.assertTrue(self.session.launched(), "KESTRANE.BAT did not run")
        left, top = self.session.stored("MainLeft"), self.session.stored("MainTop")
        self.assertRegex(left, r"^-?\d+$")
        self.assertRegex(top, r"^-?\d+$")
        self.assertAlmostEqual(int(left), 1000, delta=15)  # the default, to a pixel
        self.assertIsNone(self.session.stored("MainWidth"))
        self.assertIsNone(self.session.stored("MainHeight"))

    def test_without_the_batch_file_the_window_still_closes_at_zero(self):
        self.session.start(batch=None)
        self.assertEqual(self.session.wait_exit(timeout=120), 0)
        self.assertFalse(self.session.launched())
        self.assertIsNotNone(self.session.stored("MainLeft"))


class ALaunchThatTakesItsTime(ProgramTestCase):

    def test_the_window_answers_throughout_and_a_close_ends_it_only_once_the_launch_has_returned(self):
        watcher = Watcher(self.session, 150000, answer_ms=1000)
        self.session.start(exe=SLOW_LAUNCH_EXE)
        changes = watcher.until(lambda change: change.get("box") == "00", timeout=90)
        self.assertEqual(changes[-1].get("box"), "00", changes[-3:])
        # Closed, and the session ends, yet the process is allowed to go on:
        # both wait for the launch.
        self.session.probe("close")
        self.session.probe("endsession")
        rest = watcher.until(lambda change: "gone" in change, timeout=60)
        watcher.close()
        self.assertTrue(rest and rest[-1].get("gone"), rest[-3:])
        # From the first tick on, through the launch: the start itself (window
        # made, Load, first paint) runs before the message loop, and on a busy
        # machine may well take longer than a second.
        first_tick = next(i for i, change in enumerate(changes) if (change.get("box") or "").isdigit())
        self.assertEqual([change for change in changes[first_tick:] + rest if change.get("busy")], [],
                         "the window did not answer within a second")
        self.assertEqual(rest[:-1], [], "the window changed during the launch")
        # The launch takes 8 s; the close waited for it.
        self.assertGreater((rest[-1]["t"] - changes[-1]["t"]) / 1000.0, 7.0)
        self.assertEqual(self.session.wait_exit(timeout=30), 0)
        self.assertTrue(self.session.launched(), "KESTRANE.BAT did not run")


    def test_a_log_off_during_the_launch_keeps_the_position_before_the_process_is_ended(self):
        watcher = Watcher(self.session, 150000, answer_ms=1000)
        seen = self.session.start(exe=SLOW_LAUNCH_EXE)
        shown_at = seen["window"]["rect"]
        changes = watcher.until(lambda change: change.get("box") == "00", timeout=90)
        self.assertEqual(changes[-1].get("box"), "00", changes[-3:])
        self.assertIsNone(self.session.stored("MainLeft"))
        # Windows may end the process as soon as the message is answered.
        self.assertEqual(json.loads(self.session.probe_report("endsession", "end")), {"ended": True})
        self.session.wait_exit(timeout=30)
        watcher.close()
        # Where it was shown, in twips at 96 dpi.
        self.assertEqual(self.session.stored("MainLeft"), str(shown_at[0] * 15))
        self.assertEqual(self.session.stored("MainTop"), str(shown_at[1] * 15))


class NothingPlantedBesideItRuns(ProgramTestCase):

    def test_dlls_left_beside_the_program_never_load_on_any_way_to_the_launch(self):
        # Partly left of the screen: the drawn frame is asked of the window manager.
        self.session.store("MainLeft", "-1500")
        # An annotation service that refuses everything, too.
        seen = self.session.start(beside=PLANTED_DLLS, environment={"KESTRANE_ANNOTATION_REFUSE": "1"})
        self.assertIsNotNone(seen["window"], "the program did not start")
        self.assertEqual(seen["window"]["rect"][0], -100)
        # An accessibility client's first question: the names were asked of
        # the service, which refused them, and the labels still give them.
        self.assertIn("Seconds left", self.session.probe("accessible"))
        self.assertIn("Seconds left", [c.get("value") for c in self.session.annotations()])
        self.assertEqual(self.session.wait_exit(timeout=120), 0)
        self.assertTrue(self.session.launched(), "KESTRANE.BAT did not run")
        markers = [name for name in os.listdir(self.session.folder) if ".loaded-by-" in name]
        self.assertEqual(markers, [])


class OneCountdownPerBatchFile(ProgramTestCase):

    def windows(self):
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^KESTRANE$"], env=self.session.env,
                             capture_output=True, text=True, timeout=30).stdout
        return out.split()

    def start_from(self, folder):
        return subprocess.Popen(["wine", "KESTRANE.exe"], cwd=folder, env=self.session.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def runs_of_the_batch_file(self, folder):
        path = os.path.join(folder, "launched.txt")
        if not os.path.exists(path):
            return 0
        with open(path) as f:
            return len(f.read().split())

    def test_a_second_start_from_one_folder_only_brings_the_first_forward_and_another_folder_counts_down_too(self):
        watcher = Watcher(self.session, 150000)
        self.session.start(batch=COUNTING_BATCH)
        self.session.probe("minimize")
        seen = self.session.wait_for(lambda s: s["window"]["minimized"], timeout=20)
        self.assertTrue(seen["window"]["minimized"])

        begun = time.monotonic()
        second = self.start_from(self.session.folder)
        self.assertEqual(second.wait(timeout=60), 0)
        self.assertLess(time.monotonic() - begun, 2.0, "the second start took too long to give way")
        seen = self.session.wait_for(lambda s: not s["window"]["minimized"], timeout=10)
        self.assertFalse(seen["window"]["minimized"], "the running countdown was not restored")
        self.assertEqual(len(self.windows()), 1)

        other = tempfile.mkdtemp(prefix="kestrane-e2e-other-")
        self.addCleanup(shutil.rmtree, other, ignore_errors=True)
        with open(os.path.join(other, "KESTRANE.BAT"), "w", newline="") as f:
            f.write(COUNTING_BATCH)
        shutil.copy(EXE, other)
        third = self.start_from(other)
        self.addCleanup(lambda: third.poll() is None and third.kill())
        deadline = time.monotonic() + 60
        while len(self.windows()) < 2 and time.monotonic() < deadline:
            time.sleep(0.2)
        self.assertEqual(len(self.windows()), 2, "the start from another folder did not count down")

        self.assertEqual(self.session.wait_exit(timeout=120), 0)
        self.assertEqual(third.wait(timeout=120), 0)
        changes = watcher.until(lambda change: "gone" in change, timeout=60)
        watcher.close()
        boxes = distinct([c["box"] for c in changes if "box" in c])
        self.assertEqual([b for b in boxes if b != "00"], ["--\r\n"] + ["%02d" % n for n in range(30, 0, -1)])
        self.assertEqual(self.runs_of_the_batch_file(self.session.folder), 1)
        self.assertEqual(self.runs_of_the_batch_file(other), 1)


class Placement(ProgramTestCase):

    def test_stored_position_in_twips_places_the_window_in_pixels_at_the_default_size(self):
        self.session.store("MainLeft", "1500")
        self.session.store("MainTop", "2250")
        seen = self.session.start()
        self.assertEqual(seen["window"]["rect"], [100, 150, 747, 398])

    def test_closing_through_the_frame_saves_where_the_window_is_and_launches_nothing(self):
        self.session.store("MainLeft", "3000")
        self.session.store("MainTop", "1500")
        seen = self.session.start()
        self.assertEqual(seen["window"]["rect"][:2], [200, 100])
        self.session.probe("move", "250", "130")
        seen = self.session.wait_for(lambda s: s["window"]["rect"][:2] == [250, 130], timeout=10)
        self.assertEqual(seen["window"]["rect"][:2], [250, 130])
        self.session.probe("close")
        self.assertEqual(self.session.wait_exit(timeout=20), 0)
        self.assertFalse(self.session.launched())
        self.assertEqual(self.session.stored("MainLeft"), "3750")
        self.assertEqual(self.session.stored("MainTop"), "1950")
        self.assertIsNone(self.session.stored("MainWidth"))

    def test_a_first_close_saves_the_default_position(self):
        seen = self.session.start()
        left, top = seen["window"]["rect"][:2]
        self.session.probe("close")
        self.assertEqual(self.session.wait_exit(timeout=20), 0)
        self.assertEqual(self.session.stored("MainLeft"), str(left * 15))
        self.assertEqual(self.session.stored("MainTop"), str(top * 15))

    def test_a_minimised_window_saves_nothing_and_a_maximised_one_its_position(self):
        self.session.store("MainLeft", "4500")
        self.session.start()
        self.session.probe("minimize")
        self.session.wait_for(lambda s: s["window"]["minimized"], timeout=20)
        self.session.probe("close")
        self.assertEqual(self.session.wait_exit(timeout=20), 0)
        self.assertEqual(self.session.stored("MainLeft"), "4500")
        self.assertIsNone(self.session.stored("MainTop"))

        seen = self.session.start()
        self.session.probe("maximize")
        seen = self.session.wait_for(lambda s: s["window"]["maximized"], timeout=20)
        self.assertTrue(seen["window"]["maximized"])
        left_px, top_px = seen["window"]["rect"][:2]
        self.session.probe("close")
        self.assertEqual(self.session.wait_exit(timeout=20), 0)
        self.assertEqual(self.session.stored("MainLeft"), str(left_px * 15))
        self.assertEqual(self.session.stored("MainTop"), str(top_px * 15))

    def test_a_stored_size_is_applied_and_never_written(self):
        self.session.store("MainWidth", "9000")
        self.session.store("MainHeight", "4500")
        seen = self.session.start()
        self.assertEqual(seen["window"]["rect"][2:], [600, 300])
        bar = self.control(seen, "sbStatusBar")["rect"]
        self.assertEqual(bar[0] + bar[2], seen["window"]["client"][2])   # spans the width
        self.assertEqual(bar[1] + bar[3], seen["window"]["client"][3])   # at the bottom
        self.session.probe("close")
        self.session.wait_exit(timeout=20)
        self.assertEqual(self.session.stored("MainWidth"), "9000")


class UnusableStoredValues(ProgramTestCase):

    def assert_counting(self, seen):
        self.assertIsNotNone(seen["window"], "no window")
        seen = self.session.wait_for(
            lambda s: re.fullmatch(r"29|2[0-8]", self.control(s, "KESTRANE_COUNTDOWN_TEXTBOX")["text"]),
            timeout=20)
        self.assertRegex(self.control(seen, "KESTRANE_COUNTDOWN_TEXTBOX")["text"], r"^(29|2[0-8])$")
        return seen

    def test_letters_an_empty_text_or_another_type_fall_back_to_the_defaults(self):
        # 3473457 is 0x00350031: as a number's bytes, the UTF-16 text "15".
        self.session.store("MainLeft", "3473457", kind="REG_DWORD")
        self.session.store("MainTop", "abc")
        self.session.store("MainHeight", "12x")
        self.session.store("MainWidth", "")
        seen = self.assert_counting(self.session.start())
        self.assertEqual(seen["window"]["rect"], [67, 67, 747, 398])  # 1000 twips, default size
        self.session.probe("close")
        self.assertEqual(self.session.wait_exit(timeout=20), 0)
        self.assertEqual(self.session.stored("MainLeft"), "1005")  # the bad entry is overwritten
        self.assertEqual(self.session.stored("MainTop"), "1005")
        self.assertEqual(self.session.stored("MainHeight"), "12x")

    def test_a_position_on_no_monitor_is_brought_onto_the_screen(self):
        self.session.store("MainLeft", "-99999")  # -6667 px: far off, yet a place a window can have
        self.session.store("MainTop", "88888")
        seen = self.assert_counting(self.session.start())
        left, top, width, height = seen["window"]["rect"]
        self.assertEqual((width, height), (747, 398))
        self.assertTrue(0 <= left and left + width <= SCREEN[0], seen["window"]["rect"])
        self.assertTrue(0 <= top and top + height <= SCREEN[1], seen["window"]["rect"])

    def test_a_size_that_is_not_positive_uses_the_default_size(self):
        self.session.store("MainWidth", "-500")
        self.session.store("MainHeight", "0")
        seen = self.assert_counting(self.session.start())
        self.assertEqual(seen["window"]["rect"][2:], [747, 398])


if __name__ == "__main__":
    unittest.main()
