#!/usr/bin/python3
"""Writes frames of GIFs that Pillow and ImageMagick encode, for the image data reader's tests and as the
fuzzer's seeds. Each frame-NN.bin holds width, height (16 bits little-endian), a flags byte
(1 = interlaced) and the frame's image data from the minimum code size on; frame-NN.pix holds
the colour indices as Pillow decodes them, rows top to bottom.

Usage: reference_frames.py FOLDER
"""
import io
import os
import random
import struct
import subprocess
import sys

from PIL import Image


def frames(gif):
    """(width, height, interlaced, image data) of every frame of a GIF stream."""
    pos = 6
    width, height, packed = struct.unpack_from("<HHB", gif, pos)
    pos += 7
    if packed & 0x80:
        pos += 3 * (2 << (packed & 7))
    while pos < len(gif):
        kind = gif[pos]
        if kind == 0x3B:
            return
        if kind == 0x21:
            pos += 2
            while gif[pos]:
                pos += gif[pos] + 1
            pos += 1
            continue
        left, top, w, h, packed = struct.unpack_from("<HHHHB", gif, pos + 1)
        pos += 10
        if packed & 0x80:
            pos += 3 * (2 << (packed & 7))
        start = pos
        pos += 1
        while gif[pos]:
            pos += gif[pos] + 1
        pos += 1
        yield w, h, bool(packed & 0x40), gif[start:pos]


def noise(rnd, size, colours):
    picture = Image.new("P", size)
    picture.putdata([rnd.randrange(colours) for _ in range(size[0] * size[1])])
    picture.putpalette([rnd.randrange(256) for _ in range(3 * colours)])
    return picture


def pictures():
    rnd = random.Random(5)
    for colours in (2, 3, 4, 8, 16, 32, 64, 128, 256):
        yield noise(rnd, (37, 23), colours), False
        yield noise(rnd, (37, 23), colours), True
    for size in ((1, 1), (1, 57), (61, 1), (3, 3), (333, 7)):
        yield noise(rnd, size, 256), size[1] % 2 == 1
    yield noise(rnd, (700, 500), 256), False
    runs = Image.new("P", (120, 40))
    runs.putdata([(x // 9 + y // 5) % 7 for y in range(40) for x in range(120)])
    runs.putpalette(list(range(21)))
    yield runs, False
    gradient = Image.linear_gradient("L").resize((64, 64)).convert("P")
    yield gradient, True


def encoded():
    """GIF streams of the test pictures: Pillow's, and ImageMagick's for small colour tables
    (Pillow always codes with 8 bits)."""
    for picture, interlace in pictures():
        buffer = io.BytesIO()
        picture.save(buffer, "GIF", interlace=interlace, optimize=False)
        yield buffer.getvalue(), interlace
    rnd = random.Random(9)
    for colours in (2, 4, 8, 16, 32):
        for interlace in (False, True):
            png = io.BytesIO()
            noise(rnd, (45, 31), colours).save(png, "PNG")
            gif = subprocess.run(["convert", "png:-", "-interlace", "GIF" if interlace else "None",
                                  "gif:-"], input=png.getvalue(), capture_output=True,
                                 check=True).stdout
            yield gif, interlace


def main(folder):
    os.makedirs(folder, exist_ok=True)
    count = 0
    for gif, interlace in encoded():
        buffer = io.BytesIO(gif)
        (w, h, interlaced, data), = frames(buffer.getvalue())
        assert interlaced == interlace or min(w, h) < 16, (w, h, interlace, interlaced)
        buffer.seek(0)
        with Image.open(buffer) as decoded:
            indices = bytes(decoded.getdata())
        name = os.path.join(folder, f"frame-{count:02d}")
        with open(name + ".bin", "wb") as out:
            out.write(struct.pack("<HHB", w, h, 1 if interlaced else 0) + data)
        with open(name + ".pix", "wb") as out:
            out.write(indices)
        count += 1
    print(f"{count} frames")


if __name__ == "__main__":
    main(sys.argv[1])
