from ..builder import Page, lesson


def build():
    page = Page("语调", "句尾升调和降调")
    lesson(page, [
        {"explain": "语调是整句话的抑扬。疑问句句尾上扬（↗），陈述句句尾平稳下降（↘）。",
         "cards": [("そうですか↗", "是吗？（疑问）", "そうですか？"), ("そうですか↘", "是这样啊。（明白了）", "そうですか。")],
         "layout": {"columns": 2, "width": 260, "size": 32}},
        {"explain": "一个词也能变成问句：",
         "cards": [("ほんとう↗", "真的吗？", "ほんとう？"), ("ほんとう↘", "真的。", "ほんとう。"),
                   ("いいですね↘", "真好啊。", "いいですね。")],
         "layout": {"columns": 3, "width": 220, "size": 28},
         "note": "说话时注意句尾：升调表示提问，降调表示肯定或感叹。"},
    ])
    return page.finish()
