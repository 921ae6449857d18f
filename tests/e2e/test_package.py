"""The release package as a user gets it: unpacked into a fresh folder whose
path has blanks and Japanese characters, it holds the programs that were
built, its sums match, its read-me is what Notepad opens as UTF-8, and the
unpacked saver runs (/s) until Esc is released.

The zip always holds the 32-bit programs. Where this machine's Wine runs no
32-bit programs, the 64-bit twin runs from a folder of the same kind instead
and the test says so: the 32-bit files are then checked by sums and bytes."""
import hashlib
import os
import pathlib
import shutil
import subprocess
import unittest
import zipfile

from frontend_e2e import run_saver_until_escape
from harness import SOURCE_DIR, Desktop

PROGRAMS = ("Ember_Lantern.scr", "Ember_Lantern.dll")
ENTRIES = ["README.txt", *PROGRAMS, "SHA256SUMS"]


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.version = os.environ["EL_VERSION"]
        cls.shipping = pathlib.Path(os.environ["EL_SHIPPING_BIN_DIR"])
        work = pathlib.Path(os.environ.get("EL_WORK_DIR", "/tmp/el-e2e")) / "package"
        shutil.rmtree(work, ignore_errors=True)
        made = subprocess.run(["python3", str(SOURCE_DIR / "packaging" / "make_package.py"), "--zip-only",
                               "--version", cls.version, "--out", str(work / "dist"), str(cls.shipping)],
                              check=True, capture_output=True, text=True, timeout=120).stdout
        print(made, end="")
        cls.zip_path = work / "dist" / f"Ember_Lantern-{cls.version}.zip"
        cls.folder = work / "ダウンロード フォルダ" / f"Ember Lantern {cls.version} 展開"
        cls.folder.mkdir(parents=True)
        with zipfile.ZipFile(cls.zip_path) as archive:
            cls.names = archive.namelist()
            archive.extractall(cls.folder)
        if os.environ.get("EL_WINE_ARCH") == "win64":
            cls.run_folder = cls.folder.with_name(cls.folder.name + " 64ビット")
            cls.run_folder.mkdir()
            for name in PROGRAMS:
                shutil.copy2(pathlib.Path(os.environ["EL_BIN_DIR"]) / name, cls.run_folder / name)
            print("runs: the 64-bit twin, from a folder beside the unpacked one (this machine's Wine runs no 32-bit "
                  "programs); the package's 32-bit files are checked by their sums and bytes only")
        else:
            cls.run_folder = cls.folder
            print("runs: the 32-bit programs unpacked from the package")

    def test_holds_the_built_programs_and_a_matching_sum_for_each_file(self):
        self.assertEqual(self.names, ENTRIES)
        lines = (self.folder / "SHA256SUMS").read_bytes().decode("ascii").split("\r\n")
        self.assertEqual(lines[-1], "", "SHA256SUMS must end with CRLF")
        sums = dict(reversed(line.split("  ", 1)) for line in lines[:-1])
        self.assertEqual(sorted(sums), sorted(ENTRIES[:-1]))
        for name, digest in sums.items():
            with self.subTest(name):
                self.assertEqual(hashlib.sha256((self.folder / name).read_bytes()).hexdigest(), digest)
        for name in PROGRAMS:
            with self.subTest(name):
                self.assertEqual((self.folder / name).read_bytes(), (self.shipping / name).read_bytes(),
                                 "the package does not hold the shipping build's program")

    def test_readme_is_utf8_with_bom_and_crlf_japanese_first(self):
        blob = (self.folder / "README.txt").read_bytes()
        self.assertTrue(blob.startswith(b"\xef\xbb\xbf"), "no UTF-8 byte-order mark")
        self.assertEqual(blob.count(b"\n"), blob.count(b"\r\n"), "a line end that is not CRLF")
        text = blob[3:].decode("utf-8")
        self.assertIn(self.version, text.split("\r\n")[0])
        self.assertLess(text.index("インストール"), text.index("Installing"))
        for name in PROGRAMS:
            self.assertIn(name, text)

    def test_unpacked_saver_runs_until_escape(self):
        d = Desktop("package-run")
        self.addCleanup(d.close)
        run_saver_until_escape(self, d, self.run_folder / "Ember_Lantern.scr")


if __name__ == "__main__":
    unittest.main()
