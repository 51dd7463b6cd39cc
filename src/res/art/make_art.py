#!/usr/bin/env python3
"""Draws Ralimet's launcher artwork and application icons.

Writes, relative to src/res/:
  bitmaps/<id>.bmp   the panel and the 36 button faces, twice: the blue set (144...197) and the
                     sand set (1144...1197), all 8-bit with one shared 256-colour table per set
  bitmaps.rc         the resource lines for those bitmaps
  icons/ralimet.ico  the program's icon; icons/document.ico, its document variant

Debian packages: python3-pil python3-numpy libraqm0 fonts-noto-core
Run it with Debian's own interpreter: /usr/bin/python3 src/res/art/make_art.py [--preview DIR]
"""

import argparse
import io
import math
import os
import struct

from art_harness import require_tools

PACKAGES = "python3-pil python3-numpy libraqm0 fonts-noto-core"
FONT_DIR = "/usr/share/fonts/truetype/noto"
FONTS = {
    "caption": "NotoSansArabic-Bold.ttf",  # captions of every face
    "subtitle": "NotoKufiArabic-Bold.ttf",  # the Arabic line under the title
    "title": "NotoSansDisplay-Bold.ttf",  # the Latin name in the title band
}

require_tools("make_art.py", PACKAGES, raqm=True,
              fonts=[os.path.join(FONT_DIR, f) for f in FONTS.values()])

import numpy as np  # noqa: E402
from PIL import Image, ImageDraw, ImageFilter, ImageFont  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)
SS = 4  # supersampling of drawn shapes

# The scale being drawn: the design's figures are pixels at 96 DPI (100 %), drawn K times as
# large. At 1 every figure passes through untouched, so the 100 % pictures stay as they were.
K = 1


def S(v):
    """A design position in whole pixels at the scale drawn, rounded half up as the program
    rounds its rectangles, so that a face drawn here covers the place the program gives it."""
    return v if K == 1 else math.floor(v * K + 0.5)


def F(v):
    """A design length at the scale drawn, unrounded: for shapes drawn supersampled."""
    return v if K == 1 else v * K

# ---------------------------------------------------------------------------------------------
# Colour schemes. Both sets are drawn from the same shapes; only these colours differ, and the
# two colour tables come out of one joint quantisation so the pixel indices are shared.

BLUE = dict(
    ink=(20, 44, 72),            # captions and icon outlines
    frame=(24, 46, 74),          # outer frame of the panel
    title_top=(12, 38, 70), title_bot=(20, 92, 120),
    title_text=(255, 255, 255), title_sub=(172, 226, 236), title_tick=(150, 210, 226),
    accent=(74, 200, 214),
    body_top=(220, 230, 240), body_bot=(184, 202, 220),
    tray=(150, 172, 196), tray_dark=(60, 84, 112),
    bar_top=(204, 218, 232), bar_bot=(176, 196, 216),
    hi=(255, 255, 255), shadow=(124, 146, 170), dkshadow=(40, 62, 90),
    tile_top=(240, 245, 250), tile_bot=(204, 218, 233), tile_edge=(132, 154, 178),
    hot_top=(214, 234, 248), hot_bot=(158, 196, 228),
    down_top=(184, 202, 222), down_bot=(208, 222, 238),
    plate_top=(255, 255, 255), plate_bot=(220, 231, 242), plate_edge=(98, 124, 152),
    plate_hot_top=(255, 255, 255), plate_hot_bot=(230, 240, 250),
    plate_down_top=(198, 212, 228), plate_down_bot=(226, 235, 245),
    btn_top=(238, 244, 250), btn_bot=(200, 214, 230),
    btn_down_top=(190, 206, 224), btn_down_bot=(214, 226, 240),
)

SAND = dict(
    ink=(64, 38, 14),
    frame=(70, 42, 18),
    title_top=(60, 34, 14), title_bot=(142, 90, 40),
    title_text=(255, 248, 232), title_sub=(242, 212, 156), title_tick=(236, 198, 132),
    accent=(230, 172, 78),
    body_top=(242, 232, 212), body_bot=(218, 198, 164),
    tray=(190, 164, 124), tray_dark=(104, 72, 38),
    bar_top=(234, 220, 194), bar_bot=(212, 190, 152),
    hi=(255, 253, 246), shadow=(170, 140, 100), dkshadow=(84, 56, 26),
    tile_top=(252, 247, 236), tile_bot=(232, 214, 182), tile_edge=(176, 146, 104),
    hot_top=(255, 240, 210), hot_bot=(236, 196, 132),
    down_top=(222, 200, 162), down_bot=(238, 222, 192),
    plate_top=(255, 254, 250), plate_bot=(240, 228, 204), plate_edge=(150, 112, 66),
    plate_hot_top=(255, 255, 252), plate_hot_bot=(248, 238, 218),
    plate_down_top=(226, 208, 176), plate_down_bot=(244, 234, 214),
    btn_top=(252, 246, 234), btn_bot=(228, 210, 176),
    btn_down_top=(220, 198, 158), btn_down_bot=(238, 224, 196),
)

# Icon colours that carry meaning (sky, fire, grass, gold) are kept in both sets; the rest
# follow the scheme.
ICON_BLUE = dict(
    paper=(255, 255, 255), paper2=(232, 238, 244), grid=(150, 170, 190),
    red=(214, 64, 58), red2=(240, 120, 110), gold=(232, 168, 40), gold2=(250, 212, 110),
    green=(86, 170, 84), green2=(178, 222, 160), sky=(52, 134, 212), sky2=(132, 192, 240),
    wood=(150, 96, 48), wood2=(196, 140, 80), sand=(232, 178, 72),
    glass=(214, 236, 248), cloth=(40, 150, 170), cloth2=(110, 200, 210),
    ruler=(246, 198, 74), ruler2=(252, 230, 150), brass=(206, 156, 52), brass2=(244, 212, 120),
    steel=(110, 126, 144), water=(70, 150, 220), water2=(150, 204, 244),
)
ICON_SAND = dict(ICON_BLUE, paper2=(244, 236, 222), grid=(190, 168, 132),
                 cloth=(170, 78, 52), cloth2=(226, 140, 104), steel=(130, 112, 90))

PANEL_W, PANEL_H = 290, 389
FACE_W, FACE_H = 135, 50
SMALL_W, SMALL_H = 122, 25

