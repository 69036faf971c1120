#!/usr/bin/env python3
"""Draws the program's icons and bitmaps into res/icons and res/bitmaps.

Everything is simple pixel art made here with the standard library only:
icons are 32 x 32 PNG files with transparency, bitmaps are 24-bit BMP
files. Bitmaps shown through an image list or a toolbar use a mask colour
for their background: white for the image lists and the satellite marks,
the button face grey (192, 192, 192) for the toolbar strip.

Run it again after changing a drawing; the files are committed.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
FACE = (192, 192, 192)
GREY = (128, 128, 128)
DARK = (64, 64, 64)
RED = (200, 0, 0)
GREEN = (0, 150, 0)
BLUE = (0, 70, 200)
NAVY = (0, 0, 128)
YELLOW = (240, 200, 0)
ORANGE = (240, 130, 0)
CYAN = (0, 160, 200)
BROWN = (150, 90, 30)

# A 3 x 5 pixel font for the few letters and digits the drawings use.
FONT = {
    '4': ['1.1', '1.1', '111', '..1', '..1'],
    '7': ['111', '..1', '.1.', '.1.', '.1.'],
    'P': ['11.', '1.1', '11.', '1..', '1..'],
    '?': ['11.', '..1', '.1.', '...', '.1.'],
    'Q': ['.1.', '1.1', '1.1', '1.1', '.11'],
    'U': ['1.1', '1.1', '1.1', '1.1', '111'],
    'O': ['111', '1.1', '1.1', '1.1', '111'],
    'R': ['11.', '1.1', '11.', '1.1', '1.1'],
    'V': ['1.1', '1.1', '1.1', '1.1', '.1.'],
    'E': ['111', '1..', '11.', '1..', '111'],
    'L': ['1..', '1..', '1..', '1..', '111'],
}


class Canvas:
    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def put(self, x, y, color):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = color

    def rect(self, x0, y0, x1, y1, color, fill=None):
        """Inclusive corners."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge:
                    self.put(x, y, color)
                elif fill is not None:
                    self.put(x, y, fill)

    def line(self, x0, y0, x1, y1, color, width=1):
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for k in range(steps + 1):
            t = k / steps
            x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            for dx in range(width):
                for dy in range(width):
                    self.put(x + dx - width // 2, y + dy - width // 2, color)

    def circle(self, cx, cy, r, color, fill=None, width=1.0):
        for y in range(self.height):
            for x in range(self.width):
                d = math.hypot(x - cx, y - cy)
                if fill is not None and d <= r - width / 2:
                    self.put(x, y, fill)
                if abs(d - r) <= width / 2:
                    self.put(x, y, color)

    def polygon(self, points, color):
        """Fills a polygon by the even-odd rule at pixel centres."""
        for y in range(self.height):
            for x in range(self.width):
                inside = False
                for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                    if (ay > y + 0.5) != (by > y + 0.5):
                        cross = ax + (y + 0.5 - ay) * (bx - ax) / (by - ay)
                        if x + 0.5 < cross:
                            inside = not inside
                if inside:
                    self.put(x, y, color)

    def text(self, x, y, chars, color, scale=1):
        for n, ch in enumerate(chars):
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit == '1':
                        for sx in range(scale):
                            for sy in range(scale):
                                self.put(x + (n * 4 + col) * scale + sx, y + row * scale + sy,
                                         color)

    def paste(self, other, x0, y0):
        for y in range(other.height):
            for x in range(other.width):
                self.put(x0 + x, y0 + y, other.pixels[y][x])


def write_bmp(path, canvas):
    row_bytes = (canvas.width * 3 + 3) & ~3
    data = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for r, g, b in canvas.pixels[y][:]:
            row += bytes((b, g, r))
        data += row + bytes(row_bytes - len(row))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height, 1, 24, 0, len(data),
                       2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def write_png(path, canvas, transparent):
    """RGBA PNG; pixels of the colour `transparent` become fully transparent."""
    raw = bytearray()
    for row in canvas.pixels:
        raw.append(0)
        for color in row:
            raw += bytes(color) + (b'\x00' if color == transparent else b'\xff')

    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body +
                struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF))

    ihdr = struct.pack('>IIBBBBB', canvas.width, canvas.height, 8, 6, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) +
                chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


