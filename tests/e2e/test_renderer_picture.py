"""What the renderer shows and how it answers input: glowing banded spheres
on black that keep moving, the frame-rate text top right that the space bar
hides and shows, no effect from the mouse, and no work while minimised."""
import time
import unittest

from harness import wait_until
from renderer_e2e import SC_MINIMIZE, SC_RESTORE, WM_SYSCOMMAND, RendererCase


class Picture(RendererCase):
    def test_spheres_glow_on_black_and_move(self):
        d = self.desktop
        self.assertTrue(self.wait_text(shown=True), "no frame-rate text, so no measured frames")
        first = d.screenshot("first.png")
        cx, cy = d.width // 2, d.height // 2
        total, lit, _ = first.region_stats(cx - 150, cy - 150, cx + 150, cy + 150)
        self.assertGreater(lit, total * 0.95, "the centre is not covered by the spheres")
        for left, top in ((0, 0), (d.width - 150, 150), (0, d.height - 150), (d.width - 150, d.height - 150)):
            self.assertEqual(first.region_stats(left, top, left + 150, top + 150)[1], 0,
                             f"not black at {left},{top}")
        # Banded and coloured, not a flat grey disc.
        colours = {first.pixel(x, cy) for x in range(cx - 150, cx + 150, 3)}
        self.assertGreater(len(colours), 30)
        self.assertTrue(any(max(c) - min(c) > 60 for c in colours), "no colour in the spheres")

        moved = wait_until(lambda: self.centre_difference(first, d.screenshot()) > 3, 10, 0.2)
        self.assertTrue(moved, "the picture does not change")

    def test_frame_rate_text_top_right_toggled_by_space_release(self):
        d = self.desktop
        self.assertTrue(self.wait_text(shown=True), "no frame-rate text top right")
        d.key_down("space")
        # Frames drawn after the press mean the loop has taken it from the queue.
        self.assertTrue(self.wait_picture_changes(2), "the renderer stopped drawing")
        self.assertGreater(self.text_pixels(d.screenshot()), 10, "hidden before the space bar was released")
        d.key_up("space")
        self.assertTrue(self.wait_text(shown=False), "space release did not hide the text")
        d.tap("space")
        self.assertTrue(self.wait_text(shown=True), "second space release did not show the text")
        # Other keys leave it alone: each is followed by one space release, which
        # must then hide the text, so the other key was handled and did nothing.
        for key, shown_after in (("f", False), ("Return", True)):
            d.tap(key)
            d.tap("space")
            self.assertTrue(self.wait_text(shown=shown_after), f"{key} changed the text")

    def test_text_in_the_framed_window_too(self):
        d = self.desktop
        self.wait_for_mode(framed=False)
        d.tap("Tab")
        self.assertTrue(self.wait_for_mode(framed=True))
        origin = self.client_origin()
        shown = wait_until(lambda: self.text_pixels(d.screenshot(), origin) > 10, 10, 0.1)
        self.assertTrue(shown, "no frame-rate text at the framed window's top right")


class Input(RendererCase):
    def test_mouse_moves_and_clicks_change_nothing(self):
        d = self.desktop
        self.assertTrue(self.wait_text(shown=True))
        before = self.info()
        d.xdotool("mousemove", "100", "100")
        d.xdotool("mousemove", "900", "700")
        d.xdotool("click", "1")
        d.xdotool("click", "3")
        d.xdotool("mousedown", "1")
        d.xdotool("mousemove", "300", "300")
        d.xdotool("mouseup", "1")
        d.xdotool("click", "--repeat", "2", "1")  # a double click
        # A later key acting proves the mouse input before it was handled; had
        # the mouse toggled the text, this release would show it again.
        d.tap("space")
        self.assertTrue(self.wait_text(shown=False), "the renderer did not handle input after the mouse")
        self.assertTrue(self.running(), "the mouse ended the renderer")
        after = self.info()
        for key in ("handle", "window", "style", "visible", "iconic"):
            self.assertEqual(after[key], before[key], key)
        self.assertTrue(self.wait_picture_changes(2), "drawing stopped")
        d.tap("Escape")
        self.assertEqual(self.exit_code(), 1)

    def test_minimised_window_uses_no_processor_time(self):
        self.assertTrue(self.wait_text(shown=True))
        start = self.cpu_seconds()
        time.sleep(1.0)
        drawing = self.cpu_seconds() - start
        # Other work on a busy machine may take processors from the renderer:
        # ask only for a clear difference between drawing and waiting.
        self.assertGreater(drawing, 0.1, "the renderer does not seem to draw")

        self.assertTrue(self.post(WM_SYSCOMMAND, SC_MINIMIZE))
        self.assertTrue(wait_until(lambda: self.info()["iconic"], 10, 0.1), "not minimised")
        time.sleep(0.3)
        start = self.cpu_seconds()
        time.sleep(2.0)
        idle = self.cpu_seconds() - start
        print(f"\nprocessor time in 1 s drawing: {drawing:.2f} s; in 2 s minimised: {idle:.2f} s")
        self.assertLess(idle, 0.05, f"minimised, it still used {idle:.2f} s of processor time in 2 s")

        # A message taken by that wait is not lost: restoring resumes drawing.
        self.assertTrue(self.post(WM_SYSCOMMAND, SC_RESTORE))
        self.assertTrue(wait_until(lambda: not self.info()["iconic"], 10, 0.1), "not restored")
        start = self.cpu_seconds()
        time.sleep(1.0)
        self.assertGreater(self.cpu_seconds() - start, 0.1, "drawing did not resume")
        self.desktop.tap("Escape")
        self.assertEqual(self.exit_code(), 1)


if __name__ == "__main__":
    unittest.main()
