#!/usr/bin/env python3
"""Writes the data that Vantorelle.exe and Tovx.dll carry as resources, and
sizes one resource of each so that the linked file has its listed size.

    appdata.py data OUTDIR
        the program's pictures and sounds, the library's tables, and in
        OUTDIR/probe the sized resources at their shortest
    appdata.py fit PROBE SIZE SHORT OUT
        PROBE was linked with SHORT (a sized resource at its shortest); writes
        OUT, the same resource made longer by SIZE minus PROBE's size, so that
        the same link with OUT in place of SHORT gives a file of SIZE bytes
    appdata.py check FILE SIZE
        fails unless FILE has SIZE bytes

The fit works because both links differ only in the length of one resource's
data: the resource section grows by exactly that many bytes when the growth
is a multiple of the file alignment (512), which it is, both files being
whole numbers of 512-byte units. The sized resources are the program's
strip of animation frames (a 24-bit BMP whose rows are 512 bytes long) and
the library's wave table (periods of 512 bytes); each grows by whole rows or
periods.

Everything is the same bytes on every run.
"""

import hashlib
import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imaging import (  # noqa: E402
    AQUA, FUCHSIA, LIME, RED, WHITE, YELLOW, Ellipse, Picture, Rect, bmp8, bmp24, grain, lerp, ramp, star,
    text_width)
from generate import ball, cloud, dotted_text, gerbera, music_note, rose  # noqa: E402

RATE = 22050  # samples per second of the program's sounds, 16-bit mono
# The film grain of the 24-bit pictures (see imaging.grain): how much detail
# their compression has to keep.
PICTURE_GRAIN = 16
FRAME_GRAIN = 12
WAVE_LENGTH = 256  # samples of one period of the library's wave table
SHORT_WAVES = 4  # periods of the wave table in the probe link


# ---------------------------------------------------------------------------
# Pictures of the program: its backdrop, splash screen and button strip


def row_gradient(width, height, top, bottom):
    """A vertical gradient, painted row by row."""
    p = Picture(width, height)
    for y in range(height):
        p.rows[y] = bytearray(bytes(lerp(top, bottom, y / (height - 1))) * width)
    return p


def backdrop():
    """The picture area's background: an evening sky with clouds and stars."""
    p = row_gradient(640, 480, (10, 10, 60), (240, 140, 80))
    for x, y in [(60, 30), (200, 60), (330, 20), (470, 50), (600, 25), (420, 110)]:
        p.fill(star(x, y, 6, 2.4), (255, 250, 200))
    cloud(p, 180, 330, 260, (255, 220, 200), (170, 90, 110), 11)
    cloud(p, 470, 380, 300, (255, 230, 210), (160, 80, 100), 12)
    grain(p, PICTURE_GRAIN, 1)
    return p


def splash():
    """The splash screen: flowers and the program's name."""
    p = row_gradient(480, 300, (40, 0, 90), (150, 40, 160))
    gerbera(p, 90, 110, 70, (255, 110, 0), (90, 40, 0))
    gerbera(p, 390, 120, 60, (255, 60, 120), (80, 20, 30))
    rose(p, 240, 100, 60)
    cell = 6
    dotted_text(p, "VANTORELLE", (480 - text_width("VANTORELLE", cell)) / 2, 220, cell,
                [YELLOW, AQUA, LIME, FUCHSIA, WHITE])
    grain(p, PICTURE_GRAIN, 2)
    return p


def player_panel():
    """The player's panel behind its buttons and volume slider."""
    p = row_gradient(560, 96, (200, 205, 225), (110, 115, 150))
    for k in range(8):
        ball(p, 40 + k * 62, 48, 20, [RED, YELLOW, LIME, AQUA, FUCHSIA, (255, 140, 0), (80, 120, 255), WHITE][k])
    music_note(p, 520, 60, 30, (40, 20, 80))
    grain(p, 12, 3)
    return p


FRAME_WIDTH = 170  # 170 pixels of 24 bits and 2 bytes of padding: 512 bytes a row
FRAME_HEIGHT = 128
SHORT_FRAMES = 2 * FRAME_HEIGHT  # rows of the frame strip in the probe link


