#!/usr/bin/python3
"""Draws the input methods' pictures.

    tools/gen_input_art.py [SOURCE_ROOT]     (default: the checkout holding this script)

Writes 24-bit bitmaps on light grey 0xC0C0C0, which image lists made with
that mask colour keep transparent (so no picture uses it):
  device/sipkbd/keyboard_narrow.bmp  the built-in keyboard, 16 x 16: a keyboard
  device/sipkbd/keyboard_wide.bmp    the same, 32 x 16
  input/ktsip/ktim_narrow.bmp        the empty input method (bitmap 201), 16 x 16:
                                     a keyboard inside a side bar's frame
  input/ktsip/ktim_wide.bmp          the same, 32 x 16 (bitmap 202)
"""
import os
import sys

from PIL import Image, ImageDraw

TRANSPARENT = (0xC0, 0xC0, 0xC0)
OUTLINE = (0x20, 0x30, 0x50)
KEY = (0xF8, 0xF8, 0xF8)
BODY = (0x70, 0x78, 0x88)
BAR = (0x20, 0x60, 0xC8)
BAR_LIGHT = (0x90, 0xC0, 0xF0)


def draw_keyboard(d, x0, y0, width, height):
    """A keyboard body with three rows of keys and a space bar."""
    d.rectangle([x0, y0, x0 + width - 1, y0 + height - 1], fill=BODY, outline=OUTLINE)
    columns = (width - 2) // 3
    for row in range(3):
        y = y0 + 2 + row * 2
        for column in range(columns):
            x = x0 + 2 + column * 3
            if x + 1 < x0 + width - 1:
                d.rectangle([x, y, x + 1, y], fill=KEY)
    space_y = y0 + height - 3
    d.line([x0 + width // 4, space_y, x0 + width - width // 4 - 1, space_y], fill=KEY)


def keyboard(width):
    image = Image.new("RGB", (width, 16), TRANSPARENT)
    draw_keyboard(ImageDraw.Draw(image), 0, 4, width, 10)
    return image


def keyboard_in_bar(width):
    """The side bar's blue frame with a keyboard in its applet area."""
    image = Image.new("RGB", (width, 16), TRANSPARENT)
    d = ImageDraw.Draw(image)
    d.rectangle([0, 1, width - 1, 14], fill=BAR, outline=OUTLINE)
    d.rectangle([2, 2, width - 3, 3], fill=BAR_LIGHT)
    draw_keyboard(d, 1, 5, width - 2, 9)
    return image


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    keyboard(16).save(os.path.join(root, "device", "sipkbd", "keyboard_narrow.bmp"))
    keyboard(32).save(os.path.join(root, "device", "sipkbd", "keyboard_wide.bmp"))
    keyboard_in_bar(16).save(os.path.join(root, "input", "ktsip", "ktim_narrow.bmp"))
    keyboard_in_bar(32).save(os.path.join(root, "input", "ktsip", "ktim_wide.bmp"))


if __name__ == "__main__":
    main()
