#!/usr/bin/env python3
"""Draws the editor's skin artwork and program icon.

    scripts/make-artwork.py          writes resources/png/<id>.png and resources/icon/128.png,
                                     and <id>@2x.png, 128@2x.png for screens of twice the density,
                                     and the desktop icons resources/icon/hicolor/<size>.png
    scripts/make-artwork.py --check  verifies the written files: present, decodable, RGBA, the
                                     right sizes, marker borders exactly in place, and identical
                                     to what this script draws now

Only the standard library is used, and nothing depends on time or randomness, so every run
writes the same bytes.

Stretched images carry a one-pixel marker border: black pixels in the top row and left column
mark the column and row that are repeated when stretching, black runs in the right column and
bottom row mark the content area. Every other border pixel is transparent white, which ends a
run and never counts as a marker.
"""

import math
import struct
import sys
import zlib
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from artwork_drawing import (NO_MARKER, Ellipse, Picture, Polygon, Rect, Stroke, mix,  # noqa: E402
                             vertical, with_alpha)
from png_rgba import decode_png, encode_png  # noqa: E402

ROOT = Path(__file__).resolve().parent.parent
PNG_DIR = ROOT / "resources" / "png"
ICON_PATH = ROOT / "resources" / "icon" / "128.png"
# The icon as the desktop's menus and launchers take it: hicolor theme sizes, installed as
# share/icons/hicolor/<size>x<size>/apps/.
DESKTOP_ICON_DIR = ROOT / "resources" / "icon" / "hicolor"
DESKTOP_ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)

MARKER = (0, 0, 0, 255)

# --- palette -------------------------------------------------------------------------------

TITLE_TOP = (47, 61, 79)
TITLE_BOTTOM = (36, 48, 63)
WINDOW_EDGE = (26, 35, 47)
BAND = (214, 222, 231)
BAND_LOW = (205, 214, 224)
TAB_LINE = (196, 207, 219)
TAB_TOP = (242, 245, 249)
TAB_BOTTOM = (232, 237, 243)
TAB_HOVER_TOP = (253, 254, 255)
TAB_HOVER_BOTTOM = (245, 248, 251)
TAB_ACCENT = (119, 148, 177)
TAB_PRESSED_LINE = (78, 105, 135)
TAB_PRESSED_TOP = (99, 128, 159)
TAB_PRESSED_BOTTOM = (88, 117, 148)
TAB_SELECTED_TOP = (62, 94, 130)
TAB_SELECTED_BOTTOM = (52, 82, 116)
GLYPH = (178, 191, 206)
WHITE = (255, 255, 255)


# --- marker border -------------------------------------------------------------------------


class Markers:
    """Marker positions in image coordinates (border included); ranges are inclusive."""

    def __init__(self, column, row, content_rows, content_columns):
        self.column = column
        self.row = row
        self.content_rows = content_rows
        self.content_columns = content_columns

    def scaled(self, scale):
        """The same markers on the picture drawn at scale (the border stays one pixel)."""
        def at(position):
            return scale * (position - 1) + 1

        def run(first, last):
            return at(first), scale * last

        return Markers(at(self.column), at(self.row), run(*self.content_rows),
                       run(*self.content_columns))

    def border(self, width, height):
        """The expected border pixels as {(x, y): colour}."""
        pixels = {}
        for x in range(width):
            pixels[(x, 0)] = pixels[(x, height - 1)] = NO_MARKER
        for y in range(height):
            pixels[(0, y)] = pixels[(width - 1, y)] = NO_MARKER
        pixels[(self.column, 0)] = MARKER
        pixels[(0, self.row)] = MARKER
        for y in range(self.content_rows[0], self.content_rows[1] + 1):
            pixels[(width - 1, y)] = MARKER
        for x in range(self.content_columns[0], self.content_columns[1] + 1):
            pixels[(x, height - 1)] = MARKER
        return pixels


