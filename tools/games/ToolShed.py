#!/usr/bin/env python3
"""Draws the pictures of the ToolShed mini-game: the shed and its yard, the
eight tools in four colours with their roll-over glows, the name plates of the
tool boxes (a tool picture on a plate, no words), the three tool boxes with
their shake frames, the scarecrow that throws the tools and Fenn in two moods.

    ToolShed.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp s

Image lists are written as <name>_0.png, <name>_1.png ...; the stamp last.
"""

import math
import sys

from PIL import Image, ImageChops, ImageFilter

from palette import run_picture_generator, COLOURS, CREAM, OUTLINE, SKY, Canvas, darker, lighter, rgba

# The game's tool types and colours, in the order of the level files.
TOOL_TYPES = ["Brush", "Drill", "Hammer", "Wrench", "Saw", "Screwdriver", "Level", "Pliers"]
TOOL_COLOURS = ["Red", "Blue", "Green", "Yellow"]

TOOL_SIZE = 64
PLATE_SIZE = (58, 40)
BOX_SIZE = (124, 116)
METAL = (176, 190, 197)
WOOD = (188, 125, 70)


# --- tools ----------------------------------------------------------------------

def draw_tool(canvas, tool, colour, s=1.0, ox=0.0, oy=0.0):
    """One tool inside a 64 x 64 square (scaled by s, moved by ox, oy): the
    coloured part in the colour, the metal grey."""
    body = rgba(colour)
    metal = rgba(METAL)

    def P(x, y):
        return (ox + x * s, oy + y * s)

    def B(x0, y0, x1, y1):
        return (ox + x0 * s, oy + y0 * s, ox + x1 * s, oy + y1 * s)

    w = max(1.5, 3 * s)
    if tool == "Brush":
        canvas.rounded(B(27, 30, 37, 60), 4 * s, fill=body, width=w)
        canvas.rounded(B(24, 22, 40, 32), 2 * s, fill=metal, width=w)
        canvas.polygon([P(20, 4), P(44, 4), P(42, 24), P(22, 24)], fill=rgba((250, 225, 160)), width=w)
    elif tool == "Drill":
        canvas.rounded(B(30, 30, 44, 58), 4 * s, fill=body, width=w)
        canvas.rounded(B(10, 14, 50, 34), 8 * s, fill=body, width=w)
        canvas.rounded(B(4, 19, 12, 29), 2 * s, fill=metal, width=w)
        canvas.line([P(2, 24), P(-2, 24)], fill=OUTLINE, width=w)
        canvas.rounded(B(32, 42, 42, 46), 1 * s, fill=rgba(darker(colour, 0.3)), outline=None)
    elif tool == "Hammer":
        canvas.rounded(B(28, 20, 37, 62), 4 * s, fill=body, width=w)
        canvas.polygon([P(10, 8), P(50, 8), P(56, 14), P(50, 22), P(10, 22)], fill=metal, width=w)
        canvas.polygon([P(10, 8), P(4, 4), P(6, 15), P(10, 22)], fill=metal, width=w)
    elif tool == "Wrench":
        canvas.polygon([P(24, 54), P(44, 20), P(52, 25), P(32, 59)], fill=body, width=w)
        canvas.ellipse(B(38, 2, 62, 26), fill=metal, width=w)
        canvas.polygon([P(46, 2), P(54, 2), P(52, 14), P(48, 14)], fill=rgba((0, 0, 0, 0)), outline=None)
        canvas.rounded(B(46, 0, 54, 13), 1, fill=rgba(SKY, 0), outline=OUTLINE, width=w * 0.6)
        canvas.ellipse(B(18, 48, 36, 64), fill=body, width=w)
    elif tool == "Saw":
        teeth = [P(10 + i * 5, 50 if i % 2 == 0 else 55) for i in range(9)]
        canvas.polygon([P(10, 22), P(54, 30), P(54, 50)] + list(reversed(teeth)) + [P(10, 50)], fill=metal, width=w)
        canvas.rounded(B(40, 20, 62, 46), 6 * s, fill=body, width=w)
        canvas.rounded(B(46, 27, 56, 39), 3 * s, fill=rgba((255, 255, 255, 0)), outline=OUTLINE, width=w * 0.8)
    elif tool == "Screwdriver":
        canvas.line([P(32, 4), P(32, 36)], fill=OUTLINE, width=w * 2.4)
        canvas.line([P(32, 4), P(32, 36)], fill=metal, width=w * 1.2)
        canvas.rounded(B(24, 34, 40, 62), 6 * s, fill=body, width=w)
        for x in (29, 35):
            canvas.line([P(x, 39), P(x, 57)], fill=rgba(darker(colour, 0.3)), width=w * 0.6)
    elif tool == "Level":
        canvas.rounded(B(2, 22, 62, 42), 4 * s, fill=body, width=w)
        canvas.rounded(B(24, 26, 40, 38), 4 * s, fill=rgba((200, 240, 160)), width=w * 0.7)
        canvas.ellipse(B(29, 28, 35, 34), fill=rgba((255, 255, 255)), outline=None)
        for x in (8, 56):
            canvas.line([P(x, 27), P(x, 37)], fill=rgba(darker(colour, 0.35)), width=w * 0.6)
    elif tool == "Pliers":
        canvas.polygon([P(28, 30), P(34, 30), P(22, 62), P(14, 60)], fill=body, width=w)
        canvas.polygon([P(30, 30), P(36, 30), P(50, 60), P(42, 62)], fill=body, width=w)
        canvas.polygon([P(26, 4), P(32, 4), P(34, 32), P(28, 32)], fill=metal, width=w)
        canvas.polygon([P(32, 4), P(38, 4), P(36, 32), P(30, 32)], fill=metal, width=w)
        canvas.ellipse(B(27, 25, 37, 35), fill=metal, width=w)


