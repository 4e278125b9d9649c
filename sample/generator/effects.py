"""Synthesises the four effect sounds with sox."""

import os
import tempfile

from .tools import run, tool

RATE = ["-r", "22050", "-c", "1", "-b", "16"]


def make_effects(effects_dir):
    sox = tool("sox")
    os.makedirs(effects_dir, exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:

        def part(name, *effects):
            path = os.path.join(scratch, name + ".wav")
            run(sox, "-n", *RATE, path, *effects)
            return path

        def join(target, *parts):
            run(sox, *parts, os.path.join(effects_dir, target))

        # A camera shutter: a sharp noise click, a short gap, a softer second click.
        join("快门.wav",
             part("open", "synth", "0.025", "whitenoise", "fade", "q", "0.001", "0.025", "0.02", "vol", "0.8"),
             part("gap", "trim", "0", "0.045"),
             part("close", "synth", "0.04", "pinknoise", "fade", "q", "0.001", "0.04", "0.035", "vol", "0.6"))
        # Right, and every keystroke of the drill: a short rising two-note chime.
        join("WordRight.wav",
             part("low", "synth", "0.06", "sine", "880", "fade", "q", "0.003", "0.06", "0.02", "vol", "0.5"),
             part("high", "synth", "0.1", "sine", "1320", "fade", "q", "0.003", "0.1", "0.08", "vol", "0.5"))
        # Wrong: two low buzzes.
        buzz = part("buzz", "synth", "0.14", "square", "150", "fade", "q", "0.005", "0.14", "0.03", "vol", "0.3")
        join("wrong.wav", buzz, part("pause", "trim", "0", "0.05"), buzz)
        # A soft click.
        join("click.wav",
             part("tick", "synth", "0.015", "sine", "1800", "fade", "q", "0.001", "0.015", "0.012", "vol", "0.6"))
