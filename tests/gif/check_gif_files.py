#!/usr/bin/python3
"""Checks the GIF files that the codec wrote, with Pillow and ImageMagick as independent decoders.

Usage: check_gif_files.py FOLDER  (FOLDER holds the files and their manifest.json)
"""
import os
import subprocess
import sys

from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import manifest_checks  # noqa: E402


def parse_blocks(data):
    """Walks the block structure; returns header fields and one dict per frame."""
    assert data[:3] == b"GIF", "no GIF signature"
    info = {"version": data[3:6].decode("latin-1"), "frames": [], "extensions": []}
    width, height, packed, background, aspect = (
        int.from_bytes(data[6:8], "little"), int.from_bytes(data[8:10], "little"),
        data[10], data[11], data[12])
    info.update(width=width, height=height, packed=packed, background=background, aspect=aspect)
    at = 13
    if packed & 0x80:
        at += 3 * (2 << (packed & 7))

    def sub_blocks(at):
        lengths = []
        while True:
            assert at < len(data), "sub-block chain runs past the end"
            n = data[at]
            at += 1
            if n == 0:
                return lengths, at
            lengths.append(n)
            at += n

    while True:
        assert at < len(data), "no trailer"
        kind = data[at]
        if kind == 0x3B:
            assert at + 1 == len(data), "bytes after the trailer"
            break
        if kind == 0x21:
            label = data[at + 1]
            lengths, at = sub_blocks(at + 2)
            info["extensions"].append((label, lengths))
            continue
        assert kind == 0x2C, f"unknown block 0x{kind:02x} at {at}"
        fw, fh = int.from_bytes(data[at + 5:at + 7], "little"), int.from_bytes(data[at + 7:at + 9], "little")
        fpacked = data[at + 9]
        at += 10
        if fpacked & 0x80:
            at += 3 * (2 << (fpacked & 7))
        code_size = data[at]
        lengths, at = sub_blocks(at + 1)
        assert lengths, "image data without a sub-block"
        assert all(n == 255 for n in lengths[:-1]), "a data sub-block before the last is short"
        info["frames"].append({"width": fw, "height": fh, "packed": fpacked, "code_size": code_size})
    return info


def magick_rgb(path):
    return subprocess.run(["convert", path + "[0]", "-depth", "8", "rgb:-"],
                          check=True, capture_output=True).stdout


def check_indices(folder, entry):
    path = os.path.join(folder, entry["file"])
    with open(path, "rb") as f:
        data = f.read()
    parse_blocks(data)
    with open(os.path.join(folder, entry["raw"]), "rb") as f:
        raw = f.read()
    with Image.open(path) as picture:
        assert picture.size == (entry["width"], entry["height"]), f"size {picture.size}"
        assert picture.mode == "P", f"mode {picture.mode}"
        decoded = picture.tobytes()
    if decoded != raw:
        first = next(i for i in range(len(raw)) if decoded[i] != raw[i])
        raise AssertionError(f"Pillow: pixel {first} is {decoded[first]}, source {raw[first]}")
    if entry.get("magick"):
        palette = [bytes(c) for c in entry["palette"]]
        expected = b"".join(palette[i] for i in raw)
        assert magick_rgb(path) == expected, "ImageMagick decodes other colours"


def check_rgb(folder, entry):
    """The file decodes to the colours of a reference picture (a BMP or raw RGB bytes)."""
    path = os.path.join(folder, entry["file"])
    with open(path, "rb") as f:
        info = parse_blocks(f.read())
    for key in ("version", "packed"):
        if key in entry:
            assert info[key] == entry[key], f"{key} {info[key]!r}, expected {entry[key]!r}"
    if "frame_packed" in entry:
        assert info["frames"][0]["packed"] == entry["frame_packed"], \
            f"frame packed 0x{info['frames'][0]['packed']:02x}"
    if "code_size" in entry:
        assert info["frames"][0]["code_size"] == entry["code_size"]
    if "transparent" in entry:
        controls = [e for e in info["extensions"] if e[0] == 0xF9]
        assert len(controls) == 1, "no graphic control extension"
    with Image.open(path) as picture:
        if "transparent" in entry:
            assert picture.info.get("transparency") == entry["transparent"], \
                f"transparent index {picture.info.get('transparency')}"
        decoded = picture.convert("RGB")
    with open(os.path.join(folder, entry["expected"]), "rb") as f:
        expected = f.read()
    assert decoded.size == (entry["width"], entry["height"]), f"size {decoded.size}"
    assert decoded.tobytes() == expected, "Pillow decodes other colours"
    assert magick_rgb(path) == expected, "ImageMagick decodes other colours"


