"""Voices (espeak-ng's Japanese voice) and effect sounds (sox), as MP3 at 22050 Hz mono."""

import inspect
import os
import tempfile

from generator import effects as program_effects
from generator import recordings
from generator.effects import make_effects
from generator.recordings import make_recordings
from generator.tools import run, tool

from .cache import kept


def voice(reading):
    """MP3 bytes of the reading, read aloud as the lesson recordings are."""
    def make():
        with tempfile.TemporaryDirectory() as scratch:
            make_recordings([("voice", reading)], scratch)
            return _read(os.path.join(scratch, "voice.mp3"))

    return kept("voice", (reading, inspect.getsource(recordings)), make)


def effects():
    """The right chime, the wrong buzz and a soft click: {name: mp3 bytes}."""
    source = inspect.getsource(_make_effects) + inspect.getsource(program_effects)
    return {name: kept("effect", (name, source), lambda name=name: _make_effects()[name])
            for name in ("right", "wrong", "click")}


def _make_effects():
    """The program's own right, wrong and click sounds, as MP3."""
    lame = tool("lame")
    made = {}
    with tempfile.TemporaryDirectory() as scratch:
        make_effects(scratch)
        for name, wav in (("right", "WordRight.wav"), ("wrong", "wrong.wav"), ("click", "click.wav")):
            out = os.path.join(scratch, name + ".mp3")
            run(lame, "--quiet", "-m", "m", "-b", "48", os.path.join(scratch, wav), out)
            made[name] = _read(out)
    return made


def _read(path):
    with open(path, "rb") as f:
        return f.read()
