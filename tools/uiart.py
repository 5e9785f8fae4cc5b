#!/usr/bin/env python3
"""Draws the pictures of the front-end screens from shapes and lettering: the
title background and logo in English and Spanish, the swinging play sign, the
buttons with their four state images (normal, hot, pressed, disabled), the
popup window with its headings, and the cursors.

    uiart.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources

Button state images are written as <name>_0.png .. <name>_3.png; the sign's
frames as one film strip, left to right.
"""

import math
import sys

from PIL import Image

from palette import (run_picture_generator, COLOURS, CREAM, OUTLINE, SKY, Canvas, darker, greyed, lighter, rgba)

WOOD = (214, 140, 66)
WHITE = rgba(COLOURS["White"])

# Title play sign: the board, and the frames of its swing.
SIGN_BOARD = (220, 90)
SIGN_FRAME = (260, 150)
SIGN_FRAMES = 12
SIGN_SWING_DEGREES = 6.0


# --- buttons -----------------------------------------------------------------

# The margin between a button's picture and its face.
BUTTON_INSET = 4


def caption_room(width, height, caption, icon=None):
    """A button's caption, the size it starts from and the width it may take."""
    return caption, height * 0.42, (width - 2 * BUTTON_INSET) - (height * 0.7 if icon else 24)


def caption_size(font, buttons):
    """One caption size for buttons seen together, each given as (width, height, caption[, icon])."""
    return Canvas.shared_size(font, [caption_room(*button) for button in buttons])


def button_state(width, height, colour, state, caption, font, icon=None, shape="rounded", size=None):
    """One state image: 0 normal, 1 hot, 2 pressed, 3 disabled; the caption at size, or as large as fits."""
    canvas = Canvas(width, height)
    body = {0: colour, 1: lighter(colour, 0.25), 2: darker(colour, 0.15), 3: greyed(colour)}[state]
    drop = 2 if state == 2 else 0
    inset = BUTTON_INSET
    shadow = (inset, inset + 5, width - inset, height - inset + 1)
    face = (inset, inset + drop, width - inset, height - inset - 5 + drop)
    radius = min(width, height) * 0.3
    outline = OUTLINE if state != 3 else rgba(darker(greyed(colour), 0.45))
    if shape == "round":
        if state != 2:
            canvas.ellipse(shadow, fill=(0, 0, 0, 70), outline=None)
        canvas.ellipse(face, fill=rgba(body), outline=outline, width=3)
        highlight = (face[0] + 12, face[1] + 8, face[2] - 12, (face[1] + face[3]) / 2 - 4)
        canvas.ellipse(highlight, fill=rgba(lighter(body, 0.35), 110), outline=None)
    else:
        if state != 2:
            canvas.rounded(shadow, radius, fill=(0, 0, 0, 70), outline=None)
        canvas.rounded(face, radius, fill=rgba(body), outline=outline, width=3)
        highlight = (face[0] + 10, face[1] + 6, face[2] - 10, (face[1] + face[3]) / 2 - 2)
        canvas.rounded(highlight, radius * 0.6, fill=rgba(lighter(body, 0.35), 110), outline=None)
    if state == 1:
        canvas.rounded((face[0] + 2, face[1] + 2, face[2] - 2, face[3] - 2), radius, fill=None,
                       outline=(255, 255, 255, 160), width=3) if shape != "round" else \
            canvas.ellipse((face[0] + 3, face[1] + 3, face[2] - 3, face[3] - 3), fill=None,
                           outline=(255, 255, 255, 160), width=3)
    centre = ((face[0] + face[2]) / 2, (face[1] + face[3]) / 2)
    ink = WHITE if state != 3 else (245, 245, 245, 255)
    if icon:
        icon(canvas, centre, min(width, height) * 0.5, ink, outline)
    if caption:
        if icon:
            centre = (centre[0] + height * 0.28, centre[1])
        _, largest, room = caption_room(width, height, caption, icon)
        canvas.fit_text(centre, caption, font, size or largest, room, ink, outline=outline, stroke=3)
    return canvas.result()


def button(width, height, colour, caption, font, icon=None, shape="rounded", size=None):
    return [button_state(width, height, colour, state, caption, font, icon, shape, size) for state in range(4)]


def play_icon(canvas, centre, size, ink, outline):
    x = centre[0] - SIGN_BOARD[0] * 0.28
    y = centre[1]
    r = size * 0.42
    canvas.polygon([(x - r * 0.6, y - r), (x + r, y), (x - r * 0.6, y + r)], fill=ink, outline=outline, width=3)


