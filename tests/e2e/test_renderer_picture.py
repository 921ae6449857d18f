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
        cx, cy = d.width // 2, d.height // 2

        def covered():  # once the spheres have come up from black: their overlap clips to white
            image = d.screenshot()
            total, lit, _ = image.region_stats(cx - 150, cy - 150, cx + 150, cy + 150)
            peak = max(max(image.pixel(x, cy)) for x in range(cx - 150, cx + 150, 2))
            return lit > total * 0.95 and peak >= 250

        self.assertTrue(wait_until(covered, 10, 0.2), "the centre is not covered by the spheres")
        first = d.screenshot("first.png")
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


class StartCase(RendererCase):
    """A run starts from the desktop as it was, which darkens to black over
    about a second; then the spheres come up from black over about two. Seen
    in screenshots every few milliseconds from before the renderer starts."""
    sample_step = 8  # 160 x 128 shots

    def series(self):
        """(seconds, desktop, spheres, peak) per shot until 3.5 s after the
        spheres first show: the mean brightness of a region the spheres never
        reach (left, away from the frame-rate text) and of the screen's
        centre, and the centre's brightest channel (the spheres clip to full
        where they overlap)."""
        def brightness(image, left, top, size):
            return sum(sum(image.pixel(x, y)) for y in range(top, top + size) for x in range(left, left + size)) / (
                3 * size * size)

        def peak(image, left, top, size):
            return max(max(image.pixel(x, y)) for y in range(top, top + size) for x in range(left, left + size))

        def sample():
            shots = self.sampler.shots()
            dark = next((i for i, (_, image) in enumerate(shots) if brightness(image, 2, 30, 24) < 4), len(shots))
            lit = [t for t, image in shots[dark:] if brightness(image, 60, 44, 40) > 8]
            return shots if lit and shots[-1][0] - lit[0] > 3.5 else None

        shots = wait_until(sample, 60, 0.2)
        self.sampler.stop()
        self.assertTrue(shots, "the spheres did not show")
        rows = [(t - shots[0][0], brightness(image, 2, 30, 24), brightness(image, 60, 44, 40), peak(image, 60, 44, 40))
                for t, image in shots]
        self.addCleanup(lambda: print("".join(f"\n{t:6.3f} desktop {a:5.1f} spheres {b:5.1f} peak {c:3d}"
                                              for t, a, b, c in rows)))
        self.brightest = [image.region_stats(0, 0, image.width - 20, image.height, 1)[2] for _, image in shots]
        return rows


class StartOverWhite(StartCase):
    backdrop = "FFFFFF"

    def test_desktop_darkens_through_several_levels_then_spheres_come_up(self):
        rows = self.series()
        self.assertEqual(rows[0][1], 255, "the desktop was not white to begin with")
        black = next(i for i, row in enumerate(rows) if row[1] < 4)
        darkening = [row[1] for row in rows[:black + 1]]
        # Never lighter again on the way down: no grey background, no cut.
        for before, after in zip(darkening, darkening[1:]):
            self.assertLessEqual(after, before + 2, f"the desktop went from {before} back up to {after}")
        between = {round(level) for level in darkening if 20 < level < 235}
        self.assertGreaterEqual(len(between), 4, f"too few levels on the way to black: {sorted(between)}")
        first_darker = next(row[0] for row in rows if row[1] < 250)
        self.assertGreater(rows[black][0] - first_darker, 0.5, "the desktop went black at once")

        lit = next(i for i, row in enumerate(rows) if i > black and row[2] > 8)
        later = sorted(row[3] for row in rows if row[0] > rows[lit][0] + 3.0)
        full = later[len(later) // 2]
        # The rise began after the last shot without spheres: on a busy
        # machine the shots come unevenly, and the first lit one may be late.
        first_second = [row[3] for row in rows[lit:] if row[0] < rows[lit - 1][0] + 1.0]
        self.assertLess(max(first_second), 0.65 * full,
                        "the spheres were not well below their later brightness in their first second")


class StartOverBlack(StartCase):
    backdrop = "000000"

    def test_nothing_brighter_than_the_desktop_before_the_spheres(self):
        rows = self.series()
        for t, desktop, _, _ in rows:
            self.assertLess(desktop, 3, f"the desktop lit up at {t:.3f} s")
        # Before the first light of the spheres, the shot's brightest pixel
        # (the frame-rate text's corner left out) is as dark as the desktop.
        first = next(i for i, row in enumerate(rows) if row[2] > 1)
        for i in range(first):
            self.assertLessEqual(self.brightest[i], 24, f"a frame brighter than the desktop at {rows[i][0]:.3f} s")


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
        self.assertTrue(self.wait_picture_changes(2), "the renderer does not seem to draw")
        start = self.cpu_seconds()
        time.sleep(1.0)
        drawing = self.cpu_seconds() - start

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
        self.assertTrue(self.wait_picture_changes(2), "drawing did not resume")
        self.desktop.tap("Escape")
        self.assertEqual(self.exit_code(), 1)


if __name__ == "__main__":
    unittest.main()
