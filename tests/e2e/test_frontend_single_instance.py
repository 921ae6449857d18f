"""Ember_Lantern.scr refuses to run beside a saver run or an open settings
dialog (found by their captions), in every mode, while a preview blocks
nothing."""
import unittest

from harness import Desktop
from frontend_e2e import (PROMPT_END, TITLE, WM_CLOSE, ended_within, preview_child, scr, start_host,
                          wait_preview_child, wait_window, warm_up)


class SingleInstance(unittest.TestCase):
    def setUp(self):
        self.d = Desktop("frontend_single_instance")
        self.addCleanup(self.d.close)  # also when the rest of the set-up fails
        warm_up(self.d)
        # Without the renderer a start that gets past the instance test says
        # so with a message box, which makes "ended at once" visible.
        self.folder = self.d.install("without renderer", files=("Ember_Lantern.scr",))

    def test_a_running_instance_ends_every_start_at_once(self):
        _, host = start_host(self.d, 152, 112, "preview host")
        for mark in ("Ember_Lantern_Main", "<Ember_Lantern>"):
            blocker, _ = start_host(self.d, 20, 20, mark)
            for arguments in ("/s", "", "/c:1234", "/a", f"/p {host}"):
                with self.subTest(mark=mark, arguments=arguments):
                    p = self.d.start(scr(self.folder), *arguments.split())
                    self.assertEqual(ended_within(p, PROMPT_END), 0)
                    self.assertFalse(self.d.window_exists(TITLE), "got past the instance test")
                    self.assertIsNone(preview_child(self.d, host), "a preview was placed")
            self.assertEqual(self.d.probe("post", mark, str(WM_CLOSE), "0", "0").returncode, 0)
            self.assertEqual(ended_within(blocker, PROMPT_END), 0)

    def test_a_preview_blocks_nothing(self):
        _, host = start_host(self.d, 152, 112, "preview host")
        preview = self.d.start(scr(self.folder), "/p", str(host))
        self.assertIsNotNone(wait_preview_child(self.d, host))
        # Also a top-level window with the preview's caption.
        start_host(self.d, 20, 20, "Preview Window")
        for arguments in ("/s", f"/p {host}"):
            with self.subTest(arguments=arguments):
                p = self.d.start(scr(self.folder), *arguments.split())
                if arguments == "/s":
                    self.assertTrue(wait_window(self.d, TITLE))
                    self.d.probe("post", TITLE, str(WM_CLOSE), "0", "0")
                    self.assertEqual(ended_within(p, PROMPT_END), 0)
                else:
                    # A second preview in the same host: it runs like the first.
                    self.assertIsNone(ended_within(p, 3))
        self.assertIsNone(preview.poll())


if __name__ == "__main__":
    unittest.main()
