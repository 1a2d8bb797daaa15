"""A click is a press and a release on the same element: presses and
releases on different places, dragged between them with the real mouse,
never resume a paused countdown."""

import unittest

from harness import ProgramTestCase

BOX = "KESTRANE_COUNTDOWN_TEXTBOX"
MESSAGE = "KESTRANE_COUNTDOWN_MESSAGE"
BUTTON = "KESTRANE_ABORT_BUTTON"


def paused(seen):
    return not seen["by_name"][BUTTON]["enabled"] and seen["by_name"][MESSAGE]["text"] == "COUNTDOWN PAUSED..."


class PressAndRelease(ProgramTestCase):

    def drag(self, start, end):
        self.session.move_pointer(*start)
        self.session.xdotool("mousedown", 1)
        self.session.move_pointer(*end)
        self.session.xdotool("mouseup", 1)

    def test_a_press_and_a_release_on_different_places_never_resume(self):
        seen = self.session.start()
        self.drag(self.screen_point(seen, BUTTON), self.screen_point(seen, BUTTON))
        seen = self.session.wait_for(paused, timeout=5)
        self.assertTrue(paused(seen), "the abort button did not pause")
        frozen = seen["by_name"][BOX]["text"]

        message = self.screen_point(seen, MESSAGE)
        box = self.screen_point(seen, BOX)
        origin = seen["window"]["client"]
        background = (origin[0] + 360, origin[1] + 202)  # the gap above the second line
        # No two presses in a row on one place, which would be a double-click.
        for start, end in ((message, background), (background, message), (box, background),
                           (message, box), (background, box), (box, message)):
            self.drag(start, end)
            seen = self.session.wait_for(lambda s: not paused(s), timeout=1.5)
            self.assertTrue(paused(seen), "resumed by a press at %s and a release at %s" % (start, end))
        self.assertEqual(seen["by_name"][BOX]["text"], frozen)

        # A press and release on the message itself is a click, and resumes.
        self.drag(message, message)
        seen = self.session.wait_for(lambda s: s["by_name"][MESSAGE]["text"] == "COUNTDOWN RESUMING...",
                                     timeout=5)
        self.assertEqual(seen["by_name"][MESSAGE]["text"], "COUNTDOWN RESUMING...")


if __name__ == "__main__":
    unittest.main()