# (normal, highlighted, pressed) bitmap ids, caption, icon, top-left on the panel
BUTTONS = [
    ((159, 176, 177), "المساحة", "area", (10, 90)),
    ((160, 178, 179), "التاريخ", "date", (10, 140)),
    ((162, 180, 192), "الملبوسات", "clothing", (10, 190)),
    ((165, 182, 183), "السرعة", "speed", (10, 240)),
    ((169, 186, 187), "التوقيت", "world", (10, 290)),
    ((163, 181, 193), "الطول", "length", (145, 90)),
    ((149, 146, 148), "الزمن", "duration", (145, 140)),
    ((166, 184, 185), "الحرارة", "temperature", (145, 190)),
    ((167, 188, 189), "الحجم", "volume", (145, 240)),
    ((168, 190, 191), "الوزن", "weight", (145, 290)),
    ((170, 194, 197), "نبذة عن", None, (15, 353)),
    ((171, 195, 196), "خروج", None, (153, 353)),
]
PANEL_ID = 144
ALT = 1000
ALL_IDS = [PANEL_ID] + [i for b in BUTTONS for i in b[0]]
# The scales drawn, in percent; 100 % are bitmaps, the others PNG.
SCALES = (100, 125, 150, 175, 200)


def resource_id(percent, bitmap_id):
    """A picture's resource id: its bitmap's id at 100 %, else the percentage times 100 plus it."""
    return bitmap_id if percent == 100 else percent * 100 + bitmap_id
STATES = ("normal", "hot", "down")

# ---------------------------------------------------------------------------------------------
# Raster helpers: images are float arrays (h, w, 3) in 0..255, masks float (h, w) in 0..1.


def vgrad(h, w, top, bot):
    t = np.linspace(0.0, 1.0, h)[:, None, None]
    return np.broadcast_to(np.array(top, float) * (1 - t) + np.array(bot, float) * t, (h, w, 3)).copy()


def put(img, mask, colour, x=0, y=0):
    """Blends colour (a triple or an image the size of the mask) through mask at (x, y)."""
    h, w = mask.shape
    x0, y0 = max(x, 0), max(y, 0)
    x1, y1 = min(x + w, img.shape[1]), min(y + h, img.shape[0])
    if x0 >= x1 or y0 >= y1:
        return
    m = mask[y0 - y:y1 - y, x0 - x:x1 - x][..., None]
    c = np.array(colour, float)
    if c.ndim == 3:
        c = c[y0 - y:y1 - y, x0 - x:x1 - x]
    img[y0:y1, x0:x1] = img[y0:y1, x0:x1] * (1 - m) + c * m


def rr_mask(w, h, x0, y0, x1, y1, r):
    """Coverage of the rounded rectangle [x0, x1) x [y0, y1) (pixel edges) on a w x h grid."""
    im = Image.new("L", (w * SS, h * SS), 0)
    d = ImageDraw.Draw(im)
    if x1 <= x0 or y1 <= y0:
        return np.zeros((h, w))
    d.rounded_rectangle((x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1), radius=max(r, 0) * SS, fill=255)
    return np.asarray(im.resize((w, h), Image.BOX), float) / 255.0


def edge_sides(w, h, x0, y0, x1, y1):
    """1 where a pixel is nearer the top or left edge of the box than the bottom or right."""
    ys, xs = np.mgrid[0:h, 0:w]
    dt, dl = ys - y0, xs - x0
    db, dr = (y1 - 1) - ys, (x1 - 1) - xs
    return (np.minimum(dt, dl) < np.minimum(db, dr)).astype(float)


def bevel(img, x0, y0, x1, y1, r, rings, fill):
    """Draws a box made of rings from the outside in, each (width, colour) or
    (width, top-left colour, bottom-right colour), then the fill (colour or (top, bottom))."""
    h, w = img.shape[:2]
    side = edge_sides(w, h, x0, y0, x1, y1)
    inset = 0
    r = F(r)
    rings = [(max(1, S(ring[0])),) + tuple(ring[1:]) for ring in rings]
    outer = rr_mask(w, h, x0, y0, x1, y1, r)
    for ring in rings:
        width = ring[0]
        inner = rr_mask(w, h, x0 + inset + width, y0 + inset + width, x1 - inset - width,
                        y1 - inset - width, r - inset - width)
        m = np.clip(outer - inner, 0, 1)
        if len(ring) == 2:
            put(img, m, ring[1])
        else:
            put(img, m * side, ring[1])
            put(img, m * (1 - side), ring[2])
        inset += width
        outer = inner
    if fill is not None:
        if len(fill) == 2 and not isinstance(fill[0], (int, float)):
            gy0, gy1 = y0 + inset, y1 - inset
            t = np.clip((np.arange(h) - gy0) / max(gy1 - gy0 - 1, 1), 0, 1)[:, None, None]
            g = np.array(fill[0], float) * (1 - t) + np.array(fill[1], float) * t
            put(img, outer, np.broadcast_to(g, (h, w, 3)))
        else:
            put(img, outer, fill)


def font(kind, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, FONTS[kind]), size,
                              layout_engine=ImageFont.Layout.RAQM)


def text_mask(text, kind, size, rtl=True):
    """Renders a line at its final size (FreeType hinting keeps it crisp); returns the mask and
    the baseline's row inside it. Arabic goes through raqm, which shapes and joins it."""
    f = font(kind, size)
    pad = size
    kw = dict(direction="rtl", language="ar") if rtl else {}
    l, t, r, b = f.getbbox(text, anchor="ls", **kw)
    w, h = r - l + 2 * pad, b - t + 2 * pad
    im = Image.new("L", (w, h), 0)
    ImageDraw.Draw(im).text((pad - l, pad - t), text, font=f, fill=255, anchor="ls", **kw)
    m = np.asarray(im, float) / 255.0
    ys, xs = np.nonzero(m > 0.02)
    m = m[ys.min():ys.max() + 1, xs.min():xs.max() + 1]
    return m, (pad - t) - ys.min()


def dilate(mask, radius):
    im = Image.fromarray((mask * 255).astype(np.uint8))
    out = im.filter(ImageFilter.MaxFilter(2 * radius + 1))
    return np.asarray(out, float) / 255.0


def blur(mask, radius):
    im = Image.fromarray((np.clip(mask, 0, 1) * 255).astype(np.uint8))
    return np.asarray(im.filter(ImageFilter.GaussianBlur(radius)), float) / 255.0


def padded(mask, p):
    return np.pad(mask, p)


# ---------------------------------------------------------------------------------------------
# Icons: drawn on a 34 x 34 pixel square at SS times the size, in one style: flat fills, a
# 1.25-pixel ink outline, light from the top left.

ICON = 34
STROKE = 1.25


