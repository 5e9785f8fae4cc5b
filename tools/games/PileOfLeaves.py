#!/usr/bin/env python3
"""Draws the leaf-blowing game: the garden, the autumn leaves, the eight tools
in the four colours with their glow (frames 0 to 3: red, green, blue, yellow;
frame 4: the highlight drawn over the tool), the dog that cheers or droops,
and the frame around the picture of the wanted tool.

    PileOfLeaves.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp games/PileOfLeaves.stamp
"""

import argparse
import math
import os
import sys

from palette import COLOURS, CREAM, OUTLINE, SKY, Canvas, darker, lighter, rgba, save

TOOLS = ["Hammer", "Saw", "Drill", "Brush", "Wrench", "Screwdriver", "Level", "Pliers"]
PAINTS = ["Red", "Green", "Blue", "Yellow"]
TOOL = (72, 48)
STEEL = (176, 190, 197)
GLOW = (255, 241, 118)
LEAF = (84, 60)
LEAF_COLOURS = [(230, 110, 30), (200, 60, 40), (240, 180, 40), (150, 100, 50)]
DOG = (140, 130)


def background():
    w, h = 800, 600
    canvas = Canvas(w, h, background=rgba(SKY))
    for y in range(0, 460, 4):
        canvas.draw.rectangle([0, y, w * 2, y + 4], fill=rgba(lighter(darker(SKY, 0.1), y / 600.0)))
    # A tree whose leaves are falling, and the garden fence.
    canvas.rounded((60, 80, 96, 240), 8, fill=rgba(COLOURS["Brown"]), width=3)
    for x, y, r in ((40, 70, 50), (110, 60, 56), (80, 20, 46)):
        canvas.ellipse((x - r, y - r, x + r, y + r), fill=rgba(LEAF_COLOURS[0]), width=3)
    for x in range(180, 800, 60):
        canvas.rounded((x, 150, x + 40, 232), 6, fill=rgba(CREAM[:3]), width=3)
    canvas.rounded((170, 176, 800, 188), 3, fill=rgba(CREAM[:3]), width=3)
    # The bare earth of the play area, where the leaves have fallen.
    canvas.polygon([(0, 226), (800, 226), (800, 600), (0, 600)], fill=rgba(lighter((196, 150, 96), 0.35)), width=3)
    for x, y in ((30, 260), (200, 300), (420, 250), (610, 290), (760, 560), (120, 560), (500, 580)):
        canvas.line([(x, y), (x + 4, y - 10), (x + 8, y)], fill=rgba(darker((196, 150, 96), 0.2)), width=2)
    return canvas.result()


def leaf(index):
    w, h = LEAF
    canvas = Canvas(w, h)
    colour = LEAF_COLOURS[index % len(LEAF_COLOURS)]
    points = []
    for k in range(24):
        a = 2 * math.pi * k / 24
        r = 1.0 + (0.18 if k % 3 == 0 else 0.0)
        points.append((w / 2 + (w / 2 - 5) * r * math.cos(a) * 0.9, h / 2 + (h / 2 - 5) * r * math.sin(a) * 0.85))
    canvas.polygon(points, fill=rgba(colour), width=2.5)
    canvas.line([(6, h / 2), (w - 6, h / 2)], fill=rgba(darker(colour, 0.3)), width=2)
    for t in (0.3, 0.5, 0.7):
        x = w * t
        canvas.line([(x, h / 2), (x + 6, h / 2 - 9)], fill=rgba(darker(colour, 0.3)), width=1.5)
        canvas.line([(x, h / 2), (x + 6, h / 2 + 9)], fill=rgba(darker(colour, 0.3)), width=1.5)
    return canvas.result()


