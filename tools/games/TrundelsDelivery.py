#!/usr/bin/env python3
"""Draws the pictures of the delivery game: the railway yard, Trundel the
truck and the carts he pulls (two wheel frames each, facing left), the
thirteen kinds of cargo small (in a cart) and large (waiting to be picked),
each with its rollover outline, and the crane's hook on its cable.

The cargo frames follow the game's table of cargo types: 0 a tyre; 1 to 3
cones (red, orange, yellow); 4 to 6 buckets (yellow, red, plain); 7 to 9 pipes
(blue, red, plain); 10 to 12 barrels (plain, blue, red).

    TrundelsDelivery.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp done.stamp
"""

import argparse
import math
import os
import sys

from PIL import Image, ImageChops, ImageFilter

from palette import COLOURS, OUTLINE, SKY, Canvas, darker, lighter, rgba, save

WHITE = rgba(COLOURS["White"])
GROUND = (196, 150, 96)
HIGHLIGHT = (255, 241, 118, 255)
PLAIN = {"tyre": COLOURS["Black"], "bucket": COLOURS["Gray"], "pipe": (176, 176, 176), "barrel": (161, 110, 62)}

SMALL = (70, 60)
LARGE = (100, 90)
TRUCK = (150, 110)
CART = (130, 110)
HOOK = (28, 700)
# Where the cars' bed tops are, from the bottom of their frames.
BED = 52

CARGO = [("tyre", None), ("cone", "Red"), ("cone", "Orange"), ("cone", "Yellow"),
         ("bucket", "Yellow"), ("bucket", "Red"), ("bucket", None),
         ("pipe", "Blue"), ("pipe", "Red"), ("pipe", None),
         ("barrel", None), ("barrel", "Blue"), ("barrel", "Red")]

# The choices' places and the rail, as the layout has them.
CHOICES = (70, 185, 300, 415, 530)
CHOICE_Y = 470
RAIL_Y = 262


def ink(kind, colour):
    return COLOURS[colour] if colour else PLAIN[kind]


# --- cargo, drawn in a box of width w and height h, standing on its bottom ---------

def draw_cargo(c, kind, colour, w, h):
    body = ink(kind, colour)
    m = 4
    if kind == "tyre":
        c.ellipse((m, m + h * 0.05, w - m, h - m), fill=rgba(body), width=3)
        r = min(w, h) * 0.2
        c.ellipse((w / 2 - r, h / 2 - r, w / 2 + r, h / 2 + r), fill=rgba(COLOURS["Gray"]), width=3)
        for i in range(8):
            a = 2 * math.pi * i / 8
            x, y = w / 2 + (w / 2 - m - 5) * 0.85 * math.cos(a), h / 2 + (h / 2 - m - 3) * 0.85 * math.sin(a)
            c.ellipse((x - 2.5, y - 2.5, x + 2.5, y + 2.5), fill=rgba(lighter(body, 0.4)), outline=None)
    elif kind == "cone":
        base = h - m - h * 0.12
        c.rounded((m, base, w - m, h - m), 3, fill=rgba(darker(body, 0.15)), width=3)
        c.polygon([(w * 0.2, base), (w * 0.43, m), (w * 0.57, m), (w * 0.8, base)], fill=rgba(body), width=3)
        y = h * 0.45
        c.polygon([(w * 0.33, y + h * 0.1), (w * 0.37, y - h * 0.06), (w * 0.63, y - h * 0.06), (w * 0.67, y + h * 0.1)],
                  fill=WHITE, outline=None)
    elif kind == "bucket":
        top = m + h * 0.18
        c.draw.arc(c.box((w * 0.22, m, w * 0.78, top + h * 0.25)), start=180, end=360, fill=OUTLINE, width=c.s(3))
        c.polygon([(w * 0.12, top), (w * 0.88, top), (w * 0.76, h - m), (w * 0.24, h - m)], fill=rgba(body), width=3)
        c.rounded((w * 0.08, top - 4, w * 0.92, top + 6), 3, fill=rgba(lighter(body, 0.3)), width=2.5)
        c.line([(w * 0.3, top + 14), (w * 0.34, h - m - 8)], fill=rgba(lighter(body, 0.45)), width=3)
    elif kind == "pipe":
        pipe_h = (h - 2 * m) / 2.2
        for row, y0 in enumerate((h - m - pipe_h, h - m - 2 * pipe_h + 4)):
            x0 = m + (w * 0.12 if row else 0)
            x1 = w - m - (w * 0.12 if row else 0)
            c.rounded((x0, y0, x1 - pipe_h * 0.4, y0 + pipe_h), pipe_h * 0.3, fill=rgba(body), width=2.5)
            c.ellipse((x1 - pipe_h * 0.8, y0, x1, y0 + pipe_h), fill=rgba(lighter(body, 0.35)), width=2.5)
            c.ellipse((x1 - pipe_h * 0.6, y0 + pipe_h * 0.25, x1 - pipe_h * 0.2, y0 + pipe_h * 0.75),
                      fill=rgba(darker(body, 0.5)), outline=None)
    elif kind == "barrel":
        c.rounded((w * 0.16, m, w * 0.84, h - m), w * 0.16, fill=rgba(body), width=3)
        for y in (h * 0.3, h * 0.7):
            c.line([(w * 0.18, y), (w * 0.82, y)], fill=rgba(darker(body, 0.35)), width=3.5)
        c.line([(w * 0.3, m + 8), (w * 0.3, h - m - 8)], fill=rgba(lighter(body, 0.3)), width=3)
    return c


