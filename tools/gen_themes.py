#!/usr/bin/python3
"""Draws and packs the device's themes and the theme tools' icons.

    /usr/bin/python3 tools/gen_themes.py              write the committed output below
    /usr/bin/python3 tools/gen_themes.py --fixtures DIR
                                                      the sample themes and their colours
                                                      (colours.txt) into DIR, for the tests,
                                                      with two small themes in the library's
                                                      own layout (Tiny.tsk, TinyAnimated.tsk),
                                                      folders of 0, 1, 6 and 20 themes
                                                      (folders/none, one, six, twenty),
                                                      the animated samples' movies (<Name>.swf),
                                                      movies the player must refuse or survive
                                                      (bad_*.swf, odd_*.swf) and pages (*.htm)

A theme file (".tsk") is a plain cabinet holding the device setup file
"ZARQQV~1.000" (a template with the theme's eleven colours patched in) and
the theme's pictures, "0stwater.002" (the Start picture, 240 x 255) and
"tdywater.001" (the Today picture, 240 x 268: the screen between the task bar
and the command bar); an animated theme adds its page "0000at2k.005", movie
"0000at2k.004" and control file "0000at2k.003" before them.  Cabinets are
packed by gcab (`gcab --create --nopath`), whose blocks run across members:
that they read shows the theme library takes any plain cabinet.

Writes (the output is committed; run this again only to change the art):
    device/image/rom/Windows/stwater.gif, tdywater.gif
                        the built-in default theme's pictures in the device's
                        ROM (copies of the seed image's RAM pictures)
    device/image/rom/Windows/Glacier.tsk, Graphite.tsk
                        the two built-in themes in ROM
    themes/samples/My Documents/{Ocean,Sunset,Meadow,Amber,Night,Aurora,Firefly,Lagoon}.tsk
                        sample themes for the user's documents ("Aurora",
                        "Firefly" and "Lagoon" are animated: a page naming a
                        height and a bgcolor, and a movie written by
                        tools/swf_writer.py)
    device/image/rom/Program Files/Windows Media Player/default.skn, Classic/
                        the media player's current-skin file and its built-in
                        skin "Classic" (Classic.skn, Classic.bmp) in ROM
    themes/samples/Windows Media Player/{Marine,Ember,Slate}/
                        skins for the player (BMP, GIF and JPEG pictures)
    themes/samples/Storage Card/Harvest.tsk
                        a sample on the storage card's documents folder
    themes/rotator/rotator.ico, schedule1.ico ... schedule4.ico
                        the rotator's icon (101) and its notification icons
                        (105-108), one per schedule
    themes/turnsel/schedules.bmp
                        the editor's schedule buttons: 64 x 16, four 16 x 16
                        pictures on light grey 0xC0C0C0 (transparent)
    themes/motrelle/browse.ico, folders.ico, themes.ico, commands.ico
                        the animated-theme viewer's hot-area icons (101
                        browse, 102 folders, 103 the folder's themes, 104
                        the theme's commands)
    themes/rotapan/rotapan.ico
                        the control-panel entry's icon (102)
    themes/tessary/page_up.ico, page_down.ico
                        the thumbnail list's page arrows (119, 120)
    themes/vistaro/reload.ico, browse.ico, folders.ico, animated.ico
                        the theme browser's hot-area icons (106 reload, 107
                        browse, 108 folder menu) and its animated badge (109)
    themes/pallido/QvSt.gif, QvTdy.gif
                        the theme designer's Start (240x255) and Today
                        (240x268) pictures for new themes
    themes/pallido/QvTray.gif, QvInfo.gif, QvWarn.gif
                        its tray (80x35), message box and warning box (80x30)
                        mock-ups, drawn over magenta 0xFF00FF (transparent)
    themes/pallido/mockup_icons.bmp, browser_button.bmp
                        the mock-ups' 16x16 icons over magenta: seven Start
                        menu entries, three Today items and the Start flag;
                        the "Launch Theme Browser" button on light grey

Needs Pillow (python3-pil) and gcab.  Output is deterministic.
"""

import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

import swf_writer

from PIL import Image, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

TODAY_SIZE = (240, 268)
START_SIZE = (240, 255)

# The colour table: index -> registry value name.
VALUE_NAMES = ["4", "6", "5", "8", "9", "7", "10", "13", "14", "25", "26"]


def colorref(rgb):
    r, g, b = rgb
    return r | (g << 8) | (b << 16)


class Theme:
    """A theme: its name, eleven colours (RGB tuples by index), and how its
    pictures are drawn."""

    def __init__(self, name, colours, today, start, animated=None):
        self.name = name
        self.colours = colours
        self.today = today
        self.start = start
        self.animated = animated


def colours(text, line, caption_left, caption_right, caption_text, command_bar, tray,
            message_left=(0x00, 0x00, 0xA0), message_right=(0x00, 0x80, 0xFF),
            warning_left=(0xFF, 0x00, 0x00), warning_right=(0xFF, 0x80, 0x40)):
    return [text, line, caption_left, caption_right, caption_text, command_bar, tray,
            message_left, message_right, warning_left, warning_right]


# --- Pictures ----------------------------------------------------------------

def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def gradient(size, top, bottom):
    width, height = size
    image = Image.new("RGB", size)
    draw = ImageDraw.Draw(image)
    for y in range(height):
        draw.line([(0, y), (width - 1, y)], fill=lerp(top, bottom, y / max(1, height - 1)))
    return image


def blend_layer(image, draw_layer, blur=0):
    layer = Image.new("RGBA", image.size, (0, 0, 0, 0))
    draw_layer(ImageDraw.Draw(layer))
    if blur:
        layer = layer.filter(ImageFilter.GaussianBlur(blur))
    return Image.alpha_composite(image.convert("RGBA"), layer).convert("RGB")


def waves(size, top, bottom, crest):
    image = gradient(size, top, bottom)
    width, height = size

    def draw(d):
        for k in range(6):
            base = height * (0.45 + 0.09 * k)
            points = [(x, base + 6 * math.sin(x / 19.0 + k * 1.3)) for x in range(0, width + 1, 4)]
            d.line(points, fill=crest + (110 - 12 * k,), width=3)
    return blend_layer(image, draw, blur=1)


