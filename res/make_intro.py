#!/usr/bin/python3
"""Draws the start screen's picture and its two English overlays (JPEG resources).

intro.jpg (325 x 210) carries the German title and footer; intro_en1.jpg (249 x 50) and
intro_en2.jpg (157 x 21) are cut from the same picture drawn with the English texts, at the
places where the start screen lays them over it: (76, 89) and (0, 189) in the picture.
"""
from PIL import Image, ImageDraw, ImageFont

SIZE = (325, 210)
TITLE_BOX = (76, 89, 76 + 249, 89 + 50)
FOOTER_BOX = (0, 189, 157, 189 + 21)
FONTS = "/usr/share/fonts/truetype/dejavu/"


def font(name, size):
    return ImageFont.truetype(FONTS + name, size)


def background():
    img = Image.new("RGB", SIZE)
    d = ImageDraw.Draw(img)
    for y in range(SIZE[1]):
        t = y / (SIZE[1] - 1)
        d.line([(0, y), (SIZE[0], y)], fill=(int(24 + 20 * t), int(52 + 70 * t), int(96 + 40 * t)))
    # An open book with index lines and letter tabs.
    d.rectangle([14, 34, 62, 96], fill=(250, 248, 240), outline=(20, 30, 50))
    for i, y in enumerate(range(44, 90, 7)):
        d.rectangle([20, y, 52 - (i % 3) * 6, y + 2], fill=(70, 90, 120))
    for i, (colour, letter) in enumerate([((200, 60, 40), "A"), ((230, 160, 40), "B"),
                                          ((60, 150, 80), "C")]):
        top = 38 + i * 19
        d.rectangle([63, top, 74, top + 15], fill=colour)
        d.text((65, top + 1), letter, font=font("DejaVuSans-Bold.ttf", 11), fill=(255, 255, 255))
    d.text((86, 30), "Kaptorix", font=font("DejaVuSerif-Bold.ttf", 40), fill=(255, 255, 255))
    d.line([(88, 80), (310, 80)], fill=(230, 160, 40), width=2)
    d.text((160, 192), "Kaptorix 0.1", font=font("DejaVuSans.ttf", 11), fill=(200, 215, 235))
    return img


def draw(title, footer):
    img = background()
    d = ImageDraw.Draw(img)
    d.text((TITLE_BOX[0] + 10, TITLE_BOX[1] + 6), title[0], font=font("DejaVuSans-Bold.ttf", 16),
           fill=(255, 255, 255))
    d.text((TITLE_BOX[0] + 10, TITLE_BOX[1] + 28), title[1], font=font("DejaVuSans.ttf", 12),
           fill=(210, 225, 245))
    d.text((FOOTER_BOX[0] + 6, FOOTER_BOX[1] + 4), footer, font=font("DejaVuSans.ttf", 11),
           fill=(200, 215, 235))
    return img


if __name__ == "__main__":
    german = draw(("Stichwortverzeichnisse", "aus Texten, Dokumenten und Listen"), "Deutsche Ausgabe")
    english = draw(("Keyword Indexes", "from texts, documents and lists"), "English Edition")
    german.save("intro.jpg", quality=90)
    english.crop(TITLE_BOX).save("intro_en1.jpg", quality=90)
    english.crop(FOOTER_BOX).save("intro_en2.jpg", quality=90)
