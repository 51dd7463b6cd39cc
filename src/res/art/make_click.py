#!/usr/bin/env python3
"""Makes the launcher's click sound: src/res/sound/click.wav.

8-bit unsigned mono PCM at 11025 samples per second, 658 samples (about 60 ms): a short
clack, a damped high tone over a brief body tone and a breath of noise, dying to silence (128)
well before the end so that stopping it can never pop. The file carries "fmt ", "fact", "data"
and a "DISP" title chunk and is exactly 1166 bytes.

Needs only Python 3's standard library. Run: python3 src/res/art/make_click.py
"""

import math
import os
import struct

RATE = 11025
SAMPLES = 658
FILE_SIZE = 1166
TITLE = b"Ralimet click"
CF_TEXT = 1

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(HERE), "sound", "click.wav")


def noise(n, seed=0x2545F491):
    """Fixed pseudo-random noise in -1..1 (xorshift32), so every run writes the same bytes."""
    x = seed
    out = []
    for _ in range(n):
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        out.append(x / 2147483648.0 - 1.0)
    return out


def samples():
    nz = noise(SAMPLES + 1)
    out = []
    for n in range(SAMPLES):
        t = n / RATE
        tone = (0.62 * math.sin(2 * math.pi * 2650 * t) * math.exp(-t / 0.0016)
                + 0.38 * math.sin(2 * math.pi * 1180 * t) * math.exp(-t / 0.0042))
        # the first difference of white noise: bright, with no low rumble
        hiss = 0.45 * (nz[n + 1] - nz[n]) * math.exp(-t / 0.0007)
        attack = min(1.0, n / 2.0)  # two samples up: crisp, without a step
        out.append((tone + hiss) * attack)
    # fade to exact silence between 18 and 30 ms, far below a step of 8-bit at that point
    fade0, fade1 = int(0.018 * RATE), int(0.030 * RATE)
    for n in range(fade0, SAMPLES):
        w = 0.0 if n >= fade1 else 0.5 * (1 + math.cos(math.pi * (n - fade0) / (fade1 - fade0)))
        out[n] *= w
    # the tones start at zero phase and die within a few cycles, so the sum has next to no DC
    # (a tenth of a step): scaling to the peak is all it needs
    peak = max(abs(v) for v in out)
    return bytes(max(0, min(255, 128 + round(v / peak * 104))) for v in out)


def chunk(tag, body):
    if len(body) % 2:
        body += b"\0"  # chunks stay word aligned
    return tag + struct.pack("<I", len(body)) + body


def main():
    data = samples()
    assert len(data) == SAMPLES and data[-1] == 128 and data[0] == 128
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE, 1, 8)
    fact = struct.pack("<I", SAMPLES)
    head = chunk(b"fmt ", fmt) + chunk(b"fact", fact) + chunk(b"data", data)
    # the title chunk takes whatever room is left, as NUL padding after the text
    room = FILE_SIZE - 12 - len(head) - 8 - 4
    assert room >= len(TITLE) + 1 and room % 2 == 0
    disp = chunk(b"DISP", struct.pack("<I", CF_TEXT) + TITLE.ljust(room, b"\0"))
    body = b"WAVE" + head + disp
    wav = b"RIFF" + struct.pack("<I", len(body)) + body
    assert len(wav) == FILE_SIZE
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "wb") as f:
        f.write(wav)
    print("wrote %s (%d bytes)" % (os.path.relpath(OUT), len(wav)))


if __name__ == "__main__":
    main()
