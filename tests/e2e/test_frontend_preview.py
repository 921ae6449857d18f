"""The preview window of Ember_Lantern.scr end to end.

Across processes, as the display settings have it (winprobe's host window,
the saver started with /p and its handle): placement, size, style, caption,
and that destroying the host ends the saver's process. Under Wine what one
process paints into another's window does not reach the screen, so the
picture itself is checked with the same preview set-up run inside the host's
own process (frontend_probe preview-host), at 100 % and at 150 % scaling
(the prefix's LogPixels 144), with hosts of each DPI awareness."""
import time
import unittest

from harness import Desktop
from frontend_e2e import (PREVIEW_CAPTION, PROMPT_END, WM_CLOSE, WS_BORDER, WS_CAPTION, WS_CHILD, WS_POPUP,
                          decoded_preview_jpeg, ended_within, scr, start_host, wait_preview_child,
                          wait_window, warm_up)

PICTURE = (152, 112)


def mean_difference(shot, picture, size, dx, dy):
    """Mean largest-channel difference between the screen at (x, y) and the
    picture at (x + dx, y + dy), over the part of `size` both cover."""
    total = count = 0
    for y in range(size[1] - dy):
        for x in range(size[0] - dx):
            total += max(abs(a - b) for a, b in zip(shot.pixel(x, y), picture.pixel(x + dx, y + dy)))
            count += 1
    return total / count
SIZES = [(152, 112), (400, 300), (100, 80)]


