#!/usr/bin/python3
"""Draws the PIM summary's icons.

Writes pim/agendo/icons/<name>.ico, 16 x 16: mail (101), appointments
(104), tasks (102) and the previous and next arrows (105, 106) the
summary's bars show.

The output is committed; run this again only to change the art:
    /usr/bin/python3 tools/gen_pim_art.py
It needs Pillow (Debian package python3-pil).  Output is deterministic.
"""

import os

from PIL import Image, ImageDraw

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
OUT = os.path.join(ROOT, "pim", "agendo", "icons")

CLEAR = (0, 0, 0, 0)
WHITE = (255, 255, 255, 255)
INK = (40, 40, 40, 255)
GREY = (140, 140, 140, 255)
RED = (200, 40, 40, 255)
BLUE = (40, 90, 190, 255)
GREEN = (40, 140, 60, 255)
PAPER = (250, 236, 180, 255)


def canvas():
    image = Image.new("RGBA", (16, 16), CLEAR)
    return image, ImageDraw.Draw(image)


def mail():
    image, draw = canvas()
    draw.rectangle([1, 3, 14, 12], fill=PAPER, outline=INK)
    draw.line([(1, 3), (8, 8), (14, 3)], fill=INK)
    draw.line([(1, 12), (6, 7)], fill=GREY)
    draw.line([(14, 12), (10, 7)], fill=GREY)
    return image


def appointments():
    image, draw = canvas()
    draw.rectangle([1, 2, 14, 14], fill=WHITE, outline=INK)
    draw.rectangle([1, 2, 14, 5], fill=RED, outline=INK)
    for x in (5, 9):
        draw.line([(x, 6), (x, 13)], fill=GREY)
    draw.line([(2, 9), (13, 9)], fill=GREY)
    draw.rectangle([10, 10, 13, 13], fill=BLUE)
    return image


def tasks():
    image, draw = canvas()
    draw.rectangle([2, 1, 13, 14], fill=WHITE, outline=INK)
    for top, done in ((3, True), (8, False)):
        draw.rectangle([4, top, 7, top + 3], outline=INK)
        if done:
            draw.line([(4, top + 1), (5, top + 3), (9, top - 1)], fill=GREEN, width=2)
        draw.line([(9, top + 2), (12, top + 2)], fill=GREY)
    return image


def arrow(pointing_left):
    image, draw = canvas()
    if pointing_left:
        points = [(4, 8), (11, 2), (11, 14)]
    else:
        points = [(11, 8), (4, 2), (4, 14)]
    draw.polygon(points, fill=BLUE, outline=INK)
    return image


def main():
    os.makedirs(OUT, exist_ok=True)
    pictures = (("mail", mail()), ("appointments", appointments()), ("tasks", tasks()),
                ("previous", arrow(True)), ("next", arrow(False)))
    for name, picture in pictures:
        # Classic icon bitmaps: every icon loader reads them.
        picture.save(os.path.join(OUT, name + ".ico"), sizes=[(16, 16)], bitmap_format="bmp")


if __name__ == "__main__":
    main()