def sun(size, top, bottom, disc, glow):
    image = gradient(size, top, bottom)
    width, height = size

    def draw(d):
        cx, cy = width * 0.62, height * 0.58
        for r, a in ((70, 40), (48, 90)):
            d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=glow + (a,))
        d.ellipse([cx - 30, cy - 30, cx + 30, cy + 30], fill=disc + (255,))
        d.rectangle([0, height * 0.74, width, height], fill=(40, 20, 60, 150))
    return blend_layer(image, draw, blur=2)


def hills(size, sky_top, sky_bottom, near, far):
    image = gradient(size, sky_top, sky_bottom)
    width, height = size

    def draw(d):
        for colour, base, amp, phase in ((far, 0.55, 18, 0.4), (near, 0.7, 14, 1.9)):
            points = [(x, height * base + amp * math.sin(x / 37.0 + phase)) for x in range(0, width + 1, 4)]
            d.polygon(points + [(width, height), (0, height)], fill=colour + (255,))
    return blend_layer(image, draw)


def rings(size, top, bottom, ring, centre):
    image = gradient(size, top, bottom)

    def draw(d):
        cx, cy = centre
        for radius in range(30, 260, 28):
            d.ellipse([cx - radius, cy - radius, cx + radius, cy + radius], outline=ring + (90,), width=5)
    return blend_layer(image, draw, blur=2)


def stars(size, top, bottom, seed):
    image = gradient(size, top, bottom)
    width, height = size
    state = seed

    def draw(d):
        nonlocal state
        for _ in range(70):
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            x = state % width
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            y = state % int(height * 0.8)
            d.point((x, y), fill=(255, 255, 240, 220))
        d.ellipse([168, 26, 206, 64], fill=(240, 236, 210, 255))
        d.ellipse([180, 20, 214, 54], fill=top + (255,))
    return blend_layer(image, draw)


def bands(size, top, bottom, band):
    image = gradient(size, top, bottom)
    width, height = size

    def draw(d):
        for k in range(4):
            points = [(x, height * (0.2 + 0.08 * k) + 20 * math.sin(x / 31.0 + k)) for x in range(0, width + 1, 4)]
            d.line(points, fill=band + (120 - 20 * k,), width=10)
    return blend_layer(image, draw, blur=4)


def stripes(size, top, bottom, stripe):
    image = gradient(size, top, bottom)
    width, height = size

    def draw(d):
        for x in range(-height, width, 22):
            d.line([(x, height), (x + height, 0)], fill=stripe + (60,), width=7)
    return blend_layer(image, draw, blur=1)


def fields(size, sky, crop, row):
    image = gradient(size, sky, (250, 236, 200))
    width, height = size

    def draw(d):
        d.polygon([(0, height * 0.52), (width, height * 0.46), (width, height), (0, height)], fill=crop + (255,))
        for k in range(10):
            y = height * 0.55 + k * k * 1.4 + k * 4
            d.line([(0, y), (width, y - 6)], fill=row + (160,), width=2)
    return blend_layer(image, draw)


def save_gif(image, path):
    image.quantize(colors=128, method=Image.Quantize.MEDIANCUT).save(path, format="GIF", optimize=False)


# --- Setup file ----------------------------------------------------------------

def setup_file(theme_colours, animated):
    """The device setup file of a theme: the still (509 bytes) or animated
    (584 bytes) template with the eleven colours patched in."""
    still_values = [("5", "BF000000"), ("8", "80000000"), ("9", "FFFFFF00"), ("4", "FFFFFF00"),
                    ("6", "BF000000"), ("7", "C0C0C000"), ("10", "80000000"), ("11", "80000000"),
                    ("12", "80000000"), ("13", "BF000000"), ("14", "BF000000"), ("25", "FF000000"),
                    ("26", "BF000000")]
    animated_values = [("5", "00000000"), ("8", "00000000"), ("9", "FFFFFF00"), ("4", "FFFFFF00"),
                       ("6", "00000000"), ("7", "80808000"), ("10", "FF000000"), ("11", "C0C0C000"),
                       ("12", "80808000"), ("13", "FF000000"), ("14", "FF000000"), ("25", "FF000000"),
                       ("26", "FF000000"), ("42", "6D736674")]
    files = [(1, "tdywater.gif"), (2, "stwater.gif")]
    if animated:
        files += [(3, "at2k.atc"), (4, "at2k.swf"), (5, "at2k.htm")]
    values = animated_values if animated else still_values
    folders = [2] if animated else [2, 1]
    strings = ["%CE2%", "%CE2%", "Software", "Microsoft", "Color"]
    app_name = b"ZARQ  COM\0" if animated else b"ZARQ COM\0"
    provider = b"Windows\0"
    unsupported = b"HPC\0JUPITER\0\0"

    def text(s):
        return s.encode("ascii") + b"\0"

    sections = []
    sections.append(b"".join(struct.pack("<HH", i + 1, len(text(s))) + text(s) for i, s in enumerate(strings)))
    sections.append(b"".join(struct.pack("<HHHH", f, 4, f, 0) for f in folders))
    sections.append(b"".join(struct.pack("<HHHIH", n, 2, n, 0x40000000, len(text(name))) + text(name)
                             for n, name in files))
    sections.append(struct.pack("<HHHH", 1, 3, 0, 8) + struct.pack("<HHHH", 3, 4, 5, 0))
    colour_of = {VALUE_NAMES[i]: colorref(rgb) for i, rgb in enumerate(theme_colours)}
    records = []
    for i, (name, data) in enumerate(values):
        data = struct.pack("<I", colour_of[name]) if name in colour_of else bytes.fromhex(data)
        records.append(struct.pack("<HHHIH", i + 1, 1, 0, 1, len(text(name)) + 4) + text(name) + data)
    sections.append(b"".join(records))

    header_size = 100
    offsets = []
    position = header_size
    for section in sections:
        offsets.append(position)
        position += len(section)
    app_at = position
    provider_at = app_at + len(app_name)
    unsupported_at = provider_at + len(provider)
    length = unsupported_at + len(unsupported)
    counts = [len(strings), len(folders), len(files), 1, len(values), 0]
    header = b"MSCE" + struct.pack("<IIIII", 0, length, 0, 1, 2577) + struct.pack("<IIII", 3, 0, 100, 0)
    header += struct.pack("<II", 0, 0) + struct.pack("<6H", *counts) + struct.pack("<6I", *(offsets + [0]))
    header += struct.pack("<6H", app_at, len(app_name), provider_at, len(provider), unsupported_at,
                          len(unsupported))
    header += struct.pack("<HH", 0, 0)
    assert len(header) == header_size
    data = header + b"".join(sections) + app_name + provider + unsupported
    assert len(data) == (584 if animated else 509), len(data)
    return data


