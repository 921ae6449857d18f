"""Ember_Lantern.scr refuses to run beside a saver run or an open settings
dialog (found by their captions), in every mode, while a preview blocks
nothing. Saver runs and the dialog take the session's run lock too, so that
two runs started together give one renderer and one music, and a renderer
left by an ended front end is adopted by the next run, not doubled."""
import time
import unittest

from harness import Desktop, wait_until
from frontend_e2e import (PROMPT_END, TITLE, WM_CLOSE, ended_within, preview_child, scr, start_host,
                          wait_preview_child, wait_window, warm_up)

RENDERER, DIALOG = "Ember_Lantern_VC", "<Ember_Lantern>"


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


class RunStarts(unittest.TestCase):
    def setUp(self):
        self.d = Desktop("frontend_run_starts")
        self.addCleanup(self.d.close)
        warm_up(self.d)
        self.folder = self.d.install("with renderer")

    def renderers(self):
        return self.d.product_processes(b"Ember_Lantern.dll")

    def one_renderer_stays_one(self):
        """One renderer, and still one after a later start could have made a second."""
        self.assertTrue(self.d.wait_window(RENDERER, 60), "the renderer's window did not appear")
        time.sleep(3)
        self.assertEqual(len(self.renderers()), 1, "not exactly one renderer")

    def escape(self, front_end):
        self.d.focus(RENDERER)
        self.d.tap("Escape")
        self.assertEqual(ended_within(front_end, 60), 0, "the run did not end after Esc")
        self.assertTrue(self.d.wait_window_gone(RENDERER, 20), "the renderer outlived the run")

    def test_one_run_at_a_time(self):
        for case in ("two /s at once", "a renderer left by an ended front end", "/c during /s", "/s during /c"):
            with self.subTest(case):
                self.d.end_case()
                if case == "two /s at once":
                    # Both pass the caption test: neither has a window yet.
                    runs = [self.d.start(scr(self.folder), "/s"), self.d.start(scr(self.folder), "/s")]
                    self.assertTrue(wait_until(lambda: any(p.poll() is not None for p in runs), PROMPT_END, 0.1),
                                    "neither start ended at once")
                    ended = [p for p in runs if p.poll() is not None]
                    self.assertEqual([p.returncode for p in ended], [0])
                    self.one_renderer_stays_one()
                    self.escape(next(p for p in runs if p not in ended))
                elif case == "a renderer left by an ended front end":
                    first = self.d.start(scr(self.folder), "/s")
                    self.assertTrue(self.d.wait_window(RENDERER, 60))
                    first.kill()  # as Task Manager ends it
                    first.wait(timeout=30)
                    self.assertTrue(self.d.wait_window_gone("Ember_Lantern_Main", 20))
                    self.assertTrue(self.d.window_exists(RENDERER), "the renderer went with its front end")
                    second = self.d.start(scr(self.folder), "/s")
                    self.assertIsNone(ended_within(second, 3), "the next run did not take the renderer over")
                    self.one_renderer_stays_one()
                    self.escape(second)  # one Esc ends both
                elif case == "/c during /s":
                    run = self.d.start(scr(self.folder), "/s")
                    self.assertTrue(self.d.wait_window(RENDERER, 60))
                    dialog = self.d.start(scr(self.folder), "/c")
                    self.assertEqual(ended_within(dialog, PROMPT_END), 0)
                    self.assertFalse(self.d.window_exists(DIALOG), "a dialog opened beside the run")
                    self.escape(run)
                else:
                    dialog = self.d.start(scr(self.folder), "/c")
                    self.assertTrue(wait_window(self.d, DIALOG), "no settings dialog")
                    run = self.d.start(scr(self.folder), "/s")
                    self.assertEqual(ended_within(run, PROMPT_END), 0)
                    self.assertEqual(self.renderers(), [], "a renderer started beside the dialog")
                    self.d.probe("post", DIALOG, str(WM_CLOSE), "0", "0")
                    self.assertEqual(ended_within(dialog, PROMPT_END), 0)


if __name__ == "__main__":
    unittest.main()
