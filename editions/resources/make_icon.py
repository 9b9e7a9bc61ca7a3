#!/usr/bin/env python3
"""Draws the setup program's window icon and writes it as kelvarion.ico.

The icon is 32 x 32 pixels with a 256-colour palette (8 bits per pixel) and a
transparency mask, the format the window's caption and the shortcuts' icon
have always used. Drawn in code so that it can be rebuilt and changed without a
paint program:

    python3 make_icon.py kelvarion.ico

The output is byte-for-byte the same on every run (no randomness, no dates).
"""

import struct
import sys

SIZE = 32
SAMPLES = 4  # supersampling per axis, for smooth edges inside the tile


def lerp(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def inside_rounded_square(x, y, lo, hi, radius):
    """Whether the point lies in the square [lo, hi]^2 with rounded corners."""
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    qx, qy = ax + t * dx, ay + t * dy
    return ((px - qx) ** 2 + (py - qy) ** 2) ** 0.5


# The letter K as three thick strokes, and an arrow-like tick (the "setup"
# accent) in the lower right.
K_STROKES = [((10.5, 7.5), (10.5, 24.5)), ((21.5, 7.5), (12.0, 16.5)), ((13.5, 15.0), (22.0, 24.5))]
K_HALF_WIDTH = 2.1
TOP = (22, 92, 168)      # deep blue
BOTTOM = (12, 150, 160)  # teal
WHITE = (255, 255, 255)
BORDER = (8, 48, 96)
ACCENT = (246, 160, 30)  # orange


def sample(x, y):
    """Colour at a point of the tile, or None outside it."""
    if not inside_rounded_square(x, y, 1.0, 31.0, 6.0):
        return None
    colour = lerp(TOP, BOTTOM, (y - 1.0) / 30.0)
    if not inside_rounded_square(x, y, 2.0, 30.0, 5.0):
        colour = BORDER
    if any(distance_to_segment(x, y, *a, *b) <= K_HALF_WIDTH for a, b in K_STROKES):
        colour = WHITE
    if (x - 25.0) ** 2 + (y - 25.0) ** 2 <= 3.2 ** 2:
        colour = ACCENT
    return colour


def render():
    """RGB per pixel (None = transparent), supersampled."""
    pixels = []
    for row in range(SIZE):
        line = []
        for col in range(SIZE):
            hits = []
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = sample(col + (sx + 0.5) / SAMPLES, row + (sy + 0.5) / SAMPLES)
                    if c is not None:
                        hits.append(c)
            # The mask is one bit: a pixel is opaque when most of it is tile.
            if len(hits) * 2 < SAMPLES * SAMPLES:
                line.append(None)
            else:
                line.append(tuple(round(sum(c[i] for c in hits) / len(hits)) for i in range(3)))
        pixels.append(line)
    return pixels


def build_palette(pixels):
    """At most 256 colours: channels are rounded ever more coarsely until the
    distinct colours fit."""
    step = 1
    while True:
        def snap(c):
            return tuple(min(255, round(v / step) * step) for v in c)
        colours = sorted({snap(c) for line in pixels for c in line if c is not None})
        if len(colours) <= 255:  # index 0 stays black for the transparent pixels
            palette = [(0, 0, 0)] + colours
            index = {c: i + 1 for i, c in enumerate(colours)}
            return palette, lambda c: 0 if c is None else index[snap(c)]
        step += 1


def ico_bytes(pixels):
    palette, index_of = build_palette(pixels)
    palette += [(0, 0, 0)] * (256 - len(palette))
    xor_rows, and_rows = [], []
    for line in reversed(pixels):  # bitmaps are stored bottom-up
        xor_rows.append(bytes(index_of(c) for c in line))
        bits = 0
        for col, c in enumerate(line):
            if c is None:
                bits |= 1 << (31 - col)
        and_rows.append(struct.pack(">I", bits))
    image = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, len(image), 0, 0, 256, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    body = header + colours + image
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(body), 6 + 16)
    return directory + entry + body


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    with open(sys.argv[1], "wb") as out:
        out.write(ico_bytes(render()))


if __name__ == "__main__":
    main()
