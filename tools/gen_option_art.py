#!/usr/bin/python3
"""Draws the settings program's pictures.

    tools/gen_option_art.py [SOURCE_ROOT]     (default: the checkout holding this script)

Writes
  settings/option/option_tools.bmp   the menu bar's page buttons: a 48 x 16
                                      24-bit strip of three 16 x 16 pictures
                                      (applets, options, skin) on light grey
                                      0xC0C0C0, which the menu bar keeps
                                      transparent (so no picture uses it);
  settings/ktoption/ktoption.ico     the control-panel entry's icon, 32 x 32
                                      and 16 x 16: a side bar beside sliders.
"""
import os
import sys

from PIL import Image, ImageDraw

TRANSPARENT = (0xC0, 0xC0, 0xC0)
OUTLINE = (0x20, 0x30, 0x50)
BLUE = (0x20, 0x60, 0xC8)
LIGHT_BLUE = (0x90, 0xC0, 0xF0)
GREEN = (0x30, 0xA0, 0x40)
ORANGE = (0xF0, 0x90, 0x20)
RED = (0xD8, 0x30, 0x30)
WHITE = (0xFF, 0xFF, 0xFF)
WOOD = (0xD8, 0xB0, 0x70)


def draw_applets(d, x0):
    """Four applet tiles in a two-by-two grid."""
    colours = [BLUE, GREEN, ORANGE, RED]
    for i, colour in enumerate(colours):
        x = x0 + 1 + (i % 2) * 7
        y = 1 + (i // 2) * 7
        d.rectangle([x, y, x + 6, y + 6], fill=colour, outline=OUTLINE)
        d.point((x + 2, y + 2), fill=WHITE)


def draw_options(d, x0):
    """Three sliders, each knob at another place."""
    for row, knob in enumerate([4, 10, 6]):
        y = 3 + row * 5
        d.line([x0 + 1, y, x0 + 14, y], fill=OUTLINE)
        d.rectangle([x0 + knob - 1, y - 2, x0 + knob + 1, y + 2], fill=BLUE, outline=OUTLINE)


def draw_skin(d, x0):
    """A painter's palette with three colour dots and a thumb hole."""
    d.ellipse([x0 + 1, 2, x0 + 14, 13], fill=WOOD, outline=OUTLINE)
    d.ellipse([x0 + 9, 8, x0 + 11, 10], fill=TRANSPARENT, outline=OUTLINE)
    for (dx, dy), colour in zip([(3, 5), (6, 3), (10, 4)], [RED, BLUE, GREEN]):
        d.rectangle([x0 + dx, dy, x0 + dx + 1, dy + 1], fill=colour)
    d.rectangle([x0 + 4, 9, x0 + 5, 10], fill=WHITE)


def tool_strip():
    strip = Image.new("RGB", (48, 16), TRANSPARENT)
    d = ImageDraw.Draw(strip)
    draw_applets(d, 0)
    draw_options(d, 16)
    draw_skin(d, 32)
    return strip


def control_panel_icon(size):
    """A blue side bar on the left of a white window holding sliders."""
    s = size / 32.0
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)

    def box(x1, y1, x2, y2):
        return [round(x1 * s), round(y1 * s), round(x2 * s) - 1, round(y2 * s) - 1]

    d.rectangle(box(2, 2, 30, 30), fill=WHITE + (255,), outline=OUTLINE + (255,))
    d.rectangle(box(2, 2, 11, 30), fill=BLUE + (255,), outline=OUTLINE + (255,))
    for i in range(3):
        d.rectangle(box(4, 5 + i * 8, 9, 10 + i * 8), fill=LIGHT_BLUE + (255,))
    for row, knob in enumerate([16, 24, 19]):
        y = 8 + row * 8
        d.line([round(14 * s), round(y * s), round(28 * s) - 1, round(y * s)], fill=OUTLINE + (255,))
        d.rectangle(box(knob - 2, y - 3, knob + 2, y + 4), fill=ORANGE + (255,), outline=OUTLINE + (255,))
    return image


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    tool_strip().save(os.path.join(root, "settings", "option", "option_tools.bmp"))
    large = control_panel_icon(32)
    small = control_panel_icon(16)
    large.save(os.path.join(root, "settings", "ktoption", "ktoption.ico"), sizes=[(32, 32), (16, 16)],
               append_images=[small], bitmap_format="bmp")


if __name__ == "__main__":
    main()
