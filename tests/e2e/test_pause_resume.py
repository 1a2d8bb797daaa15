"""Pause and resume with real mouse and keyboard input, and the flashing
message band seen on screen."""

import time
import unittest

from harness import ProgramTestCase

BOX = "KESTRANE_COUNTDOWN_TEXTBOX"
MESSAGE = "KESTRANE_COUNTDOWN_MESSAGE"
BUTTON = "KESTRANE_ABORT_BUTTON"
GREEN, BLACK, RED = (0, 255, 0), (0, 0, 0), (255, 0, 0)


def box(seen):
    return seen["by_name"][BOX]["text"]


def message(seen):
    return seen["by_name"][MESSAGE]["text"]


def paused(seen):
    return not seen["by_name"][BUTTON]["enabled"] and message(seen) == "COUNTDOWN PAUSED..."


class PauseAndResume(ProgramTestCase):

    def click(self, seen, name, times=1):
        x, y = self.screen_point(seen, name)
        self.session.xdotool("mousemove", "--sync", x, y)
        if times == 1:
            self.session.xdotool("click", 1)
        else:
            self.session.xdotool("click", "--repeat", times, "--delay", 120, 1)

    def key(self, name):
        self.session.xdotool("key", name)

    def until(self, predicate, timeout=5.0):
        seen = self.session.wait_for(predicate, timeout=timeout, interval=0.1)
        self.assertTrue(predicate(seen), seen.get("controls"))
        return seen

    def test_the_button_pauses_a_click_on_the_box_continues_and_a_double_click_restarts(self):
        seen = self.session.start()
        seen = self.until(lambda s: box(s) == "27", timeout=8)
        self.click(seen, BUTTON)
        seen = self.until(paused)
        frozen = box(seen)
        self.assertIn(frozen, ("27", "26"))
        self.assertFalse(seen["by_name"][BUTTON]["focused"])  # a disabled button gives up the focus

        time.sleep(2.5)
        self.click(seen, BUTTON)  # disabled: nothing happens
        time.sleep(1.5)
        seen = self.session.state()
        self.assertTrue(paused(seen))
        self.assertEqual(box(seen), frozen)

        self.click(seen, BOX)
        seen = self.until(lambda s: message(s) == "COUNTDOWN RESUMING...", timeout=3)
        self.assertTrue(seen["by_name"][BUTTON]["enabled"])
        seen = self.until(lambda s: box(s) == "%02d" % (int(frozen) - 1), timeout=3)

        self.click(seen, BOX, times=2)
        self.until(lambda s: box(s) == "30", timeout=3)

    def test_space_on_the_button_and_enter_and_escape_in_the_countdown_box_pause(self):
        seen = self.session.start()
        x, y = self.screen_point(seen, "KESTRANE_TITLE")
        self.session.xdotool("mousemove", "--sync", x, y)  # keys go where the pointer is
        self.key("space")  # the button holds the focus at start
        seen = self.until(paused)
        self.click(seen, MESSAGE)
        seen = self.until(lambda s: not paused(s))

        self.click(seen, BOX)  # a continue while counting: harmless, and the box takes the focus
        seen = self.until(lambda s: s["by_name"][BOX]["focused"])
        self.key("Return")
        seen = self.until(paused)
        self.assertRegex(box(seen), r"^(\d\d|--\r\n)$")  # Enter never reached the box

        self.click(seen, MESSAGE)
        seen = self.until(lambda s: not paused(s) and message(s) == "COUNTDOWN RESUMING...")
        self.until(lambda s: box(s).isdigit())
        self.click(seen, BOX)
        self.until(lambda s: s["by_name"][BOX]["focused"])
        self.key("Escape")
        seen = self.until(paused)
        self.assertIsNotNone(seen["window"], "Esc must not close the window")
        self.assertRegex(box(seen), r"^\d\d$")

    def test_the_message_band_flashes_green_and_black_and_turns_red_when_paused(self):
        seen = self.session.start()
        x, y = self.screen_point(seen, MESSAGE, dx=6, dy=6)  # the ground, clear of the text
        bx, by = self.screen_point(seen, BUTTON, dx=10, dy=10)  # the button's ground, beside its picture
        grounds = []
        for _ in range(9):
            shot = self.session.screenshot()
            grounds.append(self.session.pixel(x, y, shot))
            if len(grounds) == 1:
                self.assertEqual(self.session.pixel(bx, by, shot), GREEN)
            time.sleep(0.5)
        self.assertGreaterEqual(grounds.count(GREEN), 2, grounds)
        self.assertGreaterEqual(grounds.count(BLACK), 2, grounds)
        changes = sum(1 for a, b in zip(grounds, grounds[1:]) if a != b)
        self.assertGreaterEqual(changes, 3, grounds)  # alternating, not one switch

        self.click(seen, BUTTON)
        self.until(paused)
        shot = self.session.screenshot()
        self.assertEqual(self.session.pixel(x, y, shot), RED)
        self.assertEqual(self.session.pixel(bx, by, shot), BLACK)


if __name__ == "__main__":
    unittest.main()
