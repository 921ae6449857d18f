#!/usr/bin/env python3
"""Checks the committed pictures against what the generator makes now: the
icon byte for byte, the preview as the same JPEG bytes from the same encoder
settings, and the preview's form (baseline JFIF, 152 x 112, 3 components),
which the preview window relies on. Remake them with scripts/make-pictures."""
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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--generator", required=True)
    parser.add_argument("--pictures", type=pathlib.Path, required=True)
    parser.add_argument("--work", type=pathlib.Path, required=True)
    args = parser.parse_args()
    args.work.mkdir(parents=True, exist_ok=True)
    ppm, ico, jpg = args.work / "preview.ppm", args.work / "ember_lantern.ico", args.work / "preview.jpg"
    subprocess.run([args.generator, ppm, ico], check=True)
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
    for f in failures:
        print(f)
    if failures:
        print("remake them with scripts/make-pictures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
