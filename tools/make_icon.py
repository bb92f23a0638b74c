#!/usr/bin/env python3
"""Draws the Quorvel window icon: a light grey tile with a bold navy "Q" above a small white
strip of numbered cells. Writes palette PNGs (colour type 3) whose tRNS chunk carries the
transparency of the rounded corners: 48x48, and 96x96 for screens scaled to 200%, drawn from
the same design at twice the resolution rather than enlarged.

Usage: make_icon.py [output-dir]   (default: src/platform/qt beside this tool)
"""

import math
import os
import struct
import sys
import zlib

SIZE = 48
SUB = 4  # samples per pixel edge, for smooth edges

TRANSPARENT = (0, 0, 0, 0)
TILE = (192, 192, 192)
BORDER = (72, 72, 72)
LIGHT = (240, 240, 240)
NAVY = (0, 0, 128)
PAPER = (255, 255, 255)
RULE = (150, 150, 150)
INK = (0, 0, 0)

# 3x5 digits for the number strip.
DIGITS = {
    "0": ["111", "101", "101", "101", "111"],
    "2": ["111", "001", "111", "100", "111"],
    "4": ["101", "101", "111", "001", "001"],
    "8": ["111", "101", "111", "101", "111"],
}


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius**2 and left <= x <= right and top <= y <= bottom


def in_q(x, y):
    # A thick ring with a tail leaning to the lower right.
    cx, cy, outer, inner = 24.0, 17.5, 13.0, 7.0
    d = math.hypot((x - cx) * 1.08, y - cy)
    if inner <= d <= outer:
        return True
    # Tail: a thick segment from inside the ring to beyond its lower right.
    ax, ay, bx, by = 29.5, 23.0, 36.0, 31.0
    t = ((x - ax) * (bx - ax) + (y - ay) * (by - ay)) / ((bx - ax) ** 2 + (by - ay) ** 2)
    t = min(max(t, 0.0), 1.0)
    px, py = ax + t * (bx - ax), ay + t * (by - ay)
    return math.hypot(x - px, y - py) <= 2.6


def blend(top, bottom, alpha):
    return tuple(round(t * alpha + b * (1 - alpha)) for t, b in zip(top, bottom))


def tile_colour(x, y):
    """Colour of the tile (without the Q) at pixel x, y; None outside the tile."""
    if not in_rounded_rect(x + 0.5, y + 0.5, 1, 1, 47, 47, 7):
        return None
    if not in_rounded_rect(x + 0.5, y + 0.5, 2.5, 2.5, 45.5, 45.5, 5.5):
        return BORDER
    if x <= 4 or y <= 4:
        return LIGHT
    # Number strip: four cells, each with one digit of 2048.
    if 33 <= y <= 43 and 6 <= x <= 41:
        if y in (33, 43) or x in (6, 15, 24, 33) or x == 41:
            return RULE
        cell = (x - 6) // 9
        digit = DIGITS["2048"[cell]]
        gx, gy = x - (6 + cell * 9) - 3, y - 36
        if 0 <= gx < 3 and 0 <= gy < 5 and digit[gy][gx] == "1":
            return INK
        return PAPER
    return TILE


def draw(size):
    scale = size // SIZE
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            # The grid parts are drawn on the 48-unit design grid; curves are sampled finer.
            base = tile_colour(x // scale, y // scale)
            covered_tile = 0
            covered_q = 0
            for sy in range(SUB):
                for sx in range(SUB):
                    fx = (x + (sx + 0.5) / SUB) / scale
                    fy = (y + (sy + 0.5) / SUB) / scale
                    if in_rounded_rect(fx, fy, 1, 1, 47, 47, 7):
                        covered_tile += 1
                    if fy < 32 and in_q(fx, fy):
                        covered_q += 1
            total = SUB * SUB
            if base is None:
                # Outside the tile centre; soften the corner with partial transparency.
                alpha = round(255 * covered_tile / total / 64) * 64
                row.append((*BORDER, min(alpha, 255)) if alpha else TRANSPARENT)
                continue
            colour = base
            if covered_q and base == TILE:
                # Four steps of coverage keep the palette small.
                colour = blend(NAVY, TILE, round(4 * covered_q / total) / 4)
            row.append((*colour, 255))
        pixels.append(row)
    return pixels


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode(pixels):
    size = len(pixels)
    palette = []
    index = {}
    for row in pixels:
        for colour in row:
            if colour not in index:
                index[colour] = len(palette)
                palette.append(colour)
    if len(palette) > 256:
        raise SystemExit("too many colours for a palette image: %d" % len(palette))
    # Transparent entries first, so tRNS can stop after the last of them.
    order = sorted(range(len(palette)), key=lambda i: palette[i][3] == 255)
    remap = {old: new for new, old in enumerate(order)}
    palette = [palette[i] for i in order]
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        raw.extend(remap[index[c]] for c in row)
    alphas = [c[3] for c in palette]
    while alphas and alphas[-1] == 255:
        alphas.pop()
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 3, 0, 0, 0))
    png += chunk(b"PLTE", bytes(v for c in palette for v in c[:3]))
    if alphas:
        png += chunk(b"tRNS", bytes(alphas))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    return png


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "src", "platform", "qt")
    target = sys.argv[1] if len(sys.argv) > 1 else default
    for size, name in ((SIZE, "quorvel.png"), (2 * SIZE, "quorvel-96.png")):
        with open(os.path.join(target, name), "wb") as out:
            out.write(encode(draw(size)))


if __name__ == "__main__":
    main()
