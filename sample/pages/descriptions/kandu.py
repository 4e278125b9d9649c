from ..builder import Page, explain
from ..exercises import see_and_hear

KANA = [("あ", "a"), ("い", "i"), ("う", "u"), ("え", "e"), ("お", "o"),
        ("か", "ka"), ("き", "ki"), ("く", "ku"), ("け", "ke"), ("こ", "ko"),
        ("さ", "sa"), ("し", "shi"), ("す", "su"), ("せ", "se"), ("そ", "so"),
        ("た", "ta"), ("ち", "chi"), ("つ", "tsu"), ("て", "te"), ("と", "to"),
        ("な", "na"), ("に", "ni"), ("ぬ", "nu"), ("ね", "ne"), ("の", "no")]


def build():
    page = Page("看读练习", "看假名，想一想怎么读，再点击听一听")
    page.label("step1")
    explain(page, "先看假名自己读一遍，再点击它听标准读音。", seconds=0.5)
    see_and_hear(page, KANA)
    return page.movie
