#!/usr/bin/env python3
"""Draws the endurance run's series (build/soak/soak.csv) as a PNG: one panel
each for private memory, GDI objects, USER objects and handles, the bar and
the shell as two lines over the minutes. A dot on the bar's line marks a new
bar process (the settings program restarts the bar).

    tools/soak-plot.py SOAK.csv OUT.png
"""
import csv
import sys

from PIL import Image, ImageDraw, ImageFont

PANELS = [("private_kb", "private memory (KB)"), ("gdi", "GDI objects"), ("user", "USER objects"),
          ("handles", "handles")]
COLOURS = {"bar": (31, 97, 181), "shell": (214, 96, 24)}
PANEL_W, PANEL_H = 360, 220
LEFT, RIGHT, TOP, BOTTOM = 58, 12, 26, 30


def read_series(path):
    series = {}
    with open(path, newline="") as f:
        for row in csv.DictReader(f):
            if row["alive"] != "1":
                continue
            series.setdefault(row["who"], []).append(row)
    return series


def nice_range(values):
    low, high = min(values), max(values)
    if high == low:
        pad = max(1, abs(high) * 0.1)
    else:
        pad = (high - low) * 0.15
    # Flat lines should look flat: the axis starts at zero unless the values
    # sit far above it.
    low = 0 if low - pad < high * 0.5 else low - pad
    return low, high + pad


def draw_panel(draw, font, x0, y0, key, title, series, last_minute):
    draw.rectangle([x0, y0, x0 + PANEL_W - 1, y0 + PANEL_H - 1], outline=(200, 200, 200))
    draw.text((x0 + LEFT, y0 + 6), title, fill=(0, 0, 0), font=font)
    values = [int(r[key]) for rows in series.values() for r in rows if int(r[key]) >= 0]
    if not values:
        draw.text((x0 + LEFT, y0 + PANEL_H // 2), "not counted", fill=(120, 120, 120), font=font)
        return
    low, high = nice_range(values)
    px0, py0 = x0 + LEFT, y0 + TOP
    px1, py1 = x0 + PANEL_W - RIGHT, y0 + PANEL_H - BOTTOM
    draw.line([px0, py0, px0, py1, px1, py1], fill=(0, 0, 0))
    for i in range(5):
        v = low + (high - low) * i / 4
        y = py1 - (py1 - py0) * i / 4
        draw.line([px0 - 3, y, px1, y], fill=(235, 235, 235) if i else (0, 0, 0))
        draw.text((x0 + 4, y - 6), f"{v:,.0f}", fill=(80, 80, 80), font=font)
    span = max(1, last_minute)
    for m in range(0, last_minute + 1, max(1, last_minute // 10)):
        x = px0 + (px1 - px0) * m / span
        draw.line([x, py1, x, py1 + 3], fill=(0, 0, 0))
        draw.text((x - 4, py1 + 6), str(m), fill=(80, 80, 80), font=font)

    def point(row):
        x = px0 + (px1 - px0) * int(row["minute"]) / span
        y = py1 - (py1 - py0) * (int(row[key]) - low) / (high - low)
        return x, y

    for who, rows in series.items():
        colour = COLOURS.get(who, (0, 0, 0))
        rows = [r for r in rows if int(r[key]) >= 0]
        previous = None
        for r in rows:
            p = point(r)
            if previous is not None and previous[1] == r["pid"]:
                draw.line([previous[0], p], fill=colour, width=2)
            else:
                draw.ellipse([p[0] - 3, p[1] - 3, p[0] + 3, p[1] + 3], outline=colour, fill=colour)
            previous = (p, r["pid"])


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: soak-plot.py SOAK.csv OUT.png")
    series = read_series(sys.argv[1])
    if not series:
        sys.exit("soak-plot: no samples in " + sys.argv[1])
    last_minute = max(int(r["minute"]) for rows in series.values() for r in rows)
    image = Image.new("RGB", (PANEL_W * 2, PANEL_H * 2 + 24), "white")
    draw = ImageDraw.Draw(image)
    font = ImageFont.load_default()
    for i, (key, title) in enumerate(PANELS):
        draw_panel(draw, font, (i % 2) * PANEL_W, (i // 2) * PANEL_H, key, title, series, last_minute)
    y = PANEL_H * 2 + 6
    x = 10
    for who, colour in COLOURS.items():
        draw.line([x, y + 6, x + 24, y + 6], fill=colour, width=2)
        draw.text((x + 30, y), who, fill=(0, 0, 0), font=font)
        x += 90
    draw.text((x, y), "minutes of the run on the x axes; a dot starts a new process", fill=(80, 80, 80), font=font)
    image.save(sys.argv[2])


if __name__ == "__main__":
    main()
