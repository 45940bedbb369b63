#!/usr/bin/python3
"""Draws the pictures and sounds of the simulated device's seed image.

Writes, under device/image/drive/ (copied onto the device's drive D: when a
device is created):
    Windows/StWater.gif       the Today screen's watermark
    Windows/tdybkgnd.bmp      the Today screen's background picture
    Windows/tdywater.gif      the same picture as the Today image of the theme in force
    Windows/lowbatt.wav       the low-battery warning sound
    Windows/menuPop.wav       the click of a menu or a tap on a phone tool
    My Documents/Welcome.txt  a sample document
    Storage Card/.keep        keeps the storage card's folder in the image
and the icon of the device's control-panel pages, device/cplmain/settings.ico.

The output is committed; run this again only to change the art:
    /usr/bin/python3 tools/gen_device_image.py
It needs Pillow (Debian package python3-pil).  Output is deterministic.
"""

import math
import os
import struct
import sys
import wave

from PIL import Image, ImageDraw, ImageFilter

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
DRIVE = os.path.join(ROOT, "device", "image", "drive")

# The Today area of a 240x320 screen below the 26-pixel task bar.
TODAY_SIZE = (240, 294)

WHITE = (255, 255, 255)
PALE_BLUE = (222, 235, 250)
SKY_BLUE = (170, 200, 238)
DEEP_BLUE = (16, 64, 160)


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vertical_gradient(size, top, bottom):
    width, height = size
    image = Image.new("RGB", size)
    draw = ImageDraw.Draw(image)
    for y in range(height):
        draw.line([(0, y), (width - 1, y)], fill=lerp(top, bottom, y / max(1, height - 1)))
    return image


def soft_arcs(size, color, alpha, centre, radii, width):
    """A layer of concentric arc bands, blurred so they read as light."""
    layer = Image.new("RGBA", size, color + (0,))
    draw = ImageDraw.Draw(layer)
    cx, cy = centre
    for radius in radii:
        box = [cx - radius, cy - radius, cx + radius, cy + radius]
        draw.ellipse(box, outline=color + (alpha,), width=width)
    return layer.filter(ImageFilter.GaussianBlur(3))


