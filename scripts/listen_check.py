#!/usr/bin/env python3
"""Listens to both programs as a learner hears them: on a virtual screen of its own with a
private sound server whose null sink's monitor is recorded, it checks that every sound asked for
reaches the sink (see scripts/listen-check.sh). Prints one line a check and exits 0 when all hold.

    scripts/listen_check.py [program folder]
"""

import array
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "benchmarks", "live"))

from live_session import AUDIBLE, RATE, MonitorRecorder, Screen, Session, end_process  # noqa: E402

# Sorandel's form, centred in its window, and points of it.
FORM_SIZE = (882, 684)
FIRST_SENTENCE = (358, 182)
SWITCH_BUTTON = (807, 106)
BASICS_GROUP = (90, 634)
FIRST_BASICS_ITEM = (90, 227)
CLICK_HEARD_WITHIN_S = 0.150
# Tavolin polls its player every 1.5 s: after a 0.4 s recording the next item starts at the
# first poll, after a 3.2 s one at the fourth.
SHORT_S, LONG_S = 0.4, 3.2
CADENCE_S = (1.5, 6.0)
CADENCE_TOLERANCE_S = 0.35
SCREEN_SIZES = ("1366x768", "882x714", "800x600")


class Failed(Exception):
    pass


def tone(folder, seconds, hz):
    """An mp3 sine tone at half scale."""
    wav = os.path.join(folder, f"tone-{seconds}-{hz}.wav")
    mp3 = wav[:-4] + ".mp3"
    if not os.path.exists(mp3):
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "1", "-b", "16", wav, "synth",
                        str(seconds), "sine", str(hz), "vol", "0.5"], check=True)
        subprocess.run(["lame", "--quiet", "-b", "128", wav, mp3], check=True)
    return mp3


def first_lesson_sounds(app, count):
    """The recordings of the first items of the course both programs start on."""
    db = sqlite3.connect(f"file:{os.path.join(app, 'data', 'data.mdb')}?mode=ro", uri=True)
    rows = db.execute("SELECT sound FROM study WHERE id = ?", ("Lesson1基本课文",)).fetchall()
    db.close()
    return [r[0] for r in rows[:count]]


class Listener:
    """The monitor of the session's sink, read as sounds heard at moments of time."""

    def __init__(self, session):
        self.recorder = MonitorRecorder(session)
        # A server just started delivers its monitor a moment later: until then nothing is heard.
        deadline = time.monotonic() + 10
        while not self.recorder.arrivals or time.monotonic() - self.recorder.arrivals[-1][0] > 0.05:
            if time.monotonic() > deadline:
                raise Failed("the sink's monitor delivers nothing")
            time.sleep(0.01)

    def close(self):
        self.recorder.close()

    def _levels(self, start, end):
        with self.recorder.lock:
            samples = array.array("h", self.recorder.samples[start * 4:end * 4])
        return [max(abs(samples[i]), abs(samples[i + 1])) for i in range(0, len(samples) - 1, 2)]

    def first_heard_after(self, when, timeout):
        """The time at which the first audible sample after `when` reached the sink, or None."""
        start = self.recorder.frame_at(when)
        deadline = time.monotonic() + timeout
        while True:
            levels = self._levels(start, self.recorder.frames())
            found = next((i for i, v in enumerate(levels) if v >= AUDIBLE), None)
            if found is not None:
                return self.recorder.arrival_of(start + found)
            if time.monotonic() > deadline:
                return None
            time.sleep(0.02)

    def onsets(self, since, until, gap_s=0.2):
        """Times at which a sound began after at least `gap_s` of silence, from `since`."""
        start, end = self.recorder.frame_at(since), self.recorder.frame_at(until)
        result, quiet = [], int(gap_s * RATE)
        for i, v in enumerate(self._levels(start, end)):
            if v >= AUDIBLE:
                if quiet >= gap_s * RATE:
                    result.append(self.recorder.arrival_of(start + i))
                quiet = 0
            else:
                quiet += 1
        return result

    def wait_for_quiet(self, seconds=0.5, timeout=15):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            end = self.recorder.frames()
            start = end - int(seconds * RATE)
            if start >= 0 and max(self._levels(start, end), default=0) < AUDIBLE:
                return
            time.sleep(0.05)
        raise Failed("the sink never fell silent")


