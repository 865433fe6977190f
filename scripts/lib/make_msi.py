#!/usr/bin/env python3
"""Writes the per-user installer from package/Torvane.wxs with wixl.

    make_msi.py OUT.msi VERSION WXS EXE ICO README-zh README-en

The same inputs give the same bytes. wixl stamps the summary information
with the time of the build and a random package code, and the cabinet with
the files' times; the files are staged with one fixed time (SOURCE_DATE_EPOCH
when set, else 1980-01-01, as in the zip), the two summary times are set to
it, and the package code is derived from the finished package itself.

wixl writes every table in a code page that has no Chinese, dropping such
text without a word: the database is given code page 936 with msibuild and
the downgrade message is written again from the .wxs.
"""
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import uuid
import xml.etree.ElementTree as ET

WIX = "{http://schemas.microsoft.com/wix/2006/wi}"
DEFAULT_EPOCH = 315532800  # 1980-01-01 00:00 UTC, the earliest a cabinet can hold
CODEPAGE = 936
LANGUAGE = "2052"
STAGED = {"EXE": "Torvane.exe", "ICO": "tv.ico", "README-zh": "README-zh.txt", "README-en": "README-en.txt"}


def fail(message):
    sys.exit(f"make_msi: {message}")


def msi_version(text):
    """Windows Installer compares only major.minor.build, within 255.255.65535."""
    if not re.fullmatch(r"\d+(\.\d+){0,2}", text):
        fail(f"'{text}' is not a version of one to three numbers")
    parts = [int(p) for p in text.split(".")] + [0, 0]
    major, minor, build = parts[:3]
    if major > 255 or minor > 255 or build > 65535:
        fail(f"'{text}' is out of range for an installer (255.255.65535 at most)")
    return f"{major}.{minor}.{build}"


def read_wxs(path):
    """The upgrade code and the downgrade message; refuses any other
    non-ASCII text, which wixl would silently drop."""
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError) as error:
        fail(f"cannot read {path}: {error}")
    product = root.find(f"{WIX}Product")
    major = product.find(f"{WIX}MajorUpgrade") if product is not None else None
    if product is None or major is None or "UpgradeCode" not in product.attrib:
        fail(f"{path} has no Product with an UpgradeCode and a MajorUpgrade")
    message = major.get("DowngradeErrorMessage", "")
    for element in root.iter():
        texts = [(k, v) for k, v in element.attrib.items()] + [("text", element.text or "")]
        for key, value in texts:
            if not value.isascii() and not (element is major and key == "DowngradeErrorMessage"):
                fail(f"{path}: non-ASCII {element.tag.replace(WIX, '')}/@{key} would be lost by wixl")
    try:
        message.encode("gbk")
    except UnicodeEncodeError:
        fail("the downgrade message has characters outside code page 936")
    if "'" in message:
        fail("the downgrade message cannot hold a quote")
    return uuid.UUID(product.get("UpgradeCode")), message


def run(args, cwd):
    # TZ pinned: the cabinet's DOS times are local times.
    env = dict(os.environ, TZ="UTC", LC_ALL="C.UTF-8")
    try:
        result = subprocess.run(args, cwd=cwd, env=env, capture_output=True, text=True)
    except OSError as error:
        fail(f"cannot run {args[0]} ({error.strerror}); run scripts/lib/install-deps.sh")
    # wixl reports an attribute it does not know as a GLib warning and goes on
    # without it; that is a fault in the .wxs here.
    if result.returncode != 0 or "WARNING" in result.stderr or "CRITICAL" in result.stderr:
        fail(f"{args[0]} failed:\n{result.stderr.strip()}")


