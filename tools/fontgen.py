#!/usr/bin/env python3
"""Renders a TrueType font into a bitmap font for the engine: an atlas picture
(white glyphs on transparent pixels) and a descriptor beside it.

The descriptor is text: six header numbers (glyph top, glyph height, spacing,
version, space width, glyph count), then one record per glyph (the character
in UTF-8, its x, width, y and height in the atlas), then the kerning table, one
row per listed character, in the order of the records. Version 3 fonts are used
by the engine as they stand, so the atlas is packed here.

    fontgen.py --font DejaVuSans-Bold.ttf --size 32 --output build/Resources/LoadingFont
writes LoadingFont.png and LoadingFont.txt.
"""

import argparse
import os
import sys

from PIL import Image, ImageDraw, ImageFont

# Printable ASCII and Latin-1: enough for English and Spanish text.
DEFAULT_CHARACTERS = [chr(c) for c in range(33, 127)] + [chr(c) for c in range(161, 256) if c != 173]
PADDING = 2
ATLAS_WIDTH = 512


def load_font(path, size):
    try:
        return ImageFont.truetype(path, size, layout_engine=ImageFont.Layout.RAQM)
    except (OSError, KeyError, ImportError):
        return ImageFont.truetype(path, size, layout_engine=ImageFont.Layout.BASIC)


def kerning_table(font, characters):
    advance = {c: font.getlength(c) for c in characters}
    table = []
    for a in characters:
        row = []
        for b in characters:
            value = int(round(font.getlength(a + b) - advance[a] - advance[b]))
            # The descriptor keeps one signed byte per pair.
            row.append(max(-128, min(127, value)))
        table.append(row)
    return table


def next_power_of_two(value):
    size = 1
    while size < value:
        size *= 2
    return size


def build(font_path, size, characters):
    font = load_font(font_path, size)
    ascent, descent = font.getmetrics()
    height = ascent + descent
    cells = []
    x = 0
    y = 0
    for c in characters:
        width = max(1, int(round(font.getlength(c))))
        if x + width + PADDING > ATLAS_WIDTH:
            x = 0
            y += height + PADDING
        cells.append((c, x, y, width))
        x += width + PADDING
    atlas_height = next_power_of_two(y + height)
    atlas = Image.new("RGBA", (ATLAS_WIDTH, atlas_height), (255, 255, 255, 0))
    draw = ImageDraw.Draw(atlas)
    for c, cx, cy, width in cells:
        # Each glyph is drawn in its own cell; ink beyond the cell is cut off.
        cell = Image.new("RGBA", (width, height), (255, 255, 255, 0))
        ImageDraw.Draw(cell).text((0, ascent), c, font=font, fill=(255, 255, 255, 255), anchor="ls")
        atlas.paste(cell, (cx, cy))
    del draw
    space_width = max(1, int(round(font.getlength(" "))))
    return atlas, cells, height, space_width, kerning_table(font, characters)


def descriptor_text(cells, height, space_width, kerning):
    lines = ["0 %d 0 3 %d %d" % (height, space_width, len(cells))]
    for c, x, y, width in cells:
        lines.append("%s %d %d %d %d" % (c, x, width, y, height))
    for row in kerning:
        lines.append(" ".join(str(v) for v in row))
    return "\n".join(lines) + "\n"


def write_if_changed(path, data):
    if os.path.exists(path):
        with open(path, "rb") as existing:
            if existing.read() == data:
                return
    temporary = path + ".tmp"
    with open(temporary, "wb") as out:
        out.write(data)
    os.replace(temporary, path)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--font", required=True, help="TrueType font file")
    parser.add_argument("--size", required=True, type=int, help="pixel size")
    parser.add_argument("--output", required=True, help="output path without extension")
    args = parser.parse_args(argv)
    if args.size <= 0 or args.size > 256:
        parser.error("the size must be between 1 and 256")
    if not os.path.isfile(args.font):
        parser.error("no font file at %s" % args.font)

    atlas, cells, height, space_width, kerning = build(args.font, args.size, DEFAULT_CHARACTERS)
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    atlas.save(args.output + ".png.tmp", format="PNG")
    os.replace(args.output + ".png.tmp", args.output + ".png")
    write_if_changed(args.output + ".txt", descriptor_text(cells, height, space_width, kerning).encode("utf-8"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
