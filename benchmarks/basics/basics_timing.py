#!/usr/bin/env python3
"""Opens the basics window in fresh processes (the page engine not yet loaded) and prints the
median time to the first frame of its page and the memory figures, then the time of a further
page in the open window.

    benchmarks/basics/basics_timing.py build/release/benchmarks/basics/basics_benchmarks [runs]
"""

import os
import re
import statistics
import subprocess
import sys


def main():
    program = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
    figures = []
    for _ in range(runs):
        out = subprocess.run([program, "--cold"], env=env, capture_output=True, text=True, check=True).stdout
        figures.append([float(v) for v in re.findall(r"(\d+(?:\.\d+)?)", out)])
    names = ["cold open to first frame, ms", "PSS before, MB", "PSS while a page plays, MB",
             "PSS after the window closed, MB"]
    for i, name in enumerate(names):
        values = [f[i] for f in figures]
        print(f"{name}: median {statistics.median(values):.0f} (min {min(values):.0f}, max {max(values):.0f})")
    subprocess.run([program, "--benchmark_min_time=0"], env=env, check=True)


if __name__ == "__main__":
    main()
