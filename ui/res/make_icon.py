#!/usr/bin/env python3
"""Draws the program's main icon and writes it as Setup.ico.

One 32 x 32 image of 16 colours (4 bits per pixel, the standard 16-colour
palette) with its AND mask: a mouse seen from above, and in front of it a small
gauge whose needle points into the fast range. The picture is computed from
simple shapes, so running this again gives the same bytes.

    python3 make_icon.py [output.ico]     (default: Setup.ico beside this file)
"""
import os
import struct
import sys

SIZE = 32

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, SILVER, WHITE = 0, 8, 7, 15
RED, GREEN, YELLOW, NAVY = 9, 10, 11, 4


def draw():
    """The picture as rows of palette indexes, None where it is transparent."""
    pixels = [[None] * SIZE for _ in range(SIZE)]

    def put(x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            pixels[y][x] = colour

    # The mouse: an upright ellipse, outlined, with the two buttons split off at
    # the top and a wheel between them; the cable leaves from the top.
    cx, cy, rx, ry = 13.0, 17.0, 9.2, 13.2
    for y in range(SIZE):
        for x in range(SIZE):
            d = ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2
            if d <= 1.0:
                put(x, y, SILVER)
            inner = ((x + 0.5 - cx) / (rx - 1.2)) ** 2 + ((y + 0.5 - cy) / (ry - 1.2)) ** 2
            if d <= 1.0 and inner > 1.0:
                put(x, y, BLACK)
    for y in range(5, 14):
        put(13, y, BLACK)
    for x in range(5, 22):
        if pixels[13][x] is not None:
            put(x, 13, BLACK)
    for y in range(7, 11):
        for x in range(12, 15):
            put(x, y, DARK_GREY)
    for y in range(0, 5):
        put(13, y, BLACK)

    # The gauge: a half disc at the bottom right, white face, a coloured scale
    # from slow (green) over yellow to fast (red), and a navy needle.
    gx, gy, radius = 24.0, 31.0, 8.0
    for y in range(SIZE):
        for x in range(SIZE):
            dx, dy = x + 0.5 - gx, y + 0.5 - gy
            dist = (dx * dx + dy * dy) ** 0.5
            if dy > 0.5 or dist > radius:
                continue
            if dist > radius - 1.0:
                put(x, y, BLACK)
            elif dist > radius - 3.0:
                # The scale runs from the left end (dx < 0) to the right end.
                put(x, y, GREEN if dx < -2.5 else YELLOW if dx < 2.5 else RED)
            else:
                put(x, y, WHITE)
    for x in range(int(gx - radius), int(gx + radius) + 1):
        put(x, SIZE - 1, BLACK)
    # Needle from the hub up and to the right, toward the red end.
    for step in range(0, 6):
        put(int(gx) + step, SIZE - 2 - step, NAVY)
        put(int(gx) + step - 1, SIZE - 2 - step, NAVY)
    return pixels


def ico_bytes(pixels):
    """An ICO file with one 32 x 32 4-bit image: directory, bitmap header,
    palette, colour bitmap and AND mask, both bottom-up."""
    xor_row = SIZE // 2            # two pixels per byte; 16 is already a multiple of 4
    and_row = SIZE // 8            # one bit per pixel; 4 is already a multiple of 4
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):
        row = pixels[y]
        for x in range(0, SIZE, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append(hi << 4 | lo)
        bits = 0
        for x in range(SIZE):
            bits = bits << 1 | (1 if row[x] is None else 0)
        mask += bits.to_bytes(and_row, "big")
    assert len(xor) == xor_row * SIZE and len(mask) == and_row * SIZE

    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    # The header's height counts the colour bitmap and the mask together.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "Setup.ico")
    with open(out, "wb") as f:
        f.write(ico_bytes(draw()))


if __name__ == "__main__":
    main()
