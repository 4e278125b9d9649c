"""A small SWF writer: pictures, shapes, sounds, buttons, frame labels and AVM1 actions.

Enough of the format for the basics pages and nothing more. Coordinates are pixels; the writer
turns them into twips.
"""

import struct
import zlib

TWIPS = 20


class BitWriter:
    """Packs bit fields most significant bit first, as SWF records want them."""

    def __init__(self):
        self.bits = []

    def ub(self, value, count):
        if value < 0 or value >= (1 << count) and count > 0:
            raise ValueError(f"{value} does not fit {count} unsigned bits")
        self.bits.extend((value >> (count - 1 - i)) & 1 for i in range(count))

    def sb(self, value, count):
        if not -(1 << (count - 1)) <= value < (1 << (count - 1)):
            raise ValueError(f"{value} does not fit {count} signed bits")
        self.ub(value & ((1 << count) - 1), count)

    def bytes(self):
        padded = self.bits + [0] * (-len(self.bits) % 8)
        return bytes(int("".join(map(str, padded[i:i + 8])), 2) for i in range(0, len(padded), 8))


def signed_bits(*values):
    """The bits a signed field needs for every value (at least 1)."""
    return max(max(v.bit_length() + 1 if v >= 0 else (~v).bit_length() + 1 for v in values), 1)


def rect(xmin, xmax, ymin, ymax):
    """A RECT in twips."""
    w = BitWriter()
    n = signed_bits(xmin, xmax, ymin, ymax)
    w.ub(n, 5)
    for v in (xmin, xmax, ymin, ymax):
        w.sb(v, n)
    return w.bytes()


def matrix(x=0, y=0, scale=None):
    """A MATRIX: optional scale (a float), translation in twips."""
    w = BitWriter()
    w.ub(1 if scale is not None else 0, 1)
    if scale is not None:
        fixed = round(scale * 65536)
        n = signed_bits(fixed)
        w.ub(n, 5)
        w.sb(fixed, n)
        w.sb(fixed, n)
    w.ub(0, 1)
    n = signed_bits(x, y)
    w.ub(n, 5)
    w.sb(x, n)
    w.sb(y, n)
    return w.bytes()


def alpha_transform(alpha):
    """A CXFORMWITHALPHA that only scales alpha (0..1)."""
    w = BitWriter()
    w.ub(0, 1)  # no add terms
    w.ub(1, 1)  # multiply terms
    terms = (256, 256, 256, round(alpha * 256))
    n = signed_bits(*terms)
    w.ub(n, 4)
    for t in terms:
        w.sb(t, n)
    return w.bytes()


def tag(code, body=b""):
    if len(body) < 0x3F and code not in (DEFINE_BITS_LOSSLESS2, DEFINE_SOUND):
        return struct.pack("<H", (code << 6) | len(body)) + body
    return struct.pack("<HI", (code << 6) | 0x3F, len(body)) + body


def string(text):
    return text.encode("utf-8") + b"\0"


END, SHOW_FRAME, DO_ACTION, SET_BACKGROUND_COLOR = 0, 1, 12, 9
DEFINE_SOUND, START_SOUND, DEFINE_BUTTON_SOUND = 14, 15, 17
PLACE_OBJECT2, REMOVE_OBJECT2, DEFINE_SHAPE3 = 26, 28, 32
DEFINE_BUTTON2, DEFINE_BITS_LOSSLESS2, FRAME_LABEL, FILE_ATTRIBUTES = 34, 36, 43, 69


# AVM1 actions, each as bytes; a list of them ends with END_ACTIONS.
def action(code, payload=None):
    if payload is None:
        return bytes([code])
    return bytes([code]) + struct.pack("<H", len(payload)) + payload


def play():
    return action(0x06)


def stop():
    return action(0x07)


def goto_label(label):
    return action(0x8C, string(label))


def get_url(url, target=""):
    """getURL(url, target): opens the address in the host (a javascript: address runs a script)."""
    return action(0x83, string(url) + string(target))


def trace(message):
    """trace(message): the player's debug output, which tests listen to; it needs no script
    access from the movie to its page."""
    return action(0x96, b"\0" + string(message)) + action(0x26)


END_ACTIONS = b"\0"


