"""Small raster toolkit for the product's pictures and icons (python3, stdlib only).

A Picture is an RGB image drawn in memory.  Shapes are plain objects with a
bounding box and a contains(x, y) test; filling a shape paints every pixel
whose centre lies inside it, with a colour or with a function of (x, y).
Writers turn a picture into an 8-bit or 24-bit BMP, a 16-colour icon image or
a binary PPM (for the JPEG encoder).  Everything is deterministic.
"""

import hashlib
import math
import struct

# ---------------------------------------------------------------------------
# Colours


def lerp(c1, c2, t):
    """The colour a fraction t of the way from c1 to c2."""
    t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


def ramp(c1, c2, t, levels):
    """Like lerp, but snapped to one of `levels` steps, so that a gradient in an
    8-bit picture uses a known number of palette entries."""
    t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
    return lerp(c1, c2, round(t * (levels - 1)) / (levels - 1))


def shade(colour, factor):
    """colour made lighter (factor > 1) or darker (factor < 1), clamped."""
    return tuple(max(0, min(255, int(round(c * factor)))) for c in colour)


# The standard 16-colour palette of icons and low-colour displays.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = VGA16[:8]
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = VGA16[8:]

# ---------------------------------------------------------------------------
# Shapes


class Shape:
    """Base of all shapes: a bounding box (x0, y0, x1, y1), end exclusive."""

    bbox = (0, 0, 0, 0)

    def contains(self, x, y):
        raise NotImplementedError

    def __sub__(self, other):
        return Difference(self, other)

    def __or__(self, other):
        return Union(self, other)


class Ellipse(Shape):
    """An ellipse around (cx, cy) with radii rx, ry, turned by angle degrees."""

    def __init__(self, cx, cy, rx, ry=None, angle=0.0):
        ry = rx if ry is None else ry
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        a = math.radians(angle)
        self.cos, self.sin = math.cos(a), math.sin(a)
        r = max(rx, ry)
        self.bbox = (int(cx - r) - 1, int(cy - r) - 1, int(cx + r) + 2, int(cy + r) + 2)

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        u = (dx * self.cos + dy * self.sin) / self.rx
        v = (dy * self.cos - dx * self.sin) / self.ry
        return u * u + v * v <= 1.0


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.box = (x0, y0, x1, y1)
        self.bbox = (int(x0), int(y0), int(math.ceil(x1)), int(math.ceil(y1)))

    def contains(self, x, y):
        x0, y0, x1, y1 = self.box
        return x0 <= x < x1 and y0 <= y < y1


class Polygon(Shape):
    """A polygon filled by the even-odd rule."""

    def __init__(self, points):
        self.points = list(points)
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        self.bbox = (int(min(xs)) - 1, int(min(ys)) - 1, int(max(xs)) + 2, int(max(ys)) + 2)

    def contains(self, x, y):
        inside = False
        pts = self.points
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside


class Line(Shape):
    """A straight stroke of the given width from (x0, y0) to (x1, y1)."""

    def __init__(self, x0, y0, x1, y1, width=1.0):
        self.p, self.q, self.r = (x0, y0), (x1, y1), width / 2.0
        m = self.r + 1
        self.bbox = (int(min(x0, x1) - m), int(min(y0, y1) - m), int(max(x0, x1) + m) + 1,
                     int(max(y0, y1) + m) + 1)
        self.dx, self.dy = x1 - x0, y1 - y0
        self.len2 = self.dx * self.dx + self.dy * self.dy or 1e-9

    def contains(self, x, y):
        t = ((x - self.p[0]) * self.dx + (y - self.p[1]) * self.dy) / self.len2
        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
        ex = x - (self.p[0] + t * self.dx)
        ey = y - (self.p[1] + t * self.dy)
        return ex * ex + ey * ey <= self.r * self.r


class Heart(Shape):
    """A heart of the given width, centred on (cx, cy), point downwards."""

    def __init__(self, cx, cy, size):
        self.cx, self.cy, self.s = cx, cy, size / 2.3
        h = size * 0.6
        self.bbox = (int(cx - h) - 1, int(cy - h) - 1, int(cx + h) + 2, int(cy + h) + 2)

    def contains(self, x, y):
        u = (x - self.cx) / self.s
        v = -(y - self.cy) / self.s + 0.15
        a = u * u + v * v - 1.0
        return a * a * a - u * u * v * v * v <= 0.0


class Difference(Shape):
    def __init__(self, a, b):
        self.a, self.b, self.bbox = a, b, a.bbox

    def contains(self, x, y):
        return self.a.contains(x, y) and not self.b.contains(x, y)


