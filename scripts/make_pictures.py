#!/usr/bin/env python3
"""Draws Morvela's icon and button glyphs into res/ as 24-bit bitmaps (and one .ico).

The pictures are ours, drawn pixel by pixel here so they can be changed and rebuilt. Each glyph's
bottom-left pixel carries the transparent colour (olive, 0x808000 as R,G,B = 128,128,0), which the
buttons leave unpainted.
"""
import os
import struct

OLIVE = (128, 128, 0)
HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..", "res")


class Canvas:
    def __init__(self, w, h, bg=OLIVE):
        self.w, self.h = w, h
        self.px = [[bg for _ in range(w)] for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):  # inclusive
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.set(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def bmp(self):
        row = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for x in range(self.w):
                r, g, b = self.px[y][x]
                line += bytes((b, g, r))
            line += b"\0" * (row - len(line))
            data += line
        header = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(data), 0, 0, 54) + header + data

    def ico_image(self, transparent):
        """32-bit icon image with AND mask; `transparent` pixels become see-through."""
        xor = bytearray()
        for y in range(self.h - 1, -1, -1):
            for x in range(self.w):
                r, g, b = self.px[y][x]
                a = 0 if (r, g, b) == transparent else 255
                xor += bytes((b, g, r, a))
        mask_row = ((self.w + 31) // 32) * 4
        mask = bytearray()
        for y in range(self.h - 1, -1, -1):
            bits = bytearray(mask_row)
            for x in range(self.w):
                if self.px[y][x] == transparent:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack("<IiiHHIIiiII", 40, self.w, self.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        return header + xor + mask


BLACK, WHITE = (0, 0, 0), (255, 255, 255)
GREY, DARK = (192, 192, 192), (96, 96, 96)
BLUE, NAVY = (40, 90, 200), (20, 40, 110)
YELLOW, BROWN = (240, 200, 60), (150, 110, 30)
GREEN, RED = (40, 150, 60), (190, 40, 40)


def save(name, canvas):
    with open(os.path.join(RES, name), "wb") as f:
        f.write(canvas.bmp())


def arrow(w=8, h=5):  # small right-pointing play arrow for the quick-launch buttons
    c = Canvas(w, h)
    for y in range(h):
        reach = min(y, h - 1 - y)
        for x in range(1, 2 + reach * 2):
            c.set(x, y, NAVY if x > reach * 2 else BLUE)
    return c


def folder(w=16, h=16):
    c = Canvas(w, h)
    c.rect(1, 3, 6, 4, BROWN)
    c.rect(1, 5, 14, 13, YELLOW)
    c.frame(1, 4, 14, 13, BROWN)
    c.line(2, 6, 13, 6, (255, 230, 140))
    return c


def disk(w=16, h=16):
    c = Canvas(w, h)
    c.rect(1, 1, 14, 14, NAVY)
    c.rect(4, 1, 11, 6, GREY)
    c.rect(9, 2, 10, 5, DARK)
    c.rect(3, 9, 12, 14, WHITE)
    c.line(4, 11, 11, 11, GREY)
    c.line(4, 13, 11, 13, GREY)
    return c


def terminal(w=32, h=27):
    c = Canvas(w, h)
    c.rect(1, 1, w - 2, h - 5, DARK)
    c.rect(3, 3, w - 4, h - 7, BLACK)
    c.line(6, 7, 10, 11, WHITE)
    c.line(6, 15, 10, 11, WHITE)
    c.line(12, 16, 18, 16, WHITE)
    c.rect(10, h - 4, w - 11, h - 2, GREY)
    return c


def printer(w=32, h=32):
    c = Canvas(w, h)
    c.rect(9, 3, 22, 12, WHITE)
    c.frame(9, 3, 22, 12, DARK)
    c.rect(3, 12, 28, 24, GREY)
    c.frame(3, 12, 28, 24, DARK)
    c.rect(5, 14, 26, 15, DARK)
    c.set(25, 19, GREEN)
    c.set(24, 19, GREEN)
    c.rect(8, 22, 23, 29, WHITE)
    c.frame(8, 22, 23, 29, DARK)
    c.line(10, 25, 21, 25, GREY)
    c.line(10, 27, 18, 27, GREY)
    c.rect(26, 26, 30, 30, NAVY)  # the small arrow that marks the drop-down menu
    c.line(27, 27, 29, 27, WHITE)
    c.set(28, 28, WHITE)
    return c


def package(w=30, h=30):
    c = Canvas(w, h)
    c.rect(4, 9, 25, 26, BROWN)
    c.frame(4, 9, 25, 26, (90, 60, 10))
    for i in range(6):
        c.line(4 + i, 9 - i, 25 + i, 9 - i, (190, 150, 70))
    c.line(25, 9, 28, 4, (90, 60, 10))
    c.rect(13, 9, 16, 26, YELLOW)
    c.rect(24, 24, 28, 28, NAVY)
    c.line(25, 25, 27, 25, WHITE)
    c.set(26, 26, WHITE)
    return c


def icon(size):
    c = Canvas(size, size, (255, 0, 255))
    s = size / 32
    def r(a):
        return int(round(a * s))
    c.rect(r(3), r(6), r(28), r(26), NAVY)
    c.rect(r(5), r(10), r(26), r(24), WHITE)
    c.rect(r(3), r(6), r(28), r(9), BLUE)
    # a key: the shortcut to the administrator's rights
    c.rect(r(8), r(14), r(13), r(20), YELLOW)
    c.rect(r(10), r(16), r(11), r(18), WHITE)
    c.rect(r(13), r(16), r(23), r(18), YELLOW)
    c.rect(r(19), r(18), r(20), r(21), YELLOW)
    c.rect(r(22), r(18), r(23), r(20), YELLOW)
    return c


def write_icon():
    images = [icon(32).ico_image((255, 0, 255)), icon(16).ico_image((255, 0, 255))]
    sizes = [32, 16]
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, img in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(os.path.join(RES, "Morvela.ico"), "wb") as f:
        f.write(head + entries + b"".join(images))


if __name__ == "__main__":
    os.makedirs(RES, exist_ok=True)
    save("arrow.bmp", arrow())
    save("folder.bmp", folder())
    save("disk.bmp", disk())
    save("terminal.bmp", terminal())
    save("printer.bmp", printer())
    save("package.bmp", package())
    write_icon()
