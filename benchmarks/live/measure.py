#!/usr/bin/env python3
"""Measures the built programs as a user meets them, on a virtual screen of its own with a null
sound sink, each figure side by side with a bare Qt window (see README.md).

    benchmarks/live/measure.py --display :99 [--only startup,idle,click,dropouts] \
        build/release/app/Sorandel [another/build/of/Sorandel ...]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

from live_session import (AUDIBLE, RATE, MonitorRecorder, Screen, Session, cpu_seconds,
                          end_process, first_audible_after, levels, program_copy, resident_mb,
                          sine_mp3, thread_switches, wait_for_quiet)

HERE = os.path.dirname(os.path.abspath(__file__))
# Where the Japanese line of the first six sentences lies in Sorandel's main form, which its
# window shows centred.
SENTENCES = [(358, 182 + 57 * i) for i in range(6)]
FORM_SIZE = (882, 684)
# The known test sound of the dropout measure: a 300-3000 Hz sweep at half scale.
TEST_SOUND_MS = 500


class Running:
    """One program started on the session's screen, up to its first painted frame."""

    def __init__(self, session, screen, program):
        screen.forget_windows()
        self.started = time.monotonic()
        self.process = subprocess.Popen([program], env=session.env, cwd=os.path.dirname(program),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window, painted = program_window(screen)
        self.first_frame_ms = (painted - self.started) * 1000

    def click(self, screen, point):
        return screen.click(*form_point(screen, self.window, point))

    def close(self):
        end_process(self.process)


def program_window(screen):
    """The next window mapped on the screen that is a program's (not a tooltip's), and the time
    it was first painted."""
    while True:
        window = screen.wait_for_window()
        geometry = screen.geometry(window)
        if geometry is not None and geometry[2] >= 100:
            return window, screen.wait_for_paint(window)


def form_point(screen, window, point):
    """Where a point of Sorandel's form lies on the screen: the form is centred in its window.
    Asked each time: a window may be placed or sized after it first shows."""
    x, y, width, height = screen.geometry(window)
    return (x + (width - FORM_SIZE[0]) // 2 + point[0],
            y + (height - FORM_SIZE[1]) // 2 + point[1])


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(p / 100 * (len(ordered) - 1))))]


# --- start to first frame, resident memory ----------------------------------------------------

def measure_startup(session, screen, programs, runs):
    firsts = {p: [] for p in programs}
    memory = {p: [] for p in programs}
    for run in range(runs + 1):
        for program in programs:
            running = Running(session, screen, program_copy(session, program))
            time.sleep(3)
            rss = resident_mb(running.process.pid)
            running.close()
            if run > 0:  # the first round only warms the disk and font caches
                firsts[program].append(running.first_frame_ms)
                memory[program].append(rss)
    return {p: {"start to first frame, median ms": statistics.median(firsts[p]),
                "start to first frame, min ms": min(firsts[p]),
                "resident memory 3 s after start, MB": statistics.median(memory[p])}
            for p in programs}


# --- idle wake-ups ----------------------------------------------------------------------------

def wakeups(session, pid, seconds):
    """Wake-ups a second of each thread of `pid` and of the sound server, and CPU shares."""
    before = thread_switches(pid)
    server_before = thread_switches(session.pulse.pid)
    cpu = cpu_seconds(pid), cpu_seconds(session.pulse.pid)
    time.sleep(seconds)
    after = thread_switches(pid)
    server_after = thread_switches(session.pulse.pid)
    threads = {}
    for key, (voluntary, involuntary) in after.items():
        start = before.get(key, (0, 0))
        threads[key[1]] = threads.get(key[1], 0) + \
            (voluntary - start[0] + involuntary - start[1]) / seconds
    server = sum(v[0] + v[1] - server_before.get(k, (0, 0))[0] - server_before.get(k, (0, 0))[1]
                 for k, v in server_after.items()) / seconds
    return {
        "program wake-ups/s": sum(threads.values()),
        "program CPU %": (cpu_seconds(pid) - cpu[0]) / seconds * 100,
        "sound server wake-ups/s": server,
        "sound server CPU %": (cpu_seconds(session.pulse.pid) - cpu[1]) / seconds * 100,
        "busiest threads": ", ".join(f"{name} {rate:.0f}/s" for name, rate in
                                     sorted(threads.items(), key=lambda t: -t[1])[:4] if rate > 0)
                           or "none",
    }


