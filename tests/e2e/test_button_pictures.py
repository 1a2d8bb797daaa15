"""The abort button's pictures on screen: at 96 dpi each face shows the
stored picture pixel for pixel, centred on the button's ground and clipped
to the button; at 144 dpi it shows the picture half as large again. In
high contrast the face is the button's caption in words, in the user's
colours, and so are the boxes; turned off again, the pictures come back.

The expected faces are built here from the pictures stored in the
executable, decoded by ImageMagick, never from the program's own drawing."""

import subprocess
import time

from elements import BOX, BUTTON, MESSAGE, counting
from harness import ProgramTestCase
from probe import summary
from program import EXE
from test_resources import IDR_PAUSED_PICTURE, IDR_RUNNING_PICTURE, RT_RCDATA, load_pe, resources_of

GREEN, BLACK = (0, 255, 0), (0, 0, 0)
# A high-contrast scheme, each colour unlike the designed ones and unlike
# the others, so that a colour on the screen says which one was used:
# system colour indices (as GetSysColor numbers them) and their colours.
WINDOW, WINDOW_TEXT, HIGHLIGHT, HIGHLIGHT_TEXT = (0, 0, 128), (255, 255, 255), (255, 255, 0), (128, 0, 0)
BUTTON_FACE, GRAY_TEXT, BUTTON_TEXT = (128, 0, 128), (255, 128, 0), (0, 255, 255)
HIGH_CONTRAST_SCHEME = {5: WINDOW, 8: WINDOW_TEXT, 13: HIGHLIGHT, 14: HIGHLIGHT_TEXT, 15: BUTTON_FACE,
                        17: GRAY_TEXT, 18: BUTTON_TEXT}
# The text colour that goes with each ground.
HIGH_CONTRAST_INK = {WINDOW: WINDOW_TEXT, HIGHLIGHT: HIGHLIGHT_TEXT}
CONVERT = "/usr/bin/convert"
# The focus rectangle is drawn 3 pixels inside the button's edge.
FOCUS_INSET = 3


def stored_picture(resource_id):
    pe = load_pe(EXE)
    return resources_of(pe)[RT_RCDATA][resource_id][0]


def rgb_pixels(args, stdin=None):
    """Raw 8-bit RGB from ImageMagick, for the arguments before the output."""
    return subprocess.run([CONVERT] + args + ["-depth", "8", "rgb:-"], input=stdin, stdout=subprocess.PIPE,
                          check=True, timeout=60).stdout


def expected_face(picture, size, ground, face_width, face_height):
    """The button face: ground colour with the picture (already at size) centred on it
    and clipped; a negative offset clips, as integer halves rounding towards zero."""
    width, height = size
    dx = int((face_width - width) / 2)
    dy = int((face_height - height) / 2)
    face = [ground] * (face_width * face_height)
    for y in range(face_height):
        for x in range(face_width):
            px, py = x - dx, y - dy
            if 0 <= px < width and 0 <= py < height:
                i = 3 * (py * width + px)
                face[y * face_width + x] = tuple(picture[i:i + 3])
    return face


def on_focus_ring(x, y, width, height):
    return x in (FOCUS_INSET, width - 1 - FOCUS_INSET) or y in (FOCUS_INSET, height - 1 - FOCUS_INSET)


