#!/usr/bin/env python3
"""Draws Glimmora's built-in pictures into resources/.

Run once after changing a drawing: python3 scripts/draw_artwork.py
The results are committed; the build only compiles them in (resources/glimmora.qrc).
Needs Pillow (Debian: python3-pil) and the DejaVu fonts (fonts-dejavu-core).
"""

import math
import os
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# Colours of the 18 light channels, low bands red through to high bands violet.
SPECTRUM = [(230, 40, 40), (250, 120, 30), (250, 200, 40), (120, 220, 60),
            (40, 200, 200), (60, 120, 250), (170, 80, 240)]


def font(name, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


def downsample(img, size):
    return img.resize(size, Image.LANCZOS)


# ---------------------------------------------------------------- program icon

def draw_icon(size):
    """Equaliser bars in spectrum colours glowing on a dark rounded tile."""
    s = 8  # draw large, then scale down for smooth edges
    big = size * s
    tile = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    d = ImageDraw.Draw(tile)
    d.rounded_rectangle((0, 0, big - 1, big - 1), radius=big // 5, fill=(24, 22, 46, 255))

    heights = [0.45, 0.75, 0.95, 0.6, 0.8]
    glow = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    gd = ImageDraw.Draw(glow)
    bars = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    bd = ImageDraw.Draw(bars)
    n = len(heights)
    margin = big * 0.14
    gap = big * 0.05
    width = (big - 2 * margin - (n - 1) * gap) / n
    bottom = big - margin
    for i, h in enumerate(heights):
        colour = SPECTRUM[[0, 1, 2, 4, 6][i]]
        x0 = margin + i * (width + gap)
        top = bottom - h * (big - 2 * margin)
        gd.rectangle((x0 - gap, top - gap, x0 + width + gap, bottom), fill=colour + (200,))
        bd.rounded_rectangle((x0, top, x0 + width, bottom), radius=width / 4, fill=colour + (255,))
        # bright cap on each bar
        bd.rounded_rectangle((x0, top, x0 + width, top + width * 0.5), radius=width / 4,
                             fill=tuple(min(255, c + 90) for c in colour) + (255,))
    glow = glow.filter(ImageFilter.GaussianBlur(big / 14))
    tile = Image.alpha_composite(tile, glow)
    tile = Image.alpha_composite(tile, bars)
    # keep everything inside the rounded tile
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).rounded_rectangle((0, 0, big - 1, big - 1), radius=big // 5, fill=255)
    tile.putalpha(ImageChops.multiply(tile.getchannel("A"), mask))
    return downsample(tile, (size, size))


# ---------------------------------------------------------------- button pictures

def draw_autostart_add():
    """Green circle with a white plus: add to autostart (32 bits per pixel)."""
    s = 8
    img = Image.new("RGBA", (16 * s, 16 * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.ellipse((1 * s, 1 * s, 15 * s - 1, 15 * s - 1), fill=(20, 130, 40, 255))
    d.ellipse((2 * s, 2 * s, 14 * s - 1, 14 * s - 1), fill=(60, 190, 70, 255))
    d.rectangle((7 * s, 4 * s, 9 * s - 1, 12 * s - 1), fill=(255, 255, 255, 255))
    d.rectangle((4 * s, 7 * s, 12 * s - 1, 9 * s - 1), fill=(255, 255, 255, 255))
    return downsample(img, (16, 16))


def draw_autostart_remove():
    """Red circle with a white minus on the button face: remove (24 bits, no alpha)."""
    s = 8
    face = (240, 240, 240)
    img = Image.new("RGB", (16 * s, 16 * s), face)
    d = ImageDraw.Draw(img)
    d.ellipse((1 * s, 1 * s, 15 * s - 1, 15 * s - 1), fill=(150, 20, 20))
    d.ellipse((2 * s, 2 * s, 14 * s - 1, 14 * s - 1), fill=(220, 50, 50))
    d.rectangle((4 * s, 7 * s, 12 * s - 1, 9 * s - 1), fill=(255, 255, 255))
    return downsample(img, (16, 16))


def draw_load_effects():
    """Open yellow folder with three coloured lights above it (alpha channel)."""
    s = 8
    img = Image.new("RGBA", (16 * s, 16 * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    # back of the folder with its tab
    d.polygon([(1 * s, 5 * s), (6 * s, 5 * s), (7 * s, 6 * s), (15 * s, 6 * s),
               (15 * s, 14 * s), (1 * s, 14 * s)], fill=(190, 140, 20, 255))
    # front flap, slanted
    d.polygon([(2.5 * s, 8 * s), (16 * s - 1, 8 * s), (14 * s, 14 * s), (0, 14 * s)],
              fill=(250, 205, 60, 255))
    for (cx, cy), colour in zip([(4, 2.5), (8, 1.8), (12, 2.5)], [SPECTRUM[0], SPECTRUM[3], SPECTRUM[5]]):
        r = 1.7
        d.ellipse(((cx - r) * s, (cy - r) * s, (cx + r) * s, (cy + r) * s), fill=colour + (255,))
    return downsample(img, (16, 16))


# ---------------------------------------------------------------- information picture

def draw_info_picture():
    """A small stage lit by coloured spotlights, with an equaliser on the floor."""
    w, h = 160, 305
    rnd = random.Random(7)
    img = Image.new("RGB", (w, h), (0, 0, 0))
    d = ImageDraw.Draw(img)
    for y in range(h):  # night-blue backdrop
        t = y / h
        d.line((0, y, w, y), fill=(int(10 + 14 * t), int(8 + 10 * t), int(30 + 40 * t)))
    for _ in range(60):  # a few stars
        x, y = rnd.randrange(w), rnd.randrange(int(h * 0.45))
        v = rnd.randrange(120, 255)
        img.putpixel((x, y), (v, v, v))

    # light cones from a truss at the top, added onto the picture
    beams = Image.new("RGB", (w, h), (0, 0, 0))
    bd = ImageDraw.Draw(beams)
    lamps = [(18, SPECTRUM[0]), (50, SPECTRUM[2]), (80, SPECTRUM[4]), (110, SPECTRUM[5]), (142, SPECTRUM[6])]
    floor = 228
    for i, (x, colour) in enumerate(lamps):
        aim = 80 + (i - 2) * 22 * (-1 if i % 2 else 1)
        dim = tuple(int(c * 0.55) for c in colour)
        bd.polygon([(x - 3, 22), (x + 3, 22), (aim + 26, floor), (aim - 26, floor)], fill=dim)
        bd.ellipse((aim - 30, floor - 7, aim + 30, floor + 7), fill=colour)
    beams = beams.filter(ImageFilter.GaussianBlur(4))
    img = ImageChops.add(img, beams)
    d = ImageDraw.Draw(img)

    d.rectangle((0, 14, w, 19), fill=(70, 70, 80))  # truss
    for x in range(0, w, 8):
        d.line((x, 14, x + 4, 19), fill=(110, 110, 120))
    for x, colour in lamps:
        d.rectangle((x - 5, 19, x + 5, 27), fill=(40, 40, 45))
        d.ellipse((x - 4, 23, x + 4, 31), fill=tuple(min(255, c + 60) for c in colour))

    d.rectangle((0, floor, w, floor + 6), fill=(60, 45, 40))  # stage edge
    d.rectangle((0, floor + 6, w, h), fill=(18, 14, 20))

    # equaliser of 18 bars under the stage, like the main window's indicators
    base = h - 16
    for k in range(18):
        level = 0.25 + 0.7 * abs(math.sin(k * 0.55 + 0.6)) * (1 - k / 40)
        top = int(base - level * 50)
        colour = SPECTRUM[min(6, k * 7 // 18)]
        x0 = 8 + k * 8
        for y in range(base, top, -4):
            d.rectangle((x0, y - 2, x0 + 5, y), fill=colour)
    title = font("DejaVuSans-Bold.ttf", 15)
    tw = d.textlength("Glimmora", font=title)
    d.text(((w - tw) / 2 + 1, h - 15), "Glimmora", font=title, fill=(0, 0, 0))
    d.text(((w - tw) / 2, h - 16), "Glimmora", font=title, fill=(250, 235, 180))
    return img


# ---------------------------------------------------------------- LPT wiring scheme

# (channel, DB-25 pin, register bit, signal name, inverted by the port hardware)
LPT_CHANNELS = [
    (4, 2, "D0", "DATA 0", False), (5, 3, "D1", "DATA 1", False),
    (6, 4, "D2", "DATA 2", False), (7, 5, "D3", "DATA 3", False),
    (8, 6, "D4", "DATA 4", False), (9, 7, "D5", "DATA 5", False),
    (10, 8, "D6", "DATA 6", False), (11, 9, "D7", "DATA 7", False),
    (12, 1, "C0", "STROBE", True), (13, 14, "C1", "AUTOFD", True),
    (14, 16, "C2", "INIT", False), (15, 17, "C3", "SELIN", True),
]

INK = 0
GREY = 150
PAPER = 255


def ground_symbol(d, x, y):
    d.line((x - 6, y, x + 6, y), fill=INK)
    d.line((x - 4, y + 2, x + 4, y + 2), fill=INK)
    d.line((x - 2, y + 4, x + 2, y + 4), fill=INK)


def draw_db25(d, top, small, tiny):
    """DB-25 plug seen from its pin side, used pins black, ground pins grey."""
    used = {pin for _, pin, _, _, _ in LPT_CHANNELS}
    left, right = 24, 296
    d.polygon([(left, top), (right, top), (right - 12, top + 44), (left + 12, top + 44)], outline=INK)
    d.polygon([(left + 3, top + 3), (right - 3, top + 3), (right - 14, top + 41), (left + 14, top + 41)],
              outline=GREY)
    pitch = 20
    x1 = 160 - 6 * pitch
    for i in range(13):  # pins 1..13, top row
        pin = i + 1
        x, y = x1 + i * pitch, top + 14
        fill = INK if pin in used else (GREY if pin >= 18 else PAPER)
        d.ellipse((x - 4, y - 4, x + 4, y + 4), outline=INK, fill=fill)
        label = str(pin)
        d.text((x - d.textlength(label, font=tiny) / 2, top - 11), label, font=tiny, fill=INK)
    x2 = x1 + pitch / 2
    for i in range(12):  # pins 14..25, bottom row
        pin = i + 14
        x, y = x2 + i * pitch, top + 30
        fill = INK if pin in used else (GREY if pin >= 18 else PAPER)
        d.ellipse((x - 4, y - 4, x + 4, y + 4), outline=INK, fill=fill)
        label = str(pin)
        d.text((x - d.textlength(label, font=tiny) / 2, top + 46), label, font=tiny, fill=INK)
    ly = top + 60
    d.ellipse((24, ly - 4, 32, ly + 4), outline=INK, fill=INK)
    d.text((36, ly - 6), "channel", font=small, fill=INK)
    d.ellipse((96, ly - 4, 104, ly + 4), outline=INK, fill=GREY)
    d.text((108, ly - 6), "GND 18-25", font=small, fill=INK)
    d.ellipse((186, ly - 4, 194, ly + 4), outline=INK, fill=PAPER)
    d.text((198, ly - 6), "not used", font=small, fill=INK)


def draw_channel_row(d, y, channel, pin, bit, name, inverted, fonts):
    bold, small, tiny = fonts
    # channel number
    d.text((4, y - 7), f"{channel}", font=bold, fill=INK)
    # connector contact with its pin number
    d.rectangle((26, y - 8, 48, y + 8), outline=INK, fill=235)
    label = str(pin)
    d.text((37 - d.textlength(label, font=small) / 2, y - 6), label, font=small, fill=INK)
    d.line((48, y, 54, y), fill=INK)
    # signal name, overlined when the port inverts it
    d.text((56, y - 12), bit, font=small, fill=INK)
    d.text((56, y + 1), name, font=tiny, fill=INK)
    if inverted:
        w = d.textlength(bit, font=small)
        d.line((56, y - 12, 56 + w, y - 12), fill=INK)
        d.text((78, y - 12), "inv", font=tiny, fill=INK)
    d.line((54, y, 118, y), fill=INK)
    # base resistor
    d.rectangle((118, y - 4, 142, y + 4), outline=INK, fill=PAPER)
    d.text((122, y - 15), "1k", font=tiny, fill=INK)
    d.line((142, y, 160, y), fill=INK)
    # NPN transistor
    cx = 168
    d.ellipse((cx - 11, y - 11, cx + 11, y + 11), outline=INK)
    d.line((160, y - 7, 160, y + 7), fill=INK, width=2)
    d.line((160, y - 3, cx + 7, y - 11), fill=INK)  # collector
    d.line((160, y + 3, cx + 7, y + 11), fill=INK)  # emitter
    d.polygon([(cx + 7, y + 11), (cx + 1, y + 10), (cx + 4, y + 6)], fill=INK)
    # emitter to ground
    ground_symbol(d, cx + 7, y + 11)
    # collector up to the relay coil, coil to the +12 V rail
    wire = y - 13
    d.line((cx + 7, y - 11, cx + 7, wire), fill=INK)
    d.line((cx + 7, wire, 300, wire), fill=INK)
    d.ellipse((298, wire - 2, 302, wire + 2), fill=INK)
    d.rectangle((212, wire - 5, 240, wire + 5), outline=INK, fill=PAPER)
    d.line((214, wire + 5, 238, wire - 5), fill=INK)
    d.text((262, wire + 1), f"K{channel}", font=tiny, fill=INK)
    # flyback diode across the coil, drawn below it
    d.line((202, wire, 202, wire + 13), fill=INK)
    d.line((202, wire + 13, 218, wire + 13), fill=INK)
    d.polygon([(218, wire + 9), (218, wire + 17), (226, wire + 13)], outline=INK, fill=PAPER)
    d.line((226, wire + 9, 226, wire + 17), fill=INK)
    d.line((226, wire + 13, 250, wire + 13), fill=INK)
    d.line((250, wire + 13, 250, wire), fill=INK)
    d.ellipse((200, wire - 2, 204, wire + 2), fill=INK)
    d.ellipse((248, wire - 2, 252, wire + 2), fill=INK)


def draw_lpt_scheme():
    w, h = 320, 602
    img = Image.new("L", (w, h), PAPER)
    d = ImageDraw.Draw(img)
    title = font("DejaVuSans-Bold.ttf", 12)
    bold = font("DejaVuSansCondensed-Bold.ttf", 12)
    small = font("DejaVuSansCondensed.ttf", 10)
    tiny = font("DejaVuSansCondensed.ttf", 9)

    heading = "LPT light music: 12 channels"
    d.text(((w - d.textlength(heading, font=title)) / 2, 3), heading, font=title, fill=INK)
    d.text((8, 22), "DB-25 plug, pin side", font=small, fill=INK)
    draw_db25(d, 46, small, tiny)

    # column heads
    top = 122
    d.line((0, top - 4, w, top - 4), fill=GREY)
    for x, text in [(2, "ch"), (28, "pin"), (56, "bit"), (120, "R"), (162, "VT"), (216, "relay"), (286, "+12V")]:
        d.text((x, top - 1), text, font=small, fill=INK)
    # +12 V rail on the right
    row0 = top + 30
    pitch = 31
    rail_bottom = row0 + pitch * 11 - 14
    d.line((300, top + 12, 300, rail_bottom), fill=INK, width=2)
    for i, row in enumerate(LPT_CHANNELS):
        draw_channel_row(d, row0 + i * pitch, *row, (bold, small, tiny))
        if i == 7:  # data register above, control register below
            yy = row0 + i * pitch + 19
            d.line((0, yy, 110, yy), fill=GREY)

    # ground pins and notes
    y = row0 + 11 * pitch + 22
    d.line((0, y - 4, w, y - 4), fill=GREY)
    d.rectangle((26, y + 2, 62, y + 16), outline=INK, fill=235)
    d.text((30, y + 3), "18-25", font=small, fill=INK)
    d.line((62, y + 9, 80, y + 9), fill=INK)
    d.line((80, y + 9, 80, y + 12), fill=INK)
    ground_symbol(d, 80, y + 12)
    d.text((96, y + 3), "GND: common with the 12 V supply", font=small, fill=INK)
    notes = [
        "Register 888: D0-D7 = channels 4-11; register 890:",
        "C0-C3 = channels 12-15. inv: C0, C1, C3 are inverted",
        "by the port, the program writes them inverted, so",
        "every pin is high (+5 V) while its channel is lit.",
        "R 1 kOhm, VT small NPN (BC547), K relay 12 V with",
        "diode 1N4148; the relay contacts switch the lamps.",
    ]
    for i, line in enumerate(notes):
        d.text((6, y + 21 + i * 11), line, font=tiny, fill=INK)
    return img


def main():
    os.makedirs(OUT, exist_ok=True)
    draw_icon(32).save(os.path.join(OUT, "glimmora.png"))
    draw_icon(16).save(os.path.join(OUT, "glimmora_16.png"))
    draw_autostart_add().save(os.path.join(OUT, "autostart_add.png"))
    draw_autostart_remove().save(os.path.join(OUT, "autostart_remove.png"))
    draw_load_effects().save(os.path.join(OUT, "load_effects.png"))
    draw_info_picture().save(os.path.join(OUT, "info_picture.jpg"), quality=90)
    draw_lpt_scheme().save(os.path.join(OUT, "lpt_scheme.jpg"), quality=95)


if __name__ == "__main__":
    main()
