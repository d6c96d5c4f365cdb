#!/usr/bin/env python3
"""Writes autorun.ico: the application icon.

The icon is drawn here rather than kept only as a binary so that it can be
changed by anyone with a text editor: a disc on the window's design colour,
framed by a one-pixel edge. 32-bit images at the sizes Windows asks for at
100% to 200% scale and in Explorer (above 48 pixels PNG-compressed), and the
16-colour 32x32 and 16x16 ones for old displays.
"""
import struct
import sys
import zlib

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
    (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
    (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BACK, RING, SPARK, EDGE = 5, 14, 15, 0  # purple, yellow, white, black
TRUE_COLOUR_SIZES = (256, 64, 48, 40, 32, 24, 20, 16)
PNG_ABOVE = 48
SAMPLES = 4  # per pixel and axis, for the smooth edges of the 32-bit images


def design(x, y, size):
    """The palette index at a point of a size x size square, in pixels."""
    if x < 1 or y < 1 or x >= size - 1 or y >= size - 1:
        return EDGE
    c = size / 2
    d2 = (x - c) ** 2 + (y - c) ** 2
    r = size / 2
    if (r * 0.55) ** 2 <= d2 <= (r * 0.82) ** 2:
        return RING
    if d2 <= (r * 0.18) ** 2:
        return SPARK
    return BACK


def paletted(size):
    """16 colours: each pixel takes the design at its centre."""
    rows = []
    for y in reversed(range(size)):  # bottom-up
        row = bytearray()
        for x in range(0, size, 2):
            row.append(design(x + 0.5, y + 0.5, size) << 4 | design(x + 1.5, y + 0.5, size))
        while len(row) % 4:
            row.append(0)
        rows.append(bytes(row))
    xor = b"".join(rows)
    andmask = bytes(((size + 31) // 32) * 4) * size  # fully opaque
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(andmask),
                         0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + xor + andmask


def true_colour_rows(size):
    """Rows of (red, green, blue, alpha) bytes from the top, averaged over samples."""
    rows = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            total = [0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = PALETTE[design(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES,
                                            size)]
                    total = [t + c for t, c in zip(total, colour)]
            row += bytes(round(t / SAMPLES ** 2) for t in total) + b"\xff"
        rows.append(bytes(row))
    return rows


def bitmap(size):
    rows = true_colour_rows(size)
    xor = b"".join(bytes(row[i + k] for i in range(0, len(row), 4) for k in (2, 1, 0, 3))
                   for row in reversed(rows))  # bottom-up BGRA
    andmask = bytes(((size + 31) // 32) * 4) * size
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(andmask),
                         0, 0, 0, 0)
    return header + xor + andmask


def png(size):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    raw = b"".join(b"\x00" + row for row in true_colour_rows(size))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(path):
    # (size, colours in the directory, bits per pixel, data)
    images = [(s, 0, 32, png(s) if s > PNG_ABOVE else bitmap(s)) for s in TRUE_COLOUR_SIZES]
    images += [(s, 16, 4, paletted(s)) for s in (32, 16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(data),
                           offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(data for *_, data in images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "autorun.ico")
