#!/usr/bin/env python3
"""Writes velloro.ico (16, 32 and 48 pixels, 24 bits) and banner.bmp (326 x 99, 24 bits) next to
this script. Standard library only, so the pictures can be rebuilt on any machine."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

OUTLINE = (74, 85, 104)
PAGE_TOP = (255, 255, 255)
PAGE_BOTTOM = (232, 238, 248)
FOLD = (208, 216, 230)
TEXT_LINE = (126, 164, 228)
V_TOP = (44, 104, 214)
V_BOTTOM = (20, 62, 150)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


# The 16-pixel icon is placed by hand: scaled-down shapes turn to mush at this size.
ICON16 = [
    ".ooooooooo......",
    ".owwwwwwwoo.....",
    ".owllllwwofo....",
    ".owwwwwwwoffo...",
    ".owlllllwofffo..",
    ".owwwwwwwoooooo.",
    ".owwwwwwwwwwwwo.",
    ".owVVVwwwwVVVwo.",
    ".owvVVvwwvVVvwo.",
    ".owwVVVwwVVVwwo.",
    ".owwvVVvvVVvwwo.",
    ".owwwVVVVVVwwwo.",
    ".owwwvVVVVvwwwo.",
    ".owwwwVVVVwwwwo.",
    ".owwwwvVVvwwwwo.",
    ".oooooooooooooo.",
]


def icon16():
    colours = {"o": OUTLINE, "w": PAGE_TOP, "f": FOLD, "l": TEXT_LINE}
    pixels = []
    for y, row in enumerate(ICON16):
        assert len(row) == 16
        line = []
        for ch in row:
            if ch == ".":
                line.append(None)
            elif ch in "Vv":
                # "v" is a half-covered pixel that smooths the steps of the arms.
                solid = mix(V_TOP, V_BOTTOM, (y - 7) / 7)
                line.append(solid if ch == "V" else mix(PAGE_TOP, solid, 0.5))
            else:
                line.append(colours[ch])
        pixels.append(line)
    return pixels


def inside_polygon(px, py, points):
    inside = False
    n = len(points)
    for i in range(n):
        x1, y1 = points[i]
        x2, y2 = points[(i + 1) % n]
        if (y1 > py) != (y2 > py):
            if px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                inside = not inside
    return inside


def coverage(x, y, points, samples=4):
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            if inside_polygon(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples, points):
                hits += 1
    return hits / (samples * samples)


def v_polygon(left, top, right, bottom, stroke, foot):
    cx = (left + right) / 2
    return [
        (left, top),
        (left + stroke, top),
        (cx, bottom - foot * 1.6),
        (right - stroke, top),
        (right, top),
        (cx + foot / 2, bottom),
        (cx - foot / 2, bottom),
    ]


def page_icon(size, left, top, right, bottom, fold, lines, v_box, stroke):
    """A page with a folded top-right corner, text lines and a bold V, drawn for larger sizes."""
    pixels = [[None] * size for _ in range(size)]
    fold_x = right - fold
    for y in range(top, bottom + 1):
        page_colour = mix(PAGE_TOP, PAGE_BOTTOM, (y - top) / (bottom - top))
        for x in range(left, right + 1):
            if y < top + fold and x > fold_x + (y - top):
                continue  # cut off by the fold
            edge = x in (left, right) or y in (top, bottom)
            diagonal = y < top + fold and x == fold_x + (y - top)
            if edge or diagonal:
                pixels[y][x] = OUTLINE
            elif y <= top + fold and x >= fold_x:
                pixels[y][x] = OUTLINE if (x == fold_x or y == top + fold) else FOLD
            else:
                pixels[y][x] = page_colour
    for ly, lx0, lx1, height in lines:
        for y in range(ly, ly + height):
            for x in range(lx0, lx1 + 1):
                pixels[y][x] = TEXT_LINE
    vl, vt, vr, vb = v_box
    shape = v_polygon(vl, vt, vr, vb, stroke, stroke * 0.9)
    for y in range(int(vt), int(vb) + 1):
        for x in range(int(vl), int(vr) + 1):
            c = coverage(x, y, shape)
            if c > 0 and pixels[y][x] is not None:
                colour = mix(V_TOP, V_BOTTOM, (y - vt) / (vb - vt))
                pixels[y][x] = mix(pixels[y][x], colour, c)
    return pixels


def icon32():
    return page_icon(32, 3, 1, 28, 30, 8,
                     lines=[(5, 6, 16, 2), (9, 6, 18, 2)],
                     v_box=(6.5, 13, 25.5, 28), stroke=5.5)


def icon48():
    return page_icon(48, 5, 2, 42, 45, 11,
                     lines=[(8, 9, 25, 3), (14, 9, 28, 3)],
                     v_box=(10, 20, 38, 42), stroke=8)


def icon_image(pixels):
    """BITMAPINFOHEADER, 24-bit colour rows and the 1-bit mask, both bottom-up."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 24, 0, 0, 0, 0, 0, 0)
    colour_row = (size * 3 + 3) // 4 * 4
    mask_row = ((size + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        bits = bytearray(mask_row)
        for x, p in enumerate(row):
            if p is None:
                line += b"\0\0\0"
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                line += bytes((p[2], p[1], p[0]))
        line += bytes(colour_row - len(line))
        colour += line
        mask += bits
    data = header + colour + mask
    expected = 40 + size * colour_row + size * mask_row
    assert len(data) == expected
    return data


def write_icon(path, images):
    entries = bytearray()
    blobs = bytearray()
    offset = 6 + 16 * len(images)
    for pixels in images:
        data = icon_image(pixels)
        size = len(pixels)
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(data), offset + len(blobs))
        blobs += data
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)
    return [len(icon_image(p)) for p in images]


