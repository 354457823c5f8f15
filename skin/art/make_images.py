#!/usr/bin/env python3
"""Draws every PNG the default skins name, into the given folder.

Usage: make_images.py <skin folder> <output folder>

The skins are the one list of what is needed: each image name a skin uses
says what to draw.
  btn-<icon>-<size>-<look>.png   a square button of <size> pixels with the
                                 glyph <icon> (see GLYPHS), in one of the
                                 looks normal, hover, pressed, disabled
  plate-<width>x<height>.png     the body of a remote: a rounded plate whose
                                 corners are transparent (per-pixel alpha)
Shapes are given in a unit square and sampled 4 x 4 per pixel, so edges are
smooth. Only the standard library is used (zlib for the PNG data).
"""
import math
import re
import struct
import sys
import zlib
from pathlib import Path

SAMPLES = 4


# ---- shapes in unit coordinates: each is a function (u, v) -> bool ----
def poly(*points):
    def inside(u, v):
        hit = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > v) != (yj > v) and u < (xj - xi) * (v - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def box(x0, y0, x1, y1):
    return lambda u, v: x0 <= u <= x1 and y0 <= v <= y1


def disc(cx, cy, r):
    return lambda u, v: (u - cx) ** 2 + (v - cy) ** 2 <= r * r


def ring(cx, cy, r, w, a0=0, a1=360):
    def inside(u, v):
        d = math.hypot(u - cx, v - cy)
        if abs(d - r) > w / 2:
            return False
        angle = math.degrees(math.atan2(v - cy, u - cx))
        return (angle - a0) % 360 <= a1 - a0
    return inside


def seg(x0, y0, x1, y1, w):
    def inside(u, v):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((u - x0) * dx + (v - y0) * dy) / (dx * dx + dy * dy)))
        return math.hypot(u - (x0 + t * dx), v - (y0 + t * dy)) <= w / 2
    return inside


def minus(shape):
    shape.subtract = True
    return shape


SPEAKER = poly((0.14, 0.40), (0.27, 0.40), (0.44, 0.24), (0.44, 0.76), (0.27, 0.60), (0.14, 0.60))
BAR = box(0.22, 0.70, 0.78, 0.79)

GLYPHS = {
    "chup": [poly((0.5, 0.25), (0.79, 0.68), (0.21, 0.68))],
    "chdown": [poly((0.21, 0.32), (0.79, 0.32), (0.5, 0.75))],
    "srcprev": [poly((0.28, 0.5), (0.66, 0.23), (0.66, 0.77))],
    "srcnext": [poly((0.72, 0.5), (0.34, 0.23), (0.34, 0.77))],
    "volup": [SPEAKER, seg(0.55, 0.5, 0.85, 0.5, 0.11), seg(0.70, 0.35, 0.70, 0.65, 0.11)],
    "voldown": [SPEAKER, seg(0.55, 0.5, 0.85, 0.5, 0.11)],
    "mute": [SPEAKER, seg(0.56, 0.37, 0.82, 0.63, 0.09), seg(0.56, 0.63, 0.82, 0.37, 0.09)],
    "stereo": [ring(0.37, 0.5, 0.19, 0.08), ring(0.63, 0.5, 0.19, 0.08)],
    "new": [seg(0.5, 0.24, 0.5, 0.76, 0.14), seg(0.24, 0.5, 0.76, 0.5, 0.14)],
    "edit": [seg(0.34, 0.66, 0.70, 0.30, 0.17), poly((0.22, 0.78), (0.25, 0.60), (0.40, 0.75)),
             minus(seg(0.61, 0.39, 0.65, 0.35, 0.2))],
    "scan": [ring(0.43, 0.43, 0.19, 0.08), seg(0.58, 0.58, 0.77, 0.77, 0.13)],
    "dock": [BAR, poly((0.5, 0.65), (0.29, 0.43), (0.42, 0.43), (0.42, 0.21), (0.58, 0.21), (0.58, 0.43),
                       (0.71, 0.43))],
    "undock": [BAR, poly((0.5, 0.21), (0.71, 0.43), (0.58, 0.43), (0.58, 0.63), (0.42, 0.63), (0.42, 0.43),
                         (0.29, 0.43))],
    "hide": [BAR, seg(0.32, 0.34, 0.5, 0.52, 0.11), seg(0.5, 0.52, 0.68, 0.34, 0.11)],
    "close": [seg(0.29, 0.29, 0.71, 0.71, 0.13), seg(0.29, 0.71, 0.71, 0.29, 0.13)],
    "cancel": [seg(0.29, 0.29, 0.71, 0.71, 0.13), seg(0.29, 0.71, 0.71, 0.29, 0.13)],
    "help": [ring(0.5, 0.37, 0.15, 0.1, 160, 440), seg(0.5, 0.52, 0.5, 0.60, 0.1), disc(0.5, 0.75, 0.065)],
    "min": [box(0.24, 0.64, 0.76, 0.74)],
    "max": [box(0.22, 0.26, 0.78, 0.74), minus(box(0.30, 0.38, 0.70, 0.66))],
    "scanup": [poly((0.20, 0.28), (0.48, 0.5), (0.20, 0.72)), poly((0.50, 0.28), (0.78, 0.5), (0.50, 0.72))],
    "scandown": [poly((0.80, 0.28), (0.52, 0.5), (0.80, 0.72)), poly((0.50, 0.28), (0.22, 0.5), (0.50, 0.72))],
    "fineup": [poly((0.38, 0.30), (0.66, 0.5), (0.38, 0.70))],
    "finedown": [poly((0.62, 0.30), (0.34, 0.5), (0.62, 0.70))],
    "okay": [seg(0.24, 0.52, 0.42, 0.70, 0.13), seg(0.42, 0.70, 0.77, 0.30, 0.13)],
    "remove": [box(0.32, 0.38, 0.68, 0.78), box(0.24, 0.27, 0.76, 0.33), box(0.42, 0.21, 0.58, 0.27),
               minus(box(0.40, 0.45, 0.45, 0.71)), minus(box(0.55, 0.45, 0.60, 0.71))],
}