def measure_idle(session, screen, programs, seconds, sorandel):
    results = {}
    for program in programs:
        running = Running(session, screen, program_copy(session, program))
        time.sleep(5)
        figures = {f"idle after start: {k}": v
                   for k, v in wakeups(session, running.process.pid, seconds).items()}
        if program in sorandel:
            # The same once a recording has been played to its end and a while has passed.
            running.click(screen, SENTENCES[0])
            time.sleep(8)
            figures.update({f"idle after a recording: {k}": v for k, v in
                            wakeups(session, running.process.pid, seconds).items()})
        running.close()
        results[program] = figures
    return results


# --- click to first audible sample ------------------------------------------------------------

def measure_click(session, screen, programs, clicks, quiet):
    results = {}
    for program in programs:
        running = Running(session, screen, program_copy(session, program))
        recorder = MonitorRecorder(session)
        time.sleep(2)
        latencies = []
        for i in range(clicks):
            wait_for_quiet(recorder, quiet)
            clicked = running.click(screen, SENTENCES[i % len(SENTENCES)])
            frame = first_audible_after(recorder, recorder.frame_at(clicked), 3)
            if frame is not None:
                latencies.append((recorder.arrival_of(frame) - clicked) * 1000)
        recorder.close()
        running.close()
        results[program] = {
            "click to first audible sample, median ms": statistics.median(latencies)
            if latencies else None,
            "click to first audible sample, p95 ms": percentile(latencies, 95)
            if latencies else None,
            "clicks heard": f"{len(latencies)} of {clicks}",
        }
    return results


# --- dropouts in a known test sound -----------------------------------------------------------

