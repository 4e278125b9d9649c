from ..builder import Page, lesson


def build():
    page = Page("拗音", "い段假名 + 小写的 ゃ ゅ ょ")
    lesson(page, [
        {"explain": "い段假名（き し ち に ひ み り 等）后面加上小写的 ゃ、ゅ、ょ，合起来读成一个音节，只占一拍。",
         "cards": [("きゃ", "kya", "きゃ"), ("きゅ", "kyu", "きゅ"), ("きょ", "kyo", "きょ"),
                   ("しゃ", "sha", "しゃ"), ("しゅ", "shu", "しゅ"), ("しょ", "sho", "しょ"),
                   ("ちゃ", "cha", "ちゃ"), ("ちゅ", "chu", "ちゅ"), ("ちょ", "cho", "ちょ")],
         "layout": {"columns": 3, "width": 120, "height": 64, "size": 30, "caption_size": 13}},
        {"explain": "拗音的单词：",
         "cards": [("きょう", "今天", "きょう"), ("しゃしん", "照片", "しゃしん"), ("おちゃ", "茶", "おちゃ"),
                   ("りょこう", "旅行", "りょこう")],
         "layout": {"columns": 4, "width": 150, "size": 34},
         "note": "注意：ゃ ゅ ょ 要写得小一些，写大了就变成两个音节，如 きや（ki-ya）。"},
    ])
    return page.finish()
