"""The window dragged onto a monitor of another density: the system tells
it the new density, and everything is laid out again at it, the status
bar's text included."""

import json
import subprocess
import unittest

from harness import ProgramTestCase

DARK = 90  # a channel below this is the text's ink, not a bevel or the ground


class DensityChange(ProgramTestCase):

    def status_ink_height(self, seen):
        """How many pixel rows the word "Status" in the first panel covers."""
        left, top, _, height = self.control(seen, "sbStatusBar")["rect"]
        origin = seen["window"]["client"]
        path = self.session.screenshot()
        crop = "%dx%d+%d+%d" % (60 * height // 18, height, origin[0] + left + 2, origin[1] + top)
        out = subprocess.run(["/usr/bin/convert", path, "-crop", crop, "-depth", "8", "txt:-"],
                             check=True, capture_output=True, text=True).stdout.splitlines()[1:]
        rows = set()
        for line in out:
            position, colour = line.split(":", 1)
            channels = colour.split("(")[1].split(")")[0].split(",")[:3]
            if max(int(float(c)) for c in channels) < DARK:
                rows.add(int(position.split(",")[1]))
        self.assertTrue(rows, "no text in the status bar's first panel")
        return max(rows) - min(rows) + 1

    def test_from_96_to_144_dpi_the_layout_and_the_status_font_grow_by_half(self):
        seen = self.session.start()
        self.assertEqual(seen["window"]["rect"][2:], [747, 398])
        ink_at_96 = self.status_ink_height(seen)

        self.assertEqual(json.loads(self.session.probe("dpichange", "144")), {"sent": True})
        seen = self.session.wait_for(lambda s: s["window"]["rect"][2:] == [1121, 597], timeout=15)
        self.assertIsNotNone(seen["window"], "the window is gone")
        self.assertEqual(seen["window"]["rect"][2:], [1121, 597])
        self.assertEqual(self.control(seen, "KESTRANE_COUNTDOWN_TEXTBOX")["rect"], [84, 324, 338, 173])
        client_width, client_height = seen["window"]["client"][2:]
        self.assertEqual(self.control(seen, "sbStatusBar")["rect"], [0, client_height - 27, client_width, 27])
        ink_at_144 = self.status_ink_height(seen)
        self.assertGreaterEqual(ink_at_144, ink_at_96 * 1.3, (ink_at_96, ink_at_144))

    def test_a_density_of_zero_changes_nothing(self):
        seen = self.session.start()
        before = {c["name"]: c["rect"] for c in seen["controls"]}
        self.assertEqual(json.loads(self.session.probe("dpichange", "0")), {"sent": True})
        seen = self.session.wait_for(lambda s: {c["name"]: c["rect"] for c in s["controls"]} != before, timeout=2)
        self.assertEqual({c["name"]: c["rect"] for c in seen["controls"]}, before)
        self.assertEqual(seen["window"]["rect"], [67, 67, 747, 398])


if __name__ == "__main__":
    unittest.main()
