#!/usr/bin/env python3
"""Checks the committed pictures against what the generator makes now: the
icon and the button and mark bitmaps byte for byte, the preview as the same
JPEG bytes from the same encoder settings, and the forms the programs rely
on: the preview a baseline JFIF of 152 x 112 with 3 components, the bitmaps
uncompressed 24-bit pictures of 64 x 25 (button looks, HighLightSelect the
same pixels as HighLight), 12 x 12 (marks) and 164 x 314 (the installer's
side picture). The larger preview, 304 x 224 for scaled displays, is checked
the same way (check_large_preview). Remake them with scripts/make-pictures."""
import argparse
import pathlib
import struct
import subprocess
import sys


def jpeg_frame(data):
    """(frame marker, precision, height, width, components) of the first
    start-of-frame segment; asserts the SOI and a JFIF APP0 first."""
    assert data[:2] == b"\xff\xd8", "no SOI"
    assert data[2:4] == b"\xff\xe0" and data[6:11] == b"JFIF\0", "no JFIF APP0 segment"
    pos = 2
    while pos < len(data):
        assert data[pos] == 0xFF, f"bad marker at {pos}"
        marker = data[pos + 1]
        length = struct.unpack(">H", data[pos + 2:pos + 4])[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            precision, height, width, components = struct.unpack(">BHHB", data[pos + 4:pos + 10])
            return marker, precision, height, width, components
        pos += 2 + length
    raise AssertionError("no frame header")


BITMAPS = {
    "button_normal.bmp": (64, 25), "button_highlight.bmp": (64, 25), "button_highlight_select.bmp": (64, 25),
    "button_selected.bmp": (64, 25), "button_pressed.bmp": (64, 25), "button_disable.bmp": (64, 25),
    "mark_clear.bmp": (12, 12), "mark_chosen.bmp": (12, 12),
    "installer_side.bmp": (164, 314),
}


def bmp_form(data):
    """(width, height, bits per pixel, compression) of a BMP file with a
    BITMAPINFOHEADER; asserts the signature."""
    assert data[:2] == b"BM", "no BM signature"
    header_size, width, height, _, bits, compression = struct.unpack("<IiiHHI", data[14:34])
    assert header_size == 40, f"info header of {header_size} bytes"
    return width, height, bits, compression


def check_large_preview(pictures, work, failures):
    """The 304 x 224 preview: a baseline JFIF, the bytes the generator and
    encoder make now."""
    made = work / "preview_large.jpg"
    subprocess.run([pictures / "encode-preview", work / "preview_large.ppm", made], check=True)
    committed = (pictures / "preview_large.jpg").read_bytes()
    frame = jpeg_frame(committed)
    if frame != (0xC0, 8, 224, 304, 3):
        failures.append(f"preview_large.jpg frame is {frame}, want baseline (0xC0), 8 bits, 224 x 304, 3 components")
    if committed != made.read_bytes():
        failures.append("preview_large.jpg differs from what the generator and encoder make now")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--generator", required=True)
    parser.add_argument("--pictures", type=pathlib.Path, required=True)
    parser.add_argument("--work", type=pathlib.Path, required=True)
    args = parser.parse_args()
    args.work.mkdir(parents=True, exist_ok=True)
    ppm, ico, jpg = args.work / "preview.ppm", args.work / "ember_lantern.ico", args.work / "preview.jpg"
    for old in args.work.glob("*.bmp"):
        old.unlink()
    subprocess.run([args.generator, args.work], check=True)
    subprocess.run([args.pictures / "encode-preview", ppm, jpg], check=True)

    failures = []
    committed_jpg = (args.pictures / "preview.jpg").read_bytes()
    frame = jpeg_frame(committed_jpg)
    if frame != (0xC0, 8, 112, 152, 3):
        failures.append(f"preview.jpg frame is {frame}, want baseline (0xC0), 8 bits, 112 x 152, 3 components")
    if committed_jpg != jpg.read_bytes():
        failures.append("preview.jpg differs from what the generator and encoder make now")
    committed_ico = (args.pictures / "ember_lantern.ico").read_bytes()
    if committed_ico[:6] != b"\0\0\1\0\1\0" or committed_ico[6:8] != b"\x20\x20":
        failures.append("ember_lantern.ico is not one 32 x 32 icon")
    if committed_ico != ico.read_bytes():
        failures.append("ember_lantern.ico differs from what the generator makes now")
    made = sorted(p.name for p in args.work.glob("*.bmp"))
    committed = sorted(p.name for p in args.pictures.glob("*.bmp"))
    if made != sorted(BITMAPS) or committed != made:
        failures.append(f"bitmaps: the generator makes {made}, committed are {committed}, expected {sorted(BITMAPS)}")
    for name, size in BITMAPS.items():
        path = args.pictures / name
        if not path.exists():
            continue
        data = path.read_bytes()
        if bmp_form(data) != (*size, 24, 0):
            failures.append(f"{name} is {bmp_form(data)}, want {size[0]} x {size[1]}, 24 bits, uncompressed")
        if (args.work / name).exists() and data != (args.work / name).read_bytes():
            failures.append(f"{name} differs from what the generator makes now")
    check_large_preview(args.pictures, args.work, failures)
    highlight, highlight_select = (args.pictures / "button_highlight.bmp"), (args.pictures / "button_highlight_select.bmp")
    if highlight.exists() and highlight_select.exists() and highlight.read_bytes() != highlight_select.read_bytes():
        failures.append("button_highlight_select.bmp is not the same picture as button_highlight.bmp")
    for f in failures:
        print(f)
    if failures:
        print("remake them with scripts/make-pictures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
