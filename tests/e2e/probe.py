"""The probe (kestrane_probe.exe) looking at the running program from
outside, as another process on the same desktop would: one look at a time,
waits for what it shows, and the commands that print a line for each thing
they see, read as the lines come."""

import inspect
import json
import queue
import subprocess
import threading
import time

from wine import PROBE, built

# Stands in, once the probe loads it into the program, for the user's
# high-contrast setting, which Wine always reports off.
HIGH_CONTRAST_SWITCH = built("standins", "high_contrast_switch.dll")


def holds(predicate, seen):
    """Whether the predicate holds; a value the probe could not read is null,
    and a predicate that meets one (None has no text to compare) does not hold yet."""
    try:
        return bool(predicate(seen))
    except (TypeError, KeyError, AttributeError):
        return False


def summary(seen):
    """A look, short enough for a failure message: the window and each element's text and state."""
    if not seen or seen.get("window") is None:
        return "no window"
    controls = {c["name"]: [c["text"], "enabled" if c["enabled"] else "disabled"] + (["focused"] if c["focused"]
                                                                                    else [])
                for c in seen["controls"] if c["name"] != "?"}
    return json.dumps({"window": seen["window"], "controls": controls})


class Probe:

    def __init__(self, session):
        self.env = session.env
        self.server = None

    # Commands that read what a process reads only once: the user's date
    # and time formats, which a test changes in the registry.
    IN_A_PROCESS_OF_THEIR_OWN = {"statusbar"}

    def run(self, *args, timeout=60):
        """A command's output and exit code, from the probe that serves the
        session's commands (probe serve): a Wine process started for each
        look would cost the machine more than the looks do. A server that
        has ended (a restart of Wine ends it) is started again."""
        words = [str(a) for a in args]
        if words[0] in self.IN_A_PROCESS_OF_THEIR_OWN:
            return subprocess.run(["wine", PROBE] + words, env=self.env, capture_output=True, text=True,
                                  timeout=timeout)
        if self.server is None or self.server.process.poll() is not None:
            self.close()
            self.server = ProbeServer(self.env)
        try:
            return self.server.run(words, timeout)
        except subprocess.TimeoutExpired:
            self.close()
            raise

    def close(self):
        if self.server:
            self.server.close()
            self.server = None

    def __call__(self, *args, timeout=60):
        """What the command printed."""
        return self.run(*args, timeout=timeout).stdout

    def act(self, *args):
        """Has the probe do something to the window; a probe that did not get
        it done (its own process failed under Wine now and then, with many Wine
        processes starting at once) tries once more, and a second failure
        fails the test."""
        for attempt in (1, 2):
            result = self.run(*args)
            if result.returncode == 0:
                return
        raise AssertionError("the probe (%s) exited with %d: %s"
                             % (" ".join(map(str, args)), result.returncode, result.stderr.strip()[-500:]))

    def report(self, *args):
        """What a command that always prints says. A probe that ends without
        printing anything never got to look (its own process failed under
        Wine, as happens now and then with many Wine processes starting at
        once): it looks again, once; a second such failure fails the test."""
        for attempt in (1, 2):
            result = self.run(*args)
            if result.stdout:
                return result.stdout
        raise AssertionError("the probe (%s) printed nothing and exited with %d: %s"
                             % (" ".join(map(str, args)), result.returncode, result.stderr.strip()[-500:]))

    def json(self, *args):
        return json.loads(self.report(*args))

    # Looks at the window ---------------------------------------------------

    def state(self, timeout_ms=0):
        """The window and its controls as the probe sees them, by element name."""
        seen = self.json("state", timeout_ms)
        if seen["window"] is not None:
            seen["by_name"] = {c["name"]: c for c in seen["controls"]}
        return seen

    def watch_for(self, predicate, timeout, interval=0.4):
        """The first look the predicate holds for, or the last one at the
        time-out: for a test that expects nothing to change. Each look costs
        the machine about a hundredth of a second, in the probe, the program
        and the wineserver; a test that must catch a moment looks more often."""
        deadline = time.monotonic() + timeout
        while True:
            seen = self.state()
            if (seen["window"] is not None and holds(predicate, seen)) or time.monotonic() > deadline:
                return seen
            time.sleep(interval)

    def wait_for(self, predicate, timeout=10.0, interval=0.4):
        """The first look the predicate holds for; at the time-out the test
        fails with the last look."""
        seen = self.watch_for(predicate, timeout, interval)
        if seen["window"] is None or not holds(predicate, seen):
            raise AssertionError("waited %g s for %s; last seen: %s" % (timeout, describe(predicate),
                                                                         summary(seen)))
        return seen

    def watch_until(self, predicate, timeout):
        """Every look until the predicate holds (the last one) or the time-out."""
        seen = []
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            seen.append(self.state())
            if seen[-1]["window"] is not None and holds(predicate, seen[-1]):
                break
        return seen

    def stream(self, *args):
        """A command that prints a line for each thing it sees, started and
        ready. A probe that ends before it is ready never got to look (as
        report() allows for): it starts once more; a second such failure
        fails the test."""
        for attempt in (1, 2):
            stream = ProbeStream(self.env, *args)
            if stream.ready(timeout=60):
                return stream
            stream.close()
        raise AssertionError("the probe (%s) ended before it was ready: %s"
                             % (" ".join(map(str, args)), stream.heard()[-3:]))

    # High contrast and the system colours ------------------------------------

    def stand_in_for_high_contrast(self):
        """Loads the stand-in for the high-contrast setting into the running
        program, with the setting off; a stand-in that could not take the
        setting's place fails the test."""
        report = self.json("inject", "Z:" + HIGH_CONTRAST_SWITCH.replace("/", "\\"))
        if report != {"injected": True}:
            raise AssertionError("the stand-in for high contrast did not load: %r" % report)

    def high_contrast(self, on):
        """Turns high contrast on or off as the program sees it, and tells
        every window, as Windows does when the user turns it on or off."""
        report = self.json("highcontrast", "on" if on else "off")
        if report != {"switched": True}:
            raise AssertionError("high contrast could not be turned %s: %r" % ("on" if on else "off", report))

    def system_colours(self, changes=()):
        """Sets each system colour (index: (r, g, b)) with SetSysColors, which
        tells every window; returns all of them, by index, as they are then."""
        numbers = []
        for index, (r, g, b) in dict(changes).items():
            numbers += [index, r | g << 8 | b << 16]
        report = self.json("syscolors", *numbers)
        if not report["set"]:
            raise AssertionError("the system colours could not be set")
        return [(c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF) for c in report["colours"]]