def gear_icon(canvas, centre, size, ink, outline):
    cx, cy = centre
    outer = size * 0.62
    inner = size * 0.46
    teeth = 8
    points = []
    for i in range(teeth * 4):
        angle = 2 * math.pi * i / (teeth * 4)
        radius = outer if (i % 4) in (1, 2) else inner
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    canvas.polygon(points, fill=ink, outline=outline, width=3)
    hole = size * 0.2
    canvas.ellipse((cx - hole, cy - hole, cx + hole, cy + hole), fill=rgba(COLOURS["Blue"]), outline=outline, width=3)


def star_points(cx, cy, outer, inner, count=5, turn=-math.pi / 2):
    points = []
    for i in range(count * 2):
        radius = outer if i % 2 == 0 else inner
        angle = turn + math.pi * i / count
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def star_icon(canvas, centre, size, ink, outline):
    canvas.polygon(star_points(centre[0], centre[1] + 2, size * 0.66, size * 0.3), fill=ink, outline=outline, width=3)


def door_icon(canvas, centre, size, ink, outline):
    cx, cy = centre
    w = size * 0.62
    h = size * 0.95
    canvas.rounded((cx - w / 2 - 4, cy - h / 2, cx + w / 2 - 4, cy + h / 2), 4, fill=ink, outline=outline, width=3)
    canvas.ellipse((cx + w / 2 - 18, cy - 3, cx + w / 2 - 10, cy + 5), fill=rgba(COLOURS["Yellow"]),
                   outline=outline, width=2)
    # An arrow leaving through the door.
    canvas.line([(cx + 2, cy + h / 2 + 2), (cx + w / 2 + 10, cy + h / 2 + 2)], fill=outline, width=0.1)
    ax = cx + w / 2 + 2
    canvas.polygon([(ax, cy - 9), (ax + 14, cy), (ax, cy + 9)], fill=ink, outline=outline, width=3)


def check_icon(canvas, centre, size, ink, outline):
    cx, cy = centre
    cx -= size * 0.9
    s = size * 0.35
    canvas.line([(cx - s, cy), (cx - s * 0.2, cy + s * 0.8), (cx + s, cy - s * 0.8)], fill=outline, width=11)
    canvas.line([(cx - s, cy), (cx - s * 0.2, cy + s * 0.8), (cx + s, cy - s * 0.8)], fill=ink, width=6)


def cross_icon(canvas, centre, size, ink, outline):
    cx, cy = centre
    cx -= size * 0.9
    s = size * 0.3
    for a, b in (((cx - s, cy - s), (cx + s, cy + s)), ((cx + s, cy - s), (cx - s, cy + s))):
        canvas.line([a, b], fill=outline, width=11)
    for a, b in (((cx - s, cy - s), (cx + s, cy + s)), ((cx + s, cy - s), (cx - s, cy + s))):
        canvas.line([a, b], fill=ink, width=6)


# --- the play sign -------------------------------------------------------------

def sign_board(canvas, left, top, caption, font, colour=WOOD, ink=WHITE):
    w, h = SIGN_BOARD
    canvas.rounded((left, top + 5, left + w, top + h), 18, fill=(0, 0, 0, 60), outline=None)
    canvas.rounded((left, top, left + w, top + h - 5), 18, fill=rgba(colour), outline=OUTLINE, width=4)
    # Planks and nails.
    canvas.line([(left + 10, top + (h - 5) / 2), (left + w - 10, top + (h - 5) / 2)],
                fill=rgba(darker(colour, 0.18)), width=2)
    for nx in (left + 14, left + w - 14):
        for ny in (top + 14, top + h - 19):
            canvas.ellipse((nx - 4, ny - 4, nx + 4, ny + 4), fill=rgba(COLOURS["Gray"]), outline=OUTLINE, width=1.5)
    centre = (left + w / 2 + 22, top + (h - 5) / 2)
    play_icon(canvas, (left + w / 2, top + (h - 5) / 2), h * 0.7, rgba(COLOURS["Green"]), OUTLINE)
    canvas.fit_text(centre, caption, font, 40, w - 90, ink, stroke=3)


