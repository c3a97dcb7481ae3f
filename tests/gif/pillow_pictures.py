#!/usr/bin/python3
"""Writes GIF pictures with Pillow for the picture reader's tests: for each NAME.gif a NAME.txt
with what Pillow reads from it and NAME-N.rgb with frame N as Pillow shows it (the whole screen,
RGB, rows top to bottom).

NAME.txt lines: "frames N", "loop N" (-1: none), "comment TEXT", "transparency N" (-1: none),
and per frame "frame N LEFT TOP WIDTH HEIGHT DURATION_MS".

Usage: pillow_pictures.py FOLDER
"""
import os
import random
import struct
import sys

from PIL import Image


def frame_rects(data):
    """(left, top, width, height) of every image descriptor."""
    pos = 13
    packed = data[10]
    if packed & 0x80:
        pos += 3 * (2 << (packed & 7))
    rects = []
    while pos < len(data) and data[pos] != 0x3B:
        if data[pos] == 0x21:
            pos += 2
            while data[pos]:
                pos += data[pos] + 1
            pos += 1
            continue
        left, top, width, height, fpacked = struct.unpack_from("<HHHHB", data, pos + 1)
        rects.append((left, top, width, height))
        pos += 10
        if fpacked & 0x80:
            pos += 3 * (2 << (fpacked & 7))
        pos += 1
        while data[pos]:
            pos += data[pos] + 1
        pos += 1
    return rects


def pattern(width, height, seed, colours):
    rnd = random.Random(seed)
    img = Image.new("P", (width, height))
    palette = []
    for i in range(colours):
        palette += [rnd.randrange(256), rnd.randrange(256), (i * 37) & 255]
    img.putpalette(palette + [0] * (768 - len(palette)))
    pixels = [((x // 3 + y // 2 + seed) % colours) if (x * y + seed) % 7 else rnd.randrange(colours)
              for y in range(height) for x in range(width)]
    img.putdata(pixels)
    return img


def write(folder, name, frames, **options):
    path = os.path.join(folder, name + ".gif")
    frames[0].save(path, save_all=len(frames) > 1, append_images=frames[1:], **options)
    with open(path, "rb") as f:
        rects = frame_rects(f.read())
    lines = []
    with Image.open(path) as picture:
        lines.append(f"frames {picture.n_frames}")
        lines.append(f"loop {picture.info.get('loop', -1)}")
        comment = picture.info.get("comment", b"").decode("latin-1")
        lines.append(f"comment {comment}")
        lines.append(f"transparency {picture.info.get('transparency', -1)}")
        for n in range(picture.n_frames):
            picture.seek(n)
            left, top, width, height = rects[n]
            lines.append(f"frame {n} {left} {top} {width} {height} {picture.info.get('duration', 0)}")
            with open(os.path.join(folder, f"{name}-{n}.rgb"), "wb") as f:
                f.write(picture.convert("RGB").tobytes())
    with open(os.path.join(folder, name + ".txt"), "w", encoding="latin-1") as f:
        f.write("\n".join(lines) + "\n")


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for entry in os.listdir(folder):
        os.remove(os.path.join(folder, entry))
    write(folder, "single", [pattern(61, 37, 1, 200)], interlace=False)
    write(folder, "interlaced", [pattern(45, 29, 2, 16)], interlace=True)
    write(folder, "two-colours", [pattern(9, 5, 3, 2)], interlace=False)
    animation = [pattern(40, 30, s, 64) for s in range(4)]
    write(folder, "animated", animation, duration=[100, 250, 70, 40], loop=2,
          transparency=5, comment=b"Kaptorix test picture", interlace=False)
    write(folder, "forever", [pattern(20, 20, s, 8) for s in range(3)], duration=120, loop=0,
          interlace=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
