#!/usr/bin/env python3
"""Draws the pictures of the ScarrowPuzzle jigsaw: three scenes (a house in
the sun, the dumper truck on the road, the scarecrow in its field) cut into
six jigsaw pieces each on a grid of three by two, the pieces' roll-over
outlines (the cut is the same for every scene), and one board picture per
puzzle: the scene faint where its pieces go, whole where it has none.

    ScarrowPuzzle.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp s

Puzzle <id> (1 to 9) shows scene (id - 1) % 3 with 3 + (id - 1) // 3 pieces;
the manifest's image lists "Puzzle<id>" name the scene's pieces. Pieces are
written as PuzzleScene<s>_<cell>.png, the outlines as PuzzleRollover_<cell>.png,
the boards as PuzzleBG_<id - 1>.png; the stamp last.
"""

import argparse
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from palette import COLOURS, CREAM, OUTLINE, SKY, Canvas, darker, lighter, rgba, save

CELL = 120
MARGIN = 20
PIECE = CELL + 2 * MARGIN
COLUMNS, ROWS = 3, 2
BOARD = (400, 280)
# Where the scene sits on the board picture.
SCENE_AT = (20, 20)
KNOB = 15

# The cells that are pieces, by puzzle id; the others are drawn on the board.
PUZZLE_CELLS = {
    1: [0, 2, 4], 2: [1, 3, 5], 3: [0, 4, 5],
    4: [0, 1, 4, 5], 5: [1, 2, 3, 4], 6: [0, 2, 3, 5],
    7: [0, 2, 3, 4, 5], 8: [0, 1, 2, 3, 5], 9: [0, 1, 2, 4, 5],
}


# --- the scenes -----------------------------------------------------------------------

def scene(index):
    canvas = Canvas(COLUMNS * CELL, ROWS * CELL, background=rgba(SKY))
    w, h = COLUMNS * CELL, ROWS * CELL
    canvas.rounded((-10, 170, w + 10, h + 10), 0, fill=rgba((139, 195, 74)), outline=None)
    canvas.line([(0, 170), (w, 170)], fill=OUTLINE, width=3)
    if index == 0:
        canvas.ellipse((280, 16, 340, 76), fill=rgba(COLOURS["Yellow"]), width=3)
        canvas.rounded((70, 100, 230, 200), 4, fill=rgba((255, 204, 128)), width=3)
        canvas.polygon([(56, 104), (150, 36), (244, 104)], fill=rgba(COLOURS["Red"]), width=3)
        canvas.rounded((135, 140, 170, 200), 3, fill=rgba(COLOURS["Blue"]), width=3)
        canvas.rounded((88, 120, 118, 150), 3, fill=rgba(lighter(SKY, 0.4)), width=3)
        canvas.ellipse((250, 120, 320, 190), fill=rgba(COLOURS["Green"]), width=3)
        canvas.rounded((280, 180, 292, 215), 2, fill=rgba(COLOURS["Brown"]), width=3)
    elif index == 1:
        canvas.rounded((-10, 190, w + 10, 225), 0, fill=rgba(COLOURS["Gray"]), width=3)
        for x in range(10, w, 60):
            canvas.rounded((x, 204, x + 30, 210), 2, fill=CREAM, outline=None)
        canvas.rounded((60, 100, 220, 180), 8, fill=rgba(COLOURS["Yellow"]), width=3)
        canvas.polygon([(200, 90), (300, 90), (300, 180), (200, 180)], fill=rgba(COLOURS["Orange"]), width=3)
        canvas.rounded((225, 104, 285, 140), 4, fill=rgba(lighter(SKY, 0.4)), width=3)
        for x in (95, 180, 260):
            canvas.ellipse((x - 22, 160, x + 22, 204), fill=rgba(COLOURS["Black"]), width=3)
            canvas.ellipse((x - 8, 174, x + 8, 190), fill=rgba(COLOURS["Gray"]), width=2)
        canvas.ellipse((20, 20, 90, 50), fill=CREAM, width=2)
    else:
        for x in range(0, w, 24):
            canvas.line([(x, 180), (x + 6, 240)], fill=rgba(darker((139, 195, 74), 0.3)), width=3)
        canvas.rounded((174, 60, 186, 220), 3, fill=rgba(COLOURS["Brown"]), width=3)
        canvas.rounded((100, 95, 260, 110), 4, fill=rgba(COLOURS["Brown"]), width=3)
        canvas.rounded((140, 90, 220, 170), 10, fill=rgba(COLOURS["Blue"]), width=3)
        canvas.ellipse((150, 30, 210, 90), fill=rgba((255, 224, 178)), width=3)
        canvas.polygon([(140, 44), (180, 4), (220, 44)], fill=rgba(COLOURS["Orange"]), width=3)
        for x in (168, 192):
            canvas.ellipse((x - 4, 54, x + 4, 62), fill=OUTLINE, outline=None)
        canvas.draw.arc(canvas.box((166, 60, 194, 80)), 20, 160, fill=OUTLINE, width=canvas.s(3))
        canvas.ellipse((40, 30, 70, 60), fill=rgba(COLOURS["Black"]), width=2)
        canvas.ellipse((300, 120, 340, 160), fill=rgba(COLOURS["Red"]), width=3)
    return canvas.result()


