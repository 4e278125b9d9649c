#!/usr/bin/env bash
# Types the first sentence of the sample course into Sorandel's sentence drill through a real
# Japanese input method (fcitx5 with mozc) on a virtual screen, and checks from screenshots what
# a learner would see: the Enter that confirms the conversion checks nothing, the next Enter
# shows the right mark, and half a second later the drill has moved on to the next sentence.
#
#   scripts/ime-check.sh [program folder] [folder for the screenshots]
#
# The program folder defaults to build/release/app (the assembled program with the sample
# content); it is copied, so the check writes nothing there. IME_CHECK_DISPLAY=n uses display
# :n instead of the first free one. Exit code 0 when everything was seen as expected.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
app_folder=$(realpath "${1:-$root/build/release/app}")
shots=$(realpath -m "${2:-$root/build/ime-check}")
timeout_s=20
for tool in Xvfb xdotool import convert compare xdpyinfo dbus-daemon fcitx5 fcitx5-remote; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)" >&2; exit 2; }
done
[ -x "$app_folder/Sorandel" ] || { echo "no Sorandel in $app_folder: build it first" >&2; exit 2; }
mkdir -p "$shots"

# mozc refuses to run as root: as root, everything that talks to the input method runs as
# nobody, with a home of its own (mozc learns from what it converts).
work=$(mktemp -d)
chmod 755 "$work"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  user_id=65534
else
  user_id=$(id -u)
fi
home="$work/home"
mkdir -p "$home/.config/fcitx5" "$home/runtime"
chmod 700 "$home/runtime"
cp -r "$app_folder" "$work/app"
cat >"$home/.config/fcitx5/profile" <<'EOF'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
EOF
chown -R "$user_id:$user_id" "$home" "$work/app"

xvfb="" dbus="" fcitx="" app=""
stop() {
  # mozc_server detaches from fcitx5 and outlives it; ours is the one with our home.
  local pids="" pid
  for pid in $(pgrep -x mozc_server || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "HOME=$home" && pids+=" $pid"
  done
  pids="$app $pids $fcitx $dbus"
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
  # A hung fcitx5, or a mozc_server busy saving, ignores TERM for a while.
  for _ in $(seq 1 20); do
    local alive=""
    for pid in $pids; do kill -0 "$pid" 2>/dev/null && alive+=" $pid"; done
    [ -z "$alive" ] && break
    sleep 0.05
  done
  for pid in $alive; do kill -KILL "$pid" 2>/dev/null || true; done
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT

# Polls a command for up to `timeout_s` seconds.
wait_for() {
  local what=$1
  shift
  for _ in $(seq 1 $((timeout_s * 20))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  echo "ime-check: $what did not happen within $timeout_s s" >&2
  exit 1
}

started=$(date +%s%N)
if [ -n "${IME_CHECK_DISPLAY:-}" ]; then
  display=":$IME_CHECK_DISPLAY"
  Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp 2>"$work/xvfb.log" &
  xvfb=$!
else
  Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  wait_for "the virtual screen" test -s "$work/display"
  display=":$(head -n1 "$work/display")"
fi
export DISPLAY=$display
wait_for "the virtual screen" xdpyinfo

export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/runtime LANG=C.UTF-8
export QT_IM_MODULE=fcitx QT_QPA_PLATFORM=xcb
{ read -r bus_address; read -r dbus; } < <("${as_user[@]}" dbus-daemon --session --fork \
  --nopidfile --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$bus_address

"${as_user[@]}" fcitx5 -D >"$work/fcitx5.log" 2>&1 &
fcitx=$!
wait_for "fcitx5 on the session bus" "${as_user[@]}" fcitx5-remote

(cd "$work/app" && exec "${as_user[@]}" ./Sorandel) >"$work/sorandel.log" 2>&1 &
app=$!
wait_for "Sorandel's window" xdotool search --onlyvisible --pid "$app"
sleep 0.5

# The skin (882 x 684) is centred in the window, which fills the screen less a 30 px strip.
read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ { split($2, s, "x"); print s[1], s[2] }')
skin_x=$((screen_w / 2 - 441))
skin_y=$(((screen_h - 30) / 2 - 342))
view_x=$((skin_x + 179))
view_y=$((skin_y + 123))
shot() { import -window root "$shots/$1.png"; }
# The mark 输入正确错误图片框 as seen: "right" (green), "wrong" (red) or "none".
mark() {
  convert "$shots/$1.png" -crop "24x24+$((view_x + 616))+$((view_y + 328))" -scale 1x1\! \
    -format '%[fx:int(255*r)] %[fx:int(255*g)]' info: |
    awk '{ if ($2 > $1 + 40) print "right"; else if ($1 > $2 + 40) print "wrong"; else print "none" }'
}
# Whether the caption card 图片框6 differs between two screenshots.
card_changed() {
  local crop="536x152+$((view_x + 77))+$((view_y + 165))" differing
  convert "$shots/$1.png" -crop "$crop" "$work/card-a.png"
  convert "$shots/$2.png" -crop "$crop" "$work/card-b.png"
  # compare prints the count of differing pixels and exits 1 when there are any.
  differing=$(compare -metric AE "$work/card-a.png" "$work/card-b.png" null: 2>&1 || true)
  [ "${differing%%.*}" -gt 50 ] && echo changed || echo same
}

# 逐句跟读, the second item of the navigation bar.
xdotool mousemove $((skin_x + 89)) $((skin_y + 278)) click 1
wait_for "a focused text box" sh -c "[ \"\$(${as_user[*]} fcitx5-remote)\" = 1 ]"
"${as_user[@]}" fcitx5-remote -o
wait_for "the input method switched on" sh -c "[ \"\$(${as_user[*]} fcitx5-remote)\" = 2 ]"
shot 1-first-item

xdotool type --delay 30 'ohayougozaimasu.'
xdotool key space
sleep 0.3
shot 2-converting
xdotool key Return
sleep 0.3
shot 3-confirmed
xdotool key Return
sleep 0.15
shot 4-checked
sleep 0.8
shot 5-next-item
elapsed_ms=$((($(date +%s%N) - started) / 1000000))

confirmed=$(mark 3-confirmed)
checked=$(mark 4-checked)
after=$(mark 5-next-item)
card=$(card_changed 1-first-item 5-next-item)
echo "mark after the Enter that confirmed the conversion: $confirmed (expected none)"
echo "mark after the next Enter: $checked (expected right)"
echo "half a second later: mark $after, caption card $card (expected none, changed)"
echo "screenshots in $shots; ${elapsed_ms} ms"
[ "$confirmed" = none ] && [ "$checked" = right ] && [ "$after" = none ] && [ "$card" = changed ]
