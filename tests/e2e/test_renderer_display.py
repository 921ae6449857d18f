"""The renderer follows the display: a resolution changed during a run
gives a full-screen window of the new size, made anew (still full screen,
the animation going on, a window with the caption there at every moment),
and on a desk of two monitors both monitors show their pictures again. The
framed window keeps its size.

Xvfb lets RandR switch its one output to another mode at run time (the mode
added with --newmode and --addmode), and Wine (8.0) follows in the screen DC
and the monitor list, but sends no WM_DISPLAYCHANGE for a change made
outside it: the test sends the message, as Windows does after every change.
Monitors cannot be plugged in or out there (one output; Wine reads a
Xinerama layout only when its session starts), so on two monitors the test
sends the message without a change, which must still make everything anew."""
import subprocess
import unittest

from harness import Desktop, wait_until
from renderer_e2e import CAPTION, WS_CAPTION, WS_POPUP, RendererCase

WM_DISPLAYCHANGE = 0x007E
WM_KEYUP = 0x0101
VK_TAB = 0x09
SMALL_MODE = ("1024x768", "63.50", "1024", "1072", "1176", "1328", "768", "771", "775", "798", "-hsync", "+vsync")
DESKTOP_COLOUR = (255, 0, 255)


class ResolutionChange(RendererCase):
    def xrandr(self, *args):
        subprocess.run(["xrandr", *args], env=self.desktop.env, check=True, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def change_mode(self, mode, width, height):
        self.xrandr("--output", "screen", "--mode", mode)
        screen = wait_until(lambda: f"screen={width},{height}" in self.desktop.probe("monitors").text, 20, 0.2)
        self.assertTrue(screen, "Wine did not take the new mode")
        self.assertTrue(self.post(WM_DISPLAYCHANGE, 24, (height << 16) | width))

    def wait_full_screen(self, width, height, not_handle=None):
        def check():
            info = self.info()
            if (info and info["visible"] and not info["style"] & WS_CAPTION and info["handle"] != not_handle
                    and info["window"] == (0, 0, width, height) and info["client"] == (width, height)):
                return info
            return None
        return wait_until(check, 20, 0.1)

    def assert_picture_fills(self, width, height, save_as):
        """Spheres lit at the screen's centre, black corners, and the text at
        the top right of the new size: the projection and overlay follow."""
        corners = ((0, 0), (width - 100, height - 100), (0, height - 100))

        def check():
            # Waited for as a whole: on a loaded machine the X server can show
            # the first frames before what lay beneath is covered everywhere.
            shot = self.desktop.screenshot()
            if (shot.width, shot.height) != (width, height):
                return None
            total, lit, _ = shot.region_stats(width // 2 - 100, height // 2 - 100, width // 2 + 100, height // 2 + 100)
            dark = all(shot.region_stats(x, y, x + 100, y + 100)[1] == 0 for x, y in corners)
            # Up from black (the start's fade): their overlap clips to white.
            full = max(max(shot.pixel(x, height // 2)) for x in range(width // 2 - 100, width // 2 + 100, 2)) >= 250
            return shot if lit > total * 0.95 and full and self.text_pixels(shot) > 10 and dark else None
        shot = wait_until(check, 15, 0.2)
        self.assertTrue(shot, f"no picture filling {width} x {height}")
        self.desktop.screenshot(save_as)
        for left, top in corners:
            self.assertEqual(shot.region_stats(left, top, left + 100, top + 100)[1], 0, f"not black at {left},{top}")
        # Round spheres, not stretched: as wide as they are high.
        cy, cx = height // 2, width // 2
        lit_row = [x for x in range(0, width, 2) if sum(shot.pixel(x, cy)) > 30]
        lit_column = [y for y in range(0, height, 2) if sum(shot.pixel(cx, y)) > 30]
        across, down = lit_row[-1] - lit_row[0], lit_column[-1] - lit_column[0]
        self.assertAlmostEqual(across / down, 1.0, delta=0.08, msg=f"spheres {across} x {down} pixels")
        return shot

    def test_full_screen_window_follows_a_resolution_change_and_back(self):
        d = self.desktop
        first = self.wait_full_screen(d.width, d.height)
        self.assertTrue(first)
        self.assert_picture_fills(d.width, d.height, "before.png")
        # As the saver watches it: it ends the run when the caption is missing.
        watch = d.start(d.tools_dir / "winprobe.exe", "watch-gap", CAPTION, "180000", to_files=True)

        self.xrandr("--newmode", *SMALL_MODE)
        self.xrandr("--addmode", "screen", SMALL_MODE[0])
        self.change_mode(SMALL_MODE[0], 1024, 768)
        small = self.wait_full_screen(1024, 768, not_handle=first["handle"])
        self.assertTrue(small, f"no full-screen window of 1024 x 768 after the change: {self.info()}")
        self.assertEqual(small["style"] & 0xFFFF0000 & ~0x14000000, WS_POPUP)
        before = self.assert_picture_fills(1024, 768, "after-change.png")
        moved = wait_until(lambda: self.centre_difference(before, d.screenshot()) > 3, 10, 0.2)
        self.assertTrue(moved, "the animation did not go on after the change")

        self.change_mode(f"{d.width}x{d.height}", d.width, d.height)
        back = self.wait_full_screen(d.width, d.height, not_handle=small["handle"])
        self.assertTrue(back, f"no full-screen window of the first size again: {self.info()}")
        self.assert_picture_fills(d.width, d.height, "back.png")
        self.assertTrue(self.running())
        d.tap("Escape")
        self.assertEqual(self.exit_code(), 1)
        watch.wait(timeout=60)  # ends a second after the renderer's window
        fields = dict(f.split("=") for f in watch.out_path.read_text().split())
        self.assertEqual(int(fields["gaps"]), 0, f"the caption was missing for up to {fields['longest_ms']} ms")

    def test_framed_window_keeps_its_size(self):
        self.assertTrue(self.wait_for_mode(framed=False))
        self.desktop.tap("Tab")
        framed = self.wait_for_mode(framed=True)
        self.assertTrue(framed)
        self.assertTrue(self.post(WM_DISPLAYCHANGE, 24, (self.desktop.height << 16) | self.desktop.width))
        # A later Tab acting proves the message before it was handled.
        self.assertTrue(self.post(WM_KEYUP, VK_TAB))
        again = self.wait_for_mode(framed=False)
        self.assertTrue(again, "the display change ended the framed mode")
        self.assertEqual(again["window"], (0, 0, self.desktop.width, self.desktop.height))
        self.assertTrue(self.running())


class TwoMonitorChange(unittest.TestCase):
    """Two monitors side by side; the message arrives as after a monitor was
    plugged in: the window over both is made anew, each monitor with its
    picture again."""

    def test_display_change_makes_the_window_anew_over_both_monitors(self):
        d = Desktop("renderer_display_two_monitors", width=2304, height=1024,
                    monitors=[(1280, 1024, 0, 0), (1024, 768, 1280, 0)])
        self.addCleanup(d.close)
        subprocess.run(["xsetroot", "-solid", "#ff00ff"], env=d.env, check=True, timeout=30)
        renderer = d.start(d.install(files=("Ember_Lantern.dll",)) / "Ember_Lantern.dll")
        self.assertTrue(d.wait_window(CAPTION, 30))

        def windows():
            lines = d.probe("windows-of", CAPTION).text.splitlines()
            return sorted(line.split()[0] for line in lines if line.startswith("handle="))

        def pictures():
            shot = d.screenshot()
            showing = sum(shot.pixel(x, y) == DESKTOP_COLOUR for y in range(0, 1024, 16) for x in range(0, 2304, 16)
                          if x < 1280 or y < 768)
            lit = all(shot.region_stats(cx - 40, cy - 40, cx + 40, cy + 40)[1] > 0 for cx, cy in ((640, 512),
                                                                                                (1792, 384)))
            return shot if showing == 0 and lit else None

        before = wait_until(lambda: windows() if len(windows()) == 1 else None, 20, 0.2)
        self.assertTrue(before, "not one window over both monitors")
        self.assertTrue(wait_until(pictures, 20, 0.2), "no picture on each monitor")
        d.probe("post", CAPTION, hex(WM_DISPLAYCHANGE), "24", hex((1024 << 16) | 1280))
        after = wait_until(lambda: windows() if len(windows()) == 1 and windows() != before else None, 20, 0.2)
        self.assertTrue(after, f"the window was not made anew: {before} then {windows()}")
        self.assertTrue(wait_until(pictures, 20, 0.2), "no picture on each monitor after the change")
        self.assertEqual(d.window_info(CAPTION)["window"], (0, 0, 2304, 1024))
        self.assertIsNone(renderer.poll())


if __name__ == "__main__":
    unittest.main()
