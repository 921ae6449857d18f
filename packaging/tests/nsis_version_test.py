"""Which makensis may build the installer: table of `makensis -VERSION`
texts, from the releases before and after the fix for CVE-2023-37378 and
the distribution builds that carry it or not."""
import os
import pathlib
import subprocess
import sys
import tempfile
import unittest

PACKAGING = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(PACKAGING))
from nsis_version import judge  # noqa: E402

CASES = [
    # (makensis -VERSION, accepted)
    ("v3.09", True),
    ("v3.10", True),
    ("v3.11\n", True),
    ("v4.00", True),
    ("v3.10-1", True),                # a later Debian
    ("v3.08-3+deb12u1", True),        # Debian 12 with the fix backported
    ("v3.08-3+deb12u2", True),        # a later update of it
    ("v3.08", False),                 # the upstream release
    ("v3.08-3", False),               # Debian 12 before the security update
    ("v3.08-3+deb12u0", False),
    ("v3.08-2+deb11u1", False),       # another distribution's update says nothing of this fix
    ("v3.06.1", False),
    ("v3.06.1-3+deb12u1", False),     # the fix is known only in 3.08's update
    ("v2.51", False),
    ("v3.09-cvs", True),              # a 3.09 build with a suffix of its own
    ("v12-Jun-2023.cvs", False),      # a snapshot build says nothing of its code
    ("", False),
]


class NsisVersion(unittest.TestCase):
    def test_accepted_only_with_the_fix(self):
        for text, accepted in CASES:
            with self.subTest(text=text):
                verdict, reason = judge(text)
                self.assertEqual(verdict, accepted, reason)
                if not accepted:
                    self.assertIn("3.09", reason)

    def test_packaging_refuses_an_nsis_without_the_fix(self):
        with tempfile.TemporaryDirectory() as folder:
            folder = pathlib.Path(folder)
            makensis = folder / "makensis"
            makensis.write_text("#!/bin/sh\necho v3.08\n")
            makensis.chmod(0o755)
            env = dict(os.environ, PATH=f"{folder}:{os.environ['PATH']}")
            result = subprocess.run([sys.executable, str(PACKAGING / "make_installer.py"), "--version", "1.00",
                                     "--out", str(folder / "out"), str(folder)],
                                    env=env, capture_output=True, text=True, timeout=60)
            self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
            self.assertIn("CVE-2023-37378", result.stderr)
            self.assertFalse((folder / "out").exists() and any((folder / "out").iterdir()))


if __name__ == "__main__":
    unittest.main()
