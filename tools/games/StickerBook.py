#!/usr/bin/env python3
"""Draws the pictures of the sticker book: three scenes to stick stickers on,
the strip behind the list of stickers, the eraser (as a button and as the
cursor) and the wordless buttons. The stickers themselves are drawn by Stickers.py.

    StickerBook.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp x.stamp

A button's state images are written as <name>_0.png .. <name>_3.png (normal,
hot, pressed, disabled).
"""

import math
import sys

from palette import run_picture_generator, COLOURS, CREAM, OUTLINE, Canvas, darker, lighter, rgba
import uiart
from FrontEndScreens import back_icon, help_icon
from OptionsCredits import arrow_icon

WHITE = rgba(COLOURS["White"])


def meadow():
    """A sunny park: sky, hills and flowers, room in the middle for stickers."""
    return uiart.title_background(None)


def night():
    """The building site at night: dark sky, moon and stars, lit ground."""
    w, h = 800, 600
    canvas = Canvas(w, h, background=rgba((34, 42, 84)))
    canvas.ellipse((620, 50, 710, 140), fill=rgba((250, 240, 190)), width=3)
    canvas.ellipse((648, 44, 730, 126), fill=rgba((34, 42, 84)), outline=None)
    for i in range(40):
        x, y = (i * 197) % 780 + 10, (i * 89) % 300 + 10
        canvas.polygon(uiart.star_points(x, y, 6, 2.5), fill=rgba(COLOURS["Yellow"]), outline=None)
    canvas.ellipse((-200, 380, 500, 800), fill=rgba(darker(COLOURS["Green"], 0.45)), width=3)
    canvas.ellipse((250, 400, 1000, 820), fill=rgba(darker(COLOURS["Green"], 0.35)), width=3)
    canvas.polygon([(0, 480), (800, 470), (800, 600), (0, 600)], fill=rgba((120, 92, 60)), width=3)
    return canvas.result()


def sandpit():
    """A sand-coloured site plan with a grid, like a builder's drawing board."""
    w, h = 800, 600
    canvas = Canvas(w, h, background=rgba((236, 214, 160)))
    for x in range(0, w, 40):
        canvas.line([(x, 0), (x, h)], fill=rgba(lighter((176, 140, 90), 0.3)), width=1.5)
    for y in range(0, h, 40):
        canvas.line([(0, y), (w, y)], fill=rgba(lighter((176, 140, 90), 0.3)), width=1.5)
    canvas.rounded((30, 30, w - 30, h - 30), 18, fill=None, outline=rgba(COLOURS["Blue"]), width=5)
    return canvas.result()


def list_strip():
    w, h = 580, 126
    canvas = Canvas(w, h)
    canvas.rounded((2, 2, w - 2, h - 2), 20, fill=rgba(COLOURS["Brown"]), width=3)
    canvas.rounded((10, 8, w - 10, h - 8), 14, fill=CREAM, width=2)
    return canvas.result()


def eraser(w, h, tilt):
    """A pink and blue block eraser, tilted."""
    canvas = Canvas(w, h)
    cx, cy = w / 2, h / 2
    a = math.radians(tilt)

    def turn(points):
        return [(cx + x * math.cos(a) - y * math.sin(a), cy + x * math.sin(a) + y * math.cos(a)) for x, y in points]

    s = min(w, h) / 2
    canvas.polygon(turn([(-s * 0.9, -s * 0.4), (0, -s * 0.4), (0, s * 0.4), (-s * 0.9, s * 0.4)]),
                   fill=rgba((240, 140, 170)), width=3)
    canvas.polygon(turn([(0, -s * 0.4), (s * 0.9, -s * 0.4), (s * 0.9, s * 0.4), (0, s * 0.4)]),
                   fill=rgba(COLOURS["Blue"]), width=3)
    return canvas.result()


def eraser_button(state):
    w = h = 72
    canvas = Canvas(w, h)
    fill = {0: COLOURS["White"], 1: lighter(COLOURS["Yellow"], 0.5), 2: COLOURS["Yellow"], 3: COLOURS["Gray"]}[state]
    canvas.ellipse((3, 3, w - 3, h - 3), fill=rgba(fill), width=3)
    canvas.image.alpha_composite(eraser(56, 56, -30).resize((Canvas.s(56), Canvas.s(56))),
                                 (Canvas.s(8), Canvas.s(8)))
    return canvas.result()


def door(canvas, centre, size, ink, outline):
    uiart.door_icon(canvas, centre, size, ink, outline)


def pictures(font):
    made = {}

    def states(name, images):
        for index, image in enumerate(images):
            made["%s_%d" % (name, index)] = image

    for index, scene in enumerate((meadow(), sandpit(), night())):
        made["StickerBG_%d" % index] = scene
    made["StickerList_BG"] = list_strip()
    made["StickerMode_Eraser"] = eraser_button(0)
    # The cursor: the eraser's tip, at (5, 9), is where it rubs.
    made["StickerMode_Eraser_Image"] = eraser(40, 40, 45)
    states("Button_StickerBook_Quit", uiart.button(64, 64, COLOURS["Red"], None, font, door, "round"))
    states("Button_StickerBook_Help", uiart.button(64, 64, COLOURS["Green"], None, font, help_icon(font), "round"))
    states("Button_StickerBook_BGLeft", uiart.button(64, 64, COLOURS["Orange"], None, font, arrow_icon(-1), "round"))
    states("Button_StickerBook_BGRight", uiart.button(64, 64, COLOURS["Orange"], None, font, arrow_icon(1), "round"))
    states("Button_StickerBook_ListLeft", uiart.button(64, 64, COLOURS["Blue"], None, font, arrow_icon(-1), "round"))
    states("Button_StickerBook_ListRight", uiart.button(64, 64, COLOURS["Blue"], None, font, arrow_icon(1), "round"))
    return made


def main(argv):
    return run_picture_generator(__doc__, pictures, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