class Pen:
    def __init__(self, size, ink):
        self.n = S(size)
        self.f = F(SS)  # supersampled pixels per design pixel
        self.im = Image.new("RGBA", (self.n * SS, self.n * SS), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.im)
        self.ink = ink

    @staticmethod
    def c(col, a=255):
        return tuple(col) + (a,)

    def p(self, pts):
        return [(x * self.f, y * self.f) for x, y in pts]

    def box(self, b):
        return [b[0] * self.f, b[1] * self.f, b[2] * self.f - 1, b[3] * self.f - 1]

    def poly(self, pts, fill, outline=True, width=STROKE):
        self.d.polygon(self.p(pts), fill=self.c(fill) if fill else None)
        if outline:
            self.d.line(self.p(list(pts) + [pts[0], pts[1]]), fill=self.c(self.ink),
                        width=round(width * self.f), joint="curve")

    def rect(self, b, fill, outline=True, r=0, width=STROKE):
        self.d.rounded_rectangle(self.box(b), radius=r * self.f, fill=self.c(fill) if fill else None,
                                 outline=self.c(self.ink) if outline else None,
                                 width=round(width * self.f) if outline else 0)

    def ellipse(self, b, fill, outline=True, width=STROKE):
        self.d.ellipse(self.box(b), fill=self.c(fill) if fill else None,
                       outline=self.c(self.ink) if outline else None,
                       width=round(width * self.f) if outline else 0)

    def line(self, pts, col=None, width=STROKE, a=255):
        self.d.line(self.p(pts), fill=self.c(col or self.ink, a), width=max(1, round(width * self.f)),
                    joint="curve")

    def dot(self, x, y, r, col=None):
        f = self.f
        self.d.ellipse([(x - r) * f, (y - r) * f, (x + r) * f, (y + r) * f], fill=self.c(col or self.ink))

    def arc(self, b, a0, a1, col=None, width=STROKE):
        self.d.arc(self.box(b), a0, a1, fill=self.c(col or self.ink), width=max(1, round(width * self.f)))

    def pieslice(self, b, a0, a1, col):
        self.d.pieslice(self.box(b), a0, a1, fill=self.c(col))

    def done(self):
        """Downsamples with premultiplied alpha; returns (rgb image, alpha mask)."""
        a = np.asarray(self.im, float)
        alpha = a[..., 3:4] / 255.0
        pre = Image.fromarray(np.concatenate([a[..., :3] * alpha, a[..., 3:4]], 2).astype(np.uint8), "RGBA")
        small = np.asarray(pre.resize((self.n, self.n), Image.BOX), float)
        al = small[..., 3] / 255.0
        rgb = np.where(al[..., None] > 0, small[..., :3] / np.maximum(al[..., None], 1e-6), 0)
        return np.clip(rgb, 0, 255), al


def icon_area(p, k):
    # a plot on a grid, measured along two sides
    p.rect((2.5, 2.5, 26.5, 26.5), k["green2"], outline=False)
    p.rect((2.5, 2.5, 14.5, 14.5), k["green"], outline=False)
    for i in (1, 2, 3):
        v = 2.5 + 6 * i
        p.line([(v, 2.5), (v, 26.5)], k["ink_soft"], 1.0)
        p.line([(2.5, v), (26.5, v)], k["ink_soft"], 1.0)
    p.rect((2.5, 2.5, 26.5, 26.5), None)
    for a, b, horiz in (((3, 31), (26, 31), True), ((31, 3), (31, 26), False)):
        p.line([a, b], width=1.1)
        if horiz:
            p.poly([(2.5, 31), (6, 29), (6, 33)], p.ink, outline=False)
            p.poly([(26.5, 31), (23, 29), (23, 33)], p.ink, outline=False)
        else:
            p.poly([(31, 2.5), (29, 6), (33, 6)], p.ink, outline=False)
            p.poly([(31, 26.5), (29, 23), (33, 23)], p.ink, outline=False)


def icon_date(p, k):
    # a calendar sheet with the crescent of the Hijri month
    p.rect((3, 5, 31, 32), k["paper"], r=2.5)
    p.rect((3, 5, 31, 13), k["red"], r=2.5)
    p.rect((3.6, 10, 30.4, 13), k["red"], outline=False)
    p.line([(3.5, 13), (30.5, 13)], width=1.0)
    for x in (10, 24):
        p.rect((x - 1.6, 2, x + 1.6, 8.5), k["paper2"], r=1.5, width=1.0)
    for row in range(3):
        for col in range(2):
            x = 6.5 + col * 5
            y = 16.5 + row * 5
            p.rect((x, y, x + 3, y + 3), k["grid"], outline=False)
    # crescent: a gold disc with a paper-coloured disc cut from it
    p.ellipse((15.5, 15.5, 29, 29), k["gold"], outline=False)
    p.ellipse((19, 14.5, 30.5, 26.5), k["paper"], outline=False)
    p.dot(26.5, 26.5, 1.2, k["gold"])


def icon_clothing(p, k):
    # a shirt
    shirt = [(11, 4), (14, 4), (17, 7.5), (20, 4), (23, 4), (31, 9), (28, 15.5), (25, 13.5),
             (25, 31), (9, 31), (9, 13.5), (6, 15.5), (3, 9)]
    p.poly(shirt, k["cloth"])
    p.poly([(11.2, 5), (14, 5), (17, 8.5), (20, 5), (22.8, 5), (17, 11.5)], k["cloth2"], outline=False)
    p.line([(14, 4.2), (17, 10.5), (20, 4.2)], width=1.1)
    p.line([(17, 10.5), (17, 30)], k["ink_soft"], 0.9)
    for y in (15, 20, 25):
        p.dot(17, y, 0.9, k["paper"])
    p.line([(25, 13.5), (25, 18)], width=1.0)
    p.line([(9, 13.5), (9, 18)], width=1.0)


def icon_speed(p, k):
    # a speedometer dial
    cx, cy, r = 17, 19, 14.5
    p.ellipse((cx - r, cy - r, cx + r, cy + r), k["paper"])
    rb = r - 3
    for a0, a1, col in ((150, 210, "green"), (210, 300, "gold"), (300, 390, "red")):
        p.arc((cx - rb, cy - rb, cx + rb, cy + rb), a0, a1, k[col], 2.6)
    for i in range(9):
        ang = math.radians(150 + i * 30)
        r0 = r - 5.5 if i % 2 == 0 else r - 4.6
        p.line([(cx + r0 * math.cos(ang), cy + r0 * math.sin(ang)),
                (cx + (r - 7.4) * math.cos(ang), cy + (r - 7.4) * math.sin(ang))], width=0.9)
    ang = math.radians(315)
    tip = (cx + (r - 4) * math.cos(ang), cy + (r - 4) * math.sin(ang))
    nx, ny = -math.sin(ang) * 1.6, math.cos(ang) * 1.6
    p.poly([(cx + nx, cy + ny), tip, (cx - nx, cy - ny)], k["red"], outline=False)
    p.dot(cx, cy, 2.6)
    p.dot(cx, cy, 1.0, k["paper2"])
    p.rect((cx - 5, cy + 6, cx + 5, cy + 10), k["paper2"], r=1, width=0.9)


