#!/usr/bin/env python3
"""Draws the pictures of the hide-and-seek game: the park, the six obstacles
the cat hides behind (bush, crate, barrel, wheelbarrow, cone pile, stump) with
their highlights, the animals found behind a wrong obstacle, the cat Mistle
running and sitting, and the tip of her tail peeping out.

    HideAndSeek.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp out.stamp

Every obstacle is drawn on a canvas of OBSTACLE_SIZE whose middle is opaque
(the cat, CAT_SIZE, stands behind it at CAT_OFFSET from the obstacle's corner)
and whose margins are transparent, so that clicks there pass through. A
highlight is the obstacle's outline widened into a soft yellow halo, drawn
behind the picture.
"""

import argparse
import math
import os
import sys

from PIL import Image, ImageChops, ImageFilter

from palette import COLOURS, OUTLINE, SKY, Canvas, darker, lighter, rgba, save

OBSTACLE_SIZE = (180, 150)
# Where the cat's picture stands from an obstacle's corner while it hides (its
# layout puts the picture 10 lower than the point it runs to).
CAT_OFFSET = (42, 48)
CAT_SIZE = (96, 72)
ANIMAL_SIZE = (100, 80)
TAIL_SIZE = (40, 70)

WOOD = (196, 134, 72)
BARK = (121, 85, 61)
FUR = (245, 160, 70)
STRIPE = (196, 98, 30)
WHITE = rgba(COLOURS["White"])


# --- the park -----------------------------------------------------------------

def background():
    w, h = 800, 600
    canvas = Canvas(w, h, background=rgba(SKY))
    for y in range(0, 420, 4):
        shade = lighter(darker(SKY, 0.1), min(1.0, y / 460.0))
        canvas.draw.rectangle([0, y, w * 2, y + 4], fill=rgba(shade))
    canvas.ellipse((40, 30, 130, 120), fill=rgba(COLOURS["Yellow"]), width=3)
    for x, y, s in ((210, 70, 0.9), (470, 40, 0.7), (640, 100, 0.8)):
        for dx, dy, r in ((0, 10, 26), (26, -4, 32), (58, 8, 26), (30, 16, 24)):
            canvas.ellipse((x + dx * s - r * s, y + dy * s - r * s, x + dx * s + r * s, y + dy * s + r * s),
                           fill=WHITE, outline=None)
    # Trees along the back of the lawn.
    for x, r in ((60, 60), (190, 48), (330, 66), (500, 52), (650, 62), (770, 50)):
        canvas.rounded((x - 9, 150, x + 9, 230), 4, fill=rgba(BARK), width=2)
        canvas.ellipse((x - r, 170 - 2 * r, x + r, 190), fill=rgba(darker(COLOURS["Green"], 0.15)), width=3)
    # The lawn and a gravel path winding through it.
    canvas.polygon([(0, 215), (800, 200), (800, 600), (0, 600)], fill=rgba(lighter(COLOURS["Green"], 0.2)), width=3)
    canvas.polygon([(340, 206), (420, 205), (470, 400), (560, 600), (300, 600), (360, 400)],
                   fill=rgba((222, 196, 150)), width=3)
    for x, y in ((380, 260), (410, 330), (395, 460), (450, 540), (360, 560)):
        canvas.ellipse((x - 6, y - 4, x + 6, y + 4), fill=rgba(COLOURS["Gray"]), width=1.5)
    # Tufts and flowers.
    for x, y, colour in ((40, 560, "Red"), (250, 580, "Yellow"), (600, 570, "Purple"), (770, 520, "Orange"),
                         (20, 300, "Yellow"), (780, 300, "Red")):
        for i in range(5):
            a = 2 * math.pi * i / 5
            canvas.ellipse((x + 7 * math.cos(a) - 5, y + 7 * math.sin(a) - 5, x + 7 * math.cos(a) + 5,
                            y + 7 * math.sin(a) + 5), fill=rgba(COLOURS[colour]), width=1.5)
        canvas.ellipse((x - 4, y - 4, x + 4, y + 4), fill=rgba(COLOURS["Yellow"]), width=1.5)
    return canvas.result()


# --- obstacles ------------------------------------------------------------------