def tool_picture(tool, colour_name):
    canvas = Canvas(TOOL_SIZE, TOOL_SIZE)
    draw_tool(canvas, tool, COLOURS[colour_name])
    return canvas.result()


def rollover_picture(tool):
    """A soft yellow glow around the tool's outline, drawn over the tool."""
    shape = tool_picture(tool, "Red").split()[3]
    grown = shape.filter(ImageFilter.MaxFilter(7)).filter(ImageFilter.GaussianBlur(1.2))
    ring = ImageChops.subtract(grown, shape.filter(ImageFilter.MinFilter(3)))
    glow = Image.new("RGBA", shape.size, (255, 241, 118, 0))
    glow.putalpha(ring.point(lambda a: min(255, int(a * 0.95))))
    return glow


def plate_picture(tool, colour_name):
    """The name plate of a box: the tool in its colour on a cream plate."""
    w, h = PLATE_SIZE
    canvas = Canvas(w, h)
    canvas.rounded((2, 2, w - 2, h - 2), 6, fill=CREAM, width=2.5)
    for x in (7, w - 7):
        canvas.ellipse((x - 2, h / 2 - 2, x + 2, h / 2 + 2), fill=rgba(METAL), width=1)
    draw_tool(canvas, tool, COLOURS[colour_name], s=0.5, ox=w / 2 - 16, oy=h / 2 - 16)
    return canvas.result()


# --- tool boxes -------------------------------------------------------------------

BOX_COLOURS = {"Left": (121, 85, 72), "Middle": (84, 110, 122), "Right": (109, 76, 65)}


