#!/usr/bin/python3
"""Draws the world clock's map, Map.gif (240 x 112), from xplanet-images' earth.

    tools/gen_world_map.py [OUT.gif]      (default: time/globora/Map.gif)

The map is the program's projection: column c shows longitude (c - 120) x 1.5
degrees, row r latitude (66 - r) x 90/70 degrees, so it runs from 180 W to
180 E and from 84.9 N to 59.1 S; its degrees are not square.  The source is
equirectangular from 180 W at its left edge and 90 N at its top (checked
below on points whose land or sea is known).  Its palette leaves out red,
the colour of the city dots.  Picture and generator are committed; run it
again after changing either.  Needs python3-pil and xplanet-images.

The earth picture is NASA's Visible Earth imagery (not copyrighted; credit
NASA), as packaged by xplanet-images.
"""
import sys

from PIL import Image

SOURCE = "/usr/share/xplanet/images/earth.jpg"
ROOT = __file__.rsplit("/tools/", 1)[0]
OUT = sys.argv[1] if len(sys.argv) > 1 else ROOT + "/time/globora/Map.gif"

WIDTH, HEIGHT = 240, 112
TOP_LATITUDE = 66 * 90 / 70           # the top edge of row 0
BOTTOM_LATITUDE = (66 - HEIGHT) * 90 / 70
COLOURS = 64


def source_point(image, longitude, latitude):
    x = (longitude + 180) / 360 * image.width
    y = (90 - latitude) / 180 * image.height
    return image.getpixel((min(int(x), image.width - 1), min(int(y), image.height - 1)))


def is_sea(rgb):
    r, g, b = rgb
    return b > r + 15 and b > g


def check_equirectangular(image):
    """Sea and land where a map from 180 W puts them; a shifted or flipped
    picture fails here."""
    sea = [(-160, 0), (-30, 30), (70, -20), (160, 30), (0, -40)]
    land = [(20, 0), (-60, -10), (135, -25), (100, 60), (-100, 40), (20, 20)]
    for longitude, latitude in sea:
        if not is_sea(source_point(image, longitude, latitude)):
            sys.exit(f"{SOURCE}: expected sea at {longitude}, {latitude}: not the expected projection")
    for longitude, latitude in land:
        if is_sea(source_point(image, longitude, latitude)):
            sys.exit(f"{SOURCE}: expected land at {longitude}, {latitude}: not the expected projection")


def without_red(palette):
    """The palette with every reddish entry moved towards brown."""
    out = []
    for i in range(0, len(palette), 3):
        r, g, b = palette[i:i + 3]
        if r > 180 and g < 90 and b < 90:
            g, b = max(g, 90), max(b, 60)
        out += [r, g, b]
    return out


def main():
    earth = Image.open(SOURCE).convert("RGB")
    check_equirectangular(earth)
    top = (90 - TOP_LATITUDE) / 180 * earth.height
    bottom = (90 - BOTTOM_LATITUDE) / 180 * earth.height
    strip = earth.resize((WIDTH, HEIGHT), Image.BOX, box=(0, top, earth.width, bottom))
    mapped = strip.quantize(colors=COLOURS, method=Image.MEDIANCUT, dither=Image.NONE)
    mapped.putpalette(without_red(mapped.getpalette()[:COLOURS * 3]))
    for r, g, b in mapped.convert("RGB").getdata():
        if r == 255 and g == 0 and b == 0:
            sys.exit("the map has pure red in it")
    mapped.save(OUT, "GIF")
    print(f"{OUT}: {WIDTH} x {HEIGHT}, {COLOURS} colours")


if __name__ == "__main__":
    main()