def draw_watermark():
    """A white page whose lower right holds soft blue bands, like the
    device's own Today watermark: faint enough for black text on top."""
    size = TODAY_SIZE
    image = Image.new("RGBA", size, WHITE + (255,))
    glow = vertical_gradient(size, WHITE, PALE_BLUE).convert("RGBA")
    image = Image.blend(image, glow, 0.6)
    image = Image.alpha_composite(image, soft_arcs(size, SKY_BLUE, 90, (250, 330), [110, 150, 190], 14))
    image = Image.alpha_composite(image, soft_arcs(size, (200, 220, 245), 120, (250, 330), [130, 170], 8))
    # A light swoosh across the lower third.
    swoosh = Image.new("RGBA", size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(swoosh)
    points = [(x, 230 - 40 * math.sin(math.pi * x / 300)) for x in range(-10, 251, 5)]
    draw.line(points, fill=(150, 190, 240, 90), width=8)
    image = Image.alpha_composite(image, swoosh.filter(ImageFilter.GaussianBlur(2)))
    return image.convert("RGB").quantize(colors=64, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)


def draw_today_background():
    """Blue at the top fading to white, with the watermark's bands: the
    default Today picture."""
    size = TODAY_SIZE
    image = vertical_gradient(size, (120, 160, 222), WHITE).convert("RGBA")
    lower = vertical_gradient(size, WHITE, PALE_BLUE).convert("RGBA")
    mask = Image.linear_gradient("L").resize(size)
    image = Image.composite(lower, image, mask)
    image = Image.alpha_composite(image, soft_arcs(size, WHITE, 110, (-20, -40), [90, 130, 170], 10))
    image = Image.alpha_composite(image, soft_arcs(size, SKY_BLUE, 100, (250, 330), [110, 150, 190], 14))
    return image.convert("RGB")


def draw_settings_icon(pixels):
    """A white gear on a rounded blue tile."""
    scale = 8  # draw large, then shrink for smooth edges
    big = pixels * scale
    image = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    pad = big // 16
    tile = vertical_gradient((big, big), (90, 140, 220), DEEP_BLUE).convert("RGBA")
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).rounded_rectangle([pad, pad, big - pad, big - pad], radius=big // 6, fill=255)
    image.paste(tile, (0, 0), mask)
    centre = big / 2
    outer, inner, hole = big * 0.34, big * 0.25, big * 0.11
    teeth = 8
    points = []
    for i in range(teeth * 4):
        angle = 2 * math.pi * i / (teeth * 4)
        radius = outer if (i % 4) in (1, 2) else inner
        points.append((centre + radius * math.cos(angle), centre + radius * math.sin(angle)))
    draw.polygon(points, fill=WHITE + (255,))
    draw.ellipse([centre - inner * 0.95, centre - inner * 0.95, centre + inner * 0.95, centre + inner * 0.95],
                 fill=WHITE + (255,))
    draw.ellipse([centre - hole, centre - hole, centre + hole, centre + hole], fill=DEEP_BLUE + (255,))
    return image.resize((pixels, pixels), Image.Resampling.LANCZOS)


def low_battery_sound(path):
    """Two falling tones, 22.05 kHz 16-bit mono PCM, about half a second."""
    rate = 22050
    frames = bytearray()
    for frequency, seconds in ((1320.0, 0.18), (0.0, 0.06), (880.0, 0.24)):
        count = int(rate * seconds)
        for n in range(count):
            # Short fades at both ends keep the tone free of clicks.
            envelope = min(1.0, n / 200.0, (count - n) / 200.0)
            value = 0.45 * envelope * math.sin(2 * math.pi * frequency * n / rate)
            frames += struct.pack("<h", int(value * 32767))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(bytes(frames))


def menu_pop_sound(path):
    """A short rising click, 22.05 kHz 16-bit mono PCM, about 60 ms."""
    rate = 22050
    frames = bytearray()
    count = int(rate * 0.06)
    for n in range(count):
        frequency = 900.0 + 1400.0 * n / count
        envelope = min(1.0, n / 60.0) * (1.0 - n / count) ** 2
        value = 0.4 * envelope * math.sin(2 * math.pi * frequency * n / rate)
        frames += struct.pack("<h", int(value * 32767))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(bytes(frames))


def write_text(path, text):
    with open(path, "w", encoding="utf-8", newline="\r\n") as out:
        out.write(text)


def main():
    windows = os.path.join(DRIVE, "Windows")
    documents = os.path.join(DRIVE, "My Documents")
    card = os.path.join(DRIVE, "Storage Card")
    for folder in (windows, documents, card):
        os.makedirs(folder, exist_ok=True)

    draw_watermark().save(os.path.join(windows, "StWater.gif"), optimize=False)
    background = draw_today_background()
    background.save(os.path.join(windows, "tdybkgnd.bmp"))
    background.quantize(colors=128, method=Image.Quantize.MEDIANCUT).save(os.path.join(windows, "tdywater.gif"))
    low_battery_sound(os.path.join(windows, "lowbatt.wav"))
    menu_pop_sound(os.path.join(windows, "menuPop.wav"))
    write_text(os.path.join(documents, "Welcome.txt"),
               "Welcome to your Pocket PC.\n\n"
               "Tap Start, then Settings, to personalise the device.\n")
    write_text(os.path.join(card, ".keep"), "")

    icon = draw_settings_icon(32)
    icon.save(os.path.join(ROOT, "device", "cplmain", "settings.ico"), sizes=[(32, 32), (16, 16)],
              bitmap_format="bmp")  # classic icon bitmaps: every icon loader reads them
    return 0


if __name__ == "__main__":
    sys.exit(main())
