#!/usr/bin/env python3
"""Draws the pictures of the counting game: the quarry with its roads, the
piles of the thirteen building materials (frame k of a pile list shows k + 1
items, set out in at most two rows so that a child can count them), the
rollover outlines of each kind of material, the clumps the digger carries,
the dumper with its small copy on the far road, the digger with its shovel
and the request bubble.

    CountTheMaterials.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp done.stamp
"""

import math
import sys

from PIL import Image, ImageFilter, ImageOps

from palette import run_picture_generator, COLOURS, OUTLINE, SKY, SUPERSAMPLE, Canvas, darker, lighter, rgba

WHITE = rgba(COLOURS["White"])
TERRACOTTA = (196, 98, 58)
LEAF = COLOURS["Green"]
DUMPER = (245, 124, 0)
DIGGER = (255, 193, 7)
ROAD = (120, 112, 104)
SAND = (214, 176, 120)
HIGHLIGHT = (255, 241, 118, 235)

# A pile frame; its items stand on the bottom edge.
PILE = (150, 112)
# Items of a pile are drawn this much larger than ITEM_SIZE.
PILE_SCALE = 1.3
MAX_ITEMS = 6

# The thirteen materials in the order of the game's table: kind and colour.
MATERIALS = [
    ("Plant", None), ("Logs", "Red"), ("Logs", "Brown"), ("Logs", "Yellow"),
    ("Cones", "Orange"), ("Cones", "Red"), ("Cones", "Yellow"),
    ("Cement", "Blue"), ("Cement", "Gray"), ("Cement", "Red"),
    ("Bricks", "Red"), ("Bricks", "Gray"), ("Bricks", "Blue"),
]
KINDS = ["Plant", "Logs", "Cones", "Cement", "Bricks"]

# Item sizes at scale 1: width, height.
ITEM_SIZE = {"Plant": (30, 40), "Logs": (36, 18), "Cones": (28, 36), "Cement": (34, 26), "Bricks": (32, 15)}


# --- the items -------------------------------------------------------------------

def draw_plant(c, x, bottom, k, colour):
    w, h = 30 * k, 40 * k
    pot_top = bottom - 16 * k
    c.polygon([(x - 11 * k, pot_top), (x + 11 * k, pot_top), (x + 8 * k, bottom), (x - 8 * k, bottom)],
              fill=rgba(TERRACOTTA), width=2)
    c.rounded((x - 13 * k, pot_top - 4 * k, x + 13 * k, pot_top + 2 * k), 2 * k, fill=rgba(lighter(TERRACOTTA, 0.2)),
              width=2)
    for dx, dy, r in ((-7, -14, 7), (7, -14, 7), (0, -21, 8), (-1, -10, 6)):
        cx, cy = x + dx * k, pot_top + dy * k + 4 * k
        c.ellipse((cx - r * k, cy - r * k, cx + r * k, cy + r * k), fill=rgba(LEAF), width=2)
    c.line([(x, pot_top - 2 * k), (x, pot_top - 12 * k)], fill=rgba(darker(LEAF, 0.3)), width=2)
    return w, h


def draw_log(c, x, bottom, k, colour):
    body = COLOURS[colour]
    w, h = 36 * k, 18 * k
    left, top = x - w / 2, bottom - h
    c.rounded((left, top, left + w - 6 * k, bottom), 7 * k, fill=rgba(body), width=2)
    c.line([(left + 6 * k, top + 6 * k), (left + w - 14 * k, top + 6 * k)], fill=rgba(darker(body, 0.3)), width=2)
    c.ellipse((left + w - 14 * k, top, left + w, bottom), fill=rgba(lighter(body, 0.45)), width=2)
    cx, cy = left + w - 7 * k, top + h / 2
    c.ellipse((cx - 3.5 * k, cy - 5 * k, cx + 3.5 * k, cy + 5 * k), fill=None, outline=rgba(darker(body, 0.25)),
              width=1.5)
    return w, h


def draw_cone(c, x, bottom, k, colour):
    body = COLOURS[colour]
    w, h = 28 * k, 36 * k
    base = bottom - 5 * k
    c.rounded((x - 15 * k, base, x + 15 * k, bottom), 2 * k, fill=rgba(darker(body, 0.15)), width=2)
    c.polygon([(x - 11 * k, base), (x - 3 * k, bottom - h), (x + 3 * k, bottom - h), (x + 11 * k, base)],
              fill=rgba(body), width=2)
    stripe = bottom - h * 0.55
    c.polygon([(x - 7.5 * k, stripe + 4 * k), (x - 5.8 * k, stripe - 3 * k), (x + 5.8 * k, stripe - 3 * k),
               (x + 7.5 * k, stripe + 4 * k)], fill=WHITE, outline=None)
    return w, h