class CompoundFile:
    """Just enough of the compound file format to rewrite one stream in place."""

    def __init__(self, data):
        if data[:8] != bytes.fromhex("d0cf11e0a1b11ae1"):
            fail("wixl's output is not a compound file")
        self.data = data
        self.sector = 1 << struct.unpack_from("<H", data, 0x1E)[0]
        self.mini = 1 << struct.unpack_from("<H", data, 0x20)[0]
        self.cutoff = struct.unpack_from("<I", data, 0x38)[0]
        fat_sectors = list(struct.unpack_from("<109I", data, 0x4C))
        next_difat, count = struct.unpack_from("<II", data, 0x44)
        for _ in range(count):
            per = self.sector // 4 - 1
            block = struct.unpack_from(f"<{per + 1}I", data, self.offset(next_difat))
            fat_sectors += block[:per]
            next_difat = block[per]
        nfat = struct.unpack_from("<I", data, 0x2C)[0]
        self.fat = []
        for s in fat_sectors[:nfat]:
            self.fat += struct.unpack_from(f"<{self.sector // 4}I", data, self.offset(s))
        minifat = b"".join(self.read_chain(struct.unpack_from("<I", data, 0x3C)[0]))
        self.minifat = struct.unpack(f"<{len(minifat) // 4}I", minifat)
        self.entries = self.read_chain(struct.unpack_from("<I", data, 0x30)[0])

    def offset(self, sector):
        return (sector + 1) * self.sector

    def chain(self, start, table):
        seen = []
        while start < 0xFFFFFFFA:
            if start in seen or start >= len(table):
                fail("broken sector chain in wixl's output")
            seen.append(start)
            start = table[start]
        return seen

    def read_chain(self, start):
        return [self.data[self.offset(s):self.offset(s) + self.sector] for s in self.chain(start, self.fat)]

    def directory(self):
        for block in self.entries:
            for at in range(0, len(block), 128):
                entry = block[at:at + 128]
                length = struct.unpack_from("<H", entry, 0x40)[0]
                name = entry[:max(length - 2, 0)].decode("utf-16-le", "replace")
                start, size = struct.unpack_from("<II", entry, 0x74)
                yield name, entry[0x42], start, size

    def extents(self, wanted):
        """File offsets, in order, of each piece of the named stream."""
        entries = list(self.directory())
        root = next(e for e in entries if e[1] == 5)
        for name, kind, start, size in entries:
            if kind != 2 or name != wanted:
                continue
            if size >= self.cutoff:
                pieces = [(self.offset(s), self.sector) for s in self.chain(start, self.fat)]
            else:
                container = self.chain(root[2], self.fat)
                pieces = []
                for m in self.chain(start, self.minifat):
                    at = m * self.mini
                    pieces.append((self.offset(container[at // self.sector]) + at % self.sector, self.mini))
            out, left = [], size
            for at, length in pieces:
                out.append((at, min(length, left)))
                left -= out[-1][1]
            return out
        fail(f"no {wanted!r} stream in wixl's output")


def patch_summary(data, epoch, package_code):
    """The summary's language, times and package code, each rewritten at the
    same length so that nothing else in the file moves."""
    cf = CompoundFile(bytes(data))
    pieces = cf.extents("\x05SummaryInformation")
    stream = bytearray(b"".join(data[at:at + n] for at, n in pieces))
    section = struct.unpack_from("<I", stream, 44)[0]
    count = struct.unpack_from("<I", stream, section + 4)[0]
    props = {}
    for i in range(count):
        pid, at = struct.unpack_from("<II", stream, section + 8 + 8 * i)
        props[pid] = section + at

    def text(pid, value):
        at = props.get(pid)
        if at is None or struct.unpack_from("<I", stream, at)[0] != 30:
            fail(f"summary property {pid} missing or not text")
        size = struct.unpack_from("<I", stream, at + 4)[0]
        raw = value.encode("ascii") + b"\0"
        if len(raw) != size:
            fail(f"summary property {pid}: {value!r} does not fit the {size - 1} characters wixl wrote")
        stream[at + 8:at + 8 + size] = raw

    def old_text(pid):
        at = props[pid]
        size = struct.unpack_from("<I", stream, at + 4)[0]
        return bytes(stream[at + 8:at + 7 + size]).decode("ascii")

    at = props.get(1)
    if at is None or struct.unpack_from("<Ih", stream, at) != (2, CODEPAGE):
        fail(f"the summary information is not in code page {CODEPAGE}")
    platform = old_text(7).split(";")[0]
    text(7, f"{platform};{LANGUAGE}")
    text(9, "{%s}" % str(package_code).upper())
    filetime = (epoch + 11644473600) * 10_000_000
    for pid in (12, 13):
        at = props.get(pid)
        if at is None or struct.unpack_from("<I", stream, at)[0] != 64:
            fail(f"summary property {pid} missing or not a time")
        struct.pack_into("<Q", stream, at + 4, filetime)
    done = 0
    for at, n in pieces:
        data[at:at + n] = stream[done:done + n]
        done += n


def main(argv):
    if len(argv) != 8:
        fail("usage: make_msi.py OUT.msi VERSION WXS EXE ICO README-zh README-en")
    out, version, wxs = argv[1], argv[2], argv[3]
    # "7.2" and "7.2.0" are one version to Windows Installer.
    compared = msi_version(version)
    inputs = dict(zip(STAGED, argv[4:]))
    upgrade_code, message = read_wxs(wxs)
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH") or DEFAULT_EPOCH)
    epoch = max(epoch, DEFAULT_EPOCH)
    # One product code per version: installing a version that is already
    # there can only repair it, never add a second entry.
    product_code = uuid.uuid5(upgrade_code, f"Torvane {compared}")

    with tempfile.TemporaryDirectory(prefix="torvane-msi.") as stage:
        for key, path in inputs.items():
            target = os.path.join(stage, STAGED[key])
            try:
                shutil.copyfile(path, target)
            except OSError as error:
                fail(f"cannot read {path}: {error.strerror}")
            os.utime(target, (epoch, epoch))
        shutil.copyfile(wxs, os.path.join(stage, "Torvane.wxs"))
        msi = os.path.join(stage, "out.msi")
        run(["wixl", "-a", "x64", "-D", f"Version={version}", "-D", f"ProductCode={product_code}",
             "-o", msi, "Torvane.wxs"], stage)
        with open(os.path.join(stage, "_ForceCodepage.idt"), "w", newline="") as f:
            f.write(f"\r\n\r\n{CODEPAGE}\t_ForceCodepage\r\n")
        run(["msibuild", msi, "-i", "_ForceCodepage.idt"], stage)
        if message:
            run(["msibuild", msi, "-q", "UPDATE `LaunchCondition` SET `Description` = "
                 f"'{message}' WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'"], stage)
        with open(msi, "rb") as f:
            data = bytearray(f.read())
        if message and message.encode("gbk") not in data:
            fail("the downgrade message did not reach the package")
        # The package code names these exact bytes: a hash of the package
        # with the code itself left blank.
        patch_summary(data, epoch, uuid.UUID(int=0))
        package_code = uuid.uuid5(upgrade_code, "package " + hashlib.sha256(data).hexdigest())
        patch_summary(data, epoch, package_code)

    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    partial = out + ".partial"
    with open(partial, "wb") as f:
        f.write(data)
    os.replace(partial, out)


if __name__ == "__main__":
    main(sys.argv)
