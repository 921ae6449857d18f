"""Ember_Lantern.scr's command line end to end: every mode letter and form
Windows (or a user) may pass, with the renderer beside the saver and without
it, and the missing-renderer message box.

"With the renderer" the test plants marker_program as Ember_Lantern.dll: it
leaves "Ember_Lantern.dll.ran" and ends at once without a window, so a saver
start is seen to start the renderer, and the run then ends by itself at its
next watch tick, since the renderer's process has ended."""
import shutil
import time
import unittest

from harness import Desktop, wait_until
from frontend_e2e import (PROMPT_END, RENDERER_MISSING, TITLE, WM_CLOSE, WS_VISIBLE, ended_within, message_box_children,
                          scr, wait_window, warm_up)


# Argument text -> what the start does.
# A run whose renderer ends before showing a window ends within this many
# seconds (it used to wait 15 s for the window).
RENDERER_GONE_END = 5
SETTINGS_DIALOG = "<Ember_Lantern>"
TABLE = [
    ("/s", "saver"),
    ("/S", "saver"),
    ("-s", "saver"),
    ("xs", "saver"),
    ("", "saver (cursor left visible)"),
    ("s", "silent"),
    ("/a", "silent"),
    ("/A", "silent"),
    ("/c:1234", "settings"),
    ("/C", "settings"),
    ("/p 1234", "preview without a host window"),
    ("/p:1234", "preview without a host window"),
    ("/p", "preview without a host window"),
]


