#!/usr/bin/env python3
"""Draws the placeholder pictures of the loading screen from shapes and text:
two splash screens, the background and the empty and full progress bars.

    loadingart.py --font DejaVuSans-Bold.ttf --output-dir build/Resources

The bar pictures have fixed, flat colours so that tests can recognise them:
the empty bar is dark grey (64, 64, 64) inside a light frame, the full bar
orange (255, 153, 0) inside the same frame.
"""

import argparse
import os
import sys

from PIL import Image, ImageDraw, ImageFont

SCREEN = (800, 600)
BAR = (400, 40)
EMPTY_COLOUR = (64, 64, 64, 255)
FULL_COLOUR = (255, 153, 0, 255)
FRAME_COLOUR = (230, 230, 230, 255)


def save(image, path):
    temporary = path + ".tmp"
    image.save(temporary, format="PNG")
    os.replace(temporary, path)


def centred_text(draw, y, text, font, fill):
    width = draw.textlength(text, font=font)
    draw.text(((SCREEN[0] - width) / 2, y), text, font=font, fill=fill)


def crane(draw, x, ground, colour):
    # Mast, jib, counter-jib, hook line and a hanging block.
    draw.rectangle([x, ground - 300, x + 24, ground], fill=colour)
    for step in range(ground - 300, ground, 30):
        draw.line([x, step, x + 24, step + 30], fill=(90, 70, 0, 255), width=3)
    draw.rectangle([x - 120, ground - 320, x + 260, ground - 300], fill=colour)
    draw.polygon([(x, ground - 320), (x + 12, ground - 370), (x + 24, ground - 320)], fill=colour)
    draw.rectangle([x - 110, ground - 300, x - 60, ground - 260], fill=(120, 120, 120, 255))
    draw.line([x + 220, ground - 300, x + 220, ground - 170], fill=(40, 40, 40, 255), width=3)
    draw.rectangle([x + 195, ground - 170, x + 245, ground - 130], fill=(180, 60, 40, 255))


def splash_one(font_big, font_small):
    image = Image.new("RGBA", SCREEN, (120, 190, 235, 255))
    draw = ImageDraw.Draw(image)
    ground = 470
    draw.rectangle([0, ground, SCREEN[0], SCREEN[1]], fill=(196, 160, 100, 255))
    crane(draw, 520, ground, (250, 200, 0, 255))
    for i, colour in enumerate([(200, 70, 50, 255), (60, 120, 200, 255), (70, 160, 80, 255)]):
        left = 90 + i * 70
        draw.rectangle([left, ground - 60 - i * 30, left + 60, ground], fill=colour, outline=(40, 40, 40, 255), width=3)
    draw.ellipse([660, 40, 760, 140], fill=(255, 230, 80, 255))
    centred_text(draw, 60, "Quarrydale", font_big, (255, 255, 255, 255))
    centred_text(draw, 530, "¡Bienvenidos a la obra!", font_small, (60, 40, 20, 255))
    return image


def splash_two(font_big, font_small):
    image = Image.new("RGBA", SCREEN, (40, 50, 90, 255))
    draw = ImageDraw.Draw(image)
    for i in range(8):
        draw.regular_polygon((400, 300, 240 - i * 28), 6, rotation=i * 7,
                             fill=(60 + i * 20, 80 + i * 15, 140 + i * 10, 255))
    centred_text(draw, 250, "Corvane", font_big, (255, 255, 255, 255))
    centred_text(draw, 330, "2D engine", font_small, (220, 220, 255, 255))
    return image


def background(font_small):
    image = Image.new("RGBA", SCREEN, (0, 0, 0, 255))
    draw = ImageDraw.Draw(image)
    for y in range(SCREEN[1]):
        shade = int(30 + 60 * y / SCREEN[1])
        draw.line([0, y, SCREEN[0], y], fill=(shade, shade // 2, 10, 255))
    for x in range(-600, SCREEN[0], 80):
        draw.polygon([(x, 560), (x + 40, 560), (x + 100, 600), (x + 60, 600)], fill=(240, 200, 0, 255))
    centred_text(draw, 120, "Loading", font_small, (255, 220, 120, 255))
    return image


def bar(inside):
    image = Image.new("RGBA", BAR, FRAME_COLOUR)
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

    font_big = ImageFont.truetype(args.font, 72)
    font_small = ImageFont.truetype(args.font, 36)
    pictures = {
        "Splash1": splash_one(font_big, font_small),
        "Splash2": splash_two(font_big, font_small),
        "LoadingBackground": background(font_small),
        "LoadingEmpty": bar(EMPTY_COLOUR),
        "LoadingFull": bar(FULL_COLOUR),
    }
    for name, image in pictures.items():
        save(image, os.path.join(args.output_dir, name + ".png"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