def tool_shape(canvas, name, colour, glow=False):
    """Draws the tool over the 72 x 48 picture; with glow, a thick yellow
    outline of the same shapes and nothing else."""
    paint = rgba(colour) if not glow else None
    steel = rgba(STEEL) if not glow else None
    kw = {"outline": rgba(GLOW), "width": 6} if glow else {}

    def rounded(box, r, fill):
        canvas.rounded(box, r, fill=fill, **kw)

    def polygon(points, fill):
        canvas.polygon(points, fill=fill, **kw)

    def ellipse(box, fill):
        canvas.ellipse(box, fill=fill, **kw)

    if name == "Hammer":
        rounded((6, 17, 50, 31), 5, paint)
        rounded((46, 8, 64, 42), 3, steel)
    elif name == "Saw":
        polygon([(26, 14), (68, 18), (68, 34), (26, 36)], steel)
        if not glow:
            for x in range(30, 68, 6):
                canvas.polygon([(x, 36), (x + 3, 42), (x + 6, 35)], fill=steel, width=1.5)
        rounded((4, 10, 30, 40), 8, paint)
    elif name == "Drill":
        rounded((10, 8, 54, 26), 6, paint)
        rounded((20, 22, 36, 44), 4, paint)
        polygon([(54, 13), (68, 16), (68, 19), (54, 22)], steel)
    elif name == "Brush":
        rounded((4, 16, 40, 32), 6, paint)
        rounded((38, 14, 48, 34), 2, steel)
        polygon([(48, 12), (68, 8), (68, 40), (48, 36)], rgba((240, 230, 210)) if not glow else None)
    elif name == "Wrench":
        rounded((14, 17, 56, 31), 6, paint)
        ellipse((4, 12, 26, 36), steel)
        ellipse((50, 12, 70, 36), steel)
    elif name == "Screwdriver":
        rounded((4, 16, 36, 32), 7, paint)
        rounded((34, 21, 62, 27), 2, steel)
        polygon([(62, 20), (68, 22), (68, 26), (62, 28)], steel)
    elif name == "Level":
        rounded((4, 14, 68, 34), 4, paint)
        if not glow:
            canvas.rounded((28, 18, 44, 30), 6, fill=rgba(lighter(COLOURS["Green"], 0.5)), width=2)
            canvas.ellipse((33, 20, 39, 28), fill=rgba(COLOURS["White"]), width=1)
    elif name == "Pliers":
        polygon([(6, 12), (38, 22), (38, 28), (6, 24)], paint)
        polygon([(6, 36), (38, 26), (38, 32), (6, 42)], paint)
        polygon([(38, 20), (68, 22), (68, 26), (38, 28)], steel)
        ellipse((34, 20, 44, 30), steel)


def tool(name, colour_index):
    canvas = Canvas(*TOOL)
    if colour_index < 4:
        tool_shape(canvas, name, COLOURS[PAINTS[colour_index]])
    else:
        tool_shape(canvas, name, COLOURS["Yellow"], glow=True)
    return canvas.result()


def dog(frame):
    """0 sitting, 1 and 2 wagging with a smile, 3 drooping ears and a frown."""
    w, h = DOG
    canvas = Canvas(w, h)
    fur = (205, 160, 110)
    tail = {0: -0.6, 1: -1.2, 2: -0.2, 3: 0.6}[frame]
    canvas.line([(98, 90), (98 + 30 * math.cos(tail), 90 + 30 * math.sin(tail))], fill=OUTLINE, width=12)
    canvas.line([(98, 90), (98 + 30 * math.cos(tail), 90 + 30 * math.sin(tail))], fill=rgba(fur), width=7)
    canvas.ellipse((40, 60, 110, 124), fill=rgba(fur), width=3)
    canvas.rounded((44, 100, 62, 126), 6, fill=rgba(fur), width=3)
    canvas.rounded((80, 100, 98, 126), 6, fill=rgba(fur), width=3)
    canvas.ellipse((20, 14, 86, 74), fill=rgba(fur), width=3)
    ear = 0 if frame != 3 else 18
    canvas.ellipse((12, 18 + ear, 34, 58 + ear), fill=rgba(darker(fur, 0.3)), width=3)
    canvas.ellipse((72, 18 + ear, 94, 58 + ear), fill=rgba(darker(fur, 0.3)), width=3)
    for x in (42, 64):
        canvas.ellipse((x - 4, 36, x + 4, 46), fill=OUTLINE, outline=None)
    canvas.ellipse((46, 48, 60, 58), fill=OUTLINE, outline=None)
    if frame == 3:
        canvas.line([(44, 68), (53, 63), (62, 68)], fill=OUTLINE, width=3)
    else:
        canvas.line([(44, 62), (53, 68), (62, 62)], fill=OUTLINE, width=3)
        if frame:
            canvas.ellipse((49, 64, 57, 74), fill=rgba(COLOURS["Red"]), width=2)
    return canvas.result()


def highlight_box():
    canvas = Canvas(132, 96)
    canvas.rounded((3, 3, 129, 93), 18, fill=rgba(CREAM[:3], 230), width=4)
    canvas.rounded((9, 9, 123, 87), 14, fill=None, outline=rgba(GLOW), width=5)
    return canvas.result()


def pictures():
    made = {"PileOfLeaves_Background": background(), "PileOfLeaves_HighlightBox": highlight_box()}
    for index in range(len(LEAF_COLOURS)):
        made["Leaves_%d" % index] = leaf(index)
    for name in TOOLS:
        for frame in range(5):
            made["GeneralTool_%s_%d" % (name, frame)] = tool(name, frame)
    for frame in range(4):
        made["PileOfLeaves_Dog_%d" % frame] = dog(frame)
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
