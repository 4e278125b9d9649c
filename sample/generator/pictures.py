"""Draws the right and wrong marks and the practice title pictures with ImageMagick."""

import os

from .tools import ToolError, run, tool

MARK_SIZE = "24x24"
TITLE_SIZE = "248x29"
TITLES = {
    "听读音辨日文.gif": "听读音辨日文",
    "按译文选日文.gif": "按译文选日文",
    "按日文选译文.gif": "按日文选译文",
}


def _caption_font():
    """A CJK font that has the captions' simplified characters."""
    # fc-match always answers, with some Latin font when the wanted one is missing.
    family, _, path = run(tool("fc-match"), "-f", "%{family}|%{file}", "Noto Sans CJK SC:style=Bold").partition("|")
    if "CJK" not in family or not path.strip():
        raise ToolError("no CJK font found (scripts/setup.sh installs fonts-noto-cjk)")
    return path.strip()


def make_pictures(pictures_dir):
    convert = tool("convert")
    os.makedirs(pictures_dir, exist_ok=True)

    def mark(name, colour, path):
        """A white stroke on a coloured disc."""
        run(convert, "-size", MARK_SIZE, "xc:white",
            "-fill", colour, "-stroke", "none", "-draw", "circle 11.5,11.5 11.5,0.5",
            "-fill", "none", "-stroke", "white", "-strokewidth", "3",
            "-draw", f"stroke-linecap round stroke-linejoin round path '{path}'",
            "-quality", "95", "jpeg:" + os.path.join(pictures_dir, name))

    mark("输入正确.jpg", "#2e9d3a", "M 6.5,12.5 L 10.5,16.5 L 17.5,8")
    mark("输入错误.jpg", "#d23c2a", "M 7.5,7.5 L 15.5,15.5 M 15.5,7.5 L 7.5,15.5")

    font = _caption_font()
    for name, caption in TITLES.items():
        run(convert, "-size", TITLE_SIZE, "gradient:#4a90b8-#1c5577",
            "-font", font, "-pointsize", "18", "-fill", "white", "-gravity", "center",
            "-annotate", "+0+0", caption, "+dither", "-colors", "64",
            "gif:" + os.path.join(pictures_dir, name))
