"""Screenshots of an X display taken as fast as the server gives them
(XGetImage through ctypes: a few milliseconds at 1280 x 1024, where `import`
takes a tenth of a second or more), to watch a fade frame by frame.

    sampler = ScreenSampler(display)   # starts taking shots on a thread
    ...
    shots = sampler.stop()             # [(seconds, Image), ...], reduced

As a script it writes the shots as PPM files for scripts/picture-fade:
    screen_sampler.py DISPLAY SECONDS FOLDER [STEP]
"""
import ctypes
import ctypes.util
import pathlib
import sys
import threading
import time

from harness import Image

_ZPIXMAP = 2
_ALL_PLANES = ctypes.c_ulong(0xFFFFFFFF)


class _XImage(ctypes.Structure):
    _fields_ = [
        ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
        ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
        ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong), ("obdata", ctypes.c_void_p),
        ("create_image", ctypes.c_void_p), ("destroy_image", ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p)),
    ]


class _Display:
    def __init__(self, name):
        self.x = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.POINTER(_XImage)
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                     ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x.XDisplayWidth.argtypes = self.x.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.display = self.x.XOpenDisplay(name.encode())
        if not self.display:
            raise RuntimeError(f"cannot open X display {name}")
        self.root = self.x.XDefaultRootWindow(self.display)
        self.width = self.x.XDisplayWidth(self.display, 0)
        self.height = self.x.XDisplayHeight(self.display, 0)

    def shot(self, step):
        """The screen, every step-th pixel of every step-th row."""
        image = self.x.XGetImage(self.display, self.root, 0, 0, self.width, self.height, _ALL_PLANES, _ZPIXMAP)
        if not image:
            return None
        try:
            info = image.contents
            assert info.bits_per_pixel == 32, info.bits_per_pixel
            line = info.bytes_per_line
            raw = ctypes.string_at(info.data, line * info.height)
        finally:
            image.contents.destroy_image(ctypes.cast(image, ctypes.c_void_p))
        rgb = bytearray()
        width = (self.width + step - 1) // step
        for y in range(0, self.height, step):
            row = raw[y * line:y * line + self.width * 4]
            pixels = bytearray(width * 3)
            pixels[0::3], pixels[1::3], pixels[2::3] = row[2::4 * step], row[1::4 * step], row[0::4 * step]
            rgb += pixels
        return Image(width, len(range(0, self.height, step)), bytes(rgb))

    def close(self):
        self.x.XCloseDisplay(self.display)


class ScreenSampler:
    """Takes reduced screenshots on a thread until stop() or `seconds`."""

    def __init__(self, display, step=4, seconds=30.0):
        self.step = step
        self._display = _Display(display)
        self._shots = []
        self._stop = threading.Event()
        self._seconds = seconds
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()

    def _run(self):
        start = time.monotonic()
        while not self._stop.is_set() and time.monotonic() - start < self._seconds:
            image = self._display.shot(self.step)
            if image:
                self._shots.append((time.monotonic(), image))

    def shots(self):
        """The shots so far, [(seconds, Image), ...]."""
        return self._shots[:]

    def stop(self):
        """The shots so far; taking more ends. Again: the same shots."""
        if not self._stop.is_set():
            self._stop.set()
            self._thread.join(timeout=60)
            self._display.close()
        return self._shots


def main(display, seconds, folder, step=1):
    folder = pathlib.Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    sampler = ScreenSampler(display, step, float(seconds))
    time.sleep(float(seconds))
    for t, image in sampler.stop():
        (folder / f"{t:.3f}.ppm").write_bytes(b"P6 %d %d 255\n" % (image.width, image.height) + image.data)


if __name__ == "__main__":
    main(*sys.argv[1:4], *(int(a) for a in sys.argv[4:5]))