# --- Animated theme files ------------------------------------------------------

def animation_page(background, height):
    colour = "#%02x%02x%02x" % background
    return ("<html><body bgcolor='%s' topmargin='0' leftmargin='0'>"
            "<object classid='clsid:D27CDB6E-AE6D-11cf-96B8-444553540000' id='pocketpc' width='240' height='%d'>"
            "<param name='bgcolor' value='%s'/><param name='movie' value='\\windows\\at2k.swf'/>"
            "<param name='quality' value='high'/></object></body></html>\r\n" % (colour, height, colour)).encode("ascii")


def animation_movie(background, height, mark, mover, frames=24):
    """The theme's movie: a 240 x height stage over the page's colour, a
    static square mark at the top left and a disc crossing the stage, at 12
    frames a second."""
    movie = swf_writer.Movie(240, height, rate=12, background=background)
    movie.shape(1, mark, swf_writer.rectangle(4, 4, 16, 16))
    radius = height // 4
    movie.shape(2, mover, swf_writer.disc(0, 0, radius))
    movie.place(1, 1)
    start, end = 30, 210
    for frame in range(frames):
        x = start + (end - start) * frame / (frames - 1)
        if frame == 0:
            movie.place(2, 2, x, height / 2)
        else:
            movie.move(2, x, height / 2)
        movie.show_frame()
    return movie.bytes()


def animation_control(name):
    return ("[Animation]\r\nName=%s\r\nMovie=\\Windows\\at2k.swf\r\nPage=\\Windows\\at2k.htm\r\n" % name).encode("ascii")


# --- Packing ---------------------------------------------------------------------

# Every member carries this time stamp (gcab takes the file's time).
MEMBER_TIME = time.mktime((2001, 12, 3, 14, 25, 12, 0, 0, -1))


def pack(theme, output):
    with tempfile.TemporaryDirectory() as work:
        members = [("ZARQQV~1.000", setup_file(theme.colours, theme.animated is not None))]
        if theme.animated is not None:
            background, height, mark, mover = theme.animated
            members += [("0000at2k.005", animation_page(background, height)),
                        ("0000at2k.004", animation_movie(background, height, mark, mover)),
                        ("0000at2k.003", animation_control(theme.name))]
        start_path = os.path.join(work, "0stwater.002")
        today_path = os.path.join(work, "tdywater.001")
        save_gif(theme.start(), start_path)
        save_gif(theme.today(), today_path)
        for name, data in members:
            with open(os.path.join(work, name), "wb") as out:
                out.write(data)
        names = [name for name, _ in members] + ["0stwater.002", "tdywater.001"]
        for name in names:
            os.utime(os.path.join(work, name), (MEMBER_TIME, MEMBER_TIME))
        os.makedirs(os.path.dirname(output), exist_ok=True)
        if os.path.exists(output):
            os.remove(output)
        subprocess.run(["gcab", "--create", "--nopath", output] + names, cwd=work, check=True)


# --- The themes --------------------------------------------------------------------

BUILT_IN = [
    Theme("Glacier",
          colours((0x10, 0x30, 0x60), (0x90, 0xB8, 0xD8), (0x60, 0x98, 0xD0), (0x18, 0x48, 0x88),
                  (0xFF, 0xFF, 0xFF), (0xD8, 0xE8, 0xF4), (0x30, 0x70, 0xB0)),
          lambda: rings(TODAY_SIZE, (0xF4, 0xFA, 0xFF), (0xC8, 0xDE, 0xF2), (0x80, 0xB0, 0xE0), (200, 230)),
          lambda: rings(START_SIZE, (0xEC, 0xF4, 0xFC), (0xD0, 0xE4, 0xF6), (0x90, 0xB8, 0xE0), (40, 220))),
    Theme("Graphite",
          colours((0x20, 0x20, 0x20), (0x90, 0x90, 0x98), (0x70, 0x74, 0x80), (0x30, 0x32, 0x38),
                  (0xF0, 0xF0, 0xF0), (0xB8, 0xBC, 0xC4), (0x50, 0x54, 0x5C)),
          lambda: stripes(TODAY_SIZE, (0xE8, 0xE8, 0xEC), (0xB0, 0xB4, 0xBC), (0x60, 0x64, 0x70)),
          lambda: stripes(START_SIZE, (0xF0, 0xF0, 0xF2), (0xC8, 0xCA, 0xD0), (0x80, 0x84, 0x90))),
]

