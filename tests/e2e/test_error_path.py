"""A run-time error ends the program: it is reported in a box titled
"KESTRANE", the window unloads as on any close, and the exit code is not 0,
whatever arrives while the box is open. The error is provoked in the
test-only build, which refuses to show the countdown's first tick."""

import json
import subprocess
import unittest

from harness import FAILING_EXE, ProgramTestCase

FAILING_FIRST_TICK = {"KESTRANE_FAIL_SETTING": "KESTRANE_COUNTDOWN_TEXTBOX.Text"}


class RunTimeError(ProgramTestCase):

    def start_until_the_error_box(self):
        # 3001 twips is 200 px, which an unload saves back as 3000.
        self.session.store("MainLeft", "3001")
        self.session.store("MainTop", "1501")
        self.session.start(exe=FAILING_EXE, environment=FAILING_FIRST_TICK)
        box = json.loads(self.session.probe("errorbox", "15000"))
        self.assertIsNotNone(box["box"], "no message box came")
        return box

    def assert_still_running(self, seconds):
        with self.assertRaises(subprocess.TimeoutExpired, msg="the program ended"):
            self.session.program.wait(timeout=seconds)

    def assert_unloaded_as_on_any_close(self):
        self.assertEqual(self.session.stored("MainLeft"), "3000")
        self.assertEqual(self.session.stored("MainTop"), "1500")

    def test_the_error_is_reported_in_a_box_and_the_program_ends_with_a_non_zero_code(self):
        box = self.start_until_the_error_box()
        self.assertEqual(box["title"], "KESTRANE")
        self.assertRegex(box["text"], r"^Run-time error '\d+':")
        self.assertIn("KESTRANE_COUNTDOWN_TEXTBOX", box["text"])
        self.assertTrue(box["owned_by_main"])
        # Nothing runs while the user reads it: no tick shows, no launch.
        self.assert_still_running(2.5)
        seen = self.session.state()
        self.assertEqual(self.control(seen, "KESTRANE_COUNTDOWN_TEXTBOX")["text"], "--\r\n")

        self.assertEqual(self.session.probe("dismiss", str(box["box"])), "")
        self.assertEqual(self.session.wait_exit(timeout=20), 1)
        self.assertFalse(self.session.launched())
        self.assert_unloaded_as_on_any_close()

    def test_a_close_request_while_the_box_is_open_still_ends_with_a_non_zero_code(self):
        box = self.start_until_the_error_box()
        self.session.probe("close")  # another program asks the main window to close
        self.assert_still_running(2.5)
        again = json.loads(self.session.probe("errorbox", "0"))
        self.assertEqual(again["box"], box["box"], "the box went away with the close request")

        self.session.probe("dismiss", str(box["box"]))
        self.assertEqual(self.session.wait_exit(timeout=20), 1)
        self.assert_unloaded_as_on_any_close()


if __name__ == "__main__":
    unittest.main()