def play_of(recorder, first):
    """One play from its first audible frame: (ms to its last audible frame, silent gaps of
    3 or more frames inside it)."""
    values = levels(recorder, first, first + (TEST_SOUND_MS + 100) * RATE // 1000)
    last = max(i for i, v in enumerate(values) if v >= AUDIBLE)
    gaps, run = 0, 0
    for v in values[:last + 1]:
        if v >= AUDIBLE:
            gaps += run >= 3
            run = 0
        else:
            run += 1
    return (last + 1) * 1000 / RATE, gaps


def measure_dropouts(session, screen, programs, plays, quiet):
    results = {}
    for program in programs:
        copy = program_copy(session, program)
        sweep = sine_mp3(session.folder, TEST_SOUND_MS / 1000, "300-3000")
        music = os.path.join(os.path.dirname(copy), "music")
        for name in os.listdir(music):
            shutil.copyfile(sweep, os.path.join(music, name))
        running = Running(session, screen, copy)
        recorder = MonitorRecorder(session)
        time.sleep(2)
        intact, details = 0, []
        for i in range(plays):
            # Every other play comes while the output is still open from the last one.
            if i % 2 == 0:
                wait_for_quiet(recorder, quiet)
            else:
                time.sleep(0.3)
            clicked = running.click(screen, SENTENCES[i % len(SENTENCES)])
            first = first_audible_after(recorder, recorder.frame_at(clicked), 3)
            time.sleep(TEST_SOUND_MS / 1000 + 0.3)
            if first is None:
                details.append(f"play {i + 1}: not heard")
                continue
            length, gaps = play_of(recorder, first)
            if gaps == 0 and abs(length - TEST_SOUND_MS) <= 5:
                intact += 1
            else:
                details.append(f"play {i + 1}: {length:.0f} ms, {gaps} gaps")
        recorder.close()
        running.close()
        results[program] = {"test sounds intact": f"{intact} of {plays}",
                            "faults seen": "; ".join(details) or "none"}
    return results


# --- Tavolin: start to first audible sample ---------------------------------------------------

def measure_tavolin(session, screen, programs, runs):
    results = {}
    for program in programs:
        tavolin = os.path.join(os.path.dirname(program), "Tavolin")
        recorder = MonitorRecorder(session)
        firsts, heard = [], []
        for run in range(runs + 1):
            wait_for_quiet(recorder, 0.5)
            running = Running(session, screen, program_copy(session, tavolin))
            frame = first_audible_after(recorder, recorder.frame_at(running.started), 3)
            running.close()
            if run > 0 and frame is not None:
                firsts.append(running.first_frame_ms)
                heard.append((recorder.arrival_of(frame) - running.started) * 1000)
        recorder.close()
        results[program] = {
            "Tavolin start to first frame, median ms": statistics.median(firsts) if firsts else None,
            "Tavolin start to first audible sample, median ms":
                statistics.median(heard) if heard else None,
            "Tavolin starts heard": f"{len(heard)} of {runs}",
        }
    return results


def print_table(programs, results):
    names = [os.path.relpath(p) for p in programs]
    rows = []
    for program in programs:
        for key in results.get(program, {}):
            if key not in rows:
                rows.append(key)
    width = max(len(r) for r in rows) + 2
    print("".ljust(width) + " | ".join(names))
    for row in rows:
        cells = []
        for program in programs:
            value = results.get(program, {}).get(row, "")
            cells.append(f"{value:.1f}" if isinstance(value, float) else str(value))
        print(row.ljust(width) + " | ".join(cells))


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("programs", nargs="+", help="Sorandel executables in program folders")
    parser.add_argument("--display", required=True, help="a free X display number, e.g. :99")
    parser.add_argument("--bare", default=os.path.join(
        HERE, "..", "..", "build", "release", "benchmarks", "live", "bare_qt_window"))
    parser.add_argument("--only", default="startup,idle,click,dropouts,tavolin")
    parser.add_argument("--screen", default="1366x768", help="the virtual screen's size")
    parser.add_argument("--runs", type=int, default=10, help="starts of each program")
    parser.add_argument("--idle-seconds", type=float, default=30)
    parser.add_argument("--clicks", type=int, default=20)
    parser.add_argument("--plays", type=int, default=22)
    parser.add_argument("--quiet", type=float, default=2.5,
                        help="seconds of silence before a click that finds the output closed")
    args = parser.parse_args()
    programs = [os.path.abspath(p) for p in args.programs]
    bare = os.path.abspath(args.bare)
    if not os.path.exists(bare):
        sys.exit(f"{bare} is not built (cmake --build --preset release)")
    session = Session(args.display, args.screen)
    try:
        screen = Screen(args.display)
        results = {p: {} for p in [bare] + programs}
        only = args.only.split(",")
        measures = {
            "startup": lambda: measure_startup(session, screen, [bare] + programs, args.runs),
            "idle": lambda: measure_idle(session, screen, [bare] + programs, args.idle_seconds,
                                         programs),
            "click": lambda: measure_click(session, screen, programs, args.clicks, args.quiet),
            "dropouts": lambda: measure_dropouts(session, screen, programs, args.plays,
                                                 args.quiet),
            "tavolin": lambda: measure_tavolin(session, screen, programs, args.runs),
        }
        for name in only:
            # Each measure's figures as soon as they are known: a long run shows its progress.
            for program, figures in measures[name]().items():
                results[program].update(figures)
            print(f"-- after {name}:", flush=True)
            print_table([bare] + programs, results)
    finally:
        session.close()


if __name__ == "__main__":
    main()
