#!/usr/bin/env python3
"""Draws the pictures of the animal-delivery game: the playfield with three
roads and the loading row, the houses and the dummy house, the cage with its
highlight, three animals, the flags (one list per shape, one frame per colour
in the order Blue, Green, Purple, Yellow) and the truck facing left.

    HereToThere.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp HereToThere.stamp

Image-list frames are written as <name>_<index>.png.
"""

import argparse
import math
import os
import sys

from palette import COLOURS, CREAM, OUTLINE, SKY, Canvas, darker, lighter, rgba, save
import uiart

WIDTH, HEIGHT = 800, 600
# The wheel line of each road and of the loading row; the constants
# "RoadEnd_Left", "RoadEnd_Right" and "TrundelIdleLocation" hold the same y.
ROAD_Y = (172, 304, 436)
ROAD_BAND = 40
LOADING_Y = 586
# The flag colours, in frame order.
FLAG_COLOURS = ("Blue", "Green", "Purple", "Yellow")
FLAG_SIZE = (40, 36)
HOUSE_SIZE = (110, 90)
CAGE_SIZE = (80, 90)
ANIMAL_SIZE = (64, 60)
TRUCK_SIZE = (190, 80)
ASPHALT = (96, 96, 104)
GRASS = (124, 179, 66)
WOOD = (188, 120, 60)


def background():
    canvas = Canvas(WIDTH, HEIGHT, rgba(SKY))
    canvas.draw.rectangle(canvas.box((0, 40, WIDTH, HEIGHT)), fill=rgba(GRASS))
    for x, y, r in ((120, 20, 26), (150, 14, 20), (560, 24, 24), (590, 18, 18)):
        canvas.ellipse((x - r, y - r * 0.6, x + r, y + r * 0.6), rgba((255, 255, 255)), outline=None)
    for y in ROAD_Y:
        top = y - ROAD_BAND + 6
        canvas.draw.rectangle(canvas.box((0, top, WIDTH, top + ROAD_BAND)), fill=rgba(ASPHALT))
        canvas.draw.rectangle(canvas.box((0, top - 3, WIDTH, top)), fill=rgba(lighter(ASPHALT, 0.5)))
        for x in range(10, WIDTH, 60):
            mid = top + ROAD_BAND / 2
            canvas.draw.rectangle(canvas.box((x, mid - 2, x + 30, mid + 2)), fill=rgba(COLOURS["Yellow"]))
    # The loading row: a wooden platform for the cages and the truck's lane in front.
    canvas.rounded((20, 440, 560, 540), 8, rgba(lighter(WOOD, 0.25)), width=2)
    for x in range(20, 560, 45):
        canvas.line(((x, 442), (x, 538)), rgba(darker(WOOD, 0.1)), width=1)
    canvas.draw.rectangle(canvas.box((0, 544, WIDTH, HEIGHT)), fill=rgba(lighter(ASPHALT, 0.15)))
    return canvas.result()


def house(body, roof, door):
    width, height = HOUSE_SIZE
    canvas = Canvas(width, height)
    canvas.polygon(((8, 40), (width / 2, 6), (width - 8, 40)), rgba(roof))
    canvas.rounded((16, 38, width - 16, height - 2), 4, rgba(body))
    canvas.rounded((width / 2 - 11, height - 34, width / 2 + 11, height - 2), 3, rgba(door))
    for x in (24, width - 44):
        canvas.rounded((x, 48, x + 20, 66), 2, rgba(CREAM))
    # The flag's pole: the flag hangs from its top, drawn by the layout.
    canvas.line(((width - 12, 2), (width - 12, 40)), OUTLINE, width=3)
    return canvas.result()


def dummy_house():
    width, height = HOUSE_SIZE
    canvas = Canvas(width, height)
    grey = COLOURS["Gray"]
    canvas.polygon(((12, 42), (width / 2, 14), (width - 12, 42)), rgba(darker(grey, 0.25)))
    canvas.rounded((20, 40, width - 20, height - 2), 3, rgba(lighter(grey, 0.2)))
    for x in (28, width - 46):
        canvas.rounded((x, 50, x + 18, 66), 2, rgba(darker(grey, 0.35)))
        canvas.line(((x, 50), (x + 18, 66)), rgba(WOOD), width=3)
    canvas.rounded((width / 2 - 10, height - 30, width / 2 + 10, height - 2), 2, rgba(darker(grey, 0.4)))
    return canvas.result()


def flag(shape, colour):
    width, height = FLAG_SIZE
    canvas = Canvas(width, height)
    canvas.rounded((1, 1, width - 1, height - 1), 5, CREAM, width=2)
    ink = rgba(COLOURS[colour])
    cx, cy, r = width / 2, height / 2, 13
    if shape == "Rectangle":
        canvas.rounded((cx - 14, cy - 10, cx + 14, cy + 10), 2, ink, width=2)
    elif shape == "Circle":
        canvas.ellipse((cx - r, cy - r, cx + r, cy + r), ink, width=2)
    elif shape == "Triangle":
        canvas.polygon(((cx, cy - r), (cx + r + 1, cy + r - 2), (cx - r - 1, cy + r - 2)), ink, width=2)
    else:
        canvas.polygon(uiart.star_points(cx, cy + 1, r + 2, (r + 2) * 0.45), ink, width=2)
    return canvas.result()


