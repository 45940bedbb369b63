#!/usr/bin/python3
"""Draws the world clock's small pictures.

    tools/gen_clock_art.py [SOURCE_ROOT]     (default: the checkout holding this script)

Writes into time/globora/
  clock_buttons.bmp   the menu bar's two buttons, a 32 x 16 24-bit strip on
                      light grey 0xC0C0C0 (kept transparent by the menu bar):
                      the device's clock settings and the side bar;
  copy_city.ico       14 x 14: copy the current city into this box (an arrow
                      into a box);
  open_list.ico       14 x 14: open the city list (a list with its arrow).
"""
import os
import sys

from PIL import Image, ImageDraw

TRANSPARENT = (0xC0, 0xC0, 0xC0)
OUTLINE = (0x40, 0x40, 0x80)      # the world clock's text colour
FACE = (0xFF, 0xFF, 0xFF)
BLUE = (0x20, 0x60, 0xC8)
BAR = (0x84, 0x84, 0xC1)          # the header's fill
GREEN = (0x30, 0xA0, 0x40)


def clock_button(d, x0):
    """A clock face at ten past ten."""
    d.ellipse([x0 + 1, 1, x0 + 14, 14], fill=FACE, outline=OUTLINE)
    d.line([x0 + 7, 8, x0 + 7, 4], fill=OUTLINE)
    d.line([x0 + 7, 8, x0 + 11, 6], fill=OUTLINE)
    d.point((x0 + 7, 8), fill=BLUE)


def bar_button(d, x0):
    """The side bar: a strip on the screen's right with its applet boxes."""
    d.rectangle([x0 + 1, 1, x0 + 14, 14], fill=FACE, outline=OUTLINE)
    d.rectangle([x0 + 8, 2, x0 + 13, 13], fill=BAR, outline=OUTLINE)
    for y in (4, 8):
        d.rectangle([x0 + 9, y, x0 + 12, y + 2], fill=GREEN)


def button_strip():
    strip = Image.new("RGB", (32, 16), TRANSPARENT)
    d = ImageDraw.Draw(strip)
    clock_button(d, 0)
    bar_button(d, 16)
    return strip


def copy_city_icon():
    icon = Image.new("RGBA", (14, 14), (0, 0, 0, 0))
    d = ImageDraw.Draw(icon)
    d.rectangle([1, 5, 12, 12], fill=FACE, outline=OUTLINE)
    d.polygon([(4, 0), (9, 0), (9, 3), (11, 3), (6, 8), (2, 3), (4, 3)], fill=BLUE, outline=OUTLINE)
    return icon


def open_list_icon():
    icon = Image.new("RGBA", (14, 14), (0, 0, 0, 0))
    d = ImageDraw.Draw(icon)
    d.rectangle([0, 0, 13, 13], fill=FACE, outline=OUTLINE)
    for y in (3, 6, 9):
        d.line([2, y, 7, y], fill=OUTLINE)
    d.polygon([(9, 5), (12, 5), (10, 8)], fill=BLUE)
    return icon


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = os.path.join(root, "time", "globora")
    button_strip().save(os.path.join(folder, "clock_buttons.bmp"))
    copy_city_icon().save(os.path.join(folder, "copy_city.ico"), sizes=[(14, 14)], bitmap_format="bmp")
    open_list_icon().save(os.path.join(folder, "open_list.ico"), sizes=[(14, 14)], bitmap_format="bmp")


if __name__ == "__main__":
    main()
