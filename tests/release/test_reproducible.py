"""Builds KESTRANE.exe a second time, from a copy of the source in another
folder, and checks that it is the same file byte for byte as the first build.

Anyone can then check a release: build the same commit anywhere and compare
checksums. Only the program itself is built the second time, to keep the
check cheap.

Environment: KESTRANE_SOURCE_DIR (the tree the first build came from) and
KESTRANE_WIN_BUILD (the first build's folder).
"""
import os
import shutil
import subprocess
import tempfile
import unittest

SOURCE = os.environ["KESTRANE_SOURCE_DIR"]
FIRST_EXE = os.path.join(os.environ["KESTRANE_WIN_BUILD"], "KESTRANE.exe")
JOBS = os.environ.get("JOBS", "2")


def copy_source(destination):
    """The files a clone of this tree would have, with any changes not yet committed."""
    listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                            cwd=SOURCE, check=True, capture_output=True).stdout
    for name in filter(None, listed.decode().split("\0")):
        source = os.path.join(SOURCE, name)
        if not os.path.isfile(source):
            continue  # deleted but not yet committed
        target = os.path.join(destination, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(source, target)


def differing_offsets(a, b):
    offsets = [i for i, (x, y) in enumerate(zip(a, b)) if x != y]
    return offsets + list(range(min(len(a), len(b)), max(len(a), len(b))))


class ReproducibleBuild(unittest.TestCase):

    def test_a_build_elsewhere_later_is_the_same_file(self):
        with open(FIRST_EXE, "rb") as f:
            first = f.read()
        with tempfile.TemporaryDirectory(prefix="kestrane-second-build-") as scratch:
            # A deeper, differently named folder than the first build's.
            source = os.path.join(scratch, "another", "checkout")
            build = os.path.join(scratch, "out-of-tree")
            copy_source(source)
            # Another time zone and locale, as on another builder's machine.
            env = dict(os.environ, TZ="Pacific/Kiritimati", LC_ALL="C", LANG="C")
            subprocess.run(["cmake", "-S", source, "-B", build,
                            "-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake",
                            "-DCMAKE_BUILD_TYPE=Release", "-DBUILD_TESTING=OFF"],
                           env=env, check=True, capture_output=True)
            subprocess.run(["cmake", "--build", build, "--target", "KESTRANE", "-j" + JOBS],
                           env=env, check=True, capture_output=True)
            with open(os.path.join(build, "KESTRANE.exe"), "rb") as f:
                second = f.read()
        offsets = differing_offsets(first, second)
        self.assertEqual(offsets, [], "%d bytes differ, the first at offsets %s"
                         % (len(offsets), [hex(o) for o in offsets[:8]]))
        self.assertLessEqual(len(first), 600 * 1024, "KESTRANE.exe has grown past 600 KiB")

