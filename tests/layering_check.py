#!/usr/bin/env python3
"""Fails, naming each place, when a production file includes a header from a
folder above its own, when a folder's CMake file links a library of a
folder above it, or when a logic file includes a Windows or GL header.

The folders form a stack; each may use itself and what lies beneath it:

    common/                      what both programs share
    saver/shared/                what the front end's modules share
    saver/button/, saver/music/  two siblings, neither using the other
    saver/settings_dialog/
    saver/startup/               the front end's entry, on top
    renderer/                    the renderer's logic, on common/ alone
    renderer/win32/gl/,          two siblings on the logic: what draws in a
    renderer/win32/pacing/       window's context, and the waits and rates
    renderer/win32/              the windows, the loop and the run, on top
    renderer/bench/              the benchmark build, over the whole renderer

The picture generator (saver/pictures/) may also read the facts it draws
from renderer/scene/ and saver/button/. Tests (any tests/ folder) may use
anything.

Each folder keeps its Windows side (what needs a Windows, WGL or GL header)
in a win32/ folder; every other C and C++ file is portable logic, built
natively too, and includes only the C++ standard library's headers and other
logic files."""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parents[1]

# Each folder and the folders it may use besides itself.
BENEATH = {
    "common": [],
    "saver/shared": ["common"],
    "saver/button": ["saver/shared", "common"],
    "saver/music": ["saver/shared", "common"],
    "saver/settings_dialog": ["saver/button", "saver/music", "saver/shared", "common"],
    "saver/startup": ["saver/settings_dialog", "saver/button", "saver/music", "saver/shared", "common"],
    "renderer": ["common"],
    "renderer/win32/gl": ["renderer", "common"],
    "renderer/win32/pacing": ["renderer", "common"],
    "renderer/win32": ["renderer/win32/gl", "renderer/win32/pacing", "renderer", "common"],
    "renderer/bench": ["renderer/win32", "renderer/win32/gl", "renderer/win32/pacing", "renderer", "common"],
    "saver/pictures": ["renderer/scene", "saver/button", "saver/shared", "common"],
}
# Headers that the build writes, not folders of the stack.
GENERATED = {"product_version.h"}
SOURCES = ("*.cpp", "*.h", "*.c", "*.rc")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
SYSTEM_INCLUDE = re.compile(r"^\s*#\s*include\s+<([^>]+)>", re.M)
# The C++ standard library's headers: <vector>, <cstdint>; never <windows.h>, <GL/gl.h>.
STANDARD_HEADER = re.compile(r"^[a-z_]+$")
# Our own libraries, with their sources: renderer_scene_logic, saver_button_logic, ...
LIBRARY = re.compile(r"add_library\(\s*([A-Za-z0-9_]+)([^)]*)\)", re.S)
LINK = re.compile(r"target_link_libraries\(\s*([A-Za-z0-9_]+)([^)]*)\)", re.S)
EXECUTABLE = re.compile(r"add_executable\(\s*([A-Za-z0-9_]+)([^)]*)\)", re.S)


def folder_of(path):
    """The stack folder a repository path belongs to, the longest match."""
    text = path.as_posix()
    matches = [f for f in BENEATH if text == f or text.startswith(f + "/")]
    return max(matches, key=len) if matches else None


def may_use(folder, target):
    """Whether `folder` may use `target` (a path): a target inside an allowed
    folder counts only where no folder of the stack lies between, so that
    renderer/ does not open renderer/win32/ to the logic beneath it."""
    allowed = [folder] + BENEATH[folder]
    target_folder = folder_of(pathlib.PurePosixPath(target))
    return any((target == a or target.startswith(a + "/")) and target_folder == folder_of(pathlib.PurePosixPath(a))
               for a in allowed)


def is_test(path):
    return "tests" in path.parts


def is_windows_side(path):
    return "win32" in path.parts


def library_folder(cmake_folder, body, endings="cpp|c|rc"):
    """The deepest folder that holds all of a library's sources."""
    sources = [cmake_folder / p for p in re.findall(r"[\w/.-]+\.(?:%s)\b" % endings, body)]
    if not sources:
        return cmake_folder.as_posix()
    common = sources[0].parent.parts
    for source in sources[1:]:
        parts = source.parent.parts
        length = 0
        while length < min(len(common), len(parts)) and common[length] == parts[length]:
            length += 1
        common = common[:length]
    return pathlib.PurePosixPath(*common).as_posix()


def include_faults():
    faults = []
    for folder in BENEATH:
        for pattern in SOURCES:
            for path in sorted((ROOT / folder).rglob(pattern)):
                relative = path.relative_to(ROOT)
                if is_test(relative) or folder_of(relative) != folder:
                    continue
                for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                    match = INCLUDE.match(line)
                    if not match or match.group(1) in GENERATED:
                        continue
                    target = match.group(1)
                    if not may_use(folder, target):
                        faults.append(f"{relative}:{number}: {folder}/ includes {target}, from a folder it may not use")
    return faults


def logic_faults():
    faults = []
    for folder in BENEATH:
        for pattern in ("*.cpp", "*.h", "*.c"):
            for path in sorted((ROOT / folder).rglob(pattern)):
                relative = path.relative_to(ROOT)
                if is_test(relative) or is_windows_side(relative) or folder_of(relative) != folder:
                    continue
                for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                    system = SYSTEM_INCLUDE.match(line)
                    if system and not STANDARD_HEADER.match(system.group(1)):
                        faults.append(f"{relative}:{number}: logic includes <{system.group(1)}>, not a standard header")
                    own = INCLUDE.match(line)
                    if own and is_windows_side(pathlib.PurePosixPath(own.group(1))):
                        faults.append(f"{relative}:{number}: logic includes {own.group(1)}, of the Windows side")
    return faults


def link_faults():
    owners, users, cmake_files = {}, {}, []
    for folder in BENEATH:
        for path in sorted((ROOT / folder).rglob("CMakeLists.txt")):
            relative = path.relative_to(ROOT)
            text = path.read_text(encoding="utf-8")
            cmake_files.append((relative, text))
            if not is_test(relative):
                for name, body in LIBRARY.findall(text):
                    owners[name] = library_folder(relative.parent, body)
                    users[name] = owners[name]
                # A program is in the folder of its code (its resource script
                # may lie higher, beside the CMake file).
                for name, body in EXECUTABLE.findall(text):
                    users[name] = library_folder(relative.parent, body, "cpp|c")
    faults = []
    for relative, text in cmake_files:
        if is_test(relative):
            continue
        for target, libraries in LINK.findall(text):
            user = folder_of(pathlib.PurePosixPath(users.get(target, relative.parent.as_posix())))
            for library in re.findall(r"[A-Za-z0-9_]+", libraries):
                owner = owners.get(library)
                if owner and not may_use(user, owner):
                    faults.append(f"{relative}: {target} ({user}/) links {library} of {owner}/, a folder above it")
    return faults


def main():
    above = include_faults() + link_faults()
    windows_in_logic = logic_faults()
    for fault in above + windows_in_logic:
        print(fault)
    print(f"layering: {len(above)} uses of a folder above the user's own, "
          f"{len(windows_in_logic)} Windows includes in logic")
    return 1 if above or windows_in_logic else 0


if __name__ == "__main__":
    sys.exit(main())
