"""The program from start to end: the countdown, the launch of KESTRANE.BAT
at "00", and what is saved when it closes."""

import json
import os
import shutil
import subprocess
import tempfile
import time

import pytest

from elements import BOX, BUTTON, MARKS, MESSAGE
from harness import ProgramTestCase, distinct
from program import EXE, MARKER_BATCH, PLANTED_DLLS, SLOW_LAUNCH_EXE
from wine import PROBE

# A batch file that adds a line for every time it runs.
COUNTING_BATCH = "@echo off\r\necho launched>> \"%~dp0launched.txt\"\r\n"


class CountdownToLaunch(ProgramTestCase):

    @pytest.mark.whole_countdown
    def test_untouched_window_counts_down_launches_the_batch_file_and_saves_its_position(self):
        watcher = self.probe.stream("watch", 150000)  # sees the window from its creation on
        self.addCleanup(watcher.close)
        seen = self.program.start()
        self.assertEqual(seen["window"]["title"], "KESTRANE")
        # Every visible element has its control; the other children only speak to screen readers.
        self.assertEqual(len([c for c in seen["controls"] if c["name"] != "?"]), 10)
        # Each text box has its naming label just before it from the start,
        # before any accessibility client has asked.
        names = [c["name"] for c in seen["controls"]]
        for box in (BOX,) + MARKS:
            label = seen["controls"][names.index(box) - 1]
            self.assertEqual((label["name"], label["class"]), ("?", "Static"), box)
            self.assertTrue(label["text"], box)
        self.assertEqual(self.control(seen, MESSAGE)["text"], "COUNTDOWN STARTED")
        self.assertTrue(self.control(seen, BUTTON)["focused"])

        code = self.program.wait_exit(timeout=120)
        changes = watcher.end(timeout=60)

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
        self.assertTrue(self.program.launched(), "KESTRANE.BAT did not run")
        left, top = self.session.stored("MainLeft"), self.session.stored("MainTop")
        self.assertRegex(left, r"^-?\d+$")
        self.assertRegex(top, r"^-?\d+$")
        self.assertAlmostEqual(int(left), 1000, delta=15)  # the default, to a pixel
        self.assertIsNone(self.session.stored("MainWidth"))
        self.assertIsNone(self.session.stored("MainHeight"))

    @pytest.mark.whole_countdown
    def test_without_the_batch_file_in_its_folder_nothing_runs_and_the_exit_code_says_so(self):
        # One in a folder on the PATH, where any program the user runs can
        # put one: it must not run elevated.
        planted = tempfile.mkdtemp(prefix="kestrane-e2e-path-")
        self.addCleanup(shutil.rmtree, planted, ignore_errors=True)
        with open(os.path.join(planted, "KESTRANE.BAT"), "w", newline="") as f:
            f.write(MARKER_BATCH)
        self.program.start(batch=None, environment={"WINEPATH": "Z:" + planted.replace("/", "\\")})
        # Only a folder of that name where the program started.
        os.mkdir(os.path.join(self.program.folder, "KESTRANE.BAT"))
        self.addCleanup(os.rmdir, os.path.join(self.program.folder, "KESTRANE.BAT"))
        self.assertEqual(self.program.wait_exit(timeout=120), 2)  # ERROR_FILE_NOT_FOUND
        self.assertFalse(self.program.launched())
        self.assertEqual(os.listdir(planted), ["KESTRANE.BAT"], "the batch file on the PATH ran")
        self.assertIsNotNone(self.session.stored("MainLeft"))


class ALaunchThatTakesItsTime(ProgramTestCase):

    @pytest.mark.whole_countdown
    def test_the_window_answers_throughout_and_a_close_ends_it_only_once_the_launch_has_returned(self):
        watcher = self.probe.stream("watch", 150000, 1000)
        self.addCleanup(watcher.close)
        self.program.start(exe=SLOW_LAUNCH_EXE)
        changes = watcher.until(lambda change: change.get("box") == "00", timeout=90)
        # Closed, and the session ends, yet the process is allowed to go on:
        # both wait for the launch.
        self.probe.act("close")
        self.probe("endsession")
        rest = watcher.until(lambda change: "gone" in change, timeout=60)
        self.assertTrue(rest[-1]["gone"], rest[-3:])
        # From the first tick on, through the launch: the start itself (window
        # made, Load, first paint) runs before the message loop, and on a busy
        # machine may well take longer than a second.
        first_tick = next(i for i, change in enumerate(changes) if (change.get("box") or "").isdigit())
        self.assertEqual([change for change in changes[first_tick:] + rest if change.get("busy")], [],
                         "the window did not answer within a second")
        self.assertEqual(rest[:-1], [], "the window changed during the launch")
        # The launch takes 8 s; the close waited for it.
        self.assertGreater((rest[-1]["t"] - changes[-1]["t"]) / 1000.0, 7.0)
        self.assertEqual(self.program.wait_exit(timeout=30), 0)
        self.assertTrue(self.program.launched(), "KESTRANE.BAT did not run")

    @pytest.mark.whole_countdown
    def test_a_log_off_during_the_launch_keeps_the_position_before_the_process_is_ended(self):
        watcher = self.probe.stream("watch", 150000, 1000)
        self.addCleanup(watcher.close)
        seen = self.program.start(exe=SLOW_LAUNCH_EXE)
        shown_at = seen["window"]["rect"]
        watcher.until(lambda change: change.get("box") == "00", timeout=90)
        self.assertIsNone(self.session.stored("MainLeft"))
        # Windows may end the process as soon as the message is answered.
        self.assertEqual(self.probe.json("endsession", "end"), {"ended": True})
        self.program.wait_exit(timeout=30)
        # Where it was shown, in twips at 96 dpi.
        self.assertEqual(self.session.stored("MainLeft"), str(shown_at[0] * 15))
        self.assertEqual(self.session.stored("MainTop"), str(shown_at[1] * 15))


