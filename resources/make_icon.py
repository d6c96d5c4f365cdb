#!/usr/bin/env python3
"""Writes autorun.ico: the application icon, 32x32 and 16x16, 16 colours.

The icon is drawn here rather than kept only as a binary so that it can be
changed by anyone with a text editor: a disc on the window's design colour.
"""
import struct
import sys

# The standard 16-colour palette, as (blue, green, red, 0).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
    (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
    (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]  # red, green, blue
BACK, RING, SPARK, EDGE = 5, 14, 15, 0  # purple, yellow, white, black


def pixel(x, y, size):
    c = (size - 1) / 2
    d2 = (x - c) ** 2 + (y - c) ** 2
    r = size / 2
    if x in (0, size - 1) or y in (0, size - 1):
        return EDGE
    if (r * 0.55) ** 2 <= d2 <= (r * 0.82) ** 2:
        return RING
    if d2 <= (r * 0.18) ** 2:
        return SPARK
    return BACK


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up
        row = bytearray()
        for x in range(0, size, 2):
            row.append(pixel(x, y, size) << 4 | pixel(x + 1, y, size))
        while len(row) % 4:
            row.append(0)
        rows.append(bytes(row))
    xor = b"".join(rows)
    mask_row = bytes(((size + 31) // 32) * 4)
    andmask = mask_row * size  # fully opaque
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(andmask),
                         0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + xor + andmask


def main(path):
    images = [image(32), image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "autorun.ico")
