#!/usr/bin/env python3
"""Kills Sorandel at random moments while it stores a course or clears a practice set, and checks
that each change reached its file whole.

Each round starts the headless Sorandel (tests/sorandel/sorandel_crash_child.cpp) on the same
program folder in one mode, lets it work for a random time and kills it with SIGKILL.

  choose: it chooses the three courses in turn in the course window. The settings file must
          hold one course's name with that same course's key: the course last confirmed, or
          the one whose OK was running at the kill.
  clear:  it marks every question of the set answered and clears the set from the results
          window. data/lianxi.mdb must pass PRAGMA integrity_check and hold the set either all
          cleared or all answered; all cleared once the clear was confirmed.

    scripts/whole_write_crash.py --child build/release/tests/sorandel/sorandel_crash_child \\
        --mode choose --kills 500
"""

import os
import random
import sqlite3
import subprocess
import sys
import tempfile
import time

import crash_rounds

COURSES = {"Lesson1": "Lesson1  家庭问候", "Lesson2": "Lesson2  商店购物", "Lesson3": "Lesson3  问路"}
CLEARED = ("您未做此题", "")
ANSWERED = ("错误", "X")


def last_lines(output):
    """The complete lines of the output (the last one may be cut by the kill)."""
    text = output.decode("utf-8", errors="replace")
    return text[:text.rfind("\n") + 1].splitlines()


def stored_course(folder):
    """The name and key in the settings file."""
    with open(os.path.join(folder, "setting", "setting.ini"), "rb") as settings:
        text = settings.read().decode("gbk")
    values = dict(line.split("=", 1) for line in text.splitlines() if "=" in line)
    return values.get("课程名称"), values.get("课程索引")


class Choose:
    in_flight_label = "an OK running"

    def __init__(self):
        self.confirmed = "Lesson1"  # what the child's preparation stored

    def check(self, folder, lines):
        """Problems found, and whether the kill fell inside an OK."""
        in_flight = None
        for line in lines:
            kind, key = line.split(" ")
            if kind == "A":
                in_flight = key
            elif kind == "C" and key == in_flight:
                self.confirmed, in_flight = key, None
        name, key = stored_course(folder)
        problems = []
        if key not in COURSES or COURSES[key] != name:
            problems.append(f"name {name!r} stored with key {key!r}")
        elif key not in (self.confirmed, in_flight):
            problems.append(f"confirmed {self.confirmed}, in flight {in_flight}, file holds {key}")
        if key == in_flight:
            self.confirmed = key
        return problems, in_flight is not None


class Clear:
    in_flight_label = "a clear running"

    @staticmethod
    def check(folder, lines):
        database = sqlite3.connect(os.path.join(folder, "data", "lianxi.mdb"))
        try:
            integrity = database.execute("PRAGMA integrity_check").fetchall()
            rows = set(database.execute("SELECT nin, shuru FROM lianxi"))
        finally:
            database.close()
        problems = [] if integrity == [("ok",)] else [f"integrity_check: {integrity}"]
        confirmed = bool(lines) and lines[-1] == "C"
        if rows != {CLEARED} and (confirmed or rows != {ANSWERED}):
            state = "after the clear was confirmed" if confirmed else "at the kill"
            problems.append(f"rows (nin, shuru) {sorted(rows)} {state}")
        return problems, bool(lines) and lines[-1] == "A"


def main():
    parser = crash_rounds.argument_parser(__doc__, kills=500, max_ms=60.0)
    parser.add_argument("--mode", required=True, choices=["choose", "clear"])
    args = parser.parse_args()
    moments = random.Random(args.seed)
    checker = Choose() if args.mode == "choose" else Clear()

    with tempfile.TemporaryDirectory(prefix="sorandel-crash-") as folder:
        subprocess.run([args.child, "prepare", folder], check=True)
        in_flight_kills = 0
        broken = 0
        problems = []
        started = time.monotonic()
        for kill in range(args.kills):
            output, failure = crash_rounds.killed_run(args.child, args.mode, folder, args.max_ms,
                                                      moments)
            found, in_flight = checker.check(folder, last_lines(output))
            if failure:
                found.append(failure)
            in_flight_kills += in_flight
            broken += bool(found)
            problems.extend(f"round {kill}: {p}" for p in found)

        seconds = time.monotonic() - started
        print(f"mode {args.mode}: kills {args.kills}, of them during {checker.in_flight_label}: "
              f"{in_flight_kills}")
        print(f"rounds that left a file not whole: {broken}; {seconds:.1f} s")
        return crash_rounds.verdict(problems, in_flight_kills > 0,
                                    "no kill fell during a change: nothing was tested")


if __name__ == "__main__":
    sys.exit(main())
