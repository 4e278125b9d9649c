"""Builds a page movie from steps: scenes of pictures that appear, voices that read, labels
that tell the host how far the page has played, and the exercises' buttons."""

import functools

from . import drawing
from .lettering import Lettering
from .sounds import effects, voice
from .swf import Movie, goto_label, play, stop

WIDTH, HEIGHT, FPS = 825, 600, 12
BODY_TOP = 76


@functools.lru_cache(maxsize=None)
def _effects():
    return effects()


class Page:
    """One page: a title band, then the steps its description runs."""

    def __init__(self, title, subtitle):
        self.movie = Movie(WIDTH, HEIGHT, FPS)
        self.pictures = {}
        self.sounds = {}
        self.scene_depths = []
        self.next_depth = 10
        self.movie.place(1, self.picture(("backdrop", title, subtitle),
                                         lambda: drawing.backdrop(WIDTH, HEIGHT, title, subtitle)), 0, 0)
        self.label("start")

    # Things defined once and used wherever needed.
    def picture(self, key, draw):
        if key not in self.pictures:
            p = draw()
            self.pictures[key] = (self.movie.picture(p.width, p.height, p.rgba, p.texts), p.width, p.height)
        return self.pictures[key][0]

    def size(self, key):
        return self.pictures[key][1:]

    def text(self, words, size=20, colour=drawing.INK, bold=False, width=None):
        key = ("text", words, size, colour, bold, width)
        return self.picture(key, lambda: drawing.text(words, size, colour, bold, width)), key

    def card(self, width, height, words, size, colour=drawing.INK, fill=drawing.WHITE, border="#b6d3e3", radius=12):
        key = ("card", width, height, words, size, colour, fill, border, radius)
        return self.picture(key, lambda: drawing.card(width, height, words, size, colour, fill, border, radius=radius))

    def voice(self, reading):
        if ("voice", reading) not in self.sounds:
            self.sounds[("voice", reading)] = self.movie.sound(voice(reading))
        return self.sounds[("voice", reading)]

    def effect(self, name):
        if ("effect", name) not in self.sounds:
            self.sounds[("effect", name)] = self.movie.sound(_effects()[name])
        return self.sounds[("effect", name)]

    # The timeline.
    def depth(self):
        self.next_depth += 1
        return self.next_depth

    def show(self, character, x, y, fade=False, depth=None):
        """Places a picture in the current scene (fading in over a few frames)."""
        depth = depth or self.depth()
        self.scene_depths.append(depth)
        if not fade:
            self.movie.place(depth, character, x, y)
            return depth
        self.movie.place(depth, character, x, y, alpha=0.2)
        for alpha in (0.45, 0.7, 1.0):
            self.wait_frames(1)
            self.movie.move(depth, alpha=alpha)
        return depth

    def clear(self):
        """Ends the scene: everything it showed goes."""
        for depth in self.scene_depths:
            self.movie.remove(depth)
        self.scene_depths = []

    def label(self, name):
        self.movie.label(name)

    def wait_frames(self, count):
        self.movie.show_frame(count)

    def wait(self, seconds):
        self.wait_frames(max(1, round(seconds * FPS)))

    def say(self, reading, pause=0.4):
        """Reads the Japanese aloud and waits until it has been heard."""
        sound = self.voice(reading)
        self.movie.start_sound(sound)
        self.wait(self.movie.duration(sound) + pause)

    def stop_here(self):
        self.movie.actions(stop())

    def button(self, up, over, actions, x, y, depth=None):
        button = self.movie.button(up, over, actions, self.effect("click"))
        return self.show(button, x, y, depth=depth)

    def finish(self, again="再看一遍"):
        """The last frame: stays, with a button that plays the page again."""
        self.label("end")
        up = self.card(132, 40, again, 18, drawing.WHITE, drawing.SKY, drawing.SKY)
        over = self.card(132, 40, again, 18, drawing.WHITE, drawing.TEAL, drawing.TEAL)
        self.button(up, over, [goto_label("start"), play()], WIDTH - 160, HEIGHT - 60)
        self.stop_here()
        self.wait_frames(1)
        return self.movie


# Steps that lessons share.
def explain(page, words, top=BODY_TOP, size=19, seconds=2.5):
    """A paragraph in Chinese that fades in and stays for a while."""
    text, key = page.text(words, size, width=WIDTH - 80)
    page.show(text, 40, top, fade=True)
    page.wait(seconds)
    return top + page.size(key)[1]


