#!/usr/bin/env python3
"""Draws Scrivlet's window icon, a child's face on dark navy, and writes it to scrivlet.ico
beside this script: two 32x32 images, 16 colours and 256 colours. Run it again after a change;
the output is the same bytes every time. `--preview` prints both images as text instead.
`--png DIR NAME` draws the same picture in true colour for the desktop's icon theme instead:
DIR/SIZExSIZE/apps/NAME.png at each size of HICOLOR_SIZES (the build does this)."""

import math
import os
import struct
import sys
import zlib

SIZE = 32
HERE = os.path.dirname(os.path.abspath(__file__))

# The 16-colour palette, by hand. Each drawn part of the picture names one of these.
NAVY, NAVY_LIGHT, SKIN_LIGHT, SKIN, SKIN_SHADE, HAIR, HAIR_LIGHT, EYE, WHITE, CHEEK, MOUTH = range(11)
PALETTE16 = [
    (18, 22, 58), (34, 42, 92), (255, 224, 196), (246, 196, 160), (214, 156, 122),
    (122, 70, 34), (170, 108, 52), (36, 26, 34), (255, 255, 255), (240, 130, 140), (190, 56, 72),
] + [(0, 0, 0)] * 5
PREVIEW_CHARS = " .oO0Hh@*+m"  # one per named colour above, for --preview

FACE_X, FACE_Y, FACE_R = 16.0, 17.0, 12.5
LIGHT = (-0.45, -0.55, 0.70)  # from the upper left, towards the viewer


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(p + (q - p) * t for p, q in zip(a, b))


def ellipse(x, y, cx, cy, rx, ry):
    """Below 1 inside the ellipse, above 1 outside."""
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2


def shaded_skin(x, y, cx, cy, r):
    """Skin lit as a ball of radius r: the colour, and the nearest of the three hand-picked skins."""
    nx, ny = (x - cx) / r, (y - cy) / r
    nz = math.sqrt(max(0.0, 1.0 - nx * nx - ny * ny))
    lit = max(0.0, nx * LIGHT[0] + ny * LIGHT[1] + nz * LIGHT[2]) / math.hypot(*LIGHT)
    rgb = mix(PALETTE16[SKIN_SHADE], PALETTE16[SKIN], lit * 1.6) if lit < 0.62 else \
        mix(PALETTE16[SKIN], PALETTE16[SKIN_LIGHT], (lit - 0.62) * 3.0)
    key = SKIN_SHADE if lit < 0.42 else SKIN_LIGHT if lit > 0.86 else SKIN
    return key, rgb


def paint(x, y):
    """The picture at one point: (16-colour key, true colour)."""
    # Background: navy, in 256 colours a little lighter behind the head.
    key, rgb = NAVY, mix(PALETTE16[NAVY], PALETTE16[NAVY_LIGHT], 1.0 - math.hypot(x - 16, y - 15) / 20)

    # Ears, then the face over them.
    for ex in (FACE_X - FACE_R, FACE_X + FACE_R):
        if ellipse(x, y, ex, 18, 2.2, 3.0) < 1:
            key, rgb = shaded_skin(x, y, ex, 18, 3.0)
    if ellipse(x, y, FACE_X, FACE_Y, FACE_R, FACE_R) >= 1:
        return hair(x, y, key, rgb)
    key, rgb = shaded_skin(x, y, FACE_X, FACE_Y, FACE_R)

    # Rosy cheeks, strongest in the middle and fading out.
    for cx in (8.5, 23.5):
        blush = 1.0 - math.hypot(x - cx, y - 21.5) / 3.4
        if blush > 0:
            rgb = mix(rgb, PALETTE16[CHEEK], blush * 1.4)
            if blush > 0.3:
                key = CHEEK

    # Eyes: dark ovals, each with a white glint up and to the left.
    for cx in (11.0, 21.0):
        if ellipse(x, y, cx, 17.0, 1.9, 2.5) < 1:
            key, rgb = EYE, PALETTE16[EYE]
            if ellipse(x, y, cx - 0.6, 16.0, 0.9, 0.9) < 1:
                key, rgb = WHITE, PALETTE16[WHITE]

    # A small smile: the lower part of a ring.
    d = math.hypot(x - 16, y - 20.5)
    if 3.4 < d < 4.6 and y > 22.3:
        key, rgb = MOUTH, PALETTE16[MOUTH]
    return hair(x, y, key, rgb)


def hair(x, y, key, rgb):
    """A fringe with a wavy edge across the top of the head, and one curl sticking up."""
    fringe = 8.6 + 1.3 * math.cos((x - 16) * 1.15)
    on_head = ellipse(x, y, FACE_X, FACE_Y - 0.3, FACE_R + 0.3, FACE_R + 0.3) < 1
    ring = math.hypot(x - 17.5, y - 3.2)
    curl = 1.0 < ring < 2.3 and not (x > 17.5 and y > 3.2)
    if (on_head and y < fringe) or curl:
        sheen = ellipse(x, y, 12.5, 6.5, 4.0, 1.6) < 1
        key = HAIR_LIGHT if sheen else HAIR
        rgb = mix(PALETTE16[HAIR], PALETTE16[HAIR_LIGHT], 1.0 - ellipse(x, y, 12.5, 6.5, 5.0, 2.5))
    return key, rgb


