#!/usr/bin/env python3
"""Draws the program's pictures and writes them as the resource files that
Pictures.rc names: icons (.ico), the link cursor (.cur) and bitmaps (.bmp).

Run it from anywhere; it writes into its own folder:

    python3 resources/pictures/make_pictures.py

Only the Python standard library is used. Shapes are described by signed
distance functions in pixel coordinates (y downwards) and painted with 8 x 8
supersampling at their edges, so every size is drawn from the same design.

The look, shared by every picture: dark blue ink strokes on a warm paper card,
a red-orange crossing stroke, green for "working", grey for "not working".
Image-list bitmaps are drawn on white, which the program makes transparent, so
their own colours never use pure white.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The palette.
INK = (36, 62, 112)
ACCENT = (214, 78, 38)
PAPER_TOP = (255, 251, 238)
PAPER_BOTTOM = (242, 231, 204)
PAPER_EDGE = (150, 122, 82)
GREEN = (46, 160, 67)
GREEN_DARK = (24, 110, 44)
GREY = (128, 134, 144)
GREY_DARK = (84, 90, 100)
RED = (200, 52, 44)
RED_DARK = (140, 30, 26)
NEAR_WHITE = (253, 253, 250)
SHEET = (250, 250, 246)
SHEET_EDGE = (118, 128, 142)
FOLDER = (236, 188, 72)
FOLDER_DARK = (178, 128, 30)
WHITE = (255, 255, 255)


# ---------------------------------------------------------------- shapes ----

class Shape:
    """A region: sdf(x, y) < 0 inside, > 0 outside, |sdf| never more than the
    true distance to the edge; bbox = (x0, y0, x1, y1) holds the region."""

    def __init__(self, sdf, bbox):
        self.sdf = sdf
        self.bbox = bbox


def _segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return math.sqrt(qx * qx + qy * qy)


def capsule(ax, ay, bx, by, r):
    """A stroke from a to b, r thick on each side, with round ends."""
    return Shape(lambda x, y: _segment_distance(x, y, ax, ay, bx, by) - r,
                 (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def rect(x0, y0, x1, y1, r=0.0):
    """An axis-aligned rectangle with corners rounded by r."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r

    return Shape(sdf, (x0, y0, x1, y1))


def polygon(points):
    """A polygon (non-zero winding), corners sharp."""
    n = len(points)
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def sdf(x, y):
        d = min(_segment_distance(x, y, *points[i], *points[(i + 1) % n]) for i in range(n))
        winding = 0
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if ay <= y < by and (bx - ax) * (y - ay) - (x - ax) * (by - ay) > 0:
                winding += 1
            elif by <= y < ay and (bx - ax) * (y - ay) - (x - ax) * (by - ay) < 0:
                winding -= 1
        return -d if winding else d

    return Shape(sdf, (min(xs), min(ys), max(xs), max(ys)))


def arc(cx, cy, r, w, a0, a1):
    """A stroke w thick along the circle from angle a0 to a1 (degrees, counted
    anticlockwise on the screen from the positive x axis), with round ends."""
    t0, t1 = math.radians(a0), math.radians(a1)
    span = (t1 - t0) % (2 * math.pi) or 2 * math.pi
    ends = [(cx + r * math.cos(t), cy - r * math.sin(t)) for t in (t0, t0 + span)]

    def sdf(x, y):
        angle = math.atan2(cy - y, x - cx)
        if (angle - t0) % (2 * math.pi) <= span:
            return abs(math.hypot(x - cx, y - cy) - r) - w / 2
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - w / 2

    e = r + w / 2
    return Shape(sdf, (cx - e, cy - e, cx + e, cy + e))


def union(*shapes):
    return Shape(lambda x, y: min(s.sdf(x, y) for s in shapes),
                 (min(s.bbox[0] for s in shapes), min(s.bbox[1] for s in shapes),
                  max(s.bbox[2] for s in shapes), max(s.bbox[3] for s in shapes)))


def subtract(shape, hole):
    return Shape(lambda x, y: max(shape.sdf(x, y), -hole.sdf(x, y)), shape.bbox)


def grow(shape, d):
    """The region widened by d on every side (narrowed for a negative d)."""
    b = shape.bbox
    return Shape(lambda x, y: shape.sdf(x, y) - d, (b[0] - d, b[1] - d, b[2] + d, b[3] + d))


