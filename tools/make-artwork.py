#!/usr/bin/env python3
"""Generates every bitmap and icon of Quillon into resources/art/ and writes
resources/art/artwork.rc, which resources/quillon.rc includes.

    python3 tools/make-artwork.py [--sheet build/ui-art/contact.png]

Only the standard library is used for drawing; captions are rendered by ImageMagick
(`convert`, DejaVu fonts) into grey masks. Shapes are signed-distance functions painted
with one pixel of anti-aliasing, so edges stay clean at every size.

The look: a medium-blue title band with white captions, a white-to-light-blue toolbar,
white content, thin blue frame lines. Every size below is the size the windows copy the
piece at: pieces are copied unscaled, so band pieces are as wide (tall) as the largest
window we support, MAX_W x MAX_H (a 4K screen at 100 %); beyond that a piece is clipped.

Button skins hold one strip per state, each as tall as the button, stacked from the top:
0 normal, 1 disabled, 2 hover, 3 pressed, 4 focused, and a sixth strip (a copy of the
normal one) that no state selects. Each strip has 10-pixel end caps; the middle columns
are uniform so the button may tile them to any width.
"""

import argparse
import math
import os
import struct
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART = os.path.join(ROOT, "resources", "art")

MAX_W = 3840   # widest window the horizontal bands cover
MAX_H = 2160   # tallest window the vertical edges cover
STATES = 6     # strips per button skin

# ---------------------------------------------------------------- palette


def hexc(text, alpha=1.0):
    v = int(text.lstrip("#"), 16)
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255, alpha)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


TITLE_TOP = hexc("3D9BEF")      # title band, top row
TITLE_BOTTOM = hexc("1F78D4")   # title band, bottom row
TITLE_SHINE = hexc("7DC1F9")    # highlight line on the title band's first row
TITLE_EDGE = hexc("1766B8")     # line under the title band
FRAME = hexc("2F80D4")          # the window's outline
TOOL_TOP = hexc("FFFFFF")
TOOL_BOTTOM = hexc("E2EFFC")
TOOL_EDGE = hexc("9CC3EC")
WHITE = hexc("FFFFFF")
GREY_BAND = hexc("EEEEEE")      # the grey bands around the tree
BLUE = hexc("2F80D4")
DEEP = hexc("1C6AC0")
LIGHT = hexc("8CC8F8")
PALE = hexc("D4E8FC")
ACCENT = hexc("F2B544")         # the pencil: the only warm colour


# ---------------------------------------------------------------- canvas


