"""The screenshot of wide windows drawn over the library's own window class: each window's
background is erased with its own colour. Beside the PNG lies a list of points (x y r g b), one
inside each window, with the colour its background must have."""
import sys

from PIL import Image

path = sys.argv[1]
points = path[: -len(".png")] + ".txt"
with Image.open(path) as image:
    image.load()
    assert image.format == "PNG", image.format
    rgb = image.convert("RGB")
    with open(points) as listing:
        rows = [line.split() for line in listing if line.strip()]
    assert len(rows) >= 3, "too few windows listed"
    for x, y, r, g, b in rows:
        got = rgb.getpixel((int(x), int(y)))
        want = (int(r), int(g), int(b))
        assert all(abs(p - q) <= 8 for p, q in zip(got, want)), f"at {x},{y}: {got}, expected {want}"
print(f"{path}: {len(rows)} backgrounds as expected")
