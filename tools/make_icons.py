#!/usr/bin/env python3
"""Draw the program's icons procedurally and write them as classic 16-colour .ico files.

Standard library only, so the icons can be regenerated on any machine; the output is
byte-for-byte deterministic (no timestamps, no randomness).

Usage: python3 tools/make_icons.py [output_dir]
"""

import math
import os
import struct
import sys

# Standard Windows 16-colour VGA palette as (R, G, B); the indices below name it.
PALETTE = [
    (0x00, 0x00, 0x00),  # 0 black
    (0x80, 0x00, 0x00),  # 1 maroon
    (0x00, 0x80, 0x00),  # 2 green
    (0x80, 0x80, 0x00),  # 3 olive
    (0x00, 0x00, 0x80),  # 4 navy
    (0x80, 0x00, 0x80),  # 5 purple
    (0x00, 0x80, 0x80),  # 6 teal
    (0xC0, 0xC0, 0xC0),  # 7 silver
    (0x80, 0x80, 0x80),  # 8 gray
    (0xFF, 0x00, 0x00),  # 9 red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 fuchsia
    (0x00, 0xFF, 0xFF),  # 14 aqua
    (0xFF, 0xFF, 0xFF),  # 15 white
]
BLACK, MAROON, OLIVE, NAVY, PURPLE = 0, 1, 3, 4, 5
RED, YELLOW, BLUE, FUCHSIA, WHITE = 9, 11, 12, 13, 15

TRANSPARENT = None


# --- geometry helpers -------------------------------------------------------

def star_polygon(cx, cy, r_outer, r_inner, points=5, rotation=-math.pi / 2):
    verts = []
    for i in range(points * 2):
        r = r_outer if i % 2 == 0 else r_inner
        a = rotation + i * math.pi / points
        verts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return verts


def inside_polygon(x, y, verts):
    # Even-odd ray casting; exact enough for pixel-centre sampling.
    inside = False
    j = len(verts) - 1
    for i in range(len(verts)):
        xi, yi = verts[i]
        xj, yj = verts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def dist_to_polygon_edge(x, y, verts):
    best = float("inf")
    for i in range(len(verts)):
        ax, ay = verts[i]
        bx, by = verts[(i + 1) % len(verts)]
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        best = min(best, math.hypot(x - (ax + t * dx), y - (ay + t * dy)))
    return best


# --- pictures ---------------------------------------------------------------
# Each painter maps a pixel centre (x, y, in pixels, y down) of a size x size
# image to a palette index or TRANSPARENT. Shapes are laid out on a 32-unit grid
# and scaled, but stroke widths have a 1-pixel floor so 16x16 stays legible.

def paint_face(x, y, size):
    s = size / 32.0
    u, v = x / s, y / s          # position in 32-grid units
    line = max(1.0, 1.4 * s) / s  # stroke width in grid units

    # Star sits on the upper-right rim, drawn on top of the face.
    # At 16x16 an outline would eat the whole star, so it grows and goes flat.
    small = size < 32
    star = star_polygon(25.0, 6.5, 7.4, 3.4) if small else star_polygon(25.0, 6.5, 6.3, 2.7)
    if inside_polygon(u, v, star):
        if not small and dist_to_polygon_edge(u, v, star) < line * 0.75:
            return PURPLE
        return FUCHSIA

    fx, fy, fr = 15.0, 17.0, 13.6
    d = math.hypot(u - fx, v - fy)
    if d > fr:
        return TRANSPARENT
    if d > fr - line:
        return OLIVE

    # Eyes: upright ovals, with a white glint on the big icon.
    for ex in (11.0, 19.0):  # symmetric about fx so 16x16 lands on whole pixels
        ey = 13.5
        if ((u - ex) / 1.8) ** 2 + ((v - ey) / 2.6) ** 2 <= 1.0:
            if size >= 32 and math.hypot(u - (ex - 0.5), v - (ey - 1.0)) < 0.8:
                return WHITE
            return BLACK

    # Rosy cheeks under the eyes.
    for cx in (6.5, 23.5):
        if ((u - cx) / 2.2) ** 2 + ((v - 19.5) / 1.4) ** 2 <= 1.0:
            return RED

    # Wide smile: lower arc of a ring.
    md = math.hypot(u - fx, v - 15.5)
    if v > 19.0 and 7.0 - line * 0.5 <= md <= 7.0 + line * 0.6:
        return MAROON if size >= 32 else BLACK

    return YELLOW