class Image:
    """Straight-alpha RGBA canvas of floats (0..255, alpha 0..1)."""

    def __init__(self, w, h, fill=(0, 0, 0, 0.0)):
        self.w, self.h = w, h
        self.px = [list(fill) for _ in range(w * h)]

    def get(self, x, y):
        return self.px[y * self.w + x]

    def blend(self, x, y, c, cover):
        a = c[3] * cover
        if a <= 0.0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        d = self.px[y * self.w + x]
        out_a = a + d[3] * (1.0 - a)
        if out_a <= 0.0:
            return
        for i in range(3):
            d[i] = (c[i] * a + d[i] * d[3] * (1.0 - a)) / out_a
        d[3] = out_a

    def fill_rows(self, colour_of_row, x0=0, x1=None):
        """Paints each row in one colour (bands): colour_of_row(y) -> colour."""
        x1 = self.w if x1 is None else x1
        for y in range(self.h):
            c = colour_of_row(y)
            for x in range(x0, x1):
                self.blend(x, y, c, 1.0)

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.blend(x, y, c, 1.0)

    def shape(self, sdf, colour, scale=1.0, ox=0.0, oy=0.0, box=None):
        """Paints an anti-aliased shape. sdf(u, v) is a signed distance in design units;
        a pixel (x, y) samples u = (x + 0.5 - ox) / scale. colour is a colour or a
        function of (u, v)."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(max(0, y0), min(self.h, y1)):
            v = (y + 0.5 - oy) / scale
            for x in range(max(0, x0), min(self.w, x1)):
                u = (x + 0.5 - ox) / scale
                cover = 0.5 - sdf(u, v) * scale
                if cover <= 0.0:
                    continue
                c = colour(u, v) if callable(colour) else colour
                self.blend(x, y, c, min(1.0, cover))

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                c = other.get(x, y)
                self.blend(ox + x, oy + y, c, 1.0)


def vgrad(top, bottom, y0, y1):
    """Colour of a vertical gradient at design y."""
    def colour(_u, v):
        t = 0.0 if y1 == y0 else min(1.0, max(0.0, (v - y0) / (y1 - y0)))
        return mix(top, bottom, t)
    return colour


# ---------------------------------------------------------------- shapes (signed distances)


def sd_box(x0, y0, x1, y1, r=0.0):
    cx, cy, hw, hh = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def f(u, v):
        qx, qy = abs(u - cx) - hw + r, abs(v - cy) - hh + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return f


def sd_circle(cx, cy, r):
    return lambda u, v: math.hypot(u - cx, v - cy) - r


def sd_segment(ax, ay, bx, by, r):
    def f(u, v):
        pax, pay, bax, bay = u - ax, v - ay, bx - ax, by - ay
        h = max(0.0, min(1.0, (pax * bax + pay * bay) / (bax * bax + bay * bay)))
        return math.hypot(pax - bax * h, pay - bay * h) - r
    return f


def sd_polygon(points):
    n = len(points)

    def f(u, v):
        d = (u - points[0][0]) ** 2 + (v - points[0][1]) ** 2
        s = 1.0
        j = n - 1
        for i in range(n):
            xi, yi = points[i]
            xj, yj = points[j]
            ex, ey = xj - xi, yj - yi
            wx, wy = u - xi, v - yi
            h = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            bx, by = wx - ex * h, wy - ey * h
            d = min(d, bx * bx + by * by)
            c1, c2, c3 = v >= yi, v < yj, ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                s = -s
            j = i
        return s * math.sqrt(d)
    return f


def union(*fs):
    return lambda u, v: min(f(u, v) for f in fs)


def cut(a, b):
    return lambda u, v: max(a(u, v), -b(u, v))


def ring(f, width):
    return lambda u, v: abs(f(u, v)) - width / 2


def rotated(points, angle, cx, cy):
    ca, sa = math.cos(angle), math.sin(angle)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca)
            for x, y in points]


# ---------------------------------------------------------------- captions


def text_mask(text, points, font="DejaVu-Sans-Bold"):
    """Grey mask of a caption rendered by ImageMagick: (width, height, bytes)."""
    data = subprocess.run(
        ["convert", "-background", "black", "-fill", "white", "-font", font,
         "-pointsize", str(points), "label:" + text, "-depth", "8", "pgm:-"],
        check=True, capture_output=True).stdout
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    w, h = int(fields[1]), int(fields[2])
    return w, h, data[pos + 1:pos + 1 + w * h]


def draw_text(img, text, points, x, y, colour, font="DejaVu-Sans-Bold"):
    w, h, mask = text_mask(text, points, font)
    for j in range(h):
        for i in range(w):
            img.blend(x + i, y + j, colour, mask[j * w + i] / 255.0)
    return w, h


# ---------------------------------------------------------------- glyphs (48-unit design space)


def glyph_tag(img, s, ox, oy, body=WHITE, hole=None):
    """A luggage tag pointing to the upper left: the program's mark."""
    pts = rotated([(14, 24), (22, 14), (42, 14), (42, 34), (22, 34)], -math.pi / 4, 24, 24)
    tag = sd_polygon(pts)
    rounded = lambda u, v: tag(u, v) - 1.5
    hx, hy = rotated([(21, 24)], -math.pi / 4, 24, 24)[0]
    eye = sd_circle(hx, hy, 3.2)
    if hole is None:
        img.shape(cut(rounded, eye), body, s / 48, ox, oy)
    else:
        img.shape(rounded, body, s / 48, ox, oy)
        img.shape(eye, hole, s / 48, ox, oy)


