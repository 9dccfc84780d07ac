#!/usr/bin/env python3
"""Draws the icons and the side picture of the setup and of the product.

    artwork.py setup OUTDIR      Setup.ico (the setup's window icon, 32 x 32 in
                                 16 colours) and Extensions.bmp (the file-type
                                 page's 129 x 284 picture, 256 colours)
    artwork.py app-icons OUTDIR  Packed.ico and Composition.ico, the two icons of
                                 Vantorelle.exe (32 x 32 and 16 x 16, 16 colours)
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imaging import (  # noqa: E402
    AQUA, BLACK, BLUE, FUCHSIA, LIME, MAROON, NAVY, OLIVE, PURPLE, RED, SILVER, TRANSPARENT, WHITE, YELLOW,
    Ellipse, Heart, Picture, Polygon, Rect, bmp8, ico16, ramp, rhomb, star)
from generate import Lcg, ball, music_note  # noqa: E402


def setup_icon():
    """A disc of the title page's colours with a music note on it."""
    p = Picture(32, 32, TRANSPARENT)
    p.fill(Ellipse(16, 16, 15.5), BLACK)
    p.fill(Ellipse(16, 16, 14.5), PURPLE)
    p.fill(Ellipse(11.5, 11, 7.5, 5.5), AQUA)
    p.fill(Ellipse(21, 15, 6.5, 5), LIME)
    p.fill(Ellipse(12, 22, 7, 4.5), YELLOW)
    p.fill(Ellipse(18.5, 24, 4, 3, -25), BLACK)
    p.fill(Rect(21, 8, 23, 24), BLACK)
    p.fill(Polygon([(21, 7), (28, 12), (27, 14.5), (22, 11)]), BLACK)
    return p


def composition_card(p, s, x, y, w, h):
    """A framed white canvas with a few coloured shapes on it; s is the
    icon's scale (1 for 32 x 32)."""
    p.fill(Rect(x, y, x + w, y + h), BLACK)
    p.fill(Rect(x + 1, y + 1, x + w - 1, y + h - 1), WHITE)
    p.fill(Ellipse(x + w * 0.32, y + h * 0.36, 6 * s), YELLOW)
    p.fill(Heart(x + w * 0.66, y + h * 0.62, 12 * s), RED)
    p.fill(rhomb(x + w * 0.3, y + h * 0.72, 4 * s, 5.5 * s), BLUE)
    p.fill(star(x + w * 0.72, y + h * 0.28, 5 * s, 2.2 * s), FUCHSIA)


def composition_icon(size):
    s = size / 32.0
    p = Picture(size, size, TRANSPARENT)
    composition_card(p, s, 1 * s, 3 * s, 30 * s, 26 * s)
    return p


def packed_icon(size):
    """The composition card tucked into a parcel tied with a ribbon."""
    s = size / 32.0
    p = Picture(size, size, TRANSPARENT)
    composition_card(p, s, 6 * s, 1 * s, 20 * s, 18 * s)
    p.fill(Rect(1 * s, 12 * s, 31 * s, 31 * s), BLACK)
    p.fill(Rect(2 * s, 13 * s, 30 * s, 30 * s), OLIVE)
    p.fill(Rect(2 * s, 13 * s, 30 * s, 16 * s), YELLOW)
    p.fill(Rect(14 * s, 12 * s, 18 * s, 31 * s), MAROON)
    p.fill(Rect(1 * s, 20 * s, 31 * s, 23 * s), MAROON)
    p.fill(Rect(15 * s, 13 * s, 17 * s, 30 * s), RED)
    p.fill(Rect(2 * s, 21 * s, 30 * s, 22 * s), RED)
    return p


def extensions_picture():
    """The file-type page's left column: a night-blue to violet band with
    coloured balls, music notes and a few sparkles."""
    p = Picture(129, 284)
    p.paint(lambda x, y: ramp((0, 40, 140), (110, 0, 200), y / 284.0 + (x - 64) / 1200.0, 96))
    rng = Lcg(129284)
    for x, y in [(12, 8), (110, 40), (20, 150), (104, 196), (66, 262), (8, 270), (118, 120)]:
        p.fill(star(x, y, 4.5, 1.6, 4), WHITE)
    for _ in range(30):
        p.fill(Ellipse(rng.uniform(0, 129), rng.uniform(0, 284), 0.9), SILVER)
    balls = [(40, 36, 20, AQUA), (92, 78, 14, YELLOW), (30, 104, 11, (0, 255, 64)), (78, 136, 22, FUCHSIA),
             (34, 196, 17, (255, 128, 0)), (96, 238, 12, RED), (40, 252, 9, LIME)]
    for x, y, r, colour in balls:
        ball(p, x, y, r, colour, 8)
    for x, y, size, colour in [(70, 40, 22, WHITE), (16, 76, 16, YELLOW), (52, 170, 18, WHITE),
                               (98, 190, 15, AQUA), (70, 228, 20, YELLOW), (18, 240, 13, WHITE)]:
        music_note(p, x, y, size, colour)
    p.fill(Rect(0, 0, 129, 1), NAVY)
    return p


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("setup", "app-icons"):
        sys.exit(__doc__)
    what, outdir = sys.argv[1], sys.argv[2]
    os.makedirs(outdir, exist_ok=True)
    if what == "setup":
        write(os.path.join(outdir, "Setup.ico"), ico16([setup_icon()]))
        write(os.path.join(outdir, "Extensions.bmp"), bmp8(extensions_picture()))
    else:
        write(os.path.join(outdir, "Packed.ico"), ico16([packed_icon(32), packed_icon(16)]))
        write(os.path.join(outdir, "Composition.ico"), ico16([composition_icon(32), composition_icon(16)]))


if __name__ == "__main__":
    main()