def paint_bubble(x, y, size):
    s = size / 32.0
    u, v = x / s, y / s
    line = max(1.0, 1.4 * s) / s

    # Speech bubble: an ellipse body plus a tail poking down-left.
    bx, by, rx, ry = 16.0, 13.5, 14.6, 11.6
    e = ((u - bx) / rx) ** 2 + ((v - by) / ry) ** 2
    tail = [(6.0, 20.0), (13.0, 23.0), (3.0, 31.0)]
    in_body = e <= 1.0
    in_tail = inside_polygon(u, v, tail)
    if not (in_body or in_tail):
        return TRANSPARENT

    # Outline: near the ellipse boundary (outside the tail) or the tail's outer edges.
    ring = (e ** 0.5) > 1.0 - line / min(rx, ry)
    tail_edge = in_tail and not in_body and dist_to_polygon_edge(u, v, tail) < line * 0.8
    if (in_body and ring and not in_tail) or tail_edge:
        return NAVY

    # White exclamation mark: tapering bar and a round dot.
    if 5.0 <= v <= 15.5 and abs(u - bx) <= 2.2 - (v - 5.0) * 0.09:
        return WHITE
    if math.hypot(u - bx, v - 19.5) <= 1.9:
        return WHITE

    return BLUE


# --- ICO encoding -----------------------------------------------------------

def render(painter, size):
    return [[painter(x + 0.5, y + 0.5, size) for x in range(size)] for y in range(size)]


def encode_image(pixels):
    """One BMP-in-ICO image: BITMAPINFOHEADER, palette, 4-bpp XOR, 1-bpp AND."""
    size = len(pixels)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4

    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # DIB rows are stored bottom-up
        xor = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, idx in enumerate(row):
            if idx is TRANSPARENT:
                # Colour 0 under a set mask bit is what makes the pixel see-through.
                mask[x // 8] |= 0x80 >> (x % 8)
                idx = 0
            xor[x // 2] |= idx << (4 if x % 2 == 0 else 0)
        xor_rows.append(bytes(xor))
        and_rows.append(bytes(mask))
    xor_data = b"".join(xor_rows)
    and_data = b"".join(and_rows)

    header = struct.pack(
        "<IiiHHIIiiII",
        40,                            # biSize
        size,                          # biWidth
        size * 2,                      # biHeight covers XOR + AND halves
        1,                             # biPlanes
        4,                             # biBitCount
        0,                             # biCompression = BI_RGB
        len(xor_data) + len(and_data),  # biSizeImage
        0, 0,                          # resolution unused for icons
        0, 0,                          # 0 = full palette for the bit depth
    )
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    assert len(header) == 40 and len(palette) == 64
    return header + palette + xor_data + and_data


def build_ico(images):
    """images: list of (size, encoded image bytes), written in the given order."""
    count = len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, count))
    offset = 6 + 16 * count
    for size, data in images:
        out += struct.pack(
            "<BBBBHHII",
            size % 256, size % 256,  # 256 would be stored as 0
            16, 0,                   # bColorCount, bReserved
            1, 4,                    # wPlanes, wBitCount
            len(data), offset,
        )
        offset += len(data)
    for _, data in images:
        out += data
    return bytes(out)


EXPECTED_IMAGE_BYTES = {32: 40 + 64 + 512 + 128, 16: 40 + 64 + 128 + 64}


def make_icon(painter, sizes):
    images = []
    for size in sizes:
        data = encode_image(render(painter, size))
        assert len(data) == EXPECTED_IMAGE_BYTES[size], (size, len(data))
        images.append((size, data))
    ico = build_ico(images)
    assert len(ico) == 6 + 16 * len(sizes) + sum(EXPECTED_IMAGE_BYTES[s] for s in sizes)
    return ico


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "src", "resources", "icons")
    os.makedirs(out_dir, exist_ok=True)

    targets = [
        ("kimoro.ico", paint_face, (32, 16)),
        ("about.ico", paint_bubble, (32,)),
    ]
    for name, painter, sizes in targets:
        ico = make_icon(painter, sizes)
        path = os.path.join(out_dir, name)
        with open(path, "wb") as f:
            f.write(ico)
        print(f"wrote {path} ({len(ico)} bytes)")


if __name__ == "__main__":
    main()
