#!/usr/bin/python3
"""Draws the side bar's skins: pictures and skin.xml for each skin folder.

    tools/gen_skins.py [OUTPUT_DIR]      (default: platform/skins)

Every skin has a main skin (a top band holding the buttons and the applet
name, the applet area, a foot band) and a minimised skin (a small tab with
"SLIDE" and "MOVE" at the same places as on the main band, so both share the
enable, pushed and mask pictures).  The buttons sit in the top band because
the bar's height follows the applet's: only the top band keeps its place.
Pictures are 24-bit bitmaps so mask colours stay exact.
"""
import os
import sys

from PIL import Image, ImageDraw

HEAD = 24          # top band, never stretched
FOOT = 8           # foot band, never stretched
AREA_H = 56        # the applet area of the skin as drawn (the host resizes it)
WIDTH = 240
HEIGHT = HEAD + AREA_H + FOOT
BTN_W, BTN_H, BTN_Y = 17, 18, 3
TOP = 50           # the bar's default top on the screen

# (name, x) of each button in the top band; SLIDE and MOVE also make the tab.
BUTTONS = [("SLIDE", 1), ("MOVE", 19),
           ("AXMENU", 131), ("PREV", 149), ("NEXT", 167), ("HOME", 185), ("POWER", 203), ("CLOSE", 221)]
TEXT_AREA = (38, 5, 91, 14)          # x, y, w, h of the applet name
TAB_W = 38

MASK = {
    "SLIDE": (255, 0, 0), "MOVE": (0, 255, 0), "AXMENU": (0, 0, 255), "PREV": (255, 255, 0),
    "NEXT": (0, 255, 255), "HOME": (255, 0, 255), "POWER": (128, 0, 0), "CLOSE": (0, 128, 0),
}

SKINS = {
    "Default": dict(
        description="Default: the Pocket PC 2003 look. Blue title band, white applet area.",
        band=((0x3A, 0x7B, 0xD9), (0x0B, 0x3B, 0x8F)), face=((0x5B, 0x95, 0xE6), (0x1F, 0x56, 0xB8)),
        pushed=((0x0A, 0x2E, 0x70), (0x1D, 0x4F, 0xA8)), icon=(0xFF, 0xFF, 0xFF), edge=(0x08, 0x2A, 0x66),
        area=((0xFF, 0xFF, 0xFF), (0xDD, 0xE8, 0xF8)), foot=((0x1F, 0x56, 0xB8), (0x08, 0x2A, 0x66))),
    "Graphite": dict(
        description="Graphite: dark slate band with amber symbols, for a quiet bar.",
        band=((0x5A, 0x5F, 0x66), (0x2A, 0x2D, 0x31)), face=((0x6E, 0x74, 0x7C), (0x3A, 0x3E, 0x44)),
        pushed=((0x1C, 0x1E, 0x21), (0x33, 0x36, 0x3B)), icon=(0xFF, 0xB3, 0x2E), edge=(0x15, 0x16, 0x18),
        area=((0xF4, 0xF4, 0xF2), (0xD9, 0xDA, 0xDC)), foot=((0x3A, 0x3E, 0x44), (0x15, 0x16, 0x18))),
    "Meadow": dict(
        description="Meadow: fresh green band with rounded buttons.",
        band=((0x6C, 0xB8, 0x4A), (0x2E, 0x73, 0x1E)), face=((0x8C, 0xCC, 0x68), (0x3E, 0x8A, 0x2A)),
        pushed=((0x1E, 0x4F, 0x12), (0x2E, 0x6E, 0x1E)), icon=(0xFF, 0xFF, 0xF0), edge=(0x1A, 0x44, 0x10),
        area=((0xFB, 0xFE, 0xF6), (0xE2, 0xF1, 0xD6)), foot=((0x3E, 0x8A, 0x2A), (0x1A, 0x44, 0x10))),
}


def gradient(draw, box, top, bottom):
    x0, y0, x1, y1 = box
    h = max(1, y1 - y0)
    for i in range(h):
        t = i / max(1, h - 1)
        c = tuple(int(round(top[k] + (bottom[k] - top[k]) * t)) for k in range(3))
        draw.line([(x0, y0 + i), (x1 - 1, y0 + i)], fill=c)


