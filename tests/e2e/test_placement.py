"""Where the window comes up and what position it leaves behind: stored
values beyond what a window can have, windows with too little of their
caption on the screen, and positions saved at 144 and 192 dpi."""

import unittest

from harness import SCREEN, ProgramTestCase

DEFAULT_RECT = [67, 67, 747, 398]  # 1000 twips from the top-left, the designed size


class UnusableValues(ProgramTestCase):

    def test_huge_stored_values_start_the_window_at_the_default_place_and_size(self):
        for huge in ("1e30", "-1e30", "3e9", "3.4e38"):
            with self.subTest(stored=huge):
                for key in ("MainLeft", "MainTop", "MainWidth", "MainHeight"):
                    self.session.store(key, huge)
                seen = self.session.start()
                self.assertIsNotNone(seen["window"], "no window")
                self.assertEqual(seen["window"]["rect"], DEFAULT_RECT)
                self.session.kill_program()


class CaptionOnTheScreen(ProgramTestCase):

    def start_at(self, left_px, top_px):
        self.session.store("MainLeft", str(left_px * 15))
        self.session.store("MainTop", str(top_px * 15))
        seen = self.session.start()
        self.assertIsNotNone(seen["window"], "no window")
        return seen["window"]["rect"]

    def test_a_window_with_only_its_edge_on_the_screen_is_moved_wholly_onto_it(self):
        self.assertEqual(self.start_at(SCREEN[0] - 5, 100), [SCREEN[0] - 747, 100, 747, 398])

    def test_a_caption_above_the_screen_is_brought_down_to_its_top_edge(self):
        self.assertEqual(self.start_at(100, -30), [100, 0, 747, 398])

    def test_a_window_whose_caption_can_be_grasped_stays_where_it_was_put(self):
        self.assertEqual(self.start_at(SCREEN[0] - 200, SCREEN[1] - 200), [SCREEN[0] - 200, SCREEN[1] - 200, 747, 398])

    # The frame as Windows 10 and 11 draw it, 7 pixels narrower on each side
    # than the window, its resize borders being invisible.

    def test_a_caption_graspable_only_with_the_invisible_border_comes_back_with_its_drawn_frame_on_screen(self):
        # 104 pixels of the window on the screen, only 97 of them drawn.
        self.assertEqual(self.start_at(SCREEN[0] - 104, 100), [SCREEN[0] - 740, 100, 747, 398])

    def test_a_window_with_only_its_invisible_border_past_the_edge_stays_and_is_saved_where_it_was(self):
        self.assertEqual(self.start_at(-7, 100), [-7, 100, 747, 398])
        self.session.probe("close")
        self.assertEqual(self.session.wait_exit(timeout=20), 0)
        self.assertEqual((self.session.stored("MainLeft"), self.session.stored("MainTop")), ("-105", "1500"))


class AtAnotherDensity(ProgramTestCase):

    def tearDown(self):
        super().tearDown()
        self.session.set_density(None)

    def move_close_and_start_again(self, x, y):
        self.session.probe("move", str(x), str(y))
        seen = self.session.wait_for(lambda s: s["window"]["rect"][:2] == [x, y], timeout=5)
        self.assertEqual(seen["window"]["rect"][:2], [x, y])
        self.session.probe("close")
        self.assertEqual(self.session.wait_exit(timeout=20), 0)
        saved = (self.session.stored("MainLeft"), self.session.stored("MainTop"))
        seen = self.session.start()
        return saved, seen["window"]["rect"][:2]

    def test_at_144_dpi_a_saved_position_comes_back_to_the_same_pixel(self):
        self.session.set_density(144)
        self.session.store("MainLeft", "2410")
        self.session.store("MainTop", "1510")
        seen = self.session.start()
        self.assertEqual(seen["window"]["dpi"], 144)
        self.assertEqual(seen["window"]["rect"][:2], [241, 151])
        saved, shown = self.move_close_and_start_again(333, 222)
        self.assertEqual(saved, ("3330", "2220"))
        self.assertEqual(shown, [333, 222])

    def test_at_192_dpi_a_position_is_saved_as_whole_twips_and_comes_back_to_the_same_pixel(self):
        self.session.set_density(192)
        seen = self.session.start()
        self.assertEqual(seen["window"]["dpi"], 192)
        saved, shown = self.move_close_and_start_again(1001, 667)  # 7507.5 and 5002.5 twips
        self.assertEqual(saved, ("7508", "5003"))
        self.assertEqual(shown, [1001, 667])


if __name__ == "__main__":
    unittest.main()
