"""Ember_Lantern.scr's command line end to end: every mode letter and form
Windows (or a user) may pass, with the renderer beside the saver and without
it, and the missing-renderer message box."""
import time
import unittest

from harness import Desktop
from frontend_e2e import (PROMPT_END, RENDERER_MISSING, TITLE, WM_CLOSE, WS_VISIBLE, ended_within, message_box_children,
                          scr, wait_window, warm_up)

# Argument text -> what the start does. The saver run and the settings dialog
# are handed over to windows that are not built yet; until then those starts
# end right after their set-up, which is what the checks below can see.
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
            cls.with_renderer = cls.d.install("with renderer")
            cls.without_renderer = cls.d.install("without renderer", files=("Ember_Lantern.scr",))
        except Exception:
            cls.d.close()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.d.close()

    def start(self, folder, arguments):
        return self.d.start(scr(folder), *arguments.split())

    def test_every_start_ends_without_a_word_when_the_renderer_is_there(self):
        for arguments, outcome in TABLE:
            with self.subTest(arguments=arguments, outcome=outcome):
                began = time.monotonic()
                p = self.start(self.with_renderer, arguments)
                self.assertEqual(ended_within(p, PROMPT_END), 0)
                print(f"{arguments!r:12} {outcome:32} ended after {time.monotonic() - began:.2f} s")
                self.assertFalse(self.d.window_exists(TITLE), "a message was shown")

    def test_missing_renderer_is_reported_in_saver_and_settings_mode(self):
        # The renderer check comes before the mode is acted on, so every
        # letter but P reports it; P never looks (test_frontend_preview).
        for arguments in ("/s", "", "xs", "/c:1234", "/a", "s"):
            with self.subTest(arguments=arguments):
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
