#!/usr/bin/env python3
"""Draws the icons, cursors and bitmaps of Presvia.exe into a folder.

    make_resources.py OUTPUT_DIR

Everything is drawn here from simple geometry, so the pictures can be
regenerated and changed in review like code. Writes presvia.ico (resource
130), laser.cur (141: 32 x 32, every pixel transparent, hot spot 15,15) and
pencil.cur (171: a pencil whose tip, at the top left, is the hot spot) and
emblem.bmp (198: the emblem, 40 x 40 at 8 bits per pixel).
"""
import math
import os
import struct
import sys


def bitmap_info_header(width, height, bits):
    # Icon and cursor images store the XOR and AND masks stacked: double height.
    return struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, 0, 0, 0, 0, 0)


def and_mask(width, height, transparent):
    """1-bit mask rows, bottom-up, each padded to 32 bits; 1 = transparent."""
    stride = ((width + 31) // 32) * 4
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if transparent(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        data += row
    return bytes(data)


def icon_image_32(width, height, pixel):
    """A 32-bit image; pixel(x, y) gives (r, g, b, a)."""
    xor = bytearray()
    for y in reversed(range(height)):
        for x in range(width):
            r, g, b, a = pixel(x, y)
            xor += bytes((b, g, r, a))
    mask = and_mask(width, height, lambda x, y: pixel(x, y)[3] == 0)
    return bitmap_info_header(width, height, 32) + bytes(xor) + mask


def cursor_image_mono(width, height, pixel):
    """A monochrome cursor; pixel(x, y) gives 'w', 'b' or None (transparent)."""
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    stride = ((width + 31) // 32) * 4
    xor = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if pixel(x, y) == "w":
                row[x // 8] |= 0x80 >> (x % 8)
        xor += row
    mask = and_mask(width, height, lambda x, y: pixel(x, y) is None)
    return bitmap_info_header(width, height, 1) + palette + bytes(xor) + mask


def write_icon_file(path, kind, images):
    """kind 1 = icon, 2 = cursor; images: (width, height, field1, field2, data)."""
    header = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    blobs = b""
    for width, height, field1, field2, data in images:
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, field1, field2,
                               len(data), offset + len(blobs))
        blobs += data
    with open(path, "wb") as out:
        out.write(header + entries + blobs)


def emblem_pixel(size):
    """The program's emblem: a red spiral on a light grey square with a darker frame."""
    centre = (size - 1) / 2.0
    turns = 2.5
    max_radius = size * 0.42
    line = max(1.0, size / 16.0)

    def on_spiral(x, y):
        dx, dy = x - centre, y - centre
        radius = math.hypot(dx, dy)
        angle = math.atan2(dy, dx) % (2 * math.pi)
        step = max_radius / turns
        for turn in range(int(turns) + 1):
            expected = (angle / (2 * math.pi) + turn) * step
            if expected <= max_radius and abs(radius - expected) <= line:
                return True
        return False

    def pixel(x, y):
        frame = max(1, size // 16)
        if x < frame or y < frame or x >= size - frame or y >= size - frame:
            return (128, 128, 128, 255)
        if on_spiral(x, y):
            return (220, 30, 30, 255)
        return (212, 212, 212, 255)

    return pixel


def pencil_pixel(x, y):
    """A pencil lying from the tip at (0, 0) towards the bottom right."""
    along = (x + y) / math.sqrt(2)      # distance along the pencil
    across = (x - y) / math.sqrt(2)     # distance across it
    if along > 27 or along < 0:
        return None
    half = 3.5 if along > 7 else along * 3.5 / 7  # the sharpened point
    if abs(across) > half + 1:
        return None
    if abs(across) > half - 0.2 or along < 2.5 or along > 26:
        return "b"
    return "w" if along > 7 else ("b" if along < 3.5 else "w")


def write_bitmap_8bit(path, width, height, pixel):
    """An 8-bit palette BMP; pixel(x, y) gives (r, g, b, a), alpha ignored."""
    colours = []
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            colour = pixel(x, y)[:3]
            if colour not in colours:
                colours.append(colour)
            row.append(colours.index(colour))
        row += bytes((-len(row)) % 4)
        rows.append(bytes(row))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    palette += bytes(4 * (256 - len(colours)))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, 0, 2835, 2835, 256, 0)
    data = b"".join(rows)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(header + info + palette + data)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out_dir, exist_ok=True)
    write_icon_file(os.path.join(out_dir, "presvia.ico"), 1, [
        (size, size, 1, 32, icon_image_32(size, size, emblem_pixel(size))) for size in (16, 32)
    ])
    write_bitmap_8bit(os.path.join(out_dir, "emblem.bmp"), 40, 40, emblem_pixel(40))
    write_icon_file(os.path.join(out_dir, "laser.cur"), 2, [
        (32, 32, 15, 15, cursor_image_mono(32, 32, lambda x, y: None))
    ])
    write_icon_file(os.path.join(out_dir, "pencil.cur"), 2, [
        (32, 32, 0, 0, cursor_image_mono(32, 32, pencil_pixel))
    ])


if __name__ == "__main__":
    main()
