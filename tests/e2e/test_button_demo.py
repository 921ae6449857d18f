"""The push button end to end, on the demo host (tests/tools/command_demo.cpp)
with real X mouse input: hover and leave, a click, a press dragged off, a
disabled button, a look kept across being covered, and GDI objects over a
thousand hover cycles.

The looks are told apart on the screen by the top ring inside each button's
outline (two pixels down) and by the body's gradient. Where a test must show
that a release raised no Click, it clicks another button afterwards: input
is handled in order, so once that button's Click is printed the earlier
release has been handled too."""
import re
import time
import unittest

from harness import Desktop, wait_until

DEMO = "Command demo"
WM_CLOSE = 0x10
WM_APP = 0x8000
OUTSIDE = (300, 300)  # the bare desktop, beside the demo window

# Buttons of the demo host: id -> (left, top, width, height) in pixels.
BUTTONS = {1: (20, 20, 69, 25), 2: (20, 60, 117, 28), 3: (120, 20, 69, 25), 5: (220, 20, 29, 21)}
# Colour of the top ring two pixels inside each look's edge.
LOOKS = {
    "Normal": (0xF3, 0xF3, 0xEE), "HighLight": (0xFF, 0xF0, 0xCF), "Selected": (0xCE, 0xE7, 0xFF),
    "Pressed": (0x00, 0x3C, 0x74), "Disable": (0xF5, 0xF4, 0xEA),
}
# A timer period is 100 ms; the look must have changed by this time after
# the cursor left.
LEAVE_BOUND = 0.3


def centre(button):
    left, top, width, height = BUTTONS[button]
    return left + width // 2, top + height // 2


def look(shot, button):
    left, top, _, _ = BUTTONS[button]
    colour = shot.pixel(left + 10, top + 2)
    return next((name for name, rgb in LOOKS.items() if rgb == colour), colour)


def body_ends(shot, button):
    """Channel sums of the body's first and last rows, away from the caption."""
    left, top, _, height = BUTTONS[button]
    return sum(shot.pixel(left + 6, top + 4)), sum(shot.pixel(left + 6, top + height - 5))


