#!/usr/bin/env python3
"""Draws the thirty stickers a child wins in the mini-games and sticks into the
sticker book ("Sticker_0" to "Sticker_29"): each a picture from the game's own
world (its characters, animals, machines and tools, drawn by the mini-games'
own generators) on a white-rimmed badge of a light colour, in mixed sizes.

    Stickers.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp games/Stickers.stamp
"""

import sys

from PIL import Image

from palette import run_picture_generator, COLOURS, Canvas, lighter, rgba
import CountTheMaterials
import FennInstruction
import FrontEndScreens
import HammerTheNail
import HereToThere
import HideAndSeek
import PaintTheHouse
import PileOfLeaves
import PlanAJob
import StreetSigns
import TollerStacker
import ToolShed
import TrundelsDelivery

BADGE_COLOURS = ["Red", "Blue", "Green", "Purple", "Orange"]

# Badge sizes: round, small, tall, wide and large, so that the book's list
# shows some at their own size and scales the others down. A tall picture gets
# the tall badge and a wide one the wide badge; the rest take the square sizes
# in turn.
ROUND, SMALL, TALL, WIDE, LARGE = (120, 120), (90, 90), (150, 220), (220, 110), (160, 160)
SQUARES = [ROUND, LARGE, SMALL]
RIM = 12


def drawn(width, height, draw):
    """A picture drawn by a generator's helper that draws into a given canvas."""
    canvas = Canvas(width, height)
    draw(canvas)
    return canvas.result()


def layered(size, *parts):
    """Pictures laid over each other, each at its own offset."""
    picture = Image.new("RGBA", size, (0, 0, 0, 0))
    for part, offset in parts:
        picture.alpha_composite(part, offset)
    return picture


def caged(kind):
    """A caged animal as the game shows it: the animal inside, behind the bars."""
    return layered(HereToThere.CAGE_SIZE, (HereToThere.animal(kind), (8, 24)), (HereToThere.cage(), (0, 0)))


def digger():
    """The digger with its shovel raised."""
    return layered((160, 120), (CountTheMaterials.digger_body(0), (0, 0)), (CountTheMaterials.shovel(2), (0, 0)))


def fenn_at_work():
    """Fenn with a bucket of paint at one foot and his hammer at the other."""
    fenn = FennInstruction.fenn(FennInstruction.STANDING)
    fenn = fenn.crop(fenn.getbbox())
    paint = PaintTheHouse.bucket("Blue").resize((120, 125), Image.LANCZOS)
    hammer = ToolShed.tool_picture("Hammer", "Red").resize((120, 120), Image.LANCZOS)
    width, height = fenn.width + 160, fenn.height
    return layered((width, height), (fenn, (80, 0)), (paint, (0, height - paint.height)),
                   (hammer, (width - hammer.width, height - hammer.height)))


def character(name):
    return drawn(140, 170, lambda canvas: FrontEndScreens.character(canvas, name, 70, 100, 60))


def job(name):
    return drawn(200, 180, lambda canvas: PlanAJob.draw_job(canvas, name, 5, 0, 0, 2.0))


# The thirty motifs, by what they show.
MOTIFS = [
    ("cat", lambda: HideAndSeek.cat_frame(0, sitting=True)),
    ("Fenn at work", fenn_at_work),
    ("crane", lambda: TollerStacker.crane("happy", 0)),
    ("truck", lambda: HereToThere.truck(0)),
    ("bunny in its cage", lambda: caged("bunny")),
    ("dog", HideAndSeek.dog),
    ("Pondo", lambda: character("Pondo")),
    ("digger", digger),
    ("paint bucket", lambda: PaintTheHouse.bucket("Red")),
    ("rabbit", HideAndSeek.rabbit),
    ("scarecrow", lambda: ToolShed.scarecrow_frames()[2]),
    ("dumper", lambda: CountTheMaterials.dumper(0)),
    ("hammer", lambda: ToolShed.tool_picture("Hammer", "Blue")),
    ("piglet in its cage", lambda: caged("piglet")),
    ("Sloam", lambda: character("Sloam")),
    ("duck", HideAndSeek.duck),
    ("delivery truck", lambda: TrundelsDelivery.truck(0)),
    ("stop sign", lambda: StreetSigns.sign_picture("Octagon", "Red")),
    ("chick in its cage", lambda: caged("chick")),
    ("Grubbin", lambda: character("Grubbin")),
    ("wheelbarrow", lambda: HideAndSeek.obstacle(HideAndSeek.wheelbarrow)),
    ("sign crane", lambda: StreetSigns.crane_frame("happy", 1)),
    ("wrench", lambda: HammerTheNail.tool_in_box("Wrench", "Red")),
    ("saw", lambda: ToolShed.tool_picture("Saw", "Green")),
    ("puppy", lambda: PileOfLeaves.dog(1)),
    ("Fenn waving", lambda: FennInstruction.fenn(FennInstruction.WAVING)),
    ("drill", lambda: ToolShed.tool_picture("Drill", "Yellow")),
    ("doghouse", lambda: job("BuildDoghouse")),
    ("cones", lambda: HideAndSeek.obstacle(HideAndSeek.cone_pile)),
    ("house", lambda: HereToThere.house(COLOURS["White"], COLOURS["Red"], COLOURS["Brown"])),
]


def badge_size(picture, square):
    """The badge that suits the picture's shape."""
    ratio = picture.width / picture.height
    if ratio < 0.8:
        return TALL
    if ratio > 1.6:
        return WIDE
    return square


def badge(picture, size, colour):
    """The picture, trimmed and scaled to fit (keeping its shape), on a badge."""
    w, h = size
    picture = picture.crop(picture.getbbox())
    canvas = Canvas(w, h)
    canvas.rounded((3, 3, w - 3, h - 3), min(w, h) * 0.3, fill=rgba(COLOURS["White"]), width=3)
    canvas.rounded((RIM, RIM, w - RIM, h - RIM), min(w, h) * 0.24, fill=rgba(lighter(COLOURS[colour], 0.55)),
                   width=3)
    image = canvas.result()
    room_w, room_h = w - 2 * RIM - min(w, h) * 0.12, h - 2 * RIM - min(w, h) * 0.12
    scale = min(room_w / picture.width, room_h / picture.height)
    fitted = picture.resize((max(1, round(picture.width * scale)), max(1, round(picture.height * scale))),
                            Image.LANCZOS)
    image.alpha_composite(fitted, ((w - fitted.width) // 2, (h - fitted.height) // 2))
    return image


def stickers():
    made = {}
    for index, (_, draw) in enumerate(MOTIFS):
        picture = draw()
        size = badge_size(picture, SQUARES[index % len(SQUARES)])
        made["Sticker_%d" % index] = badge(picture, size, BADGE_COLOURS[index % len(BADGE_COLOURS)])
    return made


def pictures(font):
    """Every picture by its file name (without extension)."""
    return stickers()


def main(argv):
    return run_picture_generator(__doc__, pictures, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
