#!/usr/bin/env python3
"""Checks src/res/cursors/horse.ani: the RIFF "ACON" layout that LoadCursorFromFile reads, and
every frame's cursor file: image sizes, 32-bit pixels with a matching AND mask, and a hot spot
that stays on the horse's nose in every frame. Standard library only.

Run: python3 src/res/art/check_horse.py [FILE]
"""

import os
import struct
import sys

from art_harness import check, finish

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT = os.path.join(os.path.dirname(HERE), "cursors", "horse.ani")

FRAMES = 8
JIFFIES = 6
TITLE = "Ralimet horse"
HOT = {32: (1, 10), 40: (2, 13), 48: (2, 15), 64: (2, 20)}  # just inside the tip of the nose
AF_ICON, AF_SEQUENCE = 1, 2

def chunks(data, start, end, where):
    """The chunks between start and end as (tag, body), checking that they tile the range."""
    out = []
    pos = start
    while pos < end:
        if not check(pos + 8 <= end, "%s: a chunk header runs past the end" % where):
            break
        tag, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        if not check(pos + 8 + size <= end, "%s: chunk %r runs past the end" % (where, tag)):
            break
        out.append((tag, data[pos + 8:pos + 8 + size]))
        pos += 8 + size + (size & 1)
    check(pos == end, "%s: %d stray bytes after the last chunk" % (where, pos - end))
    return out