def bush(canvas):
    green = COLOURS["Green"]
    for box in ((10, 55, 90, 140), (90, 55, 170, 140), (35, 22, 115, 100), (75, 30, 150, 110), (30, 70, 150, 146)):
        canvas.ellipse(box, fill=rgba(green), width=3)
    canvas.ellipse((32, 72, 148, 144), fill=rgba(green), outline=None)
    for x, y in ((60, 60), (110, 50), (130, 95), (50, 110), (90, 100)):
        canvas.ellipse((x - 7, y - 7, x + 7, y + 7), fill=rgba(COLOURS["Red"]), width=2)


def crate(canvas):
    canvas.rounded((18, 30, 162, 146), 6, fill=rgba(WOOD), width=3)
    for y in (58, 88, 118):
        canvas.line([(20, y), (160, y)], fill=OUTLINE, width=2)
    canvas.line([(24, 36), (156, 140)], fill=rgba(darker(WOOD, 0.25)), width=8)
    canvas.rounded((18, 30, 162, 146), 6, fill=None, width=3)


def barrel(canvas):
    blue = COLOURS["Blue"]
    canvas.rounded((30, 14, 150, 146), 30, fill=rgba(blue), width=3)
    for y in (40, 120):
        canvas.rounded((26, y - 7, 154, y + 7), 4, fill=rgba(COLOURS["Gray"]), width=2.5)
    canvas.ellipse((50, 18, 130, 34), fill=rgba(darker(blue, 0.3)), width=2)
    canvas.rounded((60, 60, 72, 100), 5, fill=rgba(lighter(blue, 0.4), 160), outline=None)


def wheelbarrow(canvas):
    red = COLOURS["Red"]
    # The load of sand, then the tub over the wheel, legs and handles.
    canvas.ellipse((24, 26, 152, 80), fill=rgba((222, 190, 120)), width=3)
    canvas.polygon([(10, 50), (170, 50), (150, 128), (30, 128)], fill=rgba(red), width=3)
    canvas.line([(14, 58), (166, 58)], fill=rgba(darker(red, 0.25)), width=4)
    canvas.line([(150, 110), (178, 140)], fill=OUTLINE, width=6)
    canvas.line([(36, 126), (30, 146)], fill=OUTLINE, width=5)
    canvas.line([(120, 126), (126, 146)], fill=OUTLINE, width=5)
    canvas.ellipse((62, 112, 100, 148), fill=rgba(COLOURS["Black"]), width=3)
    canvas.ellipse((75, 124, 87, 136), fill=rgba(COLOURS["Gray"]), width=2)


def cone(canvas, x, bottom, height, colour):
    half = height * 0.38
    canvas.polygon([(x - half, bottom), (x, bottom - height), (x + half, bottom)], fill=rgba(colour), width=3)
    canvas.line([(x - half * 0.55, bottom - height * 0.45), (x + half * 0.55, bottom - height * 0.45)],
                fill=WHITE, width=5)
    canvas.rounded((x - half - 6, bottom - 6, x + half + 6, bottom + 2), 2, fill=rgba(colour), width=2)


def cone_pile(canvas):
    # A heap of gravel with cones stacked on and around it.
    canvas.ellipse((10, 50, 170, 190), fill=rgba((176, 160, 140)), width=3)
    canvas.draw.rectangle(canvas.box((0, 146, 180, 150)), fill=(0, 0, 0, 0))
    for x, y in ((40, 100), (80, 80), (120, 110), (140, 80), (70, 125)):
        canvas.ellipse((x - 8, y - 5, x + 8, y + 5), fill=rgba(COLOURS["Gray"]), width=1.5)
    cone(canvas, 128, 98, 80, COLOURS["Orange"])
    cone(canvas, 54, 104, 66, COLOURS["Red"])
    cone(canvas, 90, 146, 78, COLOURS["Orange"])
    cone(canvas, 30, 146, 60, COLOURS["Yellow"])
    cone(canvas, 150, 146, 62, COLOURS["Red"])


def stump(canvas):
    canvas.polygon([(8, 146), (34, 112), (146, 112), (172, 146)], fill=rgba(BARK), width=3)
    canvas.rounded((26, 44, 154, 140), 10, fill=rgba(BARK), width=3)
    canvas.ellipse((22, 28, 158, 62), fill=rgba((230, 190, 130)), width=3)
    for r in (44, 28, 12):
        canvas.ellipse((90 - r, 45 - r * 0.25, 90 + r, 45 + r * 0.25), fill=None, outline=rgba(darker(WOOD, 0.2)),
                       width=2)
    for x in (50, 86, 122):
        canvas.line([(x, 70), (x + 4, 130)], fill=rgba(darker(BARK, 0.3)), width=3)
    canvas.ellipse((120, 86, 142, 104), fill=rgba(COLOURS["Green"]), width=2)


