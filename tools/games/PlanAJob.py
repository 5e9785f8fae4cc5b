#!/usr/bin/env python3
"""Draws the pictures of the PlanAJob mini-game: the workshop table, the
blueprint sheet with Fenn's hands, the numbered empty places of the
blueprint, and for each of the three jobs (a shed, a fence, a doghouse) the
five step cards at three difficulties, the five filled blueprint places and
the frames of the building going up.

    PlanAJob.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp s

Image lists are written as <name>_0.png, <name>_1.png ...; the stamp last.
"""

import sys

from palette import run_picture_generator, COLOURS, CREAM, OUTLINE, SKY, Canvas, darker, lighter, rgba

JOBS = ["BuildShed", "BuildFence", "BuildDoghouse"]
CARD = 100
BUILDING = (200, 180)
PAPER = (144, 202, 249)
WOOD = (188, 125, 70)
ROOF = (198, 40, 40)
SKIN = (255, 213, 170)


# --- the jobs, one stage at a time -------------------------------------------------------

def draw_job(canvas, job, stage, ox, oy, s):
    """The job after `stage` of its five steps (0: the bare ground), in a box
    of 100 x 90 units scaled by s from (ox, oy)."""

    def B(x0, y0, x1, y1):
        return (ox + x0 * s, oy + y0 * s, ox + x1 * s, oy + y1 * s)

    def P(x, y):
        return (ox + x * s, oy + y * s)

    w = max(2, 3 * s)
    canvas.rounded(B(2, 80, 98, 90), 2 * s, fill=rgba((121, 85, 72)), width=w)
    if job == "BuildShed":
        if stage >= 1:
            canvas.rounded(B(14, 72, 86, 80), 1, fill=rgba(COLOURS["Gray"]), width=w)
        if stage >= 2:
            for x in (18, 48, 78):
                canvas.rounded(B(x, 34, x + 5, 72), 1, fill=rgba(WOOD), width=w)
        if stage >= 3:
            canvas.rounded(B(18, 34, 83, 72), 1, fill=rgba(lighter(WOOD, 0.2)), width=w)
        if stage >= 4:
            canvas.polygon([P(10, 36), P(50, 10), P(90, 36)], fill=rgba(ROOF), width=w)
        if stage >= 5:
            canvas.rounded(B(42, 48, 58, 72), 1, fill=rgba(COLOURS["Blue"]), width=w)
            canvas.rounded(B(24, 44, 36, 56), 1, fill=rgba(SKY), width=w)
    elif job == "BuildFence":
        posts = (12, 36, 60, 84)
        if stage >= 1:
            for x in posts:
                canvas.ellipse(B(x - 3, 76, x + 9, 82), fill=rgba(darker((121, 85, 72), 0.3)), width=w)
        if stage >= 2:
            for x in posts:
                canvas.rounded(B(x, 30, x + 6, 80), 1, fill=rgba(WOOD), width=w)
        if stage >= 3:
            for y in (40, 62):
                canvas.rounded(B(8, y, 94, y + 6), 1, fill=rgba(lighter(WOOD, 0.15)), width=w)
        if stage >= 4:
            for x in range(20, 84, 12):
                if all(abs(x - p) > 5 for p in posts):
                    canvas.polygon([P(x, 36), P(x + 3, 30), P(x + 6, 36), P(x + 6, 78), P(x, 78)],
                                   fill=rgba(lighter(WOOD, 0.3)), width=w)
        if stage >= 5:
            for x in range(20, 84, 12):
                if all(abs(x - p) > 5 for p in posts):
                    canvas.polygon([P(x, 36), P(x + 3, 30), P(x + 6, 36), P(x + 6, 78), P(x, 78)],
                                   fill=rgba(CREAM), width=w)
            canvas.ellipse(B(80, 10, 96, 26), fill=rgba(COLOURS["Yellow"]), width=w)
    else:
        if stage >= 1:
            canvas.rounded(B(18, 72, 82, 80), 1, fill=rgba(WOOD), width=w)
        if stage >= 2:
            canvas.rounded(B(22, 42, 78, 72), 1, fill=rgba(COLOURS["Orange"]), width=w)
        if stage >= 3:
            canvas.polygon([P(14, 44), P(50, 16), P(86, 44)], fill=rgba(COLOURS["Green"]), width=w)
        if stage >= 4:
            canvas.ellipse(B(40, 50, 60, 80), fill=rgba(OUTLINE), width=w)
        if stage >= 5:
            canvas.rounded(B(34, 24, 66, 34), 2, fill=rgba(CREAM), width=w)
            canvas.ellipse(B(82, 72, 98, 80), fill=rgba(COLOURS["Red"]), width=w)


