#!/usr/bin/env python3
"""Draws the pictures of the loading screen: two splash screens, the
background and the empty and full progress bars, in the look of the title
screen (tools/uiart.py).

    loadingart.py --font DejaVuSans-Bold.ttf --output-dir build/Resources

Some colours are fixed so that tests can recognise them: the first splash's
sky is flat (120, 190, 235); the empty bar is dark grey (64, 64, 64) inside a
light frame, the full bar orange (255, 153, 0) inside the same frame; and the
background has no near-white pixels where the white percentage is written
(y 420 to 460).
"""

import argparse
import math
import os
import sys

from PIL import Image

from palette import COLOURS, OUTLINE, Canvas, darker, lighter, rgba, save
from uiart import logo, title_background

SCREEN = (800, 600)
BAR = (400, 40)
SPLASH_SKY = (120, 190, 235)
EMPTY_COLOUR = (64, 64, 64, 255)
FULL_COLOUR = (255, 153, 0, 255)
FRAME_COLOUR = (230, 230, 230, 255)


def splash_one(font):
    """The game's splash: the building site under a flat sky, with the logo."""
    image = title_background(font, flat_sky=SPLASH_SKY)
    image.alpha_composite(logo("¡Hola! Hello!", font), (120, 150))
    return image


def splash_two(font):
    """The engine's splash: a friendly gear on a night-blue field."""
    canvas = Canvas(*SCREEN, background=(40, 50, 90, 255))
    for i in range(7):
        r = 300 - i * 36
        canvas.ellipse((400 - r, 300 - r, 400 + r, 300 + r), fill=rgba(lighter((40, 50, 90), 0.06 * i)), outline=None)
    cx, cy = 400, 250
    points = []
    for i in range(48):
        a = 2 * math.pi * i / 48
        radius = 120 if (i % 6) in (1, 2, 3) else 96
        points.append((cx + radius * math.cos(a), cy + radius * math.sin(a)))
    canvas.polygon(points, fill=rgba(COLOURS["Orange"]), width=5)
    canvas.ellipse((cx - 40, cy - 40, cx + 40, cy + 40), fill=(40, 50, 90, 255), width=5)
    canvas.text((400, 430), "Corvane", font, 64, rgba(COLOURS["White"]), stroke=5)
    canvas.text((400, 490), "2D engine", font, 30, rgba(lighter((40, 50, 90), 0.7)), outline=None)
    return canvas.result()


def background(font):
    """Behind the progress bar: the building site at dusk, with a sign saying what happens."""
    image = title_background(font)
    # Dim the scene a little so the white percentage stands out.
    shade = Image.new("RGBA", SCREEN, (20, 30, 60, 110))
    image.alpha_composite(shade)
    canvas = Canvas(*SCREEN)
    canvas.rounded((220, 120, 580, 260), 24, fill=rgba((214, 140, 66)), width=5)
    for nx, ny in ((240, 140), (560, 140), (240, 240), (560, 240)):
        canvas.ellipse((nx - 6, ny - 6, nx + 6, ny + 6), fill=rgba(COLOURS["Gray"]), width=2)
    canvas.text((400, 168), "Loading...", font, 44, rgba(COLOURS["Yellow"]), stroke=4)
    canvas.text((400, 220), "Cargando...", font, 36, rgba(lighter(COLOURS["Yellow"], 0.4)), stroke=4)
    image.alpha_composite(canvas.result())
    # Nothing near white may stay in the band of the percentage text.
    pixels = image.load()
    for y in range(410, 470):
        for x in range(140, 660):
            r, g, b, a = pixels[x, y]
            if r > 190 and g > 190 and b > 190:
                pixels[x, y] = (int(r * 0.7), int(g * 0.7), int(b * 0.7), a)
    return image


def bar(inside):
    image = Image.new("RGBA", BAR, FRAME_COLOUR)
    from PIL import ImageDraw
    ImageDraw.Draw(image).rectangle([3, 3, BAR[0] - 4, BAR[1] - 4], fill=inside)
    return image


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--font", required=True, help="TrueType font for the lettering")
    parser.add_argument("--output-dir", required=True)
    args = parser.parse_args(argv)
    if not os.path.isfile(args.font):
        parser.error("no font file at %s" % args.font)
    os.makedirs(args.output_dir, exist_ok=True)

    pictures = {
        "Splash1": splash_one(args.font),
        "Splash2": splash_two(args.font),
        "LoadingBackground": background(args.font),
        "LoadingEmpty": bar(EMPTY_COLOUR),
        "LoadingFull": bar(FULL_COLOUR),
    }
    for name, image in pictures.items():
        save(image, os.path.join(args.output_dir, name + ".png"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
