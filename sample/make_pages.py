#!/usr/bin/env python3
"""Writes the twenty animated pages of the basics window as SWF movies.

Usage: make_pages.py --out DIR [--manifest FILE] [PAGE...]

Each page is built from its description in pages/descriptions/; pictures are drawn with
ImageMagick and lettered by FreeType (Pillow), voices synthesised with espeak-ng and lame. With page names, only those. The
manifest lists what each page was built with (frames, labels, sounds, buttons, and the texts
lettered on each picture), for the tests that read the files back with a parser of their own.
"""

import argparse
import importlib
import json
import os
import sys
from concurrent.futures import ProcessPoolExecutor

from generator.tools import ToolError

PAGES = ["wushiyin", "yuanyin", "fuyin", "aoyin", "bccy", "wailai", "riyudehanzi", "jiamingbishun",
         "jiamingyoulai", "riyuhanzi", "changyinsx", "biaodian", "shengdiao", "yudiao", "diyizu",
         "dierzu", "kandu", "tingxuan", "zuhewushiyin", "fenzulianxi"]


def make(name, out):
    movie = importlib.import_module(f"pages.descriptions.{name}").build()
    data = movie.bytes()
    with open(os.path.join(out, name + ".swf"), "wb") as f:
        f.write(data)
    return name, {"frames": movie.frame_count(), "labels": movie.labels, "sounds": len(movie.sounds),
                  "buttons": movie.buttons, "bytes": len(data), "texts": movie.texts}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="folder to write the .swf files into")
    parser.add_argument("--manifest", help="file to list what each page was built with")
    parser.add_argument("pages", nargs="*", help="only these pages")
    args = parser.parse_args()
    names = args.pages or PAGES
    unknown = set(names) - set(PAGES)
    if unknown:
        print(f"make_pages.py: no such page: {', '.join(sorted(unknown))}", file=sys.stderr)
        return 2
    os.makedirs(args.out, exist_ok=True)
    try:
        with ProcessPoolExecutor() as pool:
            made = dict(pool.map(make, names, [args.out] * len(names)))
    except ToolError as error:
        print(f"make_pages.py: {error}", file=sys.stderr)
        return 1
    if args.manifest:
        with open(args.manifest, "w", encoding="utf-8") as f:
            json.dump(made, f, ensure_ascii=False, indent=1)
    total = sum(page["bytes"] for page in made.values())
    print(f"basics pages: {len(made)} movies, {sum(page['frames'] for page in made.values())} frames, "
          f"{sum(page['sounds'] for page in made.values())} sounds, {total / 1024:.0f} KiB")
    return 0


if __name__ == "__main__":
    sys.exit(main())
