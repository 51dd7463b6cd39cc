#!/usr/bin/env python3
"""Draws the speed window's pointer: src/res/cursors/horse.ani, a galloping horse.

A Windows animated cursor (RIFF "ACON"): an "INFO" list titled "Ralimet horse", an "anih" header
(8 frames, 8 steps, 6 jiffies a step, frames stored as cursor files) and a "LIST" "fram" of eight
"icon" chunks. Each frame is a complete .cur file holding images of 32, 40, 48 and 64 pixels
square (the cursor at 100, 125, 150 and 200 %), 32-bit BGRA with straight alpha and its AND mask. The horse runs to the left, dark bay with black mane,
tail and lower legs, and a white outline so that it reads on light and dark backgrounds alike.
The hot spot is the tip of the nose, pinned to the same pixel in every frame so that the pointer
does not wander while the legs move: (1, 10) in the 32 x 32 image, (2, 13) at 40, (2, 15) at 48
and (2, 20) at 64.

Debian packages: python3-pil python3-numpy
Run it with Debian's own interpreter: /usr/bin/python3 src/res/art/make_horse.py [--preview FILE]
"""

import argparse
import math
import os
import struct
import sys

from art_harness import require_tools

PACKAGES = "python3-pil python3-numpy"

require_tools("make_horse.py", PACKAGES)

import numpy as np  # noqa: E402
from PIL import Image, ImageDraw  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(HERE), "cursors", "horse.ani")

FRAMES = 8
JIFFIES = 6  # 1/60 s each: a stride of 0.8 s, brisk without flicker
SIZES = (32, 40, 48, 64)  # 32 is the classic cursor size; 40, 48 and 64 serve 125, 150 and 200 %
SS = 4  # samples per pixel along each axis
TITLE = b"Ralimet horse"
ARTIST = b"Ralimet"
AF_ICON = 1

# The horse is drawn in units of about a pixel of the 32 x 32 image (GROW of one); x runs right,
# y down, and the horse faces left, so "forward" is -x.
NOSE = (1.2, 10.4)  # where the tip of the nose lands, in pixels of the 32 x 32 image
GROW = 0.92  # pixels of the 32 x 32 image per unit: the stretched-out legs need the room
OUTLINE = {32: 1.0, 40: 1.15, 48: 1.3, 64: 1.6}  # width of the light rim in final pixels

COL_RIM = (255, 255, 255)
COL_COAT_TOP = (150, 86, 40)
COL_COAT_BOT = (98, 52, 24)
COL_FAR = (62, 34, 18)  # legs on the far side, in shadow
COL_POINTS = (34, 26, 22)  # mane, tail and lower legs of a bay
COL_POINTS_FAR = (14, 11, 10)
COL_SEAM = (20, 14, 12)

# Footfalls of a left-lead gallop as fractions of the stride: the trailing (far) hind leg lands
# first, then the leading hind, the trailing fore and the leading fore, and after the leading
# fore leaves the ground all four are in the air, gathered under the belly.
STANCE = 0.30
LEGS = dict(
    far_hind=dict(start=0.00, fore=False, near=False),
    near_hind=dict(start=0.10, fore=False, near=True),
    far_fore=dict(start=0.30, fore=True, near=False),
    near_fore=dict(start=0.42, fore=True, near=True),
)


# --- signed distances (negative inside), vectorised over the sample grid ----------------------

def sd_circle(px, py, c, r):
    return np.hypot(px - c[0], py - c[1]) - r


def sd_ellipse(px, py, c, rx, ry, angle=0.0):
    ca, sa = math.cos(angle), math.sin(angle)
    dx, dy = px - c[0], py - c[1]
    u, v = dx * ca + dy * sa, -dx * sa + dy * ca
    k = np.hypot(u / rx, v / ry)
    return (k - 1.0) * min(rx, ry)  # close enough to a distance near the edge


def sd_limb(px, py, a, ra, b, rb):
    """A capsule from a (radius ra) to b (radius rb)."""
    bx, by = b[0] - a[0], b[1] - a[1]
    ll = bx * bx + by * by or 1e-9
    t = np.clip(((px - a[0]) * bx + (py - a[1]) * by) / ll, 0.0, 1.0)
    return np.hypot(px - a[0] - t * bx, py - a[1] - t * by) - (ra + (rb - ra) * t)