def frames(rows):
    """The strip of the demo composition's frames, one above the other, each
    FRAME_WIDTH x FRAME_HEIGHT: a ball and a star circling on a sky that
    darkens from frame to frame. The last frame is cut where the strip ends."""
    p = Picture(FRAME_WIDTH, rows)
    for y in range(rows):
        f, r = divmod(y, FRAME_HEIGHT)
        t = (f % 24) / 24.0
        top = lerp((90, 160, 255), (20, 10, 70), t)
        p.rows[y] = bytearray(bytes(lerp(top, (255, 200, 150), r / (FRAME_HEIGHT - 1))) * FRAME_WIDTH)
    for f in range((rows + FRAME_HEIGHT - 1) // FRAME_HEIGHT):
        a = 2 * math.pi * f / 24.0
        y0 = f * FRAME_HEIGHT
        ball(p, 85 + 50 * math.cos(a), y0 + 64 + 40 * math.sin(a), 14, [RED, LIME, AQUA, FUCHSIA][f % 4])
        p.fill(star(85 - 50 * math.cos(a), y0 + 64 - 40 * math.sin(a), 12, 5, 5, f * 15.0), YELLOW)
    grain(p, FRAME_GRAIN, 5)
    return p


def buttons():
    """The strip of the toolbar's 16 x 16 buttons, in 256 colours."""
    colours = [RED, YELLOW, LIME, AQUA, FUCHSIA, (255, 140, 0), (80, 120, 255), (128, 0, 160)]
    p = Picture(16 * 24, 16, (192, 192, 192))
    for k in range(24):
        x = k * 16
        c = colours[k % len(colours)]
        p.fill(Rect(x + 1, 1, x + 15, 15), lambda xx, yy, c=c: ramp(c, (40, 40, 40), yy / 16.0, 6))
        p.fill(Ellipse(x + 8, 8, 3 + k % 4), WHITE)
    return p


# ---------------------------------------------------------------------------
# Sounds of the program

SINE = [math.sin(2 * math.pi * k / 4096) for k in range(4096)]


def noise(seed, count):
    """count deterministic values in -1..1."""
    data = hashlib.shake_256(b"noise:%d" % seed).digest(count)
    return [(b - 127.5) / 127.5 for b in data]


def synth(notes, seed, length=None):
    """16-bit samples of notes [(start seconds, seconds, frequency, loudness)],
    each with three harmonics and a decaying envelope, over a little hiss.
    With length, the tune repeats (each round a little varied by the hiss)
    until length samples are made."""
    end = max(int((s + d) * RATE) for s, d, _, _ in notes)
    total = length if length is not None else end
    mix = [0.0] * total
    for round_start in range(0, total, end):
        for start, seconds, freq, loud in notes:
            first = round_start + int(start * RATE)
            count = min(int(seconds * RATE), total - first)
            step = freq * 4096 / RATE
            for n in range(max(0, count)):
                env = loud * math.exp(-3.0 * n / (seconds * RATE)) * min(1.0, n / 200.0)
                ph = n * step
                mix[first + n] += env * (SINE[int(ph) & 4095] + 0.5 * SINE[int(2 * ph) & 4095]
                                         + 0.25 * SINE[int(3 * ph) & 4095])
    hiss = noise(seed, total)
    return struct.pack("<%dh" % total, *(max(-32767, min(32767, int(8000 * m + 60 * h)))
                                         for m, h in zip(mix, hiss)))


def wave_file(samples):
    """A PCM WAVE file of 16-bit mono samples at RATE."""
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(samples))
    return b"RIFF" + struct.pack("<I", len(body) + len(samples)) + body + samples


# A few bars of a tune in C major: the start-up music and the short sounds.
C4 = 261.63


def note(semitones):
    return C4 * 2 ** (semitones / 12.0)


MELODY = [0, 4, 7, 12, 11, 7, 4, 5, 9, 12, 14, 12, 7, 4, 2, 0]
START_MUSIC = ([(k * 0.25, 0.5, note(s), 0.9) for k, s in enumerate(MELODY)]
               + [(k * 1.0, 1.0, note(s - 12), 0.6) for k, s in enumerate([0, 5, 7, 0])])
CHIME = [(0.0, 0.8, note(12), 1.0), (0.12, 0.8, note(16), 0.8), (0.24, 1.0, note(19), 0.8)]
CLICK = [(0.0, 0.05, 1800.0, 1.0)]
APPLAUSE = [(k * 0.07, 0.2, 900.0 + 37 * (k % 11), 0.5) for k in range(60)]




# ---------------------------------------------------------------------------
# Tables of the library


