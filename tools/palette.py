"""The game's named colours and the drawing helpers its picture generators
share: friendly rounded shapes with a dark outline, drawn at twice the size and
scaled down so that edges come out smooth."""

import argparse
import os

import outputs

from PIL import Image, ImageDraw, ImageFont

# The ten colours of the game, by the names its content uses.
COLOURS = {
    "Red": (229, 57, 53),
    "Green": (67, 160, 71),
    "Blue": (30, 136, 229),
    "Yellow": (253, 216, 53),
    "Black": (38, 50, 56),
    "Orange": (251, 140, 0),
    "Purple": (142, 36, 170),
    "White": (255, 255, 255),
    "Brown": (141, 110, 99),
    "Gray": (158, 158, 158),
}

# The outline of every shape: a warm dark brown, softer than black.
OUTLINE = (62, 39, 35, 255)
CREAM = (255, 248, 225, 255)
SKY = (129, 212, 250)

# Pictures are drawn this many times larger, then scaled down.
SUPERSAMPLE = 2


def rgba(colour, alpha=255):
    return (colour[0], colour[1], colour[2], alpha)


def lighter(colour, amount):
    return tuple(int(c + (255 - c) * amount) for c in colour[:3])


def darker(colour, amount):
    return tuple(int(c * (1.0 - amount)) for c in colour[:3])


def greyed(colour):
    grey = int(0.3 * colour[0] + 0.59 * colour[1] + 0.11 * colour[2])
    return lighter((grey, grey, grey), 0.35)


class Canvas:
    """A transparent picture drawn at SUPERSAMPLE times its size."""

    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.image = Image.new("RGBA", (width * SUPERSAMPLE, height * SUPERSAMPLE), background)
        self.draw = ImageDraw.Draw(self.image)

    @staticmethod
    def s(value):
        return int(round(value * SUPERSAMPLE))

    def box(self, box):
        return [self.s(v) for v in box]

    def points(self, points):
        return [(self.s(x), self.s(y)) for x, y in points]

    def rounded(self, box, radius, fill, outline=OUTLINE, width=3):
        self.draw.rounded_rectangle(self.box(box), radius=self.s(radius), fill=fill,
                                    outline=outline, width=self.s(width) if outline else 0)

    def ellipse(self, box, fill, outline=OUTLINE, width=3):
        self.draw.ellipse(self.box(box), fill=fill, outline=outline, width=self.s(width) if outline else 0)

    def polygon(self, points, fill, outline=OUTLINE, width=3):
        pts = self.points(points)
        self.draw.polygon(pts, fill=fill)
        if outline:
            self.draw.line(pts + [pts[0]], fill=outline, width=self.s(width), joint="curve")

    def line(self, points, fill, width=3):
        self.draw.line(self.points(points), fill=fill, width=self.s(width), joint="curve")

    def text(self, centre, text, font_path, size, fill, outline=OUTLINE, stroke=3):
        font = ImageFont.truetype(font_path, self.s(size))
        self.draw.text((self.s(centre[0]), self.s(centre[1])), text, font=font, fill=fill, anchor="mm",
                       stroke_width=self.s(stroke) if outline else 0, stroke_fill=outline)

    @classmethod
    def fitting_size(cls, text, font_path, size, max_width, stroke=3):
        """The size, size or smaller, at which the text fits the width."""
        draw = ImageDraw.Draw(Image.new("RGBA", (1, 1)))
        while size > 8:
            font = ImageFont.truetype(font_path, cls.s(size))
            left, _, right, _ = draw.textbbox((0, 0), text, font=font, stroke_width=cls.s(stroke))
            if right - left <= cls.s(max_width):
                break
            size -= 1
        return size

    def fit_text(self, centre, text, font_path, size, max_width, fill, outline=OUTLINE, stroke=3):
        """Centred text, made smaller until it fits the width."""
        self.text(centre, text, font_path, self.fitting_size(text, font_path, size, max_width, stroke), fill, outline,
                  stroke)

    @classmethod
    def shared_size(cls, font_path, texts, stroke=3):
        """One size for texts seen together: the largest at which each fits its own width.
        texts: (text, starting size, width) each."""
        return min(cls.fitting_size(text, font_path, size, width, stroke) for text, size, width in texts)

    def paste(self, other, position):
        self.image.alpha_composite(other.image, (self.s(position[0]), self.s(position[1])))

    def result(self):
        return self.image.resize((self.width, self.height), Image.LANCZOS)


def save(image, path):
    """Writes the picture, replacing the file only once it is complete."""
    temporary = path + ".tmp"
    image.save(temporary, format="PNG", optimize=False)
    os.replace(temporary, path)


def run_picture_generator(doc, pictures, argv):
    """The command line every picture generator shares: --font, --output-dir and
    --stamp. pictures(font_path) gives {name: image}; each is saved as name.png,
    and the stamp is written last, so that a build sees it only once all exist."""
    parser = argparse.ArgumentParser(description=doc, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--font", required=True, help="TrueType font for the lettering")
    parser.add_argument("--output-dir", required=True)
    parser.add_argument("--stamp", help="file touched when every picture is written")
    args = parser.parse_args(argv)
    if not os.path.isfile(args.font):
        parser.error("no font file at %s" % args.font)
    os.makedirs(args.output_dir, exist_ok=True)
    made = pictures(args.font)
    for name, image in made.items():
        save(image, os.path.join(args.output_dir, name + ".png"))
    outputs.finish(args.stamp, args.output_dir, [name + ".png" for name in made])
    return 0
