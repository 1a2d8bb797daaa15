"""Runs the real KESTRANE.exe under Wine on a private virtual display.

Each test process gets its own Xvfb display and its own copy of the Wine
prefix prepared for this test run (KESTRANE_WINEPREFIX), so that test
processes running side by side share nothing: not the registry, not the
wineserver, not the pointer. Nothing here touches a user's own display,
prefix or registry.
"""

import atexit
import json
import os
import select
import shutil
import subprocess
import tempfile
import time
import unittest

BUILD = os.environ.get("KESTRANE_WIN_BUILD", "build/win")
EXE = os.path.abspath(os.path.join(BUILD, "KESTRANE.exe"))
# The same program with one property set failing on request (KESTRANE_FAIL_SETTING).
FAILING_EXE = os.path.abspath(os.path.join(BUILD, "kestrane_failing.exe"))
# The same program with a launch that takes its time after the shell has
# answered, as while the elevation prompt waits for the user.
SLOW_LAUNCH_EXE = os.path.abspath(os.path.join(BUILD, "kestrane_slow_launch.exe"))
PROBE = os.path.abspath(os.path.join(BUILD, "kestrane_probe.exe"))
# DLLs named like system DLLs, each leaving a marker file beside itself,
# named "<dll>.loaded-by-<program>", when anything loads it.
PLANTED_DLLS = [os.path.abspath(os.path.join(BUILD, "planted", name)) for name in ("dwmapi.dll", "uxtheme.dll")]
# The test prefix's stand-in for the system's annotation service, which
# writes each call to the file named by KESTRANE_ANNOTATION_LOG in the
# program's environment (refusing them all with KESTRANE_ANNOTATION_REFUSE).
ANNOTATION_SERVICE = os.path.abspath(os.path.join(BUILD, "standins", "annotation_service.dll"))
ANNOTATION_SERVICE_CLASS = "{B5F8350B-0548-48B1-A6EE-88BD00B4A5E7}"
ANNOTATION_LOG = "annotations.log"
# The test prefix's dwmapi.dll, loaded before Wine's own: it tells the
# visible frame of a window as Windows 10 and 11 do, without the invisible
# resize borders.
VISIBLE_FRAME_DWMAPI = os.path.abspath(os.path.join(BUILD, "standins", "dwmapi.dll"))
# Stands in, once the probe loads it into the program, for the user's
# high-contrast setting, which Wine always reports off.
HIGH_CONTRAST_SWITCH = os.path.abspath(os.path.join(BUILD, "standins", "high_contrast_switch.dll"))
PREFIX = os.path.abspath(os.environ.get("KESTRANE_WINEPREFIX", "build/wineprefix"))
PREPARED = "kestrane-prepared"
SETTINGS_KEY = r"HKCU\Software\KESTRANE\Settings"
SCREEN = (1280, 1024)

# A batch file that leaves a marker beside itself, as the real one would act.
MARKER_BATCH = "@echo off\r\necho launched> \"%~dp0launched.txt\"\r\n"


# Files of the prepared prefix that Wine only ever reads: the copies share
# them with the prepared prefix. Everything else (the registry above all)
# is copied.
READ_ONLY_SUFFIXES = (".dll", ".exe", ".drv", ".sys", ".acm", ".ocx", ".cpl", ".tlb", ".nls", ".ttf", ".ttc",
                      ".fon", ".mui", ".ax", ".ds", ".com", ".msstyles")


def wine_environment(display, prefix=PREFIX):
    env = dict(os.environ)
    env.update(
        WINEPREFIX=prefix,
        WINEDEBUG="-all",
        WINEDLLOVERRIDES="mscoree,mshtml=;dwmapi=n,b",
        DISPLAY=display,
    )
    return env