def read_cards(page, items, top, columns=5, width=130, height=100, size=44, gap=16, caption_size=15):
    """Cards that appear one by one, each read aloud: items are (japanese, caption, reading)."""
    left = (WIDTH - columns * width - (columns - 1) * gap) // 2
    for i, (japanese, caption, reading) in enumerate(items):
        x = left + (i % columns) * (width + gap)
        y = top + (i // columns) * (height + 40)
        page.show(page.card(width, height, japanese, size), x, y, fade=True)
        if caption:
            text, key = page.text(caption, caption_size, drawing.MUTED)
            page.show(text, x + (width - page.size(key)[0]) // 2, y + height + 6)
        if reading:
            page.say(reading)
        else:
            page.wait(1)


def lesson(page, scenes):
    """Scenes of a lesson, each with its label, explanation and read cards."""
    for number, scene in enumerate(scenes, 1):
        page.clear()
        page.label(f"step{number}")
        bottom = explain(page, scene["explain"])
        if scene.get("cards"):
            read_cards(page, scene["cards"], bottom + 24, **scene.get("layout", {}))
        if scene.get("note"):
            explain(page, scene["note"], HEIGHT - 110, 16, 1.5)
        page.wait(1.5)


def chart(page, rows, top, cell=(88, 42), gap=4):
    """The kana chart, row by row: each kana appears and is read; rows are (name, [(kana,
    romaji) or None]) and each gets the label "row-" + its first romaji."""
    width, height = cell
    left = (WIDTH - 5 * width - 4 * gap) // 2 + 40
    for r, (name, cells) in enumerate(rows):
        y = top + r * (height + gap)
        text, key = page.text(name, 16, drawing.MUTED, bold=True)
        page.show(text, left - 20 - page.size(key)[0], y + (height - page.size(key)[1]) // 2)
        page.label("row-" + next(c[1] for c in cells if c))
        for c, kana in enumerate(cells):
            if kana is None:
                continue
            # Lit while it is read, then it joins the chart.
            words, x = f"{kana[0]} {kana[1]}", left + c * (width + gap)
            depth = page.show(page.card(width, height, words, 20, drawing.INK, "#fff4dc", drawing.AMBER, 8), x, y)
            page.say(kana[0], pause=0.15)
            page.movie.remove(depth)
            page.movie.place(depth, page.card(width, height, words, 20, radius=8), x, y)


def pairs(page, items, top):
    """Two sounds side by side, heard one after the other, twice: items are
    ((japanese, caption, reading), (japanese, caption, reading))."""
    for number, pair in enumerate(items):
        y = top + number * 120
        for side, (japanese, caption, reading) in enumerate(pair):
            x = 150 + side * 300
            page.show(page.card(220, 80, japanese, 34), x, y, fade=True)
            text, key = page.text(caption, 15, drawing.MUTED)
            page.show(text, x + (220 - page.size(key)[0]) // 2, y + 86)
            page.say(reading)
        vs, _ = page.text("↔", 28, drawing.AMBER, bold=True)
        page.show(vs, 392, y + 22)
        for _, _, reading in pair:
            page.say(reading, pause=0.25)


def strokes(page, kana, lines, x, y, size=220):
    """A kana written stroke by stroke over its faint shape: each new stroke in amber with its
    number at its start. `lines` are the strokes as points on a 200 x 200 grid."""
    scale = size / 200
    guide = page.picture(("guide", kana, size), lambda: drawing.magick(
        "-size", f"{size}x{size}", "xc:white",
        "-fill", "none", "-stroke", "#b6d3e3", "-strokewidth", "2", "-draw", f"rectangle 1,1 {size - 2},{size - 2}"
    ).lettered_in_middle(Lettering(kana, int(size * 0.8), "#dfe9ef"), drawing.WHITE))
    page.show(guide, x, y)
    depth = page.depth()
    for n in range(1, len(lines) + 1):
        def draw(n=n):
            commands = []
            for i, line in enumerate(lines[:n]):
                points = " ".join(f"{px * scale:.0f},{py * scale:.0f}" for px, py in line)
                colour = drawing.AMBER if i == n - 1 else drawing.INK
                commands.append(f"stroke '{colour}' polyline {points}")
            sx, sy = lines[n - 1][0]
            commands.append(f"stroke none fill '{drawing.SKY}' circle {sx * scale:.0f},{sy * scale:.0f} "
                            f"{sx * scale + 11:.0f},{sy * scale:.0f}")
            number = Lettering(str(n), 15, drawing.WHITE, bold=True)
            return drawing.drawing(size, size, commands, stroke_width=max(4, size // 22)).lettered(
                number, round(sx * scale - 4), round(sy * scale + 6) - number.ascent, drawing.SKY)
        picture = page.picture(("strokes", kana, size, n), draw)
        if n == 1:
            page.show(picture, x, y, depth=depth)
        else:
            page.movie.remove(depth)
            page.movie.place(depth, picture, x, y)
        page.wait(0.9)


def pitch(page, word, moras, pattern, reading, meaning, top):
    """A word's pitch: its kana in boxes, a line over them drawn mora by mora (high or low),
    then the word heard."""
    box, gap = 64, 8
    width = len(moras) * box + (len(moras) - 1) * gap
    left = (WIDTH - width) // 2
    for i, mora in enumerate(moras):
        page.show(page.card(box, box, mora, 30, radius=8), left + i * (box + gap), top + 70)
    text, key = page.text(f"{word}  {meaning}", 18, drawing.MUTED)
    page.show(text, (WIDTH - page.size(key)[0]) // 2, top + 70 + box + 10)
    depth = page.depth()
    page.scene_depths.append(depth)
    for n in range(1, len(moras) + 1):
        def draw(n=n):
            points = [(i * (box + gap) + box // 2 + 10, 14 if pattern[i] == "H" else 52) for i in range(n)]
            commands = [f"polyline {' '.join(f'{px},{py}' for px, py in points)}"] if n > 1 else []
            commands += [f"fill '{drawing.AMBER}' circle {px},{py} {px + 6},{py}" for px, py in points]
            return drawing.drawing(width + 20, 66, commands, stroke=drawing.AMBER, stroke_width=4)
        picture = page.picture(("pitch", pattern, len(moras), n), draw)
        if n > 1:
            page.movie.remove(depth)
        page.movie.place(depth, picture, left - 10, top)
        page.wait(0.35)
    page.say(reading, pause=0.3)
    page.say(reading)


def contrasts(page, scenes):
    """Scenes of sounds that learners confuse: each is (explanation, pairs), heard side by side."""
    for number, (words, items) in enumerate(scenes, 1):
        page.clear()
        page.label(f"step{number}")
        bottom = explain(page, words, seconds=2)
        pairs(page, items, bottom + 30)
    page.wait(1)
