#!/usr/bin/python3
"""Draws the system pack's pictures.

Writes:
    system/art/sp.bmp        the pack's tray strip: 16 x 16 cells in one row
                             (1 list expanded, 3 system watch, 4 task manager,
                             5 launcher / expand, 6 settings, 7 options;
                             0 and 2 are spare)
    system/art/batt.bmp      the system watch's strip, two rows of 16 x 16
                             cells: status icons (0 external power, 1 battery,
                             2 program memory, 3 storage memory, 4 volume,
                             5 backlight, 6 first card, 7 second card) and the
                             bottom strip's buttons (0 Today, 1 lock, 2 power,
                             3 summary, 4 task manager, 5 launcher, 6 settings)
    system/tasquin/explore.ico, today.ico
                             the task manager's own icons for the file
                             explorer and the Today screen
    system/runvel/runvel.ico the launcher options program's icon
Strip backgrounds are the transparent colour RGB(0, 128, 128); the pictures
are 24-bit bitmaps.

The output is committed; run this again only to change the art:
    /usr/bin/python3 tools/gen_system_art.py
It needs Pillow (Debian package python3-pil).  Output is deterministic.
"""

import os

from PIL import Image, ImageDraw

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
SYSTEM = os.path.join(ROOT, "system")

TEAL = (0, 128, 128)
WHITE = (255, 255, 255)
BLACK = (16, 16, 16)
GREY = (128, 128, 128)
LIGHT = (200, 200, 200)
DARK_BLUE = (24, 56, 140)
BLUE = (48, 110, 220)
SKY = (120, 180, 250)
GREEN = (40, 170, 60)
YELLOW = (250, 210, 50)
ORANGE = (240, 140, 30)
RED = (220, 40, 40)
BROWN = (150, 100, 40)


def cell_origin(column, row=0):
    return column * 16, row * 16


# ---- tray strip cells ---------------------------------------------------------

def grid_with_chevron(draw, x, y, up):
    for gx, gy in ((1, 1), (6, 1), (1, 6), (6, 6)):
        draw.rectangle([x + gx, y + gy, x + gx + 3, y + gy + 3], fill=WHITE, outline=DARK_BLUE)
    if up:
        draw.polygon([(x + 9, y + 14), (x + 12, y + 10), (x + 15, y + 14)], fill=YELLOW, outline=BLACK)
    else:
        draw.polygon([(x + 9, y + 10), (x + 12, y + 14), (x + 15, y + 10)], fill=YELLOW, outline=BLACK)
    draw.rectangle([x + 11, y + 1, x + 14, y + 4], fill=WHITE, outline=DARK_BLUE)


def gauge(draw, x, y):
    draw.rectangle([x + 2, y + 4, x + 12, y + 11], fill=WHITE, outline=BLACK)
    draw.rectangle([x + 13, y + 6, x + 14, y + 9], fill=BLACK)
    draw.rectangle([x + 4, y + 6, x + 8, y + 9], fill=GREEN)


def windows(draw, x, y):
    draw.rectangle([x + 1, y + 2, x + 10, y + 9], fill=WHITE, outline=BLACK)
    draw.rectangle([x + 1, y + 2, x + 10, y + 3], fill=BLUE)
    draw.rectangle([x + 5, y + 6, x + 14, y + 13], fill=WHITE, outline=BLACK)
    draw.rectangle([x + 5, y + 6, x + 14, y + 7], fill=BLUE)


def launcher(draw, x, y):
    for gx in (1, 6, 11):
        for gy in (2, 8):
            draw.rectangle([x + gx, y + gy, x + gx + 3, y + gy + 4], fill=SKY, outline=DARK_BLUE)


def gear(draw, x, y):
    cx, cy = x + 7.5, y + 7.5
    draw.ellipse([cx - 6, cy - 6, cx + 6, cy + 6], fill=GREY, outline=BLACK)
    for dx, dy in ((0, -7), (0, 7), (-7, 0), (7, 0)):
        draw.rectangle([cx + dx - 1, cy + dy - 1, cx + dx + 1, cy + dy + 1], fill=GREY)
    draw.ellipse([cx - 2, cy - 2, cx + 2, cy + 2], fill=WHITE, outline=BLACK)


