"""The window as keyboard-only and screen-reader users meet it: an outside
accessibility client reads names, roles and values and listens for
live-region events, while real keys pause, continue and restart."""

import json
import re
import time

import pytest

from elements import BOX, BUTTON, MARKS, MESSAGE, TITLE, box, counting, paused, resumed
from harness import ProgramTestCase

ROLE_SYSTEM_TEXT = 42
STATE_SYSTEM_READONLY = 0x40
BLACK, RED, WHITE = (0, 0, 0), (255, 0, 0), (255, 255, 255)


class ScreenReaderAndKeyboard(ProgramTestCase):

    def setUp(self):
        super().setUp()
        self.listener = None

    def tearDown(self):
        super().tearDown()
        if self.listener:
            self.listener.close()

    # The probe's WinEvent hook, as a screen reader listens -----------------

    def heard(self, kind):
        return [e for e in self.listener.heard() if e.get("event") == kind]

    def announcements(self):
        """The texts spoken through live regions, with the probe's times."""
        return [e for e in self.heard("live") if e["accName"] is not None]

    def announced(self, pattern, since, timeout=5.0):
        """The first announcement that arrived after since (monotonic) and matches pattern, or None."""
        return self.listener.first_since(lambda e: e.get("event") == "live" and re.search(pattern, e["accName"] or ""),
                                         since, timeout)

    # What the user does -----------------------------------------------------

    def start(self, listen_ms=60000):
        self.listener = self.probe.stream("events", listen_ms)
        seen = self.program.start()
        self.point_to(seen, TITLE)
        return seen

    def key(self, *names):
        """Presses the keys in turn; returns the moment just before the last one was sent."""
        sent = None
        for name in names:
            sent = time.monotonic()
            self.session.xdotool("key", name)
            time.sleep(0.4)  # a menu takes a moment to open
        return sent

    def until(self, predicate, timeout=5.0):
        return self.probe.wait_for(predicate, timeout=timeout, interval=0.1)

    def watch_box(self):
        """One probe that watches the box from now on: a value that shows for
        a second is seen even when a probe started for each look would take
        longer than that on a busy machine."""
        return self.probe.stream("watch", 10000)

    def assert_next_shown(self, watcher, frozen, expected):
        """The first digits the box shows after `frozen`, as watched since
        before the keys were sent, are `expected`."""
        changes = watcher.until(lambda c: c.get("box") not in (None, frozen), timeout=8)
        watcher.close()
        self.assertEqual(changes[-1]["box"], expected)

    def assert_announced(self, pattern, since):
        event = self.announced(pattern, since)
        self.assertIsNotNone(event, "no announcement like %r; heard %r" % (pattern, self.announcements()))
        self.assertLessEqual(event["arrived"] - since, 1.0, event)
        return event

    def accessible(self):
        controls = self.probe.json("accessible")["controls"]
        return {c["name"]: c for c in controls if c["name"] != "?"}, controls

    def colours_in(self, seen, name, shot):
        """The colours inside the named control, clear of its sunken edge."""
        found = shot.colours(self.screen_rect(seen, name, inset=4))
        self.assertTrue(found, "no pixels read for %s" % name)
        return found

    # The tests -------------------------------------------------------------

    def test_an_accessibility_client_reads_what_each_control_is(self):
        self.start()
        self.accessible()  # most often while the box still shows "--"
        seen = self.until(counting, timeout=8)
        by_name, everything = self.accessible()
        counted = by_name[BOX]
        self.assertRegex(counted["accName"], r"(?i)second")
        self.assertEqual(counted["role"], ROLE_SYSTEM_TEXT)
        self.assertRegex(counted["accValue"], r"^\d\d$")
        self.assertTrue(counted["state"] & STATE_SYSTEM_READONLY, counted)

        for mark in MARKS:
            named = by_name[mark]
            texts_of_others = {c["text"] for c in seen["controls"] if c["name"] not in ("?", mark)}
            self.assertIsNotNone(named["accName"], mark)
            self.assertNotIn(named["accName"], texts_of_others, mark)
            self.assertRegex(named["accName"], r"(?i)decoration")
            self.assertTrue(named["state"] & STATE_SYSTEM_READONLY, named)
        self.assertNotEqual(by_name[MARKS[0]]["accName"], by_name[MARKS[1]]["accName"])

        self.assertEqual(by_name[MESSAGE]["accName"], "COUNTDOWN STARTED")
        self.assertEqual(by_name[BUTTON]["accName"], "Pause countdown")
        # The labels that name the boxes are never on the screen.
        _, everything = self.accessible()
        labels = [c for c in everything if c["name"] == "?" and c["accName"] in
                  {counted["accName"], by_name[MARKS[0]]["accName"], by_name[MARKS[1]]["accName"]}]
        self.assertEqual(len(labels), 3, labels)
        self.assertTrue(all(not c["visible"] for c in labels), labels)

        self.key("Return")
        by_name, _ = self.accessible()
        self.assertEqual(by_name[BUTTON]["accName"], "Countdown paused")

        # The box's annotated value follows its text: "--" without the line
        # break while it shows "--", and none once digits show.
        calls = self.program.annotations()
        named = [c["window"] for c in calls if c["call"] == "SetHwndPropStr" and c["value"] == "Seconds left"]
        self.assertTrue(named, calls)
        box_window = named[0]
        described = False
        for call in (c for c in calls if c["window"] == box_window and "Value" in c["properties"]):
            if call["call"] == "SetHwndPropStr":
                self.assertEqual((call["value"], call["text"]), ("--", "--\r\n"), calls)
                described = True
            else:
                self.assertTrue(described, calls)
                self.assertRegex(call["text"], r"^\d\d$")
                described = False
        self.assertFalse(described, "the value stayed \"--\" after the first tick")

    def test_typing_into_the_boxes_changes_nothing_and_their_colours_stay_as_designed(self):
        seen = self.start()
        seen = self.until(counting, timeout=8)
        shot = self.session.screenshot()
        running = self.colours_in(seen, BOX, shot)
        self.assertEqual(max(running, key=running.get), BLACK)   # the ground
        self.assertIn(RED, running)                               # the digits
        for name in (BOX,) + MARKS:  # framed as an editable box is: white inside the sunken edge
            self.assertEqual(shot.pixel(*self.screen_point(seen, name, dx=1, dy=1)), WHITE, name)

        for name in (BOX,) + MARKS:  # Tab walks from the button through the three boxes
            self.key("Tab")
            self.until(lambda s, name=name: s["by_name"][name]["focused"])
            self.key("x", "BackSpace", "Delete", "ctrl+x", "ctrl+z")
        self.key("Tab")  # back to the button, so that no box shows its text selected
        seen = self.until(lambda s: s["by_name"][BUTTON]["focused"])
        self.assertRegex(box(seen), r"^\d\d$")
        for mark in MARKS:
            self.assertEqual(seen["by_name"][mark]["text"], "!")

        self.key("Return")
        seen = self.until(paused)
        shot = self.session.screenshot()
        frozen = self.colours_in(seen, BOX, shot)
        self.assertEqual(max(frozen, key=frozen.get), RED)  # black digits on red
        self.assertIn(BLACK, frozen)
        for mark in MARKS:
            look = self.colours_in(seen, mark, shot)
            self.assertEqual(max(look, key=look.get), RED, mark)
            self.assertIn(BLACK, look, mark)

    def pause_by_enter(self):
        """Pauses with Return; the two digits the box froze at."""
        self.key("Return")
        return box(self.until(paused))

    def resume_by_keys(self, frozen, keys, restart):
        """Resumes with keys alone and checks what was said and shown next."""
        watcher = self.watch_box()
        at = self.key(*keys)
        self.until(resumed, timeout=3)
        if restart:
            self.assert_announced(r"^Countdown restarted from 31 seconds", at)
            self.assert_next_shown(watcher, frozen, "30")
        else:
            self.assert_announced(r"^Countdown continues from %d seconds" % int(frozen), at)
            self.assert_next_shown(watcher, frozen, "%02d" % (int(frozen) - 1))  # the time was kept

    @pytest.mark.whole_countdown
    def test_keyboard_alone_pauses_continues_and_restarts_and_each_is_announced(self):
        self.start()
        started = self.announced(r"KESTRANE\.BAT.*administrator", 0)
        self.assertIsNotNone(started, self.listener.heard())
        shown = self.heard("shown")
        self.assertTrue(shown, self.listener.heard())
        self.assertLessEqual(started["t"] - shown[0]["t"], 1000)
        # The region was an assertive live region before its first event: it
        # still said nothing when it was marked.
        marked = [c for c in self.program.annotations() if c["properties"] == ["LiveSetting"]]
        self.assertTrue(marked, self.program.annotations())
        self.assertEqual((marked[0]["call"], marked[0]["type"], marked[0]["value"], marked[0]["text"]),
                         ("SetHwndProp", 3, 2, ""))

        self.until(counting, timeout=8)
        at = self.key("Return")
        seen = self.until(paused)
        frozen = box(seen)
        self.assert_announced(r"^Countdown paused at %d seconds" % int(frozen), at)

        # Hammering Enter, Esc and Space never resumes.
        self.key("Return", "Return", "Escape", "space")
        time.sleep(1.5)
        seen = self.probe.state()
        self.assertTrue(paused(seen))
        self.assertEqual(box(seen), frozen)

        # Continue keeps the time left; restart starts from 31 seconds. Each
        # works from the box's own menu and from the window menu.
        self.resume_by_keys(frozen, ("shift+F10", "c"), restart=False)
        self.resume_by_keys(self.pause_by_enter(), ("shift+F10", "r"), restart=True)
        self.resume_by_keys(self.pause_by_enter(), ("alt+space", "o"), restart=False)
        self.resume_by_keys(self.pause_by_enter(), ("alt+space", "3"), restart=True)

        self.key("Return")
        seen = self.until(paused)
        # A menu asked for from the keyboard opens beside the box that has the
        # focus, also when the system packs the coordinates -1 and -1 into 32 bits.
        self.probe.act("keyboardmenu")
        menu = self.probe.json("popupmenu", 5000)
        self.assertIsNotNone(menu, "no menu opened")
        centre = self.screen_point(seen, BOX)
        self.assertLessEqual(abs(menu[0] - centre[0]) + abs(menu[1] - centre[1]), 2, (menu, centre))
        self.key("Escape")  # Esc leaves it paused
        time.sleep(1.2)
        self.assertTrue(paused(self.probe.state()))
        self.key("Menu", "c")
        self.until(resumed, timeout=3)

    def test_right_click_on_the_message_or_the_box_offers_continue_and_restart(self):
        self.start()
        self.until(lambda s: counting(s) and int(box(s)) <= 29, timeout=8)
        for name, choice in ((MESSAGE, "c"), (BOX, "r")):
            self.key("Return")
            seen = self.until(paused)
            frozen = box(seen)
            x, y = self.screen_point(seen, name)
            self.session.move_pointer(x, y)
            watcher = self.watch_box()
            self.session.xdotool("click", 3)
            time.sleep(0.4)
            self.key(choice)
            self.until(resumed, timeout=3)
            self.assert_next_shown(watcher, frozen, "%02d" % (int(frozen) - 1) if choice == "c" else "30")

    def box_while_hidden(self, predicate, timeout):
        """The countdown box's text once the predicate holds for it, read also while the window is hidden."""
        deadline = time.monotonic() + timeout
        while True:
            text = json.loads(self.probe("box") or "null")
            if (text is not None and predicate(text)) or time.monotonic() > deadline:
                return text
            time.sleep(0.2)

    @pytest.mark.whole_countdown
    def test_an_uninterrupted_countdown_announces_its_start_and_only_the_last_seconds(self):
        self.start(listen_ms=60000)
        # Hidden through the tick that leaves 10 seconds, then shown again in
        # a way that sends the window no show message: what waited is said.
        self.assertEqual(self.box_while_hidden(lambda text: text == "12", timeout=40), "12")
        self.probe.act("hide")
        self.assertIn(self.box_while_hidden(lambda text: text in ("09", "08", "07"), timeout=10), ("09", "08", "07"))
        shown_again = time.monotonic()
        self.probe.act("showbymove")
        self.assertIsNotNone(self.announced(r"^10 seconds left", since=shown_again, timeout=3),
                             "what waited while the window was hidden was never said")
        self.assertTrue(any(e.get("gone") for e in self.listener.end(timeout=60)), "the window never went")
        self.assertTrue(self.program.launched())
        spoken = [e["accName"] for e in self.announcements()]
        self.assertEqual(len(spoken), 3, spoken)
        self.assertRegex(spoken[0], r"KESTRANE\.BAT.*administrator.*Enter or Esc")
        self.assertRegex(spoken[1], r"^10 seconds left")
        self.assertRegex(spoken[2], r"^5 seconds left")

