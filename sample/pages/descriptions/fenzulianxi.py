from ..builder import BODY_TOP, Page, explain
from ..exercises import go, kana_button, quiz

# Each group: its name, the label prefix and its questions (answer, options).
GROUPS = [
    ("あ行", "a-", [("う", ["あ", "い", "う", "え", "お"]), ("え", ["あ", "い", "う", "え", "お"])]),
    ("か行", "ka-", [("き", ["か", "き", "く", "け", "こ"]), ("こ", ["か", "き", "く", "け", "こ"])]),
    ("さ行", "sa-", [("す", ["さ", "し", "す", "せ", "そ"]), ("し", ["さ", "し", "す", "せ", "そ"])]),
    ("た行", "ta-", [("つ", ["た", "ち", "つ", "て", "と"]), ("て", ["た", "ち", "つ", "て", "と"])]),
    ("な行", "na-", [("ぬ", ["な", "に", "ぬ", "ね", "の"]), ("な", ["な", "に", "ぬ", "ね", "の"])]),
    ("は行", "ha-", [("ふ", ["は", "ひ", "ふ", "へ", "ほ"]), ("へ", ["は", "ひ", "ふ", "へ", "ほ"])]),
]


def build():
    page = Page("分组练习", "选一组假名，听音选字")
    page.label("step1")
    explain(page, "先选择一组假名，再听声音选出正确的假名。每组练完会回到这里。", seconds=0.5)
    page.label("groups")
    for i, (name, prefix, _) in enumerate(GROUPS):
        kana_button(page, name, 150, 60, 24, 60 + (i % 4) * 180, BODY_TOP + 120 + (i // 4) * 90,
                    go(prefix + "q1"))
    page.stop_here()
    page.wait_frames(1)
    for name, prefix, questions in GROUPS:
        quiz(page, prefix, questions, "groups", option=(110, 100))
    return page.movie