# ---- Icons, 32 x 32 ----

KEY = (255, 0, 255)  # transparent in the PNG files


def icon():
    return Canvas(32, 32, KEY)


def magnifier(c):
    c.circle(13, 13, 9, DARK, fill=(220, 240, 255), width=2.2)
    c.line(20, 20, 28, 28, BROWN, width=3)


def icon_app():
    c = icon()
    c.line(16, 14, 16, 30, DARK, width=2)  # pole
    c.line(16, 30, 9, 31, DARK)
    c.line(16, 30, 23, 31, DARK)
    c.circle(16, 10, 7, NAVY, fill=(250, 250, 250), width=2)  # receiver
    c.rect(12, 9, 20, 11, GREEN, fill=GREEN)
    c.line(3, 6, 7, 2, BLUE)  # signal arcs
    c.line(25, 2, 29, 6, BLUE)
    return c


def icon_zoom(mark):
    c = icon()
    magnifier(c)
    if mark in '+-':
        c.line(9, 13, 17, 13, BLACK, width=2)
    if mark == '+':
        c.line(13, 9, 13, 17, BLACK, width=2)
    if mark == 'window':
        for x in range(8, 19, 2):
            c.put(x, 9, BLACK)
            c.put(x, 17, BLACK)
        for y in range(9, 18, 2):
            c.put(8, y, BLACK)
            c.put(18, y, BLACK)
    if mark == 'all':
        for x, y in ((9, 9), (17, 9), (9, 17), (17, 17), (13, 13)):
            c.rect(x - 1, y - 1, x + 1, y + 1, RED, fill=RED)
    return c


def icon_store():
    c = icon()
    c.rect(4, 4, 27, 27, NAVY, fill=BLUE)
    c.rect(9, 4, 22, 12, GREY, fill=(235, 235, 235))
    c.rect(18, 6, 20, 10, DARK, fill=DARK)
    c.rect(8, 17, 23, 27, GREY, fill=WHITE)
    return c


def icon_gear():
    c = icon()
    for k in range(8):
        a = k * math.pi / 4
        c.line(16 + 8 * math.cos(a), 16 + 8 * math.sin(a), 16 + 13 * math.cos(a),
               16 + 13 * math.sin(a), DARK, width=3)
    c.circle(16, 16, 9, DARK, fill=GREY, width=2)
    c.circle(16, 16, 3.5, DARK, fill=WHITE, width=1.5)
    return c


def icon_point(mark):
    c = icon()
    c.line(4, 26, 16, 8, BLUE, width=2)
    c.line(16, 8, 27, 22, BLUE, width=2)
    c.rect(14, 6, 18, 10, NAVY, fill=YELLOW)
    if mark == 'insert':
        c.line(22, 4, 30, 4, GREEN, width=2)
        c.line(26, 0, 26, 8, GREEN, width=2)
    else:
        c.line(21, 1, 29, 9, RED, width=2)
        c.line(29, 1, 21, 9, RED, width=2)
    return c


def icon_book(lines_color):
    c = icon()
    c.rect(5, 3, 26, 28, NAVY, fill=(250, 250, 235))
    c.rect(5, 3, 8, 28, NAVY, fill=BLUE)
    for y in range(8, 26, 4):
        c.line(11, y, 23, y, lines_color)
    return c


def icon_document_plus():
    c = icon()
    c.polygon([(6, 3), (20, 3), (26, 9), (26, 29), (6, 29)], WHITE)
    c.line(6, 3, 20, 3, DARK)
    c.line(20, 3, 26, 9, DARK)
    c.line(26, 9, 26, 29, DARK)
    c.line(26, 29, 6, 29, DARK)
    c.line(6, 29, 6, 3, DARK)
    c.line(11, 18, 21, 18, GREEN, width=3)
    c.line(16, 13, 16, 23, GREEN, width=3)
    return c


