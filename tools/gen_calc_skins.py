#!/usr/bin/python3
"""Draws the calculator applets' skins: the skin file and its pictures.

    tools/gen_calc_skins.py [SOURCE_ROOT]      (default: the tree this script is in)

Writes, each with its background and pushed pictures:
  calc/unitra/skin/CtSkin.xml    the unit converter    (CtBack.bmp, CtPushed.bmp)
  calc/sumbra/skin/CalcSkin.xml  the expression calculator (CalcBack.bmp, ...)
  calc/mortivo/skin/LoanSkin.xml the loan calculator   (LoanBack.bmp, ...)
  calc/monetta/skin/CurSkin.xml  the currency converter (CurBack.bmp, ...)
  calc/gratilo/skin/TipSkin.xml  the tip calculator    (TipBack.bmp, ...)
  calc/tagora/skin/PcSkin.xml    the price calculator  (PcBack.bmp, ...)
All are 240 pixels wide, the side bar's applet area, and low enough that
the open bar leaves room below for a dropped list.  The applets' pictures share one installation folder,
so each skin's picture names are its own.

The background carries every key in its normal look, the frames of the
boxes and the boxes' labels; the pushed picture every key pressed.  Keys are hit-tested by their
rectangles (no mask).  A COMBOBOX control's height is its dropped list's,
so only its top 20 pixels (the closed box) are drawn.  Labels use the
Tahoma of fonts-wine without anti-aliasing, so no grey fringes show on the
device.  Pictures are 24-bit bitmaps.
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFont

WIDTH = 240
BOX_H = 20          # a closed combo box, an edit box
LIST_H = 110        # a combo box control: its dropped list's height
FONT_PATH = "/usr/share/wine/fonts/tahoma.ttf"
BOLD_PATH = "/usr/share/wine/fonts/tahomabd.ttf"

# Colours.
BACK_TOP, BACK_BOTTOM = (0xE9, 0xEE, 0xF6), (0xC9, 0xD4, 0xE6)
FRAME_DARK, FRAME_LIGHT = (0x6B, 0x7A, 0x94), (0xFF, 0xFF, 0xFF)
KEY_EDGE = (0x4A, 0x58, 0x70)
LABEL = (0x10, 0x1C, 0x30)
STYLES = {
    # face top, face bottom, label colour
    "digit": ((0xFF, 0xFF, 0xFF), (0xDD, 0xE3, 0xEC), LABEL),
    "op": ((0xD6, 0xE6, 0xFB), (0xA9, 0xC6, 0xEE), LABEL),
    "edit": ((0xF3, 0xE7, 0xD2), (0xE2, 0xC9, 0x9D), LABEL),
    "clear": ((0xF8, 0xD3, 0xCF), (0xE3, 0x9A, 0x92), (0x60, 0x10, 0x08)),
    "enter": ((0x5C, 0x9A, 0xE8), (0x23, 0x5F, 0xB8), (0xFF, 0xFF, 0xFF)),
}


def darker(colour, amount):
    return tuple(max(0, c - amount) for c in colour)


def gradient(draw, box, top, bottom):
    x0, y0, x1, y1 = box
    h = max(1, y1 - y0)
    for i in range(h):
        t = i / max(1, h - 1)
        c = tuple(int(round(top[k] + (bottom[k] - top[k]) * t)) for k in range(3))
        draw.line([(x0, y0 + i), (x1 - 1, y0 + i)], fill=c)


def sunken_frame(draw, x, y, w, h):
    """The frame around a box the applet places there (one pixel outside it)."""
    draw.line([(x - 1, y - 1), (x + w, y - 1)], fill=FRAME_DARK)
    draw.line([(x - 1, y - 1), (x - 1, y + h)], fill=FRAME_DARK)
    draw.line([(x - 1, y + h), (x + w, y + h)], fill=FRAME_LIGHT)
    draw.line([(x + w, y - 1), (x + w, y + h)], fill=FRAME_LIGHT)


def glyph(draw, shape, cx, cy, colour):
    """Symbols the font lacks, drawn as shapes centred on (cx, cy)."""
    if shape == "left":
        draw.polygon([(cx - 4, cy), (cx + 2, cy - 5), (cx + 2, cy + 5)], fill=colour)
    elif shape == "right":
        draw.polygon([(cx + 4, cy), (cx - 2, cy - 5), (cx - 2, cy + 5)], fill=colour)
    elif shape == "back":
        draw.polygon([(cx - 8, cy), (cx - 3, cy - 5), (cx + 7, cy - 5), (cx + 7, cy + 5), (cx - 3, cy + 5)],
                     outline=colour)
        draw.line([(cx - 1, cy - 2), (cx + 4, cy + 2)], fill=colour)
        draw.line([(cx - 1, cy + 2), (cx + 4, cy - 2)], fill=colour)
    elif shape == "gear":
        draw.ellipse([cx - 6, cy - 6, cx + 6, cy + 6], outline=colour, width=2)
        draw.ellipse([cx - 2, cy - 2, cx + 2, cy + 2], fill=colour)
        for dx, dy in ((0, -8), (0, 8), (-8, 0), (8, 0), (-6, -6), (6, 6), (-6, 6), (6, -6)):
            draw.rectangle([cx + dx - 1, cy + dy - 1, cx + dx + 1, cy + dy + 1], fill=colour)
    elif shape == "graph":
        draw.line([(cx - 8, cy + 6), (cx + 8, cy + 6)], fill=colour)
        for i, h in enumerate((5, 8, 11)):
            draw.rectangle([cx - 6 + i * 5, cy + 5 - h, cx - 3 + i * 5, cy + 5], fill=colour)
    elif shape == "swap":
        draw.polygon([(cx - 5, cy - 2), (cx - 2, cy - 6), (cx + 1, cy - 2)], fill=colour)
        draw.line([(cx - 2, cy - 2), (cx - 2, cy + 5)], fill=colour)
        draw.polygon([(cx - 1, cy + 2), (cx + 2, cy + 6), (cx + 5, cy + 2)], fill=colour)
        draw.line([(cx + 2, cy - 5), (cx + 2, cy + 2)], fill=colour)


def key(draw, box, label, style, pushed, fonts):
    x, y, w, h = box
    top, bottom, text = STYLES[style]
    if pushed:
        top, bottom = darker(bottom, 40), darker(top, 40)
    gradient(draw, (x + 1, y + 1, x + w - 1, y + h - 1), top, bottom)
    draw.rounded_rectangle([x, y, x + w - 1, y + h - 1], radius=3, outline=KEY_EDGE)
    shift = 1 if pushed else 0
    cx, cy = x + w // 2 + shift, y + h // 2 + shift
    if label.startswith("@"):
        glyph(draw, label[1:], cx, cy, text)
        return
    font = fonts["bold"] if len(label) == 1 or style == "enter" else fonts["small"]
    left, top_, right, bottom_ = draw.textbbox((0, 0), label, font=font)
    draw.text((cx - (right - left) // 2 - left, cy - (bottom_ - top_) // 2 - top_), label, font=font, fill=text)


def draw_skin(height, boxes, keys, fonts, labels=()):
    """The background (keys up) and the pushed picture (keys down), with the
    boxes' labels, each (x, y, text) set on the row of a 20-pixel box."""
    pictures = []
    for pushed in (False, True):
        image = Image.new("RGB", (WIDTH, height))
        draw = ImageDraw.Draw(image)
        draw.fontmode = "1"  # no anti-aliasing: no grey fringes
        gradient(draw, (0, 0, WIDTH, height), BACK_TOP, BACK_BOTTOM)
        draw.line([(0, height - 1), (WIDTH - 1, height - 1)], fill=FRAME_DARK)
        for x, y, w, h in boxes:
            sunken_frame(draw, x, y, w, h)
        for x, y, text in labels:
            left, top_, right, bottom_ = draw.textbbox((0, 0), text, font=fonts["label"])
            draw.text((x - left, y + (BOX_H - (bottom_ - top_)) // 2 - top_), text, font=fonts["label"], fill=LABEL)
        for name, box, label, style in keys:
            key(draw, box, label, style, pushed, fonts)
        pictures.append(image)
    return pictures


def skin_xml(description, height, back, pushed, controls, keys):
    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             "<!-- Drawn by tools/gen_calc_skins.py; edit the script, not this file. -->",
             "<skins>", "  <skin>",
             "    <description>%s</description>" % description,
             '    <window x="0" y="0" w="%d" h="%d"/>' % (WIDTH, height),
             "    <background>%s</background>" % back,
             "    <buttons>",
             "      <pushed>%s</pushed>" % pushed]
    for name, (x, y, w, h), _, _ in keys:
        lines.append('      <button id="%s" x="%d" y="%d" w="%d" h="%d"/>' % (name, x, y, w, h))
    lines += ["    </buttons>", "    <controls>"]
    for kind, ident, (x, y, w, h) in controls:
        lines.append('      <control type="%s" id="%s" x="%d" y="%d" w="%d" h="%d"/>' % (kind, ident, x, y, w, h))
    lines += ["    </controls>", "  </skin>", "</skins>", ""]
    return "\r\n".join(lines)


def grid(x0, y0, key_w, key_h, gap, rows):
    """Keys laid out in rows; a row entry is (name, label, style, columns)."""
    keys = []
    for r, row in enumerate(rows):
        column = 0
        for name, label, style, span in row:
            x = x0 + column * (key_w + gap)
            w = span * key_w + (span - 1) * gap
            keys.append((name, (x, y0 + r * (key_h + gap), w, key_h), label, style))
            column += span
    return keys


def converter(fonts):
    """Unit converter: the category with the swap key, then two rows of a
    number box and its unit list, then two rows of keys."""
    controls = [
        ("COMBOBOX", "COMBOBOX_CATEGORY", (4, 4, 232, LIST_H)),
        ("EDIT", "EDIT_UNIT1", (4, 29, 104, BOX_H)),
        ("COMBOBOX", "COMBOBOX_UNIT1", (112, 29, 124, LIST_H)),
        ("TEXT", "TEXT_UNIT2", (4, 54, 104, BOX_H)),
        ("COMBOBOX", "COMBOBOX_UNIT2", (112, 54, 124, LIST_H)),
    ]
    keys = grid(3, 80, 32, 22, 2, [
        [("NUM1", "1", "digit", 1), ("NUM2", "2", "digit", 1), ("NUM3", "3", "digit", 1),
         ("NUM4", "4", "digit", 1), ("NUM5", "5", "digit", 1), ("DOT", ".", "op", 1), ("CLEAR", "C", "clear", 1)],
        [("NUM6", "6", "digit", 1), ("NUM7", "7", "digit", 1), ("NUM8", "8", "digit", 1),
         ("NUM9", "9", "digit", 1), ("NUM0", "0", "digit", 1), ("MINUS", "\u00b1", "op", 1),
         ("TOGGLE", "@swap", "edit", 1)],
    ])
    height = 80 + 2 * 22 + 2 + 4
    boxes = [(x, y, w, BOX_H) for _, _, (x, y, w, _) in controls]
    return height, controls, keys, boxes


def calculator(fonts):
    """Expression calculator: the expression box above a keypad of digits,
    operators, parentheses and the caret keys."""
    controls = [("COMBOBOX", "COMBOBOX_EXPRESSION", (4, 4, 232, LIST_H))]
    keys = grid(3, 29, 38, 22, 2, [
        [("NUM7", "7", "digit", 1), ("NUM8", "8", "digit", 1), ("NUM9", "9", "digit", 1),
         ("DIVIDE", "\u00f7", "op", 1), ("LEFTBRACE", "(", "op", 1), ("RIGHTBRACE", ")", "op", 1)],
        [("NUM4", "4", "digit", 1), ("NUM5", "5", "digit", 1), ("NUM6", "6", "digit", 1),
         ("MULTIPLY", "\u00d7", "op", 1), ("LEFT", "@left", "edit", 1), ("RIGHT", "@right", "edit", 1)],
        [("NUM1", "1", "digit", 1), ("NUM2", "2", "digit", 1), ("NUM3", "3", "digit", 1),
         ("MINUS", "\u2212", "op", 1), ("BACK", "@back", "edit", 1), ("CLEAR", "C", "clear", 1)],
        [("NUM0", "0", "digit", 2), ("DOT", ".", "digit", 1), ("PLUS", "+", "op", 1),
         ("ENTER", "=", "enter", 2)],
    ])
    height = 29 + 4 * 22 + 3 * 2 + 4
    boxes = [(x, y, w, BOX_H) for _, _, (x, y, w, _) in controls]
    return height, controls, keys, boxes


def loan(fonts):
    """Loan calculator: amount, rate with the term, and the monthly payment
    (principal and interest), then the keypad with the swap key and the
    summary, graph and save keys."""
    controls = [
        ("EDIT", "EDIT_AMT", (64, 4, 172, BOX_H)),
        ("EDIT", "EDIT_RATE", (64, 27, 64, BOX_H)),
        ("COMBOBOX", "COMBO_TERM", (178, 27, 58, LIST_H)),
        ("EDIT", "EDIT_PNI", (64, 50, 172, BOX_H)),
    ]
    labels = [(5, 4, "Amount"), (5, 27, "Rate %"), (136, 27, "Years"), (5, 50, "Monthly")]
    keys = grid(3, 76, 32, 22, 2, [
        [("NUM1", "1", "digit", 1), ("NUM2", "2", "digit", 1), ("NUM3", "3", "digit", 1),
         ("NUM4", "4", "digit", 1), ("NUM5", "5", "digit", 1), ("DOT", ".", "op", 1), ("CLEAR", "C", "clear", 1)],
        [("NUM6", "6", "digit", 1), ("NUM7", "7", "digit", 1), ("NUM8", "8", "digit", 1),
         ("NUM9", "9", "digit", 1), ("NUM0", "0", "digit", 1), ("TOGGLE", "@swap", "edit", 2)],
        [("SUMMARY", "Summary", "op", 2), ("GRAPH", "@graph", "op", 2), ("SAVE", "Save", "enter", 3)],
    ])
    height = 76 + 3 * 22 + 2 * 2 + 4
    boxes = [(x, y, w, BOX_H) for _, _, (x, y, w, _) in controls]
    return height, controls, keys, boxes, labels


def currency(fonts):
    """Currency converter: an amount and its currency, the converted amount
    and its currency, then the keypad with the swap and settings keys."""
    controls = [
        ("EDIT", "EDIT_UNIT1", (4, 4, 104, BOX_H)),
        ("COMBOBOX", "COMBOBOX_UNIT1", (112, 4, 124, LIST_H)),
        ("TEXT", "TEXT_UNIT2", (4, 29, 104, BOX_H)),
        ("COMBOBOX", "COMBOBOX_UNIT2", (112, 29, 124, LIST_H)),
    ]
    keys = grid(3, 55, 32, 22, 2, [
        [("NUM1", "1", "digit", 1), ("NUM2", "2", "digit", 1), ("NUM3", "3", "digit", 1),
         ("NUM4", "4", "digit", 1), ("NUM5", "5", "digit", 1), ("DOT", ".", "op", 1), ("CLEAR", "C", "clear", 1)],
        [("NUM6", "6", "digit", 1), ("NUM7", "7", "digit", 1), ("NUM8", "8", "digit", 1),
         ("NUM9", "9", "digit", 1), ("NUM0", "0", "digit", 1), ("TOGGLE", "@swap", "edit", 1),
         ("SETTING", "@gear", "edit", 1)],
    ])
    height = 55 + 2 * 22 + 2 + 4
    boxes = [(x, y, w, BOX_H) for _, _, (x, y, w, _) in controls]
    return height, controls, keys, boxes, []


def two_key_rows(y):
    return grid(3, y, 32, 22, 2, [
        [("NUM1", "1", "digit", 1), ("NUM2", "2", "digit", 1), ("NUM3", "3", "digit", 1),
         ("NUM4", "4", "digit", 1), ("NUM5", "5", "digit", 1), ("DOT", ".", "op", 1), ("CLEAR", "C", "clear", 1)],
        [("NUM6", "6", "digit", 1), ("NUM7", "7", "digit", 1), ("NUM8", "8", "digit", 1),
         ("NUM9", "9", "digit", 1), ("NUM0", "0", "digit", 3)],
    ])


def tip(fonts):
    """Tip calculator: the bill, the tip and the people sharing it, then the
    tip, the total and each one's share."""
    controls = [
        ("EDIT", "EDIT_BILL", (50, 4, 186, BOX_H)),
        ("COMBOBOX", "COMBOBOX_TIP", (50, 27, 60, LIST_H)),
        ("COMBOBOX", "COMBOBOX_PERSON", (176, 27, 60, LIST_H)),
        ("TEXT", "TEXT_TIP", (50, 50, 60, BOX_H)),
        ("TEXT", "TEXT_TOTAL", (160, 50, 76, BOX_H)),
        ("TEXT", "TEXT_EACH", (50, 73, 186, BOX_H)),
    ]
    labels = [(5, 4, "Bill"), (5, 27, "Tip %"), (122, 27, "People"), (5, 50, "Tip"), (122, 50, "Total"),
              (5, 73, "Each")]
    keys = two_key_rows(99)
    height = 99 + 2 * 22 + 2 + 4
    boxes = [(x, y, w, BOX_H) for _, _, (x, y, w, _) in controls]
    return height, controls, keys, boxes, labels


def price(fonts):
    """Price calculator: the price, the discount and the sales tax, then the
    discounted price and the amount with tax."""
    controls = [
        ("EDIT", "EDIT_PRICE", (50, 4, 186, BOX_H)),
        ("COMBOBOX", "COMBOBOX_DC", (50, 27, 60, LIST_H)),
        ("EDIT", "EDIT_TAX", (176, 27, 60, BOX_H)),
        ("TEXT", "TEXT_DCPRICE", (50, 50, 186, BOX_H)),
        ("TEXT", "TEXT_AMT", (50, 73, 186, BOX_H)),
    ]
    labels = [(5, 4, "Price"), (5, 27, "Off %"), (122, 27, "Tax %"), (5, 50, "Sale"), (5, 73, "Total")]
    keys = two_key_rows(99)
    height = 99 + 2 * 22 + 2 + 4
    boxes = [(x, y, w, BOX_H) for _, _, (x, y, w, _) in controls]
    return height, controls, keys, boxes, labels


def write(folder, skin_file, back, pushed, description, layout, fonts):
    os.makedirs(folder, exist_ok=True)
    height, controls, keys, boxes, *rest = layout(fonts)
    background, pressed = draw_skin(height, boxes, keys, fonts, rest[0] if rest else ())
    background.save(os.path.join(folder, back))
    pressed.save(os.path.join(folder, pushed))
    with open(os.path.join(folder, skin_file), "w", newline="") as out:
        out.write(skin_xml(description, height, back, pushed, controls, keys))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    fonts = {"bold": ImageFont.truetype(BOLD_PATH, 13), "small": ImageFont.truetype(FONT_PATH, 11),
             "label": ImageFont.truetype(BOLD_PATH, 11)}
    write(os.path.join(root, "calc", "unitra", "skin"), "CtSkin.xml", "CtBack.bmp", "CtPushed.bmp",
          "Unit converter: category, two units and a keypad.", converter, fonts)
    write(os.path.join(root, "calc", "sumbra", "skin"), "CalcSkin.xml", "CalcBack.bmp", "CalcPushed.bmp",
          "Expression calculator: an expression box with its history and a keypad.", calculator, fonts)
    write(os.path.join(root, "calc", "mortivo", "skin"), "LoanSkin.xml", "LoanBack.bmp", "LoanPushed.bmp",
          "Loan calculator: amount, rate, term and monthly payment, with a keypad.", loan, fonts)
    write(os.path.join(root, "calc", "monetta", "skin"), "CurSkin.xml", "CurBack.bmp", "CurPushed.bmp",
          "Currency converter: two amounts and their currencies, with a keypad.", currency, fonts)
    write(os.path.join(root, "calc", "gratilo", "skin"), "TipSkin.xml", "TipBack.bmp", "TipPushed.bmp",
          "Tip calculator: bill, tip and people, with a keypad.", tip, fonts)
    write(os.path.join(root, "calc", "tagora", "skin"), "PcSkin.xml", "PcBack.bmp", "PcPushed.bmp",
          "Price calculator: price, discount and tax, with a keypad.", price, fonts)


if __name__ == "__main__":
    main()
