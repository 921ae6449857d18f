#!/usr/bin/env python3
"""Writes the Windows Installer package Ember_Lantern-<version>.msi with
Debian's wixl (packaging/installer.wxs) from a folder that holds the two
programs.

The same programs give the same package, byte for byte:
- the programs and the icon are staged with one fixed time (SOURCE_DATE_EPOCH
  when set, else 1980-01-01) and one mode, and wixl runs in UTC, so the
  cabinet inside stores the same date for each file;
- the product code is made from the version (one per version, as a major
  upgrade needs), the upgrade code and the components' codes are fixed in
  installer.wxs;
- wixl writes a random package code and the time of the build into the
  summary information. The package code must differ between packages that
  differ (Windows Installer caches a package by it), so it is made from a
  digest of everything the package is made of: the source, the version and
  the staged files. The two times become the staged files' time. Both are
  rewritten in place in the summary information stream, which keeps its
  length (the code is always 38 characters).

The tests may build it with a test seam (installer.wxs says what it does); a
download never has one.
"""
import argparse
import hashlib
import os
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile
import uuid

from make_installer import EARLIEST_ZIP_TIME, upgrade_code, version_number

PROGRAMS = ("Ember_Lantern.scr", "Ember_Lantern.dll")
HERE = pathlib.Path(__file__).resolve().parent
SOURCE = HERE / "installer.wxs"
ICON = HERE.parent / "saver" / "pictures" / "ember_lantern.ico"
# Product and package codes are name-based UUIDs within the upgrade code's namespace.
CODE_NAMESPACE = uuid.UUID(upgrade_code())
# What a test build may add (installer.wxs): also refusing over the tests'
# 64-bit twin of setup.exe, which registers in the 64-bit view.
TEST_SEAMS = ("TEST_64_BIT_SETUP",)


def msi_name(version):
    return f"Ember_Lantern-{version}.msi"


def product_version(version):
    """"1.00" -> "1.0.0": the three fields Windows Installer compares."""
    return ".".join(version_number(version).split(".")[:3])


def product_code(version):
    return "{" + str(uuid.uuid5(CODE_NAMESPACE, "ProductCode " + product_version(version))).upper() + "}"


def package_code(*parts):
    digest = hashlib.sha256()
    for part in parts:
        digest.update(hashlib.sha256(part).digest())
    return "{" + str(uuid.uuid5(CODE_NAMESPACE, "PackageCode " + digest.hexdigest())).upper() + "}"


def filetime(epoch):
    """Seconds since 1970 as a FILETIME: 100 ns steps since 1601."""
    return (epoch + 11644473600) * 10_000_000


# --- the compound file (MS-CFB) around the database ------------------------
class CompoundFile:
    """Just enough of a compound file to find a stream's bytes in it."""

    FREE_OR_END = 0xFFFFFFFA  # sector numbers at and above this end a chain

    def __init__(self, blob):
        if blob[:8] != bytes.fromhex("D0CF11E0A1B11AE1"):
            raise ValueError("not a compound file")
        self.blob = blob
        self.sector_size = 1 << struct.unpack_from("<H", blob, 0x1E)[0]
        self.mini_size = 1 << struct.unpack_from("<H", blob, 0x20)[0]
        (self.fat_count, self.directory_start, _, self.mini_cutoff, self.minifat_start, _,
         difat_start, difat_count) = struct.unpack_from("<IIIIIIII", blob, 0x2C)
        fat_sectors = list(struct.unpack_from("<109I", blob, 0x4C))
        per_sector = self.sector_size // 4
        sector = difat_start
        for _ in range(difat_count):
            entries = struct.unpack_from(f"<{per_sector}I", blob, self.offset(sector))
            fat_sectors += entries[:-1]
            sector = entries[-1]
        self.fat = []
        for sector in fat_sectors[:self.fat_count]:
            self.fat += struct.unpack_from(f"<{per_sector}I", blob, self.offset(sector))
        self.minifat = []
        for piece in self.chain(self.minifat_start):
            self.minifat += struct.unpack_from(f"<{per_sector}I", blob, piece)
        directory = b"".join(blob[p:p + self.sector_size] for p in self.chain(self.directory_start))
        self.entries = [directory[i:i + 128] for i in range(0, len(directory), 128)]
        root = self.entries[0]
        self.mini_stream = list(self.chain(struct.unpack_from("<I", root, 0x74)[0]))

    def offset(self, sector):
        return (sector + 1) * self.sector_size

    def chain(self, sector):
        seen = 0
        while sector < self.FREE_OR_END:
            yield self.offset(sector)
            sector = self.fat[sector]
            seen += 1
            if seen > len(self.fat):
                raise ValueError("a sector chain runs in a circle")

    def stream_pieces(self, name):
        """[(offset in the file, length), ...] that hold the named stream."""
        for entry in self.entries:
            length = struct.unpack_from("<H", entry, 0x40)[0]
            if entry[0x42] == 2 and entry[:max(length - 2, 0)].decode("utf-16-le") == name:
                start, size = struct.unpack_from("<IQ", entry, 0x74)
                if self.sector_size == 512:
                    size &= 0xFFFFFFFF
                break
        else:
            raise KeyError(name)
        pieces = []
        if size < self.mini_cutoff:
            # Mini sectors lie one after another in the root entry's stream.
            sector = start
            while sector < self.FREE_OR_END and len(pieces) * self.mini_size < size:
                big, within = divmod(sector * self.mini_size, self.sector_size)
                pieces.append((self.mini_stream[big] + within, self.mini_size))
                sector = self.minifat[sector]
        else:
            pieces = [(p, self.sector_size) for p in self.chain(start)]
        left, trimmed = size, []
        for at, n in pieces:
            trimmed.append((at, min(n, left)))
            left -= trimmed[-1][1]
            if left == 0:
                break
        return trimmed


