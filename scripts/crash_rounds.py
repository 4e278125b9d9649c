"""One round of the kill scripts: the headless Sorandel (tests/sorandel/sorandel_crash_child.cpp)
started in a mode, killed with SIGKILL at a random moment once it is at work."""

import argparse
import signal
import subprocess
import time


def argument_parser(doc, kills, max_ms):
    """The options every kill script takes: the child, how many kills, their moments."""
    parser = argparse.ArgumentParser(description=doc.splitlines()[0])
    parser.add_argument("--child", required=True, help="the sorandel_crash_child executable")
    parser.add_argument("--kills", type=int, default=kills)
    parser.add_argument("--max-ms", type=float, default=max_ms,
                        help="longest time a round works before its kill")
    parser.add_argument("--seed", type=int, help="fixes the kill moments")
    return parser


def killed_run(child, mode, folder, max_ms, moments):
    """The child's output up to the kill, and None, or why the round does not count."""
    process = subprocess.Popen([child, mode, folder], stdout=subprocess.PIPE)
    # The kill falls while the child works, not while the program starts.
    first = process.stdout.readline()
    time.sleep(moments.uniform(0.0, max_ms) / 1000.0)
    process.send_signal(signal.SIGKILL)
    rest, _ = process.communicate()
    if process.returncode != -signal.SIGKILL:
        return first + rest, f"the child ended by itself ({process.returncode})"
    return first + rest, None



def verdict(problems, tested, untested):
    """Prints the first problems found and gives the exit status: 1 when a check failed or when
    no kill tested anything (then `untested` says why)."""
    for problem in problems[:20]:
        print("  " + problem)
    if not tested:
        print(untested)
        return 1
    return 1 if problems else 0