class Preview(unittest.TestCase):
    def setUp(self):
        self.d = Desktop("frontend_preview")
        self.addCleanup(self.d.close)  # also when the rest of the set-up fails
        warm_up(self.d)
        # The preview needs neither the renderer nor a settings file.
        self.folder = self.d.install("preview only", files=("Ember_Lantern.scr",))

    def shown_in_host(self, width, height, awareness=None):
        """Screenshot of frontend_probe's host of that size (made at that DPI
        awareness) once the preview has painted over its white."""
        arguments = ["preview-host", str(width), str(height)] + ([awareness] if awareness else [])
        p = self.d.start(self.d.tools_dir / "frontend_probe.exe", *arguments)
        caption = f"preview host {width} x {height}"
        self.assertTrue(wait_window(self.d, caption))
        deadline = time.monotonic() + 10
        while True:
            shot = self.d.screenshot()
            if shot.pixel(0, 0) != (255, 255, 255) or time.monotonic() > deadline:
                break
            time.sleep(0.1)
        return p, caption, shot

    def assert_picture_on_black(self, shot, picture, width, height):
        """The picture unscaled from the top-left corner, as much as the host
        holds, and black beside and below it."""
        size = (picture.width, picture.height)
        for y in range(height):
            for x in range(width):
                if x >= size[0] or y >= size[1]:
                    self.assertEqual(shot.pixel(x, y), (0, 0, 0), f"at {x},{y}: not black beside the picture")
        # Wine's JPEG decoder and libjpeg's djpeg differ by a few levels
        # (measured: mean 1.2, at most 33 on single pixels), so the picture is
        # matched by its mean difference, and it must match best where it
        # stands: unshifted, hence also unscaled.
        visible = (min(width, size[0]), min(height, size[1]))
        placed = mean_difference(shot, picture, visible, 0, 0)
        shifted = min(mean_difference(shot, picture, visible, dx, dy)
                      for dx, dy in ((1, 0), (0, 1), (2, 0), (0, 2), (1, 1)))
        print(f"{width}x{height}, picture {size}: mean difference {placed:.2f} in place, {shifted:.2f} shifted")
        self.assertLess(placed, 2.5)
        self.assertLess(placed * 2, shifted)

    def test_placed_in_the_host_and_ended_with_it(self):
        for (width, height), form in zip(SIZES, ("/p {}", "/p:{}", "/P {}")):
            with self.subTest(size=(width, height), form=form):
                caption = f"host {width}x{height}"
                host_process, host = start_host(self.d, width, height, caption)
                p = self.d.start(scr(self.folder), *form.format(host).split())
                info = wait_preview_child(self.d, host)
                self.assertIsNotNone(info, "no preview window in the host")
                self.assertEqual(info["caption"], PREVIEW_CAPTION)
                self.assertEqual(info["parent"], host)
                self.assertEqual(info["window"], (0, 0, width, height))
                self.assertEqual(info["client"], (width, height))
                self.assertTrue(info["style"] & WS_CHILD)
                self.assertFalse(info["style"] & (WS_POPUP | WS_CAPTION | WS_BORDER), hex(info["style"]))
                self.assertIsNone(p.poll())

                began = time.monotonic()
                self.assertEqual(self.d.probe("post", caption, str(WM_CLOSE), "0", "0").returncode, 0)
                self.assertEqual(ended_within(host_process, PROMPT_END), 0)
                self.assertEqual(ended_within(p, PROMPT_END), 0, "the preview outlived its host")
                print(f"{width}x{height}: preview process ended {time.monotonic() - began:.2f} s after the close")

    def test_picture_drawn_unscaled_from_the_top_left_on_black(self):
        picture = decoded_preview_jpeg()
        self.assertEqual((picture.width, picture.height), PICTURE)
        for width, height in SIZES:
            with self.subTest(size=(width, height)):
                p, caption, shot = self.shown_in_host(width, height)
                self.assert_picture_on_black(shot, picture, width, height)
                self.d.probe("post", caption, str(WM_CLOSE), "0", "0")
                self.assertEqual(ended_within(p, PROMPT_END), 0)

    def test_at_150_percent_the_standard_box_is_filled_sharp_at_each_awareness(self):
        # At 150 % the standard box is 228 x 168 and the still is made that
        # size from the larger stored one; a larger or smaller host keeps the
        # rule of the top-left corner on black. A host that is not DPI-aware
        # has its box in pixels of 96 dpi, and Windows stretches it with the
        # preview, which is then drawn at 152 x 112 in that host's units.
        self.addCleanup(self.d.set_dpi, None)
        self.d.set_dpi(144)
        scaled = decoded_preview_jpeg("preview_large.jpg", (228, 168))
        unscaled = decoded_preview_jpeg()
        cases = [
            ("per-monitor host, the standard box", "permonitor", (228, 168), scaled),
            ("per-monitor host, larger", "permonitor", (400, 300), scaled),
            ("per-monitor host, smaller", "permonitor", (150, 110), scaled),
            ("system-aware host, the standard box", "system", (228, 168), scaled),
            ("host not DPI-aware, its standard box", "unaware", (152, 112), unscaled),
        ]
        for what, awareness, (width, height), picture in cases:
            with self.subTest(what):
                p, caption, shot = self.shown_in_host(width, height, awareness)
                if (width, height) == (228, 168):
                    shot.save_png(self.d.work / f"preview 150 % {awareness}.png")
                self.assert_picture_on_black(shot, picture, width, height)
                self.d.probe("post", caption, str(WM_CLOSE), "0", "0")
                self.assertEqual(ended_within(p, PROMPT_END), 0)
        # Across processes the window is placed in the host's client area at
        # the host's size, at this scale too.
        host_process, host = start_host(self.d, 228, 168, "host at 150 %")
        p = self.d.start(scr(self.folder), "/p", str(host))
        info = wait_preview_child(self.d, host)
        self.assertIsNotNone(info, "no preview window in the host")
        self.assertEqual((info["window"], info["client"]), ((0, 0, 228, 168), (228, 168)))
        self.d.probe("post", "host at 150 %", str(WM_CLOSE), "0", "0")
        self.assertEqual(ended_within(host_process, PROMPT_END), 0)
        self.assertEqual(ended_within(p, PROMPT_END), 0, "the preview outlived its host")


if __name__ == "__main__":
    unittest.main()
