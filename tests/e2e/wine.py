"""Wine on a private virtual display: the prefix prepared once for a test
run, and a session of its own for each test process.

Each test process works in its own copy of the prepared prefix
(KESTRANE_WINEPREFIX) on its own Xvfb display, so that processes running
side by side share nothing: not the registry, not the wineserver, not the
pointer. Nothing here touches a user's own display, prefix or registry.
"""

import fcntl
import os
import shutil
import subprocess
import tempfile
import time

from screen import Screenshot

BUILD = os.environ.get("KESTRANE_WIN_BUILD", "build/win")


def built(*path):
    return os.path.abspath(os.path.join(BUILD, *path))


PROBE = built("kestrane_probe.exe")
# The test prefix's stand-in for the system's annotation service, which
# writes each call to the file named by KESTRANE_ANNOTATION_LOG in the
# program's environment (refusing them all with KESTRANE_ANNOTATION_REFUSE).
ANNOTATION_SERVICE = built("standins", "annotation_service.dll")
ANNOTATION_SERVICE_CLASS = "{B5F8350B-0548-48B1-A6EE-88BD00B4A5E7}"
# The test prefix's dwmapi.dll, loaded before Wine's own: it tells the
# visible frame of a window as Windows 10 and 11 do, without the invisible
# resize borders.
VISIBLE_FRAME_DWMAPI = built("standins", "dwmapi.dll")
PREFIX = os.path.abspath(os.environ.get("KESTRANE_WINEPREFIX", "build/wineprefix"))
PREPARED = os.path.join(PREFIX, "kestrane-prepared")
SETTINGS_KEY = r"HKCU\Software\KESTRANE\Settings"
SCREEN = (1280, 1024)
# The registry tool by its full path: a bare "reg" has Wine look for it
# through start.exe, a second process for every registry command.
REG = r"C:\windows\system32\reg.exe"

# Files of the prepared prefix that Wine only ever reads: the copies share
# them with the prepared prefix. Everything else (the registry above all)
# is copied.
READ_ONLY_SUFFIXES = (".dll", ".exe", ".drv", ".sys", ".acm", ".ocx", ".cpl", ".tlb", ".nls", ".ttf", ".ttc",
                      ".fon", ".mui", ".ax", ".ds", ".com", ".msstyles")


def wine_environment(display, prefix=PREFIX):
    return dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=;dwmapi=n,b",
                DISPLAY=display)


def prepare_prefix_once(run):
    """The prepared prefix, made by whichever test process of this run asks
    first while the others wait for it; a prefix of an earlier run is made
    afresh."""
    os.makedirs(os.path.dirname(PREFIX), exist_ok=True)
    with open(PREFIX + ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if os.path.exists(PREPARED):
            with open(PREPARED) as f:
                if f.read() == run:
                    return
        make_prefix(run)


def make_prefix(run):
    """A fresh prefix for the run (pytest-xdist's testrun_uid), without
    installers or crash dialogs. Copies an earlier run left behind go
    first."""
    os.makedirs(os.path.dirname(PREFIX), exist_ok=True)
    shutil.rmtree(PREFIX, ignore_errors=True)
    for leftover in private_prefixes():
        shutil.rmtree(leftover, ignore_errors=True)
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
        subprocess.run(["wine", REG, "import", "C:\\test-settings.reg"], env=env, check=True,
                       capture_output=True, timeout=120)
        subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=240)
    # Written last: a prefix without it was left half made.
    with open(PREPARED, "w") as f:
        f.write(run)


def private_prefixes():
    parent = os.path.dirname(PREFIX)
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
    """A display and a prefix of its own: the registry, the pointer and the keys, and the screen."""

    def __init__(self):
        self.display = VirtualDisplay().__enter__()
        self.prefix = private_prefix()
        self.env = wine_environment(self.display.name, self.prefix)
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

    def stop_wine(self):
        for step in ("-k", "-w"):
            subprocess.run(["wineserver", step], env=self.env, capture_output=True, timeout=60)

    def close(self):
        self.stop_wine()
        self.display.__exit__()
        shutil.rmtree(self.prefix, ignore_errors=True)

    def set_density(self, dpi):
        """Makes the next program start at dpi dots per inch (None: the
        default again). Wine reads the density when it starts, so it is
        restarted here."""
        desktop = r"HKCU\Control Panel\Desktop"
        if dpi is None:
            self.reg("delete", desktop, "/v", "LogPixels", "/f")
        else:
            self.reg("add", desktop, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
        self.stop_wine()
        self.start_wine()

    # The screen, the pointer and the keys ---------------------------------

    def screenshot(self):
        """The whole screen as it is now."""
        return Screenshot(self.display.name)

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
        return subprocess.run(["wine", REG] + list(args), env=self.env, capture_output=True, text=True,
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
