"""Reads one course file and refuses anything the programs could not show."""

from dataclasses import dataclass, field
import re

MODES = ("音选日", "中选日", "日选中")
KINDS = ("句子", "单词")

SENTENCE_COUNT = (8, 12)
WORD_COUNT = (10, 15)
QUESTION_COUNT = (6, 10)


class SourceError(Exception):
    """A fault in a course file, told with the file and line it is on."""


@dataclass
class Item:
    jp: str
    cn: str
    reading: str


@dataclass
class Question:
    options: list  # item numbers (1-based) of options A to D
    answer: int  # index 0-3 of the right option


@dataclass
class Course:
    path: str
    key: str = ""
    name: str = ""
    code: str = ""
    sentences: list = field(default_factory=list)
    words: list = field(default_factory=list)
    practice: dict = field(default_factory=dict)  # (mode, kind) -> [Question]

    def items(self, kind):
        return self.sentences if kind == "句子" else self.words


def read_course(path):
    course = Course(path)
    section = None
    with open(path, encoding="utf-8") as source:
        for number, raw in enumerate(source, start=1):
            line = raw.rstrip("\r\n")
            where = f"{path}:{number}"
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            heading = re.fullmatch(r"\[(.+)\]\s*", line)
            if heading:
                section = _open_section(course, heading.group(1).strip(), where)
                continue
            if section is None:
                _read_header_line(course, line, where)
            elif section in ("sentences", "words"):
                course.items("句子" if section == "sentences" else "单词").append(_read_item(line, where))
            else:
                course.practice[section].append(_read_question(line, where))
    _check_course(course)
    return course


def _open_section(course, title, where):
    if title in ("sentences", "words"):
        return title
    parts = title.split()
    if len(parts) != 2 or parts[0] not in MODES or parts[1] not in KINDS:
        raise SourceError(f"{where}: unknown section [{title}]")
    key = (parts[0], parts[1])
    if key in course.practice:
        raise SourceError(f"{where}: section [{title}] given twice")
    course.practice[key] = []
    return key


def _read_header_line(course, line, where):
    name, sep, value = line.partition(":")
    name = name.strip()
    if not sep or name not in ("key", "name", "code"):
        raise SourceError(f"{where}: expected 'key:', 'name:' or 'code:'")
    # Inner spaces of a value are kept: the display names hold two of them.
    setattr(course, name, value.strip())


def _read_item(line, where):
    fields = [part.strip() for part in line.split("|")]
    if len(fields) != 3 or not all(fields):
        raise SourceError(f"{where}: expected 'Japanese | Chinese | kana reading'")
    item = Item(*fields)
    for text in (item.jp, item.cn):
        # A line opening with "[" would read as a new block of the lesson text.
        if text.startswith("["):
            raise SourceError(f"{where}: a text may not begin with '['")
    return item


def _read_question(line, where):
    tokens = line.split()
    if len(tokens) != 4 or sum(token.startswith("*") for token in tokens) != 1:
        raise SourceError(f"{where}: expected four item numbers, the right one marked with '*'")
    options = []
    for token in tokens:
        digits = token.lstrip("*")
        if not digits.isdigit():
            raise SourceError(f"{where}: '{token}' is not an item number")
        options.append(int(digits))
    if len(set(options)) != 4:
        raise SourceError(f"{where}: the four options must be four different items")
    answer = next(i for i, token in enumerate(tokens) if token.startswith("*"))
    return Question(options, answer)


def _check_course(course):
    path = course.path
    for name in ("key", "name", "code"):
        if not getattr(course, name):
            raise SourceError(f"{path}: '{name}:' is missing")
    if "'" in course.key:
        raise SourceError(f"{path}: the course key may not hold a single quote")
    if not re.fullmatch(r"[0-9A-Z]", course.code):
        raise SourceError(f"{path}: the code is one digit or capital letter")
    if not course.name.startswith(course.key + "  "):
        raise SourceError(f"{path}: the name is the key, two spaces and the theme")
    _check_count(path, "sentences", len(course.sentences), SENTENCE_COUNT)
    _check_count(path, "words", len(course.words), WORD_COUNT)
    for kind in KINDS:
        for column in ("jp", "cn"):
            texts = [getattr(item, column) for item in course.items(kind)]
            # Options are told apart by their text alone.
            if len(set(texts)) != len(texts):
                raise SourceError(f"{path}: two {kind} items share their {column} text")
    for mode in MODES:
        for kind in KINDS:
            _check_practice_set(course, mode, kind)


def _check_practice_set(course, mode, kind):
    path = course.path
    questions = course.practice.get((mode, kind))
    if questions is None:
        raise SourceError(f"{path}: section [{mode} {kind}] is missing")
    _check_count(path, f"[{mode} {kind}] questions", len(questions), QUESTION_COUNT)
    item_count = len(course.items(kind))
    answers = [q.options[q.answer] for q in questions]
    if len(set(answers)) != len(answers):
        raise SourceError(f"{path}: [{mode} {kind}] asks for the same item twice")
    for q in questions:
        if not all(1 <= n <= item_count for n in q.options):
            raise SourceError(f"{path}: [{mode} {kind}] names an item beyond 1-{item_count}")


def _check_count(path, what, count, bounds):
    low, high = bounds
    if not low <= count <= high:
        raise SourceError(f"{path}: {count} {what}, expected {low} to {high}")
