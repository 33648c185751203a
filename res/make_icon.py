"""Draw Quillet's application icon and write it as a Windows .ico file.

Usage: python3 res/make_icon.py OUTPUT.ico

The picture: a rounded dark-blue controller board with a row of gold
terminals along its bottom edge and a green square-wave signal trace,
written by a white quill whose feather sticks out over the top-right corner.
Standard library only, and deterministic, so the build can regenerate it.
"""
import functools
import math
import struct
import sys

# Everything is laid out on a 16-unit grid so the 16-pixel image lands on
# whole pixels and stays crisp; larger sizes are the same drawing scaled up.
# BOARD_EDGE is chosen so the 16-colour images turn it into pure blue.
BOARD_EDGE, BOARD = (30, 88, 220), (20, 42, 105)
GOLD, HOLE, SIGNAL = (240, 190, 40), (110, 80, 20), (70, 235, 100)
FEATHER, OUTLINE, SHAFT, NIB = (248, 246, 238), (95, 100, 120), (150, 150, 165), (40, 40, 48)
NIB_TIP, QUILL_TOP = (10.5, 6.5), (15.2, 0.7)


def rounded_rect(x0, y0, x1, y1, r):
    cx, cy, hw, hh = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2
    def sdf(x, y):
        qx, qy = abs(x - cx) - hw + r, abs(y - cy) - hh + r
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return sdf, (x0, y0, x1, y1)


def tapered_line(a, b, radius):
    """Line from a to b whose half-width is radius(t), t running 0..1."""
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    def sdf(x, y):
        t = min(max(((x - ax) * dx + (y - ay) * dy) / length2, 0), 1)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - radius(t)
    r = max(radius(i / 16) for i in range(17))
    return sdf, (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r)


def feather_width(t):
    # Slim near the nib, a broad vane in the middle, a pointed tip on top.
    return 0.25 + 0.95 * math.sin(math.pi * max(t - 0.2, 0) / 0.8)


def along_quill(t):
    return tuple(a + t * (b - a) for a, b in zip(NIB_TIP, QUILL_TOP))


def scene(size):
    """(shape, colour) pairs, back to front; small sizes drop fine detail."""
    shapes = [(rounded_rect(1, 2, 15, 14, 2.5), BOARD_EDGE),
              (rounded_rect(2, 3, 14, 13, 1.6), BOARD)]
    # Three wide terminals stay readable at 16 pixels; bigger sizes get five,
    # with width and pitch in whole (even) pixels so the row is crisp and centred.
    px = size / 16
    pins, w = (3, 2) if size < 32 else (5, 1.4)
    w_px = 2 * round(w * px / 2)
    pitch_px = round((10 - w) * px / (pins - 1))
    left_px = (size - (pins - 1) * pitch_px - w_px) // 2
    for i in range(pins):
        x0 = (left_px + i * pitch_px) / px
        x1 = x0 + w_px / px
        bottom = 12 if size < 32 else 12.4
        shapes.append((rounded_rect(x0, 10, x1, bottom, 0.25), GOLD))
        if size >= 48:
            shapes.append((rounded_rect(x0 + 0.35, 10.5, x1 - 0.35, 11.6, 0.15), HOLE))
    wave = [(2.5, 8.5), (4.5, 8.5), (4.5, 5.5), (7.5, 5.5), (7.5, 8.5),
            (10.5, 8.5), NIB_TIP]
    for a, b in zip(wave, wave[1:]):
        shapes.append((tapered_line(a, b, lambda t: 0.5), SIGNAL))
    # A grey rim keeps the white feather visible on light backgrounds.
    rim = 0.5 if size < 32 else 0.35
    rimmed = lambda t: feather_width(t) + rim
    shapes.append((tapered_line(NIB_TIP, QUILL_TOP, rimmed), OUTLINE))
    shapes.append((tapered_line(NIB_TIP, QUILL_TOP, feather_width), FEATHER))
    if size >= 32:
        shaft = tapered_line(along_quill(0.3), along_quill(0.95), lambda t: 0.18)
        shapes.append((shaft, SHAFT))
    nib = tapered_line(NIB_TIP, along_quill(0.3), lambda t: 0.15 + 0.55 * t)
    shapes.append((nib, NIB))
    return shapes