TAB_MARKERS = Markers(6, 19, (2, 36), (6, 6))
BUTTON_MARKERS = Markers(7, 15, (3, 27), (7, 7))
BAR_MARKERS = Markers(2, 8, (1, 15), (2, 2))
BACKGROUND_MARKERS = Markers(14, 42, (2, 98), (2, 26))

SIZES = {
    **{i: (14, 39) for i in range(143, 155)},
    **{i: (29, 26) for i in range(155, 161)},
    **{i: (15, 31) for i in range(161, 164)},
    164: (29, 148),
    **{i: (30, 26) for i in range(165, 168)},
    168: (197, 94), 171: (197, 94),
    169: (48, 30), 170: (48, 30),
    **{i: (231, 16) for i in range(172, 175)},
    **{i: (5, 17) for i in range(175, 180)},
    501: (29, 101),
}

MARKERS = {
    **{i: TAB_MARKERS for i in range(143, 155)},
    **{i: BUTTON_MARKERS for i in range(161, 164)},
    **{i: BAR_MARKERS for i in range(175, 180)},
    501: BACKGROUND_MARKERS,
}


def framed(picture, markers):
    """Surrounds the picture with its marker border."""
    markers = markers.scaled(picture.scale)
    width, height = picture.width + 2, picture.height + 2
    rows = [[NO_MARKER] * width for _ in range(height)]
    for y, row in enumerate(picture.rows()):
        rows[y + 1][1:width - 1] = row
    for (x, y), colour in markers.border(width, height).items():
        rows[y][x] = colour
    return rows


# --- window background and tabs ------------------------------------------------------------


def window_background(width, height, stretch_row, scale=1):
    """Dark title band, light band below it, a one-pixel window edge all round.

    Rows above the stretch row keep their place at the top of the window, rows below it keep
    theirs at the bottom; the stretch row itself fills the area around the page.
    """
    p = Picture(width, height, BAND, scale)
    title_end = stretch_row - 1  # the last title row is a soft line into the band
    p.fill(Rect(0, 0, width, title_end), vertical(0, TITLE_TOP, title_end, TITLE_BOTTOM))
    p.fill(Rect(0, title_end, width, title_end + 1), (118, 133, 151))
    p.fill(Rect(0, stretch_row + 1, width, height), vertical(stretch_row + 1, BAND, height, BAND_LOW))
    for edge in (Rect(0, 0, width, 1), Rect(0, height - 1, width, height),
                 Rect(0, 0, 1, height), Rect(width - 1, 0, width, height)):
        p.fill(edge, WINDOW_EDGE)
    return p


def tab(kind, state, scale=1):
    """A 12 x 37 tab picture; kind is 'first', 'middle' or 'last'."""
    w, h = 12, 37
    p = Picture(w, h, scale=scale)
    radius = 5
    radii = (radius if kind == "first" else 0, radius if kind == "last" else 0, 0, 0)
    inner_radii = tuple(max(0, r - 1) for r in radii)
    left_inset = 1 if kind == "first" else 0
    right_inset = 1 if kind == "last" else 0
    if state == "pressed":
        line, top, bottom = TAB_PRESSED_LINE, TAB_PRESSED_TOP, TAB_PRESSED_BOTTOM
    elif state == "hover":
        line, top, bottom = TAB_LINE, TAB_HOVER_TOP, TAB_HOVER_BOTTOM
    else:
        line, top, bottom = TAB_LINE, TAB_TOP, TAB_BOTTOM
    p.fill(Rect(0, 0, w, h, radii), line)
    p.fill(Rect(left_inset, 1, w - right_inset, h - 1, inner_radii), vertical(1, top, h - 1, bottom))
    if state == "hover":
        p.fill(Rect(left_inset, h - 3, w - right_inset, h), TAB_ACCENT)
    if kind != "first" and state != "pressed":
        p.fill(Rect(0, 9, 1, 28), TAB_LINE)
    return p