def icon_world(p, k):
    # a globe with a clock in front of it
    cx, cy, r = 14, 14, 12
    p.ellipse((cx - r, cy - r, cx + r, cy + r), k["sky"], outline=False)
    land = [[(6, 7), (11, 4.5), (14, 7), (12, 10), (13, 14), (9, 17), (7, 13), (4, 12)],
            [(16, 13), (21, 12), (24, 15), (22, 20), (19, 24), (17, 19)],
            [(17, 4), (22, 5), (20, 8)]]
    for poly in land:
        p.poly(poly, k["green"], outline=False)
    p.arc((cx - r * 0.45, cy - r, cx + r * 0.45, cy + r), 0, 360, k["sky2"], 0.9)
    p.line([(cx, cy - r), (cx, cy + r)], k["sky2"], 0.9)
    p.line([(cx - r, cy), (cx + r, cy)], k["sky2"], 0.9)
    p.ellipse((cx - r, cy - r, cx + r, cy + r), None)
    ccx, ccy, cr = 24.5, 24.5, 8.5
    p.ellipse((ccx - cr - 1.2, ccy - cr - 1.2, ccx + cr + 1.2, ccy + cr + 1.2), k["paper2"], outline=False)
    p.ellipse((ccx - cr, ccy - cr, ccx + cr, ccy + cr), k["paper"])
    for i in range(4):
        a = math.radians(i * 90)
        p.line([(ccx + (cr - 1.5) * math.cos(a), ccy + (cr - 1.5) * math.sin(a)),
                (ccx + (cr - 3.2) * math.cos(a), ccy + (cr - 3.2) * math.sin(a))], width=1.0)
    p.line([(ccx, ccy), (ccx, ccy - 5.2)], width=1.3)
    p.line([(ccx, ccy), (ccx + 3.6, ccy + 1.4)], k["red"], 1.3)
    p.dot(ccx, ccy, 1.2)


def icon_length(p, k):
    # a ruler laid across the square
    ang = math.radians(-40)
    ux, uy = math.cos(ang), math.sin(ang)
    vx, vy = -uy, ux
    cx, cy, half, wid = 17, 17.5, 19.5, 5.5

    def at(s, t):
        return (cx + ux * s + vx * t, cy + uy * s + vy * t)

    p.poly([at(-half, -wid), at(half, -wid), at(half, wid), at(-half, wid)], k["ruler"])
    p.poly([at(-half + 0.8, -wid + 0.8), at(half - 0.8, -wid + 0.8), at(half - 0.8, -wid + 2.2),
            at(-half + 0.8, -wid + 2.2)], k["ruler2"], outline=False)
    for i in range(-7, 8):
        s = i * 2.5
        ln = 4.2 if i % 2 == 0 else 2.4
        p.line([at(s, wid - 0.6), at(s, wid - 0.6 - ln)], width=1.0)


def icon_duration(p, k):
    # an hourglass, most of the sand already run through
    p.poly([(9, 7), (25, 7), (25, 9), (19.2, 16.3), (19.2, 17.7), (25, 25), (25, 27), (9, 27),
            (9, 25), (14.8, 17.7), (14.8, 16.3), (9, 9)], k["glass"])
    p.poly([(12.3, 11.5), (21.7, 11.5), (18.2, 15.6), (15.8, 15.6)], k["sand"], outline=False)
    p.poly([(10.4, 25.9), (23.6, 25.9), (22.5, 23.2), (17, 19.8), (11.5, 23.2)], k["sand"], outline=False)
    p.line([(17, 16), (17, 21)], k["sand"], 1.0)
    p.rect((5, 3, 29, 7.5), k["wood"], r=1.5)
    p.rect((5, 26.5, 29, 31), k["wood"], r=1.5)
    p.line([(6.8, 4.6), (27.2, 4.6)], k["wood2"], 0.9)
    p.line([(6.8, 28.1), (27.2, 28.1)], k["wood2"], 0.9)


def icon_temperature(p, k):
    # a thermometer and its scale
    cx = 13.5
    p.rect((cx - 4, 2.5, cx + 4, 25), k["paper"], r=4)
    p.ellipse((cx - 7, 20.5, cx + 7, 34.5 - 0.5), k["red"])
    p.rect((cx - 4 + STROKE, 20, cx + 4 - STROKE, 25), k["paper"], outline=False)
    p.rect((cx - 1.8, 11, cx + 1.8, 26), k["red"], outline=False)
    p.ellipse((cx - 5.6, 21.9, cx + 5.6, 33.1 - 0.5), k["red"], outline=False)
    p.line([(cx - 4.3, 20.3), (cx - 4.3, 6.5)], width=STROKE)
    p.line([(cx + 4.3, 20.3), (cx + 4.3, 6.5)], width=STROKE)
    p.dot(cx - 2.4, 25.2, 1.5, k["red2"])
    for i, y in enumerate((5.5, 9, 12.5, 16, 19.5)):
        p.line([(cx + 7, y), (cx + (12 if i % 2 == 0 else 10), y)], width=1.1)


def icon_volume(p, k):
    # a measuring flask, half full
    p.poly([(13, 3), (21, 3), (21, 4.5), (20, 4.5), (20, 13), (29.5, 28.5), (29.5, 30.5),
            (27.5, 32), (6.5, 32), (4.5, 30.5), (4.5, 28.5), (14, 13), (14, 4.5), (13, 4.5)], None)
    p.poly([(10.8, 20.5), (23.2, 20.5), (28.6, 29), (28.6, 30.1), (27.2, 31.1), (6.8, 31.1),
            (5.4, 30.1), (5.4, 29)], k["water"], outline=False)
    p.line([(11.8, 21.6), (22.2, 21.6)], k["water2"], 1.0)
    p.poly([(13, 3), (21, 3), (21, 4.5), (20, 4.5), (20, 13), (29.5, 28.5), (29.5, 30.5),
            (27.5, 32), (6.5, 32), (4.5, 30.5), (4.5, 28.5), (14, 13), (14, 4.5), (13, 4.5)], None)
    for y, ln in ((16, 3.5), (20.5, 5), (25, 3.5)):
        x0 = 14 - (y - 13) * 9.5 / 15.5 + 1.6
        p.line([(x0, y), (x0 + ln, y)], width=1.0)


def icon_weight(p, k):
    # a balance
    p.poly([(11, 31), (23, 31), (20, 27.5), (14, 27.5)], k["brass"])
    p.rect((15.6, 6, 18.4, 28), k["brass"], width=1.0)
    p.line([(3.5, 8.5), (30.5, 8.5)], width=2.0)
    p.dot(17, 5.5, 2.2, k["brass2"])
    p.ellipse((14.6, 3.1, 19.4, 7.9), None, width=1.0)
    for x in (6, 28):
        p.line([(x, 8.5), (x - 4.2, 19.5)], width=0.9)
        p.line([(x, 8.5), (x + 4.2, 19.5)], width=0.9)
        p.d.chord(p.box((x - 5.5, 14.5, x + 5.5, 24.5)), 0, 180, fill=p.c(k["brass2"]),
                  outline=p.c(p.ink), width=round(1.1 * p.f))
    p.dot(6, 8.5, 1.3)
    p.dot(28, 8.5, 1.3)


