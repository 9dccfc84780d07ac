#!/usr/bin/env python3
"""Writes the product's data files, each named by its manifest id, into a folder.

    generate.py --cjpeg /usr/bin/cjpeg [--manifest manifest.txt] OUTDIR

The manifest names the files and gives each one's size; this script knows
each id's kind and content, and fails when its ids are not the manifest's or
a file does not come out at the listed size. Vantorelle.exe and Tovx.dll
are built from app/ and are not written here. Every other file is made
from this script alone, the same bytes on every run:

- pictures: BMPs of their listed size and depth; baseline JPEGs through
  cjpeg, with film grain, at the quality that leaves just room for a comment
  (what the picture shows), which brings each to its exact size;
- texts: Redist.txt and the help contents file;
- compound documents (.prp, .doc, .cmp, .shc): one stream of our own content
  inside a minimal compound file of exactly the listed size;
- Vantorelle.hlp and Vantorelle.gid: WinHelp files of the guide's topics,
  its pictures and screen shots, and its keywords (helpfiles.py).
"""

import argparse
import math
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imaging import (  # noqa: E402
    AQUA, FUCHSIA, LIME, RED, WHITE, YELLOW, Ellipse, Heart, Line, Picture, Polygon, Rect, bmp8,
    bmp24, grain, lerp, ppm, ramp, rhomb, shade, star, text_dots, text_width)
from helpfiles import global_index, help_contents, help_file  # noqa: E402
from product import read_manifest  # noqa: E402