def box_frame(colour, lid_open, tilt):
    w, h = BOX_SIZE
    canvas = Canvas(w, h)
    body = rgba(colour)
    rim = rgba(darker(colour, 0.25))
    top = 12
    canvas.rounded((8, top + 34, w - 8, h - 6), 8, fill=body, width=3)
    canvas.rounded((8, top + 34, w - 8, top + 46), 4, fill=rim, width=3)
    # The handle, and the lid lifted a little while the box shakes.
    lift = 10 if lid_open else 0
    canvas.rounded((w / 2 - 22, top + 8 - lift, w / 2 + 22, top + 20 - lift), 6, fill=None, width=4)
    canvas.rounded((4, top + 22 - lift, w - 4, top + 36 - lift), 5, fill=rgba(lighter(colour, 0.15)), width=3)
    for x in (20, w - 20):
        canvas.rounded((x - 5, top + 60, x + 5, top + 72), 2, fill=rgba(METAL), width=2)
    image = canvas.result()
    if tilt:
        image = image.rotate(tilt, resample=Image.BICUBIC, center=(w / 2, h - 6))
    return image


def box_frames(kind):
    colour = BOX_COLOURS[kind]
    return [box_frame(colour, False, 0), box_frame(colour, True, -5), box_frame(colour, True, 5),
            box_frame(colour, True, -3), box_frame(colour, False, 0)]


# --- the scarecrow ------------------------------------------------------------------

STRAW = (240, 200, 90)
SHIRT = (198, 40, 40)
HAT = (93, 64, 55)


def scarecrow(canvas, ox, oy, left_arm, right_arm, crouch=0):
    """A scarecrow 120 wide, its arms reaching 20 further on each side, 170 tall, at (ox, oy); arms as angles in degrees
    from horizontal (positive up)."""
    cy = oy + crouch
    canvas.rounded((ox + 56, cy + 90, ox + 64, oy + 168), 3, fill=rgba(WOOD), width=3)
    for side, angle in ((-1, left_arm), (1, right_arm)):
        a = math.radians(angle)
        sx, sy = ox + 60 + side * 18, cy + 78
        ex, ey = sx + side * 40 * math.cos(a), sy - 40 * math.sin(a)
        canvas.line([(sx, sy), (ex, ey)], fill=OUTLINE, width=13)
        canvas.line([(sx, sy), (ex, ey)], fill=rgba(SHIRT), width=8)
        canvas.polygon([(ex, ey - 5), (ex + side * 10, ey - 7), (ex + side * 8, ey + 6), (ex, ey + 5)],
                       fill=rgba(STRAW), width=2)
    canvas.rounded((ox + 38, cy + 62, ox + 82, cy + 118), 10, fill=rgba(SHIRT), width=3)
    for x in (52, 68):
        canvas.rounded((ox + x - 4, cy + 74, ox + x + 4, cy + 100), 2, fill=rgba((66, 165, 245)), outline=None)
    canvas.ellipse((ox + 38, cy + 22, ox + 82, cy + 66), fill=rgba(STRAW), width=3)
    for x in (52, 68):
        canvas.ellipse((ox + x - 3, cy + 38, ox + x + 3, cy + 44), fill=OUTLINE, outline=None)
    canvas.line([(ox + 50, cy + 52), (ox + 60, cy + 56), (ox + 70, cy + 52)], fill=OUTLINE, width=2.5)
    canvas.rounded((ox + 30, cy + 20, ox + 90, cy + 28), 3, fill=rgba(HAT), width=3)
    canvas.rounded((ox + 42, cy + 0, ox + 78, cy + 24), 6, fill=rgba(HAT), width=3)


def scarecrow_frames():
    frames = []
    for left, right, crouch in ((-20, -20, 0), (10, 10, 12), (-20, 70, 0), (-20, 20, 0)):
        canvas = Canvas(160, 180)
        scarecrow(canvas, 20, 6, left, right, crouch)
        frames.append(canvas.result())
    return frames


def scarecrow_peek():
    canvas = Canvas(160, 180)
    scarecrow(canvas, 20, 6, 35, 35)
    return canvas.result()


# --- Fenn ----------------------------------------------------------------------------

SKIN = (255, 213, 170)