def options(draw, x, y):
    draw.rectangle([x + 2, y + 1, x + 11, y + 14], fill=WHITE, outline=BLACK)
    for row in range(3):
        draw.line([(x + 4, y + 4 + row * 3), (x + 9, y + 4 + row * 3)], fill=GREY)
    draw.line([(x + 7, y + 13), (x + 14, y + 6)], fill=ORANGE, width=2)
    draw.point((x + 6, y + 14), fill=BLACK)


def spare(draw, x, y):
    draw.ellipse([x + 5, y + 5, x + 10, y + 10], fill=LIGHT, outline=GREY)


def tray_strip():
    image = Image.new("RGB", (128, 16), TEAL)
    draw = ImageDraw.Draw(image)
    spare(draw, *cell_origin(0))
    grid_with_chevron(draw, *cell_origin(1), up=True)
    spare(draw, *cell_origin(2))
    gauge(draw, *cell_origin(3))
    windows(draw, *cell_origin(4))
    grid_with_chevron(draw, *cell_origin(5), up=False)
    gear(draw, *cell_origin(6))
    options(draw, *cell_origin(7))
    return image


# ---- system watch strip ---------------------------------------------------------

def plug(draw, x, y):
    draw.rectangle([x + 4, y + 5, x + 11, y + 10], fill=LIGHT, outline=BLACK)
    draw.line([(x + 6, y + 1), (x + 6, y + 5)], fill=BLACK, width=2)
    draw.line([(x + 10, y + 1), (x + 10, y + 5)], fill=BLACK, width=2)
    draw.line([(x + 8, y + 10), (x + 8, y + 15)], fill=BLACK, width=2)


def battery(draw, x, y):
    draw.rectangle([x + 5, y + 1, x + 10, y + 2], fill=BLACK)
    draw.rectangle([x + 3, y + 2, x + 12, y + 14], fill=WHITE, outline=BLACK)
    draw.rectangle([x + 5, y + 7, x + 10, y + 12], fill=GREEN)


def chip(draw, x, y):
    draw.rectangle([x + 3, y + 3, x + 12, y + 12], fill=DARK_BLUE, outline=BLACK)
    for p in (4, 7, 10):
        draw.line([(x + 1, y + p), (x + 2, y + p)], fill=GREY)
        draw.line([(x + 13, y + p), (x + 14, y + p)], fill=GREY)
        draw.line([(x + p, y + 1), (x + p, y + 2)], fill=GREY)
        draw.line([(x + p, y + 13), (x + p, y + 14)], fill=GREY)


def store(draw, x, y):
    draw.ellipse([x + 2, y + 2, x + 13, y + 6], fill=LIGHT, outline=BLACK)
    draw.rectangle([x + 2, y + 4, x + 13, y + 12], fill=LIGHT)
    draw.line([(x + 2, y + 4), (x + 2, y + 12)], fill=BLACK)
    draw.line([(x + 13, y + 4), (x + 13, y + 12)], fill=BLACK)
    draw.arc([x + 2, y + 10, x + 13, y + 14], 0, 180, fill=BLACK)
    draw.arc([x + 2, y + 2, x + 13, y + 6], 0, 180, fill=BLACK)


def speaker(draw, x, y):
    draw.polygon([(x + 2, y + 6), (x + 5, y + 6), (x + 9, y + 2), (x + 9, y + 13), (x + 5, y + 9), (x + 2, y + 9)],
                 fill=GREY, outline=BLACK)
    draw.arc([x + 8, y + 4, x + 13, y + 11], 300, 60, fill=BLACK)


def sun(draw, x, y):
    draw.ellipse([x + 4, y + 4, x + 11, y + 11], fill=YELLOW, outline=ORANGE)
    for a, b in (((7, 0), (7, 2)), ((7, 13), (7, 15)), ((0, 7), (2, 7)), ((13, 7), (15, 7)),
                 ((2, 2), (3, 3)), ((12, 12), (13, 13)), ((2, 13), (3, 12)), ((12, 3), (13, 2))):
        draw.line([(x + a[0], y + a[1]), (x + b[0], y + b[1])], fill=ORANGE)


def card(draw, x, y, number):
    draw.polygon([(x + 3, y + 1), (x + 10, y + 1), (x + 13, y + 4), (x + 13, y + 14), (x + 3, y + 14)],
                 fill=BLUE, outline=BLACK)
    draw.rectangle([x + 5, y + 2, x + 9, y + 5], fill=YELLOW)
    if number == 1:
        draw.line([(x + 8, y + 7), (x + 8, y + 12)], fill=WHITE)
    else:
        draw.line([(x + 6, y + 7), (x + 6, y + 12)], fill=WHITE)
        draw.line([(x + 10, y + 7), (x + 10, y + 12)], fill=WHITE)


