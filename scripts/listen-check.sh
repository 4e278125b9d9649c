#!/usr/bin/env bash
# Listens to both programs as a learner hears them, on a virtual screen with a private sound
# server whose null sink is recorded: Sorandel's start sound and a sentence click on three screen
# sizes, Tavolin's reading and its cadence, the switch both ways, a basics page, and sound back
# after the sound server restarts or comes up after the program.
#
#   scripts/listen-check.sh [program folder]
#
# The program folder defaults to build/release/app; it is copied, so the check writes nothing
# there. LISTEN_CHECK_DISPLAY=:n uses display :n instead of the first free one from :90. Exit
# code 0 when every sound was heard as expected.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec python3 "$root/scripts/listen_check.py" "$@"
