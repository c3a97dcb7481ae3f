#!/usr/bin/python3
"""Draws the program icon: a book page with index lines and a letter tab."""
from PIL import Image, ImageDraw

def draw(size):
    s = size / 32.0
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rectangle([4 * s, 2 * s, 25 * s, 29 * s], fill=(255, 255, 255, 255), outline=(40, 60, 90, 255))
    for i, y in enumerate(range(7, 27, 4)):
        right = 21 if i % 2 == 0 else 17
        d.rectangle([8 * s, y * s, right * s, (y + 1) * s], fill=(70, 90, 120, 255))
    d.rectangle([22 * s, 5 * s, 29 * s, 13 * s], fill=(200, 60, 40, 255))
    d.rectangle([22 * s, 15 * s, 29 * s, 23 * s], fill=(40, 120, 200, 255))
    return img

if __name__ == "__main__":
    big = draw(48)
    big.save("kaptorix.ico", sizes=[(16, 16), (32, 32), (48, 48)], append_images=[draw(16), draw(32)], bitmap_format="bmp")