SAMPLES = [
    Theme("Ocean",
          colours((0x00, 0x20, 0x50), (0x40, 0x80, 0xB0), (0x00, 0x60, 0xA8), (0x00, 0x28, 0x60),
                  (0xFF, 0xFF, 0xFF), (0x00, 0x50, 0x88), (0x00, 0x38, 0x70)),
          lambda: waves(TODAY_SIZE, (0xC8, 0xE8, 0xF8), (0x10, 0x60, 0xA0), (0xFF, 0xFF, 0xFF)),
          lambda: waves(START_SIZE, (0xE0, 0xF2, 0xFA), (0x60, 0xA0, 0xD0), (0xFF, 0xFF, 0xFF))),
    Theme("Sunset",
          colours((0x50, 0x10, 0x10), (0xE0, 0x80, 0x50), (0xF0, 0x80, 0x20), (0xA0, 0x20, 0x50),
                  (0xFF, 0xFF, 0xF0), (0xC0, 0x50, 0x30), (0x90, 0x20, 0x40)),
          lambda: sun(TODAY_SIZE, (0xFF, 0xC0, 0x70), (0xB0, 0x40, 0x70), (0xFF, 0xF0, 0xB0), (0xFF, 0xD0, 0x80)),
          lambda: sun(START_SIZE, (0xFF, 0xD8, 0xA0), (0xE0, 0x80, 0x90), (0xFF, 0xF4, 0xC8), (0xFF, 0xE0, 0xA0))),
    Theme("Meadow",
          colours((0x10, 0x40, 0x10), (0x70, 0xB0, 0x60), (0x40, 0xA0, 0x30), (0x10, 0x60, 0x20),
                  (0xFF, 0xFF, 0xFF), (0x90, 0xC8, 0x70), (0x30, 0x80, 0x30)),
          lambda: hills(TODAY_SIZE, (0xB8, 0xE0, 0xFF), (0xF0, 0xF8, 0xFF), (0x50, 0x9C, 0x40), (0x90, 0xC8, 0x70)),
          lambda: hills(START_SIZE, (0xD0, 0xEC, 0xFF), (0xF6, 0xFB, 0xFF), (0x80, 0xBC, 0x68), (0xB0, 0xDA, 0x98))),
    Theme("Amber",
          colours((0x50, 0x28, 0x00), (0xD8, 0x98, 0x40), (0xF0, 0xA0, 0x10), (0xB0, 0x60, 0x00),
                  (0x30, 0x18, 0x00), (0xF8, 0xD0, 0x80), (0xC8, 0x78, 0x10)),
          lambda: rings(TODAY_SIZE, (0xFF, 0xF0, 0xD0), (0xF0, 0xC0, 0x70), (0xC0, 0x70, 0x10), (40, 60)),
          lambda: rings(START_SIZE, (0xFF, 0xF6, 0xE0), (0xF6, 0xD8, 0xA0), (0xD0, 0x90, 0x30), (200, 40))),
    Theme("Night",
          colours((0xE0, 0xE8, 0xFF), (0x50, 0x58, 0x90), (0x20, 0x28, 0x60), (0x08, 0x08, 0x20),
                  (0xE0, 0xE0, 0xFF), (0x18, 0x1C, 0x40), (0x30, 0x30, 0x70)),
          lambda: stars(TODAY_SIZE, (0x08, 0x0C, 0x28), (0x28, 0x30, 0x68), 7),
          lambda: stars(START_SIZE, (0x10, 0x14, 0x38), (0x30, 0x38, 0x70), 11)),
    Theme("Aurora",
          colours((0xD0, 0xFF, 0xE0), (0x30, 0x90, 0x70), (0x10, 0x50, 0x40), (0x08, 0x18, 0x30),
                  (0xE0, 0xFF, 0xF0), (0x10, 0x30, 0x38), (0x20, 0x70, 0x60)),
          lambda: bands(TODAY_SIZE, (0x06, 0x10, 0x24), (0x10, 0x28, 0x40), (0x40, 0xF0, 0xA0)),
          lambda: bands(START_SIZE, (0x0C, 0x18, 0x30), (0x18, 0x38, 0x50), (0x60, 0xF8, 0xB8)),
          animated=((0x10, 0x20, 0x40), 60, (0xF0, 0xF0, 0x60), (0x40, 0xF0, 0xA0))),
    Theme("Firefly",
          colours((0xFF, 0xF0, 0xC0), (0x90, 0x70, 0x30), (0x60, 0x40, 0x10), (0x20, 0x10, 0x08),
                  (0xFF, 0xE8, 0xB0), (0x30, 0x20, 0x10), (0x80, 0x50, 0x20)),
          lambda: stars(TODAY_SIZE, (0x18, 0x10, 0x08), (0x40, 0x28, 0x10), 5),
          lambda: stars(START_SIZE, (0x20, 0x18, 0x0C), (0x50, 0x38, 0x18), 9),
          animated=((0x30, 0x18, 0x08), 40, (0xFF, 0xFF, 0xFF), (0xFF, 0xC0, 0x20))),
    Theme("Lagoon",
          colours((0xE0, 0xFF, 0xFF), (0x30, 0x90, 0xA0), (0x10, 0x60, 0x70), (0x04, 0x28, 0x30),
                  (0xE0, 0xFF, 0xFF), (0x08, 0x38, 0x40), (0x10, 0x70, 0x80)),
          lambda: waves(TODAY_SIZE, (0x30, 0x90, 0xA0), (0x04, 0x30, 0x40), (0xA0, 0xF0, 0xF0)),
          lambda: waves(START_SIZE, (0x40, 0xA0, 0xB0), (0x08, 0x40, 0x50), (0xB0, 0xF8, 0xF8)),
          animated=((0x08, 0x40, 0x48), 80, (0xFF, 0x60, 0x60), (0xF0, 0xF0, 0xF0))),
]

CARD_SAMPLE = Theme("Harvest",
                    colours((0x48, 0x30, 0x08), (0xC8, 0xA0, 0x50), (0xD8, 0xA0, 0x30), (0x90, 0x58, 0x10),
                            (0xFF, 0xFF, 0xF0), (0xE8, 0xD0, 0x90), (0xA0, 0x70, 0x20)),
                    lambda: fields(TODAY_SIZE, (0xC0, 0xDC, 0xF0), (0xE0, 0xB0, 0x40), (0xB0, 0x80, 0x20)),
                    lambda: fields(START_SIZE, (0xD8, 0xEA, 0xF6), (0xEC, 0xC8, 0x70), (0xC8, 0x98, 0x40)))


def write_cabinet(members, output):
    """A cabinet in the theme library's own layout: one folder, each
    member's bytes in blocks of 32768 and a last block with the rest (empty
    too), "ZARQ" in every checksum field."""
    entries = b""
    offset = 0
    blocks = []
    for name, data in members:
        entries += struct.pack("<IIHHHH", len(data), offset, 0, 0x2B83, 0x7326, 0x20) + name.encode("ascii") + b"\0"
        offset += len(data)
        for start in range(0, len(data) + 1, 32768):
            chunk = data[start:start + 32768]
            blocks.append(b"ZARQ" + struct.pack("<HH", len(chunk), len(chunk)) + chunk)
            if len(chunk) < 32768:
                break
    directory = 36 + 8 + len(entries)
    size = directory + sum(len(b) for b in blocks)
    header = b"MSCF" + struct.pack("<IIIII", 0, size, 0, 44, 0) + struct.pack("<BBHHHHH", 3, 1, 1, len(members), 0,
                                                                            2892, 0)
    folder = struct.pack("<IHH", directory, len(blocks), 0)
    with open(output, "wb") as out:
        out.write(header + folder + entries + b"".join(blocks))


def tiny_themes(out):
    """Small seeds for fuzzing, in the library's own layout: a still and an
    animated theme with pictures of a few bytes."""
    theme = SAMPLES[0]
    still = [("ZARQQV~1.000", setup_file(theme.colours, False)), ("0stwater.002", b"GIF89a start"),
             ("tdywater.001", b"GIF89a today")]
    write_cabinet(still, os.path.join(out, "Tiny.tsk"))
    animated = [("ZARQQV~1.000", setup_file(theme.colours, True)),
                ("0000at2k.005", animation_page((0x10, 0x20, 0x40), 52)),
                ("0000at2k.004", b"FWS\x06movie"), ("0000at2k.003", b"[Animation]"),
                ("0stwater.002", b"GIF89a start"), ("tdywater.001", b"GIF89a today")]
    write_cabinet(animated, os.path.join(out, "TinyAnimated.tsk"))