class Lcg:
    """A small linear congruential generator: the same numbers on every
    platform and Python version."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return self.state

    def uniform(self, lo, hi):
        return lo + (hi - lo) * (self.next() / 0x7FFFFFFF)

    def pick(self, items):
        return items[self.next() % len(items)]


# ---------------------------------------------------------------------------
# Drawing helpers shared by several pictures


def ball(p, cx, cy, r, colour, levels=8):
    """A shaded ball: light at the upper left, darker towards the rim."""
    light = shade(colour, 1.6)
    dark = shade(colour, 0.55)
    hx, hy = cx - r * 0.35, cy - r * 0.35

    def at(x, y):
        d = math.hypot(x - hx, y - hy) / (r * 1.35)
        return ramp(light, dark, d, levels)

    p.fill(Ellipse(cx, cy, r), at)


def dotted_text(p, text, x, y, cell, colours, dot=0.45, heart=False):
    """Text in FONT with a round dot (or a little heart) per lit cell; each
    letter takes the next colour of `colours`."""
    for n, ch in enumerate(text):
        colour = colours[n % len(colours)]
        for cx, cy in text_dots(ch, x + n * 6 * cell, y, cell):
            if heart:
                p.fill(Heart(cx, cy, cell * 1.05), colour)
            else:
                p.fill(Ellipse(cx, cy, cell * dot + 0.4), shade(colour, 0.6))
                p.fill(Ellipse(cx - cell * 0.08, cy - cell * 0.08, cell * dot * 0.7), colour)


def gerbera(p, cx, cy, r, petal, centre, petals=22):
    """A daisy-like flower: petals lighter towards their tips, a dark heart
    ringed with yellow."""
    inner, outer = shade(petal, 0.75), shade(petal, 1.15)

    def at(x, y):
        return lerp(inner, outer, math.hypot(x - cx, y - cy) / r)

    for k in range(petals):
        a = 360.0 * k / petals
        d = r * 0.56
        p.fill(Ellipse(cx + d * math.cos(math.radians(a)), cy + d * math.sin(math.radians(a)), r * 0.46, r * 0.11, a),
               at)
    p.fill(Ellipse(cx, cy, r * 0.24), shade(centre, 0.5))
    for k in range(24):
        a = math.radians(15 * k)
        p.fill(Ellipse(cx + r * 0.2 * math.cos(a), cy + r * 0.2 * math.sin(a), r * 0.035 + 0.5), YELLOW)
    p.fill(Ellipse(cx, cy, r * 0.14), centre)


def rose(p, cx, cy, r):
    """A rose seen from above: rings of petals, darker towards the heart."""
    outer = (235, 40, 70)
    inner = (120, 0, 30)
    rings = 5
    for ring in range(rings):
        t = ring / (rings - 1)
        rr = r * (1.0 - 0.78 * t)
        colour = lerp(outer, inner, t)
        count = 6 - ring // 2
        for k in range(count):
            a = 360.0 * k / count + ring * 27
            d = rr * 0.45
            ex = cx + d * math.cos(math.radians(a))
            ey = cy + d * math.sin(math.radians(a))

            def at(x, y, ex=ex, ey=ey, colour=colour, rr=rr):
                return lerp(shade(colour, 1.2), shade(colour, 0.7), math.hypot(x - ex, y - ey) / (rr * 0.6))

            p.fill(Ellipse(ex, ey, rr * 0.58, rr * 0.42, a + 90), at)
    p.fill(Ellipse(cx, cy, r * 0.12), inner)


def cloud(p, cx, cy, w, top, bottom, seed):
    """A heap of overlapping puffs, lighter at the top."""
    rng = Lcg(seed)
    puffs = []
    for k in range(9):
        t = k / 8.0
        x = cx - w / 2 + w * t
        rad = w * (0.12 + 0.1 * math.sin(math.pi * t)) + rng.uniform(0, w * 0.03)
        puffs.append((x, cy - rad * 0.4 - math.sin(math.pi * t) * w * 0.1, rad, rad * 0.8))
    puffs.append((cx, cy, w * 0.45, w * 0.1))  # the flat underside
    y_top = min(py - ry for _, py, _, ry in puffs)
    y_bottom = max(py + ry for _, py, _, ry in puffs)

    def at(x, y):
        return lerp(top, bottom, (y - y_top) / (y_bottom - y_top))

    for x, y, rx, ry in puffs:
        p.fill(Ellipse(x, y, rx, ry), at)


def music_note(p, x, y, size, colour):
    """An eighth note whose head sits at (x, y)."""
    p.fill(Ellipse(x, y, size * 0.32, size * 0.22, -25), colour)
    p.fill(Rect(x + size * 0.2, y - size * 1.1, x + size * 0.3, y), colour)
    p.fill(Polygon([(x + size * 0.2, y - size * 1.1), (x + size * 0.62, y - size * 0.7),
                    (x + size * 0.55, y - size * 0.55), (x + size * 0.3, y - size * 0.82)]), colour)


# ---------------------------------------------------------------------------
# The 8-bit pictures (each keeps to at most 256 colours)


def vertical(top, bottom, height, levels):
    return lambda x, y: ramp(top, bottom, y / height, levels)


def shapes_files():
    p = Picture(182, 112)
    p.paint(vertical((255, 250, 215), (255, 190, 225), 112, 48))
    p.fill(Heart(30, 42, 44), (120, 0, 40))
    p.fill(Heart(30, 42, 38), RED)
    p.fill(star(74, 44, 25, 10), (150, 90, 0))
    p.fill(star(74, 44, 21, 8.5), (255, 200, 0))
    p.fill(rhomb(117, 43, 17, 24), (0, 60, 140))
    p.fill(rhomb(117, 43, 14, 20), (0, 160, 255))
    ball(p, 157, 43, 18, (0, 180, 90))
    dotted_text(p, "SHAPES", (182 - text_width("SHAPES", 3)) / 2, 80, 3, [(128, 0, 160)])
    return p


def default_composition():
    p = Picture(50, 50)
    p.paint(vertical((20, 0, 90), (160, 0, 255), 50, 32))
    p.fill(Ellipse(18, 20, 12), AQUA)
    p.fill(Ellipse(32, 28, 10), (0, 255, 64))
    p.fill(Ellipse(22, 36, 9, 6), YELLOW)
    return p


def baby():
    p = Picture(323, 164)
    p.paint(lambda x, y: ramp((190, 225, 255), (255, 205, 230), (x + y) / 487, 64))
    colours = [(255, 90, 150), (90, 170, 255), (255, 210, 60), (130, 220, 120), (200, 120, 255)]
    for k, colour in enumerate(colours):
        x = 40 + k * 60
        y = 50 + (k % 2) * 18
        p.fill(Line(x, y + 26, x + (k - 2) * 4, 150, 1.2), (150, 150, 170))
        ball(p, x, y, 22, colour, 10)
        p.fill(Polygon([(x - 4, y + 28), (x + 4, y + 28), (x, y + 21)]), shade(colour, 0.7))
    dotted_text(p, "BABY", 323 - text_width("BABY", 4) - 12, 128, 4, [(255, 90, 150), (90, 170, 255)])
    return p


def christmas_tree():
    p = Picture(127, 192)
    p.paint(vertical((0, 0, 40), (20, 40, 120), 192, 48))
    rng = Lcg(3002)
    for _ in range(40):
        p.fill(Ellipse(rng.uniform(0, 127), rng.uniform(0, 192), 1.1), WHITE)
    p.fill(Rect(56, 160, 71, 182), (110, 60, 20))
    greens = [(0, 90, 30), (0, 120, 40), (20, 150, 50)]
    for k, (top, base, half) in enumerate([(20, 80, 30), (45, 125, 42), (75, 165, 55)]):
        p.fill(Polygon([(63.5, top), (63.5 + half, base), (63.5 - half, base)]), greens[k])
    baubles = [(55, 62, RED), (75, 72, YELLOW), (48, 105, AQUA), (80, 112, FUCHSIA), (63, 95, (255, 128, 0)),
               (40, 145, (255, 128, 0)), (62, 140, RED), (86, 150, AQUA)]
    for x, y, c in baubles:
        p.fill(Ellipse(x, y, 5), c)
        p.fill(Ellipse(x - 1.5, y - 1.5, 1.5), WHITE)
    p.fill(star(63.5, 19, 12, 5), YELLOW)
    p.fill(Rect(0, 182, 127, 192), (235, 240, 255))
    return p


def garland_a():
    p = Picture(218, 33)
    p.paint(vertical((40, 0, 60), (90, 20, 120), 33, 24))
    wire = lambda x: 6 + 9 * math.sin(math.pi * ((x % 72) / 72.0))  # noqa: E731
    for x in range(0, 218, 3):
        p.fill(Line(x, wire(x), x + 3, wire(x + 3), 1.5), (0, 110, 40))
    colours = [RED, YELLOW, LIME, AQUA, FUCHSIA, (255, 140, 0)]
    for k, x in enumerate(range(9, 218, 18)):
        c = colours[k % len(colours)]
        y = wire(x) + 9
        p.fill(Rect(x - 2, wire(x), x + 2, y - 4), (0, 80, 30))
        p.fill(Ellipse(x, y, 4.5, 6.5), shade(c, 0.6))
        p.fill(Ellipse(x - 1, y - 1.5, 2.5, 4), c)
    return p


def garland_b():
    p = Picture(245, 33)
    p.paint(vertical((255, 250, 230), (210, 240, 255), 33, 24))
    rope = lambda x: 4 + 6 * math.sin(math.pi * (x / 245.0))  # noqa: E731
    colours = [RED, (255, 200, 0), (0, 170, 80), (0, 120, 255), FUCHSIA]
    for k, x in enumerate(range(4, 236, 20)):
        c = colours[k % len(colours)]
        p.fill(Polygon([(x, rope(x)), (x + 17, rope(x + 17)), (x + 8.5, rope(x + 8.5) + 20)]), c)
        p.fill(Ellipse(x + 8.5, rope(x + 8.5) + 7, 2.2), WHITE)
    for x in range(0, 245, 2):
        p.fill(Line(x, rope(x), x + 2, rope(x + 2), 1.4), (120, 70, 30))
    return p


def caption_picture(width, height, text, cell, top, bottom, colours, sparkle_seed):
    p = Picture(width, height)
    p.paint(vertical(top, bottom, height, 48))
    rng = Lcg(sparkle_seed)
    for _ in range(7):
        p.fill(star(rng.uniform(0, width), rng.uniform(0, height), 5, 2, 4), WHITE)
    x = (width - text_width(text, cell)) / 2
    y = (height - 7 * cell) / 2
    dotted_text(p, text, x, y, cell, colours)
    return p


RAINBOW = [RED, (255, 140, 0), YELLOW, LIME, AQUA, (80, 120, 255), FUCHSIA]


def happy():
    return caption_picture(235, 68, "HAPPY", 7, (255, 130, 0), (255, 60, 150), RAINBOW[2:] + RAINBOW[:2], 3009)


def new():
    return caption_picture(154, 68, "NEW", 8, (0, 40, 120), (80, 0, 140), [YELLOW, AQUA, FUCHSIA], 3014)


def year():
    return caption_picture(156, 68, "YEAR", 6, (80, 0, 140), (0, 40, 120), [LIME, YELLOW, (255, 140, 0), AQUA],
                           3025)


def i_love_you():
    p = Picture(693, 164)
    p.paint(lambda x, y: ramp((120, 0, 40), (255, 110, 160), (x / 693 + y / 164) / 2, 64))
    for x, y, s in [(40, 40, 44), (650, 120, 50), (660, 36, 30), (34, 124, 34)]:
        p.fill(Heart(x, y, s), (255, 220, 235))
        p.fill(Heart(x, y, s * 0.8), RED)
    cell = 10
    dotted_text(p, "I LOVE YOU", (693 - text_width("I LOVE YOU", cell)) / 2, 47, cell,
                [WHITE, (255, 230, 120), WHITE], heart=True)
    return p


def lights():
    p = Picture(127, 192)
    p.paint(vertical((10, 0, 30), (30, 10, 70), 192, 32))
    colours = [RED, YELLOW, LIME, AQUA, FUCHSIA, (255, 140, 0)]
    for col, x0 in enumerate((20, 50, 80, 110)):
        for y in range(0, 192, 2):
            xx = x0 + 5 * math.sin((y + col * 20) / 18.0)
            p.fill(Rect(xx - 0.7, y, xx + 0.7, y + 2), (0, 90, 40))
        for k, y in enumerate(range(14 + col * 6, 192, 26)):
            xx = x0 + 5 * math.sin((y + col * 20) / 18.0)
            c = colours[(k + col) % len(colours)]
            p.fill(Ellipse(xx, y, 7), shade(c, 0.35))
            p.fill(Ellipse(xx, y, 5), c)
            p.fill(Ellipse(xx - 1, y - 1, 2), WHITE)
    return p


def star_picture():
    p = Picture(39, 39)
    # A soft glow behind the star.
    p.paint(lambda x, y: lerp((40, 60, 150), (5, 10, 50), min(1.0, math.hypot(x - 19.5, y - 20.5) / 27.0)))
    p.fill(star(19.5, 20.5, 19, 8), (200, 110, 0))
    p.fill(star(19.5, 20.5, 16, 6.5), YELLOW)
    p.fill(Ellipse(17.5, 17.5, 2.5), (255, 255, 200))
    return p


# ---------------------------------------------------------------------------
# The 24-bit pictures


def firelight():
    p = Picture(42, 39)

    def at(x, y):
        d = math.hypot((x - 21) / 15.0, (y - 24) / 18.0 + ((y - 24) / 40.0) ** 2 * 3)
        if d < 0.4:
            return lerp((255, 255, 220), (255, 220, 60), d / 0.4)
        if d < 1.0:
            return lerp((255, 220, 60), (220, 40, 0), (d - 0.4) / 0.6)
        return lerp((120, 10, 0), (20, 0, 0), min(1.0, (d - 1.0) / 0.8))

    p.paint(at)
    return p


def rhomb_picture(colour):
    p = Picture(40, 40)
    light, dark = shade(colour, 1.5), shade(colour, 0.45)
    # A faint ripple of the rhomb's own colour around it.
    p.paint(lambda x, y: lerp((250, 250, 245), shade(colour, 1.2),
                              0.25 + 0.15 * math.sin(math.hypot(x - 20, y - 20) / 2.5)))
    p.fill(rhomb(20, 20, 18, 19.5), lambda x, y: lerp(light, dark, (x + y) / 80.0))
    p.fill(rhomb(20, 20, 9, 10), lambda x, y: lerp(dark, light, (x + y) / 80.0))
    return p


def rose_small():
    p = Picture(74, 66, (20, 70, 30))
    p.fill(Ellipse(20, 50, 14, 6, -30), (40, 140, 50))
    p.fill(Ellipse(56, 14, 13, 5, 30), (40, 140, 50))
    rose(p, 37, 33, 28)
    return p


def star_bg():
    p = Picture(60, 60)
    p.paint(lambda x, y: lerp((255, 240, 160), (20, 10, 80), math.hypot(x - 30, y - 30) / 40.0))
    p.fill(star(30, 31, 26, 11), (255, 170, 0))
    p.fill(star(30, 31, 21, 9), (255, 235, 40))
    return p


# ---------------------------------------------------------------------------
# The JPEG pictures


def fluffy():
    p = Picture(320, 240)
    p.paint(lambda x, y: lerp((255, 240, 250), (190, 230, 255), y / 240.0))
    rng = Lcg(3004)
    p.fill(Ellipse(160, 130, 78, 72), (255, 220, 80))
    for _ in range(520):
        a = rng.uniform(0, 2 * math.pi)
        d = rng.uniform(40, 76)
        x0 = 160 + d * math.cos(a)
        y0 = 130 + d * 0.93 * math.sin(a)
        length = rng.uniform(8, 18)
        c = lerp((255, 200, 40), (255, 250, 190), rng.uniform(0, 1))
        p.fill(Line(x0, y0, x0 + length * math.cos(a), y0 + length * math.sin(a), 2.2), c)
    for ex in (135, 185):
        p.fill(Ellipse(ex, 115, 10), (40, 20, 10))
        p.fill(Ellipse(ex - 3, 111, 3.5), WHITE)
    p.fill(Polygon([(150, 135), (170, 135), (160, 150)]), (255, 120, 0))
    for fx in (135, 185):
        p.fill(Ellipse(fx, 212, 16, 6), (255, 130, 0))
    return p


def gerbers():
    p = Picture(480, 360)
    p.paint(lambda x, y: lerp((20, 90, 40), (150, 210, 120), (y / 360.0 + x / 960.0)))
    for x, y, r, petal, centre in [(120, 120, 90, (255, 110, 0), (90, 40, 0)),
                                   (330, 110, 80, (255, 60, 120), (80, 20, 30)),
                                   (240, 260, 95, (255, 210, 0), (70, 60, 0)),
                                   (410, 290, 60, (230, 30, 40), (60, 10, 10))]:
        gerbera(p, x, y, r, petal, centre)
    return p


def gerber_white():
    p = Picture(160, 160)
    p.paint(lambda x, y: lerp((30, 110, 50), (10, 50, 30), math.hypot(x - 80, y - 80) / 110.0))
    gerbera(p, 80, 80, 72, (250, 250, 245), (60, 120, 30), 26)
    return p


def huge_cloud(top_sky, bottom_sky, cloud_top, cloud_bottom, seed):
    p = Picture(400, 300)
    p.paint(lambda x, y: lerp(top_sky, bottom_sky, y / 300.0))
    cloud(p, 200, 170, 330, cloud_top, cloud_bottom, seed)
    cloud(p, 330, 60, 110, cloud_top, cloud_bottom, seed + 1)
    return p


def pine_branch():
    p = Picture(480, 320)
    p.paint(lambda x, y: lerp((230, 240, 255), (170, 190, 230), y / 320.0))
    rng = Lcg(3015)
    stem = [(20 + 440 * t, 80 + 150 * t - 60 * t * t) for t in [k / 20.0 for k in range(21)]]
    for (x0, y0), (x1, y1) in zip(stem, stem[1:]):
        for _ in range(16):
            t = rng.uniform(0, 1)
            x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            for side in (-1, 1):
                a = math.atan2(y1 - y0, x1 - x0) + side * rng.uniform(0.6, 1.1)
                length = rng.uniform(26, 40)
                c = lerp((10, 70, 30), (40, 130, 60), rng.uniform(0, 1))
                p.fill(Line(x, y, x + length * math.cos(a), y + length * math.sin(a), 2.0), c)
    for (x0, y0), (x1, y1) in zip(stem, stem[1:]):
        p.fill(Line(x0, y0, x1, y1, 6), (100, 60, 25))
    p.fill(Line(300, 160, 300, 205, 1.5), (150, 150, 150))
    ball(p, 300, 228, 24, (220, 20, 40), 64)
    p.fill(Rect(294, 200, 306, 206), (200, 170, 60))
    return p


def rose_picture():
    p = Picture(320, 320)
    p.paint(lambda x, y: lerp((20, 60, 30), (5, 25, 15), math.hypot(x - 160, y - 160) / 230.0))
    for a in (30, 150, 260):
        p.fill(Ellipse(160 + 120 * math.cos(math.radians(a)), 160 + 120 * math.sin(math.radians(a)), 55, 22, a),
               (50, 140, 60))
    rose(p, 160, 160, 120)
    return p


def tulip():
    p = Picture(240, 320)
    p.paint(lambda x, y: lerp((170, 215, 255), (240, 250, 255), y / 320.0))
    for x, h, c in [(70, 120, (230, 30, 60)), (165, 90, (255, 190, 0)), (120, 60, (200, 40, 200))]:
        p.fill(Line(x, h + 40, x + 5, 320, 5), (40, 130, 50))
        p.fill(Ellipse(x - 14, 260, 34, 9, -65), (50, 150, 60))
        cup = Ellipse(x, h + 20, 30, 38) - Polygon([(x - 32, h - 20), (x - 18, h + 4), (x - 6, h - 20),
                                                    (x + 6, h + 4), (x + 18, h - 20), (x + 32, h + 4),
                                                    (x + 32, h - 20)])
        p.fill(cup, lambda xx, yy, x=x, c=c: lerp(shade(c, 1.25), shade(c, 0.7), abs(xx - x) / 32.0))
        p.fill(Line(x, h + 8, x, h + 52, 1.5), shade(c, 0.6))
    return p


# ---------------------------------------------------------------------------
# Compound documents


ENDOFCHAIN, FATSECT, FREESECT, NOSTREAM = 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFF, 0xFFFFFFFF


def compound_file(stream_name, content, total_size):
    """A compound file of exactly total_size bytes (a multiple of 512) holding
    one stream: header, FAT sector(s), one directory sector, then the stream's
    sectors. The stream must be at least 4096 bytes, so that it lives in
    ordinary sectors and the file needs no mini stream."""
    assert total_size % 512 == 0
    sectors = total_size // 512 - 1
    fat_sectors = (sectors + 127) // 128
    data_sectors = sectors - fat_sectors - 1
    assert 4096 <= len(content) <= data_sectors * 512 and len(content) > (data_sectors - 1) * 512
    directory = fat_sectors
    first_data = fat_sectors + 1

    fat = [FREESECT] * (fat_sectors * 128)
    for s in range(fat_sectors):
        fat[s] = FATSECT
    fat[directory] = ENDOFCHAIN
    for s in range(first_data, first_data + data_sectors):
        fat[s] = s + 1
    fat[first_data + data_sectors - 1] = ENDOFCHAIN

    difat = [s for s in range(fat_sectors)] + [FREESECT] * (109 - fat_sectors)
    header = struct.pack("<8s16sHHHHH6sIIIIIIIII", b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", bytes(16), 0x003E, 0x0003,
                         0xFFFE, 9, 6, bytes(6), 0, fat_sectors, directory, 0, 4096, ENDOFCHAIN, 0, ENDOFCHAIN, 0)
    header += struct.pack("<109I", *difat)

    def entry(name, kind, child, start, size):
        encoded = name.encode("utf-16-le") + b"\0\0" if name else b""
        return struct.pack("<64sHBBIII16sIQQIQ", encoded, len(encoded), kind, 1 if name else 0,
                           NOSTREAM, NOSTREAM, child, bytes(16), 0, 0, 0, start, size)

    entries = (entry("Root Entry", 5, 1, ENDOFCHAIN, 0) + entry(stream_name, 2, NOSTREAM, first_data, len(content))
               + entry("", 0, NOSTREAM, 0, 0) * 2)
    body = struct.pack("<%dI" % len(fat), *fat) + entries + content
    out = header + body + bytes(total_size - len(header) - len(body))
    assert len(out) == total_size
    return out


def filled_to(total_size, lines):
    """Joins lines (CR LF ended) from an endless iterator until the text fills
    the stream of a compound file of total_size bytes."""
    sectors = total_size // 512 - 1
    data_sectors = sectors - (sectors + 127) // 128 - 1
    text = bytearray()
    for line in lines:
        text += line.encode("ascii") + b"\r\n"
        if len(text) > (data_sectors - 1) * 512:
            break
    assert len(text) <= data_sectors * 512
    return bytes(text)


def properties_lines():
    yield "; Vantorelle settings, read at start-up and written when the program closes"
    yield from ["[Window]", "Left=40", "Top=30", "Width=760", "Height=540", "Maximized=0", ""]
    yield from ["[Player]", "Volume=80", "Repeat=1", "Shuffle=0", "Playlist=Music\\Default.m3u", ""]
    yield from ["[Pictures]", "SlideSeconds=6", "Fade=1", "Folder=Images", "Background=#000040", ""]
    yield from ["[Compositions]", "Folder=Compositions", "Shapes=Shapes", "Speed=100", "LoopCount=0", ""]
    yield from ["[Folders]", "InBox=InBox", "OutBox=OutBox", "ScreenShots=ScreenShots", "Music=Music", ""]
    yield "[Recent]"
    names = ["Images\\Rose.jpg", "Compositions\\OK.cmp", "Images\\Tulip.jpg", "Shapes\\Heart.shc",
             "Compositions\\Millennium.cmp", "Images\\Star.bmp", "Music\\Default.m3u"]
    k = 0
    while True:
        yield "File%d=%s" % (k + 1, names[k % len(names)])
        k += 1


def order_form_lines():
    yield from [
        "VANTORELLE ORDER FORM", "",
        "Thank you for trying Vantorelle. To order a registered copy, fill in this form",
        "and send it with your payment to the address shown in the Help file under",
        "Ordering. Registered users receive every update of the current version and",
        "the full set of compositions and shapes.", "",
        "Name:          ____________________________________________",
        "Company:       ____________________________________________",
        "Street:        ____________________________________________",
        "Town, code:    ____________________________________________",
        "Country:       ____________________________________________",
        "E-mail:        ____________________________________________", "",
        "Edition                         Price     Copies    Total",
        "Vantorelle, single user         29.00     ______    ______",
        "Vantorelle, family (5 users)    59.00     ______    ______",
        "Composition pack                12.00     ______    ______",
        "Shape pack                       9.00     ______    ______",
        "                                          Sum       ______", "",
        "Payment:   [ ] cheque   [ ] bank transfer   [ ] card", "",
        "Card number: ____ ____ ____ ____    Valid until: __/__", "",
        "Names of the users of a family licence (one per line):", ""]
    k = 1
    while True:
        yield "%3d. ______________________________________   computer: ____________________" % k
        k += 1


def composition_lines(title, seed):
    rng = Lcg(seed)
    kinds = ["ellipse", "rectangle", "star", "heart", "rhomb", "text"]
    colours = ["#00FFFF", "#FFFF00", "#00FF40", "#FF00FF", "#A000FF", "#FF8000", "#FFFFFF", "#0080FF"]
    yield "Vantorelle composition 1.0"
    yield "Title=%s" % title
    yield "Canvas=640x480"
    yield "Background=#000040"
    yield "Music=Music\\%s.mp3" % title.replace(" ", "")
    yield ""
    frame = 0
    while True:
        frame += 1
        yield "[Frame %d]" % frame
        yield "Time=%.2f" % (frame * 0.25)
        for item in range(1 + rng.next() % 4):
            yield "Item%d=%s,%d,%d,%d,%d,%s,%s" % (
                item + 1, rng.pick(kinds), rng.next() % 600, rng.next() % 440, 10 + rng.next() % 200,
                10 + rng.next() % 160, rng.pick(colours), rng.pick(colours))
        yield ""


def shape_lines(name, curve):
    """Contours of a closed curve(t) -> (x, y) for t in [0, 1), one inside the other."""
    yield "Vantorelle shape 1.0"
    yield "Name=%s" % name
    yield "Units=1/1000"
    yield ""
    contour = 0
    while True:
        contour += 1
        scale = 0.97 ** (contour - 1)
        yield "[Contour %d]" % contour
        for k in range(180):
            x, y = curve(k / 180.0)
            yield "%d %d" % (round(500 + 480 * scale * x), round(500 - 480 * scale * y))
        yield ""


def heart_curve(t):
    a = 2 * math.pi * t
    return (16 * math.sin(a) ** 3 / 17.0,
            (13 * math.cos(a) - 5 * math.cos(2 * a) - 2 * math.cos(3 * a) - math.cos(4 * a)) / 17.0)


def march_heart_curve(t):
    x, y = heart_curve(t)
    ripple = 1.0 + 0.04 * math.sin(2 * math.pi * t * 24)
    return x * ripple, y * ripple


def millennium_curve(t):
    a = 2 * math.pi * t
    r = 0.6 + 0.4 * math.cos(10 * a)
    return r * math.cos(a), r * math.sin(a)


def ok_curve(t):
    # An O on the left and a K on the right, walked as one outline.
    if t < 0.5:
        a = 4 * math.pi * t
        return -0.5 + 0.4 * math.cos(a), 0.8 * math.sin(a)
    u = (t - 0.5) * 2
    pts = [(0.2, -0.8), (0.2, 0.8), (0.2, 0.0), (0.9, 0.8), (0.2, 0.0), (0.9, -0.8)]
    i = min(int(u * 5), 4)
    f = u * 5 - i
    (x0, y0), (x1, y1) = pts[i], pts[i + 1]
    return x0 + (x1 - x0) * f, y0 + (y1 - y0) * f


# ---------------------------------------------------------------------------
# Texts

REDIST = """Vantorelle - files you may pass on
==================================