def flag_board():
    """The flag's board without a shape: the layout's picture until the game sets the flag."""
    width, height = FLAG_SIZE
    canvas = Canvas(width, height)
    canvas.rounded((1, 1, width - 1, height - 1), 5, CREAM, width=2)
    return canvas.result()


def cage():
    width, height = CAGE_SIZE
    canvas = Canvas(width, height)
    canvas.rounded((2, height - 12, width - 2, height - 2), 3, rgba(WOOD), width=2)
    canvas.rounded((2, 22, width - 2, 32), 3, rgba(WOOD), width=2)
    for x in range(8, width - 4, 13):
        canvas.line(((x, 32), (x, height - 12)), rgba(darker(WOOD, 0.35)), width=3)
    canvas.line(((width - 8, 0), (width - 8, 22)), OUTLINE, width=3)
    return canvas.result()


def cage_rollover():
    width, height = CAGE_SIZE
    canvas = Canvas(width, height)
    canvas.draw.rounded_rectangle(canvas.box((1, 20, width - 1, height - 1)), radius=canvas.s(6),
                                  outline=rgba(COLOURS["Yellow"]), width=canvas.s(4))
    return canvas.result()


def animal(kind):
    width, height = ANIMAL_SIZE
    canvas = Canvas(width, height)
    if kind == "bunny":
        body = (236, 236, 236)
        canvas.ellipse((20, 2, 30, 30), rgba(body), width=2)
        canvas.ellipse((34, 2, 44, 30), rgba(body), width=2)
        canvas.ellipse((12, 22, 52, 58), rgba(body), width=2)
        nose = (244, 143, 177)
    elif kind == "piglet":
        body = (248, 187, 208)
        canvas.polygon(((14, 22), (18, 8), (26, 20)), rgba(body), width=2)
        canvas.polygon(((50, 22), (46, 8), (38, 20)), rgba(body), width=2)
        canvas.ellipse((8, 16, 56, 58), rgba(body), width=2)
        canvas.ellipse((24, 36, 40, 48), rgba(darker(body, 0.15)), width=2)
        nose = None
    else:
        body = (255, 213, 79)
        canvas.ellipse((10, 12, 54, 58), rgba(body), width=2)
        canvas.polygon(((28, 34), (36, 34), (32, 42)), rgba(COLOURS["Orange"]), width=1)
        nose = None
    for x in (24, 40):
        canvas.ellipse((x - 3, 28, x + 3, 34), OUTLINE, outline=None)
    if nose:
        canvas.ellipse((29, 37, 35, 42), rgba(nose), width=1)
    return canvas.result()


def truck(frame):
    width, height = TRUCK_SIZE
    canvas = Canvas(width, height)
    red = COLOURS["Orange"]
    # Facing left: the cab on the left, the flat bed on the right at 50 above the wheels.
    canvas.rounded((60, 30, width - 4, 58), 4, rgba(darker(red, 0.1)))
    canvas.rounded((6, 8, 64, 60), 8, rgba(red))
    canvas.rounded((12, 14, 44, 34), 4, rgba(lighter(SKY, 0.3)), width=2)
    canvas.rounded((2, 50, 14, 58), 2, rgba(COLOURS["Yellow"]), width=2)
    for cx in (34, width - 40):
        canvas.ellipse((cx - 16, 48, cx + 16, 80), rgba(COLOURS["Black"]), width=2)
        canvas.ellipse((cx - 7, 57, cx + 7, 71), rgba(COLOURS["Gray"]), width=1)
        angle = frame * math.pi / 4
        canvas.line(((cx + 7 * math.cos(angle), 64 + 7 * math.sin(angle)),
                     (cx - 7 * math.cos(angle), 64 - 7 * math.sin(angle))), OUTLINE, width=2)
    return canvas.result()


def pictures():
    made = {"HereToThere_Background": background()}
    made["HereToThere_FlagBoard"] = flag_board()
    for index, (body, roof, door) in enumerate((
            (COLOURS["White"], COLOURS["Red"], COLOURS["Brown"]),
            ((255, 224, 178), COLOURS["Blue"], COLOURS["Green"]),
            ((200, 230, 201), COLOURS["Brown"], COLOURS["Red"]))):
        made["HereToThere_DeliveryHouses_%d" % index] = house(body, roof, door)
    made["HereToThere_DummyHouse"] = dummy_house()
    for shape in ("Rectangle", "Circle", "Triangle", "Star"):
        for index, colour in enumerate(FLAG_COLOURS):
            made["HereToThere_%s_%d" % (shape, index)] = flag(shape, colour)
    made["HereToThere_Cage"] = cage()
    made["HereToThere_CageRollover"] = cage_rollover()
    for index, kind in enumerate(("bunny", "piglet", "chick")):
        made["HereToThere_Animal_%d" % index] = animal(kind)
    for index in range(3):
        made["HereToThere_Truck_%d" % index] = truck(index)
    return made


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--font", required=True, help="TrueType font (unused: the pictures carry no words)")
    parser.add_argument("--output-dir", required=True)
    parser.add_argument("--stamp", help="file written once every picture is")
    args = parser.parse_args(argv)
    os.makedirs(args.output_dir, exist_ok=True)
    for name, image in pictures().items():
        save(image, os.path.join(args.output_dir, name + ".png"))
    if args.stamp:
        with open(args.stamp, "w") as stamp:
            stamp.write("done\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
