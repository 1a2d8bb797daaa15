"""The designed look on screen: control rectangles at 96 and 144 dpi, tab
order, separator lines, the status bar's panels and the credit line."""

import time

from elements import BOX, BUTTON, CREATOR, DESIGNED_SIZE, MARKS, STATUS_BAR, TITLE, counting, paused
from harness import ProgramTestCase
from screen import red_ink

# Pixel rectangles (left, top, width, height) in the client area at 96 dpi.
DESIGNED_AT_96_DPI = {
    "KESTRANE_TITLE": [8, 8, 721, 64],
    "KESTRANE_VERSION": [8, 80, 201, 33],
    "KESTRANE_CREATOR": [216, 80, 281, 33],
    "KESTRANE_FREEWARE": [504, 80, 225, 33],
    "KESTRANE_COUNTDOWN_MESSAGE": [8, 128, 721, 67],
    "KESTRANE_EX_POINT_TEXTBOX_LEFT": [8, 216, 39, 115],
    "KESTRANE_COUNTDOWN_TEXTBOX": [56, 216, 225, 115],
    "KESTRANE_EX_POINT_TEXTBOX_RIGHT": [288, 216, 39, 115],
    "KESTRANE_ABORT_BUTTON": [344, 216, 385, 111],
}
WINDOW_TEXT = (0, 0, 0)
# The height in pixels of the countdown box's red digits at 96 dpi, in the
# fonts Wine has here (72 points make 96 pixels of character height; the
# digits are about 70 % of that). Round digits may overshoot by a pixel.
DIGIT_HEIGHT_AT_96_DPI = 68


