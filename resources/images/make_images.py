#!/usr/bin/env python3
"""Draws Kielotar Opinto's banner, window icon and hand cursor.

Run once by hand after changing a drawing; the outputs are committed, so the
build never needs Python:

    python3 resources/images/make_images.py [output-dir]

Standard library only. Every pixel comes from the code below, so the same
script always writes the same bytes.
"""

import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# A tiny anti-aliased rasteriser: shapes answer "is this point inside?", and
# paint() supersamples each pixel of the shape's bounding box.
# ---------------------------------------------------------------------------


class Canvas:
    """RGBA pixels; colours are straight (not premultiplied) 0..255, alpha 0..1."""

    def __init__(self, width, height, background=None):
        self.width = width
        self.height = height
        self.px = []
        for y in range(height):
            row = []
            for x in range(width):
                if background is None:
                    row.append([0.0, 0.0, 0.0, 0.0])
                else:
                    r, g, b = background(x + 0.5, y + 0.5)
                    row.append([r, g, b, 1.0])
            self.px.append(row)

    def blend(self, x, y, colour, alpha):
        d = self.px[y][x]
        out_a = alpha + d[3] * (1.0 - alpha)
        if out_a <= 0.0:
            return
        k = d[3] * (1.0 - alpha)
        for i in range(3):
            d[i] = (colour[i] * alpha + d[i] * k) / out_a
        d[3] = out_a

    def rgba8(self, x, y):
        p = self.px[y][x]
        return tuple(clamp8(v) for v in p[:3]) + (clamp8(p[3] * 255.0),)


def clamp8(v):
    return max(0, min(255, int(round(v))))


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(lerp(a, b, t) for a, b in zip(c1, c2))


def smoothstep(e0, e1, x):
    t = max(0.0, min(1.0, (x - e0) / (e1 - e0)))
    return t * t * (3.0 - 2.0 * t)


def hexrgb(s):
    s = s.lstrip("#")
    return tuple(int(s[i:i + 2], 16) for i in (0, 2, 4))


def paint(canvas, shape, colour, alpha=1.0, ss=4):
    """Fill `shape`; `colour` is an (r, g, b) tuple or a function of (x, y)."""
    x0, y0, x1, y1 = shape.bbox()
    offs = [(i + 0.5) / ss for i in range(ss)]
    total = ss * ss
    for py in range(max(0, int(math.floor(y0))), min(canvas.height, int(math.ceil(y1)) + 1)):
        for px in range(max(0, int(math.floor(x0))), min(canvas.width, int(math.ceil(x1)) + 1)):
            n = 0
            for oy in offs:
                for ox in offs:
                    if shape.contains(px + ox, py + oy):
                        n += 1
            if n:
                c = colour(px + 0.5, py + 0.5) if callable(colour) else colour
                canvas.blend(px, py, c, alpha * n / total)


class Polygon:
    def __init__(self, points):
        self.pts = points

    def bbox(self):
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        return min(xs), min(ys), max(xs), max(ys)

    def contains(self, x, y):
        inside = False
        n = len(self.pts)
        for i in range(n):
            x1, y1 = self.pts[i]
            x2, y2 = self.pts[(i + 1) % n]
            if (y1 > y) != (y2 > y):
                if x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                    inside = not inside
        return inside


class Stroke:
    """A polyline with round joins; `widths` tapers it point by point."""

    def __init__(self, points, widths):
        if not isinstance(widths, (list, tuple)):
            widths = [widths] * len(points)
        self.segs = []
        for (a, wa), (b, wb) in zip(zip(points, widths), zip(points[1:], widths[1:])):
            r = max(wa, wb) / 2.0
            box = (min(a[0], b[0]) - r, min(a[1], b[1]) - r, max(a[0], b[0]) + r, max(a[1], b[1]) + r)
            self.segs.append((a, b, wa / 2.0, wb / 2.0, box))

    def bbox(self):
        return (min(s[4][0] for s in self.segs), min(s[4][1] for s in self.segs),
                max(s[4][2] for s in self.segs), max(s[4][3] for s in self.segs))

    def contains(self, x, y):
        for a, b, ra, rb, box in self.segs:
            if x < box[0] or x > box[2] or y < box[1] or y > box[3]:
                continue
            dx, dy = b[0] - a[0], b[1] - a[1]
            ll = dx * dx + dy * dy
            t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - a[0]) * dx + (y - a[1]) * dy) / ll))
            qx, qy = a[0] + t * dx - x, a[1] + t * dy - y
            r = lerp(ra, rb, t)
            if qx * qx + qy * qy <= r * r:
                return True
        return False


