#!/usr/bin/python3
"""Draws the phone pack's pictures.

Writes:
    phone/art/Textoro.gif        the SMS sender's face, 236 x 90: a panel
                                 behind the number and message boxes and,
                                 along the top right, contacts (144-166),
                                 canned texts (166-188), keyboard (188-210)
                                 and send (210-236)
    phone/art/Dialer.gif         the dialer's face, 236 x 63: previous (0-40),
                                 the call panel (40-196) and next (196-236) on
                                 top; the phone program (0-20), the Talk key
                                 (20-45) and the menu (211-236) below
    phone/phrasel/new.ico        "My Text"'s "N" (icon 105)
    phone/phrasel/delete.ico     "My Text"'s "D" (icon 106)
    phone/phrasel/phrasel.ico    "My Text"'s own icon

The output is committed; run this again only to change the art:
    /usr/bin/python3 tools/gen_phone_art.py
It needs Pillow (Debian package python3-pil).  Output is deterministic.
"""

import os

from PIL import Image, ImageDraw

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
ART = os.path.join(ROOT, "phone", "art")
PHRASEL = os.path.join(ROOT, "phone", "phrasel")

WHITE = (255, 255, 255)
BLACK = (20, 20, 20)
PANEL = (226, 236, 248)
FRAME = (96, 128, 176)
DARK = (40, 70, 130)
GREEN = (40, 160, 70)
RED = (200, 50, 50)
YELLOW = (250, 210, 80)
GREY = (150, 150, 150)
LIGHT = (245, 248, 252)


def vertical(draw, box, top, bottom):
    x0, y0, x1, y1 = box
    for y in range(y0, y1 + 1):
        t = (y - y0) / max(1, y1 - y0)
        colour = tuple(int(a + (b - a) * t) for a, b in zip(top, bottom))
        draw.line([(x0, y), (x1, y)], fill=colour)


def person(draw, x, y):
    draw.ellipse([x + 6, y + 3, x + 14, y + 11], fill=DARK)
    draw.pieslice([x + 2, y + 11, x + 18, y + 25], 180, 360, fill=DARK)


def bubble(draw, x, y):
    draw.rounded_rectangle([x + 2, y + 4, x + 19, y + 17], radius=3, fill=WHITE, outline=DARK)
    draw.polygon([(x + 6, y + 17), (x + 6, y + 22), (x + 11, y + 17)], fill=WHITE, outline=DARK)
    for row in (8, 11, 14):
        draw.line([(x + 5, y + row), (x + 16, y + row)], fill=DARK)


def keyboard(draw, x, y):
    draw.rounded_rectangle([x + 1, y + 7, x + 20, y + 20], radius=2, fill=WHITE, outline=DARK)
    for row in range(2):
        for column in range(5):
            kx = x + 3 + column * 3 + (row % 2)
            ky = y + 9 + row * 4
            draw.rectangle([kx, ky, kx + 1, ky + 2], fill=DARK)
    draw.rectangle([x + 6, y + 17, x + 15, y + 18], fill=DARK)


def envelope(draw, x, y):
    draw.rectangle([x + 3, y + 7, x + 21, y + 19], fill=YELLOW, outline=DARK)
    draw.line([(x + 3, y + 7), (x + 12, y + 14), (x + 21, y + 7)], fill=DARK)
    draw.polygon([(x + 17, y + 1), (x + 25, y + 5), (x + 17, y + 9)], fill=GREEN)


def textoro():
    image = Image.new("RGB", (236, 90), LIGHT)
    draw = ImageDraw.Draw(image)
    vertical(draw, (0, 0, 235, 89), (236, 242, 250), (214, 226, 242))
    draw.rectangle([0, 0, 235, 89], outline=FRAME)
    # The tool strip behind the four buttons.
    vertical(draw, (144, 1, 234, 24), (250, 252, 255), (200, 214, 236))
    draw.line([(144, 25), (234, 25)], fill=FRAME)
    for x in (166, 188, 210):
        draw.line([(x, 3), (x, 22)], fill=FRAME)
    person(draw, 145, 0)
    bubble(draw, 166, 0)
    keyboard(draw, 188, 0)
    envelope(draw, 209, 0)
    # The message box's frame.
    draw.rectangle([4, 25, 231, 86], outline=FRAME)
    return image