OBSTACLES = [bush, crate, barrel, wheelbarrow, cone_pile, stump]


def obstacle(draw):
    canvas = Canvas(*OBSTACLE_SIZE)
    draw(canvas)
    return canvas.result()


def highlight(picture):
    """A yellow halo around the picture's outline, with the picture's own area left clear."""
    alpha = picture.getchannel("A").point(lambda a: 255 if a > 128 else 0)
    grown = alpha.filter(ImageFilter.MaxFilter(13)).filter(ImageFilter.GaussianBlur(2))
    halo = ImageChops.subtract(grown, alpha.filter(ImageFilter.MinFilter(3)))
    glow = Image.new("RGBA", picture.size, rgba(lighter(COLOURS["Yellow"], 0.3)))
    glow.putalpha(halo)
    return glow


# --- animals --------------------------------------------------------------------

def face(canvas, cx, cy, scale=1.0):
    for dx in (-9, 9):
        canvas.ellipse((cx + dx * scale - 5, cy - 6, cx + dx * scale + 5, cy + 4), fill=WHITE, width=1.5)
        canvas.ellipse((cx + dx * scale - 2, cy - 3, cx + dx * scale + 2, cy + 2), fill=OUTLINE, outline=None)


def dog():
    canvas = Canvas(*ANIMAL_SIZE)
    brown = COLOURS["Brown"]
    canvas.ellipse((14, 38, 86, 78), fill=rgba(brown), width=3)
    canvas.ellipse((26, 6, 74, 54), fill=rgba(lighter(brown, 0.2)), width=3)
    for box in ((14, 10, 32, 44), (68, 10, 86, 44)):
        canvas.ellipse(box, fill=rgba(darker(brown, 0.3)), width=2.5)
    face(canvas, 50, 28)
    canvas.ellipse((44, 36, 56, 44), fill=OUTLINE, outline=None)
    canvas.line([(44, 48), (50, 50), (56, 48)], fill=OUTLINE, width=2)
    return canvas.result()


def rabbit():
    canvas = Canvas(*ANIMAL_SIZE)
    grey = lighter(COLOURS["Gray"], 0.3)
    canvas.ellipse((20, 44, 80, 80), fill=rgba(grey), width=3)
    for x in (36, 64):
        canvas.ellipse((x - 8, 0, x + 8, 36), fill=rgba(grey), width=2.5)
        canvas.ellipse((x - 4, 6, x + 4, 30), fill=rgba((248, 187, 208)), outline=None)
    canvas.ellipse((28, 20, 72, 60), fill=rgba(grey), width=3)
    face(canvas, 50, 38, 0.9)
    canvas.ellipse((46, 46, 54, 52), fill=rgba((236, 64, 122)), width=1.5)
    return canvas.result()


def duck():
    canvas = Canvas(*ANIMAL_SIZE)
    yellow = COLOURS["Yellow"]
    canvas.ellipse((16, 40, 84, 78), fill=rgba(yellow), width=3)
    canvas.ellipse((30, 10, 70, 50), fill=rgba(yellow), width=3)
    canvas.polygon([(62, 30), (86, 34), (62, 40)], fill=rgba(COLOURS["Orange"]), width=2)
    canvas.ellipse((46, 22, 56, 32), fill=WHITE, width=1.5)
    canvas.ellipse((50, 25, 54, 30), fill=OUTLINE, outline=None)
    canvas.line([(30, 58), (50, 66)], fill=rgba(darker(yellow, 0.25)), width=3)
    return canvas.result()


# --- the cat --------------------------------------------------------------------

