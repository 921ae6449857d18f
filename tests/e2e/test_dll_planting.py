"""No DLL is loaded from the programs' own folder. Marker DLLs named like
system DLLs that Windows does not protect (winmm, opengl32, glu32, msimg32,
and comctl32, which comdlg32 and shell32 pull in; comdlg32 and shell32
themselves) are planted beside the programs, and Wine is told to prefer such
native copies; a marker that is loaded leaves "<name>.loaded" beside itself."""
import shutil
import subprocess
import unittest

from frontend_e2e import start_host, wait_preview_child, wait_window
from harness import Desktop, wait_until

MARKERS = ("winmm.dll", "opengl32.dll", "glu32.dll", "msimg32.dll", "comctl32.dll", "comdlg32.dll", "shell32.dll")
# Without native-first overrides Wine would use its own DLLs whatever lies
# beside the program, and the test would prove nothing.
PLANTING_ENV = {"WINEDLLOVERRIDES": "winmm,opengl32,glu32,msimg32,comctl32,comdlg32,shell32=n,b;mscoree,mshtml="}
WM_CLOSE, WM_COMMAND = 0x10, 0x111
DIALOG, CHOOSER = "<Ember_Lantern>", "ﾌｧｲﾙを開く"
ID_FILE_BUTTON = 101  # the settings dialog's "..."; BN_CLICKED is 0


def spheres_drawn(d):
    """The renderer draws lit spheres only after loading OpenGL."""
    centre = (d.width // 2 - 50, d.height // 2 - 50, d.width // 2 + 50, d.height // 2 + 50)
    return wait_until(lambda: d.screenshot().region_stats(*centre)[1] > 0, 20, 0.2)


def button_gradient_drawn(d):
    """The demo host's first button (69 x 25 at 20, 20): the bottom of its
    body is tinted blue only where GradientFill, from msimg32, ran; without it
    the body is the grey button face."""
    def tinted():
        red, _, blue = d.screenshot().pixel(26, 40)
        return blue > red + 5
    return wait_until(tinted, 20, 0.2)


def end(process):
    """Waits for the program to end; one that a planted DLL broke may hang,
    and is then ended here, so that the test can report what it loaded."""
    try:
        process.wait(timeout=30)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout=30)


def run_until_window_closed(caption, drawn, *args):
    """A program started with `args` that shows `caption`: (it ran, it got
    past loading its DLLs); it ends when that window is closed."""
    def run(d, program):
        process = d.start(program, *args, env=PLANTING_ENV)
        appeared = d.wait_window(caption)
        drew = appeared and drawn(d)
        if appeared:
            d.probe("post", caption, str(WM_CLOSE), "0", "0")
        end(process)
        return appeared, drew
    return run


def run_settings_dialog(d, program):
    """/c with the file chooser opened once (comdlg32, and through it
    comctl32 and shell32), then the chooser and the dialog closed."""
    process = d.start(program, "/c", env=PLANTING_ENV)
    appeared = d.wait_window(DIALOG, 30)
    chose = False
    if appeared:
        d.probe("post", DIALOG, str(WM_COMMAND), str(ID_FILE_BUTTON), "0")
        chose = wait_window(d, CHOOSER, 30)
        if chose:
            d.probe("post", CHOOSER, str(WM_CLOSE), "0", "0")
            chose = d.wait_window_gone(CHOOSER, 20)
        d.probe("post", DIALOG, str(WM_CLOSE), "0", "0")
    end(process)
    return appeared, chose


def run_preview(d, program):
    """/p inside a host window of another process; it ends with its host."""
    host_process, host = start_host(d, 152, 112, "planting host")
    process = d.start(program, "/p", str(host), env=PLANTING_ENV)
    shown = wait_preview_child(d, host) is not None
    d.probe("post", "planting host", str(WM_CLOSE), "0", "0")
    end(host_process)
    end(process)
    return shown, shown


# where the program is built ("bin": shipped, "tools": test tools), its file,
# the mode tried, and how it is run: each run says whether the program ran
# and whether it got past loading the DLLs in question.
PROGRAMS = (
    ("bin", "Ember_Lantern.dll", "", run_until_window_closed("Ember_Lantern_VC", spheres_drawn)),
    # The saver run starts the renderer.
    ("bin", "Ember_Lantern.scr", "/s", run_until_window_closed("Ember_Lantern_VC", spheres_drawn, "/s")),
    ("bin", "Ember_Lantern.scr", "/c", run_settings_dialog),
    ("bin", "Ember_Lantern.scr", "/p", run_preview),
    ("tools", "command_demo.exe", "", run_until_window_closed("Command demo", button_gradient_drawn)),
)


class DllPlanting(unittest.TestCase):
    def setUp(self):
        self.desktop = Desktop(self.id().split(".", 1)[1])
        self.addCleanup(self.desktop.close)

    def plant(self, folder):
        for marker in MARKERS:
            shutil.copy2(self.desktop.tools_dir / "planted" / marker, folder / marker)

    def loaded_markers(self, folder):
        return sorted(p.name for p in folder.glob("*.loaded"))

    def test_markers_are_detected_when_loaded_from_the_folder(self):
        """Control: a plain LoadLibraryA from the same kind of folder does
        load the planted copies, so their absence below means something."""
        d = self.desktop
        folder = d.install("control")
        self.plant(folder)
        probe = folder / "winprobe.exe"
        shutil.copy2(d.tools_dir / "winprobe.exe", probe)
        for marker in MARKERS:
            d.run(probe, "load-library", marker, env=PLANTING_ENV, timeout=60)
        self.assertEqual(self.loaded_markers(folder), sorted(m + ".loaded" for m in MARKERS))

    def test_programs_load_nothing_from_their_folder(self):
        d = self.desktop
        ran = 0
        for built_in, program, mode, run in PROGRAMS:
            source = (d.bin_dir if built_in == "bin" else d.tools_dir) / program
            if not source.exists():
                continue  # not built yet
            ran += 1
            with self.subTest(program=program, mode=mode):
                folder = d.install(f"planted {program} {mode.lstrip('/')}".strip())
                if built_in != "bin":
                    shutil.copy2(source, folder / program)
                self.plant(folder)
                appeared, drew = run(d, folder / program)
                self.assertEqual(self.loaded_markers(folder), [], f"{program} {mode} loaded a planted DLL")
                self.assertTrue(appeared, f"{program} {mode} did not run")
                self.assertTrue(drew, f"{program} {mode} did not get past loading its DLLs")
        self.assertGreater(ran, 0, "no program to check")


if __name__ == "__main__":
    unittest.main()