def glyph_folder(img, s, ox, oy, back, front_top, front_bottom, open_=False):
    sc = s / 48
    img.shape(union(sd_box(4, 9, 20, 17, 2.5), sd_box(4, 13, 44, 40, 3)), back, sc, ox, oy)
    img.shape(ring(sd_box(4, 13, 44, 40, 3), 1.0), mix(back, hexc("000000"), 0.15), sc, ox, oy)
    if open_:
        img.shape(sd_box(9, 16, 39, 30, 1), WHITE, sc, ox, oy)
        front = sd_polygon([(11, 21), (47, 21), (41, 40), (4, 40), (4, 30)])
        front = (lambda f: lambda u, v: f(u, v) - 1.0)(front)
        img.shape(front, vgrad(front_top, front_bottom, 21, 40), sc, ox, oy)
    else:
        img.shape(sd_box(4, 18, 44, 40, 3), vgrad(front_top, front_bottom, 18, 40), sc, ox, oy)
        img.shape(sd_box(6, 19.5, 42, 20.5), mix(front_top, WHITE, 0.6), sc, ox, oy)


def glyph_plus_badge(img, s, ox, oy):
    sc = s / 48
    img.shape(sd_circle(36, 36, 11), WHITE, sc, ox, oy)
    img.shape(sd_circle(36, 36, 9.5), vgrad(hexc("4FB0F8"), DEEP, 27, 45), sc, ox, oy)
    plus = union(sd_segment(31, 36, 41, 36, 1.8), sd_segment(36, 31, 36, 41, 1.8))
    img.shape(plus, WHITE, sc, ox, oy)


def glyph_document(img, s, ox, oy):
    sc = s / 48
    page = sd_polygon([(9, 3), (30, 3), (39, 12), (39, 45), (9, 45)])
    img.shape(page, WHITE, sc, ox, oy)
    img.shape(ring(page, 2.0), BLUE, sc, ox, oy)
    img.shape(sd_polygon([(29, 3), (39, 13), (29, 13)]), PALE, sc, ox, oy)
    img.shape(ring(sd_polygon([(29, 3), (39, 13), (29, 13)]), 1.6), BLUE, sc, ox, oy)
    for y in (20, 26, 32):
        img.shape(sd_segment(15, y, 27, y, 1.2), LIGHT, sc, ox, oy)


def glyph_pencil(img, s, ox, oy):
    sc = s / 48
    body = sd_polygon(rotated([(14, 21), (40, 21), (40, 28), (14, 28)], -math.pi / 4, 27, 24.5))
    tip = sd_polygon(rotated([(14, 21), (14, 28), (7, 24.5)], -math.pi / 4, 27, 24.5))
    img.shape(body, ACCENT, sc, ox, oy)
    img.shape(ring(body, 1.4), hexc("9A6A12"), sc, ox, oy)
    img.shape(tip, hexc("F7DDB0"), sc, ox, oy)
    img.shape(ring(tip, 1.4), hexc("9A6A12"), sc, ox, oy)


def glyph_help(img, s, ox, oy):
    sc = s / 48
    img.shape(sd_circle(24, 24, 21), vgrad(hexc("5DB6F8"), DEEP, 3, 45), sc, ox, oy)
    img.shape(ring(sd_circle(24, 24, 20.5), 1.0), hexc("FFFFFF", 0.5), sc, ox, oy)
    size = max(8, round(s * 0.62))
    w, h, mask = text_mask("?", size)
    tx = round(ox + (s - w) / 2)
    ty = round(oy + (s - h) / 2)
    for j in range(h):
        for i in range(w):
            img.blend(tx + i, ty + j, WHITE, mask[j * w + i] / 255.0)


def glyph_magnifier(img, s, ox, oy, colour):
    sc = s / 48
    img.shape(ring(sd_circle(20, 20, 12), 5.0), colour, sc, ox, oy)
    img.shape(sd_segment(29, 29, 41, 41, 3.6), colour, sc, ox, oy)


# ---------------------------------------------------------------- files


def to_rgb(img, backdrop=WHITE):
    """Flattens onto an opaque backdrop; returns rows of (r, g, b) byte triples."""
    rows = []
    for y in range(img.h):
        row = []
        for x in range(img.w):
            r, g, b, a = img.get(x, y)
            row.append(tuple(int(round(c * a + backdrop[i] * (1 - a)))
                             for i, c in enumerate((r, g, b))))
        rows.append(row)
    return rows