def selected_tab(scale=1):
    """The chosen tab: both top corners rounded, open at the bottom onto the page."""
    w, h = 12, 37
    p = Picture(w, h, scale=scale)
    p.fill(Rect(0, 0, w, h, (4, 4, 0, 0)), vertical(0, TAB_SELECTED_TOP, h, TAB_SELECTED_BOTTOM))
    p.fill(Rect(1, 1, w - 1, 2), with_alpha(WHITE, 40))
    return p


# --- buttons -------------------------------------------------------------------------------


def push_button(state, scale=1):
    """A 13 x 29 rounded push button picture."""
    w, h = 13, 29
    fills = {
        "normal": ((71, 90, 113), (58, 75, 96), (42, 56, 73)),
        "hover": ((88, 118, 152), (72, 100, 132), (52, 76, 104)),
        "pressed": ((42, 56, 73), (50, 65, 84), (32, 43, 57)),
    }
    top, bottom, edge = fills[state]
    p = Picture(w, h, scale=scale)
    p.fill(Rect(0, 0, w, h, (5, 5, 5, 5)), edge)
    p.fill(Rect(1, 1, w - 1, h - 1, (4, 4, 4, 4)), vertical(1, top, h - 1, bottom))
    if state != "pressed":
        p.fill(Rect(3, 1, w - 3, 2), with_alpha(WHITE, 36))
    return p


def glyph_button(width, height, glyph, state, danger, scale=1):
    """Minimise or close button of the title band, drawn at natural size."""
    p = Picture(width, height, scale=scale)
    backdrop = {
        "normal": None,
        "hover": (196, 64, 64, 255) if danger else (255, 255, 255, 34),
        "pressed": (158, 44, 44, 255) if danger else (0, 0, 0, 70),
    }[state]
    if backdrop:
        p.fill(Rect(2, 2, width - 2, height - 2, (4, 4, 4, 4)), backdrop)
    colour = GLYPH if state == "normal" else WHITE
    cx, cy = width / 2.0, height / 2.0
    if glyph == "minimise":
        p.fill(Rect(cx - 5, cy + 1, cx + 5, cy + 2.5), colour)
    else:
        for sx, sy, ex, ey in ((-4.5, -4.5, 4.5, 4.5), (-4.5, 4.5, 4.5, -4.5)):
            p.fill(Stroke(cx + sx, cy + sy, cx + ex, cy + ey, 1.6), colour)
    return p


# --- partition bars ------------------------------------------------------------------------


def bar(base, scale=1):
    """A 3 x 15 bar piece: darker frame, lighter middle column fading down to the base colour."""
    w, h = 3, 15
    frame = mix((0, 0, 0), base, 0.72)
    p = Picture(w, h, frame, scale)
    p.fill(Rect(1, 1, 2, h - 1), vertical(1, mix(base, WHITE, 0.45), h - 1, base))
    return p


BAR_COLOURS = {
    175: (76, 175, 80),   # continuous recording: green
    176: (240, 196, 40),  # incident in continuous mode: yellow
    177: (240, 134, 40),  # parking motion: orange
    178: (220, 60, 56),   # incident in parking mode: red
    179: (60, 130, 210),  # manual recording: blue
}


# --- pictures that the editor carries but does not show -------------------------------------


def tall_background(scale=1):
    return window_background(29, 148, 41, scale)


