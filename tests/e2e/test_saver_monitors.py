"""A saver run on a desk with two monitors: each monitor shows a picture of
its own, drawn at that monitor's size and centred in it, the two not mirrors
of each other; nothing of the desktop shows on either while the renderer runs
full screen; a key released with the pointer over the second monitor acts;
Tab and back restores both; nothing is left after Esc.

Xvfb offers one X screen; RandR splits it into two monitors, which Wine
reads through Xinerama. The X root is painted magenta, a colour the saver
never draws, so any magenta pixel inside a monitor is the desktop showing."""
import math
import subprocess
import unittest

from harness import Desktop, wait_until
from renderer_e2e import TEXT_FROM_RIGHT, TEXT_FROM_TOP

RENDERER = "Ember_Lantern_VC"
DESKTOP_COLOUR = (255, 0, 255)
WS_CAPTION = 0x00C00000
PRIMARY = (1280, 1024)
SECOND = (1024, 768)
# A sphere of radius 4 at distance 16 under a vertical field of view of 50
# degrees is this share of its view's height across.
SPHERE_SHARE = math.tan(math.asin(4 / 16)) / math.tan(math.radians(25))


class TwoMonitors(unittest.TestCase):
    # X positions of the primary and the second monitor, per layout, and the
    # window Windows' coordinates then give the renderer (the primary's
    # top-left corner is Wine's origin).
    LAYOUTS = {
        "right": ((0, 0), (1280, 0), (0, 0, 2304, 1024)),
        "left": ((1024, 0), (0, 0), (-1024, 0, 1280, 1024)),
    }

    def start(self, layout):
        primary_at, second_at, self.window = self.LAYOUTS[layout]
        self.x_rects = [(*primary_at, primary_at[0] + PRIMARY[0], primary_at[1] + PRIMARY[1]),
                        (*second_at, second_at[0] + SECOND[0], second_at[1] + SECOND[1])]
        self.d = Desktop(f"saver_monitors_{layout}", width=PRIMARY[0] + SECOND[0], height=PRIMARY[1],
                         monitors=[(*PRIMARY, *primary_at), (*SECOND, *second_at)])
        self.addCleanup(self.d.close)
        subprocess.run(["xsetroot", "-solid", "#ff00ff"], env=self.d.env, check=True, timeout=30)
        folder = self.d.install()
        self.front_end = self.d.start(folder / "Ember_Lantern.scr", "/s", to_files=True)
        self.assertTrue(self.d.wait_window(RENDERER, 30), "the renderer's window did not appear")

    @staticmethod
    def peak_in(image, rect):
        """The brightest channel along the monitor's centre row."""
        left, top, right, bottom = rect
        return max(max(image.pixel(x, (top + bottom) // 2)) for x in range(left, right, 2))

    def desktop_pixels(self, image, rect, step=8):
        left, top, right, bottom = rect
        return sum(image.pixel(x, y) == DESKTOP_COLOUR
                   for y in range(top, bottom, step) for x in range(left, right, step))

    @staticmethod
    def sphere_in(image, rect):
        """The lit extent across and down through the monitor's centre, and
        its middle; None where nothing is lit there."""
        left, top, right, bottom = rect
        cx, cy = (left + right) // 2, (top + bottom) // 2
        row = [x for x in range(left, right) if sum(image.pixel(x, cy)) > 30]
        column = [y for y in range(top, bottom) if sum(image.pixel(cx, y)) > 30]
        if not row or not column:
            return None
        return row[-1] - row[0], column[-1] - column[0], (row[0] + row[-1]) / 2, (column[0] + column[-1]) / 2

    @staticmethod
    def samples(image, rect, sphere):
        """The picture at the same places of each sphere (a grid over its
        face, scaled to its size): equal for two mirrored pictures."""
        across, _, mx, my = sphere
        radius = across / 2
        return [image.pixel(int(mx + u * radius / 10), int(my + v * radius / 10))
                for v in range(-6, 7, 2) for u in range(-6, 7, 2)]

    def text_pixels(self, image, rect):
        left, top, right, _ = rect
        return sum(1 for y in range(top + TEXT_FROM_TOP - 20, top + TEXT_FROM_TOP + 6)
                   for x in range(right - TEXT_FROM_RIGHT - 4, right - 10)
                   if image.pixel(x, y)[0] > 100 and len(set(image.pixel(x, y))) == 1)

    def assert_pictures(self, save_as="pictures.png"):
        """Waits until both monitors show a round sphere centred in them at
        their own scale, with the frame-rate text on the primary, and no
        desktop; then checks that the two pictures differ. The spheres'
        outlines are measured once they are at full brightness and hold
        still between two looks: while they come up from black at the
        start, their dim edges fall below the threshold."""
        last = []

        def check():
            image = self.d.screenshot()
            if any(self.desktop_pixels(image, r) for r in self.x_rects):
                return None
            # Black at the corners: drawn by GL, not the window's first background.
            corners_dark = all(image.region_stats(x, y, x + 40, y + 40)[1] == 0 for left, top, right, bottom
                               in self.x_rects for x, y in ((left, bottom - 40), (right - 40, bottom - 40)))
            spheres = [self.sphere_in(image, r) for r in self.x_rects]
            if not corners_dark or None in spheres or self.text_pixels(image, self.x_rects[0]) < 10:
                return None
            full = all(self.peak_in(image, r) >= 250 for r in self.x_rects)  # the overlap clips to white
            settled = full and last and all(abs(a - b) <= 1 for now, before in zip(spheres, last[0])
                                            for a, b in zip(now, before))
            last[:] = [spheres]
            return (image, spheres) if settled else None
        found = wait_until(check, 30, 0.2)
        self.assertTrue(found, "no picture on each monitor, or the desktop shows")
        image, spheres = found
        self.d.screenshot(save_as)
        for rect, (across, down, mx, my) in zip(self.x_rects, spheres):
            left, top, right, bottom = rect
            self.assertAlmostEqual(mx, (left + right) / 2, delta=4, msg=f"not centred across in {rect}")
            self.assertAlmostEqual(my, (top + bottom) / 2, delta=4, msg=f"not centred down in {rect}")
            self.assertAlmostEqual(across / down, 1.0, delta=0.05, msg=f"not round in {rect}: {across} x {down}")
            self.assertAlmostEqual(down / (bottom - top), SPHERE_SHARE, delta=0.03, msg=f"not at the scale of {rect}")
        self.assertEqual(self.text_pixels(image, self.x_rects[1]), 0, "frame-rate text on the second monitor")
        first, second = (self.samples(image, r, s) for r, s in zip(self.x_rects, spheres))
        difference = sum(abs(p - q) for a, b in zip(first, second) for p, q in zip(a, b)) / (3 * len(first))
        self.assertGreater(difference, 12, "the two monitors show the same picture")
        info = self.d.window_info(RENDERER)
        self.assertEqual(info["window"], self.window, "the renderer's window does not span the monitors")
        self.assertEqual(len(self.d.probe("windows-of", RENDERER).text.split("handle=")) - 1, 1)

    def pointer_on_second(self):
        left, top, right, bottom = self.x_rects[1]
        self.d.xdotool("mousemove", str((left + right) // 2), str((top + bottom) // 2))

    def end_with_escape(self):
        self.d.focus(RENDERER)
        self.pointer_on_second()
        self.d.tap("Escape")
        self.assertEqual(self.front_end.wait(timeout=30), 0)
        self.assertTrue(self.d.wait_window_gone(RENDERER, 10))
        image = self.d.screenshot()
        for rect in self.x_rects:
            left, top, right, bottom = rect
            total = len(range(top, bottom, 8)) * len(range(left, right, 8))
            self.assertEqual(self.desktop_pixels(image, rect), total, f"the desktop is not back in {rect}")

    def test_second_monitor_right_of_the_primary(self):
        self.start("right")
        self.assert_pictures()
        self.end_with_escape()

    def test_second_monitor_left_of_the_primary(self):
        self.start("left")
        self.assert_pictures()
        self.end_with_escape()

    def test_tab_and_back_restores_both_pictures_with_the_pointer_on_the_second_monitor(self):
        self.start("right")
        self.assert_pictures("before-tab.png")
        self.d.focus(RENDERER)
        self.pointer_on_second()
        self.d.tap("Tab")

        def framed():
            info = self.d.window_info(RENDERER)
            image = self.d.screenshot()
            return info if info and info["style"] & WS_CAPTION and self.desktop_pixels(image, self.x_rects[1]) else None
        self.assertTrue(wait_until(framed, 20, 0.2), "Tab did not give the framed window beside the desktop")
        self.d.focus(RENDERER)
        self.d.tap("Tab")
        self.assert_pictures("after-tab.png")
        self.end_with_escape()


if __name__ == "__main__":
    unittest.main()