def cargo(kind, colour, size):
    return draw_cargo(Canvas(*size), kind, colour, *size).result()


def rollover(picture):
    """A yellow ring around the picture's solid part, inside the frame."""
    alpha = picture.getchannel("A").point(lambda a: 255 if a > 100 else 0)
    grown = alpha.filter(ImageFilter.MaxFilter(7))
    ring = ImageChops.subtract(grown, alpha.filter(ImageFilter.MaxFilter(3)))
    out = Image.new("RGBA", picture.size, HIGHLIGHT)
    out.putalpha(ring)
    return out


# --- the train -----------------------------------------------------------------------

def wheels(c, xs, bottom, frame):
    for x in xs:
        c.ellipse((x - 14, bottom - 28, x + 14, bottom), fill=rgba(COLOURS["Black"]), width=3)
        c.ellipse((x - 5, bottom - 19, x + 5, bottom - 9), fill=rgba(COLOURS["Gray"]), width=2)
        spoke = (4, 0) if frame == 0 else (0, 4)
        c.line([(x - spoke[0], bottom - 14 - spoke[1]), (x + spoke[0], bottom - 14 + spoke[1])], fill=OUTLINE, width=2)


def truck(frame):
    c = Canvas(*TRUCK)
    w, h = TRUCK
    orange = COLOURS["Orange"]
    bed = h - BED
    # The bed behind, then the cab in front (on the left, the way he drives).
    c.rounded((58, bed, w - 4, h - 22), 4, fill=rgba(darker(orange, 0.1)), width=3)
    c.rounded((4, 26, 66, h - 20), 12, fill=rgba(orange), width=3)
    c.rounded((12, 34, 52, 62), 7, fill=rgba(lighter(SKY, 0.45)), width=2.5)
    # His face on the window: eyes and a smile.
    for ex in (24, 40):
        c.ellipse((ex - 4, 42, ex + 4, 50), fill=WHITE, width=1.5)
        c.ellipse((ex - 1.5, 44.5, ex + 1.5, 47.5), fill=rgba(COLOURS["Black"]), outline=None)
    c.draw.arc(c.box((22, 46, 42, 58)), start=20, end=160, fill=OUTLINE, width=c.s(2.5))
    c.rounded((0, h - 44, 10, h - 30), 3, fill=rgba(COLOURS["Yellow"]), width=2)
    c.rounded((6, h - 26, w - 2, h - 16), 3, fill=rgba(COLOURS["Black"]), width=2)
    wheels(c, (26, 96, 126), h, frame)
    return c.result()


