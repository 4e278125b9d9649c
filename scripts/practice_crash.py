#!/usr/bin/env python3
"""Kills a practising Sorandel at random moments and checks that no confirmed answer is lost.

Each round starts the headless learner (tests/sorandel/sorandel_crash_child.cpp) on the same
program folder, lets it answer for a random time and kills it with SIGKILL. Then
data/lianxi.mdb must pass PRAGMA integrity_check, and every question must hold the answer last
confirmed to the learner (its mark shown), or the answer the learner was giving when killed.

    scripts/practice_crash.py --child build/release/tests/sorandel/sorandel_crash_child \
        --kills 1000
"""

import os
import random
import sqlite3
import subprocess
import sys
import tempfile
import time

import crash_rounds

RIGHT = "正确"
WRONG = "错误"


def parse_lines(output):
    """The confirmed answers in order, and the answer in flight at the kill (or None)."""
    confirmed = []
    in_flight = None
    for line in output.decode("utf-8", errors="replace").splitlines():
        parts = line.split(" ", 2)
        if len(parts) != 3:
            continue  # the last line, cut by the kill
        kind, key, choice = parts
        if kind == "A":
            in_flight = (key, choice)
        elif kind == "C" and in_flight == (key, choice):
            confirmed.append(in_flight)
            in_flight = None
    return confirmed, in_flight


def check_database(path, expected, in_flight):
    """Problems found; updates `expected` with the in-flight answer when it reached the file."""
    problems = []
    db = sqlite3.connect(path)
    try:
        integrity = db.execute("PRAGMA integrity_check").fetchall()
        if integrity != [("ok",)]:
            problems.append(f"integrity_check: {integrity}")
        rows = {key: (nin, shuru, daan)
                for key, nin, shuru, daan in db.execute("SELECT biaoshi, nin, shuru, daan FROM lianxi")}
    finally:
        db.close()
    if in_flight and rows.get(in_flight[0], (None, None, None))[1] == in_flight[1]:
        expected[in_flight[0]] = in_flight[1]
    for key, choice in expected.items():
        nin, shuru, daan = rows.get(key, (None, None, None))
        if shuru != choice:
            problems.append(f"{key}: confirmed {choice!r}, file holds {shuru!r}")
        elif nin != (RIGHT if shuru == daan else WRONG):
            problems.append(f"{key}: {shuru!r} stored with verdict {nin!r}")
    return problems


def main():
    args = crash_rounds.argument_parser(__doc__, kills=1000, max_ms=150.0).parse_args()
    moments = random.Random(args.seed)

    with tempfile.TemporaryDirectory(prefix="sorandel-crash-") as folder:
        subprocess.run([args.child, "prepare", folder], check=True)
        database = os.path.join(folder, "data", "lianxi.mdb")
        expected = {}
        confirmed_total = 0
        in_flight_stored = 0
        in_flight_dropped = 0
        problems = []
        started = time.monotonic()
        for kill in range(args.kills):
            output, failure = crash_rounds.killed_run(args.child, "answer", folder, args.max_ms,
                                                      moments)
            if failure:
                problems.append(f"round {kill}: {failure}")
            confirmed, in_flight = parse_lines(output)
            for key, choice in confirmed:
                expected[key] = choice
            confirmed_total += len(confirmed)
            before = dict(expected)
            found = check_database(database, expected, in_flight)
            if in_flight:
                if expected != before:
                    in_flight_stored += 1
                else:
                    in_flight_dropped += 1
            problems.extend(f"round {kill}: {p}" for p in found)
            if found:
                break

        seconds = time.monotonic() - started
        print(f"kills: {args.kills}, answers confirmed: {confirmed_total}, "
              f"questions checked: {len(expected)}")
        print(f"answer in flight at the kill: changed the file {in_flight_stored}, "
              f"did not (or gave the same answer again) {in_flight_dropped}")
        print(f"integrity and answer checks failed: {len(problems)}; {seconds:.1f} s")
        return crash_rounds.verdict(
            problems, confirmed_total > 0,
            "no answer was confirmed: the kills came too early to test anything")


if __name__ == "__main__":
    sys.exit(main())