class Union(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b
        self.bbox = (min(a.bbox[0], b.bbox[0]), min(a.bbox[1], b.bbox[1]), max(a.bbox[2], b.bbox[2]),
                     max(a.bbox[3], b.bbox[3]))

    def contains(self, x, y):
        return self.a.contains(x, y) or self.b.contains(x, y)


def star(cx, cy, outer, inner, points=5, angle=-90.0):
    """A star polygon with its first point at `angle` degrees."""
    pts = []
    for i in range(points * 2):
        r = outer if i % 2 == 0 else inner
        a = math.radians(angle + i * 180.0 / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return Polygon(pts)


def rhomb(cx, cy, rx, ry):
    return Polygon([(cx, cy - ry), (cx + rx, cy), (cx, cy + ry), (cx - rx, cy)])


# A 5 x 7 font for the captions of the pictures.
FONT = {
    "A": ".###.|#...#|#...#|#####|#...#|#...#|#...#",
    "B": "####.|#...#|#...#|####.|#...#|#...#|####.",
    "E": "#####|#....|#....|####.|#....|#....|#####",
    "H": "#...#|#...#|#...#|#####|#...#|#...#|#...#",
    "I": ".###.|..#..|..#..|..#..|..#..|..#..|.###.",
    "K": "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#",
    "L": "#....|#....|#....|#....|#....|#....|#####",
    "N": "#...#|##..#|##..#|#.#.#|#..##|#..##|#...#",
    "O": ".###.|#...#|#...#|#...#|#...#|#...#|.###.",
    "P": "####.|#...#|#...#|####.|#....|#....|#....",
    "R": "####.|#...#|#...#|####.|#.#..|#..#.|#...#",
    "S": ".####|#....|#....|.###.|....#|....#|####.",
    "T": "#####|..#..|..#..|..#..|..#..|..#..|..#..",
    "U": "#...#|#...#|#...#|#...#|#...#|#...#|.###.",
    "V": "#...#|#...#|#...#|#...#|#...#|.#.#.|..#..",
    "W": "#...#|#...#|#...#|#.#.#|#.#.#|##.##|#...#",
    "Y": "#...#|#...#|.#.#.|..#..|..#..|..#..|..#..",
    " ": ".....|.....|.....|.....|.....|.....|.....",
}


def text_dots(text, x, y, cell):
    """The centres of the lit dots of `text` set in FONT, each dot `cell` pixels
    apart, with the top left of the first letter at (x, y)."""
    dots = []
    for n, ch in enumerate(text):
        rows = FONT[ch].split("|")
        for r, row in enumerate(rows):
            for c, bit in enumerate(row):
                if bit == "#":
                    dots.append((x + (n * 6 + c + 0.5) * cell, y + (r + 0.5) * cell))
    return dots


def text_width(text, cell):
    return (len(text) * 6 - 1) * cell


# ---------------------------------------------------------------------------
# Pictures


class Picture:
    """An RGB picture, rows from top to bottom."""

    def __init__(self, width, height, background=(0, 0, 0)):
        self.width, self.height = width, height
        self.rows = [bytearray(bytes(background) * width) for _ in range(height)]

    def get(self, x, y):
        row = self.rows[y]
        return tuple(row[3 * x:3 * x + 3])

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][3 * x:3 * x + 3] = bytes(colour)

    def paint(self, colour_at):
        """Every pixel takes colour_at(x, y), evaluated at the pixel's centre."""
        for y in range(self.height):
            row = self.rows[y]
            for x in range(self.width):
                row[3 * x:3 * x + 3] = bytes(colour_at(x + 0.5, y + 0.5))

    def fill(self, shape, colour):
        """Paints the pixels inside shape; colour is an RGB tuple or a function
        of (x, y) giving one (or None to leave the pixel)."""
        x0, y0, x1, y1 = shape.bbox
        x0, y0 = max(0, x0), max(0, y0)
        x1, y1 = min(self.width, x1), min(self.height, y1)
        flat = None if callable(colour) else bytes(colour)
        contains = shape.contains
        for y in range(y0, y1):
            row = self.rows[y]
            cy = y + 0.5
            for x in range(x0, x1):
                if contains(x + 0.5, cy):
                    if flat is not None:
                        row[3 * x:3 * x + 3] = flat
                    else:
                        c = colour(x + 0.5, cy)
                        if c is not None:
                            row[3 * x:3 * x + 3] = bytes(c)

    def colours(self):
        found = set()
        for row in self.rows:
            for x in range(0, len(row), 3):
                found.add(bytes(row[x:x + 3]))
        return found


def _bmp_headers(width, height, bits, palette_entries, image_size):
    offset = 14 + 40 + 4 * palette_entries
    file_header = struct.pack("<2sIHHI", b"BM", offset + image_size, 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835,
                              palette_entries, 0)
    return file_header + info_header


def bmp24(picture):
    """A 24-bit BMP: bottom-up rows of B, G, R, each padded to 4 bytes."""
    stride = (picture.width * 3 + 3) & ~3
    pad = bytes(stride - picture.width * 3)
    body = bytearray()
    for row in reversed(picture.rows):
        out = bytearray(row)
        out[0::3], out[2::3] = row[2::3], row[0::3]
        body += out + pad
    return _bmp_headers(picture.width, picture.height, 24, 0, len(body)) + bytes(body)


def bmp8(picture):
    """An 8-bit BMP with a full 256-entry palette made of the picture's own
    colours (at most 256 of them; a picture with more is a design error)."""
    colours = sorted(picture.colours())
    if len(colours) > 256:
        raise ValueError("%d colours do not fit an 8-bit picture" % len(colours))
    index = {c: i for i, c in enumerate(colours)}
    palette = bytearray(1024)
    for i, c in enumerate(colours):
        palette[4 * i:4 * i + 3] = bytes((c[2], c[1], c[0]))
    stride = (picture.width + 3) & ~3
    pad = bytes(stride - picture.width)
    body = bytearray()
    for row in reversed(picture.rows):
        body += bytes(index[bytes(row[x:x + 3])] for x in range(0, len(row), 3)) + pad
    return _bmp_headers(picture.width, picture.height, 8, 256, len(body)) + bytes(palette) + bytes(body)


def ppm(picture):
    """A binary PPM (P6), the input format of the JPEG encoder."""
    return b"P6\n%d %d\n255\n" % (picture.width, picture.height) + b"".join(bytes(r) for r in picture.rows)


# ---------------------------------------------------------------------------
# Icons

TRANSPARENT = (1, 2, 3)  # drawn where an icon shows what lies beneath it


def icon_image16(picture):
    """One icon image in 16 colours (VGA16): header, palette, 4-bit colour
    rows and the 1-bit transparency mask, both bottom-up. Pixels painted
    TRANSPARENT are masked out; every other pixel must be a VGA16 colour."""
    w, h = picture.width, picture.height
    index = {c: i for i, c in enumerate(VGA16)}
    xor_stride = ((w * 4 + 31) // 32) * 4
    and_stride = ((w + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for y in reversed(range(h)):
        nibbles = bytearray(xor_stride * 2)
        bits = bytearray(and_stride)
        for x in range(w):
            c = picture.get(x, y)
            if c == TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
            elif c in index:
                nibbles[x] = index[c]
            else:
                raise ValueError("colour %r at (%d, %d) is not one of the 16 icon colours" % (c, x, y))
        xor += bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(bytes((c[2], c[1], c[0], 0)) for c in VGA16)
    return header + palette + bytes(xor) + bytes(mask)


def ico16(pictures):
    """An .ico file holding one 16-colour image per picture (e.g. 32 x 32 and 16 x 16)."""
    images = [icon_image16(p) for p in pictures]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for p, img in zip(pictures, images):
        out += struct.pack("<BBBBHHII", p.width % 256, p.height % 256, 16, 0, 1, 4, len(img), offset)
        offset += len(img)
    return out + b"".join(images)


def grain(picture, amount, seed):
    """Adds film grain: each pixel gets the same offset of 0 to `amount` on its
    three channels, after the picture has been compressed into the range
    0..255-amount so that no channel overflows. The offsets come from SHAKE-256
    of the seed and the row number, so that they are the same everywhere; the
    byte arithmetic runs on whole rows as big integers (no carry can cross a
    byte, as no sum exceeds 255)."""
    squeeze = bytes(round(v * (255 - amount) / 255) for v in range(256))
    spread = bytes(v * (amount + 1) // 256 for v in range(256))
    w = picture.width
    for y, row in enumerate(picture.rows):
        noise = hashlib.shake_256(b"%d:%d" % (seed, y)).digest(w).translate(spread)
        offsets = bytearray(3 * w)
        offsets[0::3] = offsets[1::3] = offsets[2::3] = noise
        total = int.from_bytes(bytes(row).translate(squeeze), "big") + int.from_bytes(offsets, "big")
        picture.rows[y] = bytearray(total.to_bytes(3 * w, "big"))