def mp3_frames(data):
    """The MPEG audio frames of an MP3 file (an ID3v2 tag skipped) and their sample rate and
    sample count."""
    if data[:3] == b"ID3":
        size = (data[6] << 21) | (data[7] << 14) | (data[8] << 7) | data[9]
        data = data[10 + size:]
    bitrates = {
        3: (0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320),  # MPEG-1
        2: (0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160),  # MPEG-2
    }
    rates = {3: (44100, 48000, 32000), 2: (22050, 24000, 16000), 0: (11025, 12000, 8000)}
    pos, samples, rate, frames = 0, 0, None, bytearray()
    while pos + 4 <= len(data):
        header = struct.unpack(">I", data[pos:pos + 4])[0]
        if header >> 21 != 0x7FF:
            break
        version = (header >> 19) & 3
        layer = (header >> 17) & 3
        if layer != 1:
            raise ValueError("not MPEG layer III")
        bitrate = bitrates[3 if version == 3 else 2][(header >> 12) & 15] * 1000
        frame_rate = rates[version][(header >> 10) & 3]
        padding = (header >> 9) & 1
        per_frame = 1152 if version == 3 else 576
        length = (per_frame // 8) * bitrate // frame_rate + padding
        frames += data[pos:pos + length]
        pos += length
        samples += per_frame
        rate = frame_rate
    if not frames:
        raise ValueError("no MPEG audio frames")
    return bytes(frames), rate, samples


class Movie:
    """A movie built frame by frame. Definitions come before the first frame that uses them."""

    def __init__(self, width, height, fps=12, background=(255, 255, 255)):
        self.width, self.height, self.fps = width, height, fps
        self.next_id = 1
        self.definitions = []  # written before the first frame
        self.frames = [[]]     # the control tags of each frame
        self.labels = []
        self.sounds = {}       # id -> samples at its rate
        self.background = background
        self.buttons = 0
        self.texts = []        # what was lettered on each picture

    def _new_id(self):
        self.next_id += 1
        return self.next_id - 1

    # Definitions.
    def picture(self, width, height, rgba, texts=()):
        """A picture (straight RGBA rows) as a shape the size of the picture; returns its id.
        `texts` tell what was lettered on it, for the manifest."""
        argb = bytearray(width * height * 4)
        argb[0::4], argb[1::4], argb[2::4], argb[3::4] = rgba[3::4], rgba[0::4], rgba[1::4], rgba[2::4]
        # Colours are stored premultiplied by alpha: only the partly transparent pixels change.
        for i in range(0, len(argb), 4):
            a = argb[i]
            if a != 255:
                argb[i + 1] = argb[i + 1] * a // 255
                argb[i + 2] = argb[i + 2] * a // 255
                argb[i + 3] = argb[i + 3] * a // 255
        bitmap = self._new_id()
        self.definitions.append(tag(DEFINE_BITS_LOSSLESS2, struct.pack("<HBHH", bitmap, 5, width, height)
                                    + zlib.compress(bytes(argb), 9)))
        fill = b"\x41" + struct.pack("<H", bitmap) + matrix(scale=TWIPS)
        shape = self._shape(width, height, fill)
        self.texts += [{"shape": shape, **text} for text in texts]
        return shape

    def box(self, width, height, rgba):
        """A rectangle filled with one colour; returns its id."""
        return self._shape(width, height, b"\x00" + bytes(rgba))

    def _shape(self, width, height, fill_style):
        shape = self._new_id()
        w, h = width * TWIPS, height * TWIPS
        bits = BitWriter()
        bits.ub(1, 4)  # fill bits
        bits.ub(0, 4)  # line bits
        # Move to the origin with fill style 1, then the four edges clockwise.
        bits.ub(0, 1)
        bits.ub(0b00011, 5)  # fill style 1 and move-to
        n = signed_bits(0)
        bits.ub(n, 5)
        bits.sb(0, n)
        bits.sb(0, n)
        bits.ub(1, 1)
        for dx, dy in ((w, 0), (0, h), (-w, 0), (0, -h)):
            n = signed_bits(dx, dy)
            bits.ub(1, 1)
            bits.ub(1, 1)
            bits.ub(max(n, 2) - 2, 4)
            bits.ub(1, 1)  # general line
            bits.sb(dx, max(n, 2))
            bits.sb(dy, max(n, 2))
        bits.ub(0, 6)  # end of shape
        body = (struct.pack("<H", shape) + rect(0, w, 0, h) + b"\x01" + fill_style + b"\x00"
                + bits.bytes())
        self.definitions.append(tag(DEFINE_SHAPE3, body))
        return shape

    def sound(self, mp3):
        """An MP3 recording (11025, 22050 or 44100 Hz, mono); returns its id."""
        frames, rate, samples = mp3_frames(mp3)
        rate_code = {11025: 1, 22050: 2, 44100: 3}[rate]
        sound = self._new_id()
        flags = (2 << 4) | (rate_code << 2) | (1 << 1) | 0  # MP3, rate, 16-bit, mono
        self.definitions.append(tag(DEFINE_SOUND, struct.pack("<HBI", sound, flags, samples)
                                    + struct.pack("<h", 0) + frames))
        self.sounds[sound] = samples / rate
        return sound

    def duration(self, sound):
        return self.sounds[sound]

    def button(self, up, over, actions, click_sound=None):
        """A button showing shape `up` (and `over` under the mouse) that runs `actions` when
        clicked (pressed and released over it); returns its id."""
        button = self._new_id()
        records = b""
        for states, shape in ((0x01, up), (0x02 | 0x04, over), (0x08, up)):
            records += struct.pack("<BHH", states, shape, 1) + matrix() + alpha_transform(1)
        records += b"\0"
        condition = struct.pack("<HBB", 0, 0x08, 0) + b"".join(actions) + END_ACTIONS
        body = struct.pack("<HB", button, 0) + struct.pack("<H", 2 + len(records)) + records + condition
        self.definitions.append(tag(DEFINE_BUTTON2, body))
        if click_sound is not None:
            self.definitions.append(tag(DEFINE_BUTTON_SOUND, struct.pack("<HHHHBH", button, 0, 0, click_sound, 0, 0)))
        self.buttons += 1
        return button

    # The timeline.
    @property
    def frame(self):
        return self.frames[-1]

    def place(self, depth, character, x, y, alpha=None):
        flags = 0x02 | 0x04 | (0x08 if alpha is not None else 0)
        body = struct.pack("<BHH", flags, depth, character) + matrix(x * TWIPS, y * TWIPS)
        if alpha is not None:
            body += alpha_transform(alpha)
        self.frame.append(tag(PLACE_OBJECT2, body))

    def move(self, depth, x=None, y=None, alpha=None):
        """Moves or fades what lies at `depth` (x and y together)."""
        flags = 0x01 | (0x04 if x is not None else 0) | (0x08 if alpha is not None else 0)
        body = struct.pack("<BH", flags, depth)
        if x is not None:
            body += matrix(x * TWIPS, y * TWIPS)
        if alpha is not None:
            body += alpha_transform(alpha)
        self.frame.append(tag(PLACE_OBJECT2, body))

    def remove(self, depth):
        self.frame.append(tag(REMOVE_OBJECT2, struct.pack("<H", depth)))

    def label(self, name):
        """Names this frame, and tells the host that it was reached."""
        self.labels.append(name)
        self.frame.append(tag(FRAME_LABEL, string(name)))
        self.actions(trace("frame:" + name))

    def actions(self, *actions):
        self.frame.append(tag(DO_ACTION, b"".join(actions) + END_ACTIONS))

    def start_sound(self, sound):
        self.frame.append(tag(START_SOUND, struct.pack("<HB", sound, 0)))

    def show_frame(self, count=1):
        for _ in range(count):
            self.frames.append([])

    def frame_count(self):
        return len(self.frames) if self.frames[-1] else len(self.frames) - 1

    def bytes(self, compress=True):
        frames = self.frames if self.frames[-1] else self.frames[:-1]
        body = tag(FILE_ATTRIBUTES, struct.pack("<I", 0))
        body += tag(SET_BACKGROUND_COLOR, bytes(self.background))
        body += b"".join(self.definitions)
        for frame in frames:
            body += b"".join(frame) + tag(SHOW_FRAME)
        body += tag(END)
        head = rect(0, self.width * TWIPS, 0, self.height * TWIPS) + struct.pack("<HH", self.fps << 8, len(frames))
        payload = head + body
        length = 8 + len(payload)
        if compress:
            return b"CWS" + bytes([10]) + struct.pack("<I", length) + zlib.compress(payload, 9)
        return b"FWS" + bytes([10]) + struct.pack("<I", length) + payload