def smin(a, b, k):
    """Union with a fillet of size k, so parts grow into one another like muscle."""
    h = np.clip(0.5 + 0.5 * (b - a) / k, 0.0, 1.0)
    return b + (a - b) * h - k * h * (1.0 - h)


# --- the pose of one frame -------------------------------------------------------------------

def rot(p, c, ang):
    ca, sa = math.cos(ang), math.sin(ang)
    dx, dy = p[0] - c[0], p[1] - c[1]
    return (c[0] + dx * ca - dy * sa, c[1] + dx * sa + dy * ca)


# Swing paths after lift-off as (share of the swing, forward, height above the ground). A
# foreleg folds up tight under the chest and then reaches far out; a hind leg kicks back and up,
# then swings forward low with the hock bent.
FORE_SWING = [(0.0, -5.0, 0.0), (0.2, -5.4, 3.6), (0.42, -3.2, 6.8), (0.62, 2.0, 7.0),
              (0.8, 7.4, 3.0), (1.0, 5.8, 0.0)]
HIND_SWING = [(0.0, -8.0, 0.0), (0.18, -9.0, 3.2), (0.45, -2.6, 6.4), (0.74, 6.4, 4.0),
              (0.9, 6.4, 1.4), (1.0, 5.2, 0.0)]
GROUND = 29.0


def along(keys, w):
    """Catmull-Rom through the key points, so the hoof moves without corners."""
    for k in range(len(keys) - 1):
        if w <= keys[k + 1][0]:
            break
    p0, p1, p2, p3 = (keys[max(k - 1, 0)], keys[k], keys[k + 1], keys[min(k + 2, len(keys) - 1)])
    t = (w - p1[0]) / (p2[0] - p1[0])
    out = []
    for i in (1, 2):
        a, b, c, d = p0[i], p1[i], p2[i], p3[i]
        out.append(0.5 * (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - d) * t * t
                          + (3 * b - a - 3 * c + d) * t ** 3))
    return out


def hoof_path(phase, leg):
    """Hoof as (forward of its hip, height above the ground): on the ground during the stance,
    sweeping from front to back, then carried forward along the swing path."""
    keys = FORE_SWING if leg["fore"] else HIND_SWING
    front, back = keys[-1][1], keys[0][1]
    t = (phase - leg["start"]) % 1.0
    if t < STANCE:
        return front + (back - front) * t / STANCE, 0.0
    u, h = along(keys, (t - STANCE) / (1.0 - STANCE))
    return u, max(h, 0.0)


def solve_leg(hip, hoof, a, b, knee_forward):
    """Two segments from hip to hoof; the middle joint bends forward (knee) or back (hock)."""
    dx, dy = hoof[0] - hip[0], hoof[1] - hip[1]
    d = math.hypot(dx, dy)
    d = min(max(d, abs(a - b) + 1e-3), a + b - 1e-3)
    ang = math.atan2(dy, dx)
    bend = math.acos((a * a + d * d - b * b) / (2 * a * d))
    # forward is -x: with y down, turning the hip-to-hoof direction clockwise moves the joint
    # forward for a leg pointing down
    s = 1.0 if knee_forward else -1.0
    knee = (hip[0] + a * math.cos(ang + s * bend), hip[1] + a * math.sin(ang + s * bend))
    foot = (hip[0] + d * math.cos(ang), hip[1] + d * math.sin(ang))
    return knee, foot


