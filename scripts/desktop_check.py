#!/usr/bin/env python3
"""Runs Sorandel and Tavolin under GNOME's compositor (mutter, headless, X clients through
XWayland) as a learner on GNOME meets them, and checks what they show and play:

- Sorandel's window at the top left, the size of the screen less a 30-pixel strip, not maximised;
  its skin centred in the window it got, and its controls answering where they are drawn (the
  places come from the window's geometry): a click on a sentence is heard, and 切换到 Tavolin
  switches to the bar;
- Tavolin's bar at (0, 0) at its own size, kept above other windows, without a taskbar entry;
  its reading is heard; a window opened over it lies under it (it is raised and takes the focus,
  and a right press on the bar there opens the bar's menu), and 返回主窗口 in that menu brings
  Sorandel back as it first came up.

    scripts/desktop_check.py [program folder] [--monitor WxH ...] [--shots folder]

Each --monitor size (1366x768 and 800x600 if none is given) gets a compositor of its own. The
program folder (default build/release/app) is copied; the programs' pictures are read from the
build's painted assets beside it. Exit code 0 when everything was seen as expected.
"""

import argparse
import os
import subprocess
import sys
import time

from gnome_session import GnomeSession
from live_session import (MonitorRecorder, Screen, first_audible_after, process_running,
                          program_copy, wait_for_quiet)
from measure import SENTENCES

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Sorandel's skin, and on it the switch button and the band under the title (its subtitle and
# rule), which no unit covers.
SKIN_SIZE = (882, 684)
SWITCH_BUTTON = (744, 92, 126, 28)
TITLE_BAND = (0, 60, 882, 30)
BAR_SIZE = (629, 80)
# The bar's headphone icon, part of its skin that no label covers.
BAR_ICON = (4, 8, 60, 64)
# The bar's menu shows nine items; 返回主窗口 is the one before the last.
MENU_ITEMS = 9
STRIP = 30


class Failed(Exception):
    """A check whose failure leaves nothing after it to look at."""


class Report:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, what, ok, seen):
        print(f"{'ok' if ok else 'FAILED'}: {what}: {seen}", flush=True)
        if ok:
            self.passed += 1
        else:
            self.failed += 1
        return ok

    def require(self, what, ok, seen):
        if not self.check(what, ok, seen):
            raise Failed(what)


class Desktop:
    """What the check asks of the compositor's X display, through the X tools a user has."""

    def __init__(self, session, shots):
        self.session = session
        self.shots = shots
        os.environ["XAUTHORITY"] = session.env["XAUTHORITY"]
        self.screen = Screen(session.display)

    def run(self, *command):
        return subprocess.run(command, env=self.session.env, capture_output=True,
                              text=True).stdout

    def size(self):
        for line in self.run("xdpyinfo").splitlines():
            if "dimensions:" in line:
                width, height = line.split()[1].split("x")
                return int(width), int(height)
        raise Failed("the X display has no size")

    def windows(self, program, popups=False):
        """The program's shown top-level windows (or its popups), newest last."""
        found = []
        for window in self.run("xdotool", "search", "--onlyvisible", "--classname",
                               f"^{program}$").split():
            popup = "Override Redirect State: yes" in self.run("xwininfo", "-id", window)
            if popup == popups:
                found.append(int(window))
        return found

    def wait_for_window(self, program, popups=False, timeout=20, besides=()):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            fresh = [w for w in self.windows(program, popups) if w not in besides]
            if fresh:
                self.screen.wait_for_paint(fresh[-1])
                return fresh[-1]
            time.sleep(0.05)
        raise Failed(f"no {'popup' if popups else 'window'} of {program} appeared")

    def atoms(self, window, name):
        text = self.run("xprop", "-id", str(window), name)
        return text.split("=", 1)[1].replace(",", " ").split() if "=" in text else []

    def root_windows(self, name):
        """A list of windows the window manager keeps on the root window (stacking: bottom to
        top)."""
        text = self.run("xprop", "-root", name)
        return [int(w, 16) for w in text.split("#", 1)[1].replace(",", " ").split()] \
            if "#" in text else []

    def pid(self, window):
        text = self.run("xprop", "-id", str(window), "_NET_WM_PID")
        return int(text.split("=")[1]) if "=" in text else None

    def click(self, x, y, button=1):
        when = time.monotonic()
        self.run("xdotool", "mousemove", str(x), str(y), "click", str(button))
        return when

    def pixels(self, window, name):
        """The window's pixels as (width, height, RGB bytes); kept as a PNG too."""
        png = os.path.join(self.shots, name + ".png")
        subprocess.run(["import", "-window", str(window), png], env=self.session.env, check=True)
        return picture(png)


def picture(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True,
                          text=True, check=True).stdout.split()
    data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True,
                          check=True).stdout
    return int(size[0]), int(size[1]), data


