"""Prints the version in KESTRANE.exe's version block as major.minor.patch.

Usage: /usr/bin/python3 scripts/exe_version.py PATH_TO_EXE
The release files are named after this number, so that they can never claim
another version than the program they carry.
"""
import sys

import pefile

exe = pefile.PE(sys.argv[1], fast_load=True)
exe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
fixed = exe.VS_FIXEDFILEINFO[0]
print("%d.%d.%d" % (fixed.ProductVersionMS >> 16, fixed.ProductVersionMS & 0xFFFF,
                    fixed.ProductVersionLS >> 16))
