#!/usr/bin/env python3
"""Draws Zorvik's pointing-hand cursor and writes it as a Windows .cur file (32 x 32, 32-bit BGRA).

The hand is described by a few rounded shapes measured on the 32 x 32 grid; every pixel is sampled
4 x 4 times against their distance fields, which gives soft edges without any image library.

    python3 assets/make_hand_cursor.py assets/HAND-M.CUR
"""

import math
import struct
import sys

SIZE = 32
HOTSPOT = (12, 1)  # the tip of the raised index finger
SAMPLES = 4
OUTLINE = 1.15  # width of the dark rim, in pixels


def rounded_box(px, py, left, top, right, bottom, radius):
    """Signed distance to a rectangle with rounded corners (negative inside)."""
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius
    dx, dy = abs(px - cx) - hx, abs(py - cy) - hy
    outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
    inside = min(max(dx, dy), 0.0)
    return outside + inside - radius


def capsule(px, py, ax, ay, bx, by, radius):
    """Signed distance to a stroke of the given radius from (ax, ay) to (bx, by)."""
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - ax - t * vx, py - ay - t * vy) - radius


# The silhouette: raised index finger, three curled fingers, palm and thumb.
def hand(px, py):
    return min(
        rounded_box(px, py, 9.5, 1.0, 14.5, 19.0, 2.5),  # index finger
        rounded_box(px, py, 14.0, 10.5, 18.6, 20.0, 2.2),  # middle finger, curled
        rounded_box(px, py, 18.2, 11.5, 22.8, 21.0, 2.2),  # ring finger, curled
        rounded_box(px, py, 22.4, 13.0, 26.8, 22.0, 2.1),  # little finger, curled
        rounded_box(px, py, 9.5, 15.5, 26.8, 30.0, 4.0),  # palm
        capsule(px, py, 5.2, 15.6, 10.8, 22.6, 2.8),  # thumb
    )


# Dark creases drawn inside the silhouette: the gaps between the curled fingers and the thumb's fold.
CREASES = [
    ((18.4, 13.8), (18.4, 18.2)),
    ((22.6, 15.2), (22.6, 19.0)),
    ((14.5, 12.5), (14.5, 17.5)),
    ((9.0, 20.2), (11.6, 23.2)),
]


def crease(px, py):
    return min(capsule(px, py, ax, ay, bx, by, 0.45) for (ax, ay), (bx, by) in CREASES)


def sample(px, py):
    """(alpha, grey) of one sample point: white skin inside a dark rim, transparent outside."""
    d = hand(px, py)
    if d > 0:
        return 0.0, 0.0
    if d > -OUTLINE or crease(px, py) < 0:
        return 1.0, 0.0
    return 1.0, 1.0


def render():
    pixels = []  # rows top to bottom of (b, g, r, a)
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            alpha = light = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    a, g = sample(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES)
                    alpha += a
                    light += a * g
            n = SAMPLES * SAMPLES
            a = alpha / n
            grey = round(255 * light / alpha) if alpha else 0
            # Premultiplied edges look muddy on dark backgrounds; keep the colour, fade the alpha.
            row.append((grey, grey, grey, round(255 * a)))
        pixels.append(row)
    return pixels


def cur_file(pixels):
    colour = bytearray()
    for row in reversed(pixels):  # bitmaps are stored bottom-up
        for b, g, r, a in row:
            colour += bytes((b, g, r, a))
    mask = bytearray()  # 1 = transparent; rows padded to 32 bits
    for row in reversed(pixels):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, HOTSPOT[0], HOTSPOT[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else "HAND-M.CUR"
    pixels = render()
    assert pixels[HOTSPOT[1]][HOTSPOT[0]][3] > 0, "the hotspot must lie on the fingertip"
    with open(target, "wb") as out:
        out.write(cur_file(pixels))


if __name__ == "__main__":
    main()
