#!/usr/bin/env python3
"""Listens to both programs as a learner hears them: on a virtual screen of its own with a
private sound server whose null sink's monitor is recorded, it checks that every sound asked for
reaches the sink (see scripts/listen-check.sh). Prints one line a check and exits 0 when all hold.

    scripts/listen_check.py [program folder]
"""

import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "benchmarks", "live"))

from live_session import (AUDIBLE, RATE, MonitorRecorder, Screen, Session,  # noqa: E402
                          first_audible_after, levels, process_running, program_copy, sine_mp3,
                          wait_for_quiet)
from measure import SENTENCES, Running, form_point, program_window  # noqa: E402

# Points of Sorandel's form.
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


def expect(condition, message):
    if not condition:
        raise Failed(message)


def first_lesson_sounds(app, count):
    """The recordings of the first items of the course both programs start on."""
    db = sqlite3.connect(f"file:{os.path.join(app, 'data', 'data.mdb')}?mode=ro", uri=True)
    rows = db.execute("SELECT sound FROM study WHERE id = ?", ("Lesson1基本课文",)).fetchall()
    db.close()
    return [r[0] for r in rows[:count]]


# --- what the sink's monitor heard --------------------------------------------------------------

def heard_after(recorder, when, timeout):
    """When the first audible sample after `when` reached the sink, or None."""
    frame = first_audible_after(recorder, recorder.frame_at(when), timeout)
    return None if frame is None else recorder.arrival_of(frame)


def onsets(recorder, since, until, gap_s=0.2):
    """Times at which a sound began after at least `gap_s` of silence, from `since`."""
    start = recorder.frame_at(since)
    result, quiet = [], int(gap_s * RATE)
    for i, v in enumerate(levels(recorder, start, recorder.frame_at(until))):
        if v >= AUDIBLE:
            if quiet >= gap_s * RATE:
                result.append(recorder.arrival_of(start + i))
            quiet = 0
        else:
            quiet += 1
    return result


def quiet(recorder, seconds=0.5):
    expect(wait_for_quiet(recorder, seconds, timeout=15), "the sink never fell silent")


def heard_click(recorder, screen, window, point, what):
    quiet(recorder)
    clicked = screen.click(*form_point(screen, window, point))
    heard = heard_after(recorder, clicked, 2)
    expect(heard is not None, f"{what}: nothing heard")
    latency = heard - clicked
    expect(latency <= CLICK_HEARD_WITHIN_S, f"{what}: heard {latency * 1000:.0f} ms after it")
    return latency


def first_painted(program):
    return program.started + program.first_frame_ms / 1000


# --- the checks -----------------------------------------------------------------------------

def sorandel_on_screen(app, display, size):
    session = Session(display, size)
    try:
        screen = Screen(display)
        recorder = MonitorRecorder(session)
        program = Running(session, screen, program_copy(session, os.path.join(app, "Sorandel")))
        try:
            heard = heard_after(recorder, program.started, 5)
            expect(heard is not None, "the start sound is not heard")
            latency = heard_click(recorder, screen, program.window, SENTENCES[0],
                                  "a click on the first sentence")
            return (f"start sound {(heard - first_painted(program)) * 1000:+.0f} ms from the "
                    f"first frame, sentence click heard after {latency * 1000:.0f} ms")
        finally:
            program.close()
            recorder.close()
            screen.close()
    finally:
        session.close()


def tavolin_reading(session, screen, recorder, app):
    folder = tempfile.mkdtemp(dir=session.folder)
    first, second, third = first_lesson_sounds(app, 3)
    for sound, seconds, hz in ((first, SHORT_S, 440), (second, LONG_S, 660), (third, SHORT_S, 880)):
        shutil.copyfile(sine_mp3(folder, seconds, hz), os.path.join(app, "music", sound + ".mp3"))
    quiet(recorder)
    program = Running(session, screen, os.path.join(app, "Tavolin"))
    try:
        bar = first_painted(program)
        changes, last = [], screen.pixels(program.window)
        until = bar + CADENCE_S[1] + 1.0
        while time.monotonic() < until:
            time.sleep(0.05)
            now = screen.pixels(program.window)
            if now is not None and now != last:
                changes.append(time.monotonic())
                last = now
        heard = onsets(recorder, program.started, until)
        expect(heard, "Tavolin reads nothing aloud")
        expect(heard[0] - bar <= 1.0,
               f"its first recording is heard {heard[0] - bar:.2f} s after its bar")
        expect(len(heard) >= 3, f"{len(heard)} items heard in {until - program.started:.1f} s")
        for expected, onset in zip(CADENCE_S, heard[1:]):
            expect(abs(onset - heard[0] - expected) <= CADENCE_TOLERANCE_S,
                   f"an item starts {onset - heard[0]:.2f} s after the first, not {expected} s")
            expect(any(abs(c - onset) <= CADENCE_TOLERANCE_S for c in changes),
                   f"the bar's labels do not change when the item at {expected} s starts")
        return (f"first recording {(heard[0] - bar) * 1000:.0f} ms after the bar, "
                f"next items at {heard[1] - heard[0]:.2f} s and {heard[2] - heard[0]:.2f} s")
    finally:
        program.close()


