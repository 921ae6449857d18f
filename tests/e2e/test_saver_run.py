"""The full-screen saver run end to end: the front end starts the music and
the renderer, keeps the music going while the renderer runs, and ends, music
stopped, when the renderer's window has gone. Sound is heard through the ALSA
file sink (see audio.py)."""
import shutil
import unittest

from audio import alsa_sink_env, left_channel, make_tone, tones
from harness import Desktop, wait_until, windows_path

MAIN = "Ember_Lantern_Main"
RENDERER = "Ember_Lantern_VC"
WM_CLOSE = 0x0010
# Keys of the settings file, as the settings dialog writes them.
KIND, REPEAT, FILE = "BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ"


def write_settings(folder, kind, path="", repeat=0):
    text = f"[Section]\r\n{KIND}= {kind}\r\n{REPEAT}= {repeat}\r\n{FILE}={path}\r\n"
    (folder / "Ember_Lantern.ini").write_bytes(text.encode("cp932"))


class SaverRunCase(unittest.TestCase):
    def setUp(self):
        self.d = Desktop(self.id().split(".", 1)[1])
        self.addCleanup(self.d.close)
        # A folder with a blank in its name, as under "Program Files".
        self.folder = self.d.install("Ember Lantern")
        self.raw = self.d.work / "audio.raw"
        self.sound = alsa_sink_env(self.d.work, self.raw)

    # --- helpers ----------------------------------------------------------
    def start_run(self, arguments=("/s",)):
        p = self.d.start(self.folder / "Ember_Lantern.scr", *arguments, env=self.sound, to_files=True)
        self.assertTrue(self.d.wait_window(RENDERER, 30), "the renderer's window did not appear")
        self.assertTrue(self.d.window_exists(MAIN), "no saver-run window")
        return p

    def end_with_escape(self, front_end):
        """Releases Esc in the renderer; returns the milliseconds between its
        window's end and the saver-run window's end."""
        gap = self.d.start(self.d.tools_dir / "winprobe.exe", "gone-gap", RENDERER, MAIN, "20000", to_files=True)
        self.d.focus(RENDERER)
        self.d.tap("Escape")
        self.assertEqual(gap.wait(timeout=60), 0, "the run did not end after Esc")
        self.assertEqual(front_end.wait(timeout=30), 0)
        return int(gap.out_path.read_text().strip())

    def heard(self):
        """The tones heard, in order; a tone that the sink cut into pieces counts once."""
        heard = []
        for tone in tones(left_channel(self.raw)):
            if not heard or heard[-1] != tone:
                heard.append(tone)
        return heard

    def size(self):
        return self.raw.stat().st_size if self.raw.exists() else 0

    def assert_sound_stopped(self):
        # The sink lags a little behind a stop; then nothing more may arrive.
        settled = wait_until(lambda: self._unchanged_for(0.5), 10, 0)
        self.assertTrue(settled, "the sound went on after the run ended")
        self.assertTrue(self._unchanged_for(1.0), "the sound went on after the run ended")

    def _unchanged_for(self, seconds):
        before = self.size()
        wait_until(lambda: False, seconds, 0.1)
        return self.size() == before

    def make_music(self, name, *parts):
        media = self.d.work / "音楽 フォルダ"
        media.mkdir(exist_ok=True)
        return make_tone(media / name, *parts)


class RunWithoutMusic(SaverRunCase):
    def test_run_shows_renderer_and_hidden_window_and_ends_after_escape(self):
        p = self.start_run()
        main = self.d.window_info(MAIN)
        self.assertEqual(main["visible"], 0, "the saver-run window must stay hidden")
        renderer = self.d.window_info(RENDERER)
        self.assertEqual(renderer["visible"], 1)
        delay = self.end_with_escape(p)
        print(f"front end ended {delay} ms after the renderer's window")
        # Three 50 ms watch ticks, plus the timer's own slack under Wine
        # (measured: about 200 ms on a quiet machine). The bound leaves room
        # for a busy one and still tells a watch that waits seconds.
        self.assertLess(delay, 1500)
        self.assertEqual(self.size(), 0, "something was played without music")

    def test_empty_command_line_runs_too(self):
        p = self.start_run(arguments=())
        self.end_with_escape(p)

    def test_second_start_during_a_run_ends_at_once(self):
        p = self.start_run()
        second = self.d.start(self.folder / "Ember_Lantern.scr", "/s", to_files=True)
        self.assertEqual(second.wait(timeout=30), 0)
        # Only the first run's renderer exists: X knows every mapped window by its title.
        self.assertEqual(len(self.d.x_windows(RENDERER)), 1)
        self.end_with_escape(p)

    def test_close_request_ends_front_end_while_renderer_goes_on(self):
        p = self.start_run()
        self.assertEqual(self.d.probe("post", MAIN, hex(WM_CLOSE), "0", "0").returncode, 0)
        self.assertEqual(p.wait(timeout=30), 0)
        self.assertFalse(self.d.window_exists(MAIN))
        self.assertTrue(self.d.window_exists(RENDERER), "the front end must never close the renderer")

    def test_tab_switches_inside_a_run_keep_it_going(self):
        p = self.start_run()
        for _ in range(4):
            self.d.focus(RENDERER)
            self.d.tap("Tab")
        # The last switch leaves a framed window (an even count returns to full
        # screen); wait until the renderer has settled on a window again.
        self.assertTrue(self.d.wait_window(RENDERER, 30))
        self.assertTrue(wait_until(lambda: self.d.window_exists(RENDERER), 10))
        self.assertIsNone(p.poll(), "a Tab switch ended the run")
        self.assertTrue(self.d.window_exists(MAIN))
        self.end_with_escape(p)