# A small block font, five columns by seven rows per glyph.
FONT = {
    "V": ["X...X", "X...X", "X...X", "X...X", ".X.X.", ".X.X.", "..X.."],
    "B": ["XXXX.", "X...X", "X...X", "XXXX.", "X...X", "X...X", "XXXX."],
    "e": [".....", ".....", ".XXX.", "X...X", "XXXXX", "X....", ".XXXX"],
    "l": [".XX..", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."],
    "o": [".....", ".....", ".XXX.", "X...X", "X...X", "X...X", ".XXX."],
    "r": [".....", ".....", "X.XX.", "XX..X", "X....", "X....", "X...."],
    "v": [".....", ".....", "X...X", "X...X", "X...X", ".X.X.", "..X.."],
    "t": ["..X..", "..X..", "XXXXX", "..X..", "..X..", "..X.X", "...X."],
    "a": [".....", ".....", ".XXX.", "....X", ".XXXX", "X...X", ".XXXX"],
    "0": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "2": [".XXX.", "X...X", "....X", "...X.", "..X..", ".X...", "XXXXX"],
    "3": ["XXXX.", "....X", "....X", ".XXX.", "....X", "....X", "XXXX."],
    ".": [".....", ".....", ".....", ".....", ".....", ".XX..", ".XX.."],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


def draw_text(canvas, text, x0, y0, scale, colour, bold=0, shadow=None):
    """Block letters; bold widens every stroke to the right by that many pixels."""
    cells = set()
    for i, ch in enumerate(text):
        for gy, row in enumerate(FONT[ch]):
            for gx, cell in enumerate(row):
                if cell != "X":
                    continue
                for dy in range(scale):
                    for dx in range(scale + bold):
                        cells.add((x0 + (i * 6 + gx) * scale + dx, y0 + gy * scale + dy))
    height, width = len(canvas), len(canvas[0])
    if shadow:
        step = max(1, scale // 2)
        for x, y in cells:
            if 0 <= x + step < width and 0 <= y + step < height and (x + step, y + step) not in cells:
                canvas[y + step][x + step] = mix(canvas[y + step][x + step], shadow, 0.4)
    for x, y in cells:
        if 0 <= x < width and 0 <= y < height:
            canvas[y][x] = colour


def banner():
    width, height = 326, 99
    dark = (22, 52, 110)
    light = (46, 138, 176)
    glow = (120, 196, 222)
    canvas = []
    for y in range(height):
        row = []
        for x in range(width):
            t = (x / width) * 0.7 + (y / height) * 0.3
            c = mix(dark, light, t)
            # A soft light bow across the right half.
            d = ((x - 300) ** 2 + (y + 160) ** 2) ** 0.5
            if 205 < d < 245:
                c = mix(c, glow, 0.18 * (1 - abs(d - 225) / 20))
            row.append(c)
        canvas.append(row)
    # The program's icon, at its largest size, on the left.
    icon = icon48()
    ix, iy = 20, (height - 48) // 2
    for y in range(48):
        for x in range(48):
            if icon[y][x] is not None:
                canvas[iy + y][ix + x] = icon[y][x]
    draw_text(canvas, "Velloro", 86, 20, 5, (255, 255, 255), bold=2, shadow=(0, 0, 0))
    draw_text(canvas, "v2.0 Beta 3", 88, 66, 2, (214, 236, 248), bold=1, shadow=(0, 0, 0))
    return canvas


def write_bmp(path, canvas):
    height = len(canvas)
    width = len(canvas[0])
    row_size = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(canvas):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(row_size - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def main():
    sizes = write_icon(os.path.join(HERE, "velloro.ico"), [icon16(), icon32(), icon48()])
    assert sizes == [872, 3240, 7336], sizes
    write_bmp(os.path.join(HERE, "banner.bmp"), banner())


if __name__ == "__main__":
    main()
