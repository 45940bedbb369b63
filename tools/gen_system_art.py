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
    system/crestel/*.ico     the task-bar icon tool's icon and its five
                             battery levels (art in the left 8 x 16 of each
                             16 x 16 icon: the tool's window is 8 wide)
    system/summary/*.ico     the system summary's row icons (32 x 32) and
                             its own icon
    system/restart/*         the power panel: panel.png (240 x 170, the six
                             tap areas labelled), its icon and the tick
    system/setlane/SETTINGS.GIF
                             the settings shortcuts' strip: twenty 16 x 16
                             icons in two rows on RGB(0, 128, 128), kept
                             exact in the palette
Strip backgrounds are the transparent colour RGB(0, 128, 128); the pictures
are 24-bit bitmaps.

The output is committed; run this again only to change the art:
    /usr/bin/python3 tools/gen_system_art.py
It needs Pillow (Debian package python3-pil).  Output is deterministic.
"""

import os

from PIL import Image, ImageDraw, ImageFont

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
    draw_tool_pictures()


# ---- the task-bar icon tool, the system summary, the power panel and the
# ---- settings shortcuts -----------------------------------------------------------

FONT_PATH = "/usr/share/wine/fonts/tahoma.ttf"
BOLD_PATH = "/usr/share/wine/fonts/tahomabd.ttf"
CLEAR = (0, 0, 0, 0)
AC_BLUE = (40, 120, 230)
LEVEL_GREY = (150, 150, 150)


def save_sized_icon(images, path):
    """An icon file holding each image at its own size, drawn for that size."""
    images = sorted(images, key=lambda image: -image.width)
    images[0].save(path, sizes=[image.size for image in images], bitmap_format="bmp", append_images=images[1:])


def small_battery(draw, x, y, level):
    """The task-bar battery, 8 x 16: an outline, its cap and a fill whose
    colour and height tell the level (0 unknown, 1 external power, 2 low,
    3 half, 4 full)."""
    draw.rectangle([x + 3, y + 1, x + 4, y + 2], fill=BLACK)
    draw.rectangle([x + 1, y + 2, x + 6, y + 15], fill=WHITE, outline=BLACK)
    if level == 0:
        draw.rectangle([x + 2, y + 3, x + 5, y + 14], fill=LEVEL_GREY)
        draw.line([(x + 3, y + 6), (x + 4, y + 5)], fill=WHITE)
        draw.line([(x + 4, y + 7), (x + 4, y + 9)], fill=WHITE)
        draw.point((x + 4, y + 12), fill=WHITE)
    elif level == 1:
        draw.rectangle([x + 2, y + 3, x + 5, y + 14], fill=AC_BLUE)
        draw.polygon([(x + 4, y + 4), (x + 2, y + 9), (x + 4, y + 9), (x + 3, y + 13), (x + 5, y + 8),
                      (x + 3, y + 8)], fill=YELLOW)
    else:
        top = {2: 11, 3: 8, 4: 4}[level]
        colour = {2: RED, 3: YELLOW, 4: GREEN}[level]
        draw.rectangle([x + 2, y + top, x + 5, y + 14], fill=colour)


def level_icon(level):
    image = Image.new("RGBA", (16, 16), CLEAR)
    small_battery(ImageDraw.Draw(image), 0, 0, level)
    return image


def crestel_icon(size):
    image = Image.new("RGBA", (size, size), CLEAR)
    draw = ImageDraw.Draw(image)
    k = size / 16
    # The task bar's strip with the battery standing in it.
    draw.rectangle([0, 0, size - 1, round(5 * k)], fill=DARK_BLUE)
    draw.rectangle([round(4 * k), round(1 * k), round(11 * k), round(15 * k)], fill=WHITE, outline=BLACK)
    draw.rectangle([round(6 * k), 0, round(9 * k), round(1 * k)], fill=BLACK)
    draw.rectangle([round(5 * k) + 1, round(6 * k), round(10 * k) - 1, round(14 * k)], fill=GREEN)
    return image


def crestel_pictures():
    folder = os.path.join(SYSTEM, "crestel")
    os.makedirs(folder, exist_ok=True)
    save_sized_icon([crestel_icon(32), crestel_icon(16)], os.path.join(folder, "crestel.ico"))
    for level, name in enumerate(("unknown", "external", "low", "half", "full")):
        save_icon(level_icon(level), os.path.join(folder, "level_%s.ico" % name))


def big_battery(draw, fill, fraction):
    draw.rectangle([12, 3, 19, 6], fill=BLACK)
    draw.rectangle([7, 6, 24, 29], fill=WHITE, outline=BLACK, width=2)
    top = 27 - round(19 * fraction)
    draw.rectangle([10, top, 21, 27], fill=fill)


def summary_icon(kind):
    image = Image.new("RGBA", (32, 32), CLEAR)
    draw = ImageDraw.Draw(image)
    if kind == "card":
        draw.polygon([(6, 2), (20, 2), (26, 8), (26, 29), (6, 29)], fill=BLUE, outline=BLACK)
        for x in (9, 13, 17):
            draw.rectangle([x, 4, x + 2, 9], fill=YELLOW)
        draw.rectangle([9, 15, 23, 26], fill=WHITE, outline=DARK_BLUE)
    elif kind == "battery":
        big_battery(draw, GREEN, 0.7)
    elif kind == "store":
        draw.ellipse([4, 4, 27, 12], fill=LIGHT, outline=BLACK)
        draw.rectangle([4, 8, 27, 24], fill=LIGHT)
        draw.line([(4, 8), (4, 24)], fill=BLACK)
        draw.line([(27, 8), (27, 24)], fill=BLACK)
        draw.arc([4, 20, 27, 28], 0, 180, fill=BLACK)
        draw.arc([4, 12, 27, 20], 0, 180, fill=GREY)
        draw.ellipse([20, 21, 23, 24], fill=GREEN)
    elif kind == "memory":
        draw.rectangle([3, 9, 28, 22], fill=DARK_BLUE, outline=BLACK)
        for x in range(6, 27, 5):
            draw.rectangle([x, 11, x + 3, 17], fill=GREY)
        for x in range(5, 28, 3):
            draw.line([(x, 23), (x, 26)], fill=YELLOW)
    elif kind == "external":
        draw.rectangle([9, 11, 22, 21], fill=LIGHT, outline=BLACK)
        draw.rectangle([11, 3, 13, 11], fill=BLACK)
        draw.rectangle([18, 3, 20, 11], fill=BLACK)
        draw.rectangle([15, 21, 16, 29], fill=BLACK)
        draw.polygon([(17, 12), (13, 17), (16, 17), (14, 21), (19, 15), (16, 15)], fill=YELLOW, outline=ORANGE)
    elif kind == "backup":
        big_battery(draw, ORANGE, 0.45)
        draw.ellipse([18, 18, 30, 30], fill=WHITE, outline=BLACK)
        draw.text((21, 18), "B", fill=BLACK, font=ImageFont.truetype(BOLD_PATH, 10))
    return image


def summary_pictures():
    folder = os.path.join(SYSTEM, "summary")
    os.makedirs(folder, exist_ok=True)
    for kind in ("card", "battery", "store", "memory", "external", "backup"):
        image = summary_icon(kind)
        image.save(os.path.join(folder, "%s.ico" % kind), sizes=[(32, 32)], bitmap_format="bmp")
    # Its own icon: a page of meters.
    def own(size):
        image = Image.new("RGBA", (size, size), CLEAR)
        draw = ImageDraw.Draw(image)
        k = size / 16
        draw.rectangle([round(1 * k), round(1 * k), round(14 * k), round(14 * k)], fill=WHITE, outline=BLACK)
        for row, (colour, length) in enumerate(((GREEN, 10), (BLUE, 7), (TEAL, 5))):
            y = round((3 + 4 * row) * k)
            draw.rectangle([round(3 * k), y, round((3 + length) * k), y + max(1, round(2 * k) - 1)], fill=colour)
        return image
    save_sized_icon([own(32), own(16)], os.path.join(folder, "summary.ico"))


def power_symbol(draw, cx, cy, r, colour, width):
    draw.arc([cx - r, cy - r, cx + r, cy + r], 300, 240, fill=colour, width=width)
    draw.line([(cx, cy - r - 1), (cx, cy)], fill=colour, width=width)


def centred(draw, box, text, font, fill):
    left, top, right, bottom = draw.textbbox((0, 0), text, font=font)
    x = box[0] + (box[2] - box[0] - (right - left)) // 2 - left
    y = box[1] + (box[3] - box[1] - (bottom - top)) // 2 - top
    draw.text((x, y), text, fill=fill, font=font)


def restart_panel():
    """The power panel, 240 x 170; its tap areas are (left, top, right,
    bottom) lock (30, 50, 80, 130), power off (100, 50, 150, 130), reset
    (170, 50, 220, 130), close (170, 137, 240, 169), stay resident
    (34, 137, 166, 169) and the control panel (0, 137, 34, 169)."""
    panel = Image.new("RGB", (240, 170), (236, 240, 248))
    draw = ImageDraw.Draw(panel)
    bold = ImageFont.truetype(BOLD_PATH, 13)
    label = ImageFont.truetype(FONT_PATH, 11)
    small = ImageFont.truetype(FONT_PATH, 10)
    # Title band.
    draw.rectangle([0, 0, 239, 36], fill=DARK_BLUE)
    power_symbol(draw, 18, 18, 8, WHITE, 2)
    draw.text((34, 4), "Power", fill=WHITE, font=bold)
    draw.text((34, 20), "Lock, turn off or reset the device", fill=(200, 215, 245), font=small)
    draw.rectangle([0, 0, 239, 169], outline=DARK_BLUE)
    # The three big buttons.
    for left, text in ((30, "Lock"), (100, "Power Off"), (170, "Reset")):
        draw.rounded_rectangle([left, 50, left + 50, 130], radius=6, fill=WHITE, outline=GREY)
        centred(draw, (left, 112, left + 50, 128), text, small, BLACK)
    # Lock: a padlock.
    draw.arc([44, 58, 66, 84], 180, 360, fill=BLACK, width=3)
    draw.line([(45, 70), (45, 76)], fill=BLACK, width=3)
    draw.line([(65, 70), (65, 76)], fill=BLACK, width=3)
    draw.rounded_rectangle([40, 74, 70, 104], radius=3, fill=YELLOW, outline=BLACK)
    draw.rectangle([54, 83, 56, 95], fill=BLACK)
    # Power off: the power symbol on red.
    draw.ellipse([107, 62, 143, 98], fill=RED, outline=BLACK)
    power_symbol(draw, 125, 81, 10, WHITE, 3)
    # Reset: a circular arrow.
    draw.ellipse([177, 62, 213, 98], fill=GREEN, outline=BLACK)
    draw.arc([184, 69, 206, 91], 40, 330, fill=WHITE, width=3)
    draw.polygon([(205, 64), (207, 76), (196, 73)], fill=WHITE)
    # The bottom row.
    draw.line([(0, 134), (239, 134)], fill=GREY)
    # Control panel: a small gear under the stay-resident box (the tick goes
    # at (8, 139)).
    draw.rectangle([8, 139, 23, 154], fill=WHITE, outline=BLACK)
    draw.ellipse([11, 157, 21, 167], fill=GREY, outline=BLACK)
    draw.ellipse([14, 160, 18, 164], fill=WHITE)
    draw.line([(34, 137), (34, 169)], fill=LIGHT)
    draw.text((40, 140), "Stay resident", fill=BLACK, font=label)
    draw.text((40, 154), "icon in the task bar", fill=GREY, font=small)
    draw.rounded_rectangle([172, 140, 236, 166], radius=4, fill=LIGHT, outline=GREY)
    centred(draw, (172, 140, 236, 166), "Close", bold, BLACK)
    return panel


def restart_icon(size):
    image = Image.new("RGBA", (size, size), CLEAR)
    draw = ImageDraw.Draw(image)
    k = size / 16
    draw.ellipse([0, 0, size - 1, size - 1], fill=RED, outline=BLACK)
    power_symbol(draw, size // 2, size // 2, round(4 * k), WHITE, max(1, round(1.5 * k)))
    return image


def tick_icon():
    image = Image.new("RGBA", (16, 16), CLEAR)
    draw = ImageDraw.Draw(image)
    draw.line([(2, 8), (6, 12), (13, 3)], fill=(0, 150, 40), width=3)
    return image


def restart_pictures():
    folder = os.path.join(SYSTEM, "restart")
    os.makedirs(folder, exist_ok=True)
    restart_panel().save(os.path.join(folder, "panel.png"), optimize=True)
    save_sized_icon([restart_icon(32), restart_icon(16)], os.path.join(folder, "restart.ico"))
    save_icon(tick_icon(), os.path.join(folder, "tick.ico"))


# The twenty settings pages, in the applet's table order.
def settings_cell(draw, index, x, y):
    if index == 0:      # Today
        house(draw, x, y)
    elif index == 1:    # Password
        lock(draw, x, y)
    elif index == 2:    # Today Settings
        draw.rectangle([x + 1, y + 1, x + 14, y + 14], fill=WHITE, outline=BLACK)
        draw.rectangle([x + 2, y + 2, x + 13, y + 4], fill=BLUE)
        draw.line([(x + 3, y + 7), (x + 12, y + 7)], fill=GREY)
        draw.line([(x + 3, y + 10), (x + 10, y + 10)], fill=GREY)
    elif index == 3:    # Owner Information
        draw.ellipse([x + 5, y + 1, x + 10, y + 6], fill=(240, 200, 160), outline=BLACK)
        draw.pieslice([x + 2, y + 7, x + 13, y + 20], 180, 360, fill=BLUE, outline=BLACK)
    elif index == 4:    # Sound/Notification
        speaker(draw, x, y)
    elif index == 5:    # Memory
        chip(draw, x, y)
    elif index == 6:    # Storage Card
        card(draw, x, y, 1)
    elif index == 7:    # Buttons
        draw.rounded_rectangle([x + 1, y + 3, x + 14, y + 12], radius=3, fill=LIGHT, outline=BLACK)
        draw.ellipse([x + 3, y + 5, x + 7, y + 9], fill=RED)
        draw.ellipse([x + 9, y + 5, x + 13, y + 9], fill=BLUE)
    elif index == 8:    # Input
        draw.rectangle([x + 1, y + 4, x + 14, y + 12], fill=WHITE, outline=BLACK)
        for gx in range(3, 13, 3):
            draw.point((x + gx, y + 6), fill=BLACK)
            draw.point((x + gx, y + 8), fill=BLACK)
        draw.line([(x + 4, y + 10), (x + 11, y + 10)], fill=BLACK)
    elif index == 9:    # Menus
        draw.rectangle([x + 2, y + 1, x + 13, y + 14], fill=WHITE, outline=BLACK)
        draw.rectangle([x + 3, y + 5, x + 12, y + 7], fill=SKY)
        for gy in (3, 10, 12):
            draw.line([(x + 4, y + gy), (x + 11, y + gy)], fill=GREY)
    elif index == 10:   # About
        summary(draw, x, y)
    elif index == 11:   # Backlight
        sun(draw, x, y)
    elif index == 12:   # Clock
        draw.ellipse([x + 1, y + 1, x + 14, y + 14], fill=WHITE, outline=BLACK)
        draw.line([(x + 7, y + 7), (x + 7, y + 3)], fill=BLACK)
        draw.line([(x + 7, y + 7), (x + 11, y + 9)], fill=RED)
    elif index == 13:   # Battery Settings
        battery(draw, x, y)
    elif index == 14:   # Region Settings
        draw.ellipse([x + 1, y + 1, x + 14, y + 14], fill=SKY, outline=DARK_BLUE)
        draw.polygon([(x + 4, y + 4), (x + 8, y + 3), (x + 9, y + 7), (x + 6, y + 11), (x + 4, y + 8)], fill=GREEN)
        draw.polygon([(x + 10, y + 9), (x + 13, y + 8), (x + 12, y + 12)], fill=GREEN)
    elif index == 15:   # Remove Programs
        draw.rectangle([x + 1, y + 3, x + 10, y + 13], fill=WHITE, outline=BLACK)
        draw.rectangle([x + 2, y + 4, x + 9, y + 5], fill=BLUE)
        draw.line([(x + 8, y + 8), (x + 14, y + 14)], fill=RED, width=2)
        draw.line([(x + 14, y + 8), (x + 8, y + 14)], fill=RED, width=2)
    elif index == 16:   # Screen
        draw.rectangle([x + 3, y + 1, x + 12, y + 14], fill=DARK_BLUE, outline=BLACK)
        draw.rectangle([x + 4, y + 2, x + 11, y + 11], fill=SKY)
        draw.point((x + 7, y + 13), fill=WHITE)
    elif index == 17:   # Beam Settings
        draw.rectangle([x + 1, y + 5, x + 5, y + 11], fill=GREY, outline=BLACK)
        for r in (3, 6, 9):
            draw.arc([x + 5 - r, y + 8 - r, x + 5 + r, y + 8 + r], 300, 60, fill=RED)
    elif index == 18:   # Connections
        draw.rectangle([x + 1, y + 9, x + 6, y + 14], fill=LIGHT, outline=BLACK)
        draw.rectangle([x + 9, y + 1, x + 14, y + 6], fill=SKY, outline=BLACK)
        draw.line([(x + 4, y + 9), (x + 4, y + 4), (x + 9, y + 4)], fill=BLACK)
        draw.line([(x + 6, y + 12), (x + 11, y + 12), (x + 11, y + 6)], fill=BLACK)
    elif index == 19:   # Network Adapters
        draw.rectangle([x + 1, y + 4, x + 14, y + 11], fill=GREEN, outline=BLACK)
        for gx in range(3, 13, 3):
            draw.rectangle([x + gx, y + 11, x + gx + 1, y + 14], fill=YELLOW)
        draw.rectangle([x + 4, y + 6, x + 8, y + 9], fill=BLACK)


def settings_strip():
    image = Image.new("RGB", (160, 32), TEAL)
    draw = ImageDraw.Draw(image)
    for index in range(20):
        settings_cell(draw, index, *cell_origin(index % 10, index // 10))
    return image


def save_exact_gif(image, path):
    """A GIF whose palette holds every colour of the image exactly (the
    strip's transparent colour must stay RGB(0, 128, 128))."""
    colours = sorted({colour for _, colour in image.getcolors(65536)})
    if len(colours) > 256:
        raise SystemExit("%s: %d colours do not fit a GIF palette" % (path, len(colours)))
    palette = []
    for colour in colours:
        palette.extend(colour)
    palette.extend([0] * (768 - len(palette)))
    index = {colour: i for i, colour in enumerate(colours)}
    indexed = Image.new("P", image.size)
    indexed.putpalette(palette)
    indexed.putdata([index[pixel] for pixel in image.getdata()])
    indexed.save(path, optimize=False)


def setlane_pictures():
    folder = os.path.join(SYSTEM, "setlane")
    os.makedirs(folder, exist_ok=True)
    save_exact_gif(settings_strip(), os.path.join(folder, "SETTINGS.GIF"))


def draw_tool_pictures():
    crestel_pictures()
    summary_pictures()
    restart_pictures()
    setlane_pictures()


if __name__ == "__main__":
    main()
