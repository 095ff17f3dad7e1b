#!/usr/bin/env python3
"""Makes the texture bitmaps that ship in resources/textures (the "bmbrush" folder of a
fresh start). Every texture is computed here from a fixed seed, tiles without seams, and
is written as a 24-bit Windows bitmap. Run from anywhere: python3 scripts/make-textures.py
"""
import math
import os
import random
import struct

SIZE = 96
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "textures")


def write_bmp(path, pixels, w, h):
    row = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):  # bottom-up rows
        line = bytearray()
        for x in range(w):
            r, g, b = pixels[y * w + x]
            line += bytes((b, g, r))
        line += b"\0" * (row - w * 3)
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


class Noise:
    """Value noise on a lattice that wraps around, so that the texture tiles."""

    def __init__(self, seed, period):
        rnd = random.Random(seed)
        self.period = period
        self.values = [[rnd.random() for _ in range(period)] for _ in range(period)]

    def at(self, x, y):
        p = self.period
        x0, y0 = int(math.floor(x)), int(math.floor(y))
        fx, fy = x - x0, y - y0
        sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        v = self.values

        def val(i, j):
            return v[j % p][i % p]

        top = val(x0, y0) + (val(x0 + 1, y0) - val(x0, y0)) * sx
        bottom = val(x0, y0 + 1) + (val(x0 + 1, y0 + 1) - val(x0, y0 + 1)) * sx
        return top + (bottom - top) * sy


def turbulence(seed, x, y, octaves=4, base=4):
    total, scale, amp = 0.0, 1.0, 1.0
    norm = 0.0
    for o in range(octaves):
        n = NOISES.setdefault((seed, base << o), Noise(seed * 31 + o, base << o))
        total += n.at(x * (base << o) / SIZE, y * (base << o) / SIZE) * amp
        norm += amp
        amp *= 0.5
    return total / norm


NOISES = {}


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def texture(name, colour_at):
    pixels = [colour_at(x, y) for y in range(SIZE) for x in range(SIZE)]
    write_bmp(os.path.join(OUT, name + ".bmp"), pixels, SIZE, SIZE)


def wood(x, y):
    # Rings around a point left of the tile, bent by noise; periodic in y by the noise only.
    d = math.cos(2 * math.pi * x / SIZE * 3 + 6 * turbulence(1, x, y))
    grain = turbulence(2, x, y, 3, 8)
    return mix((120, 72, 36), (196, 140, 84), 0.5 + 0.35 * d + 0.3 * (grain - 0.5))


def marble(x, y):
    v = math.sin(2 * math.pi * (x + y) / SIZE * 2 + 8 * turbulence(3, x, y, 5))
    return mix((90, 96, 104), (236, 236, 232), (v + 1) / 2 * 0.9 + 0.1)


def paper(x, y):
    n = turbulence(4, x, y, 5, 8)
    return mix((226, 220, 200), (250, 246, 232), n)


def linen(x, y):
    threads = 0.5 + 0.25 * math.cos(2 * math.pi * x / 4) + 0.25 * math.cos(2 * math.pi * y / 4)
    n = turbulence(5, x, y, 3, 16)
    return mix((196, 184, 160), (236, 228, 210), 0.6 * threads + 0.4 * n)


def canvas(x, y):
    over = ((x // 4) + (y // 4)) % 2
    shade = math.sin(math.pi * ((y if over else x) % 4 + 0.5) / 4)
    n = turbulence(6, x, y, 3, 12)
    return mix((150, 140, 118), (214, 204, 180), 0.55 * shade + 0.45 * n)


def stripes(x, y):
    return (40, 70, 140) if (x + y) % 24 < 12 else (220, 228, 240)


def checks(x, y):
    return (160, 30, 40) if (x // 12 + y // 12) % 2 else (245, 240, 230)


def dots(x, y):
    cx, cy = x % 16 - 7.5, y % 16 - 7.5
    return (30, 110, 60) if cx * cx + cy * cy < 16 else (236, 244, 232)


def bricks(x, y):
    row = y // 12
    offset = 12 if row % 2 else 0
    mortar = y % 12 == 11 or (x + offset) % 24 == 23
    n = turbulence(7, x, y, 3, 16)
    return (200, 196, 188) if mortar else mix((140, 52, 36), (186, 86, 58), n)


def sky(x, y):
    n = turbulence(8, x, y, 5, 4)
    return mix((70, 130, 210), (248, 250, 255), (n - 0.35) * 2)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    for name, fn in [("wood", wood), ("marble", marble), ("paper", paper), ("linen", linen),
                     ("canvas", canvas), ("stripes", stripes), ("checks", checks),
                     ("dots", dots), ("bricks", bricks), ("clouds", sky)]:
        texture(name, fn)