# face top, face bottom, outline, glyph, glyph offset (pixels down)
LOOKS = {
    "normal": ((78, 89, 104), (42, 49, 59), (12, 15, 19), (232, 238, 244), 0),
    "hover": ((70, 148, 220), (33, 92, 152), (12, 28, 48), (255, 255, 255), 0),
    "pressed": ((25, 66, 110), (44, 108, 168), (8, 18, 32), (214, 232, 255), 1),
    "disabled": ((55, 60, 67), (47, 52, 58), (28, 32, 36), (104, 113, 125), 0),
}


def in_round_rect(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def draw_button(icon, size, look):
    top, bottom, outline, ink, shift = LOOKS[look]
    shapes = GLYPHS[icon]
    radius = max(3.0, size / 5)
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            outer = inner = glyph = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    if not in_round_rect(x, y, 0, 0, size, size, radius):
                        continue
                    outer += 1
                    if in_round_rect(x, y, 1, 1, size - 1, size - 1, radius - 1):
                        inner += 1
                        u, v = x / size, (y - shift) / size
                        hit = False
                        for shape in shapes:
                            if getattr(shape, "subtract", False):
                                if hit and shape(u, v):
                                    hit = False
                            elif shape(u, v):
                                hit = True
                        glyph += hit
            n = SAMPLES * SAMPLES
            if outer == 0:
                row.append((0, 0, 0, 0))
                continue
            face = mix(top, bottom, py / max(size - 1, 1))
            if py == 1:  # a lit top edge gives the button its depth
                face = mix(face, (255, 255, 255), 0.18)
            colour = mix(outline, face, inner / outer)
            colour = mix(colour, ink, glyph / outer)
            row.append(tuple(int(round(c)) for c in colour) + (int(round(255 * outer / n)),))
        pixels.append(row)
    return pixels


def draw_plate(width, height):
    radius = 14
    pixels = []
    for py in range(height):
        row = []
        for px in range(width):
            outer = inner = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    if in_round_rect(x, y, 0, 0, width, height, radius):
                        outer += 1
                        if in_round_rect(x, y, 1.5, 1.5, width - 1.5, height - 1.5, radius - 1.5):
                            inner += 1
            if outer == 0:
                row.append((0, 0, 0, 0))
                continue
            t = py / (height - 1)
            face = mix((66, 76, 89), (28, 33, 40), t)
            # a soft sheen across the upper third
            face = mix(face, (255, 255, 255), max(0.0, 0.10 - abs(t - 0.18) * 0.5))
            edge = mix((120, 132, 148), (10, 12, 15), t)
            colour = mix(edge, face, inner / outer)
            row.append(tuple(int(round(c)) for c in colour) + (int(round(255 * outer / (SAMPLES * SAMPLES))),))
        pixels.append(row)
    return pixels


def write_png(path, pixels):
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    path.write_bytes(png)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    skins, out = Path(sys.argv[1]), Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    names = set()
    for skin in sorted(skins.glob("*.skn")):
        for line in skin.read_text(encoding="utf-8").splitlines():
            words = line.split()
            if len(words) == 3 and words[0] == "image":
                names.add(words[2])
            elif len(words) == 2 and words[0] == "images":
                names.update(f"{words[1]}-{look}.png" for look in LOOKS)
    for name in sorted(names):
        button = re.fullmatch(r"btn-([a-z]+)-(\d+)-([a-z]+)\.png", name)
        plate = re.fullmatch(r"plate-(\d+)x(\d+)\.png", name)
        if button and button.group(1) in GLYPHS and button.group(3) in LOOKS:
            pixels = draw_button(button.group(1), int(button.group(2)), button.group(3))
        elif plate:
            pixels = draw_plate(int(plate.group(1)), int(plate.group(2)))
        else:
            sys.exit(f"make_images.py: no drawing for {name}")
        write_png(out / name, pixels)


if __name__ == "__main__":
    main()