def shown_share(window_image, picture_image, place, part):
    """The share of the picture's part, placed with its top left at `place` in the window, that
    the window shows as it is (None when none of it lies inside the window)."""
    width, height, shown = window_image
    picture_width, _, drawn = picture_image
    left, top, part_width, part_height = part
    same = total = 0
    for y in range(top, top + part_height):
        wy = place[1] + y
        if not 0 <= wy < height:
            continue
        for x in range(left, left + part_width):
            wx = place[0] + x
            if not 0 <= wx < width:
                continue
            a = (wy * width + wx) * 3
            b = (y * picture_width + x) * 3
            total += 1
            if max(abs(shown[a + i] - drawn[b + i]) for i in range(3)) <= 2:
                same += 1
    return same / total if total else None


def text_rows(image):
    """The bands of rows that hold dark text, top to bottom, each as (first row, last row)."""
    width, height, data = image
    bands, start = [], None
    for y in range(height):
        row = data[y * width * 3:(y + 1) * width * 3]
        dark = sum(1 for x in range(width) if sum(row[x * 3:x * 3 + 3]) < 300)
        if dark >= 2 and start is None:
            start = y
        elif dark < 2 and start is not None:
            bands.append((start, y - 1))
            start = None
    return bands


def skin_offset(width, height):
    # Centred as the form centres it: the halves' difference, truncated toward zero.
    return int(width / 2 - SKIN_SIZE[0] / 2), int(height / 2 - SKIN_SIZE[1] / 2)