def make_prefix():
    """A fresh prefix: made once per test run, without installers or crash
    dialogs, and copied for each test process. Copies an earlier run left
    behind go first."""
    shutil.rmtree(PREFIX, ignore_errors=True)
    for leftover in private_prefixes():
        shutil.rmtree(leftover, ignore_errors=True)
    os.makedirs(os.path.dirname(PREFIX), exist_ok=True)
    with VirtualDisplay() as display:
        env = wine_environment(display.name)
        subprocess.run(["wineboot", "-i"], env=env, check=True, capture_output=True, timeout=240)
        subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=240)
        system = os.path.join(PREFIX, "drive_c", "windows", "system32")
        shutil.copy(ANNOTATION_SERVICE, os.path.join(system, "kestrane_annotation_service.dll"))
        os.remove(os.path.join(system, "dwmapi.dll"))  # Wine's placeholder, which a copy would write through
        shutil.copy(VISIBLE_FRAME_DWMAPI, os.path.join(system, "dwmapi.dll"))
        settings = os.path.join(PREFIX, "drive_c", "test-settings.reg")
        with open(settings, "w", encoding="utf-16") as f:
            f.write("Windows Registry Editor Version 5.00\r\n\r\n"
                    "[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"
                    "\"ShowCrashDebugger\"=dword:00000000\r\n\r\n"
                    "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\%s\\InprocServer32]\r\n"
                    "@=\"C:\\\\windows\\\\system32\\\\kestrane_annotation_service.dll\"\r\n"
                    "\"ThreadingModel\"=\"Both\"\r\n" % ANNOTATION_SERVICE_CLASS)
        subprocess.run(["wine", "reg", "import", "C:\\test-settings.reg"], env=env, check=True,
                       capture_output=True, timeout=120)
        subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=240)
    # Written last: a prefix without it was left half made.
    open(os.path.join(PREFIX, PREPARED), "w").close()


def private_prefixes():
    parent = os.path.dirname(PREFIX)
    if not os.path.isdir(parent):
        return []
    base = os.path.basename(PREFIX) + "-"
    return [os.path.join(parent, name) for name in os.listdir(parent) if name.startswith(base)]


def private_prefix():
    """A copy of the prepared prefix for one test process, beside it."""
    copy = tempfile.mkdtemp(prefix=os.path.basename(PREFIX) + "-", dir=os.path.dirname(PREFIX))
    for folder, subfolders, files in os.walk(PREFIX):
        target = os.path.join(copy, os.path.relpath(folder, PREFIX))
        for name in list(subfolders):
            source = os.path.join(folder, name)
            if os.path.islink(source):  # the drive letters
                os.symlink(os.readlink(source), os.path.join(target, name))
                subfolders.remove(name)
            else:
                os.makedirs(os.path.join(target, name), exist_ok=True)
        for name in files:
            source, destination = os.path.join(folder, name), os.path.join(target, name)
            if os.path.islink(source):
                os.symlink(os.readlink(source), destination)
            elif name.lower().endswith(READ_ONLY_SUFFIXES):
                os.link(source, destination)
            else:
                shutil.copy2(source, destination)
    return copy


