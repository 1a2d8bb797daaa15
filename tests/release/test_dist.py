"""The release files `make dist` writes: what the zip holds, that the
checksums match, that a second run from a copy of the build made at another
time gives the same zip, and that signing keeps the exe checkable against
the reproducible build.

Environment: KESTRANE_SOURCE_DIR and KESTRANE_WIN_BUILD (the build's folder).
"""
import os
import shutil
import subprocess
import tempfile
import unittest
import zipfile

SOURCE = os.environ["KESTRANE_SOURCE_DIR"]
BUILD = os.environ["KESTRANE_WIN_BUILD"]
DIST = os.path.join(SOURCE, "scripts", "dist.sh")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def make_dist(folder, build=BUILD, **environment):
    env = dict(os.environ, KESTRANE_WIN_BUILD=build, KESTRANE_DIST_DIR=folder, **environment)
    for name in ("KESTRANE_SIGN_PFX", "KESTRANE_SIGN_PASSWORD", "KESTRANE_SIGN_TIMESTAMP_URL"):
        if name not in environment:
            env.pop(name, None)
    subprocess.run(["bash", DIST], env=env, check=True, capture_output=True, timeout=300)
    return sorted(os.listdir(folder))


class Release(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory(prefix="kestrane-dist-")
        cls.dist = os.path.join(cls.scratch.name, "dist")
        cls.files = make_dist(cls.dist)

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def test_the_files_are_named_after_the_exes_version_and_match_their_checksums(self):
        self.assertEqual(self.files, ["KESTRANE-1.0.0-portable.zip", "KESTRANE-1.0.0.msi",
                                      "KESTRANE.exe", "SHA256SUMS"])
        check = subprocess.run(["sha256sum", "--check", "--strict", "SHA256SUMS"], cwd=self.dist,
                               capture_output=True, text=True)
        self.assertEqual(check.returncode, 0, check.stdout + check.stderr)
        self.assertEqual(len(check.stdout.splitlines()), 3, check.stdout)
        self.assertEqual(read(os.path.join(self.dist, "KESTRANE.exe")), read(os.path.join(BUILD, "KESTRANE.exe")))

    def test_the_zip_holds_the_exe_the_example_batch_file_and_a_windows_readme(self):
        with zipfile.ZipFile(os.path.join(self.dist, "KESTRANE-1.0.0-portable.zip")) as archive:
            self.assertEqual(archive.namelist(), ["KESTRANE.exe", "KESTRANE.BAT.example", "README.txt"])
            self.assertEqual(archive.read("KESTRANE.exe"), read(os.path.join(BUILD, "KESTRANE.exe")))
            self.assertEqual(archive.read("KESTRANE.BAT.example"),
                             read(os.path.join(SOURCE, "examples", "KESTRANE.BAT")))
            readme = archive.read("README.txt")
        lines = readme.split(b"\r\n")
        self.assertGreater(len(lines), 20)
        self.assertEqual([line for line in lines if b"\n" in line or b"\r" in line], [],
                         "README.txt has a line not ended by CRLF")
        for needed in (b"KESTRANE.BAT", b"C:\\Program Files\\KESTRANE", b"Shift+F10", b"Alt+Space",
                       b"screen reader", b"User Account Control"):
            self.assertIn(needed, readme)

    def test_a_later_run_from_a_copy_of_the_build_gives_the_same_zip(self):
        copy = os.path.join(self.scratch.name, "copied build")
        os.makedirs(copy)
        shutil.copy(os.path.join(BUILD, "KESTRANE.exe"), copy)  # a new file time
        os.utime(os.path.join(copy, "KESTRANE.exe"), (1234567890, 1234567890))
        again = os.path.join(self.scratch.name, "again")
        make_dist(again, build=copy, TZ="Pacific/Kiritimati")
        name = "KESTRANE-1.0.0-portable.zip"
        self.assertEqual(read(os.path.join(again, name)), read(os.path.join(self.dist, name)))

    def test_a_signed_release_verifies_and_without_its_signature_is_the_reproducible_exe(self):
        keys = os.path.join(self.scratch.name, "throwaway certificate")
        os.makedirs(keys)
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=KESTRANE test signer", "-addext", "extendedKeyUsage=codeSigning",
                        "-keyout", "key.pem", "-out", "cert.pem"], cwd=keys, check=True, capture_output=True)
        subprocess.run(["openssl", "pkcs12", "-export", "-inkey", "key.pem", "-in", "cert.pem",
                        "-out", "signer.pfx", "-passout", "pass:not a secret"], cwd=keys, check=True,
                       capture_output=True)
        signed = os.path.join(self.scratch.name, "signed")
        make_dist(signed, KESTRANE_SIGN_PFX=os.path.join(keys, "signer.pfx"),
                  KESTRANE_SIGN_PASSWORD="not a secret")

        for name in ("KESTRANE.exe", "KESTRANE-1.0.0.msi"):
            verify = subprocess.run(["osslsigncode", "verify", "-CAfile", os.path.join(keys, "cert.pem"),
                                     "-in", os.path.join(signed, name)], capture_output=True, text=True)
            self.assertEqual(verify.returncode, 0, name + ": " + verify.stdout + verify.stderr)
        check = subprocess.run(["sha256sum", "--check", "--strict", "SHA256SUMS"], cwd=signed,
                               capture_output=True, text=True)
        self.assertEqual(check.returncode, 0, check.stdout + check.stderr)

        unsigned = os.path.join(self.scratch.name, "signature removed.exe")
        subprocess.run(["osslsigncode", "remove-signature", "-in", os.path.join(signed, "KESTRANE.exe"),
                        "-out", unsigned], check=True, capture_output=True)
        self.assertEqual(read(unsigned), read(os.path.join(BUILD, "KESTRANE.exe")))
        # The zip and the installer carry the signed exe.
        with zipfile.ZipFile(os.path.join(signed, "KESTRANE-1.0.0-portable.zip")) as archive:
            self.assertEqual(archive.read("KESTRANE.exe"), read(os.path.join(signed, "KESTRANE.exe")))
        extracted = os.path.join(self.scratch.name, "extracted")
        subprocess.run(["msiextract", "-C", extracted, os.path.join(signed, "KESTRANE-1.0.0.msi")],
                       check=True, capture_output=True)
        self.assertEqual(read(os.path.join(extracted, "KESTRANE", "KESTRANE.exe")),
                         read(os.path.join(signed, "KESTRANE.exe")))

