#!/usr/bin/env python3
"""Packs a folder into a zip whose bytes depend on the files alone: entries
in name order under one top folder, each with the same time (the commit's,
from SOURCE_DATE_EPOCH, else a fixed one), the same permissions and no
extra fields, so that two builds of one commit give the same zip.

Usage: make-zip.py FOLDER TOP ZIP    (the files of FOLDER as TOP/... in ZIP)
"""
import os
import sys
import time
import zipfile

# The zip format cannot say a time before 1980; a commit is never that old.
FIXED_TIME = 1767225600  # 2026-01-01 00:00:00 UTC


def entry_time():
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", FIXED_TIME))
    return time.gmtime(max(epoch, 315532800))[:6]


def entry(name, when, mode):
    info = zipfile.ZipInfo(name, when)
    info.create_system = 3  # Unix, so that the permissions below are read
    info.external_attr = mode << 16
    return info


def make_zip(folder, top, target):
    files = []
    for root, dirs, names in os.walk(folder):
        dirs.sort()
        for name in names:
            path = os.path.join(root, name)
            files.append(os.path.relpath(path, folder).replace(os.sep, "/"))
    if not files:
        raise SystemExit("make-zip.py: nothing to pack in " + folder)
    when = entry_time()
    with zipfile.ZipFile(target, "w") as archive:
        folder_entry = entry(top + "/", when, 0o40755)
        folder_entry.external_attr |= 0x10  # MS-DOS directory flag
        archive.writestr(folder_entry, b"")
        for name in sorted(files):
            info = entry(top + "/" + name, when, 0o100644)
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__.strip().splitlines()[-1])
    make_zip(argv[1], argv[2], argv[3])


if __name__ == "__main__":
    main(sys.argv)
