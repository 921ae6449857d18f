"""The settings dialog (/c) end to end, as a user works it with the mouse and
keys: what it shows for the settings in a real Shift-JIS file, choosing the
music kind with the mouse and with the arrow keys, the file chooser (also for
a name the code page cannot hold, then heard in a saver run), saving (the
three keys in order) and cancelling, the web button, a save that cannot be
written, Tab and Space, the focus across another window, the gradients'
pixels, and that every other start ends while it is open."""
import os
import shutil
import subprocess
import time
import unittest

from audio import alsa_sink_env, left_channel, make_tone, tones
from frontend_e2e import PROMPT_END, TITLE, ended_within, scr, wait_window
from harness import Desktop, wait_until, windows_path

CAPTION = "<Ember_Lantern>"
KIND, REPEAT, FILE = "BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ"
ID_REPEAT, ID_FILE_BUTTON, ID_WEB, ID_SAVE, ID_CANCEL = 100, 101, 102, 103, 104
WS_DISABLED, WS_TABSTOP = 0x08000000, 0x00010000
WS_CAPTION, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX = 0x00C00000, 0x00040000, 0x00020000, 0x00010000

# Places in the client area, in pixels (twips / 15): the panel, and in it the
# marks, labels, repeat box, file button and file-name box; the window's buttons.
PANEL = (12, 16, 453, 169)
MARK = {0: (20, 76), 1: (20, 56), 2: (20, 96)}
LABEL = {0: (36, 76, 23, 13), 1: (36, 56, 43, 13), 2: (36, 96, 60, 13)}
REPEAT_BOX = (92, 52, 41, 20)
FILE_BUTTON = (36, 116, 29, 21)
FILE_NAME = (68, 116, 357, 29)
BUTTONS = {ID_WEB: (192, 200, 125, 25), ID_SAVE: (320, 200, 73, 25), ID_CANCEL: (396, 200, 69, 25)}
BACKGROUND = (60, 212)  # the window's own gradient, left of the buttons
CHOOSER = "ﾌｧｲﾙを開く"
RENDERER = "Ember_Lantern_VC"
# The outline of the Pressed look lies a ring further in than the others'.
PRESSED_TOP_RING = (0x00, 0x3C, 0x74)


def ini_text(kind, repeat=0, path=""):
    return f"[Section]\r\n{KIND}= {kind}\r\n{REPEAT}= {repeat}\r\n{FILE}={path}\r\n".encode("cp932")


def written(blob):
    """The three keys' values as the file holds them, in the file's order;
    Wine drops the blank that Windows keeps before a number."""
    pairs = []
    for line in blob.decode("cp932").splitlines():
        key, sep, value = line.partition("=")
        if sep:
            pairs.append((key, value.strip() if key != FILE else value))
    return pairs


