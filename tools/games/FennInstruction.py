#!/usr/bin/env python3
"""Draws the instruction overlay of the mini-games: Fenn the builder in his
three poses (standing, pointing, waving: the frames of "FennPoses"), the
speech bubble beside him; and the wordless in-game Help and Quit buttons that
any mini-game's layout may use. The overlay's skip button is the cutscenes'
(tools/games/FrontEndScreens.py).

    FennInstruction.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp games/FennInstruction.stamp
"""

import math
import sys

from palette import run_picture_generator, COLOURS, CREAM, OUTLINE, Canvas, darker, lighter, rgba
import uiart

FENN_SIZE = (270, 340)
SKIN = (255, 213, 170)
VEST = COLOURS["Orange"]
OVERALLS = COLOURS["Blue"]
HAT = COLOURS["Yellow"]

STANDING, POINTING, WAVING = 0, 1, 2


def arm(canvas, shoulder, hand, sleeve):
    """An arm as a thick outlined stroke ending in a round hand."""
    canvas.line([shoulder, hand], fill=OUTLINE, width=26)
    canvas.line([shoulder, hand], fill=rgba(sleeve), width=20)
    canvas.ellipse((hand[0] - 13, hand[1] - 13, hand[0] + 13, hand[1] + 13), fill=rgba(SKIN), width=3)


def fenn(pose):
    w, h = FENN_SIZE
    canvas = Canvas(w, h)
    cx = 116
    # Boots and legs.
    for side in (-1, 1):
        x = cx + side * 26
        canvas.rounded((x - 18, 236, x + 18, 312), 8, fill=rgba(darker(OVERALLS, 0.1)), width=3)
        canvas.rounded((x - 26, 300, x + 22 if side < 0 else x + 28, 330), 10, fill=rgba(COLOURS["Brown"]), width=3)
    # Body: overalls under the safety vest.
    canvas.rounded((cx - 58, 140, cx + 58, 262), 26, fill=rgba(OVERALLS), width=3)
    canvas.rounded((cx - 50, 140, cx + 50, 216), 20, fill=rgba(VEST), width=3)
    for y in (168, 192):
        canvas.line([(cx - 46, y), (cx + 46, y)], fill=rgba(COLOURS["Yellow"]), width=7)
    canvas.line([(cx, 146), (cx, 214)], fill=OUTLINE, width=3)
    # Arms by pose: the right arm (on the picture's right) does the gesture.
    left_shoulder, right_shoulder = (cx - 50, 158), (cx + 50, 158)
    arm(canvas, left_shoulder, (cx - 70, 236), VEST)
    if pose == STANDING:
        arm(canvas, right_shoulder, (cx + 70, 236), VEST)
    elif pose == POINTING:
        arm(canvas, right_shoulder, (cx + 108, 120), VEST)
        canvas.rounded((cx + 108, 108, cx + 130, 120), 5, fill=rgba(SKIN), width=2.5)
    else:
        arm(canvas, right_shoulder, (cx + 86, 70), VEST)
        for i, angle in enumerate((-0.9, -0.55, -0.2)):
            r0, r1 = 24, 36 + i * 2
            canvas.line([(cx + 86 + r0 * math.cos(angle), 70 + r0 * math.sin(angle)),
                         (cx + 86 + r1 * math.cos(angle), 70 + r1 * math.sin(angle))], fill=OUTLINE, width=3)
    # Head, face and hard hat.
    canvas.ellipse((cx - 46, 44, cx + 46, 140), fill=rgba(SKIN), width=3)
    for side in (-1, 1):
        canvas.ellipse((cx + side * 18 - 6, 84, cx + side * 18 + 6, 98), fill=OUTLINE, outline=None)
        canvas.ellipse((cx + side * 30 - 9, 104, cx + side * 30 + 9, 116), fill=rgba(lighter(COLOURS["Red"], 0.5)),
                       outline=None)
    smile = [(cx - 20 + 40 * t / 10, 114 + 10 * math.sin(math.pi * t / 10)) for t in range(11)]
    canvas.line(smile, fill=OUTLINE, width=3.5)
    canvas.ellipse((cx - 5, 96, cx + 5, 108), fill=rgba(darker(SKIN, 0.12)), outline=None)
    canvas.polygon([(cx - 56, 70), (cx - 48, 36), (cx - 20, 14), (cx + 20, 14), (cx + 48, 36), (cx + 56, 70)],
                   fill=rgba(HAT), width=3)
    canvas.rounded((cx - 66, 62, cx + 66, 78), 7, fill=rgba(darker(HAT, 0.08)), width=3)
    canvas.rounded((cx - 8, 14, cx + 8, 62), 4, fill=rgba(lighter(HAT, 0.3)), width=2.5)
    return canvas.result()


def speech_bubble():
    """The bubble Fenn speaks in: a loudspeaker with sound waves, no words."""
    w, h = 380, 230
    canvas = Canvas(w, h)
    canvas.polygon([(40, 150), (0, 214), (96, 168)], fill=CREAM, width=4)
    canvas.rounded((20, 8, w - 8, 186), 60, fill=CREAM, width=4)
    canvas.polygon([(44, 151), (14, 200), (90, 165)], fill=CREAM, outline=None)
    cx, cy = w / 2 - 30, 97
    canvas.rounded((cx - 44, cy - 20, cx - 14, cy + 20), 4, fill=rgba(COLOURS["Blue"]), width=3)
    canvas.polygon([(cx - 16, cy - 20), (cx + 18, cy - 48), (cx + 18, cy + 48), (cx - 16, cy + 20)],
                   fill=rgba(COLOURS["Blue"]), width=3)
    for radius in (36, 60, 84):
        arc = [(cx + 14 + radius * math.cos(a / 10.0), cy + radius * math.sin(a / 10.0)) for a in range(-7, 8)]
        canvas.line(arc, fill=rgba(COLOURS["Orange"]), width=8)
    return canvas.result()


def question_icon(font):
    def draw(canvas, centre, size, ink, outline):
        canvas.text((centre[0], centre[1] + 1), "?", font, size * 0.95, ink, outline=outline, stroke=3)
    return draw


def pictures(font):
    made = {}
    for pose in (STANDING, POINTING, WAVING):
        made["Fenn_Pose_%d" % pose] = fenn(pose)
    made["Fenn_SpeechBubble"] = speech_bubble()
    for state, image in enumerate(uiart.button(80, 80, COLOURS["Blue"], None, font, question_icon(font), "round")):
        made["Button_InGame_Help_%d" % state] = image
    for state, image in enumerate(uiart.button(80, 80, COLOURS["Red"], None, font, uiart.door_icon, "round")):
        made["Button_InGame_Quit_%d" % state] = image
    return made


def main(argv):
    return run_picture_generator(__doc__, pictures, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