def sign_frames(caption, font):
    """The sign hanging from two ropes, swinging about its hook."""
    fw, fh = SIGN_FRAME
    still = Canvas(fw, fh)
    left = (fw - SIGN_BOARD[0]) / 2
    top = 44
    hook = (fw / 2, 6)
    for x in (left + 40, left + SIGN_BOARD[0] - 40):
        still.line([hook, (x, top + 4)], fill=rgba((120, 85, 50)), width=4)
    still.ellipse((hook[0] - 6, hook[1] - 4, hook[0] + 6, hook[1] + 8), fill=rgba(COLOURS["Gray"]), width=2)
    sign_board(still, left, top, caption, font)
    picture = still.result()
    # One file per frame: a sprite type's images are an image list.
    frames = []
    for i in range(SIGN_FRAMES):
        angle = SIGN_SWING_DEGREES * math.sin(2 * math.pi * i / SIGN_FRAMES)
        frames.append(picture.rotate(angle, resample=Image.BICUBIC, center=hook))
    return frames


def play_button(caption, font):
    """The still board under the mouse: brighter when hot, pushed in when pressed."""
    w, h = SIGN_BOARD
    images = []
    for state in range(4):
        canvas = Canvas(w, h)
        colour = {0: WOOD, 1: lighter(WOOD, 0.22), 2: darker(WOOD, 0.12), 3: greyed(WOOD)}[state]
        offset = 2 if state == 2 else 0
        sign_board(canvas, 0, offset - (1 if state == 2 else 0), caption, font, colour)
        if state == 1:
            canvas.rounded((3, 3, w - 3, h - 8), 16, fill=None, outline=(255, 255, 255, 170), width=3)
        images.append(canvas.result())
    return images


# --- the title ---------------------------------------------------------------

def title_background(font, flat_sky=None):
    """The building site in the park: sky, sun, clouds, hills, a crane and a truck.
    A flat sky colour replaces the gradient when given."""
    w, h = 800, 600
    canvas = Canvas(w, h, background=rgba(flat_sky or SKY))
    if not flat_sky:
        for y in range(0, h * 2, 4):
            shade = lighter(darker(SKY, 0.12), min(1.0, y / (h * 2.2)))
            canvas.draw.rectangle([0, y, w * 2, y + 4], fill=rgba(shade))
    # Sun with rays.
    cx, cy = 690, 90
    for i in range(12):
        a = 2 * math.pi * i / 12
        canvas.polygon([(cx + 52 * math.cos(a - 0.12), cy + 52 * math.sin(a - 0.12)),
                        (cx + 78 * math.cos(a), cy + 78 * math.sin(a)),
                        (cx + 52 * math.cos(a + 0.12), cy + 52 * math.sin(a + 0.12))],
                       fill=rgba(COLOURS["Yellow"]), outline=None)
    canvas.ellipse((cx - 46, cy - 46, cx + 46, cy + 46), fill=rgba(COLOURS["Yellow"]), width=3)
    # Clouds.
    for x, y, s in ((90, 80, 1.0), (330, 50, 0.8), (520, 150, 0.7)):
        for dx, dy, r in ((0, 10, 26), (26, -4, 32), (58, 8, 26), (30, 16, 24)):
            canvas.ellipse((x + dx * s - r * s, y + dy * s - r * s, x + dx * s + r * s, y + dy * s + r * s),
                           fill=WHITE, outline=None)
    # Hills, a far one filling the dip between the two near ones.
    canvas.ellipse((200, 360, 620, 700), fill=rgba(darker(COLOURS["Green"], 0.12)), width=3)
    canvas.ellipse((-200, 330, 420, 760), fill=rgba(lighter(COLOURS["Green"], 0.25)), width=3)
    canvas.ellipse((300, 350, 1000, 800), fill=rgba(COLOURS["Green"]), width=3)
    # Quarry ground.
    canvas.polygon([(0, 470), (800, 450), (800, 600), (0, 600)], fill=rgba((196, 150, 96)), width=3)
    for x, y in ((60, 520), (250, 560), (420, 505), (640, 545), (740, 500)):
        canvas.ellipse((x - 14, y - 8, x + 14, y + 8), fill=rgba(COLOURS["Gray"]), width=2)
    # A crane on the right.
    base = 470
    mx = 600
    yellow = rgba(COLOURS["Yellow"])
    canvas.rounded((mx - 30, base - 18, mx + 54, base + 4), 4, fill=rgba(COLOURS["Gray"]), width=3)
    canvas.rounded((mx, base - 300, mx + 24, base - 16), 2, fill=yellow, width=3)
    for y in range(base - 290, base - 30, 28):
        canvas.line([(mx + 3, y), (mx + 21, y + 26)], fill=OUTLINE, width=2)
    canvas.rounded((mx - 110, base - 322, mx + 190, base - 300), 3, fill=yellow, width=3)
    canvas.polygon([(mx, base - 322), (mx + 12, base - 360), (mx + 24, base - 322)], fill=yellow, width=3)
    canvas.rounded((mx - 104, base - 300, mx - 60, base - 262), 3, fill=rgba(COLOURS["Gray"]), width=3)
    canvas.line([(mx + 160, base - 300), (mx + 160, base - 200)], fill=OUTLINE, width=3)
    canvas.rounded((mx + 130, base - 200, mx + 190, base - 160), 4, fill=rgba(COLOURS["Red"]), width=3)
    canvas.line([(mx + 130, base - 180), (mx + 190, base - 180)], fill=OUTLINE, width=2)
    # A dump truck on the left.
    tx, ty = 350, 430
    canvas.polygon([(tx, ty), (tx + 120, ty), (tx + 110, ty + 50), (tx + 10, ty + 50)],
                   fill=rgba(COLOURS["Orange"]), width=3)
    canvas.rounded((tx + 112, ty + 10, tx + 170, ty + 62), 8, fill=rgba(COLOURS["Orange"]), width=3)
    canvas.rounded((tx + 130, ty + 18, tx + 160, ty + 38), 4, fill=rgba(lighter(SKY, 0.4)), width=2)
    canvas.rounded((tx - 4, ty + 46, tx + 176, ty + 66), 6, fill=rgba(COLOURS["Black"]), width=3)
    for wx in (tx + 30, tx + 140):
        canvas.ellipse((wx - 20, ty + 52, wx + 20, ty + 92), fill=rgba(COLOURS["Black"]), width=3)
        canvas.ellipse((wx - 8, ty + 64, wx + 8, ty + 80), fill=rgba(COLOURS["Gray"]), width=2)
    # Cones and bricks.
    for cx in (262, 298):
        canvas.polygon([(cx - 14, 505), (cx, 465), (cx + 14, 505)], fill=rgba(COLOURS["Orange"]), width=3)
        canvas.line([(cx - 8, 488), (cx + 8, 488)], fill=WHITE, width=4)
        canvas.rounded((cx - 20, 503, cx + 20, 511), 2, fill=rgba(COLOURS["Orange"]), width=2)
    for row in range(3):
        for col in range(4 - row):
            bx = 690 + col * 24 + row * 12
            by = 540 - row * 14
            canvas.rounded((bx, by, bx + 24, by + 14), 2, fill=rgba(COLOURS["Red"]), width=2)
    return canvas.result()