ICONS = dict(area=icon_area, date=icon_date, clothing=icon_clothing, speed=icon_speed,
             world=icon_world, length=icon_length, duration=icon_duration,
             temperature=icon_temperature, volume=icon_volume, weight=icon_weight)


def draw_icon(name, theme, colours):
    k = dict(colours)
    k["ink_soft"] = tuple(int(a * 0.55 + b * 0.45) for a, b in zip(theme["ink"], (255, 255, 255)))
    p = Pen(ICON, theme["ink"])
    ICONS[name](p, k)
    return p.done()


# ---------------------------------------------------------------------------------------------
# Captions: one baseline for every face of a size, so that neighbours line up.

FACE_CAPTION_PX = 15
SMALL_CAPTION_PX = 13


class Captions:
    def __init__(self, kind, size, texts, height, lift=0.0):
        self.masks = {t: text_mask(t, kind, size) for t in texts}
        above = max(base for m, base in self.masks.values())
        below = max(m.shape[0] - base for m, base in self.masks.values())
        # centre the band from the highest dot to the deepest tail; lift moves it up a little,
        # as the eye centres on the body of the letters, which sits near the baseline
        self.baseline = int((height - (above + below)) / 2 - lift) + above

    def place(self, text, cx):
        m, base = self.masks[text]
        return m, round(cx - m.shape[1] / 2), self.baseline - base


def draw_caption(img, caps, text, cx, ink, halo=None, dx=0, dy=0):
    m, x, y = caps.place(text, cx)
    if halo is not None:
        p = S(2)
        mp = padded(m, p)
        ring = np.clip(dilate(mp, S(1)) + 0.45 * dilate(mp, S(2)), 0, 1)
        put(img, ring, halo, x - p + dx, y - p + dy)
    put(img, m, ink, x + dx, y + dy)


# ---------------------------------------------------------------------------------------------
# Faces


def face_big(theme, icolours, caps, text, icon, state, size):
    t = theme
    w, h = size
    top, bot = {"normal": ("tile_top", "tile_bot"), "hot": ("hot_top", "hot_bot"),
                "down": ("down_top", "down_bot")}[state]
    img = vgrad(h, w, t[top], t[bot])
    # the cell: light top and left, dark bottom and right, so stacked cells read as a groove
    bevel(img, 0, 0, w, h, 0, [(1, t["hi"], t["tile_edge"])], None)
    px0, py0, px1, py1 = S(86), S(3), S(130), S(47)
    if state == "normal":
        sh = rr_mask(w, h, px0 + S(1), py0 + S(1), px1 + S(1), py1 + S(1), F(4))
        put(img, sh * 0.35, t["dkshadow"])
        bevel(img, px0, py0, px1, py1, 3,
              [(1, t["plate_edge"]), (1, t["hi"], t["shadow"])], (t["plate_top"], t["plate_bot"]))
        off = 0
    elif state == "hot":
        sh = blur(rr_mask(w, h, px0 + S(2), py0 + S(2), px1 + S(2), py1 + S(2), F(4)), F(1.0))
        put(img, sh * 0.5, t["dkshadow"])
        bevel(img, px0, py0, px1, py1, 3,
              [(1, t["dkshadow"]), (2, t["hi"], t["shadow"])], (t["plate_hot_top"], t["plate_hot_bot"]))
        off = 0
    else:
        bevel(img, px0, py0, px1, py1, 3,
              [(1, t["dkshadow"]), (2, t["shadow"], t["hi"])], (t["plate_down_top"], t["plate_down_bot"]))
        off = S(2)
    rgb, al = draw_icon(icon, theme, icolours)
    ix = px0 + (px1 - px0 - S(ICON)) // 2 + off
    iy = py0 + (py1 - py0 - S(ICON)) // 2 + off
    put(img, al, rgb, ix, iy)
    cx = (S(3) + px0 - S(1)) / 2
    draw_caption(img, caps, text, cx, t["ink"], halo=t["hi"] if state == "hot" else None)
    return img


def face_small(theme, caps, text, state, size):
    t = theme
    w, h = size
    if state == "normal":
        img = vgrad(h, w, t["btn_top"], t["btn_bot"])
        bevel(img, 0, 0, w, h, 0, [(1, t["hi"], t["dkshadow"]), (1, t["btn_top"], t["shadow"])], None)
        d = 0
    elif state == "hot":
        img = vgrad(h, w, t["btn_top"], t["btn_bot"])
        bevel(img, 0, 0, w, h, 0, [(1, t["frame"]), (1, t["hi"], t["dkshadow"]),
                                   (1, t["btn_top"], t["shadow"])], None)
        d = 0
    else:
        img = vgrad(h, w, t["btn_down_top"], t["btn_down_bot"])
        bevel(img, 0, 0, w, h, 0, [(1, t["frame"]), (1, t["shadow"], t["hi"])], None)
        d = S(1)
    if state != "normal":
        # dotted focus rectangle, every other pixel, as the system draws it
        fx0, fy0, fx1, fy1 = S(3), S(3), w - S(4), h - S(4)
        m = np.zeros((h, w))
        for x in range(fx0, fx1 + 1):
            for y in (fy0, fy1):
                if (x + y) % 2 == 0:
                    m[y, x] = 1
        for y in range(fy0, fy1 + 1):
            for x in (fx0, fx1):
                if (x + y) % 2 == 0:
                    m[y, x] = 1
        put(img, m, t["ink"])
    draw_caption(img, caps, text, w / 2, t["ink"], dx=d, dy=d)
    return img


# ---------------------------------------------------------------------------------------------
# The panel and the program's emblem (also the icon)


