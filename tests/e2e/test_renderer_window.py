"""The renderer's window: full screen, then a framed 1024 x 768 window on
each Tab release; keys act on release; Esc and a close request end it with
exit code 1; the animation goes on across a switch."""
import time
import unittest

from harness import wait_until
from renderer_e2e import CAPTION, WM_CLOSE, WS_OVERLAPPEDWINDOW, WS_POPUP, RendererCase


class WindowModes(RendererCase):
    def test_tab_release_switches_between_full_screen_and_framed_window(self):
        d = self.desktop
        first = self.wait_for_mode(framed=False)
        self.assertTrue(first, "no full-screen window")
        self.assertEqual(first["window"], (0, 0, d.width, d.height))
        self.assertEqual(first["client"], (d.width, d.height))
        self.assertEqual(first["style"] & 0xFFFF0000, WS_POPUP | 0x14000000)  # + WS_VISIBLE | WS_CLIPSIBLINGS
        # One monitor: the renderer's window is its only one (no monitor cover).
        shown = [line for line in d.probe("windows-of", CAPTION).text.splitlines() if line.startswith("handle=")]
        self.assertEqual(len(shown), 1, shown)

        # Watch the caption while switching, as the saver does (it ends the
        # run when the caption is missing): each new window is made before
        # the one it replaces goes, so it is never missing.
        watch = d.start(d.tools_dir / "winprobe.exe", "watch-gap", CAPTION, "8000", to_files=True)
        d.tap("Tab")
        framed = self.wait_for_mode(framed=True)
        self.assertTrue(framed, "Tab release gave no framed window")
        left, top, right, bottom = framed["window"]
        self.assertEqual((right - left, bottom - top), (1024, 768))
        self.assertEqual(framed["style"] & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW)
        self.assertNotEqual(framed["handle"], first["handle"], "the window is made anew")
        # Tab came during the start's fade: the framed window's first lit
        # frame shows the spheres at full brightness (their overlap clips to
        # white), not coming up from black again.
        ox, oy, width, height = self.client_origin()
        cx, cy = ox + width // 2, oy + height // 2

        def centre_peak():
            image = d.screenshot()
            centre = [image.pixel(x, y) for y in range(cy - 150, cy + 150, 6) for x in range(cx - 150, cx + 150, 6)]
            peak = max(max(pixel) for pixel in centre)
            return peak if peak > 8 else None

        self.assertGreater(wait_until(centre_peak, 10, 0.02) or 0, 200, "the framed window's spheres came up dim")

        d.tap("Tab")
        again = self.wait_for_mode(framed=False)
        self.assertTrue(again, "second Tab release did not return to full screen")
        self.assertEqual(again["window"], (0, 0, d.width, d.height))

        watch.wait(timeout=40)
        out = watch.out_path.read_text().strip()
        print(f"\nwindow re-creation seen by polling the caption: {out}")
        fields = dict(f.split("=") for f in out.split())
        self.assertEqual(int(fields["gaps"]), 0, f"the caption was missing for up to {fields['longest_ms']} ms")
        self.assertEqual(fields["present"], "1")
        self.assertTrue(self.running())

    def test_keys_act_on_release_only(self):
        d = self.desktop
        first = self.wait_for_mode(framed=False)
        self.assertTrue(self.wait_text(shown=True))
        shown = True
        for key in ("Tab", "Escape"):
            d.key_down(key)
            # A space release acting while the key is held proves that the
            # press before it has been handled.
            d.tap("space")
            shown = not shown
            self.assertTrue(self.wait_text(shown=shown), f"no input handled while {key} was held")
            held = self.info()
            self.assertTrue(self.running(), f"{key} held ended the program")
            self.assertEqual(held["handle"], first["handle"], f"{key} held re-created the window")
            self.assertEqual(held["style"], first["style"])
            if key == "Tab":
                d.key_up(key)
                self.assertTrue(self.wait_for_mode(framed=True), "Tab release did nothing")
                d.tap("Tab")
                first = self.wait_for_mode(framed=False)
        d.key_up("Escape")
        self.assertEqual(self.exit_code(), 1)

    def test_escape_release_ends_with_exit_code_one(self):
        self.wait_for_mode(framed=False)
        self.desktop.tap("Escape")
        self.assertEqual(self.exit_code(), 1)
        self.assertFalse(self.desktop.window_exists(CAPTION))

    def test_close_request_ends_with_exit_code_one(self):
        self.assertTrue(self.wait_for_mode(framed=False))
        self.desktop.tap("Tab")  # also from the framed window
        self.assertTrue(self.wait_for_mode(framed=True))
        self.assertTrue(self.post(WM_CLOSE))
        self.assertEqual(self.exit_code(), 1)


class AnimationAcrossSwitch(RendererCase):
    def test_spheres_keep_angles_and_colours_across_tab(self):
        """Every size message restarts the frame-rate measurement, and until a
        rate is measured nothing moves. Repeating a size message every 40 ms
        holds the picture still, so the picture before two switches must come
        back exactly after them; a reset animation would show other angles
        and colours."""
        d = self.desktop
        self.wait_for_mode(framed=False)
        time.sleep(1.2)  # let the spheres move away from where they started
        holder = d.start(d.tools_dir / "winprobe.exe", "repeat-size", CAPTION, "60000")

        def still_picture():
            a = d.screenshot()
            b = d.screenshot()
            return a if self.centre_difference(a, b) == 0 and self.text_pixels(a) == 0 else None

        before = wait_until(still_picture, 15, 0.1)
        self.assertTrue(before, "the picture did not hold still")
        self.assertGreater(before.region_stats(540, 412, 740, 612)[1], 0, "no spheres drawn")

        d.tap("Tab")
        self.assertTrue(self.wait_for_mode(framed=True))
        d.tap("Tab")
        self.assertTrue(self.wait_for_mode(framed=False))
        after = wait_until(lambda: still_picture() if self.centre_difference(before, d.screenshot()) < 5 else None,
                           15, 0.1)
        difference = self.centre_difference(before, after or d.screenshot())
        self.assertLess(difference, 1.0, "the spheres changed across the switch")

        holder.kill()
        holder.wait(timeout=30)
        moved = wait_until(lambda: self.centre_difference(before, d.screenshot()) > 3, 15, 0.2)
        self.assertTrue(moved, "the animation did not go on")


if __name__ == "__main__":
    unittest.main()