def write_bmp(path, img):
    """Writes a bottom-up BMP: 8-bit with a palette when 256 colours suffice (the wide
    bands), 24-bit otherwise."""
    rows = to_rgb(img)
    colours = sorted({c for row in rows for c in row})
    w, h = img.w, img.h
    if len(colours) <= 256:
        index = {c: i for i, c in enumerate(colours)}
        stride = (w + 3) & ~3
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
        pixels = b"".join(bytes(index[c] for c in rows[y]) + b"\0" * (stride - w)
                          for y in range(h - 1, -1, -1))
        bpp, used = 8, len(colours)
    else:
        stride = (w * 3 + 3) & ~3
        palette = b""
        pixels = b"".join(b"".join(struct.pack("<BBB", b, g, r) for r, g, b in rows[y])
                          + b"\0" * (stride - w * 3)
                          for y in range(h - 1, -1, -1))
        bpp, used = 24, 0
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(pixels), 2835, 2835, used, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + pixels)


def write_ico(path, images):
    """Writes an icon with one 32-bit image (colour, alpha and AND mask) per size."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        n = img.w
        xor = bytearray()
        for y in range(n - 1, -1, -1):
            for x in range(n):
                r, g, b, a = img.get(x, y)
                xor += struct.pack("<BBBB", round(b), round(g), round(r), round(a * 255))
        mask_stride = ((n + 31) // 32) * 4
        mask = bytearray()
        for y in range(n - 1, -1, -1):
            row = bytearray(mask_stride)
            for x in range(n):
                if img.get(x, y)[3] * 255 < 1:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        size = len(xor) + len(mask)
        header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, size, 0, 0, 0, 0)
        blob = header + xor + mask
        entries.append(struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs))


# ---------------------------------------------------------------- the main window's skin

TITLE_H = 34     # title band: pieces 130, 131, 132 and the menu buttons
TOOL_H = 39      # toolbar band: pieces 145, 146, 147 (window rows 34..72)
SEARCH_H = 34    # search band: piece 149 (window rows 72..105)
STATUS_H = 25    # status band: pieces 135, 136, 137


def title_row(y):
    if y == 0:
        return TITLE_SHINE
    if y == TITLE_H - 1:
        return TITLE_EDGE
    return mix(TITLE_TOP, TITLE_BOTTOM, (y - 1) / (TITLE_H - 3))


def tool_row(y):
    """Piece 147: rows 0..3 the top strip (window 34..37), rows 4..33 the body behind the
    toolbar buttons (window 38..67), rows 34..38 the bottom strip (window 68..72)."""
    if y >= TOOL_H - 1:
        return TOOL_EDGE
    return mix(TOOL_TOP, TOOL_BOTTOM, y / (TOOL_H - 2))


def search_row(y):
    """Piece 149: the band around the search box; rows 7..27 lie behind the box itself."""
    return mix(hexc("F4F9FF"), hexc("DCEAF9"), y / (SEARCH_H - 1))


def status_row(y):
    if y == 0:
        return hexc("B5D2F0")
    if y == STATUS_H - 1:
        return FRAME
    return mix(hexc("EEF5FD"), hexc("D5E6F8"), (y - 1) / (STATUS_H - 3))


def band(w, h, row):
    img = Image(w, h)
    img.fill_rows(row)
    return img


def logo_piece():
    """130: 135 x 34, the top-left corner: the mark and the program's name."""
    img = band(135, TITLE_H, title_row)
    glyph_tag(img, 24, 8, 5, body=WHITE)
    draw_text(img, "Quillon", 15, 37, 8, WHITE)
    return img


def grip_piece():
    """135: 25 x 25, the bottom-right corner with the resize grip."""
    img = band(25, STATUS_H, status_row)
    for i in range(3):
        for j in range(3 - i):
            x, y = 18 - 4 * j, 18 - 4 * i
            img.rect(x + 1, y + 1, x + 3, y + 3, WHITE)
            img.rect(x, y, x + 2, y + 2, hexc("7FAEDF"))
    img.rect(24, 0, 25, 25, FRAME)
    return img


def vertical_edge(w, h, row, frame_col):
    img = band(w, h, row)
    img.rect(frame_col, 0, frame_col + 1, h, FRAME)
    return img