def icon_target():
    c = icon()
    c.circle(16, 16, 11, RED, width=2)
    c.circle(16, 16, 5, RED, width=2)
    c.line(16, 1, 16, 31, DARK)
    c.line(1, 16, 31, 16, DARK)
    return c


def icon_all_points():
    c = icon()
    for x, y in ((6, 8), (14, 5), (25, 9), (9, 19), (19, 16), (27, 24), (13, 27), (22, 28)):
        c.circle(x, y, 2.2, NAVY, fill=RED)
    return c


def icon_help():
    c = icon()
    c.circle(16, 16, 13, NAVY, fill=BLUE, width=2)
    c.text(10, 6, '?', WHITE, scale=4)
    return c


def icon_line_library():
    c = icon_book(GREY)
    c.line(11, 22, 23, 10, RED, width=2)
    c.rect(10, 21, 12, 23, NAVY, fill=NAVY)
    c.rect(22, 9, 24, 11, NAVY, fill=NAVY)
    return c


def icon_parameters():
    c = icon()
    c.rect(4, 4, 27, 27, NAVY, fill=(235, 245, 255))
    c.text(10, 8, 'P', NAVY, scale=4)
    return c


def icon_coord_library():
    c = icon()
    c.rect(3, 5, 28, 26, NAVY, fill=WHITE)
    c.rect(3, 5, 28, 9, NAVY, fill=CYAN)
    for y in (14, 18, 22):
        c.line(3, y, 28, y, GREY)
    for x in (11, 20):
        c.line(x, 5, x, 26, GREY)
    return c


def icon_spare():
    c = icon()
    c.line(10, 4, 10, 28, DARK, width=2)
    c.polygon([(11, 4), (25, 9), (11, 14)], ORANGE)
    return c


def icon_exit():
    c = icon()
    c.rect(5, 3, 19, 29, BROWN, fill=(200, 150, 90))
    c.rect(16, 15, 17, 17, YELLOW, fill=YELLOW)
    c.line(18, 16, 29, 16, RED, width=3)
    c.polygon([(24, 10), (31, 16), (24, 22)], RED)
    return c


def icon_compute():
    c = icon()
    c.rect(6, 2, 25, 29, DARK, fill=GREY)
    c.rect(9, 5, 22, 10, DARK, fill=(200, 230, 200))
    for row in range(4):
        for col in range(3):
            x, y = 9 + col * 5, 13 + row * 4
            c.rect(x, y, x + 3, y + 2, BLACK, fill=WHITE)
    return c


def icon_open():
    c = icon()
    c.polygon([(3, 8), (12, 8), (14, 11), (28, 11), (28, 27), (3, 27)], (220, 170, 40))
    c.polygon([(7, 15), (31, 15), (27, 27), (3, 27)], YELLOW)
    return c


ICONS = {
    'app': icon_app, 'compute': icon_compute, 'open': icon_open,
    'zoom_in': lambda: icon_zoom('+'), 'zoom_out': lambda: icon_zoom('-'),
    'zoom_window': lambda: icon_zoom('window'), 'zoom_all': lambda: icon_zoom('all'),
    'store': icon_store, 'store_type': icon_gear,
    'insert': lambda: icon_point('insert'), 'delete_vertex': lambda: icon_point('delete'),
    'pick_library': lambda: icon_book(NAVY), 'append': icon_document_plus,
    'pick_plan': icon_target, 'all_points': icon_all_points, 'help': icon_help,
    'line_library': icon_line_library, 'parameters': icon_parameters,
    'coord_library': icon_coord_library, 'spare': icon_spare, 'exit': icon_exit,
}


def main():
    import bitmap_art
    os.makedirs(os.path.join(HERE, 'icons'), exist_ok=True)
    os.makedirs(os.path.join(HERE, 'bitmaps'), exist_ok=True)
    for name, draw in ICONS.items():
        write_png(os.path.join(HERE, 'icons', name + '.png'), draw(), KEY)
    for name, canvas in bitmap_art.bitmaps().items():
        write_bmp(os.path.join(HERE, 'bitmaps', name + '.bmp'), canvas)


if __name__ == '__main__':
    main()
