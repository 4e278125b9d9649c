from ..builder import BODY_TOP, WIDTH, Page, explain
from ..exercises import go, kana_button
from .. import drawing

VOWELS = ["a", "i", "u", "e", "o"]
# Consonant, its name on the button, and its row's kana (None where the row has no such sound).
ROWS = [
    ("", "元音", ["あ", "い", "う", "え", "お"]),
    ("k", "k", ["か", "き", "く", "け", "こ"]),
    ("s", "s", ["さ", "し", "す", "せ", "そ"]),
    ("t", "t", ["た", "ち", "つ", "て", "と"]),
    ("n", "n", ["な", "に", "ぬ", "ね", "の"]),
    ("h", "h", ["は", "ひ", "ふ", "へ", "ほ"]),
    ("m", "m", ["ま", "み", "む", "め", "も"]),
    ("y", "y", ["や", None, "ゆ", None, "よ"]),
    ("r", "r", ["ら", "り", "る", "れ", "ろ"]),
    ("w", "w", ["わ", None, None, None, "を"]),
]
ROMAJI = {"し": "shi", "ち": "chi", "つ": "tsu", "ふ": "fu", "を": "o"}


def build():
    page = Page("组合五十音图", "先选辅音，再选元音，组合成假名")
    page.label("step1")
    explain(page, "先点击一个辅音，再点击一个元音，看看它们组合成哪个假名，并听一听。", seconds=0.5)
    for i, (consonant, name, _) in enumerate(ROWS):
        kana_button(page, name, 64, 44, 20, 40 + i * 75, BODY_TOP + 70, go("c-" + consonant))
    # The chosen consonant's mark and vowel buttons, the same in its state and its results.
    highlight, vowel_depth = page.depth(), page.depth()
    page.next_depth += len(VOWELS)
    result = page.depth()

    def choose(index):
        consonant, _, kana = ROWS[index]
        page.movie.remove(highlight)
        page.movie.place(highlight, page.picture(("highlight",), lambda: drawing.drawing(
            70, 8, ["roundrectangle 1,1 68,6 3,3"], stroke="#f0b148", fill="#f0b148", stroke_width=1)),
            37 + index * 75, BODY_TOP + 120)
        for v, vowel in enumerate(VOWELS):
            target = f"kana-{consonant}{vowel}"
            page.movie.remove(vowel_depth + v)
            up = page.card(90, 56, vowel, 26)
            over = page.card(90, 56, vowel, 26, drawing.SKY, "#eaf5fb", drawing.SKY)
            button = page.movie.button(up, over, go(target), page.effect("click"))
            page.movie.place(vowel_depth + v, button, 170 + v * 100, BODY_TOP + 150)

    for index, (consonant, _, _) in enumerate(ROWS):
        page.label("c-" + consonant)
        choose(index)
        page.movie.remove(result)
        page.stop_here()
        page.wait_frames(1)
    for index, (consonant, name, kana) in enumerate(ROWS):
        for v, vowel in enumerate(VOWELS):
            page.label(f"kana-{consonant}{vowel}")
            choose(index)
            page.movie.remove(result)
            k = kana[v]
            sound = ROMAJI.get(k, consonant + vowel) if k else None
            words = f"{name if consonant else ''}{'+' if consonant else ''}{vowel} = {k}  {sound}" if k \
                else f"{consonant}+{vowel}：没有这个音"
            colour = drawing.INK if k else drawing.WRONG
            page.movie.place(result, page.card(520, 120, words, 40 if k else 30, colour, "#fffdf3", "#f0b148", 20),
                             (WIDTH - 520) // 2, BODY_TOP + 260)
            page.wait_frames(1)
            page.movie.start_sound(page.voice(k) if k else page.effect("wrong"))
            page.stop_here()
            page.wait_frames(1)
    return page.movie
