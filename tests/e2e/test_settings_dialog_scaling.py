"""The settings dialog at the display scalings users run (100, 125, 150 and
200 %): Wine gives every program the DPI of the prefix's LogPixels and does
not stretch a program that is not DPI-aware, so a scaled layout shows. At
each scale: the client area and every control at their twips, the label
font's size, the gradients' end and middle rows, and marks drawn sharp at
their own size."""
import math
import unittest

from frontend_e2e import scr
from harness import Desktop, wait_until

CAPTION = "<Ember_Lantern>"
WM_CLOSE = 0x10

# Twips (left, top, width, height) from the dialog's layout.
CLIENT = (7185, 3780)
PANEL = (180, 240, 6795, 2535)
BUTTONS = {102: (2880, 3000, 1875, 375), 103: (4800, 3000, 1095, 375), 104: (5940, 3000, 1035, 375)}
IN_PANEL = {101: (540, 1740, 435, 315)}
REPEAT_BOX = (1380, 780, 615, 300)
HEADING = (300, 360, 1665, 195)  # "BGM", centred
MARK_NONE = (300, 1140)          # the chosen kind's mark
MARK_FRAME, MARK_BLUE = (128, 128, 128), (47, 95, 192)


def px(twips, dpi):
    return math.floor(twips * dpi / 1440 + 0.5)


def rect(twips, dpi):
    return tuple(px(t, dpi) for t in twips)


def gradient_value(y, height):
    """The curve both gradients follow, as a row of a surface `height` high."""
    v = abs(220 * math.sin(y / (height / 3.142)))
    return int(round(v))  # Python rounds halves to even, as the curve does


class Scaling(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.d = Desktop("settings_dialog_scaling")
        cls.addClassCleanup(cls.d.close)
        cls.addClassCleanup(cls.d.set_dpi, None)  # the shared prefix goes back to Wine's default
        cls.folder = cls.d.install("scaling")
        cls.shots = {}

    def setUp(self):
        self.d.end_case()
        self.addCleanup(self.d.end_case)

    def open_at(self, dpi):
        self.d.set_dpi(dpi)
        p = self.d.start(scr(self.folder), "/c", to_files=True)
        self.assertTrue(self.d.wait_window(CAPTION, 30), "the dialog did not open")
        info = wait_until(lambda: (lambda i: i if i and i["visible"] else None)(self.d.window_info(CAPTION)), 20)
        self.assertTrue(info, "the dialog is not shown")
        left, top, right, bottom = info["window"]
        width, height = info["client"]
        border = ((right - left) - width) // 2
        origin = (left + border, bottom - border - height)
        controls = {}
        for line in self.d.probe("controls", CAPTION).text.splitlines():
            fields = dict(f.split("=", 1) for f in line.partition(" text=")[0].split())
            controls[int(fields["id"]), fields["class"]] = tuple(int(v) for v in fields["at"].split(","))
        # Every paint done: the window's bottom gradient row is dark again and
        # the panel shows the chosen mark (無し, the kind of no settings file).
        panel = controls[0, "Ember_Lantern_PicC"]
        size = round(12 * dpi / 96)
        mark = (origin[0] + panel[0] + px(MARK_NONE[0], dpi) + size // 2,
                origin[1] + panel[1] + px(MARK_NONE[1], dpi) + size // 2)

        def painted():
            shot = self.d.screenshot()
            done = shot.pixel(origin[0] + 3, origin[1] + height - 1)[2] < 60 and shot.pixel(*mark) == MARK_BLUE
            return shot if done else None
        image = wait_until(painted, 10, 0.2)
        self.assertTrue(image, "the dialog was not painted")
        return p, (width, height), origin, controls, image

    def close(self, p):
        self.d.probe("post", CAPTION, hex(WM_CLOSE), "0", "0")
        self.assertEqual(p.wait(timeout=30), 0)

    @staticmethod
    def ink_rows(image, left, top, width, height):
        """Rows of a rectangle holding dark text pixels."""
        return sum(any(sum(image.pixel(x, y)) < 200 for x in range(left, left + width))
                   for y in range(top, top + height))

    def test_layout_fonts_gradients_and_marks_at_each_scale(self):
        heading_ink = {}
        for dpi in (96, 120, 144, 192):
            with self.subTest(dpi=dpi):
                p, client, (ox, oy), controls, image = self.open_at(dpi)
                if dpi in (144, 192):
                    image.save_png(self.d.work / f"dialog_{dpi}dpi.png")
                self.assertEqual(client, (px(CLIENT[0], dpi), px(CLIENT[1], dpi)))
                panel = controls[0, "Ember_Lantern_PicC"]
                self.assertEqual(panel, rect(PANEL, dpi))
                for control_id, place in BUTTONS.items():
                    self.assertEqual(controls[control_id, "Ember_Lantern_Command"], rect(place, dpi), control_id)
                for control_id, place in IN_PANEL.items():
                    self.assertEqual(controls[control_id, "Ember_Lantern_Command"], rect(place, dpi), control_id)
                box = controls[100, "ComboBox"]
                self.assertEqual(box[:3], rect(REPEAT_BOX, dpi)[:3])
                px_, py = ox + panel[0], oy + panel[1]

                # The heading's text grows with the font (9.75 points).
                hx, hy, hw, hh = rect(HEADING, dpi)
                # The middle half of the heading: its text, not its frame.
                heading_ink[dpi] = self.ink_rows(image, px_ + hx + hw // 4, py + hy - 2, hw // 2, hh + 4)

                # Both gradients over their own pixel heights: dark ends, the
                # brightest row in the middle.
                for left, top, height, lift in ((ox, oy, client[1], (0, 0, 30)), (px_, py, panel[3], (30, 30, 30))):
                    for y in (0, height // 2, height - 1):
                        want = tuple(gradient_value(y, height) + l for l in lift)
                        got = image.pixel(left + 3, top + y)
                        self.assertLessEqual(max(abs(a - b) for a, b in zip(got, want)), 1, (dpi, y, got, want))

                # The chosen mark: exactly its size at this scale, framed.
                size = round(12 * dpi / 96)
                mx, my = px_ + px(MARK_NONE[0], dpi), py + px(MARK_NONE[1], dpi)
                self.assertEqual(image.pixel(mx, my), MARK_FRAME)
                self.assertEqual(image.pixel(mx + size - 1, my + size - 1), MARK_FRAME)
                self.assertNotEqual(image.pixel(mx + size, my + size // 2), MARK_FRAME)
                self.assertEqual(image.pixel(mx + size // 2, my + size // 2), MARK_BLUE)
                self.close(p)
        for dpi, rows in heading_ink.items():
            self.assertAlmostEqual(rows, heading_ink[96] * dpi / 96, delta=2, msg=(dpi, heading_ink))


if __name__ == "__main__":
    unittest.main()