def draw_cement(c, x, bottom, k, colour):
    body = COLOURS[colour]
    w, h = 34 * k, 26 * k
    left, top = x - w / 2, bottom - h
    c.rounded((left, top, left + w, bottom), 8 * k, fill=rgba(body), width=2)
    c.rounded((left + 8 * k, top + 7 * k, left + w - 8 * k, bottom - 7 * k), 3 * k, fill=WHITE, outline=None)
    c.line([(left + 12 * k, top + 13 * k), (left + w - 12 * k, top + 13 * k)], fill=rgba(darker(body, 0.2)), width=2)
    c.line([(left + 4 * k, top + 3 * k), (left + 10 * k, top + 1 * k)], fill=rgba(darker(body, 0.35)), width=1.5)
    return w, h


def draw_brick(c, x, bottom, k, colour):
    body = COLOURS[colour]
    w, h = 32 * k, 15 * k
    left, top = x - w / 2, bottom - h
    c.rounded((left, top, left + w, bottom), 2 * k, fill=rgba(body), width=2)
    c.line([(left + 3 * k, top + 4 * k), (left + w - 3 * k, top + 4 * k)], fill=rgba(lighter(body, 0.35)), width=2)
    return w, h


DRAW = {"Plant": draw_plant, "Logs": draw_log, "Cones": draw_cone, "Cement": draw_cement, "Bricks": draw_brick}


def item_places(kind, count, size):
    """Bottom centres of the items of a pile: up to three on the ground, the
    rest in a row on top, each item whole and apart."""
    w, h = (v * PILE_SCALE for v in ITEM_SIZE[kind])
    gap = 3
    places = []
    front = min(count, 3)
    back = count - front
    ground = size[1] - 2
    for row, n, bottom in ((0, back, ground - h - 3), (1, front, ground)):
        if n == 0:
            continue
        span = n * w + (n - 1) * gap
        left = (size[0] - span) / 2 + w / 2
        places += [(left + i * (w + gap), bottom, row) for i in range(n)]
    return places


def pile(kind, colour, count):
    canvas = Canvas(*PILE)
    for x, bottom, _ in item_places(kind, count, PILE):
        DRAW[kind](canvas, x, bottom, PILE_SCALE, colour)
    return canvas.result()


def rollover(kind, count):
    """The outline drawn over a pile of this kind while the mouse is on it."""
    canvas = Canvas(*PILE)
    for x, bottom, _ in item_places(kind, count, PILE):
        DRAW[kind](canvas, x, bottom, PILE_SCALE, "Gray")
    alpha = canvas.image.getchannel("A").point(lambda a: 255 if a > 40 else 0)
    grown = alpha.filter(ImageFilter.MaxFilter(9))
    ring = Image.eval(grown, lambda a: a)
    ring.paste(0, mask=alpha)
    picture = Image.new("RGBA", canvas.image.size, HIGHLIGHT)
    picture.putalpha(ring.point(lambda a: HIGHLIGHT[3] if a else 0))
    return picture.resize(PILE, Image.LANCZOS)


def clump(kind, colour):
    """A heap of the material as the digger carries it, standing on the bottom
    middle of a frame the size of a pile's, as a pile does."""
    canvas = Canvas(*PILE)
    k = 1.0
    w, h = ITEM_SIZE[kind]
    w, h = w * k, h * k
    rows = [(3, PILE[1] - 2), (2, PILE[1] - 2 - h * 0.8), (1, PILE[1] - 2 - h * 1.6)]
    for n, bottom in rows:
        span = n * w - (n - 1) * 4
        left = (PILE[0] - span) / 2 + w / 2
        for i in range(n):
            DRAW[kind](canvas, left + i * (w - 4), bottom, k, colour)
    return canvas.result()


# --- the dumper and the digger -------------------------------------------------

def wheel(c, cx, cy, r, turn):
    c.ellipse((cx - r, cy - r, cx + r, cy + r), fill=rgba(COLOURS["Black"]), width=3)
    c.ellipse((cx - r * 0.5, cy - r * 0.5, cx + r * 0.5, cy + r * 0.5), fill=rgba(COLOURS["Gray"]), width=2)
    for i in range(3):
        a = turn + i * 2 * math.pi / 3
        c.line([(cx, cy), (cx + r * 0.45 * math.cos(a), cy + r * 0.45 * math.sin(a))], fill=OUTLINE, width=2)