def road(warning, scale=1):
    """A road running to the horizon with its lane lines; warning paints the edge lines amber."""
    w, h = 197, 94
    horizon = 34
    p = Picture(w, h, scale=scale)
    p.fill(Rect(0, 0, w, horizon), vertical(0, (164, 190, 218), horizon, (220, 230, 240)))
    p.fill(Rect(0, horizon, w, h), vertical(horizon, (170, 182, 168), h, (128, 146, 124)))
    vx = w / 2.0

    def across(t, offset):
        """Point at depth t (0 horizon, 1 bottom) and lateral offset (-1 left edge, 1 right)."""
        return vx + offset * (4 + t * 118), horizon + t * (h - horizon)

    surface = Polygon([across(0, -1), across(0, 1), across(1.05, 1), across(1.05, -1)])
    p.fill(surface, vertical(horizon, (122, 128, 138), h, (82, 88, 98)))
    edge = (236, 170, 48) if warning else (236, 238, 240)
    for side in (-0.92, 0.92):
        x0, y0 = across(0.02, side)
        x1, y1 = across(1.05, side)
        p.fill(Polygon([(x0 - 0.3, y0), (x0 + 0.3, y0), (x1 + 2.2, y1), (x1 - 2.2, y1)]), edge)
    for t0 in (0.04, 0.16, 0.34, 0.6, 0.95):
        t1 = t0 + 0.06 + t0 * 0.14
        x0, y0 = across(t0, 0)
        x1, y1 = across(t1, 0)
        half0, half1 = 0.3 + t0 * 1.8, 0.3 + t1 * 1.8
        p.fill(Polygon([(x0 - half0, y0), (x0 + half0, y0), (x1 + half1, y1), (x1 - half1, y1)]),
               (240, 241, 243))
    return p


def texture(light, scale=1):
    """A soft light texture: diagonal sheen over a pale base with a fixed speckle."""
    w, h = 48, 30
    base = (240, 243, 247) if light else (226, 232, 239)
    p = Picture(w, h, base, scale)
    for py in range(p.height):
        for px in range(p.width):
            x, y = (px + 0.5) / scale - 0.5, (py + 0.5) / scale - 0.5
            sheen = 0.5 + 0.5 * math.cos((x + y) * math.pi / 12.0)
            ux, uy = px // scale, py // scale
            speckle = ((ux * 73 + uy * 151 + ux * uy * 17) % 29) / 28.0
            p.blend(px, py, WHITE, 0.18 * sheen + 0.08 * speckle)
    return p


def dot_scale(style, scale=1):
    """A row of 23 dots; every fifth is a larger major dot."""
    w, h = 231, 16
    p = Picture(w, h, scale=scale)
    colours = {
        "plain": ((176, 188, 202), (140, 156, 174)),
        "accent": ((160, 186, 212), TAB_ACCENT),
        "dark": ((96, 112, 132), (52, 70, 92)),
    }
    minor, major = colours[style]
    for i in range(23):
        cx = 5.5 + i * 10
        big = i % 5 == 0
        p.fill(Ellipse(cx, 8.0, 3.2 if big else 2.0), major if big else minor)
    return p


# --- program icon --------------------------------------------------------------------------


def icon(scale=1, s=48):
    """s x s: a dash-cam body with a large lens and a small recording light, drawn on a 48-unit
    grid scaled to the size."""
    k = s / 48.0
    p = Picture(s, s, scale=scale)
    p.fill(Rect(2 * k, 4 * k, 46 * k, 44 * k, (9 * k,) * 4), (28, 38, 50))
    p.fill(Rect(3 * k, 5 * k, 45 * k, 43 * k, (8 * k,) * 4),
           vertical(5 * k, (84, 112, 146), 43 * k, (50, 70, 96)))
    p.fill(Rect(6 * k, 6 * k, 42 * k, 7 * k), with_alpha(WHITE, 50))
    cx, cy = 24.0 * k, 24.5 * k

    def glass(x, y):
        d = math.hypot(x + 0.5 - cx + 3 * k, y + 0.5 - cy + 3 * k) / (14.0 * k)
        return mix((78, 140, 206), (16, 30, 54), d)

    p.fill(Ellipse(cx, cy, 15.5 * k), (24, 32, 43))
    p.fill(Ellipse(cx, cy, 13.5 * k), (150, 166, 184))
    p.fill(Ellipse(cx, cy, 12.3 * k), (30, 40, 54))
    p.fill(Ellipse(cx, cy, 10.5 * k), glass)
    p.fill(Ellipse(cx, cy, 5.0 * k), (10, 16, 28))
    p.fill(Ellipse(cx - 4.0 * k, cy - 4.5 * k, 3.2 * k, 2.4 * k), with_alpha(WHITE, 190))
    p.fill(Ellipse(cx + 4.5 * k, cy + 4.5 * k, 1.3 * k), with_alpha(WHITE, 90))
    p.fill(Ellipse(39.0 * k, 10.5 * k, 2.6 * k), (226, 72, 60))
    p.fill(Ellipse(38.4 * k, 9.8 * k, 0.9 * k), with_alpha(WHITE, 150))
    return p


