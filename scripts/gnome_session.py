"""GNOME's compositor without a screen (mutter --headless on one virtual monitor), with XWayland
for X clients and the private sound server of the live measurements, as a learner's GNOME
session would give the programs."""

import glob
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "benchmarks",
                                "live"))
from live_session import Session  # noqa: E402

X11_SOCKETS = "/tmp/.X11-unix"


class GnomeSession(Session):
    """mutter in a session bus of its own, its XWayland display, and PulseAudio with one null
    sink; everything, the programs started inside it too, ended on close."""

    def __init__(self, monitor="1366x768"):
        self.folder = tempfile.mkdtemp(prefix="sorandel-gnome-")
        runtime = os.path.join(self.folder, "runtime")
        home = os.path.join(self.folder, "home")
        os.makedirs(runtime, mode=0o700)
        os.makedirs(home)
        # The desktop a learner logs in to: no X display or platform chosen beforehand.
        outside = {k: v for k, v in os.environ.items()
                   if k not in ("DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                "DBUS_SESSION_BUS_ADDRESS")}
        self.env = dict(outside, HOME=home, XDG_RUNTIME_DIR=runtime, XDG_SESSION_TYPE="wayland",
                        PULSE_SERVER="unix:" + os.path.join(runtime, "pulse", "native"))
        self.processes = []
        self.pulse = None
        self.log_path = os.path.join(self.folder, "mutter.log")
        self.compositor = None
        try:
            self._start_compositor(monitor)
            self.start_sound_server()
            self._wait_for_screen()
        except BaseException:
            self.close()
            raise

    def _start_compositor(self, monitor):
        # A booted system makes the folder of X sockets world-writable; mutter refuses any other.
        if not os.path.isdir(X11_SOCKETS):
            os.mkdir(X11_SOCKETS)
            os.chmod(X11_SOCKETS, 0o1777)
        with open(self.log_path, "w") as log:
            bus = subprocess.Popen(
                ["dbus-run-session", "--", "mutter", "--headless", "--wayland",
                 "--virtual-monitor", monitor],
                env=self.env, stdout=log, stderr=subprocess.STDOUT)
        self.processes.append(bus)
        deadline = time.monotonic() + 20
        display = wayland = None
        while display is None or wayland is None:
            if time.monotonic() > deadline or bus.poll() is not None:
                raise RuntimeError("GNOME's compositor did not start:\n" + self.log_tail())
            time.sleep(0.05)
            with open(self.log_path, errors="replace") as f:
                text = f.read()
            found = re.search(r"Using public X11 display (:\d+)", text)
            display = found and found.group(1)
            found = re.search(r"Using Wayland display name '([^']+)'", text)
            wayland = found and found.group(1)
        self.compositor = int(subprocess.run(["pgrep", "-x", "-P", str(bus.pid), "mutter"],
                                             capture_output=True, text=True).stdout.split()[0])
        # mutter hands its X display's key to the clients it starts itself; others find the file
        # in its runtime folder.
        auth = glob.glob(os.path.join(self.env["XDG_RUNTIME_DIR"], ".mutter-Xwaylandauth.*"))
        if not auth:
            raise RuntimeError("GNOME's compositor wrote no X authority file")
        self.display = display
        self.env.update(DISPLAY=display, XAUTHORITY=auth[0], WAYLAND_DISPLAY=wayland)

    def start(self, command):
        """A process of the session's own, ended with it."""
        return self._start(command)

    def log_tail(self, lines=15):
        with open(self.log_path, errors="replace") as f:
            return "".join(f.readlines()[-lines:])

    def programs_inside(self):
        """The processes running a program copied into the session's folder: started by the
        check, or by one of those programs."""
        pids = []
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                exe = os.readlink(f"/proc/{pid}/exe")
            except OSError:
                continue
            if exe.startswith(self.folder + os.sep):
                pids.append(int(pid))
        return pids

    def close(self):
        for pid in self.programs_inside():
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        if self.compositor is not None:
            self._end_compositor()
        super().close()

    def _end_compositor(self):
        # mutter itself, not its bus: ended so, it takes its X display's lock files with it.
        try:
            os.kill(self.compositor, signal.SIGTERM)
            deadline = time.monotonic() + 5
            while time.monotonic() < deadline:
                os.kill(self.compositor, 0)
                time.sleep(0.05)
            os.kill(self.compositor, signal.SIGKILL)
        except ProcessLookupError:
            pass
        # What a mutter that did not end in order left behind, and nothing of any other server.
        for lock in glob.glob("/tmp/.X*-lock"):
            try:
                with open(lock) as f:
                    owner = int(f.read().strip() or 0)
            except (OSError, ValueError):
                continue
            if owner == self.compositor:
                number = re.search(r"\.X(\d+)-lock$", lock).group(1)
                for path in (lock, os.path.join(X11_SOCKETS, "X" + number)):
                    try:
                        os.remove(path)
                    except FileNotFoundError:
                        pass
