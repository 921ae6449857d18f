"""Which makensis may build the installer.

NSIS before 3.09 leaves the folder from which a running uninstaller loads its
plug-in DLLs open to other local users (CVE-2023-37378): an elevated
uninstaller could be made to run a planted DLL. An installer is only built
with NSIS 3.09 or later, or with a build that carries the fix backported:
Debian 12's security updates of 3.08 (3.08-3+deb12u1 and later), whose
`makensis -VERSION` names the Debian revision."""
import re
import subprocess

FIRST_FIXED = (3, 9)
# Debian 12 (bookworm) security updates of 3.08; the first, deb12u1, took the fix.
BACKPORTED = re.compile(r"3\+deb12u([1-9][0-9]*)")
VERSION = re.compile(r"v?(\d+)\.(\d+)(?:\.(\d+))?(?:-(\S+))?")


WHAT_TO_USE = "use NSIS 3.09 or later, or Debian 12's 3.08-3+deb12u1 or a later update of it"


class RefusedNsis(RuntimeError):
    pass


def judge(text):
    """(accepted, reason) for the text `makensis -VERSION` printed."""
    text = text.strip()
    match = VERSION.fullmatch(text)
    if not match:
        return False, f"cannot tell whether NSIS {text!r} carries the fix for CVE-2023-37378; {WHAT_TO_USE}"
    major, minor, revision = int(match.group(1)), int(match.group(2)), match.group(4)
    if (major, minor) >= FIRST_FIXED:
        return True, "3.09 or later"
    if (major, minor) == (3, 8) and revision and BACKPORTED.fullmatch(revision):
        return True, "Debian's 3.08 with the fix for CVE-2023-37378"
    return False, (f"NSIS {text} is older than 3.09 and does not carry the fix for CVE-2023-37378 (the "
                   f"uninstaller's plug-in folder open to other users); {WHAT_TO_USE}")


def checked_nsis(makensis="makensis"):
    """The version text of the makensis that will build the installer, with
    why it may; raises RefusedNsis when it may not."""
    text = subprocess.run([makensis, "-VERSION"], capture_output=True, text=True, check=True).stdout.strip()
    accepted, reason = judge(text)
    if not accepted:
        raise RefusedNsis(reason)
    return f"NSIS {text} ({reason})"