class RoundRect:
    def __init__(self, x0, y0, x1, y1, radius):
        self.box = (x0, y0, x1, y1)
        self.r = radius

    def bbox(self):
        return self.box

    def contains(self, x, y):
        x0, y0, x1, y1 = self.box
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        r = self.r
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


class Bell:
    """A lily-of-the-valley bell hanging from (ax, ay): domed top, flared
    rim with curled-back tips. `size` is its height; `tilt` swings it."""

    def __init__(self, ax, ay, size, tilt=0.0):
        self.ax, self.ay, self.s = ax, ay, size
        self.cos, self.sin = math.cos(tilt), math.sin(tilt)

    def bbox(self):
        r = self.s * 1.2
        return self.ax - r, self.ay - r, self.ax + r, self.ay + r

    def local(self, x, y):
        dx, dy = x - self.ax, y - self.ay
        return ((dx * self.cos + dy * self.sin) / self.s,
                (-dx * self.sin + dy * self.cos) / self.s)

    @staticmethod
    def half_width(v):
        if v < 0.0:
            return -1.0
        if v < 0.58:
            t = (0.58 - v) / 0.58
            return 0.44 * math.sqrt(max(0.0, 1.0 - t * t))
        return 0.44 + 0.2 * ((v - 0.58) / 0.42) ** 2

    @staticmethod
    def rim(u):
        # Five visible tips: at the centre, either side, and curled out at the edges.
        return 0.84 + 0.16 * (0.5 + 0.5 * math.cos(2.0 * math.pi * u / 0.3))

    def contains(self, x, y):
        u, v = self.local(x, y)
        return 0.0 <= v <= self.rim(u) and abs(u) <= self.half_width(v)


class Mapped:
    """Draw a shape defined in design units: canvas = origin + design * scale.
    A negative x scale mirrors it."""

    def __init__(self, shape, ox, oy, sx, sy):
        self.shape, self.ox, self.oy, self.sx, self.sy = shape, ox, oy, sx, sy

    def bbox(self):
        x0, y0, x1, y1 = self.shape.bbox()
        xs = (self.ox + x0 * self.sx, self.ox + x1 * self.sx)
        ys = (self.oy + y0 * self.sy, self.oy + y1 * self.sy)
        return min(xs), min(ys), max(xs), max(ys)

    def contains(self, x, y):
        return self.shape.contains((x - self.ox) / self.sx, (y - self.oy) / self.sy)


def bezier(p0, p1, p2, p3, steps=24):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        a, b, c, d = (1 - t) ** 3, 3 * (1 - t) ** 2 * t, 3 * (1 - t) * t * t, t ** 3
        pts.append((a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0],
                    a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))
    return pts


def leaf_midrib(base, tip, lean=0.0, steps=24):
    """Centre line of a leaf, bowed sideways by `lean`; also returns the unit normal."""
    bx, by = base
    dx, dy = tip[0] - bx, tip[1] - by
    length = math.hypot(dx, dy)
    nx, ny = -dy / length, dx / length
    pts = []
    for i in range(steps + 1):
        t = i / steps
        bend = lean * math.sin(math.pi * t)
        pts.append((bx + dx * t + nx * bend, by + dy * t + ny * bend))
    return pts, (nx, ny)


def leaf_outline(base, tip, bulge, lean=0.0, steps=24):
    """A lanceolate leaf from `base` to `tip`, widest a little below the middle;
    `bulge` is its half-width."""
    mid, (nx, ny) = leaf_midrib(base, tip, lean, steps)
    side1, side2 = [], []
    for i, (cx, cy) in enumerate(mid):
        t = i / steps
        w = bulge * math.sin(math.pi * t) * (1.0 - 0.35 * t)
        side1.append((cx + nx * w, cy + ny * w))
        side2.append((cx - nx * w, cy - ny * w))
    return side1 + side2[::-1]


# ---------------------------------------------------------------------------
# Banner
# ---------------------------------------------------------------------------

