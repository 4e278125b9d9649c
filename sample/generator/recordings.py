"""Synthesises one mp3 recording per lesson item from its kana reading."""

from concurrent.futures import ThreadPoolExecutor
import os
import tempfile

from .tools import run, tool

# A little slower than espeak-ng's default, for learners.
WORDS_PER_MINUTE = "140"
# The least bit rate at which lame's gapless tag (its encoder delay and padding) fits the first
# frame of a 22 kHz mono file; without the tag a decoder plays 50 ms of silence first.
BITRATE_KBPS = "56"


def make_recordings(recordings, music_dir):
    espeak, sox, lame = tool("espeak-ng"), tool("sox"), tool("lame")
    os.makedirs(music_dir, exist_ok=True)

    def record(job):
        sound, reading = job
        with tempfile.TemporaryDirectory() as scratch:
            spoken = os.path.join(scratch, "spoken.wav")
            trimmed = os.path.join(scratch, "trimmed.wav")
            run(espeak, "-v", "ja", "-s", WORDS_PER_MINUTE, "-b", "1", "-w", spoken, reading)
            # Cut the synthesiser's lead-in and tail of silence: a recording starts with the
            # voice, so a click is answered at once, and ends after a short, even margin.
            run(sox, spoken, trimmed,
                "silence", "1", "0.02", "0.5%", "reverse", "silence", "1", "0.02", "0.5%", "reverse",
                "pad", "0", "0.2")
            run(lame, "--quiet", "-m", "m", "-b", BITRATE_KBPS, trimmed, os.path.join(music_dir, sound + ".mp3"))

    with ThreadPoolExecutor(max_workers=os.cpu_count() or 4) as pool:
        # list() lets the first failure surface here.
        list(pool.map(record, recordings))
