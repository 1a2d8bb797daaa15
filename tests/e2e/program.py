"""KESTRANE.exe (or a test-only build of it) started as Explorer would,
from a folder of its own holding KESTRANE.BAT."""

import json
import os
import shutil
import subprocess
import tempfile
import time

from probe import summary
from wine import SCREEN, built

EXE = built("KESTRANE.exe")
# The same program with one property set failing on request (KESTRANE_FAIL_SETTING).
FAILING_EXE = built("kestrane_failing.exe")
# The same program with a launch that takes its time after the shell has
# answered, as while the elevation prompt waits for the user.
SLOW_LAUNCH_EXE = built("kestrane_slow_launch.exe")
# DLLs named like system DLLs, each leaving a marker file beside itself,
# named "<dll>.loaded-by-<program>", when anything loads it.
PLANTED_DLLS = [built("planted", name) for name in ("dwmapi.dll", "uxtheme.dll")]
ANNOTATION_LOG = "annotations.log"

# A batch file that leaves a marker beside itself, as the real one would act.
MARKER_BATCH = "@echo off\r\necho launched> \"%~dp0launched.txt\"\r\n"


class Program:

    def __init__(self, session, probe):
        self.session = session
        self.probe = probe
        self.folder = tempfile.mkdtemp(prefix="kestrane-e2e-")
        self.process = None

    def start(self, batch=MARKER_BATCH, exe=EXE, environment=None, beside=()):
        """Starts the program with the files beside put there too; the first
        look at its window once it has finished starting."""
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
        self.session.move_pointer(SCREEN[0] - 1, SCREEN[1] - 1)
        self.process = subprocess.Popen(["wine", os.path.basename(exe)], cwd=self.folder,
                                        env=dict(self.session.env, **(environment or {}),
                                                 KESTRANE_ANNOTATION_LOG=self.windows_path(ANNOTATION_LOG)),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Another Wine process starting while this one starts can stall both
        # for half a minute, so the probe waits until the window is on the display.
        try:
            subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^KESTRANE$"],
                           env=self.session.env, capture_output=True, timeout=60)
        except subprocess.TimeoutExpired:
            pass  # the probe below says what there is
        # On a busy machine Wine can take its time: wait generously, while
        # the program runs, for the probe to see the window, and then for
        # the program to finish starting (shown, painted, the focus given)
        # and wait for input.
        deadline = time.monotonic() + 90
        while True:
            seen = self.probe.state(timeout_ms=15000)
            if seen["window"] is not None or self.process.poll() is not None or time.monotonic() > deadline:
                break
        if seen["window"] is None:
            return seen
        if self.probe.json("idle", 30000) != {"idle": True}:
            raise AssertionError("the program never finished starting; last seen: %s" % summary(self.probe.state()))
        return self.probe.state()

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

    def launched(self):
        return os.path.exists(os.path.join(self.folder, "launched.txt"))

    def wait_exit(self, timeout):
        code = self.process.wait(timeout=timeout)
        self.process = None
        return code

    def kill(self):
        """Ends the program's Windows process (ending wine's loader would leave it running)."""
        if self.process and self.process.poll() is None:
            self.probe("kill")
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process = None

    def close(self):
        self.kill()
        shutil.rmtree(self.folder, ignore_errors=True)
