"""A small anti-aliased painter for the program's pictures.

Shapes are signed distance functions in pixels (negative inside); a pixel's
coverage is clamp(0.5 - d), which gives clean edges without supersampling.
Coordinates given to a Picture are design units (a 32-unit square unless said
otherwise), scaled to the picture's size, so one drawing serves every size.
Only the standard library is used: PNG files are written through zlib.
"""

import math
import struct
import zlib


# Shapes -------------------------------------------------------------------

class Shape:
    def d(self, x, y):
        raise NotImplementedError

    def bounds(self):
        raise NotImplementedError

    def __or__(self, other):
        return Union([self, other])

    def __and__(self, other):
        return Intersection(self, other)

    def __sub__(self, other):
        return Difference(self, other)


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def d(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r

    def bounds(self):
        return (self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r)


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, max(rx, 1e-6), max(ry, 1e-6)

    def d(self, x, y):
        # A close approximation of the distance, good enough for edges.
        u = (x - self.cx) / self.rx
        v = (y - self.cy) / self.ry
        k0 = math.hypot(u, v)
        if k0 == 0:
            return -min(self.rx, self.ry)
        k1 = math.hypot(u / self.rx, v / self.ry)
        return k0 * (k0 - 1.0) / k1

    def bounds(self):
        return (self.cx - self.rx, self.cy - self.ry, self.cx + self.rx, self.cy + self.ry)


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hx, self.hy = abs(x1 - x0) / 2, abs(y1 - y0) / 2
        self.r = min(r, self.hx, self.hy)

    def d(self, x, y):
        qx = abs(x - self.cx) - self.hx + self.r
        qy = abs(y - self.cy) - self.hy + self.r
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - self.r

    def bounds(self):
        return (self.cx - self.hx, self.cy - self.hy, self.cx + self.hx, self.cy + self.hy)


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


class Polygon(Shape):
    def __init__(self, points):
        self.points = list(points)

    def d(self, x, y):
        pts = self.points
        best = float("inf")
        inside = False
        n = len(pts)
        for i in range(n):
            ax, ay = pts[i]
            bx, by = pts[(i + 1) % n]
            best = min(best, _segment_distance(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y):
                cross = ax + (y - ay) * (bx - ax) / (by - ay)
                if x < cross:
                    inside = not inside
        return -best if inside else best

    def bounds(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return (min(xs), min(ys), max(xs), max(ys))


class Polyline(Shape):
    """The centre line of a path: unsigned distance; stroke it to draw it."""

    def __init__(self, points, closed=False):
        self.points = list(points)
        if closed:
            self.points.append(self.points[0])

    def d(self, x, y):
        pts = self.points
        if len(pts) == 1:
            return math.hypot(x - pts[0][0], y - pts[0][1])
        return min(_segment_distance(x, y, *pts[i], *pts[i + 1]) for i in range(len(pts) - 1))

    def bounds(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return (min(xs), min(ys), max(xs), max(ys))


class Stroke(Shape):
    def __init__(self, shape, width):
        self.shape, self.w = shape, width / 2

    def d(self, x, y):
        return abs(self.shape.d(x, y)) - self.w

    def bounds(self):
        x0, y0, x1, y1 = self.shape.bounds()
        return (x0 - self.w, y0 - self.w, x1 + self.w, y1 + self.w)


class Union(Shape):
    def __init__(self, shapes):
        self.shapes = list(shapes)

    def d(self, x, y):
        return min(s.d(x, y) for s in self.shapes)

    def bounds(self):
        bs = [s.bounds() for s in self.shapes]
        return (min(b[0] for b in bs), min(b[1] for b in bs), max(b[2] for b in bs), max(b[3] for b in bs))


class Intersection(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def d(self, x, y):
        return max(self.a.d(x, y), self.b.d(x, y))

    def bounds(self):
        a, b = self.a.bounds(), self.b.bounds()
        return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


class Difference(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def d(self, x, y):
        return max(self.a.d(x, y), -self.b.d(x, y))

    def bounds(self):
        return self.a.bounds()


def arc_points(cx, cy, rx, ry, a0, a1, steps=None):
    """Points along an elliptic arc; angles in degrees, 0 to the right, 90 down."""
    if steps is None:
        steps = max(6, int(abs(a1 - a0) / 8))
    out = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        out.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return out


# Colours -------------------------------------------------------------------

def rgb(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


INK = rgb("2b3644")        # outlines and text
PAPER = rgb("fbfcfd")
LIGHT = rgb("dfe6ee")
MID = rgb("a9b6c4")
BLUE = rgb("2f7fd1")
SKY = rgb("8cc3f0")
GREEN = rgb("2f9e55")
LIME = rgb("8fd19e")
RED = rgb("d4453b")
PINK = rgb("f3b1ab")
AMBER = rgb("e9a31b")
YELLOW = rgb("f7d34a")
ORANGE = rgb("ee7b30")
PURPLE = rgb("8a5cc7")
TEAL = rgb("1f9c9a")
BROWN = rgb("9a6a3a")
WHITE = (1.0, 1.0, 1.0)
BLACK = (0.0, 0.0, 0.0)


# Stroke font ----------------------------------------------------------------
# Glyphs on a box 4 wide and 6 high (y down, baseline 6, lower case from 2).

def _glyphs():
    a = arc_points
    g = {
        "0": [a(2, 3, 2, 3, 0, 360)],
        "1": [[(0.9, 1.1), (2.2, 0), (2.2, 6)]],
        "2": [a(2, 1.9, 1.9, 1.9, -180, 25) + [(0, 6), (4, 6)]],
        "3": [a(2, 1.5, 1.8, 1.5, -160, 90), a(2, 4.4, 2, 1.6, -90, 160)],
        "4": [[(3, 6), (3, 0), (0, 4.2), (4, 4.2)]],
        "5": [[(3.8, 0), (0.5, 0), (0.2, 2.8)] + a(2, 4.1, 2, 1.9, -140, 150)],
        "6": [[(3.5, 0.2), (1.7, 0.5), (0.5, 1.8), (0.1, 3.6), (0.2, 4.6)], a(2, 4.1, 1.9, 1.9, 0, 360)],
        "7": [[(0, 0), (4, 0), (1.4, 6)]],
        "8": [a(2, 1.5, 1.6, 1.5, 0, 360), a(2, 4.4, 1.9, 1.6, 0, 360)],
        "9": [a(2, 1.9, 1.9, 1.9, 0, 360), [(3.9, 2.1), (3.6, 4.2), (2.5, 5.6), (0.6, 5.9)]],
        "A": [[(0, 6), (2, 0), (4, 6)], [(0.7, 4.1), (3.3, 4.1)]],
        "B": [[(2.3, 0), (0, 0), (0, 6), (2.5, 6)], a(2.3, 1.5, 1.4, 1.5, -90, 90),
              a(2.5, 4.5, 1.5, 1.5, -90, 90), [(0, 3), (2.4, 3)]],
        "C": [a(2.3, 3, 2.3, 3, 45, 315)],
        "H": [[(0, 0), (0, 6)], [(4, 0), (4, 6)], [(0, 3), (4, 3)]],
        "K": [[(0, 0), (0, 6)], [(4, 0), (0, 3.7)], [(1.4, 2.5), (4, 6)]],
        "L": [[(0, 0), (0, 6), (3.6, 6)]],
        "M": [[(0, 6), (0, 0), (2, 4), (4, 0), (4, 6)]],
        "N": [[(0, 6), (0, 0), (4, 6), (4, 0)]],
        "O": [a(2, 3, 2, 3, 0, 360)],
        "P": [[(0, 6), (0, 0), (2.3, 0)] + a(2.3, 1.6, 1.7, 1.6, -90, 90) + [(0, 3.2)]],
        "S": [a(2, 1.6, 1.9, 1.6, -15, -270), a(2, 4.4, 2, 1.6, -90, 165)],
        "T": [[(0, 0), (4, 0)], [(2, 0), (2, 6)]],
        "V": [[(0, 0), (2, 6), (4, 0)]],
        "Z": [[(0, 0), (4, 0), (0, 6), (4, 6)]],
        "a": [a(1.8, 4, 1.8, 2, 0, 360), [(3.6, 2), (3.6, 6)]],
        "d": [a(1.8, 4, 1.8, 2, 0, 360), [(3.6, 0), (3.6, 6)]],
        "p": [a(2.2, 4, 1.8, 2, 0, 360), [(0.4, 2), (0.4, 8)]],
        "z": [[(0.3, 2), (3.7, 2), (0.3, 6), (3.7, 6)]],
        "i": [[(2, 2.5), (2, 6)], [(2, 0.9)]],
        "%": [a(0.9, 1.1, 0.9, 1.1, 0, 360), a(3.1, 4.9, 0.9, 1.1, 0, 360), [(3.8, 0), (0.2, 6)]],
        "?": [a(2, 1.7, 1.8, 1.7, -170, 50) + [(2, 3.9), (2, 4.3)], [(2, 5.9)]],
        "=": [[(0.3, 2), (3.7, 2)], [(0.3, 4), (3.7, 4)]],
        "+": [[(0.3, 3), (3.7, 3)], [(2, 1.3), (2, 4.7)]],
        "-": [[(0.6, 3), (3.4, 3)]],
        ".": [[(2, 5.9)]],
        ":": [[(2, 2.2)], [(2, 5.9)]],
    }
    return g


GLYPHS = _glyphs()
NARROW = {"1": 3.2, "i": 2.4, ".": 2.2, ":": 2.2}


def text_width(text, height):
    scale = height / 6.0
    total = 0.0
    for i, ch in enumerate(text):
        total += NARROW.get(ch, 4.0) * scale
        if i:
            total += 1.5 * scale
    return total


# Pictures -------------------------------------------------------------------

class Picture:
    def __init__(self, width, height=None, design=32.0):
        self.w = width
        self.h = height if height is not None else width
        self.s = self.w / design
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(self.w * self.h)]  # premultiplied

    # design units to pixels
    def u(self, v):
        return v * self.s

    def width(self, w, least=1.0):
        return max(w * self.s, least)

    def draw(self, shape, colour, alpha=1.0):
        x0, y0, x1, y1 = shape.bounds()
        ix0 = max(0, int(math.floor(x0 - 1)))
        iy0 = max(0, int(math.floor(y0 - 1)))
        ix1 = min(self.w, int(math.ceil(x1 + 1)))
        iy1 = min(self.h, int(math.ceil(y1 + 1)))
        r, g, b = colour
        for y in range(iy0, iy1):
            row = y * self.w
            for x in range(ix0, ix1):
                cover = 0.5 - shape.d(x + 0.5, y + 0.5)
                if cover <= 0:
                    continue
                a = min(cover, 1.0) * alpha
                p = self.px[row + x]
                k = 1.0 - a
                p[0] = r * a + p[0] * k
                p[1] = g * a + p[1] * k
                p[2] = b * a + p[2] * k
                p[3] = a + p[3] * k

    # shapes in design units
    def circle(self, cx, cy, r):
        return Circle(self.u(cx), self.u(cy), self.u(r))

    def ellipse(self, cx, cy, rx, ry):
        return Ellipse(self.u(cx), self.u(cy), self.u(rx), self.u(ry))

    def rect(self, x0, y0, x1, y1, r=0.0):
        return RoundRect(self.u(x0), self.u(y0), self.u(x1), self.u(y1), self.u(r))

    def poly(self, pts):
        return Polygon([(self.u(x), self.u(y)) for x, y in pts])

    def path(self, pts, closed=False):
        return Polyline([(self.u(x), self.u(y)) for x, y in pts], closed)

    # drawing in design units
    def fill(self, shape, colour, alpha=1.0):
        self.draw(shape, colour, alpha)

    def outline(self, shape, colour, w=1.5, least=1.0):
        self.draw(Stroke(shape, self.width(w, least)), colour)

    def filled(self, shape, fill, edge=INK, w=1.5, least=1.0):
        """Fill, then an edge centred inside the shape's border."""
        self.draw(shape, fill)
        half = self.width(w, least) / 2
        self.draw(Stroke(_Shrink(shape, half), half * 2), edge)

    def line(self, pts, colour, w=1.5, closed=False, least=1.0):
        self.draw(Stroke(self.path(pts, closed), self.width(w, least)), colour)

    def dot(self, x, y, r, colour):
        self.draw(self.circle(x, y, r), colour)

    def text(self, text, x, y, height, colour, w=1.4, anchor="c"):
        """Stroke text; (x, y) is the centre of the text (anchor c) or its
        left end (anchor l), vertically the middle of the capital height."""
        scale = height / 6.0
        total = text_width(text, height)
        left = x - total / 2 if anchor == "c" else x
        top = y - height / 2
        lines = []
        pos = left
        for ch in text:
            for stroke in GLYPHS[ch]:
                off = (NARROW.get(ch, 4.0) - 4.0) / 2
                lines.append(Polyline([(self.u(pos + (gx + off) * scale), self.u(top + gy * scale))
                                       for gx, gy in stroke]))
            pos += (NARROW.get(ch, 4.0) + 1.5) * scale
        self.draw(Stroke(Union(lines), self.width(w)), colour)

    # output
    def rows(self):
        out = []
        for y in range(self.h):
            row = bytearray()
            for x in range(self.w):
                r, g, b, a = self.px[y * self.w + x]
                if a > 0:
                    row += bytes((_byte(r / a), _byte(g / a), _byte(b / a), _byte(a)))
                else:
                    row += b"\0\0\0\0"
            out.append(bytes(row))
        return out

    def save(self, path):
        write_png(path, self.w, self.h, self.rows())


class _Shrink(Shape):
    def __init__(self, shape, by):
        self.shape, self.by = shape, by

    def d(self, x, y):
        return self.shape.d(x, y) + self.by

    def bounds(self):
        return self.shape.bounds()


def _byte(v):
    return max(0, min(255, int(round(v * 255))))


def write_png(path, width, height, rows, colour_type=6):
    raw = b"".join(b"\0" + r for r in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def read_png_rgba(path):
    """Reads the 8-bit RGBA PNG files this painter writes (for contact sheets)."""
    with open(path, "rb") as f:
        data = f.read()
    pos = 8
    width = height = 0
    idat = b""
    while pos < len(data):
        length = struct.unpack(">I", data[pos:pos + 4])[0]
        kind = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height = struct.unpack(">II", body[:8])
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 4
    rows = []
    prev = bytearray(stride)
    i = 0
    for _ in range(height):
        kind = raw[i]
        line = bytearray(raw[i + 1:i + 1 + stride])
        i += 1 + stride
        for x in range(stride):
            left = line[x - 4] if x >= 4 else 0
            up = prev[x]
            ul = prev[x - 4] if x >= 4 else 0
            if kind == 1:
                line[x] = (line[x] + left) & 255
            elif kind == 2:
                line[x] = (line[x] + up) & 255
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - ul
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - ul)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else ul)
                line[x] = (line[x] + pred) & 255
        rows.append(bytes(line))
        prev = line
    return width, height, rows