def eyes(c, x, y, look):
    for dx in (0, 18):
        c.ellipse((x + dx - 7, y - 8, x + dx + 7, y + 8), fill=WHITE, width=2)
        c.ellipse((x + dx - 3 + look * 3, y - 3, x + dx + 3 + look * 3, y + 5), fill=rgba(COLOURS["Black"]),
                  outline=None)


def dumper(frame):
    """Sloam, facing left: cab on the left, the dump bed on the right."""
    canvas = Canvas(240, 140)
    bounce = 1 if frame == 2 else 0
    turn = frame * 0.9
    y = bounce
    canvas.rounded((8, 96 + y, 232, 112 + y), 5, fill=rgba(COLOURS["Black"]), width=3)
    canvas.polygon([(88, 40 + y), (236, 32 + y), (228, 100 + y), (96, 100 + y)], fill=rgba(DUMPER), width=3)
    for rx in (122, 160, 198):
        canvas.line([(rx, 40 + y), (rx, 98 + y)], fill=rgba(darker(DUMPER, 0.25)), width=3)
    canvas.rounded((10, 30 + y, 90, 104 + y), 12, fill=rgba(lighter(DUMPER, 0.1)), width=3)
    canvas.rounded((20, 40 + y, 76, 72 + y), 8, fill=rgba(lighter(SKY, 0.45)), width=3)
    eyes(canvas, 35, 56 + y, -1)
    canvas.ellipse((4, 80 + y, 16, 92 + y), fill=rgba(COLOURS["Yellow"]), width=2)
    wheel(canvas, 52, 114, 20, turn)
    wheel(canvas, 192, 114, 20, turn)
    return canvas.result()


def background_dumper():
    """The dumper, small and facing right, on the far road."""
    return ImageOps.mirror(dumper(0)).resize((90, 52), Image.LANCZOS)


def digger_body(frame):
    """Grubbin facing right, without its arm."""
    canvas = Canvas(160, 120)
    y = 1 if frame == 1 else 0
    canvas.rounded((8, 92, 124, 118), 12, fill=rgba(COLOURS["Black"]), width=3)
    for i, tx in enumerate(range(20, 118, 18)):
        cx = tx + (6 if frame == 1 else 0)
        canvas.ellipse((cx - 7, 98, cx + 7, 112), fill=rgba(COLOURS["Gray"]), width=2)
    canvas.rounded((16, 52 + y, 114, 94 + y), 10, fill=rgba(DIGGER), width=3)
    canvas.rounded((28, 12 + y, 84, 58 + y), 10, fill=rgba(lighter(DIGGER, 0.15)), width=3)
    canvas.rounded((36, 20 + y, 78, 44 + y), 6, fill=rgba(lighter(SKY, 0.45)), width=3)
    eyes(canvas, 48, 32 + y, 1)
    canvas.rounded((18, 24 + y, 26, 52 + y), 3, fill=rgba(COLOURS["Gray"]), width=2)
    canvas.line([(24, 66 + y), (104, 66 + y)], fill=rgba(darker(DIGGER, 0.25)), width=3)
    return canvas.result()


# Bucket positions of the arm: down, half-way and up, for the digger facing right.
ARM_POSES = [((104, 60), (132, 70), (143, 100)), ((104, 60), (132, 52), (145, 64)), ((104, 60), (124, 30), (143, 26))]


def shovel(pose):
    canvas = Canvas(160, 120)
    shoulder, elbow, bucket = ARM_POSES[pose]
    canvas.line([shoulder, elbow, bucket], fill=OUTLINE, width=13)
    canvas.line([shoulder, elbow, bucket], fill=rgba(DIGGER), width=8)
    for joint in (shoulder, elbow):
        canvas.ellipse((joint[0] - 5, joint[1] - 5, joint[0] + 5, joint[1] + 5), fill=rgba(COLOURS["Gray"]), width=2)
    bx, by = bucket
    canvas.polygon([(bx - 14, by - 12), (bx + 14, by - 12), (bx + 12, by + 12), (bx - 10, by + 12)],
                   fill=rgba(darker(COLOURS["Gray"], 0.3)), width=3)
    for tx in (bx - 7, bx, bx + 7):
        canvas.polygon([(tx - 3, by + 12), (tx, by + 17), (tx + 3, by + 12)], fill=WHITE, width=1.5)
    return canvas.result()