def pose(phase):
    """Returns the parts of the horse for one phase of the stride as lists of shapes."""
    cyc = 2.0 * math.pi * phase
    # the body rocks: nose up while the hind legs carry it, down onto the forelegs
    pitch = math.radians(3.0) * math.sin(cyc - 0.6)
    bob = 0.45 * math.cos(2.0 * math.pi * (phase - 0.86))  # highest in the gathered leap
    centre = (16.5, 14.0)

    def P(x, y):
        q = rot((x, y), centre, pitch)
        return (q[0], q[1] - bob)

    # the neck swings about its root, low with the forelegs down
    nod = math.radians(5.0) * math.sin(cyc - 2.2)
    root = P(11.6, 12.4)

    def N(x, y):
        return rot(P(x, y), root, nod)

    body = [
        ("ellipse", P(16.6, 13.9), 7.3, 3.35, pitch - 0.04),
        ("circle", P(10.5, 13.4), 3.35),       # chest
        ("circle", P(22.8, 12.8), 3.7),        # quarters
        ("circle", P(12.6, 11.0), 2.4),        # withers
        ("limb", N(11.2, 12.4), 3.0, N(6.3, 7.3), 1.75),   # neck
        ("limb", N(6.0, 7.2), 1.8, N(2.2, 10.1), 1.1),     # head
        ("circle", N(5.0, 8.8), 1.5),           # cheek
        ("limb", N(6.5, 5.9), 0.62, N(7.6, 3.7), 0.3),     # ear
    ]
    mane = [
        ("limb", N(6.7, 5.4), 0.7, N(9.4, 6.6), 0.95),
        ("limb", N(9.4, 6.6), 0.95, N(12.8, 9.2), 0.85),
        ("limb", N(8.4, 5.6), 0.45, N(11.0, 5.6), 0.2),     # strands blown back
        ("limb", N(10.4, 7.2), 0.5, N(13.2, 7.2), 0.2),
    ]
    # the tail streams out behind and swings once a stride
    wave = math.sin(cyc + 1.0)
    t0 = P(25.4, 10.6)
    t1 = P(27.9, 10.9 + 0.3 * wave)
    t2 = P(29.5 - 0.2 * wave, 13.0 + 0.8 * wave)
    t3 = P(30.2 - 0.5 * wave, 16.2 + 1.2 * wave)
    tail = [
        ("limb", t0, 0.8, t1, 1.25),
        ("limb", t1, 1.25, t2, 1.4),
        ("limb", t2, 1.4, t3, 0.65),
    ]

    legs = {}
    for name, leg in LEGS.items():
        fore = leg["fore"]
        shift = 0.0 if leg["near"] else 0.8  # the far pair peeks out a little behind the near
        u, h = hoof_path(phase, leg)
        if fore:
            # the upper arm hangs from the shoulder and swings a little with the leg
            top = P(11.0 + shift, 14.6)
            swing = 0.4 * math.atan2(u, GROUND - top[1])
            hip = (top[0] - 2.4 * math.sin(swing), top[1] + 2.4 * math.cos(swing))
            knee, foot = solve_leg(hip, (top[0] - u, GROUND - h), 5.2, 6.5, knee_forward=True)
            upper = [("limb", top, 1.9, hip, 1.45), ("limb", hip, 1.45, knee, 0.95)]
        else:
            hip = P(21.8 + shift, 15.2)
            knee, foot = solve_leg(hip, (hip[0] - u, GROUND - h), 6.8, 7.6, knee_forward=False)
            thigh = P(22.6 + shift, 13.6)
            upper = [("limb", hip, 2.4, knee, 0.95), ("limb", thigh, 3.0, hip, 2.4)]
        lower = [("limb", knee, 0.9, foot, 0.75), ("circle", foot, 0.9)]
        legs[name] = (upper, lower)
    return body, mane, tail, legs, N(2.2, 10.1), 1.1


# --- rendering ------------------------------------------------------------------------------

def field(shapes, px, py, k=0.0):
    d = None
    for s in shapes:
        if s[0] == "circle":
            e = sd_circle(px, py, s[1], s[2])
        elif s[0] == "ellipse":
            e = sd_ellipse(px, py, s[1], s[2], s[3], s[4])
        else:
            e = sd_limb(px, py, s[1], s[2], s[3], s[4])
        d = e if d is None else (smin(d, e, k) if k else np.minimum(d, e))
    return d


