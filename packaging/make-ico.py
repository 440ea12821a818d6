#!/usr/bin/env python3
"""Packs PNG images into one Windows icon file, each image kept as PNG (as
icons have held them since Windows Vista).

    make-ico.py OUT.ico IN.png...   (each a square PNG of up to 256 pixels)
"""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("make-ico: not a PNG image")
    return struct.unpack(">II", data[16:24])


def main(out, inputs):
    images = [open(path, "rb").read() for path in inputs]
    header = struct.pack("<HHH", 0, 1, len(images))  # reserved, type 1 (icon), count
    offset = len(header) + 16 * len(images)
    entries, bodies = b"", b""
    for data in images:
        width, height = png_size(data)
        if width > 256 or height > 256:
            raise SystemExit("make-ico: an icon image is at most 256 pixels wide")
        # A size of 256 is written as 0; 32 bits per pixel.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        bodies += data
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + bodies)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    main(sys.argv[1], sys.argv[2:])
