#!/usr/bin/env python3
"""Draws the clip art and background art the program ships, as placeable Windows
metafiles (and one small bitmap), into resources/clipart and resources/BG.

Run from the repository root: python3 scripts/draw-pictures.py
"""
import os
import struct

INCH = 1440  # metafile units per inch


def rgb(r, g, b):
    return r | (g << 8) | (b << 16)


class Wmf:
    """Records in the order drawn; every object is created, selected and deleted at once
    so one slot for the pen and one for the brush are enough."""

    def __init__(self, width_in, height_in):
        self.w = int(width_in * INCH)
        self.h = int(height_in * INCH)
        self.records = b""
        self.rec(0x0103, 8)            # SetMapMode anisotropic
        self.rec(0x020B, 0, 0)         # SetWindowOrg
        self.rec(0x020C, self.h, self.w)  # SetWindowExt
        self.rec(0x0102, 1)            # SetBkMode transparent

    def rec(self, function, *words, raw=b""):
        params = struct.pack("<%dh" % len(words), *words) + raw
        if len(params) % 2:
            params += b"\0"
        self.records += struct.pack("<IH", 3 + len(params) // 2, function) + params

    def tools(self, pen, brush, width=0):
        self.rec(0x01F0, 0)
        self.rec(0x01F0, 1)
        pen_style = 5 if pen is None else 0
        self.rec(0x02FA, raw=struct.pack("<HhhI", pen_style, width, 0, pen or 0))
        self.rec(0x012D, 0)
        brush_style = 1 if brush is None else 0
        self.rec(0x02FC, raw=struct.pack("<HIH", brush_style, brush or 0, 0))
        self.rec(0x012D, 1)

    def rect(self, l, t, r, b, pen=None, brush=None, width=0):
        self.tools(pen, brush, width)
        self.rec(0x041B, b, r, t, l)

    def ellipse(self, l, t, r, b, pen=None, brush=None, width=0):
        self.tools(pen, brush, width)
        self.rec(0x0418, b, r, t, l)

    def polygon(self, points, pen=None, brush=None, width=0):
        self.tools(pen, brush, width)
        flat = [c for p in points for c in p]
        self.rec(0x0324, len(points), *flat)

    def polyline(self, points, pen, width=0):
        self.tools(pen, None, width)
        flat = [c for p in points for c in p]
        self.rec(0x0325, len(points), *flat)

    def text(self, x, y, s, height, color, face=b"Arial", bold=True):
        self.rec(0x01F0, 2)
        font = struct.pack("<hhhhhBBBBBBBB", -height, 0, 0, 0, 700 if bold else 400,
                           0, 0, 0, 0, 0, 0, 0, 0) + face.ljust(32, b"\0")
        self.rec(0x02FB, raw=font)
        self.rec(0x012D, 2)
        self.rec(0x0209, raw=struct.pack("<I", color))
        self.rec(0x0521, len(s), raw=s + (b"\0" if len(s) % 2 else b"") + struct.pack("<hh", y, x))

    def bytes(self):
        head = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, self.w, self.h, INCH, 0)
        checksum = 0
        for i in range(0, 20, 2):
            checksum ^= struct.unpack_from("<H", head, i)[0]
        head += struct.pack("<H", checksum)
        end = struct.pack("<IH", 3, 0)
        size = (18 + len(self.records) + len(end)) // 2
        header = struct.pack("<HHHIHIH", 1, 9, 0x0300, size, 3, 64, 0)
        return head + header + self.records + end


def save(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def clip_art():
    out = "resources/clipart"
    star = Wmf(1, 1)
    c, r1, r2 = 720, 680, 280
    import math
    pts = []
    for i in range(10):
        a = math.pi / 2 + i * math.pi / 5
        r = r1 if i % 2 == 0 else r2
        pts.append((int(c + r * math.cos(a)), int(c - r * math.sin(a))))
    star.polygon(pts, pen=rgb(150, 90, 0), brush=rgb(255, 200, 30), width=20)
    save(out, "STAR.WMF", star.bytes())

    phone = Wmf(1, 1)
    phone.ellipse(40, 40, 1400, 1400, brush=rgb(20, 110, 180))
    phone.rect(470, 300, 970, 1140, pen=rgb(255, 255, 255), brush=rgb(255, 255, 255), width=30)
    phone.rect(540, 400, 900, 900, brush=rgb(20, 110, 180))
    phone.ellipse(670, 960, 770, 1060, brush=rgb(20, 110, 180))
    save(out, "PHONE.WMF", phone.bytes())

    mail = Wmf(1, 0.7)
    mail.rect(40, 40, 1400, 968, pen=rgb(60, 60, 60), brush=rgb(250, 250, 240), width=30)
    mail.polyline([(40, 40), (720, 560), (1400, 40)], pen=rgb(60, 60, 60), width=30)
    save(out, "MAIL.WMF", mail.bytes())

    leaf = Wmf(0.8, 1)
    leaf.polygon([(576, 60), (1000, 500), (900, 1100), (576, 1380), (250, 1100), (150, 500)],
                 pen=rgb(30, 100, 40), brush=rgb(90, 170, 70), width=20)
    leaf.polyline([(576, 200), (576, 1420)], pen=rgb(30, 100, 40), width=30)
    save(out, "LEAF.WMF", leaf.bytes())


def background_art():
    out = "resources/BG"
    w, h = int(3.5 * INCH), 2 * INCH
    waves = Wmf(3.5, 2)
    waves.rect(0, 0, w, h, brush=rgb(235, 244, 252))
    for i, color in enumerate([rgb(190, 220, 245), rgb(150, 195, 235), rgb(110, 165, 220)]):
        top = 1180 + i * 260  # the lower bands lie over the higher ones
        pts = [(0, h)] + [(x, top + int(120 * ((x // 630) % 2 * 2 - 1))) for x in
                          range(0, w + 630, 630)] + [(w, h)]
        waves.polygon(pts, brush=color)
    save(out, "WAVES.WMF", waves.bytes())

    corner = Wmf(3.5, 2)
    corner.polygon([(0, 0), (1500, 0), (0, 1100)], brush=rgb(200, 40, 50))
    corner.polygon([(w, h), (w - 1100, h), (w, h - 800)], brush=rgb(40, 40, 60))
    corner.rect(0, h - 60, w, h, brush=rgb(200, 40, 50))
    save(out, "CORNERS.WMF", corner.bytes())

    frame = Wmf(3.5, 2)
    frame.rect(90, 90, w - 90, h - 90, pen=rgb(120, 100, 60), width=40)
    frame.rect(160, 160, w - 160, h - 160, pen=rgb(180, 160, 110), width=15)
    save(out, "FRAME.WMF", frame.bytes())

    # A small bitmap stretched over the card: a soft vertical blend, 8-bit with a palette.
    bw, bh = 84, 48
    palette = b"".join(struct.pack("<BBBB", 255 - i // 4, 250 - i // 6, 240 - i // 3, 0)
                       for i in range(256))
    row_bytes = (bw + 3) & ~3
    pixels = b"".join(bytes([min(255, y * 256 // bh)] * bw) + b"\0" * (row_bytes - bw)
                      for y in range(bh))
    info = struct.pack("<IiiHHIIiiII", 40, bw, bh, 1, 8, 0, len(pixels), 3780, 3780, 256, 0)
    offset = 14 + len(info) + len(palette)
    bmp = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette + pixels
    save(out, "PARCHMENT.BMP", bmp)


if __name__ == "__main__":
    clip_art()
    background_art()
