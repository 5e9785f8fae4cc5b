#!/usr/bin/env python3
"""Draws the pictures of the screens between the title and the games: the
profile popup with the three characters, the new game or continue popup, the
main menu's buttons and swinging story sign, the difficulty popup's choices,
the free-play screens' wordless game buttons, and the story's cutscenes.

    FrontEndScreens.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp x.stamp

A button's state images are written as <name>_0.png .. <name>_3.png (normal,
hot, pressed, disabled); a radio button has a fifth, <name>_4.png, checked.
"""

import math
import sys

from palette import run_picture_generator, COLOURS, CREAM, OUTLINE, Canvas, darker, greyed, lighter, rgba
import uiart

WHITE = rgba(COLOURS["White"])
INK = rgba((78, 52, 46))


# --- windows and lettering -----------------------------------------------------------

def window(w, h):
    """A popup plate of any size, in the look of the quit question's."""
    canvas = Canvas(w, h)
    canvas.rounded((6, 12, w - 2, h - 2), 28, fill=(0, 0, 0, 80), outline=None)
    canvas.rounded((2, 4, w - 8, h - 10), 28, fill=rgba(COLOURS["Orange"]), width=4)
    canvas.rounded((16, 18, w - 22, h - 24), 20, fill=CREAM, width=3)
    for bx, by in ((20, 12), (w - 26, 12), (20, h - 20), (w - 26, h - 20)):
        canvas.ellipse((bx - 7, by - 7, bx + 7, by + 7), fill=rgba(COLOURS["Gray"]), width=2)
    stripe = Canvas(w, h)
    stripe.rounded((40, 30, w - 46, 46), 6, fill=rgba(COLOURS["Yellow"]), outline=None)
    for x in range(40, w - 60, 28):
        stripe.polygon([(x, 46), (x + 14, 30), (x + 28, 30), (x + 14, 46)], fill=rgba(COLOURS["Black"]),
                       outline=None)
    stripe.rounded((w - 60, 30, w - 46, 46), 0, fill=rgba(COLOURS["Yellow"]), outline=None)
    stripe.rounded((40, 30, w - 46, 46), 6, fill=None, width=2)
    canvas.paste(stripe, (0, 0))
    return canvas.result()


def caption(text, font, w=130, h=30):
    canvas = Canvas(w, h)
    canvas.fit_text((w / 2, h / 2), text, font, 20, w - 6, INK, outline=None)
    return canvas.result()


# --- the three characters -------------------------------------------------------------

def hard_hat(canvas, cx, top, r):
    hat = rgba(COLOURS["Yellow"])
    canvas.ellipse((cx - r * 0.75, top - r * 0.2, cx + r * 0.75, top + r * 0.75), fill=hat, width=3)
    canvas.rounded((cx - r * 0.95, top + r * 0.38, cx + r * 0.95, top + r * 0.55), 4, fill=hat, width=3)
    canvas.rounded((cx - r * 0.1, top - r * 0.16, cx + r * 0.1, top + r * 0.4), 3,
                   fill=rgba(darker(COLOURS["Yellow"], 0.15)), width=2)


def eyes(canvas, cx, cy, r, spread=0.34, size=0.13):
    for side in (-1, 1):
        ex = cx + side * r * spread
        canvas.ellipse((ex - r * size, cy - r * size * 1.2, ex + r * size, cy + r * size * 1.2), fill=WHITE, width=2)
        canvas.ellipse((ex - r * size * 0.5, cy - r * size * 0.4, ex + r * size * 0.5, cy + r * size * 0.7),
                       fill=OUTLINE, outline=None)


def smile(canvas, cx, cy, r):
    points = [(cx + r * 0.3 * math.cos(a), cy + r * 0.18 * math.sin(a))
              for a in [math.pi * i / 10 for i in range(1, 10)]]
    canvas.line(points, fill=OUTLINE, width=3)


