from ..builder import Page, lesson


def build():
    page = Page("假名的由来", "假名都来自汉字")
    lesson(page, [
        {"explain": "平假名由汉字的草书简化而来，笔画圆润。",
         "cards": [("安→あ", "a", "あ"), ("以→い", "i", "い"), ("宇→う", "u", "う"), ("衣→え", "e", "え"),
                   ("於→お", "o", "お")],
         "layout": {"width": 130, "size": 32}},
        {"explain": "片假名取汉字的一部分（偏旁）而来，笔画方正。",
         "cards": [("阿→ア", "a", "あ"), ("伊→イ", "i", "い"), ("宇→ウ", "u", "う"), ("江→エ", "e", "え"),
                   ("於→オ", "o", "お")],
         "layout": {"width": 130, "size": 32},
         "note": "记住来源的汉字，能帮助记忆假名的形状。"},
    ])
    return page.finish()
