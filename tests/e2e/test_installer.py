"""The installer as a Windows user meets it, in a fresh Wine prefix of its own:
a silent install puts both programs into the system folder, makes the saver
the user's screen saver and registers an uninstaller for Apps & features; the
installed saver runs; installing again over it keeps it working; the silent
uninstall takes it all away again but leaves the user's saved settings and
another saver's choice alone. Installing and uninstalling over a saver that
runs from the system folder (its preview in a host, a saver run, its
settings dialog, a hung preview, one process owning two of its windows) never
stops and leaves exactly the new programs, or none, also where the saver's
processes cannot be opened, as when an administrator's password was typed for
a standard user (a test build of the installer simulates that account). The
installer's pages are shown and saved as screenshots (installer-*.png in the
work folder), and its finish page makes the saver the user's screen saver
through the shell: the command that runs is printed; where no shell answers,
the page names the account it chooses for. The uninstaller clears the
signed-in user's choice through the shell.

The Windows Installer package for organisations, under Wine's own msiexec:
a silent install puts both programs into the system folder of 32-bit
programs, and the saver runs from there; a newer version replaces an older
one, also while the saver runs (the files in use then at the next restart,
with exit code 3010); a removal takes them away and leaves the settings file
beside them; the package and setup.exe each refuse to install while the
other's installation is registered, silent (a non-zero exit code) and shown
(a message), and leave that installation as it was.

The shipped installer and package are 32-bit. Where this machine's Wine runs
no 32-bit programs, the installer's script is built as a 64-bit twin around
the 64-bit twin programs and that runs instead, in a 64-bit prefix; the
package stays a 32-bit one (the same source) around the twin programs, and
installs as on 64-bit Windows into SysWOW64. The test says which."""
import contextlib
import hashlib
import os
import pathlib
import re
import select
import shutil
import signal
import subprocess
import sys
import time
import unittest

from frontend_e2e import PROMPT_END, ended_within, run_saver_until_escape, wait_preview_child
from harness import SOURCE_DIR, WINE_EXEC, WINESERVER, Desktop, wait_until, windows_path

sys.path.insert(0, str(SOURCE_DIR / "packaging"))
from make_installer import build_installer, installer_name, version_number  # noqa: E402
from make_msi import build_msi, msi_name, product_code, product_version  # noqa: E402

PROGRAMS = ("Ember_Lantern.scr", "Ember_Lantern.dll")
SETTINGS = "Ember_Lantern.ini"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ember_Lantern"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
SESSION_MANAGER_KEY = r"HKLM\System\CurrentControlSet\Control\Session Manager"
TITLE = "Ember_Lantern (ScreenSaver)"
# The version of the older package that the tests upgrade from.
OLDER_VERSION = "0.50"
# Windows Installer's exit codes: the install failed (a launch condition
# refused it), and a restart is needed to finish it.
ERROR_INSTALL_FAILURE, ERROR_SUCCESS_REBOOT_REQUIRED = 1603, 3010
# setup.exe's exit code where the package's installation is registered.
ERROR_PRODUCT_VERSION = 1638


def resume(pid):
    """Lets a stopped process go on, if it still exists, so that it can be ended."""
    with contextlib.suppress(ProcessLookupError):
        os.kill(pid, signal.SIGCONT)


def aged(program):
    """The program's bytes as an earlier build's: another link time stamp,
    so that a test can tell old files from new ones. It runs the same."""
    blob = bytearray(program)
    stamp_at = int.from_bytes(blob[0x3C:0x40], "little") + 8
    blob[stamp_at:stamp_at + 4] = (0x2F000000).to_bytes(4, "little")
    return bytes(blob)


