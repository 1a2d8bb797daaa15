"""The window's elements, by the names the program gives them, and what a
test asks of them in a look (as the probe's state gives it)."""

TITLE = "KESTRANE_TITLE"
VERSION = "KESTRANE_VERSION"
CREATOR = "KESTRANE_CREATOR"
FREEWARE = "KESTRANE_FREEWARE"
MESSAGE = "KESTRANE_COUNTDOWN_MESSAGE"
BOX = "KESTRANE_COUNTDOWN_TEXTBOX"
MARKS = ("KESTRANE_EX_POINT_TEXTBOX_LEFT", "KESTRANE_EX_POINT_TEXTBOX_RIGHT")
BUTTON = "KESTRANE_ABORT_BUTTON"
STATUS_BAR = "sbStatusBar"

# The window's size as designed, in pixels at 96 dpi.
DESIGNED_SIZE = [747, 398]


def box(seen):
    return seen["by_name"][BOX]["text"]


def message(seen):
    return seen["by_name"][MESSAGE]["text"]


def counting(seen):
    """the countdown box showing two digits"""
    return len(box(seen)) == 2 and box(seen).isdigit()


def paused(seen):
    """the countdown paused"""
    return not seen["by_name"][BUTTON]["enabled"] and message(seen) == "COUNTDOWN PAUSED..."


def resumed(seen):
    """the countdown resuming"""
    return seen["by_name"][BUTTON]["enabled"] and message(seen) == "COUNTDOWN RESUMING..."
