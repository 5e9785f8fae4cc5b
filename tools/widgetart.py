#!/usr/bin/env python3
"""Draws the pictures of the engine's widget controls for the widget gallery
and the layout designer: flat state images in which every state has a colour
of its own (so that a test can tell them apart by one pixel), nine-slice
frames for lists, text fields and panels, three-slice strips for the slider,
the scroll bar and stretchable buttons, and the text cursor.

    widgetart.py --output-dir build/qdl/Resources --stamp widgetart.stamp

An image list <name> is written as <name>_0.png, <name>_1.png, ...
"""

import argparse
import os
import sys

from PIL import Image, ImageDraw

from palette import COLOURS, CREAM, OUTLINE, save
import outputs

# Fills by state: normal, hot, pressed, disabled, focused. Boxes are pale,
# buttons and thumbs strong; the interiors are flat so one pixel tells the state.
BOX_FILLS = [(236, 239, 241), (255, 224, 130), (144, 164, 174), (189, 189, 189), (129, 212, 250)]
BUTTON_FILLS = [(30, 136, 229), (100, 181, 246), (13, 71, 161), (158, 158, 158), (67, 160, 71)]
CHECK_MARK = (46, 125, 50)
BORDER = OUTLINE[:3]
FRAME_BORDER = (84, 110, 122)
WHITE = (255, 255, 255)
# Lists and text fields are dark with light text, as the layout designer's
# column draws every value in white.
FIELD_FILL = (38, 50, 56)


def rgba(colour, alpha=255):
    return (colour[0], colour[1], colour[2], alpha)


def flat(width, height, fill, border=BORDER, sides="ltrb", thickness=2):
    """A filled rectangle with a border on the named sides."""
    image = Image.new("RGBA", (width, height), rgba(fill))
    draw = ImageDraw.Draw(image)
    if "l" in sides:
        draw.rectangle((0, 0, thickness - 1, height - 1), fill=rgba(border))
    if "r" in sides:
        draw.rectangle((width - thickness, 0, width - 1, height - 1), fill=rgba(border))
    if "t" in sides:
        draw.rectangle((0, 0, width - 1, thickness - 1), fill=rgba(border))
    if "b" in sides:
        draw.rectangle((0, height - thickness, width - 1, height - 1), fill=rgba(border))
    return image


def three_slice(cap, middle, height, fill, extra=None):
    """Left cap, middle and right cap of one state."""
    pieces = [flat(cap, height, fill, sides="ltb"), flat(middle, height, fill, sides="tb"),
              flat(cap, height, fill, sides="rtb")]
    if extra:
        for piece in pieces:
            extra(piece)
    return pieces


def nine_slice(corner, edge, fill, border):
    """Top-left, top, top-right, left, centre, right, bottom-left, bottom, bottom-right."""
    sizes = [(corner, corner), (edge, corner), (corner, corner),
             (corner, edge), (edge, edge), (corner, edge),
             (corner, corner), (edge, corner), (corner, corner)]
    sides = ["lt", "t", "rt", "l", "", "r", "lb", "b", "rb"]
    return [flat(w, h, fill, border, s) for (w, h), s in zip(sizes, sides)]


def check_box(state, checked):
    image = flat(20, 20, BOX_FILLS[state])
    if checked:
        ImageDraw.Draw(image).rectangle((6, 6, 13, 13), fill=rgba(CHECK_MARK))
    return image


def radio(state):
    image = Image.new("RGBA", (20, 20), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.ellipse((0, 0, 19, 19), fill=rgba(BOX_FILLS[state]), outline=rgba(BORDER), width=2)
    if state == 2:
        draw.ellipse((6, 6, 13, 13), fill=rgba(CHECK_MARK))
    return image


def arrow(state, up):
    image = flat(16, 16, BUTTON_FILLS[state], sides="ltrb", thickness=1)
    points = [(3, 11), (12, 11), (8, 4)] if up else [(3, 4), (12, 4), (8, 11)]
    ImageDraw.Draw(image).polygon(points, fill=rgba(WHITE))
    return image


def thumb(state):
    image = Image.new("RGBA", (16, 24), (0, 0, 0, 0))
    ImageDraw.Draw(image).rounded_rectangle((0, 0, 15, 23), radius=4, fill=rgba(BUTTON_FILLS[state]),
                                            outline=rgba(BORDER), width=2)
    return image


def badge():
    image = Image.new("RGBA", (40, 40), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.ellipse((0, 0, 39, 39), fill=rgba(COLOURS["Yellow"]), outline=rgba(BORDER), width=3)
    draw.ellipse((13, 13, 26, 26), fill=rgba(COLOURS["Orange"]))
    return image


def pictures():
    made = {}

    def lists(name, images):
        for index, image in enumerate(images):
            made["%s_%d" % (name, index)] = image

    lists("GenericCheckbox", [check_box(s, False) for s in range(5)] + [check_box(s, True) for s in range(5)])

    def mark(piece):
        ImageDraw.Draw(piece).rectangle((0, 9, piece.width - 1, 14), fill=rgba(CHECK_MARK))

    unchecked = [p for s in range(5) for p in three_slice(6, 8, 24, BOX_FILLS[s])]
    checked = [p for s in range(5) for p in three_slice(6, 8, 24, BOX_FILLS[s], mark)]
    lists("GenericCheckbox30", unchecked + checked)
    lists("GenericRadio", [radio(s) for s in range(5)])

    def button_face(state):
        image = Image.new("RGBA", (120, 32), (0, 0, 0, 0))
        ImageDraw.Draw(image).rounded_rectangle((0, 0, 119, 31), radius=6, fill=rgba(BUTTON_FILLS[state]),
                                                outline=rgba(BORDER), width=2)
        return image

    lists("GenericButton4", [button_face(s) for s in range(4)])
    lists("GenericButton5", [button_face(s) for s in range(5)])
    lists("GenericButton15", [p for s in range(5) for p in three_slice(10, 8, 32, BUTTON_FILLS[s])])

    lists("GenericSliderChannel", three_slice(6, 8, 12, (120, 144, 156)))
    lists("GenericSliderThumb", [thumb(s) for s in range(5)])
    lists("GenericScrollChannel", [flat(16, 6, (176, 190, 197), sides="ltr"), flat(16, 8, (176, 190, 197), sides="lr"),
                                   flat(16, 6, (176, 190, 197), sides="lrb")])
    lists("GenericScrollUp", [arrow(s, True) for s in range(4)])
    lists("GenericScrollDown", [arrow(s, False) for s in range(4)])

    lists("GenericList", nine_slice(6, 8, FIELD_FILL, FRAME_BORDER))
    lists("GenericTextEditField", nine_slice(4, 8, FIELD_FILL, FRAME_BORDER))
    lists("GenericPanel", nine_slice(10, 8, CREAM[:3], COLOURS["Brown"]))
    strip = COLOURS["Orange"]
    lists("GenericStrip", three_slice(8, 8, 12, strip))
    made["GenericTextEditCursor"] = Image.new("RGBA", (2, 16), rgba(WHITE))
    made["GenericBadge"] = badge()
    return made


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--output-dir", required=True)
    parser.add_argument("--stamp", help="file touched when every picture is written")
    args = parser.parse_args(argv)
    os.makedirs(args.output_dir, exist_ok=True)
    made = pictures()
    for name, image in made.items():
        save(image, os.path.join(args.output_dir, name + ".png"))
    outputs.finish(args.stamp, args.output_dir, [name + ".png" for name in made])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
