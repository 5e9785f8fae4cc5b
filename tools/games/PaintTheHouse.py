#!/usr/bin/env python3
"""Draws the fence-painting game: the garden with the house, the fence stripes
of each paint colour from bare wood to painted (the bare frame is the same
wood in every colour, so the fence never gives the answer away), the paint
buckets, the lift with Fenn on it, the highlights and the brush cursors, whose
bristle tip sits at (20, 15) in every colour.

    PaintTheHouse.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp games/PaintTheHouse.stamp
"""

import argparse
import math
import os
import sys

from palette import COLOURS, OUTLINE, SKY, Canvas, darker, lighter, rgba, save

PAINTS = ["Red", "Green", "Blue", "Yellow"]
WOOD = (222, 184, 135)
STRIPE = (66, 220)
PAINT_FRAMES = 5
LIFT = (150, 360)
HIGHLIGHT = (255, 241, 118)


def background():
    w, h = 800, 600
    canvas = Canvas(w, h, background=rgba(SKY))
    for y in range(0, 800, 4):
        canvas.draw.rectangle([0, y, w * 2, y + 4], fill=rgba(lighter(darker(SKY, 0.1), y / 1000.0)))
    for x, y, s in ((90, 70, 1.0), (560, 50, 0.8)):
        for dx, dy, r in ((0, 10, 26), (26, -4, 32), (58, 8, 26), (30, 16, 24)):
            canvas.ellipse((x + dx * s - r * s, y + dy * s - r * s, x + dx * s + r * s, y + dy * s + r * s),
                           fill=rgba(COLOURS["White"]), outline=None)
    # The house behind the fence.
    wall = (255, 224, 178)
    canvas.rounded((180, 150, 620, 420), 6, fill=rgba(wall), width=3)
    canvas.polygon([(150, 160), (400, 40), (650, 160)], fill=rgba(COLOURS["Red"]), width=3)
    canvas.rounded((360, 90, 440, 150), 6, fill=rgba(lighter(SKY, 0.4)), width=3)
    for x in (230, 520):
        canvas.rounded((x, 200, x + 60, 260), 4, fill=rgba(lighter(SKY, 0.4)), width=3)
        canvas.line([(x + 30, 200), (x + 30, 260)], fill=OUTLINE, width=3)
    canvas.rounded((370, 250, 430, 420), 6, fill=rgba(COLOURS["Brown"]), width=3)
    # Lawn and the path under the lift.
    canvas.polygon([(0, 380), (800, 380), (800, 600), (0, 600)], fill=rgba(COLOURS["Green"]), width=3)
    canvas.rounded((-10, 440, 810, 600), 10, fill=rgba(lighter(COLOURS["Green"], 0.2)), width=3)
    for x, y in ((40, 420), (250, 432), (600, 425), (760, 418)):
        canvas.ellipse((x - 10, y - 6, x + 10, y + 6), fill=rgba(COLOURS["Yellow"]), width=2)
    # The fence's rails, behind its stripes.
    canvas.rounded((30, 250, 770, 266), 4, fill=rgba(darker(WOOD, 0.2)), width=3)
    canvas.rounded((30, 370, 770, 386), 4, fill=rgba(darker(WOOD, 0.2)), width=3)
    return canvas.result()


def stripe(paint, amount):
    """A pointed fence board, its paint covering `amount` (0 to 1) from the top."""
    w, h = STRIPE
    canvas = Canvas(w, h)
    board = [(4, 30), (w / 2, 3), (w - 4, 30), (w - 4, h - 3), (4, h - 3)]
    canvas.polygon(board, fill=rgba(WOOD), width=3)
    for y in (70, 130, 180):
        canvas.line([(14, y), (w / 2 - 4, y + 6)], fill=rgba(darker(WOOD, 0.15)), width=2)
    if amount > 0:
        colour = COLOURS[paint]
        bottom = 3 + (h - 6) * amount
        painted = [(x, min(y, bottom)) for x, y in board]
        canvas.polygon(painted, fill=rgba(colour), outline=None)
        if amount < 1:
            for i in range(5):
                x = 10 + i * (w - 20) / 4
                canvas.ellipse((x - 7, bottom - 7, x + 7, bottom + 7 + (i % 2) * 8), fill=rgba(colour), outline=None)
        canvas.line([(10, 36), (10, bottom - 8)], fill=rgba(lighter(colour, 0.35)), width=5)
        canvas.polygon(board, fill=None, width=3)
    return canvas.result()


def stripe_rollover():
    w, h = STRIPE
    canvas = Canvas(w, h)
    canvas.polygon([(3, 29), (w / 2, 1), (w - 3, 29), (w - 3, h - 1), (3, h - 1)], fill=None,
                   outline=rgba(HIGHLIGHT), width=5)
    return canvas.result()


def bucket(paint):
    w, h = 96, 100
    canvas = Canvas(w, h)
    colour = COLOURS[paint]
    canvas.line([(20, 40), (48, 6), (76, 40)], fill=OUTLINE, width=5)
    canvas.polygon([(12, 34), (84, 34), (76, 96), (20, 96)], fill=rgba((176, 190, 197)), width=3)
    canvas.ellipse((12, 24, 84, 44), fill=rgba(colour), width=3)
    canvas.polygon([(14, 36), (82, 36), (80, 52), (60, 48), (52, 64), (40, 50), (16, 54)], fill=rgba(colour),
                   outline=None)
    canvas.ellipse((26, 62, 70, 88), fill=rgba(colour), width=3)
    return canvas.result()