# --- the cut --------------------------------------------------------------------------

def edges():
    """The inner edges as (owner cell, other cell, direction): the owner's
    knob sticks into the other cell; neighbours take turns."""
    found = []
    for row in range(ROWS):
        for col in range(COLUMNS):
            cell = row * COLUMNS + col
            if col + 1 < COLUMNS:
                found.append((cell, cell + 1, "right") if (row + col) % 2 == 0 else (cell + 1, cell, "left"))
            if row + 1 < ROWS:
                found.append((cell, cell + COLUMNS, "down") if (row + col) % 2 else (cell + COLUMNS, cell, "up"))
    return found


def knob_centre(direction):
    m, c = MARGIN, MARGIN + CELL
    return {"right": (c, m + CELL // 2), "left": (m, m + CELL // 2),
            "down": (m + CELL // 2, c), "up": (m + CELL // 2, m)}[direction]


OPPOSITE = {"right": "left", "left": "right", "down": "up", "up": "down"}


def mask(cell):
    image = Image.new("L", (PIECE, PIECE), 0)
    draw = ImageDraw.Draw(image)
    draw.rectangle((MARGIN, MARGIN, MARGIN + CELL - 1, MARGIN + CELL - 1), fill=255)
    for owner, other, direction in edges():
        if owner == cell:
            x, y = knob_centre(direction)
            draw.ellipse((x - KNOB, y - KNOB, x + KNOB, y + KNOB), fill=255)
        elif other == cell:
            x, y = knob_centre(OPPOSITE[direction])
            draw.ellipse((x - KNOB, y - KNOB, x + KNOB, y + KNOB), fill=0)
    return image


def cell_origin(cell):
    """The top left of the cell's piece picture within the scene."""
    return ((cell % COLUMNS) * CELL - MARGIN, (cell // COLUMNS) * CELL - MARGIN)


def piece(picture, cell):
    x, y = cell_origin(cell)
    out = Image.new("RGBA", (PIECE, PIECE), (0, 0, 0, 0))
    out.paste(picture, (-x, -y))
    shape = mask(cell)
    out.putalpha(ImageChops.multiply(out.getchannel("A"), shape))
    edge = ImageChops.subtract(shape.filter(ImageFilter.MaxFilter(3)), shape.filter(ImageFilter.MinFilter(5)))
    outline = Image.new("RGBA", (PIECE, PIECE), OUTLINE)
    outline.putalpha(ImageChops.multiply(edge, shape))
    out.alpha_composite(outline)
    return out


def rollover(cell):
    shape = mask(cell)
    ring = ImageChops.subtract(shape.filter(ImageFilter.MaxFilter(9)), shape.filter(ImageFilter.MinFilter(3)))
    out = Image.new("RGBA", (PIECE, PIECE), rgba((255, 241, 118)))
    out.putalpha(ring)
    return out


def board(picture, puzzle):
    out = Image.new("RGBA", BOARD, (0, 0, 0, 0))
    frame = Canvas(*BOARD)
    frame.rounded((2, 2, BOARD[0] - 2, BOARD[1] - 2), 12, fill=rgba((188, 125, 70)), width=3)
    out.alpha_composite(frame.result())
    faint = picture.copy()
    faint.putalpha(90)
    plate = Image.new("RGBA", picture.size, CREAM)
    plate.alpha_composite(faint)
    out.alpha_composite(plate, SCENE_AT)
    for cell in range(COLUMNS * ROWS):
        if cell not in PUZZLE_CELLS[puzzle]:
            x, y = cell_origin(cell)
            out.alpha_composite(piece(picture, cell), (SCENE_AT[0] + x, SCENE_AT[1] + y))
    return out


def pictures():
    made = {}
    scenes = [scene(index) for index in range(3)]
    for index, picture in enumerate(scenes):
        for cell in range(COLUMNS * ROWS):
            made["PuzzleScene%d_%d" % (index, cell)] = piece(picture, cell)
    for cell in range(COLUMNS * ROWS):
        made["PuzzleRollover_%d" % cell] = rollover(cell)
    for puzzle in PUZZLE_CELLS:
        made["PuzzleBG_%d" % (puzzle - 1)] = board(scenes[(puzzle - 1) % 3], puzzle)
    return made


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--font", required=True, help="TrueType font (unused: the puzzles have no lettering)")
    parser.add_argument("--output-dir", required=True)
    parser.add_argument("--stamp", help="file touched when every picture is written")
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
