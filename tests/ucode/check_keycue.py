"""The screenshots of a window before and after the keyboard-cue fix ran: before the idle turn
the stale marks painted over its controls still show, after it every control was repainted."""
import sys

from PIL import Image

before_path, after_path, points_path = sys.argv[1:4]
MARK = (255, 0, 255)


def load(path):
    with Image.open(path) as image:
        image.load()
        assert image.format == "PNG", image.format
        return image.convert("RGB")


before, after = load(before_path), load(after_path)
assert before.size == after.size, (before.size, after.size)
with open(points_path) as listing:
    points = [tuple(int(v) for v in line.split()) for line in listing if line.strip()]
assert len(points) >= 3, "too few controls listed"
for x, y in points:
    assert before.getpixel((x, y)) == MARK, f"no stale mark at {x},{y} before the repaint"
    assert after.getpixel((x, y)) != MARK, f"stale mark at {x},{y} after the repaint"
print(f"{len(points)} controls repainted")