def emblem(size, tile_top, tile_bot, light, needle, ruler, detail=True):
    """The gauge-and-ruler emblem as an RGBA array of size x size (alpha in 0..1)."""
    n = size * SS
    im = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    u = n / 256.0
    # tile with a vertical gradient, clipped to a rounded square
    grad = Image.fromarray(vgrad(n, n, tile_top, tile_bot).astype(np.uint8))
    shape = Image.new("L", (n, n), 0)
    m = 8 * u if size > 16 else 4 * u
    ImageDraw.Draw(shape).rounded_rectangle((m, m, n - m - 1, n - m - 1), radius=46 * u, fill=255)
    im.paste(grad, (0, 0), shape)
    # a soft sheen on the upper half
    sheen = Image.new("L", (n, n), 0)
    ImageDraw.Draw(sheen).ellipse((-60 * u, -190 * u, n + 60 * u, 120 * u), fill=38)
    sheen = Image.fromarray(np.minimum(np.asarray(sheen), np.asarray(shape)))
    im.paste(Image.new("RGBA", (n, n), (255, 255, 255, 255)), (0, 0),
             Image.fromarray((np.asarray(sheen, float)).astype(np.uint8)))
    im.putalpha(shape)
    cx, cy, r = 128 * u, (136 if detail else 146) * u, (84 if detail else 92) * u
    wid = (20 if size >= 32 else 30) * u
    box = (cx - r, cy - r, cx + r, cy + r)
    d.arc(box, 150, 390, fill=tuple(light) + (255,), width=round(wid))
    d.arc(box, 330, 390, fill=tuple(needle) + (255,), width=round(wid))
    if detail:
        for i in range(9):
            a = math.radians(150 + i * 30)
            r0, r1 = r - wid - 8 * u, r - wid - (34 if i % 2 == 0 else 22) * u
            d.line([(cx + r0 * math.cos(a), cy + r0 * math.sin(a)),
                    (cx + r1 * math.cos(a), cy + r1 * math.sin(a))], fill=tuple(light) + (255,),
                   width=round(9 * u))
    a = math.radians(300)
    tipr = r - (20 if detail else 10) * u
    tip = (cx + tipr * math.cos(a), cy + tipr * math.sin(a))
    bw = (13 if size >= 32 else 20) * u
    nx, ny = -math.sin(a) * bw, math.cos(a) * bw
    d.polygon([(cx + nx, cy + ny), tip, (cx - nx, cy - ny), (cx - math.cos(a) * bw, cy - math.sin(a) * bw)],
              fill=tuple(needle) + (255,))
    hub = (20 if size >= 32 else 28) * u
    d.ellipse((cx - hub, cy - hub, cx + hub, cy + hub), fill=tuple(light) + (255,))
    if ruler:
        y0, y1 = 178 * u, 214 * u
        x0, x1 = 44 * u, 212 * u
        d.rounded_rectangle((x0, y0, x1, y1), radius=6 * u, fill=tuple(light) + (255,))
        steps = 12 if size >= 48 else 6
        for i in range(1, steps):
            x = x0 + (x1 - x0) * i / steps
            ln = 18 if i % 2 == 0 else 10
            if steps == 6:
                ln = 16
            d.line([(x, y0), (x, y0 + ln * u)], fill=tuple(tile_bot) + (255,), width=max(round(6 * u), 2))
    a = np.asarray(im, float)
    al = a[..., 3:4] / 255.0
    pre = Image.fromarray(np.concatenate([a[..., :3] * al, a[..., 3:4]], 2).astype(np.uint8), "RGBA")
    return np.asarray(pre.resize((size, size), Image.BOX), float)


def unpremultiply(pre):
    al = pre[..., 3] / 255.0
    rgb = np.where(al[..., None] > 0, pre[..., :3] / np.maximum(al[..., None], 1e-6), 0)
    return np.clip(rgb, 0, 255), al


def draw_panel(theme, icolours):
    t = theme
    w, h = S(PANEL_W), S(PANEL_H)
    img = vgrad(h, w, t["body_top"], t["body_bot"])
    # outer frame
    bevel(img, 0, 0, w, h, 0, [(1, t["frame"]), (1, t["hi"], t["shadow"])], None)
    # title band
    band = (S(2), S(2), w - S(2), S(80))
    bh = band[3] - band[1]
    g = vgrad(bh, band[2] - band[0], t["title_top"], t["title_bot"])
    img[band[1]:band[3], band[0]:band[2]] = g
    # a ruler scale along the foot of the band
    tick = np.zeros((h, w))
    for x in range(6, PANEL_W - 5, 4):
        n = (x - 6) // 4
        ln = 9 if n % 10 == 0 else (6 if n % 5 == 0 else 3)
        tick[S(77 - ln):S(77), S(x):S(x + 1)] = 0.55 if ln > 3 else 0.4
    put(img, tick, t["title_tick"])
    put(img, np.ones((S(80) - S(78), band[2] - band[0])), t["accent"], band[0], S(78))
    put(img, np.ones((S(81) - S(80), band[2] - band[0])), t["dkshadow"], band[0], S(80))
    # emblem at the start of the line (the right, for Arabic readers)
    es = S(58)
    pre = emblem(es, t["accent"], t["title_top"], (255, 255, 255), t["accent_needle"], True)
    rgb, al = unpremultiply(pre)
    ex, ey = w - S(14) - es, (band[1] + band[3] - es) // 2 - S(3)
    pad = S(4)
    put(img, blur(padded(al, pad), F(2.0)) * 0.55, (0, 0, 0), ex - pad + S(1), ey - pad + S(2))
    put(img, al, rgb, ex, ey)
    # the name and its Arabic subtitle, centred in the rest of the band
    tcx = (band[0] + S(8) + ex - S(8)) / 2
    name, nbase = text_mask("Ralimet", "title", S(34), rtl=False)
    sub, sbase = text_mask("محوّل المقاييس", "subtitle", S(14))
    nx = round(tcx - name.shape[1] / 2)
    ny = S(12)
    put(img, blur(padded(name, pad), F(1.6)) * 0.6, (0, 0, 0), nx - pad + S(1), ny - pad + S(2))
    put(img, name, t["title_text"], nx, ny)
    sx = round(tcx - sub.shape[1] / 2)
    sy = ny + name.shape[0] + S(7)
    pad = S(3)
    put(img, blur(padded(sub, pad), F(1.2)) * 0.5, (0, 0, 0), sx - pad + S(1), sy - pad + S(1))
    put(img, sub, t["title_sub"], sx, sy)
    # the recessed tray behind the ten quantity buttons (they cover 10..280 x 90..340)
    bevel(img, S(6), S(86), S(284), S(344), 2, [(1, t["shadow"], t["hi"]), (3, t["tray_dark"])], t["tray"])
    # the bar under the two small buttons
    bevel(img, S(6), S(347), S(284), S(385), 2, [(1, t["shadow"], t["hi"]), (1, t["hi"], t["shadow"])],
          (t["bar_top"], t["bar_bot"]))
    # sockets the small buttons sit in, one pixel around each face's place
    one = S(1)
    for bx in (15, 153):
        bevel(img, S(bx) - one, S(353) - one, S(bx + SMALL_W) + one, S(353 + SMALL_H) + one, 0,
              [(1, t["shadow"], t["hi"])], None)
    # a small separator mark between them
    for y in range(359, 373, 3):
        put(img, np.ones((S(y + 1) - S(y), S(146) - S(144))), t["shadow"], S(144), S(y))
        put(img, np.ones((S(y + 2) - S(y + 1), S(147) - S(145))), t["hi"], S(145), S(y + 1))
    return img


# ---------------------------------------------------------------------------------------------
# Joint quantisation: every pixel is a point in six dimensions (blue set, sand set); 256 centres
# give one index picture per bitmap and one colour table per set.


