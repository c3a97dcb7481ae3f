"""The screenshot of the form with every control decodes with Pillow and shows a picture."""
import sys

from PIL import Image

path = sys.argv[1]
with Image.open(path) as image:
    image.load()
    assert image.format == "PNG", image.format
    assert image.mode == "RGB", image.mode
    width, height = image.size
    assert width >= 300 and height >= 200, image.size
    colours = image.getcolors(maxcolors=1 << 16)
    assert colours is None or len(colours) >= 8, "screenshot has too few colours"
print(f"{path}: {width} x {height}")
