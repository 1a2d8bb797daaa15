#!/usr/bin/env python3
"""Puts plausible faults into a scratch copy of the tree, one at a time, and
checks that the tests notice.

    scripts/mutate.py core              every fault in tests/mutation/core.json,
                                        against the unit tests
    scripts/mutate.py windows           tests/mutation/windows.json, against the
                                        end-to-end tests each fault names (pytest
                                        node ids, relative to tests/)
    scripts/mutate.py core --only ID    one fault (repeatable)
    scripts/mutate.py check             only checks that every fault in both
                                        lists still finds its text, exactly
                                        as often as it says, and names tests
                                        that exist (quick; part of make test)

Each fault is a text replacement in one file. A fault is "caught" when its
tests fail (or its build does), "not caught" when they pass, and
"equivalent" when the list says why no test can tell it apart, and "stale"
when its text is no longer in the file as often as the list says (the code
moved on without the list). The score is caught / (all - equivalent - stale). The working tree is never changed: the copy
lives under build/mutation/, with each fault's test output in logs/.
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SCRATCH = os.path.join(ROOT, "build", "mutation")
# The test run the scratch Wine prefix is made for: every fault's tests run as part of it.
PREFIX_RUN = "mutation"


def run(command, cwd, env=None, timeout=1800):
    """(exit code, combined output); a time-out counts as a failure."""
    try:
        done = subprocess.run(command, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              text=True, timeout=timeout)
        return done.returncode, done.stdout
    except subprocess.TimeoutExpired as expired:
        return -1, "timed out after %d s\n%s" % (timeout, expired.stdout or "")


def copy_tree(source_dir):
    """The tracked files as they are now in the working tree, copied over the scratch source."""
    files = subprocess.run(["git", "ls-files", "-co", "--exclude-standard"], cwd=ROOT, check=True,
                           stdout=subprocess.PIPE, text=True).stdout.split("\n")
    for name in filter(None, files):
        source = os.path.join(ROOT, name)
        if not os.path.isfile(source):
            continue
        target = os.path.join(source_dir, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(source, "rb") as f:
            data = f.read()
        if os.path.exists(target):
            with open(target, "rb") as f:
                if f.read() == data:
                    continue  # unchanged: keeps the build incremental
        with open(target, "wb") as f:
            f.write(data)


class Suite:
    def __init__(self, name):
        self.name = name
        self.source = os.path.join(SCRATCH, name, "source")
        self.native = os.path.join(SCRATCH, name, "native")
        self.win = os.path.join(SCRATCH, name, "win")
        self.prefix = os.path.join(SCRATCH, name, "wineprefix")

    def prepare(self):
        os.makedirs(self.source, exist_ok=True)
        copy_tree(self.source)
        if self.name == "core":
            code, out = run(["cmake", "-S", self.source, "-B", self.native, "-DCMAKE_BUILD_TYPE=Debug"], ROOT)
        else:
            code, out = run(["cmake", "-S", self.source, "-B", self.win, "-DCMAKE_BUILD_TYPE=Release",
                             "-DBUILD_TESTING=OFF",
                             "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(self.source, "cmake",
                                                                     "mingw-w64-x86_64.cmake")], ROOT)
        if code != 0:
            sys.exit("configuring the scratch build failed:\n" + out)
        if self.name == "windows" and not os.path.exists(os.path.join(self.prefix, "kestrane-prepared")):
            self.build()  # the prefix takes the tests' stand-ins from the build
            code, out = run(["/usr/bin/python3", "-c", "import wine; wine.make_prefix(%r)" % PREFIX_RUN],
                            os.path.join(self.source, "tests", "e2e"), env=self.environment())
            if code != 0:
                sys.exit("making the Wine prefix failed:\n" + out)

    def environment(self):
        env = dict(os.environ)
        env.update(KESTRANE_WIN_BUILD=self.win, KESTRANE_WINEPREFIX=self.prefix, PYTHONDONTWRITEBYTECODE="1")
        return env

    def build(self):
        if self.name == "core":
            return run(["cmake", "--build", self.native, "-j2", "--target", "kestrane_unit_tests"], ROOT)
        return run(["cmake", "--build", self.win, "-j2"], ROOT)

    def test(self, mutant):
        if self.name == "core":
            binary = os.path.join(self.native, "tests", "unit", "kestrane_unit_tests")
            return run([binary, "--gtest_brief=1"], ROOT, timeout=120)
        # Each test by its pytest node id, relative to tests/, in the prefix
        # made once for every fault (the run's id names it).
        return run(["/usr/bin/python3", "-m", "pytest", "-n", "2", "--testrunuid", PREFIX_RUN] + mutant["tests"],
                   os.path.join(self.source, "tests"), env=self.environment(), timeout=1500)


class Stale(Exception):
    """The fault's text is not in its file as often as the list says."""