def render(size):
    """Rasterise the scene into rows of [r, g, b, a] (floats, a in 0..1)."""
    scale = size / 16
    img = [[[0.0, 0.0, 0.0, 0.0] for _ in range(size)] for _ in range(size)]
    for (sdf, (x0, y0, x1, y1)), colour in scene(size):
        # Only visit pixels near the shape's bounding box to keep it fast.
        for py in range(max(int(y0 * scale) - 1, 0), min(int(y1 * scale) + 2, size)):
            for px in range(max(int(x0 * scale) - 1, 0), min(int(x1 * scale) + 2, size)):
                # Coverage from distance to the edge: a one-pixel soft edge.
                d = sdf((px + 0.5) / scale, (py + 0.5) / scale) * scale
                cov = min(max(0.5 - d, 0.0), 1.0)
                if cov == 0.0:
                    continue
                p = img[py][px]
                a = cov + p[3] * (1 - cov)
                for c in range(3):
                    p[c] = (colour[c] * cov + p[c] * p[3] * (1 - cov)) / a
                p[3] = a
    return img


# The 16 colours every Windows display can show, in their usual index order.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
       (128, 0, 128), (0, 128, 128), (192, 192, 192), (128, 128, 128),
       (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
       (0, 255, 255), (255, 255, 255)]
# 6x6x6 colour cube followed by 40 greys: easy to search exactly.
CUBE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
GREYS = [(round(i * 255 / 39),) * 3 for i in range(40)]
PAL256 = CUBE + GREYS


def dist2(a, b):
    return sum((x - y) ** 2 for x, y in zip(a, b))


@functools.cache  # anti-aliased edges repeat the same few colours a lot
def nearest16(rgb):
    return min(range(16), key=lambda i: dist2(rgb, VGA[i]))


@functools.cache
def nearest256(rgb):
    # The nearest cube colour is found per channel; compare with the nearest grey.
    cube = 36 * round(rgb[0] / 51) + 6 * round(rgb[1] / 51) + round(rgb[2] / 51)
    grey = 216 + round(sum(rgb) / 3 * 39 / 255)
    return min(cube, grey, key=lambda i: dist2(rgb, PAL256[i]))


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def dib(img, bpp):
    """One icon image: BITMAPINFOHEADER, palette, colour rows, AND mask."""
    size = len(img)
    palette, pick = {4: (VGA, nearest16), 8: (PAL256, nearest256)}.get(bpp, ([], None))
    rows, mask = [], []
    for row in reversed(img):  # DIB rows run bottom-up
        row = [(round(r), round(g), round(b), round(a * 255)) for r, g, b, a in row]
        bits = "".join("0" if a >= 128 else "1" for *_, a in row)
        mask.append(padded(int(bits, 2).to_bytes(size // 8, "big")))
        if bpp == 32:
            data = bytes(v for r, g, b, a in row for v in (b, g, r, a))
        else:
            # Transparent pixels get black, which the AND mask turns invisible.
            idx = [pick((r, g, b) if a >= 128 else (0, 0, 0)) for r, g, b, a in row]
            if bpp == 4:
                idx = [idx[i] << 4 | idx[i + 1] for i in range(0, size, 2)]
            data = bytes(idx)
        rows.append(padded(data))
    pixels = b"".join(rows) + b"".join(mask)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bpp, 0,
                         len(pixels), 0, 0, 0, 0)
    return header + b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + pixels


def main(path):
    plan = [(s, b) for s in (16, 32, 48) for b in (4, 8, 32)] + [(256, 8), (256, 32)]
    images = {s: render(s) for s in (16, 32, 48, 256)}
    blobs = [dib(images[s], b) for s, b in plan]
    out = struct.pack("<HHH", 0, 1, len(plan))
    offset = 6 + 16 * len(plan)
    for (s, b), blob in zip(plan, blobs):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 16 if b == 4 else 0,
                           0, 1, b, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


if __name__ == "__main__":
    main(sys.argv[1])
