"""No DLL is loaded from the programs' own folder. Marker DLLs named like
system DLLs that Windows does not protect (winmm, opengl32, glu32, msimg32)
are planted beside the programs, and Wine is told to prefer such native
copies; a marker that is loaded leaves "<name>.loaded" beside itself."""
import shutil
import unittest

from harness import Desktop, wait_until

MARKERS = ("winmm.dll", "opengl32.dll", "glu32.dll", "msimg32.dll")
# Without native-first overrides Wine would use its own DLLs whatever lies
# beside the program, and the test would prove nothing.
PLANTING_ENV = {"WINEDLLOVERRIDES": "winmm,opengl32,glu32,msimg32=n,b;mscoree,mshtml="}


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


# where the program is built ("bin": shipped, "tools": test tools), its file,
# arguments, the caption of the window that shows it is running, and the sign
# that it got past loading the DLLs in question. Each run ends when that
# window is closed. The settings dialog (/c) draws no spheres: its row will
# need its own sign of life, as the button demo has.
PROGRAMS = (
    ("bin", "Ember_Lantern.dll", (), "Ember_Lantern_VC", spheres_drawn),
    ("bin", "Ember_Lantern.scr", ("/s",), "Ember_Lantern_VC", spheres_drawn),  # the saver run starts the renderer
    ("tools", "command_demo.exe", (), "Command demo", button_gradient_drawn),  # paints push buttons
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
        for built_in, program, args, caption, drawn in PROGRAMS:
            source = (d.bin_dir if built_in == "bin" else d.tools_dir) / program
            if not source.exists():
                continue  # not built yet
            ran += 1
            with self.subTest(program=program):
                folder = d.install(f"planted {program}")
                if built_in != "bin":
                    shutil.copy2(source, folder / program)
                self.plant(folder)
                process = d.start(folder / program, *args, env=PLANTING_ENV)
                appeared = d.wait_window(caption)
                drew = appeared and drawn(d)
                if appeared:
                    d.probe("post", caption, "0x10", "0", "0")
                process.wait(timeout=30)
                self.assertEqual(self.loaded_markers(folder), [], f"{program} loaded a planted DLL")
                self.assertTrue(appeared, f"{program} did not run")
                self.assertTrue(drew, f"{program} drew nothing")
        self.assertGreater(ran, 0, "no program to check")


if __name__ == "__main__":
    unittest.main()
