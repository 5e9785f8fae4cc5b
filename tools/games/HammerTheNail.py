#!/usr/bin/env python3
"""Draws the pictures of the mini-game HammerTheNail: the workshop wall, the
tool box, Fenn with his mouth, the tools in the box (one list per type, one
frame per colour) with their rollover glow (one frame per type), the wrench in
hand, the screwdrivers in hand (one list per type and colour: a still frame,
then the frames of one turn), and the nails and screws (one list per type and
colour, frame k standing k steps out of their block, frame 0 driven in).

    HammerTheNail.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp games/HammerTheNail.stamp

Wrenches drive bolts with a hexagonal head; the plus driver drives screws with
a cross in the head, the minus driver screws with a single slot. Heads and
handles carry the tool's colour.
"""

import argparse
import math
import os
import sys

from palette import COLOURS, CREAM, OUTLINE, Canvas, darker, lighter, rgba, save

TYPES = ["Wrench", "DriverPlus", "DriverMinus"]
TOOL_COLOURS = ["Red", "Green", "Blue", "Yellow"]

STEEL = (176, 190, 197)
WOOD = (196, 134, 74)
WALL = (240, 222, 186)

# Sizes the layouts and the attach-offset constants are written for.
NAIL_SIZE = (80, 140)
NAIL_STEPS = 3
BOX_TOOL_SIZE = (150, 64)
WRENCH_HAND_SIZE = (140, 44)
# The jaw's centre in the wrench in hand: the bolt sits there while it turns.
WRENCH_JAW = (24, 22)
DRIVER_HAND_SIZE = (44, 150)
DRIVER_TURN_FRAMES = 6


def head_centre(steps):
    """Where the head of a nail with that many steps left is drawn in its picture."""
    return (NAIL_SIZE[0] / 2, 82 - 20 * steps)


def hexagon(cx, cy, r, turn=0.0):
    return [(cx + r * math.cos(turn + i * math.pi / 3), cy + r * math.sin(turn + i * math.pi / 3))
            for i in range(6)]


def screw_mark(canvas, kind, cx, cy, r, turn=0.0, width=5):
    """The cross or the slot of a screw head (or a driver tip), turned by `turn`."""
    arms = [turn, turn + math.pi / 2] if kind == "DriverPlus" else [turn]
    for angle in arms:
        dx, dy = r * math.cos(angle), r * math.sin(angle)
        canvas.line([(cx - dx, cy - dy), (cx + dx, cy + dy)], rgba(OUTLINE), width)


# --- the nails and screws ----------------------------------------------------

def nail(kind, colour_name, steps):
    colour = COLOURS[colour_name]
    w, h = NAIL_SIZE
    c = Canvas(w, h)
    # The block the nail goes into.
    c.rounded((8, 108, w - 8, h - 4), 6, rgba(WOOD))
    c.line([(14, 118), (w - 14, 118)], rgba(darker(WOOD, 0.25)), 2)
    c.line([(14, 128), (w - 24, 128)], rgba(darker(WOOD, 0.25)), 2)
    cx, cy = head_centre(steps)
    # The shaft out of the block, with the thread of a screw or bolt.
    top = cy + 14
    if top < 110:
        c.rounded((cx - 7, top, cx + 7, 112), 3, rgba(STEEL))
        y = top + 6
        while y < 106:
            c.line([(cx - 7, y), (cx + 7, y + 4)], rgba(darker(STEEL, 0.35)), 2)
            y += 8
    if kind == "Wrench":
        c.polygon(hexagon(cx, cy, 26), rgba(colour), width=3)
        c.polygon(hexagon(cx, cy, 16), rgba(lighter(colour, 0.35)), width=2)
    else:
        c.ellipse((cx - 26, cy - 26, cx + 26, cy + 26), rgba(colour))
        c.ellipse((cx - 17, cy - 17, cx + 17, cy + 17), rgba(lighter(colour, 0.35)), width=2)
        screw_mark(c, kind, cx, cy, 15, width=6)
    if steps == 0:
        # Driven in: a small spark of pride.
        c.polygon([(w - 14, 96), (w - 10, 104), (w - 2, 106), (w - 10, 108), (w - 14, 116), (w - 18, 108),
                   (w - 26, 106), (w - 18, 104)], rgba(COLOURS["Yellow"]), width=2)
    return c.result()


