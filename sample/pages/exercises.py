"""The exercises' machinery: buttons that answer clicks with a voice or with right/wrong
feedback. Each state a learner can reach has a frame label of its own."""

from . import drawing
from .builder import BODY_TOP, WIDTH
from .swf import goto_label, play, stop


def kana_button(page, words, width, height, size, x, y, actions, depth=None):
    up = page.card(width, height, words, size)
    over = page.card(width, height, words, size, drawing.SKY, "#eaf5fb", drawing.SKY)
    return page.button(up, over, actions, x, y, depth=depth)


def go(label):
    return [goto_label(label), play()]


def see_and_hear(page, kana, columns=5, cell=(76, 64), gap=10):
    """Kana as buttons; a click shows the kana large and reads it (label "say-" + romaji)."""
    width, height = cell
    for i, (k, romaji) in enumerate(kana):
        x = 40 + (i % columns) * (width + gap)
        y = BODY_TOP + 60 + (i // columns) * (height + gap)
        kana_button(page, k, width, height, 30, x, y, go("say-" + romaji))
    page.label("ready")
    page.stop_here()
    page.wait_frames(1)
    big = page.depth()
    for k, romaji in kana:
        page.label("say-" + romaji)
        page.movie.remove(big)
        page.movie.place(big, page.card(260, 260, f"{k}", 140, drawing.INK, "#fffdf3", "#f0b148", radius=20),
                         520, BODY_TOP + 80)
        caption, key = page.text(romaji, 28, drawing.AMBER, bold=True)
        page.movie.remove(big + 1)
        page.movie.place(big + 1, caption, 520 + (260 - page.size(key)[0]) // 2, BODY_TOP + 350)
        page.wait_frames(1)
        page.movie.start_sound(page.voice(k))
        page.stop_here()
        page.wait_frames(1)
    page.next_depth = big + 2


def quiz(page, prefix, questions, after, option=(140, 110)):
    """Listen and choose: for each question its voice plays, the learner picks one of the
    options; right gives a tick and a chime and moves on, wrong a cross and a buzz and lets the
    learner try again. Questions are (answer, options); labels are prefix + "q1", "q1-listen",
    "q1-wait", "q1-right", "q1-wrong", ...; after the last question the movie goes to `after`."""
    width, height = option
    for number, (answer, options) in enumerate(questions, 1):
        q = f"{prefix}q{number}"
        following = f"{prefix}q{number + 1}" if number < len(questions) else after
        page.clear()
        page.label(q)
        counter, _ = page.text(f"第 {number} 题 / 共 {len(questions)} 题：听声音，选出正确的假名", 19, bold=True)
        page.show(counter, 40, BODY_TOP + 20)
        left = (WIDTH - len(options) * width - (len(options) - 1) * 24) // 2
        for i, choice in enumerate(options):
            target = f"{q}-right" if choice == answer else f"{q}-wrong"
            kana_button(page, choice, width, height, 48, left + i * (width + 24), BODY_TOP + 170, go(target))
        kana_button(page, "再听一遍", 160, 44, 18, (WIDTH - 160) // 2, BODY_TOP + 330, go(f"{q}-listen"))
        page.wait_frames(1)
        page.label(f"{q}-listen")
        page.wait_frames(1)
        page.movie.start_sound(page.voice(answer))
        page.wait_frames(1)
        page.label(f"{q}-wait")
        page.stop_here()
        page.wait_frames(1)

        mark = page.depth()
        page.scene_depths.append(mark)
        page.label(f"{q}-right")
        page.movie.place(mark, page.picture(("mark", True), lambda: drawing.mark(True, 96)), (WIDTH - 96) // 2,
                         BODY_TOP + 50)
        page.movie.start_sound(page.effect("right"))
        page.wait(0.6)
        page.movie.start_sound(page.voice(answer))
        page.wait(1.2)
        page.movie.actions(*go(following))
        page.wait_frames(1)

        page.label(f"{q}-wrong")
        page.movie.remove(mark)
        page.movie.place(mark, page.picture(("mark", False), lambda: drawing.mark(False, 96)), (WIDTH - 96) // 2,
                         BODY_TOP + 50)
        page.movie.start_sound(page.effect("wrong"))
        page.wait(1.2)
        page.movie.actions(goto_label(f"{q}-wait"), stop())
        page.wait_frames(1)
    page.clear()
