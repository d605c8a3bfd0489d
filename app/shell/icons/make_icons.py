#!/usr/bin/env python3
"""Draws the program's icons as PNG files beside this script (no libraries needed).

Each icon is drawn at 4x its size with plain shapes and averaged down, so edges are
smooth. Run it again after changing a drawing; the PNG files are committed."""
import math
import os
import struct
import zlib

SS = 4  # supersampling factor


class Canvas:
    def __init__(self, size):
        self.size = size
        self.n = size * SS
        self.px = [[(0, 0, 0, 0)] * self.n for _ in range(self.n)]

    def _blend(self, x, y, color):
        if 0 <= x < self.n and 0 <= y < self.n:
            r, g, b, a = color
            if a >= 255:
                self.px[y][x] = color
                return
            br, bg, bb, ba = self.px[y][x]
            fa = a / 255.0
            out_a = a + ba * (1 - fa)
            if out_a == 0:
                return
            mix = lambda c, d: int((c * a + d * ba * (1 - fa)) / out_a)
            self.px[y][x] = (mix(r, br), mix(g, bg), mix(b, bb), int(out_a))

    def fill(self, inside, color):
        # inside(x, y) in icon units (0..size), sampled at sub-pixel centres
        for y in range(self.n):
            fy = (y + 0.5) / SS
            for x in range(self.n):
                if inside((x + 0.5) / SS, fy):
                    self._blend(x, y, color)

    def rect(self, x0, y0, x1, y1, color):
        self.fill(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, color)

    def frame(self, x0, y0, x1, y1, w, color):
        self.fill(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1 and
                  not (x0 + w < x < x1 - w and y0 + w < y < y1 - w), color)

    def circle(self, cx, cy, r, color, ring=None):
        def inside(x, y):
            d = math.hypot(x - cx, y - cy)
            return d <= r and (ring is None or d >= r - ring)
        self.fill(inside, color)

    def line(self, x0, y0, x1, y1, w, color):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
            return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= w / 2
        self.fill(inside, color)

    def polygon(self, points, color):
        def inside(x, y):
            hit = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit
        self.fill(inside, color)

    def png(self, path):
        rows = []
        for y in range(self.size):
            row = bytearray([0])
            for x in range(self.size):
                acc = [0, 0, 0, 0]
                for sy in range(SS):
                    for sx in range(SS):
                        r, g, b, a = self.px[y * SS + sy][x * SS + sx]
                        acc[0] += r * a
                        acc[1] += g * a
                        acc[2] += b * a
                        acc[3] += a
                alpha = acc[3] // (SS * SS)
                if acc[3]:
                    row += bytes([acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], alpha])
                else:
                    row += bytes([0, 0, 0, 0])
            rows.append(bytes(row))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
        header = struct.pack(">IIBBBBB", self.size, self.size, 8, 6, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                      chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


INK = (40, 44, 52, 255)
PAPER = (250, 250, 246, 255)
BLUE = (46, 110, 190, 255)
RED = (200, 60, 50, 255)
GREEN = (50, 150, 70, 255)
YELLOW = (236, 186, 60, 255)
ORANGE = (230, 130, 40, 255)
GREY = (150, 150, 150, 255)
SELECT = (30, 90, 200, 255)


def program(c, s):
    k = s / 16.0
    c.circle(6 * k, 8 * k, 5.2 * k, (200, 60, 50, 200))
    c.circle(10 * k, 8 * k, 5.2 * k, (46, 110, 190, 200))
    c.circle(6 * k, 8 * k, 5.2 * k, INK, ring=0.8 * k)
    c.circle(10 * k, 8 * k, 5.2 * k, INK, ring=0.8 * k)


def folder(c, open_=False):
    c.polygon([(1, 4), (6, 4), (7.5, 5.5), (15, 5.5), (15, 14), (1, 14)], YELLOW)
    c.frame(1, 5.5, 15, 14, 0.8, (150, 110, 30, 255))


def table(c, header=BLUE, selected=False):
    c.rect(1.5, 2.5, 14.5, 13.5, PAPER)
    c.rect(1.5, 2.5, 14.5, 5, header)
    for x in (5.8, 10.2):
        c.line(x, 5, x, 13.5, 0.6, GREY)
    for y in (7.8, 10.6):
        c.line(1.5, y, 14.5, y, 0.6, GREY)
    c.frame(1.5, 2.5, 14.5, 13.5, 0.9, SELECT if selected else INK)


def page(c, selected=False):
    c.polygon([(3, 1.5), (10, 1.5), (13, 4.5), (13, 14.5), (3, 14.5)], PAPER)
    c.polygon([(10, 1.5), (13, 4.5), (10, 4.5)], (210, 210, 210, 255))
    edge = SELECT if selected else INK
    for a, b in (((3, 1.5), (10, 1.5)), ((10, 1.5), (13, 4.5)), ((13, 4.5), (13, 14.5)),
                 ((13, 14.5), (3, 14.5)), ((3, 14.5), (3, 1.5))):
        c.line(a[0], a[1], b[0], b[1], 0.9 if not selected else 1.3, edge)


def analysis(c, selected=False):
    page(c, selected)
    for y in (5.5, 7.5, 9.5, 11.5):
        c.line(5, y, 11, y, 0.8, GREY)
    c.rect(5, 10.5, 6.5, 13, BLUE)
    c.rect(7.5, 8.5, 9, 13, GREEN)


def simulation(c, selected=False):
    page(c, selected)
    for i, (x, y) in enumerate([(5.5, 6), (8, 8.5), (10.5, 6), (5.5, 11), (10.5, 11)]):
        c.circle(x, y, 1.1, ORANGE if i % 2 else RED)


def new_page(c):
    page(c)
    c.line(8, 6, 8, 12, 1.6, GREEN)
    c.line(5, 9, 11, 9, 1.6, GREEN)


def open_file(c):
    folder(c)
    c.polygon([(4, 8), (15.5, 8), (13, 14), (1, 14)], (246, 206, 90, 255))
    c.line(9, 1.5, 9, 6.5, 1.4, GREEN)
    c.polygon([(6.5, 4.5), (11.5, 4.5), (9, 7.5)], GREEN)


def save(c):
    c.rect(2, 2, 14, 14, BLUE)
    c.rect(4.5, 2, 11.5, 6.5, PAPER)
    c.rect(9, 2.8, 10.5, 5.7, INK)
    c.rect(4, 9, 12, 14, (220, 220, 220, 255))
    c.frame(2, 2, 14, 14, 0.8, INK)


def options(c):
    for y, knob in ((4, 10), (8, 5), (12, 8.5)):
        c.line(2, y, 14, y, 1.0, INK)
        c.rect(knob - 1.2, y - 2, knob + 1.2, y + 2, BLUE)


def analyze(c):
    table(c, header=GREEN)
    c.circle(10.5, 10.5, 3.2, (255, 255, 255, 160))
    c.circle(10.5, 10.5, 3.2, INK, ring=1.0)
    c.line(12.8, 12.8, 15, 15, 1.8, INK)


def dice(c):
    c.rect(2, 2, 14, 14, PAPER)
    c.frame(2, 2, 14, 14, 1.0, RED)
    for x, y in ((5, 5), (8, 8), (11, 11), (11, 5), (5, 11)):
        c.circle(x, y, 1.2, RED)


def wizard(c):
    c.line(3, 13, 11, 5, 1.6, INK)
    for x, y in ((12, 2.5), (14, 6), (9, 2)):
        c.circle(x, y, 0.9, YELLOW)


def tree_lines(c, color):
    c.rect(2, 2, 6, 5, color)
    c.line(4, 5, 4, 12.5, 0.9, INK)
    c.line(4, 8.5, 8, 8.5, 0.9, INK)
    c.line(4, 12.5, 8, 12.5, 0.9, INK)
    c.rect(8, 7, 14, 10, color)
    c.rect(8, 11, 14, 14, color)


def expand_off(c):
    tree_lines(c, GREY)


def expand_on(c):
    tree_lines(c, GREEN)


def delete_branch(c):
    tree_lines(c, GREY)
    c.line(8, 2, 15, 9, 1.8, RED)
    c.line(15, 2, 8, 9, 1.8, RED)


ICONS = {
    "folder": folder,
    "table": table,
    "table_selected": lambda c: table(c, selected=True),
    "table_active": lambda c: table(c, header=GREEN),
    "table_active_selected": lambda c: table(c, header=GREEN, selected=True),
    "analysis": analysis,
    "analysis_selected": lambda c: analysis(c, True),
    "simulation": simulation,
    "simulation_selected": lambda c: simulation(c, True),
    "new": new_page,
    "open": open_file,
    "save": save,
    "options": options,
    "analyze": analyze,
    "simulate": dice,
    "wizard": wizard,
    "expand_off": expand_off,
    "expand_on": expand_on,
    "delete_branch": delete_branch,
}

if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in ICONS.items():
        canvas = Canvas(16)
        draw(canvas)
        canvas.png(os.path.join(here, name + ".png"))
    for size in (16, 64):
        canvas = Canvas(size)
        program(canvas, size)
        canvas.png(os.path.join(here, "kovalin.png" if size == 16 else "kovalin-64.png"))