def card(job, step, difficulty, font):
    canvas = Canvas(CARD, CARD)
    canvas.rounded((3, 3, CARD - 3, CARD - 3), 10, fill=CREAM, width=3)
    draw_job(canvas, job, step + 1, 8, 12, 0.84)
    if difficulty == "Easy":
        canvas.ellipse((6, 6, 32, 32), fill=rgba(COLOURS["Yellow"]), width=2.5)
        canvas.text((19, 19), str(step + 1), font, 18, rgba(OUTLINE), outline=None, stroke=0)
    elif difficulty == "Medium":
        for i in range(step + 1):
            canvas.ellipse((8 + i * 9, 8, 14 + i * 9, 14), fill=rgba(COLOURS["Blue"]), width=1.5)
    return canvas.result()


def filled_place(job, step, font):
    canvas = Canvas(CARD, CARD)
    canvas.rounded((3, 3, CARD - 3, CARD - 3), 8, fill=rgba(lighter(PAPER, 0.5)), width=3)
    draw_job(canvas, job, step + 1, 8, 12, 0.84)
    canvas.text((16, 16), str(step + 1), font, 16, rgba(CREAM), stroke=3)
    return canvas.result()


def empty_place(step, font):
    canvas = Canvas(CARD, CARD)
    canvas.rounded((3, 3, CARD - 3, CARD - 3), 8, fill=rgba(lighter(PAPER, 0.25), 200), outline=rgba(CREAM), width=3)
    for i in range(0, CARD - 16, 12):
        canvas.line([(10 + i, 10), (16 + i, 10)], fill=rgba(CREAM), width=2)
        canvas.line([(10 + i, CARD - 10), (16 + i, CARD - 10)], fill=rgba(CREAM), width=2)
    canvas.text((CARD // 2, CARD // 2), str(step + 1), font, 44, rgba(CREAM), stroke=3)
    return canvas.result()


def building_frames(job):
    frames = []
    for stage in range(6):
        canvas = Canvas(*BUILDING)
        draw_job(canvas, job, stage, 0, 0, 2.0)
        frames.append(canvas.result())
    return frames


# --- the workshop ----------------------------------------------------------------------

def background():
    canvas = Canvas(800, 600, background=rgba(SKY))
    canvas.rounded((-10, 380, 810, 610), 0, fill=rgba((139, 195, 74)), outline=None)
    canvas.line([(0, 380), (800, 380)], fill=OUTLINE, width=3)
    canvas.rounded((20, 430, 780, 590), 12, fill=rgba(WOOD), width=3)
    for y in (470, 510, 550):
        canvas.line([(30, y), (770, y)], fill=rgba(darker(WOOD, 0.18)), width=2)
    return canvas.result()


def blueprint_sheet(font):
    canvas = Canvas(560, 190)
    canvas.rounded((2, 2, 558, 188), 10, fill=rgba(PAPER), width=3)
    for x in range(22, 560, 24):
        canvas.line([(x, 6), (x, 184)], fill=rgba(lighter(PAPER, 0.3)), width=1)
    for y in range(22, 190, 24):
        canvas.line([(6, y), (554, y)], fill=rgba(lighter(PAPER, 0.3)), width=1)
    canvas.text((280, 24), "PLAN", font, 22, rgba(CREAM), stroke=3)
    return canvas.result()


def hands():
    canvas = Canvas(560, 40)
    for x in (10, 500):
        canvas.ellipse((x, 4, x + 50, 36), fill=rgba(SKIN), width=3)
        for f in range(4):
            canvas.line([(x + 10 + f * 10, 6), (x + 10 + f * 10, 16)], fill=OUTLINE, width=2)
    return canvas.result()


def pictures(font):
    made = {}

    def frames(name, images):
        for index, image in enumerate(images):
            made["%s_%d" % (name, index)] = image

    made["PlanAJob_Background"] = background()
    made["PlanAJob_Blueprint"] = blueprint_sheet(font)
    made["PlanAJob_FennHands"] = hands()
    frames("BluePrintTargetImages", [empty_place(step, font) for step in range(5)])
    for job in JOBS:
        for difficulty in ("Easy", "Medium", "Hard"):
            frames("%s_Objects_%s" % (job, difficulty), [card(job, step, difficulty, font) for step in range(5)])
        frames(job + "_Targets", [filled_place(job, step, font) for step in range(5)])
        frames(job + "_Build", building_frames(job))
    return made


def main(argv):
    return run_picture_generator(__doc__, pictures, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