def request_bubble():
    canvas = Canvas(220, 142)
    canvas.polygon([(44, 118), (54, 140), (72, 118)], fill=WHITE, width=3)
    canvas.rounded((3, 3, 217, 122), 20, fill=WHITE, width=3)
    canvas.rounded((8, 8, 212, 117), 16, fill=None, outline=rgba(COLOURS["Yellow"]), width=3)
    canvas.polygon([(47, 116), (54, 132), (68, 116)], fill=WHITE, outline=None)
    return canvas.result()


# --- the quarry ----------------------------------------------------------------

def quarry():
    w, h = 800, 600
    canvas = Canvas(w, h, background=rgba(SKY))
    for y in range(0, 240 * SUPERSAMPLE, 4):
        shade = lighter(darker(SKY, 0.12), min(1.0, y / (240 * SUPERSAMPLE * 1.1)))
        canvas.draw.rectangle([0, y, w * SUPERSAMPLE, y + 4], fill=rgba(shade))
    for x, y, s in ((110, 60, 0.9), (400, 40, 0.7), (650, 75, 0.8)):
        for dx, dy, r in ((0, 10, 26), (26, -4, 32), (58, 8, 26), (30, 16, 24)):
            canvas.ellipse((x + dx * s - r * s, y + dy * s - r * s, x + dx * s + r * s, y + dy * s + r * s),
                           fill=WHITE, outline=None)
    canvas.ellipse((-120, 110, 380, 330), fill=rgba(lighter(COLOURS["Green"], 0.2)), width=3)
    canvas.ellipse((300, 120, 900, 360), fill=rgba(COLOURS["Green"]), width=3)
    # The far road, where the small dumper drives away.
    canvas.polygon([(0, 176), (800, 170), (800, 214), (0, 218)], fill=rgba(lighter(ROAD, 0.25)), width=3)
    for x in range(20, 800, 70):
        canvas.line([(x, 195), (x + 34, 194.5)], fill=rgba(lighter(ROAD, 0.7)), width=3)
    canvas.polygon([(0, 218), (800, 214), (800, 240), (0, 242)], fill=rgba(lighter(COLOURS["Green"], 0.1)),
                   outline=None)
    # The delivery road along which the dumper comes and goes.
    canvas.polygon([(0, 236), (800, 232), (800, 300), (0, 304)], fill=rgba(ROAD), width=3)
    for x in range(10, 800, 80):
        canvas.line([(x, 268), (x + 40, 267.5)], fill=rgba(COLOURS["Yellow"]), width=4)
    # The quarry floor where the piles stand.
    canvas.polygon([(0, 304), (800, 300), (800, 600), (0, 600)], fill=rgba(SAND), width=3)
    for x, y, r in ((40, 340, 10), (120, 580, 8), (300, 330, 7), (470, 585, 9), (620, 335, 8), (770, 560, 11),
                    (30, 470, 7), (780, 420, 8), (400, 320, 5)):
        canvas.ellipse((x - r * 1.5, y - r, x + r * 1.5, y + r), fill=rgba(COLOURS["Gray"]), width=2)
    for x, y in ((90, 360), (250, 585), (520, 330), (700, 590), (10, 560)):
        canvas.line([(x, y), (x + 14, y - 3)], fill=rgba(darker(SAND, 0.2)), width=2)
    return canvas.result()


def pictures(font):
    """Every picture by its file name (without extension)."""
    made = {"CTM_Background": quarry(), "CTM_RequestBubble": request_bubble(),
            "CTM_SloamBG": background_dumper(), "CTM_ItemPlaceholder": Image.new("RGBA", PILE, (0, 0, 0, 0))}
    for kind, colour in MATERIALS:
        name = "Materials-Plant" if kind == "Plant" else "Materials-%s-%s" % (kind, colour)
        for count in range(1, MAX_ITEMS + 1):
            made["%s_%d" % (name, count - 1)] = pile(kind, colour, count)
    for kind in KINDS:
        for count in range(1, MAX_ITEMS + 1):
            made["Materials-%s-Rollover_%d" % (kind, count - 1)] = rollover(kind, count)
    for index, (kind, colour) in enumerate(MATERIALS):
        made["MaterialClumps_%d" % index] = clump(kind, colour)
    for frame in range(3):
        made["CTM_Sloam_%d" % frame] = dumper(frame)
    bodies = [digger_body(0), digger_body(1)]
    for frame, body in enumerate(bodies + [ImageOps.mirror(b) for b in bodies]):
        made["CTM_Grubbin_%d" % frame] = body
    arms = [shovel(pose) for pose in range(3)]
    for frame, arm in enumerate(arms + [ImageOps.mirror(arms[2])]):
        made["CTM_GrubbinShovel_%d" % frame] = arm
    return made


def main(argv):
    return run_picture_generator(__doc__, pictures, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
