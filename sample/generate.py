#!/usr/bin/env python3
"""Generates the sample content of the program folder from sample/courses/.

Usage: generate.py --courses DIR --out DIR

Writes data/data.mdb, data/lianxi.mdb, music/*.mp3, 效果/*.wav, 图片/* and an
empty setting/ folder into the output folder, replacing what an earlier run put
there.
"""

import argparse
import os
import re
import shutil
import sys

from generator.course_source import SourceError, read_course
from generator.effects import make_effects
from generator.pictures import make_pictures
from generator.recordings import make_recordings
from generator.tables import build_rows, write_database
from generator.tools import ToolError

# "setting" stays empty: the programs create the settings file there at the first course or
# topic chosen, and only in a folder that exists.
FOLDERS = ("data", "music", "效果", "图片", "setting")


def course_files(folder):
    names = [name for name in os.listdir(folder) if name.endswith(".txt")]
    # lesson2 before lesson10: the catalogue lists courses in this order.
    names.sort(key=lambda name: [int(part) if part.isdigit() else part for part in re.split(r"(\d+)", name)])
    return [os.path.join(folder, name) for name in names]


def check_catalogue(courses):
    if not courses:
        raise SourceError("no course files found")
    for attribute in ("key", "code"):
        values = [getattr(course, attribute) for course in courses]
        for value in set(values):
            if values.count(value) > 1:
                raise SourceError(f"two courses share the {attribute} '{value}'")


def folder_size(folder):
    return sum(os.path.getsize(os.path.join(root, name)) for root, _, names in os.walk(folder) for name in names)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--courses", required=True, help="folder of the course files")
    parser.add_argument("--out", required=True, help="program folder to write the content into")
    args = parser.parse_args()

    try:
        courses = [read_course(path) for path in course_files(args.courses)]
        check_catalogue(courses)
        rows, recordings = build_rows(courses)

        for folder in FOLDERS:
            shutil.rmtree(os.path.join(args.out, folder), ignore_errors=True)
            os.makedirs(os.path.join(args.out, folder))
        data = os.path.join(args.out, "data")
        write_database(os.path.join(data, "data.mdb"), ("kecheng", "study"), rows)
        write_database(os.path.join(data, "lianxi.mdb"), ("lianxi",), rows)
        make_recordings(recordings, os.path.join(args.out, "music"))
        make_effects(os.path.join(args.out, "效果"))
        make_pictures(os.path.join(args.out, "图片"))
    except (SourceError, ToolError) as error:
        print(f"generate.py: {error}", file=sys.stderr)
        return 1

    size = sum(folder_size(os.path.join(args.out, folder)) for folder in FOLDERS)
    print(f"sample content: {len(courses)} courses, {len(rows['study'])} lesson items, "
          f"{len(rows['lianxi'])} questions, {len(recordings)} recordings, {size / 1024:.0f} KiB")
    return 0


if __name__ == "__main__":
    sys.exit(main())
