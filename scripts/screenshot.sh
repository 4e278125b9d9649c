#!/usr/bin/env bash
# Starts a program on a virtual screen of the given size, waits until its window shows, writes
# a PNG of the whole screen and stops the program.
#   scripts/screenshot.sh build/release/app/Sorandel 1366x768 sorandel.png
set -euo pipefail

if [ $# -ne 3 ] || [[ ! "$2" =~ ^[0-9]+x[0-9]+$ ]]; then
  echo "usage: $0 <program> <width>x<height> <out.png>" >&2
  exit 2
fi
program=$(realpath "$1")
size=$2
out=$3
timeout_s=${SCREENSHOT_TIMEOUT:-20}
[ -x "$program" ] || { echo "not an executable: $1" >&2; exit 2; }
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)" >&2; exit 2; }
done

work=$(mktemp -d)
app=""
xvfb=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A free display number, chosen by the server itself.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 1 $((timeout_s * 10))); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "the virtual screen did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

(cd "$(dirname "$program")" && QT_QPA_PLATFORM=xcb exec "$program") >"$work/app.log" 2>&1 &
app=$!
shown=""
for _ in $(seq 1 $((timeout_s * 10))); do
  if ! kill -0 "$app" 2>/dev/null; then
    echo "the program ended before it showed a window:" >&2
    cat "$work/app.log" >&2
    exit 1
  fi
  if xdotool search --onlyvisible --pid "$app" >/dev/null 2>&1; then
    shown=yes
    break
  fi
  sleep 0.1
done
[ -n "$shown" ] || { echo "no window within ${timeout_s} s" >&2; exit 1; }
# Let the first frames be drawn.
sleep 1
import -window root "$out"
echo "$out"
