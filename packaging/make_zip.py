#!/usr/bin/python3
"""Makes a zip archive whose bytes depend only on the files put in and the given time.

    make_zip.py --time UNIX_SECONDS ARCHIVE FOLDER

Every file directly in FOLDER goes in, in name order, under its bare name, stamped with the given
time (in UTC: zip stores no time zone), with the same permissions on every machine (executables
0755, the rest 0644) and no extra fields. The deflate output depends on zlib's version only.
"""

import argparse
import os
import pathlib
import sys
import time
import zipfile

# A zip time can't be earlier than 1980.
EARLIEST = 315532800


def make_zip(archive, folder, stamp):
    date_time = time.gmtime(max(stamp, EARLIEST))[:6]
    files = sorted(p for p in pathlib.Path(folder).iterdir() if p.is_file())
    if not files:
        raise ValueError(f"{folder} holds no files")
    partial = pathlib.Path(str(archive) + ".part")
    with zipfile.ZipFile(partial, "w") as zf:
        for path in files:
            info = zipfile.ZipInfo(path.name, date_time)
            info.create_system = 3  # Unix, so that the permissions below are read
            mode = 0o755 if path.suffix.lower() == ".exe" else 0o644
            info.external_attr = (0o100000 | mode) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                zf.writestr(info, f.read(), compresslevel=9)
    os.replace(partial, archive)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--time", type=int, required=True)
    parser.add_argument("archive")
    parser.add_argument("folder")
    args = parser.parse_args()
    make_zip(args.archive, args.folder, args.time)
    return 0


if __name__ == "__main__":
    sys.exit(main())
