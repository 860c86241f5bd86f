"""Drawing primitives for scripts/make-artwork.py: a picture of straight-alpha RGBA pixels
drawn at scale 1 or 2, the colour helpers and paints (mix, ramps, alpha), and the antialiased
shapes the skin images and the icon are made of (Rect, Ellipse, Stroke, Polygon).
Standard library only."""

import math

NO_MARKER = (255, 255, 255, 0)
SAMPLES = 4  # sub-samples per pixel side for antialiased shapes


# --- drawing -------------------------------------------------------------------------------


class Picture:
    """RGBA pixels with straight alpha as floats; shapes are blended source-over.

    Shapes and paints are given in the picture's own units; with scale 2 every unit is two
    pixels, so the same drawing makes the picture for a screen of twice the density.
    """

    def __init__(self, width, height, fill=(0, 0, 0, 0), scale=1):
        self.scale = scale
        self.width = width * scale
        self.height = height * scale
        self.pixels = [[float(v) for v in rgba(fill)] for _ in range(self.width * self.height)]

    def blend(self, x, y, colour, coverage=1.0):
        if not (0 <= x < self.width and 0 <= y < self.height):
            return
        src = rgba(colour)
        sa = src[3] / 255.0 * coverage
        if sa <= 0.0:
            return
        dst = self.pixels[y * self.width + x]
        da = dst[3] / 255.0
        out = sa + da * (1.0 - sa)
        for i in range(3):
            dst[i] = (src[i] * sa + dst[i] * da * (1.0 - sa)) / out
        dst[3] = out * 255.0

    def fill(self, shape, paint):
        """Blends paint over every pixel the shape covers, weighted by the covered share."""
        k = self.scale
        left, top, right, bottom = (v * k for v in shape.bounds())
        left, top = max(0, math.floor(left)), max(0, math.floor(top))
        right, bottom = min(self.width, math.ceil(right)), min(self.height, math.ceil(bottom))
        step = 1.0 / SAMPLES
        for y in range(top, bottom):
            for x in range(left, right):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if shape.contains((x + (sx + 0.5) * step) / k, (y + (sy + 0.5) * step) / k):
                            hits += 1
                if hits:
                    # A paint is asked at the pixel's centre, in units, less half a unit.
                    colour = paint((x + 0.5) / k - 0.5, (y + 0.5) / k - 0.5) if callable(paint) else paint
                    self.blend(x, y, colour, hits / (SAMPLES * SAMPLES))

    def rows(self):
        """The pixels as rows of 8-bit RGBA tuples; fully transparent pixels become white."""
        result = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                r, g, b, a = (min(255, max(0, round(v))) for v in self.pixels[y * self.width + x])
                row.append(NO_MARKER if a == 0 else (r, g, b, a))
            result.append(row)
        return result


def rgba(colour):
    return tuple(colour) if len(colour) == 4 else (*colour, 255)


def mix(c0, c1, t):
    t = min(1.0, max(0.0, t))
    return tuple(a + (b - a) * t for a, b in zip(rgba(c0), rgba(c1)))


def vertical(y0, c0, y1, c1):
    """Paint that runs from c0 at row y0 to c1 at row y1."""
    return lambda x, y: mix(c0, c1, (y + 0.5 - y0) / max(1e-9, y1 - y0))


def horizontal(x0, c0, x1, c1):
    return lambda x, y: mix(c0, c1, (x + 0.5 - x0) / max(1e-9, x1 - x0))


def with_alpha(colour, alpha):
    return (*colour[:3], alpha)


class Rect:
    """Axis-aligned rectangle in continuous coordinates with per-corner radii (tl, tr, br, bl)."""

    def __init__(self, left, top, right, bottom, radii=(0, 0, 0, 0)):
        self.left, self.top, self.right, self.bottom = left, top, right, bottom
        self.radii = radii

    def bounds(self):
        return self.left, self.top, self.right, self.bottom

    def contains(self, px, py):
        if not (self.left <= px < self.right and self.top <= py < self.bottom):
            return False
        tl, tr, br, bl = self.radii
        for r, cx, cy, beyond in (
            (tl, self.left + tl, self.top + tl, px < self.left + tl and py < self.top + tl),
            (tr, self.right - tr, self.top + tr, px > self.right - tr and py < self.top + tr),
            (br, self.right - br, self.bottom - br, px > self.right - br and py > self.bottom - br),
            (bl, self.left + bl, self.bottom - bl, px < self.left + bl and py > self.bottom - bl),
        ):
            if r and beyond and (px - cx) ** 2 + (py - cy) ** 2 > r * r:
                return False
        return True


class Ellipse:
    def __init__(self, cx, cy, rx, ry=None):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, rx if ry is None else ry

    def bounds(self):
        return self.cx - self.rx, self.cy - self.ry, self.cx + self.rx, self.cy + self.ry

    def contains(self, px, py):
        return ((px - self.cx) / self.rx) ** 2 + ((py - self.cy) / self.ry) ** 2 <= 1.0


class Stroke:
    """A straight line of the given width with round ends."""

    def __init__(self, x0, y0, x1, y1, width):
        self.x0, self.y0, self.x1, self.y1, self.half = x0, y0, x1, y1, width / 2.0

    def bounds(self):
        h = self.half
        return (min(self.x0, self.x1) - h, min(self.y0, self.y1) - h,
                max(self.x0, self.x1) + h, max(self.y0, self.y1) + h)

    def contains(self, px, py):
        dx, dy = self.x1 - self.x0, self.y1 - self.y0
        t = ((px - self.x0) * dx + (py - self.y0) * dy) / (dx * dx + dy * dy)
        t = min(1.0, max(0.0, t))
        return (px - self.x0 - t * dx) ** 2 + (py - self.y0 - t * dy) ** 2 <= self.half ** 2


class Polygon:
    def __init__(self, points):
        self.points = points

    def bounds(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return min(xs), min(ys), max(xs), max(ys)

    def contains(self, px, py):
        inside = False
        n = len(self.points)
        for i in range(n):
            (x0, y0), (x1, y1) = self.points[i], self.points[(i + 1) % n]
            if (y0 > py) != (y1 > py) and px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
                inside = not inside
        return inside