# --- the whole set -------------------------------------------------------------------------


def artwork(scale=1):
    """Every image of the set as {id: rows of RGBA tuples}, drawn at scale 1 or 2."""
    k = scale
    images = {}
    states = ("normal", "hover", "pressed")
    for first_id, kind in ((143, "first"), (147, "middle"), (151, "last")):
        for offset, state in enumerate(states):
            images[first_id + offset] = framed(tab(kind, state, k), TAB_MARKERS)
    for selected_id in (146, 150, 154):
        images[selected_id] = framed(selected_tab(k), TAB_MARKERS)
    for offset, state in enumerate(states):
        images[155 + offset] = glyph_button(29, 26, "minimise", state, False, k).rows()
        images[158 + offset] = glyph_button(29, 26, "close", state, True, k).rows()
        images[161 + offset] = framed(push_button(state, k), BUTTON_MARKERS)
        images[165 + offset] = glyph_button(30, 26, "close", state, True, k).rows()
    images[164] = tall_background(k).rows()
    images[168] = road(False, k).rows()
    images[171] = road(True, k).rows()
    images[169] = texture(True, k).rows()
    images[170] = texture(False, k).rows()
    for offset, style in enumerate(("plain", "accent", "dark")):
        images[172 + offset] = dot_scale(style, k).rows()
    for image_id, colour in BAR_COLOURS.items():
        images[image_id] = framed(bar(colour, k), BAR_MARKERS)
    images[501] = framed(window_background(27, 99, 41, k), BACKGROUND_MARKERS)
    return images


# --- PNG files -----------------------------------------------------------------------------


SCALES = (1, 2)


def png_path(image_id, scale):
    """resources/png/<id>.png, and <id>@2x.png for the picture of twice the density."""
    return PNG_DIR / ("%d%s.png" % (image_id, "" if scale == 1 else "@%dx" % scale))


def icon_path(scale):
    return ICON_PATH if scale == 1 else ICON_PATH.with_name("128@%dx.png" % scale)


def scaled_size(image_id, scale):
    """An image's size at scale: a marker border stays one pixel wide."""
    width, height = SIZES[image_id]
    if image_id in MARKERS:
        return scale * (width - 2) + 2, scale * (height - 2) + 2
    return scale * width, scale * height


def outputs():
    """{path: PNG bytes} of every file this script writes."""
    files = {}
    for scale in SCALES:
        for image_id, rows in sorted(artwork(scale).items()):
            files[png_path(image_id, scale)] = encode_png(rows)
        files[icon_path(scale)] = encode_png(icon(scale).rows())
    for size in DESKTOP_ICON_SIZES:
        files[desktop_icon_path(size)] = encode_png(icon(1, size).rows())
    return files


def desktop_icon_path(size):
    return DESKTOP_ICON_DIR / ("%d.png" % size)


def write():
    for path, data in outputs().items():
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
    print("make-artwork: wrote %d images and the icon at %s" % (len(SIZES), " and ".join("%dx" % k for k in SCALES)))


# --- checking ------------------------------------------------------------------------------