def outline(shape, w):
    """A line w wide just inside the region's edge."""
    return subtract(shape, grow(shape, -w))


def move(shape, dx, dy):
    b = shape.bbox
    return Shape(lambda x, y: shape.sdf(x - dx, y - dy), (b[0] + dx, b[1] + dy, b[2] + dx, b[3] + dy))


# ---------------------------------------------------------------- paints ----

def vertical_gradient(y0, c0, y1, c1):
    def paint(x, y):
        t = 0.0 if y1 == y0 else max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))
    return paint


def horizontal_gradient(x0, c0, x1, c1):
    def paint(x, y):
        t = 0.0 if x1 == x0 else max(0.0, min(1.0, (x - x0) / (x1 - x0)))
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))
    return paint


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


# ---------------------------------------------------------------- canvas ----

SUBSAMPLES = 8
_OFFSETS = [(i + 0.5) / SUBSAMPLES for i in range(SUBSAMPLES)]


class Canvas:
    """RGBA pixels, premultiplied, 0-1, row 0 at the top."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def paint(self, shape, colour, opacity=1.0):
        """Paints the shape over the canvas; colour is an (r, g, b) tuple of
        0-255 values or a function of the pixel centre that gives one."""
        x0 = max(0, int(math.floor(shape.bbox[0])) - 1)
        y0 = max(0, int(math.floor(shape.bbox[1])) - 1)
        x1 = min(self.width, int(math.ceil(shape.bbox[2])) + 1)
        y1 = min(self.height, int(math.ceil(shape.bbox[3])) + 1)
        sdf = shape.sdf
        for py in range(y0, y1):
            for px in range(x0, x1):
                centre = sdf(px + 0.5, py + 0.5)
                if centre >= 0.75:
                    continue
                if centre <= -0.75:
                    coverage = 1.0
                else:
                    inside = 0
                    for oy in _OFFSETS:
                        for ox in _OFFSETS:
                            if sdf(px + ox, py + oy) < 0:
                                inside += 1
                    if not inside:
                        continue
                    coverage = inside / (SUBSAMPLES * SUBSAMPLES)
                rgb = colour(px + 0.5, py + 0.5) if callable(colour) else colour
                a = coverage * opacity
                pixel = self.pixels[py * self.width + px]
                for i in range(3):
                    pixel[i] = rgb[i] / 255.0 * a + pixel[i] * (1 - a)
                pixel[3] = a + pixel[3] * (1 - a)

    def rgba(self, x, y):
        """The pixel as straight (not premultiplied) 0-255 values."""
        r, g, b, a = self.pixels[y * self.width + x]
        if a <= 0:
            return (0, 0, 0, 0)
        return tuple(int(round(min(1.0, c / a) * 255)) for c in (r, g, b)) + (int(round(a * 255)),)

    def over(self, background):
        """The pixels laid over an opaque colour, as 0-255 (r, g, b) rows."""
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                r, g, b, a = self.pixels[y * self.width + x]
                row.append(tuple(int(round(min(255.0, c * 255 + bg * (1 - a))))
                                 for c, bg in zip((r, g, b), background)))
            rows.append(row)
        return rows

    def place(self, other, dx, dy):
        """Lays another canvas over this one at (dx, dy)."""
        for y in range(other.height):
            for x in range(other.width):
                src = other.pixels[y * other.width + x]
                if src[3] <= 0 or not (0 <= x + dx < self.width and 0 <= y + dy < self.height):
                    continue
                dst = self.pixels[(y + dy) * self.width + x + dx]
                for i in range(4):
                    dst[i] = src[i] + dst[i] * (1 - src[3])


# ------------------------------------------------------------ the motif ----

def tally_strokes(x0, y0, x1, y1, count, width, colour=INK, accent=ACCENT, cross=True):
    """Layers of a tally group in the box: `count` upright strokes and, with
    `cross`, a fifth stroke rising across them from lower left to upper right."""
    layers = []
    r = width / 2
    pitch = (x1 - x0 - width) / max(1, count - 1) if count > 1 else 0
    for i in range(count):
        x = x0 + r + i * pitch
        layers.append((capsule(x, y0 + r, x, y1 - r, r), colour))
    if cross:
        h = y1 - y0
        layers.append((capsule(x0 - r * 0.6, y0 + h * 0.78, x1 + r * 0.6, y0 + h * 0.26, r), accent))
    return layers


def card_layers(s):
    """The paper card and the tally group of the application icon at size s.
    Edges and upright strokes lie on whole pixels, so that they stay sharp."""
    margin, edge = {16: (0, 1), 24: (0, 1), 32: (1, 1), 48: (2, 2), 64: (2, 2)}.get(
        s, (round(s / 32), max(1, round(s / 32))))
    radius = max(2.5, s * 0.16)
    card = rect(margin, margin, s - margin, s - margin, radius)
    layers = [(card, vertical_gradient(0, PAPER_TOP, s, PAPER_BOTTOM)),
              (outline(card, edge), PAPER_EDGE)]
    # Left edge, stroke width and pitch of the four strokes; top and bottom.
    # Other sizes scale the largest design.
    layout = {16: (2, 2, 3, 3, 13), 24: (3, 3, 5, 4, 20), 32: (7, 3, 5, 7, 25),
              48: (9, 5, 8, 10, 38), 64: (12, 7, 11, 13, 51)}
    x0, width, pitch, y0, y1 = layout.get(s, tuple(v * s / 64 for v in layout[64]))
    layers += tally_strokes(x0, y0, x0 + 3 * pitch + width, y1, 4, width)
    return layers


def badge_layers(s, kind):
    """The state badge in the lower right corner: a play sign on green for
    "working", two pause bars on grey for "not working"."""
    r = s * 0.27 if s > 16 else 4.5
    cx = cy = s - r - (0.0 if s <= 24 else s / 64.0)
    halo = max(1.0, s / 24.0)
    fill, dark = (GREEN, GREEN_DARK) if kind == "working" else (GREY, GREY_DARK)
    layers = [(circle(cx, cy, r + halo), PAPER_TOP),
              (circle(cx, cy, r), vertical_gradient(cy - r, mix(fill, WHITE, 0.25), cy + r, fill)),
              (outline(circle(cx, cy, r), max(1.0, s / 40.0)), dark)]
    if kind == "working":
        k = r * 0.52
        layers.append((polygon([(cx - k * 0.62, cy - k), (cx + k * 1.0, cy),
                                (cx - k * 0.62, cy + k)]), NEAR_WHITE))
    else:
        bar_w, bar_h = max(1.4, r * 0.28), r * 0.98
        gap = max(1.0, r * 0.22)
        for sign in (-1, 1):
            bx = cx + sign * (gap / 2 + bar_w / 2)
            layers.append((rect(bx - bar_w / 2, cy - bar_h / 2, bx + bar_w / 2, cy + bar_h / 2,
                                min(bar_w / 2, 0.6)), NEAR_WHITE))
    return layers


def state_icon(s, kind):
    canvas = Canvas(s, s)
    for shape, colour in card_layers(s):
        canvas.paint(shape, colour)
    if kind is not None:
        for shape, colour in badge_layers(s, kind):
            canvas.paint(shape, colour)
    return canvas


# ------------------------------------------------------- small pictures ----

def activity_image(state):
    """16 x 16: a small tally card; greyed when disabled, with the green play
    badge while worked on."""
    c = Canvas(16, 16)
    grey = state == "disabled"
    card = rect(1, 1, 15, 15, 2.5)
    c.paint(card, (236, 236, 236) if grey else vertical_gradient(1, PAPER_TOP, 15, PAPER_BOTTOM))
    c.paint(outline(card, 1.0), (150, 150, 150) if grey else PAPER_EDGE)
    ink = (160, 160, 160) if grey else INK
    accent = (182, 182, 182) if grey else ACCENT
    for shape, colour in tally_strokes(4, 4, 12, 12, 3, 2, ink, accent):
        c.paint(shape, colour)
    if state == "working":
        c.paint(circle(11.5, 11.5, 4.7), PAPER_TOP)
        c.paint(circle(11.5, 11.5, 4.0), vertical_gradient(7.5, mix(GREEN, WHITE, 0.25), 15.5, GREEN))
        c.paint(outline(circle(11.5, 11.5, 4.0), 0.9), GREEN_DARK)
        c.paint(polygon([(10.2, 9.4), (13.6, 11.5), (10.2, 13.6)]), NEAR_WHITE)
    return c


def sheet(c, x0=2, y0=0, x1=14, y1=16, fold=4.0):
    """A sheet of paper with a folded upper right corner."""
    body = polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    c.paint(body, SHEET)
    c.paint(outline(body, 1.0), SHEET_EDGE)
    c.paint(polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), (214, 220, 228))
    c.paint(outline(polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), 0.9),
            SHEET_EDGE)


def text_lines(c, rows, x0=4.5, x1=11.5, colour=(130, 138, 150), widths=None):
    for i, y in enumerate(rows):
        right = x0 + (x1 - x0) * (widths[i] if widths else 1.0)
        c.paint(rect(x0, y, right, y + 1.0), colour[i] if isinstance(colour, list) else colour)


def template_image(kind):
    """16 x 16 images of the report template tree."""
    c = Canvas(16, 16)
    if kind == "category":
        back = polygon([(0, 2), (6, 2), (8, 4), (16, 4), (16, 14), (0, 14)])
        c.paint(back, FOLDER_DARK)
        front = polygon([(0, 6), (16, 6), (16, 14), (0, 14)])
        c.paint(front, vertical_gradient(6, (250, 214, 120), 14, FOLDER))
        c.paint(outline(union(back, front), 1.0), (150, 100, 20))
        return c
    sheet(c)
    if kind == "csv":
        for gx in (4.5, 7.5, 10.5):
            for gy in (5.5, 8.5, 11.5):
                c.paint(rect(gx, gy, gx + 2.0, gy + 2.0), GREEN if gy == 5.5 else (120, 176, 128))
    elif kind == "text":
        text_lines(c, [4, 6, 8, 10, 12], widths=[0.7, 1.0, 0.85, 1.0, 0.6])
    elif kind == "rtf":
        c.paint(capsule(5.0, 11.5, 7.0, 4.5, 0.8), (40, 86, 180))
        c.paint(capsule(9.0, 11.5, 7.0, 4.5, 0.8), (40, 86, 180))
        c.paint(rect(5.8, 8.6, 8.2, 9.6), (40, 86, 180))
        text_lines(c, [6, 8, 10, 12], x0=9.5, x1=11.5,
                   colour=[(200, 60, 50), (46, 140, 70), (200, 60, 50), (46, 140, 70)])
    elif kind == "html":
        cx, cy, r = 8.0, 9.5, 4.2
        c.paint(circle(cx, cy, r), vertical_gradient(cy - r, (120, 180, 240), cy + r, (40, 100, 200)))
        c.paint(outline(circle(cx, cy, r), 0.9), (30, 70, 150))
        c.paint(arc(cx, cy, 2.0, 0.8, -90, 90), (30, 70, 150))
        c.paint(arc(cx, cy, 2.0, 0.8, 90, 270), (30, 70, 150))
        c.paint(rect(cx - r + 0.6, cy - 0.4, cx + r - 0.6, cy + 0.4), (30, 70, 150))
    elif kind == "xml":
        orange = (220, 110, 20)
        c.paint(capsule(6.4, 7.0, 4.4, 9.5, 0.7), orange)
        c.paint(capsule(4.4, 9.5, 6.4, 12.0, 0.7), orange)
        c.paint(capsule(9.6, 7.0, 11.6, 9.5, 0.7), orange)
        c.paint(capsule(11.6, 9.5, 9.6, 12.0, 0.7), orange)
        c.paint(capsule(8.6, 6.5, 7.4, 12.5, 0.6), (150, 90, 40))
    return c


def arrow_image(size, direction):
    """A solid arrow head pointing left or right, centred."""
    c = Canvas(size, size)
    m = size * 0.2
    if direction == "left":
        pts = [(size - m - 1, m), (m, size / 2), (size - m - 1, size - m)]
    else:
        pts = [(m + 1, m), (size - m, size / 2), (m + 1, size - m)]
    c.paint(polygon(pts), INK)
    return c


def start_image():
    c = Canvas(14, 14)
    tri = polygon([(3, 1.5), (12.5, 7.0), (3, 12.5)])
    c.paint(tri, vertical_gradient(1.5, mix(GREEN, WHITE, 0.2), 12.5, GREEN_DARK))
    return c


def stop_image():
    c = Canvas(14, 14)
    sq = rect(3, 3, 11, 11, 1.0)
    c.paint(sq, vertical_gradient(3, mix(RED, WHITE, 0.2), 11, RED_DARK))
    return c


def pin_image(on):
    """A pushpin: pressed in, seen from above, while always-on-top is on;
    lying on its side, grey, while it is off."""
    c = Canvas(14, 14)
    if on:
        c.paint(capsule(7.0, 8.0, 7.0, 13.0, 0.55), (90, 96, 106))
        c.paint(rect(3.0, 6.5, 11.0, 8.5, 0.8), RED_DARK)
        c.paint(rect(4.5, 1.0, 9.5, 7.0, 1.0), vertical_gradient(1, mix(RED, WHITE, 0.3), 7, RED))
        c.paint(outline(rect(4.5, 1.0, 9.5, 7.0, 1.0), 0.8), RED_DARK)
    else:
        c.paint(capsule(1.0, 7.0, 6.0, 7.0, 0.55), (120, 126, 136))
        c.paint(rect(5.5, 3.0, 7.5, 11.0, 0.8), GREY_DARK)
        c.paint(rect(7.0, 4.5, 13.0, 9.5, 1.0), vertical_gradient(4.5, (196, 200, 208), 9.5, GREY))
        c.paint(outline(rect(7.0, 4.5, 13.0, 9.5, 1.0), 0.8), GREY_DARK)
    return c


def sort_image(ascending):
    """16 x 16 header sort sign: a small triangle pointing up or down."""
    c = Canvas(16, 16)
    if ascending:
        pts = [(4, 10), (8, 6), (12, 10)]
    else:
        pts = [(4, 6), (8, 10), (12, 6)]
    c.paint(polygon(pts), (112, 118, 128))
    return c


def hand_cursor():
    """32 x 32 link cursor: a white hand with a black edge, index finger up;
    the hotspot is the top of the fingertip."""
    c = Canvas(32, 32)
    finger = capsule(10, 4, 10, 17, 2)
    knuckles = [capsule(14, 13, 14, 18, 2), capsule(18, 14, 18, 19, 2),
                capsule(22, 15.5, 22, 20, 2)]
    thumb = capsule(4, 16.5, 8.5, 23, 2)
    palm = polygon([(8, 15), (24, 15.5), (24, 23.5), (21, 29), (11, 29), (7.5, 23)])
    hand = union(finger, thumb, palm, *knuckles)
    c.paint(grow(hand, 1.0), (0, 0, 0))
    c.paint(hand, WHITE)
    # The lines between the folded fingers.
    for x, top in ((12, 13), (16, 14), (20, 15.5)):
        c.paint(rect(x, top, x + 1, top + 4), (0, 0, 0))
    return c, (10, 1)


# -------------------------------------------------------- big pictures ----

# A stroke font for the program's name: letters drawn with strokes w thick on an
# em of x-height 1 (y upwards), each letter with its advance width.
def _glyph(ch, w):
    def cap(ax, ay, bx, by):
        return ("cap", ax, ay, bx, by)

    def arc_(cx, cy, r, a0, a1):
        return ("arc", cx, cy, r, a0, a1)

    o = 0.5  # bowl radius
    table = {
        "T": ([cap(0.0, 1.45, 1.0, 1.45), cap(0.5, 1.45, 0.5, 0.0)], 0.82),
        "a": ([arc_(o, o, o - w / 2, 0, 360), cap(2 * o - w / 2, 1.0, 2 * o - w / 2, 0.0)], 1.0),
        "l": ([cap(0.0, 1.45, 0.0, 0.0)], 0.0),
        "y": ([cap(0.0, 1.0, 0.46, 0.02), cap(0.92, 1.0, 0.3, -0.45)], 0.92),
        "m": ([cap(0.0, 1.0, 0.0, 0.0), arc_(0.3, 0.7, 0.3, 0, 180), cap(0.6, 0.7, 0.6, 0.0),
               arc_(0.9, 0.7, 0.3, 0, 180), cap(1.2, 0.7, 1.2, 0.0)], 1.2),
        "r": ([cap(0.0, 1.0, 0.0, 0.0), arc_(0.42, 0.58, 0.42, 45, 180)], 0.72),
        "k": ([cap(0.0, 1.45, 0.0, 0.0), cap(0.05, 0.38, 0.62, 1.0), cap(0.27, 0.58, 0.66, 0.0)], 0.66),
        "s": ([arc_(0.36, 0.745, 0.255, 40, 270), arc_(0.36, 0.255, 0.255, 220, 90)], 0.72),
    }
    return table[ch]


def word_layers(text, x, baseline, em, weight, spacing):
    """Shapes of the text in the stroke font, left edge x, pixels per em."""
    w = weight
    shapes = []
    for ch in text:
        parts, advance = _glyph(ch, w)
        for part in parts:
            if part[0] == "cap":
                _, ax, ay, bx, by = part
                shapes.append(capsule(x + ax * em, baseline - ay * em,
                                      x + bx * em, baseline - by * em, w * em / 2))
            else:
                _, cx, cy, r, a0, a1 = part
                shapes.append(arc(x + cx * em, baseline - cy * em, r * em, w * em, a0, a1))
        x += (advance + spacing) * em
    return shapes


def about_picture():
    """400 x 100: the card with its tally group on a blue band, and the name."""
    c = Canvas(400, 100)
    c.paint(rect(0, 0, 400, 100), horizontal_gradient(0, (30, 52, 100), 400, (72, 118, 184)))
    # Faint tally groups along the bottom, as on a used tally sheet.
    for i in range(11):
        gx = 114 + i * 25
        for shape, _ in tally_strokes(gx, 82, gx + 16, 96, 4, 2.2):
            c.paint(shape, WHITE, 0.10)
    icon = state_icon(80, None)
    c.paint(rect(14, 14, 94, 94, 14), (0, 0, 0), 0.25)
    c.place(icon, 10, 10)
    shapes = word_layers("Tallymarks", 116, 64, 30, 0.17, 0.2)
    for shape in shapes:
        c.paint(move(shape, 1.5, 1.5), (0, 0, 0), 0.35)
    for shape in shapes:
        c.paint(shape, vertical_gradient(20, (255, 252, 240), 70, (236, 224, 196)))
    return c


def tip_picture():
    """49 x 173: a light bulb above a soft band, for the tip of the day."""
    c = Canvas(49, 173)
    c.paint(rect(0, 0, 49, 173), vertical_gradient(0, (72, 118, 184), 173, (30, 52, 100)))
    cx, cy = 24.5, 30.0
    glow = circle(cx, cy, 19)
    c.paint(glow, (255, 240, 160), 0.18)
    c.paint(circle(cx, cy, 13.0), vertical_gradient(cy - 13, (255, 246, 186), cy + 13, (244, 196, 60)))
    c.paint(polygon([(cx - 7.5, cy + 8), (cx + 7.5, cy + 8), (cx + 6, cy + 18), (cx - 6, cy + 18)]),
            (244, 196, 60))
    c.paint(outline(union(circle(cx, cy, 13.0),
                          polygon([(cx - 7.5, cy + 8), (cx + 7.5, cy + 8), (cx + 6, cy + 18),
                                   (cx - 6, cy + 18)])), 1.2), (170, 120, 30))
    for i in range(3):
        y = cy + 19.5 + i * 3.0
        c.paint(rect(cx - 6, y, cx + 6, y + 2.2, 1.0), (150, 156, 166) if i % 2 == 0 else (110, 116, 126))
    c.paint(rect(cx - 3, cy + 28.5, cx + 3, cy + 31, 1.2), (80, 86, 96))
    c.paint(arc(cx - 3.5, cy - 3.5, 6.5, 2.0, 100, 170), (255, 255, 240), 0.8)
    # Tally groups down the band.
    for i in range(4):
        gy = 84 + i * 22
        for shape, colour in tally_strokes(13, gy, 36, gy + 16, 4, 2.6, (236, 228, 206), (244, 150, 110)):
            c.paint(shape, colour, 0.85)
    return c


# ---------------------------------------------------------------- files ----

def ico_bytes(canvases, hotspots=None):
    """An icon file (or, with hotspots, a cursor file) of 32-bit images with
    alpha and an AND mask."""
    images = []
    for canvas in canvases:
        w, h = canvas.width, canvas.height
        header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
        colour = bytearray()
        mask_stride = ((w + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(h)):
            bits = bytearray(mask_stride)
            for x in range(w):
                r, g, b, a = canvas.rgba(x, y)
                colour += bytes((b, g, r, a))
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        images.append(header + colour + mask)
    out = bytearray(struct.pack("<HHH", 0, 2 if hotspots else 1, len(images)))
    offset = 6 + 16 * len(images)
    for i, (canvas, data) in enumerate(zip(canvases, images)):
        if hotspots:
            field1, field2 = hotspots[i]
        else:
            field1, field2 = 1, 32
        out += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0,
                           field1, field2, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)


def bmp_bytes(rows, palette=None):
    """A BMP file of the rows: 24 bits per pixel, or 8 with a palette (the rows
    then hold palette indices)."""
    h, w = len(rows), len(rows[0])
    bits = 8 if palette else 24
    stride = ((w * bits // 8) + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for p in row:
            line += bytes((p,)) if palette else bytes((p[2], p[1], p[0]))
        pixels += line + bytes(stride - len(line))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) if palette else b""
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(pixels), 2835, 2835,
                       len(palette) if palette else 0, 0)
    offset = 14 + len(info) + len(table)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + info + table + pixels


def masked_rows(canvases):
    """Images side by side on white, which the image list makes transparent:
    pixels less than a quarter covered become white, every other pixel is kept
    off pure white."""
    h = canvases[0].height
    rows = [[] for _ in range(h)]
    for canvas in canvases:
        over = canvas.over(WHITE)
        for y in range(h):
            for x in range(canvas.width):
                if canvas.pixels[y * canvas.width + x][3] < 0.25:
                    rows[y].append(WHITE)
                else:
                    p = over[y][x]
                    rows[y].append((254, 254, 254) if p == WHITE else p)
    return rows


def quantize(rows, size=256):
    """Median cut: a palette of at most `size` colours and the rows as indices."""
    colours = {}
    for row in rows:
        for p in row:
            colours[p] = colours.get(p, 0) + 1
    boxes = [list(colours.items())]

    def spread(box):
        return max(max(c[0][i] for c in box) - min(c[0][i] for c in box) for i in range(3))

    while len(boxes) < size:
        boxes.sort(key=lambda b: (spread(b) if len(b) > 1 else -1))
        box = boxes.pop()
        if len(box) < 2 or spread(box) == 0:
            boxes.append(box)
            break
        axis = max(range(3), key=lambda i: max(c[0][i] for c in box) - min(c[0][i] for c in box))
        box.sort(key=lambda c: c[0][axis])
        total = sum(n for _, n in box)
        acc, cut = 0, 1
        for i, (_, n) in enumerate(box):
            acc += n
            if acc * 2 >= total:
                cut = max(1, min(len(box) - 1, i + 1))
                break
        boxes += [box[:cut], box[cut:]]
    palette, lookup = [], {}
    for box in boxes:
        total = sum(n for _, n in box)
        mean = tuple(int(round(sum(c[i] * n for c, n in box) / total)) for i in range(3))
        for c, _ in box:
            lookup[c] = len(palette)
        palette.append(mean)
    return palette, [[lookup[p] for p in row] for row in rows]


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    icon_sizes = [16, 24, 32, 48]
    write("Application.ico", ico_bytes([state_icon(s, None) for s in icon_sizes + [64]]))
    write("Working.ico", ico_bytes([state_icon(s, "working") for s in icon_sizes]))
    write("NotWorking.ico", ico_bytes([state_icon(s, "not working") for s in icon_sizes]))

    write("Activities.bmp", bmp_bytes(masked_rows(
        [activity_image(k) for k in ("disabled", "enabled", "working")])))
    write("ReportTemplates.bmp", bmp_bytes(masked_rows(
        [template_image(k) for k in ("category", "csv", "text", "rtf", "html", "xml")])))
    write("Previous.bmp", bmp_bytes(masked_rows([arrow_image(10, "left")])))
    write("Next.bmp", bmp_bytes(masked_rows([arrow_image(10, "right")])))
    write("Start.bmp", bmp_bytes(masked_rows([start_image()])))
    write("Stop.bmp", bmp_bytes(masked_rows([stop_image()])))
    write("TopMostOn.bmp", bmp_bytes(masked_rows([pin_image(True)])))
    write("TopMostOff.bmp", bmp_bytes(masked_rows([pin_image(False)])))
    write("Sort.bmp", bmp_bytes(masked_rows([sort_image(True), sort_image(False)])))

    for name, canvas in (("About.bmp", about_picture()), ("Tip.bmp", tip_picture())):
        palette, indices = quantize(canvas.over((0, 0, 0)))
        write(name, bmp_bytes(indices, palette))

    cursor, hotspot = hand_cursor()
    write("Link.cur", ico_bytes([cursor], [hotspot]))


if __name__ == "__main__":
    main()
