"""A virtual screen, a private sound server with a null sink, and the X and /proc probes the
measuring scripts share."""

import array
import ctypes
import os
import select
import shutil
import subprocess
import tempfile
import threading
import time

RATE = 48000
CHANNELS = 2
# A sample at least this loud (-40 dBFS) is audible; quieter ones count as silence.
AUDIBLE = 328


class Session:
    """Xvfb on `display` and PulseAudio with one null sink, both private, ended on close."""

    def __init__(self, display, screen_size="1366x768"):
        self.display = display
        self.folder = tempfile.mkdtemp(prefix="sorandel-live-")
        runtime = os.path.join(self.folder, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=runtime,
                        PULSE_SERVER="unix:" + os.path.join(runtime, "pulse", "native"),
                        QT_QPA_PLATFORM="xcb")
        self.processes = []
        self.xvfb = self._start(["Xvfb", display, "-screen", "0", screen_size + "x24", "-nolisten", "tcp"])
        self.pulse = None
        self.start_sound_server()
        self._wait_for_screen()

    def _start(self, command, env=None):
        process = subprocess.Popen(command, env=env or self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def start_sound_server(self):
        # Suspend-on-idle as Debian sets it up: an idle sink lets the server sleep.
        home = os.path.join(self.folder, "home")
        os.makedirs(home, exist_ok=True)
        self.pulse = self._start(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
             f"--load=module-null-sink sink_name=null rate={RATE}",
             "--load=module-native-protocol-unix auth-anonymous=1",
             "--load=module-suspend-on-idle", "--load=module-always-sink"],
            env=dict(self.env, HOME=home))
        deadline = time.monotonic() + 10
        while self.pactl("info") is None:
            if time.monotonic() > deadline:
                raise RuntimeError("the sound server did not start")
            time.sleep(0.05)

    def stop_sound_server(self):
        self.pulse.terminate()
        self.pulse.wait()
        self.processes.remove(self.pulse)

    def pactl(self, *args):
        result = subprocess.run(["pactl", *args], env=self.env, capture_output=True, text=True)
        return result.stdout if result.returncode == 0 else None

    def _wait_for_screen(self):
        deadline = time.monotonic() + 10
        while subprocess.run(["xdpyinfo"], env=self.env, capture_output=True).returncode != 0:
            if time.monotonic() > deadline:
                raise RuntimeError("the virtual screen did not start")
            time.sleep(0.05)

    def close(self):
        for process in reversed(self.processes):
            end_process(process)
        shutil.rmtree(self.folder, ignore_errors=True)


def end_process(process):
    """Asks a process to end, and kills it when it does not within 5 s."""
    if process.poll() is None:
        process.terminate()
    try:
        process.wait(5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def sine_mp3(folder, seconds, hertz):
    """An mp3 of a sine at half scale, made once in `folder`; `hertz` may be a sweep "f1-f2"."""
    wav = os.path.join(folder, f"sine-{seconds}-{hertz}.wav")
    mp3 = wav[:-4] + ".mp3"
    if not os.path.exists(mp3):
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "1", "-b", "16", wav, "synth",
                        str(seconds), "sine", str(hertz), "vol", "0.5"], check=True)
        subprocess.run(["lame", "--quiet", "-b", "128", wav, mp3], check=True)
    return mp3


def program_copy(session, program):
    """A fresh copy of a program's folder (programs write their answers and settings there);
    the bare window is used as it is."""
    if not os.path.isdir(os.path.dirname(program)) or not os.path.exists(
            os.path.join(os.path.dirname(program), "data")):
        return program
    copy = tempfile.mkdtemp(dir=session.folder)
    shutil.copytree(os.path.dirname(program), copy, dirs_exist_ok=True)
    return os.path.join(copy, os.path.basename(program))


# --- X: through Xlib, so that no toolkit of the scripts' own shares the screen's time ---------

class _XMapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong),
                ("window", ctypes.c_ulong), ("override_redirect", ctypes.c_int)]


class _XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("map", _XMapEvent), ("pad", ctypes.c_long * 24)]


class _XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("rest", ctypes.c_char * 256)]


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_char)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int)]


_MAP_NOTIFY = 19
_SUBSTRUCTURE_NOTIFY = 1 << 19
_Z_PIXMAP = 2
_DAMAGE_REPORT_NON_EMPTY = 3


