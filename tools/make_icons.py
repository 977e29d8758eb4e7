#!/usr/bin/env python3
"""Draws the programs' icons: square pictures on magenta, side by side in 24-bit bitmaps, in three sets.

Writes demo/res/imgList223.bmp (32 images: toolbar, tree and palette icons) and
demo/res/properties_cross.bmp (3 images: closed group, item, open group) at 16 x 16, and the same at
24 x 24 and 32 x 32 with _24 and _32 added to the names. Standard library only.
"""
import math
import os
import struct
import sys

SIZE = 16
# The pixel sizes drawn: 16 for 96 DPI, 24 for 144 and 32 for 192 (the programs pick one by DPI).
ICON_SETS = (16, 24, 32)
MAGENTA = (255, 0, 255)
INK = (40, 40, 48)
BLUE = (40, 90, 190)
LIGHT_BLUE = (150, 190, 240)
RED = (200, 40, 40)
GREEN = (40, 150, 60)
YELLOW = (240, 200, 40)
ORANGE = (240, 140, 30)
GREY = (150, 150, 150)
WHITE = (250, 250, 250)
PURPLE = (130, 60, 170)


class Icon:
    """A picture drawn in a 16 x 16 grid and rendered at size pixels: at 16 one grid cell is one pixel;
    larger sets scale every shape, with strokes as thick as a whole number of pixels allows."""

    def __init__(self, size=SIZE):
        self.size = size
        self.scale = size / SIZE
        # Lines are stamped as thick as the scale rounded up (no gaps between rows at 1.5); frames keep
        # the whole-pixel part.
        self.stroke = max(1, math.ceil(self.scale))
        self.frame = max(1, int(self.scale))
        self.pixels = [[MAGENTA] * size for _ in range(size)]

    def _dot(self, px, py, color):
        if 0 <= px < self.size and 0 <= py < self.size:
            self.pixels[py][px] = color

    def _centre(self, g):
        # The pixel coordinate of a grid cell's centre.
        return (g + 0.5) * self.scale - 0.5

    def _stamp(self, gx, gy, color):
        first_x = round(self._centre(gx) - (self.stroke - 1) / 2)
        first_y = round(self._centre(gy) - (self.stroke - 1) / 2)
        for dy in range(self.stroke):
            for dx in range(self.stroke):
                self._dot(first_x + dx, first_y + dy, color)

    def put(self, x, y, color):
        cells = range(int(x * self.scale), int((x + 1) * self.scale))
        for py in range(int(y * self.scale), int((y + 1) * self.scale)):
            for px in cells:
                self._dot(px, py, color)

    def rect(self, x0, y0, x1, y1, color, fill=None):
        left, top = int(x0 * self.scale), int(y0 * self.scale)
        right, bottom = int((x1 + 1) * self.scale) - 1, int((y1 + 1) * self.scale) - 1
        t = self.frame
        for py in range(top, bottom + 1):
            for px in range(left, right + 1):
                edge = px < left + t or px > right - t or py < top + t or py > bottom - t
                if edge:
                    self._dot(px, py, color)
                elif fill is not None:
                    self._dot(px, py, fill)

    def line(self, x0, y0, x1, y1, color):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1) * (1 if self.scale == 1 else math.ceil(self.scale) * 2)
        for i in range(steps + 1):
            if self.scale == 1:
                self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), color)
            else:
                self._stamp(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps, color)

    def circle(self, cx, cy, r, color, fill=None):
        for py in range(self.size):
            for px in range(self.size):
                gx = (px + 0.5) / self.scale - 0.5
                gy = (py + 0.5) / self.scale - 0.5
                d = math.hypot(gx - cx, gy - cy)
                if abs(d - r) < 0.55:
                    self._dot(px, py, color)
                elif fill is not None and d < r:
                    self._dot(px, py, fill)

    def arrow(self, x0, y0, x1, y1, color):
        self.line(x0, y0, x1, y1, color)
        angle = math.atan2(y1 - y0, x1 - x0)
        for side in (-1, 1):
            a = angle + math.pi + side * 0.6
            self.line(x1, y1, round(x1 + 4 * math.cos(a)), round(y1 + 4 * math.sin(a)), color)