def cart(frame):
    c = Canvas(*CART)
    w, h = CART
    body = COLOURS["Green"]
    bed = h - BED
    c.rounded((w - 10, h - 30, w, h - 24), 2, fill=rgba(COLOURS["Gray"]), width=2)
    c.rounded((6, bed, w - 8, h - 20), 5, fill=rgba(body), width=3)
    c.line([(14, bed + 8), (w - 16, bed + 8)], fill=rgba(lighter(body, 0.35)), width=3)
    wheels(c, (30, w - 34), h, frame)
    return c.result()


def hook():
    c = Canvas(*HOOK)
    w, h = HOOK
    c.line([(w / 2, 0), (w / 2, h - 30)], fill=OUTLINE, width=3)
    c.rounded((w / 2 - 9, h - 36, w / 2 + 9, h - 24), 3, fill=rgba(COLOURS["Yellow"]), width=2.5)
    c.draw.arc(c.box((w / 2 - 11, h - 26, w / 2 + 9, h - 3)), start=-30, end=210, fill=OUTLINE, width=c.s(4))
    return c.result()


def background():
    w, h = 800, 600
    c = Canvas(w, h, background=rgba(SKY))
    for y in range(0, h * 2, 4):
        shade = lighter(darker(SKY, 0.12), min(1.0, y / (h * 2.2)))
        c.draw.rectangle([0, y, w * 2, y + 4], fill=rgba(shade))
    for x, y, s in ((150, 60, 0.8), (430, 40, 0.7), (640, 110, 0.6)):
        for dx, dy, r in ((0, 10, 26), (26, -4, 32), (58, 8, 26), (30, 16, 24)):
            c.ellipse((x + dx * s - r * s, y + dy * s - r * s, x + dx * s + r * s, y + dy * s + r * s),
                      fill=WHITE, outline=None)
    c.ellipse((-200, 150, 460, 520), fill=rgba(lighter(COLOURS["Green"], 0.25)), width=3)
    c.ellipse((380, 170, 1040, 560), fill=rgba(COLOURS["Green"]), width=3)
    c.polygon([(0, RAIL_Y - 8), (800, RAIL_Y - 8), (800, 600), (0, 600)], fill=rgba(GROUND), width=3)
    # The railway: sleepers, then the rail the wheels run on.
    for x in range(-10, 810, 34):
        c.rounded((x, RAIL_Y - 2, x + 20, RAIL_Y + 10), 2, fill=rgba((121, 85, 72)), width=2)
    c.rounded((-4, RAIL_Y - 3, 804, RAIL_Y + 3), 1, fill=rgba(COLOURS["Gray"]), width=2)
    # A pallet under each waiting cargo.
    for x in CHOICES:
        c.rounded((x - 54, CHOICE_Y + 44, x + 54, CHOICE_Y + 56), 3, fill=rgba(darker(GROUND, 0.25)), width=2)
    return c.result()


def pictures():
    """Every picture by its file name (without extension)."""
    made = {"TD_Background": background(), "TD_Hook": hook(),
            "TD_SmallCargoPlaceholder": Image.new("RGBA", SMALL, (0, 0, 0, 0)),
            "TD_LargeCargoPlaceholder": Image.new("RGBA", LARGE, (0, 0, 0, 0))}
    for frame in range(2):
        made["Trundel_%d" % frame] = truck(frame)
        made["DeliveryCart_%d" % frame] = cart(frame)
    for index, (kind, colour) in enumerate(CARGO):
        for name, size in (("Small", SMALL), ("Large", LARGE)):
            picture = cargo(kind, colour, size)
            made["TrundelDeliveryItems_%s_%d" % (name, index)] = picture
            made["TrundelDeliveryItems_%s_rollover_%d" % (name, index)] = rollover(picture)
    return made


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--font", required=True, help="TrueType font (the game's pictures carry no lettering)")
    parser.add_argument("--output-dir", required=True)
    parser.add_argument("--stamp", required=True, help="file written once every picture is")
    args = parser.parse_args(argv)
    os.makedirs(args.output_dir, exist_ok=True)
    for name, image in pictures().items():
        save(image, os.path.join(args.output_dir, name + ".png"))
    with open(args.stamp, "w") as stamp:
        stamp.write("done\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
