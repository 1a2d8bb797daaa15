"""The window dragged onto a monitor of another density: the system tells
it the new density, and everything is laid out again at it, the status
bar's text included."""

from elements import BOX, DESIGNED_SIZE, STATUS_BAR
from harness import ProgramTestCase

DARK = 90  # a channel below this is the text's ink, not a bevel or the ground


def text_ink(r, g, b):
    return max(r, g, b) < DARK


class DensityChange(ProgramTestCase):

    def status_ink_height(self, seen):
        """How many pixel rows the word "Status" in the first panel covers."""
        left, top, _, height = self.screen_rect(seen, STATUS_BAR)
        rows = {y for _, y in self.session.screenshot().points((left + 2, top, 60 * height // 18, height), text_ink)}
        self.assertTrue(rows, "no text in the status bar's first panel")
        return max(rows) - min(rows) + 1

    def test_from_96_to_144_dpi_the_layout_and_the_status_font_grow_by_half(self):
        seen = self.program.start()
        self.assertEqual(seen["window"]["rect"][2:], DESIGNED_SIZE)
        ink_at_96 = self.status_ink_height(seen)

        self.assertEqual(self.probe.json("dpichange", 144), {"sent": True})
        seen = self.probe.wait_for(lambda s: s["window"]["rect"][2:] == [1121, 597], timeout=15)
        self.assertEqual(self.control(seen, BOX)["rect"], [84, 324, 338, 173])
        client_width, client_height = seen["window"]["client"][2:]
        self.assertEqual(self.control(seen, STATUS_BAR)["rect"], [0, client_height - 27, client_width, 27])
        ink_at_144 = self.status_ink_height(seen)
        self.assertGreaterEqual(ink_at_144, ink_at_96 * 1.3, (ink_at_96, ink_at_144))

    def test_a_density_of_zero_changes_nothing(self):
        seen = self.program.start()
        before = {c["name"]: c["rect"] for c in seen["controls"]}
        self.assertEqual(self.probe.json("dpichange", 0), {"sent": True})
        seen = self.probe.watch_for(lambda s: {c["name"]: c["rect"] for c in s["controls"]} != before, timeout=2)
        self.assertEqual({c["name"]: c["rect"] for c in seen["controls"]}, before)
        self.assertEqual(seen["window"]["rect"], [67, 67] + DESIGNED_SIZE)
