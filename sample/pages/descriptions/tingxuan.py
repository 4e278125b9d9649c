from ..builder import Page, explain
from ..exercises import quiz

# (answer, options)
QUESTIONS = [
    ("か", ["か", "が", "さ", "た"]),
    ("し", ["ち", "し", "す", "ひ"]),
    ("つ", ["す", "ち", "つ", "ず"]),
    ("ね", ["れ", "わ", "ぬ", "ね"]),
    ("ほ", ["ほ", "ふ", "は", "ぼ"]),
]


def build():
    page = Page("听选练习", "听声音，从四个假名中选出正确的一个")
    page.label("step1")
    explain(page, "仔细听，选出你听到的假名。答对会进入下一题，答错可以再选一次。", seconds=1.5)
    quiz(page, "", QUESTIONS, "end")
    return page.finish("再练一次")