# --- the tools -----------------------------------------------------------------

def wrench_shape(c, colour, x0, y0, length, height):
    """A wrench lying left to right, its open jaw at the left."""
    cy = y0 + height / 2
    jaw_r = height / 2 - 2
    jx = x0 + WRENCH_JAW[0] * height / WRENCH_HAND_SIZE[1]
    c.rounded((jx, cy - height * 0.18, x0 + length - 4, cy + height * 0.18), height * 0.18, rgba(STEEL))
    c.ellipse((jx - jaw_r, cy - jaw_r, jx + jaw_r, cy + jaw_r), rgba(STEEL))
    # The jaw's opening, towards the left.
    c.polygon(hexagon(jx, cy, jaw_r * 0.55), (0, 0, 0, 0), outline=None)
    c.draw.rectangle(c.box((x0, cy - jaw_r * 0.45, jx, cy + jaw_r * 0.45)), fill=(0, 0, 0, 0))
    # The coloured grip.
    c.rounded((x0 + length * 0.45, cy - height * 0.26, x0 + length - 2, cy + height * 0.26), height * 0.22,
              rgba(colour))


def driver_shape(c, kind, colour, x0, y0, length, height, turn=0.0, vertical=False):
    """A screwdriver: coloured handle, steel shaft, tip marked + or -; left to
    right (tip at the right) or, vertical, top to bottom (tip at the bottom)."""
    def box(a, b, across_from, across_to):
        if vertical:
            return (x0 + across_from, y0 + a, x0 + across_to, y0 + b)
        return (x0 + a, y0 + across_from, x0 + b, y0 + across_to)

    across = height
    mid = across / 2
    handle_end = length * 0.5
    c.rounded(box(2, handle_end, mid - across * 0.42, mid + across * 0.42), across * 0.3, rgba(colour))
    # Grooves of the handle; they move round as it turns.
    for i in range(3):
        offset = ((i + turn / (2 * math.pi) * 3) % 3) / 3.0
        g = mid - across * 0.3 + offset * across * 0.6
        if vertical:
            c.line([(x0 + g, y0 + 10), (x0 + g, y0 + handle_end - 8)], rgba(darker(colour, 0.3)), 3)
        else:
            c.line([(x0 + 10, y0 + g), (x0 + handle_end - 8, y0 + g)], rgba(darker(colour, 0.3)), 3)
    c.rounded(box(handle_end - 2, length - 16, mid - 4, mid + 4), 3, rgba(STEEL))
    tip_w = across * 0.3 if kind == "DriverPlus" else across * 0.3 * max(0.25, abs(math.cos(turn)))
    c.polygon([p if not vertical else (x0 + p[1] - y0, y0 + p[0] - x0) for p in
               [(x0 + length - 18, y0 + mid - across * 0.3), (x0 + length - 2, y0 + mid - tip_w / 2),
                (x0 + length - 2, y0 + mid + tip_w / 2), (x0 + length - 18, y0 + mid + across * 0.3)]],
              rgba(STEEL), width=2)
    # The sign of the tip on the handle's end, as on the screws' heads.
    ex, ey = (x0 + mid, y0 + handle_end * 0.45) if vertical else (x0 + handle_end * 0.45, y0 + mid)
    c.ellipse((ex - across * 0.24, ey - across * 0.24, ex + across * 0.24, ey + across * 0.24), rgba(CREAM), width=2)
    screw_mark(c, kind, ex, ey, across * 0.15, turn, width=3)


def tool_in_box(kind, colour_name):
    w, h = BOX_TOOL_SIZE
    c = Canvas(w, h)
    colour = COLOURS[colour_name]
    if kind == "Wrench":
        wrench_shape(c, colour, 4, 6, w - 8, h - 12)
    else:
        driver_shape(c, kind, colour, 4, 8, w - 8, h - 16)
    return c.result()


def rollover(kind):
    """A warm glow around the tool's place in the box."""
    w, h = BOX_TOOL_SIZE
    c = Canvas(w, h)
    c.rounded((2, 2, w - 2, h - 2), 16, (255, 255, 255, 0), outline=rgba(COLOURS["Yellow"]), width=5)
    return c.result()


def wrench_in_hand(colour_name):
    w, h = WRENCH_HAND_SIZE
    c = Canvas(w, h)
    wrench_shape(c, COLOURS[colour_name], 0, 0, w, h)
    return c.result()


