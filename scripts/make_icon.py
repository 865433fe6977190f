#!/usr/bin/env python3
"""Draws Torvane's icon (a lightning bolt on a blue rounded tile) into an .ico
with 16, 32 and 48 pixel images. Usage: make_icon.py OUT.ico"""
import struct
import sys

BOLT = [(0.58, 0.10), (0.26, 0.56), (0.47, 0.56), (0.40, 0.90), (0.74, 0.42), (0.53, 0.42), (0.62, 0.10)]
TOP = (0x2F, 0x80, 0xED)
BOTTOM = (0x12, 0x3E, 0x9C)
SAMPLES = 4


def inside_rounded(x, y, radius=0.22, margin=0.04):
    lo, hi = margin, 1 - margin
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside_polygon(x, y, points):
    hit = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


def pixel(size, px, py):
    tile = bolt = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = (px + (sx + 0.5) / SAMPLES) / size
            y = (py + (sy + 0.5) / SAMPLES) / size
            if inside_rounded(x, y):
                tile += 1
                if inside_polygon(x, y, BOLT):
                    bolt += 1
    total = SAMPLES * SAMPLES
    if tile == 0:
        return (0, 0, 0, 0)
    t = py / max(size - 1, 1)
    base = [round(TOP[i] * (1 - t) + BOTTOM[i] * t) for i in range(3)]
    share = bolt / tile
    colour = [round(c * (1 - share) + 255 * share) for c in base]
    return (colour[0], colour[1], colour[2], round(255 * tile / total))


def image(size):
    rows = []
    for py in reversed(range(size)):  # bottom-up rows
        row = b"".join(struct.pack("BBBB", b, g, r, a) for (r, g, b, a) in (pixel(size, px, py) for px in range(size)))
        rows.append(row)
    mask_stride = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + b"\0" * (mask_stride * size)


def main():
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
