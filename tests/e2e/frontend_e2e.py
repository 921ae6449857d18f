"""Helpers shared by the front end's end-to-end tests (test_frontend_*.py):
starting Ember_Lantern.scr and waiting for it to end, a whole saver run, preview hosts, the
missing-renderer message box, and the decoded preview picture."""
import os
import pathlib
import select
import subprocess
import time

from harness import Image

TITLE = "Ember_Lantern (ScreenSaver)"
RENDERER_MISSING = "Ember_Lantern.dllが同じﾌｫﾙﾀﾞに見つかりません！"
PREVIEW_CAPTION = "Preview Window"
WM_CLOSE = 16
WS_CHILD, WS_POPUP, WS_CAPTION, WS_BORDER, WS_VISIBLE = 0x40000000, 0x80000000, 0x00C00000, 0x00800000, 0x10000000

# A start that ends "at once" ends within this many seconds, Wine's own
# process start and end included (measured at about 1 s on this machine).
PROMPT_END = 15


def warm_up(d):
    """Starts Wine's session programs with a throw-away program whose pipes
    we never read to the end: the session's services inherit the pipes of
    the program that started them, so run() on the first program would wait
    for them."""
    p = d.start(d.tools_dir / "winprobe.exe", "find", "nothing at all")
    p.wait(timeout=60)


def scr(folder):
    return pathlib.Path(folder) / "Ember_Lantern.scr"


def run_saver_until_escape(test, d, saver):
    """Runs `saver` /s as Windows does, checks that the renderer and the
    saver-run window show, releases Esc on the renderer as a user would, and
    checks that the whole run ends."""
    front_end = d.start(saver, "/s", to_files=True)
    test.assertTrue(d.wait_window("Ember_Lantern_VC", 30), "the renderer's window did not appear")
    test.assertTrue(d.window_exists("Ember_Lantern_Main"), "no saver-run window")
    d.focus("Ember_Lantern_VC")
    d.tap("Escape")
    test.assertEqual(front_end.wait(timeout=60), 0, "the run did not end after Esc")
    test.assertTrue(d.wait_window_gone("Ember_Lantern_VC", 10))


def ended_within(p, seconds):
    """The exit code, or None when the process still runs after `seconds`."""
    try:
        return p.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        return None


def start_host(d, width, height, caption):
    """A winprobe host window in its own process; returns (Popen, handle)."""
    p = d.start(d.tools_dir / "winprobe.exe", "host", str(width), str(height), caption)
    ready, _, _ = select.select([p.stdout], [], [], 30)
    line = p.stdout.readline().decode().strip() if ready else ""
    if not line.isdigit():
        raise RuntimeError(f"winprobe host printed {line!r}")
    return p, int(line)


def wait_window(d, caption, timeout=30):
    """Polls with short 'winprobe find' runs: a long-running 'winprobe wait'
    started in the same instant as the program under test was seen to miss
    the window now and then."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if d.window_exists(caption):
            return True
        time.sleep(0.1)
    return False


def preview_child(d, host):
    """winprobe's info on the host's first child window, or None."""
    result = d.probe("child-of", str(host))
    if result.returncode != 0:
        return None
    return d.window_info(handle=int(result.text.split()[0].split("=")[1]))


def wait_preview_child(d, host, timeout=20):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        info = preview_child(d, host)
        if info and info["caption"] == PREVIEW_CAPTION and info["visible"]:
            return info
        time.sleep(0.1)
    return None


def message_box_children(d):
    """(class, style, shows an icon, caption) of each child of the message box."""
    result = d.run(d.tools_dir / "frontend_probe.exe", "children", TITLE, timeout=60)
    if result.returncode != 0:
        return None
    rows = []
    for line in result.stdout.decode("cp932", "replace").splitlines():
        head, _, caption = line.partition(" caption=")
        fields = dict(f.split("=", 1) for f in head.split())
        rows.append((fields["class"], int(fields["style"], 16), fields["icon"] == "1", caption.rstrip("\r")))
    return rows


def decoded_preview_jpeg(name="preview.jpg", size=None):
    """A committed preview picture decoded by libjpeg's djpeg; with `size`
    (width, height), reduced to it by ImageMagick's box filter, each pixel
    the mean of the area it covers."""
    source = pathlib.Path(os.environ.get("EL_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2]))
    blob = subprocess.run(["djpeg", "-pnm", str(source / "saver" / "pictures" / name)],
                          check=True, capture_output=True, timeout=30).stdout
    if size:
        blob = subprocess.run(["convert", "ppm:-", "-filter", "box", "-resize", "%dx%d!" % size, "ppm:-"],
                              input=blob, check=True, capture_output=True, timeout=30).stdout
    return Image.from_ppm(blob)
