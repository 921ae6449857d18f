#!/usr/bin/env python3
"""Checks the shipped programs' PE headers: ASLR and DEP on, and no import
outside the DLLs that every Windows has in its system folder (a DLL that is
not among Windows' known DLLs could be planted beside the program)."""
import argparse
import pathlib
import re
import subprocess
import sys

# Loaded from the system folder whatever lies beside the program.
ALLOWED_IMPORTS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
    "comdlg32.dll", "ole32.dll", "oleaut32.dll", "msvcrt.dll", "shlwapi.dll",
}
DELIVERABLES = ("Ember_Lantern.dll", "Ember_Lantern.scr")
# IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE and _NX_COMPAT
REQUIRED_FLAGS = {"DYNAMIC_BASE": 0x0040, "NX_COMPAT": 0x0100}


def check(objdump, path):
    text = subprocess.run([objdump, "-p", str(path)], check=True, capture_output=True, text=True).stdout
    problems = []
    if "pei-i386" not in text:
        problems.append("not a 32-bit PE file")
    match = re.search(r"^DllCharacteristics\s+([0-9a-fA-F]+)", text, re.M)
    flags = int(match.group(1), 16) if match else 0
    for name, bit in REQUIRED_FLAGS.items():
        if not flags & bit:
            problems.append(f"{name} missing from DllCharacteristics {flags:#06x}")
    match = re.search(r"^Subsystem\s+([0-9a-fA-F]+)", text, re.M)
    if not match or int(match.group(1), 16) != 2:
        problems.append("not a Windows GUI program")
    imports = {m.lower() for m in re.findall(r"^\s*DLL Name: (\S+)", text, re.M)}
    for dll in sorted(imports - ALLOWED_IMPORTS):
        problems.append(f"imports {dll}")
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("bin_dir", type=pathlib.Path)
    args = parser.parse_args()
    failed = 0
    for name in DELIVERABLES:
        path = args.bin_dir / name
        if not path.exists():
            print(f"{name}: not built")
            failed += 1
            continue
        problems = check(args.objdump, path)
        for p in problems:
            print(f"{name}: {p}")
        failed += bool(problems)
        if not problems:
            print(f"{name}: ok")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
