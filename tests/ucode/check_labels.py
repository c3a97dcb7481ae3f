"""The screenshot of a disabled label, a word-wrapped label with end ellipsis and a group box, all
with wide captions. The disabled label's caption is embossed: in the button shadow colour, with
the same text in the highlight colour one pixel down and to the right, and nowhere in the font's
own colour; its shape is that of the system's drawing of the text. The shortened label shows one
line: its first words, whole, followed by "..." (one of the system's drawings of one to four words
and "..."). The group box shows its caption 8 pixels from its left edge, and its frame: the line
down its left side, and the top line beside the caption. Beside the PNG lie the system's drawings
(-reference.png, one row of 40 pixels per text) and the places and colours (.txt)."""
import sys

from PIL import Image

INK = 110  # darker than this on white is text
ROW = 40


def load(path):
    with Image.open(path) as image:
        image.load()
        assert image.format == "PNG", image.format
        return image.convert("RGB")


def mask(image, box, test):
    """The pixels inside box that pass test, as a 1-bit image cut to their bounding box."""
    region = image.crop(box)
    out = Image.new("1", region.size)
    out.putdata([1 if test(p) else 0 for p in region.getdata()])
    bounds = out.getbbox()
    return None if bounds is None else (out.crop(bounds), bounds)


def ink(image, box):
    found = mask(image, box, lambda p: sum(p) / 3 < INK)
    return None if found is None else found[0]


def near(colour, distance=40):
    return lambda p: max(abs(a - b) for a, b in zip(p, colour)) <= distance


def agreement(a, b):
    if a.size != b.size:
        return 0.0
    pa, pb = a.getdata(), b.getdata()
    return sum(1 for p, q in zip(pa, pb) if bool(p) == bool(q)) / len(pa)


path = sys.argv[1]
stem = path[: -len(".png")]
shot = load(path)
drawn = load(stem + "-reference.png")
rows = [ink(drawn, (0, i * ROW, drawn.width, (i + 1) * ROW)) for i in range(drawn.height // ROW)]
assert len(rows) == 6 and all(r is not None for r in rows), "the reference drawings hold no text"
places, colours = {}, {}
with open(stem + ".txt") as listing:
    for line in listing:
        fields = line.split()
        if len(fields) == 5:
            x, y, w, h = map(int, fields[1:])
            places[fields[0]] = (x, y, x + w, y + h)
        elif len(fields) == 4:
            colours[fields[0]] = tuple(map(int, fields[1:]))
assert set(places) == {"disabled", "shortened", "group"}, places

# The disabled label: embossed, never in the font's colour.
box = places["disabled"]
shadow = mask(shot, box, near(colours["shadow"]))
highlight = mask(shot, box, near(colours["highlight"]))
assert shadow is not None, "the disabled label shows no shadow-coloured text"
assert highlight is not None, "the disabled label shows no highlight-coloured text"
(sx0, sy0, sx1, sy1), (hx0, hy0, hx1, hy1) = shadow[1], highlight[1]
assert abs(hx0 - sx0 - 1) <= 1 and abs(hy0 - sy0 - 1) <= 1 and abs(hx1 - sx1 - 1) <= 1 and abs(hy1 - sy1 - 1) <= 1, \
    f"the highlight {highlight[1]} is not the shadow {shadow[1]} one pixel down and right"
dark = [p for p in shot.crop(box).getdata() if max(p) < 50]
assert not dark, f"the disabled label shows {len(dark)} pixels in the font's colour"
reference = rows[0]
size_gap = max(abs(a - b) for a, b in zip(shadow[0].size, reference.size))
assert size_gap <= 2, f"the disabled caption {shadow[0].size} is not the wide text {reference.size}"

# The shortened label: one of the candidates "word ... word..." exactly.
shown = ink(shot, places["shortened"])
assert shown is not None, "the shortened label shows nothing"
scores = [agreement(shown, candidate) for candidate in rows[1:5]]
best = max(scores)
assert best >= 0.97, f"the shortened label {shown.size} is no run of whole words and '...' ({scores})"
assert scores.index(best) < 3, "the shortened label shows all its words"

# The group box: caption and frame.
gx0, gy0, gx1, gy1 = places["group"]
caption = rows[5]
cw, ch = caption.size
shown = ink(shot, (gx0 + 6, gy0, gx0 + 8 + cw + 6, gy0 + ch + 8))
assert shown is not None, "the group box shows no caption"
score = agreement(shown, caption)
assert score >= 0.97, f"the group box caption {shown.size} differs from the wide text {caption.size} ({score:.3f})"
gray = shot.convert("L")


def lined(xs, ys):
    return sum(1 for x in xs for y in ys if gray.getpixel((x, y)) < 235)


left_rows = range(gy0 + ch + 2, gy1 - 2)
left = sum(1 for y in left_rows if lined(range(gx0, gx0 + 3), [y]) > 0)
assert left >= 0.9 * len(left_rows), f"the frame's left side shows in {left} of {len(left_rows)} rows"
top_columns = range(gx0 + 8 + cw + 12, gx1 - 12)
top = max(sum(1 for x in top_columns if gray.getpixel((x, y)) < 235) for y in range(gy0, gy0 + ch + 2))
assert top >= 0.9 * len(top_columns), f"the frame's top line shows in {top} of {len(top_columns)} columns"
print("labels and group box drawn as expected")
