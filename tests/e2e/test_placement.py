"""Where the window comes up and what position it leaves behind: stored
positions and sizes in twips, values that cannot be used, windows with too
little of their caption on the screen, and positions saved at 144 and 192
dpi."""

import re

from elements import BOX, DESIGNED_SIZE, STATUS_BAR
from harness import ProgramTestCase
from wine import SCREEN

DEFAULT_RECT = [67, 67] + DESIGNED_SIZE  # 1000 twips from the top-left


class Placement(ProgramTestCase):

    def test_stored_position_in_twips_places_the_window_in_pixels_at_the_default_size(self):
        self.session.store("MainLeft", "1500")
        self.session.store("MainTop", "2250")
        seen = self.program.start()
        self.assertEqual(seen["window"]["rect"], [100, 150] + DESIGNED_SIZE)

    def test_closing_through_the_frame_saves_where_the_window_is_and_launches_nothing(self):
        self.session.store("MainLeft", "3000")
        self.session.store("MainTop", "1500")
        seen = self.program.start()
        self.assertEqual(seen["window"]["rect"][:2], [200, 100])
        self.probe.act("move", 250, 130)
        self.probe.wait_for(lambda s: s["window"]["rect"][:2] == [250, 130], timeout=10)
        self.probe.act("close")
        self.assertEqual(self.program.wait_exit(timeout=20), 0)
        self.assertFalse(self.program.launched())
        self.assertEqual(self.session.stored("MainLeft"), "3750")
        self.assertEqual(self.session.stored("MainTop"), "1950")
        self.assertIsNone(self.session.stored("MainWidth"))

    def test_a_first_close_saves_the_default_position(self):
        seen = self.program.start()
        left, top = seen["window"]["rect"][:2]
        self.probe.act("close")
        self.assertEqual(self.program.wait_exit(timeout=20), 0)
        self.assertEqual(self.session.stored("MainLeft"), str(left * 15))
        self.assertEqual(self.session.stored("MainTop"), str(top * 15))

    def test_a_minimised_window_saves_nothing_and_a_maximised_one_its_position(self):
        self.session.store("MainLeft", "4500")
        self.program.start()
        self.probe.act("minimize")
        self.probe.wait_for(lambda s: s["window"]["minimized"], timeout=20)
        self.probe.act("close")
        self.assertEqual(self.program.wait_exit(timeout=20), 0)
        self.assertEqual(self.session.stored("MainLeft"), "4500")
        self.assertIsNone(self.session.stored("MainTop"))

        self.program.start()
        self.probe.act("maximize")
        seen = self.probe.wait_for(lambda s: s["window"]["maximized"], timeout=20)
        left_px, top_px = seen["window"]["rect"][:2]
        self.probe.act("close")
        self.assertEqual(self.program.wait_exit(timeout=20), 0)
        self.assertEqual(self.session.stored("MainLeft"), str(left_px * 15))
        self.assertEqual(self.session.stored("MainTop"), str(top_px * 15))

    def test_a_stored_size_is_applied_and_never_written(self):
        self.session.store("MainWidth", "9000")
        self.session.store("MainHeight", "4500")
        seen = self.program.start()
        self.assertEqual(seen["window"]["rect"][2:], [600, 300])
        bar = self.control(seen, STATUS_BAR)["rect"]
        self.assertEqual(bar[0] + bar[2], seen["window"]["client"][2])   # spans the width
        self.assertEqual(bar[1] + bar[3], seen["window"]["client"][3])   # at the bottom
        self.probe.act("close")
        self.program.wait_exit(timeout=20)
        self.assertEqual(self.session.stored("MainWidth"), "9000")


class UnusableStoredValues(ProgramTestCase):

    def start_counting(self):
        seen = self.program.start()
        self.assertIsNotNone(seen["window"], "no window")
        return self.probe.wait_for(lambda s: re.fullmatch(r"29|2[0-8]", self.control(s, BOX)["text"]), timeout=20)

    def test_letters_an_empty_text_or_another_type_fall_back_to_the_defaults(self):
        # 3473457 is 0x00350031: as a number's bytes, the UTF-16 text "15".
        self.session.store("MainLeft", "3473457", kind="REG_DWORD")
        self.session.store("MainTop", "abc")
        self.session.store("MainHeight", "12x")
        self.session.store("MainWidth", "")
        seen = self.start_counting()
        self.assertEqual(seen["window"]["rect"], DEFAULT_RECT)
        self.probe.act("close")
        self.assertEqual(self.program.wait_exit(timeout=20), 0)
        self.assertEqual(self.session.stored("MainLeft"), "1005")  # the bad entry is overwritten
        self.assertEqual(self.session.stored("MainTop"), "1005")
        self.assertEqual(self.session.stored("MainHeight"), "12x")

    def test_a_position_on_no_monitor_is_brought_onto_the_screen(self):
        self.session.store("MainLeft", "-99999")  # -6667 px: far off, yet a place a window can have
        self.session.store("MainTop", "88888")
        seen = self.start_counting()
        left, top, width, height = seen["window"]["rect"]
        self.assertEqual([width, height], DESIGNED_SIZE)
        self.assertTrue(0 <= left and left + width <= SCREEN[0], seen["window"]["rect"])
        self.assertTrue(0 <= top and top + height <= SCREEN[1], seen["window"]["rect"])

    def test_a_size_that_is_not_positive_uses_the_default_size(self):
        self.session.store("MainWidth", "-500")
        self.session.store("MainHeight", "0")
        seen = self.start_counting()
        self.assertEqual(seen["window"]["rect"][2:], DESIGNED_SIZE)


