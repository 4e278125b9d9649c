"""Turns the courses into the rows of data.mdb and lianxi.mdb and writes both files."""

import os
import sqlite3

from .course_source import KINDS, MODES

# Column lists exactly as the programs read them; every column holds text.
SCHEMA = {
    "kecheng": ("kecheng", "kb"),
    "study": ("id", "biaoshi", "jp", "cn", "sound"),
    "lianxi": ("id", "biaoshi", "timu", "a", "b", "c", "d", "daan", "xuanxiang", "sound", "nin", "shuru"),
}

LESSON_THEME = {"句子": "基本课文", "单词": "单词"}
STUDY_LETTER = {"句子": "S", "单词": "W"}
# One letter per practice set of a course, apart from the study letters, so that
# item keys of questions never meet item keys of lesson items.
SET_LETTER = {
    ("音选日", "句子"): "A",
    ("音选日", "单词"): "B",
    ("中选日", "句子"): "C",
    ("中选日", "单词"): "D",
    ("日选中", "句子"): "E",
    ("日选中", "单词"): "F",
}
NOT_ANSWERED = "您未做此题"
LISTENING_STEM = "第{}题：请听录音，选出你听到的日语。"


def item_key(code, letter, number):
    """Four characters: course code, set letter, two-digit number."""
    return f"{code}{letter}{number:02d}"


def sound_name(course, kind, number):
    return f"{course.key.lower()}_{STUDY_LETTER[kind].lower()}{number:02d}"


def build_rows(courses):
    """Returns the rows of every table, and (sound name, kana reading) for every recording."""
    rows = {table: [] for table in SCHEMA}
    recordings = []
    for course in courses:
        rows["kecheng"].append((course.name, course.key))
        for kind in KINDS:
            lesson_key = course.key + LESSON_THEME[kind]
            for number, item in enumerate(course.items(kind), start=1):
                sound = sound_name(course, kind, number)
                key = item_key(course.code, STUDY_LETTER[kind], number)
                rows["study"].append((lesson_key, key, item.jp, item.cn, sound))
                recordings.append((sound, item.reading))
        for mode in MODES:
            for kind in KINDS:
                rows["lianxi"].extend(_practice_rows(course, mode, kind))
    return rows, recordings


def _practice_rows(course, mode, kind):
    set_id = course.key + mode + kind
    items = course.items(kind)
    # Japanese is chosen in two modes, the translation in the third.
    option_column = "cn" if mode == "日选中" else "jp"
    for number, question in enumerate(course.practice[(mode, kind)], start=1):
        answer_number = question.options[question.answer]
        answer_item = items[answer_number - 1]
        if mode == "音选日":
            stem = LISTENING_STEM.format(number)
        elif mode == "中选日":
            stem = answer_item.cn
        else:
            stem = answer_item.jp
        options = [getattr(items[n - 1], option_column) for n in question.options]
        yield (
            set_id,
            item_key(course.code, SET_LETTER[(mode, kind)], number),
            stem,
            *options,
            options[question.answer],
            "ABCD"[question.answer],
            sound_name(course, kind, answer_number),
            NOT_ANSWERED,
            "",
        )


def write_database(path, tables, rows):
    """Writes the named tables into a fresh SQLite file, rows in the given order."""
    partial = path + ".part"
    if os.path.exists(partial):
        os.remove(partial)
    connection = sqlite3.connect(partial)
    with connection:
        for table in tables:
            columns = SCHEMA[table]
            connection.execute(f"CREATE TABLE {table} ({', '.join(c + ' TEXT' for c in columns)})")
            marks = ", ".join("?" * len(columns))
            connection.executemany(f"INSERT INTO {table} VALUES ({marks})", rows[table])
    connection.close()
    os.replace(partial, path)
