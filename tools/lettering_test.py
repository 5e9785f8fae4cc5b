"""Captions a child sees together are lettered at one size: the difficulty
choices, the options popup, new game or continue, the main menu's buttons and
the credits pages, in English and in Spanish.

    lettering_test.py DejaVuSans-Bold.ttf
"""

import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "games"))
import palette  # noqa: E402
import FrontEndScreens  # noqa: E402
import OptionsCredits  # noqa: E402

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# Each group: the texts seen together, and the size of the picture each is lettered on
# (a radio button's checked image letters its caption on a smaller inner button).
GROUPS = [
    ("difficulty, English", ["Easy", "Medium", "Hard"], [(140, 76)]),
    ("difficulty, Spanish", ["Fácil", "Medio", "Difícil"], [(140, 76)]),
    ("difficulty checked, English", ["Easy", "Medium", "Hard"], [(132, 68)]),
    ("difficulty checked, Spanish", ["Fácil", "Medio", "Difícil"], [(132, 68)]),
    ("options", ["Sound on", "Sound off", "Cancel", "Change player", "Con sonido", "Sin sonido", "Cancelar",
                 "Cambiar jugador", "English", "Español"],
     [(160, 70), (OptionsCredits.CANCEL_WIDTH, 64), (OptionsCredits.CHANGE_PROFILE_WIDTH, 64)]),
    ("options checked", ["Sound on", "Sound off", "Con sonido", "Sin sonido", "English", "Español"], [(152, 62)]),
    ("new game or continue, English", ["New game", "Continue"], [(200, 76)]),
    ("new game or continue, Spanish", ["Juego nuevo", "Continuar"], [(200, 76)]),
    ("main menu, English", ["Free play", "Stickers"], [(200, 80)]),
    ("main menu, Spanish", ["Juego libre", "Pegatinas"], [(200, 80)]),
    ("credits headings", [heading for heading, _ in OptionsCredits.CREDIT_PAGES], [OptionsCredits.CREDITS_PAGE]),
    ("credits lines", [line for _, lines in OptionsCredits.CREDIT_PAGES for line in lines if line],
     [OptionsCredits.CREDITS_PAGE]),
]


class OneSizePerGroup(unittest.TestCase):
    def test_each_group(self):
        lettered = []
        draw_text = palette.Canvas.text

        def recording(canvas, centre, text, font_path, size, *rest, **named):
            lettered.append((text, (canvas.width, canvas.height), size))
            draw_text(canvas, centre, text, font_path, size, *rest, **named)

        palette.Canvas.text = recording
        try:
            FrontEndScreens.pictures(FONT)
            OptionsCredits.pictures(FONT)
        finally:
            palette.Canvas.text = draw_text
        for group, texts, pictures in GROUPS:
            with self.subTest(group):
                sizes = {text: {size for drawn, picture, size in lettered if drawn == text and picture in pictures}
                         for text in texts}
                for text in texts:
                    self.assertTrue(sizes[text], "%s is not lettered" % text)
                self.assertEqual(1, len(set.union(*sizes.values())), sizes)


if __name__ == "__main__":
    if len(sys.argv) > 1:
        FONT = sys.argv.pop(1)
    unittest.main()