Vantorelle plays music and shows moving colour pictures and compositions.
This note says which of its files you may give to other people, and on which
terms.

1. Compositions and shapes
   The compositions (*.cmp) and shapes (*.shc) that you make with Vantorelle
   are yours. You may give them away, sell them, or put them on a web page.
   The compositions and shapes that come with Vantorelle may be passed on too,
   unchanged or changed, as long as you do not charge for them alone.

2. Pictures
   The pictures in the Images folder were drawn for Vantorelle. You may use
   them in your own compositions and pass those compositions on. Please do not
   offer the pictures themselves as a collection of your own.

3. Packed compositions
   A packed composition (*.cmn) holds a composition with its pictures and
   shapes in one file, ready to be sent by e-mail. Whoever receives it needs
   Vantorelle to play it. You may send packed compositions to anybody.

4. The program
   Vantorelle.exe, Tovx.dll, the help files and this note may be copied
   together, unchanged, as the installation that you received. Please do not
   pass on single program files, and do not pass on a registered copy: the
   registration belongs to the person or family that ordered it.

5. Music
   Vantorelle plays the music files that you give it. The Music folder is
   empty when the program is installed. Music made by other people keeps the
   terms that its authors gave it; Vantorelle adds none and removes none.

6. No warranty
   Vantorelle is given as it is. We have tested it with care, but we cannot
   promise that it suits every purpose or every computer. Back up your own
   compositions from time to time.

