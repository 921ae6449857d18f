"""Shared pieces of the renderer's end-to-end tests: a case that starts the
renderer on its own desktop, and ways to look at what it shows."""
import os
import pathlib
import unittest

from harness import Desktop, wait_until
from screen_sampler import ScreenSampler

CAPTION = "Ember_Lantern_VC"
WS_POPUP = 0x80000000
WS_CAPTION = 0x00C00000
WS_OVERLAPPEDWINDOW = 0x00CF0000
WM_CLOSE = 0x0010
WM_SYSCOMMAND = 0x0112
SC_MINIMIZE = 0xF020
SC_RESTORE = 0xF120
TEXT_FROM_RIGHT, TEXT_FROM_TOP = 114, 40


class RendererCase(unittest.TestCase):
    """Each test gets a fresh X server and Wine session with the renderer
    running full screen on a 1280 x 1024 screen."""
    # "RRGGBB": the desktop shows that one colour when the renderer starts.
    backdrop = None
    # Screenshots every few milliseconds from just before the renderer
    # starts (self.sampler; reduced by this step).
    sample_step = None

    def setUp(self):
        self.desktop = Desktop(self.id().split(".", 1)[1])
        self.addCleanup(self.desktop.close)
        folder = self.desktop.install(files=("Ember_Lantern.dll",))
        if self.backdrop:
            self.show_backdrop(self.backdrop)
        if self.sample_step:
            self.sampler = ScreenSampler(self.desktop.env["DISPLAY"], self.sample_step)
            self.addCleanup(self.sampler.stop)
        self.renderer = self.desktop.start(folder / "Ember_Lantern.dll")
        if not self.desktop.wait_window(CAPTION):
            code = self.renderer.poll()
            err = self.renderer.stderr.read().decode(errors="replace")[-2000:] if code is not None else ""
            self.fail(f"no renderer window (exit code {code}) {err}")

    def show_backdrop(self, rgb):
        """A desktop picture of one colour, shown until the test ends."""
        d = self.desktop
        d.start(d.tools_dir / "winprobe.exe", "backdrop", rgb, to_files=True)
        colour = tuple(int(rgb[i:i + 2], 16) for i in (0, 2, 4))
        shown = wait_until(lambda: d.screenshot().pixel(d.width // 2, d.height // 2) == colour, 30, 0.1)
        self.assertTrue(shown, f"no backdrop of {rgb}")

    # --- the window -------------------------------------------------------
    def info(self):
        return self.desktop.window_info(CAPTION)

    def wait_for_mode(self, framed, timeout=15):
        """Waits until the renderer's window is framed (or a pop-up) and shown."""
        def check():
            info = self.info()
            if info and info["visible"] and bool(info["style"] & WS_CAPTION) == framed:
                return info
            return None
        return wait_until(check, timeout, interval=0.1)

    def exit_code(self, timeout=20):
        return self.renderer.wait(timeout=timeout)

    def running(self):
        return self.renderer.poll() is None

    def post(self, message, wparam=0, lparam=0):
        return self.desktop.probe("post", CAPTION, hex(message), hex(wparam), hex(lparam)).returncode == 0

    # --- the picture ------------------------------------------------------
    def client_origin(self):
        """Screen position of the client area's top-left corner."""
        info = self.info()
        left, top, right, bottom = info["window"]
        width, height = info["client"]
        border = ((right - left) - width) // 2
        return left + border, bottom - border - height, width, height

    def text_pixels(self, image, origin=None):
        """Grey frame-rate text pixels in the box where the text is drawn."""
        x0, y0, width, _ = origin or (0, 0, image.width, image.height)
        count = 0
        for y in range(y0 + TEXT_FROM_TOP - 20, y0 + TEXT_FROM_TOP + 6):
            for x in range(x0 + width - TEXT_FROM_RIGHT - 4, x0 + width - 10):
                r, g, b = image.pixel(x, y)
                count += r > 100 and r == g == b
        return count

    def wait_text(self, shown, timeout=10):
        return wait_until(lambda: (self.text_pixels(self.desktop.screenshot()) > 10) == shown, timeout, 0.1)

    def wait_picture_changes(self, times, timeout=10):
        """Waits until the picture has changed `times` times in a row: proof
        that the renderer is alive and its loop goes round."""
        d = self.desktop
        previous = d.screenshot()
        for _ in range(times):
            def changed():
                shot = d.screenshot()
                return shot if self.centre_difference(previous, shot) > 0.5 else None
            previous = wait_until(changed, timeout, 0.05)
            if not previous:
                return False
        return True

    @staticmethod
    def centre_difference(a, b, half=200, step=4):
        """Mean absolute channel difference over the screen's centre."""
        cx, cy = a.width // 2, a.height // 2
        total = count = 0
        for y in range(cy - half, cy + half, step):
            for x in range(cx - half, cx + half, step):
                total += sum(abs(p - q) for p, q in zip(a.pixel(x, y), b.pixel(x, y)))
                count += 3
        return total / count

    # --- the process ------------------------------------------------------
    def cpu_seconds(self):
        """Processor time used so far by the renderer's process, all threads."""
        pid = self.renderer.pid
        cmdline = pathlib.Path(f"/proc/{pid}/cmdline").read_bytes()
        self.assertIn(b"Ember_Lantern.dll", cmdline, "the started process is not the renderer itself")
        fields = pathlib.Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")  # utime + stime
