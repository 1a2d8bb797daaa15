"""A click is a press and a release on the same element: presses and
releases on different places, dragged between them with the real mouse,
never resume a paused countdown."""

from elements import BOX, BUTTON, MESSAGE, box, message, paused
from harness import ProgramTestCase


class PressAndRelease(ProgramTestCase):

    def drag(self, start, end):
        self.session.move_pointer(*start)
        self.session.xdotool("mousedown", 1)
        self.session.move_pointer(*end)
        self.session.xdotool("mouseup", 1)

    def test_a_press_and_a_release_on_different_places_never_resume(self):
        seen = self.program.start()
        self.drag(self.screen_point(seen, BUTTON), self.screen_point(seen, BUTTON))
        frozen = box(self.probe.wait_for(paused, timeout=5))

        message_point = self.screen_point(seen, MESSAGE)
        box_point = self.screen_point(seen, BOX)
        origin = seen["window"]["client"]
        background = (origin[0] + 360, origin[1] + 202)  # the gap above the second line
        # No two presses in a row on one place, which would be a double-click.
        for start, end in ((message_point, background), (background, message_point), (box_point, background),
                           (message_point, box_point), (background, box_point), (box_point, message_point)):
            self.drag(start, end)
            seen = self.probe.watch_for(lambda s: not paused(s), timeout=1.5)
            self.assertTrue(paused(seen), "resumed by a press at %s and a release at %s" % (start, end))
        self.assertEqual(box(seen), frozen)

        # A press and release on the message itself is a click, and resumes.
        self.drag(message_point, message_point)
        self.probe.wait_for(lambda s: message(s) == "COUNTDOWN RESUMING...", timeout=5)
