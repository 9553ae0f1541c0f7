#!/usr/bin/env python3
"""Draws the program's icon into src/res (run it after changing a picture).

Varolin.ico holds a 32 x 32 and a 16 x 16 image, both 32-bit BGRA with an AND mask.
"""
import os
import struct
import sys

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "res")


class Canvas:
    """An RGBA picture with the few shapes the icon needs."""

    def __init__(self, size):
        self.size = size
        self.px = [[None] * size for _ in range(size)]

    def rect(self, x0, y0, x1, y1, rgb):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.px[y][x] = rgb

    def rounded(self, x0, y0, x1, y1, fill, outline):
        self.rect(x0, y0, x1, y1, outline)
        self.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)
        for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
            self.px[y][x] = None

    def tile(self, x0, y0, x1, y1, face, light, dark, text):
        """A raised folder button with a white title stroke."""
        self.rect(x0, y0, x1, y1, face)
        self.rect(x0, y0, x1, y0, light)
        self.rect(x0, y0, x0, y1, light)
        self.rect(x0, y1, x1, y1, dark)
        self.rect(x1, y0, x1, y1, dark)
        mid = (y0 + y1) // 2
        self.rect(x0 + 2, mid - text // 2, x1 - 2, mid - text // 2 + text - 1, (255, 255, 255))

    def ico_image(self):
        n = self.size
        xor = bytearray()
        mask = bytearray()
        mask_stride = ((n + 31) // 32) * 4
        for y in reversed(range(n)):
            line = bytearray(mask_stride)
            for x in range(n):
                p = self.px[y][x]
                if p is None:
                    xor += b"\0\0\0\0"
                    line[x // 8] |= 0x80 >> (x % 8)
                else:
                    xor += struct.pack("<BBBB", p[2], p[1], p[0], 255)
            mask += line
        info = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask),
                           0, 0, 0, 0)
        return info + bytes(xor) + bytes(mask)


FACE = (212, 208, 200)
OUTLINE = (64, 64, 64)
COPY_BLUE = (0, 128, 192)
BUTTONS = [  # face, light edge, dark edge
    ((0, 96, 128), (96, 176, 208), (0, 40, 56)),
    ((0, 128, 64), (96, 200, 144), (0, 56, 24)),
    ((176, 56, 48), (232, 144, 136), (88, 24, 16)),
]


def icon32():
    # The bar: page label, then three folder buttons with their titles.
    c = Canvas(32)
    c.rounded(0, 7, 31, 24, FACE, OUTLINE)
    c.rect(2, 9, 7, 22, COPY_BLUE)
    c.rect(5, 13, 5, 18, (255, 255, 255))  # page "1"
    c.rect(4, 14, 4, 14, (255, 255, 255))
    c.tile(9, 9, 29, 15, *BUTTONS[0], 1)
    c.tile(9, 16, 18, 22, *BUTTONS[1], 1)
    c.tile(20, 16, 29, 22, *BUTTONS[2], 1)
    # The NEW badge on the first button.
    c.rounded(22, 3, 30, 9, (255, 255, 0), (96, 80, 0))
    return c


def icon16():
    c = Canvas(16)
    c.rounded(0, 3, 15, 12, FACE, OUTLINE)
    c.rect(1, 4, 3, 11, COPY_BLUE)
    c.tile(5, 4, 14, 7, *BUTTONS[0], 1)
    c.tile(5, 8, 9, 11, *BUTTONS[1], 1)
    c.tile(10, 8, 14, 11, *BUTTONS[2], 1)
    return c


def ico(canvases):
    images = [c.ico_image() for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, img in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.size, c.size, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    return out + b"".join(images)


def write(name, data):
    path = os.path.join(RES, name)
    with open(path, "wb") as f:
        f.write(data)
    print("wrote", os.path.normpath(path), len(data), "bytes")


def main():
    write("Varolin.ico", ico([icon32(), icon16()]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
