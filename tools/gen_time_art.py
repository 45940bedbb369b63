#!/usr/bin/python3
"""Draws the time pack's pictures.

    tools/gen_time_art.py [SOURCE_ROOT]     (default: the checkout holding this script)

Writes
  time/calendar/CalArrow.gif   the Calendar applet's buttons, 58 x 16, drawn at
                               (178, 1) of its top line: today (x 0-18, a page
                               of a calendar with its day marked), previous month
                               (x 19-35, an arrow left) and next month (x 36-57,
                               an arrow right), on the default page colour
                               (252, 252, 254), which the applet leaves out so
                               the buttons sit on any page colour.
"""
import os
import sys

from PIL import Image, ImageDraw

PAGE = (252, 252, 254)
NAVY = (0, 0, 128)
HEADING = (236, 233, 216)
RED = (255, 0, 0)
FRAME = (128, 128, 160)

WIDTH, HEIGHT = 58, 16
BUTTONS = [(0, 18), (19, 35), (36, 57)]  # inclusive x ranges: today, previous, next


def button(d, x0, x1):
    """A light button face with a thin frame, inset one pixel."""
    d.rectangle([x0 + 1, 1, x1 - 1, HEIGHT - 2], fill=HEADING, outline=FRAME)


def draw_today(d, x0, x1):
    """A calendar page: a navy binding strip over rows of days, today in red."""
    button(d, x0, x1)
    left, right = x0 + 4, x1 - 4
    d.rectangle([left, 3, right, 12], fill=PAGE, outline=NAVY)
    d.rectangle([left, 3, right, 4], fill=NAVY)
    for row in range(3):
        for column in range(4):
            x = left + 2 + column * 2
            y = 6 + row * 2
            d.point((x, y), fill=NAVY)
    d.rectangle([left + 5, 7, left + 7, 9], fill=RED)


def draw_arrow(d, x0, x1, pointing_left):
    """A solid triangle centred in the button."""
    button(d, x0, x1)
    middle = (x0 + x1) // 2
    half = 4
    if pointing_left:
        points = [(middle - 3, 7), (middle + 2, 7 - half), (middle + 2, 7 + half)]
    else:
        points = [(middle + 3, 7), (middle - 2, 7 - half), (middle - 2, 7 + half)]
    d.polygon(points, fill=NAVY, outline=NAVY)


def calendar_arrows():
    image = Image.new("RGB", (WIDTH, HEIGHT), PAGE)
    d = ImageDraw.Draw(image)
    draw_today(d, *BUTTONS[0])
    draw_arrow(d, *BUTTONS[1], pointing_left=True)
    draw_arrow(d, *BUTTONS[2], pointing_left=False)
    # A fixed palette keeps every colour exact (the page colour above all).
    colours = [PAGE, NAVY, HEADING, RED, FRAME]
    palette = Image.new("P", (1, 1))
    palette.putpalette([c for colour in colours for c in colour] + [0] * (768 - 3 * len(colours)))
    return image.quantize(palette=palette, dither=Image.Dither.NONE)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    calendar_arrows().save(os.path.join(root, "time", "calendar", "CalArrow.gif"))


if __name__ == "__main__":
    main()