class UnusableValues(ProgramTestCase):

    def test_huge_stored_values_start_the_window_at_the_default_place_and_size(self):
        for huge in ("1e30", "-1e30", "3e9", "3.4e38"):
            with self.subTest(stored=huge):
                for key in ("MainLeft", "MainTop", "MainWidth", "MainHeight"):
                    self.session.store(key, huge)
                seen = self.program.start()
                self.assertIsNotNone(seen["window"], "no window")
                self.assertEqual(seen["window"]["rect"], DEFAULT_RECT)
                self.program.kill()


class CaptionOnTheScreen(ProgramTestCase):

    def start_at(self, left_px, top_px):
        self.session.store("MainLeft", str(left_px * 15))
        self.session.store("MainTop", str(top_px * 15))
        seen = self.program.start()
        self.assertIsNotNone(seen["window"], "no window")
        return seen["window"]["rect"]

    def test_a_window_with_only_its_edge_on_the_screen_is_moved_wholly_onto_it(self):
        self.assertEqual(self.start_at(SCREEN[0] - 5, 100), [SCREEN[0] - 747, 100] + DESIGNED_SIZE)

    def test_a_caption_above_the_screen_is_brought_down_to_its_top_edge(self):
        self.assertEqual(self.start_at(100, -30), [100, 0] + DESIGNED_SIZE)

    def test_a_window_whose_caption_can_be_grasped_stays_where_it_was_put(self):
        self.assertEqual(self.start_at(SCREEN[0] - 200, SCREEN[1] - 200), [SCREEN[0] - 200, SCREEN[1] - 200] + DESIGNED_SIZE)

    # The frame as Windows 10 and 11 draw it, 7 pixels narrower on each side
    # than the window, its resize borders being invisible.

    def test_a_caption_graspable_only_with_the_invisible_border_comes_back_with_its_drawn_frame_on_screen(self):
        # 104 pixels of the window on the screen, only 97 of them drawn.
        self.assertEqual(self.start_at(SCREEN[0] - 104, 100), [SCREEN[0] - 740, 100] + DESIGNED_SIZE)

    def test_a_window_with_only_its_invisible_border_past_the_edge_stays_and_is_saved_where_it_was(self):
        self.assertEqual(self.start_at(-7, 100), [-7, 100] + DESIGNED_SIZE)
        self.probe.act("close")
        self.assertEqual(self.program.wait_exit(timeout=20), 0)
        self.assertEqual((self.session.stored("MainLeft"), self.session.stored("MainTop")), ("-105", "1500"))


class AtAnotherDensity(ProgramTestCase):

    def tearDown(self):
        super().tearDown()
        self.session.set_density(None)

    def move_close_and_start_again(self, x, y):
        self.probe.act("move", x, y)
        self.probe.wait_for(lambda s: s["window"]["rect"][:2] == [x, y], timeout=5)
        self.probe.act("close")
        self.assertEqual(self.program.wait_exit(timeout=20), 0)
        saved = (self.session.stored("MainLeft"), self.session.stored("MainTop"))
        seen = self.program.start()
        return saved, seen["window"]["rect"][:2]

    def test_at_144_dpi_a_saved_position_comes_back_to_the_same_pixel(self):
        self.session.set_density(144)
        self.session.store("MainLeft", "2410")
        self.session.store("MainTop", "1510")
        seen = self.program.start()
        self.assertEqual(seen["window"]["dpi"], 144)
        self.assertEqual(seen["window"]["rect"][:2], [241, 151])
        saved, shown = self.move_close_and_start_again(333, 222)
        self.assertEqual(saved, ("3330", "2220"))
        self.assertEqual(shown, [333, 222])

    def test_at_192_dpi_a_position_is_saved_as_whole_twips_and_comes_back_to_the_same_pixel(self):
        self.session.set_density(192)
        seen = self.program.start()
        self.assertEqual(seen["window"]["dpi"], 192)
        saved, shown = self.move_close_and_start_again(1001, 667)  # 7507.5 and 5002.5 twips
        self.assertEqual(saved, ("7508", "5003"))
        self.assertEqual(shown, [1001, 667])