class ButtonDemo(unittest.TestCase):
    def setUp(self):
        self.d = Desktop(self.id().split(".", 1)[1])
        self.addCleanup(self.d.close)
        self.demo = self.d.start(self.d.tools_dir / "command_demo.exe", to_files=True)
        self.assertTrue(wait_until(lambda: "ready" in self.output(), 30, 0.1), "the demo host did not start")
        self.assertTrue(self.d.wait_window(DEMO))
        self.d.xdotool("mousemove", *map(str, OUTSIDE))

    def output(self):
        return self.demo.out_path.read_text(errors="replace")

    def lines(self, prefix):
        return [line for line in self.output().splitlines() if line.startswith(prefix)]

    def wait_look(self, button, name, timeout=5):
        return wait_until(lambda: look(self.d.screenshot(), button) == name, timeout)

    def move(self, button):
        self.d.xdotool("mousemove", *map(str, centre(button)))

    def request(self, message, wparam=0, lparam=0):
        self.assertEqual(self.d.probe("post", DEMO, hex(WM_APP + message), str(wparam), str(lparam)).returncode, 0)

    def answer(self, prefix, count=1):
        self.assertTrue(wait_until(lambda: len(self.lines(prefix)) >= count, 60, 0.1), f"no {prefix!r} line")
        return self.lines(prefix)[count - 1]

    def click_sentinel(self):
        """A real click on button 5, waited for: every earlier input has been handled."""
        clicks = len(self.lines("click 5"))
        self.move(5)
        self.d.xdotool("click", "1")
        self.answer("click 5", clicks + 1)

    def test_hover_draws_highlight_over_the_reversed_gradient_and_leaving_restores_normal(self):
        shot = self.d.screenshot()
        self.assertEqual(look(shot, 1), "Normal")
        top, bottom = body_ends(shot, 1)
        self.assertGreater(top, bottom, "the plain body runs from white down to the tint")

        self.move(1)
        self.assertTrue(self.wait_look(1, "HighLight"))
        top, bottom = body_ends(self.d.screenshot("hover.png"), 1)
        self.assertLess(top, bottom, "HighLight's body runs from the tint up to white")

        self.d.xdotool("mousemove", *map(str, OUTSIDE))
        left = time.monotonic()
        # Every screenshot begun after the bound must show Normal.
        late = []
        while time.monotonic() - left < LEAVE_BOUND + 0.5:
            begun = time.monotonic() - left
            name = look(self.d.screenshot(), 1)
            late += [(round(begun, 3), name)] if begun >= LEAVE_BOUND and name != "Normal" else []
        self.assertEqual(late, [], "still not Normal this long after leaving")
        self.assertEqual(look(self.d.screenshot("left.png"), 1), "Normal")
        self.assertGreater(*body_ends(self.d.screenshot(), 1))

    def test_a_click_raises_click_once(self):
        self.move(1)
        self.assertTrue(self.wait_look(1, "HighLight"))
        self.d.xdotool("click", "1")
        self.answer("click 1")
        self.click_sentinel()
        self.assertEqual(len(self.lines("click 1")), 1)

    def test_press_dragged_off_and_released_outside_raises_no_click(self):
        for back_on in (False, True):
            with self.subTest(back_on=back_on):
                self.move(2)
                self.d.xdotool("mousedown", "1")
                self.assertTrue(self.wait_look(2, "Pressed"))
                self.d.xdotool("mousemove", *map(str, OUTSIDE))
                self.assertTrue(self.wait_look(2, "Selected"), "the tick did not see the cursor leave")
                if back_on:
                    self.move(2)  # held: stays Selected
                self.d.xdotool("mouseup", "1")
                self.click_sentinel()
                self.assertEqual(self.lines("click 2"), [])

    def test_a_disabled_button_ignores_hover_and_clicks(self):
        left, top, width, height = BUTTONS[3]
        region = lambda shot: [shot.pixel(x, y) for y in range(top, top + height) for x in range(left, left + width)]
        before = region(self.d.screenshot())
        self.assertEqual(look(self.d.screenshot(), 3), "Disable")
        self.move(3)
        self.d.xdotool("click", "1", "click", "3")
        self.click_sentinel()
        self.assertEqual(self.lines("click 3"), [])
        # Over it for a hover tick at least: button 1, left for it, has seen
        # its own tick since.
        self.move(1)
        self.assertTrue(self.wait_look(1, "HighLight"))
        self.move(3)
        self.assertTrue(self.wait_look(1, "Normal"))
        self.assertEqual(region(self.d.screenshot("disabled.png")), before)

    def test_a_covered_look_comes_back_as_drawn_not_as_the_state_would_draw_it(self):
        # Hovered at its right end, then Enabled read: Normal is drawn while
        # the state stays HighLight.
        left, top, width, _ = BUTTONS[2]
        self.d.xdotool("mousemove", str(left + width - 8), str(top + 14))
        self.assertTrue(self.wait_look(2, "HighLight"))
        self.request(3, 2)
        self.answer("enabled 2 1")
        self.assertTrue(self.wait_look(2, "Normal"))
        # A window over the button's left part (not under the cursor), then gone.
        cover = self.d.start(self.d.tools_dir / "winprobe.exe", "host", "100", "100", "cover", to_files=True)
        self.assertTrue(self.d.wait_window("cover"))
        self.assertTrue(wait_until(lambda: self.d.screenshot().pixel(30, 62) == (255, 255, 255), 10))
        self.assertEqual(self.d.probe("post", "cover", str(WM_CLOSE), "0", "0").returncode, 0)
        cover.wait(timeout=30)
        self.assertTrue(self.wait_look(2, "Normal"), "the uncovered part does not show the retained look")
        self.request(5)
        self.assertEqual(self.answer("state 2"), "state 2 2 0", "the state changed meanwhile")

    def test_a_thousand_hover_cycles_leave_the_gdi_object_count_as_it_was(self):
        self.request(2)
        counts = {key: int(value) for key, value in re.findall(r"(\w+)=(\d+)", self.answer("gdi "))}
        idle, with_brushes, after = counts["idle"], counts["with_100_brushes"], counts["after"]
        print(f"GDI counter: {idle} idle, {with_brushes} with 100 brushes made, {after} after deleting them")
        self.assertGreaterEqual(with_brushes - idle, 100, "the counter does not see objects being made")
        self.assertEqual(after, idle)

        began = time.monotonic()
        self.request(1, 1, 1000)
        figures = dict(re.findall(r"(\w+)=(\d+)", self.answer("cycles=")))
        print(f"1000 hover cycles in {time.monotonic() - began:.1f} s: {figures}")
        self.assertEqual(int(figures["hover_looks"]), 1000)
        self.assertEqual(int(figures["leave_looks"]), 1000)
        self.assertEqual(figures["gdi_after"], figures["gdi_before"])


if __name__ == "__main__":
    unittest.main()
