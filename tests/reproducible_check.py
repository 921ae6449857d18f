#!/usr/bin/env python3
"""Builds the shipping programs and the release package twice, each time in a
fresh folder from sources at another path, with another time zone, locale and
umask, and compares the results byte for byte: the same sources must give the
same Ember_Lantern.scr, Ember_Lantern.dll, Ember_Lantern-<version>.zip,
Ember_Lantern-<version>-setup.exe, Ember_Lantern-<version>.msi and SHA256SUMS.
The MSI's insides are compared too, each on its own line: the files it
installs (msitools' msiextract), its tables and its summary information
(msiinfo), so that a difference says where it lies.

With --reference BUILD, the first of the two is that existing build of the
sources (its package made now, its programs brought up to date), as the
developer's and CI's own build made them: one fresh build less."""
import argparse
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

# (label, time zone, locale, umask); the second build also uses a copy of the sources.
BUILDS = [("first", "UTC", "C.UTF-8", 0o022), ("second", "JST-9", "ja_JP.UTF-8", 0o077)]


def build(source, folder, zone, locale, umask):
    env = dict(os.environ, TZ=zone, LC_ALL=locale, LANG=locale)
    run = dict(env=env, umask=umask, check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--preset", "windows", "-S", str(source), "-B", str(folder),
                    f"-DEL_DIST_DIR={folder / 'dist'}"], **run)
    subprocess.run(["cmake", "--build", str(folder), "-j", str(os.cpu_count() or 2), "--target", "dist"], **run)
    downloads = sorted(p.name for p in (folder / "dist").iterdir())
    return {f"bin/{name}": folder / "bin" / name for name in ("Ember_Lantern.scr", "Ember_Lantern.dll")} | \
           {f"dist/{name}": folder / "dist" / name for name in downloads}


def reference_build(folder):
    """The programs and the package of an existing build, brought up to date."""
    subprocess.run(["cmake", "--build", str(folder), "-j", str(os.cpu_count() or 2), "--target", "dist"], check=True,
                   stdout=subprocess.DEVNULL)
    cache = (folder / "CMakeCache.txt").read_text()
    dist = pathlib.Path(next(line.split("=", 1)[1] for line in cache.splitlines() if line.startswith("EL_DIST_DIR:")))
    return {f"bin/{name}": folder / "bin" / name for name in ("Ember_Lantern.scr", "Ember_Lantern.dll")} | \
           {f"dist/{p.name}": p for p in sorted(dist.iterdir())}


def versions(outputs):
    return {k[len("dist/Ember_Lantern-"):-len(".zip")] for k in outputs if k.endswith(".zip")} or {"?"}


def first_difference(a, b):
    for i, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return i
    return min(len(a), len(b))


def msi_insides(path, folder):
    """{what: bytes} of a Windows Installer package: each file it installs,
    each table as msiinfo exports it, and its summary information."""
    files, streams = folder / "files", folder / "streams"
    files.mkdir(parents=True)
    streams.mkdir()
    subprocess.run(["msiextract", "-C", str(files), str(path)], check=True, stdout=subprocess.DEVNULL)
    insides = {f"file {p.relative_to(files)}": p.read_bytes() for p in sorted(files.rglob("*")) if p.is_file()}
    tables = subprocess.run(["msiinfo", "tables", str(path)], check=True, capture_output=True, text=True).stdout
    for table in sorted(tables.split()):
        # A table's binary fields (the icon) are written as files into the folder it runs in.
        exported = subprocess.run(["msiinfo", "export", str(path), table], cwd=streams, capture_output=True)
        insides[f"table {table}"] = exported.stdout
    for p in sorted(streams.rglob("*")):
        if p.is_file():
            insides[f"stream {p.relative_to(streams)}"] = p.read_bytes()
    summary = subprocess.run(["msiinfo", "suminfo", str(path)], check=True, capture_output=True).stdout
    insides["summary information"] = summary
    return insides


def compare_msi_insides(name, a, b):
    """Prints how the two packages' insides compare; returns the count of differences."""
    with tempfile.TemporaryDirectory() as work:
        first = msi_insides(a, pathlib.Path(work) / "a")
        second = msi_insides(b, pathlib.Path(work) / "b")
    files = sorted(k[len("file "):] for k in first if k.startswith("file "))
    differing = sorted(k for k in first.keys() | second.keys() if first.get(k) != second.get(k))
    if differing:
        print(f"{name}: inside, differs in {', '.join(differing)}")
    else:
        print(f"{name}: inside, the same files ({', '.join(files)}), tables and summary information")
    return len(differing)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True, type=pathlib.Path)
    parser.add_argument("--work", required=True, type=pathlib.Path)
    parser.add_argument("--reference", type=pathlib.Path, help="an existing build to stand for the first")
    args = parser.parse_args()
    args.source = args.source.resolve()
    shutil.rmtree(args.work, ignore_errors=True)
    copy = args.work / "sources-elsewhere"
    shutil.copytree(args.source, copy, ignore=lambda folder, names: [
        n for n in names if n in (".git", "__pycache__") or (pathlib.Path(folder) == args.source
                                                              and (n == "build" or n.startswith("build-")))])

    outputs = []
    for (label, zone, locale, umask), source in zip(BUILDS, (args.source, copy)):
        start = time.monotonic()
        if label == "first" and args.reference:
            outputs.append(reference_build(args.reference.resolve()))
            print(f"first build: the existing {args.reference}, brought up to date: {time.monotonic() - start:.0f} s")
            continue
        outputs.append(build(source, args.work / f"{label}-build", zone, locale, umask))
        print(f"{label} build ({source}, TZ={zone}, {locale}, umask {umask:03o}): {time.monotonic() - start:.0f} s")

    first, second = outputs
    failed = 0
    expected = {"dist/SHA256SUMS"} | {f"dist/Ember_Lantern-{v}{end}" for v in versions(first)
                                       for end in (".zip", "-setup.exe", ".msi")}
    if first.keys() != second.keys() or not expected <= first.keys():
        print(f"different outputs: {sorted(first)} and {sorted(second)}")
        failed += 1
    for name in sorted(first.keys() & second.keys()):
        a, b = first[name].read_bytes(), second[name].read_bytes()
        if a == b:
            print(f"{name}: the same {len(a)} bytes")
        else:
            print(f"{name}: differs from byte {first_difference(a, b):#x} ({len(a)} and {len(b)} bytes)")
            failed += 1
        if name.endswith(".msi"):
            failed += compare_msi_insides(name, first[name], second[name])
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