def content_rectangle(rows, width, height):
    """Where a caption lands when the image is stretched to width x height.

    Follows the stretcher: the content run in the right column and bottom row, grown by the
    amount the marked column and row are repeated when they lie inside the run.
    """
    h_image, w_image = len(rows), len(rows[0])

    def is_marker(pixel):
        return pixel[:3] == (0, 0, 0)

    def run(pixels):
        start = next(i for i, p in enumerate(pixels) if is_marker(p))
        end = next((i - 1 for i in range(start + 1, len(pixels)) if pixels[i][:3] == (255,) * 3),
                   len(pixels) - 1)
        return start, end

    top, bottom = run([row[w_image - 1] for row in rows])
    left, right = run(rows[h_image - 1])
    columns = [x for x in range(w_image) if is_marker(rows[0][x])]
    marked_rows = [y for y in range(h_image) if is_marker(rows[y][0])]
    across = right - left + 1
    down = bottom - top + 1
    if len(columns) == 1 and left <= columns[0] <= right:
        across += width - w_image + 3
    if len(marked_rows) == 1 and height + 1 != h_image - 1 and top <= marked_rows[0] <= bottom:
        down += height - h_image + 3
    return left, top, left + across, top + down


def check():
    problems = []
    expected = outputs()
    decoded = {}
    for path, data in expected.items():
        if not path.exists():
            problems.append("%s: missing" % path.relative_to(ROOT))
            continue
        on_disk = path.read_bytes()
        try:
            decoded[path] = decode_png(on_disk)
        except (ValueError, zlib.error, struct.error) as error:
            problems.append("%s: does not decode (%s)" % (path.relative_to(ROOT), error))
            continue
        if on_disk != data:
            problems.append("%s: differs from what this script draws; run it again"
                            % path.relative_to(ROOT))

    for scale in SCALES:
        for image_id in sorted(SIZES):
            name = png_path(image_id, scale).stem
            rows = decoded.get(png_path(image_id, scale))
            if rows is None:
                continue
            width, height = scaled_size(image_id, scale)
            if (len(rows[0]), len(rows)) != (width, height):
                problems.append("%s: %dx%d instead of %dx%d" % (name, len(rows[0]), len(rows),
                                                                width, height))
                continue
            markers = MARKERS.get(image_id)
            if markers is None:
                continue
            for (x, y), colour in sorted(markers.scaled(scale).border(width, height).items()):
                pixel = rows[y][x]
                ok = pixel[:3] == (0, 0, 0) if colour == MARKER else pixel == NO_MARKER
                if not ok:
                    problems.append("%s: border pixel (%d, %d) is %r" % (name, x, y, pixel))

    for image_id, size, wanted in ((161, (221, 29), (7, 3, 217, 28)), (161, (100, 29), (7, 3, 96, 28)),
                                   (143, (140, 37), (6, 2, 136, 37)), (175, (272, 15), (2, 1, 273, 16))):
        rows = decoded.get(PNG_DIR / ("%d.png" % image_id))
        if rows is not None and not problems:
            got = content_rectangle(rows, *size)
            if got != wanted:
                problems.append("%d at %dx%d: content rectangle %r instead of %r"
                                % (image_id, size[0], size[1], got, wanted))

    for scale in SCALES:
        icon_rows = decoded.get(icon_path(scale))
        sizes = tuple((scale * n, scale * n) for n in (32, 48))
        if icon_rows is not None and (len(icon_rows[0]), len(icon_rows)) not in sizes:
            problems.append("icon at %dx: %dx%d is not one of %r"
                            % (scale, len(icon_rows[0]), len(icon_rows), sizes))

    for size in DESKTOP_ICON_SIZES:
        rows = decoded.get(desktop_icon_path(size))
        if rows is not None and (len(rows[0]), len(rows)) != (size, size):
            problems.append("desktop icon %d: %dx%d" % (size, len(rows[0]), len(rows)))

    for problem in problems:
        print("make-artwork: " + problem, file=sys.stderr)
    if problems:
        return 1
    print("make-artwork: %d images and the icon are in order at %s"
          % (len(SIZES), " and ".join("%dx" % k for k in SCALES)))
    return 0


def main(argv):
    if argv[1:] == ["--check"]:
        return check()
    if argv[1:]:
        print(__doc__, file=sys.stderr)
        return 2
    write()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
