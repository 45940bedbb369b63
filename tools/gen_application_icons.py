#!/usr/bin/python3
"""Draws the icons of the device's Start-menu applications.

Writes device/stubs/icons/<program>.ico (16 x 16 and 32 x 32) for calc,
calendar, cprog, fexplore, poutlook, solitare, tasks and tmail.  Each picture is drawn at
32 x 32 and reduced for the small size, so both show the same thing.

The output is committed; run this again only to change the art:
    /usr/bin/python3 tools/gen_application_icons.py
It needs Pillow (Debian package python3-pil).  Output is deterministic.
"""

import os

from PIL import Image, ImageDraw

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
OUT = os.path.join(ROOT, "device", "stubs", "icons")

CLEAR = (0, 0, 0, 0)
WHITE = (255, 255, 255, 255)
BLACK = (20, 20, 20, 255)
GREY = (150, 150, 150, 255)
RED = (210, 40, 40, 255)
BLUE = (30, 90, 200, 255)
GREEN = (40, 150, 60, 255)
YELLOW = (245, 200, 60, 255)
TAN = (235, 215, 170, 255)


def canvas():
    image = Image.new("RGBA", (32, 32), CLEAR)
    return image, ImageDraw.Draw(image)


def calendar():
    image, draw = canvas()
    draw.rectangle([3, 4, 28, 28], fill=WHITE, outline=BLACK)
    draw.rectangle([3, 4, 28, 10], fill=RED, outline=BLACK)
    for x in (9, 15, 21):
        draw.line([(x, 11), (x, 27)], fill=GREY)
    for y in (16, 22):
        draw.line([(4, y), (27, y)], fill=GREY)
    draw.rectangle([16, 17, 20, 21], fill=BLUE)
    return image


def tasks():
    image, draw = canvas()
    draw.rectangle([4, 3, 27, 29], fill=WHITE, outline=BLACK)
    for row, done in enumerate((True, True, False)):
        top = 7 + row * 7
        draw.rectangle([7, top, 11, top + 4], outline=BLACK)
        if done:
            draw.line([(7, top + 2), (9, top + 4), (13, top - 1)], fill=GREEN, width=2)
        draw.line([(14, top + 2), (24, top + 2)], fill=GREY, width=2)
    return image


def poutlook():
    image, draw = canvas()
    draw.rounded_rectangle([3, 5, 28, 27], radius=3, fill=TAN, outline=BLACK)
    draw.ellipse([7, 9, 15, 17], fill=BLUE)
    draw.pieslice([5, 16, 17, 30], 180, 360, fill=BLUE)
    for y in (11, 16, 21):
        draw.line([(19, y), (25, y)], fill=BLACK)
    return image


def fexplore():
    image, draw = canvas()
    draw.polygon([(3, 8), (12, 8), (15, 11), (28, 11), (28, 26), (3, 26)], fill=YELLOW, outline=BLACK)
    draw.line([(3, 14), (28, 14)], fill=(200, 150, 30, 255))
    return image


def calc():
    image, draw = canvas()
    draw.rounded_rectangle([6, 2, 25, 29], radius=2, fill=GREY, outline=BLACK)
    draw.rectangle([9, 5, 22, 10], fill=(200, 230, 200, 255), outline=BLACK)
    for row in range(4):
        for column in range(3):
            x = 9 + column * 5
            y = 13 + row * 4
            draw.rectangle([x, y, x + 3, y + 2], fill=WHITE if (row, column) != (3, 2) else RED)
    return image


def solitare():
    image, draw = canvas()
    draw.rounded_rectangle([3, 6, 19, 28], radius=2, fill=WHITE, outline=BLACK)
    draw.rounded_rectangle([12, 3, 28, 25], radius=2, fill=WHITE, outline=BLACK)
    draw.polygon([(20, 8), (24, 14), (20, 20), (16, 14)], fill=RED)
    draw.ellipse([6, 19, 11, 24], fill=BLACK)
    return image


def cprog():
    image, draw = canvas()
    draw.rounded_rectangle([8, 2, 23, 29], radius=3, fill=BLACK)
    draw.rectangle([10, 5, 21, 13], fill=(200, 230, 200, 255))
    for row in range(3):
        for column in range(3):
            x = 10 + column * 4
            y = 16 + row * 4
            draw.rectangle([x, y, x + 2, y + 2], fill=WHITE)
    draw.rectangle([14, 27, 17, 28], fill=GREEN)
    return image


def tmail():
    image, draw = canvas()
    draw.rectangle([3, 8, 28, 25], fill=WHITE, outline=BLACK)
    draw.line([(3, 8), (15, 18), (28, 8)], fill=BLACK, width=2)
    draw.line([(3, 25), (12, 16)], fill=GREY)
    draw.line([(28, 25), (19, 16)], fill=GREY)
    return image


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, draw in (("calc", calc), ("calendar", calendar), ("cprog", cprog), ("fexplore", fexplore),
                       ("poutlook", poutlook), ("solitare", solitare), ("tasks", tasks),
                       ("tmail", tmail)):
        picture = draw()
        # Classic icon bitmaps: every icon loader reads them.
        picture.save(os.path.join(OUT, name + ".ico"), sizes=[(32, 32), (16, 16)], bitmap_format="bmp")


if __name__ == "__main__":
    main()