def character(canvas, name, cx, cy, r):
    """Pondo the round blue hippo, Sloam the brown mole, Grubbin the green bug;
    each in a hard hat."""
    if name == "Pondo":
        body = COLOURS["Blue"]
        for side in (-1, 1):
            ex = cx + side * r * 0.62
            canvas.ellipse((ex - r * 0.2, cy - r * 0.78, ex + r * 0.2, cy - r * 0.4), fill=rgba(body), width=3)
        canvas.ellipse((cx - r, cy - r * 0.7, cx + r, cy + r * 0.95), fill=rgba(body), width=3)
        canvas.ellipse((cx - r * 0.62, cy + r * 0.12, cx + r * 0.62, cy + r * 0.8),
                       fill=rgba(lighter(body, 0.45)), width=3)
        for side in (-1, 1):
            nx = cx + side * r * 0.22
            canvas.ellipse((nx - r * 0.07, cy + r * 0.3, nx + r * 0.07, cy + r * 0.42), fill=OUTLINE, outline=None)
        eyes(canvas, cx, cy - r * 0.12, r)
        smile(canvas, cx, cy + r * 0.52, r)
    elif name == "Sloam":
        body = COLOURS["Brown"]
        canvas.ellipse((cx - r * 0.92, cy - r * 0.75, cx + r * 0.92, cy + r * 0.95), fill=rgba(body), width=3)
        canvas.ellipse((cx - r * 0.55, cy - r * 0.05, cx + r * 0.55, cy + r * 0.85),
                       fill=rgba(lighter(body, 0.5)), width=3)
        canvas.ellipse((cx - r * 0.2, cy + r * 0.08, cx + r * 0.2, cy + r * 0.36), fill=rgba(COLOURS["Red"]),
                       width=3)
        for side in (-1, 1):
            wx = cx + side * r * 0.28
            canvas.line([(wx, cy + r * 0.3), (wx + side * r * 0.45, cy + r * 0.22)], fill=OUTLINE, width=2)
            canvas.line([(wx, cy + r * 0.36), (wx + side * r * 0.45, cy + r * 0.44)], fill=OUTLINE, width=2)
        eyes(canvas, cx, cy - r * 0.16, r, spread=0.3, size=0.09)
        smile(canvas, cx, cy + r * 0.55, r * 0.8)
    else:
        body = COLOURS["Green"]
        for side in (-1, 1):
            tip = (cx + side * r * 0.75, cy - r * 1.25)
            canvas.line([(cx + side * r * 0.3, cy - r * 0.5), tip], fill=OUTLINE, width=3)
            canvas.ellipse((tip[0] - r * 0.11, tip[1] - r * 0.11, tip[0] + r * 0.11, tip[1] + r * 0.11),
                           fill=rgba(COLOURS["Orange"]), width=2)
        canvas.ellipse((cx - r * 0.9, cy - r * 0.72, cx + r * 0.9, cy + r * 0.95), fill=rgba(body), width=3)
        for i in range(3):
            y = cy + r * (0.2 + i * 0.2)
            canvas.line([(cx - r * 0.6, y), (cx + r * 0.6, y)], fill=rgba(darker(body, 0.2)), width=2)
        for side in (-1, 1):
            sx = cx + side * r * 0.62
            canvas.ellipse((sx - r * 0.12, cy + r * 0.05, sx + r * 0.12, cy + r * 0.2),
                           fill=rgba(lighter(COLOURS["Red"], 0.4)), outline=None)
        eyes(canvas, cx, cy - r * 0.15, r, spread=0.32, size=0.16)
        smile(canvas, cx, cy + r * 0.3, r)
    hard_hat(canvas, cx, cy - r * 1.05, r)


def profile_card(name, font, state):
    """A profile's radio button: the character over its lettered name.
    States 0 normal, 1 hot, 2 pressed, 3 disabled, 4 checked."""
    w, h = 170, 200
    canvas = Canvas(w, h)
    face = {0: CREAM, 1: rgba((255, 253, 240)), 2: rgba((240, 226, 190)), 3: rgba((225, 225, 225)),
            4: rgba(lighter(COLOURS["Green"], 0.75))}[state]
    drop = 2 if state == 2 else 0
    if state != 2:
        canvas.rounded((6, 9, w - 2, h - 1), 20, fill=(0, 0, 0, 60), outline=None)
    edge = rgba(COLOURS["Green"]) if state == 4 else OUTLINE
    canvas.rounded((3, 3 + drop, w - 6, h - 6 + drop), 20, fill=face, outline=edge, width=6 if state == 4 else 3)
    if state == 1:
        canvas.rounded((9, 9, w - 12, h - 12), 15, fill=None, outline=rgba(COLOURS["Yellow"]), width=4)
    character(canvas, name, w / 2, 92 + drop, 52)
    canvas.rounded((16, h - 50 + drop, w - 19, h - 16 + drop), 10,
                   fill=rgba(COLOURS["Orange"] if state != 3 else greyed(COLOURS["Orange"])), width=2.5)
    canvas.fit_text((w / 2 - 1, h - 33 + drop), name, font, 24, w - 50, WHITE, stroke=3)
    if state == 4:
        canvas.ellipse((w - 48, 8, w - 12, 44), fill=rgba(COLOURS["Green"]), width=3)
        canvas.line([(w - 39, 26), (w - 32, 34), (w - 20, 17)], fill=WHITE, width=5)
    picture = canvas.result()
    if state == 3:
        picture = picture.convert("LA").convert("RGBA")
    return picture