SUMMARY_STREAM = "\x05SummaryInformation"
PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM = 9, 12, 13
VT_LPSTR, VT_FILETIME = 0x1E, 0x40


def summary_values(stream):
    """{property id: (offset of its value in the stream, type)}."""
    section = struct.unpack_from("<I", stream, 28 + 16)[0]
    count = struct.unpack_from("<I", stream, section + 4)[0]
    values = {}
    for i in range(count):
        pid, at = struct.unpack_from("<II", stream, section + 8 + 8 * i)
        values[pid] = (section + at, struct.unpack_from("<I", stream, section + at)[0] & 0xFFFF)
    return values


def rewrite_summary(blob, code, epoch):
    """The package's bytes with its package code and its two times set."""
    cfb = CompoundFile(blob)
    pieces = cfb.stream_pieces(SUMMARY_STREAM)
    stream = bytearray(b"".join(blob[at:at + n] for at, n in pieces))
    values = summary_values(stream)
    at, kind = values[PID_REVNUMBER]
    length = struct.unpack_from("<I", stream, at + 4)[0]
    new = code.encode("ascii") + b"\0"
    if kind != VT_LPSTR or length != len(new):
        raise ValueError(f"unexpected package code field (type {kind:#x}, {length} bytes)")
    stream[at + 8:at + 8 + length] = new
    for pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM):
        at, kind = values[pid]
        if kind != VT_FILETIME:
            raise ValueError(f"unexpected time field {pid} (type {kind:#x})")
        struct.pack_into("<Q", stream, at + 4, filetime(epoch))
    out, done = bytearray(blob), 0
    for at, n in pieces:
        out[at:at + n] = stream[done:done + n]
        done += n
    return bytes(out)


def read_summary(blob):
    """(package code, creation FILETIME, last-saved FILETIME) of a package."""
    cfb = CompoundFile(blob)
    stream = b"".join(blob[at:at + n] for at, n in cfb.stream_pieces(SUMMARY_STREAM))
    values = summary_values(stream)
    at, _ = values[PID_REVNUMBER]
    length = struct.unpack_from("<I", stream, at + 4)[0]
    code = stream[at + 8:at + 8 + length].rstrip(b"\0").decode("ascii")
    times = [struct.unpack_from("<Q", stream, values[pid][0] + 4)[0] for pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM)]
    return code, *times


def build_msi(bin_dir, version, out_path, test_seams=()):
    unknown = set(test_seams) - set(TEST_SEAMS)
    if unknown:
        raise ValueError(f"unknown test seams {sorted(unknown)}")
    stamp = max(int(os.environ.get("SOURCE_DATE_EPOCH", "0")), EARLIEST_ZIP_TIME)
    out_path = pathlib.Path(out_path).resolve()
    out_path.parent.mkdir(parents=True, exist_ok=True)
    source = SOURCE.read_bytes()
    defines = {"Version": product_version(version), "DisplayVersion": version, "ProductCode": product_code(version),
               "Test64BitSetup": "yes" if "TEST_64_BIT_SETUP" in test_seams else "no"}
    with tempfile.TemporaryDirectory(prefix="el-msi-") as staging:
        staging = pathlib.Path(staging)
        staged = [(pathlib.Path(bin_dir) / name, staging / name) for name in PROGRAMS] + [(ICON, staging / ICON.name)]
        for origin, copy in staged:
            shutil.copyfile(origin, copy)
            os.chmod(copy, 0o644)
            os.utime(copy, (stamp, stamp))
        shutil.copyfile(SOURCE, staging / SOURCE.name)
        partial = out_path.with_name(out_path.name + ".partial")
        # wixl takes Source paths relative to the folder it runs in, and the
        # cabinet's file dates in local time.
        command = ["wixl", "-a", "x86", "-o", str(partial),
                   *[arg for key, value in defines.items() for arg in ("-D", f"{key}={value}")], SOURCE.name]
        env = dict(os.environ, TZ="UTC", LC_ALL="C.UTF-8", LANG="C.UTF-8")
        result = subprocess.run(command, cwd=staging, env=env, capture_output=True, text=True)
        if result.returncode != 0:
            sys.stderr.write(result.stdout + result.stderr)
            raise RuntimeError(f"wixl failed with {result.returncode}")
        code = package_code(source, repr(sorted(defines.items())).encode(),
                            *[copy.read_bytes() for _, copy in staged])
        partial.write_bytes(rewrite_summary(partial.read_bytes(), code, stamp))
        partial.replace(out_path)
    return out_path


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--version", required=True, help='the product version as users see it, say "1.00"')
    parser.add_argument("--out", required=True, type=pathlib.Path, help="folder for the package")
    parser.add_argument("bin_dir", type=pathlib.Path, help="folder holding the two programs")
    args = parser.parse_args()
    path = build_msi(args.bin_dir, args.version, args.out / msi_name(args.version))
    blob = path.read_bytes()
    print(f"package:      {path}")
    print(f"package code: {read_summary(blob)[0]}")
    print(f"size:         {len(blob)} bytes")
    print(f"sha256:       {hashlib.sha256(blob).hexdigest()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
