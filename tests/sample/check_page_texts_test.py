#!/usr/bin/python3
"""The check of the pages' texts tells a text drawn from exactly its characters from one that is
not: pictures drawn here by FreeType and by ImageMagick, some from the text and some from a
mangled copy of it, are read back against the text.

Usage: check_page_texts_test.py SAMPLE_DIR
"""

import io
import subprocess
import sys
import unittest

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, sys.argv[1])
import check_page_texts  # noqa: E402

TEXT = "日语的句号是“。”，逗号是“、”，都写在字的右下角。引号用「　」，引号里再引用时用『　』。"
INK, CARD = "#1c5577", "#ffffff"
SIZE = 19


def font_file():
    path, index = subprocess.run(["fc-match", "-f", "%{file}|%{index}", "Noto Sans CJK SC"],
                                 capture_output=True, text=True, check=True).stdout.split("|")
    return path, int(index)


def record(text, width, height, ground=None, index=None):
    path, face = font_file()
    index = face if index is None else index
    return {"text": text, "font": path, "index": index, "size": SIZE, "colour": INK, "ground": ground,
            "at": [0, 0], "box": [0, 0, width, height]}


def lettered(lines, width=760, ground=None):
    """The lines drawn one line height apart, on a clear ground or an opaque one."""
    path, index = font_file()
    face = ImageFont.truetype(path, SIZE, index=index)
    ascent, descent = face.getmetrics()
    size = (width, (ascent + descent) * len(lines))
    mask = Image.new("L", size, 0)
    for number, line in enumerate(lines):
        ImageDraw.Draw(mask).text((0, number * (ascent + descent)), line, font=face, fill=255, anchor="la")
    if ground is None:
        picture = Image.new("RGBA", size, INK)
        picture.putalpha(mask)
        return picture
    return Image.composite(Image.new("RGBA", size, INK), Image.new("RGBA", size, ground), mask)


def captioned(text, width=745):
    """The text as ImageMagick's caption: wrapped to the width."""
    path, _ = font_file()
    png = subprocess.run(["convert", "-background", "none", "-fill", INK, "-font", path, "-pointsize", str(SIZE),
                          "-gravity", "West", "-size", f"{width}x", "caption:" + text, "png:-"],
                         capture_output=True, check=True).stdout
    return Image.open(io.BytesIO(png)).convert("RGBA")


class CheckPageTexts(unittest.TestCase):
    def fault(self, text, picture, ground=None, index=None):
        return check_page_texts.fault_of(picture, record(text, picture.width, picture.height, ground, index))

    def test_a_text_drawn_from_its_characters_reads_back(self):
        cases = {
            "one line": (TEXT[:30], [TEXT[:30]], None),
            "wrapped, its break space dropped": ("hello world 你好", ["hello", "world 你好"], None),
            "two lines on a card": (TEXT, [TEXT[:38], TEXT[38:]], CARD),
        }
        for name, (text, lines, ground) in cases.items():
            with self.subTest(name):
                self.assertIsNone(self.fault(text, lettered(lines, ground=ground), ground))

    def test_a_text_not_drawn_from_exactly_its_characters_fails(self):
        line = TEXT[:30]
        cases = [  # what the text is, the lines drawn, the picture's width, its ground
            ("a look-alike character", line, [line.replace("日", "曰")], 760, None),
            ("its last character left out", line, [line[:-1]], 760, None),
            ("a character more", line, [line + "。"], 760, None),
            ("a line lost", TEXT, [TEXT[:38]], 760, None),
            ("cut at the picture's edge", TEXT[:45], [TEXT[:45]], 600, None),
            ("on a card, a character changed", line, [line.replace("号", "弓")], 760, CARD),
        ]
        for name, text, lines, width, ground in cases:
            with self.subTest(name):
                self.assertIsNotNone(self.fault(text, lettered(lines, width, ground), ground))

    def test_a_character_the_font_lacks_fails(self):
        text = "文字\U00013000"
        self.assertIn("no glyph", self.fault(text, lettered([text])))

    def test_imagemagick_caption_mangles_what_follows_an_ideographic_space(self):
        # ImageMagick draws with the font file's first face.
        self.assertIsNone(self.fault(TEXT[:30], captioned(TEXT[:30]), index=0))
        self.assertIn("'」'", self.fault(TEXT, captioned(TEXT), index=0))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
