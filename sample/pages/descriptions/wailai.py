from ..builder import Page, lesson


def build():
    page = Page("外来词专用音节", "为了写外语的音而用的片假名组合")
    lesson(page, [
        {"explain": "外来词用片假名书写。为了接近外语的发音，会用小写的 ァ ィ ゥ ェ ォ 组成新的音节。",
         "cards": [("ファ", "fa", "ふぁ"), ("フィ", "fi", "ふぃ"), ("ティ", "ti", "てぃ"), ("ディ", "di", "でぃ"),
                   ("ウェ", "we", "うぇ"), ("シェ", "she", "しぇ"), ("ジェ", "je", "じぇ"), ("チェ", "che", "ちぇ")],
         "layout": {"columns": 4, "width": 140, "height": 72, "size": 32}},
        {"explain": "常见的外来词：",
         "cards": [("ファン", "粉丝", "ふぁん"), ("パーティー", "派对", "ぱーてぃー"), ("シェフ", "厨师", "しぇふ"),
                   ("チェック", "检查", "ちぇっく")],
         "layout": {"columns": 4, "width": 170, "size": 30}},
    ])
    return page.finish()