def logo(subtitle, font):
    """The game's name, with a ribbon under it when there is a subtitle."""
    w, h = 560, 210 if subtitle else 150
    canvas = Canvas(w, h)
    canvas.text((w / 2 + 3, 62 + 5), "Quarrydale", font, 84, (0, 0, 0, 70), outline=None)
    canvas.text((w / 2, 62), "Quarrydale", font, 84, rgba(COLOURS["Yellow"]), stroke=6)
    canvas.text((w / 2, 128), "Yarrowfete", font, 46, rgba(COLOURS["Orange"]), stroke=5)
    if not subtitle:
        return canvas.result()
    # A ribbon under the name.
    ribbon = rgba(COLOURS["Blue"])
    canvas.polygon([(70, 160), (110, 160), (104, 178), (110, 196), (70, 196), (84, 178)],
                   fill=rgba(darker(COLOURS["Blue"], 0.25)), width=3)
    canvas.polygon([(w - 70, 160), (w - 110, 160), (w - 104, 178), (w - 110, 196), (w - 70, 196), (w - 84, 178)],
                   fill=rgba(darker(COLOURS["Blue"], 0.25)), width=3)
    canvas.rounded((100, 152, w - 100, 192), 10, fill=ribbon, width=3)
    canvas.fit_text((w / 2, 172), subtitle, font, 28, w - 230, WHITE, stroke=3)
    return canvas.result()


# --- the popup -----------------------------------------------------------------