def page(icon, fill=WHITE):
    icon.rect(3, 1, 12, 14, INK, fill)
    icon.line(10, 1, 12, 3, INK)


def draw_all(size=SIZE):
    icons = []

    def icon(fn):
        i = Icon(size)
        fn(i)
        icons.append(i)

    icon(lambda i: (page(i), i.line(5, 5, 10, 5, GREY), i.line(5, 8, 10, 8, GREY)))            # 0 new
    icon(lambda i: (i.rect(1, 4, 14, 13, INK, YELLOW), i.rect(1, 3, 6, 4, INK, YELLOW)))         # 1 folder
    icon(lambda i: (i.rect(2, 2, 13, 13, INK, BLUE), i.rect(5, 2, 10, 6, INK, WHITE),
                    i.rect(4, 9, 11, 13, INK, GREY)))                                            # 2 save
    icon(lambda i: (i.line(3, 2, 11, 12, INK), i.line(12, 2, 4, 12, INK),
                    i.circle(4, 13, 2, RED), i.circle(11, 13, 2, RED)))                          # 3 cut
    icon(lambda i: (i.rect(1, 1, 9, 10, INK, WHITE), i.rect(6, 5, 14, 14, INK, WHITE)))          # 4 copy
    icon(lambda i: (i.rect(2, 2, 12, 14, INK, ORANGE), i.rect(6, 6, 14, 14, INK, WHITE)))        # 5 paste
    icon(lambda i: (i.arrow(12, 10, 3, 6, BLUE), i.line(12, 10, 12, 13, BLUE)))                 # 6 undo
    icon(lambda i: (i.arrow(3, 10, 12, 6, BLUE), i.line(3, 10, 3, 13, BLUE)))                   # 7 redo
    icon(lambda i: (i.line(3, 3, 12, 12, RED), i.line(12, 3, 3, 12, RED),
                    i.line(4, 3, 13, 12, RED), i.line(13, 3, 4, 12, RED)))                       # 8 delete
    icon(lambda i: (i.circle(6, 6, 4.5, INK, LIGHT_BLUE), i.line(9, 9, 14, 14, INK),
                    i.line(4, 6, 8, 6, INK), i.line(6, 4, 6, 8, INK)))                          # 9 zoom in
    icon(lambda i: (i.circle(6, 6, 4.5, INK, LIGHT_BLUE), i.line(9, 9, 14, 14, INK),
                    i.line(4, 6, 8, 6, INK)))                                                    # 10 zoom out
    icon(lambda i: [i.line(4, 2 + k, 4 + min(k, 11 - k), 2 + k, GREEN) for k in range(12)])      # 11 play
    icon(lambda i: (i.rect(3, 2, 6, 13, INK, BLUE), i.rect(9, 2, 12, 13, INK, BLUE)))            # 12 pause
    icon(lambda i: i.rect(3, 3, 12, 12, INK, RED))                                               # 13 stop
    icon(lambda i: [i.line(1, k, 14, k, GREY) for k in (1, 5, 9, 13)] +
         [i.line(k, 1, k, 13, GREY) for k in (1, 5, 9, 13)])                                     # 14 grid
    icon(lambda i: (i.circle(7.5, 7.5, 6, INK, WHITE), i.circle(7.5, 7.5, 2.5, INK, BLUE)))       # 15 eye
    icon(lambda i: (i.arrow(7, 7, 7, 1, INK), i.arrow(7, 7, 7, 14, INK),
                    i.arrow(7, 7, 1, 7, INK), i.arrow(7, 7, 14, 7, INK)))                        # 16 move
    icon(lambda i: (i.circle(7.5, 7.5, 5.5, BLUE), i.arrow(12, 4, 13, 8, BLUE)))                 # 17 rotate
    icon(lambda i: (i.rect(1, 8, 7, 14, INK, LIGHT_BLUE), i.rect(1, 1, 14, 14, GREY),
                    i.arrow(6, 9, 13, 2, INK)))                                                  # 18 scale
    icon(lambda i: (i.circle(7.5, 6, 4.5, INK, YELLOW), i.rect(5, 11, 10, 14, INK, GREY)))        # 19 light
    icon(lambda i: (i.rect(1, 4, 14, 12, INK, GREY), i.circle(7.5, 8, 3, INK, LIGHT_BLUE),
                    i.rect(4, 2, 8, 4, INK, GREY)))                                              # 20 camera
    icon(lambda i: [i.circle(7.5, 7.5, r, c) for r, c in ((6, RED), (4, ORANGE), (2, YELLOW))])  # 21 target
    icon(lambda i: (page(i, LIGHT_BLUE), i.line(5, 10, 10, 5, INK)))                             # 22 edit
    icon(lambda i: (i.rect(1, 1, 14, 14, INK, WHITE), i.line(3, 12, 7, 5, BLUE),
                    i.line(7, 5, 12, 9, BLUE)))                                                  # 23 chart
    icon(lambda i: [i.rect(1 + 5 * (k % 3), 1 + 5 * (k // 3), 4 + 5 * (k % 3), 4 + 5 * (k // 3),
                            INK, (RED, GREEN, BLUE)[k % 3]) for k in range(9)])                   # 24 palette
    icon(lambda i: (i.circle(7.5, 7.5, 6, INK, LIGHT_BLUE), i.line(7, 4, 7, 8, INK),
                    i.put(7, 11, INK)))                                                          # 25 info
    icon(lambda i: (i.circle(7.5, 7.5, 5, INK, GREY), i.circle(7.5, 7.5, 2, INK, WHITE),
                    [i.rect(6 + dx, 6 + dy, 9 + dx, 9 + dy, INK, GREY)
                     for dx, dy in ((0, -6), (0, 6), (-6, 0), (6, 0))]))                          # 26 system
    icon(lambda i: (i.circle(7.5, 7.5, 2.5, ORANGE, YELLOW),
                    [i.line(round(7.5 + 4 * math.cos(a)), round(7.5 + 4 * math.sin(a)),
                            round(7.5 + 7 * math.cos(a)), round(7.5 + 7 * math.sin(a)), ORANGE)
                     for a in [k * math.pi / 4 for k in range(8)]]))                              # 27 emitter
    icon(lambda i: (i.rect(2, 5, 10, 13, INK, LIGHT_BLUE), i.line(2, 5, 5, 2, INK),
                    i.line(10, 5, 13, 2, INK), i.line(5, 2, 13, 2, INK), i.line(13, 2, 13, 10, INK),
                    i.line(10, 13, 13, 10, INK)))                                                # 28 zone
    icon(lambda i: (i.rect(1, 1, 14, 14, GREY, WHITE),
                    [i.put(x, round(12 - 9 * (x - 2) ** 2 / 144), PURPLE) for x in range(2, 14)]))  # 29 interpolator
    icon(lambda i: (i.arrow(2, 13, 13, 2, GREEN), i.arrow(2, 8, 8, 2, GREEN)))                   # 30 modifier
    icon(lambda i: (i.rect(2, 2, 13, 13, INK, WHITE), i.circle(7.5, 7.5, 4, BLUE, LIGHT_BLUE)))   # 31 renderer
    return icons


def draw_properties(size=SIZE):
    closed, item, opened = Icon(size), Icon(size), Icon(size)
    for i in (closed, opened):
        i.rect(3, 3, 11, 11, INK, WHITE)
        i.line(5, 7, 9, 7, INK)
    closed.line(7, 5, 7, 9, INK)
    item.circle(7, 7, 2, BLUE, BLUE)
    return [closed, item, opened]


def write_strip(path, icons):
    size = icons[0].size
    width, height = size * len(icons), size
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for icon in icons:
            for color in icon.pixels[y]:
                row += bytes((color[2], color[1], color[0]))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "demo", "res")
    os.makedirs(folder, exist_ok=True)
    for size in ICON_SETS:
        suffix = "" if size == SIZE else "_%d" % size
        write_strip(os.path.join(folder, "imgList223%s.bmp" % suffix), draw_all(size))
        write_strip(os.path.join(folder, "properties_cross%s.bmp" % suffix), draw_properties(size))


if __name__ == "__main__":
    main()
