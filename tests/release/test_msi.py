"""The installer, installed and removed silently by Wine's msiexec, the way
fleet tools deploy software, in the test run's private Wine prefix.

Wine's msiexec puts the Start-menu shortcut of a per-machine package in the
user's own Start menu rather than the common one; Windows puts it in the
common one (ProgramData). The shortcut is looked for in both, and the package
is checked to ask for the common one (ALLUSERS=1, ProgramMenuFolder).
"""
import glob
import hashlib
import os
import struct
import subprocess
import sys
import tempfile
import unittest

import pytest

import wine
from program import EXE

SOURCE = os.environ["KESTRANE_SOURCE_DIR"]
INSTALL_FOLDER = "C:\\Program Files\\KESTRANE\\"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
PRODUCTS_KEY = r"HKLM\Software\Classes\Installer\Products"
ADMINS_BATCH = "@echo off\r\necho the administrator's own batch file\r\n"


def read(path):
    with open(path, "rb") as f:
        return f.read()


def make_msi(version, folder, name=None):
    path = os.path.join(folder, name or "KESTRANE-%s.msi" % version)
    subprocess.run(["bash", os.path.join(SOURCE, "scripts", "make-msi.sh"), EXE, version, path],
                   check=True, capture_output=True, timeout=120)
    return path


def msi_table(msi, table):
    """The rows of one table of the package, as lists of texts."""
    exported = subprocess.run(["msiinfo", "export", msi, table], check=True, capture_output=True,
                              text=True).stdout
    return [line.split("\t") for line in exported.splitlines()[3:]]


def shortcut_target_and_folder(path):
    """The target path and the working folder a .lnk file names."""
    data = read(path)
    flags = struct.unpack_from("<I", data, 0x14)[0]
    has_id_list, has_link_info, is_unicode = flags & 0x1, flags & 0x2, flags & 0x80
    pos = 0x4C
    if has_id_list:
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
    target = None
    if has_link_info:
        size, _, info_flags, _, base_offset = struct.unpack_from("<IIIII", data, pos)
        if info_flags & 0x1:  # a local path
            start = pos + base_offset
            target = data[start:data.index(b"\0", start)].decode("mbcs" if os.name == "nt" else "latin-1")
        pos += size
    strings = {}
    for flag, name in ((0x4, "name"), (0x8, "relative path"), (0x10, "working folder")):
        if flags & flag:
            count = struct.unpack_from("<H", data, pos)[0]
            width = 2 if is_unicode else 1
            raw = data[pos + 2:pos + 2 + count * width]
            # Wine counts the terminating zero in, where Windows leaves it out.
            strings[name] = raw.decode("utf-16-le" if is_unicode else "latin-1").rstrip("\0")
            pos += 2 + count * width
    return target, strings.get("working folder")