def read_cur(blob, name):
    """Checks one frame's cursor file and returns {size: (hot spot, pixel rows of BGRA)}."""
    images = {}
    if not check(len(blob) >= 6, name + ": too short for a cursor file"):
        return images
    res, kind, count = struct.unpack_from("<HHH", blob)
    if not check(res == 0 and kind == 2 and count > 0, name + ": not a cursor file (type 2)"):
        return images
    if not check(6 + 16 * count <= len(blob), name + ": directory runs past the end"):
        return images
    spans = []
    for k in range(count):
        w, h, colours, zero, hx, hy, length, off = struct.unpack_from("<BBBBHHII", blob, 6 + 16 * k)
        w, h = w or 256, h or 256
        what = "%s, %dx%d" % (name, w, h)
        check(colours == 0 and zero == 0, what + ": colour count and reserved byte must be 0")
        if not check(off >= 6 + 16 * count and off + length <= len(blob),
                     what + ": image data outside the file"):
            continue
        spans.append((off, off + length))
        dib = blob[off:off + length]
        hs, bw, bh, planes, bpp, comp = struct.unpack_from("<IiiHHI", dib)
        if not check(hs == 40 and bw == w and bh == 2 * h and planes == 1 and bpp == 32
                     and comp == 0,
                     what + ": not an uncompressed 32-bit DIB of %dx%d with its mask" % (w, h)):
            continue
        stride = (w + 31) // 32 * 4
        if not check(length == 40 + w * h * 4 + stride * h,
                     what + ": %d bytes, not header, pixels and mask" % length):
            continue
        rows = [dib[40 + y * w * 4:40 + (y + 1) * w * 4] for y in range(h)][::-1]  # top down
        masks = [dib[40 + w * h * 4 + y * stride:40 + w * h * 4 + (y + 1) * stride]
                 for y in range(h)][::-1]
        bad_mask = bad_clear = 0
        for row, mask in zip(rows, masks):
            for x in range(w):
                a = row[4 * x + 3]
                bit = mask[x // 8] >> (7 - x % 8) & 1
                bad_mask += bit != (a == 0)
                bad_clear += a == 0 and row[4 * x:4 * x + 3] != b"\0\0\0"
        check(bad_mask == 0,
              what + ": %d pixels where the AND mask disagrees with alpha" % bad_mask)
        check(bad_clear == 0, what + ": %d transparent pixels carry colour" % bad_clear)
        check(0 <= hx < w and 0 <= hy < h, what + ": hot spot (%d, %d) off the image" % (hx, hy))
        check(w not in images, what + ": two images of the same size")
        images[w] = ((hx, hy), rows)
    spans.sort()
    check(all(a[1] <= b[0] for a, b in zip(spans, spans[1:])), name + ": images overlap")
    return images


def check_frame(images, name):
    check(sorted(images) == sorted(HOT), "%s: sizes %s, expected %s"
          % (name, sorted(images), sorted(HOT)))
    for w, ((hx, hy), rows) in sorted(images.items()):
        what = "%s, %dx%d" % (name, w, w)
        check((hx, hy) == HOT[w], what + ": hot spot (%d, %d), expected %s" % (hx, hy, HOT[w]))
        # the hot spot lies on the nose itself: opaque and dark, not the light rim around it
        b, g, r, a = rows[hy][4 * hx:4 * hx + 4]
        check(a == 255 and r + g + b < 3 * 180,
              what + ": hot spot pixel (%d, %d, %d, %d) is not on the horse" % (r, g, b, a))
        # and nothing else of the horse lies further forward on that line
        check(all(rows[hy][4 * x + 3] == 0 or sum(rows[hy][4 * x:4 * x + 3]) > 3 * 180
                  for x in range(hx)), what + ": the horse reaches in front of its hot spot")
        # a cut-off leg or tail would show as drawing on the top, bottom or right edge
        edges = [rows[0], rows[-1], bytes(v for row in rows for v in row[-4:])]
        check(all(e[3::4] == bytes(len(e) // 4) for e in edges),
              what + ": the horse touches the top, bottom or right edge")
        opaque = sum(row[3::4].count(255) for row in rows)
        check(0.15 * w * w < opaque < 0.6 * w * w,
              what + ": %d opaque pixels, not a horse-sized shape" % opaque)


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else DEFAULT
    with open(path, "rb") as f:
        data = f.read()
    name = os.path.basename(path)
    if not check(data[:4] == b"RIFF" and data[8:12] == b"ACON", name + ": not a RIFF ACON file"):
        finish("check_horse")
    size = struct.unpack_from("<I", data, 4)[0]
    check(size == len(data) - 8, name + ": RIFF size %d for %d bytes" % (size, len(data) - 8))
    top = chunks(data, 12, min(len(data), 8 + size), name)
    tags = [t for t, _ in top]
    lists = {b[:4]: b for t, b in top if t == b"LIST"}

    anih = [b for t, b in top if t == b"anih"]
    if not check(len(anih) == 1 and len(anih[0]) == 36, name + ": needs one 36-byte anih chunk"):
        finish("check_horse")
    (cb, frames, steps, cx, cy, bits, planes, rate, flags) = struct.unpack("<9I", anih[0])
    check(cb == 36, name + ": anih cbSize %d" % cb)
    check(frames == FRAMES, name + ": %d frames, expected %d" % (frames, FRAMES))
    check(flags & AF_ICON, name + ": frames not flagged as icons (AF_ICON)")
    check((cx, cy, bits, planes) == (0, 0, 0, 0),
          name + ": anih size fields must be 0 with AF_ICON")
    check(rate == JIFFIES, name + ": %d jiffies a step, expected %d" % (rate, JIFFIES))
    check(b"fram" in lists and tags.index(b"anih") < tags.index(b"LIST", tags.index(b"anih")),
          name + ": the anih header must come before the frame list")
    if flags & AF_SEQUENCE:
        seq = [b for t, b in top if t == b"seq "]
        if check(len(seq) == 1 and len(seq[0]) == 4 * steps, name + ": seq chunk missing or short"):
            check(all(i < frames for i in struct.unpack("<%dI" % steps, seq[0])),
                  name + ": seq names a frame that does not exist")
    else:
        check(steps == frames, name + ": %d steps for %d frames and no sequence" % (steps, frames))
    for r in [b for t, b in top if t == b"rate"]:
        check(len(r) == 4 * steps and all(0 < j <= 60 for j in struct.unpack("<%dI" % steps, r)),
              name + ": rate chunk does not give every step 1 to 60 jiffies")

    info = lists.get(b"INFO")
    if check(info is not None, name + ": no INFO list"):
        inam = [b for t, b in chunks(info, 4, len(info), "INFO") if t == b"INAM"]
        check(inam and inam[0].rstrip(b"\0").decode("ascii", "replace") == TITLE,
              name + ": INFO title is not %r" % TITLE)

    fram = lists.get(b"fram")
    if not check(fram is not None, name + ": no LIST fram"):
        finish("check_horse")
    icons = chunks(fram, 4, len(fram), "fram")
    check(all(t == b"icon" for t, _ in icons), name + ": fram holds chunks other than icon")
    check(len(icons) == frames, name + ": %d icon chunks for %d frames" % (len(icons), frames))
    seen = set()
    for i, (_, blob) in enumerate(icons):
        frame = "frame %d" % i
        images = read_cur(blob, frame)
        check_frame(images, frame)
        pixels = b"".join(b"".join(rows) for _, rows in images.values())
        check(pixels not in seen, frame + ": the same picture as an earlier frame")
        seen.add(pixels)

    finish("check_horse", "%d frames at %d jiffies; " % (frames, rate))


if __name__ == "__main__":
    main()
