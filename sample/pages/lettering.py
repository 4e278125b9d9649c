"""Texts of the pages, laid out in lines here and drawn by FreeType from their characters: no tool
reads them as a command, wraps them at bytes or decodes them again."""

import functools
import math
import unicodedata

from PIL import Image, ImageDraw, ImageFont

from generator.tools import ToolError, run, tool

# A line does not start with closing punctuation or small kana, nor end with opening punctuation.
NO_LINE_START = set("、。，．,.・：；？！?!:;ー～…‥」』）〕］｝〉》】”’ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ々ゝゞヽヾ")
NO_LINE_END = set("「『（〔［｛〈《【“‘")


@functools.lru_cache(maxsize=None)
def font_file(bold=False):
    """The CJK font file and face that has kana and simplified Chinese."""
    style = "Bold" if bold else "Regular"
    found = run(tool("fc-match"), "-f", "%{family}|%{file}|%{index}", f"Noto Sans CJK SC:style={style}")
    family, path, index = (found.split("|") + ["", ""])[:3]
    if "CJK" not in family or not path.strip():
        raise ToolError("no CJK font found (scripts/setup.sh installs fonts-noto-cjk)")
    return path.strip(), int(index or 0)


@functools.lru_cache(maxsize=None)
def face(size, bold=False):
    path, index = font_file(bold)
    return ImageFont.truetype(path, size, index=index)


def line_height(font):
    ascent, descent = font.getmetrics()
    return ascent + descent


def _wide(character):
    return unicodedata.east_asian_width(character) in "WF"


def _may_break_before(text, i):
    before, after = text[i - 1], text[i]
    if after in NO_LINE_START or before in NO_LINE_END or after.isspace():
        return False
    return before.isspace() or _wide(before) or _wide(after)


def lines(text, font, width=None):
    """The text in lines no wider than `width`: broken after a space or beside a wide
    character, never inside a word; a word wider than the line is broken where it must be."""
    if width is None:
        return [text]
    result, start, opportunities = [], 0, []
    for i in range(1, len(text) + 1):
        while i - start > 1 and font.getlength(text[start:i].rstrip()) > width:
            end = max((b for b in opportunities if start < b < i), default=i - 1)
            result.append(text[start:end].rstrip())
            start = end
        if i < len(text) and _may_break_before(text, i):
            opportunities.append(i)
    result.append(text[start:].rstrip())
    return result


class Lettering:
    """A text drawn on a clear ground, its lines left-aligned one line height apart."""

    def __init__(self, text, size, colour, bold=False, width=None):
        self.text, self.size, self.colour, self.bold = text, size, colour, bold
        font = face(size, bold)
        self.lines = lines(text, font, width)
        self.ascent = font.getmetrics()[0]
        step = line_height(font)
        self.width = width or max(1, math.ceil(max(font.getlength(line) for line in self.lines)))
        self.height = step * len(self.lines)
        coverage = Image.new("L", (self.width, self.height), 0)
        draw = ImageDraw.Draw(coverage)
        for number, line in enumerate(self.lines):
            draw.text((0, number * step), line, font=font, fill=255, anchor="la")
        self.image = Image.new("RGBA", coverage.size, colour)
        self.image.putalpha(coverage)

    def record(self, x, y, width, height, ground):
        """What the page's manifest tells of this text placed at x, y on a picture of that size:
        its characters, how they were drawn, and the part of the picture (x, y, width, height)
        its ink lies in, a pixel around, over `ground` (a colour, or None for a clear ground)."""
        path, index = font_file(self.bold)
        left, top, right, bottom = self.image.getbbox() or (0, 0, 0, 0)
        left, top = max(0, x + left - 1), max(0, y + top - 1)
        right, bottom = min(width, x + right + 1), min(height, y + bottom + 1)
        return {"text": self.text, "font": path, "index": index, "size": self.size, "colour": self.colour,
                "at": [x, y], "ground": ground, "box": [left, top, right - left, bottom - top]}
