"""A saver run on a desk with two monitors: nothing of the desktop shows on
either while the renderer runs full screen, the renderer's own window keeps
the primary's size, a cover acts like the renderer's window for the keys,
and nothing is left after Esc.

Xvfb offers one X screen; RandR splits it into two monitors, which Wine
reads through Xinerama. The X root is painted magenta, a colour the saver
never draws, so any magenta pixel inside a monitor is the desktop showing."""
import subprocess
import unittest

from harness import Desktop, wait_until

RENDERER = "Ember_Lantern_VC"
COVER = "Ember_Lantern monitor cover"
DESKTOP_COLOUR = (255, 0, 255)
WS_CAPTION = 0x00C00000
PRIMARY = (1280, 1024)
SECOND = (1024, 768)


class TwoMonitors(unittest.TestCase):
    # X positions of the primary and the second monitor, per layout; Wine
    # puts the primary's top-left corner at (0, 0).
    LAYOUTS = {
        "right": ((0, 0), (1280, 0)),
        "left": ((1024, 0), (0, 0)),
    }

    def start(self, layout):
        primary_at, second_at = self.LAYOUTS[layout]
        self.x_rects = [(*primary_at, primary_at[0] + PRIMARY[0], primary_at[1] + PRIMARY[1]),
                        (*second_at, second_at[0] + SECOND[0], second_at[1] + SECOND[1])]
        self.d = Desktop(f"saver_monitors_{layout}", width=PRIMARY[0] + SECOND[0], height=PRIMARY[1],
                         monitors=[(*PRIMARY, *primary_at), (*SECOND, *second_at)])
        self.addCleanup(self.d.close)
        subprocess.run(["xsetroot", "-solid", "#ff00ff"], env=self.d.env, check=True, timeout=30)
        folder = self.d.install()
        self.front_end = self.d.start(folder / "Ember_Lantern.scr", "/s", to_files=True)
        self.assertTrue(self.d.wait_window(RENDERER, 30), "the renderer's window did not appear")

    def desktop_pixels(self, image, rect, step=8):
        left, top, right, bottom = rect
        return sum(image.pixel(x, y) == DESKTOP_COLOUR
                   for y in range(top, bottom, step) for x in range(left, right, step))

    def wait_covered(self, covered, timeout=20):
        """Waits until no pixel of the desktop shows in either monitor (or,
        with covered False, until the second monitor shows the desktop)."""
        def check():
            image = self.d.screenshot()
            seen = [self.desktop_pixels(image, r) for r in self.x_rects]
            return image if (sum(seen) == 0 if covered else seen[1] > 0) else None
        return wait_until(check, timeout, 0.2)

    def renderer_windows(self):
        result = self.d.probe("windows-of", RENDERER)
        return [line for line in result.text.splitlines() if line.startswith("handle=")]

    def assert_full_screen_run(self):
        self.assertTrue(self.wait_covered(True), "the desktop shows on a monitor")
        self.d.screenshot("covered.png")
        main = self.d.window_info(RENDERER)
        self.assertEqual(main["window"], (0, 0, *PRIMARY), "the renderer's window is not the primary's size")
        windows = self.renderer_windows()
        self.assertEqual(len(windows), 2, f"expected the main window and one cover: {windows}")
        self.assertTrue(any(f"caption={COVER}" in w for w in windows))

    def end_with_escape_on(self, title):
        self.d.focus(title)
        self.d.tap("Escape")
        self.assertEqual(self.front_end.wait(timeout=30), 0)
        self.assertTrue(self.d.wait_window_gone(RENDERER, 10))
        self.assertFalse(self.d.window_exists(COVER), "a cover was left")
        image = self.d.screenshot()
        for rect in self.x_rects:
            left, top, right, bottom = rect
            total = len(range(top, bottom, 8)) * len(range(left, right, 8))
            self.assertEqual(self.desktop_pixels(image, rect), total, f"the desktop is not back in {rect}")

    def test_second_monitor_right_of_the_primary(self):
        self.start("right")
        self.assert_full_screen_run()
        self.end_with_escape_on(RENDERER)

    def test_second_monitor_left_of_the_primary(self):
        self.start("left")
        self.assert_full_screen_run()
        self.end_with_escape_on(RENDERER)

    def test_tab_removes_and_restores_the_covers_and_escape_on_a_cover_ends_the_run(self):
        self.start("right")
        self.assert_full_screen_run()
        self.d.focus(COVER)
        self.d.tap("Tab")  # released on the cover: the renderer switches to its framed window
        def framed():
            info = self.d.window_info(RENDERER)
            return info if info and info["style"] & WS_CAPTION else None
        self.assertTrue(wait_until(framed, 20, 0.2), "Tab on a cover did not switch to the framed window")
        self.assertTrue(self.wait_covered(False), "the second monitor stayed covered in the framed mode")
        self.assertFalse(self.d.window_exists(COVER))
        self.d.focus(RENDERER)
        self.d.tap("Tab")
        self.assert_full_screen_run()
        self.end_with_escape_on(COVER)


if __name__ == "__main__":
    unittest.main()