class DialogCase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # A fake browser launcher first on the path: Wine's winebrowser hands
        # a web address to xdg-open, which here writes it down.
        cls.d = Desktop("settings_dialog")
        cls.addClassCleanup(cls.d.close)  # also when the rest of the set-up fails
        cls.fake_bin = cls.d.work / "fake-bin"
        cls.fake_bin.mkdir()
        cls.opened = cls.d.work / "xdg-open.log"
        launcher = cls.fake_bin / "xdg-open"
        launcher.write_text(f'#!/bin/sh\necho "$@" >> "{cls.opened}"\n')
        launcher.chmod(0o755)
        cls.folder = cls.d.install("設定 フォルダ")
        cls.ini = cls.folder / "Ember_Lantern.ini"
        cls.music = make_tone(cls.d.work / "tone.mp3", (0.3, 440))

    def setUp(self):
        # What an earlier case left running (a dialog that opened after it
        # gave up on it, a saver run) would take this case's start for a
        # second instance.
        self.d.end_case()
        if self.ini.is_dir():
            self.ini.rmdir()
        self.ini.unlink(missing_ok=True)
        self.p = None

    def tearDown(self):
        self.d.end_case()

    # --- the dialog ---------------------------------------------------------
    def open(self, ini=None):
        if self.p and self.p.poll() is None:
            self.d.end_case()
        if ini is not None:
            self.ini.write_bytes(ini)
        env = {"PATH": f"{self.fake_bin}:{os.environ['PATH']}"}
        self.p = self.d.start(scr(self.folder), "/c", env=env, to_files=True)
        self.assertTrue(self.d.wait_window(CAPTION, 30), "the dialog did not open")
        def shown():
            info = self.d.window_info(CAPTION)
            return info if info and info["visible"] else None
        info = wait_until(shown, 20)
        self.assertTrue(info, "the dialog is not shown")
        left, top, right, bottom = info["window"]
        width, height = info["client"]
        border = ((right - left) - width) // 2
        self.window, self.client_size = info["window"], (width, height)
        self.origin = (left + border, bottom - border - height)
        return info

    def at(self, x, y, in_panel=False):
        ox, oy = self.origin
        if in_panel:
            ox, oy = ox + PANEL[0], oy + PANEL[1]
        return ox + x, oy + y

    def click(self, x, y, in_panel=False, button=1):
        # The hand comes from a little way off, as a user's does: the buttons
        # see the cursor arrive before the press.
        sx, sy = self.at(x, y, in_panel)
        self.d.xdotool("mousemove", str(sx - 3), str(sy - 2), "mousemove", str(sx), str(sy), "click", str(button))

    def press_button(self, place, in_panel=False):
        """As a user clicks a push button: the cursor moves onto it until it
        shows its hover look, then a left click."""
        self.hover(place, in_panel)
        self.d.xdotool("click", "1")

    def hover(self, place, in_panel=False):
        """Moves the cursor onto a push button until it shows its hover look."""
        x, y, w, h = place
        sx, sy = self.at(x + w // 2, y + h // 2, in_panel)

        def hovered():
            self.d.xdotool("mousemove", str(sx - 4), str(sy - 1), "mousemove", str(sx), str(sy))
            return self.top_ring(place, in_panel) == "hover"
        self.assertTrue(wait_until(hovered, 10, 0.2), f"no hover look on the button at {place}")

    def top_ring(self, place, in_panel=False):
        """The look a push button shows, told by its top ring: "hover" (the
        amber of HighLight or HighLightSelect), "normal", or another colour."""
        x, y, w, _ = place
        r, g, b = self.d.screenshot().pixel(*self.at(x + w // 2, y + 2, in_panel))
        if r > 245 and b < 225:
            return "hover"
        return "normal" if (r, g, b) == (0xF3, 0xF3, 0xEE) else (r, g, b)

    def click_centre(self, place, in_panel=False, button=1):
        x, y, w, h = place
        self.click(x + w // 2, y + h // 2, in_panel, button)

    def controls(self):
        rows = {}
        for line in self.d.probe("controls", CAPTION).text.splitlines():
            head, _, text = line.partition(" text=")
            fields = dict(f.split("=", 1) for f in head.split())
            row = {"class": fields["class"], "style": int(fields["style"], 16), "focus": fields["focus"] == "1",
                   "items": int(fields["items"]), "text": text.rstrip("\r")}
            rows.setdefault(int(fields["id"]), []).append(row)
        return rows

    def chosen_marks(self, image):
        chosen = []
        for kind, (x, y) in MARK.items():
            r, g, b = image.pixel(*self.at(x + 6, y + 6, in_panel=True))
            if b > r + 60:
                chosen.append(kind)
        return chosen

    def look(self):
        """(chosen marks, repeat box enabled, its text, file button enabled)."""
        image = self.d.screenshot()
        controls = self.controls()
        repeat = controls[ID_REPEAT][0]
        file_button = controls[ID_FILE_BUTTON][0]
        return (self.chosen_marks(image), not repeat["style"] & WS_DISABLED, repeat["text"],
                bool(file_button["style"] & WS_TABSTOP))

    def wait_look(self, wanted, timeout=10):
        wait_until(lambda: self.look() == wanted, timeout, 0.2)
        return self.look()

    def save(self):
        self.press_button(BUTTONS[ID_SAVE])
        self.assert_ended("the save")

    def cancel(self):
        self.press_button(BUTTONS[ID_CANCEL])
        self.assert_ended("the cancel")

    def assert_ended(self, after):
        self.assertEqual(ended_within(self.p, PROMPT_END), 0, f"the program did not end after {after}")
        # Wine lets the window of an ended process linger for a moment, and
        # the next start would take it for an open dialog.
        self.assertTrue(self.d.wait_window_gone(CAPTION, 20))

    def focused(self):
        """What has the keyboard focus: "panel", a control's id, or None."""
        for control_id, rows in self.controls().items():
            for row in rows:
                if row["focus"]:
                    if row["class"] == "Edit":
                        return ID_REPEAT
                    return "panel" if row["class"] == "Ember_Lantern_PicC" else control_id
        return None

    def type_repeat(self, text):
        self.click_centre(REPEAT_BOX[:2] + (REPEAT_BOX[2] - 16, REPEAT_BOX[3]), in_panel=True)
        self.d.xdotool("key", "End", "shift+Home", "BackSpace")
        if text:
            self.d.xdotool("type", "--delay", "30", "--", text)


class Loading(DialogCase):
    def test_what_the_dialog_shows_for_the_stored_settings(self):
        cases = [
            ("CD, whole disc", ini_text(1, 0), ([1], True, "", False)),
            ("CD, track 7", ini_text(1, 7), ([1], True, "7", False)),
            ("music file", ini_text(2, 0, windows_path(self.music)), ([2], False, "", True)),
            ("no music", ini_text(0), ([0], False, "", False)),
            ("a hand-edited kind 5", ini_text(5, 3), ([], False, "3", False)),
            ("no settings file", None, ([0], False, "", False)),
        ]
        for what, ini, wanted in cases:
            with self.subTest(what):
                self.setUp()
                self.open(ini)
                self.assertEqual(self.wait_look(wanted), wanted)
                self.assertEqual(self.controls()[ID_REPEAT][0]["items"], 31)
                # The file-name box holds text only when a file is set.
                image = self.d.screenshot()
                x, y, w, h = FILE_NAME
                dark = sum(sum(image.pixel(*self.at(px, y + h // 2 + dy, in_panel=True))) < 200
                           for px in range(x + 4, x + w - 4) for dy in (-2, 0, 2))
                self.assertEqual(dark > 10, what == "music file", f"text pixels in the file box: {dark}")
                before = self.ini.read_bytes() if ini else None
                self.cancel()
                self.assertEqual(self.ini.read_bytes() if self.ini.exists() else None, before,
                                 "cancelling changed the settings file")

    def test_window_frame_and_place(self):
        info = self.open(ini_text(0))
        style = info["style"]
        self.assertEqual(style & WS_CAPTION, WS_CAPTION, "no title bar")
        self.assertEqual(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0, "resizable, or with more boxes")
        self.assertEqual(info["parent"], 0)
        # Centred across the screen and at a third of the free height, worked
        # out in twips (15 to the pixel) with truncating divisions.
        left, top, right, bottom = info["window"]
        x = (self.d.width * 15 - (right - left) * 15) // 2
        y = (self.d.height * 15 - (bottom - top) * 15) // 3
        self.assertEqual((left, top), (round(x / 15), round(y / 15)))
        self.cancel()

    def test_gradients_behind_everything(self):
        self.open(ini_text(0))
        self.d.screenshot("dialog.png")
        image = self.d.screenshot()
        width, height = self.client_size
        self.assertEqual((width, height), (479, 252))

        def column(x, top, rows, in_panel=False):
            return [image.pixel(*self.at(x, top + y, in_panel)) for y in range(rows)]

        window = column(3, 0, height)
        self.assertEqual(window[0], (0, 0, 30))
        self.assertEqual(window[126], (220, 220, 250))
        for y in range(1, 126):
            self.assertLessEqual(max(abs(a - b) for a, b in zip(window[y], window[252 - y])), 1, f"row {y}")
        panel = column(3, 0, PANEL[3], in_panel=True)
        self.assertEqual(panel[0], (30, 30, 30))
        self.assertIn(panel[84], [(250, 250, 250), (249, 249, 249)])
        for y in range(1, 84):
            self.assertLessEqual(max(abs(a - b) for a, b in zip(panel[y], panel[169 - y])), 1, f"panel row {y}")
        # Covered by another window and uncovered again: the same picture.
        ox, oy = self.origin
        before = [image.pixel(ox + x, oy + y) for y in range(0, height, 3) for x in range(0, width, 3)]
        cover = self.d.start(self.d.tools_dir / "winprobe.exe", "host", str(self.d.width), str(self.d.height), "cover")
        self.assertTrue(self.d.wait_window("cover", 20))
        self.assertTrue(wait_until(lambda: self.d.screenshot().pixel(ox + 3, oy + 3) == (255, 255, 255), 10, 0.1),
                        "the dialog was not covered")
        self.d.probe("post", "cover", "0x10", "0", "0")
        self.assertEqual(cover.wait(timeout=30), 0)

        def same_again():
            shot = self.d.screenshot()
            return [shot.pixel(ox + x, oy + y) for y in range(0, height, 3) for x in range(0, width, 3)] == before
        self.assertTrue(wait_until(same_again, 10, 0.2), "uncovered, the dialog looks different")
        self.cancel()


class Choosing(DialogCase):
    def test_marks_and_labels_with_either_button_choose_the_kind(self):
        self.open(ini_text(2, 4, windows_path(self.music)))
        steps = [
            ("left press on the label 音楽CD", LABEL[1], 1, ([1], True, "4", False)),
            ("right press on the mark 無し", MARK[0] + (13, 13), 3, ([0], False, "4", False)),
            ("right press on the label MP3、WAV", LABEL[2], 3, ([2], False, "4", True)),
            ("left press on the mark 音楽CD", MARK[1] + (13, 13), 1, ([1], True, "4", False)),
            ("left press on the label 無し", LABEL[0], 1, ([0], False, "4", False)),
        ]
        for what, place, button, wanted in steps:
            with self.subTest(what):
                self.click_centre(place, in_panel=True, button=button)
                self.assertEqual(self.wait_look(wanted), wanted)
        # No music, saved: the repeat box's value and the old path go in all the same.
        self.save()
        self.assertEqual(written(self.ini.read_bytes()), [(KIND, "0"), (REPEAT, "4"), (FILE, windows_path(self.music))])

    def test_file_chooser_picks_a_file_and_cancelling_it_keeps_the_old_one(self):
        old = self.d.work / "old.wav"
        shutil.copy(self.music, old)
        self.open(ini_text(2, 0, windows_path(old)))
        chooser = "ﾌｧｲﾙを開く"
        # Cancelled: the old file stays.
        self.press_button(FILE_BUTTON, in_panel=True)
        self.assertTrue(wait_window(self.d, chooser, 30), "no file chooser")
        self.d.focus(chooser)
        self.d.tap("Escape")
        self.assertTrue(self.d.wait_window_gone(chooser, 20))
        # The dialog takes input again once the chooser has given it back and
        # its X window has gone too (Wine lets it linger a moment).
        self.assertTrue(wait_until(lambda: not self.d.window_info(CAPTION)["style"] & WS_DISABLED, 20, 0.2))
        self.assertTrue(wait_until(lambda: not self.d.x_windows(chooser), 20, 0.2))
        # Windows gives the activation back to the owner of a closed chooser;
        # with no window manager, Wine leaves no window active.
        self.d.focus(CAPTION)
        # Chosen: typed into the chooser's name field, as a user may.
        self.press_button(FILE_BUTTON, in_panel=True)
        self.assertTrue(wait_window(self.d, chooser, 30), "no file chooser")
        self.d.focus(chooser)
        self.d.xdotool("type", "--delay", "20", windows_path(self.music))
        self.d.tap("Return")
        self.assertTrue(self.d.wait_window_gone(chooser, 20), "the chooser did not take the file")
        self.save()
        self.assertEqual(written(self.ini.read_bytes()), [(KIND, "2"), (REPEAT, "0"), (FILE, windows_path(self.music))])

    def choose_in_chooser(self, typed):
        """Opens the chooser with "...", types a name into it and presses Enter."""
        self.press_button(FILE_BUTTON, in_panel=True)
        self.assertTrue(wait_window(self.d, CHOOSER, 30), "no file chooser")
        self.d.focus(CHOOSER)
        # xdotool types a character the keyboard map lacks ("é") by binding it
        # to a spare key for the moment; Wine reads the new map a little late,
        # so such characters go one at a time, with time around them.
        run = ""
        for c in typed + "\n":
            if c.isascii() and c != "\n":
                run += c
                continue
            if run:
                self.d.xdotool("type", "--delay", "10", run)
                run = ""
            if c != "\n":
                time.sleep(0.3)
                self.d.xdotool("type", "--delay", "100", c)
                time.sleep(0.3)
        self.d.tap("Return")

    def test_a_name_the_code_page_cannot_hold_is_kept_by_its_short_form_and_heard(self):
        # The ANSI chooser turned "tone é.mp3" into "tone e.mp3", a file that
        # does not exist, and the saver was silent. Chosen here as a user
        # types it, saved, then a saver run from the same folder.
        cases = [("é in the file's name", "plain", "tone é.mp3", 660),
                 ("é in a folder's name, a wave file", "musique é", "tone.wav", 880)]
        raw = self.d.work / "audio.raw"
        sink = alsa_sink_env(self.d.work, raw)
        for what, folder, name, hertz in cases:
            with self.subTest(what):
                self.setUp()
                (self.d.work / folder).mkdir(exist_ok=True)
                path = make_tone(self.d.work / folder / name, (1.5, hertz))
                self.open(ini_text(2, 0, windows_path(self.music)))
                self.choose_in_chooser(windows_path(path))
                self.assertTrue(self.d.wait_window_gone(CHOOSER, 20), "the chooser did not take the file")
                self.assertTrue(wait_until(lambda: not self.d.x_windows(CHOOSER), 20, 0.2))
                self.assertFalse(self.d.window_exists(TITLE), "the name was refused")
                self.d.focus(CAPTION)
                self.d.screenshot(f"chosen {name}.png")
                self.save()
                (kind, _), (repeat, _), (key, kept) = written(self.ini.read_bytes())
                self.assertEqual(key, FILE)
                # The short form: a path the code page holds, ending as the file does.
                self.assertNotEqual(kept, windows_path(path))
                self.assertTrue(kept.isascii() and "?" not in kept and "~" in kept, kept)
                self.assertTrue(kept.upper().endswith(path.suffix.upper()), kept)

                raw.unlink(missing_ok=True)
                run = self.d.start(scr(self.folder), "/s", env=sink, to_files=True)
                self.assertTrue(self.d.wait_window(RENDERER, 60),
                                f"the renderer's window did not appear (the run's exit code: {run.poll()})")
                heard = wait_until(lambda: hertz in tones(left_channel(raw)), 30, 0.5)
                self.d.focus(RENDERER)
                self.d.tap("Escape")
                self.assertEqual(ended_within(run, 60), 0, "the run did not end after Esc")
                self.assertTrue(heard, f"the {hertz} Hz tone of {kept} was not heard")

    def test_the_chooser_refuses_a_missing_file_and_says_so(self):
        old = windows_path(self.music)
        self.open(ini_text(2, 0, old))
        self.choose_in_chooser(windows_path(self.d.work / "no such file.mp3"))
        # The chooser's own message, untitled, holds the chooser disabled until it is answered.
        chooser_disabled = lambda: (self.d.window_info(CHOOSER) or {"style": 0})["style"] & WS_DISABLED
        self.assertTrue(wait_until(chooser_disabled, 20, 0.2), "the chooser said nothing")
        self.d.screenshot("chooser-missing-file.png")
        self.d.tap("Return")
        self.assertTrue(wait_until(lambda: not chooser_disabled(), 20, 0.2))
        self.assertTrue(self.d.window_exists(CHOOSER), "the chooser took the missing file")
        self.d.focus(CHOOSER)
        self.d.tap("Escape")
        self.assertTrue(self.d.wait_window_gone(CHOOSER, 20))
        self.assertTrue(wait_until(lambda: not self.d.window_info(CAPTION)["style"] & WS_DISABLED, 20, 0.2))
        self.assertTrue(wait_until(lambda: not self.d.x_windows(CHOOSER), 20, 0.2))
        self.d.focus(CAPTION)
        self.save()
        self.assertEqual(written(self.ini.read_bytes()), [(KIND, "2"), (REPEAT, "0"), (FILE, old)])

    def test_a_path_of_255_to_259_bytes_is_taken_whole(self):
        for length in (255, 259):
            with self.subTest(length=length):
                self.setUp()
                path = self.file_with_path_length(length)
                self.assertEqual(len(windows_path(path)), length)
                self.open(ini_text(2, 0, windows_path(self.music)))
                self.choose_in_chooser(windows_path(path))
                self.assertTrue(self.d.wait_window_gone(CHOOSER, 20), "the chooser did not take the file")
                self.assertTrue(wait_until(lambda: not self.d.x_windows(CHOOSER), 20, 0.2))
                self.d.focus(CAPTION)
                self.save()
                self.assertEqual(written(self.ini.read_bytes()), [(KIND, "2"), (REPEAT, "0"), (FILE, windows_path(path))])

    def file_with_path_length(self, length):
        """A copy of the test tone whose Windows path is `length` characters long."""
        folder = self.d.work / f"long {length}"
        remaining = length - len(windows_path(folder))  # each further part after a backslash
        while remaining > 121:
            folder, remaining = folder / ("d" * 100), remaining - 101
        folder.mkdir(parents=True, exist_ok=True)
        path = folder / ("f" * (remaining - 5) + ".mp3")
        shutil.copy(self.music, path)
        return path


class Releases(DialogCase):
    """Only a release that ends a press begun on a button clicks it: a press
    made elsewhere and let go over a button changes its look and does
    nothing else."""

    def test_a_press_on_the_background_let_go_over_each_button_does_nothing(self):
        self.opened.unlink(missing_ok=True)
        stored = ini_text(2, 0, windows_path(self.music))
        self.open(stored)
        # The file button first, while the music file is the kind chosen.
        buttons = [(FILE_BUTTON, True), (BUTTONS[ID_SAVE], False), (BUTTONS[ID_CANCEL], False),
                   (BUTTONS[ID_WEB], False)]
        for i, (place, in_panel) in enumerate(buttons):
            with self.subTest(button=place):
                self.d.xdotool("mousemove", *map(str, self.at(*BACKGROUND)), "mousedown", "1")
                self.hover(place, in_panel)  # dragged over it with the left button held
                self.d.xdotool("mouseup", "1")
                # The release reached the button: HighLight's release draws
                # Normal while the cursor stays over it.
                self.assertTrue(wait_until(lambda: self.top_ring(place, in_panel) == "normal", 10, 0.1),
                                "the release did not reach the button")
                # Input is handled in order: a kind chosen after the release
                # shows only in a dialog still open and not behind a chooser.
                kind = (1, 0)[i % 2]
                self.click_centre(LABEL[kind], in_panel=True, button=3)
                wanted = ([kind], kind == 1, "", False)
                self.assertEqual(self.wait_look(wanted), wanted)
                self.assertFalse(self.d.window_exists(CHOOSER))
                self.assertIsNone(self.p.poll(), "the dialog closed")
        self.assertEqual(self.ini.read_bytes(), stored, "the settings were saved")
        # A real click on the web button after all that: the browser is asked
        # once, for that click alone.
        self.press_button(BUTTONS[ID_WEB])
        lines = lambda: self.opened.read_text().splitlines() if self.opened.exists() else []
        self.assertTrue(wait_until(lambda: len(lines()) >= 1, 30, 0.2), "the web button's click did nothing")
        self.assertEqual(len(wait_until(lambda: len(lines()) > 1 and lines(), 3, 0.2) or lines()), 1, lines())
        self.cancel()

    def test_a_lone_release_over_the_save_button_does_not_save(self):
        self.open(ini_text(1, 3))
        self.click_centre(LABEL[0], in_panel=True)  # a choice that must not be saved
        # Pressed on the bare screen beside the dialog, which no window takes:
        # the dialog hears the release alone.
        left, top, right, bottom = self.window
        self.d.xdotool("mousemove", str(right + 40), str(bottom + 40), "mousedown", "1")
        self.hover(BUTTONS[ID_SAVE])
        self.d.xdotool("mouseup", "1")
        self.assertTrue(wait_until(lambda: self.top_ring(BUTTONS[ID_SAVE]) == "normal", 10, 0.1),
                        "the release did not reach the button")
        self.click_centre(LABEL[1], in_panel=True, button=3)
        self.assertEqual(self.wait_look(([1], True, "3", False)), ([1], True, "3", False))
        self.assertIsNone(self.p.poll(), "the dialog saved and closed")
        self.assertEqual(self.ini.read_bytes(), ini_text(1, 3), "the settings were saved")
        # A press and release on it still saves.
        self.save()
        self.assertEqual(written(self.ini.read_bytes()), [(KIND, "1"), (REPEAT, "3"), (FILE, "")])


class Saving(DialogCase):
    def test_the_repeat_box_as_it_is_saved(self):
        # A number no track can have is refused in words naming the box and
        # its range; the dialog stays as it was, nothing is written, and the
        # number corrected saves as usual (the file chosen kept all along).
        cases = [("", None, "0"), (" 7 ", None, "7"), ("letters", None, "0"), ("2.5", None, "2"), ("3.5", None, "4"),
                 ("99999", "12", "12"), ("-32769", "", "0")]
        music = windows_path(self.music)
        for typed, corrected, saved in cases:
            with self.subTest(typed=typed):
                self.setUp()
                stored = ini_text(1, 6, music)
                self.open(stored)
                self.type_repeat(typed)
                if corrected is not None:
                    self.press_button(BUTTONS[ID_SAVE])
                    self.assertTrue(wait_window(self.d, TITLE, 20), "the refused number was not said")
                    texts = [line for line in self.d.probe("controls", TITLE).text.splitlines()
                             if "class=Static" in line]
                    self.assertTrue(any("曲目をﾘﾋﾟｰﾄ" in t and "-32768" in t and "32767" in t for t in texts), texts)
                    self.d.screenshot(f"refused {typed}.png")
                    self.d.focus(TITLE)
                    self.d.tap("Return")
                    self.assertTrue(self.d.wait_window_gone(TITLE, 20))
                    self.assertIsNone(self.p.poll(), "the dialog closed as if it had saved")
                    self.assertEqual(self.ini.read_bytes(), stored, "a refused number wrote the file")
                    wanted = ([1], True, typed, False)
                    self.assertEqual(self.wait_look(wanted), wanted)
                    self.d.focus(CAPTION)
                    self.type_repeat(corrected)
                self.save()
                self.assertEqual(written(self.ini.read_bytes()), [(KIND, "1"), (REPEAT, saved), (FILE, music)])

    def test_cancel_and_the_close_box_write_nothing(self):
        for closing in ("cancel", "close box"):
            for existing in (True, False):
                with self.subTest(closing=closing, existing=existing):
                    self.setUp()
                    before = ini_text(1, 2) if existing else None
                    self.open(before)
                    self.click_centre(LABEL[0], in_panel=True)  # a choice that must not be kept
                    self.type_repeat("9")
                    if closing == "cancel":
                        self.cancel()
                    else:
                        left, top, right, _ = self.window
                        self.d.xdotool("mousemove", str(right - 12), str(top + 12), "click", "1")
                        self.assert_ended("a click on the close box")
                    self.assertEqual(self.ini.read_bytes() if self.ini.exists() else None, before)

    def test_a_save_that_cannot_be_written_says_so_and_keeps_the_dialog(self):
        self.ini.mkdir()  # a folder in the way, which not even root writes through
        self.open()
        self.click_centre(LABEL[1], in_panel=True)
        self.press_button(BUTTONS[ID_SAVE])
        self.assertTrue(wait_window(self.d, TITLE, 20), "no message")
        texts = [line for line in self.d.probe("controls", TITLE).text.splitlines() if "class=Static" in line]
        self.assertTrue(any("設定を保存できませんでした" in t for t in texts), texts)
        self.d.focus(TITLE)
        self.d.tap("Return")
        self.assertTrue(self.d.wait_window_gone(TITLE, 20))
        self.assertIsNone(self.p.poll(), "the dialog closed as if it had saved")
        self.assertTrue(self.d.window_exists(CAPTION))
        self.cancel()
        self.assertTrue(self.ini.is_dir())


class Keys(DialogCase):
    """The focused music panel is a group of option buttons: the arrow keys
    move the choice through the rows as they stand (音楽CD, 無し, MP3、WAV) and
    round, as a press on the mark does; a dotted rectangle surrounds the
    chosen kind's name while the panel has the focus."""

    def name_areas(self, image):
        """The pixels of each kind's name and around it, clear of the marks,
        the neighbouring rows and the repeat box (音楽CD's row): the focus
        rectangle lies a pixel outside the text, which may run past its box
        in a substitute font. {kind: {(x, y): colour}}."""
        areas = {}
        for kind, (x, y, w, h) in LABEL.items():
            right = min(x + w + 12, REPEAT_BOX[0] - 1) if kind == 1 else x + w + 12
            areas[kind] = {(px, py): image.pixel(*self.at(px, py, in_panel=True))
                           for py in range(y - 3, y + h + 3) for px in range(x - 2, right)}
        return areas

    def ring_around(self, kind):
        """The place of the rectangle that now stands out around kind's name
        against the unfocused picture, once the other names are as before;
        None until then."""
        areas = self.name_areas(self.d.screenshot())
        if any(areas[other] != self.plain[other] for other in LABEL if other != kind):
            return None
        changed = {p for p, colour in areas[kind].items() if colour != self.plain[kind][p]}
        if not changed:
            return None
        xs, ys = [x for x, _ in changed], [y for _, y in changed]
        return min(xs), min(ys), max(xs), max(ys), changed

    def assert_focus_ring(self, kind):
        found = wait_until(lambda: self.ring_around(kind), 10, 0.2)
        self.assertTrue(found, f"no focus rectangle around the name of kind {kind} alone")
        left, top, right, bottom, changed = found
        # Only the outline changes, every other pixel of it: dotted.
        self.assertTrue(all(x in (left, right) or y in (top, bottom) for x, y in changed), "not an outline")
        top_edge = sum((x, top) in changed for x in range(left, right + 1))
        self.assertAlmostEqual(top_edge, (right - left + 1) / 2, delta=1, msg="the top edge is not dotted")
        # Around the text, with a pixel of room on every side.
        text = [p for p, (r, g, b) in self.plain[kind].items() if r + g + b < 200]
        self.assertTrue(text, "no text to surround")
        self.assertLess(left, min(x for x, _ in text))
        self.assertGreater(right, max(x for x, _ in text))
        self.assertLess(top, min(y for _, y in text))
        self.assertGreater(bottom, max(y for _, y in text))

    def assert_no_focus_ring(self):
        unchanged = lambda: self.name_areas(self.d.screenshot()) == self.plain
        self.assertTrue(wait_until(unchanged, 10, 0.2), "a focus rectangle stayed")

    def test_arrow_keys_walk_the_rows_round_and_the_focus_rectangle_follows(self):
        # A hand-edited kind: no mark chosen, so no focus rectangle yet.
        self.open(ini_text(5, 4, windows_path(self.music)))
        self.d.focus(CAPTION)
        self.assertEqual(wait_until(self.focused, 5, 0.1), "panel")
        self.assertEqual(self.wait_look(([], False, "4", False)), ([], False, "4", False))
        self.plain = self.name_areas(self.d.screenshot())
        steps = [
            ("Down with no mark chosen: the top row", ["key", "Down"], 1),
            ("Down", ["key", "Down"], 0),
            ("Down", ["key", "Down"], 2),
            ("Down from the bottom row: round to the top", ["key", "Down"], 1),
            ("Up from the top row: round to the bottom", ["key", "Up"], 2),
            ("Up", ["key", "Up"], 0),
            ("Left goes up", ["key", "Left"], 1),
            ("Right goes down", ["key", "Right"], 0),
            ("Up", ["key", "Up"], 1),
        ]
        for what, keys, kind in steps:
            with self.subTest(what):
                self.d.xdotool(*keys)
                wanted = ([kind], kind == 1, "4", kind == 2)
                self.assertEqual(self.wait_look(wanted), wanted)
                self.assertEqual(self.focused(), "panel")
                self.assert_focus_ring(kind)
        self.d.screenshot("panel-focus.png")
        # Tab takes the focus on, and the rectangle goes; an arrow key then
        # belongs to the repeat box, which moves through its list, and
        # chooses no kind. Input is handled in order: once Shift+Tab has
        # brought the focus back, the key's effects show.
        self.d.tap("Tab")
        self.assertTrue(wait_until(lambda: self.focused() == ID_REPEAT, 5, 0.1), "Tab did not reach the repeat box")
        self.assert_no_focus_ring()
        self.d.tap("Down")
        self.d.tap("shift+Tab")
        self.assertTrue(wait_until(lambda: self.focused() == "panel", 5, 0.1), "Shift+Tab did not reach the panel")
        marks, repeat_enabled, repeat_text, _ = self.look()
        self.assertEqual((marks, repeat_enabled), ([1], True))
        self.assertNotEqual(repeat_text, "4", "the repeat box did not get the key")
        self.assert_focus_ring(1)
        # A held key steps again with each repeat: the choice moves on at
        # least twice. A slow repeat on this test's own X server, so the
        # screenshots see the steps.
        subprocess.run(["xset", "r", "rate", "300", "4"], env=self.d.env, check=True, timeout=30)
        shown = [1]
        self.d.key_down("Down")
        try:
            def moved_twice():
                now = self.chosen_marks(self.d.screenshot())
                if len(now) == 1 and now[0] != shown[-1]:
                    shown.append(now[0])
                return len(shown) >= 3
            self.assertTrue(wait_until(moved_twice, 15, 0.05), f"a held Down did not repeat: {shown}")
        finally:
            self.d.key_up("Down")
        # Once the focus has moved on, every key-down before the Tab has been
        # handled: the kind then shown is the one saved.
        self.d.tap("Tab")
        self.assertTrue(wait_until(lambda: self.focused() not in ("panel", None), 5, 0.1),
                        "Tab left the focus on the panel")
        self.assert_no_focus_ring()
        kind = self.look()[0]
        self.assertEqual(len(kind), 1)
        self.save()
        self.assertEqual(written(self.ini.read_bytes())[0], (KIND, str(kind[0])))


class Keyboard(DialogCase):
    """Keyboard alone, with real keys: Tab to a button and Space presses it
    as it presses a Windows push button (the Pressed look while Space is
    down, the click at its release); a Space that Tab carried off its button
    clicks nothing; Enter and Esc do nothing. Another window activated and
    closed in between changes none of it: the control that had the focus
    has it again once the dialog is active again."""

    SPACE_DOWN, SPACE_UP, PRESSED, ANOTHER_WINDOW = "space down", "space up", "pressed", "another window"

    def another_window(self):
        before = self.focused()
        other = self.d.start(self.d.tools_dir / "winprobe.exe", "host", "400", "300", "interloper")
        self.assertTrue(self.d.wait_window("interloper", 20))
        self.d.focus("interloper")
        self.assertTrue(wait_until(lambda: self.focused() is None, 5, 0.1), "the dialog kept the focus")
        self.d.probe("post", "interloper", "0x10", "0", "0")
        self.assertEqual(other.wait(timeout=30), 0)
        self.assertTrue(wait_until(lambda: not self.d.x_windows("interloper"), 20, 0.2))
        # With no window manager Wine activates no window by itself once the
        # other has gone; a user's click on the title bar would.
        self.d.focus(CAPTION)
        self.assertTrue(wait_until(lambda: self.focused() == before, 5, 0.1),
                        f"the focus went to {self.focused()}, not back to {before}")

    def test_tab_and_space_press_the_buttons(self):
        stored = ini_text(1, 3)
        D, U, PRESSED, OTHER = self.SPACE_DOWN, self.SPACE_UP, self.PRESSED, self.ANOTHER_WINDOW
        # After Down on the panel the kind is 無し: the repeat box and "..."
        # are no tab stops, so Tab goes from the panel to 設定, then ｷｬﾝｾﾙ.
        cases = [
            ("Space on ｷｬﾝｾﾙ", ["Tab", "Tab", ID_CANCEL, D, PRESSED, U], "cancelled"),
            ("Space on 設定", ["Tab", ID_SAVE, D, PRESSED, U], "saved"),
            ("another window between Tab and Space on ｷｬﾝｾﾙ", ["Tab", "Tab", ID_CANCEL, OTHER, D, U], "cancelled"),
            ("another window between Tab and Space on 設定", ["Tab", ID_SAVE, OTHER, D, U], "saved"),
            ("a Space begun on 設定 and released after Tab moved on",
             ["Tab", ID_SAVE, D, PRESSED, "Tab", ID_CANCEL, U], "open"),
            ("another window while Space is down", ["Tab", ID_SAVE, D, PRESSED, OTHER, U], "open"),
            ("Enter and Esc on 設定 and ｷｬﾝｾﾙ", ["Tab", ID_SAVE, "Return", "Escape", "Tab", "Return", "Escape"], "open"),
        ]
        for what, steps, outcome in cases:
            with self.subTest(what):
                self.setUp()
                # The cursor away from the buttons: one hovered when it gets
                # the focus shows the Pressed look, as it always has.
                self.d.xdotool("mousemove", "5", "5")
                self.open(stored)
                self.d.focus(CAPTION)
                self.assertTrue(wait_until(lambda: self.focused() == "panel", 5, 0.1))
                self.d.tap("Down")
                self.assertEqual(self.wait_look(([0], False, "3", False)), ([0], False, "3", False))
                button = None
                for step in steps:
                    if step in (ID_SAVE, ID_CANCEL):
                        button = step
                        self.assertTrue(wait_until(lambda: self.focused() == step, 5, 0.1),
                                        f"the focus is on {self.focused()}, not {step}")
                    elif step == D:
                        self.d.key_down("space")
                    elif step == U:
                        self.d.key_up("space")
                    elif step == PRESSED:
                        self.assertTrue(wait_until(lambda: self.top_ring(BUTTONS[button]) == PRESSED_TOP_RING, 5, 0.1),
                                        f"no Pressed look: {self.top_ring(BUTTONS[button])}")
                        self.d.screenshot(f"space down on {button}.png")
                    elif step == OTHER:
                        self.another_window()
                    else:
                        self.d.tap(step)
                if outcome == "open":
                    self.assertIsNone(ended_within(self.p, 2), "the dialog closed")
                    # No button is left looking pressed.
                    for place in (BUTTONS[ID_SAVE], BUTTONS[ID_CANCEL]):
                        self.assertNotEqual(self.top_ring(place), PRESSED_TOP_RING)
                    self.assertEqual(self.ini.read_bytes(), stored, "the settings were saved")
                    self.cancel()
                    continue
                self.assert_ended(f"Space on {button}")
                if outcome == "saved":
                    self.assertEqual(written(self.ini.read_bytes()), [(KIND, "0"), (REPEAT, "3"), (FILE, "")])
                else:
                    self.assertEqual(self.ini.read_bytes(), stored)


class WhileOpen(DialogCase):
    def test_web_button_opens_the_page_and_the_dialog_stays(self):
        self.opened.unlink(missing_ok=True)
        self.open(ini_text(0))
        self.press_button(BUTTONS[ID_WEB])
        self.assertTrue(wait_until(lambda: self.opened.exists() and self.opened.read_text().strip(), 30, 0.2),
                        "the browser launcher was not called")
        self.assertIn("https://", self.opened.read_text())
        self.assertIsNone(self.p.poll())
        self.assertTrue(self.d.window_exists(CAPTION))
        self.cancel()

    def test_other_starts_end_at_once(self):
        self.open(ini_text(0))
        for arguments in ("/s", "/p 1234", "/c", ""):
            with self.subTest(arguments=arguments):
                other = self.d.start(scr(self.folder), *arguments.split(), to_files=True)
                self.assertEqual(ended_within(other, PROMPT_END), 0)
        self.assertFalse(self.d.window_exists("Ember_Lantern_VC"), "a saver run started")
        self.assertIsNone(self.p.poll())
        self.cancel()

    def test_tab_moves_the_focus_in_order_and_skips_what_is_disabled(self):
        for kind, order in ((2, ["panel", ID_FILE_BUTTON, ID_SAVE, ID_CANCEL, ID_WEB, "panel"]),
                            (1, ["panel", ID_REPEAT, ID_SAVE, ID_CANCEL, ID_WEB, "panel"])):
            with self.subTest(kind=kind):
                self.setUp()
                self.open(ini_text(kind, 0, windows_path(self.music) if kind == 2 else ""))
                self.d.focus(CAPTION)
                seen = []
                for step in range(len(order)):
                    if step:
                        self.d.tap("Tab")
                    seen.append(wait_until(lambda: self.focused(), 5, 0.1))
                self.assertEqual(seen, order)
                self.d.tap("Return")  # no default button
                self.d.tap("Escape")  # no cancel key
                self.assertIsNone(ended_within(self.p, 1), "Enter or Esc closed the dialog")
                self.cancel()


if __name__ == "__main__":
    unittest.main()