class Layout(ProgramTestCase):

    def assert_status_bar_spans_the_bottom(self, seen, height):
        client_width, client_height = seen["window"]["client"][2:]
        self.assertEqual(self.control(seen, STATUS_BAR)["rect"], [0, client_height - height, client_width, height])

    def test_every_control_sits_at_its_designed_rectangle_with_the_status_bar_at_the_bottom(self):
        seen = self.program.start()
        for name, rect in DESIGNED_AT_96_DPI.items():
            self.assertEqual(self.control(seen, name)["rect"], rect, name)
        self.assertAlmostEqual(self.digit_height(seen), DIGIT_HEIGHT_AT_96_DPI, delta=2)
        self.assertEqual(seen["window"]["rect"][2:], DESIGNED_SIZE)
        self.assert_status_bar_spans_the_bottom(seen, 18)

    def test_tab_moves_from_the_abort_button_through_the_text_boxes_in_order(self):
        seen = self.program.start()
        self.assertTrue(self.control(seen, BUTTON)["focused"])
        self.point_to(seen, TITLE)
        expected = [BOX, MARKS[0], MARKS[1], BUTTON]
        order = []
        for name in expected:
            self.key("Tab")
            seen = self.probe.watch_for(lambda s: self.control(s, name)["focused"], timeout=10, interval=0.1)
            focused = [c["name"] for c in seen["controls"] if c["focused"]]
            order.append(focused[0] if focused else None)
        self.assertEqual(order, expected)

    def test_separator_lines_and_status_bar_panels(self):
        seen = self.program.start()
        shot = self.session.screenshot()
        cx, cy = seen["window"]["client"][:2]
        for line_y, from_x in ((120, 8), (208, 8), (336, 0)):  # Line1, Line2, Line3
            for x in (from_x, 360, 728):  # both end points are drawn
                self.assertEqual(shot.pixel(cx + x, cy + line_y), WINDOW_TEXT, (x, line_y))
            self.assertNotEqual(shot.pixel(cx + 729, cy + line_y), WINDOW_TEXT)
            self.assertNotEqual(shot.pixel(cx + 360, cy + line_y - 2), WINDOW_TEXT)

        # The bar follows the clock once a second, so across a change of the
        # minute it may show the last minute for up to a second.
        deadline = time.monotonic() + 5
        while True:
            bar = self.probe.json("statusbar")
            if bar["texts"] == ["Status", bar["today"], bar["now"]] or time.monotonic() > deadline:
                break
            time.sleep(0.2)
        self.assertEqual(bar["texts"], ["Status", bar["today"], bar["now"]])
        edges = bar["edges"]
        self.assertEqual(edges[-1], bar["width"])  # the first panel springs to fill the bar
        widths = [edges[0], edges[1] - edges[0], edges[2] - edges[1]]
        self.assertTrue(all(w >= 96 for w in widths), widths)  # at least an inch each

    def test_a_date_longer_than_eighty_characters_shows_in_full(self):
        international = r"HKCU\Control Panel\International"
        before = self.session.reg("query", international, "/v", "sShortDate")
        self.assertEqual(before.returncode, 0, before.stdout + before.stderr)
        original = before.stdout.split("REG_SZ", 1)[1].strip()
        self.addCleanup(self.session.reg, "add", international, "/v", "sShortDate", "/t", "REG_SZ", "/d", original,
                        "/f")
        long_format = " ".join(["dddd"] * 15) + " yyyy"  # 79 characters, a day's name fifteen times
        changed = self.session.reg("add", international, "/v", "sShortDate", "/t", "REG_SZ", "/d", long_format, "/f")
        self.assertEqual(changed.returncode, 0, changed.stdout + changed.stderr)
        self.program.start()
        bar = self.probe.json("statusbar")
        self.assertGreater(len(bar["today"]), 80, bar["today"])
        self.assertEqual(bar["texts"][1], bar["today"])

    def test_a_double_click_on_the_credit_line_shows_the_contact_address(self):
        seen = self.program.start()
        self.click(seen, CREATOR)
        # Esc pauses the countdown; once the pause shows, the click before it
        # has been handled too.
        self.key("Escape")
        seen = self.probe.wait_for(paused, timeout=15)
        self.assertFalse(self.control(seen, BUTTON)["enabled"])
        self.assertEqual(self.control(seen, CREATOR)["text"], "Created By Orwyn402")
        self.session.xdotool("click", "--repeat", 2, "--delay", 120, 1)
        seen = self.probe.wait_for(lambda s: "@" in self.control(s, CREATOR)["text"], timeout=15)
        self.assertRegex(self.control(seen, CREATOR)["text"], r"^[\w.]+@example\.com$")

    def test_at_144_dpi_everything_is_half_as_large_again(self):
        self.session.set_density(144)
        try:
            seen = self.program.start()
            self.assertEqual(seen["window"]["dpi"], 144)
            self.assertEqual(seen["window"]["rect"][2:], [1121, 597])
            self.assertEqual(self.control(seen, BOX)["rect"], [84, 324, 338, 173])
            self.assertEqual(self.control(seen, BUTTON)["rect"], [516, 324, 578, 167])
            for name, rect in DESIGNED_AT_96_DPI.items():
                got = self.control(seen, name)["rect"]
                for designed, scaled in zip(rect, got):
                    self.assertAlmostEqual(scaled, designed * 1.5, delta=1.5, msg=name)
            self.assert_status_bar_spans_the_bottom(seen, 27)
            self.assertAlmostEqual(self.digit_height(seen), DIGIT_HEIGHT_AT_96_DPI * 1.5, delta=2)
            # The scaled running picture leaves the green ground at the button's edge.
            bx, by = self.screen_point(seen, BUTTON, dx=20, dy=80)
            self.assertEqual(self.session.screenshot().pixel(bx, by), (0, 255, 0))

            # The position is saved in twips at this density: 1440 to the inch.
            self.probe.act("move", 300, 240)
            self.probe.wait_for(lambda s: s["window"]["rect"][:2] == [300, 240], timeout=10)
            self.probe.act("close")
            self.assertEqual(self.program.wait_exit(timeout=20), 0)
            self.assertEqual(self.session.stored("MainLeft"), "3000")
            self.assertEqual(self.session.stored("MainTop"), "2400")
        finally:
            self.program.kill()
            self.session.set_density(None)

    def digit_height(self, seen):
        """The height of the red digits in the countdown box once they show.

        The box's text changes before the box is painted again, so the
        screen is looked at until it shows the digits, not the dashes before
        them: digits are ink over half the box's height, the dashes a flat
        stroke."""
        self.probe.wait_for(counting, timeout=20)
        inside = self.screen_rect(seen, BOX, inset=3)
        deadline = time.monotonic() + 10
        while True:
            height = self.session.screenshot().extent(inside, red_ink)[1]
            if height > inside[3] / 2 or time.monotonic() > deadline:
                return height
