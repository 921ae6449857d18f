"""When the renderer cannot set up OpenGL it ends at once, silently, with
exit code 0, and no window stays behind. The failed step's name goes only to
the debugger channel, where Wine's +debugstr shows it."""
import unittest

from harness import Desktop
from renderer_e2e import CAPTION


class SilentFailures(unittest.TestCase):
    def run_renderer(self, env=None, xvfb_args=()):
        """Exit code and the step the renderer reported as failed."""
        d = Desktop(self.id().split(".", 1)[1], env=env, xvfb_args=xvfb_args)
        self.addCleanup(d.close)
        folder = d.install(files=("Ember_Lantern.dll",))
        renderer = d.start(folder / "Ember_Lantern.dll", env={"WINEDEBUG": "+debugstr"}, to_files=True)
        code = renderer.wait(timeout=60)
        self.assertFalse(d.window_exists(CAPTION), "a window stayed behind")
        log = renderer.err_path.read_text(errors="replace")
        steps = [line.split('"')[1] for line in log.splitlines() if "OutputDebugStringA" in line]
        failed = steps[steps.index("Ember_Lantern_VC: set-up failed at ") + 1] if steps else None
        return code, failed

    def test_no_pixel_format(self):
        # An X server without GLX offers no OpenGL pixel format: the window is
        # made, its set-up stops at ChoosePixelFormat, and the program ends.
        self.assertEqual(self.run_renderer(xvfb_args=("-extension", "GLX")), (0, "ChoosePixelFormat"))

    def test_no_opengl_library(self):
        self.assertEqual(self.run_renderer(env={"WINEDLLOVERRIDES": "opengl32=;mscoree,mshtml="}),
                         (0, "LoadLibraryEx"))


if __name__ == "__main__":
    unittest.main()
