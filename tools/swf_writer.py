"""Writes the small movies the device's Flash player plays: uncompressed
files with a background colour, solid-filled shapes (straight edges, and
curved ones for round shapes), objects placed, moved and removed, frames.

    movie = Movie(240, 60, rate=12, background=(0x10, 0x20, 0x40))
    movie.shape(1, (0xff, 0xff, 0xff), rectangle(8, 8, 24, 24))
    movie.place(1, 1)                  # shape 1 at depth 1
    movie.show_frame()
    data = movie.bytes()

Coordinates are pixels; the file stores twips (1/20 pixel).
"""

import math
import struct


class Bits:
    def __init__(self):
        self.value = 0
        self.count = 0

    def put(self, value, n):
        self.value = (self.value << n) | (value & ((1 << n) - 1))
        self.count += n

    def bytes(self):
        pad = (8 - self.count % 8) % 8
        return (self.value << pad).to_bytes((self.count + pad) // 8, "big")


def signed_width(*values):
    """Bits a signed field needs for every value."""
    return max([1] + [v.bit_length() + 1 if v >= 0 else (-v - 1).bit_length() + 1 for v in values])


def rect(xmin, xmax, ymin, ymax):
    n = signed_width(xmin, xmax, ymin, ymax)
    b = Bits()
    b.put(n, 5)
    for v in (xmin, xmax, ymin, ymax):
        b.put(v, n)
    return b.bytes()


def matrix(x, y, sx=1.0, sy=1.0):
    b = Bits()
    if sx != 1.0 or sy != 1.0:
        fx, fy = int(round(sx * 65536)), int(round(sy * 65536))
        n = signed_width(fx, fy)
        b.put(1, 1)
        b.put(n, 5)
        b.put(fx, n)
        b.put(fy, n)
    else:
        b.put(0, 1)
    b.put(0, 1)  # no rotation
    tx, ty = int(round(x * 20)), int(round(y * 20))
    n = signed_width(tx, ty) if (tx or ty) else 0
    b.put(n, 5)
    if n:
        b.put(tx, n)
        b.put(ty, n)
    return b.bytes()


def tag(code, body):
    if len(body) < 0x3F:
        return struct.pack("<H", (code << 6) | len(body)) + body
    return struct.pack("<HI", (code << 6) | 0x3F, len(body)) + body


def rectangle(x0, y0, x1, y1):
    """An outline of straight edges (pixels)."""
    return [("line", (x0, y0)), ("line", (x1, y0)), ("line", (x1, y1)), ("line", (x0, y1)), ("line", (x0, y0))]


def disc(cx, cy, r):
    """A round outline of eight curved edges (pixels)."""
    outline = [("line", (cx + r, cy))]
    for i in range(8):
        a0, a1 = i * math.pi / 4, (i + 1) * math.pi / 4
        mid = (a0 + a1) / 2
        control = (cx + r / math.cos(math.pi / 8) * math.cos(mid), cy + r / math.cos(math.pi / 8) * math.sin(mid))
        outline.append(("curve", control, (cx + r * math.cos(a1), cy + r * math.sin(a1))))
    return outline


def shape_records(outline):
    """One path: move to the first point with fill style 1, then its edges."""
    b = Bits()
    first = outline[0][-1]
    x, y = int(round(first[0] * 20)), int(round(first[1] * 20))
    # Style change: move, fill style 1 (one fill bit), no line.
    b.put(0, 1)
    b.put(0b00101, 5)  # StateFillStyle1 | StateMoveTo
    n = signed_width(x, y)
    b.put(n, 5)
    b.put(x, n)
    b.put(y, n)
    b.put(1, 1)  # fill style 1
    for edge in outline[1:]:
        if edge[0] == "line":
            nx, ny = int(round(edge[1][0] * 20)), int(round(edge[1][1] * 20))
            dx, dy = nx - x, ny - y
            n = max(2, signed_width(dx, dy))
            b.put(1, 1)      # edge
            b.put(1, 1)      # straight
            b.put(n - 2, 4)
            b.put(1, 1)      # general line
            b.put(dx, n)
            b.put(dy, n)
            x, y = nx, ny
        else:
            cx, cy = int(round(edge[1][0] * 20)), int(round(edge[1][1] * 20))
            ax, ay = int(round(edge[2][0] * 20)), int(round(edge[2][1] * 20))
            deltas = (cx - x, cy - y, ax - cx, ay - cy)
            n = max(2, signed_width(*deltas))
            b.put(1, 1)
            b.put(0, 1)      # curved
            b.put(n - 2, 4)
            for d in deltas:
                b.put(d, n)
            x, y = ax, ay
    b.put(0, 6)  # end of shape
    return b.bytes()


class Movie:
    def __init__(self, width, height, rate=12, background=None):
        self.width, self.height, self.rate = width, height, rate
        self.tags = b""
        self.frames = 0
        if background is not None:
            self.tags += tag(9, bytes(background))

    def shape(self, shape_id, colour, outline):
        xs = [p[-1][0] for p in outline]
        ys = [p[-1][1] for p in outline]
        body = struct.pack("<H", shape_id)
        body += rect(int(min(xs) * 20), int(max(xs) * 20), int(min(ys) * 20), int(max(ys) * 20))
        body += bytes([1, 0]) + bytes(colour)  # one solid fill
        body += bytes([0])                     # no lines
        body += bytes([0x10])                  # one fill bit, no line bits
        body += shape_records(outline)
        self.tags += tag(2, body)

    def place(self, depth, shape_id, x=0, y=0, sx=1.0, sy=1.0):
        self.tags += tag(26, bytes([0x06]) + struct.pack("<HH", depth, shape_id) + matrix(x, y, sx, sy))

    def move(self, depth, x=0, y=0, sx=1.0, sy=1.0):
        self.tags += tag(26, bytes([0x05]) + struct.pack("<H", depth) + matrix(x, y, sx, sy))

    def remove(self, depth):
        self.tags += tag(28, struct.pack("<H", depth))

    def unknown(self, code, body):
        """A tag the player does not know, which it must skip."""
        self.tags += tag(code, body)

    def show_frame(self):
        self.tags += tag(1, b"")
        self.frames += 1

    def bytes(self):
        body = rect(0, self.width * 20, 0, self.height * 20)
        body += struct.pack("<HH", int(self.rate * 256), self.frames)
        body += self.tags + tag(0, b"")
        return b"FWS" + bytes([6]) + struct.pack("<I", 8 + len(body)) + body
