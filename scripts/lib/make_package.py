#!/usr/bin/env python3
"""Writes the portable zip: the given files under one top folder.

    make_package.py OUT.zip FOLDER FILE...

The same files give the same bytes: entries sorted, one fixed time stamp
(SOURCE_DATE_EPOCH when set), fixed attributes. Names stay ASCII, since zip
tools disagree on how to read any other name. Text files must already be
UTF-8 with a BOM and CRLF line ends: Notepad on older Windows shows anything
else garbled or as one line.
"""
import os
import sys
import time
import zipfile

# The earliest time a zip can hold; used when SOURCE_DATE_EPOCH is not set.
DEFAULT_TIME = (1980, 1, 1, 0, 0, 0)


def fail(message):
    sys.exit(f"make_package: {message}")


def entry_time():
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        return DEFAULT_TIME
    stamp = time.gmtime(int(epoch))
    if stamp.tm_year < 1980:
        return DEFAULT_TIME
    return stamp[:6]


def check_name(name):
    if not name.isascii() or not name.isprintable() or "/" in name or "\\" in name or name in (".", ".."):
        fail(f"'{name}' is not a plain ASCII file name")


def check_text(path, data):
    if not data.startswith(b"\xef\xbb\xbf"):
        fail(f"{path} has no UTF-8 BOM")
    try:
        data.decode("utf-8")
    except UnicodeDecodeError as error:
        fail(f"{path} is not UTF-8: {error}")
    if data.count(b"\n") != data.count(b"\r\n") or data.count(b"\r") != data.count(b"\r\n"):
        fail(f"{path} has line ends other than CRLF")


def info(name, stamp, mode):
    entry = zipfile.ZipInfo(name, date_time=stamp)
    entry.create_system = 3  # Unix, so the mode below is what is read back
    entry.external_attr = mode << 16
    if name.endswith("/"):
        entry.external_attr |= 0x10  # MS-DOS directory flag
    else:
        entry.compress_type = zipfile.ZIP_DEFLATED
    return entry


def main(argv):
    if len(argv) < 4:
        fail("usage: make_package.py OUT.zip FOLDER FILE...")
    out, folder, paths = argv[1], argv[2], argv[3:]
    check_name(folder)
    files = {}
    for path in paths:
        name = os.path.basename(path)
        check_name(name)
        if name in files:
            fail(f"two files named {name}")
        try:
            with open(path, "rb") as f:
                data = f.read()
        except OSError as error:
            fail(f"cannot read {path}: {error.strerror}")
        if name.lower().endswith(".txt"):
            check_text(path, data)
        files[name] = data

    stamp = entry_time()
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    # Written aside and renamed, so a failed run never leaves a partial zip
    # under the real name.
    partial = out + ".partial"
    with zipfile.ZipFile(partial, "w", compresslevel=9) as archive:
        archive.writestr(info(folder + "/", stamp, 0o40755), b"")
        for name in sorted(files):
            mode = 0o100755 if name.lower().endswith(".exe") else 0o100644
            archive.writestr(info(f"{folder}/{name}", stamp, mode), files[name])
    os.replace(partial, out)


if __name__ == "__main__":
    main(sys.argv)