class CommandLine(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.d = Desktop("frontend_command_line")
        try:
            warm_up(cls.d)
            cls.with_renderer = cls.d.install("with renderer", files=("Ember_Lantern.scr",))
            shutil.copy2(cls.d.tools_dir / "marker_program.exe", cls.with_renderer / "Ember_Lantern.dll")
            cls.renderer_mark = cls.with_renderer / "Ember_Lantern.dll.ran"
            cls.without_renderer = cls.d.install("without renderer", files=("Ember_Lantern.scr",))
        except Exception:
            cls.d.close()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.d.close()

    def setUp(self):
        self.d.end_case()
        self.addCleanup(self.d.end_case)

    def start(self, folder, arguments):
        return self.d.start(scr(folder), *arguments.split())

    def test_every_start_ends_without_a_word_when_the_renderer_is_there(self):
        for arguments, outcome in TABLE:
            with self.subTest(arguments=arguments, outcome=outcome):
                self.d.end_case()  # a row that failed leaves nothing for the next
                self.renderer_mark.unlink(missing_ok=True)
                began = time.monotonic()
                p = self.start(self.with_renderer, arguments)
                if outcome.startswith("saver"):
                    self.assertTrue(wait_until(self.renderer_mark.exists, 10), "the renderer was not started")
                    self.assertEqual(ended_within(p, RENDERER_GONE_END), 0, "the run outlived its renderer")
                    print(f"{arguments!r:12} {outcome:32} ended after {time.monotonic() - began:.2f} s")
                elif outcome == "settings":
                    # The dialog, unattached whatever follows the letter; closing it ends the program.
                    self.assertTrue(wait_window(self.d, SETTINGS_DIALOG), "no settings dialog")
                    self.assertEqual(self.d.window_info(SETTINGS_DIALOG)["parent"], 0)
                    self.assertEqual(self.d.probe("post", SETTINGS_DIALOG, str(WM_CLOSE), "0", "0").returncode, 0)
                    self.assertEqual(ended_within(p, PROMPT_END), 0)
                    self.assertTrue(self.d.wait_window_gone(SETTINGS_DIALOG, 20))
                    self.assertFalse(self.renderer_mark.exists(), "the renderer was started")
                else:
                    self.assertEqual(ended_within(p, PROMPT_END), 0)
                    print(f"{arguments!r:12} {outcome:32} ended after {time.monotonic() - began:.2f} s")
                    self.assertFalse(self.renderer_mark.exists(), "the renderer was started")
                self.assertFalse(self.d.window_exists(TITLE), "a message was shown")

    def test_saver_named_in_shift_jis_finds_the_renderer_beside_it(self):
        # 表 is 95 5C: its second byte is the backslash byte, which must not
        # split the program's path.
        renamed = self.with_renderer / "表.scr"
        shutil.copy2(scr(self.with_renderer), renamed)
        self.renderer_mark.unlink(missing_ok=True)
        p = self.d.start(renamed, "/s")
        self.assertTrue(wait_until(self.renderer_mark.exists, 10), "the renderer beside 表.scr was not started")
        self.assertEqual(ended_within(p, RENDERER_GONE_END), 0)
        self.assertFalse(self.d.window_exists(TITLE), "the renderer was reported missing")

    def test_a_folder_named_outside_the_code_page_finds_its_renderer_and_settings(self):
        # "é" is not in code page 932: the ANSI call named the folder "Cafe"
        # or "Caf?", where neither the renderer nor the settings lie, and /s
        # and /c said the renderer was missing. Wine makes up short names, as
        # Windows' NTFS keeps them.
        folder = self.d.install("Café José", files=("Ember_Lantern.scr",))
        shutil.copy2(self.d.tools_dir / "marker_program.exe", folder / "Ember_Lantern.dll")
        ini = "[Section]\r\nBGM区分= 1\r\nBGMﾘﾋﾟｰﾄ= 7\r\nBGMﾌｧｲﾙ=\r\n".encode("cp932")
        (folder / "Ember_Lantern.ini").write_bytes(ini)
        for arguments in ("/s", "/c"):
            with self.subTest(arguments=arguments):
                ran = list(folder.glob("*.ran"))
                for mark in ran:
                    mark.unlink()
                p = self.start(folder, arguments)
                if arguments == "/s":
                    # The marker names its mark after the path it was started by.
                    self.assertTrue(wait_until(lambda: list(folder.glob("*.ran")), 10), "the renderer was not started")
                    self.assertEqual(ended_within(p, RENDERER_GONE_END), 0)
                else:
                    # The settings beside the saver were read: the CD's track 7.
                    self.assertTrue(wait_window(self.d, SETTINGS_DIALOG), "no settings dialog")
                    repeat = []
                    for line in self.d.probe("controls", SETTINGS_DIALOG).text.splitlines():
                        head, _, text = line.partition(" text=")
                        if dict(f.split("=", 1) for f in head.split()).get("id") == "100":
                            repeat.append(text.rstrip("\r"))
                    self.assertEqual(repeat[:1], ["7"], "the settings beside the saver were not read")
                    self.assertEqual(self.d.probe("post", SETTINGS_DIALOG, str(WM_CLOSE), "0", "0").returncode, 0)
                    self.assertEqual(ended_within(p, PROMPT_END), 0)
                    self.assertTrue(self.d.wait_window_gone(SETTINGS_DIALOG, 20))
                self.assertFalse(self.d.window_exists(TITLE), "a message was shown")

    def test_missing_renderer_is_reported_in_saver_and_settings_mode(self):
        # The renderer check comes before the mode is acted on, so every
        # letter but P reports it; P never looks (test_frontend_preview).
        for arguments in ("/s", "", "xs", "/c:1234", "/a", "s"):
            with self.subTest(arguments=arguments):
                self.d.end_case()
                p = self.start(self.without_renderer, arguments)
                self.assertTrue(wait_window(self.d, TITLE), "no message box")
                children = message_box_children(self.d)
                visible = [c for c in children if c[1] & WS_VISIBLE]
                texts = [c[3] for c in visible if c[0].lower() == "static" and c[3]]
                buttons = [c[3] for c in visible if c[0].lower() == "button"]
                icons = [c for c in visible if c[2]]
                self.assertEqual(texts, [RENDERER_MISSING])
                self.assertEqual(buttons, ["OK"])
                self.assertEqual(icons, [], "the message box shows an icon")
                self.assertIsNone(p.poll(), "ended before the message was dismissed")
                self.assertEqual(self.d.probe("post", TITLE, str(WM_CLOSE), "0", "0").returncode, 0)
                self.assertEqual(ended_within(p, PROMPT_END), 0)


if __name__ == "__main__":
    unittest.main()