def main_skin():
    pieces = {}
    pieces[130] = logo_piece()
    pieces[131] = band(80, TITLE_H, title_row)            # top-right, under the caption buttons
    pieces[132] = band(MAX_W, TITLE_H, title_row)         # title band filler, up to W - 80
    pieces[145] = vertical_edge(5, TOOL_H, tool_row, 0)   # toolbar band, left end
    pieces[146] = vertical_edge(5, TOOL_H, tool_row, 4)   # toolbar band, right end
    pieces[147] = band(MAX_W, TOOL_H, tool_row)           # toolbar band, 5 .. W - 5
    # 133 / 134: left and right edges from row 72 down to H - 25; the inner columns match
    # the grey band beside the tree and the white margin beside the list.
    pieces[133] = vertical_edge(5, MAX_H, lambda y: GREY_BAND, 0)
    pieces[134] = vertical_edge(5, MAX_H, lambda y: WHITE, 4)
    pieces[136] = vertical_edge(5, STATUS_H, status_row, 0)  # bottom-left corner
    pieces[137] = band(MAX_W, STATUS_H, status_row)          # status band, 5 .. W - 25
    pieces[135] = grip_piece()
    pieces[149] = band(MAX_W, SEARCH_H, search_row)          # search band, S + 1 .. W - 1
    return pieces


# ---------------------------------------------------------------- button skins


def skin(w, h, background, state_painter):
    """Stacks STATES strips of w x h: background(strip) then state_painter(strip, state, y0)."""
    img = Image(w, h * STATES)
    for state in range(STATES):
        strip = Image(w, h)
        strip.fill_rows(background)
        state_painter(strip, state if state < 5 else 0)
        img.paste(strip, 0, state * h)
    return img


NORMAL, DISABLED, HOVER, PRESSED, FOCUSED = range(5)


def caption_button(width, glyph, danger=False):
    """138, 139, 140: the caption buttons, width x 20 strips on the title band."""
    h = 20

    def paint(strip, state):
        if state == HOVER:
            lit = hexc("E04A3F") if danger else hexc("FFFFFF", 0.28)
            strip.shape(sd_box(1, 1, width - 1, h, 3), lit)
        elif state == PRESSED:
            down = hexc("B8322A") if danger else hexc("0E4F96", 0.45)
            strip.shape(sd_box(1, 1, width - 1, h, 3), down)
        ink = hexc("FFFFFF", 0.45 if state == DISABLED else 1.0)
        glyph(strip, ink, width / 2, h / 2 + 1)
    return skin(width, h, title_row, paint)


def glyph_minimise(img, ink, cx, cy):
    img.shape(sd_box(cx - 4.5, cy + 2, cx + 4.5, cy + 4), ink)


def glyph_maximise(img, ink, cx, cy):
    img.shape(ring(sd_box(cx - 4.5, cy - 4.5, cx + 4.5, cy + 4.5), 1.2), ink)
    img.shape(sd_box(cx - 4.5, cy - 4.5, cx + 4.5, cy - 2.5), ink)


def glyph_close(img, ink, cx, cy):
    img.shape(union(sd_segment(cx - 4, cy - 4, cx + 4, cy + 4, 0.8),
                    sd_segment(cx - 4, cy + 4, cx + 4, cy - 4, 0.8)), ink)


def light_on_blue(strip, box, state):
    """The hover and pressed looks of buttons that sit on the blue bands: a white veil with a
    brighter rim when lit, a dark veil when pressed."""
    if state == HOVER:
        strip.shape(box, hexc("FFFFFF", 0.22))
        strip.shape(ring(box, 1.0), hexc("FFFFFF", 0.45))
    elif state == PRESSED:
        strip.shape(box, hexc("0E4F96", 0.45))
        strip.shape(ring(box, 1.0), hexc("0B3F7A", 0.5))


def menu_button():
    """148: 85 x 204, six strips of 34 for the 60 x 34 menu buttons (white captions)."""
    w, h = 85, TITLE_H
    box = sd_box(2, 4, w - 2, h - 4, 4)
    return skin(w, h, title_row, lambda strip, state: light_on_blue(strip, box, state))


