from ..builder import BODY_TOP, Page, explain, pitch

# (word, moras, pitch of each mora, reading, meaning)
WORDS = [
    ("さくら", ["さ", "く", "ら"], "LHH", "さくら", "樱花  平板型：第一拍低，后面高"),
    ("ねこ", ["ね", "こ"], "HL", "ねこ", "猫  头高型：第一拍高，后面低"),
    ("たまご", ["た", "ま", "ご"], "LHL", "たまご", "鸡蛋  中高型：中间高"),
    ("はし", ["は", "し"], "HL", "はし", "筷子  头高型"),
    ("はし", ["は", "し"], "LH", "はし", "桥  尾高型：后面接助词时会降下来"),
]


def build():
    page = Page("声调", "高低音调：看线条，听高低")
    page.label("step1")
    explain(page, "日语的声调是高低型的：每一拍不是高就是低，第一拍和第二拍的高低一定不同。同样的假名，声调不同，意思可能不同。",
            seconds=2.5)
    for number, (word, moras, pattern, reading, meaning) in enumerate(WORDS, 2):
        page.clear()
        page.label(f"step{number}")
        pitch(page, word, moras, pattern, reading, meaning, BODY_TOP + 120)
        page.wait(0.8)
    return page.finish()