def original_text(source_dir, mutant):
    """The text of the fault's file; Stale when the fault no longer fits it."""
    path = os.path.join(source_dir, mutant["file"])
    if not os.path.isfile(path):
        raise Stale("%s is gone" % mutant["file"])
    with open(path) as f:
        original = f.read()
    found = original.count(mutant["find"])
    if found != mutant.get("occurrences", 1):
        raise Stale("its text is found %d times in %s, not %d" % (found, mutant["file"],
                                                                 mutant.get("occurrences", 1)))
    return path, original


def apply(source_dir, mutant):
    """Puts the fault in; returns the file's original text to put back."""
    path, original = original_text(source_dir, mutant)
    with open(path, "w") as f:
        f.write(original.replace(mutant["find"], mutant["replace"]))
    return path, original


def load(suite):
    with open(os.path.join(ROOT, "tests", "mutation", suite + ".json")) as f:
        return json.load(f)


def end_to_end_tests():
    """The pytest node ids of every end-to-end test, relative to tests/."""
    listed = subprocess.run(["/usr/bin/python3", "-m", "pytest", "--collect-only", "-q", "e2e"],
                            cwd=os.path.join(ROOT, "tests"), stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, env=dict(os.environ, PYTHONDONTWRITEBYTECODE="1"))
    return {line for line in listed.stdout.splitlines() if "::" in line}


def check_lists():
    """0 when every fault of both lists fits the working tree as it is."""
    stale = []
    for suite in ("core", "windows"):
        for mutant in load(suite):
            try:
                original_text(ROOT, mutant)
            except Stale as why:
                stale.append("%s %s: %s" % (suite, mutant["id"], why))
    known = end_to_end_tests()
    for mutant in load("windows"):
        stale += ["windows %s: no test %s" % (mutant["id"], test) for test in mutant["tests"] if test not in known]
    for line in stale:
        print("stale: " + line)
    if stale:
        print("Update tests/mutation/*.json to the code as it is now.")
    return 1 if stale else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("suite", choices=["core", "windows", "check"])
    parser.add_argument("--only", action="append", help="run only this fault (by id)")
    parser.add_argument("--keep-going", action="store_true", help="go on when the unchanged tree fails")
    args = parser.parse_args()

    if args.suite == "check":
        return check_lists()
    mutants = load(args.suite)
    if args.only:
        mutants = [m for m in mutants if m["id"] in args.only]

    suite = Suite(args.suite)
    suite.prepare()

    # The unchanged tree must build and pass, or no result means anything.
    code, out = suite.build()
    if code != 0:
        sys.exit("the unchanged tree does not build:\n" + out)
    if args.suite == "core":
        code, out = suite.test(None)
        if code != 0 and not args.keep_going:
            sys.exit("the unchanged tree fails its tests:\n" + out[-3000:])

    results = []
    for mutant in mutants:
        started = time.monotonic()
        if mutant.get("equivalent"):
            verdict, detail = "equivalent", mutant["equivalent"]
        else:
            try:
                path, original = apply(suite.source, mutant)
            except Stale as why:
                results.append((mutant["id"], "stale"))
                print("%-12s %-40s %5.0f s  %s" % ("stale", mutant["id"], 0, why))
                continue
            try:
                code, out = suite.build()
                if code != 0:
                    verdict, detail = "caught", "does not build"
                else:
                    code, out = suite.test(mutant)
                    verdict = "caught" if code != 0 else "NOT CAUGHT"
                    os.makedirs(os.path.join(SCRATCH, args.suite, "logs"), exist_ok=True)
                    with open(os.path.join(SCRATCH, args.suite, "logs", mutant["id"] + ".log"), "w") as log:
                        log.write(out)
                    failed = [line for line in out.splitlines()
                              if line.startswith(("[  FAILED  ]", "FAILED ", "ERROR "))]
                    detail = failed[0] if failed else ("exit %d" % code if code else "")
            finally:
                with open(path, "w") as f:
                    f.write(original)
        results.append((mutant["id"], verdict))
        print("%-12s %-40s %5.0f s  %s" % (verdict, mutant["id"], time.monotonic() - started, detail))
        sys.stdout.flush()

    suite.build()  # leaves the scratch build as the tree is
    counted = [v for _, v in results if v not in ("equivalent", "stale")]
    caught = counted.count("caught")
    stale = [i for i, v in results if v == "stale"]
    print("\n%s: %d of %d non-equivalent faults caught (%.1f %%), %d equivalent, %d stale" % (
        args.suite, caught, len(counted), 100.0 * caught / max(1, len(counted)),
        sum(v == "equivalent" for _, v in results), len(stale)))
    missed = [i for i, v in results if v == "NOT CAUGHT"]
    if missed:
        print("not caught: " + ", ".join(missed))
    if stale:
        print("stale: " + ", ".join(stale))
    return 0 if not missed and not stale else 1


if __name__ == "__main__":
    sys.exit(main())