class RunWithMusic(SaverRunCase):
    def test_mp3_heard_restarted_and_stopped_at_the_end(self):
        mp3 = self.make_music("トーン.mp3", (0.75, 440), (0.75, 880))
        write_settings(self.folder, 2, windows_path(mp3))
        p = self.start_run()
        # Heard, then from its beginning again after it ended. The first 440
        # may be lost in the fade-in: its level is a few per cent of full.
        restarted = wait_until(lambda: (880, 440) in zip(self.heard(), self.heard()[1:]), 30, 0.2)
        self.assertTrue(restarted, f"heard {self.heard()}")
        self.end_with_escape(p)
        self.assert_sound_stopped()

    def test_mp3_keeps_playing_across_tab_switches(self):
        mp3 = self.make_music("loop.Mp3", (0.75, 440), (0.75, 880))
        write_settings(self.folder, 2, windows_path(mp3))
        p = self.start_run()
        # Any of its tones: where one ends and the next begins the sink may
        # leave no silence, and one stretch then holds both.
        self.assertTrue(wait_until(lambda: set(self.heard()) & {440, 880}, 20, 0.2), "the music did not start")
        for _ in range(3):
            self.d.focus(RENDERER)
            self.d.tap("Tab")
        self.assertTrue(self.d.wait_window(RENDERER, 30))
        grown_from = self.size()
        self.assertTrue(wait_until(lambda: self.size() > grown_from, 20, 0.2), "the music stopped at a Tab switch")
        self.assertIsNone(p.poll())
        self.end_with_escape(p)
        self.assert_sound_stopped()

    def test_wav_loops_and_stops_at_the_end(self):
        wav = self.make_music("tone.wav", (0.3, 660))
        write_settings(self.folder, 2, windows_path(wav))
        p = self.start_run()
        # A 0.3 s sound heard for longer than itself is looping.
        looped = wait_until(lambda: self.size() > 4 * 44100 * 0.3 * 3, 30, 0.2)
        self.assertTrue(looped, "the wave sound did not loop")
        self.assertIn(660, self.heard())
        self.end_with_escape(p)
        self.assert_sound_stopped()

    def test_close_request_stops_the_music(self):
        mp3 = self.make_music("tone.mp3", (1.5, 440))
        write_settings(self.folder, 2, windows_path(mp3))
        p = self.start_run()
        self.assertTrue(wait_until(lambda: self.size() > 0, 20, 0.2), "the music did not start")
        self.assertEqual(self.d.probe("post", MAIN, hex(WM_CLOSE), "0", "0").returncode, 0)
        self.assertEqual(p.wait(timeout=30), 0)
        self.assert_sound_stopped()
        self.assertTrue(self.d.window_exists(RENDERER))

    def test_other_file_endings_and_audio_cd_without_drive_play_nothing(self):
        wav = self.make_music("tone.wav", (0.5, 440))
        cases = []
        for ending in ("mid", "mpeg"):
            other = wav.with_name("tune." + ending)
            shutil.copy(wav, other)
            cases.append((f".{ending} file", 2, windows_path(other)))
        cases.append(("audio CD with no drive", 1, ""))
        for what, kind, path in cases:
            with self.subTest(what):
                write_settings(self.folder, kind, path)
                p = self.start_run()
                self.end_with_escape(p)
                self.assertEqual(self.size(), 0, f"{what}: something was played")
                self.assertTrue(self.d.wait_window_gone(RENDERER, 10))


class InstalledUnderBlanks(SaverRunCase):
    def test_planted_program_at_prefix_of_path_is_never_started(self):
        # "…\Ember Lantern\Ember_Lantern.dll" unquoted would first be tried as
        # "…\Ember.exe" with the arguments "Lantern\Ember_Lantern.dll".
        planted = self.folder.parent / "Ember.exe"
        shutil.copy(self.d.tools_dir / "marker_program.exe", planted)
        mark = planted.with_name("Ember.exe.ran")
        # Control: the careless start really does run the planted program here.
        self.d.probe("spawn-unquoted", windows_path(self.folder / "Ember_Lantern.dll"))
        self.assertTrue(mark.exists(), "the planted program cannot be caught on this system")
        mark.unlink()

        p = self.start_run()
        self.end_with_escape(p)
        self.assertFalse(mark.exists(), "the planted program was started")


if __name__ == "__main__":
    unittest.main()
