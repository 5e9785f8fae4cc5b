#!/usr/bin/env python3
"""Draws the pictures of the stacking game: the building site with its two
rows of ground places, the red and blue logs and girders in five growing sizes
with their rollover outlines, the two platforms, and Toller the crane (idle,
sad and happy), who also watches the delivery game.

    TollerStacker.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp done.stamp
"""

import argparse
import math
import os
import sys

from PIL import Image

from palette import COLOURS, OUTLINE, SKY, Canvas, darker, lighter, rgba, save

WHITE = rgba(COLOURS["White"])
GROUND = (196, 150, 96)
HIGHLIGHT = (255, 241, 118, 255)

# Every object frame has one size; the object stands centred on its bottom edge.
OBJECT = (160, 32)
NUM_SIZES = 5
PLATFORM = (240, 44)
CRANE = (170, 300)

# The ground places' bottom centres, as the layout has them.
GROUND_ROWS = (512, 590)
GROUND_COLUMNS = (85, 242, 400, 558, 715)


def object_width(size):
    return 50 + 25 * (size - 1)


# --- logs and girders -----------------------------------------------------------

def log(colour, size, canvas=None, outline_only=False):
    c = canvas or Canvas(*OBJECT)
    w = object_width(size)
    left, right, top, bottom = (OBJECT[0] - w) / 2, (OBJECT[0] + w) / 2, 3, OBJECT[1] - 2
    if outline_only:
        c.rounded((left - 1, top - 2, right + 1, bottom + 1), 14, fill=None, outline=rgba(HIGHLIGHT), width=4)
        return c
    body = COLOURS[colour]
    c.rounded((left, top, right - 8, bottom), 13, fill=rgba(body), width=2.5)
    for x in range(int(left + 16), int(right - 20), 22):
        c.line([(x, top + 8), (x + 12, top + 8)], fill=rgba(darker(body, 0.3)), width=2)
    c.ellipse((right - 20, top, right, bottom), fill=rgba(lighter(body, 0.45)), width=2.5)
    cx, cy = right - 10, (top + bottom) / 2
    c.ellipse((cx - 4, cy - 7, cx + 4, cy + 7), fill=None, outline=rgba(darker(body, 0.25)), width=1.5)
    return c


def girder(colour, size, canvas=None, outline_only=False):
    c = canvas or Canvas(*OBJECT)
    w = object_width(size)
    left, right, top, bottom = (OBJECT[0] - w) / 2, (OBJECT[0] + w) / 2, 3, OBJECT[1] - 2
    if outline_only:
        c.rounded((left - 2, top - 2, right + 2, bottom + 2), 4, fill=None, outline=rgba(HIGHLIGHT), width=4)
        return c
    body = COLOURS[colour]
    c.rounded((left, top, right, bottom), 3, fill=rgba(body), width=2.5)
    # The web between the flanges, with its holes.
    c.rounded((left + 4, top + 7, right - 4, bottom - 7), 2, fill=rgba(darker(body, 0.25)), outline=None)
    for x in range(int(left + 14), int(right - 8), 20):
        c.ellipse((x - 3, (top + bottom) / 2 - 3, x + 3, (top + bottom) / 2 + 3), fill=rgba(lighter(body, 0.5)),
                  width=1.5)
    c.line([(left + 3, top + 4), (right - 3, top + 4)], fill=rgba(lighter(body, 0.35)), width=2)
    return c


# --- platforms and background --------------------------------------------------------

def platform(colour):
    c = Canvas(*PLATFORM)
    body = COLOURS[colour]
    w, h = PLATFORM
    for x in (22, w - 40):
        c.rounded((x, 14, x + 18, h - 2), 3, fill=rgba(COLOURS["Gray"]), width=2.5)
    c.rounded((4, 2, w - 4, 20), 5, fill=rgba(body), width=3)
    c.line([(14, 8), (w - 14, 8)], fill=rgba(lighter(body, 0.4)), width=3)
    return c.result()


def background():
    w, h = 800, 600
    c = Canvas(w, h, background=rgba(SKY))
    for y in range(0, h * 2, 4):
        shade = lighter(darker(SKY, 0.12), min(1.0, y / (h * 2.2)))
        c.draw.rectangle([0, y, w * 2, y + 4], fill=rgba(shade))
    for x, y, s in ((80, 70, 0.9), (560, 60, 0.7), (690, 150, 0.6)):
        for dx, dy, r in ((0, 10, 26), (26, -4, 32), (58, 8, 26), (30, 16, 24)):
            c.ellipse((x + dx * s - r * s, y + dy * s - r * s, x + dx * s + r * s, y + dy * s + r * s),
                      fill=WHITE, outline=None)
    c.ellipse((-240, 300, 440, 700), fill=rgba(lighter(COLOURS["Green"], 0.25)), width=3)
    c.ellipse((360, 310, 1060, 760), fill=rgba(COLOURS["Green"]), width=3)
    c.polygon([(0, 430), (800, 420), (800, 600), (0, 600)], fill=rgba(GROUND), width=3)
    # A pallet under each ground place, so that the child sees where objects belong.
    for y in GROUND_ROWS:
        for x in GROUND_COLUMNS:
            c.rounded((x - 72, y - 2, x + 72, y + 8), 3, fill=rgba(darker(GROUND, 0.25)), width=2)
    for x, y in ((40, 470), (330, 455), (470, 470), (770, 460)):
        c.ellipse((x - 12, y - 7, x + 12, y + 7), fill=rgba(COLOURS["Gray"]), width=2)
    return c.result()