def switch_both_ways(session, screen, recorder, app):
    try:
        return switch_and_back(session, screen, recorder, app)
    finally:
        for name in ("Sorandel", "Tavolin"):
            subprocess.run(["pkill", "-f", os.path.join(app, name)], check=False)


def pid_of(app, name):
    found = subprocess.run(["pgrep", "-f", os.path.join(app, name)], capture_output=True,
                           text=True).stdout.split()
    return int(found[0]) if found else None


def switch_and_back(session, screen, recorder, app):
    sorandel = Running(session, screen, os.path.join(app, "Sorandel"))
    quiet(recorder)
    sorandel.click(screen, SWITCH_BUTTON)
    tavolin_window, _ = program_window(screen)
    expect(sorandel.process.wait(5) == 0, "Sorandel did not end with 0 at the switch")
    # Past the end of Sorandel's own button click.
    ended = time.monotonic() + 0.1
    heard = heard_after(recorder, ended, 3)
    expect(heard is not None, "Tavolin is not heard after the switch")
    tavolin = pid_of(app, "Tavolin")
    expect(tavolin is not None, "Tavolin is not running after the switch")
    # 返回主窗口 is the last item but one of the bar's menu.
    x, y, width, height = screen.geometry(tavolin_window)
    env = session.env
    subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2), "click",
                    "3"], env=env, check=True)
    time.sleep(0.4)
    subprocess.run(["xdotool", "key", "Up", "Up", "Return"], env=env, check=True)
    window, _ = program_window(screen)
    expect(screen.geometry(window)[2] > width, "no main window came back")
    deadline = time.monotonic() + 5
    while process_running(tavolin) and time.monotonic() < deadline:
        time.sleep(0.01)
    expect(not process_running(tavolin), "Tavolin did not end at the switch back")
    latency = heard_click(recorder, screen, window, SENTENCES[0],
                          "a sentence click after the switch back")
    return (f"Tavolin heard {(heard - ended) * 1000 + 100:.0f} ms after Sorandel ended, a "
            f"sentence click after the switch back {latency * 1000:.0f} ms after it")


def basics_page(session, screen, recorder, app):
    program = Running(session, screen, os.path.join(app, "Sorandel"))
    try:
        quiet(recorder)
        program.click(screen, BASICS_GROUP)
        time.sleep(0.3)
        clicked = program.click(screen, FIRST_BASICS_ITEM)
        # The navigation's shutter comes first, then the page's own sound once it plays.
        shutter = heard_after(recorder, clicked, 2)
        expect(shutter is not None, "the navigation's shutter sound is not heard")
        deadline = clicked + 15
        while time.monotonic() < deadline:
            later = [t for t in onsets(recorder, clicked, time.monotonic()) if t > shutter]
            if later:
                return f"the page is heard {later[0] - clicked:.2f} s after the click"
            time.sleep(0.1)
        raise Failed("the page's sound is not heard")
    finally:
        program.close()


def server_restart(session, screen, app):
    program = Running(session, screen, os.path.join(app, "Sorandel"))
    recorder = MonitorRecorder(session)
    try:
        heard_click(recorder, screen, program.window, SENTENCES[0], "a click before the restart")
        recorder.close()
        session.stop_sound_server()
        session.start_sound_server()
        back = time.monotonic()
        recorder = MonitorRecorder(session)
        time.sleep(max(0.0, back + 0.5 - time.monotonic()))
        first = heard_click(recorder, screen, program.window, SENTENCES[0],
                            "the first click after the restart")
        clients = session.pactl("list", "short", "clients") or ""
        expect("Sorandel" in clients, "the sound server lists no Sorandel client")
        time.sleep(max(0.0, back + 4 - time.monotonic()))
        later = heard_click(recorder, screen, program.window, SENTENCES[0],
                            "a click 4 s after the restart")
        return f"clicks after the restart heard after {first * 1000:.0f} ms and {later * 1000:.0f} ms"
    finally:
        recorder.close()
        program.close()


def server_after_program(session, screen, app):
    session.stop_sound_server()
    program = Running(session, screen, os.path.join(app, "Sorandel"))
    try:
        time.sleep(1)
        session.start_sound_server()
        recorder = MonitorRecorder(session)
        try:
            latency = heard_click(recorder, screen, program.window, SENTENCES[0],
                                  "a click once the sound server is up")
        finally:
            recorder.close()
        return f"a click once the server is up heard after {latency * 1000:.0f} ms"
    finally:
        program.close()


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
        copy = os.path.dirname(program_copy(session, os.path.join(app, "Sorandel")))
        recorder = MonitorRecorder(session)
        try:
            run("Tavolin alone", lambda: tavolin_reading(session, screen, recorder, copy))
            run("the switch both ways", lambda: switch_both_ways(session, screen, recorder, copy))
            run("a basics page", lambda: basics_page(session, screen, recorder, copy))
        finally:
            recorder.close()
        run("a sound server restart", lambda: server_restart(session, screen, copy))
        if session.pactl("info") is None:
            session.start_sound_server()
        run("a sound server started after the program",
            lambda: server_after_program(session, screen, copy))
        screen.close()
    finally:
        session.close()
    print("all sounds heard" if failures == 0 else f"{failures} checks failed")
    return 0 if failures == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
