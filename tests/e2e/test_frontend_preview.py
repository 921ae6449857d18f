"""The preview window of Ember_Lantern.scr end to end.

Across processes, as the display settings have it (winprobe's host window,
the saver started with /p and its handle): placement, size, style, caption,
and that destroying the host ends the saver's process. Under Wine what one
process paints into another's window does not reach the screen, so the
picture itself is checked with the same preview set-up run inside the host's
own process (frontend_probe preview-host)."""
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
        warm_up(self.d)
        # The preview needs neither the renderer nor a settings file.
        self.folder = self.d.install("preview only", files=("Ember_Lantern.scr",))

    def tearDown(self):
        self.d.close()

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
        probe = self.d.tools_dir / "frontend_probe.exe"
        for width, height in SIZES:
            with self.subTest(size=(width, height)):
                p = self.d.start(probe, "preview-host", str(width), str(height))
                caption = f"preview host {width} x {height}"
                self.assertTrue(wait_window(self.d, caption))
                # Painted once the host's white is gone from its top-left corner.
                deadline = time.monotonic() + 10
                while True:
                    shot = self.d.screenshot()
                    if shot.pixel(0, 0) != (255, 255, 255) or time.monotonic() > deadline:
                        break
                    time.sleep(0.1)
                for y in range(height):
                    for x in range(width):
                        if x >= PICTURE[0] or y >= PICTURE[1]:
                            self.assertEqual(shot.pixel(x, y), (0, 0, 0), f"at {x},{y}: not black beside the picture")
                # Wine's JPEG decoder and libjpeg's djpeg differ by a few levels
                # (measured: mean 1.2, at most 33 on single pixels), so the
                # picture is matched by its mean difference, and it must match
                # best where it stands: unshifted, hence also unscaled.
                visible = (min(width, PICTURE[0]), min(height, PICTURE[1]))
                placed = mean_difference(shot, picture, visible, 0, 0)
                shifted = min(mean_difference(shot, picture, visible, dx, dy)
                              for dx, dy in ((1, 0), (0, 1), (2, 0), (0, 2), (1, 1)))
                print(f"{width}x{height}: mean difference {placed:.2f} in place, {shifted:.2f} shifted")
                self.assertLess(placed, 2.5)
                self.assertLess(placed * 2, shifted)
                self.d.probe("post", caption, str(WM_CLOSE), "0", "0")
                self.assertEqual(ended_within(p, PROMPT_END), 0)


if __name__ == "__main__":
    unittest.main()