# --- Toller the crane ---------------------------------------------------------------

def crane(mood, phase):
    """mood: "idle", "sad" or "happy"; phase 0 or 1 moves the arm and the face a little."""
    c = Canvas(*CRANE)
    yellow = COLOURS["Yellow"]
    w, h = CRANE
    cx = w / 2
    # Tracks.
    c.rounded((14, h - 44, w - 14, h - 6), 18, fill=rgba(COLOURS["Black"]), width=3)
    for x in range(34, w - 30, 24):
        c.ellipse((x - 8, h - 33, x + 8, h - 17), fill=rgba(COLOURS["Gray"]), width=2)
    # The mast, tilted by mood.
    lift = {"idle": 0, "sad": 26 + 8 * phase, "happy": -14 - 10 * phase}[mood]
    top = (cx + 40, 40 + lift)
    c.polygon([(cx - 8, h - 120), (cx + 8, h - 126), (top[0] + 8, top[1]), (top[0] - 6, top[1] - 4)],
              fill=rgba(yellow), width=3)
    c.line([(cx - 2, h - 130), (top[0], top[1] + 6)], fill=OUTLINE, width=2)
    # Hook hanging from the tip.
    c.line([(top[0], top[1]), (top[0], top[1] + 60)], fill=OUTLINE, width=2.5)
    hx, hy = top[0], top[1] + 60
    c.draw.arc(c.box((hx - 9, hy - 2, hx + 9, hy + 16)), start=-20, end=200, fill=OUTLINE, width=c.s(3.5))
    # The cab with the face.
    c.rounded((22, h - 150, w - 22, h - 40), 22, fill=rgba(yellow), width=3)
    c.rounded((40, h - 136, w - 40, h - 92), 14, fill=rgba(lighter(SKY, 0.5)), width=3)
    ey = h - 115
    for ex in (cx - 22, cx + 22):
        if mood == "happy":
            c.draw.arc(c.box((ex - 9, ey - 6, ex + 9, ey + 10)), start=200, end=340, fill=OUTLINE, width=c.s(3.5))
        else:
            c.ellipse((ex - 9, ey - 10, ex + 9, ey + 10), fill=WHITE, width=2.5)
            dy = 4 if mood == "sad" else 0
            c.ellipse((ex - 4, ey - 4 + dy, ex + 4, ey + 4 + dy), fill=rgba(COLOURS["Black"]), outline=None)
            if mood == "sad":
                brow = -1 if ex < cx else 1
                c.line([(ex - 10, ey - 12 - 4 * brow), (ex + 10, ey - 12 + 4 * brow)], fill=OUTLINE, width=3)
    my = h - 72
    if mood == "happy":
        c.draw.chord(c.box((cx - 26, my - 16, cx + 26, my + 18)), start=0, end=180, fill=rgba(COLOURS["Red"]),
                     outline=OUTLINE, width=c.s(3))
    elif mood == "sad":
        c.draw.arc(c.box((cx - 20, my - 2, cx + 20, my + 22)), start=200, end=340, fill=OUTLINE, width=c.s(3.5))
    else:
        c.draw.arc(c.box((cx - 20, my - 16, cx + 20, my + 8)), start=20, end=160, fill=OUTLINE, width=c.s(3.5))
    # A tear, or sparkles.
    if mood == "sad" and phase == 1:
        c.ellipse((cx + 30, ey + 10, cx + 38, ey + 22), fill=rgba(COLOURS["Blue"]), width=1.5)
    if mood == "happy":
        for sx, sy in ((18, 60 + 20 * phase), (w - 22, 90 - 20 * phase)):
            c.polygon([(sx, sy - 10), (sx + 3, sy - 3), (sx + 10, sy), (sx + 3, sy + 3), (sx, sy + 10),
                       (sx - 3, sy + 3), (sx - 10, sy), (sx - 3, sy - 3)], fill=rgba(yellow), width=1.5)
    return c.result()


def pictures():
    """Every picture by its file name (without extension)."""
    made = {"TS_Background": background(), "TS_ObjectPlaceholder": Image.new("RGBA", OBJECT, (0, 0, 0, 0)),
            "Platform_Red": platform("Red"), "Platform_Blue": platform("Blue")}
    for colour in ("Red", "Blue"):
        for size in range(1, NUM_SIZES + 1):
            made["%sLogs_%d" % (colour, size - 1)] = log(colour, size).result()
            made["%sGirders_%d" % (colour, size - 1)] = girder(colour, size).result()
    for size in range(1, NUM_SIZES + 1):
        made["LogRollover_%d" % (size - 1)] = log(None, size, outline_only=True).result()
        made["GirderRollover_%d" % (size - 1)] = girder(None, size, outline_only=True).result()
    frames = [crane("idle", 0), crane("sad", 0), crane("sad", 1), crane("happy", 0), crane("happy", 1)]
    for index, frame in enumerate(frames):
        made["Toller_%d" % index] = frame
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
