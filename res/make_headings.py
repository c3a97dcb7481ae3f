#!/usr/bin/python3
"""Draws the main window's heading pictures (JPEG resources), German and English.

The start panel's banner (start_top.jpg, 400 x 44) and the headings of the file and keyword
wizards (top_datei.jpg, top_stw.jpg, 300 x 32) carry German texts; the English pictures of the
same size (start_topen.jpg, top_datei_en.jpg, top_stw_en.jpg) lie over them while the program
speaks English. The text wizard's heading reads the same in both languages and is a label.
"""
from PIL import Image, ImageDraw, ImageFont

FONTS = "/usr/share/fonts/truetype/dejavu/"
BANNER = (400, 44)
HEADING = (300, 32)


def font(name, size):
    return ImageFont.truetype(FONTS + name, size)


def banner(title, subtitle):
    img = Image.new("RGB", BANNER)
    d = ImageDraw.Draw(img)
    for x in range(BANNER[0]):
        t = x / (BANNER[0] - 1)
        d.line([(x, 0), (x, BANNER[1])], fill=(int(24 + 20 * t), int(52 + 70 * t), int(96 + 40 * t)))
    for i, colour in enumerate([(200, 60, 40), (230, 160, 40), (60, 150, 80)]):
        d.rectangle([10, 8 + i * 10, 24, 15 + i * 10], fill=colour)
    d.text((36, 4), title, font=font("DejaVuSans-Bold.ttf", 18), fill=(255, 255, 255))
    d.text((36, 26), subtitle, font=font("DejaVuSans.ttf", 11), fill=(210, 225, 245))
    return img


def heading(text):
    img = Image.new("RGB", HEADING, (255, 255, 255))
    d = ImageDraw.Draw(img)
    d.text((0, 6), text, font=font("DejaVuSans-Bold.ttf", 16), fill=(0, 0, 0))
    d.line([(0, 29), (HEADING[0], 29)], fill=(230, 160, 40), width=2)
    return img


if __name__ == "__main__":
    banner("Willkommen bei Kaptorix", "Stichwortverzeichnisse erstellen").save("start_top.jpg", quality=90)
    banner("Welcome to Kaptorix", "Create keyword indexes").save("start_topen.jpg", quality=90)
    heading("Datei Index").save("top_datei.jpg", quality=90)
    heading("File Index").save("top_datei_en.jpg", quality=90)
    heading("Stichwort Index").save("top_stw.jpg", quality=90)
    heading("Keyword Index").save("top_stw_en.jpg", quality=90)
