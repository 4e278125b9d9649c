from ..builder import Page, lesson


def build():
    page = Page("辅音", "辅音 + 元音 = 一个音节")
    lesson(page, [
        {"explain": "日语的假名大多由一个辅音加一个元音组成。例如 か行：k + a i u e o。",
         "cards": [("か", "ka", "か"), ("き", "ki", "き"), ("く", "ku", "く"), ("け", "ke", "け"), ("こ", "ko", "こ")]},
        {"explain": "有些假名的辅音会变化，要特别记住：し 读 shi，ち 读 chi，つ 读 tsu，ふ 读 fu。",
         "cards": [("し", "shi", "し"), ("ち", "chi", "ち"), ("つ", "tsu", "つ"), ("ふ", "fu", "ふ"), ("ん", "n", "ん")]},
        {"explain": "ら行的辅音是舌尖轻轻弹一下上齿龈，介于汉语的 l 和 r 之间。",
         "cards": [("ら", "ra", "ら"), ("り", "ri", "り"), ("る", "ru", "る"), ("れ", "re", "れ"), ("ろ", "ro", "ろ")],
         "note": "小提示：日语的 k、t、p 送气比汉语弱，在词中常听起来像 g、d、b。"},
    ])
    return page.finish()
