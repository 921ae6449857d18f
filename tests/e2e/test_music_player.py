"""The music player against the real multimedia calls under Wine, through the
test driver music_driver.exe (one step per argument, one line per call), heard
through the ALSA file sink (see audio.py)."""
import os
import re
import subprocess
import unittest

from audio import ALSA_SINK, RATE, left_channel, make_tone, tone_fragments, tones
from harness import WINE_EXEC, Desktop, windows_path

# A folder with blanks and Japanese characters (Shift-JIS in the ANSI calls).
MEDIA_FOLDER = "音楽 の フォルダ"
JAPANESE = {"LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8"}
# SND_ASYNC | SND_NODEFAULT | SND_LOOP | SND_FILENAME: a file, looping, and
# silence rather than the system's default sound when it cannot be played.
WAVE_LOOP_FLAGS = 0x0001 | 0x0002 | 0x0008 | 0x00020000


class MusicRun:
    """One run of the driver; its lines, parsed."""

    LINE = re.compile(r"^mci (\d+) \[(.*)\] -> \[(.*)\]$")

    def __init__(self, desktop, steps, alsa=True):
        env = dict(JAPANESE)
        if alsa:
            env["ALSA_CONFIG_PATH"] = f"/usr/share/alsa/alsa.conf:{desktop.alsa_conf}"
        # Output to a file, not a pipe: the audio services that winmm starts
        # inherit the driver's handles and would hold a pipe open after it ends.
        log = desktop.work / "driver.log"
        with open(log, "wb") as out:
            driver = desktop.tools_dir / "music_driver.exe"
            process = subprocess.Popen([str(WINE_EXEC), windows_path(driver), *steps],
                                       env={**desktop.env, **env}, cwd=str(desktop.work), stdin=subprocess.DEVNULL,
                                       stdout=out, stderr=subprocess.DEVNULL)
            desktop.processes.append(process)
            self.returncode = process.wait(timeout=120)
        self.lines = log.read_bytes().decode("cp932", "replace").splitlines()
        self.text = "\n".join(self.lines)

    def mci(self):
        """(code, command, reply) of every command sent, in order."""
        return [(int(m[1]), m[2], m[3]) for m in map(self.LINE.match, self.lines) if m]

    def commands(self):
        return [command for _, command, _ in self.mci()]

    def values(self, name):
        """The numbers reported by lines 'name N ...', in order."""
        return [int(line.split()[1]) for line in self.lines if line.startswith(name + " ")]

    def after(self, step, occurrence=0):
        """The lines that follow an occurrence of 'step STEP' up to the next step."""
        index = [i for i, line in enumerate(self.lines) if line == "step " + step][occurrence]
        rest = []
        for line in self.lines[index + 1:]:
            if line.startswith("step "):
                break
            rest.append(line)
        return rest