class InstallerUnderWine(unittest.TestCase):

    @pytest.fixture(autouse=True, scope="class")
    def packages_on_a_session_of_their_own(self, request, testrun_uid):
        # The installer changes the whole machine: these tests get a display
        # and a copy of the prefix that no other test shares.
        wine.prepare_prefix_once(testrun_uid)
        cls = request.cls
        cls.session = wine.Session()
        # The prefix the session's Wine runs in, wherever the harness keeps it.
        drive_c = os.path.join(cls.session.env["WINEPREFIX"], "drive_c")
        cls.drive_c = drive_c
        cls.installed_exe = os.path.join(drive_c, "Program Files", "KESTRANE", "KESTRANE.exe")
        cls.start_menus = [
            os.path.join(drive_c, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs"),
            os.path.join(drive_c, "users", "*", "AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                         "Programs")]
        # Wine's menu builder would copy the shortcut into the desktop's menus
        # outside the prefix.
        cls.env = dict(cls.session.env,
                       WINEDLLOVERRIDES=cls.session.env["WINEDLLOVERRIDES"] + ";winemenubuilder.exe=d")
        cls.folder = tempfile.TemporaryDirectory(prefix="kestrane-msi-")
        version = subprocess.run([sys.executable, os.path.join(SOURCE, "scripts", "exe_version.py"),
                                  EXE], check=True, capture_output=True, text=True).stdout.strip()
        major, minor, patch = version.split(".")
        cls.version = version
        cls.newer_version = "%s.%s.%d" % (major, minor, int(patch) + 1)
        cls.msi = make_msi(version, cls.folder.name)
        cls.rebuilt_msi = make_msi(version, cls.folder.name, "rebuilt.msi")
        cls.newer_msi = make_msi(cls.newer_version, cls.folder.name)
        yield
        cls.folder.cleanup()
        cls.session.close()

    def setUp(self):
        self.remove_everything()
        self.addCleanup(self.remove_everything)

    def remove_everything(self):
        for entry in self.installed_products().values():
            self.msiexec("/x", entry["key"].rsplit("\\", 1)[1])
        batch = os.path.join(os.path.dirname(self.installed_exe), "KESTRANE.BAT")
        if os.path.exists(batch):
            os.remove(batch)
        if os.path.isdir(os.path.dirname(self.installed_exe)):
            os.rmdir(os.path.dirname(self.installed_exe))
        self.session.clear_settings()

    # Wine's msiexec and registry -----------------------------------------

    def msiexec(self, *args):
        result = subprocess.run(["wine", "msiexec"] + list(args) + ["/qn"], env=self.env,
                                capture_output=True, text=True, timeout=300)
        self.assertEqual(result.returncode, 0, "msiexec %s failed: %s" % (" ".join(args), result.stderr))

    def registry_tree(self, key):
        """{subkey: {value name: value text}} under key; a key that cannot be read fails the test."""
        result = subprocess.run(["wine", wine.REG, "query", key, "/s"], env=self.env, capture_output=True,
                                text=True, timeout=60)
        self.assertEqual(result.returncode, 0, "could not read %s: %s" % (key, result.stderr))
        tree, current = {}, None
        for line in result.stdout.splitlines():
            if line.startswith("HKEY_"):
                current = tree.setdefault(line.strip(), {"key": line.strip()})
            elif current is not None and line.startswith("    "):
                parts = line.strip().split(None, 2)
                if len(parts) >= 2:
                    current[parts[0]] = parts[2] if len(parts) == 3 else ""
        return tree

    def installed_products(self):
        """The uninstall entries of KESTRANE, by key."""
        return {key: values for key, values in self.registry_tree(UNINSTALL_KEY).items()
                if values.get("DisplayName") == "KESTRANE"}

    def shortcuts(self):
        return [path for menu in self.start_menus for path in glob.glob(os.path.join(menu, "KESTRANE.lnk"))]

    def in_prefix(self, windows_path):
        self.assertTrue(windows_path.upper().startswith("C:\\"), windows_path)
        return os.path.join(self.drive_c, *windows_path[3:].split("\\"))

    # The tests ------------------------------------------------------------

    def test_the_package_installs_for_the_whole_machine(self):
        properties = dict(row[:2] for row in msi_table(self.msi, "Property"))
        self.assertEqual(properties.get("ALLUSERS"), "1")
        shortcut = msi_table(self.msi, "Shortcut")
        self.assertEqual([(row[1], row[4], row[11]) for row in shortcut],
                         [("ProgramMenuFolder", "[#KESTRANE.exe]", "INSTALLDIR")])
        self.assertEqual(msi_table(self.msi, "Registry"), [], "the package writes to no registry key of its own")

    def test_silent_install_and_uninstall_leave_the_batch_file_and_the_stored_position(self):
        self.msiexec("/i", self.msi)

        self.assertEqual(read(self.installed_exe), read(EXE), "the installed exe is not the build")
        shortcuts = self.shortcuts()
        self.assertEqual(len(shortcuts), 1, shortcuts)
        self.assertEqual(shortcut_target_and_folder(shortcuts[0]),
                         (INSTALL_FOLDER + "KESTRANE.exe", INSTALL_FOLDER))
        entries = list(self.installed_products().values())
        self.assertEqual(len(entries), 1, entries)
        entry = entries[0]
        self.assertEqual((entry.get("DisplayVersion"), entry.get("Publisher"), entry.get("InstallLocation")),
                         (self.version, "Orwyn402", INSTALL_FOLDER))
        # Add/Remove Programs shows an installed package's icon from the file
        # the installer keeps (ARPPRODUCTICON); Wine writes no DisplayIcon.
        icons = [values.get("ProductIcon") for values in self.registry_tree(PRODUCTS_KEY).values()
                 if values.get("ProductName") == "KESTRANE"]
        self.assertEqual(len(icons), 1, icons)
        self.assertEqual(hashlib.sha256(read(self.in_prefix(icons[0]))).hexdigest(),
                         hashlib.sha256(read(os.path.join(SOURCE, "resources", "kestrane.ico"))).hexdigest())

        batch = os.path.join(os.path.dirname(self.installed_exe), "KESTRANE.BAT")
        with open(batch, "w", newline="") as f:
            f.write(ADMINS_BATCH)
        self.session.store("MainLeft", "2410")
        self.session.store("MainTop", "1275")

        self.msiexec("/x", self.msi)

        self.assertFalse(os.path.exists(self.installed_exe), "the exe is still installed")
        self.assertEqual(self.shortcuts(), [])
        self.assertEqual(self.installed_products(), {})
        with open(batch, newline="") as f:
            self.assertEqual(f.read(), ADMINS_BATCH)
        self.assertEqual((self.session.stored("MainLeft"), self.session.stored("MainTop")), ("2410", "1275"))

    def test_a_rebuilt_package_is_the_same_product_and_a_newer_one_replaces_it(self):
        self.msiexec("/i", self.msi)
        self.msiexec("/i", self.rebuilt_msi)
        entries = list(self.installed_products().values())
        self.assertEqual([entry.get("DisplayVersion") for entry in entries], [self.version])

        self.msiexec("/i", self.newer_msi)

        entries = list(self.installed_products().values())
        self.assertEqual([entry.get("DisplayVersion") for entry in entries], [self.newer_version])
        self.assertEqual(read(self.installed_exe), read(EXE))
        self.assertEqual(len(self.shortcuts()), 1)

