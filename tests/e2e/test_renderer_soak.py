"""A long run's re-creations leave nothing behind: 200 Tab round trips and
100 display changes (each a new full-screen window, context, texture, font
lists and pacing) keep the renderer's handles and memory flat.

Without a window manager (Xvfb has none) Wine waits 2 s for one at every
destruction of a managed window; the test makes the windows unmanaged, which
the counts do not depend on, to keep the soak to about a minute. Wine 8
counts no GDI or USER objects per process (GetGuiResources gives 0), so the
system's figures for the process stand for them: handles, private bytes and
the working set."""
import unittest

from harness import Desktop, wait_until
from renderer_e2e import CAPTION, RendererCase

WM_KEYUP, WM_DISPLAYCHANGE = 0x0101, 0x007E
VK_TAB = 0x09


class TabSoak(RendererCase):
    def setUp(self):
        self.desktop = Desktop(self.id().split(".", 1)[1], width=640, height=480)
        self.addCleanup(self.desktop.close)
        self.desktop._set_x11_driver_value("Managed", "N")  # read when the Wine session starts
        self.addCleanup(self.desktop._set_x11_driver_value, "Managed", None)
        self.desktop._stop_wine()
        self.renderer = self.desktop.start(self.desktop.install(files=("Ember_Lantern.dll",)) / "Ember_Lantern.dll")
        self.assertTrue(self.desktop.wait_window(CAPTION), "no renderer window")

    def recreate(self, message, wparam, lparam, count):
        result = self.desktop.probe("recreate", CAPTION, hex(message), hex(wparam), hex(lparam), str(count), "20000",
                                    timeout=count * 20 + 60)
        self.assertEqual(result.returncode, 0, f"the window was not made anew: {result.text}")
        return float(result.text.split("mean_ms=")[1])

    def stats(self):
        text = self.desktop.probe("proc-stats", CAPTION).text
        return {k: int(v) for k, _, v in (field.partition("=") for field in text.split())}

    def cycle(self, rounds):
        """Per round: 10 Tab round trips, then 5 display changes (in full screen)."""
        for _ in range(rounds):
            self.recreate(WM_KEYUP, VK_TAB, 0, 20)
            self.recreate(WM_DISPLAYCHANGE, 24, (480 << 16) | 640, 5)

    def test_handles_and_memory_stay_flat_over_200_tab_round_trips_and_100_display_changes(self):
        self.cycle(2)  # caches and lazily made objects settle first
        before = self.stats()
        self.cycle(18)
        after = self.stats()
        print(f"\nafter 20 round trips and 10 display changes: {before}"
              f"\nafter 200 round trips and 100 display changes: {after}")
        self.assertLessEqual(after["sys_handles"] - before["sys_handles"], 8)
        self.assertLessEqual(after["sys_private"] - before["sys_private"], 4 << 20)
        self.assertLessEqual(after["working"] - before["working"], 8 << 20)
        self.assertEqual(after["threads"], before["threads"])
        # Still drawing, in full screen, and ends as ever.
        info = self.wait_for_mode(framed=False)
        self.assertEqual(info["window"], (0, 0, 640, 480))
        self.assertTrue(self.wait_picture_changes(2), "the renderer stopped drawing")
        self.desktop.tap("Escape")
        self.assertEqual(self.exit_code(), 1)


if __name__ == "__main__":
    unittest.main()
