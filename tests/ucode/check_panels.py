"""The screenshot of three panels: the wide panel's caption must look exactly like the reference
drawing of the same wide text in the same font (every character, none replaced by "?"), the
library's 8-bit panel with the caption's 8-bit form must not (so the comparison can tell them
apart), and the panel without caption shows its bevel and its background only. Beside the PNG
lie the reference drawing (-reference.png) and the panels' places (.txt: name x y width height)."""
import sys

from PIL import Image

INK = 110  # darker than this on white is text


def load(path):
    with Image.open(path) as image:
        image.load()
        assert image.format == "PNG", image.format
        return image.convert("L")


def ink_crop(gray, box):
    """The mask of dark pixels inside box, cut to their bounding box (None when there are none)."""
    region = gray.crop(box).point(lambda v: 255 if v < INK else 0)
    bounds = region.getbbox()
    return None if bounds is None else region.crop(bounds)


def agreement(a, b):
    if a.size != b.size:
        return 0.0
    pa, pb = a.getdata(), b.getdata()
    return sum(1 for p, q in zip(pa, pb) if p == q) / len(pa)


path = sys.argv[1]
stem = path[: -len(".png")]
shot = load(path)
drawn = load(stem + "-reference.png")
reference = ink_crop(drawn, (0, 0) + drawn.size)
assert reference is not None, "the reference drawing holds no text"
places = {}
with open(stem + ".txt") as listing:
    for line in listing:
        if line.strip():
            name, x, y, w, h = line.split()
            places[name] = (int(x), int(y), int(x) + int(w), int(y) + int(h))
assert set(places) == {"wide", "narrow", "empty"}, places

wide = ink_crop(shot, places["wide"])
assert wide is not None, "the wide panel shows no caption"
score = agreement(wide, reference)
assert score >= 0.97, f"wide caption {wide.size} differs from the reference {reference.size} ({score:.3f})"

narrow = ink_crop(shot, places["narrow"])
assert narrow is not None, "the 8-bit panel shows no caption"
assert agreement(narrow, reference) < 0.9, "the 8-bit caption cannot be told from the wide one"

x0, y0, x1, y1 = places["empty"]
inside = shot.crop((x0 + 2, y0 + 2, x1 - 2, y1 - 2))
low, high = inside.getextrema()
assert low >= 240, f"the empty panel shows more than its background ({low}..{high})"
edge = shot.crop((x0, y0, x1, y0 + 1))
assert edge.getextrema()[0] < 200, "the empty panel's bevel is missing"
print(f"{path}: wide caption as drawn by the system ({score:.3f}), 8-bit one apart, empty panel plain")
