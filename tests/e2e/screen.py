"""The screen as the user sees it: one screenshot of the whole private
display, read in place for as many looks as a check needs."""

from collections import Counter

from PIL import ImageGrab

# Ink as the tests tell it apart: each channel's share of full intensity.
def red_ink(r, g, b):
    return r > 0.6 * 255 and g < 0.3 * 255 and b < 0.3 * 255


def black_ink(r, g, b):
    return r < 0.3 * 255 and g < 0.3 * 255 and b < 0.3 * 255


class Screenshot:

    def __init__(self, display):
        image = ImageGrab.grab(xdisplay=display).convert("RGB")
        if image.size[0] <= 0 or image.size[1] <= 0:
            raise AssertionError("the screen of %s could not be read" % display)
        self.image = image
        self.pixels = image.load()

    def pixel(self, x, y):
        """The colour at screen point (x, y) as (r, g, b)."""
        return self.pixels[x, y]

    def rgb(self, rect):
        """The colours in rect (left, top, width, height), row by row."""
        left, top, width, height = rect
        if left < 0 or top < 0 or width <= 0 or height <= 0 or left + width > self.image.size[0] or \
                top + height > self.image.size[1]:
            raise AssertionError("%r is not wholly on the screen, which cannot be read there" % (rect,))
        return list(self.image.crop((left, top, left + width, top + height)).getdata())

    def colours(self, rect):
        """How many pixels of each colour there are in rect."""
        return Counter(self.rgb(rect))

    def points(self, rect, ink):
        """(x, y) within rect of every pixel whose colour the ink test holds for."""
        width = rect[2]
        return [(i % width, i // width) for i, colour in enumerate(self.rgb(rect)) if ink(*colour)]

    def extent(self, rect, ink):
        """(width, height) of the smallest box around every pixel in rect
        that is ink; (0, 0) when none is."""
        points = self.points(rect, ink)
        if not points:
            return 0, 0
        xs, ys = [x for x, _ in points], [y for _, y in points]
        return max(xs) - min(xs) + 1, max(ys) - min(ys) + 1