def ink_box(face, width, colour):
    """(left, top, right, bottom) of the face's pixels of that colour, or None."""
    points = [(i % width, i // width) for i, pixel in enumerate(face) if pixel == colour]
    if not points:
        return None
    xs, ys = [x for x, _ in points], [y for _, y in points]
    return min(xs), min(ys), max(xs), max(ys)


class ButtonPictures(ProgramTestCase):

    def face_on_screen(self, seen):
        rect = self.screen_rect(seen, BUTTON)
        return self.session.screenshot().rgb(rect), rect[2], rect[3]

    def pause(self, seen):
        self.click(seen, BUTTON)
        seen = self.probe.wait_for(lambda s: not self.control(s, BUTTON)["enabled"], timeout=10)
        time.sleep(0.5)  # the disabled face is drawn after the state changes
        return seen

    def assert_face(self, seen, resource_id, ground, scale):
        picture_size = (int(300 * scale), int(150 * scale))
        picture = rgb_pixels(["png:-"] + ([] if scale == 1 else
                                          ["-filter", "Triangle", "-resize", "%dx%d!" % picture_size]),
                             stdin=stored_picture(resource_id))
        self.assertEqual(len(picture), 3 * picture_size[0] * picture_size[1])
        screen, width, height = self.face_on_screen(seen)
        expected = expected_face(picture, picture_size, ground, width, height)
        compared = [(s, e) for i, (s, e) in enumerate(zip(screen, expected))
                    if not on_focus_ring(i % width, i // width, width, height)]
        if scale == 1:
            wrong = [i for i, (s, e) in enumerate(compared) if s != e]
            self.assertEqual(len(wrong), 0, "%d pixels differ from the stored picture" % len(wrong))
        else:
            # The platform scales smoothly with its own filter: close, not equal.
            difference = sum(abs(a - b) for s, e in compared for a, b in zip(s, e)) / (3 * len(compared))
            self.assertLess(difference, 5.0, "the face is not the picture scaled by 1.5")

    def until_face(self, seen, predicate, timeout=15.0):
        """Screenshots until the button's face meets the predicate; the last face seen."""
        deadline = time.monotonic() + timeout
        while True:
            face, width, height = self.face_on_screen(seen)
            if predicate(face, width, height) or time.monotonic() > deadline:
                return face, width, height

    def assert_ground(self, seen, name, *expected, ink=None, timeout=15.0):
        """Screenshots until the colour just inside the named control's
        top-left corner, clear of text and border, is one of those expected;
        with ink ({ground: text colour}), until its text is also written in
        the colour that goes with the ground it is on."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.session.screenshot()
            ground = shot.pixel(*self.screen_point(seen, name, dx=6, dy=6))
            text = ink.get(ground) if ink else None
            inked = shot.colours(self.screen_rect(seen, name, inset=4))[text] if text else 0
            if (ground in expected and (not ink or inked >= 20)) or time.monotonic() > deadline:
                self.assertIn(ground, expected, name)
                if ink:
                    self.assertGreaterEqual(inked, 20, "%s is not written in %r on %r" % (name, text, ground))
                return

    def assert_counting(self):
        seen = self.probe.state()
        self.assertTrue(counting(seen), "the countdown is not running: %s" % summary(seen))

    def test_in_high_contrast_the_boxes_take_the_system_colours_and_the_button_shows_its_caption(self):
        # The user's scheme is in place before the program starts (Wine
        # reads the system colours once in each process), with high
        # contrast off: the designed look. Then high contrast alone is
        # turned on, so that only the setting's change can redraw.
        saved = self.probe.system_colours()
        self.addCleanup(self.probe.system_colours, {index: saved[index] for index in HIGH_CONTRAST_SCHEME})
        self.probe.system_colours(HIGH_CONTRAST_SCHEME)
        seen = self.program.start()
        # Switched while the countdown runs, which it must go on doing; on a
        # busy machine the first tick may come some seconds after the start.
        self.probe.wait_for(counting, timeout=20)
        self.probe.stand_in_for_high_contrast()
        self.assert_face(seen, IDR_RUNNING_PICTURE, GREEN, 1)
        self.probe.high_contrast(True)

        def caption_face(face, width, height):
            ink = ink_box(face, width, BUTTON_TEXT)
            return ink is not None and face.count(BUTTON_FACE) > len(face) // 2 and ink[2] - ink[0] >= 100
        face, width, height = self.until_face(seen, caption_face)
        ground = [p for i, p in enumerate(face) if not on_focus_ring(i % width, i // width, width, height)]
        self.assertGreater(ground.count(BUTTON_FACE), len(ground) // 2, "the face is not the system's button face")
        self.assertNotIn(GREEN, ground, "the picture still shows")
        ink = ink_box(face, width, BUTTON_TEXT)
        self.assertIsNotNone(ink, "no caption in the system's button text colour")
        left, top, right, bottom = ink
        self.assertGreaterEqual(right - left, 100, "the caption is not written out: %r" % (ink,))
        self.assertLessEqual(abs((left + right) / 2 - (width - 1) / 2), 3, "the caption is not centred: %r" % (ink,))
        self.assertLessEqual(abs((top + bottom) / 2 - (height - 1) / 2), 8, "the caption is not centred: %r" % (ink,))
        self.assert_ground(seen, BOX, WINDOW, ink=HIGH_CONTRAST_INK)
        self.assert_ground(seen, MESSAGE, WINDOW, HIGHLIGHT, ink=HIGH_CONTRAST_INK)
        self.assert_counting()

        # Paused: the caption dimmed, the box in the highlight; a click on the box continues.
        seen = self.pause(seen)
        face, width, height = self.until_face(seen, lambda face, width, height: GRAY_TEXT in face)
        self.assertIsNotNone(ink_box(face, width, GRAY_TEXT), "no dimmed caption while paused")
        self.assertNotIn(BUTTON_TEXT, face)
        self.assert_ground(seen, BOX, HIGHLIGHT, ink=HIGH_CONTRAST_INK)
        self.assert_ground(seen, MESSAGE, HIGHLIGHT, ink=HIGH_CONTRAST_INK)
        self.click(seen, BOX)
        seen = self.probe.wait_for(lambda s: s["by_name"][BUTTON]["enabled"])

        # Off again, with the scheme still in place: the designed look.
        self.probe.high_contrast(False)
        self.until_face(seen, lambda face, width, height: face.count(GREEN) > len(face) // 4)
        self.assert_face(seen, IDR_RUNNING_PICTURE, GREEN, 1)
        self.assert_ground(seen, BOX, BLACK)
        self.assert_ground(seen, MESSAGE, GREEN, BLACK)
        self.assert_counting()

    def test_at_96_dpi_each_face_is_the_stored_picture_on_its_ground(self):
        seen = self.program.start()
        self.assert_face(seen, IDR_RUNNING_PICTURE, GREEN, 1)
        seen = self.pause(seen)
        self.assert_face(seen, IDR_PAUSED_PICTURE, BLACK, 1)

    def test_at_144_dpi_each_face_is_the_stored_picture_half_as_large_again(self):
        self.session.set_density(144)
        try:
            seen = self.program.start()
            self.assertEqual(seen["window"]["dpi"], 144)
            self.assert_face(seen, IDR_RUNNING_PICTURE, GREEN, 1.5)
            seen = self.pause(seen)
            self.assert_face(seen, IDR_PAUSED_PICTURE, BLACK, 1.5)
        finally:
            self.program.kill()
            self.session.set_density(None)