BANNER_W, BANNER_H = 1525, 107
NAVY = hexrgb("#0b2a5b")
BLUE = hexrgb("#1f5fa8")
BELL_WHITE = hexrgb("#f8fafd")
BELL_SHADE = hexrgb("#bccde4")
STEM_GREEN = hexrgb("#7fb58a")
LEAF_DARK = hexrgb("#2f7350")
LEAF_LIGHT = hexrgb("#4c9a6a")

# The program stretches the banner to 800 x 120 (main window) and 800 x 93
# (exam window), squeezing it to about half its width. The sprigs are drawn
# pre-widened by this factor so their bells look round on screen.
BANNER_ASPECT = 1.9

# The label circles cover window x 16..129 and 656..769, the titles sit in
# the middle, so each sprig goes in the gap between, mirrored about the
# window's centre line (window x 392.5, banner x 748).
SPRIG_LEFT_X = 268.0
MIRROR_X = 748.0


def banner_background(x, y):
    t = y / BANNER_H
    # Mostly top-to-bottom, with the ends a touch deeper than the middle so
    # the sprigs stand out without lightening the area behind the titles.
    edge = abs(x / BANNER_W - 0.5) * 2.0
    base = mix(NAVY, BLUE, 0.15 + 0.85 * t)
    return mix(base, NAVY, 0.25 * edge * edge)


def draw_sprig(canvas, ox, oy, sx):
    """One arching stem of bells with a leaf behind, in design units
    (1 unit = 1 banner row; x widened by BANNER_ASPECT)."""
    sy = 1.0

    def put(shape, colour, alpha=1.0):
        paint(canvas, Mapped(shape, ox, oy, sx, sy), colour, alpha)

    # Leaf behind everything: tall, leaning out, with a lighter midrib.
    leaf_base, leaf_tip = (16.0, 96.0), (4.0, 6.0)
    leaf = leaf_outline(leaf_base, leaf_tip, 9.5, lean=-4.0)
    put(Polygon(leaf), lambda x, y: mix(LEAF_LIGHT, LEAF_DARK, smoothstep(20, 100, y - oy)), 0.55)
    rib, _ = leaf_midrib(leaf_base, leaf_tip, lean=-4.0, steps=20)
    put(Stroke(rib[:18], 1.0), LEAF_LIGHT, 0.45)

    # The stem rises then arches over to the right; bells hang along the arch.
    stem = bezier((20.0, 100.0), (20.0, 42.0), (32.0, 10.0), (66.0, 15.0))
    taper = [lerp(2.2, 1.0, i / (len(stem) - 1)) for i in range(len(stem))]
    put(Stroke(stem, taper), STEM_GREEN, 0.9)

    # (t along the stem, bell height, pedicel drop, swing)
    bells = [(0.50, 18.0, 6.0, 0.10), (0.67, 16.0, 7.0, 0.05), (0.83, 13.0, 6.0, 0.0), (0.97, 10.0, 5.0, -0.05)]
    for t, size, drop, tilt in bells:
        i = int(round(t * (len(stem) - 1)))
        px, py = stem[i]
        ax, ay = px + 2.5, py + drop
        put(Stroke(bezier((px, py), (px + 2.0, py), (ax, ay - drop * 0.6), (ax, ay), 8), 1.0), STEM_GREEN, 0.9)
        bell = Bell(ax, ay - 0.5, size, tilt)

        def shade(x, y, b=bell):
            u, v = b.local((x - ox) / sx, (y - oy) / sy)
            return mix(BELL_WHITE, BELL_SHADE, smoothstep(-0.1, 0.55, u) * 0.8 + smoothstep(0.75, 1.0, v) * 0.3)

        put(bell, shade, 0.95)


def make_banner():
    canvas = Canvas(BANNER_W, BANNER_H, banner_background)
    draw_sprig(canvas, SPRIG_LEFT_X, 0.0, BANNER_ASPECT)
    draw_sprig(canvas, 2.0 * MIRROR_X - SPRIG_LEFT_X, 0.0, -BANNER_ASPECT)
    # A thin light rule along the bottom edge separates the banner from the window.
    paint(canvas, RoundRect(0, BANNER_H - 3, BANNER_W, BANNER_H, 0), hexrgb("#6f9fd8"), 0.7)
    return canvas