def check_structure(folder, entry):
    """Header fields only (files without frames that decoders refuse)."""
    with open(os.path.join(folder, entry["file"]), "rb") as f:
        info = parse_blocks(f.read())
    for key in ("version", "packed", "width", "height"):
        assert info[key] == entry[key], f"{key} {info[key]!r}, expected {entry[key]!r}"
    assert len(info["frames"]) == entry["frames"]


def check_bitmap(folder, entry):
    """A picture assigned from a bitmap: its colours are the reference BMP's, exactly or in
    their nearest web colours; pixels of the transparent colour carry the transparent index."""
    path = os.path.join(folder, entry["file"])
    with open(path, "rb") as f:
        info = parse_blocks(f.read())
    assert info["version"] == entry["version"], f"version {info['version']}"
    assert len(info["frames"]) == 1
    with Image.open(os.path.join(folder, entry["reference"])) as reference:
        expected = bytearray(reference.convert("RGB").tobytes())
        size = reference.size
    if entry["mapping"] == "web":
        expected = bytearray(manifest_checks.web_level(c) for c in expected)
    with Image.open(path) as picture:
        assert picture.size == size, f"size {picture.size}, expected {size}"
        indices = picture.tobytes()
        transparency = picture.info.get("transparency")
        decoded = picture.convert("RGB").tobytes()
    if "transparent" in entry:
        key = bytes(entry["transparent"])
        source = bytes(expected)
        assert transparency is not None, "no transparent index"
        for i in range(len(indices)):
            is_key = source[3 * i:3 * i + 3] == key
            assert (indices[i] == transparency) == is_key, f"pixel {i}: transparency wrong"
            if is_key:
                expected[3 * i:3 * i + 3] = decoded[3 * i:3 * i + 3]
    else:
        assert transparency is None, f"transparent index {transparency} in an opaque picture"
    assert decoded == bytes(expected), "Pillow decodes other colours"
    if "transparent" not in entry:
        assert magick_rgb(path) == bytes(expected), "ImageMagick decodes other colours"


def check_animation(folder, entry):
    """Several frames with their extensions, as Pillow reads them."""
    path = os.path.join(folder, entry["file"])
    with open(path, "rb") as f:
        info = parse_blocks(f.read())
    assert info["version"] == "89a"
    assert len(info["frames"]) == entry["frames"]
    with Image.open(path) as picture:
        assert picture.n_frames == entry["frames"], f"{picture.n_frames} frames"
        assert picture.info.get("loop") == entry["loop"], f"loop {picture.info.get('loop')}"
        assert picture.info.get("comment") == entry["comment"].encode("latin-1"), \
            f"comment {picture.info.get('comment')!r}"
        durations = []
        for n in range(picture.n_frames):
            picture.seek(n)
            durations.append(picture.info.get("duration"))
        assert durations == entry["durations"], f"durations {durations}"
    comments = [e for e in info["extensions"] if e[0] == 0xFE]
    assert [c[1] for c in comments] == [entry["comment_blocks"]], f"comment blocks {comments}"


def check_resaved(folder, entry):
    """A damaged file the codec loaded and saved again: sound blocks, and every frame decodes."""
    path = os.path.join(folder, entry["file"])
    with open(path, "rb") as f:
        info = parse_blocks(f.read())
    assert len(info["frames"]) == entry["frames"], f"{len(info['frames'])} frames"
    with Image.open(path) as picture:
        assert picture.n_frames == entry["frames"], f"Pillow reads {picture.n_frames} frames"
        for n in range(picture.n_frames):
            picture.seek(n)
            picture.load()
    magick = subprocess.run(["identify", path], capture_output=True)
    assert magick.returncode == 0 and not magick.stderr, f"ImageMagick: {magick.stderr!r}"
    assert len(magick.stdout.splitlines()) == entry["frames"], "ImageMagick reads other frames"


CHECKS = {"indices": check_indices, "rgb": check_rgb, "structure": check_structure,
          "bitmap": check_bitmap, "animation": check_animation,
          "resaved": check_resaved}


if __name__ == "__main__":
    manifest_checks.main(CHECKS)