class MusicPlayerUnderWine(unittest.TestCase):
    def setUp(self):
        # The environment's own ALSA setting must not give the "no device" case a device.
        os.environ.pop("ALSA_CONFIG_PATH", None)
        self.d = Desktop("music_" + self._testMethodName, env=JAPANESE)
        self.addCleanup(self.d.close)  # also when the rest of the set-up fails
        self.media = self.d.work / MEDIA_FOLDER
        self.media.mkdir()
        self.raw = self.d.work / "audio.raw"
        self.d.alsa_conf = self.d.work / "alsa-file-sink.conf"
        self.d.alsa_conf.write_text(ALSA_SINK.format(raw=self.raw))

    def run_driver(self, *steps, alsa=True):
        run = MusicRun(self.d, steps, alsa)
        self.assertEqual(run.returncode, 0, run.text)
        self.assertEqual(run.lines[-1], "done", run.text)
        return run

    def test_mp3_plays_restarts_from_its_beginning_and_stops_on_close(self):
        # 440 Hz then 880 Hz: a restart from the beginning is heard as 440 again.
        mp3 = make_tone(self.media / "ト ーン.mp3", (0.75, 440), (0.75, 880))
        raw = windows_path(self.raw)
        run = self.run_driver(
            "file=" + windows_path(mp3), "play-mp3", "playing", "wait-stopped=10000", "playing",
            "size=" + raw, "loop", "playing", "loop", "wait-stopped=10000", "size=" + raw,
            "close-mp3", "sleep=300", "size=" + raw, "sleep=1000", "size=" + raw)

        path = windows_path(mp3)
        self.assertEqual(run.mci()[:2], [(0, f'open "{path}" type MPEGVideo Alias MP3Play', ""),
                                         (0, "play MP3Play", "")], run.text)
        # IsMusicFilePlaying follows the device's mode: playing, then stopped at the end.
        self.assertEqual(run.values("playing"), [1, 0, 1], run.text)
        self.assertEqual(run.values("wait-stopped"), [1, 1], run.text)
        self.assertEqual([c for c in run.commands() if not c.startswith("status")],
                         [f'open "{path}" type MPEGVideo Alias MP3Play', "play MP3Play",
                          "stop MP3Play", "play MP3Play from 0", "stop MP3Play", "close MP3Play"])
        self.assertEqual(run.after("loop", 0), ["mci 0 [status MP3Play mode] -> [stopped]", "mci 0 [stop MP3Play] -> []",
                                                "mci 0 [play MP3Play from 0] -> []"])
        # The second loop tick came while the file played: it only asked.
        self.assertEqual(run.after("loop", 1), ["mci 0 [status MP3Play mode] -> [playing]"])
        self.assertTrue(all(code == 0 for code, _, _ in run.mci()), run.text)

        ended, restarted, closed, later = run.values("size")
        first = tones(left_channel(self.raw, 0, ended))
        second = tones(left_channel(self.raw, ended, restarted))
        self.assertIn(440, first)
        self.assertIn(880, first[first.index(440):], first)
        self.assertIn(440, second, second)
        self.assertIn(880, second[second.index(440):], second)
        self.assertGreater(closed, restarted - 1)
        self.assertEqual(later, closed, "the sound went on after CloseMusicFile")

    def test_wav_loops_until_stopped(self):
        wav = make_tone(self.media / "ト ーン.wav", (0.3, 660))
        raw = windows_path(self.raw)
        run = self.run_driver("file=" + windows_path(wav), "play-wav", "sleep=2000", "size=" + raw,
                              "stop-wav", "sleep=300", "size=" + raw, "sleep=1000", "size=" + raw)

        self.assertEqual(run.after("play-wav"), ["waves 1", f"sound 1 [{windows_path(wav)}] {WAVE_LOOP_FLAGS}", "last 1"])
        self.assertEqual(run.after("stop-wav"), ["sound 1 [(null)] 0", "last 1"])
        self.assertEqual(run.mci(), [])
        playing, stopped, later = run.values("size")
        samples = left_channel(self.raw, 0, playing)
        heard = tone_fragments(samples)
        self.assertTrue(heard and {hz for _, hz in heard} == {660}, heard)
        loud = sum(1 for value in samples if abs(value) > 300)
        self.assertGreater(loud, 0.3 * RATE * 1.5, "the 0.3 s sound was not heard looping")
        self.assertEqual(later, stopped, "the sound went on after StopWaveFile")

    def test_without_a_wave_device_the_wav_is_not_played(self):
        wav = make_tone(self.media / "tone.wav", (0.3, 660))
        run = self.run_driver("file=" + windows_path(wav), "play-wav", "sleep=500", "stop-wav", alsa=False)
        self.assertEqual(run.after("play-wav"), ["waves 0", "last 0"])
        self.assertFalse(self.raw.exists())

    def test_mp3_that_cannot_be_opened_is_never_played(self):
        missing = self.media / "なし.mp3"
        run = self.run_driver("file=" + windows_path(missing), "play-mp3", "loop", "loop", "playing", "close-mp3")
        open_code, open_command, _ = run.mci()[0]
        self.assertNotEqual(open_code, 0)
        self.assertTrue(open_command.startswith('open "'), run.text)
        self.assertNotIn("play MP3Play", run.commands())
        self.assertEqual(run.commands().count("play MP3Play from 0"), 2)
        self.assertTrue(all(code != 0 for code, _, _ in run.mci()), run.text)
        self.assertEqual(run.values("playing"), [0])
        self.assertEqual(tones(left_channel(self.raw)), [])

    def test_cd_audio_fails_as_on_a_machine_without_a_drive(self):
        run = self.run_driver("track=3", "open-cd", "check-cd", "close-cd")
        opened = run.mci()[:2]
        self.assertEqual([command for _, command, _ in opened], ["open cdaudio", "set cdaudio time format tmsf"])
        self.assertTrue(all(code != 0 for code, _, _ in opened))
        self.assertEqual(run.after("check-cd")[-1], "watch 0")
        checks = [line for line in run.after("check-cd") if line.startswith("mci ")]
        self.assertEqual(len(checks), 1, checks)
        self.assertIn("[status cdaudio current track]", checks[0])
        self.assertNotIn("play cdaudio", " ".join(run.commands()))

    def test_paths_that_would_break_the_command_string_are_refused(self):
        quote = make_tone(self.media / 'a".mp3', (0.5, 440))
        control = make_tone(self.media / "b\x01.mp3", (0.5, 440))
        quote_wav = make_tone(self.media / 'c".wav', (0.5, 440))
        control_wav = self.media / "d\x01.wav"
        control_wav.write_bytes(quote_wav.read_bytes())
        steps = []
        for path in (quote, control):
            steps += ["file=" + windows_path(path).replace("\x01", "\\x01"), "play-mp3", "loop"]
        for path in (quote_wav, control_wav):
            steps += ["file=" + windows_path(path).replace("\x01", "\\x01"), "play-wav"]
        run = self.run_driver(*steps, "sleep=500")

        files = [line for line in run.lines if line.startswith("file [")]
        self.assertEqual(files[0], f"file [{windows_path(quote)}]")  # the quote reached the player
        self.assertEqual(files[1], f"file [{windows_path(control)}]")
        self.assertFalse([c for c in run.commands() if c.startswith("open")], run.text)
        self.assertFalse([line for line in run.lines if line.startswith("sound ")], run.text)
        self.assertEqual(tones(left_channel(self.raw)), [])


if __name__ == "__main__":
    unittest.main()