def toolbar_button(glyph):
    """151 .. 157: 32 x 180, six strips of 30 for the 32 x 30 toolbar buttons, drawn on the
    toolbar body (rows 4..33 of piece 147) so the normal strip blends with the band."""
    w, h = 32, 30

    def paint(strip, state):
        box = sd_box(1, 1, w - 1, h - 1, 3)
        if state == HOVER:
            strip.shape(box, PALE)
            strip.shape(ring(box, 1.0), hexc("7FB5EA"))
        elif state == PRESSED:
            strip.shape(box, hexc("B9D8F7"))
            strip.shape(ring(box, 1.0), hexc("5D9BDB"))
        icon = Image(24, 24)
        glyph(icon)
        if state == DISABLED:
            for p in icon.px:
                grey = 0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2]
                p[0] = p[1] = p[2] = grey
                p[3] *= 0.45
        shift = 1 if state == PRESSED else 0
        strip.paste(icon, 4 + shift, 3 + shift)
    return skin(w, h, lambda y: tool_row(y + 4), paint)


def search_button():
    """159: 112 x 204, six strips of 34 for the 80 x 34 "Search" button (black caption) on
    the search band; the raised face spans rows 7..27, level with the search box."""
    w, h = 112, SEARCH_H
    faces = {
        NORMAL: (hexc("FFFFFF"), hexc("D6E9FC"), hexc("6FA8E0")),
        DISABLED: (hexc("F6F6F6"), hexc("E9E9E9"), hexc("C4C4C4")),
        HOVER: (hexc("FFFFFF"), hexc("C2DFFB"), hexc("3F8FDD")),
        PRESSED: (hexc("B7D6F6"), hexc("D9EBFC"), hexc("2F7FD0")),
        FOCUSED: (hexc("FFFFFF"), hexc("D6E9FC"), hexc("2F7FD0")),
    }

    def paint(strip, state):
        top, bottom, edge = faces[state]
        box = sd_box(1, 6, w - 1, 29, 3)
        strip.shape(box, vgrad(top, bottom, 6, 29))
        strip.shape(ring(box, 1.0), edge)
        if state == FOCUSED:
            strip.shape(ring(sd_box(2.5, 7.5, w - 2.5, 27.5, 2), 1.0), hexc("9CC6F0"))
    return skin(w, h, search_row, paint)


# ---------------------------------------------------------------- quick bar and result list

BAR_W, BAR_H = 379, 39


def bar_row(y):
    if y == 0:
        return TITLE_SHINE
    if y >= BAR_H - 1:
        return TITLE_EDGE
    return mix(TITLE_TOP, TITLE_BOTTOM, (y - 1) / (BAR_H - 3))


def quick_bar():
    """165: 379 x 39, the quick bar's background: the mark, a white field behind the
    borderless search box (70, 13, 190 x 15) and a divider before the search button."""
    img = band(BAR_W, BAR_H, bar_row)
    glyph_tag(img, 26, 12, 6, body=WHITE)
    field = sd_box(63.5, 8.5, 263.5, 31.5, 4)
    img.shape(field, WHITE)
    img.shape(ring(field, 1.0), hexc("1766B8"))
    img.rect(266, 4, 267, 35, hexc("FFFFFF", 0.35))
    img.rect(347, 4, 348, 35, hexc("FFFFFF", 0.35))
    return img


def quick_search_button():
    """172: 78 x 234, six strips of 39 for the quick bar's 78 x 39 search button: a
    magnifier that lights up."""
    w, h = 78, BAR_H

    def paint(strip, state):
        light_on_blue(strip, sd_box(3, 4, w - 3, h - 4, 5), state)
        shift = 1 if state == PRESSED else 0
        ink = hexc("FFFFFF", 0.45 if state == DISABLED else 1.0)
        glyph_magnifier(strip, 24, w / 2 - 12 + shift, h / 2 - 12 + shift, ink)
    return skin(w, h, bar_row, paint)