# ---------------------------------------------------------------------------
# Window icon
# ---------------------------------------------------------------------------

# Index 0 must be black: transparent pixels are black in the colour bitmap
# and set in the AND mask, which leaves the screen untouched. The rest are
# the icon's own colours plus the in-between tones its edges blend to, so
# quantising keeps the anti-aliasing instead of snapping to stray greys.
ICON_PALETTE = [hexrgb(c) for c in (
    "#000000", "#0b2a5b", "#1f5fa8", "#3f75b6", "#6f97cb", "#a3bee0", "#d3e0f0", "#ffffff",
    "#3f8a58", "#2f747e", "#a8d4b0", "#6c9fad", "#d6ebda", "#557fa8", "#164680", "#8fc09c",
)]

ICON_BLUE = hexrgb("#1f5fa8")
ICON_EDGE = hexrgb("#0b2a5b")
ICON_STEM = hexrgb("#a8d4b0")
ICON_LEAF = hexrgb("#3f8a58")

# Per size: stem control points, leaf (base, tip, half-width) or None, and
# bells as (t along the stem, height, pedicel drop). Each size is laid out on
# its own rather than scaled, so the 16-pixel one stays legible.
ICON_LAYOUT = {
    32: dict(stem=((7.0, 29.0), (7.0, 12.0), (11.0, 5.5), (26.0, 7.0)), stem_w=(1.8, 1.0),
             leaf=((9.0, 29.0), (28.0, 19.0), 4.2), corner=6.0,
             bells=((0.42, 9.0, 2.5), (0.70, 8.0, 2.0), (0.96, 6.5, 1.5))),
    16: dict(stem=((3.5, 15.0), (3.5, 5.5), (5.5, 2.5), (11.0, 3.0)), stem_w=(1.2, 0.9),
             leaf=None, corner=3.0,
             bells=((0.40, 5.0, 2.0), (0.97, 6.5, 1.0))),
}


def icon_canvas(size):
    lay = ICON_LAYOUT[size]
    c = Canvas(size, size)
    r = lay["corner"]
    paint(c, RoundRect(0, 0, size, size, r), ICON_EDGE, ss=8)
    paint(c, RoundRect(1, 1, size - 1, size - 1, r - 1), ICON_BLUE, ss=8)
    if lay["leaf"]:
        base, tip, width = lay["leaf"]
        paint(c, Polygon(leaf_outline(base, tip, width)), ICON_LEAF, ss=8)
    steps = 24
    stem = bezier(*lay["stem"], steps=steps)
    w0, w1 = lay["stem_w"]
    paint(c, Stroke(stem, [lerp(w0, w1, i / steps) for i in range(steps + 1)]), ICON_STEM, ss=8)
    for t, height, drop in lay["bells"]:
        px, py = stem[int(round(t * steps))]
        ax = px + 0.1 * height
        paint(c, Stroke([(px, py), (ax, py + drop)], 0.9), ICON_STEM, ss=8)
        paint(c, Bell(ax, py + drop - 0.3, height), (255, 255, 255), ss=8)
    return c


def quantise(canvas, palette):
    """Nearest palette colour per pixel; alpha below one half is transparent."""
    indices, mask = [], []
    for y in range(canvas.height):
        irow, mrow = [], []
        for x in range(canvas.width):
            r, g, b, a = canvas.rgba8(x, y)
            if a < 128:
                irow.append(0)
                mrow.append(1)
                continue
            best = min(range(len(palette)), key=lambda i: (
                2 * (palette[i][0] - r) ** 2 + 4 * (palette[i][1] - g) ** 2 + 3 * (palette[i][2] - b) ** 2))
            irow.append(best)
            mrow.append(0)
        indices.append(irow)
        mask.append(mrow)
    return indices, mask


# ---------------------------------------------------------------------------
# Hand cursor: pixel art, hot spot at the fingertip (12, 1).
# ---------------------------------------------------------------------------