def theme_folders(out):
    """Folders of 0, 1, 6 and 20 themes for the theme browser's tests and
    benchmark, copied from the packed samples: "six" holds the first six
    samples of the documents folder (Aurora animated), "twenty" those and
    the card's sample over and over as Theme01.tsk ... Theme20.tsk."""
    samples = [theme.name + ".tsk" for theme in SAMPLES[:6] + [CARD_SAMPLE]]
    contents = {
        "none": [],
        "one": [("Ocean.tsk", "Ocean.tsk")],
        "six": [(name, name) for name in samples[:6]],
        "twenty": [("Theme%02d.tsk" % (i + 1), samples[i % len(samples)]) for i in range(20)],
    }
    for folder, files in contents.items():
        path = os.path.join(out, "folders", folder)
        if os.path.isdir(path):
            shutil.rmtree(path)
        os.makedirs(path)
        for name, source in files:
            shutil.copyfile(os.path.join(out, source), os.path.join(path, name))


def write_colours(themes, path):
    """One line per theme: its file name and the eleven COLORREFs in hex."""
    with open(path, "w") as out:
        for theme in themes:
            out.write("%s.tsk %s\n" % (theme.name, " ".join("%08X" % colorref(c) for c in theme.colours)))


# --- Icons -----------------------------------------------------------------------------

ICON_COLOURS = [(0x20, 0x60, 0xC8), (0x30, 0xA0, 0x40), (0xE0, 0x80, 0x20), (0xB0, 0x30, 0xA0)]
DIGITS = {
    1: ["010", "110", "010", "010", "111"],
    2: ["110", "001", "010", "100", "111"],
    3: ["110", "001", "010", "001", "110"],
    4: ["101", "101", "111", "001", "001"],
}


def digit(d, n, x0, y0, scale, colour):
    for row, line in enumerate(DIGITS[n]):
        for col, c in enumerate(line):
            if c == "1":
                d.rectangle([x0 + col * scale, y0 + row * scale, x0 + (col + 1) * scale - 1,
                             y0 + (row + 1) * scale - 1], fill=colour)


def rotation_arrows(d, size, colour, width):
    m = size * 0.12
    d.arc([m, m, size - m - 1, size - m - 1], 200, 340, fill=colour, width=width)
    d.arc([m, m, size - m - 1, size - m - 1], 20, 160, fill=colour, width=width)
    a = size * 0.08
    d.polygon([(size - m - 1 - a, size * 0.5 - 2 * a), (size - m - 1 + a, size * 0.5 - 2 * a),
               (size - m - 1, size * 0.5)], fill=colour)
    d.polygon([(m - a, size * 0.5 + 2 * a), (m + a, size * 0.5 + 2 * a), (m, size * 0.5)], fill=colour)


