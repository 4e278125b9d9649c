#!/usr/bin/env python3
"""Writes a movie that tries to run a script in the page that plays it: a javascript: address
on its first frame, then the label "tried" on the next.

Usage: make_script_probe.py SAMPLE_DIR OUT.swf
"""

import sys

sys.path.insert(0, sys.argv[1])
from pages import swf  # noqa: E402

movie = swf.Movie(100, 100)
movie.actions(swf.get_url("javascript:void(window.movieScript='ran')"), swf.play())
movie.show_frame()
movie.label("tried")
movie.actions(swf.stop())
movie.show_frame()
with open(sys.argv[2], "wb") as out:
    out.write(movie.bytes())