class Check:
    def __init__(self, session, desktop, recorder, pictures):
        self.session = session
        self.desktop = desktop
        self.recorder = recorder
        self.report = Report()
        self.skin = picture(os.path.join(pictures, "main_skin.bmp"))
        self.switch_button = picture(os.path.join(pictures, "tavolin_button.bmp"))
        self.bar_skin = picture(os.path.join(pictures, "tavolin_bar_skin.bmp"))
        self.screen_size = desktop.size()

    def main_window(self, window, when):
        """Sorandel's window as the form sizes it and its skin centred in what it got; returns
        the screen point of the skin's top left."""
        d, r = self.desktop, self.report
        x, y, width, height = d.screen.geometry(window)
        states = d.atoms(window, "_NET_WM_STATE")
        screen_width, screen_height = self.screen_size
        r.check(f"Sorandel's window {when}: at (0, 0), the screen less a {STRIP}-pixel strip, "
                f"not maximised", (x, y, width, height) == (0, 0, screen_width,
                                                            screen_height - STRIP)
                and not any("MAXIMIZED" in s for s in states),
                f"{width}x{height} at ({x}, {y}), {' '.join(states) or 'no states'}")
        image = d.pixels(window, f"sorandel-{when.replace(' ', '-')}")
        left, top = skin_offset(width, height)
        band = shown_share(image, self.skin, (left, top), TITLE_BAND)
        button = shown_share(image, self.switch_button,
                             (left + SWITCH_BUTTON[0], top + SWITCH_BUTTON[1]),
                             (0, 0) + SWITCH_BUTTON[2:])
        r.require(f"Sorandel's skin {when}: centred in the window", band is not None
                  and button is not None and min(band, button) >= 0.99,
                  f"skin at ({left}, {top}) in the window; there the window shows "
                  f"{share(band)} of the title band and {share(button)} of the switch button")
        return x + left, y + top

    def sorandel(self, program):
        d, r = self.desktop, self.report
        process = subprocess.Popen([program], cwd=os.path.dirname(program), env=self.session.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = d.wait_for_window("Sorandel")
        skin = self.main_window(window, "at start")
        # The first view plays a shutter sound as it opens.
        wait_for_quiet(self.recorder, 1.0, timeout=10)
        clicked = d.click(skin[0] + SENTENCES[0][0], skin[1] + SENTENCES[0][1])
        frame = first_audible_after(self.recorder, self.recorder.frame_at(clicked), 3)
        r.check("a click on the first sentence is heard", frame is not None,
                f"first audible sample {ms_after(self.recorder, frame, clicked)}")
        d.click(skin[0] + SWITCH_BUTTON[0] + SWITCH_BUTTON[2] // 2,
                skin[1] + SWITCH_BUTTON[1] + SWITCH_BUTTON[3] // 2)
        try:
            code = process.wait(10)
        except subprocess.TimeoutExpired:
            code = None
        r.require("切换到 Tavolin ends Sorandel", code == 0, f"exit code {code}")
        return time.monotonic()

    def tavolin(self, sorandel_ended):
        d, r = self.desktop, self.report
        bar = d.wait_for_window("Tavolin")
        x, y, width, height = d.screen.geometry(bar)
        r.check("Tavolin's bar: at (0, 0) at its own size", (x, y, width, height) == (0, 0) +
                BAR_SIZE, f"{width}x{height} at ({x}, {y})")
        states = d.atoms(bar, "_NET_WM_STATE")
        r.check("Tavolin's bar: kept above other windows, no taskbar entry",
                {"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR"} <= set(states),
                " ".join(states) or "no states")
        icon = shown_share(d.pixels(bar, "tavolin"), self.bar_skin, (0, 0), BAR_ICON)
        r.check("Tavolin's bar shows its skin", icon is not None and icon >= 0.99,
                f"{share(icon)} of its icon")
        # Sorandel's click sound ended with it; what plays now is the bar's.
        start = max(time.monotonic(), sorandel_ended + 0.3)
        time.sleep(start - time.monotonic())
        frame = first_audible_after(self.recorder, self.recorder.frame_at(start), 8)
        r.check("Tavolin's reading is heard", frame is not None,
                f"first audible sample {ms_after(self.recorder, frame, start)}")
        return bar

    def window_over_bar(self, bar):
        d, r = self.desktop, self.report
        self.session.start(["xmessage", "-geometry", "700x200+0+0", "-name", "over-the-bar",
                             "A window opened over the bar"])
        other = d.wait_for_window("over-the-bar", timeout=10)
        d.run("xdotool", "windowactivate", str(other))
        time.sleep(0.5)
        stacking = d.root_windows("_NET_CLIENT_LIST_STACKING")
        active = d.root_windows("_NET_ACTIVE_WINDOW")
        r.check("Tavolin's bar above a window opened over it, which has the focus",
                bar in stacking and other in stacking
                and stacking.index(bar) > stacking.index(other) and active == [other],
                f"stacking bottom to top {' '.join(map(hex, stacking))}, the other window "
                f"{hex(other)}, the bar {hex(bar)}, active {' '.join(map(hex, active))}")
        popups = d.windows("Tavolin", popups=True)
        x, y, _, _ = d.screen.geometry(bar)
        d.click(x + BAR_ICON[0] + BAR_ICON[2] // 2, y + BAR_ICON[1] + BAR_ICON[3] // 2, button=3)
        menu = d.wait_for_window("Tavolin", popups=True, timeout=5, besides=popups)
        x, y, width, height = d.screen.geometry(menu)
        rows = text_rows(d.pixels(menu, "tavolin-menu"))
        r.require("a right press on the bar over the other window opens the bar's menu",
                  len(rows) == MENU_ITEMS, f"menu {width}x{height} at ({x}, {y}) with "
                  f"{len(rows)} lines of text")
        item = rows[-2]
        return x + width // 2, y + (item[0] + item[1]) // 2

    def back_to_sorandel(self, bar, item):
        d, r = self.desktop, self.report
        tavolin = d.pid(bar)
        r.require("Tavolin's bar names its process", tavolin is not None, f"process {tavolin}")
        d.click(*item)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and process_running(tavolin):
            time.sleep(0.05)
        r.require("返回主窗口 ends Tavolin", not process_running(tavolin), f"process {tavolin}")
        window = d.wait_for_window("Sorandel")
        self.main_window(window, "back from Tavolin")


def share(value):
    return "none" if value is None else f"{value:.1%}"


def ms_after(recorder, frame, when):
    if frame is None:
        return "none"
    return f"{(recorder.arrival_of(frame) - when) * 1000:.0f} ms after"


def check_on(monitor, app, pictures, shots):
    """Both programs on a compositor of their own with one monitor of that size: the report."""
    session = GnomeSession(monitor)
    recorder = None
    try:
        version = subprocess.run(["mutter", "--version"], capture_output=True,
                                 text=True).stdout.split("\n")[0]
        print(f"{version}, headless, monitor {monitor}; X clients on {session.display} "
              f"(XWayland)", flush=True)
        desktop = Desktop(session, shots)
        recorder = MonitorRecorder(session)
        check = Check(session, desktop, recorder, pictures)
        try:
            ended = check.sorandel(program_copy(session, os.path.join(app, "Sorandel")))
            bar = check.tavolin(ended)
            check.back_to_sorandel(bar, check.window_over_bar(bar))
        except Failed as stop:
            print(f"stopped: {stop}")
        return check.report
    finally:
        if recorder is not None:
            recorder.close()
        session.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("app", nargs="?", default=os.path.join(ROOT, "build", "release", "app"))
    parser.add_argument("--monitor", action="append",
                        help="WxH, once for each size to check on (1366x768 and 800x600 if none)")
    parser.add_argument("--shots", default=os.path.join(ROOT, "build", "desktop-check"))
    args = parser.parse_args()
    app = os.path.abspath(args.app)
    pictures = os.path.join(os.path.dirname(app), "assets", "painted")
    for needed in (os.path.join(app, "Sorandel"), os.path.join(pictures, "main_skin.bmp")):
        if not os.path.exists(needed):
            sys.exit(f"no {needed}: build the programs first")
    started = time.monotonic()
    passed = failed = 0
    for monitor in args.monitor or ["1366x768", "800x600"]:
        shots = os.path.join(args.shots, monitor)
        os.makedirs(shots, exist_ok=True)
        report = check_on(monitor, app, pictures, shots)
        passed += report.passed
        failed += report.failed
    print(f"screenshots in {args.shots}; {time.monotonic() - started:.1f} s")
    print(f"desktop-check: {passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