class Installer(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.version = os.environ["EL_VERSION"]
        work = pathlib.Path(os.environ.get("EL_WORK_DIR", "/tmp/el-e2e")) / "installer-build"
        shutil.rmtree(work, ignore_errors=True)
        # The downloads as scripts/package writes them, from the shipping build.
        made = subprocess.run(["python3", str(SOURCE_DIR / "packaging" / "make_package.py"), "--version",
                               cls.version, "--out", str(work / "dist"), os.environ["EL_SHIPPING_BIN_DIR"]],
                              check=True, capture_output=True, text=True, timeout=300).stdout
        print(made, end="")
        cls.dist = work / "dist"
        if os.environ.get("EL_WINE_ARCH") == "win64":
            cls.setup = build_installer(os.environ["EL_BIN_DIR"], cls.version,
                                        work / "twin" / installer_name(cls.version), target="amd64-unicode")
            print("runs: the 64-bit twin of the installer around the 64-bit twin programs (this machine's Wine "
                  "runs no 32-bit programs)")
        else:
            cls.setup = cls.dist / installer_name(cls.version)
            print("runs: the shipped 32-bit installer")
        cls.bin_dir = pathlib.Path(os.environ["EL_BIN_DIR"])
        # Over the shoulder: the installer as another account than the
        # signed-in user's, which cannot open the user's processes and whose
        # own HKCU is not the user's. A test build; no download has it.
        target = "amd64-unicode" if os.environ.get("EL_WINE_ARCH") == "win64" else "x86-unicode"
        cls.setup_as_another_account = build_installer(
            cls.bin_dir, cls.version, work / "another-account" / installer_name(cls.version), target=target,
            test_seams=["TEST_ANOTHER_ACCOUNT"])
        # The package: the download where 32-bit programs run, else the same
        # package around the 64-bit twin programs, so that the saver it puts
        # in place runs. And an older version of it, around an earlier
        # build's programs.
        cls.msi_shipped = cls.dist / msi_name(cls.version)
        if os.environ.get("EL_WINE_ARCH") == "win64":
            # Also looking for the 64-bit twin of setup.exe where it registers.
            cls.msi = build_msi(cls.bin_dir, cls.version, work / "twin" / msi_name(cls.version),
                                test_seams=["TEST_64_BIT_SETUP"])
            print("runs: a 32-bit package around the 64-bit twin programs, which installs them into SysWOW64")
        else:
            cls.msi = cls.msi_shipped
        older_programs = work / "older-programs"
        older_programs.mkdir()
        for name in PROGRAMS:
            (older_programs / name).write_bytes(aged((cls.bin_dir / name).read_bytes()))
        assert version_tuple(OLDER_VERSION) < version_tuple(cls.version), (OLDER_VERSION, cls.version)
        cls.msi_older = build_msi(older_programs, OLDER_VERSION, work / "older" / msi_name(OLDER_VERSION))
        cls.prefix = work / "prefix"
        subprocess.run([str(SOURCE_DIR / "scripts" / "wine-prefix"), "init", str(cls.prefix)], check=True, timeout=300)

    @classmethod
    def tearDownClass(cls):
        subprocess.run([str(SOURCE_DIR / "scripts" / "wine-prefix"), "stop", str(cls.prefix)], timeout=120)

    def setUp(self):
        self.d = Desktop("installer-" + self._testMethodName[len("test_"):], env={"WINEPREFIX": str(self.prefix)})
        self.addCleanup(self.d.close)
        self.system = self.prefix / "drive_c" / "windows" / "system32"
        # The system folder of 32-bit programs, where a 32-bit package installs.
        win64 = os.environ.get("EL_WINE_ARCH") == "win64"
        self.msi_system = self.prefix / "drive_c" / "windows" / ("syswow64" if win64 else "system32")

    # --- helpers ----------------------------------------------------------
    def reg_value(self, key, name, view=()):
        """The value's data as `reg query` prints it, or None when it is missing;
        view: ("/reg:32",) for the registry as 32-bit programs see it."""
        result = subprocess.run([str(WINE_EXEC), "reg", "query", key, "/v", name, *view], env=self.d.env,
                                stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        for line in result.stdout.decode("utf-8", "replace").splitlines():
            fields = line.strip().split(None, 2)
            if len(fields) >= 2 and fields[0] == name and fields[1].startswith("REG_"):
                return fields[2] if len(fields) == 3 else ""
        return None

    def set_screen_saver(self, path):
        # Under load Wine's reg.exe has been seen to fail once with nothing
        # wrong in the prefix (CI, two tests at a time); a second try settles
        # it, and a failure that stays shows what reg.exe said.
        command = [str(WINE_EXEC), "reg", "add", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/d", path, "/f"]
        for _ in range(3):
            result = subprocess.run(command, env=self.d.env, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
            if result.returncode == 0:
                return
        self.fail(f"reg add {path} failed ({result.returncode}): {result.stdout[-500:]!r} {result.stderr[-1500:]!r}")

    def unix_path(self, path):
        drive, _, rest = path.partition(":\\")
        self.assertEqual(drive.upper(), "C", path)
        return self.prefix / "drive_c" / pathlib.Path(*rest.split("\\"))

    def install_silently(self, exit_code=0, setup=None):
        result = self.d.run(setup or self.setup, "/S", timeout=120)
        # Wine hands on the low eight bits of a Windows exit code.
        self.assertEqual(result.returncode, exit_code & 0xFF, result.stderr[-2000:])

    def uninstall_silently(self, staying=(), env=None):
        """staying: the programs that stay until the next restart; env: the
        uninstaller's environment."""
        quiet = self.reg_value(UNINSTALL_KEY, "QuietUninstallString")
        self.assertIsNotNone(quiet, "no QuietUninstallString")
        program, _, args = quiet[1:].partition('" ')
        self.assertEqual(args, "/S")
        self.d.start(self.unix_path(program), "/S", env=env, to_files=True)
        # The uninstaller hands over to a copy of itself in the temporary folder
        # and returns at once: wait for what the copy does.
        gone = wait_until(lambda: self.reg_value(UNINSTALL_KEY, "DisplayName") is None and
                          not any((self.system / name).exists() for name in PROGRAMS if name not in staying), 90,
                          interval=0.5)
        self.assertTrue(gone, "the uninstaller left the programs or its registration")
        self.assertFalse(self.unix_path(program).exists(), "the uninstaller is still there")

    def our_files(self, folder=None):
        """What of ours the system folder holds, the saved settings aside;
        Windows Installer's temporary files (msi*.tmp) count as ours."""
        return sorted(p.name for p in (folder or self.system).iterdir()
                      if (p.name.lower().startswith("ember_lantern") and p.name != SETTINGS)
                      or MSI_TEMPORARY.fullmatch(p.name.lower()))

    def msiexec(self, action, package, *options, exit_code=0, shown=False):
        """Runs Wine's msiexec with the action (/i, /x) on the package,
        silently unless shown, with a verbose log in the work folder; checks
        its exit code. Returns its process where shown, which goes on."""
        self.msi_runs = getattr(self, "msi_runs", 0) + 1
        log = self.d.work / f"msiexec-{self.msi_runs}.log"
        command = [str(WINE_EXEC), "msiexec", action, windows_path(package), *([] if shown else ["/qn"]),
                   "/l*v", windows_path(log), *options]
        with open(self.d.work / f"msiexec-{self.msi_runs}.out", "wb") as out:
            p = subprocess.Popen(command, env=self.d.env, stdin=subprocess.DEVNULL, stdout=out, stderr=out)
        self.d.processes.append(p)
        if shown:
            return p
        p.wait(timeout=180)
        told = log.read_bytes().decode("cp932", "replace")[-3000:] if log.exists() else "(no log)"
        # Wine hands on the low eight bits of a Windows exit code.
        self.assertEqual(p.returncode, exit_code & 0xFF, f"msiexec {action} {package.name}: {told}")
        return p

    def remove_packages_left(self):
        """After a failure: no package of ours stays installed for the tests after it."""
        for version in (OLDER_VERSION, self.version):
            if self.msi_installed_version(version) is not None:
                subprocess.run([str(WINE_EXEC), "msiexec", "/x", product_code(version), "/qn"], env=self.d.env,
                               stdin=subprocess.DEVNULL, capture_output=True, timeout=180)

    def msi_installed_version(self, package_version):
        """The version Apps & features shows for that version's product, or
        None while it is not installed. Windows Installer registers a 32-bit
        package where 32-bit programs see the uninstall keys."""
        key = UNINSTALL_KEY.rpartition("\\")[0] + "\\" + product_code(package_version)
        return self.reg_value(key, "DisplayVersion", view=("/reg:32",))

    def pending_at_restart(self):
        """What Windows does to our files at the next restart: (file, new
        name) for a move, (file, "") for a deletion; a temporary file of
        Windows Installer's that takes one of our names is "msi*.tmp"."""
        result = subprocess.run([str(WINE_EXEC), "reg", "query", SESSION_MANAGER_KEY, "/v",
                                 "PendingFileRenameOperations"], env=self.d.env, stdin=subprocess.DEVNULL,
                                capture_output=True, timeout=60)
        _, _, value = result.stdout.decode("utf-8", "replace").partition("REG_MULTI_SZ")
        items = value.strip().split("\\0")
        names = [tuple(pathlib.PureWindowsPath(path.removeprefix("\\??\\")).name if path else "" for path in pair)
                 for pair in zip(items[::2], items[1::2])]
        names = [("msi*.tmp" if MSI_TEMPORARY.fullmatch(source.lower()) else source, target)
                 for source, target in names]
        # The uninstaller's own temporary copy goes at the restart too.
        return sorted(pair for pair in names if pair[0].lower().startswith("ember_lantern")
                      or (pair[0] == "msi*.tmp" and pair[1].lower().startswith("ember_lantern")))

    def restart_windows(self):
        """What a restart does to files: every process ends, and the
        boot-time renames and deletions are carried out."""
        subprocess.run([WINESERVER, "-k"], env=self.d.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=self.d.env, timeout=60)
        subprocess.run([str(WINE_EXEC), "wineboot", "-r"], env=self.d.env, stdin=subprocess.DEVNULL,
                       capture_output=True, timeout=120)

    def close_pipes_at_end(self, p):
        self.addCleanup(p.stderr.close)
        self.addCleanup(p.stdout.close)

    # The saver running from the system folder, as Windows runs it; each
    # returns the processes that hold its files.
    def start_preview(self):
        # In a box nested in its window as the display settings nest theirs.
        host = self.d.start(self.d.tools_dir / "winprobe.exe", "host", "152", "112", "preview box", "2")
        self.close_pipes_at_end(host)
        ready, _, _ = select.select([host.stdout], [], [], 30)
        box = host.stdout.readline().decode().strip() if ready else ""
        self.assertTrue(box.isdigit(), f"winprobe host printed {box!r}")
        saver = self.d.start(self.system / PROGRAMS[0], "/p", box, to_files=True)
        self.assertIsNotNone(wait_preview_child(self.d, int(box)), "no preview in the box")
        return [saver]

    def start_saver_run(self, folder=None):
        saver = self.d.start((folder or self.system) / PROGRAMS[0], "/s", to_files=True)
        self.assertTrue(self.d.wait_window("Ember_Lantern_VC", 30), "the renderer's window did not appear")
        return [saver]

    def start_settings_dialog(self, folder=None):
        saver = self.d.start((folder or self.system) / PROGRAMS[0], "/c", to_files=True)
        self.assertTrue(self.d.wait_window("<Ember_Lantern>", 30), "the settings dialog did not appear")
        return [saver]

    def start_hung_preview(self):
        """A preview that no longer answers its messages (its process
        stopped), so it never closes when asked."""
        running = self.start_preview()
        os.kill(running[0].pid, signal.SIGSTOP)
        self.addCleanup(resume, running[0].pid)
        return running

    def start_two_windows_of_one_process(self):
        """One process that owns two of the saver's windows, running from the
        saver's own file; it ends half a second after its last window."""
        shutil.copyfile(self.d.tools_dir / "two_window_saver.exe", self.system / PROGRAMS[0])
        saver = self.d.start(self.system / PROGRAMS[0])
        self.close_pipes_at_end(saver)
        ready, _, _ = select.select([saver.stdout], [], [], 30)
        self.assertEqual(saver.stdout.readline().strip() if ready else b"", b"ready")
        return [saver]

    def start_file_holder(self):
        """Another program that holds the front end's file open, sharing
        neither writing nor deleting: it can be neither renamed nor deleted."""
        holder = self.d.start(self.d.tools_dir / "winprobe.exe", "hold", windows_path_in_system(PROGRAMS[0]))
        self.close_pipes_at_end(holder)
        ready, _, _ = select.select([holder.stdout], [], [], 30)
        self.assertEqual(holder.stdout.readline().strip() if ready else b"", b"held")
        return [holder]

    # --- tests ------------------------------------------------------------
    def test_downloads_carry_their_sums(self):
        lines = (self.dist / "SHA256SUMS").read_text(encoding="ascii").splitlines()
        names = [f"Ember_Lantern-{self.version}.zip", installer_name(self.version), msi_name(self.version)]
        self.assertEqual([line.split("  ", 1)[1] for line in lines], names)
        for line in lines:
            digest, name = line.split("  ", 1)
            self.assertEqual(hashlib.sha256((self.dist / name).read_bytes()).hexdigest(), digest, name)

    def test_shipped_installer_is_32_bit_and_asks_for_administrator_rights(self):
        # What the twin cannot show: the download itself runs on 32-bit and
        # 64-bit Windows alike, and elevates before it writes the system folder.
        blob = (self.dist / installer_name(self.version)).read_bytes()
        header = int.from_bytes(blob[0x3C:0x40], "little")
        self.assertEqual(blob[header:header + 4], b"PE\0\0")
        self.assertEqual(int.from_bytes(blob[header + 4:header + 6], "little"), 0x14C, "not an i386 program")
        self.assertIn(b'level="requireAdministrator"', blob)

    def test_silent_install_runs_survives_a_reinstall_and_uninstalls_cleanly(self):
        self.install_silently()
        saver = windows_path_in_system(PROGRAMS[0])
        for name in PROGRAMS:
            self.assertEqual((self.system / name).read_bytes(), (self.bin_dir / name).read_bytes(), name)
        self.assertEqual(self.reg_value(DESKTOP_KEY, "SCRNSAVE.EXE").lower(), saver.lower())
        expected = {
            "DisplayName": TITLE,
            "DisplayVersion": self.version,
            "Publisher": "Ember_Lantern",
            "DisplayIcon": saver + ",0",
        }
        for name, value in expected.items():
            self.assertEqual(self.reg_value(UNINSTALL_KEY, name).lower(), value.lower(), name)
        size = int(self.reg_value(UNINSTALL_KEY, "EstimatedSize"), 16)
        on_disk = sum((self.system / name).stat().st_size for name in PROGRAMS) // 1024
        self.assertTrue(on_disk <= size <= on_disk + 1, (size, on_disk))
        uninstaller = self.reg_value(UNINSTALL_KEY, "UninstallString")
        self.assertTrue(uninstaller.startswith('"') and uninstaller.endswith('Uninstall.exe"'), uninstaller)
        self.assertTrue(self.unix_path(uninstaller.strip('"')).is_file(), uninstaller)
        self.assertEqual(self.reg_value(UNINSTALL_KEY, "QuietUninstallString"), uninstaller + " /S")

        run_saver_until_escape(self, self.d, self.system / PROGRAMS[0])
        # Over an existing install, with the user's settings beside it and
        # another saver chosen in between: the files are replaced, the saver
        # chosen again, the settings untouched.
        (self.system / SETTINGS).write_bytes(b"[Section]\r\nBGM\x8b\xe6\x95\xaa=0\r\n")
        (self.system / PROGRAMS[1]).write_bytes(b"an older renderer")
        self.set_screen_saver(r"C:\windows\system32\other.scr")
        self.install_silently()
        self.assertEqual((self.system / PROGRAMS[1]).read_bytes(), (self.bin_dir / PROGRAMS[1]).read_bytes())
        self.assertEqual(self.reg_value(DESKTOP_KEY, "SCRNSAVE.EXE").lower(), saver.lower())
        run_saver_until_escape(self, self.d, self.system / PROGRAMS[0])

        self.uninstall_silently()
        self.assertIsNone(self.reg_value(DESKTOP_KEY, "SCRNSAVE.EXE"), "the uninstalled saver is still chosen")
        self.assertTrue((self.system / SETTINGS).is_file(), "the user's settings were removed unasked")

    def test_uninstall_leaves_another_savers_choice(self):
        self.install_silently()
        other = r"C:\windows\system32\other.scr"
        self.set_screen_saver(other)
        self.uninstall_silently()
        self.assertEqual(self.reg_value(DESKTOP_KEY, "SCRNSAVE.EXE"), other)

    def test_uninstall_clears_the_signed_in_users_choice_through_the_shell(self):
        # The test build of another account leaves its own HKCU alone, as it
        # is not the user's: only the command the shell starts as the user can
        # clear the choice there.
        saver = windows_path_in_system(PROGRAMS[0])
        other = r"C:\windows\system32\other.scr"
        no_shell = {"WINEDLLOVERRIDES": self.d.env.get("WINEDLLOVERRIDES", "") + ";actxprxy="}
        routes = [
            # (route, the uninstaller's environment, the choice before, the choice after: None when cleared)
            ("through the shell", {}, saver, None),
            ("through the shell, the path in its short form", {}, "short", None),
            ("through the shell, another saver chosen", {}, other, other),
            ("no shell to ask: the choice stays", no_shell, saver, saver),
        ]
        for route, env, before, after in routes:
            with self.subTest(route=route):
                self.install_silently(setup=self.setup_as_another_account)
                if before == "short":
                    before = self.short_path(saver)
                    self.assertNotEqual(before.lower(), saver.lower(), "Wine gave no short name")
                self.set_screen_saver(before)
                self.uninstall_silently(env=env)
                if after is None:
                    self.assertTrue(wait_until(lambda: self.reg_value(DESKTOP_KEY, "SCRNSAVE.EXE") is None, 30),
                                    "the user's choice still names the removed saver")
                else:
                    time.sleep(5)  # time enough for a command the shell would run
                    self.assertEqual(self.reg_value(DESKTOP_KEY, "SCRNSAVE.EXE"), after)

    def test_installs_and_uninstalls_over_a_running_saver(self):
        new = {name: (self.bin_dir / name).read_bytes() for name in PROGRAMS}
        saver, renderer = PROGRAMS
        aside, waiting = saver + ".1.old", saver + ".new"
        ordinary, another_account = self.setup, self.setup_as_another_account
        cases = [
            # (what uses the system folder's files, how the installer gets past it, the installer)
            (self.start_preview, "closed", ordinary),
            (self.start_saver_run, "closed", ordinary),
            (self.start_settings_dialog, "closed", ordinary),
            (self.start_hung_preview, "moved aside", ordinary),
            (self.start_file_holder, "replaced at the restart", ordinary),
            (self.start_two_windows_of_one_process, "closed", ordinary),
            # The saver's processes cannot be opened: the windows are watched,
            # then the files, until no process runs from them.
            (self.start_saver_run, "closed", another_account),
            (self.start_preview, "closed", another_account),
            (self.start_two_windows_of_one_process, "closed", another_account),
        ]
        for start, way, setup in cases:
            with self.subTest(running=start.__name__, installer=setup.parent.name):
                for name in PROGRAMS:  # an earlier version, installed
                    (self.system / name).write_bytes(aged(new[name]))
                running = start()
                self.install_silently(exit_code=3010 if way == "replaced at the restart" else 0, setup=setup)
                if way == "closed":
                    for p in running:
                        self.assertIsNotNone(ended_within(p, PROMPT_END), "the saver was not closed")
                    self.assertEqual(self.our_files(), sorted(PROGRAMS))
                    self.assertEqual(self.pending_at_restart(), [])
                elif way == "moved aside":
                    self.assertEqual(self.our_files(), sorted([*PROGRAMS, aside]))
                    self.assertEqual((self.system / aside).read_bytes(), aged(new[saver]))
                    self.assertEqual(self.pending_at_restart(), [(aside, "")])
                else:
                    self.assertEqual(self.our_files(), sorted([*PROGRAMS, waiting]))
                    self.assertEqual((self.system / saver).read_bytes(), aged(new[saver]))
                    self.assertEqual((self.system / waiting).read_bytes(), new[saver])
                    self.assertEqual(self.pending_at_restart(), [(waiting, saver)])
                if way != "closed":
                    self.restart_windows()
                self.assertEqual(self.our_files(), sorted(PROGRAMS))
                for name in PROGRAMS:
                    self.assertEqual((self.system / name).read_bytes(), new[name], name)

                running = start()
                self.uninstall_silently(staying=[saver] if way == "replaced at the restart" else [])
                if way == "closed":
                    for p in running:
                        self.assertIsNotNone(ended_within(p, PROMPT_END), "the saver was not closed")
                    self.assertEqual(self.pending_at_restart(), [])
                else:
                    # Out of the screen saver list at once where it can be renamed; gone at the restart.
                    left = aside if way == "moved aside" else saver
                    self.assertEqual(self.our_files(), [left])
                    self.assertEqual(self.pending_at_restart(), [(left, "")])
                    self.restart_windows()
                self.assertEqual(self.our_files(), [])

    def test_package_for_organisations_installs_upgrades_and_removes_silently(self):
        new = {name: (self.bin_dir / name).read_bytes() for name in PROGRAMS}
        saver, renderer = PROGRAMS
        settings = b"[Section]\r\nBGM\x8b\xe6\x95\xaa=2\r\n"
        self.addCleanup(self.remove_packages_left)
        cases = [
            # (what runs from the system folder as the newer version goes in, the files it holds)
            (None, []),
            (self.start_saver_run, [saver, renderer]),
            (self.start_settings_dialog, [saver]),
        ]
        for start, held in cases:
            with self.subTest(running=start.__name__ if start else "nothing"):
                self.msiexec("/i", self.msi_older)
                self.assertEqual(self.our_files(self.msi_system), sorted(PROGRAMS))
                for name in PROGRAMS:
                    self.assertEqual((self.msi_system / name).read_bytes(), aged(new[name]), name)
                self.assertEqual(self.msi_installed_version(OLDER_VERSION), product_version(OLDER_VERSION))
                # The user's settings beside the saver, as the dialog saves them.
                (self.msi_system / SETTINGS).write_bytes(settings)

                running = start(self.msi_system) if start else []
                self.msiexec("/i", self.msi, exit_code=ERROR_SUCCESS_REBOOT_REQUIRED if held else 0)
                # The older version is gone from Apps & features, the newer one there.
                self.assertIsNone(self.msi_installed_version(OLDER_VERSION), "the older version is still installed")
                self.assertEqual(self.msi_installed_version(self.version), product_version(self.version))
                if held:
                    # Windows Installer's rule: a file in use is replaced at
                    # the next restart (Wine's msiexec has no Restart Manager
                    # to close the saver first).
                    for name in held:
                        self.assertEqual((self.msi_system / name).read_bytes(), aged(new[name]), name)
                    self.assertEqual(sorted(target for _, target in self.pending_at_restart() if target),
                                     sorted(held))
                    for p in running:
                        self.assertIsNone(p.poll(), "the saver was ended")
                    self.restart_windows()
                self.assertEqual(self.our_files(self.msi_system), sorted(PROGRAMS))
                for name in PROGRAMS:
                    self.assertEqual((self.msi_system / name).read_bytes(), new[name], name)
                self.assertEqual(self.pending_at_restart(), [])
                self.assertEqual((self.msi_system / SETTINGS).read_bytes(), settings, "the upgrade changed the settings")
                if not start:
                    run_saver_until_escape(self, self.d, self.msi_system / saver)

                self.msiexec("/x", self.msi)
                self.assertIsNone(self.msi_installed_version(self.version), "still installed after the removal")
                self.assertEqual(self.our_files(self.msi_system), [])
                self.assertEqual((self.msi_system / SETTINGS).read_bytes(), settings, "the removal took the settings")
                (self.msi_system / SETTINGS).unlink()

    def test_setup_and_the_package_refuse_to_install_over_each_other(self):
        shipped = pathlib.Path(os.environ["EL_SHIPPING_BIN_DIR"])
        self.addCleanup(self.remove_packages_left)
        # The package's installation registered: setup.exe refuses, silent
        # and shown, and the package's programs stay as they are.
        self.msiexec("/i", self.msi_shipped)
        for name in PROGRAMS:
            self.assertEqual((self.msi_system / name).read_bytes(), (shipped / name).read_bytes(), name)
        self.install_silently(exit_code=ERROR_PRODUCT_VERSION)
        setup = self.d.start(self.setup, to_files=True)
        told = self.wait_for_control_text("(MSI)")
        self.d.screenshot("installer-refuses-over-the-msi.png")
        self.assertIn("msiexec /x", told)
        self.d.tap("Return")
        self.assertEqual(ended_within(setup, 30), ERROR_PRODUCT_VERSION & 0xFF)
        self.assertIsNone(self.reg_value(UNINSTALL_KEY, "DisplayName"), "setup.exe registered itself")
        self.assertIsNone(self.reg_value(UNINSTALL_KEY, "DisplayName", view=("/reg:32",)))
        for name in PROGRAMS:
            self.assertEqual((self.msi_system / name).read_bytes(), (shipped / name).read_bytes(), name)
        self.assertEqual(self.msi_installed_version(self.version), product_version(self.version))
        self.msiexec("/x", self.msi_shipped)
        self.assertEqual(self.our_files(self.msi_system), [])

        # setup.exe's installation registered: the package refuses, silent
        # and shown, and setup.exe's programs and uninstaller stay. (The
        # shipped package looks where the shipped 32-bit setup.exe registers;
        # the tests' package for a 64-bit prefix also where its twin does.)
        self.install_silently()
        self.msiexec("/i", self.msi, exit_code=ERROR_INSTALL_FAILURE)
        shown = self.msiexec("/i", self.msi, shown=True)
        caption = self.wait_for_message("installed on this computer by its setup program (setup.exe)")
        self.d.screenshot("msi-refuses-over-setup.png")
        self.d.focus(caption)
        self.d.tap("Return")
        self.assertEqual(ended_within(shown, 30), ERROR_INSTALL_FAILURE & 0xFF)
        self.assertIsNone(self.msi_installed_version(self.version), "the package installed itself")
        for name in PROGRAMS:
            self.assertEqual((self.system / name).read_bytes(), (self.bin_dir / name).read_bytes(), name)
        self.assertEqual(self.reg_value(UNINSTALL_KEY, "DisplayName"), TITLE)
        self.uninstall_silently()
        self.assertEqual(self.our_files(), [])

    def test_pages_as_the_user_sees_them(self):
        # Wine has no desk.cpl: a stand-in records each command that loads it.
        desk = self.system / "desk.cpl"
        calls = self.system / "desk.cpl.calls"
        shutil.copy2(self.d.tools_dir / "desk" / "desk.cpl", desk)
        self.addCleanup(desk.unlink, missing_ok=True)
        self.addCleanup(calls.unlink, missing_ok=True)
        saver = windows_path_in_system(PROGRAMS[0]).lower()
        restart_note = "次回の再起動時に削除されます"
        account_note = f"このインストーラーを実行しているアカウント「{self.user_name()}」のスクリーンセーバーに設定し"
        routes = [
            # (route, the installer's environment, the command that loads desk.cpl, who starts it,
            #  whether the installer chooses the saver for its own account, a hung saver to install over)
            ("through the shell", {}, "desk.cpl,installscreensaver " + saver, "explorer.exe", False, True),
            # Without the shell's proxies the installer cannot reach the shell,
            # as where no shell runs or it refuses an elevated caller.
            ("no shell to ask", {"WINEDLLOVERRIDES": self.d.env.get("WINEDLLOVERRIDES", "") + ";actxprxy="},
             "desk.cpl,,@screensaver", self.setup.name.lower(), True, False),
        ]
        for route, env, command, starter, chosen_by_installer, over_hung_saver in routes:
            with self.subTest(route=route):
                calls.unlink(missing_ok=True)
                subprocess.run([str(WINE_EXEC), "reg", "delete", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/f"],
                               env=self.d.env, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
                if over_hung_saver:
                    for name in PROGRAMS:
                        shutil.copy2(self.bin_dir / name, self.system / name)
                    self.start_hung_preview()
                self.d.start(self.setup, env=env, to_files=True)
                self.wait_for_control_text("へようこそ")
                self.d.screenshot("installer-welcome.png")
                self.d.tap("Return")  # the welcome page leads straight to the install
                finish = self.wait_for_control_text("スクリーンセーバーに設定して設定画面を開く")
                self.d.screenshot("installer-finish-restart-note.png" if over_hung_saver else "installer-finish.png")
                self.assertEqual(restart_note in finish, over_hung_saver, finish)
                # Where no shell answers, the page says whose screen saver the box chooses.
                self.assertEqual(account_note in finish, chosen_by_installer, finish)
                self.d.tap("Return")  # Finish, the box ticked
                self.assertTrue(wait_until(lambda: not self.wizard_caption(), 30), "the installer did not close")
                self.assertTrue((self.system / PROGRAMS[0]).is_file())

                record = wait_until(lambda: calls.exists() and calls.read_text(encoding="utf-8"), 30)
                self.assertTrue(record, "nothing loaded desk.cpl")
                program, command_line, parent = record.splitlines()[0].split("|")
                print(f"{route}: {command_line} (program {program}, started by {parent})")
                # The system's own tool, from its own System32.
                self.assertTrue(program.lower().startswith("c:\\windows\\system32\\"), program)
                self.assertTrue(command_line.lower().endswith(command), command_line)
                self.assertEqual(parent.lower(), starter)
                chosen = self.reg_value(DESKTOP_KEY, "SCRNSAVE.EXE")
                self.assertEqual(chosen.lower() if chosen else None, saver if chosen_by_installer else None)
                self.uninstall_silently()
                if over_hung_saver:
                    self.restart_windows()

        self.install_silently()
        self.d.start(self.unix_path(self.reg_value(UNINSTALL_KEY, "UninstallString").strip('"')), to_files=True)
        self.wait_for_control_text("アンインストール")
        self.d.tap("Return")  # past the confirmation page
        self.wait_for_control_text("class=SysTreeView32")  # the parts to remove, the settings unticked
        self.d.screenshot("uninstaller-components.png")
        self.d.tap("Return")
        self.wait_for_control_text("削除しました")
        self.d.screenshot("uninstaller-finish.png")
        self.d.tap("Return")
        self.assertTrue(wait_until(lambda: not self.wizard_caption(), 30), "the uninstaller did not close")
        self.assertEqual(self.our_files(), [])

    # --- steps ------------------------------------------------------------
    def command_output(self, command):
        """What the command interpreter prints for the command, line by line."""
        result = subprocess.run([str(WINE_EXEC), "cmd", "/c", command], env=self.d.env, stdin=subprocess.DEVNULL,
                                capture_output=True, timeout=60)
        return [line.strip() for line in result.stdout.decode("cp932", "replace").splitlines() if line.strip()]

    def short_path(self, path):
        """The short (8.3) form of a file's path, as Windows' settings may
        store it: the name `dir /x` shows before the long one."""
        folder, _, name = path.rpartition("\\")
        for line in self.command_output(f"dir /x {path}"):
            fields = line.split()
            if len(fields) >= 2 and fields[-1].lower() == name.lower():
                return folder + "\\" + fields[-2]
        return path

    def user_name(self):
        """The name of the account Wine runs the programs as."""
        lines = self.command_output("echo %USERNAME%")
        return lines[-1] if lines else ""

    def wait_for_message(self, text):
        """Waits until a window shows a control with the text (a message
        box, whatever its caption); returns its caption."""
        def shown():
            listed = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^", "getwindowname", "%@"],
                                    env=self.d.env, capture_output=True, text=True, timeout=30).stdout
            for caption in filter(None, listed.splitlines()):
                if text in self.d.probe("controls", caption).text:
                    return caption
            return None
        caption = wait_until(shown, 60, interval=0.5)
        self.assertTrue(caption, f"no window shows {text!r}")
        return caption

    def wizard_caption(self):
        """The caption of the installer's or uninstaller's window (it changes
        from page to page), or None while none is shown."""
        found = self.d.x_window_names(TITLE + " ")
        return found[0] if found else None

    def wait_for_control_text(self, text):
        """Waits until the wizard's controls, as winprobe lists them, show the
        text, then gives the wizard the input focus, as a user's click on it
        would; returns the controls' list."""
        def shown():
            caption = self.wizard_caption()
            controls = self.d.probe("controls", caption).text if caption else ""
            return (caption, controls) if text in controls else None
        found = wait_until(shown, 60, interval=0.25)
        self.assertTrue(found, f"no control of the wizard shows {text!r}")
        self.d.focus(found[0])
        return found[1]

def windows_path_in_system(name):
    return "C:\\windows\\system32\\" + name


def version_tuple(version):
    return tuple(int(p) for p in version_number(version).split("."))


# The name Windows Installer gives a new file that waits for a restart to take the place of one in use.
MSI_TEMPORARY = re.compile(r"msi[0-9a-f]+\.tmp")


if __name__ == "__main__":
    unittest.main()