def layers(parts, px, py):
    """Distance to each painted layer of the horse at the points px, py (in units)."""
    body, mane, tail, legs = parts
    d = {}
    d["body"] = smin(field(body, px, py, k=1.2),
                     field(legs["near_fore"][0] + legs["near_hind"][0], px, py), 0.8)
    d["near_low"] = field(legs["near_fore"][1] + legs["near_hind"][1], px, py)
    # the far legs grow out of the body, not beside it
    d["far"] = smin(field(legs["far_fore"][0] + legs["far_hind"][0], px, py), d["body"], 0.6)
    d["far_low"] = field(legs["far_fore"][1] + legs["far_hind"][1], px, py)
    d["mane"] = field(mane, px, py)
    d["tail"] = smin(field(tail, px, py, k=0.4), d["body"], 0.5)
    d["all"] = np.minimum.reduce(list(d.values()))
    return d


def render(phase, size):
    """One frame as straight-alpha RGBA (size x size x 4, uint8) and the hot spot."""
    scale = size / 32.0
    body, mane, tail, legs, muzzle, r_muzzle = pose(phase)
    tip = (muzzle[0] - r_muzzle, muzzle[1])  # the foremost point of the nose

    def units(pixels, axis):  # pixels of the 32 x 32 image to the horse's units
        return (pixels - NOSE[axis]) / GROW + tip[axis]

    rim = OUTLINE[size] / scale / GROW
    # nothing, rim included, may reach the edge of the image: a cut leg would look broken
    edge = np.linspace(0.0, 32.0, 257)
    side = np.zeros_like(edge)
    for ex, ey in ((edge, side), (edge, side + 32), (side, edge), (side + 32, edge)):
        clear = layers((body, mane, tail, legs), units(ex, 0), units(ey, 1))["all"].min()
        if clear <= rim:
            sys.exit("phase %.3f: the horse runs off its %d-pixel image" % (phase, size))

    n = size * SS
    g = (np.arange(n) + 0.5) / SS / scale  # sample centres in pixels of the 32 x 32 image
    px, py = np.meshgrid(units(g, 0), units(g, 1))
    d = layers((body, mane, tail, legs), px, py)

    rgb = np.zeros((n, n, 3))
    cover = np.zeros((n, n))

    def paint(mask, colour):
        c = np.asarray(colour, dtype=np.float64)
        rgb[mask] = c if c.ndim == 1 else c[mask]
        cover[mask] = 1.0

    paint(d["all"] < rim, COL_RIM)
    paint(d["far_low"] < 0, COL_POINTS_FAR)
    paint(d["far"] < 0, COL_FAR)
    paint(d["tail"] < 0, COL_POINTS)
    # coat: lit from above, darker toward the belly
    t = np.clip((py - 9.0) / 10.0, 0.0, 1.0)[..., None]
    coat = np.asarray(COL_COAT_TOP) * (1 - t) + np.asarray(COL_COAT_BOT) * t
    paint(d["body"] < 0, coat)
    # a hair of dark between a near leg and whatever it crosses
    seam = (d["near_low"] < 0.35 / scale / GROW) & (d["body"] >= 0) & (d["all"] < 0)
    paint(seam, COL_SEAM)
    paint(d["near_low"] < 0, COL_POINTS)
    paint(d["mane"] < 0, COL_POINTS)

    # average the samples of each pixel, weighting colour by coverage
    a = cover.reshape(size, SS, size, SS).mean(axis=(1, 3))
    c = (rgb * cover[..., None]).reshape(size, SS, size, SS, 3).sum(axis=(1, 3)) / (SS * SS)
    out = np.zeros((size, size, 4), dtype=np.uint8)
    safe = np.where(a > 0, a, 1.0)[..., None]
    out[..., :3] = np.clip(np.rint(c / safe), 0, 255).astype(np.uint8)
    out[..., 3] = np.clip(np.rint(a * 255), 0, 255).astype(np.uint8)
    out[out[..., 3] == 0] = 0
    # the pixel just inside the tip of the nose, on the line through its middle
    hot = (int(math.floor(NOSE[0] * scale + 0.5)), int(math.floor(NOSE[1] * scale)))
    return out, hot


# --- file formats ---------------------------------------------------------------------------

