#!/usr/bin/env python3
"""Writes the release downloads from a folder that holds the two shipping
programs: the package Ember_Lantern-<version>.zip (the programs, README.txt
for Windows users and SHA256SUMS), the installer
Ember_Lantern-<version>-setup.exe (make_installer.py), the Windows Installer
package Ember_Lantern-<version>.msi for organisations (make_msi.py) and,
beside them, SHA256SUMS of the three downloads. Prints each download's path,
size and SHA-256.

The same programs give the same zip: entries in a fixed order, every entry
with one time (SOURCE_DATE_EPOCH when set, else 1980-01-01, the earliest a
zip can hold) and the same attributes, whatever the files on disk say.

The read-me is UTF-8 with a byte-order mark and CRLF line ends: Notepad has
opened such a file as UTF-8 on every Windows since XP, whatever the system
code page, so the Japanese text reads on a Japanese system and the English
text everywhere."""
import argparse
import hashlib
import os
import pathlib
import shutil
import sys
import time
import zipfile

from make_installer import build_installer, installer_name
from make_installer import upgrade_code
from make_msi import build_msi, msi_name, product_code, read_summary
from nsis_version import RefusedNsis, checked_nsis

PROGRAMS = ("Ember_Lantern.scr", "Ember_Lantern.dll")
README = "README.txt"
SUMS = "SHA256SUMS"  # inside the zip, and beside the downloads
README_TEMPLATE = pathlib.Path(__file__).with_name("windows-readme.txt")
FILE_ATTRIBUTE_ARCHIVE = 0x20


def windows_text(text):
    return b"\xef\xbb\xbf" + text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def entry_time():
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "0"))
    # Zip times are local times without a zone; the UTC fields are the same everywhere.
    return max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))


def package_entries(bin_dir, version):
    """(name, bytes) in the order they are stored."""
    readme = windows_text(README_TEMPLATE.read_text(encoding="utf-8").replace("@VERSION@", version))
    entries = [(README, readme)] + [(name, (bin_dir / name).read_bytes()) for name in PROGRAMS]
    sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\r\n" for name, data in entries)
    return entries + [(SUMS, sums.encode("ascii"))]


def write_zip(path, entries):
    when = entry_time()
    partial = path.with_name(path.name + ".partial")
    with zipfile.ZipFile(partial, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=when)
            info.create_system = 0  # MS-DOS attributes, as a Windows tool writes them
            info.external_attr = FILE_ATTRIBUTE_ARCHIVE
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)
    partial.replace(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--version", required=True, help='the product version as users see it, say "1.00"')
    parser.add_argument("--out", required=True, type=pathlib.Path, help="folder for the downloads")
    parser.add_argument("--zip-only", action="store_true", help="leave out the installer and the MSI")
    parser.add_argument("bin_dir", type=pathlib.Path, help="folder holding the two shipping programs")
    args = parser.parse_args()
    missing = [name for name in PROGRAMS if not (args.bin_dir / name).is_file()]
    if missing:
        print(f"make_package: not built in {args.bin_dir}: {', '.join(missing)}", file=sys.stderr)
        return 1
    args.out.mkdir(parents=True, exist_ok=True)
    downloads = [args.out.resolve() / f"Ember_Lantern-{args.version}.zip"]
    write_zip(downloads[0], package_entries(args.bin_dir, args.version))
    if not args.zip_only:
        try:
            downloads.append(build_installer(args.bin_dir, args.version,
                                             args.out.resolve() / installer_name(args.version)))
        except RefusedNsis as refused:
            print(f"make_package: {refused}", file=sys.stderr)
            return 1
        if not shutil.which("wixl"):
            print("make_package: wixl is missing (Debian's package wixl; scripts/bootstrap installs it)",
                  file=sys.stderr)
            return 1
        downloads.append(build_msi(args.bin_dir, args.version, args.out.resolve() / msi_name(args.version)))
    sums = ""
    for path in downloads:
        blob = path.read_bytes()
        digest = hashlib.sha256(blob).hexdigest()
        sums += f"{digest}  {path.name}\n"
        print(f"download: {path}")
        print(f"  size:   {len(blob)} bytes")
        print(f"  sha256: {digest}")
        if path.name.endswith("-setup.exe"):
            print(f"  built by: {checked_nsis()}")
        if path.suffix == ".msi":
            # What a deployment tool detects the installed product by.
            print(f"  product code: {product_code(args.version)}")
            print(f"  upgrade code: {upgrade_code()}")
            print(f"  package code: {read_summary(blob)[0]}")
    (args.out / SUMS).write_text(sums, encoding="ascii")
    return 0


if __name__ == "__main__":
    sys.exit(main())
