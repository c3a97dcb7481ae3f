#!/usr/bin/python3
"""Checks the pictures that the program wrote, with Pillow as the independent decoder.

Usage: check_pictures.py FOLDER  (FOLDER holds the pictures and their manifest.json)
"""
import os
import sys

from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import manifest_checks  # noqa: E402


def load_rgb(folder, name):
    with Image.open(os.path.join(folder, name)) as picture:
        return picture.convert("RGB")


def mean_difference(a, b):
    pa, pb = a.tobytes(), b.tobytes()
    return sum(abs(x - y) for x, y in zip(pa, pb)) / len(pa)


def check_text(folder, entry):
    picture = load_rgb(folder, entry["file"])
    assert picture.size == (entry["width"], entry["height"]), \
        f"size {picture.size}, expected {(entry['width'], entry['height'])}"
    background = tuple(entry["background"])
    if "like" in entry:  # a JPEG: close to the BMP of the same text
        reference = load_rgb(folder, entry["like"])
        difference = mean_difference(picture, reference)
        assert difference < 6.0, f"mean difference {difference:.2f} from {entry['like']}"
        return
    width, height = picture.size
    for x, y in [(0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1),
                 (5, height // 2), (width // 2, 5)]:
        assert picture.getpixel((x, y)) == background, \
            f"pixel {(x, y)} is {picture.getpixel((x, y))}, not the background"
    colours = picture.getcolors(maxcolors=width * height)
    counts = {colour: count for count, colour in colours}
    ink = counts.get(tuple(entry["ink"]), 0)
    if entry["blank"]:
        assert counts == {background: width * height}, "an empty text drew something"
    else:
        assert ink >= 20 * entry["lines"], f"only {ink} pixels in the font colour"
        assert counts[background] > width * height // 2, "the background is not the main colour"


def check_same_pixels(folder, entry):
    converted = load_rgb(folder, entry["file"])
    with Image.open(os.path.join(folder, entry["like"])) as original:
        assert original.mode in ("1", "P", "L"), f"{entry['like']} is not indexed: {original.mode}"
        reference = original.convert("RGB")
    assert converted.size == reference.size
    assert converted.tobytes() == reference.tobytes(), "colours changed in the conversion"


def check_rows(folder, entry):
    picture = load_rgb(folder, entry["file"])
    assert picture.getpixel((0, 0)) == tuple(entry["top"]), f"top row {picture.getpixel((0, 0))}"
    bottom = picture.getpixel((0, picture.size[1] - 1))
    assert bottom == tuple(entry["bottom"]), f"bottom row {bottom}"


def check_absent(folder, entry):
    assert not os.path.exists(os.path.join(folder, entry["file"])), "a file was written"
    left = [name for name in os.listdir(folder) if name.endswith(".tmp")]
    assert not left, f"temporary files left behind: {left}"


def check_unchanged(folder, entry):
    with open(os.path.join(folder, entry["file"]), "rb") as f:
        assert f.read() == entry["bytes"].encode("latin-1"), "the old file was changed"


def check_size(folder, entry):
    picture = load_rgb(folder, entry["file"])
    assert picture.size == (entry["width"], entry["height"]), f"size {picture.size}"


def check_web(folder, entry):
    """A GIF of the default settings: 87a, one frame with a 256-entry local table whose first
    216 entries are the web cube and the rest black, each pixel the nearest cube colour."""
    path = os.path.join(folder, entry["file"])
    with open(path, "rb") as f:
        data = f.read()
    assert data[:6] == b"GIF87a", f"signature {data[:6]!r}"
    assert data[10] == 0x77, f"screen packed fields 0x{data[10]:02x}"
    assert data[11] == 0 and data[12] == 0, "background index or aspect ratio set"
    assert data[13] == 0x2C and data[22] == 0x87, "no frame with a 256-entry local table"
    table = data[23:23 + 768]
    cube = bytes(v for r in range(6) for g in range(6) for b in range(6) for v in (51 * r, 51 * g, 51 * b))
    assert table == cube + bytes(768 - len(cube)), "the local table is not the web cube"
    assert data[23 + 768] == 8, "minimum code size"
    assert data[-1] == 0x3B, "no trailer"
    reference = load_rgb(folder, entry["like"])
    expected = bytes(manifest_checks.web_level(c) for c in reference.tobytes())
    decoded = load_rgb(folder, entry["file"])
    assert decoded.size == reference.size, f"size {decoded.size}, expected {reference.size}"
    assert decoded.tobytes() == expected, "pixels are not the web mapping of the BMP's"
    with Image.open(path) as picture:
        assert max(picture.tobytes()) < 216, "a pixel outside the cube"


CHECKS = {"text": check_text, "web": check_web, "same-pixels": check_same_pixels, "rows": check_rows,
          "absent": check_absent, "unchanged": check_unchanged, "size": check_size}


if __name__ == "__main__":
    manifest_checks.main(CHECKS)