def small_bar_button(glyph):
    """173, 174, 194: 12 x 90, six strips of 15 for the quick bar's small buttons at rows
    2..16 of the bar."""
    w, h = 12, 15

    def paint(strip, state):
        if state in (HOVER, PRESSED):
            strip.shape(sd_box(0, 1, w, h, 2), hexc("FFFFFF", 0.3 if state == HOVER else 0.15))
        ink = hexc("FFFFFF", 0.45 if state == DISABLED else 1.0)
        glyph(strip, ink, w / 2, h / 2 + 0.5)
    return skin(w, h, lambda y: bar_row(y + 2), paint)


def glyph_small_close(img, ink, cx, cy):
    img.shape(union(sd_segment(cx - 2.8, cy - 2.8, cx + 2.8, cy + 2.8, 0.75),
                    sd_segment(cx - 2.8, cy + 2.8, cx + 2.8, cy - 2.8, 0.75)), ink)


def glyph_up(img, ink, cx, cy):
    img.shape(sd_polygon([(cx - 4, cy + 2), (cx + 4, cy + 2), (cx, cy - 2.5)]), ink)


def glyph_down(img, ink, cx, cy):
    img.shape(sd_polygon([(cx - 4, cy - 2), (cx + 4, cy - 2), (cx, cy + 2.5)]), ink)


def result_frame():
    """176: 9 x 330, the result list's side (used on both sides, so it is symmetric: an
    outer blue line, a pale fill, an inner line next to the list).
    177 / 178: 379 x 10, its bottom and top edges."""
    side = Image(9, 330)
    side.fill_rows(lambda y: hexc("EAF4FE"))
    side.rect(0, 0, 1, 330, FRAME)
    side.rect(8, 0, 9, 330, hexc("BCD7F2"))
    top = Image(BAR_W, 10)
    top.fill_rows(lambda y: FRAME if y == 0 else mix(hexc("D9EBFC"), hexc("EAF4FE"), y / 9))
    top.rect(0, 0, 1, 10, FRAME)
    top.rect(BAR_W - 1, 0, BAR_W, 10, FRAME)
    top.rect(9, 9, BAR_W - 9, 10, hexc("BCD7F2"))
    bottom = Image(BAR_W, 10)
    bottom.fill_rows(lambda y: FRAME if y == 9 else hexc("EAF4FE"))
    bottom.rect(0, 0, 1, 10, FRAME)
    bottom.rect(BAR_W - 1, 0, BAR_W, 10, FRAME)
    bottom.rect(9, 0, BAR_W - 9, 1, hexc("BCD7F2"))
    return {176: side, 177: bottom, 178: top}


# ---------------------------------------------------------------- about banner and icons


def banner():
    """187: 360 x 72, the about box's banner."""
    img = band(360, 72, lambda y: mix(TITLE_TOP, TITLE_BOTTOM, y / 71))
    img.shape(sd_circle(330, 10, 70), hexc("FFFFFF", 0.07))
    icon = Image(48, 48)
    app_icon(icon, 48)
    img.paste(icon, 14, 12)
    draw_text(img, "Veldmark Quillon", 20, 76, 14, WHITE)
    draw_text(img, "Tag your files, find them again.", 11, 77, 44, hexc("FFFFFF", 0.85),
              "DejaVu-Sans")
    return img


def app_icon(img, s):
    """128: the program's icon: the white tag on a blue rounded square."""
    sc = s / 48
    img.shape(sd_box(2, 2, 46, 46, 9), vgrad(hexc("5AB6F9"), hexc("1A6CC6"), 2, 46), sc)
    img.shape(ring(sd_box(2.5, 2.5, 45.5, 45.5, 8.5), 1.0), hexc("FFFFFF", 0.35), sc)
    glyph_tag(img, s * 0.78, s * 0.11, s * 0.11, body=WHITE)


def folder_icon(kind):
    def paint(img, s):
        if kind == "root":
            glyph_folder(img, s, 0, 0, hexc("1F6FC4"), hexc("4FA6EE"), hexc("2A82D8"))
            glyph_tag(img, s * 0.5, s * 0.42, s * 0.4, body=WHITE)
        elif kind == "open":
            glyph_folder(img, s, 0, 0, hexc("4B9DE6"), hexc("BFE2FD"), hexc("7CC0F8"), open_=True)
        else:
            glyph_folder(img, s, 0, 0, hexc("4B9DE6"), hexc("A6D6FB"), hexc("64B3F4"))
    return paint


