#!/usr/bin/env python3
"""Draws the kit's icon, a white "V" on a rounded blue tile, and writes vrim.ico
with its four images in resource order: 16x16 at 4 bpp, 16x16 at 8 bpp, 32x32 at
4 bpp, 32x32 at 8 bpp. Standard library only; the output is the same bytes on
every run.  Usage: make_icon.py [OUT.ico]"""
import struct
import sys

# The 16 colours every display has; the 4 bpp images use them as they stand.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
WHITE, NAVY, BLUE = 15, 4, 12
SHADES = 32  # the 8 bpp images shade the tile from light to dark blue


def palette(bpp):
    colours = list(VGA)
    if bpp == 8:
        colours += [(90 - 5 * i // 2, 150 - 7 * i // 2, 255 - 11 * i // 3) for i in range(SHADES)]
        colours += [(0, 0, 0)] * (256 - len(colours))
    return colours


def inside_tile(u, v):
    """Rounded square filling the cell grid; u, v in [0, 1)."""
    r = 0.2
    cx = min(max(u, r), 1 - r)
    cy = min(max(v, r), 1 - r)
    return (u - cx) ** 2 + (v - cy) ** 2 <= r * r


def on_mark(u, v):
    """The two strokes of the V, meeting at the bottom."""
    if not 0.2 <= v <= 0.82:
        return False
    t = (v - 0.2) / 0.62
    half_gap = 0.3 * (1 - t)
    width = 0.09
    left, right = 0.5 - half_gap, 0.5 + half_gap
    return abs(u - left) <= width or abs(u - right) <= width


def pixel(bpp, size, x, y):
    """Colour index of pixel (x, y), y from the top, or None where transparent."""
    u, v = (x + 0.5) / size, (y + 0.5) / size
    if not inside_tile(u, v):
        return None
    if on_mark(u, v):
        return WHITE
    if bpp == 4:
        return NAVY if v > 0.6 else BLUE
    return 16 + min(SHADES - 1, int(v * SHADES))


def image(size, bpp):
    def rows(bits_per_pixel, value):
        out = b""
        for y in reversed(range(size)):  # DIB rows run bottom-up
            bits = "".join(format(value(x, y), "0%db" % bits_per_pixel) for x in range(size))
            bits += "0" * (-len(bits) % 32)  # rows are padded to 4 bytes
            out += int(bits, 2).to_bytes(len(bits) // 8, "big")
        return out

    colour = rows(bpp, lambda x, y: pixel(bpp, size, x, y) or 0)
    mask = rows(1, lambda x, y: 1 if pixel(bpp, size, x, y) is None else 0)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bpp, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    table = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette(bpp))
    return header + table + colour + mask


def icon():
    formats = [(16, 4), (16, 8), (32, 4), (32, 8)]
    images = [image(size, bpp) for size, bpp in formats]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bpp), data in zip(formats, images):
        colours = 16 if bpp == 4 else 0  # 0 means 256 or more
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "vrim.ico", "wb") as f:
        f.write(icon())
