#!/usr/bin/env python3
"""Draws the pictures of the StreetSigns mini-game: the street, the street
signs in five shapes and five colours with their roll-over glows, the crane's
hook on its cable, the dumper truck (standing and driving, facing left), the
crane Toller (idle, happy, sad).

    StreetSigns.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp s

Image lists are written as <name>_0.png, <name>_1.png ...; the stamp last.
"""

import math
import sys

from PIL import Image, ImageChops, ImageFilter

from palette import run_picture_generator, COLOURS, CREAM, OUTLINE, SKY, Canvas, darker, rgba

# The game's sign colours and shapes, in the order of the level files.
SIGN_COLOURS = ["Red", "Green", "Blue", "Orange", "Yellow"]
SIGN_SHAPES = ["Rectangle", "Square", "Octagon", "Triangle", "Circle"]
SIGN = 80
METAL = (176, 190, 197)
TRUCK = (255, 179, 0)


# --- signs ----------------------------------------------------------------------

def shape_points(shape, inset=4.0):
    """The outline of a sign shape inside the 80 by 80 square, or None for the circle."""
    lo, hi = inset, SIGN - inset
    if shape == "Rectangle":
        return [(lo, 18), (hi, 18), (hi, 62), (lo, 62)]
    if shape == "Square":
        return [(lo + 6, lo + 6), (hi - 6, lo + 6), (hi - 6, hi - 6), (lo + 6, hi - 6)]
    if shape == "Octagon":
        c, r = SIGN / 2, SIGN / 2 - inset
        return [(c + r * math.cos(math.pi / 8 + i * math.pi / 4), c + r * math.sin(math.pi / 8 + i * math.pi / 4))
                for i in range(8)]
    if shape == "Triangle":
        return [(SIGN / 2, lo + 2), (hi, hi - 6), (lo, hi - 6)]
    return None


def sign_picture(shape, colour_name):
    canvas = Canvas(SIGN, SIGN)
    colour = COLOURS[colour_name]
    points = shape_points(shape)
    # A white border inside the dark outline, as street signs have.
    if points is None:
        canvas.ellipse((4, 4, SIGN - 4, SIGN - 4), fill=rgba((255, 255, 255)), width=3)
        canvas.ellipse((10, 10, SIGN - 10, SIGN - 10), fill=rgba(colour), outline=None)
    else:
        canvas.polygon(points, fill=rgba((255, 255, 255)), width=3)
        inner = shape_points(shape, 10.0)
        if shape == "Rectangle":
            inner = [(10, 24), (SIGN - 10, 24), (SIGN - 10, 56), (10, 56)]
        elif shape == "Triangle":
            inner = [(SIGN / 2, 17), (SIGN - 15, SIGN - 15), (15, SIGN - 15)]
        canvas.polygon(inner, fill=rgba(colour), outline=None)
    # Two bolts.
    for x in (SIGN / 2 - 10, SIGN / 2 + 10):
        y = SIGN / 2 + (8 if shape == "Triangle" else 0)
        canvas.ellipse((x - 2.5, y - 2.5, x + 2.5, y + 2.5), fill=rgba(METAL), width=1)
    return canvas.result()


def rollover_picture(shape):
    """A soft yellow glow around the sign's outline, drawn over the sign."""
    alpha = sign_picture(shape, "Red").split()[3]
    grown = alpha.filter(ImageFilter.MaxFilter(7)).filter(ImageFilter.GaussianBlur(1.2))
    ring = ImageChops.subtract(grown, alpha.filter(ImageFilter.MinFilter(3)))
    glow = Image.new("RGBA", alpha.size, (255, 241, 118, 0))
    glow.putalpha(ring)
    return glow


def hook():
    """The crane's hook at the bottom of a cable 640 long; the hook's tip is 8 above the bottom."""
    canvas = Canvas(40, 640)
    canvas.line([(20, 0), (20, 600)], fill=OUTLINE, width=5)
    canvas.line([(20, 0), (20, 600)], fill=rgba((120, 144, 156)), width=2.5)
    canvas.rounded((10, 596, 30, 612), 4, fill=rgba(COLOURS["Yellow"]), width=2.5)
    canvas.draw.arc(canvas.box((8, 610, 32, 636)), 0, 230, fill=OUTLINE, width=canvas.s(6))
    canvas.draw.arc(canvas.box((8, 610, 32, 636)), 0, 230, fill=rgba(METAL), width=canvas.s(3))
    return canvas.result()


# --- the dumper truck ----------------------------------------------------------------