7. Updates
   Registered users receive every update of the current version. An update
   installs over the old version and keeps your compositions, shapes and
   pictures; the InBox and OutBox folders are left as they are. You may pass
   on an update on the same terms as the installation itself, as long as
   every file of it travels together.

Questions and suggestions are welcome: see the topic Ordering in the Help
file for the address. We read every letter, and answer it as soon as we
can; the questions we are asked most often are answered in the Help
file itself.
"""

# ---------------------------------------------------------------------------


BMP8 = {7: shapes_files, 2001: default_composition, 3001: baby, 3002: christmas_tree, 3005: garland_a,
        3006: garland_b, 3009: happy, 3012: i_love_you, 3013: lights, 3014: new, 3022: star_picture, 3025: year}
BMP24 = {3003: firelight, 3016: lambda: rhomb_picture((230, 170, 20)), 3017: lambda: rhomb_picture((90, 190, 120)),
         3018: lambda: rhomb_picture((80, 170, 255)), 3019: lambda: rhomb_picture((255, 40, 200)),
         3021: rose_small, 3023: star_bg}
JPEG = {3004: fluffy, 3007: gerbers, 3008: gerber_white,
        3010: lambda: huge_cloud((120, 60, 20), (255, 200, 90), (255, 245, 200), (230, 150, 40), 3010),
        3011: lambda: huge_cloud((40, 110, 220), (170, 210, 255), (255, 255, 255), (170, 180, 200), 3011),
        3015: pine_branch, 3020: rose_picture, 3024: tulip}
# The compound documents: the name of their one stream and its lines; the
# file's size comes from the manifest.
COMPOUND = {
    1: ("Properties", properties_lines),
    6: ("OrderForm", order_form_lines),
    2002: ("Composition", lambda: composition_lines("Happy New Year", 2002)),
    2003: ("Composition", lambda: composition_lines("I Love You, Baby", 2003)),
    2004: ("Composition", lambda: composition_lines("Millennium", 2004)),
    2005: ("Composition", lambda: composition_lines("OK", 2005)),
    4001: ("Shape", lambda: shape_lines("Heart", heart_curve)),
    4002: ("Shape", lambda: shape_lines("MarchHeart", march_heart_curve)),
    4003: ("Shape", lambda: shape_lines("Millennium", millennium_curve)),
    4004: ("Shape", lambda: shape_lines("OK", ok_curve)),
}
HELP, CONTENTS, INDEX, REDIST_ID = 2, 3, 4, 5
# Built from app/, not here.
PROGRAMS = ("Vantorelle.exe", "Tovx.dll")
# The help file's date of compilation, the same on every build.
HELP_DATE = 946684800


def screenshot(rows, inset, name):
    """A screen shot of the program's window in 256 colours, rows high: title
    bar, menu bar, toolbar, the picture area showing inset (a Picture) and
    the status bar."""
    width = 640
    p = Picture(width, rows, (192, 192, 192))
    title = bytearray()
    for x in range(width):
        title += bytes(ramp((0, 0, 128), (16, 132, 208), x / width, 32))
    for y in range(min(rows, 18)):
        p.rows[y] = bytearray(title)
    dotted_text(p, name.upper(), 6, 4, 1.4, [WHITE])
    for k, word in enumerate((28, 28, 32, 44, 60, 44, 24)):
        x = 8 + sum((28, 28, 32, 44, 60, 44, 24)[:k]) + 12 * k
        p.fill(Rect(x, 24, x + word, 30), (0, 0, 0))
    for k in range(16):
        p.fill(Rect(6 + 24 * k, 38, 28 + 24 * k, 58), (128, 128, 128))
        p.fill(Rect(7 + 24 * k, 39, 27 + 24 * k, 57), (224, 224, 224))
        p.fill(Ellipse(17 + 24 * k, 48, 5), [RED, YELLOW, LIME, AQUA, FUCHSIA, (255, 140, 0)][k % 6])
    area_top, area_bottom = 64, max(64, rows - 20)
    assert inset.width <= width - 12
    x0 = (width - inset.width) // 2
    for y in range(area_top, area_bottom):
        p.rows[y][6 * 3:(width - 6) * 3] = bytes(3 * (width - 12))
        src = y - area_top - (area_bottom - area_top - inset.height) // 2
        if 0 <= src < inset.height:
            p.rows[y][3 * x0:3 * (x0 + inset.width)] = inset.rows[src]
    for y in range(max(0, rows - 18), rows):
        p.rows[y][6 * 3:(width - 6) * 3] = bytes((212, 208, 200)) * (width - 12)
    return p


# Each picture's film grain (see imaging.grain) and the words of the comment
# that it carries: what it shows, for the picture browser's tooltips.
JPEG_GRAIN = {3004: 16, 3007: 20, 3008: 4, 3010: 20, 3011: 20, 3015: 28, 3020: 18, 3024: 16}
JPEG_CAPTION = {
    3004: "A fluffy yellow chick with orange feet on a pale pink and blue sky.",
    3007: "Four gerberas, orange, pink, yellow and red, on a green meadow.",
    3008: "A white gerbera with a green heart on dark leaves.",
    3010: "A huge cloud in the golden light of the evening.",
    3011: "A huge white cloud on a blue summer sky.",
    3015: "A pine branch with a red glass bauble on a winter sky.",
    3020: "A red rose seen from above, with three leaves.",
    3024: "Three tulips, red, yellow and violet, on a light sky.",
}
JPEG_CREDIT = ("Vantorelle picture collection. Drawn for Vantorelle; you may use it in your compositions and "
               "pass them on, see Redist.txt. Keywords: flowers, sky, colour, greeting, composition, picture.")
# The least room left for the comment: its marker, length and a caption.
JPEG_COMMENT_MIN = 4 + 48


def jpeg_encode(cjpeg, source, quality, optimize=True, restart=None):
    """A baseline JPEG of the PPM bytes `source`, with the integer DCT (the
    floating-point one may round differently on other processors). quality
    is one number, or a pair for the luminance and the colour planes."""
    quality = quality if isinstance(quality, tuple) else (quality, quality)
    command = [cjpeg, "-quality", "%d,%d" % quality, "-dct", "int", "-baseline"]
    command += ["-optimize"] if optimize else []
    command += ["-restart", str(restart)] if restart else []
    return subprocess.run(command, input=source, check=True, stdout=subprocess.PIPE).stdout


def highest(lo, hi, fits):
    """The highest value in lo..hi for which fits(value) holds, fits(lo) being
    true and fits rising with the value."""
    while lo < hi:
        mid = (lo + hi + 1) // 2
        if fits(mid):
            lo = mid
        else:
            hi = mid - 1
    return lo


def jpeg_comment(text):
    body = text.encode("ascii")
    return b"\xff\xfe" + struct.pack(">H", len(body) + 2) + body


def with_comment(data, text):
    """data with a COM segment of text after its SOI and JFIF APP0 segments."""
    assert data[:4] == b"\xff\xd8\xff\xe0"
    end = 4 + struct.unpack(">H", data[4:6])[0]
    return data[:end] + jpeg_comment(text) + data[end:]


def caption_of_length(words, length):
    """The first words of `words` that fit in length characters, blank-padded
    to exactly that length."""
    text = ""
    for word in words.split():
        if len(text) + len(word) + (1 if text else 0) > length:
            break
        text += (" " if text else "") + word
    return text.ljust(length)


def jpeg_of_size(picture, cjpeg, size, caption):
    """A baseline JPEG of exactly `size` bytes: the highest quality whose
    picture leaves room for a comment; then with the colour planes' quality
    raised as far as that room allows, and of the encodings there (with and
    without optimised Huffman tables, with restart markers every few MCU
    rows) the one that leaves the least room, which the comment fills."""
    source = ppm(picture)
    room = size - JPEG_COMMENT_MIN

    def fits(quality):
        return len(jpeg_encode(cjpeg, source, quality)) <= room

    if not fits(30):
        raise SystemExit("generate.py: %s does not fit %d bytes even at quality 30" % (caption, size))
    luma = highest(30, 97, fits)
    best = b""
    for first in (luma, luma + 1):
        if not fits((first, 1)):
            continue
        chroma = highest(1, 100, lambda c: fits((first, c)))
        for optimize in (True, False):
            for restart in (None, 8, 4, 2, 1):
                data = jpeg_encode(cjpeg, source, (first, chroma), optimize, restart)
                if len(best) < len(data) <= room:
                    best = data
    text = caption_of_length(caption + " " + JPEG_CREDIT, size - len(best) - 4)
    out = with_comment(best, text)
    assert len(out) == size
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--cjpeg", default="cjpeg", help="the JPEG encoder")
    parser.add_argument("--manifest", default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                          "manifest.txt"))
    parser.add_argument("outdir")
    args = parser.parse_args()
    os.makedirs(args.outdir, exist_ok=True)

    rows = read_manifest(args.manifest).files
    sizes = {ident: size for ident, _, _, size in rows}
    names = {ident: name for ident, _, name, _ in rows}
    makers = set(BMP8) | set(BMP24) | set(JPEG) | set(COMPOUND) | {HELP, CONTENTS, INDEX, REDIST_ID}
    wanted = {ident for ident, _, name, _ in rows if name not in PROGRAMS}
    if makers != wanted:
        raise SystemExit("generate.py: %s lists the ids %s with their sizes; this script makes %s"
                         % (args.manifest, sorted(wanted), sorted(makers)))

    files = {}
    drawn = {}
    for ident, draw in BMP8.items():
        drawn[ident] = draw()
        files[ident] = bmp8(drawn[ident])
    for ident, draw in BMP24.items():
        files[ident] = bmp24(draw())
    for ident, draw in JPEG.items():
        drawn[ident] = draw()
        grain(drawn[ident], JPEG_GRAIN[ident], ident)
        files[ident] = jpeg_of_size(drawn[ident], args.cjpeg, sizes[ident], JPEG_CAPTION[ident])
    for ident, (stream, lines) in COMPOUND.items():
        files[ident] = compound_file(stream, filled_to(sizes[ident], lines()), sizes[ident])
    images = [name for ident, folder, name, _ in rows if folder == "Images"]
    files[HELP] = help_file(sizes[HELP], images, [bmp8(screenshot(480, drawn[3001], "Vantorelle")),
                                                  bmp24(drawn[3007])],
                            lambda rows: bmp8(screenshot(rows, drawn[3009], "Vantorelle")), HELP_DATE)
    files[CONTENTS] = help_contents(sizes[CONTENTS])
    files[INDEX] = global_index(sizes[INDEX], images, sizes[HELP], HELP_DATE)
    files[REDIST_ID] = REDIST.replace("\n", "\r\n").encode("ascii")

    for ident, data in sorted(files.items()):
        if len(data) != sizes[ident]:
            raise SystemExit("generate.py: %s has %d bytes, the manifest lists %d" % (names[ident], len(data),
                                                                                     sizes[ident]))
        with open(os.path.join(args.outdir, str(ident)), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
