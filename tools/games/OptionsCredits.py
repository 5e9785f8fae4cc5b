#!/usr/bin/env python3
"""Draws the pictures of the options popup (its window, headings, the sound
and language choices, Cancel and change profile in both languages) and of the
credits overlay (five pages in English and Spanish together, and the wordless
arrow and back buttons).

    OptionsCredits.py --font DejaVuSans-Bold.ttf --output-dir build/qdl/Resources --stamp x.stamp

A button's state images are written as <name>_0.png .. <name>_3.png (normal,
hot, pressed, disabled); a radio button has a fifth, <name>_4.png, checked.
"""

import sys

from palette import run_picture_generator, COLOURS, CREAM, OUTLINE, Canvas, rgba
import uiart
from FrontEndScreens import back_icon, radio, window

INK = rgba((78, 52, 46))
BLUE = rgba(COLOURS["Blue"])

# The credits, a page each: a heading, then lines in English and in Spanish.
CREDIT_PAGES = (
    ("Quarrydale", ["A building-site game for young children",
                    "Un juego de obras para niños pequeños",
                    "",
                    "Twelve games, three levels, stickers to collect",
                    "Doce juegos, tres niveles y pegatinas"]),
    ("Game design / Diseño", ["The Quarrydale team",
                              "El equipo de Quarrydale",
                              "",
                              "Story and characters / Historia y personajes",
                              "Pondo, Sloam, Grubbin and Fenn"]),
    ("Programming / Programación", ["Game code on the Corvane engine",
                                    "Código del juego sobre el motor Corvane",
                                    "",
                                    "Pictures drawn by our own scripts",
                                    "Dibujos hechos por nuestros programas"]),
    ("Fonts / Tipografías", ["DejaVu fonts, free to share",
                             "Tipografías DejaVu, libres",
                             "",
                             "Thanks to their many makers",
                             "Gracias a todos sus autores"]),
    ("Voices / Voces", ["English and Spanish voices",
                        "Voces en inglés y en español",
                        "made with free speech tools",
                        "hechas con programas libres",
                        "Thank you for playing! / ¡Gracias por jugar!"]),
)


# The longest caption of the options popup, the change of player, takes the room Cancel can spare.
CANCEL_WIDTH = 130
CHANGE_PROFILE_WIDTH = 210

# A credits page, tall enough to hide the menu's buttons below, whose captions would show cut in half.
CREDITS_PAGE = (560, 440)


def credits_text_sizes(font):
    """One size for the headings and one for the lines of every page, so that leafing through
    the pages no line stands out."""
    w = CREDITS_PAGE[0]
    return (Canvas.shared_size(font, [(heading, 38, w - 60) for heading, _ in CREDIT_PAGES]),
            Canvas.shared_size(font, [(line, 24, w - 70) for _, lines in CREDIT_PAGES for line in lines if line]))


def credits_page(font, heading, lines, sizes):
    w, h = CREDITS_PAGE
    canvas = Canvas(w, h)
    canvas.rounded((4, 4, w - 4, h - 4), 26, fill=rgba(COLOURS["Orange"]), width=4)
    canvas.rounded((16, 16, w - 16, h - 16), 20, fill=CREAM, width=3)
    canvas.text((w / 2, 66), heading, font, sizes[0], BLUE, stroke=3)
    for row, line in enumerate(lines):
        if line:
            canvas.text((w / 2, 156 + row * 52), line, font, sizes[1], INK, outline=None)
    return canvas.result()


def arrow_icon(direction):
    def draw(canvas, centre, size, ink, outline):
        cx, cy = centre
        d = direction
        canvas.polygon([(cx + d * size * 0.5, cy), (cx - d * size * 0.1, cy - size * 0.48),
                        (cx - d * size * 0.1, cy - size * 0.2), (cx - d * size * 0.5, cy - size * 0.2),
                        (cx - d * size * 0.5, cy + size * 0.2), (cx - d * size * 0.1, cy + size * 0.2),
                        (cx - d * size * 0.1, cy + size * 0.48)], fill=ink, outline=outline, width=3)
    return draw


def pictures(font):
    made = {}

    def states(name, images):
        for index, image in enumerate(images):
            made["%s_%d" % (name, index)] = image

    # The options popup.
    made["Options_Window"] = window(600, 470)
    made["Options_Title_EN"] = uiart.heading("Options", font)
    made["Options_Title_SP"] = uiart.heading("Opciones", font)
    # Each language named in itself, the same whichever is shown; so the popup's captions
    # share one size in both languages.
    captions = (("EN", "Sound on", "Sound off", "Cancel", "Change player"),
                ("SP", "Con sonido", "Sin sonido", "Cancelar", "Cambiar jugador"))
    size = uiart.caption_size(font, [(160, 70, "English"), (160, 70, "Español")] + [
        button for _, on, off, cancel, profile in captions
        for button in ((160, 70, on), (160, 70, off), (CANCEL_WIDTH, 64, cancel), (CHANGE_PROFILE_WIDTH, 64, profile))])
    for language, on, off, cancel, profile in captions:
        states("Button_Sound_On_" + language, radio(160, 70, COLOURS["Green"], on, font, size))
        states("Button_Sound_Off_" + language, radio(160, 70, COLOURS["Red"], off, font, size))
        states("Button_UI_Cancel_" + language,
               uiart.button(CANCEL_WIDTH, 64, COLOURS["Red"], cancel, font, size=size))
        states("Button_ChangeProfile_" + language,
               uiart.button(CHANGE_PROFILE_WIDTH, 64, COLOURS["Purple"], profile, font, size=size))
    states("Button_Language_English", radio(160, 70, COLOURS["Blue"], "English", font, size))
    states("Button_Language_Espanol", radio(160, 70, COLOURS["Orange"], "Español", font, size))

    # The credits overlay.
    text_sizes = credits_text_sizes(font)
    for index, (heading, lines) in enumerate(CREDIT_PAGES):
        made["Credits_TextPages_%d" % index] = credits_page(font, heading, lines, text_sizes)
    states("Button_Credits_Left", uiart.button(96, 96, COLOURS["Blue"], None, font, arrow_icon(-1), "round"))
    states("Button_Credits_Right", uiart.button(96, 96, COLOURS["Blue"], None, font, arrow_icon(1), "round"))
    states("Button_Credits_Back", uiart.button(96, 96, COLOURS["Green"], None, font, back_icon, "round"))
    return made


def main(argv):
    return run_picture_generator(__doc__, pictures, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