def quantise(pairs, k=256, iters=24):
    """pairs: list of (blue image, sand image). Returns (index images, blue table, sand table)."""
    flat = np.concatenate([np.concatenate([a.reshape(-1, 3), b.reshape(-1, 3)], 1) for a, b in pairs])
    pts = np.clip(np.rint(flat), 0, 255).astype(np.int64)
    keys = pts @ (256 ** np.arange(6))
    uniq, first, counts = np.unique(keys, return_index=True, return_counts=True)
    X = pts[first].astype(float)
    # large flat areas may not claim all the colours: weigh by the square root of the count
    wts = np.sqrt(counts.astype(float))
    # luminance-weighted distance, the blue set (the default look) counting a little more
    scale = np.sqrt(np.array([0.30, 0.59, 0.11, 0.30, 0.59, 0.11]) * np.array([1.2] * 3 + [1.0] * 3))
    Xs = X * scale

    def nearest(P, C):
        out = np.empty(len(P), int)
        dist = np.empty(len(P))
        cc = (C ** 2).sum(1)
        for s in range(0, len(P), 8192):
            q = P[s:s + 8192]
            dd = (q ** 2).sum(1)[:, None] - 2 * q @ C.T + cc[None, :]
            out[s:s + 8192] = dd.argmin(1)
            dist[s:s + 8192] = dd[np.arange(len(q)), out[s:s + 8192]]
        return out, np.maximum(dist, 0)

    # farthest-point start from the heaviest colour, deterministic
    centres = [int(np.argmax(wts))]
    d = ((Xs - Xs[centres[0]]) ** 2).sum(1)
    for _ in range(1, min(k, len(X))):
        i = int(np.argmax(d * wts))
        centres.append(i)
        d = np.minimum(d, ((Xs - Xs[i]) ** 2).sum(1))
    C = Xs[centres].copy()
    for _ in range(iters):
        lab, _ = nearest(Xs, C)
        sw = np.bincount(lab, wts, minlength=len(C))
        for j in range(Xs.shape[1]):
            s = np.bincount(lab, wts * Xs[:, j], minlength=len(C))
            C[:, j] = np.where(sw > 0, s / np.maximum(sw, 1e-9), C[:, j])
    lab, _ = nearest(Xs, C)
    C = C / scale
    # a centre dominated by one exact colour takes that colour, so flat areas and lines keep
    # the colour they were drawn with
    for j in range(len(C)):
        sel = np.nonzero(lab == j)[0]
        if len(sel) == 0:
            continue
        top = sel[np.argmax(counts[sel])]
        if counts[top] >= 0.6 * counts[sel].sum():
            C[j] = X[top]
    C = np.clip(np.rint(C), 0, 255).astype(int)
    # order the table from dark to light for a tidy palette
    order = np.lexsort((C[:, 3], (C[:, :3] * [299, 587, 114]).sum(1)))
    C = C[order]
    while len(C) < k:
        C = np.vstack([C, C[-1:]])
    # map every original pixel to its nearest final centre
    Cs = C * scale
    lab_u, _ = nearest(Xs, Cs.astype(float))
    inv = np.searchsorted(uniq, keys)
    idx = lab_u[inv].astype(np.uint8)
    out, pos = [], 0
    for a, _ in pairs:
        n = a.shape[0] * a.shape[1]
        out.append(idx[pos:pos + n].reshape(a.shape[:2]))
        pos += n
    return out, [tuple(c) for c in C[:, :3]], [tuple(c) for c in C[:, 3:]]


# ---------------------------------------------------------------------------------------------
# Files


def bmp8(indices, table):
    h, w = indices.shape
    stride = (w + 3) & ~3
    rows = np.zeros((h, stride), np.uint8)
    rows[:, :w] = indices
    pixels = rows[::-1].tobytes()  # bottom-up
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in table)
    assert len(pal) == 1024
    off = 14 + 40 + len(pal)
    head = struct.pack("<2sIHHI", b"BM", off + len(pixels), 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    return head + info + pal + pixels


def png8(indices, table):
    """An 8-bit palettised PNG carrying the whole 256-entry table, so that every picture of a
    set and scale has the same one."""
    im = Image.fromarray(indices, "P")
    im.putpalette([c for rgb in table for c in rgb])
    buf = io.BytesIO()
    im.save(buf, "PNG", optimize=True)
    return buf.getvalue()


def ico(images):
    """images: list of (size, RGBA uint8 array). The 256 image goes in as PNG, the others as
    32-bit DIBs with their AND mask."""
    blobs = []
    for size, rgba in images:
        if size >= 256:
            buf = io.BytesIO()
            Image.fromarray(rgba, "RGBA").save(buf, "PNG", optimize=True)
            blobs.append(buf.getvalue())
            continue
        bgra = rgba[..., [2, 1, 0, 3]][::-1].tobytes()
        mstride = ((size + 31) // 32) * 4
        mask = bytearray(mstride * size)
        for y in range(size):
            row = rgba[size - 1 - y]
            for x in range(size):
                if row[x, 3] == 0:
                    mask[y * mstride + x // 8] |= 0x80 >> (x % 8)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(bgra) + len(mask), 0, 0, 0, 0)
        blobs.append(info + bgra + bytes(mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    off = 6 + 16 * len(images)
    for (size, _), blob in zip(images, blobs):
        s = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(blob), off)
        off += len(blob)
    return out + b"".join(blobs)


def to_rgba8(pre):
    rgb, al = unpremultiply(pre)
    return np.dstack([np.rint(rgb), np.rint(al * 255)]).clip(0, 255).astype(np.uint8)


# The icons' sizes: the small and large icon at 100, 125, 150 and 200 % (16/20/24/32 and
# 32/40/48/64), and 256 for Explorer's largest views.
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def make_icons(theme):
    t = theme
    sizes = ICON_SIZES
    app, doc = [], []
    for s in sizes:
        pre = emblem(s, t["accent"], t["title_top"], (255, 255, 255), t["accent_needle"],
                     ruler=s >= 32, detail=s >= 48)
        app.append((s, to_rgba8(pre)))
        doc.append((s, to_rgba8(document(s, t))))
    return ico(app), ico(doc)


def document(size, t):
    """A page with a turned corner carrying the emblem, premultiplied RGBA of size x size."""
    n = size * SS
    u = n / 256.0
    im = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    x0, y0, x1, y1, fold = 40 * u, 8 * u, 216 * u, 248 * u, 56 * u
    if size <= 16:
        x0, x1 = 28 * u, 228 * u
    edge = tuple(t["ink"]) + (255,)
    lw = max(round(6 * u), round(1.0 * SS * (1 if size <= 24 else 1)))
    d.polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], fill=(255, 255, 255, 255))
    d.line([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1), (x0, y0)], fill=edge, width=lw,
           joint="curve")
    d.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], fill=tuple(t["plate_bot"]) + (255,))
    d.line([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], fill=edge, width=lw, joint="curve")
    if size >= 32:
        for i, yy in enumerate((80, 108, 136)):
            d.line([(x0 + 26 * u, yy * u), (x1 - (40 if i == 0 else 26) * u, yy * u)],
                   fill=tuple(t["shadow"]) + (255,), width=round(9 * u))
    a = np.asarray(im, float)
    al = a[..., 3:4] / 255.0
    pre = np.concatenate([a[..., :3] * al, a[..., 3:4]], 2)
    page = np.asarray(Image.fromarray(pre.astype(np.uint8), "RGBA").resize((size, size), Image.BOX), float)
    es = max(10, round(size * (0.62 if size >= 32 else 0.70)))
    em = emblem(es, t["accent"], t["title_top"], (255, 255, 255), t["accent_needle"],
                ruler=es >= 32, detail=es >= 48)
    ox, oy = size - es, size - es
    out = page.copy()
    a_em = em[..., 3:4] / 255.0
    out[oy:oy + es, ox:ox + es] = em + out[oy:oy + es, ox:ox + es] * (1 - a_em)
    return out


