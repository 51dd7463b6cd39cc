#!/usr/bin/env python3
"""Checks the generated artwork against what the program expects of it.

The program builds one palette from the panel bitmap and draws every face with it, and picks
the second set by adding 1000 to an identifier, so both sets must be 8-bit pictures with one
colour table per set and the same pixel indices. Also checks the click sound's layout and the
icons. Standard library only. Run: python3 src/res/art/check_art.py
"""

import os
import re
import struct
import zlib

from art_harness import check, finish

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)

PANEL = 144
BIG = [159, 176, 177, 160, 178, 179, 162, 180, 192, 165, 182, 183, 169, 186, 187,
       163, 181, 193, 149, 146, 148, 166, 184, 185, 167, 188, 189, 168, 190, 191]
SMALL = [170, 194, 197, 171, 195, 196]
ALT = 1000
SIZES = dict([(PANEL, (290, 389))] + [(i, (135, 50)) for i in BIG] + [(i, (122, 25)) for i in SMALL])
# Where each face stands on the panel (its three states share the place), for the drawn scales.
PLACES = dict([(PANEL, (0, 0))] + [(i, (10 if k < 15 else 145, 90 + 50 * (k % 15 // 3)))
                                   for k, i in enumerate(BIG)]
              + [(i, (15 if k < 3 else 153, 353)) for k, i in enumerate(SMALL)])
SCALES = (125, 150, 175, 200)  # percent, as PNG resources of id percent * 100 + bitmap id

def read_bmp(path):
    """Returns (width, height, colour table bytes, pixel bytes) after checking the format."""
    name = os.path.relpath(path, RES)
    with open(path, "rb") as f:
        d = f.read()
    if not check(d[:2] == b"BM" and len(d) >= 54, name + ": not a BMP file"):
        return None
    size, r1, r2, off = struct.unpack_from("<IHHI", d, 2)
    (hsize, w, h, planes, bpp, comp, isize, _, _, used, important) = struct.unpack_from("<IiiHHIIiiII", d, 14)
    check(size == len(d), name + ": bfSize %d, file %d bytes" % (size, len(d)))
    check(hsize == 40, name + ": header of %d bytes, not a 40-byte BITMAPINFOHEADER" % hsize)
    check(bpp == 8, name + ": %d bits per pixel, not 8" % bpp)
    check(comp == 0, name + ": compression %d, not BI_RGB" % comp)
    check(h > 0, name + ": top-down (negative height)")
    check(planes == 1, name + ": %d planes" % planes)
    check(used in (0, 256), name + ": biClrUsed %d, the table must have 256 entries" % used)
    check(off == 14 + 40 + 1024, name + ": pixels at %d, not right after a 256-entry table" % off)
    stride = (w + 3) & ~3
    check(len(d) - off == stride * abs(h), name + ": %d bytes of pixels for %dx%d" % (len(d) - off, w, h))
    check(isize in (0, stride * abs(h)), name + ": biSizeImage %d" % isize)
    return w, abs(h), d[54:54 + 1024], d[off:]


def check_bitmaps():
    sets = {}
    for base in (0, ALT):
        for i in sorted(SIZES):
            bid = i + base
            path = os.path.join(RES, "bitmaps", "%d.bmp" % bid)
            if not check(os.path.exists(path), "missing bitmaps/%d.bmp" % bid):
                continue
            got = read_bmp(path)
            if got is None:
                continue
            w, h, table, pixels = got
            check((w, h) == SIZES[i], "bitmaps/%d.bmp: %dx%d, expected %dx%d" % ((bid, w, h) + SIZES[i]))
            sets[bid] = (table, pixels)
    for base, label in ((0, "main"), (ALT, "alternative")):
        panel = sets.get(PANEL + base)
        if panel is None:
            continue
        for i in SIZES:
            got = sets.get(i + base)
            if got is not None:
                check(got[0] == panel[0], "bitmaps/%d.bmp: colour table differs from the %s set's panel"
                      % (i + base, label))
        check(len(set(panel[0][k:k + 4] for k in range(0, 1024, 4))) > 16,
              "the %s set's colour table has hardly any distinct colours" % label)
        check(all(panel[0][k + 3] == 0 for k in range(0, 1024, 4)),
              "the %s set's colour table has non-zero reserved bytes" % label)
    if PANEL in sets and PANEL + ALT in sets:
        check(sets[PANEL][0] != sets[PANEL + ALT][0], "the two sets share one colour table")
    for i in SIZES:
        if i in sets and i + ALT in sets:
            check(sets[i][1] == sets[i + ALT][1], "bitmaps/%d.bmp and %d.bmp: pixels differ" % (i, i + ALT))
    # the resource fragment lists every bitmap once, with its path relative to src/res
    path = os.path.join(RES, "bitmaps.rc")
    if check(os.path.exists(path), "missing bitmaps.rc"):
        with open(path, encoding="utf-8") as f:
            text = f.read()
        lines = re.findall(r'^(\d+) BITMAP "bitmaps/(\d+)\.bmp"$', text, re.M)
        ids = [int(a) for a, b in lines if a == b]
        want = sorted(list(SIZES) + [i + ALT for i in SIZES])
        check(len(lines) == len(ids), "bitmaps.rc: a line names the wrong file")
        check(sorted(ids) == want, "bitmaps.rc: does not list exactly the %d bitmaps" % len(want))
        check("make_art.py" in text.split("\n")[0], "bitmaps.rc: header does not name its generator")
        check_scaled_pictures(text)


def scaled(v, percent):
    """A design position at the scale, rounded half up as the program rounds."""
    return (v * percent + 50) // 100


def read_png(path):
    """Returns (width, height, palette bytes, decompressed image data) after checking that it is
    an 8-bit palettised PNG with a whole 256-entry palette and no transparency."""
    name = os.path.relpath(path, RES)
    with open(path, "rb") as f:
        d = f.read()
    if not check(d[:8] == b"\x89PNG\r\n\x1a\n", name + ": not a PNG file"):
        return None
    chunks, pos = [], 8
    while pos + 12 <= len(d):
        n = struct.unpack_from(">I", d, pos)[0]
        chunks.append((d[pos + 4:pos + 8], d[pos + 8:pos + 8 + n]))
        check(zlib.crc32(d[pos + 4:pos + 8 + n]) == struct.unpack_from(">I", d, pos + 8 + n)[0],
              name + ": bad CRC")
        pos += 12 + n
    kinds = [k for k, _ in chunks]
    if not check(kinds[:1] == [b"IHDR"] and kinds[-1:] == [b"IEND"] and b"PLTE" in kinds,
                 name + ": chunks %r" % kinds):
        return None
    w, h, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    check((depth, colour, interlace) == (8, 3, 0), name + ": not 8-bit palettised, uninterlaced")
    check(b"tRNS" not in kinds, name + ": has transparency")
    palette = dict(chunks)[b"PLTE"]
    check(len(palette) == 768, name + ": palette of %d entries, not 256" % (len(palette) // 3))
    data = zlib.decompress(b"".join(c for k, c in chunks if k == b"IDAT"))
    check(len(data) == h * (w + 1), name + ": %d bytes of image data for %dx%d" % (len(data), w, h))
    return w, h, palette, data


def check_scaled_pictures(rc_text):
    """Each drawn scale: every picture at its place's size at that scale, one palette per set and
    scale, the two sets with the same indices and other colours, each listed once in bitmaps.rc."""
    listed = dict((int(a), b) for a, b in re.findall(r'^(\d+) PNG "bitmaps/(\d+/\d+\.png)"$', rc_text, re.M))
    for percent in SCALES:
        pics = {}
        for base in (0, ALT):
            for i in sorted(SIZES):
                name = "%d/%d.png" % (percent, i + base)
                path = os.path.join(RES, "bitmaps", name)
                check(listed.get(percent * 100 + i + base) == name, "bitmaps.rc: does not list " + name)
                if check(os.path.exists(path), "missing bitmaps/" + name):
                    pics[i + base] = read_png(path)
        for i in SIZES:
            (x, y), (w, h) = PLACES[i], SIZES[i]
            want = (scaled(x + w, percent) - scaled(x, percent), scaled(y + h, percent) - scaled(y, percent))
            for base in (0, ALT):
                got = pics.get(i + base)
                if got is None:
                    continue
                check(got[:2] == want, "bitmaps/%d/%d.png: %dx%d, expected %dx%d"
                      % ((percent, i + base) + got[:2] + want))
                panel = pics.get(PANEL + base)
                check(panel is not None and got[2] == panel[2],
                      "bitmaps/%d/%d.png: palette differs from its set's panel" % (percent, i + base))
            if pics.get(i) and pics.get(i + ALT):
                check(pics[i][3] == pics[i + ALT][3],
                      "bitmaps/%d/%d.png and %d.png: pixels differ" % (percent, i, i + ALT))
        if pics.get(PANEL) and pics.get(PANEL + ALT):
            check(pics[PANEL][2] != pics[PANEL + ALT][2], "%d %%: the two sets share one palette" % percent)
    check(len(listed) == len(SCALES) * 2 * len(SIZES), "bitmaps.rc: %d PNG lines" % len(listed))


def check_wave():
    path = os.path.join(RES, "sound", "click.wav")
    if not check(os.path.exists(path), "missing sound/click.wav"):
        return
    with open(path, "rb") as f:
        d = f.read()
    check(len(d) == 1166, "click.wav: %d bytes, not 1166" % len(d))
    if not check(d[:4] == b"RIFF" and d[8:12] == b"WAVE", "click.wav: not RIFF WAVE"):
        return
    check(struct.unpack_from("<I", d, 4)[0] == len(d) - 8, "click.wav: RIFF size does not match the file")
    chunks, pos = {}, 12
    order = []
    while pos + 8 <= len(d):
        tag, n = d[pos:pos + 4], struct.unpack_from("<I", d, pos + 4)[0]
        check(pos % 2 == 0, "click.wav: chunk %r not word aligned" % tag)
        chunks[tag] = d[pos + 8:pos + 8 + n]
        order.append(tag)
        pos += 8 + n + (n & 1)
    check(pos == len(d), "click.wav: chunks do not fill the file exactly")
    for tag in (b"fmt ", b"fact", b"data", b"DISP"):
        check(tag in chunks, "click.wav: no %r chunk" % tag)
    check(order.index(b"fmt ") < order.index(b"data") if b"data" in order and b"fmt " in order else True,
          "click.wav: data before fmt")
    if b"fmt " in chunks and len(chunks[b"fmt "]) >= 16:
        tag, ch, rate, avg, align, bits = struct.unpack_from("<HHIIHH", chunks[b"fmt "])
        check((tag, ch, rate, avg, align, bits) == (1, 1, 11025, 11025, 1, 8),
              "click.wav: format %r, expected PCM mono 11025 Hz 8-bit" % ((tag, ch, rate, avg, align, bits),))
    data = chunks.get(b"data", b"")
    check(len(data) == 658, "click.wav: %d bytes of samples, not 658" % len(data))
    if b"fact" in chunks:
        check(chunks[b"fact"] == struct.pack("<I", len(data)), "click.wav: fact does not give the sample count")
    if b"DISP" in chunks:
        disp = chunks[b"DISP"]
        check(disp[:4] == struct.pack("<I", 1) and b"\0" in disp[4:] and disp[4] != 0,
              "click.wav: DISP is not a CF_TEXT title ending in NUL")
    if data:
        check(data[0] == 128 and data[-1] == 128, "click.wav: does not start and end on silence (128)")
        check(max(data) - min(data) > 100, "click.wav: hardly audible")
        check(all(v == 128 for v in data[len(data) // 2:]), "click.wav: still sounding in its second half")


def check_icons():
    for name in ("ralimet.ico", "document.ico"):
        path = os.path.join(RES, "icons", name)
        if not check(os.path.exists(path), "missing icons/" + name):
            continue
        with open(path, "rb") as f:
            d = f.read()
        res, kind, n = struct.unpack_from("<HHH", d)
        if not check(res == 0 and kind == 1 and n > 0, name + ": not an icon file"):
            continue
        sizes = set()
        for k in range(n):
            w, h, _, _, planes, bpp, length, off = struct.unpack_from("<BBBBHHII", d, 6 + 16 * k)
            w, h = w or 256, h or 256
            sizes.add(w)
            blob = d[off:off + length]
            check(off + length <= len(d), "%s: image %d runs past the end" % (name, w))
            check(bpp == 32, "%s: image %d is %d-bit, not 32" % (name, w, bpp))
            if blob[:8] == b"\x89PNG\r\n\x1a\n":
                check(w == 256, "%s: PNG image at %d px" % (name, w))
                pw, ph = struct.unpack_from(">II", blob, 16)
                check((pw, ph) == (w, h), "%s: PNG of %dx%d in a %d entry" % (name, pw, ph, w))
            else:
                hs, bw, bh, _, bb = struct.unpack_from("<IiiHH", blob)
                check(hs == 40 and bw == w and bh == 2 * h and bb == 32,
                      "%s: DIB of image %d is not a 32-bit %dx%d with its mask" % (name, w, w, h))
        check(sizes == {16, 20, 24, 32, 40, 48, 64, 256}, "%s: sizes %s" % (name, sorted(sizes)))


def main():
    check_bitmaps()
    check_wave()
    check_icons()
    finish("check_art")


if __name__ == "__main__":
    main()