def truck_frame(wheel_turn):
    """The dumper facing left: cab on the left, bed on the right."""
    w, h = 240, 150
    canvas = Canvas(w, h)
    body = rgba(TRUCK)
    canvas.polygon([(96, 40), (236, 40), (228, 104), (100, 104)], fill=rgba(darker(TRUCK, 0.1)), width=3)
    canvas.rounded((8, 58, 110, 112), 8, fill=body, width=3)
    canvas.rounded((24, 20, 96, 70), 8, fill=body, width=3)
    canvas.rounded((32, 28, 70, 56), 5, fill=rgba(SKY), width=2.5)
    canvas.rounded((4, 84, 18, 98), 3, fill=rgba(COLOURS["White"]), width=2)
    canvas.rounded((8, 104, 232, 116), 4, fill=rgba((84, 110, 122)), width=3)
    for cx in (52, 190):
        canvas.ellipse((cx - 24, 100, cx + 24, 148), fill=rgba((55, 71, 79)), width=3)
        canvas.ellipse((cx - 10, 114, cx + 10, 134), fill=rgba(METAL), width=2)
        for k in range(3):
            a = wheel_turn + k * 2 * math.pi / 3
            canvas.line([(cx, 124), (cx + 9 * math.cos(a), 124 + 9 * math.sin(a))], fill=OUTLINE, width=2)
    return canvas.result()


# --- the crane Toller ------------------------------------------------------------------

def crane_frame(mood, lift):
    """A friendly tower crane with a face in its cab; its arm rises when happy
    and droops when sad."""
    w, h = 220, 330
    canvas = Canvas(w, h)
    yellow = rgba(COLOURS["Yellow"])
    for x in (150, 178):
        canvas.line([(x, 110), (x, 326)], fill=OUTLINE, width=5)
    for y in range(120, 320, 24):
        canvas.line([(150, y), (178, y + 24)], fill=OUTLINE, width=3)
    canvas.rounded((146, 300, 184, 328), 3, fill=yellow, width=3)
    # The jib reaches left over the street, towards the top of the screen.
    tip_y = 40 - lift
    canvas.polygon([(0, tip_y), (170, 70), (170, 86), (0, tip_y + 12)], fill=yellow, width=3)
    canvas.line([(10, tip_y + 10), (10, tip_y + 60)], fill=OUTLINE, width=2)
    canvas.rounded((126, 60, 204, 126), 10, fill=yellow, width=3)
    canvas.rounded((136, 70, 194, 108), 8, fill=rgba(CREAM), width=2.5)
    for x in (152, 178):
        canvas.ellipse((x - 4, 82, x + 4, 90), fill=OUTLINE, outline=None)
    if mood == "happy":
        canvas.draw.arc(canvas.box((154, 88, 176, 104)), 10, 170, fill=OUTLINE, width=canvas.s(3))
    elif mood == "sad":
        canvas.draw.arc(canvas.box((154, 96, 176, 108)), 200, 340, fill=OUTLINE, width=canvas.s(3))
    else:
        canvas.line([(158, 100), (172, 100)], fill=OUTLINE, width=3)
    return canvas.result()


# --- the street ----------------------------------------------------------------------------

def background():
    canvas = Canvas(800, 600, background=rgba(SKY))
    for x, y, r in ((120, 70, 34), (170, 60, 26), (470, 90, 30), (520, 80, 22)):
        canvas.ellipse((x - r * 1.4, y - r, x + r * 1.4, y + r), fill=rgba((255, 255, 255)), outline=None)
    # Houses behind the pavement, the pavement where the signs stand, and the road.
    for i, colour in enumerate([(239, 154, 154), (206, 147, 216), (144, 202, 249), (165, 214, 167)]):
        x = 20 + i * 130
        canvas.rounded((x, 150, x + 110, 300), 4, fill=rgba(colour), width=3)
        canvas.polygon([(x - 6, 150), (x + 55, 104), (x + 116, 150)], fill=rgba((141, 110, 99)), width=3)
        canvas.rounded((x + 40, 244, x + 70, 300), 3, fill=rgba((121, 85, 72)), width=2)
    canvas.rounded((-10, 290, 810, 470), 0, fill=rgba((207, 216, 220)), outline=None)
    canvas.line([(0, 290), (800, 290)], fill=OUTLINE, width=3)
    canvas.rounded((-10, 470, 810, 610), 0, fill=rgba((96, 125, 139)), outline=None)
    canvas.line([(0, 470), (800, 470)], fill=OUTLINE, width=3)
    for x in range(20, 800, 90):
        canvas.rounded((x, 532, x + 50, 540), 2, fill=rgba((255, 255, 255)), outline=None)
    return canvas.result()


def pictures(font):
    made = {}

    def frames(name, images):
        for index, image in enumerate(images):
            made["%s_%d" % (name, index)] = image

    made["StreetSigns_Background"] = background()
    for shape in SIGN_SHAPES:
        frames("StreetSigns_Sign" + shape, [sign_picture(shape, colour) for colour in SIGN_COLOURS])
    frames("StreetSigns_SignRollover", [rollover_picture(shape) for shape in SIGN_SHAPES])
    made["StreetSigns_Hook"] = hook()
    frames("StreetSigns_Truck", [truck_frame(0.0), truck_frame(1.0), truck_frame(2.0)])
    frames("StreetSigns_Toller", [crane_frame("idle", 0), crane_frame("happy", 10), crane_frame("happy", 18),
                                  crane_frame("sad", -8), crane_frame("sad", -14)])
    return made


def main(argv):
    return run_picture_generator(__doc__, pictures, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