class ProbeServer:
    """The probe running the commands written to its input (probe serve);
    each command's output ends with a line of 0x1E and its exit code. A
    command the probe ended without answering has the exit code -1, which
    act() and report() try once more, with a new server."""

    def __init__(self, env):
        self.process = subprocess.Popen(["wine", PROBE, "serve"], env=env, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                                        encoding="utf-8")
        self.lines = queue.Queue()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line)
        self.lines.put(None)

    def run(self, args, timeout):
        deadline = time.monotonic() + timeout
        command = ["probe"] + args
        try:
            self.process.stdin.write("\t".join(args) + "\n")
            self.process.stdin.flush()
        except OSError:
            return subprocess.CompletedProcess(command, -1, "", "the probe had ended")
        output = []
        while True:
            try:
                line = self.lines.get(timeout=max(0, deadline - time.monotonic()))
            except queue.Empty:
                raise subprocess.TimeoutExpired(command, timeout, "".join(output))
            if line is None:
                return subprocess.CompletedProcess(command, -1, "".join(output), "the probe ended")
            if line.startswith("\x1e"):
                return subprocess.CompletedProcess(command, int(line[1:]), "".join(output), "")
            output.append(line)

    def close(self):
        if self.process.poll() is None:
            self.process.stdin.close()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.reader.join(timeout=10)


def describe(predicate):
    """What a predicate waits for: its docstring, or a lambda's line of code."""
    if predicate.__doc__:
        return predicate.__doc__.strip()
    try:
        return inspect.getsource(predicate).strip()
    except (OSError, TypeError):
        return predicate.__name__


class ProbeStream:
    """The lines of a probe command that prints one JSON object for each
    thing it sees, each stamped with the moment it arrived here ("arrived",
    monotonic). One reader takes them as they come, so that a value that
    shows for a moment is seen even when starting a probe for each look
    would take longer than that on a busy machine."""

    def __init__(self, env, *args):
        self.process = subprocess.Popen(["wine", PROBE] + [str(a) for a in args], env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL, text=True)
        self.lines = []
        self.taken = 0  # the lines until() has handed out
        self.ended = False
        self.arrival = threading.Condition()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def ready(self, timeout):
        """Whether the command said it is ready within timeout seconds, before it ended."""
        try:
            self.until(lambda line: line.get("ready"), timeout)
            return True
        except AssertionError:
            return False

    def _read(self):
        for text in self.process.stdout:
            line = json.loads(text)
            line["arrived"] = time.monotonic()
            with self.arrival:
                self.lines.append(line)
                self.arrival.notify_all()
        with self.arrival:
            self.ended = True
            self.arrival.notify_all()

    def heard(self):
        with self.arrival:
            return list(self.lines)

    def until(self, predicate, timeout):
        """The lines not handed out before, up to the first the predicate
        holds for (the last); at the time-out, or when the command ends
        first, the test fails with the last lines."""
        deadline = time.monotonic() + timeout
        with self.arrival:
            while True:
                for index in range(self.taken, len(self.lines)):
                    if holds(predicate, self.lines[index]):
                        taken, self.taken = self.lines[self.taken:index + 1], index + 1
                        return taken
                left = deadline - time.monotonic()
                if left <= 0 or self.ended:
                    raise AssertionError("the probe's %s never showed %s; its last lines: %s"
                                         % (self.process.args[2], describe(predicate), self.lines[-3:]))
                self.arrival.wait(left)

    def first_since(self, predicate, since, timeout):
        """The first line, of all, that arrived at or after since and the predicate holds for, or None."""
        deadline = time.monotonic() + timeout
        with self.arrival:
            while True:
                for line in self.lines:
                    if line["arrived"] >= since and holds(predicate, line):
                        return line
                left = deadline - time.monotonic()
                if left <= 0 or self.ended:
                    return None
                self.arrival.wait(left)

    def end(self, timeout):
        """Every line, once the command has ended by itself (within timeout seconds)."""
        self.process.wait(timeout=timeout)
        self.reader.join(timeout=10)
        return self.heard()

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()
        self.reader.join(timeout=10)
        self.process.stdout.close()
