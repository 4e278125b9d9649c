#!/usr/bin/env bash
# Runs Sorandel and Tavolin under GNOME's compositor (mutter, headless, on a virtual monitor of
# each size asked for, 1366x768 and 800x600 by default, X clients through XWayland) with a
# private sound server, and checks what a learner on GNOME meets: where the windows lie and how
# they are kept, that their controls answer where they are drawn, the switch both ways, and that
# a sentence click and the bar's reading are heard.
#
#   scripts/desktop-check.sh [program folder] [--monitor WxH ...] [--shots folder]
#
# The program folder defaults to build/release/app (copied, so the check writes nothing there);
# screenshots of the windows go to build/desktop-check/<monitor size>. Exit code 0 when
# everything was seen as expected.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
for tool in mutter Xwayland dbus-run-session pulseaudio parec xdotool xprop xwininfo xdpyinfo \
  xmessage import convert identify python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)" >&2; exit 2; }
done
exec python3 "$root/scripts/desktop_check.py" "$@"
