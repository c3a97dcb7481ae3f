#!/usr/bin/python3
"""Checks the index texts and pictures that the text wizard saved, with readers of their own:
iconv decodes the texts, Pillow the pictures.

Usage: check_saved_files.py FOLDER  (FOLDER holds the files and their manifest.json)
"""
import os
import subprocess
import sys

from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import manifest_checks  # noqa: E402

MARKS = {"UTF-16LE": b"\xff\xfe", "UTF-16BE": b"\xfe\xff", "UTF-8": b"\xef\xbb\xbf"}


def check_text(folder, entry):
    with open(os.path.join(folder, entry["file"]), "rb") as f:
        data = f.read()
    mark = MARKS.get(entry["encoding"], b"")
    if entry["bom"]:
        assert mark and data.startswith(mark), f"no byte-order mark: {data[:4]!r}"
        data = data[len(mark):]
    else:
        assert not (mark and data.startswith(mark)), "a byte-order mark was written"
    decoded = subprocess.run(["iconv", "-f", entry["encoding"], "-t", "UTF-8"], input=data,
                             capture_output=True, check=True).stdout.decode("utf-8")
    if entry.get("signature"):
        assert decoded.startswith("\ufeff"), f"no signature: {decoded[:4]!r}"
        decoded = decoded[1:]
    assert decoded == entry["text"], f"decoded {decoded!r}, expected {entry['text']!r}"


def check_picture(folder, entry):
    with Image.open(os.path.join(folder, entry["file"])) as picture:
        assert picture.format == entry["format"], f"format {picture.format}"
        assert picture.size == (entry["width"], entry["height"]), f"size {picture.size}"
        rgb = picture.convert("RGB")
        colours = rgb.getcolors(maxcolors=picture.size[0] * picture.size[1])
        assert len(colours) > 1, "the picture holds no text"
        if "background" in entry:  # the corner lies in the margin; JPEG may shift it a little
            corner = rgb.getpixel((0, 0))
            assert all(abs(a - b) <= 12 for a, b in zip(corner, entry["background"])), f"background {corner}"


CHECKS = {"text": check_text, "picture": check_picture}


if __name__ == "__main__":
    manifest_checks.main(CHECKS)