class VirtualDisplay:
    """A private Xvfb server, with no window manager. It never resets: by
    default an X server starts afresh whenever its last client leaves, which
    between two programs puts the pointer back in the middle and refuses the
    next client while it resets."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-noreset", "-screen", "0", "%dx%dx24" % SCREEN,
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.name = ":" + pipe.readline().strip()
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait(timeout=10)


class Session:
    """A display and a prefix of its own, with the program's working folder."""

    def __init__(self):
        self.display = VirtualDisplay().__enter__()
        self.prefix = private_prefix()
        self.env = wine_environment(self.display.name, self.prefix)
        self.folder = tempfile.mkdtemp(prefix="kestrane-e2e-")
        self.program = None
        self.start_wine()

    def start_wine(self):
        """Starts the prefix's wineserver, to stay until the session ends, and
        with it Wine's own background processes (services, the desktop).

        Those processes keep the output handles of whichever Wine program
        started them. Left to start with a test's first command, they would
        hold its output pipe open until the wineserver's default three idle
        seconds ran out, so that every registry command and probe cost three
        seconds. Started here, by a probe that only looks (a window program,
        so that the desktop starts too), they write nowhere and stay.
        Whatever fails here fails again, and says why, in the test's own
        first step."""
        subprocess.run(["wineserver", "-p"], env=self.env, timeout=60)
        subprocess.run(["wine", PROBE, "state", "0"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=120)

    def close(self):
        self.kill_program()
        subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True, timeout=60)
        subprocess.run(["wineserver", "-w"], env=self.env, capture_output=True, timeout=60)
        self.display.__exit__()
        shutil.rmtree(self.folder, ignore_errors=True)
        shutil.rmtree(self.prefix, ignore_errors=True)

    # The program -------------------------------------------------------

    def start(self, batch=MARKER_BATCH, exe=EXE, environment=None, beside=()):
        """Starts KESTRANE.exe from a folder holding KESTRANE.BAT, as Explorer
        would, with the files beside put there too."""
        for name in os.listdir(self.folder):
            os.remove(os.path.join(self.folder, name))
        if batch is not None:
            with open(os.path.join(self.folder, "KESTRANE.BAT"), "w", newline="") as f:
                f.write(batch)
        for path in [exe] + list(beside):
            shutil.copy(path, self.folder)
        # The pointer leaves wherever the last test clicked: a new window
        # that appears under a pointer that never moves sees no motion, and
        # under Wine its first clicks there can go astray.
        self.move_pointer(SCREEN[0] - 1, SCREEN[1] - 1)
        self.program = subprocess.Popen(["wine", os.path.basename(exe)], cwd=self.folder,
                                        env=dict(self.env, KESTRANE_ANNOTATION_LOG=self.windows_path(ANNOTATION_LOG),
                                                 **(environment or {})),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Another Wine process starting while this one starts can stall both
        # for half a minute, so the probe waits until the window is on the display.
        try:
            subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^KESTRANE$"],
                           env=self.env, capture_output=True, timeout=60)
        except subprocess.TimeoutExpired:
            pass  # the probe below says what there is
        # On a busy machine Wine can take its time: wait generously, while
        # the program runs, for the probe to see the window.
        deadline = time.monotonic() + 90
        while True:
            seen = self.state(timeout_ms=15000)
            if seen["window"] is not None or self.program.poll() is not None or time.monotonic() > deadline:
                return seen

    def windows_path(self, name):
        """A file of the program's folder, as the program names it."""
        return "Z:" + os.path.join(self.folder, name).replace("/", "\\")

    def annotations(self):
        """Each call the program made of the annotation service, in order."""
        path = os.path.join(self.folder, ANNOTATION_LOG)
        if not os.path.exists(path):
            return []
        with open(path) as f:
            return [json.loads(line) for line in f]

    def wait_exit(self, timeout):
        code = self.program.wait(timeout=timeout)
        self.program = None
        return code

    def kill_program(self):
        """Ends the program's Windows process (ending wine's loader would leave it running)."""
        if self.program and self.program.poll() is None:
            self.probe("kill")
            try:
                self.program.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.program.kill()
                self.program.wait()
        self.program = None

    def launched(self):
        return os.path.exists(os.path.join(self.folder, "launched.txt"))

    # Looking from outside ---------------------------------------------------

    def run_probe(self, *args, timeout=60):
        return subprocess.run(["wine", PROBE] + list(args), env=self.env, capture_output=True, text=True,
                              timeout=timeout)

    def probe(self, *args, timeout=60):
        return self.run_probe(*args, timeout=timeout).stdout

    def probe_report(self, *args):
        """What a probe command that always prints says. A probe that ends
        without printing anything never got to look (its own process failed
        under Wine, as happens now and then with many Wine processes starting
        at once): it looks again, once; a second such failure fails the test."""
        for attempt in (1, 2):
            result = self.run_probe(*args)
            if result.stdout:
                return result.stdout
        raise AssertionError("the probe (%s) printed nothing and exited with %d: %s"
                             % (" ".join(map(str, args)), result.returncode, result.stderr.strip()[-500:]))

    def state(self, timeout_ms=0):
        """The window and its controls as the probe sees them, by element name."""
        seen = json.loads(self.probe_report("state", str(timeout_ms)))
        if seen["window"] is not None:
            seen["by_name"] = {c["name"]: c for c in seen["controls"]}
        return seen

    def watch(self, timeout_ms):
        """Starts watching for the window; returns the process whose lines are its changes."""
        watcher = subprocess.Popen(["wine", PROBE, "watch", str(timeout_ms)], env=self.env,
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        assert json.loads(watcher.stdout.readline()) == {"ready": True}
        return watcher

    def wait_for(self, predicate, timeout=10.0, interval=0.2):
        """The first state the predicate holds for, or the last one seen at the time-out.

        A value the probe could not read is null: a predicate that meets one
        (None has no text to compare) simply does not hold yet."""
        deadline = time.monotonic() + timeout
        while True:
            seen = self.state()
            if seen["window"] is not None and holds(predicate, seen):
                return seen
            if time.monotonic() > deadline:
                return seen
            time.sleep(interval)

    def watch_until(self, predicate, timeout):
        """Every state seen until the predicate holds (the last one) or the time-out."""
        seen = []
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            seen.append(self.state())
            if seen[-1]["window"] is not None and holds(predicate, seen[-1]):
                break
        return seen

    def screenshot(self):
        path = os.path.join(self.folder, "screen-%d.png" % time.monotonic_ns())
        subprocess.run(["import", "-display", self.display.name, "-window", "root", path], check=True,
                       capture_output=True, timeout=30)
        return path

    def extent(self, rect, condition, path=None):
        """(width, height) of the smallest box around every pixel in rect
        (left, top, width, height on the screen) that meets the -fx condition;
        (0, 0) when none does."""
        path = path or self.screenshot()
        left, top, width, height = rect
        out = subprocess.run(["/usr/bin/convert", path, "-crop", "%dx%d+%d+%d" % (width, height, left, top),
                              "+repage", "-fx", "(%s) ? 1 : 0" % condition, "-bordercolor", "black",
                              "-border", "1", "-format", "%@", "info:"],
                             check=True, capture_output=True, text=True).stdout
        size = out.split("+")[0].split("x")
        return int(size[0]), int(size[1])

    def pixel(self, x, y, path=None):
        """The colour at screen point (x, y) as (r, g, b)."""
        path = path or self.screenshot()
        out = subprocess.run(["/usr/bin/convert", path, "-crop", "1x1+%d+%d" % (x, y), "-depth", "8",
                              "txt:-"], check=True, capture_output=True, text=True).stdout
        values = out.splitlines()[1].split("(")[1].split(")")[0].split(",")
        return tuple(int(float(v)) for v in values[:3])

    # High contrast -------------------------------------------------------

    def stand_in_for_high_contrast(self):
        """Loads the stand-in for the high-contrast setting into the running
        program, with the setting off; a stand-in that could not take the
        setting's place fails the test."""
        path = "Z:" + HIGH_CONTRAST_SWITCH.replace("/", "\\")
        report = json.loads(self.probe_report("inject", path))
        if report != {"injected": True}:
            raise AssertionError("the stand-in for high contrast did not load: %r" % report)

    def high_contrast(self, on):
        """Turns high contrast on or off as the program sees it, and tells
        every window, as Windows does when the user turns it on or off."""
        report = json.loads(self.probe_report("highcontrast", "on" if on else "off"))
        if report != {"switched": True}:
            raise AssertionError("high contrast could not be turned %s: %r" % ("on" if on else "off", report))

    def system_colours(self, changes=()):
        """Sets each system colour (index: (r, g, b)) with SetSysColors, which
        tells every window; returns all of them, by index, as they are then."""
        numbers = []
        for index, (r, g, b) in dict(changes).items():
            numbers += [str(index), str(r | g << 8 | b << 16)]
        report = json.loads(self.probe_report("syscolors", *numbers))
        if not report["set"]:
            raise AssertionError("the system colours could not be set")
        return [(c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF) for c in report["colours"]]

    def set_density(self, dpi):
        """Makes the next program start at dpi dots per inch (None: the
        default again). Wine reads the density when it starts, so it is
        restarted here."""
        desktop = r"HKCU\Control Panel\Desktop"
        if dpi is None:
            self.reg("delete", desktop, "/v", "LogPixels", "/f")
        else:
            self.reg("add", desktop, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
        for step in ("-k", "-w"):
            subprocess.run(["wineserver", step], env=self.env, capture_output=True, timeout=60)
        self.start_wine()

    def pointer(self):
        out = subprocess.run(["xdotool", "getmouselocation", "--shell"], env=self.env, check=True,
                             capture_output=True, text=True, timeout=30).stdout
        at = dict(line.split("=", 1) for line in out.split())
        return int(at["X"]), int(at["Y"])

    def move_pointer(self, x, y):
        """Moves the pointer to (x, y) and waits until the display says it is
        there. (xdotool's own --sync waits for the pointer to move at all,
        which it may not need to, and on a busy display gives up with an
        error.)"""
        deadline = time.monotonic() + 30
        while self.pointer() != (x, y):
            if time.monotonic() > deadline:
                raise AssertionError("the pointer never reached (%d, %d); it is at %r" % (x, y, self.pointer()))
            self.xdotool("mousemove", x, y)
            time.sleep(0.05)

    def xdotool(self, *args):
        done = subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, capture_output=True, text=True,
                              timeout=30)
        if done.returncode != 0:
            raise AssertionError("xdotool %s failed (%d): %s" % (" ".join(map(str, args)), done.returncode,
                                                                 done.stderr.strip()))

    # The registry ----------------------------------------------------------

    def reg(self, *args):
        return subprocess.run(["wine", "reg"] + list(args), env=self.env, capture_output=True, text=True,
                              timeout=60)

    def clear_settings(self):
        self.reg("delete", r"HKCU\Software\KESTRANE", "/f")

    def store(self, name, value, kind="REG_SZ"):
        """Stores a value for the program to find; a write that fails fails the test."""
        for _ in range(3):
            if self.reg("add", SETTINGS_KEY, "/v", name, "/t", kind, "/d", value, "/f").returncode == 0:
                return
        raise AssertionError("could not store %s in the registry" % name)

    def stored(self, name):
        """The text stored under name, or None when there is none.

        A value of another type than REG_SZ fails the test, and so does a
        registry that cannot be read: that is never taken for "nothing stored"."""
        for _ in range(3):
            result = self.reg("query", SETTINGS_KEY, "/v", name)
            if result.returncode == 0:
                for line in result.stdout.splitlines():
                    parts = line.strip().split(None, 2)
                    if len(parts) >= 2 and parts[0] == name:
                        if parts[1] != "REG_SZ":
                            raise AssertionError("%s is stored as %s, not as text" % (name, parts[1]))
                        return parts[2] if len(parts) == 3 else ""
                return None
            if "Unable to find" in result.stdout + result.stderr:
                return None
        raise AssertionError("could not read %s from the registry: %s" % (name, result.stdout + result.stderr))


class Watcher:
    """The probe's watch over the running window, read with deadlines.

    One probe process polls the window every few milliseconds, so a value
    that shows for a second is seen even when starting a probe for each
    look would take longer than that on a busy machine."""

    def __init__(self, session, timeout_ms, answer_ms=400):
        """Each look gives the window answer_ms to answer before it is said to be busy."""
        self.process = subprocess.Popen(["wine", PROBE, "watch", str(timeout_ms), str(answer_ms)], env=session.env,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, bufsize=0)
        self.pending = b""
        ready = self.until(lambda change: change == {"ready": True}, timeout=60)
        assert ready and ready[-1] == {"ready": True}, ready

    def until(self, predicate, timeout):
        """Every change seen until the predicate holds for one (the last) or the time-out."""
        seen = []
        deadline = time.monotonic() + timeout
        fd = self.process.stdout.fileno()
        while True:
            while b"\n" in self.pending:
                line, self.pending = self.pending.split(b"\n", 1)
                seen.append(json.loads(line))
                if holds(predicate, seen[-1]):
                    return seen
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                return seen
            chunk = os.read(fd, 4096)
            if not chunk:
                return seen
            self.pending += chunk

    def close(self):
        """The watch ends by itself once the window is gone or its time is up."""
        try:
            self.process.wait(timeout=60)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.process.stdout.close()


def holds(predicate, seen):
    try:
        return bool(predicate(seen))
    except (TypeError, KeyError):
        return False


def distinct(values):
    """The values with repeats in a row left out: what a user saw change."""
    return [v for i, v in enumerate(values) if i == 0 or v != values[i - 1]]


_shared = None


def shared_session():
    """The one session of this test process, closed when the process ends."""
    global _shared
    if _shared is None:
        _shared = Session()
        atexit.register(_shared.close)
    return _shared


class ProgramTestCase(unittest.TestCase):
    """A test case on the process's session, with clean settings per test."""

    @classmethod
    def setUpClass(cls):
        cls.session = shared_session()

    def setUp(self):
        self.session.clear_settings()

    def tearDown(self):
        self.session.kill_program()

    def control(self, seen, name):
        return seen["by_name"][name]

    def screen_point(self, seen, name, dx=None, dy=None):
        """A point inside the named control, in screen coordinates (its centre by default)."""
        left, top, width, height = self.control(seen, name)["rect"]
        origin = seen["window"]["client"]
        return (origin[0] + left + (width // 2 if dx is None else dx),
                origin[1] + top + (height // 2 if dy is None else dy))