def dib(img):
    """The image as a 32-bit DIB with its AND mask, as a cursor file stores it."""
    h, w = img.shape[:2]
    head = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
    bgra = img[::-1][..., [2, 1, 0, 3]].tobytes()  # bottom-up rows
    stride = (w + 31) // 32 * 4
    mask = bytearray()
    for row in img[::-1]:
        bits = np.packbits(row[:, 3] == 0)  # 1 = transparent: the screen shows through
        mask += bits.tobytes().ljust(stride, b"\0")
    body = bgra + bytes(mask)
    head = head[:20] + struct.pack("<I", len(body)) + head[24:]
    return head + body


def cur_file(images):
    """A .cur file from [(rgba, (hot x, hot y)), ...]."""
    out = struct.pack("<HHH", 0, 2, len(images))
    blobs = [dib(img) for img, _ in images]
    offset = 6 + 16 * len(images)
    for (img, (hx, hy)), blob in zip(images, blobs):
        w = img.shape[1]
        out += struct.pack("<BBBBHHII", w % 256, w % 256, 0, 0, hx, hy, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def chunk(tag, body):
    size = len(body)
    if size % 2:
        body += b"\0"  # the pad byte is not counted in the size
    return tag + struct.pack("<I", size) + body


def ani_file(frames):
    info = b"INFO" + chunk(b"INAM", TITLE + b"\0") + chunk(b"IART", ARTIST + b"\0")
    anih = struct.pack("<9I", 36, len(frames), len(frames), 0, 0, 0, 0, JIFFIES, AF_ICON)
    fram = b"fram" + b"".join(chunk(b"icon", f) for f in frames)
    body = b"ACON" + chunk(b"LIST", info) + chunk(b"anih", anih) + chunk(b"LIST", fram)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def preview(frames, path):
    """Every frame at 4x on a light, a dark and a grey ground, the hot spot marked in red on
    the grey one; and beside it (name_1x.png) the frames at their real size."""
    z, gap = 4, 8
    cell = 32 * z
    big = [f[32][0] for f in frames]
    rows = [(236, 236, 232), (40, 44, 52), (116, 126, 140)]
    sheet = Image.new("RGB", (gap + FRAMES * (cell + gap), gap + len(rows) * (cell + gap)))
    draw = ImageDraw.Draw(sheet)
    for r, ground in enumerate(rows):
        y = gap + r * (cell + gap)
        draw.rectangle([0, y - gap // 2, sheet.width, y + cell + gap // 2], fill=ground)
        for i, img in enumerate(big):
            x = gap + i * (cell + gap)
            pic = Image.fromarray(img, "RGBA").resize((cell, cell), Image.NEAREST)
            sheet.paste(pic, (x, y), pic)
            if r == 2:
                hx, hy = frames[i][32][1]
                draw.rectangle([x + hx * z, y + hy * z, x + hx * z + z - 1, y + hy * z + z - 1],
                               outline=(255, 0, 0))
    sheet.save(path)
    # and the 1:1 strip, as a user sees it
    strip = Image.new("RGB", (FRAMES * 40 + 8, 2 * 40 + 8), (236, 236, 232))
    ImageDraw.Draw(strip).rectangle([0, 44, strip.width, strip.height], fill=(40, 44, 52))
    for i, img in enumerate(big):
        pic = Image.fromarray(img, "RGBA")
        strip.paste(pic, (4 + i * 40, 4), pic)
        strip.paste(pic, (4 + i * 40, 48), pic)
    base, ext = os.path.splitext(path)
    strip.save(base + "_1x" + ext)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--preview", metavar="FILE", help="also write a PNG sheet of the frames")
    args = ap.parse_args()

    frames = []
    for i in range(FRAMES):
        phase = i / FRAMES
        frames.append({s: render(phase, s) for s in SIZES})
    data = ani_file([cur_file([frames[i][s] for s in SIZES]) for i in range(FRAMES)])
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "wb") as f:
        f.write(data)
    print("wrote %s (%d bytes, %d frames)" % (os.path.relpath(OUT), len(data), FRAMES))
    if args.preview:
        preview(frames, args.preview)
        print("wrote %s" % args.preview)


if __name__ == "__main__":
    main()
