"""Pictures of the pages: cards, marks and lines drawn with ImageMagick, texts lettered on them."""

import subprocess

from PIL import Image

from generator.tools import ToolError, tool

from .cache import kept
from .lettering import Lettering

INK = "#1c5577"
SKY = "#187db1"
TEAL = "#23938c"
AMBER = "#dc862a"
MUTED = "#5d7d90"
PAPER = "#f4f9fc"
WHITE = "#ffffff"
RIGHT = "#2e9d3a"
WRONG = "#d23c2a"


class Picture:
    """Straight RGBA pixels, rows top to bottom, and the texts lettered on them."""

    def __init__(self, width, height, rgba, texts=()):
        self.width, self.height, self.rgba, self.texts = width, height, rgba, list(texts)

    def lettered(self, lettering, x, y, ground):
        """This picture with the lettering over it at x, y; `ground` is the colour under its ink."""
        base = Image.frombytes("RGBA", (self.width, self.height), self.rgba)
        layer = Image.new("RGBA", base.size, (0, 0, 0, 0))
        layer.paste(lettering.image, (x, y))
        return Picture(self.width, self.height, Image.alpha_composite(base, layer).tobytes(),
                       self.texts + [lettering.record(x, y, self.width, self.height, ground)])

    def lettered_in_middle(self, lettering, ground):
        return self.lettered(lettering, (self.width - lettering.width) // 2,
                             (self.height - lettering.height) // 2, ground)


def _pam(data):
    header, _, pixels = data.partition(b"ENDHDR\n")
    fields = dict(line.split(b" ", 1) for line in header.splitlines()[1:] if b" " in line)
    width, height, depth = int(fields[b"WIDTH"]), int(fields[b"HEIGHT"]), int(fields[b"DEPTH"])
    if depth != 4:
        raise ToolError(f"expected RGBA pixels, got depth {depth}")
    return Picture(width, height, pixels[:width * height * 4])


def magick(*arguments):
    """Runs convert with the arguments and reads the RGBA picture it makes."""
    command = [tool("convert"), *arguments, "-depth", "8", "-type", "TrueColorAlpha", "pam:-"]

    def make():
        result = subprocess.run(command, capture_output=True)
        if result.returncode != 0:
            raise ToolError(f"convert {' '.join(arguments)} failed: {result.stderr.decode(errors='replace')}")
        return result.stdout

    return _pam(kept("picture", command, make))


def text(words, size, colour=INK, bold=False, width=None):
    """A text on a clear ground; with a width it wraps inside it."""
    lettering = Lettering(words, size, colour, bold, width)
    return Picture(lettering.width, lettering.height, lettering.image.tobytes(), [lettering.record(0, 0, lettering.width, lettering.height, None)])


def card(width, height, words, size, colour=INK, fill=WHITE, border="#b6d3e3", bold=True, radius=12):
    """A rounded card with a text in its middle."""
    ground = magick("-size", f"{width}x{height}", "xc:none",
                    "-fill", fill, "-stroke", border, "-strokewidth", "2",
                    "-draw", f"roundrectangle 1,1 {width - 2},{height - 2} {radius},{radius}")
    return ground.lettered_in_middle(Lettering(words, size, colour, bold), fill)


def drawing(width, height, commands, stroke=INK, stroke_width=6, fill="none"):
    """Lines and shapes drawn with ImageMagick -draw commands on a clear ground."""
    return magick("-size", f"{width}x{height}", "xc:none", "-fill", fill, "-stroke", stroke,
                  "-strokewidth", str(stroke_width), "-draw",
                  "stroke-linecap round stroke-linejoin round " + " ".join(commands))


def mark(right, size=64):
    """A right (tick) or wrong (cross) mark on a disc."""
    s = size / 24
    strokes = ([((6.5, 12.5), (10.5, 16.5), (17.5, 8))] if right
               else [((7.5, 7.5), (15.5, 15.5)), ((15.5, 7.5), (7.5, 15.5))])
    lines = ["polyline " + " ".join(f"{x * s:.1f},{y * s:.1f}" for x, y in stroke) for stroke in strokes]
    return magick("-size", f"{size}x{size}", "xc:none", "-fill", RIGHT if right else WRONG, "-stroke", "none",
                  "-draw", f"circle {size / 2},{size / 2} {size / 2},1",
                  "-fill", "none", "-stroke", WHITE, "-strokewidth", str(round(3 * s)),
                  "-draw", "stroke-linecap round stroke-linejoin round " + " ".join(lines))


def backdrop(width, height, title, subtitle):
    """The page's ground: a title band with the page's name and a short subtitle."""
    ground = magick("-size", f"{width}x{height}", "gradient:#ffffff-#e6f3f9",
                    "-fill", SKY, "-draw", f"rectangle 0,0 {width},56",
                    "-fill", "#f0b148", "-draw", "roundrectangle 20,16 25,40 2,2")
    name, note = Lettering(title, 26, WHITE, bold=True), Lettering(subtitle, 15, "#d8ecf7")
    return ground.lettered(name, 38, 10, SKY).lettered(note, width - 24 - note.width, 19, SKY)