HAND_HOTSPOT = (12, 1)
HAND_ART = """
................................
............KK..................
...........KWWK.................
..........KWWWgK................
..........KWWWgK................
..........KWWWgK................
..........KWWWgK................
..........KWWWgK................
..........KWWWgK................
..........KWWWgKKKK.............
..........KWWWgKWWgK............
..........KWWWgKWWgKKKK.........
..........KWWWgKWWgKWWgK........
..........KWWWgKWWgKWWgKKK......
..........KWWWgKWWgKWWgKWgK.....
....KK....KWWWWKWWgKWWgKWgK.....
...KWWK...KWWWWgWWWKWWgKWgK.....
...KWWgK..KWWWWWWWWgWWWKWgK.....
....KWWgK.KWWWWWWWWWWWWgWgK.....
....KWWWgKKWWWWWWWWWWWWWWgK.....
.....KWWWWgWWWWWWWWWWWWWWgK.....
.....KWWWWWWWWWWWWWWWWWWWgK.....
......KWWWWWWWWWWWWWWWWWWgK.....
.......KWWWWWWWWWWWWWWWWgK......
........KWWWWWWWWWWWWWWWgK......
.........KWWWWWWWWWWWWWWgK......
........KKKKKKKKKKKKKKKKKKK.....
........KbbbbbbbbbbbbbbbbbK.....
........KBBBBBBBBBBBBBBBBBK.....
........KBBBBBBBBBBBBBBBBBK.....
........KKKKKKKKKKKKKKKKKKK.....
................................
"""
HAND_PALETTE = {
    ".": hexrgb("#000000"),
    "K": hexrgb("#000000"),
    "W": hexrgb("#ffffff"),
    "g": hexrgb("#a0a0a0"),
    "B": hexrgb("#0b2a5b"),
    "b": hexrgb("#3b6fb0"),
}


def hand_image():
    rows = HAND_ART.strip().splitlines()
    assert len(rows) == 32 and all(len(r) == 32 for r in rows), "hand art must be 32 x 32"
    order = list(HAND_PALETTE)  # '.' first, so transparent pixels use index 0 (black)
    palette = [HAND_PALETTE[k] for k in order]
    palette += [(0, 0, 0)] * (16 - len(palette))
    indices = [[order.index(ch) for ch in row] for row in rows]
    mask = [[1 if ch == "." else 0 for ch in row] for row in rows]
    return palette, indices, mask


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

def bmp24(canvas):
    w, h = canvas.width, canvas.height
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(w):
            r, g, b, _ = canvas.rgba8(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - w * 3)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def dib4(palette, indices, mask):
    """One icon/cursor image: BITMAPINFOHEADER (height doubled), 16-colour
    palette, 4-bit colour bitmap and 1-bit AND mask, both bottom-up."""
    size = len(indices)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    andm = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(0, size, 2):
            row.append((indices[y][x] << 4) | indices[y][x + 1])
        xor += row + b"\0" * (xor_stride - len(row))
        bits = bytearray(and_stride)
        for x in range(size):
            if mask[y][x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        andm += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(andm), 0, 0, 16, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return info + pal + bytes(xor) + bytes(andm)


def ico(images, cursor_hotspot=None):
    """images: list of (palette, indices, mask). A hot spot makes it a cursor."""
    kind = 1 if cursor_hotspot is None else 2
    out = struct.pack("<HHH", 0, kind, len(images))
    blobs = [dib4(*img) for img in images]
    offset = 6 + 16 * len(images)
    for (palette, indices, _), blob in zip(images, blobs):
        size = len(indices)
        if cursor_hotspot is None:
            planes, bits = 1, 4
        else:
            planes, bits = cursor_hotspot
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, planes, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def png(width, height, rgba_rows):
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rgba_rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def indexed_png(palette, indices, mask):
    rows = [[palette[i] + ((0,) if m else (255,)) for i, m in zip(irow, mrow)]
            for irow, mrow in zip(indices, mask)]
    return png(len(indices[0]), len(indices), rows)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out_dir, exist_ok=True)

    def write(name, data):
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)

    write("banner.bmp", bmp24(make_banner()))

    icons = []
    for size in (32, 16):
        indices, mask = quantise(icon_canvas(size), ICON_PALETTE)
        icons.append((ICON_PALETTE, indices, mask))
        write("kielotar-%d.png" % size, indexed_png(ICON_PALETTE, indices, mask))
    write("kielotar.ico", ico(icons))

    hand = hand_image()
    write("hand.cur", ico([hand], cursor_hotspot=HAND_HOTSPOT))
    write("hand.png", indexed_png(*hand))


if __name__ == "__main__":
    main()
