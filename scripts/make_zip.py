"""Writes the portable zip the same way every time: the same entries in the
same order, with one fixed date, fixed attributes and fixed compression, so
that the same files always give the same zip, byte for byte.

Usage: /usr/bin/python3 scripts/make_zip.py OUTPUT.zip NAME=PATH ...
A NAME ending in .txt is stored with CRLF line ends, for Notepad.
The date is SOURCE_DATE_EPOCH when set, else 1 January 2000.
"""
import os
import sys
import time
import zipfile

FILE_ATTRIBUTE_ARCHIVE = 0x20


def entry_date():
    seconds = int(os.environ.get("SOURCE_DATE_EPOCH", "946684800"))
    # A zip stores local times from 1980 on, to even seconds.
    return time.gmtime(max(seconds, 315532800))[:6]


def contents(name, path):
    with open(path, "rb") as f:
        data = f.read()
    if name.lower().endswith(".txt"):
        data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    return data


def main(output, entries):
    date = entry_date()
    with zipfile.ZipFile(output + ".part", "w") as archive:
        for name, path in (entry.split("=", 1) for entry in entries):
            info = zipfile.ZipInfo(name, date_time=date)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # made on Windows: attributes are DOS ones
            info.external_attr = FILE_ATTRIBUTE_ARCHIVE
            archive.writestr(info, contents(name, path), compresslevel=9)
    os.replace(output + ".part", output)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