def popup_window():
    w, h = 500, 340
    canvas = Canvas(w, h)
    canvas.rounded((6, 12, w - 2, h - 2), 28, fill=(0, 0, 0, 80), outline=None)
    canvas.rounded((2, 4, w - 8, h - 10), 28, fill=rgba(COLOURS["Orange"]), width=4)
    canvas.rounded((16, 18, w - 22, h - 24), 20, fill=CREAM, width=3)
    # Bolts in the corners of the plate.
    for bx, by in ((20, 12), (w - 26, 12), (20, h - 20), (w - 26, h - 20)):
        canvas.ellipse((bx - 7, by - 7, bx + 7, by + 7), fill=rgba(COLOURS["Gray"]), width=2)
    # A striped warning band along the top.
    band = Canvas(w - 80, 16)
    for x in range(-20, w, 28):
        band.polygon([(x, 16), (x + 14, 0), (x + 28, 0), (x + 14, 16)], fill=rgba(COLOURS["Black"]), outline=None)
    strip = Canvas(w, h)
    strip.rounded((40, 30, w - 46, 46), 6, fill=rgba(COLOURS["Yellow"]), outline=None)
    strip.paste(band, (40, 30))
    strip.rounded((40, 30, w - 46, 46), 6, fill=None, width=2)
    canvas.paste(strip, (0, 0))
    return canvas.result()


def heading(text, font):
    w, h = 420, 64
    canvas = Canvas(w, h)
    canvas.fit_text((w / 2, h / 2), text, font, 44, w - 20, rgba(COLOURS["Blue"]), stroke=4)
    return canvas.result()


# --- cursors -----------------------------------------------------------------

# Both cursors have their tip on one pixel, (21, 4) with the outline, so that
# one hot spot serves both ("DefaultCursorRegPt" and "HandCursorRegPt").
CURSOR_TIP = (20, 3)


def arrow_cursor():
    canvas = Canvas(57, 44)
    tip_x, tip_y = CURSOR_TIP
    outline = [(0, 0), (0, 31), (8, 24), (14, 37), (21, 34), (15, 21), (26, 21)]
    canvas.polygon([(tip_x + x, tip_y + y) for x, y in outline], fill=rgba(COLOURS["Yellow"]), width=3)
    return canvas.result()


def hand_cursor():
    canvas = Canvas(44, 48)
    skin = rgba((255, 224, 178))
    # The index finger points up from the left of the fist with the thumb
    # folded across its front: a finger raised from the middle of a fist reads
    # as a rude sign.
    canvas.rounded((16, 3, 26, 30), 5, fill=skin, width=2.5)
    canvas.rounded((14, 19, 42, 44), 9, fill=skin, width=2.5)
    for x in (30, 36):
        canvas.line([(x, 20), (x, 28)], fill=OUTLINE, width=2)
    canvas.rounded((16, 3, 26, 24), 5, fill=skin, outline=None)
    canvas.line([(16, 8), (16, 22)], fill=OUTLINE, width=2.5)
    canvas.line([(26, 8), (26, 21)], fill=OUTLINE, width=2.5)
    canvas.rounded((8, 26, 30, 37), 5, fill=skin, width=2.5)
    canvas.rounded((12, 38, 42, 47), 3, fill=rgba(COLOURS["Blue"]), width=2.5)
    return canvas.result()


# -------------------------------------------------------------------------------

def pictures(font):
    """Every picture by its file name (without extension)."""
    made = {}

    def states(name, images):
        for index, image in enumerate(images):
            made["%s_%d" % (name, index)] = image

    made["Title_Background"] = title_background(font)
    made["Title_Logo_EN"] = logo("Let's build!", font)
    made["Title_Logo_SP"] = logo("¡A construir!", font)
    states("PlayButtonSign_EN", sign_frames("Play", font))
    states("PlayButtonSign_SP", sign_frames("Jugar", font))
    states("Button_MainMenu_Play_EN", play_button("Play", font))
    states("Button_MainMenu_Play_SP", play_button("Jugar", font))
    states("Button_Title_Options", button(96, 96, COLOURS["Blue"], None, font, gear_icon, "round"))
    states("Button_Title_Credits", button(96, 96, COLOURS["Purple"], None, font, star_icon, "round"))
    states("Button_Title_Quit", button(96, 96, COLOURS["Red"], None, font, door_icon, "round"))
    states("Button_UI_Yes_EN", button(170, 76, COLOURS["Green"], "Yes", font, check_icon))
    states("Button_UI_Yes_SP", button(170, 76, COLOURS["Green"], "Sí", font, check_icon))
    states("Button_UI_No", button(170, 76, COLOURS["Red"], "No", font, cross_icon))
    made["Popup_Window"] = popup_window()
    made["Quit_Title_EN"] = heading("Time to go?", font)
    made["Quit_Title_SP"] = heading("¿Ya te vas?", font)
    made["cursor_default"] = arrow_cursor()
    made["cursor_hand"] = hand_cursor()
    return made


def main(argv):
    return run_picture_generator(__doc__, pictures, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