def icon(painter, sizes=(16, 32, 48)):
    out = []
    for s in sizes:
        img = Image(s, s)
        painter(img, s)
        out.append(img)
    return out


def tool_glyph(kind):
    def paint(img):
        if kind == "add-file":
            glyph_document(img, 24, 0, 0)
            glyph_plus_badge(img, 24, 0, 0)
        elif kind == "add-folder":
            glyph_folder(img, 24, 0, 0, hexc("4B9DE6"), hexc("A6D6FB"), hexc("64B3F4"))
            glyph_plus_badge(img, 24, 0, 0)
        elif kind == "edit-tags":
            glyph_tag(img, 24, 0, 0, body=BLUE, hole=WHITE)
            glyph_pencil(img, 22, 3, 2)
        elif kind == "open":
            glyph_folder(img, 24, 0, 0, hexc("4B9DE6"), hexc("BFE2FD"), hexc("7CC0F8"), open_=True)
        elif kind == "help":
            glyph_help(img, 24, 0, 0)
    return paint


# ---------------------------------------------------------------- catalogue of resources


def bitmaps():
    out = main_skin()
    out[138] = caption_button(22, glyph_maximise)          # maximise, 22 x 120
    out[139] = caption_button(23, glyph_close, True)       # close, 23 x 120
    out[140] = caption_button(22, glyph_minimise)          # minimise, 22 x 120
    out[148] = menu_button()                               # menu buttons, 85 x 204
    out[151] = toolbar_button(tool_glyph("add-file"))      # 32 x 180 each
    out[152] = toolbar_button(tool_glyph("add-folder"))
    out[153] = toolbar_button(tool_glyph("edit-tags"))
    out[154] = toolbar_button(tool_glyph("open"))
    out[157] = toolbar_button(tool_glyph("help"))
    out[159] = search_button()                             # "Search", 112 x 204
    out[165] = quick_bar()                                 # 379 x 39
    out[172] = quick_search_button()                       # 78 x 234
    out[173] = small_bar_button(glyph_small_close)         # hide, 12 x 90
    out[174] = small_bar_button(glyph_up)                  # results hidden: opens them, 12 x 90
    out[194] = small_bar_button(glyph_down)                # results shown: closes them, 12 x 90
    out.update(result_frame())                             # 176, 177, 178
    out[187] = banner()                                    # 360 x 72
    return out


def icons():
    return {
        128: icon(app_icon),
        161: icon(folder_icon("closed")),   # tree image 2: a folder
        162: icon(folder_icon("root")),     # tree image 0: the root folder
        163: icon(folder_icon("open")),     # tree image 1: the selected folder
    }


def contact_sheet(path, files):
    """One PNG with every piece (wide bands cropped), for looking at the set."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    tiles = []
    for f in files:
        label = os.path.basename(f)
        tiles += ["-label", label, f if f.endswith(".bmp") else f + "[2]"]
    subprocess.run(["montage", "-font", "DejaVu-Sans", "-background", "#F0F0F0",
                    "-geometry", "+6+6", "-tile", "6x",
                    "-crop", "400x260+0+0", "+repage"] + tiles + [path], check=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--sheet", help="also write a contact sheet PNG here")
    args = parser.parse_args()
    os.makedirs(ART, exist_ok=True)
    lines = ["// Generated by tools/make-artwork.py: every bitmap and icon of the program.", ""]
    written = []
    for rid, img in sorted(bitmaps().items()):
        name = "bmp%d.bmp" % rid
        write_bmp(os.path.join(ART, name), img)
        lines.append('%d BITMAP "art/%s"' % (rid, name))
        written.append(os.path.join(ART, name))
    for rid, imgs in sorted(icons().items()):
        name = "icon%d.ico" % rid
        write_ico(os.path.join(ART, name), imgs)
        lines.append('%d ICON "art/%s"' % (rid, name))
        written.append(os.path.join(ART, name))
    with open(os.path.join(ART, "artwork.rc"), "w") as f:
        f.write("\n".join(lines) + "\n")
    if args.sheet:
        contact_sheet(args.sheet, written)
    return 0


if __name__ == "__main__":
    sys.exit(main())
