#!/usr/bin/env python3
"""Writes the installer Ember_Lantern-<version>-setup.exe with NSIS
(packaging/installer.nsi) from a folder that holds the two programs.

The same programs give the same installer: NSIS stores each packed file's
modification time, so the programs and pictures are staged with one fixed
time (SOURCE_DATE_EPOCH when set, else 1980-01-01) and packed from there.

Only an NSIS that carries the fix for its uninstaller's DLL-loading flaw
builds it (nsis_version.py); the output says which one did.

It refuses to install over the Windows Installer package (installer.wxs),
which it knows by the package's upgrade code, read from there.

The tests may build it with test seams (installer.nsi says what each does);
a download never has one."""
import argparse
import hashlib
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree

from nsis_version import RefusedNsis, checked_nsis

PROGRAMS = ("Ember_Lantern.scr", "Ember_Lantern.dll")
HERE = pathlib.Path(__file__).resolve().parent
SCRIPT = HERE / "installer.nsi"
MSI_SOURCE = HERE / "installer.wxs"
PICTURES = HERE.parent / "saver" / "pictures"
# Packed under these names; each is made by the picture generator (scripts/make-pictures).
STAGED_PICTURES = {"ICON": PICTURES / "ember_lantern.ico", "SIDE_PICTURE": PICTURES / "installer_side.bmp"}
# x86-unicode ships; amd64-unicode is the tests' twin where Wine runs no 32-bit programs.
TARGETS = ("x86-unicode", "amd64-unicode")
# What a test build may simulate (installer.nsi, the defines for the tests' builds).
TEST_SEAMS = ("TEST_ANOTHER_ACCOUNT",)
EARLIEST_ZIP_TIME = 315532800  # 1980-01-01, also what the zip's entries fall back to


def version_number(version):
    """"1.00" -> "1.0.0.0", the four numbers a version block holds."""
    parts = [int(p) for p in version.split(".")][:4]
    return ".".join(str(p) for p in parts + [0] * (4 - len(parts)))


def upgrade_code():
    """The Windows Installer package's upgrade code, "{...}", as installer.wxs
    fixes it for every version."""
    product = xml.etree.ElementTree.parse(MSI_SOURCE).find("{http://schemas.microsoft.com/wix/2006/wi}Product")
    return "{" + product.get("UpgradeCode").upper() + "}"


def installer_name(version):
    return f"Ember_Lantern-{version}-setup.exe"


def build_installer(bin_dir, version, out_path, target="x86-unicode", test_seams=()):
    if target not in TARGETS:
        raise ValueError(f"unknown target {target}")
    unknown = set(test_seams) - set(TEST_SEAMS)
    if unknown:
        raise ValueError(f"unknown test seams {sorted(unknown)}")
    checked_nsis()
    stamp = max(int(os.environ.get("SOURCE_DATE_EPOCH", "0")), EARLIEST_ZIP_TIME)
    out_path = pathlib.Path(out_path).resolve()
    out_path.parent.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="el-installer-") as staging:
        staging = pathlib.Path(staging)
        size = 0
        for name in PROGRAMS:
            shutil.copyfile(pathlib.Path(bin_dir) / name, staging / name)
            os.utime(staging / name, (stamp, stamp))
            size += (staging / name).stat().st_size
        pictures = {}
        for define, source in STAGED_PICTURES.items():
            pictures[define] = str(staging / source.name)
            shutil.copyfile(source, pictures[define])
            os.utime(pictures[define], (stamp, stamp))
        partial = out_path.with_name(out_path.name + ".partial")
        defines = {
            "VERSION": version,
            "VERSION_NUMBER": version_number(version),
            "PROGRAMS_DIR": str(staging),
            "PROGRAMS_KB": str((size + 1023) // 1024),
            **pictures,
            "OUT_FILE": str(partial),
            "TARGET": target,
            "MSI_UPGRADE_CODE": upgrade_code(),
            **{seam: "1" for seam in test_seams},
        }
        command = ["makensis", "-V2", "-NOCD", "-INPUTCHARSET", "UTF8",
                   *[f"-D{key}={value}" for key, value in defines.items()], str(SCRIPT)]
        # makensis reads its own language files in the locale's encoding.
        env = dict(os.environ, LC_ALL="C.UTF-8", LANG="C.UTF-8")
        result = subprocess.run(command, env=env, capture_output=True, text=True)
        if result.returncode != 0:
            sys.stderr.write(result.stdout + result.stderr)
            raise RuntimeError(f"makensis failed with {result.returncode}")
        partial.replace(out_path)
    return out_path


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--version", required=True, help='the product version as users see it, say "1.00"')
    parser.add_argument("--out", required=True, type=pathlib.Path, help="folder for the installer")
    parser.add_argument("--target", default="x86-unicode", choices=TARGETS)
    parser.add_argument("bin_dir", type=pathlib.Path, help="folder holding the two programs")
    args = parser.parse_args()
    try:
        path = build_installer(args.bin_dir, args.version, args.out / installer_name(args.version), args.target)
    except RefusedNsis as refused:
        print(f"make_installer: {refused}", file=sys.stderr)
        return 1
    blob = path.read_bytes()
    print(f"installer: {path}")
    print(f"built by:  {checked_nsis()}")
    print(f"size:      {len(blob)} bytes")
    print(f"sha256:    {hashlib.sha256(blob).hexdigest()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