def cat_frame(legs, sitting=False, blink=False):
    """Mistle facing right; legs are the swing of the front and back legs in -1 .. 1."""
    canvas = Canvas(*CAT_SIZE)
    fur = rgba(FUR)
    if sitting:
        canvas.line([(30, 64), (10, 60), (6, 44)], fill=rgba(STRIPE), width=7)
        canvas.ellipse((18, 26, 66, 70), fill=fur, width=3)
        for x in (30, 52):
            canvas.ellipse((x - 7, 62, x + 7, 71), fill=fur, width=2.5)
        cx, cy = 58, 24
    else:
        canvas.line([(16, 34), (4, 22), (8, 8)], fill=rgba(STRIPE), width=7)
        for x, swing in ((26, -legs), (34, legs), (60, legs), (68, -legs)):
            canvas.line([(x, 44), (x + 8 * swing, 66)], fill=OUTLINE, width=8)
            canvas.line([(x, 44), (x + 8 * swing, 65)], fill=fur, width=5)
        canvas.ellipse((12, 24, 78, 54), fill=fur, width=3)
        for x in (32, 44, 56):
            canvas.line([(x, 26), (x - 3, 36)], fill=rgba(STRIPE), width=3)
        cx, cy = 74, 26
    for side in (-1, 1):
        canvas.polygon([(cx + side * 6, cy - 10), (cx + side * 14, cy - 22), (cx + side * 17, cy - 6)], fill=fur,
                       width=2.5)
    canvas.ellipse((cx - 18, cy - 16, cx + 18, cy + 16), fill=fur, width=3)
    if blink:
        for dx in (-7, 7):
            canvas.line([(cx + dx - 4, cy - 2), (cx + dx + 4, cy - 2)], fill=OUTLINE, width=2)
    else:
        for dx in (-7, 7):
            canvas.ellipse((cx + dx - 4, cy - 6, cx + dx + 4, cy + 2), fill=rgba(COLOURS["Green"]), width=1.5)
            canvas.ellipse((cx + dx - 1, cy - 5, cx + dx + 1, cy + 1), fill=OUTLINE, outline=None)
    canvas.polygon([(cx - 3, cy + 4), (cx + 3, cy + 4), (cx, cy + 8)], fill=rgba((236, 64, 122)), width=1)
    for dy in (4, 8):
        canvas.line([(cx + 6, cy + dy), (cx + 20, cy + dy - 2)], fill=OUTLINE, width=1)
        canvas.line([(cx - 6, cy + dy), (cx - 20, cy + dy - 2)], fill=OUTLINE, width=1)
    return canvas.result()


def cat_frames():
    """Frames 0-3 run, 4-5 sit (eyes open, blinking)."""
    return [cat_frame(s) for s in (1.0, 0.3, -1.0, -0.3)] + [cat_frame(0, True), cat_frame(0, True, True)]


def tail_frame(rise, lean):
    """The tip of the tail standing out of the ground line at the bottom: rise 0 .. 1, lean -1 .. 1."""
    canvas = Canvas(*TAIL_SIZE)
    if rise > 0:
        w, h = TAIL_SIZE
        base_y = h + (1.0 - rise) * h
        top = (w / 2 + lean * 10, base_y - h + 8)
        points = [(w / 2, base_y), (w / 2 + lean * 4, base_y - h / 2), top]
        canvas.line(points, fill=OUTLINE, width=11)
        canvas.line(points, fill=rgba(FUR), width=7)
        canvas.ellipse((top[0] - 5, top[1] - 5, top[0] + 5, top[1] + 5), fill=rgba(STRIPE), outline=None)
    return canvas.result()


def tail_frames():
    """0 upright, 1 leaning left, 2 leaning right, 3 two thirds up, 4 one third up, 5 gone."""
    return [tail_frame(1, 0), tail_frame(1, -1), tail_frame(1, 1), tail_frame(0.66, 0), tail_frame(0.33, 0),
            tail_frame(0, 0)]


# -------------------------------------------------------------------------------

def pictures():
    made = {"HideAndSeek_Background": background()}
    for index, draw in enumerate(OBSTACLES):
        picture = obstacle(draw)
        made["HideAndSeekObstacle_%d" % index] = picture
        made["HideAndSeekObstacle_Rollover_%d" % index] = highlight(picture)
    for index, image in enumerate((dog(), rabbit(), duck())):
        made["HideAndSeek_WrongAnimal_%d" % index] = image
    for index, image in enumerate(cat_frames()):
        made["HideAndSeek_Mistle_%d" % index] = image
    for index, image in enumerate(tail_frames()):
        made["HideAndSeek_MistleTail_%d" % index] = image
    return made


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--font", required=True, help="TrueType font (the pictures carry no lettering)")
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