def button_face(draw, x, y, colours, edge, pushed):
    """A rounded button face of BTN_W x BTN_H at (x, y)."""
    gradient(draw, (x + 1, y + 1, x + BTN_W - 1, y + BTN_H - 1), colours[0], colours[1])
    # Rounded frame: corners left open.
    draw.line([(x + 2, y), (x + BTN_W - 3, y)], fill=edge)
    draw.line([(x + 2, y + BTN_H - 1), (x + BTN_W - 3, y + BTN_H - 1)], fill=edge)
    draw.line([(x, y + 2), (x, y + BTN_H - 3)], fill=edge)
    draw.line([(x + BTN_W - 1, y + 2), (x + BTN_W - 1, y + BTN_H - 3)], fill=edge)
    for cx, cy in ((x + 1, y + 1), (x + BTN_W - 2, y + 1), (x + 1, y + BTN_H - 2), (x + BTN_W - 2, y + BTN_H - 2)):
        draw.point((cx, cy), fill=edge)
    if not pushed:  # a highlight line under the top edge
        hl = tuple(min(255, c + 40) for c in colours[0])
        draw.line([(x + 2, y + 1), (x + BTN_W - 3, y + 1)], fill=hl)


def icon(draw, name, x, y, colour, shift):
    """Pixel symbols, centred in the button at (x, y)."""
    cx, cy = x + 8 + shift, y + 9 + shift
    if name == "SLIDE":      # a tab arrow: two chevrons pointing left
        for dx in (0, 4):
            draw.line([(cx + 1 - dx, cy - 4), (cx - 3 - dx, cy), (cx + 1 - dx, cy + 4)], fill=colour, width=1)
            draw.line([(cx + 2 - dx, cy - 4), (cx - 2 - dx, cy), (cx + 2 - dx, cy + 4)], fill=colour, width=1)
    elif name == "SLIDE_OPEN":  # on the tab the chevrons point the way the bar opens
        for dx in (0, 4):
            draw.line([(cx - 3 + dx, cy - 4), (cx + 1 + dx, cy), (cx - 3 + dx, cy + 4)], fill=colour, width=1)
            draw.line([(cx - 4 + dx, cy - 4), (cx + dx, cy), (cx - 4 + dx, cy + 4)], fill=colour, width=1)
    elif name == "MOVE":     # a grip of dots
        for gx in (-3, 0, 3):
            for gy in (-4, -1, 2, 5):
                draw.rectangle([cx + gx - 1, cy + gy - 1, cx + gx, cy + gy], fill=colour)
    elif name == "AXMENU":   # a list with a drop arrow
        for gy in (-5, -2, 1):
            draw.rectangle([cx - 6, cy + gy, cx + 1, cy + gy + 1], fill=colour)
        draw.polygon([(cx + 2, cy - 1), (cx + 7, cy - 1), (cx + 4, cy + 3)], fill=colour)
        draw.rectangle([cx - 6, cy + 4, cx + 1, cy + 5], fill=colour)
    elif name == "PREV":
        draw.polygon([(cx + 3, cy - 5), (cx + 3, cy + 5), (cx - 3, cy)], fill=colour)
    elif name == "NEXT":
        draw.polygon([(cx - 3, cy - 5), (cx - 3, cy + 5), (cx + 3, cy)], fill=colour)
    elif name == "HOME":     # a house
        draw.polygon([(cx, cy - 6), (cx - 6, cy), (cx + 6, cy)], fill=colour)
        draw.rectangle([cx - 4, cy, cx + 4, cy + 5], fill=colour)
        draw.rectangle([cx - 1, cy + 2, cx + 1, cy + 5], fill=(0, 0, 0) if colour != (0, 0, 0) else (255, 255, 255))
    elif name == "POWER":    # the power symbol: an open ring with a bar
        draw.arc([cx - 5, cy - 4, cx + 5, cy + 6], start=300, end=240, fill=colour, width=2)
        draw.rectangle([cx - 1, cy - 6, cx, cy + 1], fill=colour)
    elif name == "CLOSE":    # a cross
        draw.line([(cx - 4, cy - 4), (cx + 4, cy + 4)], fill=colour, width=2)
        draw.line([(cx - 4, cy + 4), (cx + 4, cy - 4)], fill=colour, width=2)


def draw_band(draw, skin, width, pushed_names=(), names=None, tab=False):
    gradient(draw, (0, 0, width, HEAD), *skin["band"])
    draw.line([(0, HEAD - 1), (width - 1, HEAD - 1)], fill=skin["edge"])
    for name, x in BUTTONS:
        if names is not None and name not in names:
            continue
        pushed = name in pushed_names
        button_face(draw, x, BTN_Y, skin["pushed"] if pushed else skin["face"], skin["edge"], pushed)
        symbol = "SLIDE_OPEN" if tab and name == "SLIDE" else name
        icon(draw, symbol, x, BTN_Y, skin["icon"], 1 if pushed else 0)


