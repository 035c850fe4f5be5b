#!/usr/bin/env python3
"""Draws the two logos of the Info box as PNG files (RGBA, transparent background).

stakewise_logo.png (190 x 99): a Total Station on its tripod sighting a stake with a
cross-in-circle marker, above the word STAKEWISE.
orvane_logo.png (137 x 20): the maker's word mark ORVANE beside a small survey triangle.
Run it in this folder after changing a drawing; the PNG files are committed.
"""
import struct
import zlib

BLUE = (31, 58, 95, 255)
ORANGE = (224, 112, 32, 255)
GREY = (120, 130, 140, 255)

# 5 x 7 glyphs, one string of five bits per row.
FONT = {
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'I': ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    'K': ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    'W': ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
}


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[(0, 0, 0, 0)] * width for _ in range(height)]

    def dot(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = color

    def box(self, x, y, w, h, color):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.dot(xx, yy, color)

    def line(self, x0, y0, x1, y1, color, thickness=1, dash=0):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            if dash and (i // dash) % 2:
                continue
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            self.box(x - thickness // 2, y - thickness // 2, thickness, thickness, color)

    def ring(self, cx, cy, radius, thickness, color):
        for y in range(cy - radius - 1, cy + radius + 2):
            for x in range(cx - radius - 1, cx + radius + 2):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if radius - thickness < d <= radius:
                    self.dot(x, y, color)

    def text(self, x, y, word, scale, color, spacing=1):
        for ch in word:
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        self.box(x + col * scale, y + row * scale, scale, scale, color)
            x += (5 + spacing) * scale

    def png(self):
        raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in self.pixels)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def stakewise_logo():
    c = Canvas(190, 99)
    # Tripod with the instrument on its head.
    c.line(40, 34, 22, 62, BLUE, 3)
    c.line(40, 34, 40, 62, BLUE, 3)
    c.line(40, 34, 58, 62, BLUE, 3)
    c.box(30, 28, 21, 6, BLUE)
    c.box(34, 14, 13, 14, BLUE)
    c.box(47, 18, 8, 6, GREY)
    # Sight line to the stake and its marker.
    c.line(56, 21, 146, 30, ORANGE, 1, dash=4)
    c.box(148, 36, 5, 26, BLUE)
    c.ring(150, 30, 10, 3, ORANGE)
    c.line(140, 30, 160, 30, ORANGE)
    c.line(150, 20, 150, 40, ORANGE)
    c.line(10, 63, 180, 63, GREY)
    c.text(14, 71, "STAKEWISE", 3, BLUE)
    return c


def orvane_logo():
    c = Canvas(137, 20)
    c.line(2, 17, 9, 3, ORANGE, 2)
    c.line(9, 3, 16, 17, ORANGE, 2)
    c.line(2, 17, 16, 17, ORANGE, 2)
    c.text(24, 3, "ORVANE", 2, BLUE, spacing=2)
    c.box(24, 18, 107, 1, GREY)
    return c


if __name__ == "__main__":
    for name, canvas in (("stakewise_logo.png", stakewise_logo()), ("orvane_logo.png", orvane_logo())):
        with open(name, "wb") as out:
            out.write(canvas.png())
