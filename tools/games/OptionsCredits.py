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


def credits_page(font, heading, lines):
    # Tall enough to hide the menu's buttons below, whose captions would show cut in half.
    w, h = 560, 440
    canvas = Canvas(w, h)
    canvas.rounded((4, 4, w - 4, h - 4), 26, fill=rgba(COLOURS["Orange"]), width=4)
    canvas.rounded((16, 16, w - 16, h - 16), 20, fill=CREAM, width=3)
    canvas.fit_text((w / 2, 66), heading, font, 38, w - 60, BLUE, stroke=3)
    for row, line in enumerate(lines):
        if line:
            canvas.fit_text((w / 2, 156 + row * 52), line, font, 24, w - 70, INK, outline=None)
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
    for language, on, off, cancel, profile in (("EN", "Sound on", "Sound off", "Cancel", "Change player"),
                                               ("SP", "Con sonido", "Sin sonido", "Cancelar", "Cambiar jugador")):
        states("Button_Sound_On_" + language, radio(160, 70, COLOURS["Green"], on, font))
        states("Button_Sound_Off_" + language, radio(160, 70, COLOURS["Red"], off, font))
        states("Button_UI_Cancel_" + language, uiart.button(150, 64, COLOURS["Red"], cancel, font))
        states("Button_ChangeProfile_" + language, uiart.button(180, 64, COLOURS["Purple"], profile, font))
    # Each language named in itself, the same whichever is shown.
    states("Button_Language_English", radio(160, 70, COLOURS["Blue"], "English", font))
    states("Button_Language_Espanol", radio(160, 70, COLOURS["Orange"], "Español", font))

    # The credits overlay.
    for index, (heading, lines) in enumerate(CREDIT_PAGES):
        made["Credits_TextPages_%d" % index] = credits_page(font, heading, lines)
    states("Button_Credits_Left", uiart.button(96, 96, COLOURS["Blue"], None, font, arrow_icon(-1), "round"))
    states("Button_Credits_Right", uiart.button(96, 96, COLOURS["Blue"], None, font, arrow_icon(1), "round"))
    states("Button_Credits_Back", uiart.button(96, 96, COLOURS["Green"], None, font, back_icon, "round"))
    return made


def main(argv):
    return run_picture_generator(__doc__, pictures, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
