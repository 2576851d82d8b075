#!/usr/bin/env python3
"""Writes the bundled sample: a painted rose window (rose.bmp) and the
pattern traced over it (rose.pat), 8 by 8 inches."""
import math
import struct

SIZE_PX = 400          # picture pixels per side
DPI = 50               # so the picture measures 8 inches
TWIPS = 1440 * 8       # pattern side in twips
SEGMENT = 100          # trace segment length in twips


def rose_radius(theta):
    return 0.42 * abs(math.cos(3 * theta))


def bmp(path):
    rows = []
    for y in range(SIZE_PX - 1, -1, -1):
        row = bytearray()
        for x in range(SIZE_PX):
            u = (x + 0.5) / SIZE_PX - 0.5
            v = (y + 0.5) / SIZE_PX - 0.5
            r = math.hypot(u, v)
            t = math.atan2(v, u)
            if r < 0.06:
                rgb = (250, 210, 60)
            elif r < rose_radius(t):
                rgb = (200, 40 + int(120 * r), 70)
            elif r < 0.45:
                rgb = (60, 110, 190)
            else:
                rgb = (235, 230, 215)
            row += bytes((rgb[2], rgb[1], rgb[0]))
        row += b"\0" * ((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    ppm = round(DPI / 0.0254)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE_PX, SIZE_PX, 1, 24, 0, len(pixels), ppm, ppm, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def traced_rose():
    points = []
    steps = 2000
    for i in range(steps + 1):
        t = 2 * math.pi * i / steps
        r = rose_radius(t) * TWIPS
        points.append((TWIPS / 2 + r * math.cos(t), TWIPS / 2 - r * math.sin(t)))
    lines, anchor = [], points[0]
    for p in points[1:]:
        if math.dist(anchor, p) >= SEGMENT:
            lines.append((*anchor, *p))
            anchor = p
    return lines


def counted(text):
    data = text.encode("cp1252")
    return struct.pack("<h", len(data)) + data


def pattern(path, picture):
    out = counted("Tessary") + struct.pack("<hhh", 2, 1, 1) + counted("12/6/2026 9:00:00 AM")
    out += struct.pack("<7fih", 0.5, 0.5, 0.5, 0.5, 8, 8, 1 / 64, 0, -1) + counted("1/64")
    out += struct.pack("<3fhh", 1, 300, 300, 0, 0)
    lines = traced_rose()
    out += struct.pack("<h", len(lines)) + b"".join(struct.pack("<4f", *l) for l in lines)
    c = TWIPS / 2
    shapes = [(3, c - 0.06 * TWIPS, c - 0.06 * TWIPS, 0.12 * TWIPS, 0.12 * TWIPS),
              (3, c - 0.45 * TWIPS, c - 0.45 * TWIPS, 0.9 * TWIPS, 0.9 * TWIPS),
              (0, 0.02 * TWIPS, 0.02 * TWIPS, 0.96 * TWIPS, 0.96 * TWIPS)]
    out += struct.pack("<h", len(shapes)) + b"".join(struct.pack("<h4f", *s) for s in shapes)
    data = open(picture, "rb").read()
    out += struct.pack("<hf", -1, len(data)) + data
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    bmp("rose.bmp")
    pattern("rose.pat", "rose.bmp")
