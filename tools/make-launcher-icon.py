#!/usr/bin/env python3
"""make-launcher-icon.py OUT.ico [OUT.png]

Draws the launcher's application icon, a moor at dusk (layered hills under an
amber sky with a low sun and two standing stones), as one 256 x 256 RGBA image
and writes it as a PNG-compressed .ico with a single entry. The optional second
file gets the same picture as a plain PNG, for looking at it.

Only the standard library is used, and the output is the same byte for byte on
every run, so the build can make the icon instead of keeping a binary file.
"""
import math
import struct
import sys
import zlib

SIZE = 256
MARGIN = 6  # transparent border, so the rounded tile does not touch the edge
RADIUS = 46  # corner radius of the tile


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def hex_colour(text):
    return tuple(int(text[i : i + 2], 16) for i in (1, 3, 5))


# Sky from the top down to the horizon: night blue, heather mauve, amber.
SKY = [
    (0.00, hex_colour("#1b2747")),
    (0.38, hex_colour("#4b4573")),
    (0.62, hex_colour("#a86a78")),
    (0.80, hex_colour("#e7a45f")),
    (1.00, hex_colour("#f4c77e")),
]
SKY_BOTTOM = 170  # y where the sky gradient reaches its last colour
SUN_CENTRE = (168.0, 128.0)
SUN_RADIUS = 24.0
SUN_COLOUR = hex_colour("#fbe7b5")


def sky(y):
    t = clamp01(y / SKY_BOTTOM)
    for (t0, c0), (t1, c1) in zip(SKY, SKY[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return SKY[-1][1]


def ridge(base, waves):
    """A hill line y(x): a base height plus a few sine waves (amplitude, period, phase)."""
    return lambda x: base + sum(a * math.sin(2 * math.pi * x / p + ph) for a, p, ph in waves)


# Back to front: far hazy hills, the middle moor, grass, the heather slope.
HILLS = [
    (ridge(150, [(7, 210, 0.4), (3, 70, 1.9)]), hex_colour("#7b5d86")),
    (ridge(172, [(10, 260, 2.6), (4, 95, 0.3)]), hex_colour("#4a4a63")),
    (ridge(198, [(12, 300, 4.0), (3, 60, 1.1)]), hex_colour("#34402f")),
    (ridge(226, [(8, 240, 1.2), (2, 45, 2.2)]), hex_colour("#3b2838")),
]

# Two standing stones on the middle moor: (centre, half width at the foot, top)
# in pixels; they taper upwards and their feet sink into the hill.
STONES = [(74.5, 5.0, 148.0), (89.0, 3.5, 157.0)]
STONE_COLOUR = hex_colour("#2e2d3d")
STONE_HILL = 1  # index into HILLS


def tile_coverage(x, y):
    """How much of the pixel centred at (x, y) lies inside the rounded tile."""
    lo, hi = MARGIN + RADIUS, SIZE - MARGIN - RADIUS
    dx = max(lo - x, 0.0, x - hi)
    dy = max(lo - y, 0.0, y - hi)
    distance = math.hypot(dx, dy) - RADIUS
    return clamp01(0.5 - distance)


def over(base, colour, alpha):
    return mix(base, colour, alpha)


def pixel(px, py):
    x, y = px + 0.5, py + 0.5
    colour = sky(y)

    # Sun with a soft glow; the hills cover its lower part.
    d = math.hypot(x - SUN_CENTRE[0], y - SUN_CENTRE[1])
    glow = 0.45 * math.exp(-max(d - SUN_RADIUS, 0.0) / 16.0)
    colour = over(colour, SUN_COLOUR, glow)
    colour = over(colour, SUN_COLOUR, clamp01(SUN_RADIUS + 0.5 - d))

    for index, (line, hill_colour) in enumerate(HILLS):
        top = line(x)
        # Vertical anti-aliasing: the share of the pixel below the hill line.
        cover = clamp01(y + 0.5 - top)
        if cover > 0.0:
            # Hills darken a little towards their foot.
            shade = mix(hill_colour, (0, 0, 0), clamp01((y - top) / 260.0))
            colour = over(colour, shade, cover)
        if index == STONE_HILL:
            for centre, half_width, stone_top in STONES:
                half = half_width * (0.65 + 0.35 * clamp01((y - stone_top) / 14.0))
                inside_x = clamp01(half - abs(x - centre) + 0.5)
                inside_y = clamp01(y + 0.5 - stone_top)
                if inside_x > 0.0 and inside_y > 0.0 and y < top + 6:
                    colour = over(colour, STONE_COLOUR, inside_x * inside_y)

    alpha = tile_coverage(x, y)
    return tuple(int(round(c)) for c in colour) + (int(round(alpha * 255)),)


def render():
    rows = []
    for py in range(SIZE):
        row = bytearray([0])  # PNG filter type: none
        for px in range(SIZE):
            row.extend(pixel(px, py))
        rows.append(bytes(row))
    return b"".join(rows)


def png(raw):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", header)
        + chunk(b"IDAT", zlib.compress(raw, 9))
        + chunk(b"IEND", b"")
    )


def ico(image):
    # One directory entry; width and height 0 mean 256.
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main(argv):
    if len(argv) not in (2, 3):
        sys.stderr.write(__doc__)
        return 2
    image = png(render())
    with open(argv[1], "wb") as out:
        out.write(ico(image))
    if len(argv) == 3:
        with open(argv[2], "wb") as out:
            out.write(image)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
