#!/usr/bin/env python3
"""Draws the program's two icons and writes them next to this script as .ico files, and the normal icon
as PNG files for the desktop's icon theme (hicolor/NxN/apps/alarmclock.png).

MAINICON is a grey bell on a transparent ground (the tray icon while no alarm is due); FILLEDICON is the
same bell on an opaque red square (the tray icon while an alarm is set). Each file holds a single 32x32,
16-colour image. To change the design, edit the shapes below and re-run: python3 make_icons.py
"""

import math
import os
import struct
import zlib

SIZE = 32
CENTRE = SIZE / 2  # the bell's axis lies between pixel columns 15 and 16, so it is mirror-symmetric

# The classic 16-colour palette: any 4-bit display shows these without dithering.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, SILVER, GREY, RED, WHITE = 0, 7, 8, 9, 15

TRANSPARENT = None  # a pixel the AND mask lets the desktop show through


# --- The bell, in pixel coordinates (x right, y down, a pixel's centre at +0.5). ---

KNOB_Y, KNOB_R = 5.0, 2.0
CROWN_Y, CROWN_W, CROWN_H = 12.5, 7.5, 6.0  # the dome's top is a half ellipse
SKIRT_Y, SKIRT_W = 22.0, 11.0  # below the crown the sides flare out to the skirt
RIM_TOP, RIM_BOTTOM, RIM_W = 21.5, 24.5, 13.5
CLAPPER_Y, CLAPPER_R = 26.0, 2.6


def body_half_width(y):
    """Half the width of the dome at height y, or None above and below it."""
    if CROWN_Y - CROWN_H <= y < CROWN_Y:
        return CROWN_W * math.sqrt(1 - ((CROWN_Y - y) / CROWN_H) ** 2)
    if CROWN_Y <= y <= SKIRT_Y:
        t = (y - CROWN_Y) / (SKIRT_Y - CROWN_Y)
        return CROWN_W + (SKIRT_W - CROWN_W) * t**3  # concave flare, as a cast bell has
    return None


def in_rim(x, y):
    """The lip: a band with rounded ends, wider than the skirt above it."""
    if not RIM_TOP <= y <= RIM_BOTTOM:
        return False
    half_height = (RIM_BOTTOM - RIM_TOP) / 2
    mid = (RIM_TOP + RIM_BOTTOM) / 2
    reach = RIM_W - half_height + math.sqrt(half_height**2 - (y - mid) ** 2)
    return abs(x - CENTRE) <= reach


def in_circle(x, y, cy, r):
    return (x - CENTRE) ** 2 + (y - cy) ** 2 <= r * r


def in_bell(x, y):
    w = body_half_width(y)
    return (
        (w is not None and abs(x - CENTRE) <= w)
        or in_rim(x, y)
        or in_circle(x, y, KNOB_Y, KNOB_R)
        or in_circle(x, y, CLAPPER_Y, CLAPPER_R)
    )


def shade(x, y):
    """The colour of an inside pixel that is not on the outline: lit from the upper left."""
    w = body_half_width(y)
    if w is not None and not in_rim(x, y):
        across = (x - CENTRE) / w  # -1 at the left edge, +1 at the right
        if -0.62 <= across <= -0.32 and y > CROWN_Y - CROWN_H + 2:
            return WHITE
        if across >= 0.55:
            return GREY
    return SILVER


def bell_pixels():
    """The bell as rows of palette indices, TRANSPARENT outside it, with a dark outline around the edge."""
    inside = [[in_bell(x + 0.5, y + 0.5) for x in range(SIZE)] for y in range(SIZE)]

    def filled(x, y):
        return 0 <= x < SIZE and 0 <= y < SIZE and inside[y][x]

    def on_edge(x, y):
        return not all(filled(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))

    def rim_line(x, y):
        # A dark line where the lip meets the skirt, so the rim reads as its own part.
        return in_rim(x + 0.5, y + 0.5) and not in_rim(x + 0.5, y - 0.5)

    return [
        [
            TRANSPARENT if not inside[y][x]
            else GREY if on_edge(x, y) or rim_line(x, y)
            else shade(x + 0.5, y + 0.5)
            for x in range(SIZE)
        ]
        for y in range(SIZE)
    ]


# --- The .ico container. ---


def ico_bytes(pixels):
    """A one-image icon file: ICONDIR, one ICONDIRENTRY, then a 4-bit DIB with its 1-bit AND mask.

    The DIB's height counts both bitmaps (hence 2 * SIZE); rows run bottom-up. At 32 pixels a row of either
    bitmap is already the multiple of 4 bytes a DIB row must be, so no padding is written.
    """
    xor_rows, and_rows = [], []
    for row in reversed(pixels):
        indices = [BLACK if p is TRANSPARENT else p for p in row]
        xor_rows.append(bytes((indices[i] << 4) | indices[i + 1] for i in range(0, SIZE, 2)))
        mask = 0
        for p in row:
            mask = (mask << 1) | (p is TRANSPARENT)
        and_rows.append(mask.to_bytes(SIZE // 8, "big"))
    xor, and_mask = b"".join(xor_rows), b"".join(and_rows)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, len(xor) + len(and_mask), 0, 0, 16, 0)
    image = info + palette + xor + and_mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), len(header) + 16)
    return header + entry + image


# --- PNG files for the desktop's menu, scaled up by whole pixels so the drawing stays crisp. ---

THEME_SIZES = (32, 64, 128)


def png_bytes(pixels, scale):
    """An 8-bit RGBA PNG of the pixels, each drawn as a scale-by-scale square."""

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    side = SIZE * scale
    rows = []
    for row in pixels:
        line = b"".join(bytes(PALETTE[p]) + b"\xff" if p is not TRANSPARENT else b"\0\0\0\0" for p in row)
        line = b"".join(line[i : i + 4] * scale for i in range(0, len(line), 4))
        rows.extend([b"\0" + line] * scale)
    header = struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
            + chunk(b"IEND", b""))


def on_ground(pixels, colour):
    return [[colour if p is TRANSPARENT else p for p in row] for row in pixels]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    bell = bell_pixels()
    for name, pixels in (("MAINICON", bell), ("FILLEDICON", on_ground(bell, RED))):
        with open(os.path.join(here, name + ".ico"), "wb") as f:
            f.write(ico_bytes(pixels))
    for side in THEME_SIZES:
        with open(os.path.join(here, "alarmclock-%d.png" % side), "wb") as f:
            f.write(png_bytes(bell, side // SIZE))


if __name__ == "__main__":
    main()