def make_skin(out, name, skin):
    os.makedirs(out, exist_ok=True)
    all_names = [n for n, _ in BUTTONS]

    back = Image.new("RGB", (WIDTH, HEIGHT))
    d = ImageDraw.Draw(back)
    draw_band(d, skin, WIDTH)
    # The name area: a slightly sunken field.
    tx, ty, tw, th = TEXT_AREA
    field = tuple(max(0, c - 25) for c in skin["band"][1])
    d.rectangle([tx - 1, ty - 1, tx + tw, ty + th], fill=field)
    gradient(d, (0, HEAD, WIDTH, HEAD + AREA_H), *skin["area"])
    gradient(d, (0, HEAD + AREA_H, WIDTH, HEIGHT), *skin["foot"])
    d.line([(WIDTH // 2 - 12, HEIGHT - 4), (WIDTH // 2 + 12, HEIGHT - 4)], fill=tuple(min(255, c + 60) for c in skin["foot"][0]))
    back.save(os.path.join(out, "back.bmp"))

    enable = Image.new("RGB", (WIDTH, HEAD))
    draw_band(ImageDraw.Draw(enable), skin, WIDTH)
    enable.save(os.path.join(out, "enable.bmp"))

    pushed = Image.new("RGB", (WIDTH, HEAD))
    draw_band(ImageDraw.Draw(pushed), skin, WIDTH, pushed_names=all_names)
    pushed.save(os.path.join(out, "pushed.bmp"))

    mask = Image.new("RGB", (WIDTH, HEAD), (0, 0, 0))
    md = ImageDraw.Draw(mask)
    for bname, x in BUTTONS:
        md.rectangle([x, BTN_Y, x + BTN_W - 1, BTN_Y + BTN_H - 1], fill=MASK[bname])
    mask.save(os.path.join(out, "mask.bmp"))

    # The minimised tab: the band's first two buttons, rounded on the right.
    tab = Image.new("RGB", (TAB_W, HEAD))
    td = ImageDraw.Draw(tab)
    draw_band(td, skin, TAB_W, names=("SLIDE", "MOVE"), tab=True)
    td.line([(TAB_W - 1, 0), (TAB_W - 1, HEAD - 1)], fill=skin["edge"])
    tab.save(os.path.join(out, "tab.bmp"))

    def buttons_xml(names):
        rows = []
        for bname, x in BUTTONS:
            if bname not in names:
                continue
            r, g, b = MASK[bname]
            rows.append(f'      <button id="{bname}" x="{x}" y="{BTN_Y}" w="{BTN_W}" h="{BTN_H}">\n'
                        f'        <mask r="{r}" g="{g}" b="{b}"/>\n'
                        f'      </button>')
        return "\n".join(rows)

    xml = f"""<?xml version="1.0" encoding="utf-8"?>
<skins>
  <skin>
    <description>{skin["description"]}</description>
    <window x="0" y="{TOP}" w="{WIDTH}" h="{HEIGHT}"/>
    <move x="0" y="26" w="240" h="294"/>
    <background head="{HEAD}" foot="{FOOT}">back.bmp</background>
    <buttons>
      <enable>enable.bmp</enable>
      <pushed>pushed.bmp</pushed>
      <mask>mask.bmp</mask>
{buttons_xml(all_names)}
    </buttons>
    <controls>
      <control type="text" id="NAME" x="{TEXT_AREA[0]}" y="{TEXT_AREA[1]}" w="{TEXT_AREA[2]}" h="{TEXT_AREA[3]}"/>
      <control type="applet" id="APPLET" x="0" y="{HEAD}" w="{WIDTH}" h="{AREA_H}"/>
    </controls>
  </skin>
  <skin>
    <window x="0" y="{TOP}" w="{TAB_W}" h="{HEAD}"/>
    <move x="0" y="26" w="240" h="294"/>
    <background>tab.bmp</background>
    <buttons>
      <enable>enable.bmp</enable>
      <pushed>pushed.bmp</pushed>
      <mask>mask.bmp</mask>
{buttons_xml(("SLIDE", "MOVE"))}
    </buttons>
  </skin>
</skins>
"""
    with open(os.path.join(out, "skin.xml"), "w", newline="\r\n") as f:
        f.write(xml)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "platform", "skins")
    for name, skin in SKINS.items():
        make_skin(os.path.join(root, name), name, skin)
    print("skins written to", os.path.abspath(root))


if __name__ == "__main__":
    main()
