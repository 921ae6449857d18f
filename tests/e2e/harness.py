"""End-to-end harness: a private X server, the Wine prefix of the run, the
real programs copied into an install folder, and tools to look at them
(winprobe inside the Wine session, screenshots, real X keys and mouse).

Every wait has a bound; close() ends every Wine process of the prefix and the
X server, so a test leaves nothing behind even when it fails."""
import os
import pathlib
import select
import shutil
import signal
import subprocess
import time

SOURCE_DIR = pathlib.Path(os.environ.get("EL_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2]))
WINE_EXEC = SOURCE_DIR / "scripts" / "wine-exec"
WINESERVER = "/usr/lib/wine/wineserver"
# What the product shows: a case is over only once none of these is left.
PRODUCT_CAPTIONS = ("Ember_Lantern_VC", "Ember_Lantern_Main", "<Ember_Lantern>", "Ember_Lantern (ScreenSaver)")
# How often a step outside the product (Wine's reg.exe, the X server) is
# tried before its failure counts.
TRIES = 3


def wait_until(predicate, timeout, interval=0.02):
    """Polls predicate until it returns a true value or timeout seconds pass;
    returns the last value."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


def windows_path(path):
    """The path as a Windows program sees it through Wine's Z: drive."""
    return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")


class Image:
    """A screenshot: width x height RGB pixels."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    @classmethod
    def from_ppm(cls, blob):
        # P6 header: magic, width, height, maxval, each separated by white space.
        fields, pos = [], 0
        while len(fields) < 4:
            while blob[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not blob[pos:pos + 1].isspace():
                pos += 1
            fields.append(blob[start:pos])
        assert fields[0] == b"P6" and fields[3] == b"255", fields
        return cls(int(fields[1]), int(fields[2]), blob[pos + 1:])

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def region_stats(self, left, top, right, bottom, step=4):
        """Count of sampled pixels and of those that are not black, and the
        brightest channel sum, over a rectangle (right/bottom exclusive)."""
        total = lit = brightest = 0
        for y in range(top, bottom, step):
            for x in range(left, right, step):
                r, g, b = self.pixel(x, y)
                total += 1
                lit += (r + g + b) > 30
                brightest = max(brightest, r + g + b)
        return total, lit, brightest

    def save_png(self, path):
        ppm = pathlib.Path(str(path) + ".ppm")
        ppm.write_bytes(b"P6 %d %d 255\n" % (self.width, self.height) + self.data)
        subprocess.run(["convert", str(ppm), str(path)], check=True)
        ppm.unlink()


X11_DRIVER_KEY = r"HKCU\Software\Wine\X11 Driver"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


class Desktop:
    def __init__(self, name, width=1280, height=1024, env=None, xvfb_args=(), monitors=None):
        """xvfb_args: extra options of the X server (say, "-extension GLX").
        monitors: [(width, height, x, y), ...] splits the one X screen into
        monitors, the first being Wine's primary; Wine is told to read that
        layout (through Xinerama) for this desktop's life."""
        self.width, self.height = width, height
        self.monitors = monitors
        self.xvfb_args = list(xvfb_args)
        self.work = pathlib.Path(os.environ.get("EL_WORK_DIR", "/tmp/el-e2e")) / name
        shutil.rmtree(self.work, ignore_errors=True)
        self.work.mkdir(parents=True)
        self.bin_dir = pathlib.Path(os.environ["EL_BIN_DIR"])
        self.tools_dir = pathlib.Path(os.environ["EL_TOOLS_DIR"])
        self.env = dict(os.environ)
        self.env.update(env or {})
        self.processes = []
        self._stop_wine()  # nothing of an earlier test may answer our FindWindow calls
        self.xvfb = None
        self._start_x()
        try:
            self._start_session()
        except BaseException:
            # A test whose set-up fails never calls close(): nothing may stay.
            self.close()
            raise

    def _start_session(self):
        if self.monitors:
            self._split_into_monitors()
        # Started here with no pipes of ours: a server started by the first
        # program would inherit that program's output pipes and hold them open.
        subprocess.run([WINESERVER, "-p"], env=self._wine_env(), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        # Likewise the desktop process (explorer), which the first program that
        # touches a window starts: started here, it holds no test's pipes open.
        subprocess.run([str(WINE_EXEC), windows_path(self.tools_dir / "winprobe.exe"), "find", "warm-up"], env=self.env,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)

    # --- X server ---------------------------------------------------------
    def _start_x(self):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{self.width}x{self.height}x24",
             "-nolisten", "tcp", "-noreset", *self.xvfb_args],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        # Read up to the newline: Xvfb writes the number and the newline in two
        # calls and dies ("Cannot write display number") if the pipe is closed
        # in between.
        text, deadline = b"", time.monotonic() + 20
        while not text.endswith(b"\n") and time.monotonic() < deadline:
            ready, _, _ = select.select([read_fd], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(read_fd, 64) if ready else b""
            if not chunk:
                break
            text += chunk
        number = text.decode().strip() if text.endswith(b"\n") else ""
        os.close(read_fd)
        if not number:
            self.close()
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number

    def _split_into_monitors(self):
        for i, (width, height, x, y) in enumerate(self.monitors):
            # Millimetres at 96 dots per inch; RandR wants a physical size.
            size = f"{width}/{width * 254 // 960}x{height}/{height * 254 // 960}+{x}+{y}"
            subprocess.run(["xrandr", "--setmonitor", f"EL{i}", size, "screen" if i == 0 else "none"],
                           env=self.env, check=True, timeout=30, stdout=subprocess.DEVNULL)
        # Wine reads the layout when its session starts.
        self._set_x11_driver_value("UseXRandR", "N")
        self._stop_wine()

    def _set_x11_driver_value(self, name, value):
        if value is not None:
            self.reg("add", X11_DRIVER_KEY, "/v", name, "/t", "REG_SZ", "/d", value, "/f")
        else:
            self.reg("delete", X11_DRIVER_KEY, "/v", name, "/f", missing_ok=True)

    def set_dpi(self, dpi):
        """The display scaling every program of the session sees (LogPixels),
        from a session started anew; None: Wine's default (96)."""
        if dpi:
            self.reg("add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
        else:
            self.reg("delete", DESKTOP_KEY, "/v", "LogPixels", "/f", missing_ok=True)
        self._stop_wine()

    def reg(self, *command, missing_ok=False, env=None):
        """Wine's reg.exe with `command`. Under load it fails now and then
        for no reason of ours, so it is tried again a few times; a failure
        that stays raises with what reg.exe said. With missing_ok, a value
        or key that is not there counts as deleted."""
        full_env = self._wine_env()
        full_env.update(env or {})
        for attempt in range(TRIES):
            result = subprocess.run([str(WINE_EXEC), "reg", *command], env=full_env, stdin=subprocess.DEVNULL,
                                    capture_output=True, timeout=60)
            if result.returncode == 0:
                return
            if missing_ok and command[0] == "delete" and self._reg_absent(command[1:], full_env):
                return
            time.sleep(0.5 * (attempt + 1))
        raise RuntimeError(f"reg {' '.join(command)} failed {TRIES} times (exit code {result.returncode}): "
                           f"{result.stdout.decode(errors='replace')} {result.stderr.decode(errors='replace')}")

    @staticmethod
    def _reg_absent(delete_arguments, env):
        key = delete_arguments[0]
        query = ["query", key]
        if "/v" in delete_arguments:
            query += ["/v", delete_arguments[delete_arguments.index("/v") + 1]]
        result = subprocess.run([str(WINE_EXEC), "reg", *query], env=env, stdin=subprocess.DEVNULL,
                                capture_output=True, timeout=60)
        return result.returncode == 1

    # --- Wine -------------------------------------------------------------
    def _wine_env(self):
        env = dict(self.env)
        env.setdefault("WINEDEBUG", "-all")
        return env

    def _stop_wine(self):
        env = self._wine_env()
        subprocess.run([WINESERVER, "-k"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=60)

    def install(self, folder_name="Ember Lantern", files=None):
        """Copies the shipped programs into a fresh folder; returns it."""
        target = self.work / folder_name
        target.mkdir(parents=True, exist_ok=True)
        for name in files or ("Ember_Lantern.scr", "Ember_Lantern.dll"):
            source = self.bin_dir / name
            if source.exists():
                shutil.copy2(source, target / name)
        return target

    def start(self, program, *args, env=None, cwd=None, to_files=False):
        """Starts a Windows program (a path on this machine) and returns its
        Popen, with its output on pipes, or with to_files in the files
        p.out_path and p.err_path. Wait on a pipe only for a line you expect:
        services that Wine starts on the program's behalf inherit its handles
        and hold the pipes open after it ends."""
        full_env = dict(self.env)
        full_env.update(env or {})
        command = [str(WINE_EXEC), windows_path(program), *args]
        if not to_files:
            p = subprocess.Popen(command, env=full_env, cwd=str(cwd or self.work), stdin=subprocess.DEVNULL,
                                 stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        else:
            self._outputs = getattr(self, "_outputs", 0) + 1
            out_path = self.work / f"output-{self._outputs}.out"
            err_path = self.work / f"output-{self._outputs}.err"
            with open(out_path, "wb") as out, open(err_path, "wb") as err:
                p = subprocess.Popen(command, env=full_env, cwd=str(cwd or self.work), stdin=subprocess.DEVNULL,
                                     stdout=out, stderr=err)
            p.out_path, p.err_path = out_path, err_path
        self.processes.append(p)
        return p

    def run(self, program, *args, timeout=60, env=None):
        """Runs a program to its end; its output is read from files, so no
        service it started can hold the call up."""
        p = self.start(program, *args, env=env, to_files=True)
        p.wait(timeout=timeout)
        return subprocess.CompletedProcess(p.args, p.returncode, p.out_path.read_bytes(), p.err_path.read_bytes())

    def probe(self, *args, timeout=60):
        result = self.run(self.tools_dir / "winprobe.exe", *args, timeout=timeout)
        result.text = result.stdout.decode("cp932", "replace").strip()
        return result

    def wait_window(self, caption, timeout=30):
        return self.probe("wait", caption, str(int(timeout * 1000)), timeout=timeout + 30).returncode == 0

    def wait_window_gone(self, caption, timeout=20):
        return self.probe("wait-gone", caption, str(int(timeout * 1000)), timeout=timeout + 30).returncode == 0

    def window_exists(self, caption):
        return self.probe("find", caption).returncode == 0

    def window_info(self, caption=None, handle=None):
        """Parsed 'winprobe info' line, or None when there is no such window."""
        result = self.probe("info-handle", str(handle)) if handle is not None else self.probe("info", caption)
        if result.returncode != 0:
            return None
        info = {}
        head, _, caption_text = result.text.partition(" caption=")
        for field in head.split():
            key, _, value = field.partition("=")
            info[key] = value
        info["caption"] = caption_text
        info["window"] = tuple(int(v) for v in info["window"].split(","))
        info["client"] = tuple(int(v) for v in info["client"].split(","))
        info["style"] = int(info["style"], 16)
        for key in ("visible", "iconic", "handle", "parent"):
            info[key] = int(info[key])
        return info

    # --- screen and input -------------------------------------------------
    def screenshot(self, save_as=None):
        blob = subprocess.run(["import", "-display", self.env["DISPLAY"], "-window", "root", "-depth", "8",
                               "ppm:-"], check=True, capture_output=True, timeout=30).stdout
        image = Image.from_ppm(blob)
        if save_as:
            image.save_png(self.work / save_as)
        return image

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def key_down(self, key):
        self.xdotool("keydown", key)

    def key_up(self, key):
        self.xdotool("keyup", key)

    @staticmethod
    def _title_pattern(title):
        """The exact title as xdotool's extended regular expression; "<" and
        ">" stay as they are, since GNU reads a backslash before them as a
        word boundary."""
        return "^" + "".join("\\" + c if c in "()[]{}.*+?|^$\\" else c for c in title) + "$"

    def focus(self, title):
        """Gives the X input focus to the visible window with this exact
        title, as a user's click would; Wine then activates that window. A
        window that is mapped a moment after it is found refuses the focus
        (BadMatch): the step is tried again, and its last output shown."""
        command = ["xdotool", "search", "--sync", "--onlyvisible", "--name", self._title_pattern(title),
                   "windowfocus", "--sync"]
        for attempt in range(TRIES):
            result = subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=30)
            if result.returncode == 0:
                return
            time.sleep(0.3 * (attempt + 1))
        raise RuntimeError(f"xdotool could not focus {title!r} ({result.returncode}): {result.stderr.strip()}")

    def x_windows(self, title):
        """The X windows shown with this exact title. Wine lets the X window
        of a closed window linger a moment after FindWindow no longer sees it."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", self._title_pattern(title)],
                                env=self.env, capture_output=True, text=True, timeout=30)
        return result.stdout.split()

    def x_window_names(self, prefix):
        """The titles of the X windows shown whose title begins with prefix."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", self._title_pattern(prefix)[:-1],
                                 "getwindowname"], env=self.env, capture_output=True, text=True, timeout=30)
        return result.stdout.splitlines()

    def tap(self, key):
        self.xdotool("key", key)

    # --- between cases ------------------------------------------------------
    def product_processes(self, program=b"Ember_Lantern"):
        """The Unix processes of this Wine session that are the product's
        programs (the saver, the renderer, the installer), whoever started
        them: the renderer a saver run starts is no process of ours. With
        `program`, those whose command line names it (b"Ember_Lantern.dll")."""
        prefix = os.path.realpath(self.env.get("WINEPREFIX", ""))
        found = []
        for entry in pathlib.Path("/proc").iterdir():
            if not entry.name.isdigit() or int(entry.name) == os.getpid():
                continue
            try:
                if program not in (entry / "cmdline").read_bytes():
                    continue
                environ = (entry / "environ").read_bytes().split(b"\0")
            except OSError:
                continue  # ended meanwhile, or not ours to read
            prefixes = [v[len(b"WINEPREFIX="):].decode(errors="replace") for v in environ
                        if v.startswith(b"WINEPREFIX=")]
            if prefixes and os.path.realpath(prefixes[0]) == prefix:
                found.append(int(entry.name))
        return found

    def end_case(self):
        """Ends what a case left running: every program it started, and
        every process of the product in the session; then waits until the
        product's windows are gone. A case calls it as it starts and as it
        ends, failed or not, so that its failure names itself alone."""
        ended = False
        for p in self.processes:
            if p.poll() is None:
                p.kill()
                p.wait(timeout=30)
                ended = True
        for pid in self.product_processes():
            try:
                os.kill(pid, signal.SIGKILL)
                ended = True
            except ProcessLookupError:
                pass
        wait_until(lambda: not self.product_processes(), 30, 0.1)
        self.processes = [p for p in self.processes if p.poll() is None]
        if ended:
            # The windows of an ended process linger a moment, and a start
            # would take them for a running instance.
            for caption in PRODUCT_CAPTIONS:
                self.wait_window_gone(caption, 30)

    # --- end --------------------------------------------------------------
    def close(self):
        try:
            self._stop_wine()
            if self.monitors:
                # The prefix is shared by the other tests, which have one monitor.
                self._set_x11_driver_value("UseXRandR", None)
                self._stop_wine()
        finally:
            for p in self.processes:
                if p.poll() is None:
                    p.kill()
                p.wait(timeout=30)
            if self.xvfb and self.xvfb.poll() is None:
                self.xvfb.send_signal(signal.SIGTERM)
                try:
                    self.xvfb.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    self.xvfb.kill()
                    self.xvfb.wait()
