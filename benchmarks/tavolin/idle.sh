#!/usr/bin/env bash
# Tavolin as a running program on a copy of the assembled program folder: its resident memory
# once reading, and how often it wakes up over 30 s while paused and once its reading has ended
# (targets: under 60 MB, no wake-ups). Each wake-up thread is named.
#   benchmarks/tavolin/idle.sh [build/release/app]
# Uses the X display in DISPLAY, or starts a virtual one of its own.
set -euo pipefail
cd "$(dirname "$0")/../.."
app=$(realpath "${1:-build/release/app}")
[ -x "$app/Tavolin" ] || { echo "no Tavolin in $app: build first" >&2; exit 2; }
for tool in xdotool sqlite3; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)" >&2; exit 2; }
done

work=$(mktemp -d)
pid=""
xvfb=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$work/display")"
fi
cp -r "$app/." "$work/app"
unset WAYLAND_DISPLAY

# Voluntary and involuntary context switches of every thread of the process: each is a wake-up.
wakeups() {
  for task in /proc/"$pid"/task/*; do
    awk -v t="$(cat "$task/comm")" '/ctxt_switches/ { n += $2 } END { print t ": " n }' \
      "$task/status"
  done 2>/dev/null
}

# Starts Tavolin on the course key given and waits for its bar.
start() {
  printf '[课程选择]\r\n课程索引=%s\r\n' "$1" | iconv -f UTF-8 -t GBK >"$work/app/setting/setting.ini"
  (cd "$work/app" && QT_QPA_PLATFORM=xcb exec ./Tavolin) >"$work/tavolin.log" 2>&1 &
  pid=$!
  xdotool search --sync --onlyvisible --classname Tavolin >/dev/null
}

measure() {
  # Settling first: the sound output closes a moment after the last sound, and the toolkit and
  # the sound server run their own one-off timeouts after a menu and a stream's end.
  sleep 35
  wakeups >"$work/before"
  sleep 30
  wakeups >"$work/after"
  echo "wake-ups over 30 s while $1: $(paste -d' ' "$work/before" "$work/after" |
    awk '{ d = $4 - $2; n += d; if (d) w = w " " $1 " " d } END { print n (w ? " (" w " )" : "") }')"
}

start Lesson1
sleep 2
echo "resident memory while reading: $(awk '/VmRSS/ { print int($2 / 1024) " MB" }' /proc/$pid/status)"
# Right press on the bar, then the menu's second item (暂停朗读).
xdotool mousemove 300 40 click 3
sleep 0.5
xdotool mousemove_relative 30 38 click 1
measure "paused"
kill "$pid"; wait "$pid" 2>/dev/null || true

# A course of one sentence: the reading ends after its recording.
sqlite3 "$work/app/data/data.mdb" "INSERT INTO study (id, biaoshi, jp, cn, sound)
  SELECT 'Lesson0基本课文', 'X001', jp, cn, sound FROM study WHERE id = 'Lesson1基本课文' LIMIT 1"
start Lesson0
measure "ended"