class Screen:
    """A connection to the virtual screen: sees windows appear, reads their pixels, clicks."""

    def __init__(self, display):
        self.x = ctypes.CDLL("libX11.so.6")
        self.xtest = ctypes.CDLL("libXtst.so.6")
        self.damage = ctypes.CDLL("libXdamage.so.1")
        self.damage.XDamageCreate.restype = ctypes.c_ulong
        self.damage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
        self.damage.XDamageSubtract.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                                ctypes.c_ulong]
        self.damage.XDamageDestroy.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.POINTER(_XImage)
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        for name in ("XSelectInput", "XPending", "XNextEvent", "XFlush", "XSync",
                     "XConnectionNumber", "XGetWindowAttributes", "XTranslateCoordinates",
                     "XFree", "XSetErrorHandler"):
            getattr(self.x, name).restype = ctypes.c_int
        self.dpy = self.x.XOpenDisplay(display.encode())
        if not self.dpy:
            raise RuntimeError(f"cannot open display {display}")
        # A window that vanishes while it is read is not an error worth ending the run for.
        self._handler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(
            lambda d, e: 0)
        self.x.XSetErrorHandler(self._handler)
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not self.damage.XDamageQueryExtension(ctypes.c_void_p(self.dpy),
                                                 ctypes.byref(event_base),
                                                 ctypes.byref(error_base)):
            raise RuntimeError(f"the X server of {display} has no DAMAGE extension")
        self.damage_notify = event_base.value
        self.root = self.x.XDefaultRootWindow(ctypes.c_void_p(self.dpy))
        self.x.XSelectInput(ctypes.c_void_p(self.dpy), ctypes.c_ulong(self.root),
                            ctypes.c_long(_SUBSTRUCTURE_NOTIFY))
        self.x.XSync(ctypes.c_void_p(self.dpy), 1)

    def _events(self, timeout):
        event = _XEvent()
        while self.x.XPending(ctypes.c_void_p(self.dpy)) > 0:
            self.x.XNextEvent(ctypes.c_void_p(self.dpy), ctypes.byref(event))
            yield event
        fd = self.x.XConnectionNumber(ctypes.c_void_p(self.dpy))
        select.select([fd], [], [], timeout)

    def forget_windows(self):
        """Drops the news of windows mapped so far (of programs that have ended since)."""
        for _ in self._events(0):
            pass

    def wait_for_window(self, timeout=20):
        """The next top-level window mapped on the screen."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for event in self._events(0.005):
                if event.type == _MAP_NOTIFY and event.map.event == self.root:
                    return event.map.window
        raise RuntimeError("no window appeared")

    def geometry(self, window):
        attributes = _XWindowAttributes()
        if not self.x.XGetWindowAttributes(ctypes.c_void_p(self.dpy), ctypes.c_ulong(window),
                                           ctypes.byref(attributes)):
            return None
        x, y, child = ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
        self.x.XTranslateCoordinates(ctypes.c_void_p(self.dpy), ctypes.c_ulong(window),
                                     ctypes.c_ulong(self.root), 0, 0, ctypes.byref(x),
                                     ctypes.byref(y), ctypes.byref(child))
        return x.value, y.value, attributes.width, attributes.height

    def pixels(self, window):
        """The window's pixels as bytes, or None when it cannot be read."""
        geometry = self.geometry(window)
        if geometry is None:
            return None
        _, _, width, height = geometry
        image = self.x.XGetImage(ctypes.c_void_p(self.dpy), ctypes.c_ulong(window), 0, 0, width,
                                 height, ctypes.c_ulong(0xFFFFFFFF), _Z_PIXMAP)
        if not image:
            return None
        size = image.contents.bytes_per_line * image.contents.height
        data = ctypes.string_at(image.contents.data, size)
        self.x.XFree(image.contents.data)
        self.x.XFree(image)
        return data

    def painted(self, window):
        """True once the window shows more than one colour."""
        data = self.pixels(window)
        return data is not None and data != data[:4] * (len(data) // 4)

    def wait_for_paint(self, window, timeout=20):
        """The time (time.monotonic) at which the window first showed more than one colour.

        The pixels are read only when the server reports drawing into the window (XDamage):
        reading a large window over and over would hold up the single-threaded server, and with
        it the program being measured, more for a large window than for a small one."""
        damage = self.damage.XDamageCreate(ctypes.c_void_p(self.dpy), ctypes.c_ulong(window),
                                           _DAMAGE_REPORT_NON_EMPTY)
        try:
            self.x.XSync(ctypes.c_void_p(self.dpy), 0)
            # Drawn before the damage object existed: no report will come for that frame.
            if self.painted(window):
                return time.monotonic()
            deadline = time.monotonic() + timeout
            while time.monotonic() < deadline:
                for event in self._events(0.005):
                    if event.type != self.damage_notify:
                        continue
                    drawn = time.monotonic()
                    self.damage.XDamageSubtract(ctypes.c_void_p(self.dpy), damage, 0, 0)
                    if self.painted(window):
                        return drawn
            raise RuntimeError("the window was never painted")
        finally:
            self.damage.XDamageDestroy(ctypes.c_void_p(self.dpy), damage)
            self.x.XFlush(ctypes.c_void_p(self.dpy))

    def close(self):
        self.x.XCloseDisplay(ctypes.c_void_p(self.dpy))

    def click(self, x, y):
        """A left click at a point of the screen; returns when the release was sent."""
        d = ctypes.c_void_p(self.dpy)
        self.xtest.XTestFakeMotionEvent(d, -1, x, y, 0)
        self.xtest.XTestFakeButtonEvent(d, 1, 1, 0)
        self.x.XFlush(d)
        time.sleep(0.03)
        self.xtest.XTestFakeButtonEvent(d, 1, 0, 0)
        self.x.XFlush(d)
        return time.monotonic()


# --- Sound at the sink's monitor --------------------------------------------------------------

class MonitorRecorder:
    """Records the null sink's monitor in 2 ms pieces and knows when each piece came: a sound
    counts as heard when it reaches the monitor, as it would reach a sound card."""

    def __init__(self, session):
        self.process = subprocess.Popen(
            ["parec", "-d", "null.monitor", "--format=s16le", f"--channels={CHANNELS}",
             f"--rate={RATE}", "--latency-msec=2", "--raw"],
            env=session.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, bufsize=0)
        self.lock = threading.Lock()
        self.samples = bytearray()
        # (arrival time, frames recorded up to then), one a piece.
        self.arrivals = []
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()
        # A server just started delivers its monitor a moment later: until then nothing is heard.
        deadline = time.monotonic() + 10
        while not self.arrivals or time.monotonic() - self.arrivals[-1][0] > 0.05:
            if time.monotonic() > deadline:
                raise RuntimeError("the sink's monitor delivers nothing")
            time.sleep(0.01)

    def _read(self):
        fd = self.process.stdout.fileno()
        while True:
            piece = os.read(fd, 4096)
            now = time.monotonic()
            if not piece:
                return
            with self.lock:
                self.samples += piece
                self.arrivals.append((now, len(self.samples) // (2 * CHANNELS)))

    def frames(self):
        with self.lock:
            return len(self.samples) // (2 * CHANNELS)

    def frame_at(self, when):
        """The first frame that reached the recorder after a time."""
        with self.lock:
            return next((upto for t, upto in reversed(self.arrivals) if t <= when), 0)

    def arrival_of(self, frame):
        """When the piece that holds a frame reached the recorder."""
        with self.lock:
            return next((t for t, upto in self.arrivals if upto > frame), None)

    def close(self):
        self.process.terminate()
        self.process.wait()


def levels(recorder, start, end):
    """The loudness of each frame from `start` to `end`: the louder channel's magnitude."""
    with recorder.lock:
        samples = array.array("h", recorder.samples[start * 4:end * 4])
    return [max(abs(samples[i]), abs(samples[i + 1])) for i in range(0, len(samples) - 1, 2)]


def first_audible_after(recorder, frame, timeout):
    """The first audible frame from `frame` on, waiting up to `timeout` s for it; or None."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        time.sleep(0.02)
        found = next((frame + i for i, v in enumerate(levels(recorder, frame, recorder.frames()))
                      if v >= AUDIBLE), None)
        if found is not None:
            return found
    return None


def wait_for_quiet(recorder, quiet_seconds, timeout=30):
    """Until the monitor has been silent for a while (the sink may then be closed); False when
    it was not within `timeout` s."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        time.sleep(0.1)
        end = recorder.frames()
        start = max(0, end - int(quiet_seconds * RATE))
        if end - start == int(quiet_seconds * RATE) and max(levels(recorder, start, end)) < AUDIBLE:
            return True
    return False


# --- /proc ------------------------------------------------------------------------------------

def process_running(pid):
    """True while the process exists and has not ended (a zombie has)."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except FileNotFoundError:
        return False


def thread_switches(pid):
    """{(thread id, name): (voluntary, involuntary) context switches} of a process."""
    result = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/comm") as f:
                name = f.read().strip()
            voluntary = involuntary = 0
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                for line in f:
                    if line.startswith("voluntary_ctxt_switches"):
                        voluntary = int(line.split()[1])
                    elif line.startswith("nonvoluntary_ctxt_switches"):
                        involuntary = int(line.split()[1])
            result[(int(tid), name)] = (voluntary, involuntary)
        except FileNotFoundError:
            continue
    return result


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def resident_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS"):
                return int(line.split()[1]) / 1024
    return 0.0
