from ..builder import Page, lesson


def build():
    page = Page("标点符号", "句号、逗号和引号")
    lesson(page, [
        {"explain": "日语的句号是“。”，逗号是“、”，都写在字的右下角。引号用「　」，引号里再引用时用『　』。",
         "cards": [("。", "句号", ""), ("、", "逗号", ""), ("「」", "引号", ""), ("・", "中点", "")],
         "layout": {"columns": 4, "width": 120, "size": 44}},
        {"explain": "看看例句：",
         "cards": [("はい、そうです。", "是的，是这样。", "はい、そうです。"),
                   ("「ありがとう」と言いました。", "说了“谢谢”。", "ありがとうといいました")],
         "layout": {"columns": 1, "width": 600, "height": 80, "size": 32},
         "note": "正式的日语文章一般不用问号和感叹号，疑问句也用“。”结尾。"},
    ])
    return page.finish()
