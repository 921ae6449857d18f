#!/usr/bin/env python3
"""Checks the shipped programs' PE headers, which the 64-bit test twin cannot
show: 32-bit GUI programs (the renderer too, although it bears a library's
name), ASLR and DEP on with the relocations they need, no symbols, debug
information or link time stamp, no static import beyond each program's own
short list, and the front end's version block."""
import argparse
import pathlib
import re
import struct
import subprocess
import sys

# What each program may import statically: Windows' known DLLs, which the
# loader takes from the system folder whatever lies beside the program. Any
# other DLL, or a DLL that imports one (comdlg32 and shell32 pull in
# comctl32), is resolved before the program can restrict the search, with
# the program's own folder first: it must be loaded at run time from the
# system folder (common/win32/system_library.h).
ALLOWED_IMPORTS = {
    "Ember_Lantern.scr": {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll", "ole32.dll",
                          "oleaut32.dll"},
    "Ember_Lantern.dll": {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll"},
}
DELIVERABLES = ("Ember_Lantern.dll", "Ember_Lantern.scr")
PRODUCT_NAME = "Ember_Lantern (ScreenSaver)"

IMAGE_FILE_MACHINE_I386 = 0x014C
IMAGE_FILE_RELOCS_STRIPPED = 0x0001
IMAGE_FILE_EXECUTABLE_IMAGE = 0x0002
IMAGE_FILE_DLL = 0x2000
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2
IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE = 0x0040
IMAGE_DLLCHARACTERISTICS_NX_COMPAT = 0x0100
BASE_RELOCATION_DIRECTORY, DEBUG_DIRECTORY = 5, 6


def read_headers(blob):
    """The COFF and PE32 optional header fields the rules look at, and the section names."""
    pe = struct.unpack_from("<I", blob, 0x3C)[0]
    if blob[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    machine, sections, stamp, symbols_at, symbols, optional_size, characteristics = \
        struct.unpack_from("<HHIIIHH", blob, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from("<H", blob, optional)[0]
    subsystem, dll_characteristics = struct.unpack_from("<HH", blob, optional + 68)
    directories = [struct.unpack_from("<II", blob, optional + 96 + 8 * i) for i in range(16)]
    table = optional + optional_size
    names = [blob[table + 40 * i:table + 40 * i + 8].rstrip(b"\0").decode("latin-1") for i in range(sections)]
    return dict(machine=machine, stamp=stamp, symbols_at=symbols_at, symbols=symbols,
                characteristics=characteristics, magic=magic, subsystem=subsystem,
                dll_characteristics=dll_characteristics, directories=directories, sections=names)


# (what must hold, test on the headers)
RULES = [
    ("a 32-bit x86 program (i386, PE32)", lambda h: h["machine"] == IMAGE_FILE_MACHINE_I386 and h["magic"] == 0x10B),
    ("a Windows GUI program", lambda h: h["subsystem"] == IMAGE_SUBSYSTEM_WINDOWS_GUI),
    ("an executable image, not flagged as a DLL",
     lambda h: h["characteristics"] & IMAGE_FILE_EXECUTABLE_IMAGE and not h["characteristics"] & IMAGE_FILE_DLL),
    ("ASLR on (DYNAMIC_BASE)", lambda h: h["dll_characteristics"] & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE),
    ("DEP on (NX_COMPAT)", lambda h: h["dll_characteristics"] & IMAGE_DLLCHARACTERISTICS_NX_COMPAT),
    # Without them the loader cannot move the image, and ASLR silently does nothing.
    ("relocations kept (no RELOCS_STRIPPED, a .reloc section, a base relocation directory)",
     lambda h: not h["characteristics"] & IMAGE_FILE_RELOCS_STRIPPED and ".reloc" in h["sections"]
     and h["directories"][BASE_RELOCATION_DIRECTORY][1] > 0),
    ("no symbol table", lambda h: h["symbols_at"] == 0 and h["symbols"] == 0),
    # A name of the form "/4" points into the symbol table's strings; only
    # debug sections have names too long for the header's eight bytes.
    ("no debug section", lambda h: not any(n.startswith((".debug", "/")) for n in h["sections"])),
    ("no debug directory", lambda h: h["directories"][DEBUG_DIRECTORY] == (0, 0)),
    ("no link time stamp (reproducible headers)", lambda h: h["stamp"] == 0),
]


def import_problems(objdump, path):
    text = subprocess.run([objdump, "-p", str(path)], check=True, capture_output=True, text=True).stdout
    imports = {m.lower() for m in re.findall(r"^\s*DLL Name: (\S+)", text, re.M)}
    problems = [f"imports {dll}" for dll in sorted(imports - ALLOWED_IMPORTS[path.name])]
    # objdump that finds no import table at all would let anything through.
    if "kernel32.dll" not in imports:
        problems.append("no import of kernel32.dll seen: the import table was not read")
    return problems


def version_problems(windres, path, version):
    """The version block as windres decompiles it from the file's resource section."""
    result = subprocess.run([windres, "-i", str(path), "-O", "rc"], capture_output=True, text=True)
    if result.returncode != 0 or "VERSIONINFO" not in result.stdout:
        return ["no version block"]
    block = result.stdout[result.stdout.find("VERSIONINFO"):]
    values = dict(re.findall(r'VALUE "(\w+)", "([^"]*)"', block))
    values.update(re.findall(r"^\s*(FILEVERSION|VALUE \"Translation\",) ([^\n]*\S)", block, re.M))
    major, minor = (int(part) for part in version.split("."))
    wanted = [
        ("ProductName", PRODUCT_NAME),
        ("FileVersion", version),
        ("ProductVersion", version),
        ("FILEVERSION", f"{major}, {minor}, 0, 0"),
        ('VALUE "Translation",', "0x411, 932"),  # Japanese, code page 932
    ]
    return [f"version block: {name} is {values.get(name)!r}, expected {want!r}"
            for name, want in wanted if values.get(name) != want]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--windres", required=True)
    parser.add_argument("--version", required=True, help='the product version, say "1.00"')
    parser.add_argument("bin_dir", type=pathlib.Path)
    args = parser.parse_args()
    failed = 0
    for name in DELIVERABLES:
        path = args.bin_dir / name
        if not path.exists():
            print(f"{name}: not built")
            failed += 1
            continue
        headers = read_headers(path.read_bytes())
        problems = [f"expected {what}" for what, holds in RULES if not holds(headers)]
        problems += import_problems(args.objdump, path)
        if name.endswith(".scr"):
            problems += version_problems(args.windres, path, args.version)
        for p in problems:
            print(f"{name}: {p}")
        if problems:
            print(f"{name}: sections {' '.join(headers['sections'])}")
        failed += bool(problems)
        if not problems:
            print(f"{name}: ok")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