class NothingPlantedBesideItRuns(ProgramTestCase):

    @pytest.mark.whole_countdown
    def test_dlls_left_beside_the_program_never_load_on_any_way_to_the_launch(self):
        # Partly left of the screen: the drawn frame is asked of the window manager.
        self.session.store("MainLeft", "-1500")
        # An annotation service that refuses everything, too.
        seen = self.program.start(beside=PLANTED_DLLS, environment={"KESTRANE_ANNOTATION_REFUSE": "1"})
        self.assertIsNotNone(seen["window"], "the program did not start")
        self.assertEqual(seen["window"]["rect"][0], -100)
        # An accessibility client's first question: the names were asked of
        # the service, which refused them, and the labels still give them.
        self.assertIn("Seconds left", self.probe("accessible"))
        self.assertIn("Seconds left", [c.get("value") for c in self.program.annotations()])
        self.assertEqual(self.program.wait_exit(timeout=120), 0)
        self.assertTrue(self.program.launched(), "KESTRANE.BAT did not run")
        markers = [name for name in os.listdir(self.program.folder) if ".loaded-by-" in name]
        self.assertEqual(markers, [])


def claim_of(folder):
    """The name under which a countdown started from that folder claims it:
    the folder as the program names it, upper-cased, in two 64-bit FNV-1a
    hashes of its UTF-16 code units."""
    units = ("Z:" + folder.replace("/", "\\")).upper().encode("utf-16-le")
    def fnv1a(hash):
        for i in range(0, len(units), 2):
            hash = ((hash ^ int.from_bytes(units[i:i + 2], "little")) * 0x100000001b3) % 2 ** 64
        return hash
    return "Local\\KESTRANE countdown %016x%016x" % (fnv1a(0xcbf29ce484222325), fnv1a(0x84222325cbf29ce4))


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

    @pytest.mark.whole_countdown
    def test_a_second_start_from_one_folder_only_brings_the_first_forward_and_another_folder_counts_down_too(self):
        watcher = self.probe.stream("watch", 150000)
        self.addCleanup(watcher.close)
        self.program.start(batch=COUNTING_BATCH)
        # The claim lets in only the user, from ordinary and elevated
        # programs alike, and the system, at medium integrity.
        claim = self.probe.json("security", claim_of(self.program.folder))
        # Allowed (0) all rights (generic, or a file mapping's own once
        # Windows has mapped them) to those two; the label (17) medium
        # (S-1-16-8192), no write up (1).
        entries = [(kind, "all" if mask in (0x10000000, 0xF001F) else mask, sid)
                   for kind, mask, sid in claim["entries"]]
        self.assertEqual(sorted(entries), sorted(
            [(0, "all", claim["user"]), (0, "all", "S-1-5-18"), (17, 1, "S-1-16-8192")]), claim)
        self.probe.act("minimize")
        self.probe.wait_for(lambda s: s["window"]["minimized"], timeout=20)

        begun = time.monotonic()
        second = self.start_from(self.program.folder)
        self.assertEqual(second.wait(timeout=60), 0)
        self.assertLess(time.monotonic() - begun, 2.0, "the second start took too long to give way")
        self.probe.wait_for(lambda s: not s["window"]["minimized"], timeout=10)
        self.assertEqual(len(self.windows()), 1)

        # A name a Western system's 8-bit code page cannot spell.
        other = tempfile.mkdtemp(prefix="kestrane-e2e-другая-")
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

        self.assertEqual(self.program.wait_exit(timeout=120), 0)
        self.assertEqual(third.wait(timeout=120), 0)
        changes = watcher.until(lambda change: "gone" in change, timeout=60)
        boxes = distinct([c["box"] for c in changes if "box" in c])
        self.assertEqual([b for b in boxes if b != "00"], ["--\r\n"] + ["%02d" % n for n in range(30, 0, -1)])
        self.assertEqual(self.runs_of_the_batch_file(self.program.folder), 1)
        self.assertEqual(self.runs_of_the_batch_file(other), 1)

    def test_a_claim_it_may_not_open_means_a_countdown_runs_there_and_it_ends_without_counting_down(self):
        # As a first start "as administrator" with the default security
        # would have made it.
        holder = subprocess.Popen(["wine", PROBE, "claim", claim_of(self.program.folder)], env=self.session.env,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.addCleanup(holder.wait, timeout=30)
        self.addCleanup(holder.stdin.close)
        self.assertEqual(json.loads(holder.stdout.readline()), {"held": True})
        shutil.copy(EXE, self.program.folder)
        self.assertEqual(self.start_from(self.program.folder).wait(timeout=60), 0)
        self.assertEqual(self.windows(), [])