# The checked image holds the pressed button this much smaller inside its frame.
CHECKED_INSET = 8


def radio(width, height, colour, text, font, size=None):
    """A choice of a radio group: the four button states, then checked; the caption at size, or as
    large as fits, and on the checked image as much smaller as its button."""
    images = uiart.button(width, height, colour, text, font, size=size)
    checked_size = size * (height - CHECKED_INSET) / height if size else None
    checked = Canvas(width, height)
    checked.rounded((2, 2, width - 2, height - 2), min(width, height) * 0.32, fill=rgba(COLOURS["Yellow"]),
                    outline=OUTLINE, width=3)
    inner = Canvas(width, height)
    pressed = uiart.button_state(width - CHECKED_INSET, height - CHECKED_INSET, colour, 2, text, font,
                                 size=checked_size)
    inner.image.alpha_composite(pressed.resize((Canvas.s(width - CHECKED_INSET), Canvas.s(height - CHECKED_INSET))),
                                (Canvas.s(CHECKED_INSET // 2), Canvas.s(CHECKED_INSET // 2)))
    checked.paste(inner, (0, 0))
    checked.ellipse((width - 30, 2, width - 4, 28), fill=rgba(COLOURS["Green"]), width=2.5)
    checked.line([(width - 24, 15), (width - 18, 21), (width - 9, 9)], fill=WHITE, width=4)
    return images + [checked.result()]


# --- the games' pictures, without words ---------------------------------------------------------

def icon_count(c, cx, cy, s):
    for row, count in ((0, 3), (1, 2), (2, 1)):
        for i in range(count):
            x = cx - s * 0.45 + i * s * 0.3 + row * s * 0.15
            y = cy + s * 0.25 - row * s * 0.2
            c.rounded((x, y, x + s * 0.3, y + s * 0.18), 2, fill=rgba(COLOURS["Red"]), width=2)
    c.ellipse((cx + s * 0.3, cy - s * 0.45, cx + s * 0.55, cy - s * 0.2), fill=rgba(COLOURS["Yellow"]), width=2)


def icon_delivery(c, cx, cy, s):
    for i, colour in enumerate(("Red", "Blue", "Green")):
        x = cx - s * 0.62 + i * s * 0.42
        c.rounded((x, cy - s * 0.1, x + s * 0.38, cy + s * 0.22), 3, fill=rgba(COLOURS["Brown"]), width=2)
        c.ellipse((x + s * 0.06, cy + s * 0.16, x + s * 0.16, cy + s * 0.3), fill=rgba(COLOURS["Black"]), width=1.5)
        c.ellipse((x + s * 0.22, cy + s * 0.16, x + s * 0.32, cy + s * 0.3), fill=rgba(COLOURS["Black"]), width=1.5)
        c.rounded((x + s * 0.08, cy - s * 0.32, x + s * 0.3, cy - s * 0.1), 2, fill=rgba(COLOURS[colour]), width=2)


def icon_hammer(c, cx, cy, s):
    c.rounded((cx - s * 0.06, cy - s * 0.2, cx + s * 0.06, cy + s * 0.5), 3, fill=rgba(COLOURS["Brown"]), width=2)
    c.rounded((cx - s * 0.35, cy - s * 0.42, cx + s * 0.35, cy - s * 0.2), 4, fill=rgba(COLOURS["Gray"]), width=2.5)
    c.rounded((cx + s * 0.45, cy - s * 0.05, cx + s * 0.52, cy + s * 0.45), 1, fill=rgba(COLOURS["Gray"]), width=2)
    c.rounded((cx + s * 0.38, cy - s * 0.1, cx + s * 0.6, cy - s * 0.03), 1, fill=rgba(COLOURS["Gray"]), width=2)


def icon_stack(c, cx, cy, s):
    for i, (colour, width) in enumerate((("Red", 1.0), ("Blue", 0.75), ("Yellow", 0.5))):
        y = cy + s * 0.3 - i * s * 0.24
        c.rounded((cx - s * 0.5 * width, y - s * 0.2, cx + s * 0.5 * width, y), 6, fill=rgba(COLOURS[colour]),
                  width=2)


def icon_paint(c, cx, cy, s):
    for i, colour in enumerate(("Red", "Blue", "Red", "Blue", None)):
        x = cx - s * 0.6 + i * s * 0.24
        fill = rgba(COLOURS[colour]) if colour else WHITE
        c.polygon([(x, cy - s * 0.25), (x + s * 0.1, cy - s * 0.4), (x + s * 0.2, cy - s * 0.25), (x + s * 0.2,
                   cy + s * 0.45), (x, cy + s * 0.45)], fill=fill, width=2)
    c.rounded((cx + s * 0.35, cy - s * 0.55, cx + s * 0.45, cy - s * 0.05), 2, fill=rgba(COLOURS["Brown"]), width=2)
    c.rounded((cx + s * 0.28, cy - s * 0.1, cx + s * 0.52, cy + s * 0.1), 3, fill=rgba(COLOURS["Blue"]), width=2)


def leaf(c, x, y, s, colour, turn):
    points = [(x + s * math.cos(turn + a) * (0.5 if i % 2 else 1.0), y + s * math.sin(turn + a) * 0.5)
              for i, a in enumerate([math.pi * k / 3 for k in range(6)])]
    c.polygon(points, fill=rgba(COLOURS[colour]), width=2)


def icon_leaves(c, cx, cy, s):
    c.rounded((cx - s * 0.12, cy - s * 0.1, cx + s * 0.3, cy + s * 0.02), 2, fill=rgba(COLOURS["Gray"]), width=2)
    for x, y, colour, turn in ((-0.4, 0.2, "Orange", 0.3), (0.0, 0.3, "Red", 1.2), (0.35, 0.15, "Yellow", 2.0),
                               (-0.15, -0.2, "Brown", 0.8), (0.25, -0.3, "Orange", 2.6)):
        leaf(c, cx + x * s, cy + y * s, s * 0.28, colour, turn)


def icon_plan(c, cx, cy, s):
    c.rounded((cx - s * 0.4, cy - s * 0.5, cx + s * 0.4, cy + s * 0.55), 6, fill=rgba(COLOURS["Brown"]), width=2.5)
    c.rounded((cx - s * 0.32, cy - s * 0.4, cx + s * 0.32, cy + s * 0.47), 3, fill=WHITE, width=2)
    c.rounded((cx - s * 0.15, cy - s * 0.58, cx + s * 0.15, cy - s * 0.42), 3, fill=rgba(COLOURS["Gray"]), width=2)
    for i in range(3):
        y = cy - s * 0.22 + i * s * 0.24
        c.ellipse((cx - s * 0.25, y - s * 0.07, cx - s * 0.11, y + s * 0.07), fill=rgba(COLOURS["Green"]), width=1.5)
        c.line([(cx - s * 0.03, y), (cx + s * 0.24, y)], fill=OUTLINE, width=3)


def icon_signs(c, cx, cy, s):
    c.rounded((cx - s * 0.04, cy - s * 0.1, cx + s * 0.04, cy + s * 0.55), 2, fill=rgba(COLOURS["Gray"]), width=2)
    octagon = [(cx + s * 0.32 * math.cos(math.pi / 8 + math.pi * k / 4),
                cy - s * 0.22 + s * 0.32 * math.sin(math.pi / 8 + math.pi * k / 4)) for k in range(8)]
    c.polygon(octagon, fill=rgba(COLOURS["Red"]), width=2.5)
    c.polygon([(cx + s * 0.35, cy + s * 0.5), (cx + s * 0.6, cy + s * 0.05), (cx + s * 0.85 - s * 0.25,
               cy + s * 0.5)], fill=rgba(COLOURS["Yellow"]), width=2)


def icon_toolbox(c, cx, cy, s):
    c.rounded((cx - s * 0.2, cy - s * 0.4, cx + s * 0.2, cy - s * 0.15), 5, fill=None, width=3.5)
    c.rounded((cx - s * 0.55, cy - s * 0.2, cx + s * 0.55, cy + s * 0.45), 6, fill=rgba(COLOURS["Red"]), width=2.5)
    c.line([(cx - s * 0.55, cy), (cx + s * 0.55, cy)], fill=OUTLINE, width=2)
    c.rounded((cx - s * 0.08, cy - s * 0.05, cx + s * 0.08, cy + s * 0.08), 2, fill=rgba(COLOURS["Yellow"]), width=2)


def icon_puzzle(c, cx, cy, s):
    for (dx, dy, colour) in ((-0.25, -0.25, "Blue"), (0.25, -0.25, "Yellow"), (-0.25, 0.25, "Green"),
                             (0.27, 0.3, "Red")):
        x, y = cx + dx * s, cy + dy * s
        c.rounded((x - s * 0.22, y - s * 0.22, x + s * 0.22, y + s * 0.22), 4, fill=rgba(COLOURS[colour]), width=2)
    c.ellipse((cx - s * 0.07, cy - s * 0.32, cx + s * 0.07, cy - s * 0.18), fill=rgba(COLOURS["Blue"]), width=2)
    c.ellipse((cx - s * 0.32, cy - s * 0.07, cx - s * 0.18, cy + s * 0.07), fill=rgba(COLOURS["Blue"]), width=2)


def icon_hide(c, cx, cy, s):
    grey = rgba(COLOURS["Gray"])
    c.polygon([(cx - s * 0.32, cy - s * 0.05), (cx - s * 0.28, cy - s * 0.4), (cx - s * 0.1, cy - s * 0.15)],
              fill=grey, width=2)
    c.polygon([(cx + s * 0.32, cy - s * 0.05), (cx + s * 0.28, cy - s * 0.4), (cx + s * 0.1, cy - s * 0.15)],
              fill=grey, width=2)
    c.ellipse((cx - s * 0.35, cy - s * 0.25, cx + s * 0.35, cy + s * 0.3), fill=grey, width=2.5)
    eyes(c, cx, cy, s * 0.7, size=0.16)
    c.rounded((cx - s * 0.7, cy + s * 0.1, cx + s * 0.7, cy + s * 0.55), 10, fill=rgba(COLOURS["Green"]), width=2.5)


def icon_here(c, cx, cy, s):
    c.polygon([(cx - s * 0.1, cy - s * 0.1), (cx + s * 0.25, cy - s * 0.45), (cx + s * 0.6, cy - s * 0.1)],
              fill=rgba(COLOURS["Red"]), width=2)
    c.rounded((cx - s * 0.02, cy - s * 0.12, cx + s * 0.52, cy + s * 0.3), 2, fill=rgba(COLOURS["Yellow"]), width=2)
    c.rounded((cx - s * 0.7, cy + s * 0.02, cx - s * 0.12, cy + s * 0.34), 4, fill=rgba(COLOURS["Blue"]), width=2)
    c.rounded((cx - s * 0.62, cy - s * 0.28, cx - s * 0.32, cy + s * 0.04), 3, fill=rgba(COLOURS["Purple"]), width=2)
    for wx in (cx - s * 0.58, cx - s * 0.24):
        c.ellipse((wx - s * 0.08, cy + s * 0.28, wx + s * 0.08, cy + s * 0.44), fill=rgba(COLOURS["Black"]), width=2)


GAME_ICONS = [
    ("CountTheMaterials", icon_count, "Orange"),
    ("FarmerBrambold", icon_delivery, "Green"),
    ("HammerTheNail", icon_hammer, "Blue"),
    ("TollerStacker", icon_stack, "Purple"),
    ("PaintTheHouse", icon_paint, "Yellow"),
    ("PileOfLeaves", icon_leaves, "Green"),
    ("PlanAJob", icon_plan, "Blue"),
    ("StreetSigns", icon_signs, "Purple"),
    ("ToolShed", icon_toolbox, "Orange"),
    ("ScarrowPuzzle", icon_puzzle, "Red"),
    ("HideAndSeek", icon_hide, "Yellow"),
    ("HereToThere", icon_here, "Red"),
]


def game_tile(icon, colour, state):
    w, h = 150, 112
    canvas = Canvas(w, h)
    base = lighter(COLOURS[colour], 0.55)
    body = {0: base, 1: lighter(base, 0.35), 2: darker(base, 0.1), 3: greyed(base)}[state]
    drop = 2 if state == 2 else 0
    if state != 2:
        canvas.rounded((5, 8, w - 1, h - 1), 18, fill=(0, 0, 0, 70), outline=None)
    canvas.rounded((2, 2 + drop, w - 5, h - 7 + drop), 18, fill=rgba(body), width=3)
    if state == 1:
        canvas.rounded((7, 7, w - 10, h - 12), 14, fill=None, outline=WHITE, width=4)
    icon(canvas, w / 2 - 2, h / 2 - 3 + drop, 70)
    picture = canvas.result()
    if state == 3:
        picture = picture.convert("LA").convert("RGBA")
    return picture


def help_icon(font):
    """A speech bubble with a question mark: the spoken instructions."""
    def draw(canvas, centre, size, ink, outline):
        cx, cy = centre
        canvas.rounded((cx - size * 0.55, cy - size * 0.5, cx + size * 0.55, cy + size * 0.3), 14, fill=ink,
                       outline=outline, width=3)
        canvas.polygon([(cx - size * 0.2, cy + size * 0.28), (cx - size * 0.35, cy + size * 0.6),
                        (cx + size * 0.05, cy + size * 0.28)], fill=ink, outline=None)
        canvas.text((cx, cy - size * 0.1), "?", font, size * 0.62, rgba(COLOURS["Green"]), stroke=2)
    return draw


def back_icon(canvas, centre, size, ink, outline):
    cx, cy = centre
    canvas.polygon([(cx - size * 0.55, cy), (cx - size * 0.05, cy - size * 0.45), (cx - size * 0.05, cy - size * 0.18),
                    (cx + size * 0.5, cy - size * 0.18), (cx + size * 0.5, cy + size * 0.18),
                    (cx - size * 0.05, cy + size * 0.18), (cx - size * 0.05, cy + size * 0.45)],
                   fill=ink, outline=outline, width=3)


# --- the story's cutscenes --------------------------------------------------------------

def cutscene(font, stage):
    """The park, empty with the three friends ready (0), half built (1),
    finished with flowers and a party (2)."""
    background = uiart.title_background(font)
    canvas = Canvas(800, 600)
    canvas.image.alpha_composite(background.resize((Canvas.s(800), Canvas.s(600))))
    # The house of the park, as far as it is built.
    hx, hy = 100, 440
    if stage >= 1:
        for row in range(4 if stage == 1 else 7):
            for col in range(6):
                x = hx + col * 34 + (row % 2) * 17
                if x + 34 > hx + 210:
                    continue
                y = hy - (row + 1) * 20
                canvas.rounded((x, y, x + 34, y + 20), 2, fill=rgba(COLOURS["Red"]), width=2)
    if stage == 2:
        canvas.polygon([(hx - 20, hy - 140), (hx + 105, hy - 220), (hx + 230, hy - 140)], fill=rgba(COLOURS["Blue"]),
                       width=3)
        canvas.rounded((hx + 85, hy - 70, hx + 125, hy), 4, fill=rgba(COLOURS["Brown"]), width=3)
        for x in range(0, 800, 60):
            canvas.line([(x + 30, 0), (x + 40, 30)], fill=rgba(COLOURS["Yellow"]), width=3)
        for i, (x, y) in enumerate(((320, 120), (420, 70), (520, 130), (250, 60))):
            colour = ("Red", "Purple", "Orange", "Blue")[i]
            canvas.polygon(uiart.star_points(x, y, 26, 11), fill=rgba(COLOURS[colour]), width=2.5)
        for x in (40, 260, 520, 760):
            for dx in (0, 18):
                canvas.line([(x + dx, 590), (x + dx, 560)], fill=rgba(COLOURS["Green"]), width=3)
                canvas.ellipse((x + dx - 9, 548, x + dx + 9, 566), fill=rgba(COLOURS["Purple"]), width=2)
    elif stage == 0:
        # Stakes and a string where the house will stand.
        for x in (hx, hx + 200):
            canvas.rounded((x - 4, hy - 40, x + 4, hy), 2, fill=rgba(COLOURS["Brown"]), width=2)
        canvas.line([(hx, hy - 34), (hx + 200, hy - 34)], fill=WHITE, width=2)
        for i in range(3):
            x = 260 + i * 26
            canvas.rounded((x, 500, x + 24, 514), 2, fill=rgba(COLOURS["Red"]), width=2)
    # The friends in front, side by side, waving (resting their arms while they work).
    for i, name in enumerate(("Pondo", "Sloam", "Grubbin")):
        cx = 80 + i * 112
        cy = 512
        arm = cy - 40 if stage != 1 else cy + 10
        canvas.line([(cx + 40, cy + 20), (cx + 70, arm)], fill=OUTLINE, width=6)
        canvas.ellipse((cx + 62, arm - 8, cx + 78, arm + 8), fill=WHITE, width=2)
        character(canvas, name, cx, cy, 44)
    return canvas.result().convert("RGB")


# -------------------------------------------------------------------------------------

def pictures(font):
    made = {}

    def states(name, images):
        for index, image in enumerate(images):
            made["%s_%d" % (name, index)] = image

    # Popups: the plates, the headings and the lettered captions.
    made["Profiles_Window"] = window(640, 500)
    made["Popup_Window_Tall"] = window(520, 420)
    for name, english, spanish in (("Profiles_Title", "Who is playing?", "¿Quién juega?"),
                                   ("ProfileConfirm_Title", "Let's play!", "¡A jugar!"),
                                   ("Difficulty_Title", "How hard?", "¿Qué tan difícil?")):
        made[name + "_EN"] = uiart.heading(english, font)
        made[name + "_SP"] = uiart.heading(spanish, font)
    made["Profiles_Text_Stickers_EN"] = caption("Stickers:", font)
    made["Profiles_Text_Stickers_SP"] = caption("Pegatinas:", font)

    # The profiles, one radio button each; OK, which may be disabled.
    for name in ("Pondo", "Sloam", "Grubbin"):
        states("Button_Profile_" + name, [profile_card(name, font, state) for state in range(5)])
    states("Button_UI_Ok", uiart.button(170, 76, COLOURS["Green"], "OK", font, uiart.check_icon))
    for language, new, go_on in (("EN", "New game", "Continue"), ("SP", "Juego nuevo", "Continuar")):
        size = uiart.caption_size(font, [(200, 76, new), (200, 76, go_on)])
        states("Button_Profile_NewGame_" + language, uiart.button(200, 76, COLOURS["Orange"], new, font, size=size))
        states("Button_Profile_Continue_" + language, uiart.button(200, 76, COLOURS["Blue"], go_on, font, size=size))

    # The main menu.
    for language, story, free, book in (("EN", "Story", "Free play", "Stickers"),
                                        ("SP", "Historia", "Juego libre", "Pegatinas")):
        states("StoryButtonSign_" + language, uiart.sign_frames(story, font))
        states("Button_MainMenu_Story_" + language, uiart.play_button(story, font))
        size = uiart.caption_size(font, [(200, 80, free), (200, 80, book)])
        states("Button_MainMenu_FreePlay_" + language,
               uiart.button(200, 80, COLOURS["Green"], free, font, size=size))
        states("Button_MainMenu_StickerBook_" + language,
               uiart.button(200, 80, COLOURS["Purple"], book, font, size=size))

    # The difficulty popup's three choices.
    for language, easy, medium, hard in (("EN", "Easy", "Medium", "Hard"), ("SP", "Fácil", "Medio", "Difícil")):
        size = uiart.caption_size(font, [(140, 76, easy), (140, 76, medium), (140, 76, hard)])
        states("Button_EasyDifficulty_" + language, radio(140, 76, COLOURS["Green"], easy, font, size))
        states("Button_MedDifficulty_" + language, radio(140, 76, COLOURS["Orange"], medium, font, size))
        states("Button_HardDifficulty_" + language, radio(140, 76, COLOURS["Red"], hard, font, size))

    # The free-play screens: a board behind the game buttons.
    made["FreePlay_Board"] = window(700, 470)
    for name, icon, colour in GAME_ICONS:
        states("Button_Game_" + name, [game_tile(icon, colour, state) for state in range(4)])
    states("Button_FreePlay_Help", uiart.button(96, 96, COLOURS["Green"], None, font, help_icon(font), "round"))
    states("Button_GameSelect_Back", uiart.button(96, 96, COLOURS["Blue"], None, font, back_icon, "round"))

    # The cutscenes, and their skip button.
    for stage, name in enumerate(("Cutscene_Intro", "Cutscene_Middle", "Cutscene_Finale")):
        made[name] = cutscene(font, stage)
    states("Button_SkipCutscene_EN", uiart.button(160, 64, COLOURS["Blue"], "Skip", font))
    states("Button_SkipCutscene_SP", uiart.button(160, 64, COLOURS["Blue"], "Saltar", font))
    return made


def main(argv):
    return run_picture_generator(__doc__, pictures, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