def house(draw, x, y):
    draw.polygon([(x + 1, y + 8), (x + 8, y + 1), (x + 15, y + 8)], fill=RED, outline=BLACK)
    draw.rectangle([x + 3, y + 8, x + 13, y + 14], fill=WHITE, outline=BLACK)
    draw.rectangle([x + 7, y + 10, x + 9, y + 14], fill=BROWN)


def lock(draw, x, y):
    draw.arc([x + 4, y + 1, x + 11, y + 10], 180, 360, fill=BLACK, width=2)
    draw.line([(x + 4, y + 5), (x + 4, y + 7)], fill=BLACK, width=2)
    draw.line([(x + 11, y + 5), (x + 11, y + 7)], fill=BLACK, width=2)
    draw.rectangle([x + 2, y + 7, x + 13, y + 14], fill=YELLOW, outline=BLACK)
    draw.rectangle([x + 7, y + 9, x + 8, y + 12], fill=BLACK)


def power(draw, x, y):
    draw.ellipse([x + 1, y + 1, x + 14, y + 14], fill=RED, outline=BLACK)
    draw.arc([x + 4, y + 4, x + 11, y + 11], 300, 240, fill=WHITE, width=2)
    draw.line([(x + 7, y + 2), (x + 7, y + 7)], fill=WHITE, width=2)


def summary(draw, x, y):
    draw.ellipse([x + 1, y + 1, x + 14, y + 14], fill=BLUE, outline=BLACK)
    draw.rectangle([x + 7, y + 3, x + 8, y + 4], fill=WHITE)
    draw.rectangle([x + 7, y + 6, x + 8, y + 12], fill=WHITE)


def watch_strip():
    image = Image.new("RGB", (128, 32), TEAL)
    draw = ImageDraw.Draw(image)
    plug(draw, *cell_origin(0))
    battery(draw, *cell_origin(1))
    chip(draw, *cell_origin(2))
    store(draw, *cell_origin(3))
    speaker(draw, *cell_origin(4))
    sun(draw, *cell_origin(5))
    card(draw, *cell_origin(6), number=1)
    card(draw, *cell_origin(7), number=2)
    house(draw, *cell_origin(0, 1))
    lock(draw, *cell_origin(1, 1))
    power(draw, *cell_origin(2, 1))
    summary(draw, *cell_origin(3, 1))
    windows(draw, *cell_origin(4, 1))
    launcher(draw, *cell_origin(5, 1))
    gear(draw, *cell_origin(6, 1))
    return image


# ---- icons --------------------------------------------------------------------

def icon(draw_cell):
    image = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    draw_cell(ImageDraw.Draw(image), 0, 0)
    return image


def explorer(draw, x, y):
    draw.polygon([(x + 1, y + 3), (x + 6, y + 3), (x + 8, y + 5), (x + 14, y + 5), (x + 14, y + 13), (x + 1, y + 13)],
                 fill=YELLOW, outline=BLACK)
    draw.ellipse([x + 6, y + 6, x + 11, y + 11], fill=SKY, outline=BLACK)
    draw.line([(x + 10, y + 10), (x + 14, y + 14)], fill=BLACK, width=2)


def launcher_options(draw, x, y):
    launcher(draw, x, y)
    draw.line([(x + 7, y + 15), (x + 15, y + 7)], fill=ORANGE, width=2)


def save_icon(image, path):
    # Classic icon bitmaps: every icon loader reads them.
    image.save(path, sizes=[(16, 16)], bitmap_format="bmp")


def main():
    os.makedirs(os.path.join(SYSTEM, "art"), exist_ok=True)
    tray_strip().save(os.path.join(SYSTEM, "art", "sp.bmp"))
    watch_strip().save(os.path.join(SYSTEM, "art", "batt.bmp"))
    for folder in ("tasquin", "runvel"):
        os.makedirs(os.path.join(SYSTEM, folder), exist_ok=True)
    save_icon(icon(explorer), os.path.join(SYSTEM, "tasquin", "explore.ico"))
    save_icon(icon(house), os.path.join(SYSTEM, "tasquin", "today.ico"))
    save_icon(icon(launcher_options), os.path.join(SYSTEM, "runvel", "runvel.ico"))


if __name__ == "__main__":
    main()
