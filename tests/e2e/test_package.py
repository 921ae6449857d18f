"""The release package as a user gets it: unpacked into a fresh folder whose
path has blanks and Japanese characters, it holds the programs that were
built, its sums match, its read-me is what Notepad opens as UTF-8, and the
unpacked saver runs (/s) until Esc is released. The Windows Installer
package for organisations, read with msitools (msiextract, msiinfo), holds
the same programs for the system folder, per machine, with the version of
project() and the codes a major upgrade needs, and never names the settings
file.

The zip always holds the 32-bit programs. Where this machine's Wine runs no
32-bit programs, the 64-bit twin runs from a folder of the same kind instead
and the test says so: the 32-bit files are then checked by sums and bytes."""
import hashlib
import os
import pathlib
import shutil
import subprocess
import sys
import unittest
import uuid
import zipfile

from frontend_e2e import run_saver_until_escape
from harness import SOURCE_DIR, Desktop

sys.path.insert(0, str(SOURCE_DIR / "packaging"))
from make_installer import EARLIEST_ZIP_TIME, upgrade_code  # noqa: E402
from make_msi import build_msi, filetime, msi_name, product_code, product_version, read_summary  # noqa: E402

PROGRAMS = ("Ember_Lantern.scr", "Ember_Lantern.dll")
ENTRIES = ["README.txt", *PROGRAMS, "SHA256SUMS"]
SETTINGS = "Ember_Lantern.ini"


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
        cls.msi = build_msi(cls.shipping, cls.version, work / "dist" / msi_name(cls.version))
        cls.msi_files = work / "msi-extracted"
        subprocess.run(["msiextract", "-C", str(cls.msi_files), str(cls.msi)], check=True,
                       stdout=subprocess.DEVNULL, timeout=60)
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

    def msi_table(self, name):
        """The rows of one of the package's tables, each a list of its fields."""
        exported = subprocess.run(["msiinfo", "export", str(self.msi), name], check=True, capture_output=True,
                                  timeout=60).stdout.decode("utf-8")
        # Three lines of column names, types and the table's name, then the rows.
        return [line.split("\t") for line in exported.replace("\r\n", "\n").split("\n")[3:] if line]

    def msi_property(self, name):
        return dict((row[0], row[1]) for row in self.msi_table("Property")).get(name)

    def test_msi_holds_the_built_programs_for_the_system_folder_of_every_user(self):
        extracted = sorted(p.name for p in self.msi_files.rglob("*") if p.is_file())
        self.assertEqual(extracted, sorted(PROGRAMS))
        for name in PROGRAMS:
            with self.subTest(name):
                self.assertEqual((self.msi_files / name).read_bytes(), (self.shipping / name).read_bytes(),
                                 "the MSI does not hold the shipping build's program")
        # Both files, one component each, straight in the system folder of
        # 32-bit programs; installed for the machine, not the user.
        files = {row[2].split("|")[-1]: row[1] for row in self.msi_table("File")}
        self.assertEqual(sorted(files), sorted(PROGRAMS))
        components = {row[0]: row for row in self.msi_table("Component")}
        for name, component in files.items():
            self.assertEqual(components[component][2], "SystemFolder", name)
            self.assertEqual(int(components[component][3]) & 0x100, 0, f"{name}: a 64-bit component")
        self.assertEqual(dict((row[0], row[1]) for row in self.msi_table("Directory"))["SystemFolder"], "TARGETDIR")
        self.assertEqual(self.msi_property("ALLUSERS"), "1")
        summary = subprocess.run(["msiinfo", "suminfo", str(self.msi)], check=True, capture_output=True,
                                 text=True, timeout=60).stdout
        self.assertIn("Template: Intel;", summary, "not a 32-bit package")
        # Nor does a 32-bit package look into the 64-bit registry (Microsoft's ICE80 fails one that does).
        for row in self.msi_table("RegLocator"):
            self.assertEqual(int(row[4]) & 0x10, 0, row)
        # The settings file is the users': nothing of the package names it,
        # so no upgrade or removal can take it away.
        for table in ("File", "RemoveFile"):
            for row in self.msi_table(table):
                self.assertNotIn(SETTINGS.lower(), "\t".join(row).lower(), table)

    def test_msi_carries_the_version_and_the_codes_of_an_upgrade(self):
        self.assertEqual(self.msi_property("ProductVersion"), product_version(self.version))
        self.assertEqual(self.msi_property("ProductVersion"), ".".join(
            str(int(p)) for p in (self.version.split(".") + ["0", "0"])[:3]))
        self.assertEqual(self.msi_property("ProductName"), "Ember_Lantern (ScreenSaver)")
        self.assertEqual(self.msi_property("UpgradeCode").upper(), upgrade_code())
        # One product code per version, the same whenever it is built.
        code = self.msi_property("ProductCode")
        self.assertEqual(code, product_code(self.version))
        self.assertNotEqual(code, product_code(self.version + "1"))
        # Every older version is found and removed; a newer one is refused.
        rows = self.msi_table("Upgrade")
        older = [r for r in rows if r[0].upper() == upgrade_code() and r[1] == "" and r[2] == product_version(
            self.version) and not int(r[4]) & 0x2 and not int(r[4]) & 0x200]
        newer = [r for r in rows if r[1] == product_version(self.version) and r[2] == "" and int(r[4]) & 0x2]
        self.assertEqual(len(older), 1, rows)
        self.assertEqual(len(newer), 1, rows)
        actions = {row[0]: int(row[2]) for row in self.msi_table("InstallExecuteSequence")}
        self.assertLess(actions["RemoveExistingProducts"], actions["InstallInitialize"],
                        "the older version is not removed before this one's files go in")
        conditions = self.msi_table("LaunchCondition")
        self.assertTrue(any("setup.exe" in message for _, message in conditions), conditions)
        # The package code: a code of its own, fixed by what the package holds;
        # the summary's times are those of the files inside.
        package, created, saved = read_summary(self.msi.read_bytes())
        self.assertEqual(str(uuid.UUID(package)).upper(), package.strip("{}"))
        self.assertNotEqual(package, code)
        stamp = max(int(os.environ.get("SOURCE_DATE_EPOCH", "0")), EARLIEST_ZIP_TIME)
        self.assertEqual((created, saved), (filetime(stamp), filetime(stamp)))

    def test_unpacked_saver_runs_until_escape(self):
        d = Desktop("package-run")
        self.addCleanup(d.close)
        run_saver_until_escape(self, d, self.run_folder / "Ember_Lantern.scr")


if __name__ == "__main__":
    unittest.main()