def fenn(happy):
    canvas = Canvas(110, 150)
    canvas.rounded((28, 84, 82, 146), 14, fill=rgba((255, 167, 38)), width=3)
    canvas.rounded((40, 84, 70, 110), 6, fill=rgba((255, 238, 88)), outline=None)
    canvas.ellipse((24, 24, 86, 88), fill=rgba(SKIN), width=3)
    canvas.ellipse((20, 10, 90, 50), fill=rgba(COLOURS["Yellow"]), width=3)
    canvas.rounded((14, 38, 96, 48), 4, fill=rgba(COLOURS["Yellow"]), width=3)
    for x in (44, 66):
        canvas.ellipse((x - 4, 56, x + 4, 64), fill=OUTLINE, outline=None)
    if happy:
        canvas.draw.arc(canvas.box((40, 62, 70, 80)), 10, 170, fill=OUTLINE, width=canvas.s(3))
        for side in (-1, 1):
            x = 55 + side * 38
            canvas.line([(55 + side * 26, 96), (x, 70)], fill=OUTLINE, width=12)
            canvas.line([(55 + side * 26, 96), (x, 70)], fill=rgba((255, 167, 38)), width=7)
    else:
        # Wondering: a small straight mouth and one raised brow.
        canvas.line([(48, 76), (62, 75)], fill=OUTLINE, width=3)
        canvas.line([(60, 48), (70, 46)], fill=OUTLINE, width=2.5)
    return canvas.result()


# --- the yard ---------------------------------------------------------------------------

def background():
    canvas = Canvas(800, 600, background=rgba(SKY))
    # The shed's wall with its planks, a shelf for the boxes and the yard.
    canvas.rounded((-10, 60, 810, 392), 0, fill=rgba((176, 80, 60)), outline=None)
    for x in range(0, 800, 40):
        canvas.line([(x, 60), (x, 392)], fill=rgba(darker((176, 80, 60), 0.18)), width=2)
    canvas.polygon([(-10, 60), (400, -30), (810, 60)], fill=rgba((121, 85, 72)), width=3)
    canvas.rounded((300, 90, 500, 190), 6, fill=rgba((227, 242, 253)), width=4)
    canvas.line([(400, 90), (400, 190)], fill=OUTLINE, width=3)
    canvas.line([(300, 140), (500, 140)], fill=OUTLINE, width=3)
    canvas.rounded((0, 352, 800, 366), 0, fill=rgba(WOOD), width=3)
    canvas.rounded((-10, 392, 810, 610), 0, fill=rgba((139, 195, 74)), outline=None)
    canvas.line([(0, 392), (800, 392)], fill=OUTLINE, width=3)
    for i in range(60):
        x = (i * 137) % 800
        y = 410 + (i * 53) % 180
        canvas.line([(x, y), (x + 4, y - 8)], fill=rgba(darker((139, 195, 74), 0.25)), width=2)
    return canvas.result()


def pictures(font):
    made = {}

    def frames(name, images):
        for index, image in enumerate(images):
            made["%s_%d" % (name, index)] = image

    made["ToolShed_Background"] = background()
    for tool in TOOL_TYPES:
        frames("ToolShedTool_" + tool, [tool_picture(tool, c) for c in TOOL_COLOURS])
        frames("ToolShedTool_%s_Label" % tool, [plate_picture(tool, c) for c in TOOL_COLOURS])
    frames("ToolShedTool_rollover", [rollover_picture(tool) for tool in TOOL_TYPES])
    for kind in ("Left", "Middle", "Right"):
        frames("ToolBox_" + kind, box_frames(kind))
    frames("ToolShed_Scarrow", scarecrow_frames())
    made["ToolShed_ScarrowPeek"] = scarecrow_peek()
    made["ToolShed_Fenn"] = fenn(False)
    made["ToolShed_Fenn_happy"] = fenn(True)
    return made


def main(argv):
    return run_picture_generator(__doc__, pictures, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
