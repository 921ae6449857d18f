"""Sound as the tests hear it: test media made with sox and lame, and an ALSA
file sink whose raw file holds what was played, as signed 16-bit little-endian
stereo at 44100 Hz. That sink is not paced by a clock and drops and pads
stretches of the sound, so tests look at which tones were heard and in what
order, and whether the file still grows, never at durations."""
import array
import math
import subprocess

RATE = 44100
ALSA_SINK = """pcm.!default {{ type plug; slave {{ pcm "tap"; format S16_LE; rate 44100; channels 2 }} }}
pcm.tap {{ type file; slave.pcm "null"; file "{raw}"; format "raw" }}
ctl.!default {{ type hw; card 0 }}
"""


def make_tone(path, *parts):
    """A WAV of consecutive sine tones, each (seconds, hertz); an MP3 when the
    path ends in .mp3."""
    pieces = []
    for i, (seconds, hertz) in enumerate(parts):
        piece = path.parent / f".{path.stem}.{i}.wav"
        subprocess.run(["sox", "-n", "-r", str(RATE), "-c", "2", "-b", "16", str(piece),
                        "synth", str(seconds), "sine", str(hertz), "vol", "0.5"], check=True)
        pieces.append(str(piece))
    wav = path.with_suffix(".wav") if path.suffix == ".mp3" else path
    subprocess.run(["sox", *pieces, str(wav)], check=True)
    if path.suffix == ".mp3":
        subprocess.run(["lame", "--quiet", str(wav), str(path)], check=True)
    return path


def left_channel(raw, start=0, end=None):
    blob = raw.read_bytes()[start:end] if raw.exists() else b""
    samples = array.array("h")
    samples.frombytes(blob[:len(blob) // 4 * 4])
    return samples[0::2]


def tone_fragments(samples, threshold=300, gap=500, shortest=2000):
    """The stretches of sound, each as (first frame, dominant frequency among
    220..1320 Hz), in order; silence between them is at least `gap` frames."""
    stretches, start, last = [], None, None
    for i, value in enumerate(samples):
        if abs(value) > threshold:
            if start is None:
                start = i
            elif i - last > gap:
                stretches.append((start, last))
                start = i
            last = i
    if start is not None:
        stretches.append((start, last))
    heard = []
    for first, final in stretches:
        if final - first >= shortest:
            window = samples[first:final]
            heard.append((first, max((220, 440, 660, 880, 1320), key=lambda hz: goertzel(window, hz))))
    return heard


def goertzel(samples, hertz):
    coefficient = 2 * math.cos(2 * math.pi * hertz / RATE)
    previous = before = 0.0
    for value in samples:
        previous, before = value + coefficient * previous - before, previous
    return previous * previous + before * before - coefficient * previous * before


def tones(samples):
    return [hz for _, hz in tone_fragments(samples)]


def alsa_sink_env(work_dir, raw):
    """Writes an ALSA configuration that sends the default device to `raw`;
    returns the environment that points a program at it."""
    conf = work_dir / "alsa-file-sink.conf"
    conf.write_text(ALSA_SINK.format(raw=raw))
    return {"ALSA_CONFIG_PATH": f"/usr/share/alsa/alsa.conf:{conf}"}