def rotator_icon(size):
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    inset = size // 4
    d.rectangle([inset, inset + 1, size - inset - 1, size - inset - 2], fill=(0xF0, 0xF6, 0xFF, 255),
                outline=(0x20, 0x30, 0x50, 255))
    d.rectangle([inset + 1, inset + 2, size - inset - 2, inset + max(2, size // 10)], fill=(0x20, 0x60, 0xC8, 255))
    rotation_arrows(d, size, (0x20, 0x60, 0xC8, 255), max(1, size // 12))
    return image


def schedule_icon(n, size):
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    d.ellipse([0, 0, size - 1, size - 1], fill=ICON_COLOURS[n - 1] + (255,), outline=(0x20, 0x20, 0x30, 255))
    scale = max(1, size // 9)
    digit(d, n, (size - 3 * scale) // 2, (size - 5 * scale) // 2, scale, (255, 255, 255, 255))
    return image


def schedule_strip():
    strip = Image.new("RGB", (64, 16), (0xC0, 0xC0, 0xC0))
    for n in range(1, 5):
        tile = schedule_icon(n, 16)
        strip.paste(tile, ((n - 1) * 16, 0), tile)
    return strip


def panel_icon(size):
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    d.rectangle([1, 1, size - 2, size - 2], fill=(0xFF, 0xFF, 0xFF, 255), outline=(0x20, 0x30, 0x50, 255))
    band = max(2, size // 6)
    for i, colour in enumerate(ICON_COLOURS):
        y = 2 + i * band
        d.rectangle([2, y, size // 2 - 1, y + band - 2], fill=colour + (255,))
    rotation_arrows(d, size, (0x20, 0x30, 0x50, 255), max(1, size // 14))
    return image


def arrow_icon(size, up):
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    m = size * 0.2
    top, bottom = size * 0.28, size * 0.72
    points = [(size / 2, top), (size - m, bottom), (m, bottom)] if up else \
        [(m, top), (size - m, top), (size / 2, bottom)]
    d.polygon(points, fill=(0x20, 0x40, 0x80, 255), outline=(0x10, 0x20, 0x40, 255))
    return image


def reload_icon(size):
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    colour = (0x20, 0x70, 0x30, 255)
    m = size * 0.15
    d.arc([m, m, size - m - 1, size - m - 1], 40, 330, fill=colour, width=max(2, size // 8))
    a = size * 0.16
    tip_x, tip_y = size - m - 1, size * 0.5
    d.polygon([(tip_x - a * 1.3, tip_y - a * 1.6), (tip_x + a * 1.1, tip_y - a * 1.6), (tip_x - a * 0.1, tip_y + a * 0.4)],
              fill=colour)
    return image


def folder_shape(d, size, fill):
    edge = (0x60, 0x48, 0x10, 255)
    d.rectangle([size * 0.06, size * 0.22, size * 0.45, size * 0.34], fill=fill, outline=edge)
    d.rectangle([size * 0.06, size * 0.32, size * 0.94, size * 0.82], fill=fill, outline=edge)


def browse_icon(size):
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    folder_shape(d, size, (0xF0, 0xC8, 0x50, 255))
    r = size * 0.2
    cx, cy = size * 0.58, size * 0.55
    d.ellipse([cx - r, cy - r, cx + r, cy + r], outline=(0x20, 0x30, 0x60, 255), width=max(1, size // 12))
    d.line([(cx + r * 0.7, cy + r * 0.7), (size * 0.95, size * 0.95)], fill=(0x20, 0x30, 0x60, 255),
           width=max(2, size // 8))
    return image


def folders_icon(size):
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    folder_shape(d, size, (0xF0, 0xC8, 0x50, 255))
    m = size * 0.3
    d.polygon([(m, size * 0.5), (size - m, size * 0.5), (size / 2, size * 0.72)], fill=(0x20, 0x30, 0x60, 255))
    return image


def animated_badge(size):
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    d.ellipse([0, 0, size - 1, size - 1], fill=(0xD0, 0x20, 0x20, 255), outline=(0x60, 0x00, 0x00, 255))
    d.polygon([(size * 0.38, size * 0.26), (size * 0.38, size * 0.74), (size * 0.76, size * 0.5)],
              fill=(255, 255, 255, 255))
    return image


MAGENTA = (0xFF, 0x00, 0xFF)


def save_plain_gif(image, path):
    """A GIF of few colours, each kept exactly (the designer's transparent
    magenta must stay 0xFF00FF)."""
    image.convert("P", palette=Image.Palette.ADAPTIVE, colors=64).save(path, format="GIF", optimize=False)


def tray_mockup():
    image = Image.new("RGB", (80, 35), MAGENTA)
    d = ImageDraw.Draw(image)
    white, dark = (0xFF, 0xFF, 0xFF), (0x20, 0x20, 0x20)
    # antenna bars, a speaker and an envelope along the caption's right end
    for i in range(4):
        d.rectangle([8 + i * 4, 14 - i * 3, 10 + i * 4, 16], fill=white)
    d.polygon([(30, 9), (34, 9), (39, 5), (39, 19), (34, 15), (30, 15)], fill=white)
    d.rectangle([46, 7, 60, 17], fill=white, outline=dark)
    d.line([(46, 7), (53, 13), (60, 7)], fill=dark)
    d.rectangle([64, 8, 74, 16], outline=white)
    d.line([(64, 26), (76, 26)], fill=white)
    return image


def box_mockup(warning):
    image = Image.new("RGB", (80, 30), MAGENTA)
    d = ImageDraw.Draw(image)
    white, dark = (0xFF, 0xFF, 0xFF), (0x20, 0x20, 0x20)
    if warning:
        d.polygon([(12, 5), (21, 22), (3, 22)], fill=(0xFF, 0xD0, 0x20), outline=dark)
        d.line([(12, 10), (12, 16)], fill=dark)
        d.point((12, 19), fill=dark)
    else:
        d.ellipse([3, 5, 20, 22], fill=white, outline=dark)
        d.line([(11, 11), (11, 18)], fill=(0x00, 0x40, 0xC0), width=2)
        d.point((11, 8), fill=(0x00, 0x40, 0xC0))
    for row, length in enumerate((48, 36)):
        d.rectangle([26, 8 + row * 8, 26 + length, 10 + row * 8], fill=white)
    return image


def mockup_icon(index):
    """Icon `index` of the mock-ups' strip: 0 Today, 1 ActiveSync,
    2 Contact, 3 Inbox, 4 Programs, 5 Settings, 6 Help, 7-9 the Today
    items (calendar, messages, tasks), 10 the Start flag."""
    image = Image.new("RGB", (16, 16), MAGENTA)
    d = ImageDraw.Draw(image)
    dark = (0x20, 0x20, 0x40)
    if index == 0:
        d.polygon([(8, 2), (14, 8), (2, 8)], fill=(0xC0, 0x30, 0x30), outline=dark)
        d.rectangle([4, 8, 12, 14], fill=(0xF0, 0xE0, 0xA0), outline=dark)
    elif index == 1:
        d.arc([2, 2, 14, 14], 200, 340, fill=(0x20, 0x90, 0x30), width=2)
        d.arc([2, 2, 14, 14], 20, 160, fill=(0x20, 0x90, 0x30), width=2)
        d.polygon([(12, 3), (15, 7), (11, 7)], fill=(0x20, 0x90, 0x30))
        d.polygon([(4, 13), (1, 9), (5, 9)], fill=(0x20, 0x90, 0x30))
    elif index == 2:
        d.ellipse([5, 2, 11, 8], fill=(0xF0, 0xC0, 0x90), outline=dark)
        d.pieslice([2, 8, 14, 20], 180, 360, fill=(0x30, 0x60, 0xC0), outline=dark)
    elif index in (3, 8):
        d.rectangle([1, 4, 14, 12], fill=(0xFF, 0xFF, 0xFF), outline=dark)
        d.line([(1, 4), (8, 9), (14, 4)], fill=dark)
    elif index == 4:
        for r in range(2):
            for c in range(2):
                d.rectangle([2 + c * 7, 2 + r * 7, 7 + c * 7, 7 + r * 7],
                            fill=[(0xE0, 0x40, 0x40), (0x40, 0xA0, 0x40), (0x40, 0x60, 0xE0), (0xE0, 0xC0, 0x20)][r * 2 + c],
                            outline=dark)
    elif index == 5:
        d.ellipse([2, 2, 14, 14], fill=(0xA0, 0xA0, 0xB0), outline=dark)
        d.ellipse([6, 6, 10, 10], fill=MAGENTA, outline=dark)
    elif index == 6:
        d.ellipse([1, 1, 15, 15], fill=(0x30, 0x60, 0xD0), outline=dark)
        d.arc([5, 3, 11, 9], 180, 45, fill=(0xFF, 0xFF, 0xFF), width=2)
        d.line([(8, 8), (8, 10)], fill=(0xFF, 0xFF, 0xFF), width=2)
        d.point((8, 12), fill=(0xFF, 0xFF, 0xFF))
    elif index == 7:
        d.rectangle([2, 3, 14, 14], fill=(0xFF, 0xFF, 0xFF), outline=dark)
        d.rectangle([2, 3, 14, 6], fill=(0xC0, 0x30, 0x30), outline=dark)
        d.point([(5, 9), (8, 9), (11, 9), (5, 12), (8, 12)], fill=dark)
    elif index == 9:
        d.rectangle([2, 2, 13, 14], fill=(0xFF, 0xFF, 0xFF), outline=dark)
        d.line([(4, 8), (7, 11), (12, 4)], fill=(0x20, 0x90, 0x30), width=2)
    else:
        panes = [(0xE0, 0x40, 0x20), (0x40, 0xB0, 0x30), (0x20, 0x70, 0xE0), (0xF0, 0xC0, 0x10)]
        for r in range(2):
            for c in range(2):
                x, y = 2 + c * 6 + (1 - r), 2 + r * 6
                d.rectangle([x, y, x + 5, y + 5], fill=panes[r * 2 + c])
    return image


def mockup_strip():
    strip = Image.new("RGB", (16 * 11, 16), MAGENTA)
    for i in range(11):
        strip.paste(mockup_icon(i), (i * 16, 0))
    return strip


def browser_button():
    image = Image.new("RGB", (16, 16), (0xC0, 0xC0, 0xC0))
    d = ImageDraw.Draw(image)
    for i in range(3):
        d.rectangle([1 + i * 5, 3, 4 + i * 5, 12], fill=(0xFF, 0xFF, 0xFF), outline=(0x20, 0x30, 0x60))
        d.rectangle([1 + i * 5, 3, 4 + i * 5, 5], fill=(0x30, 0x60, 0xC0))
    return image


def designer_art(folder):
    os.makedirs(folder, exist_ok=True)
    save_gif(rings(START_SIZE, (0xE8, 0xF0, 0xFF), (0xB0, 0xC8, 0xF0), (0xFF, 0xFF, 0xFF), (200, 190)),
             os.path.join(folder, "QvSt.gif"))
    save_gif(waves(TODAY_SIZE, (0xF0, 0xF8, 0xFF), (0xA8, 0xC8, 0xE8), (0x60, 0x90, 0xD0)),
             os.path.join(folder, "QvTdy.gif"))
    save_plain_gif(tray_mockup(), os.path.join(folder, "QvTray.gif"))
    save_plain_gif(box_mockup(False), os.path.join(folder, "QvInfo.gif"))
    save_plain_gif(box_mockup(True), os.path.join(folder, "QvWarn.gif"))
    mockup_strip().save(os.path.join(folder, "mockup_icons.bmp"))
    browser_button().save(os.path.join(folder, "browser_button.bmp"))


def movie_fixtures(out):
    """The animated samples' movies and pages, and movies for the player's
    failure paths and its fuzzing corpus."""
    for theme in SAMPLES:
        if theme.animated is None:
            continue
        background, height, mark, mover = theme.animated
        with open(os.path.join(out, theme.name + ".swf"), "wb") as f:
            f.write(animation_movie(background, height, mark, mover))
    good = animation_movie((0x10, 0x20, 0x40), 60, (0xF0, 0xF0, 0x60), (0x40, 0xF0, 0xA0), frames=4)
    odd = swf_writer.Movie(120, 40, rate=60, background=(0x00, 0x80, 0x00))
    odd.unknown(43, b"label\0")                    # a frame label, skipped
    odd.shape(1, (0xFF, 0x00, 0x00), swf_writer.rectangle(0, 0, 120, 40))
    odd.place(1, 1)
    odd.show_frame()
    odd.remove(1)
    odd.show_frame()
    bad = {
        "bad_compressed.swf": b"CWS" + good[3:],
        "bad_not_a_movie.swf": b"<html>not a movie</html>",
        "bad_truncated.swf": good[:len(good) // 2],
        "bad_tag_length.swf": (swf_writer.Movie(240, 60).bytes()[:-2] +
                               struct.pack("<HI", (2 << 6) | 0x3F, 0x7FFFFFFF) + bytes(16)),
        "bad_empty.swf": b"",
        "bad_no_frames.swf": swf_writer.Movie(240, 60, background=(0x10, 0x20, 0x40)).bytes(),
        "odd_rate_and_tags.swf": odd.bytes(),
    }
    for name, data in bad.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    pages = {
        "two_heights.htm": animation_page((0x10, 0x20, 0x40), 52) +
        b"<object width='240' height='60'></object>\r\n",
        "height_at_end.htm": b"<object width='240' height=",
    }
    for name, data in pages.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


# --- Media player skins -------------------------------------------------------------

PLAYER_SIZE = (240, 268)
PLAYER_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# name, picture format, top and bottom colours, the controls' colour.
PLAYER_SKINS = [
    ("Classic", "BMP", (0x40, 0x40, 0x48), (0x10, 0x10, 0x14), (0xC0, 0xC0, 0xC8)),
    ("Marine", "BMP", (0x10, 0x50, 0x90), (0x02, 0x18, 0x38), (0x80, 0xE0, 0xFF)),
    ("Ember", "GIF", (0xA0, 0x30, 0x10), (0x30, 0x08, 0x00), (0xFF, 0xC0, 0x40)),
    ("Slate", "JPEG", (0x60, 0x68, 0x70), (0x28, 0x2C, 0x30), (0xF0, 0xF0, 0xF0)),
]
PLAYER_EXTENSIONS = {"BMP": "bmp", "GIF": "gif", "JPEG": "jpg"}


def player_skin_picture(name, top, bottom, controls):
    """A player face: the colour gradient, a screen, a seek bar, round
    buttons and the skin's name."""
    image = gradient(PLAYER_SIZE, top, bottom)
    d = ImageDraw.Draw(image)
    d.rectangle((12, 12, 227, 140), fill=(0, 0, 0), outline=controls, width=2)
    d.rectangle((12, 160, 227, 166), fill=lerp(bottom, controls, 0.3))
    d.rectangle((12, 160, 90, 166), fill=controls)
    for i, x in enumerate((40, 90, 140, 190)):
        d.ellipse((x - 16, 182, x + 16, 214), fill=lerp(top, controls, 0.4), outline=controls, width=2)
    font = ImageFont.truetype(PLAYER_FONT, 18)
    d.text((120, 240), name, fill=controls, font=font, anchor="mm")
    return image


def player_skin(name, fmt, top, bottom, controls, folder):
    """<folder>/<name>.skn (8-bit, CR LF lines, a comment before the
    picture's line) and its picture beside it."""
    os.makedirs(folder, exist_ok=True)
    picture = "%s.%s" % (name, PLAYER_EXTENSIONS[fmt])
    image = player_skin_picture(name, top, bottom, controls)
    if fmt == "GIF":
        save_gif(image, os.path.join(folder, picture))
    elif fmt == "JPEG":
        image.save(os.path.join(folder, picture), format="JPEG", quality=90)
    else:
        image.save(os.path.join(folder, picture), format="BMP")
    text = "; %s skin for Windows Media\r\nName %s\r\nBackground %s\r\n" % (name, name, picture)
    with open(os.path.join(folder, name + ".skn"), "wb") as f:
        f.write(text.encode("ascii"))


def current_skin_file(skin_path):
    """The player's current-skin file: "<length>#<skin file path>", 8-bit."""
    return ("%d#%s" % (len(skin_path), skin_path)).encode("ascii")


def film_icon(size):
    """The viewer's list of the folder's animated themes: a strip of film."""
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    dark, light = (0x20, 0x20, 0x30, 255), (0xF0, 0xF0, 0xF0, 255)
    d.rectangle([size * 0.12, 0, size * 0.88, size - 1], fill=dark)
    hole = max(1, size // 8)
    for y in range(1, size - hole, hole * 2):
        d.rectangle([size * 0.16, y, size * 0.16 + hole - 1, y + hole - 1], fill=light)
        d.rectangle([size * 0.84 - hole + 1, y, size * 0.84, y + hole - 1], fill=light)
    d.rectangle([size * 0.34, size * 0.2, size * 0.66, size * 0.45], fill=(0x60, 0xC0, 0xF0, 255))
    d.rectangle([size * 0.34, size * 0.55, size * 0.66, size * 0.8], fill=(0xF0, 0xB0, 0x40, 255))
    return image


def commands_icon(size):
    """The viewer's theme commands: a page with lines and a red dot."""
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    d.rectangle([size * 0.15, size * 0.05, size * 0.8, size * 0.95], fill=(0xFF, 0xFF, 0xFF, 255),
                outline=(0x20, 0x30, 0x60, 255))
    for row in range(3):
        y = size * (0.25 + row * 0.2)
        d.line([(size * 0.27, y), (size * 0.68, y)], fill=(0x20, 0x30, 0x60, 255), width=max(1, size // 16))
    r = size * 0.18
    d.ellipse([size * 0.8 - r, size * 0.8 - r, size * 0.8 + r, size * 0.8 + r], fill=(0xD0, 0x20, 0x20, 255))
    return image


def save_icon(make, path):
    large, small = make(32), make(16)
    large.save(path, sizes=[(32, 32), (16, 16)], append_images=[small], bitmap_format="bmp")


# --- Main --------------------------------------------------------------------------------

def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--fixtures":
        out = os.path.abspath(sys.argv[2])
        os.makedirs(out, exist_ok=True)
        for theme in SAMPLES + [CARD_SAMPLE] + BUILT_IN:
            pack(theme, os.path.join(out, theme.name + ".tsk"))
        write_colours(SAMPLES + [CARD_SAMPLE] + BUILT_IN, os.path.join(out, "colours.txt"))
        tiny_themes(out)
        theme_folders(out)
        movie_fixtures(out)
        return
    if len(sys.argv) != 1:
        sys.exit(__doc__)

    rom = os.path.join(ROOT, "device", "image", "rom", "Windows")
    os.makedirs(rom, exist_ok=True)
    seed = os.path.join(ROOT, "device", "image", "drive", "Windows")
    shutil.copyfile(os.path.join(seed, "StWater.gif"), os.path.join(rom, "stwater.gif"))
    shutil.copyfile(os.path.join(seed, "tdywater.gif"), os.path.join(rom, "tdywater.gif"))
    for theme in BUILT_IN:
        pack(theme, os.path.join(rom, theme.name + ".tsk"))

    samples = os.path.join(ROOT, "themes", "samples")
    for theme in SAMPLES:
        pack(theme, os.path.join(samples, "My Documents", theme.name + ".tsk"))
    pack(CARD_SAMPLE, os.path.join(samples, "Storage Card", CARD_SAMPLE.name + ".tsk"))

    # The player's skins: Classic and the current-skin file in ROM, the
    # others seeded into the player's folder.
    rom_player = os.path.join(ROOT, "device", "image", "rom", "Program Files", "Windows Media Player")
    for name, fmt, top, bottom, controls in PLAYER_SKINS:
        base = rom_player if name == "Classic" else os.path.join(samples, "Windows Media Player")
        player_skin(name, fmt, top, bottom, controls, os.path.join(base, name))
    with open(os.path.join(rom_player, "default.skn"), "wb") as f:
        f.write(current_skin_file("\\Program Files\\Windows Media Player\\Classic\\Classic.skn"))

    rotator = os.path.join(ROOT, "themes", "rotator")
    os.makedirs(rotator, exist_ok=True)
    save_icon(rotator_icon, os.path.join(rotator, "rotator.ico"))
    for n in range(1, 5):
        save_icon(lambda size, n=n: schedule_icon(n, size), os.path.join(rotator, "schedule%d.ico" % n))
    turnsel = os.path.join(ROOT, "themes", "turnsel")
    os.makedirs(turnsel, exist_ok=True)
    schedule_strip().save(os.path.join(turnsel, "schedules.bmp"))
    rotapan = os.path.join(ROOT, "themes", "rotapan")
    os.makedirs(rotapan, exist_ok=True)
    save_icon(panel_icon, os.path.join(rotapan, "rotapan.ico"))
    tessary = os.path.join(ROOT, "themes", "tessary")
    save_icon(lambda size: arrow_icon(size, True), os.path.join(tessary, "page_up.ico"))
    save_icon(lambda size: arrow_icon(size, False), os.path.join(tessary, "page_down.ico"))
    vistaro = os.path.join(ROOT, "themes", "vistaro")
    os.makedirs(vistaro, exist_ok=True)
    save_icon(reload_icon, os.path.join(vistaro, "reload.ico"))
    save_icon(browse_icon, os.path.join(vistaro, "browse.ico"))
    save_icon(folders_icon, os.path.join(vistaro, "folders.ico"))
    save_icon(animated_badge, os.path.join(vistaro, "animated.ico"))
    designer_art(os.path.join(ROOT, "themes", "pallido"))
    motrelle = os.path.join(ROOT, "themes", "motrelle")
    save_icon(browse_icon, os.path.join(motrelle, "browse.ico"))
    save_icon(folders_icon, os.path.join(motrelle, "folders.ico"))
    save_icon(film_icon, os.path.join(motrelle, "themes.ico"))
    save_icon(commands_icon, os.path.join(motrelle, "commands.ico"))


if __name__ == "__main__":
    main()