def arrow(draw, box, pointing_left):
    x0, y0, x1, y1 = box
    vertical(draw, box, (250, 252, 255), (190, 206, 232))
    draw.rectangle(box, outline=FRAME)
    cy = (y0 + y1) // 2
    if pointing_left:
        points = [(x1 - 12, cy - 10), (x0 + 9, cy), (x1 - 12, cy + 10)]
    else:
        points = [(x0 + 12, cy - 10), (x1 - 9, cy), (x0 + 12, cy + 10)]
    draw.polygon(points, fill=DARK)


def handset(draw, x, y, colour):
    draw.arc([x, y, x + 16, y + 16], 100, 260, fill=colour, width=4)
    draw.rectangle([x + 4, y, x + 9, y + 4], fill=colour)
    draw.rectangle([x + 4, y + 12, x + 9, y + 16], fill=colour)


def dialer():
    image = Image.new("RGB", (236, 63), LIGHT)
    draw = ImageDraw.Draw(image)
    arrow(draw, (0, 0, 39, 39), True)
    arrow(draw, (196, 0, 235, 39), False)
    # The call panel: the name is written on it, left of the handset.
    vertical(draw, (40, 0, 195, 39), (255, 255, 255), (226, 236, 248))
    draw.rectangle([40, 0, 195, 39], outline=FRAME)
    handset(draw, 176, 12, GREEN)
    # The bottom strip.
    vertical(draw, (0, 40, 235, 62), (236, 242, 250), (206, 220, 240))
    draw.rectangle([0, 40, 235, 62], outline=FRAME)
    # Phone program: a small keypad.
    for row in range(3):
        for column in range(3):
            kx = 3 + column * 5
            ky = 44 + row * 5
            draw.rectangle([kx, ky, kx + 3, ky + 3], fill=DARK)
    # Talk key: it ends before x = 40, where the number is written.
    draw.rounded_rectangle([21, 43, 37, 60], radius=3, fill=GREEN)
    handset(draw, 24, 44, WHITE)
    # Menu.
    draw.rounded_rectangle([214, 43, 232, 60], radius=3, fill=WHITE, outline=FRAME)
    for row in (47, 51, 55):
        draw.line([(218, row), (228, row)], fill=DARK, width=2)
    draw.line([(38, 41), (38, 61)], fill=FRAME)
    draw.line([(210, 41), (210, 61)], fill=FRAME)
    return image


def small_icon(painter):
    image = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    painter(ImageDraw.Draw(image))
    return image


def new_icon(draw):
    draw.rectangle([3, 1, 12, 14], fill=WHITE + (255,), outline=BLACK + (255,))
    draw.rectangle([8, 8, 14, 14], fill=GREEN + (255,))
    draw.line([(11, 9), (11, 13)], fill=WHITE + (255,))
    draw.line([(9, 11), (13, 11)], fill=WHITE + (255,))


def delete_icon(draw):
    draw.rectangle([3, 1, 12, 14], fill=WHITE + (255,), outline=BLACK + (255,))
    draw.line([(6, 6), (14, 14)], fill=RED + (255,), width=2)
    draw.line([(14, 6), (6, 14)], fill=RED + (255,), width=2)


def phrasel_icon():
    image = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.rounded_rectangle([2, 4, 29, 22], radius=5, fill=WHITE + (255,), outline=DARK + (255,), width=2)
    draw.polygon([(8, 22), (8, 29), (15, 22)], fill=DARK + (255,))
    for row in (9, 13, 17):
        draw.line([(7, row), (24, row)], fill=DARK + (255,), width=2)
    return image


def main():
    os.makedirs(ART, exist_ok=True)
    textoro().save(os.path.join(ART, "Textoro.gif"), optimize=False)
    dialer().save(os.path.join(ART, "Dialer.gif"), optimize=False)
    # Classic icon bitmaps: every icon loader reads them.
    small_icon(new_icon).save(os.path.join(PHRASEL, "new.ico"), sizes=[(16, 16)], bitmap_format="bmp")
    small_icon(delete_icon).save(os.path.join(PHRASEL, "delete.ico"), sizes=[(16, 16)], bitmap_format="bmp")
    phrasel_icon().save(os.path.join(PHRASEL, "phrasel.ico"), sizes=[(32, 32), (16, 16)], bitmap_format="bmp")


if __name__ == "__main__":
    main()