def render(theme, icolours):
    """All 37 pictures of one set, keyed by id."""
    faces = {}
    big_h = face_size(BUTTONS[0][3], (FACE_W, FACE_H))[1]
    small_h = face_size(BUTTONS[-1][3], (SMALL_W, SMALL_H))[1]
    caps = Captions("caption", S(FACE_CAPTION_PX), [b[1] for b in BUTTONS[:10]], big_h, lift=F(1))
    small = Captions("caption", S(SMALL_CAPTION_PX), [b[1] for b in BUTTONS[10:]], small_h)
    for m in caps.masks.values():
        assert m[0].shape[1] <= F(78), "a caption is too wide for its face"
    faces[PANEL_ID] = draw_panel(theme, icolours)
    for ids, text, icon, place in BUTTONS:
        size = face_size(place, (FACE_W, FACE_H) if icon else (SMALL_W, SMALL_H))
        for bid, state in zip(ids, STATES):
            if icon:
                faces[bid] = face_big(theme, icolours, caps, text, icon, state, size)
            else:
                faces[bid] = face_small(theme, small, text, state, size)
    return faces


def face_size(place, size):
    """A face's size at the scale drawn: its place's edges rounded, as the program rounds them."""
    (x, y), (w, h) = place, size
    return S(x + w) - S(x), S(y + h) - S(y)


def preview(path, pics, scale=1):
    """The panel three times (every button normal, highlighted, pressed), then each face at 1:1."""
    gap = 12
    W = 3 * PANEL_W + 4 * gap
    faces_h = 10 * (FACE_H + 4) + 2 * (SMALL_H + 4) + gap
    sheet = Image.new("RGB", (W, PANEL_H + 2 * gap + faces_h), (90, 90, 90))
    for si in range(3):
        panel = pics[PANEL_ID].copy()
        for ids, _, _, (x, y) in BUTTONS:
            panel.paste(pics[ids[si]], (x, y))
        sheet.paste(panel, (gap + si * (PANEL_W + gap), gap))
    y = PANEL_H + 2 * gap
    for ids, _, icon, _ in BUTTONS:
        for si in range(3):
            sheet.paste(pics[ids[si]], (gap + si * (FACE_W + gap), y))
        y += (FACE_H if icon else SMALL_H) + 4
    if scale != 1:
        sheet = sheet.resize((sheet.width * scale, sheet.height * scale), Image.NEAREST)
    sheet.save(path)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--preview", metavar="DIR", help="also write preview PNGs into DIR")
    args = ap.parse_args()

    global K
    blue = dict(BLUE, accent_needle=(250, 196, 72))
    sand = dict(SAND, accent_needle=(255, 226, 150))
    bmpdir = os.path.join(RES, "bitmaps")
    os.makedirs(bmpdir, exist_ok=True)
    lines = ["// Generated by src/res/art/make_art.py: do not edit, run the script again.",
             "// The launcher's panel and button faces: %d..%d the blue set, %d..%d the sand set,"
             % (PANEL_ID, max(ALL_IDS), PANEL_ID + ALT, max(ALL_IDS) + ALT),
             "// as bitmaps at 100 %% and as PNG (resource type PNG) at %s %%, each picture's id"
             % ", ".join(str(p) for p in SCALES[1:]),
             "// there the percentage times 100 plus its bitmap's id."]
    for percent in SCALES:
        K = percent / 100 if percent != 100 else 1
        a = render(blue, ICON_BLUE)
        b = render(sand, ICON_SAND)
        ids = sorted(a)
        idx, table_a, table_b = quantise([(a[i], b[i]) for i in ids])
        for base, table in ((0, table_a), (ALT, table_b)):
            for i, pic in zip(ids, idx):
                if percent == 100:
                    name = "%d.bmp" % (i + base)
                    data, kind = bmp8(pic, table), "BITMAP"
                else:
                    name = "%d/%d.png" % (percent, i + base)
                    data, kind = png8(pic, table), "PNG"
                path = os.path.join(bmpdir, name)
                os.makedirs(os.path.dirname(path), exist_ok=True)
                with open(path, "wb") as f:
                    f.write(data)
                lines.append('%d %s "bitmaps/%s"' % (resource_id(percent, i + base), kind, name))
    K = 1
    with open(os.path.join(RES, "bitmaps.rc"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")

    icodir = os.path.join(RES, "icons")
    os.makedirs(icodir, exist_ok=True)
    app, doc = make_icons(blue)
    with open(os.path.join(icodir, "ralimet.ico"), "wb") as f:
        f.write(app)
    with open(os.path.join(icodir, "document.ico"), "wb") as f:
        f.write(doc)

    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        for base, name in ((0, "panel_preview.png"), (ALT, "panel_preview_alt.png")):
            pics = {i: Image.open(os.path.join(bmpdir, "%d.bmp" % (i + base))).convert("RGB") for i in ids}
            preview(os.path.join(args.preview, name), pics)
            preview(os.path.join(args.preview, name.replace(".png", "_x2.png")), pics, 2)
        # the icons, every size, on light and dark grounds
        tile_w = sum(s + 8 for s in ICON_SIZES) + 8
        sheet = Image.new("RGB", (2 * tile_w, 2 * 270), (255, 255, 255))
        for row, path in enumerate(("ralimet.ico", "document.ico")):
            for col, bg in enumerate(((255, 255, 255), (40, 40, 40))):
                tile = Image.new("RGB", (tile_w, 270), bg)
                x = 8
                with Image.open(os.path.join(icodir, path)) as icon:
                    for s in ICON_SIZES:
                        im = icon.ico.getimage((s, s)).convert("RGBA")
                        tile.paste(im, (x, 8), im)
                        x += s + 8
                sheet.paste(tile, (col * tile_w, row * 270))
        sheet.save(os.path.join(args.preview, "icons_preview.png"))
    print("wrote %d pictures, bitmaps.rc and 2 icons" % (2 * len(ids) * len(SCALES)))


if __name__ == "__main__":
    main()