def blend_table():
    """blend[alpha][v]: v weighted by alpha / 255, for the fades (64 KiB)."""
    return bytes((v * a + 127) // 255 for a in range(256) for v in range(256))


def gamma_tables():
    """Eight gamma curves from 0.6 to 2.0, 256 entries of 16 bits each."""
    out = []
    for k in range(8):
        g = 0.6 + 0.2 * k
        out += [int(round(65535 * (v / 255.0) ** g)) for v in range(256)]
    return struct.pack("<%dH" % len(out), *out)


def sine_table():
    """Sine and cosine in 1/65536, 4096 steps a turn, 32 bits each."""
    out = [int(round(65536 * math.sin(2 * math.pi * k / 4096))) for k in range(4096)]
    out += [int(round(65536 * math.cos(2 * math.pi * k / 4096))) for k in range(4096)]
    return struct.pack("<%di" % len(out), *out)


def wave_table(periods):
    """The synthesiser's instruments: periods of WAVE_LENGTH 16-bit samples,
    each a mixture of harmonics whose weights drift from period to period,
    sampled from a slightly noisy recording."""
    out = []
    hiss = noise(7, periods * WAVE_LENGTH)
    for p in range(periods):
        weights = [1.0 / (h + 1) * (1 + 0.5 * math.sin(p * 0.37 + h)) for h in range(8)]
        norm = 20000 / sum(weights)
        for k in range(WAVE_LENGTH):
            v = sum(w * SINE[(k * (h + 1) * 16) & 4095] for h, w in enumerate(weights))
            out.append(int(norm * v + 250 * hiss[p * WAVE_LENGTH + k]))
    return struct.pack("<%dh" % len(out), *out)


# ---------------------------------------------------------------------------


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path + ".part", "wb") as f:
        f.write(data)
    os.replace(path + ".part", path)


def data(outdir):
    os.makedirs(os.path.join(outdir, "probe"), exist_ok=True)
    write(os.path.join(outdir, "Backdrop.bmp"), bmp24(backdrop()))
    write(os.path.join(outdir, "Splash.bmp"), bmp24(splash()))
    write(os.path.join(outdir, "Panel.bmp"), bmp24(player_panel()))
    write(os.path.join(outdir, "Buttons.bmp"), bmp8(buttons()))
    write(os.path.join(outdir, "Chime.wav"), wave_file(synth(CHIME, 2)))
    write(os.path.join(outdir, "Click.wav"), wave_file(synth(CLICK, 3)))
    write(os.path.join(outdir, "Applause.wav"), wave_file(synth(APPLAUSE, 4)))
    write(os.path.join(outdir, "Blend.bin"), blend_table())
    write(os.path.join(outdir, "Gamma.bin"), gamma_tables())
    write(os.path.join(outdir, "Sine.bin"), sine_table())
    write(os.path.join(outdir, "Start.wav"), wave_file(synth(START_MUSIC, 1)))
    write(os.path.join(outdir, "probe", "Frames.bmp"), bmp24(frames(SHORT_FRAMES)))
    write(os.path.join(outdir, "probe", "Waves.bin"), wave_table(SHORT_WAVES))


def fit(probe, size, short, out):
    grow = size - os.path.getsize(probe)
    short_length = os.path.getsize(short)
    if grow % 512 != 0 or grow < 0:
        raise SystemExit("appdata.py: %s has %d bytes, %d more are wanted: no resource can make that up"
                         % (probe, os.path.getsize(probe), grow))
    name = os.path.basename(short)
    if name == "Frames.bmp":
        made = bmp24(frames(SHORT_FRAMES + grow // 512))
    elif name == "Waves.bin":
        grow_periods, rest = divmod(grow, 2 * WAVE_LENGTH)
        assert rest == 0, "a whole number of periods: 512 bytes each"
        made = wave_table(SHORT_WAVES + grow_periods)
    else:
        raise SystemExit("appdata.py: %s is not a sized resource" % short)
    assert len(made) == short_length + grow
    write(out, made)


def check(path, size):
    if os.path.getsize(path) != size:
        raise SystemExit("appdata.py: %s has %d bytes, the manifest lists %d"
                         % (path, os.path.getsize(path), size))


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "data":
        data(sys.argv[2])
    elif len(sys.argv) == 6 and sys.argv[1] == "fit":
        fit(sys.argv[2], int(sys.argv[3]), sys.argv[4], sys.argv[5])
    elif len(sys.argv) == 4 and sys.argv[1] == "check":
        check(sys.argv[2], int(sys.argv[3]))
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main()