def bucket_rollover():
    canvas = Canvas(96, 100)
    canvas.rounded((2, 2, 94, 98), 16, fill=None, outline=rgba(HIGHLIGHT), width=5)
    return canvas.result()


def lift(arm, frame):
    """The lift seen from the side: wheels, body, a scissor arm raised to
    `arm` (0 to 1) and Fenn in the basket with his roller."""
    w, h = LIFT
    canvas = Canvas(w, h)
    ground = h - 8
    # Scissor arm.
    top = ground - 70 - arm * 180
    base_y = ground - 60
    steps = 3
    for i in range(steps):
        y0 = base_y - (base_y - top) * i / steps
        y1 = base_y - (base_y - top) * (i + 1) / steps
        canvas.line([(40, y0), (110, y1)], fill=rgba(COLOURS["Gray"]), width=7)
        canvas.line([(110, y0), (40, y1)], fill=rgba(COLOURS["Gray"]), width=7)
    # Fenn in the basket.
    skin = (255, 213, 170)
    canvas.rounded((54, top - 62, 96, top - 14), 14, fill=rgba(COLOURS["Orange"]), width=3)
    canvas.ellipse((58, top - 96, 92, top - 60), fill=rgba(skin), width=3)
    canvas.polygon([(54, top - 80), (60, top - 100), (90, top - 100), (96, top - 80)],
                   fill=rgba(COLOURS["Yellow"]), width=3)
    canvas.ellipse((66, top - 84, 71, top - 78), fill=OUTLINE, outline=None)
    # Roller on a pole, up or down while painting.
    reach = -14 if frame == 1 else 0
    canvas.line([(94, top - 36), (132, top - 70 + reach)], fill=OUTLINE, width=4)
    canvas.rounded((122, top - 92 + reach, 144, top - 62 + reach), 6, fill=rgba(COLOURS["White"]), width=3)
    canvas.rounded((30, top - 20, 120, top), 4, fill=rgba(COLOURS["Yellow"]), width=3)
    canvas.line([(30, top - 34), (120, top - 34)], fill=OUTLINE, width=3)
    for x in (34, 75, 116):
        canvas.line([(x, top - 34), (x, top)], fill=OUTLINE, width=3)
    # Body and wheels.
    canvas.rounded((12, ground - 64, 138, ground - 24), 10, fill=rgba(COLOURS["Yellow"]), width=3)
    canvas.rounded((20, ground - 58, 60, ground - 36), 4, fill=rgba(lighter(SKY, 0.3)), width=2)
    for wx in (38, 112):
        canvas.ellipse((wx - 20, ground - 40, wx + 20, ground), fill=rgba(COLOURS["Black"]), width=3)
        angle = (0.8 if frame == 2 else 0.0)
        for k in range(2):
            a = angle + k * math.pi / 2
            canvas.line([(wx - 10 * math.cos(a), ground - 20 - 10 * math.sin(a)),
                         (wx + 10 * math.cos(a), ground - 20 + 10 * math.sin(a))], fill=rgba(COLOURS["Gray"]), width=3)
    return canvas.result()


def brush_cursor(paint):
    """A brush pointing up-left; its bristle tip at (20, 15)."""
    canvas = Canvas(48, 48)
    bristles = COLOURS[paint] if paint else (240, 230, 210)
    canvas.line([(30, 27), (44, 42)], fill=rgba(COLOURS["Brown"]), width=7)
    canvas.polygon([(24, 16), (34, 26), (28, 32), (18, 22)], fill=rgba(COLOURS["Gray"]), width=2.5)
    canvas.polygon([(14, 10), (24, 16), (18, 22), (12, 14)], fill=rgba(bristles), width=2.5)
    canvas.ellipse((17, 12, 23, 18), fill=rgba(bristles), width=2)
    return canvas.result()


def pictures():
    made = {"PaintIt_Background": background(), "PaintIt_StripeRollover": stripe_rollover(),
            "PaintIt_BucketRollover": bucket_rollover(), "cursor_brush_clean": brush_cursor(None)}
    for index, paint in enumerate(PAINTS):
        for frame in range(PAINT_FRAMES):
            made["PaintIt_Stripe_%s_%d" % (paint, frame)] = stripe(paint, frame / float(PAINT_FRAMES - 1))
        made["PaintIt_PaintBucket_%d" % index] = bucket(paint)
        made["cursor_brush_%s" % paint.lower()] = brush_cursor(paint)
    # Arm low, half, high; high with the roller up; low with the wheels turned.
    for frame, (arm, pose) in enumerate(((0.0, 0), (0.5, 0), (1.0, 0), (1.0, 1), (0.0, 2))):
        made["PaintIt_Lift_%d" % frame] = lift(arm, pose)
    return made


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--font", required=True, help="TrueType font (not used: the game has no lettering)")
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
