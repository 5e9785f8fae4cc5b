#!/usr/bin/env python3
"""Draws the sticker reward screen shown after a won mini-game: the turning
starburst behind the sticker, the congratulation in English and Spanish, the
golden badge shown when the sticker book is complete, and the wordless button
that moves on.

    StickerReward.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp games/StickerReward.stamp
"""

import math
import sys

from palette import run_picture_generator, COLOURS, OUTLINE, Canvas, lighter, rgba
import uiart

STARBURST_SIZE = 340
BADGE_SIZE = 120


def starburst():
    """Sixteen rays in two warm colours, fading at their ends, round a soft core."""
    size = STARBURST_SIZE
    canvas = Canvas(size, size)
    c = size / 2
    rays = 16
    for i in range(rays):
        a0 = 2 * math.pi * i / rays
        a1 = a0 + math.pi / rays
        colour = COLOURS["Yellow"] if i % 2 == 0 else COLOURS["Orange"]
        canvas.polygon([(c, c), (c + c * math.cos(a0), c + c * math.sin(a0)),
                        (c + c * math.cos(a1), c + c * math.sin(a1))], fill=rgba(colour, 235), outline=None)
    for radius, amount in ((112, 0.45), (86, 0.75)):
        canvas.ellipse((c - radius, c - radius, c + radius, c + radius), fill=rgba(lighter(COLOURS["Yellow"], amount)),
                       outline=None)
    return canvas.result()


def message(text, font):
    w, h = 560, 72
    canvas = Canvas(w, h)
    canvas.fit_text((w / 2, h / 2), text, font, 48, w - 20, rgba(COLOURS["Yellow"]), stroke=5)
    return canvas.result()


def book_complete_badge():
    """A golden rosette with a star: every sticker is in the book."""
    size = BADGE_SIZE
    canvas = Canvas(size, size)
    c = size / 2
    canvas.polygon(uiart.star_points(c, c, c - 3, c - 11, count=20, turn=0), fill=rgba(COLOURS["Orange"]), width=3)
    canvas.ellipse((14, 14, size - 14, size - 14), fill=rgba(COLOURS["Yellow"]), width=3)
    canvas.polygon(uiart.star_points(c, c + 3, size * 0.3, size * 0.13), fill=rgba(lighter(COLOURS["Yellow"], 0.6)),
                   outline=OUTLINE, width=3)
    return canvas.result()


def forward_icon(canvas, centre, size, ink, outline):
    """A fat arrow pointing on."""
    cx, cy = centre
    s = size * 0.5
    canvas.polygon([(cx - s * 0.8, cy - s * 0.28), (cx, cy - s * 0.28), (cx, cy - s * 0.7), (cx + s * 0.85, cy),
                    (cx, cy + s * 0.7), (cx, cy + s * 0.28), (cx - s * 0.8, cy + s * 0.28)], fill=ink,
                   outline=outline, width=3)


def pictures(font):
    made = {
        "StickerReward_Starburst": starburst(),
        "StickerReward_Message_EN": message("Great job! A sticker for you!", font),
        "StickerReward_Message_SP": message("¡Muy bien! ¡Una pegatina para ti!", font),
        "StickerReward_BookComplete": book_complete_badge(),
    }
    for state, image in enumerate(uiart.button(104, 104, COLOURS["Green"], None, font, forward_icon, "round")):
        made["Button_StickerResume_%d" % state] = image
    return made


def main(argv):
    return run_picture_generator(__doc__, pictures, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