def driver_in_hand(kind, colour_name, turn):
    w, h = DRIVER_HAND_SIZE
    c = Canvas(w, h)
    driver_shape(c, kind, COLOURS[colour_name], 0, 0, h, w, turn, vertical=True)
    return c.result()


# --- the scene -----------------------------------------------------------------

def background():
    w, h = 800, 600
    c = Canvas(w, h, rgba(WALL))
    # Wall planks.
    for x in range(0, w, 100):
        c.line([(x, 0), (x, 470)], rgba(darker(WALL, 0.12)), 2)
    # A pegboard behind the nails.
    c.rounded((24, 60, 600, 460), 12, rgba(lighter(WOOD, 0.35)))
    for y in range(80, 450, 30):
        for x in range(44, 590, 30):
            c.ellipse((x - 3, y - 3, x + 3, y + 3), rgba(darker(WOOD, 0.2)), outline=None)
    # The workbench under the tool box.
    c.rounded((0, 460, w, h), 0, rgba(darker(WOOD, 0.15)), outline=None)
    c.line([(0, 462), (w, 462)], rgba(OUTLINE), 4)
    return c.result()


def tool_box():
    w, h = 720, 120
    c = Canvas(w, h)
    red = COLOURS["Red"]
    c.rounded((2, 10, w - 2, h - 2), 14, rgba(darker(red, 0.1)))
    for i in range(4):
        x = 12 + i * 176
        c.rounded((x, 22, x + 168, h - 14), 10, rgba(darker(red, 0.45)), width=2)
    c.rounded((w / 2 - 60, 0, w / 2 + 60, 16), 6, rgba(STEEL))
    return c.result()


def fenn():
    """Fenn the builder, waving from the side of the wall."""
    w, h = 150, 230
    c = Canvas(w, h)
    skin = (255, 204, 160)
    c.rounded((35, 110, 115, 220), 20, rgba(COLOURS["Orange"]))
    c.rounded((55, 120, 95, 160), 6, rgba(COLOURS["Blue"]), width=2)
    c.ellipse((30, 30, 120, 120), rgba(skin))
    c.ellipse((55, 62, 65, 72), rgba(OUTLINE), outline=None)
    c.ellipse((85, 62, 95, 72), rgba(OUTLINE), outline=None)
    c.line([(60, 95), (75, 100), (90, 95)], rgba(OUTLINE), 3)
    # The hard hat.
    c.polygon([(25, 50), (40, 18), (110, 18), (125, 50)], rgba(COLOURS["Yellow"]))
    c.rounded((18, 44, 132, 56), 5, rgba(COLOURS["Yellow"]))
    # A waving arm.
    c.line([(110, 140), (138, 100)], rgba(COLOURS["Orange"]), 14)
    c.ellipse((128, 84, 148, 104), rgba(skin))
    return c.result()


def fenn_mouth():
    w, h = 30, 20
    c = Canvas(w, h)
    c.ellipse((2, 2, w - 2, h - 2), rgba(darker(COLOURS["Red"], 0.3)), width=2)
    return c.result()


def pictures():
    made = {}
    made["FixIt_Background"] = background()
    made["FixIt_ToolBox"] = tool_box()
    made["FixIt_Fenn"] = fenn()
    made["FixIt_FennMouth"] = fenn_mouth()
    for type_index, kind in enumerate(TYPES):
        made["FixIt_Tool_InBox_rollover_%d" % type_index] = rollover(kind)
        for colour_index, colour in enumerate(TOOL_COLOURS):
            made["FixIt_Tool_InBox_%s_%d" % (kind, colour_index)] = tool_in_box(kind, colour)
            for steps in range(NAIL_STEPS + 1):
                made["FixIt_Nail_%s_%s_%d" % (kind, colour, steps)] = nail(kind, colour, steps)
            if kind != "Wrench":
                for frame in range(DRIVER_TURN_FRAMES + 1):
                    turn = 0.0 if frame == 0 else (frame - 1) * 2 * math.pi / DRIVER_TURN_FRAMES
                    made["FixIt_Driver_%s_%s_%d" % (kind, colour, frame)] = driver_in_hand(kind, colour, turn)
    for colour_index, colour in enumerate(TOOL_COLOURS):
        made["FixIt_Tool_InHand_Wrench_%d" % colour_index] = wrench_in_hand(colour)
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
