#!/usr/bin/python3
"""Reads every text lettered on the basics pages back out of the movies (Debian's python3-yaswfp
parses them) and looks in its picture, glyph by glyph, for the characters the text was given:
each character, rendered alone from the font, must be found in reading order, line after line,
and the picture must hold no ink those glyphs leave unexplained. A text drawn from anything but
exactly its characters (decoded again, cut off, wrapped away, drawn as the missing-glyph box)
fails, whatever drew it. The build runs it on the pages before they go into the program folder.

Usage: check_page_texts.py PAGES_DIR MANIFEST
"""

import functools
import json
import os
import struct
import sys
import zlib
from concurrent.futures import ProcessPoolExecutor

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont, ImageMath, ImageStat
from yaswfp import swfparser

# How far (pixels) a glyph may sit from where the font's advances put it, how much of its ink
# may differ from the glyph rendered alone, and how much ink (0 to 255, averaged) the glyphs
# may leave unexplained anywhere.
SLACK = 3
MISMATCH = 0.35
UNEXPLAINED_INK = 40


def pictures(path):
    """The pictures of a movie by the id of the shape that shows each: premultiplied RGBA."""
    bitmaps, shapes = {}, {}
    for tag in swfparser.parsefile(path).tags:
        if tag.name == "DefineBitsLossless2":
            ident, _, width, height = struct.unpack("<HBHH", tag.raw_payload[:7])
            bitmaps[ident] = Image.frombytes("RGBA", (width, height), zlib.decompress(tag.raw_payload[7:]),
                                             "raw", "ARGB")
        elif tag.name == "DefineShape3":
            for fill in tag.Shapes.FillStyles.FillStyles:
                if fill.FillStyleType == 0x41:
                    shapes[tag.ShapeId] = bitmaps[fill.BitmapId]
    return shapes


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def coverage(picture, colour, ground):
    """How much of the text colour each pixel holds (0 to 255) over its ground: alpha on a
    clear ground, else the pixel's share of the way from the ground colour to the text's."""
    red, green, blue, alpha = picture.split()
    if ground is None:
        return alpha
    c, g = rgb(colour), rgb(ground)
    span = [ci - gi for ci, gi in zip(c, g)]
    norm = sum(s * s for s in span) / 255
    share = ImageMath.eval(
        "((float(r) - float(a) * k0) * s0 + (float(gr) - float(a) * k1) * s1 + (float(b) - float(a) * k2) * s2) / n",
        r=red, gr=green, b=blue, a=alpha, k0=g[0] / 255, k1=g[1] / 255, k2=g[2] / 255,
        s0=span[0], s1=span[1], s2=span[2], n=norm)
    return share.convert("L")


@functools.lru_cache(maxsize=None)
def font(path, index, size):
    return ImageFont.truetype(path, size, index=index, layout_engine=ImageFont.Layout.BASIC)


@functools.lru_cache(maxsize=None)
def glyph(path, index, size, character):
    """The character rendered alone: its ink, where that ink sits from the pen at the line's
    top, and its advance; no ink for a space."""
    face = font(path, index, size)
    x0, y0, x1, y1 = face.getbbox(character, anchor="la")
    ink = Image.new("L", (max(1, x1 - x0), max(1, y1 - y0)), 0)
    ImageDraw.Draw(ink).text((-x0, -y0), character, font=face, fill=255, anchor="la")
    if ink.getbbox() is None:
        return None, (0, 0), face.getlength(character)
    return ink, (x0, y0), face.getlength(character)


def missing_glyph(path, index, size):
    return glyph(path, index, size, "\U0010fffd")[0].tobytes()


def mismatch(cover, ink, x, y):
    """The share of the glyph's ink that the picture at x, y does not match."""
    region = cover.crop((x, y, x + ink.width, y + ink.height))
    return ImageStat.Stat(ImageChops.difference(region, ink)).sum[0] / ImageStat.Stat(ink).sum[0]


def best_fit(cover, ink, x, y):
    return min((mismatch(cover, ink, x + dx, y + dy), x + dx, y + dy)
               for dy in range(-SLACK, SLACK + 1) for dx in range(-SLACK, SLACK + 1))


def first_ink_column(cover, top, height):
    band = cover.crop((0, max(0, top), cover.width, max(0, top) + height)).point(lambda v: 255 if v > 96 else 0)
    box = band.getbbox()
    return box[0] if box else None


def read_back(cover, text, path, index, size, first_top):
    """Finds the text's characters in the coverage picture, its first line's top at `first_top`;
    returns what went wrong, or None."""
    ascent, descent = font(path, index, size).getmetrics()
    step = ascent + descent
    explained = Image.new("L", cover.size, 0)
    pen, top = None, first_top  # where the next glyph goes on the current line, and that line's top
    for position, character in enumerate(text):
        ink, (x0, y0), advance = glyph(path, index, size, character)
        if ink is None:
            pen = None if pen is None else pen + advance
            continue
        if ink.tobytes() == missing_glyph(path, index, size):
            return f"the font has no glyph for {character!r}"
        # On this line, else at the start of the next one.
        places = [] if pen is None else [(pen, top)]
        next_top = top if pen is None else top + step
        column = first_ink_column(cover, next_top, step)
        if column is not None:
            places.append((column - x0 - ink.getbbox()[0], next_top))
        fits = [best_fit(cover, ink, round(place_pen + x0), place_top + y0) for place_pen, place_top in places]
        score, x, y = next((fit for fit in fits if fit[0] <= MISMATCH), (1, 0, 0))
        if score > MISMATCH:
            return f"{character!r} (character {position + 1} of {text!r}) is not where the text puts it"
        top, pen = y - y0, x - x0 + advance
        explained.paste(ImageChops.lighter(explained.crop((x, y, x + ink.width, y + ink.height)), ink), (x, y))
    # Ink the glyphs leave over, averaged over a quarter of a character: stray fringes fade,
    # a glyph that the text does not have stays.
    left_over = ImageChops.subtract(cover, explained).filter(ImageFilter.BoxBlur(max(1, size // 8)))
    if left_over.getextrema()[1] > UNEXPLAINED_INK:
        return f"{text!r} shows ink that none of its characters explain"
    return None


def fault_of(picture, lettered):
    """What is wrong with one lettered text of a picture, or None."""
    # A text cut off at the picture's edge reads back with its glyphs cut.
    x, y, width, height = lettered["box"]
    cover = coverage(picture.crop((x, y, x + width, y + height)), lettered["colour"], lettered["ground"])
    return read_back(cover, lettered["text"], lettered["font"], lettered["index"], lettered["size"],
                     lettered["at"][1] - y)


def page_faults(folder, name, built):
    shown = pictures(os.path.join(folder, name + ".swf"))
    found = [] if built["texts"] else [f"{name}: no texts"]
    for lettered in built["texts"]:
        fault = fault_of(shown[lettered["shape"]], lettered)
        if fault:
            found.append(f"{name}: {fault}")
    return found


def faults(folder, manifest):
    """What is wrong with the texts of every page in the manifest, one line each."""
    with ProcessPoolExecutor() as pool:
        return [fault for page in pool.map(page_faults, [folder] * len(manifest), manifest, manifest.values())
                for fault in page]


def main():
    folder, manifest = sys.argv[1:3]
    with open(manifest, encoding="utf-8") as f:
        found = faults(folder, json.load(f))
    for fault in found:
        print(f"check_page_texts.py: {fault}", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