class Program:
    """A program started from a program folder, up to its first painted window."""

    def __init__(self, session, screen, app, name):
        screen.forget_windows()
        self.started = time.monotonic()
        self.process = subprocess.Popen([os.path.join(app, name)], env=session.env, cwd=app,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.screen = screen
        self.window, self.painted = wait_for_window(screen)

    def point(self, form_point):
        """A point of Sorandel's form on the screen: the form is centred in the window."""
        x, y, width, height = self.screen.geometry(self.window)
        return (x + (width - FORM_SIZE[0]) // 2 + form_point[0],
                y + (height - FORM_SIZE[1]) // 2 + form_point[1])

    def click(self, form_point):
        return self.screen.click(*self.point(form_point))

    def close(self):
        end_process(self.process)


def wait_for_window(screen, timeout=20):
    """The next program window mapped on the screen and the time it was first painted."""
    deadline = time.monotonic() + timeout
    while True:
        window = screen.wait_for_window(max(0.1, deadline - time.monotonic()))
        geometry = screen.geometry(window)
        if geometry is not None and geometry[2] >= 100 and geometry[3] >= 50:
            return window, screen.wait_for_paint(window)


def xdotool(session, *args):
    subprocess.run(["xdotool", *args], env=session.env, check=True)


def expect(condition, message):
    if not condition:
        raise Failed(message)


def heard_click(listener, program, point, what):
    listener.wait_for_quiet()
    clicked = program.click(point)
    heard = listener.first_heard_after(clicked, 2)
    expect(heard is not None, f"{what}: nothing heard")
    latency = heard - clicked
    expect(latency <= CLICK_HEARD_WITHIN_S, f"{what}: heard {latency * 1000:.0f} ms after it")
    return latency


# --- the checks -----------------------------------------------------------------------------

def sorandel_on_screen(app, display, size):
    session = Session(display, size)
    try:
        screen = Screen(display)
        listener = Listener(session)
        program = Program(session, screen, fresh_copy(session, app), "Sorandel")
        try:
            heard = listener.first_heard_after(program.started, 5)
            expect(heard is not None, "the start sound is not heard")
            latency = heard_click(listener, program, FIRST_SENTENCE, "a click on the first sentence")
            return (f"start sound {(heard - program.painted) * 1000:+.0f} ms from the first frame, "
                    f"sentence click heard after {latency * 1000:.0f} ms")
        finally:
            program.close()
            listener.close()
            screen.close()
    finally:
        session.close()


def tavolin_reading(session, screen, listener, app):
    folder = tempfile.mkdtemp(dir=session.folder)
    first, second, third = first_lesson_sounds(app, 3)
    for sound, seconds, hz in ((first, SHORT_S, 440), (second, LONG_S, 660), (third, SHORT_S, 880)):
        shutil.copyfile(tone(folder, seconds, hz), os.path.join(app, "music", sound + ".mp3"))
    listener.wait_for_quiet()
    program = Program(session, screen, app, "Tavolin")
    try:
        changes, last = [], screen.pixels(program.window)
        until = program.painted + CADENCE_S[1] + 1.0
        while time.monotonic() < until:
            time.sleep(0.05)
            now = screen.pixels(program.window)
            if now is not None and now != last:
                changes.append(time.monotonic())
                last = now
        onsets = listener.onsets(program.started, until)
        expect(onsets, "Tavolin reads nothing aloud")
        expect(onsets[0] - program.painted <= 1.0,
               f"its first recording is heard {onsets[0] - program.painted:.2f} s after its bar")
        expect(len(onsets) >= 3, f"{len(onsets)} items heard in {until - program.started:.1f} s")
        for expected, onset in zip(CADENCE_S, onsets[1:]):
            expect(abs(onset - onsets[0] - expected) <= CADENCE_TOLERANCE_S,
                   f"an item starts {onset - onsets[0]:.2f} s after the first, not {expected} s")
            expect(any(abs(c - onset) <= CADENCE_TOLERANCE_S for c in changes),
                   f"the bar's labels do not change when the item at {expected} s starts")
        return (f"first recording {(onsets[0] - program.painted) * 1000:.0f} ms after the bar, "
                f"next items at {onsets[1] - onsets[0]:.2f} s and {onsets[2] - onsets[0]:.2f} s")
    finally:
        program.close()


def end_programs(app):
    for name in ("Sorandel", "Tavolin"):
        subprocess.run(["pkill", "-f", os.path.join(app, name)], check=False)


def switch_both_ways(session, screen, listener, app):
    try:
        return switch_and_back(session, screen, listener, app)
    finally:
        end_programs(app)


def pid_of(app, name):
    found = subprocess.run(["pgrep", "-f", os.path.join(app, name)], capture_output=True, text=True)
    return int(found.stdout.split()[0]) if found.stdout.split() else None


def wait_for_end(pid, timeout=5):
    deadline = time.monotonic() + timeout
    while os.path.exists(f"/proc/{pid}") and time.monotonic() < deadline:
        with open(f"/proc/{pid}/stat") as f:
            if f.read().rsplit(")", 1)[1].split()[0] == "Z":
                break
        time.sleep(0.01)
    expect(not os.path.exists(f"/proc/{pid}") or time.monotonic() < deadline,
           "the program did not end at the switch")
    return time.monotonic()


def switch_and_back(session, screen, listener, app):
    sorandel = Program(session, screen, app, "Sorandel")
    listener.wait_for_quiet()
    sorandel.click(SWITCH_BUTTON)
    tavolin_window, _ = wait_for_window(screen)
    expect(sorandel.process.wait(5) == 0, "Sorandel did not end with 0 at the switch")
    # Past the end of Sorandel's own button click.
    ended = time.monotonic() + 0.1
    heard = listener.first_heard_after(ended, 3)
    expect(heard is not None, "Tavolin is not heard after the switch")
    tavolin = pid_of(app, "Tavolin")
    expect(tavolin is not None, "Tavolin is not running after the switch")
    # 返回主窗口 is the last item but one of the bar's menu.
    x, y, width, height = screen.geometry(tavolin_window)
    xdotool(session, "mousemove", str(x + width // 2), str(y + height // 2), "click", "3")
    time.sleep(0.4)
    xdotool(session, "key", "Up", "Up", "Return")
    back = Program.__new__(Program)
    back.screen = screen
    back.window, _ = wait_for_window(screen)
    expect(screen.geometry(back.window)[2] > 629, "no main window came back")
    wait_for_end(tavolin)
    latency = heard_click(listener, back, FIRST_SENTENCE, "a sentence click after the switch back")
    return (f"Tavolin heard {(heard - ended) * 1000 + 100:.0f} ms after Sorandel ended, a "
            f"sentence click after the switch back {latency * 1000:.0f} ms after it")


def basics_page(session, screen, listener, app):
    program = Program(session, screen, app, "Sorandel")
    try:
        listener.wait_for_quiet()
        program.click(BASICS_GROUP)
        time.sleep(0.3)
        clicked = program.click(FIRST_BASICS_ITEM)
        # The navigation's shutter comes first, then the page's own sound once it plays.
        shutter = listener.first_heard_after(clicked, 2)
        expect(shutter is not None, "the navigation's shutter sound is not heard")
        deadline = clicked + 15
        while time.monotonic() < deadline:
            later = [t for t in listener.onsets(clicked, time.monotonic()) if t > shutter]
            if later:
                return f"the page is heard {later[0] - clicked:.2f} s after the click"
            time.sleep(0.1)
        raise Failed("the page's sound is not heard")
    finally:
        program.close()


def server_restart(session, screen, listener, app):
    program = Program(session, screen, app, "Sorandel")
    try:
        heard_click(listener, program, FIRST_SENTENCE, "a click before the restart")
        listener.close()
        session.stop_sound_server()
        session.start_sound_server()
        back = time.monotonic()
        listener = Listener(session)
        time.sleep(max(0.0, back + 0.5 - time.monotonic()))
        first = heard_click(listener, program, FIRST_SENTENCE, "the first click after the restart")
        clients = session.pactl("list", "short", "clients") or ""
        expect("Sorandel" in clients, "the sound server lists no Sorandel client")
        time.sleep(max(0.0, back + 4 - time.monotonic()))
        later = heard_click(listener, program, FIRST_SENTENCE, "a click 4 s after the restart")
        return (f"clicks after the restart heard after {first * 1000:.0f} ms and "
                f"{later * 1000:.0f} ms"), listener
    finally:
        program.close()


def server_after_program(session, screen, listener, app):
    listener.close()
    session.stop_sound_server()
    program = Program(session, screen, app, "Sorandel")
    try:
        time.sleep(1)
        session.start_sound_server()
        listener = Listener(session)
        latency = heard_click(listener, program, FIRST_SENTENCE,
                              "a click once the sound server is up")
        return f"a click once the server is up heard after {latency * 1000:.0f} ms", listener
    finally:
        program.close()


def fresh_copy(session, app):
    copy = tempfile.mkdtemp(dir=session.folder)
    shutil.copytree(app, copy, dirs_exist_ok=True)
    return copy


def free_display():
    for n in range(90, 200):
        if not os.path.exists(f"/tmp/.X{n}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{n}"):
            return f":{n}"
    raise RuntimeError("no free display")


def main():
    root = os.path.join(HERE, "..")
    app = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                          os.path.join(root, "build", "release", "app"))
    for tool in ("Xvfb", "pulseaudio", "parec", "pactl", "sox", "lame", "xdotool"):
        if shutil.which(tool) is None:
            sys.exit(f"missing {tool} (scripts/setup.sh installs it)")
    display = os.environ.get("LISTEN_CHECK_DISPLAY") or free_display()
    failures = 0

    def run(name, check):
        nonlocal failures
        try:
            print(f"ok    {name}: {check()}", flush=True)
        except (Failed, RuntimeError) as e:
            failures += 1
            print(f"FAIL  {name}: {e}", flush=True)

    for size in SCREEN_SIZES:
        run(f"Sorandel at {size}", lambda: sorandel_on_screen(app, display, size))

    session = Session(display)
    try:
        screen = Screen(display)
        copy = fresh_copy(session, app)
        listener = Listener(session)
        run("Tavolin alone", lambda: tavolin_reading(session, screen, listener, copy))
        run("the switch both ways", lambda: switch_both_ways(session, screen, listener, copy))
        run("a basics page", lambda: basics_page(session, screen, listener, copy))
        for name, check in (("a sound server restart", server_restart),
                            ("a sound server started after the program", server_after_program)):
            try:
                text, listener = check(session, screen, listener, copy)
                print(f"ok    {name}: {text}", flush=True)
            except (Failed, RuntimeError) as e:
                failures += 1
                print(f"FAIL  {name}: {e}", flush=True)
                if session.pactl("info") is None:
                    session.start_sound_server()
                listener = Listener(session)
        listener.close()
        screen.close()
    finally:
        session.close()
    print("all sounds heard" if failures == 0 else f"{failures} checks failed")
    return 0 if failures == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