def ramp(a, b, n):
    return [mix(a, b, i / (n - 1)) for i in range(n)]


def palette256():
    """Ramps between the colours that meet in the picture, so shading and soft edges have shades to use."""
    p = PALETTE16
    colours = (ramp(p[NAVY], p[NAVY_LIGHT], 16) + ramp(p[SKIN_SHADE], p[SKIN], 32) + ramp(p[SKIN], p[SKIN_LIGHT], 24)
               + ramp(p[SKIN], p[CHEEK], 20) + ramp(p[SKIN_SHADE], p[CHEEK], 12) + ramp(p[HAIR], p[HAIR_LIGHT], 16)
               + ramp(p[NAVY], p[SKIN_SHADE], 20) + ramp(p[NAVY_LIGHT], p[SKIN], 16) + ramp(p[NAVY], p[HAIR], 12)
               + ramp(p[HAIR], p[SKIN], 16) + ramp(p[HAIR_LIGHT], p[SKIN_LIGHT], 12) + ramp(p[EYE], p[SKIN], 16)
               + ramp(p[EYE], p[WHITE], 12) + ramp(p[MOUTH], p[SKIN], 16) + ramp(p[MOUTH], p[CHEEK], 8))
    colours = [tuple(round(c) for c in rgb) for rgb in colours]
    return (colours + [(0, 0, 0)] * 256)[:256]


def render():
    """Both images as rows of palette indices, top row first."""
    keys, pal, image256 = [], palette256(), []
    for py in range(SIZE):
        keys.append([paint(px + 0.5, py + 0.5)[0] for px in range(SIZE)])
        row = []
        for px in range(SIZE):
            # 4x4 samples per pixel give soft edges; then the nearest palette colour.
            samples = [paint(px + (i + 0.5) / 4, py + (j + 0.5) / 4)[1] for i in range(4) for j in range(4)]
            rgb = [sum(s[c] for s in samples) / 16 for c in range(3)]
            row.append(min(range(256), key=lambda i: sum((pal[i][c] - rgb[c]) ** 2 for c in range(3))))
        image256.append(row)
    return keys, image256, pal


def icon_image(rows, palette, bits):
    """One BMP-style icon image: header, palette, colour bitmap and an all-opaque mask, rows bottom-up."""
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, bits, 0, 0, 0, 0, 0, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    per_byte = 8 // bits
    pixels = b""
    for row in reversed(rows):
        for i in range(0, SIZE, per_byte):
            byte = 0
            for v in row[i:i + per_byte]:
                byte = (byte << bits) | v
            pixels += bytes([byte])
    mask = bytes(SIZE * 4)  # 32 one-bit pixels make 4 bytes, already a multiple of 4
    return header + colours + pixels + mask


def icon_file(images):
    """ICONDIR, one ICONDIRENTRY per (image bytes, colour count, bits), then the images."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for data, count, bits in images:
        out += struct.pack("<BBBBHHII", SIZE, SIZE, count, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for data, _, _ in images)


HICOLOR_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def true_colour_rows(size):
    """The picture at size x size in true colour, top row first. Each pixel is the mean of n x n
    samples, fewer at the large sizes, where an edge crosses more pixels of its own."""
    scale, n = SIZE / size, 4 if size <= 48 else 2
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            samples = [paint((px + (i + 0.5) / n) * scale, (py + (j + 0.5) / n) * scale)[1]
                       for i in range(n) for j in range(n)]
            row += bytes(round(sum(s[c] for s in samples) / (n * n)) for c in range(3))
        rows.append(bytes(row))
    return rows


def png_file(rows, size):
    """An 8-bit RGB PNG of the rows; no time or text chunks, so the bytes depend on the picture alone."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_pngs(folder, name):
    for size in HICOLOR_SIZES:
        apps = os.path.join(folder, "%dx%d" % (size, size), "apps")
        os.makedirs(apps, exist_ok=True)
        with open(os.path.join(apps, name + ".png"), "wb") as f:
            f.write(png_file(true_colour_rows(size), size))


def preview(keys, image256, pal):
    print("16 colours:")
    for row in keys:
        print("".join(PREVIEW_CHARS[k] * 2 for k in row))
    print("256 colours, by brightness:")
    shades = " .:-=+*#%@"
    for row in image256:
        print("".join(shades[min(9, int(sum(pal[i]) / 766 * 10))] * 2 for i in row))


def main():
    if sys.argv[1:2] == ["--png"]:
        if len(sys.argv) != 4:
            sys.exit("usage: make_icon.py --png DIR NAME")
        write_pngs(sys.argv[2], sys.argv[3])
        return
    keys, image256, pal = render()
    if "--preview" in sys.argv[1:]:
        preview(keys, image256, pal)
        return
    data = icon_file([(icon_image(keys, PALETTE16, 4), 16, 4), (icon_image(image256, pal, 8), 0, 8)])
    with open(os.path.join(HERE, "scrivlet.ico"), "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
