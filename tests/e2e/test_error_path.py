"""A run-time error ends the program: it is reported in a box titled
"KESTRANE", the window unloads as on any close, and the exit code is not 0,
whatever arrives while the box is open. The error is provoked in the
test-only build, which refuses to show the countdown's first tick."""

import subprocess

from elements import BOX
from harness import ProgramTestCase
from program import FAILING_EXE

FAILING_FIRST_TICK = {"KESTRANE_FAIL_SETTING": BOX + ".Text"}


class RunTimeError(ProgramTestCase):

    def start_until_the_error_box(self):
        # 3001 twips is 200 px, which an unload saves back as 3000.
        self.session.store("MainLeft", "3001")
        self.session.store("MainTop", "1501")
        self.program.start(exe=FAILING_EXE, environment=FAILING_FIRST_TICK)
        box = self.probe.json("errorbox", 15000)
        self.assertIsNotNone(box["box"], "no message box came")
        return box

    def assert_still_running(self, seconds):
        with self.assertRaises(subprocess.TimeoutExpired, msg="the program ended"):
            self.program.process.wait(timeout=seconds)

    def assert_unloaded_as_on_any_close(self):
        self.assertEqual(self.session.stored("MainLeft"), "3000")
        self.assertEqual(self.session.stored("MainTop"), "1500")

    def test_the_error_is_reported_in_a_box_and_the_program_ends_with_a_non_zero_code(self):
        box = self.start_until_the_error_box()
        self.assertEqual(box["title"], "KESTRANE")
        self.assertRegex(box["text"], r"^Run-time error '\d+':")
        self.assertIn(BOX, box["text"])
        self.assertTrue(box["owned_by_main"])
        # Nothing runs while the user reads it: no tick shows, no launch.
        self.assert_still_running(2.5)
        seen = self.probe.state()
        self.assertEqual(self.control(seen, BOX)["text"], "--\r\n")

        # A screen reader's first question, while the box shows "--": the
        # boxes are named and the box's value is "--" without the line break.
        self.assertIn("Seconds left", self.probe("accessible"))
        annotated = {}
        for call in self.program.annotations():
            self.assertEqual((call["object"], call["child"]), (-4, 0), call)  # the client area itself
            if call["call"] == "SetHwndPropStr":
                annotated[(call["properties"][0], call["value"])] = call["window"]
        boxes = [annotated.get(("Name", name)) for name in
                 ("Seconds left", "Decoration: left exclamation mark", "Decoration: right exclamation mark")]
        self.assertNotIn(None, boxes, annotated)
        self.assertEqual(len(set(boxes)), 3)
        self.assertEqual(annotated.get(("Value", "--")), boxes[0], annotated)

        self.assertEqual(self.probe("dismiss", str(box["box"])), "")
        self.assertEqual(self.program.wait_exit(timeout=20), 1)
        self.assertFalse(self.program.launched())
        self.assert_unloaded_as_on_any_close()
        self.assert_cleared_before_destroyed(self.program.annotations(), boxes)

    def assert_cleared_before_destroyed(self, calls, boxes):
        """Every window annotated is cleared of all it was given while it
        still exists, after its last annotation; only the boxes and the one
        live region are ever touched."""
        touched = []
        for call in calls:
            if call["window"] not in touched:
                touched.append(call["window"])
        region = [w for w in touched if w not in boxes]
        self.assertEqual(len(region), 1, calls)
        self.assertIn({"window": region[0], "properties": ["LiveSetting"], "type": 3, "value": 2},
                      [{k: c.get(k) for k in ("window", "properties", "type", "value")} for c in calls])
        for window in touched:
            own = [c for c in calls if c["window"] == window]
            self.assertTrue(all(c["alive"] for c in own), own)
            last = own[-1]
            self.assertEqual(last["call"], "ClearHwndProps", own)
            given = {p for c in own if c["call"] != "ClearHwndProps" for p in c["properties"]}
            self.assertLessEqual(given, set(last["properties"]), own)

    def test_a_close_request_while_the_box_is_open_still_ends_with_a_non_zero_code(self):
        box = self.start_until_the_error_box()
        self.probe.act("close")  # another program asks the main window to close
        self.assert_still_running(2.5)
        again = self.probe.json("errorbox", 0)
        self.assertEqual(again["box"], box["box"], "the box went away with the close request")

        self.probe("dismiss", str(box["box"]))
        self.assertEqual(self.program.wait_exit(timeout=20), 1)
        self.assert_unloaded_as_on_any_close()

